#pragma once
// Visual-style drawing of standard control parts. The desktop's theme service
// is not available here; the parts are drawn by the application's widget style,
// under the class names, part and state numbers the drawing code uses. The 45
// functions of the desktop's theme interface are all here, each answering from
// the widget style and palette; a property the style has no counterpart for
// is reported as not found (false), as the desktop does for a theme without it.
#include "framework/Canvas.h"
#include "framework/Graphics.h"
#include "framework/Types.h"

#include <QString>

#include <vector>

class QWidget;

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

// Property identifiers of the Get... functions.
constexpr int TMT_FLATMENUS = 1001;             // system Boolean
constexpr int TMT_MINCOLORDEPTH = 1301;         // system integer
constexpr int TMT_TRANSPARENT = 2201;           // Boolean
constexpr int TMT_IMAGECOUNT = 2401;            // integer: states drawn by the part
constexpr int TMT_BORDERSIZE = 2403;            // integer and metric
constexpr int TMT_WIDTH = 2416, TMT_HEIGHT = 2417;   // metric: natural size of the part
constexpr int TMT_CAPTIONFONT = 801, TMT_MENUFONT = 803, TMT_STATUSFONT = 804, TMT_MSGBOXFONT = 805,
              TMT_GLYPHFONT = 2601;
constexpr int TMT_CLASSES = 401;               // string: the class name
constexpr int TMT_DEFAULTPANESIZE = 5002;      // rectangle: natural size of the part
constexpr int TMT_OFFSET = 3401;                // position: how far the content moves in this state
constexpr int TMT_SIZINGMARGINS = 3601, TMT_CONTENTMARGINS = 3602;
constexpr int TMT_BORDERCOLOR = 3801, TMT_FILLCOLOR = 3802, TMT_TEXTCOLOR = 3803, TMT_EDGELIGHTCOLOR = 3804,
              TMT_EDGEHIGHLIGHTCOLOR = 3805, TMT_EDGESHADOWCOLOR = 3806, TMT_EDGEDKSHADOWCOLOR = 3807;
constexpr int TMT_BGTYPE = 4001;                // enumeration: BT_IMAGEFILE, BT_BORDERFILL, BT_NONE
constexpr int BT_IMAGEFILE = 0, BT_BORDERFILL = 1, BT_NONE = 2;
constexpr int TMT_TRANSITIONDURATIONS = 6000;   // integer list
constexpr int TMT_IMAGEFILE = 3001;             // file name
constexpr int TMT_CSSNAME = 1401;               // system string

// Hit-test options and answers.
constexpr unsigned HTTB_BACKGROUNDSEG = 0x0, HTTB_FIXEDBORDER = 0x2, HTTB_CAPTION = 0x4,
                   HTTB_RESIZINGBORDER = 0xF0;
constexpr int HTNOWHERE = 0, HTCLIENT = 1, HTLEFT = 10, HTRIGHT = 11, HTTOP = 12, HTTOPLEFT = 13,
              HTTOPRIGHT = 14, HTBOTTOM = 15, HTBOTTOMLEFT = 16, HTBOTTOMRIGHT = 17, HTBORDER = 18;

// Application properties.
constexpr unsigned STAP_ALLOW_NONCLIENT = 1, STAP_ALLOW_CONTROLS = 2, STAP_ALLOW_WEBCONTENT = 4;
// Dialog texture flags.
constexpr unsigned ETDT_DISABLE = 1, ETDT_ENABLE = 2, ETDT_USETABTEXTURE = 4;
} // namespace xpvs

struct TMargins {
    int cxLeftWidth = 0;
    int cxRightWidth = 0;
    int cyTopHeight = 0;
    int cyBottomHeight = 0;
    friend bool operator==(const TMargins&, const TMargins&) = default;
};

// True once the drawing service is available (with the application's style).
bool XPVSBound();
// Visual styles are on (EnableTheming) and the program allows themed controls.
bool IsThemeActive();
bool IsAppThemed();
// Name of the active style, as the theme's file name would be reported.
QString GetCurrentThemeName();
// The same with the colour and size names (the style has one of each: "Normal").
bool GetCurrentThemeName(QString& fileName, QString& colorName, QString& sizeName);
// "DisplayName", "Author", "Version" of a theme given by name; false otherwise.
bool GetThemeDocumentationProperty(const QString& themeName, const QString& property, QString& value);
// Switches visual styles off and on for the whole program.
void EnableTheming(bool enable);
unsigned GetThemeAppProperties();
void SetThemeAppProperties(unsigned flags);

