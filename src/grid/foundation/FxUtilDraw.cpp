#include "grid/foundation/FxUtilDraw.h"

#include "framework/LayeredWindow.h"
#include "framework/SysColors.h"
#include "framework/SysUtils.h"
#include "grid/foundation/FxXPVS.h"

#include <QImage>
#include <QLineEdit>
#include <QPalette>
#include <QWidget>

#include <algorithm>
#include <cmath>
#include <numbers>
#include <vector>

using fw::TCanvas;
using fw::TColor;
using fw::TPoint;
using fw::TRect;
using fw::clNone;

namespace {

int roundEven(double v) { return int(fw::RoundHalfEven(v)); }

int clampByte(int v) { return std::clamp(v, 0, 255); }

// Colour of step i of a gradient from `from` (step 0) to `to` (step `steps`), both RGB.
TColor stepColor(TColor from, TColor to, int i, int steps)
{
    auto channel = [&](int f, int t) { return f + roundEven(double(i) * (t - f) / steps); };
    return fw::RGBToColor(channel(fw::GetRValue(from), fw::GetRValue(to)),
                          channel(fw::GetGValue(from), fw::GetGValue(to)),
                          channel(fw::GetBValue(from), fw::GetBValue(to)));
}

void solidTools(TCanvas& canvas, TColor color)
{
    canvas.Brush().Color = color;
    canvas.Brush().Style = fw::bsSolid;
    canvas.Pen().Color = color;
    canvas.Pen().Style = fw::psSolid;
    canvas.Pen().Width = 1;
}

void line(TCanvas& canvas, int x1, int y1, int x2, int y2)
{
    canvas.MoveTo(x1, y1);
    canvas.LineTo(x2, y2);
}

const TColorTone& toneFor(const TColorTones& tones, std::uint8_t state)
{
    switch (state) {
    case cbsHot: return tones.Hover;
    case cbsDown: return tones.Selected;
    case cbsDisabled: return tones.Disabled;
    default: return tones.Background;
    }
}

void filledTriangle(TCanvas& canvas, TColor color, TPoint a, TPoint b, TPoint c)
{
    solidTools(canvas, color);
    canvas.Polygon({a, b, c});
}

} // namespace

// ---- colour arithmetic ---------------------------------------------------------------------

TColor DarkenColorHalf(TColor color)
{
    const TColor c = fw::ColorToRGB(color);
    return fw::RGBToColor(fw::GetRValue(c) / 2, fw::GetGValue(c) / 2, fw::GetBValue(c) / 2);
}

TColor ScaleColorByPercent(TColor color, int percent)
{
    const TColor c = fw::ColorToRGB(color);
    auto scale = [percent](int v) { return clampByte(roundEven(v + percent * double(v) / 100.0)); };
    return fw::RGBToColor(scale(fw::GetRValue(c)), scale(fw::GetGValue(c)), scale(fw::GetBValue(c)));
}

TColor InterpolateColor(TColor from, TColor to, int start, int end, int position)
{
    if (to == clNone)
        return from;
    const TColor f = fw::ColorToRGB(from);
    const TColor t = fw::ColorToRGB(to);
    if (end == start)
        return f;
    const double span = double(end - start);
    auto mix = [&](int a, int b) { return clampByte(a + roundEven((b - a) / span * position)); };
    return fw::RGBToColor(mix(fw::GetRValue(f), fw::GetRValue(t)), mix(fw::GetGValue(f), fw::GetGValue(t)),
                          mix(fw::GetBValue(f), fw::GetBValue(t)));
}

// ---- fills and faces -----------------------------------------------------------------------

void FillRectColor(TCanvas& canvas, const TRect& r, TColor color)
{
    canvas.Brush().Color = color;
    canvas.Brush().Style = fw::bsSolid;
    canvas.FillRect(r);
}

void GradientFillRect(TCanvas& canvas, TColor from, TColor to, int steps, TRect r, bool horizontal)
{
    if (r.Top == r.Bottom)
        return;
    if (r.Top > r.Bottom)
        std::swap(r.Top, r.Bottom);
    from = fw::ColorToRGB(from);
    to = fw::ColorToRGB(to);
    if (from == clNone || to == clNone) {
        const TColor solid = from == clNone ? to : from;
        if (solid == clNone)
            return;
        solidTools(canvas, solid);
        canvas.Rectangle(r);
        return;
    }
    const int span = horizontal ? r.Right - r.Left - 1 : r.Bottom - r.Top - 1;
    steps = std::max(1, std::min(steps, span));
    const double band = double(span) / steps;
    const int edge = horizontal ? r.Right : r.Bottom;
    const int lead = horizontal ? r.Left : r.Top;
    for (int i = 0; i <= steps; ++i) {
        const TColor c = stepColor(from, to, i, steps);
        const int a = lead + int(std::trunc(i * band));
        const int b = std::min(a + int(std::trunc(band + 1)), edge);
        if (b <= a)
            continue;
        solidTools(canvas, c);
        if (horizontal)
            canvas.Rectangle(a, r.Top, b, r.Bottom);
        else
            canvas.Rectangle(r.Left, a, r.Right, b);
    }
}

