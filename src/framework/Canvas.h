#pragma once
// TCanvas draws on a Qt paint device (QImage, QPixmap, a widget inside its
// paintEvent, a printer) with the desktop's GDI pixel rules: no antialiasing,
// Rectangle/Ellipse leave out the right and bottom edge, LineTo leaves out the
// end point, text is placed by its top-left corner.
#include "framework/Graphics.h"
#include "framework/Types.h"

#include <QRegion>
#include <QString>
#include <memory>
#include <vector>

class QPaintDevice;
class QPainter;

namespace fw {

// ------------------------------------------------------------ DrawText flags
constexpr unsigned DT_TOP = 0x0;
constexpr unsigned DT_LEFT = 0x0;
constexpr unsigned DT_CENTER = 0x1;
constexpr unsigned DT_RIGHT = 0x2;
constexpr unsigned DT_VCENTER = 0x4;        // with DT_SINGLELINE only
constexpr unsigned DT_BOTTOM = 0x8;         // with DT_SINGLELINE only
constexpr unsigned DT_WORDBREAK = 0x10;
constexpr unsigned DT_SINGLELINE = 0x20;
constexpr unsigned DT_EXPANDTABS = 0x40;
constexpr unsigned DT_NOCLIP = 0x100;
constexpr unsigned DT_EXTERNALLEADING = 0x200;
constexpr unsigned DT_CALCRECT = 0x400;
constexpr unsigned DT_NOPREFIX = 0x800;
constexpr unsigned DT_EDITCONTROL = 0x2000;
constexpr unsigned DT_PATH_ELLIPSIS = 0x4000;
constexpr unsigned DT_END_ELLIPSIS = 0x8000;
constexpr unsigned DT_WORD_ELLIPSIS = 0x40000;
constexpr unsigned DT_HIDEPREFIX = 0x100000;
constexpr unsigned DT_PREFIXONLY = 0x200000;

// ------------------------------------------------------------ DrawEdge
constexpr unsigned BDR_RAISEDOUTER = 0x1;
constexpr unsigned BDR_SUNKENOUTER = 0x2;
constexpr unsigned BDR_RAISEDINNER = 0x4;
constexpr unsigned BDR_SUNKENINNER = 0x8;
constexpr unsigned BDR_OUTER = 0x3;
constexpr unsigned BDR_INNER = 0xC;
constexpr unsigned EDGE_RAISED = BDR_RAISEDOUTER | BDR_RAISEDINNER;
constexpr unsigned EDGE_SUNKEN = BDR_SUNKENOUTER | BDR_SUNKENINNER;
constexpr unsigned EDGE_ETCHED = BDR_SUNKENOUTER | BDR_RAISEDINNER;
constexpr unsigned EDGE_BUMP = BDR_RAISEDOUTER | BDR_SUNKENINNER;

constexpr unsigned BF_LEFT = 0x1;
constexpr unsigned BF_TOP = 0x2;
constexpr unsigned BF_RIGHT = 0x4;
constexpr unsigned BF_BOTTOM = 0x8;
constexpr unsigned BF_TOPLEFT = BF_TOP | BF_LEFT;
constexpr unsigned BF_BOTTOMRIGHT = BF_BOTTOM | BF_RIGHT;
constexpr unsigned BF_RECT = BF_LEFT | BF_TOP | BF_RIGHT | BF_BOTTOM;
constexpr unsigned BF_MIDDLE = 0x800;
constexpr unsigned BF_SOFT = 0x1000;
constexpr unsigned BF_ADJUST = 0x2000;
constexpr unsigned BF_FLAT = 0x4000;
constexpr unsigned BF_MONO = 0x8000;

// ------------------------------------------------------------ DrawFrameControl
constexpr unsigned DFC_CAPTION = 1;
constexpr unsigned DFC_MENU = 2;
constexpr unsigned DFC_SCROLL = 3;
constexpr unsigned DFC_BUTTON = 4;

constexpr unsigned DFCS_BUTTONCHECK = 0x0;
constexpr unsigned DFCS_BUTTONRADIO = 0x4;
constexpr unsigned DFCS_BUTTON3STATE = 0x8;
constexpr unsigned DFCS_BUTTONPUSH = 0x10;

constexpr unsigned DFCS_CAPTIONCLOSE = 0x0;
constexpr unsigned DFCS_CAPTIONMIN = 0x1;
constexpr unsigned DFCS_CAPTIONMAX = 0x2;
constexpr unsigned DFCS_CAPTIONRESTORE = 0x3;
constexpr unsigned DFCS_CAPTIONHELP = 0x4;

constexpr unsigned DFCS_SCROLLUP = 0x0;
constexpr unsigned DFCS_SCROLLDOWN = 0x1;
constexpr unsigned DFCS_SCROLLLEFT = 0x2;
constexpr unsigned DFCS_SCROLLRIGHT = 0x3;
constexpr unsigned DFCS_SCROLLCOMBOBOX = 0x5;

constexpr unsigned DFCS_INACTIVE = 0x100;
constexpr unsigned DFCS_PUSHED = 0x200;
constexpr unsigned DFCS_CHECKED = 0x400;
constexpr unsigned DFCS_TRANSPARENT = 0x800;
constexpr unsigned DFCS_HOT = 0x1000;
constexpr unsigned DFCS_ADJUSTRECT = 0x2000;
constexpr unsigned DFCS_FLAT = 0x4000;
constexpr unsigned DFCS_MONO = 0x8000;

// ------------------------------------------------------------ regions

// Results of the clip operations, as the desktop reports them.
enum TRegionKind { rkError = 0, rkNull = 1, rkSimple = 2, rkComplex = 3 };
// How ExtSelectClipRgn combines a region with the current clip.
enum TRegionMode { rmAnd = 1, rmOr = 2, rmXor = 3, rmDiff = 4, rmCopy = 5 };

// A set of pixels in device coordinates (rectangles exclusive right/bottom).
class TRegion {
public:
    TRegion() = default;
    explicit TRegion(const TRect& r);
    explicit TRegion(const QRegion& region) : region_(region) {}

