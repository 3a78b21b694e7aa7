#include "controls/dropdown/FxColorPanels.h"

#include "framework/Canvas.h"
#include "framework/Input.h"
#include "framework/SysColors.h"
#include "framework/SysUtils.h"

#include <QColor>
#include <QMouseEvent>
#include <QPainter>
#include <QToolTip>

#include <algorithm>
#include <cmath>

using namespace fw;

void TColorBoxItem::SetColor(TColor value) { SetAndNotify(FColor, value); }

void TColorBoxItem::Assign(const TColorBoxItem& source)
{
    SetColor(source.FColor);
    FColorBoxPos = source.FColorBoxPos;
}

TFxCustomColorSelectorPanel::TFxCustomColorSelectorPanel(QWidget* parent) : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);
}

void TFxCustomColorSelectorPanel::SetColor(TColor value)
{
    FColor = value;
    update();
}

// ---- palette ----------------------------------------------------------------------------

TCustomColorSelector::TCustomColorSelector(QWidget* parent) : TFxCustomColorSelectorPanel(parent)
{
    SetItemColorStyle(scOffice2007);
    FItems.OnChange = [this] { update(); };
}

void TCustomColorSelector::SetDefaultColors()
{
    static const TColor rows[6][10] = {
        {0xFFFFFF, 0x000000, 0xE1ECEE, 0x7D491F, 0xBD814F, 0x4D50C0, 0x59BB9B, 0xA26480, 0xC6AC4B, 0x4696F7},
        {0xF2F2F2, 0x7F7F7F, 0xC3D9DD, 0xDACEC2, 0xF1E5DB, 0xDBDCF2, 0xDDF1EB, 0xECE0E5, 0xF3EEDB, 0xDAEAFD},
        {0xD8D8D8, 0x595959, 0x97BDC4, 0xE2B38D, 0xE4CCB8, 0xB7B9E5, 0xBCE3D7, 0xD9C1CC, 0xE8DDB7, 0xB5D5FB},
        {0xBFBFBF, 0x3F3F3F, 0x538993, 0xD48D54, 0xD7B395, 0x9496D9, 0x9BD6C3, 0xC7A2B2, 0xDCCD92, 0x8FC0FA},
        {0xA5A5A5, 0x262626, 0x294449, 0x5D3617, 0x926036, 0x343795, 0x3C9276, 0x7A495F, 0x9B8531, 0x096CE3},
        {0x7F7F7F, 0x0C0C0C, 0x101B1D, 0x3E240F, 0x614024, 0x232463, 0x28614F, 0x51313F, 0x675820, 0x064897},
    };
    static const TItemPos positions[6] = {ipStandAlone, ipTop, ipMiddle, ipMiddle, ipMiddle, ipBottom};
    FItems.Clear();
    for (int r = 0; r < 6; ++r)
        for (TColor c : rows[r]) {
            TColorBoxItem* item = FItems.Add();
            item->SetColor(c);
            item->SetColorBoxPos(positions[r]);
        }
}

TRect TCustomColorSelector::GetItemsRect() const
{
    return TRect(0, 0, width(), height()).Inflated(-FOffSetX, -FOffSetY);
}

TSize TCustomColorSelector::GetItemSize() const { return TSize(FColorBoxWidth, FColorBoxHeight); }

void TCustomColorSelector::UpdateItems()
{
    if (FItems.Count() == 0) {
        resize(100, 50);
        return;
    }
    FItemHot = -1;
    const TSize size = GetItemSize();
    const TRect area = GetItemsRect();
    const int startX = area.Left, startY = area.Top;
    const int count = FItems.Count();
    int x = startX, y = startY, widest = 0, rowStart = 0;
    for (int i = 0; i < count; ++i) {
        FItems.Items(i)->SetRect(Bounds(x, y, size.cx, size.cy));
        widest = std::max(widest, x);
        const bool rowEnds = FColumns <= 0 || (i - rowStart + 1) == FColumns;
        if (rowEnds && i + 1 < count) {
            // A row holding a stand-alone box (not the very last) keeps a gap below.
            bool spaced = false;
            for (int k = rowStart; k <= i; ++k)
                if (k != count - 1 && FItems.Items(k)->ColorBoxPos() == ipStandAlone)
                    spaced = true;
            x = startX;
            y += size.cy + (spaced ? FColumnGap : 0);
            rowStart = i + 1;
        } else {
            x += size.cx + FColumnGap;
        }
    }
    resize(widest + size.cx + startX + 1, y + size.cy + startY);
    update();
}

