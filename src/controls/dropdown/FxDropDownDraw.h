#pragma once
// Drawing routines of the drop-down family: colour blending and channel
// scaling, filled and framed rectangles, an image beside a caption, text
// measuring and shortening, and mini-HTML captions. Gradients are the grid's
// DrawStepGradient and key-colour bitmaps its DrawBitmapTransparent
// (FxUtilDraw.h); the drop-downs use those directly.
#include "framework/Canvas.h"
#include "framework/Graphics.h"
#include "framework/Types.h"

#include <QString>

class QWidget;

namespace FxDropDown {

// Percent 100 or more gives c1, 0 or less c2; otherwise each channel is
// Percent % of c1 and the rest of c2, rounded half to even.
fw::TColor BlendColor(fw::TColor c1, fw::TColor c2, int percent);
// Each channel scaled by its percentage: a channel of 0 becomes max(0, p),
// another min(100, 100 + p) % of itself. A negative percentage darkens.
fw::TColor AdjustColorChannels(fw::TColor color, int red, int green, int blue);
// A gradient of 80 bands (colorTo not clNone) or a fill in color (not
// clNone), then an outline of borderWidth in borderColor (not clNone).
void FillAndFrameRect(fw::TCanvas* canvas, const fw::TRect& r, fw::TColor color, fw::TColor colorTo,
                      fw::TColor borderColor, int borderWidth, bool vertical);
// Image `imageIndex` of `images` 4 pixels in from the left and vertically
// centred, then the caption on one line with an end ellipsis: centred
// without an image, left-aligned 4 pixels after one.
void DrawImageAndCaption(fw::TCanvas* canvas, const fw::TRect& r, const QString& caption, int imageIndex,
                         const fw::TImageList* images);
// Width and height of the text on one line; (0, 0) for an empty text.
fw::TSize MeasureTextSingleLine(fw::TCanvas& canvas, const QString& text);
// The text itself when it fits into maxWidth, else the longest shortening
// (with "..." when addEllipsis) that is narrower; the text when none is.
QString FitTextWithEllipsis(fw::TCanvas& canvas, const QString& text, int maxWidth, bool addEllipsis);
// Draws (draw) or only measures a mini-HTML text in r and gives its size.
fw::TSize DrawHtmlCaption(fw::TCanvas& canvas, const QString& text, const fw::TRect& r, QWidget* window, bool draw,
                          const fw::TImageList* images);
// The text itself, or upper-cased when the comparison ignores case.
QString FoldCase(const QString& text, bool caseSensitive);

} // namespace FxDropDown