void DrawStepGradient(TCanvas& canvas, TColor from, TColor to, int steps, const TRect& rect, bool horizontal)
{
    // Every band is one pixel wider than its share: over no area that would
    // still draw a line.
    if (rect.IsEmpty())
        return;
    steps = std::max(steps, 1);
    from = fw::ColorToRGB(from);
    to = fw::ColorToRGB(to);
    TRect r = rect;
    double extent;
    if (horizontal) {
        r.Right -= 1;
        extent = double(r.Right - r.Left) / steps;
    } else {
        r.Bottom -= 1;
        extent = double(r.Bottom - r.Top) / steps;
    }
    for (int n = 0; n < steps; ++n) {
        solidTools(canvas, stepColor(from, to, n, steps));
        const int start = roundEven(n * extent);
        const int size = roundEven(extent) + 1;
        if (horizontal)
            canvas.Rectangle(r.Left + start, r.Top, r.Left + start + size, r.Bottom);
        else
            canvas.Rectangle(r.Left, r.Top + start, r.Right, r.Top + start + size);
    }
}

void DrawGradientBox(TCanvas& canvas, TRect r, TColor color, TColor colorTo, TColor mirror, TColor mirrorTo,
                     bool vertical, TColor border, bool sidesOnly, bool fill)
{
    if (fill && color != clNone) {
        if (mirror != clNone) {
            TRect first = r, second = r;
            if (vertical) {
                const int mid = r.Top + (r.Bottom - r.Top) / 2;
                first.Bottom = mid;
                second.Top = mid;
            } else {
                const int mid = r.Left + (r.Right - r.Left) / 2;
                first.Right = mid;
                second.Left = mid;
            }
            GradientFillRect(canvas, color, colorTo, 128, first, !vertical);
            GradientFillRect(canvas, mirror, mirrorTo, 128, second, !vertical);
        } else if (colorTo == clNone) {
            r.Bottom += 1;
            solidTools(canvas, color);
            canvas.Rectangle(r);
        } else {
            GradientFillRect(canvas, color, colorTo, 128, r, !vertical);
        }
    }
    if (border != clNone) {
        if (sidesOnly) {
            canvas.Pen().Color = border;
            canvas.Pen().Style = fw::psSolid;
            canvas.Pen().Width = 1;
            line(canvas, r.Left, r.Top, r.Left, r.Bottom);
            line(canvas, r.Right - 1, r.Top, r.Right - 1, r.Bottom);
        } else {
            canvas.Brush().Color = border;
            canvas.Brush().Style = fw::bsSolid;
            canvas.FrameRect(r);
        }
    }
}

void DrawRoundedButtonFrame(TCanvas& canvas, TColor color, TColor colorTo, TColor mirror, TColor mirrorTo,
                            TColor upperLine, TColor lowerLine, TColor border, TColor corner, TColor outerCorner,
                            const TRect& r, int endKind)
{
    const int L = r.Left, T = r.Top, Rr = r.Right - 1, Bb = r.Bottom - 2;
    const int mid = T + (Bb - T) / 2;
    const bool leftRound = endKind == 0 || endKind == 1;
    const bool rightRound = endKind == 0 || endKind == 2;
    const int li = leftRound ? 2 : 0;
    const int ri = rightRound ? 2 : 0;

    // A colour of clNone leaves its lines out.
    auto pen = [&](TColor c) {
        canvas.Pen().Color = c;
        canvas.Pen().Style = fw::psSolid;
        canvas.Pen().Width = 1;
        return c != clNone;
    };
    if (pen(upperLine)) {
        line(canvas, L, T + 1, Rr, T + 1);
        if (leftRound)
            line(canvas, L + 1, T + 1, L + 1, mid);
        if (rightRound)
            line(canvas, Rr - 2, T + 1, Rr - 2, mid);
    }
    if (pen(lowerLine)) {
        line(canvas, L, Bb - 1, Rr, Bb - 1);
        if (leftRound)
            line(canvas, L + 1, mid, L + 1, Bb - 1);
        if (rightRound)
            line(canvas, Rr - 2, mid, Rr - 2, Bb - 1);
    }
    if (pen(border)) {
        line(canvas, L + li, T, Rr - ri, T);
        line(canvas, L + li, Bb, Rr - ri, Bb);
        if (rightRound)
            line(canvas, Rr - 1, T + 2, Rr - 1, Bb - 1);
        if (leftRound)
            line(canvas, L, T + 2, L, Bb - 1);
    }
    auto corners = [&](int inner, int outer) {
        if (corner != clNone) {
            for (const TPoint p : {TPoint(inner, T), TPoint(inner, T + 1), TPoint(outer, T + 1), TPoint(inner, Bb),
                                   TPoint(inner, Bb - 1), TPoint(outer, Bb - 1)})
                canvas.SetPixel(p.X, p.Y, corner);
        }
        if (outerCorner != clNone) {
            canvas.SetPixel(outer, T, outerCorner);
            canvas.SetPixel(outer, Bb, outerCorner);
        }
    };
    if (leftRound)
        corners(L + 1, L);
    if (rightRound)
        corners(Rr - 2, Rr - 1);

    const TRect face(L + li, T + 2, Rr - ri, Bb - 1);
    if (color == clNone)
        return;
    if (colorTo == clNone) {
        FillRectColor(canvas, face, color);
    } else if (mirror == clNone) {
        GradientFillRect(canvas, color, colorTo, 16, face, false);
    } else {
        const int faceMid = face.Top + (face.Bottom - face.Top) / 2;
        GradientFillRect(canvas, color, colorTo, 16, TRect(face.Left, face.Top, face.Right, faceMid), false);
        GradientFillRect(canvas, mirror, mirrorTo, 16, TRect(face.Left, faceMid, face.Right, face.Bottom), false);
    }
}