    static TRegion Ellipse(const TRect& r);
    static TRegion Polygon(const std::vector<TPoint>& points);

    bool IsEmpty() const { return region_.isEmpty(); }
    bool Contains(const TPoint& p) const;
    TRect BoundingRect() const;
    std::vector<TRect> Rects() const;
    TRegionKind Kind() const;

    TRegion United(const TRegion& other) const { return TRegion(region_.united(other.region_)); }
    TRegion Intersected(const TRegion& other) const { return TRegion(region_.intersected(other.region_)); }
    TRegion Subtracted(const TRegion& other) const { return TRegion(region_.subtracted(other.region_)); }
    TRegion Xored(const TRegion& other) const { return TRegion(region_.xored(other.region_)); }
    TRegion Translated(int dx, int dy) const { return TRegion(region_.translated(dx, dy)); }

    const QRegion& ToQRegion() const { return region_; }
    friend bool operator==(const TRegion& a, const TRegion& b) { return a.region_ == b.region_; }

private:
    QRegion region_;
};

// ------------------------------------------------------------ canvas

enum TBkMode { bkTransparent = 1, bkOpaque = 2 };

// Mapping modes. mmText: one logical unit is a device pixel, y grows
// downward. mmLoMetric: one unit is 0.1 mm at the device's resolution and y
// grows upward, so a page runs from y = 0 down to a negative height; text
// still stands upright and runs down from the point it is placed at.
enum TMapMode { mmText = 1, mmLoMetric = 2 };
enum TFillStyle { fsSurface, fsBorder };

struct TTextMetric {
    int tmHeight = 0;
    int tmAscent = 0;
    int tmDescent = 0;
    int tmInternalLeading = 0;
    int tmExternalLeading = 0;
    int tmAveCharWidth = 0;
    int tmMaxCharWidth = 0;
};

class TCanvas {
public:
    // A canvas without a device: drawing does nothing, measuring uses the screen.
    TCanvas();
    // Draws on `device`; a painter is opened on first use and closed by Release().
    explicit TCanvas(QPaintDevice* device);
    // Draws through a painter the caller has begun (paintEvent, printing);
    // the canvas neither begins nor ends it and gives it back with the state
    // it had (pen, brush, clip, hints) when the canvas ends.
    explicit TCanvas(QPainter* painter);
    ~TCanvas();
    TCanvas(const TCanvas&) = delete;
    TCanvas& operator=(const TCanvas&) = delete;

    QPaintDevice* Device() const;
    // The painter with this canvas's pen, brush, font and clip applied (null
    // without a device), for drawing that Qt does better than these routines.
    QPainter* Painter();
    // Ends the canvas's own painter so the device can be resized or shown;
    // pen, brush, font and pen position are kept, the clip region is dropped.
    void Release();

    TFont& Font();
    TPen& Pen();
    TBrush& Brush();
    const TFont& Font() const;
    const TPen& Pen() const;
    const TBrush& Brush() const;

    // Text background: opaque fills behind text with the brush colour. Setting a
    // brush style resets it (solid brush -> opaque, else transparent) the next
    // time the brush changes, as the desktop canvas does.
    void SetBkMode(TBkMode mode);
    TBkMode BkMode() const;

    // ---- lines and shapes
    TPoint PenPos() const;
    void SetPenPos(const TPoint& p);
    void MoveTo(int x, int y);
    void LineTo(int x, int y);                      // end point not drawn
    void Polyline(const std::vector<TPoint>& points);   // last point not drawn
    void Polygon(const std::vector<TPoint>& points);    // filled with the brush, outlined with the pen
    void Rectangle(int left, int top, int right, int bottom);
    void Rectangle(const TRect& r) { Rectangle(r.Left, r.Top, r.Right, r.Bottom); }
    void Ellipse(int left, int top, int right, int bottom);
    void Ellipse(const TRect& r) { Ellipse(r.Left, r.Top, r.Right, r.Bottom); }
    void RoundRect(int left, int top, int right, int bottom, int cornerWidth, int cornerHeight);
    void FillRect(const TRect& r);                  // brush only, whole rectangle
    void FrameRect(const TRect& r);                 // 1-pixel frame in the brush colour
    void DrawFocusRect(const TRect& r);             // dotted, inverts: twice restores
    // fsBorder: fills the area around (x, y) bounded by `color`;
    // fsSurface: fills the connected area of `color`.
    void FloodFill(int x, int y, TColor color, TFillStyle style);

