#include "grid/foundation/FxXPVS.h"
#include "framework/SysColors.h"

#include "framework/Canvas.h"
#include "framework/Screen.h"

#include <QApplication>
#include <QPainter>
#include <QPointer>
#include <QStyle>
#include <QStyleOption>
#include <QWidget>

#include <QFontInfo>
#include <QHash>

#include <algorithm>

enum class TThemeClass { Button, ComboBox, Spin, Header, TreeView };

struct TThemeData {
    TThemeClass cls;
    QPointer<QWidget> window;
    QString className;
};

namespace {

// Program-wide switches of the theme interface.
bool themingEnabled = true;
unsigned appProperties = xpvs::STAP_ALLOW_NONCLIENT | xpvs::STAP_ALLOW_CONTROLS | xpvs::STAP_ALLOW_WEBCONTENT;

// Per-window state: themes opened for it, theming switched off, dialog texture.
constexpr const char* kUnthemedProperty = "gc_xpvs_unthemed";
constexpr const char* kDialogTextureProperty = "gc_xpvs_dialogtexture";
QHash<const QWidget*, HTHEME>& windowThemes()
{
    static QHash<const QWidget*, HTHEME> themes;
    return themes;
}

QStyle* styleFor(const TThemeData* t)
{
    if (t->window)
        return t->window->style();
    return QApplication::style();
}

QPalette paletteFor(const TThemeData* t)
{
    return t->window ? t->window->palette() : QApplication::palette();
}

// Normal, hot, pressed, disabled (1..4) as style state flags.
QStyle::State stateFlags(int state4)
{
    QStyle::State s = QStyle::State_None;
    if (state4 != 4)
        s |= QStyle::State_Enabled;
    if (state4 == 2)
        s |= QStyle::State_MouseOver;
    if (state4 == 3)
        s |= QStyle::State_Sunken;
    else
        s |= QStyle::State_Raised;
    return s;
}

void initOption(QStyleOption& opt, const TThemeData* t, const fw::TRect& r, QStyle::State state)
{
    opt.rect = fw::ToQRect(r);
    opt.state = state;
    opt.palette = paletteFor(t);
    opt.direction = Qt::LeftToRight;
    if (t->window)
        opt.fontMetrics = t->window->fontMetrics();
}

// A button face with an arrow glyph, as the drop-down and spin buttons look.
void drawArrowButton(const TThemeData* t, QPainter* p, const fw::TRect& r, int state4, QStyle::PrimitiveElement arrow)
{
    QStyle* style = styleFor(t);
    QStyleOptionButton button;
    initOption(button, t, r, stateFlags(state4));
    style->drawControl(QStyle::CE_PushButtonBevel, &button, p, t->window);
    QStyleOption glyph;
    initOption(glyph, t, r, stateFlags(state4));
    const int inset = std::max(2, std::min(r.Width(), r.Height()) / 4);
    glyph.rect = glyph.rect.adjusted(inset, inset, -inset, -inset);
    style->drawPrimitive(arrow, &glyph, p, t->window);
}

} // namespace

bool XPVSBound() { return QApplication::style() != nullptr; }
bool IsThemeActive() { return XPVSBound() && themingEnabled; }
bool IsAppThemed() { return IsThemeActive() && (appProperties & xpvs::STAP_ALLOW_CONTROLS) != 0; }

QString GetCurrentThemeName() { return QApplication::style() ? QApplication::style()->name() : QString(); }

bool GetCurrentThemeName(QString& fileName, QString& colorName, QString& sizeName)
{
    if (!IsThemeActive())
        return false;
    fileName = GetCurrentThemeName();
    colorName = QStringLiteral("Normal");
    sizeName = QStringLiteral("Normal");
    return true;
}

bool GetThemeDocumentationProperty(const QString& themeName, const QString& property, QString& value)
{
    if (themeName.compare(GetCurrentThemeName(), Qt::CaseInsensitive) != 0)
        return false;
    if (property.compare(u"DisplayName", Qt::CaseInsensitive) == 0)
        value = GetCurrentThemeName();
    else if (property.compare(u"Author", Qt::CaseInsensitive) == 0)
        value = QStringLiteral("Qt");
    else if (property.compare(u"Version", Qt::CaseInsensitive) == 0)
        value = QString::fromLatin1(qVersion());
    else
        return false;
    return true;
}