// ---- in-cell controls ----------------------------------------------------------------------

void DrawCellComboButton(TCanvas& canvas, QWidget* window, const TRect& cell, TColorTones tones, std::uint8_t state,
                         std::uint8_t look)
{
    TRect b(cell.Right - 17 - 2, cell.Top + 1, cell.Right - 2, cell.Bottom - 1);
    const bool disabled = state == cbsDisabled;
    switch (look) {
    case cblThemed:
        DrawThemePart(window, QStringLiteral("combobox"), canvas, xpvs::CP_DROPDOWNBUTTON,
                      disabled ? xpvs::CBXS_DISABLED : xpvs::CBXS_NORMAL, b);
        break;
    case cblClassic:
    case cblFlat: {
        unsigned flags = fw::DFCS_SCROLLCOMBOBOX;
        if (disabled)
            flags |= fw::DFCS_INACTIVE;
        if (look == cblFlat)
            flags |= fw::DFCS_FLAT;
        canvas.DrawFrameControl(b, fw::DFC_SCROLL, flags);
        break;
    }
    case cblTones: {
        b.Left += 3;
        solidTools(canvas, toneFor(tones, state).BrushColor);
        canvas.Rectangle(b);
        canvas.Pen().Color = tones.Background.BorderColor;
        line(canvas, b.Left + 1, b.Top, b.Left + 1, b.Bottom);
        filledTriangle(canvas, tones.Background.TextColor, TPoint(b.Left + 5, b.Top + 8),
                       TPoint(b.Left + 11, b.Top + 8), TPoint(b.Left + 8, b.Top + 11));
        break;
    }
    default:
        break;
    }
}

void DrawCellPushButton(TCanvas& canvas, QWidget* window, const TRect& r, TColorTones tones, std::uint8_t state,
                        std::uint8_t look)
{
    switch (look) {
    case cblThemed:
        DrawThemePart(window, QStringLiteral("button"), canvas, xpvs::BP_PUSHBUTTON, std::min<int>(state, 3) + 1,
                      r);
        break;
    case cblClassic:
    case cblFlat: {
        unsigned flags = fw::DFCS_BUTTONPUSH;
        if (state == cbsHot)
            flags |= fw::DFCS_HOT;
        if (state == cbsDown)
            flags |= fw::DFCS_PUSHED;
        if (state == cbsDisabled)
            flags |= fw::DFCS_INACTIVE;
        if (look == cblFlat)
            flags |= fw::DFCS_FLAT;
        TRect b = r;
        canvas.DrawFrameControl(b, fw::DFC_BUTTON, flags);
        break;
    }
    case cblTones: {
        const TColorTone& tone = toneFor(tones, state);
        canvas.Brush().Color = tone.BrushColor;
        canvas.Brush().Style = fw::bsSolid;
        canvas.Pen().Color = tone.BorderColor;
        canvas.Pen().Style = fw::psSolid;
        canvas.Pen().Width = 1;
        canvas.Rectangle(r);
        break;
    }
    default:
        break;
    }
}

