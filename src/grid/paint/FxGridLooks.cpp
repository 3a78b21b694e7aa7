// The four ways a grid restyles itself in one call: the Look presets, the
// sixteen style presets (SetStyle / SetComponentStyle), the XP colour
// schemes (SetTheme) and the five-tone flat look (SetColorTones), and the
// following of the desktop's Office colour theme.
#include "grid/model/FxGrid.h"
#include "grid/paint/FxGridPaint_p.h"

#include "grid/foundation/FxOptions.h"
#include "grid/foundation/FxUtilDraw.h"
#include "grid/interact/FxGridEditorKinds.h"
#include "grid/model/FxCellNode.h"
#include "grid/model/FxSortSettings.h"
#include "grid/paint/FxGridPaintUtil.h"

#include <QFrame>

using fw::TColor;
using fw::clNone;

namespace {

// The frame of the grid window: a single line, or none.
void SetSingleBorder(TFxStringGrid& grid, bool single)
{
    grid.setFrameShape(single ? QFrame::StyledPanel : QFrame::NoFrame);
}

void SetSortHeader(TFxStringGrid& grid, TColor from, TColor to, TColor mirrorFrom, TColor mirrorTo)
{
    TSortSettings& s = grid.SortSettings();
    s.SetHeaderColor(from);
    s.SetHeaderColorTo(to);
    s.SetHeaderMirrorColor(mirrorFrom);
    s.SetHeaderMirrorColorTo(mirrorTo);
}

// The editors built above the grid (the drop-down editors) that the grid
// has made so far take a component style: the in-place editing makes them
// on first use as the grid's own children.
void StyleMadeEditors(TFxStringGrid& grid, TFxStyle style)
{
    if (TGridEditorLook* look = FxGridEditorKinds::Look())
        look->SetComponentStyle(grid, style);
}

} // namespace

TGridLook TFxStringGrid::Look() const { return PaintState().Look; }
TFxStyle TFxStringGrid::ComponentStyle() const { return PaintState().ComponentStyle; }
const TColorTones& TFxStringGrid::ColorTones() const { return PaintState().Tones; }
bool TFxStringGrid::HasColorTones() const { return PaintState().TonesSet; }
bool TFxStringGrid::AutoThemeAdapt() const { return PaintState().AutoThemeAdapt; }

QString TFxStringGrid::LookName(TGridLook ALook)
{
    static const char* const names[] = {"glStandard", "glSoft", "glClassic", "glRIR", "glXP",
                                        "glListView", "glVista", "glWin7", "glOffice2007"};
    return ALook >= glStandard && ALook < glCustom ? QString::fromLatin1(names[ALook]) : QString();
}

QString TFxStringGrid::LookCaption(TGridLook ALook)
{
    static const char* const captions[] = {"Standard", "Soft", "Classic", "RIR", "Windows XP",
                                           "ListView", "Windows Vista", "Windows 7", "Office2007"};
    return ALook >= glStandard && ALook < glCustom ? QString::fromLatin1(captions[ALook]) : QString();
}