void EnableTheming(bool enable) { themingEnabled = enable; }
unsigned GetThemeAppProperties() { return appProperties; }
void SetThemeAppProperties(unsigned flags) { appProperties = flags; }

HTHEME OpenThemeData(QWidget* window, const QString& classList)
{
    if (!IsAppThemed() || (window && window->property(kUnthemedProperty).toBool()))
        return nullptr;
    // The desktop accepts a ";"-separated list and takes the first known class.
    for (const QString& raw : classList.split(u';', Qt::SkipEmptyParts)) {
        const QString name = raw.trimmed().toLower();
        TThemeClass cls;
        if (name == u"button")
            cls = TThemeClass::Button;
        else if (name == u"combobox")
            cls = TThemeClass::ComboBox;
        else if (name == u"spin")
            cls = TThemeClass::Spin;
        else if (name == u"header")
            cls = TThemeClass::Header;
        else if (name == u"treeview")
            cls = TThemeClass::TreeView;
        else
            continue;
        auto* theme = new TThemeData{cls, window, name};
        if (window)
            windowThemes().insert(window, theme);
        return theme;
    }
    return nullptr;
}

void CloseThemeData(HTHEME theme)
{
    if (!theme)
        return;
    for (auto it = windowThemes().begin(); it != windowThemes().end();) {
        if (it.value() == theme)
            it = windowThemes().erase(it);
        else
            ++it;
    }
    delete theme;
}

HTHEME GetWindowTheme(QWidget* window) { return window ? windowThemes().value(window, nullptr) : nullptr; }

bool SetWindowTheme(QWidget* window, const QString& subAppName, const QString& subIdList)
{
    if (!window)
        return false;
    window->setProperty(kUnthemedProperty, subAppName.isEmpty() && subIdList.isEmpty() && !subAppName.isNull());
    window->update();
    return true;
}

bool EnableThemeDialogTexture(QWidget* window, unsigned flags)
{
    if (!window)
        return false;
    if (flags & xpvs::ETDT_DISABLE)
        window->setProperty(kDialogTextureProperty, false);
    else if (flags & xpvs::ETDT_ENABLE)
        window->setProperty(kDialogTextureProperty, true);
    return true;
}

bool IsThemeDialogTextureEnabled(QWidget* window)
{
    return window && window->property(kDialogTextureProperty).toBool();
}

bool IsThemePartDefined(HTHEME theme, int part, int state)
{
    if (!theme)
        return false;
    switch (theme->cls) {
    case TThemeClass::Button: return part >= 1 && part <= 3;
    case TThemeClass::ComboBox: return part == xpvs::CP_DROPDOWNBUTTON;
    case TThemeClass::Spin: return part == xpvs::SPNP_UP || part == xpvs::SPNP_DOWN;
    case TThemeClass::Header: return part == xpvs::HP_HEADERITEM;
    case TThemeClass::TreeView: return part == xpvs::TVP_GLYPH;
    }
    return false;
}

