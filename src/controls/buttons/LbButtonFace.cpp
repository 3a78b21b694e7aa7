#include "controls/buttons/LbButtonFace.h"

#include "controls/buttons/LbGlyphs.h"
#include "framework/Canvas.h"
#include "framework/SysColors.h"

#include <QImage>
#include <QPainter>

#include <algorithm>
#include <memory>

using fw::TCanvas;
using fw::TColor;

namespace {

// Built on first use and kept: every paint of a button with a popup menu draws it.
const fw::TBitmap& popupArrow()
{
    static const std::unique_ptr<const fw::TBitmap> arrow = [] {
        auto bitmap = std::make_unique<fw::TBitmap>();
        LoadLbGlyph(QStringLiteral("LBARROW"), *bitmap);
        bitmap->SetTransparent(true);
        return bitmap;
    }();
    return *arrow;
}

void line(TCanvas& c, TColor color, int x0, int y0, int x1, int y1)
{
    c.Pen().Color = color;
    c.MoveTo(x0, y0);
    c.LineTo(x1, y1);
}

// Top-left edge from the lower-left corner, then bottom-right edge back to
// the lower-left corner, as a raised (or, colours swapped, sunken) frame.
void bevel(TCanvas& c, TColor topLeft, TColor bottomRight, int w, int h, int endX)
{
    c.Pen().Color = topLeft;
    c.MoveTo(0, h - 1);
    c.LineTo(0, 0);
    c.LineTo(w - 1, 0);
    c.Pen().Color = bottomRight;
    c.LineTo(w - 1, h - 1);
    c.LineTo(endX, h - 1);
}

void drawBorder(TCanvas& c, const TLbFace& f, TColor face, bool pressed)
{
    const int w = f.Width;
    const int h = f.Height;
    c.Pen().Style = fw::psSolid;
    c.Pen().Width = 1;
    switch (f.Style) {
    case bsNormal:
    case bsEncarta:
    case bsOld: {
        if (f.Flat && !(f.Enabled && (f.Hot || pressed)))
            return;
        if (f.Style == bsOld) {
            const TColor darkShadow = fw::cl3DDkShadow;
            if (pressed) {
                c.Pen().Color = f.ShadowColor;
                c.MoveTo(1, h - 3);
                c.LineTo(1, 1);
                c.LineTo(w - 2, 1);
                bevel(c, darkShadow, f.LightColor, w, h, -1);
            } else {
                c.Pen().Color = f.ShadowColor;
                c.MoveTo(w - 2, 0);
                c.LineTo(w - 2, h - 2);
                c.LineTo(0, h - 2);
                bevel(c, f.LightColor, darkShadow, w, h, -1);
            }
        } else if (pressed) {
            bevel(c, f.ShadowColor, f.LightColor, w, h, 0);
        } else {
            bevel(c, f.LightColor, f.ShadowColor, w, h, 0);
        }
        return;
    }
    case bsModern:
        c.Brush().Style = fw::bsClear;
        c.Pen().Color = pressed ? f.ShadowColor : face;
        c.Rectangle(1, 1, w - 1, h - 1);
        c.Pen().Color = f.ShadowColor;
        c.RoundRect(0, 0, w, h, 6, 6);
        return;
    case bsQuicken:
        c.Brush().Style = fw::bsSolid;
        c.Brush().Color = face;
        c.Pen().Style = fw::psClear;
        c.RoundRect(0, 1, w, h, 4, 4);
        c.Pen().Style = fw::psSolid;
        c.Brush().Style = fw::bsClear;
        line(c, f.ShadowColor, 4, 0, w - 5, 0);
        line(c, f.ShadowColor, 4, h - 1, w - 5, h - 1);
        return;
    case bsShape:
        return;
    }
}

unsigned textFormat(fw::TAlignment alignment)
{
    switch (alignment) {
    case fw::taLeftJustify:
        return fw::DT_WORDBREAK;
    case fw::taRightJustify:
        return fw::DT_RIGHT | fw::DT_WORDBREAK;
    case fw::taCenter:
        return fw::DT_CENTER | fw::DT_WORDBREAK;
    }
    return fw::DT_CENTER | fw::DT_VCENTER | fw::DT_SINGLELINE;
}

// Disabled shows image 1; a pressed image (2) wins over a hot one (3), each
// only when the strip has it.
int glyphIndex(int numGlyphs, bool enabled, bool hot, bool pressed)
{
    if (!enabled)
        return 1;
    int index = 0;
    if (hot && numGlyphs > 3)
        index = 3;
    if (pressed && numGlyphs > 2)
        index = 2;
    return index;
}

} // namespace