void TFxStringGrid::SetLook(TGridLook value)
{
    TFxGridPaintState& ps = PaintState();
    if (ps.Look == value)
        return;
    ps.Look = value;
    TControlLook& cl = *ps.ControlLook;
    if (value != glCustom) {
        cl.SetFixedGradientFrom(clNone);
        cl.SetFixedGradientTo(clNone);
        cl.SetFixedGradientMirrorFrom(clNone);
        cl.SetFixedGradientMirrorTo(clNone);
        SetRIRGradientFrom(clNone);
        SetRIRGradientTo(clNone);
        SetRIRGradientMirrorFrom(clNone);
        SetRIRGradientMirrorTo(clNone);
        SortSettings().SetHeaderColor(clNone);
    }
    switch (value) {
    case glVista:
        SetStyle(gsWindowsVista);
        ps.ComponentStyle = tsWindowsVista;
        SetSelectionStyle(ssVista);
        break;
    case glWin7:
        SetStyle(gsWindows7);
        ps.ComponentStyle = tsWindows7;
        SetSelectionStyle(ssWin7);
        break;
    case glOffice2007:
        SetStyle(gsOffice2007Luna);
        ps.ComponentStyle = tsOffice2007Luna;
        SetSelectionStyle(ssOffice2007);
        break;
    case glCustom:
        break;
    default: {
        StyleMadeEditors(*this, tsWindowsXP);
        SetSelectionStyle(ssDefault);
        SetGridFixedLineColor(0x808080);
        SetGridLineColor(0xC0C0C0);
        cl.SetFixedGradientMirrorFrom(clNone);
        cl.SetFixedGradientMirrorTo(clNone);
        SetRIRGradientMirrorFrom(clNone);
        SetRIRGradientMirrorTo(clNone);
        if (value == glStandard || value == glSoft || value == glClassic) {
            SetFixedColor(fw::clBtnFace);
            cl.SetFixedGradientFrom(fw::clBtnFace);
            cl.SetFixedGradientTo(clNone);
        } else {
            cl.SetFixedGradientFrom(0xFFFFFF);
            cl.SetFixedGradientTo(fw::clBtnFace);
        }
        if (value == glRIR || value == glXP) {
            SetActiveCellColor(0xEACAB6);
            SetActiveCellColorTo(clNone);
            SetSelectionColor(0xEACAB6);
            SetSelectionColorTo(clNone);
            SetSelectionTextColor(fw::clBlack);
            SearchFooter().SetColor(RIRGradientFrom());
            SearchFooter().SetColorTo(RIRGradientTo());
            cl.SetFixedGradientFrom(0xFFFFFF);
            cl.SetFixedGradientTo(value == glXP ? fw::clBtnFace : TColor(0xC0C0C0));
            cl.SetFixedGradientHoverFrom(0xCFD0D1);
            cl.SetFixedGradientHoverTo(0xBEC6C8);
            cl.SetFixedGradientHoverMirrorFrom(0xBEC6C8);
            cl.SetFixedGradientHoverMirrorTo(0xABBCBF);
            cl.SetFixedGradientDownFrom(0x868788);
            cl.SetFixedGradientDownTo(0x737C7E);
            cl.SetFixedGradientDownMirrorFrom(0x737C7E);
            cl.SetFixedGradientDownMirrorTo(0x627376);
        } else {
            SetActiveCellColor(0x808080);
            SetActiveCellColorTo(clNone);
            SetSelectionColor(fw::clHighlight);
            SetSelectionTextColor(fw::clHighlightText);
            SearchFooter().SetColor(fw::clBtnFace);
            SearchFooter().SetColorTo(fw::clBtnFace);
        }
        break;
    }
    }
    SetScrollType(ssNormal);
    SetSingleBorder(*this, true);
    SetBorderColor(0xB99D7F);
    Invalidate();
    UpdateFooter();
}