bool DrawThemeBackground(HTHEME theme, fw::TCanvas& canvas, int part, int state, const fw::TRect& rect,
                         const fw::TRect* clip)
{
    if (!IsThemePartDefined(theme, part, state) || rect.IsEmpty())
        return false;
    QPainter* p = canvas.Painter();
    if (!p)
        return false;
    p->save();
    p->setRenderHint(QPainter::Antialiasing, false);
    // A part never paints outside its rectangle, whatever size the style prefers.
    p->setClipRect(fw::ToQRect(rect), Qt::IntersectClip);
    if (clip)
        p->setClipRect(fw::ToQRect(*clip), Qt::IntersectClip);
    QStyle* style = styleFor(theme);
    QWidget* w = theme->window;

    switch (theme->cls) {
    case TThemeClass::Button:
        if (part == xpvs::BP_PUSHBUTTON) {
            QStyleOptionButton opt;
            const int s4 = state == xpvs::PBS_DEFAULTED ? 1 : state;
            initOption(opt, theme, rect, stateFlags(s4));
            if (state == xpvs::PBS_DEFAULTED)
                opt.features |= QStyleOptionButton::DefaultButton;
            style->drawControl(QStyle::CE_PushButtonBevel, &opt, p, w);
        } else {
            // Groups of four states: unchecked, checked, mixed.
            const int group = (state - 1) / 4;
            const int s4 = (state - 1) % 4 + 1;
            // Indicators are square, centred in the rectangle.
            const int side = std::min(rect.Width(), rect.Height());
            const fw::TRect square = fw::Bounds(rect.Left + (rect.Width() - side) / 2,
                                                rect.Top + (rect.Height() - side) / 2, side, side);
            QStyleOptionButton opt;
            initOption(opt, theme, square, stateFlags(s4) & ~QStyle::State_Raised);
            opt.state |= group == 0 ? QStyle::State_Off : group == 1 ? QStyle::State_On : QStyle::State_NoChange;
            style->drawPrimitive(part == xpvs::BP_RADIOBUTTON ? QStyle::PE_IndicatorRadioButton
                                                               : QStyle::PE_IndicatorCheckBox,
                                 &opt, p, w);
        }
        break;
    case TThemeClass::ComboBox:
        drawArrowButton(theme, p, rect, state, QStyle::PE_IndicatorArrowDown);
        break;
    case TThemeClass::Spin:
        drawArrowButton(theme, p, rect, state,
                        part == xpvs::SPNP_UP ? QStyle::PE_IndicatorArrowUp : QStyle::PE_IndicatorArrowDown);
        break;
    case TThemeClass::Header: {
        QStyleOptionHeader opt;
        initOption(opt, theme, rect, stateFlags(state));
        style->drawControl(QStyle::CE_HeaderSection, &opt, p, w);
        break;
    }
    case TThemeClass::TreeView: {
        QStyleOption opt;
        initOption(opt, theme, rect, QStyle::State_Enabled | QStyle::State_Children);
        if (state == xpvs::GLPS_OPENED)
            opt.state |= QStyle::State_Open;
        style->drawPrimitive(QStyle::PE_IndicatorBranch, &opt, p, w);
        break;
    }
    }
    p->restore();
    return true;
}

bool DrawThemePart(QWidget* window, const QString& classList, fw::TCanvas& canvas, int part, int state,
                   const fw::TRect& rect)
{
    HTHEME theme = OpenThemeData(window, classList);
    const bool drawn = DrawThemeBackground(theme, canvas, part, state, rect);
    CloseThemeData(theme);
    return drawn;
}

// ---- the rest of the interface ---------------------------------------------------------

namespace {

// The frame a part draws around its content.
int frameOf(const TThemeData* t, int part)
{
    if (t->cls == TThemeClass::TreeView || (t->cls == TThemeClass::Button && part != xpvs::BP_PUSHBUTTON))
        return 0;
    QStyleOption opt;
    if (t->window)
        opt.initFrom(t->window);
    if (t->cls == TThemeClass::Header)
        return styleFor(t)->pixelMetric(QStyle::PM_HeaderMargin, &opt, t->window) / 2;
    return std::max(1, styleFor(t)->pixelMetric(QStyle::PM_DefaultFrameWidth, &opt, t->window));
}

// Natural size of a part.
fw::TSize naturalSize(const TThemeData* t, int part)
{
    QStyle* style = styleFor(t);
    QWidget* w = t->window;
    switch (t->cls) {
    case TThemeClass::Button:
        if (part == xpvs::BP_CHECKBOX)
            return {style->pixelMetric(QStyle::PM_IndicatorWidth, nullptr, w),
                    style->pixelMetric(QStyle::PM_IndicatorHeight, nullptr, w)};
        if (part == xpvs::BP_RADIOBUTTON)
            return {style->pixelMetric(QStyle::PM_ExclusiveIndicatorWidth, nullptr, w),
                    style->pixelMetric(QStyle::PM_ExclusiveIndicatorHeight, nullptr, w)};
        return {75, 23};
    case TThemeClass::ComboBox:
    case TThemeClass::Spin: {
        const int extent = style->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, w);
        return {extent, t->cls == TThemeClass::Spin ? extent / 2 + 1 : extent};
    }
    case TThemeClass::Header: return {75, QFontMetrics(w ? w->font() : QApplication::font()).height() + 6};
    case TThemeClass::TreeView: return {9, 9};
    }
    return {};
}

QPalette::ColorGroup groupFor(int state) { return state == 4 ? QPalette::Disabled : QPalette::Active; }

fw::TFont fontFromQt(const QFont& f)
{
    fw::TFont font;
    font.Name = f.family();
    font.Size = f.pointSize() > 0 ? f.pointSize() : QFontInfo(f).pointSize();
    fw::TFontStyles style;
    if (f.bold())
        style.Include(fw::fsBold);
    if (f.italic())
        style.Include(fw::fsItalic);
    if (f.underline())
        style.Include(fw::fsUnderline);
    if (f.strikeOut())
        style.Include(fw::fsStrikeOut);
    font.Style = style;
    return font;
}

} // namespace