    TColor Pixel(int x, int y) const;               // clNone outside the device
    void SetPixel(int x, int y, TColor color);

    // ---- text
    void TextOut(int x, int y, const QString& text);     // moves PenPos to the text's end
    // Text at (x, y) clipped to r; r is first filled with the brush unless it is bsClear.
    void TextRect(const TRect& r, int x, int y, const QString& text);
    int TextWidth(const QString& text) const;
    int TextHeight(const QString& text) const;
    TSize TextExtent(const QString& text) const;
    // Extent of `text`; `fit` receives how many characters fit into maxExtent
    // and `partialExtents` the width of each prefix (1..n characters).
    TSize TextExtentEx(const QString& text, int maxExtent, int* fit,
                       std::vector<int>* partialExtents = nullptr) const;
    TTextMetric TextMetrics() const;
    // Desktop DrawText: returns the text height (with DT_VCENTER/DT_BOTTOM the
    // offset from r.Top to the bottom of the text); DT_CALCRECT sets r.Right
    // and r.Bottom to the text's extent and draws nothing.
    int DrawText(const QString& text, TRect& r, unsigned format);

    // ---- clipping (device coordinates)
    TRect ClipRect() const;                         // whole device when unclipped
    TRegionKind IntersectClipRect(const TRect& r);
    TRegionKind ExcludeClipRect(const TRect& r);
    TRegionKind ExtSelectClipRgn(const TRegion& region, TRegionMode mode);
    TRegionKind SelectClipRgn(const TRegion& region);   // replaces the clip
    void RemoveClip();
    // False when no clip is set.
    bool GetClipRgn(TRegion& region) const;

    // Saves pen, brush, font, pen position, background mode and clip; returns
    // the level (1, 2, ...). RestoreDC(level) returns to that state; a negative
    // value counts back from the latest save.
    int SaveDC();
    bool RestoreDC(int level);

    // ---- pictures
    // Copies pixels of `source` (stretched to `dest` when sizes differ).
    void CopyRect(const TRect& dest, const TCanvas& source, const TRect& src);
    void Draw(int x, int y, const TGraphic& graphic);
    void StretchDraw(const TRect& dest, const TGraphic& graphic);
    // Copies src of `bitmap` to dest, pixels of keyColor replaced by the brush colour.
    void BrushCopy(const TRect& dest, const TBitmap& bitmap, const TRect& src, TColor keyColor);
    // Draws `image` (its src part) into dest without smoothing, honouring alpha.
    void DrawImage(const TRect& dest, const QImage& image, const TRect& src);

    // ---- themed frames of the classic desktop
    bool DrawEdge(TRect& r, unsigned edge, unsigned flags);
    bool DrawFrameControl(TRect& r, unsigned type, unsigned state);

    // ---- mapping mode
    // In mmLoMetric every position, length and rectangle of the routines
    // above is in logical units (clip regions stay in device pixels, as do
    // Painter(), ToImage() and DeviceSize()); pen widths and font heights
    // (TFont::Height) are logical too. A rectangle's Top lies above its
    // Bottom, so it is numerically greater; DrawText returns the negative
    // logical text height and DT_CALCRECT sets Bottom below Top. DrawEdge and
    // DrawFrameControl draw in device pixels at the mapped rectangle.
    void SetMapMode(TMapMode mode);
    TMapMode MapMode() const;
    // Device pixel of logical (0, 0); (0, 0) until set.
    void SetViewportOrg(const TPoint& origin);
    TPoint ViewportOrg() const;
    // The device's resolution in pixels per inch (the screen's without a device).
    int PixelsPerInchX() const;
    int PixelsPerInchY() const;
    // Logical to device and back, point by point (rectangles corner by corner).
    TPoint LPtoDP(const TPoint& p) const;
    TRect LPtoDP(const TRect& r) const;
    TPoint DPtoLP(const TPoint& p) const;
    TRect DPtoLP(const TRect& r) const;

    // Text measured and drawn with the font's own glyph widths instead of
    // the ones fitted to the pixel grid, for drawing that is scaled up
    // afterwards (on paper): the glyphs then stand where the layout put them.
    void SetDesignMetrics(bool value);

    // Pixels of the device (a copy); null image for a device it cannot read.
    QImage ToImage() const;
    TSize DeviceSize() const;

private:
    struct Impl;
    std::unique_ptr<Impl> d;
};

} // namespace fw