void TFxStringGrid::SetStyle(TFxGridStyle AStyle)
{
    TFxGridPaintState& ps = PaintState();
    TControlLook& cl = *ps.ControlLook;
    SetSelectionColor(fw::clHighlight);
    SetSelectionColorTo(clNone);
    SetSelectionTextColor(fw::clHighlightText);
    SetSelectionStyle(ssDefault);
    SetSortHeader(*this, clNone, clNone, clNone, clNone);
    cl.Init();

    auto gradient = [&](TColor from, TColor to) {
        SetRIRGradientFrom(from);
        SetRIRGradientTo(to);
    };
    auto mirror = [&](TColor from, TColor to) {
        SetRIRGradientMirrorFrom(from);
        SetRIRGradientMirrorTo(to);
    };
    auto active = [&](TColor from, TColor to) {
        SetActiveCellColor(from);
        SetActiveCellColorTo(to);
    };
    auto selection = [&](TColor from, TColor to) {
        SetSelectionColor(from);
        SetSelectionColorTo(to);
        SetSelectionTextColor(fw::clBlack);
    };
    auto footer = [&] {
        SearchFooter().SetColor(RIRGradientFrom());
        SearchFooter().SetColorTo(RIRGradientMirrorTo());
    };
    auto lines = [&](TColor grid, TColor fixed) {
        SetGridLineColor(grid);
        SetGridFixedLineColor(fixed);
    };
    auto fixedGradient = [&] {
        cl.SetFixedGradientFrom(RIRGradientFrom());
        cl.SetFixedGradientTo(RIRGradientTo());
    };
    auto noFixedGradient = [&] {
        cl.SetFixedGradientFrom(clNone);
        cl.SetFixedGradientTo(clNone);
    };
    auto lookGradients = [&] {   // the control look takes the grid's colours
        cl.SetFixedGradientFrom(RIRGradientFrom());
        cl.SetFixedGradientTo(RIRGradientTo());
        cl.SetFixedGradientMirrorFrom(RIRGradientMirrorFrom());
        cl.SetFixedGradientMirrorTo(RIRGradientMirrorTo());
    };
    auto hover = [&](TColor from, TColor to, TColor mirrorFrom, TColor mirrorTo) {
        cl.SetFixedGradientHoverFrom(from);
        cl.SetFixedGradientHoverTo(to);
        cl.SetFixedGradientHoverMirrorFrom(mirrorFrom);
        cl.SetFixedGradientHoverMirrorTo(mirrorTo);
    };
    auto down = [&](TColor from, TColor to, TColor mirrorFrom, TColor mirrorTo, TColor border) {
        cl.SetFixedGradientDownFrom(from);
        cl.SetFixedGradientDownTo(to);
        cl.SetFixedGradientDownMirrorFrom(mirrorFrom);
        cl.SetFixedGradientDownMirrorTo(mirrorTo);
        cl.SetFixedGradientDownBorder(border);
    };
    auto office2010 = [&](TColor face, TColor header, TColor fixedLines) {
        SetLook(glOffice2007);
        gradient(face, face);
        mirror(face, face);
        SetRIRGradientHoverFrom(clNone);
        SetRIRGradientHoverTo(clNone);
        SetRIRGradientHoverMirrorFrom(clNone);
        SetRIRGradientHoverMirrorTo(clNone);
        SetRIRGradientHoverBorder(clNone);
        active(0x5BD5FF, 0x71EFFF);
        selection(0xFFDBB7, clNone);
        lookGradients();
        hover(0x6BDFFF, 0xAFEFFF, 0xAFEFFF, 0xE6FCFF);
        cl.SetFixedGradientHoverBorder(0x3ABFE8);
        down(0x5BD5FF, 0x64E0FF, 0x64E0FF, 0x71EFFF, 0x308AC2);
        SetSortHeader(*this, header, header, header, header);
        noFixedGradient();
        footer();
        SetSelectionStyle(ssDefault);
        lines(0xC0C0C0, fixedLines);
    };

    switch (AStyle) {
    case gsOffice2003Blue:
    case gsOffice2003Silver:
    case gsOffice2003Olive:
        SetLook(glXP);
        if (AStyle == gsOffice2003Blue)
            gradient(0xFCE1CB, 0xE0A57D);
        else if (AStyle == gsOffice2003Silver)
            gradient(0xECE2E1, 0xB39698);
        else
            gradient(0xCFF0EA, 0x8CC0B1);
        mirror(clNone, clNone);
        active(0x94E6FB, 0x1595EE);
        selection(0x94E6FB, 0x1595EE);
        fixedGradient();
        lines(0xC0C0C0, 0x808080);
        footer();
        break;
    case gsOffice2003Classic:
        SetLook(glXP);
        gradient(0xFFFFFF, 0xCCD4D8);
        mirror(clNone, clNone);
        active(0xD8D5D4, 0xD8D5D4);
        noFixedGradient();
        lines(0xC0C0C0, 0x808080);
        footer();
        break;
    case gsOffice2007Luna:
        SetLook(glOffice2007);
        gradient(0xFBF9F6, 0xE8DBD2);
        mirror(clNone, clNone);
        active(0x9DD8F9, 0x5EC1F1);
        selection(0x5EC1F1, clNone);
        fixedGradient();
        lines(0xF1EDEB, 0xD1BBA4);
        hover(0xE4E2DF, 0xDBD3CD, 0xDBD3CD, 0xD2C5BC);
        cl.SetFixedGradientHoverBorder(0xB79F87);
        down(0xE4C19D, 0xE4C19D, 0xE4C19D, 0xE4C19D, 0xE4C19D);
        footer();
        if (Look() == glOffice2007)
            SetSelectionStyle(ssOffice2007);
        break;
    case gsOffice2007Obsidian:
        SetLook(glOffice2007);
        gradient(0xF7F7F7, 0xDEDEDE);
        mirror(clNone, clNone);
        active(0x9DD8F9, 0x5EC1F1);
        selection(0x5EC1F1, clNone);
        fixedGradient();
        lines(0xE5D7D0, 0x808080);
        footer();
        break;
    case gsWindowsXP:
        SetLook(glXP);
        gradient(fw::clBtnFace, fw::clBtnFace);
        mirror(clNone, clNone);
        active(fw::clBtnFace, fw::clBtnFace);
        noFixedGradient();
        lines(0xC0C0C0, 0x808080);
        footer();
        break;
    case gsWhidbey:
        gradient(0xFFFFFF, fw::clBtnFace);
        mirror(clNone, clNone);
        active(0x94E6FB, 0x1595EE);
        noFixedGradient();
        lines(0xC0C0C0, 0x808080);
        footer();
        break;
    case gsCustom:
        break;
    case gsOffice2007Silver:
        SetLook(glOffice2007);
        gradient(0xF3F3F1, 0xCAC9C8);
        active(0x99CCFF, 0x699CFF);
        selection(0x95C7F5, clNone);
        fixedGradient();
        lines(0xE5D7D0, 0x808080);
        footer();
        break;
    case gsWindowsVista:
        SetLook(glVista);
        gradient(0xFFFFFF, 0xFFFFFF);
        mirror(0xFAF8F7, 0xF4F2F1);
        SetRIRGradientHoverFrom(0xFFF7E3);
        SetRIRGradientHoverTo(0xFFF7E3);
        SetRIRGradientHoverMirrorFrom(0xFFEDBD);
        SetRIRGradientHoverMirrorTo(0xFBE7B7);
        SetRIRGradientHoverBorder(0xE3C993);
        active(0xFDF8F1, 0xFCEFD5);
        selection(0xEACAB6, clNone);
        lookGradients();
        hover(RIRGradientHoverFrom(), RIRGradientHoverTo(), RIRGradientHoverMirrorFrom(),
              RIRGradientHoverMirrorTo());
        down(0xF9E4BC, 0xF9E4BC, 0xF7D68D, 0xF5D18A, 0xAE904F);
        SetSortHeader(*this, 0xFCF9F2, 0xFCF9F2, 0xF9F1E1, 0xF6ECD8);
        noFixedGradient();
        footer();
        SetSelectionStyle(ssVista);
        lines(0xECECF0, 0xD4D2D1);
        break;
    case gsWindows7:
        SetLook(glWin7);
        gradient(0xFDFCFA, 0xFAF0E6);
        mirror(0xF4E6DC, 0xF7E9DD);
        SetRIRGradientHoverFrom(0xFDF8F3);
        SetRIRGradientHoverTo(0xF9F3EF);
        SetRIRGradientHoverMirrorFrom(clNone);
        SetRIRGradientHoverMirrorTo(clNone);
        SetRIRGradientHoverBorder(0xEEE8E3);
        active(0xFCEBDC, 0xFCDBC1);
        selection(0xEACAB6, clNone);
        lookGradients();
        hover(0xFEFBF8, 0xFAF2ED, 0xF4E4D7, 0xE8D2C1);
        down(0xF1E8DD, 0xF1E4D8, 0xECDBCF, 0xEDDCCF, 0xD5BCAA);
        SetSortHeader(*this, 0xFCF9F2, 0xFCF9F2, 0xF9F1E1, 0xF6ECD8);
        noFixedGradient();
        footer();
        SetSelectionStyle(ssWin7);
        lines(0xECECF0, 0xD4D2D1);
        break;
    case gsTerminal:
        SetLook(glStandard);
        break;
    case gsOffice2010Blue:
        office2010(0xF5E7DA, 0xD6CEC7, 0xC7B0A0);
        break;
    case gsOffice2010Silver:
        office2010(0xE8E3DF, 0xAAAAAA, 0xBAB5B1);
        break;
    case gsOffice2010Black:
        office2010(0x6A6A6A, 0xBABABA, 0x444444);
        break;
    }
    Invalidate();
}