bool IsThemeBackgroundPartiallyTransparent(HTHEME theme, int part, int state)
{
    if (!IsThemePartDefined(theme, part, state))
        return false;
    // Indicators and glyphs leave the corners of their square to the parent.
    return theme->cls == TThemeClass::TreeView ||
           (theme->cls == TThemeClass::Button && part != xpvs::BP_PUSHBUTTON);
}

bool DrawThemeParentBackground(QWidget* child, fw::TCanvas& canvas, const fw::TRect* rect)
{
    if (!child)
        return false;
    QWidget* parent = child->parentWidget();
    const fw::TRect area = rect ? *rect : fw::TRect(0, 0, child->width(), child->height());
    const QPalette pal = parent ? parent->palette() : QApplication::palette();
    const QPalette::ColorRole role = parent ? parent->backgroundRole() : QPalette::Window;
    canvas.Brush().Color = fw::FromQColor(pal.color(role));
    canvas.Brush().Style = fw::bsSolid;
    canvas.FillRect(area);
    return true;
}

bool DrawThemeText(HTHEME theme, fw::TCanvas& canvas, int part, int state, const QString& text, unsigned flags,
                   const fw::TRect& rect)
{
    fw::TColor color = fw::clBlack;
    if (!GetThemeColor(theme, part, state, xpvs::TMT_TEXTCOLOR, color))
        return false;
    const fw::TColor oldColor = canvas.Font().Color;
    const fw::TBkMode oldMode = canvas.BkMode();
    canvas.Font().Color = color;
    canvas.SetBkMode(fw::bkTransparent);
    fw::TRect r = rect;
    canvas.DrawText(text, r, flags & ~fw::DT_CALCRECT);
    canvas.Font().Color = oldColor;
    canvas.SetBkMode(oldMode);
    return true;
}

bool DrawThemeEdge(HTHEME theme, fw::TCanvas& canvas, int part, int state, const fw::TRect& rect, unsigned edge,
                   unsigned flags, fw::TRect* content)
{
    if (!IsThemePartDefined(theme, part, state))
        return false;
    fw::TRect r = rect;
    const bool drawn = canvas.DrawEdge(r, edge, flags);
    if (content)
        *content = (flags & fw::BF_ADJUST) ? r : rect;
    return drawn;
}

bool DrawThemeIcon(HTHEME theme, fw::TCanvas& canvas, int part, int state, const fw::TRect& rect,
                   const fw::TImageList& images, int index)
{
    if (!IsThemePartDefined(theme, part, state) || index < 0 || index >= images.Count())
        return false;
    images.Draw(canvas, rect.Left + (rect.Width() - images.Width()) / 2, rect.Top + (rect.Height() - images.Height()) / 2,
                index, state != 4);
    return true;
}

bool GetThemeBackgroundContentRect(HTHEME theme, int part, int state, const fw::TRect& bounds, fw::TRect& content)
{
    if (!IsThemePartDefined(theme, part, state))
        return false;
    const int f = frameOf(theme, part);
    content = bounds.Inflated(-f, -f);
    return true;
}

bool GetThemeBackgroundExtent(HTHEME theme, int part, int state, const fw::TRect& content, fw::TRect& extent)
{
    if (!IsThemePartDefined(theme, part, state))
        return false;
    const int f = frameOf(theme, part);
    extent = content.Inflated(f, f);
    return true;
}

bool GetThemeBackgroundRegion(HTHEME theme, int part, int state, const fw::TRect& rect, fw::TRegion& region)
{
    if (!IsThemePartDefined(theme, part, state))
        return false;
    region = theme->cls == TThemeClass::Button && part == xpvs::BP_RADIOBUTTON ? fw::TRegion::Ellipse(rect)
                                                                                 : fw::TRegion(rect);
    return true;
}