void DrawCellSpinButtons(TCanvas& canvas, QWidget* window, const TRect& cell, TColorTones tones, std::uint8_t state,
                         std::uint8_t look)
{
    const TRect pair(cell.Right - 15 - 1, cell.Top - 1, cell.Right - 1, cell.Bottom - 1);
    const int mid = pair.Top + (pair.Bottom - pair.Top) / 2;
    const bool disabled = state == cbsDisabled;
    TRect upper(pair.Left, pair.Top, pair.Right, mid);
    TRect lower(pair.Left, mid, pair.Right, pair.Bottom);
    switch (look) {
    case cblThemed: {
        const int s = disabled ? xpvs::UPS_DISABLED : xpvs::UPS_NORMAL;
        DrawThemePart(window, QStringLiteral("spin"), canvas, xpvs::SPNP_UP, s, upper);
        DrawThemePart(window, QStringLiteral("spin"), canvas, xpvs::SPNP_DOWN, s, lower);
        break;
    }
    case cblClassic:
    case cblFlat: {
        lower.Top = mid + 1;
        unsigned extra = disabled ? fw::DFCS_INACTIVE : 0;
        if (look == cblFlat)
            extra |= fw::DFCS_FLAT;
        canvas.DrawFrameControl(upper, fw::DFC_SCROLL, fw::DFCS_SCROLLUP | extra);
        canvas.DrawFrameControl(lower, fw::DFC_SCROLL, fw::DFCS_SCROLLDOWN | extra);
        break;
    }
    case cblTones: {
        lower.Top = mid + 1;
        solidTools(canvas, toneFor(tones, state).BrushColor);
        canvas.Rectangle(upper);
        canvas.Rectangle(lower);
        const int l = pair.Left;
        filledTriangle(canvas, fw::clBlack, TPoint(l + 5, upper.Top + 5), TPoint(l + 9, upper.Top + 5),
                       TPoint(l + 7, upper.Top + 3));
        filledTriangle(canvas, fw::clBlack, TPoint(l + 5, lower.Top + 1), TPoint(l + 9, lower.Top + 1),
                       TPoint(l + 7, lower.Top + 3));
        break;
    }
    default:
        break;
    }
}

void DrawSmallDownTriangle(TCanvas& canvas, int x, int y, TColor color)
{
    filledTriangle(canvas, color, TPoint(x - 3, y), TPoint(x + 3, y), TPoint(x, y + 3));
}

void DrawCellShape(TCanvas& canvas, int x, int y, int w, int h, TCellShape shape, TColor brushColor, TColor penColor)
{
    canvas.Brush().Color = brushColor;
    canvas.Brush().Style = fw::bsSolid;
    canvas.Pen().Color = penColor;
    canvas.Pen().Style = fw::psSolid;
    canvas.Pen().Width = 1;
    if (shape == csCircle || shape == csSquare || shape == csRoundSquare)
        w = h = std::min(w, h);
    int w2 = w / 2;
    int h2 = h / 2;

    // Star corner k of 10 (k * 36 degrees clockwise from the top): even k outer, odd k inner.
    auto starPoint = [&](int k) {
        const double a = k * 36.0 * std::numbers::pi / 180.0;
        const double rx = (k % 2 == 0) ? w2 : w2 / 3.0;
        const double ry = (k % 2 == 0) ? h2 : h2 / 3.0;
        return TPoint(x + w2 + roundEven(std::sin(a) * rx), y + h2 - roundEven(std::cos(a) * ry));
    };

    switch (shape) {
    case csRectangle:
    case csSquare:
        canvas.Rectangle(x + 1, y + 1, x + w - 1, y + h - 1);
        break;
    case csCircle:
    case csEllips:
        canvas.Ellipse(x, y, x + w, y + h);
        break;
    case csTriangleLeft:
        canvas.Polygon({TPoint(x + w, y), TPoint(x + w, y + h), TPoint(x, y + h2)});
        break;
    case csTriangleRight:
        canvas.Polygon({TPoint(x, y), TPoint(x, y + h), TPoint(x + w, y + h2)});
        break;
    case csTriangleUp:
        canvas.Polygon({TPoint(x, y + h), TPoint(x + w, y + h), TPoint(x + w2, y)});
        break;
    case csTriangleDown:
        canvas.Polygon({TPoint(x, y), TPoint(x + w, y), TPoint(x + w2, y + h)});
        break;
    case csDiamond:
        canvas.Polygon({TPoint(x, y + h2), TPoint(x + w2, y), TPoint(x + 2 * w2, y + h2), TPoint(x + w2, y + 2 * h2)});
        break;
    case csLineVert:
        canvas.Rectangle(x + w2, y, x + w2 + 1, y + h);
        break;
    case csLineHorz:
        canvas.Rectangle(x, y + h2, x + w, y + h2 + 1);
        break;
    case csRoundRect:
    case csRoundSquare:
        canvas.RoundRect(x, y, x + w, y + h, 10, 10);
        break;
    case csStar: {
        std::vector<TPoint> pts;
        for (int k = 0; k < 10; ++k)
            pts.push_back(starPoint(k));
        canvas.Polygon(pts);
        break;
    }
    case csHalfStar: {
        std::vector<TPoint> pts;
        for (int k : {0, 5, 6, 7, 8, 9})
            pts.push_back(starPoint(k));
        canvas.Polygon(pts);
        break;
    }
    case csArrowUp:
    case csArrowDown: {
        w &= ~1;
        w2 = w / 2;
        const int q = w / 4;
        if (shape == csArrowUp)
            canvas.Polygon({TPoint(x, y + h2), TPoint(x + w2, y), TPoint(x + w, y + h2), TPoint(x + 3 * q, y + h2),
                            TPoint(x + 3 * q, y + h), TPoint(x + q, y + h), TPoint(x + q, y + h2)});
        else
            canvas.Polygon({TPoint(x, y + h2), TPoint(x + w2, y + h), TPoint(x + w, y + h2), TPoint(x + 3 * q, y + h2),
                            TPoint(x + 3 * q, y), TPoint(x + q, y), TPoint(x + q, y + h2)});
        break;
    }
    case csArrowLeft:
    case csArrowRight: {
        h &= ~1;
        h2 = h / 2;
        const int q = h / 4;
        if (shape == csArrowLeft)
            canvas.Polygon({TPoint(x, y + h2), TPoint(x + w2, y), TPoint(x + w2, y + q), TPoint(x + w, y + q),
                            TPoint(x + w, y + 3 * q), TPoint(x + w2, y + 3 * q), TPoint(x + w2, y + h)});
        else
            canvas.Polygon({TPoint(x + w, y + h2), TPoint(x + w2, y), TPoint(x + w2, y + q), TPoint(x, y + q),
                            TPoint(x, y + 3 * q), TPoint(x + w2, y + 3 * q), TPoint(x + w2, y + h)});
        break;
    }
    default:
        break;
    }
}