void TFxStringGrid::SetComponentStyle(TFxStyle AStyle)
{
    TFxGridPaintState& ps = PaintState();
    ps.ComponentStyle = AStyle;
    SetStyle(TFxGridStyle(int(AStyle)));
    // A preset that switches the look first passes through that look's own
    // style; the grid keeps the style it was given.
    ps.ComponentStyle = AStyle;
    StyleDropDownEditors();
    if (AStyle != tsCustom && ps.ScrollType == ssMetro)
        SetScrollType(ssNormal);
}

void TFxStringGrid::StyleDropDownEditors()
{
    StyleMadeEditors(*this, PaintState().ComponentStyle);
}

void TFxStringGrid::SetTheme(TXPColorScheme Scheme)
{
    TControlLook& cl = ControlLook();
    if (Scheme == xpNone) {
        SetActiveCellColor(0xFFFFFF);
        SetActiveCellColorTo(0xFFD9B3);
        SetRIRGradientFrom(0xFFFFFF);
        SetRIRGradientTo(fw::clBtnFace);
        SetRIRGradientMirrorFrom(clNone);
        SetRIRGradientMirrorTo(clNone);
        cl.SetFixedGradientFrom(clNone);
        cl.SetFixedGradientTo(clNone);
        SearchFooter().SetColor(0xFFFFFF);
        SearchFooter().SetColorTo(0xFFD9B3);
        return;
    }
    TColor from = 0, to = 0, mirrorFrom = clNone, mirrorTo = clNone, footerFrom = 0, footerTo = 0;
    switch (Scheme) {
    case xpBlue: from = 0xFCE1CB; to = 0xE0A57D; break;
    case xpGreen: from = 0xCFF0EA; to = 0x8CC0B1; break;
    case xpGray: from = 0xECE2E1; to = 0xB39698; break;
    default:
        from = 0xFFFFFF;
        to = 0xFFFFFF;
        mirrorFrom = 0xFAF8F7;
        mirrorTo = 0xF4F2F1;
        break;
    }
    footerFrom = Scheme == vistaAero ? TColor(0xECE2E1) : from;
    footerTo = Scheme == vistaAero ? TColor(0xB39698) : to;
    SetRIRGradientFrom(from);
    SetRIRGradientTo(to);
    SetRIRGradientMirrorFrom(mirrorFrom);
    SetRIRGradientMirrorTo(mirrorTo);
    SetActiveCellColor(0x94E6FB);
    SetActiveCellColorTo(0x1595EE);
    cl.SetFixedGradientFrom(from);
    cl.SetFixedGradientTo(to);
    SearchFooter().SetColor(footerFrom);
    SearchFooter().SetColorTo(footerTo);
}

