#pragma once
// Private to the canvas sources: the canvas's state and the pixel helpers
// shared by its shape, text and frame drawing.
#include "framework/Canvas.h"
#include "framework/SysColors.h"

#include <QFontMetrics>
#include <QImage>
#include <QPaintDevice>
#include <QPainter>
#include <QPixmap>
#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <optional>

namespace fw {
namespace canvasdetail {

inline TRect normalisedRect(int l, int t, int r, int b)
{
    return TRect(std::min(l, r), std::min(t, b), std::max(l, r), std::max(t, b));
}

inline QPainter::CompositionMode compositionFor(TPenMode mode)
{
    switch (mode) {
    case pmXor: return QPainter::RasterOp_SourceXorDestination;
    case pmNotXor: return QPainter::RasterOp_NotSourceXorDestination;
    case pmNot: return QPainter::RasterOp_NotDestination;
    case pmNotCopy: return QPainter::RasterOp_NotSource;
    case pmMask: return QPainter::RasterOp_SourceAndDestination;
    case pmMerge: return QPainter::RasterOp_SourceOrDestination;
    case pmNotMask: return QPainter::RasterOp_NotSourceOrNotDestination;
    case pmNotMerge: return QPainter::RasterOp_NotSourceAndNotDestination;
    case pmMaskPenNot: return QPainter::RasterOp_SourceAndNotDestination;
    case pmMergePenNot: return QPainter::RasterOp_SourceOrNotDestination;
    case pmMaskNotPen: return QPainter::RasterOp_NotSourceAndDestination;
    case pmMergeNotPen: return QPainter::RasterOp_NotSourceOrDestination;
    default: return QPainter::CompositionMode_SourceOver;
    }
}

inline Qt::BrushStyle qtBrushStyle(TBrushStyle s)
{
    switch (s) {
    case bsClear: return Qt::NoBrush;
    case bsHorizontal: return Qt::HorPattern;
    case bsVertical: return Qt::VerPattern;
    case bsFDiagonal: return Qt::FDiagPattern;
    case bsBDiagonal: return Qt::BDiagPattern;
    case bsCross: return Qt::CrossPattern;
    case bsDiagCross: return Qt::DiagCrossPattern;
    default: return Qt::SolidPattern;
    }
}

// On/off run lengths of the dashed 1-pixel pens.
inline std::vector<int> dashPattern(TPenStyle s)
{
    switch (s) {
    case psDash: return {18, 6};
    case psDot: return {3, 3};
    case psDashDot: return {9, 6, 3, 6};
    case psDashDotDot: return {9, 3, 3, 3, 3, 3};
    default: return {};
    }
}

// Pixels of the line from a to b without b, as the desktop's line drawing.
template <typename F>
void walkLine(int x0, int y0, int x1, int y1, F&& plot)
{
    const int dx = std::abs(x1 - x0), sx = x0 < x1 ? 1 : -1;
    const int dy = -std::abs(y1 - y0), sy = y0 < y1 ? 1 : -1;
    int err = dx + dy;
    int x = x0, y = y0;
    while (x != x1 || y != y1) {
        plot(x, y);
        const int e2 = 2 * err;
        if (e2 >= dy) {
            err += dy;
            x += sx;
        }
        if (e2 <= dx) {
            err += dx;
            y += sy;
        }
    }
}

} // namespace canvasdetail

struct SavedCanvasState {
    TFont font;
    TPen pen;
    TBrush brush;
    TPoint penPos;
    TBkMode bkMode;
    TBrush bkBrush;
    std::optional<QRegion> clip;
    TMapMode mapMode;
    TPoint viewportOrg;
};

struct TCanvas::Impl {
    QPaintDevice* device = nullptr;
    QPainter* external = nullptr;
    std::unique_ptr<QPainter> own;

    TFont font;
    TPen pen;
    TBrush brush;
    TPoint penPos;
    TBkMode bkMode = bkOpaque;
    TBrush bkBrush;                 // brush the background mode was last derived from
    std::optional<QRegion> clip;    // none: whole device
    std::vector<SavedCanvasState> saved;
    int dashPhase = 0;              // position in the dash pattern across LineTo calls