TColor BlendLbHotTrackColor(TColor color, TColor hotTrackColor, int step)
{
    const TColor c = fw::ColorToRGB(color);
    const TColor h = fw::ColorToRGB(hotTrackColor);
    const double k = step / double(LbHotTrackSteps);
    auto mix = [k](int a, int b) { return int(a * (1.0 - k) + b * k); };
    return fw::RGBToColor(mix(fw::GetRValue(c), fw::GetRValue(h)), mix(fw::GetGValue(c), fw::GetGValue(h)),
                          mix(fw::GetBValue(c), fw::GetBValue(h)));
}

void DrawLbGradient(TCanvas& canvas, TColor startColor, TColor endColor, int left, int top, int right, int bottom)
{
    const TColor s = fw::ColorToRGB(startColor);
    const TColor e = fw::ColorToRGB(endColor);
    const int extent = bottom - top;
    const int band = extent / 31 + 1;
    const double dr = (fw::GetRValue(e) - fw::GetRValue(s)) / 31.0;
    const double dg = (fw::GetGValue(e) - fw::GetGValue(s)) / 31.0;
    const double db = (fw::GetBValue(e) - fw::GetBValue(s)) / 31.0;
    const fw::TPenStyle penStyle = canvas.Pen().Style;
    canvas.Pen().Style = fw::psClear;
    canvas.Brush().Style = fw::bsSolid;
    // 32 bands over 31 steps: the last band starts at the bottom edge and is
    // cut away, so the end colour itself is never drawn.
    for (int i = 0; i <= 31; ++i) {
        const int y = top + i * extent / 31;
        canvas.Brush().Color = fw::RGBToColor(int(fw::GetRValue(s) + i * dr), int(fw::GetGValue(s) + i * dg),
                                              int(fw::GetBValue(s) + i * db));
        canvas.FillRect(fw::TRect(left, y, right, std::min(y + band, bottom)));
    }
    canvas.Pen().Style = penStyle;
}

void DrawLbGlyph(TCanvas& canvas, const fw::TBitmap& strip, int x, int y, int sourceX, int sourceY, int width,
                 int height)
{
    if (width <= 0 || height <= 0 || strip.Empty())
        return;
    // The strip replaces the first image wherever it covers it, also with
    // its see-through pixels: a picture with smooth edges must not show the
    // first image through them.
    const QImage source = strip.ToImage();
    QImage cut = source.copy(0, 0, width, height);
    {
        QPainter p(&cut);
        p.setCompositionMode(QPainter::CompositionMode_Source);
        p.drawImage(-sourceX, -sourceY, source);
    }
    fw::TBitmap image;
    image.SetImage(cut);
    image.SetTransparentMode(fw::tmAuto);
    image.SetTransparent(true);
    canvas.Draw(x, y, image);
}

