#pragma once
// Free routines of grid painting: colour blending, percentages, the origin of
// rotated text and the grid's built-in glyph bitmaps.
#include "framework/Graphics.h"
#include "framework/Types.h"

#include <QString>

// Channel-wise round(x * a + (1 - x) * b) with x = Percent / 100: Percent of
// 100 or more gives A, 0 or less gives B; clNone on either side gives the other.
fw::TColor BlendColors(fw::TColor A, fw::TColor B, int Percent);

// X kept within 0 .. 100.
int ClampPercent(double X);

// Moves R's left and top to where text turned by Angle degrees starts, from
// the turned extents a = |cy cos|, b = |cx sin|, c = |cy sin|, d = |cx cos|
// (each truncated); HAlign 0 left, 1 right, 2 centre; VAlign 0 top, 1 centre,
// 2 bottom. R's right and bottom stay.
void RotatedTextOrigin(fw::TRect& R, int HAlign, int VAlign, int a, int b, int c, int d, int Angle);

class QWidget;
namespace fw {
class TCanvas;
}

// A part of the widget style's controls (check box, radio button, header)
// drawn as DrawThemePart draws it; each look is drawn once and then copied,
// as cells repeat the same few looks many times per paint.
bool DrawThemePartCached(QWidget* window, const QString& classList, fw::TCanvas& canvas, int part, int state,
                         const fw::TRect& rect);

// The grid's glyphs by resource name: "SGCHK01" .. "SGCHK08" (check boxes),
// "SGRAD01" .. "SGRAD08" (radio buttons), "SGFILT" (filter button),
// "metrocheckon", "metrocheckoff", "metroradioon", "metroradiooff", "SGCLOSE",
// "SGCLOSEH", "SGCLOSED", "SGARDOWN", "SGARDOWND", "SGARUP", "SGARUPD", "SGHI",
// "SGHID" and the node glyphs of the foundation. Each is drawn on the key
// colour of its pixel (0, 0). False for another name.
bool LoadGridGlyph(const QString& name, fw::TBitmap& target);