// Null for a class that cannot be drawn, while theming is off, or for a
// window whose theming SetWindowTheme switched off. `window` supplies style
// and palette (the application's when null).
HTHEME OpenThemeData(QWidget* window, const QString& classList);
void CloseThemeData(HTHEME theme);
// The theme data last opened for `window` and not yet closed; null when none.
HTHEME GetWindowTheme(QWidget* window);
// Empty (not null) texts for both switch theming off for the window; null
// texts switch it back on (the style has no sub-application variants).
bool SetWindowTheme(QWidget* window, const QString& subAppName, const QString& subIdList);
bool EnableThemeDialogTexture(QWidget* window, unsigned flags);
bool IsThemeDialogTextureEnabled(QWidget* window);

bool IsThemePartDefined(HTHEME theme, int part, int state);
bool IsThemeBackgroundPartiallyTransparent(HTHEME theme, int part, int state);
// Draws the part in `rect`, limited to `clip` when given. False for an unknown part.
bool DrawThemeBackground(HTHEME theme, fw::TCanvas& canvas, int part, int state, const fw::TRect& rect,
                         const fw::TRect* clip = nullptr);
// The parent's background behind `child` (its whole rectangle when `rect` is null).
bool DrawThemeParentBackground(QWidget* child, fw::TCanvas& canvas, const fw::TRect* rect = nullptr);
// Text in the part's text colour for the state (DrawText flags).
bool DrawThemeText(HTHEME theme, fw::TCanvas& canvas, int part, int state, const QString& text, unsigned flags,
                   const fw::TRect& rect);
bool DrawThemeEdge(HTHEME theme, fw::TCanvas& canvas, int part, int state, const fw::TRect& rect, unsigned edge,
                   unsigned flags, fw::TRect* content = nullptr);
// Image `index` of `images` centred in `rect`, greyed in the disabled state (4).
bool DrawThemeIcon(HTHEME theme, fw::TCanvas& canvas, int part, int state, const fw::TRect& rect,
                   const fw::TImageList& images, int index);

// Where content goes inside a part drawn in `bounds`, and the reverse.
bool GetThemeBackgroundContentRect(HTHEME theme, int part, int state, const fw::TRect& bounds, fw::TRect& content);
bool GetThemeBackgroundExtent(HTHEME theme, int part, int state, const fw::TRect& content, fw::TRect& extent);
bool GetThemeBackgroundRegion(HTHEME theme, int part, int state, const fw::TRect& rect, fw::TRegion& region);
// HTCLIENT inside the part, HTNOWHERE outside; with HTTB_RESIZINGBORDER the
// border zones answer HTLEFT .. HTBOTTOMRIGHT.
bool HitTestThemeBackground(HTHEME theme, int part, int state, unsigned options, const fw::TRect& rect,
                            const fw::TPoint& point, int& hitCode);
bool GetThemeTextExtent(HTHEME theme, fw::TCanvas& canvas, int part, int state, const QString& text, unsigned flags,
                        const fw::TRect* bounding, fw::TRect& extent);
bool GetThemeTextMetrics(HTHEME theme, fw::TCanvas& canvas, int part, int state, fw::TTextMetric& metrics);

// Properties (the TMT_ identifiers above); false when the part has no such property.
bool GetThemeColor(HTHEME theme, int part, int state, int propId, fw::TColor& color);
bool GetThemeMetric(HTHEME theme, int part, int state, int propId, int& value);
bool GetThemeString(HTHEME theme, int part, int state, int propId, QString& value);
bool GetThemeBool(HTHEME theme, int part, int state, int propId, bool& value);
bool GetThemeInt(HTHEME theme, int part, int state, int propId, int& value);
bool GetThemeEnumValue(HTHEME theme, int part, int state, int propId, int& value);
bool GetThemePosition(HTHEME theme, int part, int state, int propId, fw::TPoint& value);
bool GetThemeFont(HTHEME theme, int part, int state, int propId, fw::TFont& font);
bool GetThemeRect(HTHEME theme, int part, int state, int propId, fw::TRect& value);
bool GetThemeMargins(HTHEME theme, int part, int state, int propId, TMargins& margins);
bool GetThemeIntList(HTHEME theme, int part, int state, int propId, std::vector<int>& values);
bool GetThemeFilename(HTHEME theme, int part, int state, int propId, QString& fileName);

// System values as the theme reports them.
fw::TColor GetThemeSysColor(HTHEME theme, int colorId);
fw::TBrush GetThemeSysColorBrush(HTHEME theme, int colorId);
bool GetThemeSysBool(HTHEME theme, int boolId);
int GetThemeSysSize(HTHEME theme, int sizeId);
bool GetThemeSysFont(HTHEME theme, int fontId, fw::TFont& font);
bool GetThemeSysString(HTHEME theme, int stringId, QString& value);
bool GetThemeSysInt(HTHEME theme, int intId, int& value);
// Opens the class's theme data, draws the part and closes it again. False when
// the class or part cannot be drawn.
bool DrawThemePart(QWidget* window, const QString& classList, fw::TCanvas& canvas, int part, int state,
                   const fw::TRect& rect);
