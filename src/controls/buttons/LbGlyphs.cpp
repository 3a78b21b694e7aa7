#include "controls/buttons/LbGlyphs.h"

#include "framework/Graphics.h"
#include "framework/SysColors.h"

#include <QImage>
#include <QPainter>
#include <QPainterPath>

#include <functional>

namespace {

const QColor kBack = fw::ToQColor(LbGlyphBackground);
const QColor kGreen(0x00, 0x80, 0x00);
const QColor kRed(0xFF, 0x00, 0x00);
const QColor kMaroon(0x80, 0x00, 0x00);
const QColor kNavy(0x00, 0x00, 0x80);
const QColor kBlue(0x00, 0x00, 0xFF);
const QColor kTeal(0x00, 0x80, 0x80);
const QColor kBlack(0x00, 0x00, 0x00);
const QColor kWhite(0xFF, 0xFF, 0xFF);
const QColor kGray(0x80, 0x80, 0x80);
const QColor kYellow(0xFF, 0xFF, 0x00);

using Painter = std::function<void(QPainter&)>;

QPen thick(const QColor& c, int width = 2)
{
    QPen pen(c, width);
    pen.setCapStyle(Qt::SquareCap);
    pen.setJoinStyle(Qt::MiterJoin);
    return pen;
}

void checkMark(QPainter& p, int dx, int dy, const QColor& c)
{
    p.setPen(thick(c));
    p.drawPolyline(QPolygon({QPoint(3 + dx, 9 + dy), QPoint(6 + dx, 12 + dy), QPoint(13 + dx, 5 + dy)}));
}

void drawOk(QPainter& p) { checkMark(p, 0, 0, kGreen); }

void drawCancel(QPainter& p)
{
    p.setPen(thick(kRed));
    p.drawLine(5, 5, 12, 12);
    p.drawLine(12, 5, 5, 12);
}

void drawHelp(QPainter& p)
{
    p.setPen(thick(kBlue));
    QPainterPath hook;
    hook.moveTo(5, 6);
    hook.arcTo(QRectF(5, 2, 7, 6), 180, -270);
    hook.lineTo(8.5, 10);
    p.drawPath(hook);
    p.fillRect(QRect(8, 13, 2, 2), kBlue);
}

void drawYes(QPainter& p)
{
    p.setPen(QPen(kGreen, 1));
    p.drawEllipse(QRect(1, 1, 15, 15));
    checkMark(p, 0, 0, kGreen);
}

void drawNo(QPainter& p)
{
    p.setPen(thick(kRed));
    p.drawEllipse(QRect(3, 3, 11, 11));
    p.drawLine(5, 12, 12, 5);
}

void drawClose(QPainter& p)
{
    p.setPen(QPen(kBlack, 1));
    p.drawRect(QRect(4, 2, 9, 13));
    p.fillRect(QRect(5, 3, 8, 12), kTeal);
    p.fillRect(QRect(10, 8, 2, 2), kYellow);
}

void drawAbort(QPainter& p)
{
    const QPolygon octagon({QPoint(6, 2), QPoint(11, 2), QPoint(15, 6), QPoint(15, 11), QPoint(11, 15),
                            QPoint(6, 15), QPoint(2, 11), QPoint(2, 6)});
    p.setPen(QPen(kMaroon, 1));
    p.setBrush(kRed);
    p.drawPolygon(octagon);
    p.setBrush(Qt::NoBrush);
    p.fillRect(QRect(5, 8, 8, 2), kWhite);
}

void drawRetry(QPainter& p)
{
    p.setPen(thick(kGreen));
    p.drawArc(QRect(3, 3, 11, 11), 90 * 16, 270 * 16);
    p.setPen(Qt::NoPen);
    p.setBrush(kGreen);
    p.drawPolygon(QPolygon({QPoint(8, 0), QPoint(12, 4), QPoint(8, 7)}));
    p.setBrush(Qt::NoBrush);
}

void drawIgnore(QPainter& p)
{
    p.setPen(thick(kNavy));
    p.drawArc(QRect(3, 4, 11, 10), 0, 180 * 16);
    p.setPen(Qt::NoPen);
    p.setBrush(kNavy);
    p.drawPolygon(QPolygon({QPoint(11, 9), QPoint(17, 9), QPoint(14, 13)}));
    p.setBrush(Qt::NoBrush);
    p.fillRect(QRect(7, 12, 3, 3), kBlack);
}

void drawAll(QPainter& p)
{
    checkMark(p, -1, -2, kGreen);
    checkMark(p, 2, 3, kGreen);
}

// The normal image as drawn, the disabled one embossed from it: a white
// copy one pixel down-right under a grey copy, as disabled pictures look.
QImage strip(int imageHeight, const Painter& draw)
{
    const int w = 18;
    QImage normal(w, imageHeight, QImage::Format_RGB32);
    normal.fill(kBack);
    {
        QPainter p(&normal);
        p.setRenderHint(QPainter::Antialiasing, false);
        draw(p);
    }
    const QRgb back = kBack.rgb();
    QImage disabled(w, imageHeight, QImage::Format_RGB32);
    disabled.fill(kBack);
    for (int y = 0; y < imageHeight; ++y)
        for (int x = 0; x < w; ++x)
            if (normal.pixel(x, y) != back && x + 1 < w && y + 1 < imageHeight)
                disabled.setPixel(x + 1, y + 1, kWhite.rgb());
    for (int y = 0; y < imageHeight; ++y)
        for (int x = 0; x < w; ++x)
            if (normal.pixel(x, y) != back)
                disabled.setPixel(x, y, kGray.rgb());
    // Keep the lower-left corner free: it names the transparent colour.
    disabled.setPixel(0, imageHeight - 1, back);
    normal.setPixel(0, imageHeight - 1, back);

    QImage out(2 * w, imageHeight, QImage::Format_RGB32);
    QPainter p(&out);
    p.drawImage(0, 0, normal);
    p.drawImage(w, 0, disabled);
    return out;
}

QImage arrow()
{
    QImage img(5, 3, QImage::Format_RGB32);
    img.fill(kBack);
    for (int x = 0; x < 5; ++x)
        img.setPixel(x, 0, kBlack.rgb());
    for (int x = 1; x < 4; ++x)
        img.setPixel(x, 1, kBlack.rgb());
    img.setPixel(2, 2, kBlack.rgb());
    return img;
}

} // namespace

bool LoadLbGlyph(const QString& name, fw::TBitmap& target)
{
    struct Entry {
        const char* name;
        Painter draw;
    };
    static const Entry kinds[] = {
        {"LBOK", drawOk},       {"LBCANCEL", drawCancel}, {"LBHELP", drawHelp},
        {"LBYES", drawYes},     {"LBNO", drawNo},         {"LBCLOSE", drawClose},
        {"LBABORT", drawAbort}, {"LBRETRY", drawRetry},   {"LBIGNORE", drawIgnore},
    };
    const QString upper = name.toUpper();
    for (const Entry& e : kinds) {
        if (upper == QLatin1String(e.name)) {
            target.SetImage(strip(18, e.draw));
            return true;
        }
    }
    if (upper == QLatin1String("LBALL")) {
        target.SetImage(strip(19, drawAll));
        return true;
    }
    if (upper == QLatin1String("LBARROW")) {
        target.SetImage(arrow());
        return true;
    }
    target.Clear();
    return false;
}