bool HitTestThemeBackground(HTHEME theme, int part, int state, unsigned options, const fw::TRect& rect,
                            const fw::TPoint& point, int& hitCode)
{
    if (!IsThemePartDefined(theme, part, state))
        return false;
    hitCode = xpvs::HTNOWHERE;
    if (!rect.Contains(point))
        return true;
    hitCode = xpvs::HTCLIENT;
    if ((options & xpvs::HTTB_RESIZINGBORDER) == 0)
        return true;
    const int f = std::max(frameOf(theme, part), 1);
    const bool left = point.X < rect.Left + f, right = point.X >= rect.Right - f;
    const bool top = point.Y < rect.Top + f, bottom = point.Y >= rect.Bottom - f;
    if (top)
        hitCode = left ? xpvs::HTTOPLEFT : right ? xpvs::HTTOPRIGHT : xpvs::HTTOP;
    else if (bottom)
        hitCode = left ? xpvs::HTBOTTOMLEFT : right ? xpvs::HTBOTTOMRIGHT : xpvs::HTBOTTOM;
    else if (left)
        hitCode = xpvs::HTLEFT;
    else if (right)
        hitCode = xpvs::HTRIGHT;
    return true;
}

bool GetThemeTextExtent(HTHEME theme, fw::TCanvas& canvas, int part, int state, const QString& text, unsigned flags,
                        const fw::TRect* bounding, fw::TRect& extent)
{
    if (!IsThemePartDefined(theme, part, state))
        return false;
    extent = bounding ? *bounding : fw::TRect(0, 0, 0, 0);
    canvas.DrawText(text, extent, flags | fw::DT_CALCRECT);
    return true;
}

bool GetThemeTextMetrics(HTHEME theme, fw::TCanvas& canvas, int part, int state, fw::TTextMetric& metrics)
{
    if (!IsThemePartDefined(theme, part, state))
        return false;
    metrics = canvas.TextMetrics();
    return true;
}

bool GetThemeColor(HTHEME theme, int part, int state, int propId, fw::TColor& color)
{
    if (!IsThemePartDefined(theme, part, state))
        return false;
    const QPalette pal = paletteFor(theme);
    const QPalette::ColorGroup g = groupFor(state);
    const bool buttonLike = theme->cls != TThemeClass::TreeView;
    QPalette::ColorRole role;
    switch (propId) {
    case xpvs::TMT_TEXTCOLOR: role = buttonLike ? QPalette::ButtonText : QPalette::Text; break;
    case xpvs::TMT_FILLCOLOR: role = buttonLike ? QPalette::Button : QPalette::Base; break;
    case xpvs::TMT_BORDERCOLOR: role = QPalette::Mid; break;
    case xpvs::TMT_EDGELIGHTCOLOR: role = QPalette::Midlight; break;
    case xpvs::TMT_EDGEHIGHLIGHTCOLOR: role = QPalette::Light; break;
    case xpvs::TMT_EDGESHADOWCOLOR: role = QPalette::Dark; break;
    case xpvs::TMT_EDGEDKSHADOWCOLOR: role = QPalette::Shadow; break;
    default: return false;
    }
    color = fw::FromQColor(pal.color(g, role));
    return true;
}

bool GetThemeMetric(HTHEME theme, int part, int state, int propId, int& value)
{
    if (!IsThemePartDefined(theme, part, state))
        return false;
    switch (propId) {
    case xpvs::TMT_BORDERSIZE: value = frameOf(theme, part); return true;
    case xpvs::TMT_WIDTH: value = naturalSize(theme, part).cx; return true;
    case xpvs::TMT_HEIGHT: value = naturalSize(theme, part).cy; return true;
    default: return false;
    }
}

bool GetThemeString(HTHEME theme, int part, int state, int propId, QString& value)
{
    if (!IsThemePartDefined(theme, part, state) || propId != xpvs::TMT_CLASSES)
        return false;
    value = theme->className;
    return true;
}

bool GetThemeBool(HTHEME theme, int part, int state, int propId, bool& value)
{
    if (!IsThemePartDefined(theme, part, state) || propId != xpvs::TMT_TRANSPARENT)
        return false;
    value = IsThemeBackgroundPartiallyTransparent(theme, part, state);
    return true;
}

bool GetThemeInt(HTHEME theme, int part, int state, int propId, int& value)
{
    if (!IsThemePartDefined(theme, part, state))
        return false;
    switch (propId) {
    case xpvs::TMT_BORDERSIZE: value = frameOf(theme, part); return true;
    case xpvs::TMT_IMAGECOUNT:
        // The states the part is drawn in (normal, hot, pressed, disabled ...).
        value = theme->cls == TThemeClass::TreeView ? 2
                : theme->cls == TThemeClass::Header ? 3
                : theme->cls == TThemeClass::Button && part == xpvs::BP_PUSHBUTTON ? 5
                : theme->cls == TThemeClass::Button && part == xpvs::BP_CHECKBOX ? 12
                : theme->cls == TThemeClass::Button ? 8
                                                    : 4;
        return true;
    default: return false;
    }
}