int TCustomColorSelector::ItemAtPos(const QPoint& p) const
{
    for (int i = 0; i < FItems.Count(); ++i)
        if (FItems.Items(i)->Rect().Contains(TPoint(p.x(), p.y())))
            return i;
    return -1;
}

void TCustomColorSelector::InvalidateItem(int index)
{
    if (const TColorBoxItem* item = FItems.Items(index))
        update(ToQRect(item->Rect()).adjusted(-1, -1, 1, 1));
}

void TCustomColorSelector::SetItemIndex(int value)
{
    if (value >= FItems.Count())
        return;
    if (FItemIndex >= 0 && FItemIndex != value)
        InvalidateItem(FItemIndex);
    FItemIndex = value < 0 ? -1 : value;
    if (value < 0)
        return;
    FSelectedColor = FItems.Items(value)->Color();
    repaint(ToQRect(FItems.Items(value)->Rect()).adjusted(-1, -1, 1, 1));
    if (OnItemSelect)
        OnItemSelect(this);
}

void TCustomColorSelector::SetItemHot(int value)
{
    if (value == FItemHot)
        return;
    const int old = FItemHot;
    FItemHot = value;
    if (old >= 0)
        InvalidateItem(old);
    if (const TColorBoxItem* item = FItems.Items(value))
        repaint(ToQRect(item->Rect()).adjusted(-1, -1, 1, 1));
}

void TCustomColorSelector::SetSelectedColor(TColor value)
{
    if (value == FSelectedColor)
        return;
    FSelectedColor = value;
    int found = -1;
    if (value != clNone)
        for (int i = 0; i < FItems.Count() && found < 0; ++i)
            if (FItems.Items(i)->Color() == value)
                found = i;
    SetItemIndex(found);
}

void TCustomColorSelector::SetColumns(int value)
{
    if (value == FColumns)
        return;
    FColumns = value;
    UpdateItems();
}

void TCustomColorSelector::SetColumnGap(int value)
{
    if (value == FColumnGap)
        return;
    FColumnGap = value;
    UpdateItems();
}

void TCustomColorSelector::SetColorBoxWidth(int value)
{
    if (value == FColorBoxWidth)
        return;
    FColorBoxWidth = value;
    UpdateItems();
}

void TCustomColorSelector::SetColorBoxHeight(int value)
{
    if (value == FColorBoxHeight)
        return;
    FColorBoxHeight = value;
    UpdateItems();
}

void TCustomColorSelector::SetItemColorStyle(TSelectionColorStyle value)
{
    if (value == FItemColorStyle)
        return;
    FItemColorStyle = value;
    if (value != scCustom)
        FColorBoxAppearance = TColorBoxAppearance();
    update();
}

void TCustomColorSelector::SelectFirst()
{
    if (FItems.Count() > 0)
        SetItemIndex(0);
}

void TCustomColorSelector::SelectLast()
{
    if (FItems.Count() > 0)
        SetItemIndex(FItems.Count() - 1);
}

void TCustomColorSelector::SelectNext()
{
    if (FItemIndex + 1 < FItems.Count())
        SetItemIndex(FItemIndex + 1);
}

void TCustomColorSelector::SelectPrevious()
{
    if (FItemIndex >= 1)
        SetItemIndex(FItemIndex - 1);
}

void TCustomColorSelector::HotNext()
{
    if (FItemHot + 1 < FItems.Count())
        SetItemHot(FItemHot + 1);
}

void TCustomColorSelector::HotPrevious()
{
    if (FItemHot >= 1)
        SetItemHot(FItemHot - 1);
}

void TCustomColorSelector::HandleKey(int key, bool editorEnabled, bool droppedDown)
{
    switch (key) {
    case VK_PRIOR:
    case VK_HOME: SelectFirst(); break;
    case VK_NEXT:
    case VK_END: SelectLast(); break;
    case VK_LEFT:
    case VK_RIGHT:
        if (!editorEnabled || droppedDown) {
            if (key == VK_LEFT)
                SelectPrevious();
            else
                SelectNext();
        }
        break;
    case VK_UP:
    case VK_DOWN:
        if (!droppedDown) {
            if (key == VK_UP)
                SelectPrevious();
            else
                SelectNext();
        } else {
            // One row up or down, when there is a box there.
            const int target = FItemIndex < 0 ? 0 : FItemIndex + (key == VK_UP ? -FColumns : FColumns);
            if (target >= 0 && target < FItems.Count())
                SetItemIndex(target);
        }
        break;
    default: break;
    }
}

