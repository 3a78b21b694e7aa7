#include "grid/paint/FxGridPaintUtil.h"

#include "framework/Canvas.h"
#include "framework/SysColors.h"
#include "framework/SysUtils.h"
#include "grid/foundation/FxUtilDraw.h"
#include "grid/foundation/FxXPVS.h"

#include <QHash>
#include <QImage>
#include <QWidget>

#include <algorithm>
#include <cmath>
#include <unordered_map>
#include <vector>

using fw::TCanvas;
using fw::TColor;
using fw::TPoint;
using fw::TRect;

TColor BlendColors(TColor A, TColor B, int Percent)
{
    if (Percent >= 100)
        return A;
    if (Percent <= 0 || A == fw::clNone)
        return B;
    if (B == fw::clNone)
        return A;
    const TColor a = fw::ColorToRGB(A);
    const TColor b = fw::ColorToRGB(B);
    const double x = Percent / 100.0;
    auto mix = [x](int ca, int cb) {
        return int(std::min<std::int64_t>(255, fw::RoundHalfEven(x * ca + (1 - x) * cb)));
    };
    return fw::RGBToColor(mix(fw::GetRValue(a), fw::GetRValue(b)), mix(fw::GetGValue(a), fw::GetGValue(b)),
                          mix(fw::GetBValue(a), fw::GetBValue(b)));
}

int ClampPercent(double X)
{
    if (!(X > 0))   // NaN counts as 0
        return 0;
    if (X > 100)
        return 100;
    return int(X);
}

void RotatedTextOrigin(TRect& R, int HAlign, int VAlign, int a, int b, int c, int d, int Angle)
{
    const int q = Angle <= 90 ? 1 : Angle <= 180 ? 2 : Angle <= 270 ? 3 : 4;
    const int W = R.Right - R.Left;
    const int H = R.Bottom - R.Top;
    auto half = [](int v) { return v / 2; };   // toward zero
    int left = R.Left, top = R.Top;
    switch (q) {
    case 1:
        left = HAlign == 0 ? R.Left : HAlign == 1 ? R.Right - d - c : R.Left + half(W - c - d);
        top = VAlign == 0 ? R.Top + b : VAlign == 2 ? R.Bottom - a : R.Top + b - half(a + b - H);
        break;
    case 2:
        left = HAlign == 0 ? R.Left + d : HAlign == 1 ? R.Right - c : R.Right - half(c + W - d);
        top = VAlign == 0 ? R.Top + a + b : VAlign == 2 ? R.Bottom : R.Top + a + b - half(a + b - H);
        break;
    case 3:
        left = HAlign == 0 ? R.Left + c + d : HAlign == 1 ? R.Right : R.Right - half(W - c - d);
        top = VAlign == 0 ? R.Top + a : VAlign == 2 ? R.Bottom - b : R.Top + a - half(a + b - H);
        break;
    default:
        left = HAlign == 0 ? R.Left + c : HAlign == 1 ? R.Right - d : R.Left + half(c + W - d);
        top = VAlign == 0 ? R.Top : VAlign == 2 ? R.Bottom - a - b : R.Top - half(a + b - H);
        break;
    }
    R.Left = left;
    R.Top = top;
}