void TFxStringGrid::SetColorTones(const TColorTones& ATones)
{
    TFxGridPaintState& ps = PaintState();
    ps.Tones = ATones;
    ps.TonesSet = true;
    SetLook(glClassic);
    SetFlat(true);
    SetScrollType(ssMetro);
    SetFixedColor(ATones.Foreground.BrushColor);
    fw::TFont fixed = FixedFont();
    fixed.Color = ATones.Foreground.TextColor;
    fixed.Name = DefaultUIFontName();
    SetFixedFont(fixed);
    SetColor(ATones.Background.BrushColor);
    fw::TFont font = Font();
    font.Name = DefaultUIFontName();
    font.Color = ATones.Background.TextColor;
    SetFont(font);
    SetSelectionColor(ATones.Selected.BrushColor);
    SetSelectionTextColor(ATones.Selected.TextColor);
    SetSelectionColorTo(clNone);
    SetGridLineColor(0xE6E6E6);
    SetGridFixedLineColor(ScaleColorByPercent(ATones.Foreground.BrushColor, -20));
    SetSingleBorder(*this, false);
    TControlLook& cl = *ps.ControlLook;
    cl.SetControlStyle(csGlyph);
    fw::TBitmap glyph;
    if (LoadGridGlyph(QStringLiteral("metrocheckon"), glyph))
        cl.SetCheckedGlyph(glyph);
    if (LoadGridGlyph(QStringLiteral("metrocheckoff"), glyph))
        cl.SetUnCheckedGlyph(glyph);
    if (LoadGridGlyph(QStringLiteral("metroradiooff"), glyph))
        cl.SetRadioOffGlyph(glyph);
    if (LoadGridGlyph(QStringLiteral("metroradioon"), glyph))
        cl.SetRadioOnGlyph(glyph);
    // The in-place editors read the tones through ColorTones() when they show;
    // the drop-down editors made so far take them now.
    if (TGridEditorLook* look = FxGridEditorKinds::Look())
        look->SetColorTones(*this, ATones);
    cl.SetFlatButton(true);
    ps.FloatingFooter->SetColor(ATones.Foreground.BrushColor);
    SearchFooter().SetColor(ATones.Foreground.BrushColor);
    SearchFooter().SetColorTo(ATones.Foreground.BrushColor);
    CellNode().SetNodeType(cnFlat);
}