// ---- indicators ----------------------------------------------------------------------------

namespace {

// One bar segment in a colour pair; the gradient runs across the bar's thickness.
void fillSegment(TCanvas& canvas, const TProgressBarLook& look, const TRect& seg, TColor c, TColor cTo)
{
    if (seg.IsEmpty())
        return;
    if (!look.ShowGradient) {
        FillRectColor(canvas, seg, c);
        return;
    }
    if (!look.Vertical) {
        const int mid = seg.Top + (seg.Bottom - seg.Top) / 2;
        GradientFillRect(canvas, cTo, c, look.Steps, TRect(seg.Left, seg.Top, seg.Right, mid), false);
        GradientFillRect(canvas, c, cTo, look.Steps, TRect(seg.Left, mid, seg.Right, seg.Bottom), false);
    } else {
        const int mid = seg.Left + (seg.Right - seg.Left) / 2;
        GradientFillRect(canvas, cTo, c, look.Steps, TRect(seg.Left, seg.Top, mid, seg.Bottom), true);
        GradientFillRect(canvas, c, cTo, look.Steps, TRect(mid, seg.Top, seg.Right, seg.Bottom), true);
    }
}

} // namespace

void DrawStyledProgressBar(TCanvas& canvas, const TRect& r, int percentage, TProgressBarLook look)
{
    const int P = percentage;
    const int S = look.Vertical ? (r.Bottom - r.Top) - 2 : (r.Right - r.Left) - 2;
    const TColor frameColor = look.ShowBorder ? look.BorderColor : look.UnCompleteColor;
    canvas.Brush().Color = look.UnCompleteColor;
    canvas.Brush().Style = fw::bsSolid;
    canvas.Pen().Color = frameColor;
    canvas.Pen().Style = fw::psSolid;
    canvas.Pen().Width = 1;
    canvas.Rectangle(r);

    // A segment `length` long starting `offset` into the bar, inside the frame.
    auto segment = [&](int offset, int length) {
        if (look.Vertical)
            return TRect(r.Left + 1, r.Bottom - 1 - offset - length, r.Right - 1, r.Bottom - 1 - offset);
        return TRect(r.Left + 1 + offset, r.Top + 1, r.Left + 1 + offset + length, r.Bottom - 1);
    };

    if (P > 0) {
        if (look.Stacked) {
            const int len1 = roundEven(std::min(P, look.Level1Perc) / 100.0 * S);
            if (look.Vertical)
                fillSegment(canvas, look, TRect(r.Left + 1, r.Bottom - len1, r.Right - 1, r.Bottom - 1),
                            look.Level0Color, look.Level0ColorTo);
            else
                fillSegment(canvas, look, segment(0, len1), look.Level0Color, look.Level0ColorTo);
            if (P >= look.Level1Perc) {
                const int len2 = roundEven((std::min(P, look.Level2Perc) - look.Level1Perc) / 100.0 * S);
                const int top1 = r.Bottom - len1;
                if (look.Vertical)
                    fillSegment(canvas, look, TRect(r.Left + 1, top1 - len2, r.Right - 1, top1), look.Level1Color,
                                look.Level1ColorTo);
                else
                    fillSegment(canvas, look, segment(len1, len2), look.Level1Color, look.Level1ColorTo);
                if (P >= look.Level2Perc) {
                    const int len3 = P == 100 ? S - len1 - len2 : roundEven((P - look.Level2Perc) / 100.0 * S);
                    const int bottom3 = top1 - len2 - 1;
                    if (look.Vertical)
                        fillSegment(canvas, look, TRect(r.Left + 1, bottom3 - len3, r.Right - 1, bottom3),
                                    look.Level3Color, look.Level3ColorTo);
                    else
                        fillSegment(canvas, look, segment(len1 + len2, len3), look.Level3Color, look.Level3ColorTo);
                }
            }
        } else {
            TColor c = look.Level3Color, cTo = look.Level3ColorTo;
            if (P < look.Level1Perc) {
                c = look.Level0Color;
                cTo = look.Level0ColorTo;
            } else if (P < look.Level2Perc) {
                c = look.Level1Color;
                cTo = look.Level1ColorTo;
            } else if (P < 100) {
                c = look.Level2Color;
                cTo = look.Level2ColorTo;
            }
            if (look.CompletionSmooth) {
                fillSegment(canvas, look, segment(0, roundEven(P / 100.0 * S)), c, cTo);
            } else {
                const int T = roundEven(double(P) * S / 100.0);
                // Blocks sit 2 pixels inside the frame on every side.
                auto block = [&](int offset, int length) {
                    if (look.Vertical)
                        return TRect(r.Left + 2, r.Bottom - 2 - offset - length, r.Right - 2, r.Bottom - 2 - offset);
                    return TRect(r.Left + 2 + offset, r.Top + 2, r.Left + 2 + offset + length, r.Bottom - 2);
                };
                if (T > 9) {
                    const int blocks = T / 9;
                    for (int n = 0; n < blocks; ++n)
                        fillSegment(canvas, look, block(n * 9, 7), c, cTo);
                    if (T % 9 > 2)
                        fillSegment(canvas, look, block(blocks * 9, T % 9 - 1), c, cTo);
                    canvas.Brush().Style = fw::bsClear;
                } else if (T > 1) {
                    fillSegment(canvas, look, block(0, T - 1), c, cTo);
                }
            }
        }
    }

    if (look.ShowPercentage) {
        const QString text = QString::number(P) + QLatin1Char('%');
        canvas.Brush().Style = fw::bsClear;
        if (look.Font) {
            canvas.Font().Name = look.Font->Name;
            canvas.Font().Size = look.Font->Size;
            canvas.Font().Style = look.Font->Style;
        }
        canvas.Font().Color = look.CompleteFontColor;
        const int W = r.Right - r.Left, H = r.Bottom - r.Top;
        const int tw = canvas.TextWidth(text), th = canvas.TextHeight(text);
        if (!look.Vertical) {
            canvas.TextOut(r.Left + W / 2 - tw / 2, r.Top + H / 2 - th / 2, text);
        } else {
            const int oldEsc = canvas.Font().Escapement, oldOri = canvas.Font().Orientation;
            canvas.Font().Escapement = 900;
            canvas.Font().Orientation = 900;
            canvas.TextOut(r.Left + W / 2 - th / 2, r.Top + H / 2 + tw / 2, text);
            canvas.Font().Escapement = oldEsc;
            canvas.Font().Orientation = oldOri;
        }
    }

    canvas.Pen().Color = frameColor;
    canvas.Brush().Style = fw::bsClear;
    canvas.Rectangle(r);
}