    TMapMode mapMode = mmText;
    TPoint viewportOrg;             // device pixel of logical (0, 0)
    // Set while a mapped call runs its device-pixel body: positions and
    // lengths are device pixels then, fonts and pens keep their mapped size.
    bool inDevice = false;

    mutable TFont cachedFont;
    mutable QFont cachedQFont;
    mutable int cachedPixelSize = 0;
    mutable bool fontCached = false;
    mutable QString cachedFontKey;   // QFont::key() of cachedQFont
    bool designMetrics = false;      // unhinted glyph widths (text scaled after layout)

    // ---- mapping (mmLoMetric: 0.1 mm, y upward)
    bool scaled() const { return mapMode == mmLoMetric; }
    bool mapped() const { return scaled() && !inDevice; }
    int dpiX() const
    {
        const QPaintDevice* dev = target();
        return dev && dev->logicalDpiX() > 0 ? dev->logicalDpiX() : ScreenPixelsPerInch;
    }
    int dpiY() const
    {
        const QPaintDevice* dev = target();
        return dev && dev->logicalDpiY() > 0 ? dev->logicalDpiY() : ScreenPixelsPerInch;
    }
    static int scale(int v, int num, int den) { return int(std::lround(double(v) * num / den)); }
    TPoint toDevice(const TPoint& p) const
    {
        if (!mapped())
            return p;
        return Point(viewportOrg.X + scale(p.X, dpiX(), 254), viewportOrg.Y - scale(p.Y, dpiY(), 254));
    }
    TPoint toLogical(const TPoint& p) const
    {
        if (!mapped())
            return p;
        return Point(scale(p.X - viewportOrg.X, 254, dpiX()), -scale(p.Y - viewportOrg.Y, 254, dpiY()));
    }
    // A logical rectangle as the device pixels it covers (left above right,
    // top above bottom whichever way the logical one runs).
    TRect toDevice(const TRect& r) const
    {
        if (!mapped())
            return r;
        const TPoint a = toDevice(Point(r.Left, r.Top)), b = toDevice(Point(r.Right, r.Bottom));
        return canvasdetail::normalisedRect(a.X, a.Y, b.X, b.Y);
    }
    int widthToDevice(int w) const { return mapped() ? scale(w, dpiX(), 254) : w; }
    int widthToLogical(int w) const { return mapped() ? scale(w, 254, dpiX()) : w; }
    int heightToLogical(int h) const { return mapped() ? scale(h, 254, dpiY()) : h; }
    // While it lives, the canvas's routines take device pixels: a mapped
    // call converts its arguments and runs its device body inside one.
    struct DeviceScope {
        Impl& impl;
        bool was;
        explicit DeviceScope(Impl& i) : impl(i), was(i.inDevice) { i.inDevice = true; }
        ~DeviceScope() { impl.inDevice = was; }
        DeviceScope(const DeviceScope&) = delete;
        DeviceScope& operator=(const DeviceScope&) = delete;
    };

    // Pen width in device pixels: a mapped width is 0.1 mm per unit, at least one pixel.
    int penWidth() const { return scaled() ? std::max(1, scale(pen.Width, dpiX(), 254)) : pen.Width; }

    QPainter* painter()
    {
        if (external)
            return external;
        if (!device || device->width() <= 0 || device->height() <= 0)
            return nullptr;
        if (!own) {
            own = std::make_unique<QPainter>();
            if (!own->begin(device)) {
                own.reset();
                return nullptr;
            }
            applyClip();
        }
        QPainter* p = own.get();
        return p;
    }

    void prepare(QPainter* p)
    {
        p->setRenderHint(QPainter::Antialiasing, false);
        p->setRenderHint(QPainter::TextAntialiasing, false);
        p->setRenderHint(QPainter::SmoothPixmapTransform, false);
        p->setCompositionMode(QPainter::CompositionMode_SourceOver);
        p->setOpacity(1.0);
    }