void DrawLbButtonFace(TCanvas& canvas, const TLbFace& f)
{
    const int W = f.Width;
    const int H = f.Height;
    const bool pressed = f.Pressed && f.Enabled;
    const int p = pressed && f.Style != bsEncarta ? 1 : 0;

    TColor face = fw::ColorToRGB(f.Color);
    if (f.Enabled && f.HotTrackColor != fw::clNone)
        face = BlendLbHotTrackColor(f.Color, f.HotTrackColor, f.HotTrackStep);
    if (pressed && f.ColorWhenDown != fw::clNone)
        face = f.ColorWhenDown;

    // Background.
    canvas.Brush().Style = fw::bsSolid;
    if (f.Style == bsShape) {
        canvas.Brush().Color = LbSeeThroughColor;
        canvas.FillRect(fw::TRect(-1, -1, W + 1, H + 1));
    } else if (!f.Transparent) {
        switch (f.Style) {
        case bsNormal:
        case bsEncarta:
        case bsOld:
            canvas.Brush().Color = face;
            canvas.FillRect(fw::TRect(0, 0, W, H));
            break;
        case bsModern:
            DrawLbGradient(canvas, f.LightColor, face, 2, 2, W - 2, H / 4 + p);
            DrawLbGradient(canvas, face, f.LightColor, 2, H / 4 + p, W - 2, H - 1);
            break;
        default:
            break;
        }
    }
    canvas.Brush().Style = fw::bsClear;

    drawBorder(canvas, f, face, pressed);
    canvas.Brush().Style = fw::bsClear;
    canvas.SetBkMode(fw::bkTransparent);

    canvas.Font() = f.Font;
    if (f.Style == bsEncarta && pressed)
        canvas.Font().Style.Include(fw::fsBold);

    const bool hasGlyph = f.Glyph && !f.Glyph->Empty();
    const int w = hasGlyph && f.NumGlyphs > 0 ? f.Glyph->Width() / f.NumGlyphs : 0;
    const int h = hasGlyph ? f.Glyph->Height() : 0;
    const int index = glyphIndex(f.NumGlyphs, f.Enabled, f.Hot, pressed);
    const unsigned format = textFormat(f.Alignment);

    int available = 0;
    if (f.Style == bsShape || f.Layout == blGlyphTop || f.Layout == blGlyphBottom)
        available = std::max(W - 8, 0);
    else
        available = std::max(W - 8 - (w > 0 ? w + 4 : 0), 0);

    QString caption = f.Caption;
    if (!f.WordWrap)
        while (!caption.isEmpty() && canvas.TextWidth(caption) > available)
            caption.chop(1);
    fw::TRect measure(0, 0, available, 0);
    canvas.DrawText(caption, measure, fw::DT_CALCRECT | fw::DT_WORDBREAK);
    const int tw = measure.Width();
    const int th = measure.Height();
    const int G = caption.isEmpty() ? 0 : tw + 4;

    auto drawGlyph = [&](int gx, int gy) {
        if (hasGlyph)
            DrawLbGlyph(canvas, *f.Glyph, gx, gy, index * w, 0, w, h);
    };

    if (f.Style == bsShape) {
        drawGlyph((W - w) / 2, (H - h) / 2);
        fw::TRect r(p, (H - th) / 2 + p, W, H);
        canvas.DrawText(caption, r, fw::DT_CENTER | fw::DT_WORDBREAK);
    } else {
        int tx = p + 4;
        int ty = 0;
        int gx = 0;
        int gy = 0;
        switch (f.Layout) {
        case blGlyphLeft:
        case blGlyphRight:
            ty = (H - th) / 2 + p;
            gy = (H - h) / 2 + p;
            if (f.Layout == blGlyphLeft) {
                if (w > 0)
                    tx += w + 4;
                gx = p + 4;
                if (!f.WordWrap) {
                    if (f.Alignment == fw::taRightJustify)
                        gx = W - 4 - w - G + p;
                    else if (f.Alignment == fw::taCenter)
                        gx = (W - w) / 2 + p - G / 2;
                }
            } else {
                gx = tx + G;
                if (!f.WordWrap) {
                    if (f.Alignment == fw::taRightJustify)
                        gx = W - 4 - w + p;
                    else if (f.Alignment == fw::taCenter)
                        gx = (W - w) / 2 + p + G / 2;
                }
            }
            break;
        case blGlyphTop:
        case blGlyphBottom: {
            const int T = th + (h > 0 ? h + 4 : 0);
            if (f.Layout == blGlyphTop) {
                gy = (H - T) / 2 + p;
                ty = (H - T) / 2 + h + p;
            } else {
                ty = (H - T) / 2 + p;
                gy = (H - T) / 2 + th + p;
            }
            if (f.Alignment == fw::taLeftJustify)
                gx = p + 4;
            else if (f.Alignment == fw::taRightJustify)
                gx = W - w - 4 + p;
            else
                gx = (W - w) / 2 + p;
            break;
        }
        }
        if (!f.Enabled)
            canvas.Font().Color = fw::clGray;
        fw::TRect r(tx, ty, tx + available, ty + th);
        canvas.DrawText(caption, r, format);
        drawGlyph(gx, gy);
    }

    if (f.HasPopupMenu)
        canvas.Draw(W - 11, H / 2 - 1, popupArrow());
}