void DrawSimpleProgressBar(TCanvas& canvas, TRect r, TColor doneColor, TColor doneFontColor, TColor restColor,
                           TColor restFontColor, double value, int marginX, int marginY, double minimum,
                           double maximum, const QString& format, TColor borderColor, bool print)
{
    const TColor background = canvas.Brush().Color;
    solidTools(canvas, doneColor);
    canvas.Font().Color = doneFontColor;

    const int v = roundEven(value);
    QString text;
    int percentage;
    if (format.isEmpty()) {
        text = QString::number(v) + QLatin1Char('%');
        percentage = v;
    } else {
        const bool integral = format.contains(u'd') || format.contains(u'u');
        try {
            text = integral ? fw::Format(format, {v}) : fw::Format(format, {value});
        } catch (const std::exception&) {
            // A format that does not fit a number must not break painting.
            text = QString::number(v) + QLatin1Char('%');
        }
        if (maximum == minimum)
            percentage = value >= maximum ? 100 : 0;
        else
            percentage = roundEven((value - minimum) * 100.0 / (maximum - minimum));
    }
    percentage = std::clamp(percentage, 0, 100);
    r = TRect(r.Left + marginX, r.Top + marginY, r.Right - marginX, r.Bottom - marginY);

    const int width = r.Right - r.Left, height = r.Bottom - r.Top;
    const TRect done(r.Left, r.Top, r.Left + roundEven(width * percentage / 100.0), r.Bottom);
    const TRect rest(done.Right, r.Top, r.Right, r.Bottom);
    const int tw = canvas.TextWidth(text);
    int th = canvas.TextHeight(text);
    if (print)
        th = -th;
    const int tx = r.Left + (width - tw) / 2;
    const int ty = r.Top + (height - th) / 2;

    canvas.TextRect(done, tx, ty, text);
    solidTools(canvas, restColor);
    canvas.Font().Color = restFontColor;
    canvas.TextRect(rest, tx, ty, text);

    r = r.Inflated(1, 1);
    if (borderColor != clNone) {
        canvas.Brush().Color = borderColor;
        canvas.FrameRect(r);
    }
    r = r.Inflated(1, 1);
    canvas.Brush().Color = background;
    canvas.FrameRect(r);
}