void TFxStringGrid::AdaptToOfficeTheme()
{
    TFxGridPaintState& ps = PaintState();
    const TOfficeTheme theme = DetectOfficeTheme();
    if (theme == ps.OfficeTheme)
        return;
    ps.OfficeTheme = theme;
    switch (theme) {
    case ot2003Blue: SetComponentStyle(tsOffice2003Blue); break;
    case ot2003Silver: SetComponentStyle(tsOffice2003Silver); break;
    case ot2003Olive: SetComponentStyle(tsOffice2003Olive); break;
    case ot2003Classic: SetComponentStyle(tsOffice2003Classic); break;
    case ot2007Blue: SetComponentStyle(tsOffice2007Luna); break;
    case ot2007Silver: SetComponentStyle(tsOffice2007Silver); break;
    case ot2007Black: SetComponentStyle(tsOffice2007Obsidian); break;
    case ot2010Blue: SetComponentStyle(tsOffice2010Blue); break;
    case ot2010Silver: SetComponentStyle(tsOffice2010Silver); break;
    case ot2010Black: SetComponentStyle(tsOffice2010Black); break;
    case otUnknown: break;
    }
}

void TFxStringGrid::SetAutoThemeAdapt(bool value)
{
    TFxGridPaintState& ps = PaintState();
    if (ps.AutoThemeAdapt == value)
        return;
    ps.AutoThemeAdapt = value;
    SearchFooter().SetAutoThemeAdapt(value);
    if (value) {
        AdaptToOfficeTheme();
        Invalidate();
    }
    if (TThemeNotifier* notifier = SharedThemeNotifier(this)) {
        if (value)
            notifier->RegisterWindow(this);
        else
            notifier->UnRegisterWindow(this);
    }
}
