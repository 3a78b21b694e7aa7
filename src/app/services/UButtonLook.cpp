#include "app/services/UButtonLook.h"

#include "app/services/UWindowParts.h"
#include "controls/buttons/LbButton.h"
#include "framework/Graphics.h"

#include <QImage>
#include <QPainter>
#include <QPainterPath>

#include <functional>
#include <map>

namespace {

// The face while pressed, and the one button whose press is yellow instead:
// the one that starts writing into the device.
constexpr fw::TColor kDownColor = 0x0080FF;

// The glyph's lower-left pixel names the see-through colour; everything else
// around the picture is fully transparent, so its smoothed edges blend with
// whatever face colour lies beneath.
const QColor kKeyColor(0x80, 0x80, 0x00);

const QColor kInk(0x1F, 0x3F, 0x6F);
const QColor kBlue(0x2B, 0x57, 0x9A);
const QColor kGreen(0x1E, 0x8C, 0x2E);
const QColor kRed(0xC0, 0x39, 0x2B);
const QColor kAmber(0xE8, 0xA8, 0x20);
const QColor kPaper(0xFF, 0xFF, 0xFF);
const QColor kGreyInk(0x9A, 0x9A, 0x9A);

// Every picture is drawn on a 16 x 16 grid and scaled to the glyph's size.
using Painter = std::function<void(QPainter&)>;

QPen pen(const QColor& c, qreal width = 1.6)
{
    return QPen(c, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

void page(QPainter& p, qreal x, qreal y, qreal w, qreal h)
{
    QPainterPath sheet;
    sheet.moveTo(x, y);
    sheet.lineTo(x + w - 3, y);
    sheet.lineTo(x + w, y + 3);
    sheet.lineTo(x + w, y + h);
    sheet.lineTo(x, y + h);
    sheet.closeSubpath();
    p.setPen(pen(kInk, 1));
    p.setBrush(kPaper);
    p.drawPath(sheet);
}

void plus(QPainter& p, qreal cx, qreal cy, qreal r, const QColor& c, qreal width = 2)
{
    p.setPen(pen(c, width));
    p.drawLine(QPointF(cx - r, cy), QPointF(cx + r, cy));
    p.drawLine(QPointF(cx, cy - r), QPointF(cx, cy + r));
}

void arrow(QPainter& p, QPointF from, QPointF to, const QColor& c)
{
    p.setPen(pen(c, 2));
    p.drawLine(from, to);
    const QPointF d = to - from;
    const qreal len = std::hypot(d.x(), d.y());
    const QPointF u = d / len;
    const QPointF n(-u.y(), u.x());
    p.setPen(Qt::NoPen);
    p.setBrush(c);
    p.drawPolygon(QPolygonF({to + u * 1.5, to - u * 3 + n * 3, to - u * 3 - n * 3}));
}

void table(QPainter& p, qreal x, qreal y, qreal w, qreal h)
{
    p.setPen(pen(kInk, 1));
    p.setBrush(kPaper);
    p.drawRect(QRectF(x, y, w, h));
    p.fillRect(QRectF(x + 0.5, y + 0.5, w - 1, 3), kBlue);
    for (qreal row = y + 3.5 + 3; row < y + h; row += 3)
        p.drawLine(QPointF(x, row), QPointF(x + w, row));
    p.drawLine(QPointF(x + w / 3, y + 3.5), QPointF(x + w / 3, y + h));
}

void circularArrow(QPainter& p, const QColor& c)
{
    p.setPen(pen(c, 2));
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(3, 3, 10, 10), 100 * 16, 270 * 16);
    p.setPen(Qt::NoPen);
    p.setBrush(c);
    p.drawPolygon(QPolygonF({QPointF(7, 0.5), QPointF(11, 3.2), QPointF(7, 6)}));
}

const Painter& painterOf(TButtonGlyph glyph)
{
    static const Painter ok = [](QPainter& p) {
        p.setPen(pen(kGreen, 2.4));
        p.drawPolyline(QPolygonF({QPointF(2.5, 8.5), QPointF(6.5, 12.5), QPointF(13.5, 3.5)}));
    };
    static const Painter cancel = [](QPainter& p) {
        p.setPen(pen(kRed, 2.4));
        p.drawLine(QPointF(3.5, 3.5), QPointF(12.5, 12.5));
        p.drawLine(QPointF(12.5, 3.5), QPointF(3.5, 12.5));
    };
    static const Painter newProject = [](QPainter& p) {
        page(p, 2.5, 1.5, 9, 12);
        plus(p, 12, 12, 3, kGreen);
    };
    static const Painter openProject = [](QPainter& p) {
        p.setPen(pen(kInk, 1));
        p.setBrush(kAmber.darker(115));
        p.drawPolygon(QPolygonF({QPointF(1.5, 3.5), QPointF(6, 3.5), QPointF(7.5, 5), QPointF(13.5, 5),
                                 QPointF(13.5, 13.5), QPointF(1.5, 13.5)}));
        p.setBrush(kAmber);
        p.drawPolygon(QPolygonF({QPointF(3.5, 7.5), QPointF(15.5, 7.5), QPointF(13.5, 13.5), QPointF(1.5, 13.5)}));
    };
    static const Painter parameters = [](QPainter& p) {
        for (int i = 0; i < 3; ++i) {
            const qreal y = 3.5 + 4.5 * i;
            p.setPen(pen(kInk, 1.4));
            p.drawLine(QPointF(1.5, y), QPointF(14.5, y));
            p.setPen(pen(kInk, 1));
            p.setBrush(i == 1 ? kAmber : kBlue);
            const qreal x = i == 1 ? 10.5 : 5;
            p.drawRect(QRectF(x - 1.5, y - 2, 3, 4));
        }
    };
    static const Painter dmxValues = [](QPainter& p) {
        // The five-pin plug of a lighting line.
        p.setPen(pen(kInk, 1.2));
        p.setBrush(kPaper);
        p.drawEllipse(QRectF(1, 1, 14, 14));
        p.setPen(Qt::NoPen);
        p.setBrush(kBlue);
        const QPointF pins[] = {{5, 6}, {8, 4.5}, {11, 6}, {6, 10}, {10, 10}};
        for (const QPointF& pin : pins)
            p.drawEllipse(pin, 1.3, 1.3);
    };
    static const Painter updateDevice = [](QPainter& p) {
        p.setPen(pen(kInk, 1));
        p.setBrush(QColor(0x50, 0x50, 0x58));
        p.drawRect(QRectF(2.5, 10.5, 11, 4));
        p.fillRect(QRectF(4, 12, 2, 1), kGreen.lighter(150));
        arrow(p, QPointF(8, 0.5), QPointF(8, 7.5), kGreen);
    };
    static const Painter tableAccess = [](QPainter& p) { table(p, 1.5, 2.5, 13, 11); };
    static const Painter fileExport = [](QPainter& p) {
        page(p, 1.5, 1.5, 9, 12);
        arrow(p, QPointF(7, 9), QPointF(13.5, 9), kGreen);
    };
    static const Painter info = [](QPainter& p) {
        p.setPen(Qt::NoPen);
        p.setBrush(kBlue);
        p.drawEllipse(QRectF(1.5, 1.5, 13, 13));
        p.setBrush(kPaper);
        p.drawEllipse(QRectF(7, 4, 2, 2));
        p.drawRect(QRectF(7, 7, 2, 5.5));
    };
    static const Painter options = [](QPainter& p) {
        p.setPen(pen(kBlue, 2));
        for (int i = 0; i < 8; ++i) {
            p.save();
            p.translate(8, 8);
            p.rotate(i * 45);
            p.drawLine(QPointF(0, 4), QPointF(0, 6.5));
            p.restore();
        }
        p.setBrush(Qt::NoBrush);
        p.drawEllipse(QPointF(8, 8), 4, 4);
    };
    static const Painter close = [](QPainter& p) {
        p.setPen(Qt::NoPen);
        p.setBrush(kRed);
        p.drawRoundedRect(QRectF(1.5, 1.5, 13, 13), 2.5, 2.5);
        p.setPen(pen(kPaper, 2));
        p.drawLine(QPointF(5, 5), QPointF(11, 11));
        p.drawLine(QPointF(11, 5), QPointF(5, 11));
    };
    // The corner pictures are drawn in whole pixels of their 7 x 7 glyph:
    // there is no room for smoothed edges.
    static const Painter collapse = [](QPainter& p) { p.fillRect(QRect(1, 3, 5, 1), Qt::black); };
    static const Painter expand = [](QPainter& p) {
        p.fillRect(QRect(1, 3, 5, 1), Qt::black);
        p.fillRect(QRect(3, 1, 1, 5), Qt::black);
    };
    static const Painter deleteRow = [](QPainter& p) {
        table(p, 1.5, 1.5, 10, 10);
        p.setPen(pen(kRed, 2));
        p.drawLine(QPointF(9, 11), QPointF(15, 11));
    };
    static const Painter insertRow = [](QPainter& p) {
        table(p, 1.5, 1.5, 10, 10);
        plus(p, 12, 11.5, 3, kGreen);
    };
    static const Painter copyRow = [](QPainter& p) {
        page(p, 1.5, 1.5, 8, 10);
        page(p, 6.5, 4.5, 8, 10);
    };
    static const Painter pasteRow = [](QPainter& p) {
        p.setPen(pen(kInk, 1));
        p.setBrush(kAmber);
        p.drawRoundedRect(QRectF(1.5, 2.5, 10, 12), 1, 1);
        p.setBrush(QColor(0x80, 0x80, 0x88));
        p.drawRect(QRectF(4.5, 1.5, 4, 2.5));
        page(p, 6.5, 6.5, 8, 8);
    };
    static const Painter selectAll = [](QPainter& p) {
        p.setPen(pen(kInk, 1));
        p.setBrush(kPaper);
        p.drawRect(QRectF(1.5, 1.5, 13, 13));
        p.setPen(pen(kGreen, 2));
        p.drawPolyline(QPolygonF({QPointF(4, 8), QPointF(7, 11), QPointF(12, 4.5)}));
    };
    static const Painter clearAll = [](QPainter& p) {
        p.setPen(pen(kInk, 1));
        p.setBrush(kPaper);
        p.drawRect(QRectF(1.5, 1.5, 13, 13));
    };
    static const Painter lampMap = [](QPainter& p) {
        p.setPen(pen(kInk, 1));
        p.setBrush(QColor(0xFF, 0xE0, 0x60));
        p.drawEllipse(QRectF(3.5, 1.5, 9, 9));
        p.setBrush(QColor(0x90, 0x90, 0x98));
        p.drawRect(QRectF(6, 10.5, 4, 3.5));
    };
    static const Painter importFile = [](QPainter& p) {
        table(p, 5.5, 4.5, 9, 10);
        arrow(p, QPointF(0.5, 4), QPointF(7.5, 4), kGreen);
    };
    static const Painter previous = [](QPainter& p) {
        p.setPen(Qt::NoPen);
        p.setBrush(kBlue);
        p.drawPolygon(QPolygonF({QPointF(11.5, 2.5), QPointF(11.5, 13.5), QPointF(4, 8)}));
    };
    static const Painter next = [](QPainter& p) {
        p.setPen(Qt::NoPen);
        p.setBrush(kBlue);
        p.drawPolygon(QPolygonF({QPointF(4.5, 2.5), QPointF(4.5, 13.5), QPointF(12, 8)}));
    };
    static const Painter checkUpdate = [](QPainter& p) {
        p.setPen(pen(kBlue, 1.2));
        p.setBrush(QColor(0xD8, 0xE8, 0xF8));
        p.drawEllipse(QRectF(1.5, 1.5, 13, 13));
        p.setBrush(Qt::NoBrush);
        p.drawEllipse(QRectF(5, 1.5, 6, 13));
        p.drawLine(QPointF(1.5, 8), QPointF(14.5, 8));
    };
    static const Painter refreshList = [](QPainter& p) { circularArrow(p, kGreen); };
    static const Painter search = [](QPainter& p) {
        p.setPen(pen(kInk, 1.6));
        p.setBrush(QColor(0xD8, 0xE8, 0xF8));
        p.drawEllipse(QRectF(1.5, 1.5, 9, 9));
        p.setPen(pen(kInk, 2.6));
        p.drawLine(QPointF(9.5, 9.5), QPointF(14, 14));
    };
    static const Painter executeUpdate = [](QPainter& p) {
        p.setPen(pen(kInk, 1));
        p.setBrush(kAmber);
        p.drawPolygon(QPolygonF({QPointF(9.5, 0.5), QPointF(3, 9), QPointF(7.5, 9), QPointF(6, 15.5),
                                 QPointF(13, 6.5), QPointF(8.5, 6.5)}));
    };

    switch (glyph) {
    case TButtonGlyph::Ok: return ok;
    case TButtonGlyph::Cancel: return cancel;
    case TButtonGlyph::New_Project: return newProject;
    case TButtonGlyph::Open_Project: return openProject;
    case TButtonGlyph::Parameters: return parameters;
    case TButtonGlyph::DMX_Values: return dmxValues;
    case TButtonGlyph::Update_Device: return updateDevice;
    case TButtonGlyph::Table_Access: return tableAccess;
    case TButtonGlyph::File_Export: return fileExport;
    case TButtonGlyph::Info: return info;
    case TButtonGlyph::Options: return options;
    case TButtonGlyph::Close: return close;
    case TButtonGlyph::Collapse: return collapse;
    case TButtonGlyph::Expand: return expand;
    case TButtonGlyph::Delete_Row: return deleteRow;
    case TButtonGlyph::Insert_Row: return insertRow;
    case TButtonGlyph::Copy_Row: return copyRow;
    case TButtonGlyph::Paste_Row: return pasteRow;
    case TButtonGlyph::Select_All: return selectAll;
    case TButtonGlyph::Clear_All: return clearAll;
    case TButtonGlyph::Lamp_Map: return lampMap;
    case TButtonGlyph::Import_File: return importFile;
    case TButtonGlyph::Previous: return previous;
    case TButtonGlyph::Next: return next;
    case TButtonGlyph::Check_Update: return checkUpdate;
    case TButtonGlyph::Refresh_List: return refreshList;
    case TButtonGlyph::Search: return search;
    case TButtonGlyph::Execute_Update: return executeUpdate;
    }
    return ok;
}

// How a kind of button looks, apart from its picture.
struct TLook {
    int glyphSize;
    TLbButtonStyle style;
    fw::TAlignment alignment;
    fw::TColor hotTrack;
    fw::TColor down;
    int numGlyphs;
};

TLook lookOf(TButtonGlyph glyph)
{
    const TLook dialog{16, bsEncarta, fw::taCenter, fw::clYellow, kDownColor, 1};
    TLook step{20, bsEncarta, fw::taLeftJustify, fw::clSkyBlue, kDownColor, 1};
    // Without a caption, the pressed Encarta face (bold text, no shift)
    // would not move at all: these keep the plain face.
    const TLook picture{32, bsNormal, fw::taCenter, fw::clSkyBlue, kDownColor, 1};
    switch (glyph) {
    case TButtonGlyph::New_Project:
    case TButtonGlyph::Open_Project:
    case TButtonGlyph::Parameters:
    case TButtonGlyph::Update_Device:
    case TButtonGlyph::Table_Access:
    case TButtonGlyph::File_Export:
        return step;
    case TButtonGlyph::DMX_Values:
        step.numGlyphs = 2;
        return step;
    case TButtonGlyph::Info:
    case TButtonGlyph::Options:
    case TButtonGlyph::Close:
        return picture;
    case TButtonGlyph::Refresh_List:
        return {16, bsNormal, fw::taCenter, fw::clYellow, kDownColor, 1};
    case TButtonGlyph::Collapse:
    case TButtonGlyph::Expand:
        return {7, bsEncarta, fw::taCenter, fw::clYellow, kDownColor, 1};
    case TButtonGlyph::Execute_Update:
        return {16, bsEncarta, fw::taCenter, fw::clSkyBlue, fw::clYellow, 1};
    default:
        return dialog;
    }
}

QImage drawImage(TButtonGlyph glyph, int size, bool disabled)
{
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    {
        QPainter p(&image);
        const bool wholePixels = glyph == TButtonGlyph::Collapse || glyph == TButtonGlyph::Expand;
        if (!wholePixels) {
            p.setRenderHint(QPainter::Antialiasing);
            p.scale(size / 16.0, size / 16.0);
        }
        painterOf(glyph)(p);
    }
    if (disabled) {
        // As disabled pictures look: the shape in one grey.
        for (int y = 0; y < size; ++y) {
            auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
            for (int x = 0; x < size; ++x)
                line[x] = qPremultiply(qRgba(kGreyInk.red(), kGreyInk.green(), kGreyInk.blue(), qAlpha(line[x])));
        }
    }
    return image;
}

QImage glyphStrip(TButtonGlyph glyph, int size, int images)
{
    QImage strip(size * images, size, QImage::Format_ARGB32_Premultiplied);
    strip.fill(Qt::transparent);
    {
        QPainter p(&strip);
        for (int i = 0; i < images; ++i)
            p.drawImage(i * size, 0, drawImage(glyph, size, i == 1));
    }
    // The lower-left pixel of each picture names the see-through colour.
    for (int i = 0; i < images; ++i)
        strip.setPixelColor(i * size, size - 1, kKeyColor);
    return strip;
}

} // namespace

void Set_Button_Look(TLbButton* button, TButtonGlyph glyph)
{
    const TLook look = lookOf(glyph);
    button->SetStyle(look.style);
    button->SetColor(Window_Color);
    button->SetColorWhenDown(look.down);
    button->SetHotTrackColor(look.hotTrack);
    button->SetLightColor(fw::clGray);
    button->SetAlignment(look.alignment);
    // Many buttons share a picture (OK and Cancel in every window): each is
    // drawn once per run, and only when a button first needs it, so the
    // windows made at start-up cost no pictures until they show.
    button->SetGlyphSource([glyph, look]() -> const fw::TBitmap& {
        static std::map<int, fw::TBitmap> drawn;
        fw::TBitmap& strip = drawn[int(glyph)];
        if (strip.Empty())
            strip.SetImage(glyphStrip(glyph, look.glyphSize, look.numGlyphs));
        return strip;
    });
    button->SetNumGlyphs(look.numGlyphs);
}

TLbButton* New_Button(QWidget* parent, const char* name, const QRect& geometry, TButtonGlyph glyph)
{
    auto* button = new TLbButton(parent);
    button->setObjectName(QLatin1String(name));
    button->setGeometry(geometry);
    Set_Button_Look(button, glyph);
    return button;
}
