#pragma once
// Painting routines of the grid pack: colour arithmetic, gradients, in-cell
// buttons, cell shapes, progress indicators, key-colour bitmaps, the error
// underline and the "HTML Format" clipboard header. None keeps state; each
// sets the canvas's brush, pen and font as it needs and leaves them so.
#include "framework/Canvas.h"
#include "framework/Graphics.h"
#include "framework/Types.h"
#include "grid/foundation/FxStyleIF.h"

#include <QByteArray>
#include <QString>

#include <cstdint>

class QWidget;

enum TCellShape {
    csRectangle, csCircle, csTriangleLeft, csTriangleRight, csTriangleUp, csTriangleDown, csDiamond,
    csLineVert, csLineHorz, csRoundRect, csEllips, csSquare, csRoundSquare, csStar, csArrowUp,
    csArrowDown, csArrowLeft, csArrowRight, csHalfStar
};

// How DrawStyledProgressBar paints; the grid fills it from its progress appearance.
struct TProgressBarLook {
    fw::TColor Level0Color = fw::clLime;
    fw::TColor Level0ColorTo = fw::clNone;
    fw::TColor Level1Color = fw::clYellow;
    fw::TColor Level1ColorTo = fw::clNone;
    fw::TColor Level2Color = 0x00A5FF;
    fw::TColor Level2ColorTo = fw::clNone;
    fw::TColor Level3Color = fw::clRed;
    fw::TColor Level3ColorTo = fw::clNone;
    std::int32_t Level1Perc = 70;
    std::int32_t Level2Perc = 90;
    fw::TColor BorderColor = fw::clBlack;
    bool ShowBorder = false;
    bool Stacked = false;
    bool ShowPercentage = true;
    const fw::TFont* Font = nullptr;   // borrowed; the canvas font when null
    fw::TColor CompleteFontColor = fw::clBlue;
    bool CompletionSmooth = true;
    bool ShowGradient = true;
    std::int32_t Steps = 8;
    fw::TColor UnCompleteColor = fw::clNone;
    bool Vertical = false;
};

// Button states and looks of the in-cell button painters.
constexpr std::uint8_t cbsNormal = 0, cbsHot = 1, cbsDown = 2, cbsDisabled = 3;
constexpr std::uint8_t cblThemed = 0, cblClassic = 1, cblFlat = 2, cblTones = 3;

// ---- colour arithmetic
fw::TColor DarkenColorHalf(fw::TColor color);
// Each component c becomes c + percent % of c, kept within 0..255.
fw::TColor ScaleColorByPercent(fw::TColor color, int percent);
// The colour at `position` of a run from `from` (at start) to `to` (at end);
// `to` = clNone gives `from` as passed. Equal ends give the from colour.
fw::TColor InterpolateColor(fw::TColor from, fw::TColor to, int start, int end, int position);

// ---- fills and faces
void FillRectColor(fw::TCanvas& canvas, const fw::TRect& r, fw::TColor color);
void GradientFillRect(fw::TCanvas& canvas, fw::TColor from, fw::TColor to, int steps, fw::TRect r, bool horizontal);
// Bands of equal extent from `from` to `to`, neighbours overlapping by a pixel.
void DrawStepGradient(fw::TCanvas& canvas, fw::TColor from, fw::TColor to, int steps, const fw::TRect& r,
                      bool horizontal);
void DrawGradientBox(fw::TCanvas& canvas, fw::TRect r, fw::TColor color, fw::TColor colorTo, fw::TColor mirror,
                     fw::TColor mirrorTo, bool vertical, fw::TColor border, bool sidesOnly, bool fill);
// endKind: 0 both ends rounded, 1 left only, 2 right only, 3 neither.
void DrawRoundedButtonFrame(fw::TCanvas& canvas, fw::TColor color, fw::TColor colorTo, fw::TColor mirror,
                            fw::TColor mirrorTo, fw::TColor upperLine, fw::TColor lowerLine, fw::TColor border,
                            fw::TColor corner, fw::TColor outerCorner, const fw::TRect& r, int endKind);