    void applyClip()
    {
        QPainter* p = external ? external : own.get();
        if (!p)
            return;
        if (clip) {
            // Clipping switched back on first: a widget's painter that had
            // its clipping switched off ignores a region set afterwards
            // (an exclusion after a restored clip painted over what it kept).
            p->setClipping(true);
            p->setClipRegion(*clip);
        } else {
            p->setClipping(false);
        }
    }

    // The device drawn on: the canvas's own, else the outside painter's.
    QPaintDevice* target() const { return device ? device : (external ? external->device() : nullptr); }

    QRect deviceRect() const
    {
        const QPaintDevice* dev = target();
        if (!dev)
            return {};
        return QRect(0, 0, dev->width(), dev->height());
    }

    QRegion currentClip() const { return clip ? *clip : QRegion(deviceRect()); }

    TRegionKind setClip(const QRegion& r)
    {
        clip = r;
        applyClip();
        return TRegion(r).Kind();
    }

    const QFont& qfont() const
    {
        // A mapped font height is in 0.1 mm: the device pixels follow its resolution.
        const int pixelSize = scaled() ? std::max(1, scale(-font.Height(), dpiY(), 254)) : 0;
        if (!fontCached || !(cachedFont == font) || cachedPixelSize != pixelSize) {
            cachedFont = font;
            cachedQFont = font.ToQFont();
            if (pixelSize > 0)
                cachedQFont.setPixelSize(pixelSize);
            if (designMetrics)
                cachedQFont.setHintingPreference(QFont::PreferNoHinting);
            cachedPixelSize = pixelSize;
            cachedFontKey = cachedQFont.key();
            fontCached = true;
        }
        return cachedQFont;
    }

    const QString& qfontKey() const
    {
        qfont();
        return cachedFontKey;
    }

    // QPainter::setFont builds a new device font each time, and text drawn
    // with it looks its font engine up again: set it only when it differs.
    void usePainterFont(QPainter* p) const
    {
        const QFont& f = qfont();
        if (p->font() != f)
            p->setFont(f);
    }

    TBkMode effectiveBkMode()
    {
        if (!(bkBrush == brush)) {
            // A changed brush sets the text background as the desktop canvas does.
            bkMode = brush.Style == bsSolid ? bkOpaque : bkTransparent;
            bkBrush = brush;
        }
        return bkMode;
    }

    QBrush qbrush() const
    {
        return QBrush(ToQColor(brush.Color), canvasdetail::qtBrushStyle(brush.Style));
    }

    bool penVisible() const { return pen.Style != psClear && pen.Mode != pmNop; }

    QColor penQColor() const
    {
        if (pen.Mode == pmBlack)
            return Qt::black;
        if (pen.Mode == pmWhite)
            return Qt::white;
        if (pen.Mode == pmNot)
            return Qt::white;
        return ToQColor(pen.Color);
    }

    void setPenMode(QPainter* p) const
    {
        p->setCompositionMode(canvasdetail::compositionFor(pen.Mode));
    }

    // Qt's own outline in the pen's colour and width (none when the pen
    // draws nothing), filled with the brush.
    void setOutlinePenAndBrush(QPainter* p) const
    {
        if (penVisible())
            p->setPen(QPen(penQColor(), std::max(1, penWidth())));
        else
            p->setPen(Qt::NoPen);
        p->setBrush(qbrush());
    }

    // A shape Qt outlines and fills in one call, in the pen's mix mode. draw
    // gets the shape's box: its aliased outline of (l, t, w - 1, h - 1)
    // covers columns l .. r - 1.
    template <class Draw>
    void outlinedShape(int left, int top, int right, int bottom, Draw draw)
    {
        QPainter* p = painter();
        if (!p)
            return;
        const TRect r = canvasdetail::normalisedRect(left, top, right, bottom);
        if (r.IsEmpty())
            return;
        prepare(p);
        setPenMode(p);
        setOutlinePenAndBrush(p);
        draw(p, QRect(r.Left, r.Top, r.Width() - 1, r.Height() - 1));
        p->setCompositionMode(QPainter::CompositionMode_SourceOver);
    }

