#include "grid/foundation/FxXPVS.h"
#include "framework/SysColors.h"

#include "framework/Canvas.h"

#include <QApplication>
#include <QPainter>
#include <QPointer>
#include <QStyle>
#include <QStyleOption>
#include <QWidget>

#include <algorithm>

enum class TThemeClass { Button, ComboBox, Spin, Header, TreeView };

struct TThemeData {
    TThemeClass cls;
    QPointer<QWidget> window;
};

namespace {

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

bool XPVSBound() { return true; }
bool IsThemeActive() { return true; }
bool IsAppThemed() { return true; }

QString GetCurrentThemeName() { return QApplication::style() ? QApplication::style()->name() : QString(); }

HTHEME OpenThemeData(QWidget* window, const QString& classList)
{
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
        return new TThemeData{cls, window};
    }
    return nullptr;
}

void CloseThemeData(HTHEME theme) { delete theme; }

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
