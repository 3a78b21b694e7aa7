#pragma once
// Visual-style drawing of standard control parts. The desktop's theme service
// is not available here; the parts are drawn by the application's widget style,
// under the class names, part and state numbers the drawing code uses.
#include "framework/Types.h"

#include <QString>

class QWidget;
namespace fw { class TCanvas; }

// Opaque theme data of one control class for one window.
struct TThemeData;
using HTHEME = TThemeData*;

// Part and state numbers of the classes that can be drawn.
namespace xpvs {
// "button"
constexpr int BP_PUSHBUTTON = 1, BP_RADIOBUTTON = 2, BP_CHECKBOX = 3;
constexpr int PBS_NORMAL = 1, PBS_HOT = 2, PBS_PRESSED = 3, PBS_DISABLED = 4, PBS_DEFAULTED = 5;
// radio and check boxes: 1-4 unchecked, 5-8 checked, check boxes 9-12 mixed
// (each group normal, hot, pressed, disabled)
// "combobox"
constexpr int CP_DROPDOWNBUTTON = 1;
constexpr int CBXS_NORMAL = 1, CBXS_HOT = 2, CBXS_PRESSED = 3, CBXS_DISABLED = 4;
// "spin"
constexpr int SPNP_UP = 1, SPNP_DOWN = 2;
constexpr int UPS_NORMAL = 1, UPS_HOT = 2, UPS_PRESSED = 3, UPS_DISABLED = 4;
// "header"
constexpr int HP_HEADERITEM = 1;
constexpr int HIS_NORMAL = 1, HIS_HOT = 2, HIS_PRESSED = 3;
// "treeview"
constexpr int TVP_GLYPH = 2;
constexpr int GLPS_CLOSED = 1, GLPS_OPENED = 2;
} // namespace xpvs

// True once the drawing service is available (always, here).
bool XPVSBound();
bool IsThemeActive();
bool IsAppThemed();
// Name of the active style, as the theme's file name would be reported.
QString GetCurrentThemeName();

// Null for a class that cannot be drawn. `window` supplies style and palette
// (the application's when null).
HTHEME OpenThemeData(QWidget* window, const QString& classList);
void CloseThemeData(HTHEME theme);
bool IsThemePartDefined(HTHEME theme, int part, int state);
// Draws the part in `rect`, limited to `clip` when given. False for an unknown part.
bool DrawThemeBackground(HTHEME theme, fw::TCanvas& canvas, int part, int state, const fw::TRect& rect,
                         const fw::TRect* clip = nullptr);
// Opens the class's theme data, draws the part and closes it again. False when
// the class or part cannot be drawn.
bool DrawThemePart(QWidget* window, const QString& classList, fw::TCanvas& canvas, int part, int state,
                   const fw::TRect& rect);