void TCustomColorSelector::DrawItem(int index, TCanvas& canvas)
{
    const TColorBoxItem* item = FItems.Items(index);
    if (!item)
        return;
    TRect r = item->Rect();
    if (r.Left < 0 && r.Right < 0)
        return;
    const TColorBoxAppearance& a = FColorBoxAppearance;
    TColor frame = a.BorderColor, inner = clNone;
    const bool hot = index == FItemHot, selected = index == FItemIndex;
    if (hot) {
        frame = a.OuterBorderColorHot;
        inner = a.InnerBorderColorHot;
    }
    if (selected) {
        frame = a.OuterBorderColorSelected;
        inner = a.InnerBorderColorSelected;
    }
    canvas.Pen().Width = 1;
    canvas.Pen().Style = psSolid;
    if (item->Color() != clNone) {
        canvas.Brush().Color = item->Color();
        canvas.Brush().Style = bsSolid;
        canvas.Pen().Color = item->Color();
        canvas.Rectangle(r);
    }
    canvas.Brush().Style = bsClear;
    if (hot || selected) {
        if (frame != clNone) {
            canvas.Pen().Color = frame;
            canvas.Rectangle(r);
            r = r.Inflated(-1, -1);
        }
        if (inner != clNone) {
            canvas.Pen().Color = inner;
            canvas.Rectangle(r);
        }
        return;
    }
    canvas.Pen().Color = a.BorderColor;
    const int L = r.Left, T = r.Top, R = r.Right, B = r.Bottom;
    switch (item->ColorBoxPos()) {
    case ipStandAlone: canvas.Polyline({TPoint(L, B), TPoint(L, T), TPoint(R, T), TPoint(R, B), TPoint(L, B)}); break;
    case ipTop: canvas.Polyline({TPoint(L, B), TPoint(L, T), TPoint(R, T), TPoint(R, B)}); break;
    case ipMiddle:
        canvas.Polyline({TPoint(L, T), TPoint(L, B)});
        canvas.Polyline({TPoint(R, T), TPoint(R, B)});
        break;
    case ipBottom:
        canvas.Polyline({TPoint(L, T), TPoint(L, B), TPoint(R, B)});
        canvas.Polyline({TPoint(R, T), TPoint(R, B + 1)});
        break;
    }
}

void TCustomColorSelector::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    TCanvas canvas(&painter);
    canvas.Brush().Color = FColor;
    canvas.Brush().Style = bsSolid;
    canvas.FillRect(TRect(0, 0, width(), height()));
    for (int i = 0; i < FItems.Count(); ++i)
        DrawItem(i, canvas);
}

void TCustomColorSelector::mousePressEvent(QMouseEvent* e)
{
    e->accept();
    const int index = ItemAtPos(e->position().toPoint());
    if (index >= 0)
        SetItemIndex(index);
}

void TCustomColorSelector::mouseMoveEvent(QMouseEvent* e)
{
    SetItemHot(ItemAtPos(e->position().toPoint()));
    QWidget::mouseMoveEvent(e);
}

void TCustomColorSelector::leaveEvent(QEvent* e)
{
    SetItemHot(-1);
    QWidget::leaveEvent(e);
}

// ---- cube -------------------------------------------------------------------------------

TFxColorCubePanel::TFxColorCubePanel(QWidget* parent) : TFxCustomColorSelectorPanel(parent)
{
    InitCells();
    SetShowRGBHint(true);
    resize(182, 160);
}