bool GetThemeEnumValue(HTHEME theme, int part, int state, int propId, int& value)
{
    if (!IsThemePartDefined(theme, part, state) || propId != xpvs::TMT_BGTYPE)
        return false;
    // The style draws every part itself: a drawn border and fill, never an image.
    value = xpvs::BT_BORDERFILL;
    return true;
}

bool GetThemePosition(HTHEME theme, int part, int state, int propId, fw::TPoint& value)
{
    if (!IsThemePartDefined(theme, part, state) || propId != xpvs::TMT_OFFSET)
        return false;
    value = fw::TPoint();
    if (theme->cls == TThemeClass::Button && part == xpvs::BP_PUSHBUTTON && state == xpvs::PBS_PRESSED) {
        QStyle* style = styleFor(theme);
        value = fw::TPoint(style->pixelMetric(QStyle::PM_ButtonShiftHorizontal, nullptr, theme->window),
                           style->pixelMetric(QStyle::PM_ButtonShiftVertical, nullptr, theme->window));
    }
    return true;
}

bool GetThemeFont(HTHEME theme, int part, int state, int propId, fw::TFont& font)
{
    if (!IsThemePartDefined(theme, part, state) || propId != xpvs::TMT_GLYPHFONT)
        return false;
    font = fontFromQt(theme->window ? theme->window->font() : QApplication::font());
    return true;
}

bool GetThemeRect(HTHEME theme, int part, int state, int propId, fw::TRect& value)
{
    if (!IsThemePartDefined(theme, part, state) || propId != xpvs::TMT_DEFAULTPANESIZE)
        return false;
    const fw::TSize size = naturalSize(theme, part);
    value = fw::TRect(0, 0, size.cx, size.cy);
    return true;
}

bool GetThemeMargins(HTHEME theme, int part, int state, int propId, TMargins& margins)
{
    if (!IsThemePartDefined(theme, part, state) ||
        (propId != xpvs::TMT_CONTENTMARGINS && propId != xpvs::TMT_SIZINGMARGINS))
        return false;
    const int f = frameOf(theme, part);
    margins = TMargins{f, f, f, f};
    return true;
}

bool GetThemeIntList(HTHEME theme, int part, int state, int propId, std::vector<int>& values)
{
    if (!IsThemePartDefined(theme, part, state) || propId != xpvs::TMT_TRANSITIONDURATIONS)
        return false;
    // The style changes states at once.
    int count = 0;
    GetThemeInt(theme, part, state, xpvs::TMT_IMAGECOUNT, count);
    values.assign(std::size_t(count * count), 0);
    return true;
}

bool GetThemeFilename(HTHEME theme, int part, int state, int propId, QString& fileName)
{
    // The style draws in code; no part comes from an image file.
    return false;
}

fw::TColor GetThemeSysColor(HTHEME theme, int colorId) { return fw::GetSysColor(colorId); }

fw::TBrush GetThemeSysColorBrush(HTHEME theme, int colorId)
{
    fw::TBrush brush;
    brush.Color = fw::GetSysColor(colorId);
    return brush;
}

bool GetThemeSysBool(HTHEME theme, int boolId)
{
    // Menus of the style are drawn flat.
    return boolId == xpvs::TMT_FLATMENUS;
}

int GetThemeSysSize(HTHEME theme, int sizeId) { return fw::GetSystemMetrics(sizeId); }

bool GetThemeSysFont(HTHEME theme, int fontId, fw::TFont& font)
{
    switch (fontId) {
    case xpvs::TMT_CAPTIONFONT:
    case xpvs::TMT_MENUFONT:
    case xpvs::TMT_STATUSFONT:
    case xpvs::TMT_MSGBOXFONT:
        font = fontFromQt(QApplication::font());
        if (fontId == xpvs::TMT_CAPTIONFONT)
            font.Style.Include(fw::fsBold);
        return true;
    default: return false;
    }
}

bool GetThemeSysString(HTHEME theme, int stringId, QString& value)
{
    if (stringId != xpvs::TMT_CSSNAME)
        return false;
    value = GetCurrentThemeName();
    return true;
}

bool GetThemeSysInt(HTHEME theme, int intId, int& value)
{
    if (intId != xpvs::TMT_MINCOLORDEPTH)
        return false;
    value = 16;
    return true;
}