void DrawPiePercentage(TCanvas& canvas, const TRect& r, TColor color, int percentage, bool print)
{
    constexpr TColor grey = 0x808080;
    canvas.Pen().Color = grey;
    canvas.Pen().Width = 1;
    canvas.Pen().Style = fw::psSolid;
    canvas.Ellipse(r);
    const int cx = r.Left + (r.Right - r.Left) / 2;
    const int cy = r.Top + (r.Bottom - r.Top) / 2;
    const double a = percentage / 100.0 * 2 * std::numbers::pi;
    canvas.MoveTo(cx, r.Top);
    canvas.LineTo(cx, cy);
    canvas.LineTo(cx + roundEven(std::sin(a) * (r.Right - r.Left + 1) * 0.5),
                  cy - roundEven(std::cos(a) * (r.Bottom - r.Top + 1) * 0.5));
    canvas.Brush().Color = color;
    canvas.Brush().Style = fw::bsSolid;
    if (percentage != 0)
        canvas.FloodFill(cx + 1, print ? r.Top - 2 : r.Top + 2, grey, fw::fsBorder);
}

void DrawSignedBar(TCanvas& canvas, TRect r, double value, double maximum, bool showValue, TColor negativeColor,
                   TColor positiveColor)
{
    r = r.Inflated(-2, -2);
    const int h = (r.Right - r.Left) / 2;
    maximum = std::abs(maximum);
    value = std::clamp(value, -maximum, maximum);
    // A zero maximum leaves only the zero line, with no bar.
    const int x = maximum > 0 ? roundEven(value * h / maximum) : 0;
    if (x < 0) {
        solidTools(canvas, negativeColor);
        canvas.Rectangle(r.Left + h + x, r.Top, r.Left + h, r.Bottom);
    } else if (x > 0) {
        solidTools(canvas, positiveColor);
        canvas.Rectangle(r.Left + h, r.Top, r.Left + h + x, r.Bottom);
    }
    if (showValue)
        canvas.SetBkMode(fw::bkTransparent);
}

// ---- bitmaps and text marks ----------------------------------------------------------------

void DrawBitmapTransparent(TCanvas& canvas, const fw::TBitmap& bitmap, TColor background, const TRect& r)
{
    const int w = bitmap.Width(), h = bitmap.Height();
    if (w <= 0 || h <= 0)
        return;
    const TColor key = fw::FromQColor(bitmap.ToImage().pixelColor(0, 0));
    fw::TBitmap work(w, h);
    work.Canvas().Brush().Color = background;
    work.Canvas().Brush().Style = fw::bsSolid;
    work.Canvas().BrushCopy(TRect(0, 0, w, h), bitmap, TRect(0, 0, w, h), key);
    canvas.CopyRect(fw::Bounds(r.Left, r.Top, w, h), work.Canvas(), TRect(0, 0, w, h));
}

bool LoadGridResourceBitmap(const QString& name, fw::TBitmap& target)
{
    const QString n = name.toUpper();
    const bool leaf = n == u"SGLEAFCLOSE" || n == u"SGLEAFOPEN";
    const bool xp = n == u"XPNODEC" || n == u"XPNODEO";
    if (!leaf && !xp)
        return false;
    const bool open = n.endsWith(u"OPEN") || n == u"XPNODEO";
    // Drawn on the key colour of pixel (0, 0) so that DrawBitmapTransparent shows the cell behind.
    constexpr TColor key = fw::clFuchsia;
    target.SetSize(leaf ? 9 : 11, leaf ? 9 : 11);
    TCanvas& c = target.Canvas();
    FillRectColor(c, TRect(0, 0, target.Width(), target.Height()), key);
    if (leaf) {
        // A framed box with minus (open) or plus (closed).
        c.Brush().Color = fw::clWhite;
        c.FillRect(TRect(1, 1, 8, 8));
        c.Brush().Color = fw::clGray;
        c.FrameRect(TRect(0, 0, 9, 9));
        c.Pen().Color = fw::clBlack;
        c.Pen().Width = 1;
        line(c, 2, 4, 7, 4);
        if (!open)
            line(c, 4, 2, 4, 7);
    } else {
        // A triangle pointing right (closed) or down (open).
        if (open)
            filledTriangle(c, 0x404040, TPoint(2, 3), TPoint(8, 3), TPoint(5, 6));
        else
            filledTriangle(c, 0x808080, TPoint(3, 2), TPoint(3, 8), TPoint(6, 5));
    }
    return true;
}

void DrawResourceBitmapTransparent(TCanvas& canvas, TColor background, const TRect& r, const QString& resourceName)
{
    fw::TBitmap bitmap;
    if (LoadGridResourceBitmap(resourceName, bitmap))
        DrawBitmapTransparent(canvas, bitmap, background, r);
}

namespace {

// A line edit that tells where a character position is drawn.
class TProbeEdit : public QLineEdit {
public:
    using QLineEdit::QLineEdit;
    TPoint PosFromChar(int index)
    {
        setCursorPosition(index);
        const QRect c = cursorRect();
        return TPoint(c.left() + c.width() / 2, c.top());
    }
};

} // namespace