void TFxColorCubePanel::InitCells()
{
    static const TColor colors[CellCount] = {
        0x663300, 0x996633, 0xCC6633, 0x993300, 0x990000, 0xCC0000, 0x660000,
        0x666600, 0x996600, 0xCC9900, 0xCC6600, 0xCC3300, 0xFF0000, 0xFF3333, 0x993333,
        0x808000, 0x999900, 0xCCCC33, 0xFFCC00, 0xFF9900, 0xFF6600, 0xFF6633, 0xCC3333, 0x996666,
        0x669933, 0x99CC00, 0xCCFF00, 0xFFFF00, 0xFFCC33, 0xFF9933, 0xFF9966, 0xFF6666, 0xFF0066, 0xCC0066,
        0x339933, 0x66CC00, 0x99FF00, 0xCCFF66, 0xFFFF66, 0xFFCC66, 0xFFCC99, 0xFF9999, 0xFF6699, 0xFF3399, 0xFF0099,
        0x006600, 0x00CC00, 0x00FF00, 0x99FF66, 0xCCFF99, 0xFFFFCC, 0xFFECCC, 0xFFCCCC, 0xFF99CC, 0xFF66CC, 0xFF00CC,
        0xCC0099,
        0x003300, 0x008000, 0x33CC33, 0x66FF66, 0x99FF99, 0xCCFFCC, 0xFFFFFF, 0xFFCCFF, 0xFF99FF, 0xFF66FF, 0xFF00FF,
        0xCC00CC, 0x660066,
        0x006633, 0x009900, 0x33FF66, 0x66FF99, 0x99FFCC, 0xCCFFFF, 0xCCCCFF, 0xCC99FF, 0xCC66FF, 0xCC33FF, 0x9900CC,
        0x800080,
        0x003333, 0x009966, 0x33FF99, 0x66FFCC, 0x99FFFF, 0x99CCFF, 0x9999FF, 0x9966FF, 0x9933FF, 0x9933CC, 0x990099,
        0x336666, 0x00CC99, 0x33FFCC, 0x66FFFF, 0x66CCFF, 0x6699FF, 0x807CFF, 0x6600FF, 0x9300D6, 0x663399,
        0x008080, 0x00CCCC, 0x00FFFF, 0x00CCFF, 0x3399FF, 0x0066FF, 0x5050FF, 0x6600CC, 0x330066,
        0x336699, 0x0099CC, 0x0099FF, 0x0066CC, 0x0033FF, 0x0000FF, 0x0000CC, 0x330099,
        0x003366, 0x006699, 0x0033CC, 0x003399, 0x000099, 0x000080, 0x2100A5,
    };
    FCubeSize = TPoint(6, 3);
    int n = 0;
    for (int r = 1; r <= 13; ++r) {
        const int cells = r <= 7 ? r + 6 : 20 - r;
        const int firstX = r <= 7 ? 55 - 6 * (r - 1) : 19 + 6 * (r - 7);
        for (int k = 0; k < cells; ++k, ++n)
            FCubeCells[std::size_t(n)] = {firstX + k * 2 * FCubeSize.X, 20 + 10 * (r - 1), colors[n]};
    }
}

void TFxColorCubePanel::ResetHot()
{
    FHotIndex = -1;
    resize(182, 160);
}

int TFxColorCubePanel::CellAtPos(const QPoint& p) const
{
    const int radius2 = FCubeSize.X * FCubeSize.X;
    for (int i = 1; i <= CellCount; ++i) {
        const TCubeCell& c = Cell(i);
        const int dx = c.X - p.x(), dy = c.Y - p.y();
        if (dx * dx + dy * dy <= radius2)
            return i;
    }
    return -1;
}

void TFxColorCubePanel::SetSelectedColor(TColor value)
{
    FSelectedColor = value;
    FSelectedIndex = -1;
    for (int i = 1; i <= CellCount; ++i)
        if (Cell(i).Color == value) {
            FSelectedIndex = i;
            break;
        }
}

void TFxColorCubePanel::SetShowRGBHint(bool value)
{
    FShowRGBHint = value;
    setAttribute(Qt::WA_AlwaysShowToolTips, value);
}

namespace {

// The hexagon of half-width b and quarter-height a around (x, y).
std::vector<TPoint> hexagon(int x, int y, int b, int a)
{
    return {TPoint(x - b, y - a), TPoint(x, y - 2 * a), TPoint(x + b, y - a),
            TPoint(x + b, y + a), TPoint(x, y + 2 * a), TPoint(x - b, y + a)};
}

} // namespace