bool DrawThemePartCached(QWidget* window, const QString& classList, TCanvas& canvas, int part, int state,
                         const TRect& rect)
{
    if (rect.IsEmpty())
        return false;
    struct TKey {
        const void* style;
        QString cls;
        int part, state, w, h;
        bool operator==(const TKey&) const = default;
    };
    struct THash {
        std::size_t operator()(const TKey& k) const
        {
            return qHashMulti(0, k.style, k.cls, k.part, k.state, k.w, k.h);
        }
    };
    static std::unordered_map<TKey, QImage, THash> cache;
    const TKey key{window ? static_cast<const void*>(window->style()) : nullptr, classList, part, state,
                   rect.Width(), rect.Height()};
    auto it = cache.find(key);
    if (it == cache.end()) {
        if (cache.size() > 256)
            cache.clear();
        QImage image(rect.Width(), rect.Height(), QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        bool drawn = false;
        {
            TCanvas c(&image);
            drawn = DrawThemePart(window, classList, c, part, state, TRect(0, 0, rect.Width(), rect.Height()));
        }
        if (!drawn)
            return false;
        it = cache.emplace(key, image).first;
    }
    canvas.DrawImage(rect, it->second, TRect(0, 0, rect.Width(), rect.Height()));
    return true;
}

// ---------------------------------------------------------------- glyphs

namespace {

constexpr TColor kKey = fw::clFuchsia;

void start(fw::TBitmap& target, int w, int h)
{
    target.SetSize(w, h);
    FillRectColor(target.Canvas(), TRect(0, 0, w, h), kKey);
    target.SetTransparentColor(kKey);
    target.SetTransparent(true);
}

void line(TCanvas& c, TColor color, int x1, int y1, int x2, int y2)
{
    c.Pen().Color = color;
    c.Pen().Width = 1;
    c.Pen().Style = fw::psSolid;
    c.MoveTo(x1, y1);
    c.LineTo(x2, y2);
}

void tick(TCanvas& c, TColor color, int x, int y)
{
    // A tick of three rows: down from (x, y) to the bottom point, then up to the right.
    for (int i = 0; i < 3; ++i) {
        line(c, color, x, y + i, x + 2, y + 2 + i);
        line(c, color, x + 2, y + 2 + i, x + 7, y - 3 + i);
    }
}

// A check box of 15 pixels: flat (RIR) or with a soft face (XP).
void checkGlyph(fw::TBitmap& target, bool checked, bool disabled, bool xp)
{
    start(target, 15, 15);
    TCanvas& c = target.Canvas();
    const TColor frame = disabled ? 0xBFC8CA : xp ? 0x85521C : 0x808080;
    const TColor face = disabled ? 0xF0F0F0 : 0xFFFFFF;
    if (xp && !disabled)
        GradientFillRect(c, 0xDCDFE0, 0xFFFFFF, 13, TRect(1, 1, 14, 14), false);
    else
        FillRectColor(c, TRect(1, 1, 14, 14), face);
    c.Brush().Color = frame;
    c.FrameRect(TRect(0, 0, 15, 15));
    c.SetPixel(0, 0, kKey);
    if (checked)
        tick(c, disabled ? 0xA0A0A0 : xp ? 0x21A121 : 0x000000, 4, 6);
}

// A radio button of 16 pixels: a ring, a dot when checked.
void radioGlyph(fw::TBitmap& target, bool checked, bool disabled, bool xp)
{
    start(target, 16, 16);
    TCanvas& c = target.Canvas();
    c.Pen().Color = disabled ? 0xBFC8CA : xp ? 0x85521C : 0x808080;
    c.Brush().Color = disabled ? 0xF0F0F0 : 0xFFFFFF;
    c.Brush().Style = fw::bsSolid;
    c.Ellipse(TRect(2, 2, 15, 15));
    if (checked) {
        c.Pen().Color = c.Brush().Color = disabled ? 0xA0A0A0 : xp ? 0x21A121 : 0x000000;
        c.Ellipse(TRect(6, 6, 11, 11));
    }
}

void metroBox(fw::TBitmap& target, bool checked, bool radio)
{
    start(target, 15, 15);
    TCanvas& c = target.Canvas();
    c.Pen().Color = 0x7A7A7A;
    c.Brush().Color = fw::clWhite;
    c.Brush().Style = fw::bsSolid;
    if (radio)
        c.Ellipse(TRect(1, 1, 14, 14));
    else
        c.Rectangle(TRect(1, 1, 14, 14));
    if (!checked)
        return;
    if (radio) {
        c.Pen().Color = c.Brush().Color = 0x333333;
        c.Ellipse(TRect(4, 4, 11, 11));
    } else {
        tick(c, 0x333333, 4, 6);
    }
}

void closeGlyph(fw::TBitmap& target, TColor color, bool framed)
{
    start(target, 12, 12);
    TCanvas& c = target.Canvas();
    if (framed) {
        FillRectColor(c, TRect(1, 1, 11, 11), 0xE8E8E8);
        c.Brush().Color = 0x808080;
        c.FrameRect(TRect(1, 1, 11, 11));
    }
    for (int i = 0; i < 2; ++i) {
        line(c, color, 3 + i, 3, 9 + i, 9);
        line(c, color, 8 + i, 3, 2 + i, 9);
    }
}

void arrowGlyph(fw::TBitmap& target, bool down, bool disabled)
{
    start(target, 12, 12);
    TCanvas& c = target.Canvas();
    const TColor color = disabled ? 0xA0A0A0 : 0x404040;
    c.Pen().Color = c.Brush().Color = color;
    c.Brush().Style = fw::bsSolid;
    if (down)
        c.Polygon({TPoint(2, 4), TPoint(9, 4), TPoint(5, 8)});
    else
        c.Polygon({TPoint(2, 8), TPoint(9, 8), TPoint(5, 4)});
}

void highlightGlyph(fw::TBitmap& target, bool disabled)
{
    start(target, 12, 12);
    TCanvas& c = target.Canvas();
    FillRectColor(c, TRect(1, 3, 11, 9), disabled ? 0xC0C0C0 : 0x00FFFF);
    c.Brush().Color = disabled ? 0xA0A0A0 : 0x404040;
    c.FrameRect(TRect(1, 3, 11, 9));
}

void filterGlyph(fw::TBitmap& target)
{
    start(target, 12, 12);
    TCanvas& c = target.Canvas();
    c.Pen().Color = c.Brush().Color = 0x404040;
    c.Brush().Style = fw::bsSolid;
    c.Polygon({TPoint(1, 2), TPoint(10, 2), TPoint(6, 6), TPoint(6, 10), TPoint(5, 10), TPoint(5, 6)});
}

} // namespace

bool LoadGridGlyph(const QString& name, fw::TBitmap& target)
{
    const QString n = name.toUpper();
    if (n.size() == 7 && (n.startsWith(u"SGCHK0") || n.startsWith(u"SGRAD0"))) {
        const int i = n.at(6).digitValue();
        if (i < 1 || i > 8)
            return false;
        // 1..4 flat, 5..8 soft; in each group checked, unchecked, checked disabled, unchecked disabled.
        const bool xp = i >= 5;
        const int k = (i - 1) % 4;
        const bool checked = k == 0 || k == 2;
        const bool disabled = k >= 2;
        if (n.startsWith(u"SGCHK"))
            checkGlyph(target, checked, disabled, xp);
        else
            radioGlyph(target, checked, disabled, xp);
        return true;
    }
    if (n == u"METROCHECKON" || n == u"METROCHECKOFF")
        metroBox(target, n == u"METROCHECKON", false);
    else if (n == u"METRORADIOON" || n == u"METRORADIOOFF")
        metroBox(target, n == u"METRORADIOON", true);
    else if (n == u"SGCLOSE")
        closeGlyph(target, 0x404040, false);
    else if (n == u"SGCLOSEH")
        closeGlyph(target, 0x000000, true);
    else if (n == u"SGCLOSED")
        closeGlyph(target, 0xFFFFFF, false);
    else if (n == u"SGARDOWN" || n == u"SGARDOWND")
        arrowGlyph(target, true, n.endsWith(u'D') && n.size() == 9);
    else if (n == u"SGARUP" || n == u"SGARUPD")
        arrowGlyph(target, false, n == u"SGARUPD");
    else if (n == u"SGHI" || n == u"SGHID")
        highlightGlyph(target, n == u"SGHID");
    else if (n == u"SGFILT")
        filterGlyph(target);
    else if (LoadGridResourceBitmap(name, target)) {
        target.SetTransparentColor(kKey);   // the foundation draws them on the same key
        target.SetTransparent(true);
    } else
        return false;
    return true;
}