void DrawErrorUnderline(QWidget* parent, TCanvas& canvas, const QString& text, const TRect& r, int verticalOffset,
                        int errorStart, int errorLength)
{
    if (text.isEmpty())
        return;
    int xs, ys, xe, ye;
    {
        TProbeEdit edit(parent);   // freed on every path
        edit.hide();
        edit.setGeometry(r.Left, r.Top, r.Width(), r.Height());
        edit.setText(text);
        const int len = int(text.size());
        if (errorStart < len) {
            const TPoint p = edit.PosFromChar(std::max(errorStart, 0));
            xs = p.X;
            ys = p.Y;
        } else {
            const TPoint p = edit.PosFromChar(len);
            xs = p.X + 4;
            ys = p.Y;
        }
        if (errorStart + errorLength < len) {
            const TPoint p = edit.PosFromChar(std::max(errorStart + errorLength - 1, 0));
            xe = p.X;
            ye = p.Y;
        } else {
            const TPoint p = edit.PosFromChar(len - 1);
            xe = p.X + 4;
            ye = ys;
        }
    }
    canvas.Pen().Color = fw::clRed;
    canvas.Pen().Width = 2;
    canvas.Pen().Style = fw::psSolid;
    canvas.MoveTo(r.Left + xs, r.Top + ys + verticalOffset + 3);
    const int base = r.Top + ye + verticalOffset;
    int phase = 3;
    int x = xs;
    for (; x <= xe; x += 3) {
        phase = phase == 3 ? 0 : 3;
        canvas.LineTo(r.Left + x + 3, base + phase);
    }
    canvas.LineTo(r.Left + x + 3, phase == 3 ? base : base + 3);
}

// ---- clipboard and windows -----------------------------------------------------------------

namespace {

QString asciiOnly(const QString& fragment)
{
    QString out;
    out.reserve(fragment.size());
    for (qsizetype i = 0; i < fragment.size(); ++i) {
        const QChar c = fragment.at(i);
        if (c.unicode() < 0x80) {
            out += c;
            continue;
        }
        char32_t code = c.unicode();
        if (c.isHighSurrogate() && i + 1 < fragment.size() && fragment.at(i + 1).isLowSurrogate()) {
            code = QChar::surrogateToUcs4(c, fragment.at(i + 1));
            ++i;
        }
        out += QStringLiteral("&#") + QString::number(quint32(code)) + QLatin1Char(';');
    }
    return out;
}

QString header(const char* key, int value)
{
    return QLatin1StringView(key) + QStringLiteral("%1").arg(value, 8, 10, QLatin1Char('0')) + QStringLiteral("\r\n");
}

} // namespace

void WrapClipboardHtml(QString& text)
{
    static const QString kDocType = QStringLiteral("<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.0 Transitional//EN\">");
    static const QString kPrefix = QStringLiteral(
        "<html><head><META http-equiv=Content-Type content=\"text/html; charset=iso-8859-1\"></head>"
        "<body><!--StartFragment-->");
    static const QString kSuffix = QStringLiteral("<!--EndFragment--></body></html>");
    const QString fragment = asciiOnly(text);
    const int L = int(fragment.size());
    const int startFragment = 97 + int(kDocType.size()) + int(kPrefix.size());   // 274
    text = QStringLiteral("Version:1.0\r\n") + header("StartHTML:", 97) +
           header("EndHTML:", startFragment + L + int(kSuffix.size())) + header("StartFragment:", startFragment) +
           header("EndFragment:", startFragment + L) + kDocType + kPrefix + fragment + kSuffix;
}

QByteArray ClipboardHtmlBytes(const QString& fragment)
{
    QString text = fragment;
    WrapClipboardHtml(text);
    return text.toLatin1();
}

bool CallSetLayeredWindowAttributes(QWidget* window, TColor keyColor, std::uint8_t alpha, unsigned flags)
{
    if (!window)
        return true;
    if (flags & LWA_ALPHA)
        window->setWindowOpacity(alpha / 255.0);
    return true;
}

bool CallUpdateLayeredWindow(QWidget* window, const TPoint* position, const QImage& image, std::uint8_t alpha,
                             unsigned flags)
{
    if (!window)
        return true;
    if (auto* layered = qobject_cast<fw::TLayeredWindow*>(window)) {
        layered->UpdateLayered(image, (flags & ULW_ALPHA) ? alpha : 255);
        if (position)
            layered->move(position->X, position->Y);
        return true;
    }
    const QImage content = fw::ScaleAlpha(image, (flags & ULW_ALPHA) ? alpha : 255);
    window->setAttribute(Qt::WA_TranslucentBackground, !(flags & ULW_OPAQUE));
    QPalette pal = window->palette();
    pal.setBrush(QPalette::Window, QBrush(content));
    window->setPalette(pal);
    window->setAutoFillBackground(true);
    if (position)
        window->move(position->X, position->Y);
    if (!content.isNull())
        window->resize(content.size());
    window->update();
    return true;
}