void TFxColorCubePanel::DrawCell(TCanvas& canvas, int number) const
{
    if (number < 1 || number > CellCount)
        return;
    const TCubeCell& c = Cell(number);
    canvas.Pen().Width = 1;
    canvas.Pen().Style = psSolid;
    canvas.Pen().Color = c.Color;
    canvas.Brush().Color = c.Color;
    canvas.Brush().Style = bsSolid;
    canvas.Polygon(hexagon(c.X, c.Y, 6, 3));
    auto frame = [&](TColor outer) {
        canvas.Brush().Style = bsClear;
        canvas.Pen().Color = outer;
        canvas.Polygon(hexagon(c.X, c.Y, 5, 3));
        canvas.Pen().Color = clWhite;
        canvas.Polygon(hexagon(c.X, c.Y, 4, 2));
    };
    if (number == FHotIndex)
        frame(0x0000FF);
    if (number == FSelectedIndex)
        frame(clBlack);
}

void TFxColorCubePanel::RepaintCell(int number)
{
    if (number < 1 || number > CellCount)
        return;
    const TCubeCell& c = Cell(number);
    repaint(QRect(c.X - 7, c.Y - 7, 15, 15));
}

void TFxColorCubePanel::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    TCanvas canvas(&painter);
    canvas.Brush().Color = FColor;
    canvas.Brush().Style = bsSolid;
    canvas.FillRect(TRect(0, 0, width(), height()));
    for (int i = 1; i <= CellCount; ++i)
        DrawCell(canvas, i);
    // Frames go over the neighbours drawn after their cell.
    if (FHotIndex > 0)
        DrawCell(canvas, FHotIndex);
    if (FSelectedIndex > 0)
        DrawCell(canvas, FSelectedIndex);
}

void TFxColorCubePanel::mouseMoveEvent(QMouseEvent* e)
{
    const int cell = CellAtPos(e->position().toPoint());
    if (cell > 0 && cell != FHotIndex) {
        const int old = FHotIndex;
        FHotIndex = cell;
        RepaintCell(old);
        RepaintCell(cell);
        if (FShowRGBHint) {
            const TColor c = Cell(cell).Color;
            setToolTip(Format(QStringLiteral("Red: %d,  Green: %d,  Blue: %d"),
                              {GetRValue(c), GetGValue(c), GetBValue(c)}));
            QToolTip::hideText();
        }
    } else if (cell < 0 && FShowRGBHint) {
        // The hot cell keeps its frame; only the hint goes.
        setToolTip(QString());
        QToolTip::hideText();
    }
    QWidget::mouseMoveEvent(e);
}

void TFxColorCubePanel::mousePressEvent(QMouseEvent* e)
{
    e->accept();
    const int cell = CellAtPos(e->position().toPoint());
    if (cell < 0)
        return;
    const int old = FSelectedIndex;
    FSelectedIndex = cell;
    FSelectedColor = Cell(cell).Color;
    RepaintCell(old);
    RepaintCell(cell);
    if (OnSelect)
        OnSelect(this);
}

void TFxColorCubePanel::mouseReleaseEvent(QMouseEvent* e)
{
    e->accept();
    if (OnShouldHide)
        OnShouldHide(this);
}

// ---- spectrum ---------------------------------------------------------------------------

namespace {

// Lightness of a row, through the measured points of the spectrum picture.
double rowLightness(int row)
{
    static const std::pair<int, double> points[] = {{0, 0.99},   {16, 0.83},  {32, 0.64},  {48, 0.53},
                                                    {63, 0.50},  {72, 0.50},  {88, 0.45},  {96, 0.39},
                                                    {104, 0.30}, {112, 0.19}, {120, 0.09}, {127, 0.02}};
    for (std::size_t i = 1; i < std::size(points); ++i) {
        if (row <= points[i].first) {
            const auto [r0, l0] = points[i - 1];
            const auto [r1, l1] = points[i];
            return l0 + (l1 - l0) * double(row - r0) / double(r1 - r0);
        }
    }
    return points[std::size(points) - 1].second;
}

// Full saturation at the pure hues of rows 63 and 64, about 60 % at the edges.
double rowSaturation(int row)
{
    if (row >= 63 && row <= 64)
        return 1.0;
    const double distance = row < 63 ? double(63 - row) / 63.0 : double(row - 64) / 63.0;
    return 1.0 - 0.4 * distance;
}

// The mouse cursor over the spectrum.
constexpr Qt::CursorShape kPointerCursor = Qt::CrossCursor;

} // namespace