// ---- in-cell controls (`window` supplies the widget style of the themed look)
void DrawCellComboButton(fw::TCanvas& canvas, QWidget* window, const fw::TRect& cell, TColorTones tones,
                         std::uint8_t state, std::uint8_t look);
void DrawCellPushButton(fw::TCanvas& canvas, QWidget* window, const fw::TRect& r, TColorTones tones,
                        std::uint8_t state, std::uint8_t look);
void DrawCellSpinButtons(fw::TCanvas& canvas, QWidget* window, const fw::TRect& cell, TColorTones tones,
                         std::uint8_t state, std::uint8_t look);
void DrawSmallDownTriangle(fw::TCanvas& canvas, int x, int y, fw::TColor color);
void DrawCellShape(fw::TCanvas& canvas, int x, int y, int w, int h, TCellShape shape, fw::TColor brushColor,
                   fw::TColor penColor);

// ---- indicators
void DrawStyledProgressBar(fw::TCanvas& canvas, const fw::TRect& r, int percentage, TProgressBarLook look);
// `format` uses Format specifiers: with "d" or "u" in it the rounded value is
// formatted, otherwise the value itself. `print` is set for a page canvas whose
// text heights count negative.
void DrawSimpleProgressBar(fw::TCanvas& canvas, fw::TRect r, fw::TColor doneColor, fw::TColor doneFontColor,
                           fw::TColor restColor, fw::TColor restFontColor, double value, int marginX, int marginY,
                           double minimum, double maximum, const QString& format, fw::TColor borderColor,
                           bool print);
void DrawPiePercentage(fw::TCanvas& canvas, const fw::TRect& r, fw::TColor color, int percentage, bool print);
void DrawSignedBar(fw::TCanvas& canvas, fw::TRect r, double value, double maximum, bool showValue,
                   fw::TColor negativeColor, fw::TColor positiveColor);

// ---- bitmaps and text marks
// Copies `bitmap` to r's top-left with the colour of its pixel (0, 0) replaced by `background`.
void DrawBitmapTransparent(fw::TCanvas& canvas, const fw::TBitmap& bitmap, fw::TColor background, const fw::TRect& r);
// The grid's built-in node glyphs "SGLEAFCLOSE", "SGLEAFOPEN", "XPNODEC" and "XPNODEO";
// false for another name.
bool LoadGridResourceBitmap(const QString& name, fw::TBitmap& target);
void DrawResourceBitmapTransparent(fw::TCanvas& canvas, fw::TColor background, const fw::TRect& r,
                                   const QString& resourceName);
// Red wavy line under characters errorStart .. errorStart + errorLength - 1 of
// `text`, placed as a single-line edit in r would show them.
void DrawErrorUnderline(QWidget* parent, fw::TCanvas& canvas, const QString& text, const fw::TRect& r,
                        int verticalOffset, int errorStart, int errorLength);

// ---- clipboard and windows
// Wraps an HTML fragment with the "HTML Format" header. Characters outside
// ASCII become numeric character references, so the offsets in the header
// count bytes in any encoding the caller picks.
void WrapClipboardHtml(QString& text);
QByteArray ClipboardHtmlBytes(const QString& fragment);

constexpr unsigned LWA_COLORKEY = 1;
constexpr unsigned LWA_ALPHA = 2;
constexpr unsigned ULW_COLORKEY = 1;
constexpr unsigned ULW_ALPHA = 2;
constexpr unsigned ULW_OPAQUE = 4;
// Whole-window opacity; a key colour cannot be honoured here and is ignored.
// True when applied or when the window cannot be layered (it then stays opaque).
bool CallSetLayeredWindowAttributes(QWidget* window, fw::TColor keyColor, std::uint8_t alpha, unsigned flags);
// Shows `image` as the window's content at `position` (when given) with the
// constant `alpha` (ULW_ALPHA) and the image's own alpha channel.
bool CallUpdateLayeredWindow(QWidget* window, const fw::TPoint* position, const QImage& image,
                             std::uint8_t alpha, unsigned flags);
