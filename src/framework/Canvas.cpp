#include "framework/Canvas.h"

#include "framework/Canvas_p.h"
#include "framework/SysColors.h"

#include <QFontMetrics>
#include <QImage>
#include <QPaintDevice>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QPolygon>
#include <algorithm>
#include <optional>

namespace fw {

// ---------------------------------------------------------------- TRegion

TRegion::TRegion(const TRect& r)
    : region_(r.IsEmpty() ? QRegion() : QRegion(r.Left, r.Top, r.Width(), r.Height()))
{
}

TRegion TRegion::Ellipse(const TRect& r)
{
    if (r.IsEmpty())
        return {};
    return TRegion(QRegion(r.Left, r.Top, r.Width(), r.Height(), QRegion::Ellipse));
}

TRegion TRegion::Polygon(const std::vector<TPoint>& points)
{
    QPolygon poly;
    for (const TPoint& p : points)
        poly << QPoint(p.X, p.Y);
    return TRegion(QRegion(poly, Qt::OddEvenFill));
}

bool TRegion::Contains(const TPoint& p) const
{
    return region_.contains(QPoint(p.X, p.Y));
}

TRect TRegion::BoundingRect() const
{
    const QRect b = region_.boundingRect();
    if (b.isEmpty())
        return {};
    return FromQRect(b);
}

std::vector<TRect> TRegion::Rects() const
{
    std::vector<TRect> out;
    for (const QRect& r : region_)
        out.push_back(FromQRect(r));
    return out;
}

TRegionKind TRegion::Kind() const
{
    if (region_.isEmpty())
        return rkNull;
    return region_.rectCount() == 1 ? rkSimple : rkComplex;
}

using namespace canvasdetail;

// ---------------------------------------------------------------- construction

TCanvas::TCanvas() : d(std::make_unique<Impl>()) {}

TCanvas::TCanvas(QPaintDevice* device) : TCanvas()
{
    d->device = device;
}

TCanvas::TCanvas(QPainter* painter) : TCanvas()
{
    // The caller's painter gets its own state back when the canvas ends.
    d->external = painter && painter->isActive() ? painter : nullptr;
    if (d->external)
        d->external->save();
}

TCanvas::~TCanvas()
{
    Release();
    if (d->external && d->external->isActive())
        d->external->restore();
}

QPaintDevice* TCanvas::Device() const
{
    return d->target();
}

QPainter* TCanvas::Painter()
{
    QPainter* p = d->painter();
    if (!p)
        return nullptr;
    d->prepare(p);
    d->usePainterFont(p);
    d->setOutlinePenAndBrush(p);
    d->applyClip();
    return p;
}

void TCanvas::Release()
{
    if (d->own) {
        d->own->end();
        d->own.reset();
    }
    d->clip.reset();
}

TFont& TCanvas::Font() { return d->font; }
TPen& TCanvas::Pen() { return d->pen; }
TBrush& TCanvas::Brush() { return d->brush; }
const TFont& TCanvas::Font() const { return d->font; }
const TPen& TCanvas::Pen() const { return d->pen; }
const TBrush& TCanvas::Brush() const { return d->brush; }

void TCanvas::SetBkMode(TBkMode mode)
{
    d->bkBrush = d->brush;
    d->bkMode = mode;
}

TBkMode TCanvas::BkMode() const
{
    return d->effectiveBkMode();
}

// ---------------------------------------------------------------- lines and shapes

TPoint TCanvas::PenPos() const { return d->penPos; }

void TCanvas::SetPenPos(const TPoint& p)
{
    d->penPos = p;
    d->dashPhase = 0;
}

void TCanvas::MoveTo(int x, int y)
{
    SetPenPos(Point(x, y));
}

void TCanvas::LineTo(int x, int y)
{
    if (QPainter* p = d->painter()) {
        const TPoint a = d->toDevice(d->penPos), b = d->toDevice(Point(x, y));
        d->line(p, a.X, a.Y, b.X, b.Y);
    }
    d->penPos = Point(x, y);
}

void TCanvas::Polyline(const std::vector<TPoint>& points)
{
    if (points.empty())
        return;
    const TPoint keep = d->penPos;
    MoveTo(points[0].X, points[0].Y);
    for (std::size_t i = 1; i < points.size(); ++i)
        LineTo(points[i].X, points[i].Y);
    d->penPos = keep;   // Polyline leaves the pen position alone
}

void TCanvas::Polygon(const std::vector<TPoint>& points)
{
    QPainter* p = d->painter();
    if (!p || points.size() < 2)
        return;
    if (d->mapped()) {
        std::vector<TPoint> device;
        for (const TPoint& pt : points)
            device.push_back(d->toDevice(pt));
        const Impl::DeviceScope scope(*d);
        return Polygon(device);
    }
    QPolygon poly;
    for (const TPoint& pt : points)
        poly << QPoint(pt.X, pt.Y);
    if (d->brush.Style != bsClear) {
        d->prepare(p);
        d->setPenMode(p);   // the mix mode applies to the filling as well
        p->setPen(Qt::NoPen);
        p->setBrush(d->qbrush());
        p->drawPolygon(poly, Qt::OddEvenFill);
        p->setCompositionMode(QPainter::CompositionMode_SourceOver);
    }
    if (d->penVisible()) {
        const TPoint keep = d->penPos;
        d->dashPhase = 0;
        for (std::size_t i = 0; i < points.size(); ++i) {
            const TPoint& a = points[i];
            const TPoint& b = points[(i + 1) % points.size()];
            d->line(p, a.X, a.Y, b.X, b.Y);
        }
        d->penPos = keep;
    }
}

void TCanvas::Rectangle(int left, int top, int right, int bottom)
{
    if (d->mapped()) {
        const TRect r = d->toDevice(TRect(left, top, right, bottom));
        const Impl::DeviceScope scope(*d);
        return Rectangle(r.Left, r.Top, r.Right, r.Bottom);
    }
    QPainter* p = d->painter();
    if (!p)
        return;
    const TRect r = normalisedRect(left, top, right, bottom);
    if (r.IsEmpty())
        return;
    const bool brushOn = d->brush.Style != bsClear;
    if (!d->penVisible()) {
        // Without a pen the desktop fills one pixel less in each direction.
        if (brushOn) {
            d->prepare(p);
            p->fillRect(QRect(r.Left, r.Top, r.Width() - 1, r.Height() - 1), d->qbrush());
        }
        return;
    }
    const int w = std::max(1, d->penWidth());
    // An outline in the brush's own colour is part of the fill.
    if (w == 1 && d->pen.Style == psSolid && d->pen.Mode == pmCopy && d->brush.Style == bsSolid &&
        d->penQColor() == ToQColor(d->brush.Color)) {
        d->prepare(p);
        p->fillRect(ToQRect(r), d->qbrush());
        return;
    }
    if (w == 1 || d->pen.Style != psSolid) {
        if (brushOn && r.Width() > 2 && r.Height() > 2) {
            d->prepare(p);
            d->setPenMode(p);
            p->fillRect(QRect(r.Left + 1, r.Top + 1, r.Width() - 2, r.Height() - 2), d->qbrush());
            p->setCompositionMode(QPainter::CompositionMode_SourceOver);
        }
        const int x1 = r.Right - 1, y1 = r.Bottom - 1;
        d->dashPhase = 0;
        if (x1 == r.Left || y1 == r.Top) {
            d->line(p, r.Left, r.Top, x1 + (y1 == r.Top ? 1 : 0), y1 + (y1 == r.Top ? 0 : 1));
            return;
        }
        d->line(p, r.Left, r.Top, x1, r.Top);
        d->line(p, x1, r.Top, x1, y1);
        d->line(p, x1, y1, r.Left, y1);
        d->line(p, r.Left, y1, r.Left, r.Top);
        return;
    }
    // Wide pens are centred on the outline; psInsideFrame keeps them inside.
    const int before = d->pen.Style == psInsideFrame ? 0 : (w - 1) / 2;
    const QRect outer(r.Left - before, r.Top - before, r.Width() - 1 + w, r.Height() - 1 + w);
    const QRect inner = outer.adjusted(w, w, -w, -w);
    if (brushOn && !inner.isEmpty()) {
        d->prepare(p);
        p->fillRect(inner, d->qbrush());
    }
    QRegion ring = QRegion(outer).subtracted(QRegion(inner));
    d->prepare(p);
    d->setPenMode(p);
    for (const QRect& band : ring)
        p->fillRect(band, d->penQColor());
    p->setCompositionMode(QPainter::CompositionMode_SourceOver);
}

void TCanvas::Ellipse(int left, int top, int right, int bottom)
{
    if (d->mapped()) {
        const TRect r = d->toDevice(TRect(left, top, right, bottom));
        const Impl::DeviceScope scope(*d);
        return Ellipse(r.Left, r.Top, r.Right, r.Bottom);
    }
    d->outlinedShape(left, top, right, bottom, [](QPainter* p, const QRect& box) { p->drawEllipse(box); });
}

void TCanvas::RoundRect(int left, int top, int right, int bottom, int cornerWidth, int cornerHeight)
{
    if (d->mapped()) {
        const TRect r = d->toDevice(TRect(left, top, right, bottom));
        const int cw = d->widthToDevice(cornerWidth), ch = Impl::scale(cornerHeight, d->dpiY(), 254);
        const Impl::DeviceScope scope(*d);
        return RoundRect(r.Left, r.Top, r.Right, r.Bottom, cw, ch);
    }
    d->outlinedShape(left, top, right, bottom, [&](QPainter* p, const QRect& box) {
        p->drawRoundedRect(box, std::max(0, cornerWidth) / 2.0, std::max(0, cornerHeight) / 2.0, Qt::AbsoluteSize);
    });
}

void TCanvas::FillRect(const TRect& r)
{
    if (d->mapped()) {
        const TRect device = d->toDevice(r);
        const Impl::DeviceScope scope(*d);
        return FillRect(device);
    }
    QPainter* p = d->painter();
    if (!p || r.IsEmpty() || d->brush.Style == bsClear)
        return;
    d->prepare(p);
    p->fillRect(ToQRect(r), d->qbrush());
}

void TCanvas::FrameRect(const TRect& r)
{
    if (d->mapped()) {
        const TRect device = d->toDevice(r);
        const Impl::DeviceScope scope(*d);
        return FrameRect(device);
    }
    QPainter* p = d->painter();
    if (!p || r.IsEmpty() || d->brush.Style == bsClear)
        return;
    const QRegion ring = QRegion(ToQRect(r)).subtracted(QRegion(ToQRect(r).adjusted(1, 1, -1, -1)));
    d->prepare(p);
    for (const QRect& band : ring)
        p->fillRect(band, d->qbrush());
}

void TCanvas::DrawFocusRect(const TRect& r)
{
    if (d->mapped()) {
        const TRect device = d->toDevice(r);
        const Impl::DeviceScope scope(*d);
        return DrawFocusRect(device);
    }
    QPainter* p = d->painter();
    if (!p || r.IsEmpty())
        return;
    std::vector<QPoint> pts;
    auto add = [&](int x, int y) {
        if (((x + y) & 1) == 0)
            pts.emplace_back(x, y);
    };
    const int x1 = r.Right - 1, y1 = r.Bottom - 1;
    for (int x = r.Left; x <= x1; ++x) {
        add(x, r.Top);
        if (y1 != r.Top)
            add(x, y1);
    }
    for (int y = r.Top + 1; y < y1; ++y) {
        add(r.Left, y);
        if (x1 != r.Left)
            add(x1, y);
    }
    d->prepare(p);
    p->setCompositionMode(QPainter::RasterOp_SourceXorDestination);
    p->setPen(QPen(Qt::white, 1));
    p->drawPoints(pts.data(), int(pts.size()));
    p->setCompositionMode(QPainter::CompositionMode_SourceOver);
}

void TCanvas::FloodFill(int x, int y, TColor color, TFillStyle style)
{
    if (d->mapped()) {
        const TPoint device = d->toDevice(Point(x, y));
        const Impl::DeviceScope scope(*d);
        return FloodFill(device.X, device.Y, color, style);
    }
    QPainter* p = d->painter();
    QImage snapshot;
    const QImage* img = d->imageDevice();
    if (!img) {
        snapshot = d->snapshot();
        img = &snapshot;
    }
    if (!p || img->isNull() || !img->rect().contains(x, y) || d->brush.Style == bsClear)
        return;
    const QRegion allowed = d->currentClip();
    if (!allowed.contains(QPoint(x, y)))
        return;
    const TColor key = ColorToRGB(color) & 0xFFFFFF;
    const int w = img->width(), h = img->height();
    auto matches = [&](int px, int py) {
        const TColor c = FromQColor(QColor::fromRgb(img->pixel(px, py)));
        return style == fsBorder ? c != key : c == key;
    };
    if (!matches(x, y))
        return;
    std::vector<unsigned char> seen(std::size_t(w) * std::size_t(h), 0);
    std::vector<QPoint> stack{QPoint(x, y)};
    std::vector<QRect> spans;
    while (!stack.empty()) {
        const QPoint s = stack.back();
        stack.pop_back();
        int lx = s.x();
        const int sy = s.y();
        if (seen[std::size_t(sy) * w + lx] || !matches(lx, sy))
            continue;
        while (lx > 0 && !seen[std::size_t(sy) * w + lx - 1] && matches(lx - 1, sy))
            --lx;
        int rx = s.x();
        while (rx + 1 < w && !seen[std::size_t(sy) * w + rx + 1] && matches(rx + 1, sy))
            ++rx;
        for (int i = lx; i <= rx; ++i)
            seen[std::size_t(sy) * w + i] = 1;
        spans.emplace_back(lx, sy, rx - lx + 1, 1);
        for (int ny : {sy - 1, sy + 1}) {
            if (ny < 0 || ny >= h)
                continue;
            for (int i = lx; i <= rx; ++i)
                if (!seen[std::size_t(ny) * w + i] && matches(i, ny))
                    stack.emplace_back(i, ny);
        }
    }
    d->prepare(p);
    const QBrush b = d->qbrush();
    for (const QRect& span : spans)
        p->fillRect(span, b);
}

TColor TCanvas::Pixel(int x, int y) const
{
    const TPoint device = d->toDevice(Point(x, y));
    x = device.X;
    y = device.Y;
    if (const QImage* img = d->imageDevice()) {
        if (!img->rect().contains(x, y))
            return clNone;
        return FromQColor(QColor::fromRgb(img->pixel(x, y)));
    }
    const QImage img = d->snapshot();
    if (img.isNull() || !img.rect().contains(x, y))
        return clNone;
    return FromQColor(QColor::fromRgb(img.pixel(x, y)));
}

void TCanvas::SetPixel(int x, int y, TColor color)
{
    const TPoint device = d->toDevice(Point(x, y));
    if (QPainter* p = d->painter())
        d->fill(p, QRect(device.X, device.Y, 1, 1), ToQColor(color));
}

// ---------------------------------------------------------------- clipping

TRect TCanvas::ClipRect() const
{
    const QRect b = d->clip ? d->clip->boundingRect() : d->deviceRect();
    if (b.isEmpty())
        return {};
    return DPtoLP(FromQRect(b));
}

TRegionKind TCanvas::IntersectClipRect(const TRect& logical)
{
    const TRect r = d->toDevice(logical);
    const QRect q = r.IsEmpty() ? QRect() : ToQRect(r);
    return d->setClip(d->currentClip().intersected(q));
}

TRegionKind TCanvas::ExcludeClipRect(const TRect& logical)
{
    const TRect r = d->toDevice(logical);
    if (r.IsEmpty())
        return d->setClip(d->currentClip());
    return d->setClip(d->currentClip().subtracted(ToQRect(r)));
}

TRegionKind TCanvas::ExtSelectClipRgn(const TRegion& region, TRegionMode mode)
{
    const QRegion& rg = region.ToQRegion();
    const QRegion cur = d->currentClip();
    switch (mode) {
    case rmAnd: return d->setClip(cur.intersected(rg));
    case rmOr: return d->setClip(cur.united(rg));
    case rmXor: return d->setClip(cur.xored(rg));
    case rmDiff: return d->setClip(cur.subtracted(rg));
    case rmCopy: return SelectClipRgn(region);
    }
    return rkError;
}

TRegionKind TCanvas::SelectClipRgn(const TRegion& region)
{
    return d->setClip(region.ToQRegion());
}

void TCanvas::RemoveClip()
{
    d->clip.reset();
    d->applyClip();
}

bool TCanvas::GetClipRgn(TRegion& region) const
{
    if (!d->clip)
        return false;
    region = TRegion(*d->clip);
    return true;
}

int TCanvas::SaveDC()
{
    d->saved.push_back(
        {d->font, d->pen, d->brush, d->penPos, d->bkMode, d->bkBrush, d->clip, d->mapMode, d->viewportOrg});
    return int(d->saved.size());
}

bool TCanvas::RestoreDC(int level)
{
    const int count = int(d->saved.size());
    if (level < 0)
        level = count + 1 + level;
    if (level < 1 || level > count)
        return false;
    const SavedCanvasState s = d->saved[std::size_t(level - 1)];
    d->saved.resize(std::size_t(level - 1));
    d->font = s.font;
    d->pen = s.pen;
    d->brush = s.brush;
    d->penPos = s.penPos;
    d->bkMode = s.bkMode;
    d->bkBrush = s.bkBrush;
    d->clip = s.clip;
    d->mapMode = s.mapMode;
    d->viewportOrg = s.viewportOrg;
    d->applyClip();
    return true;
}

// ---------------------------------------------------------------- pictures

void TCanvas::CopyRect(const TRect& logicalDest, const TCanvas& source, const TRect& logicalSrc)
{
    const TRect dest = d->toDevice(logicalDest), src = source.d->toDevice(logicalSrc);
    QPainter* p = d->painter();
    if (!p || dest.IsEmpty() || src.IsEmpty())
        return;
    const QImage* direct = source.d->imageDevice();
    QImage copy;
    // Copying within one device reads a snapshot, so overlapping areas work.
    if (!direct || &source == this || direct == d->imageDevice()) {
        copy = source.d->snapshot();
        direct = &copy;
    }
    if (direct->isNull())
        return;
    d->prepare(p);
    p->setCompositionMode(QPainter::CompositionMode_Source);
    p->drawImage(ToQRect(dest), *direct, ToQRect(src));
    p->setCompositionMode(QPainter::CompositionMode_SourceOver);
}

void TCanvas::Draw(int x, int y, const TGraphic& graphic)
{
    if (!graphic.Empty())
        graphic.Draw(*this, Bounds(x, y, graphic.Width(), graphic.Height()));
}

void TCanvas::StretchDraw(const TRect& dest, const TGraphic& graphic)
{
    if (!graphic.Empty())
        graphic.Draw(*this, dest);
}

void TCanvas::BrushCopy(const TRect& logicalDest, const TBitmap& bitmap, const TRect& src, TColor keyColor)
{
    const TRect dest = d->toDevice(logicalDest);
    QPainter* p = d->painter();
    if (!p || bitmap.Empty() || dest.IsEmpty() || src.IsEmpty())
        return;
    QImage img = bitmap.ToImage().copy(ToQRect(src)).convertToFormat(QImage::Format_ARGB32);
    const TColor key = ColorToRGB(keyColor) & 0xFFFFFF;
    const QRgb replacement = ToQColor(d->brush.Color).rgb();
    for (int y = 0; y < img.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(img.scanLine(y));
        for (int x = 0; x < img.width(); ++x)
            if (FromQColor(QColor::fromRgb(line[x])) == key)
                line[x] = replacement;
    }
    d->prepare(p);
    p->setCompositionMode(QPainter::CompositionMode_Source);
    p->drawImage(ToQRect(dest), img);
    p->setCompositionMode(QPainter::CompositionMode_SourceOver);
}

void TCanvas::DrawImage(const TRect& logicalDest, const QImage& image, const TRect& src)
{
    const TRect dest = d->toDevice(logicalDest);
    QPainter* p = d->painter();
    if (!p || image.isNull() || dest.IsEmpty() || src.IsEmpty())
        return;
    d->prepare(p);
    p->drawImage(ToQRect(dest), image, ToQRect(src));
}

// ---------------------------------------------------------------- mapping mode

void TCanvas::SetDesignMetrics(bool value)
{
    d->designMetrics = value;
    d->fontCached = false;
}

void TCanvas::SetMapMode(TMapMode mode)
{
    d->mapMode = mode == mmLoMetric ? mmLoMetric : mmText;
}

TMapMode TCanvas::MapMode() const { return d->mapMode; }
void TCanvas::SetViewportOrg(const TPoint& origin) { d->viewportOrg = origin; }
TPoint TCanvas::ViewportOrg() const { return d->viewportOrg; }
int TCanvas::PixelsPerInchX() const { return d->dpiX(); }
int TCanvas::PixelsPerInchY() const { return d->dpiY(); }
TPoint TCanvas::LPtoDP(const TPoint& p) const { return d->toDevice(p); }
TPoint TCanvas::DPtoLP(const TPoint& p) const { return d->toLogical(p); }

TRect TCanvas::LPtoDP(const TRect& r) const
{
    const TPoint a = d->toDevice(Point(r.Left, r.Top)), b = d->toDevice(Point(r.Right, r.Bottom));
    return TRect(a.X, a.Y, b.X, b.Y);
}

TRect TCanvas::DPtoLP(const TRect& r) const
{
    const TPoint a = d->toLogical(Point(r.Left, r.Top)), b = d->toLogical(Point(r.Right, r.Bottom));
    return TRect(a.X, a.Y, b.X, b.Y);
}

QImage TCanvas::ToImage() const
{
    return d->snapshot();
}

TSize TCanvas::DeviceSize() const
{
    const QRect r = d->deviceRect();
    return TSize(r.width(), r.height());
}

} // namespace fw