const QImage& TFxColorSpectrumPanel::SpectrumBitmap()
{
    static const QImage image = [] {
        QImage img(128, 128, QImage::Format_RGB32);
        for (int y = 0; y < 128; ++y)
            for (int x = 0; x < 128; ++x)
                img.setPixelColor(x, y, QColor::fromHslF(float(x) / 128.0f, float(rowSaturation(y)),
                                                         float(rowLightness(y))));
        return img;
    }();
    return image;
}

namespace {

class TSpectrumImage : public QWidget {
public:
    explicit TSpectrumImage(QWidget* parent) : QWidget(parent)
    {
        resize(128, 128);
        setMouseTracking(true);
        setCursor(kPointerCursor);
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter p(this);
        p.drawImage(0, 0, TFxColorSpectrumPanel::SpectrumBitmap());
    }
};

} // namespace

TFxColorSpectrumPanel::TFxColorSpectrumPanel(QWidget* parent) : TFxCustomColorSelectorPanel(parent)
{
    FSpectrumImage = new TSpectrumImage(this);
    FSpectrumImage->installEventFilter(this);
    UpdateLayout();
}

void TFxColorSpectrumPanel::UpdateLayout()
{
    resize(150, 174);
    const int left = (150 - 128) / 2, top = 10;
    FSpectrumImage->setGeometry(left, top, 128, 128);
    const int bottom = top + 128;
    FSelectedRect = TRect(left - 1, bottom + 8, left + 128 / 2 - 2, bottom + 28);
    FHotRect = TRect(FSelectedRect.Right + 4, FSelectedRect.Top, left + 128 + 1, FSelectedRect.Bottom);
    FHotColor = clNone;
    update();
}

void TFxColorSpectrumPanel::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    TCanvas canvas(&painter);
    canvas.Brush().Color = FColor;
    canvas.Brush().Style = bsSolid;
    canvas.FillRect(TRect(0, 0, width(), height()));
    const TRect picture = FromQRect(FSpectrumImage->geometry());
    canvas.Brush().Style = bsClear;
    canvas.Pen().Width = 1;
    canvas.Pen().Style = psSolid;
    canvas.Pen().Color = clWhite;
    canvas.Rectangle(picture.Inflated(1, 1));
    canvas.Pen().Color = 0x808080;
    canvas.Rectangle(picture.Inflated(2, 2));
    auto swatch = [&](const TRect& r, TColor color) {
        canvas.Brush().Style = bsClear;
        canvas.Pen().Color = 0x808080;
        canvas.Rectangle(r.Inflated(1, 1));
        canvas.Pen().Color = clWhite;
        canvas.Brush().Color = color;
        canvas.Brush().Style = color == clNone ? bsClear : bsSolid;
        canvas.Rectangle(r);
    };
    swatch(FSelectedRect, FSelectedColor);
    swatch(FHotRect, FHotColor);
}

bool TFxColorSpectrumPanel::eventFilter(QObject* watched, QEvent* e)
{
    if (watched != FSpectrumImage)
        return false;
    auto pixelAt = [](const QPointF& p) {
        const QPoint q = p.toPoint();
        const QImage& img = SpectrumBitmap();
        return img.valid(q) ? FromQColor(img.pixelColor(q)) : clNone;
    };
    switch (e->type()) {
    case QEvent::MouseMove:
        // The colour under the pointer, as the picture shows it.
        FHotColor = pixelAt(static_cast<QMouseEvent*>(e)->position());
        repaint(ToQRect(FHotRect.Inflated(1, 1)));
        return false;
    case QEvent::MouseButtonPress:
        FHotColor = pixelAt(static_cast<QMouseEvent*>(e)->position());
        FSelectedColor = FHotColor;
        repaint(ToQRect(FSelectedRect.Inflated(1, 1)));
        if (OnSelect)
            OnSelect(this);
        return true;
    case QEvent::MouseButtonRelease:
        if (OnShouldHide)
            OnShouldHide(this);
        return true;
    default: return false;
    }
}

void TFxColorSpectrumPanel::mouseReleaseEvent(QMouseEvent* e)
{
    e->accept();
    if (OnShouldHide)
        OnShouldHide(this);
}