    // Plots one-pixel pen pixels (styled pens leave gaps, filled with the
    // brush colour when the background mode is opaque).
    void plotLine(QPainter* p, int x0, int y0, int x1, int y1)
    {
        const std::vector<int> pattern = canvasdetail::dashPattern(pen.Style);
        std::vector<QPoint> on, off;
        int total = 0;
        for (int v : pattern)
            total += v;
        canvasdetail::walkLine(x0, y0, x1, y1, [&](int x, int y) {
            if (pattern.empty()) {
                on.emplace_back(x, y);
                return;
            }
            int pos = dashPhase % total;
            bool isOn = true;
            for (std::size_t i = 0; i < pattern.size(); ++i) {
                if (pos < pattern[i]) {
                    isOn = (i % 2) == 0;
                    break;
                }
                pos -= pattern[i];
            }
            (isOn ? on : off).emplace_back(x, y);
            ++dashPhase;
        });
        prepare(p);
        setPenMode(p);
        if (!on.empty()) {
            p->setPen(QPen(penQColor(), 1));
            p->drawPoints(on.data(), int(on.size()));
        }
        if (!off.empty() && effectiveBkMode() == bkOpaque) {
            p->setPen(QPen(ToQColor(brush.Color), 1));
            p->drawPoints(off.data(), int(off.size()));
        }
        p->setCompositionMode(QPainter::CompositionMode_SourceOver);
    }

    void wideLine(QPainter* p, int x0, int y0, int x1, int y1)
    {
        prepare(p);
        setPenMode(p);
        p->setPen(QPen(penQColor(), penWidth(), Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p->drawLine(x0, y0, x1, y1);
        p->setCompositionMode(QPainter::CompositionMode_SourceOver);
    }

    // A straight solid one-pixel line is the rectangle of the pixels a plot
    // would set (the end point excluded); one fill costs far less than
    // plotting them point by point.
    bool straightLine(QPainter* p, int x0, int y0, int x1, int y1)
    {
        if (pen.Style != psSolid || penWidth() > 1 || (x0 != x1 && y0 != y1))
            return false;
        QRect pixels;
        if (y0 == y1)
            pixels = x0 < x1 ? QRect(x0, y0, x1 - x0, 1) : QRect(x1 + 1, y0, x0 - x1, 1);
        else
            pixels = y0 < y1 ? QRect(x0, y0, 1, y1 - y0) : QRect(x0, y1 + 1, 1, y0 - y1);
        if (pixels.isEmpty())
            return true;
        prepare(p);
        setPenMode(p);
        p->fillRect(pixels, penQColor());
        p->setCompositionMode(QPainter::CompositionMode_SourceOver);
        return true;
    }

    void line(QPainter* p, int x0, int y0, int x1, int y1)
    {
        if (!penVisible())
            return;
        if (straightLine(p, x0, y0, x1, y1))
            return;
        if (penWidth() <= 1 || pen.Style != psSolid)
            plotLine(p, x0, y0, x1, y1);
        else
            wideLine(p, x0, y0, x1, y1);
    }

    void fill(QPainter* p, const QRect& r, const QColor& c)
    {
        if (r.isEmpty())
            return;
        prepare(p);
        p->fillRect(r, c);
    }

    // Pixels of the device as an image: the device itself when it is one.
    const QImage* imageDevice() const
    {
        const QPaintDevice* dev = target();
        if (dev && dev->devType() == QInternal::Image)
            return static_cast<const QImage*>(dev);
        return nullptr;
    }

    QImage snapshot() const
    {
        if (const QImage* img = imageDevice())
            return img->copy();
        const QPaintDevice* dev = target();
        if (dev && dev->devType() == QInternal::Pixmap)
            return static_cast<const QPixmap*>(dev)->toImage();
        return {};
    }
};

} // namespace fw
