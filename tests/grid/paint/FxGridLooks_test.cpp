// Look presets, style presets, XP colour schemes and colour tones.
#include "grid/model/FxGrid.h"

#include "controls/dropdown/FxMemoDropDown.h"
#include "framework/SysColors.h"
#include "grid/foundation/FxOptions.h"
#include "grid/model/FxCellNode.h"
#include "grid/model/FxSortSettings.h"
#include "grid/paint/FxControlLook.h"

#include <gtest/gtest.h>

#include <memory>

using fw::TColor;
using fw::clNone;

namespace {

// clBtnFace stands for its RGB value where a setter stores that.
constexpr TColor face = fw::clBtnFace;

TColor Rgb(TColor c)
{
    return c == clNone ? clNone : fw::ColorToRGB(c);
}

struct StyleCase {
    const char* name;
    TFxGridStyle style;
    TGridLook look;
    TColor from, to, mirrorFrom, mirrorTo;
    TColor active, activeTo;
    TColor selection, selectionTo;
    TColor lines, fixedLines;
    TGridSelectionStyle selectionStyle;
    TColor lookHoverFrom, gridHoverFrom, gridDownBorder;
    TColor lookFixedFrom;
    TColor sortFrom, sortMirrorTo;   // the sorted column's header
    bool footer;                     // the search footer takes the header's start and mirror end
};

class StylePresets : public ::testing::TestWithParam<StyleCase> {};

TEST_P(StylePresets, SetTheirColourTables)
{
    const StyleCase& c = GetParam();
    TFxStringGrid grid;
    grid.SortSettings().SetHeaderColor(0x010203);
    grid.SortSettings().SetHeaderMirrorColorTo(0x010203);
    grid.SetStyle(c.style);
    EXPECT_EQ(grid.Look(), c.look);
    EXPECT_EQ(grid.RIRGradientFrom(), Rgb(c.from));
    EXPECT_EQ(grid.RIRGradientTo(), Rgb(c.to));
    EXPECT_EQ(grid.RIRGradientMirrorFrom(), Rgb(c.mirrorFrom));
    EXPECT_EQ(grid.RIRGradientMirrorTo(), Rgb(c.mirrorTo));
    EXPECT_EQ(Rgb(grid.ActiveCellColor()), Rgb(c.active));
    EXPECT_EQ(Rgb(grid.ActiveCellColorTo()), Rgb(c.activeTo));
    EXPECT_EQ(grid.SelectionColor(), c.selection);
    EXPECT_EQ(grid.SelectionColorTo(), c.selectionTo);
    EXPECT_EQ(grid.GridLineColor(), c.lines);
    EXPECT_EQ(grid.GridFixedLineColor(), c.fixedLines);
    EXPECT_EQ(grid.SelectionStyle(), c.selectionStyle);
    EXPECT_EQ(grid.ControlLook().FixedGradientHoverFrom(), c.lookHoverFrom);
    EXPECT_EQ(grid.RIRGradientHoverFrom(), c.gridHoverFrom);
    EXPECT_EQ(grid.RIRGradientDownBorder(), c.gridDownBorder);
    EXPECT_EQ(Rgb(grid.ControlLook().FixedGradientFrom()), Rgb(c.lookFixedFrom));
    EXPECT_EQ(grid.SortSettings().HeaderColor(), c.sortFrom);
    EXPECT_EQ(grid.SortSettings().HeaderMirrorColorTo(), c.sortMirrorTo);
    if (c.footer) {
        EXPECT_EQ(Rgb(grid.SearchFooter().Color()), Rgb(c.from));
        EXPECT_EQ(Rgb(grid.SearchFooter().ColorTo()), Rgb(c.mirrorTo));
    }
}

// Every case starts from a fresh grid, whose look is glXP: Office 2003 keeps
// the control look's reset hover colours (grey) rather than the glXP
// preset's, and the Office 2007 and 2010 presets lie over Luna's, which
// switching to glOffice2007 applies first.
INSTANTIATE_TEST_SUITE_P(
    Grid, StylePresets,
    ::testing::Values(
        StyleCase{"Office2003Blue", gsOffice2003Blue, glXP, 0xFCE1CB, 0xE0A57D, clNone, clNone, 0x94E6FB, 0x1595EE,
                  0x94E6FB, 0x1595EE, 0xC0C0C0, 0x808080, ssDefault, 0x808080, 0x808080, 0x808080, 0xFCE1CB, clNone,
                  clNone, true},
        StyleCase{"Office2003Silver", gsOffice2003Silver, glXP, 0xECE2E1, 0xB39698, clNone, clNone, 0x94E6FB,
                  0x1595EE, 0x94E6FB, 0x1595EE, 0xC0C0C0, 0x808080, ssDefault, 0x808080, 0x808080, 0x808080,
                  0xECE2E1, clNone, clNone, true},
        StyleCase{"Office2003Olive", gsOffice2003Olive, glXP, 0xCFF0EA, 0x8CC0B1, clNone, clNone, 0x94E6FB, 0x1595EE,
                  0x94E6FB, 0x1595EE, 0xC0C0C0, 0x808080, ssDefault, 0x808080, 0x808080, 0x808080, 0xCFF0EA, clNone,
                  clNone, true},
        StyleCase{"Office2003Classic", gsOffice2003Classic, glXP, 0xFFFFFF, 0xCCD4D8, clNone, clNone, 0xD8D5D4,
                  0xD8D5D4, fw::clHighlight, clNone, 0xC0C0C0, 0x808080, ssDefault, 0x808080, 0x808080, 0x808080,
                  clNone, clNone, clNone, true},
        StyleCase{"Office2007Luna", gsOffice2007Luna, glOffice2007, 0xFBF9F6, 0xE8DBD2, clNone, clNone, 0x9DD8F9,
                  0x5EC1F1, 0x5EC1F1, clNone, 0xF1EDEB, 0xD1BBA4, ssOffice2007, 0xE4E2DF, 0xE4E2DF, 0xE4C19D,
                  0xFBF9F6, clNone, clNone, true},
        StyleCase{"Office2007Obsidian", gsOffice2007Obsidian, glOffice2007, 0xF7F7F7, 0xDEDEDE, clNone, clNone,
                  0x9DD8F9, 0x5EC1F1, 0x5EC1F1, clNone, 0xE5D7D0, 0x808080, ssOffice2007, 0xE4E2DF, 0xE4E2DF,
                  0xE4C19D, 0xF7F7F7, clNone, clNone, true},
        StyleCase{"WindowsXP", gsWindowsXP, glXP, face, face, clNone, clNone, face, face, fw::clHighlight, clNone,
                  0xC0C0C0, 0x808080, ssDefault, 0x808080, 0x808080, 0x808080, clNone, clNone, clNone, true},
        StyleCase{"Whidbey", gsWhidbey, glXP, 0xFFFFFF, face, clNone, clNone, 0x94E6FB, 0x1595EE, fw::clHighlight,
                  clNone, 0xC0C0C0, 0x808080, ssDefault, 0x808080, 0x808080, 0x808080, clNone, clNone, clNone, true},
        StyleCase{"Office2007Silver", gsOffice2007Silver, glOffice2007, 0xF3F3F1, 0xCAC9C8, clNone, clNone, 0x99CCFF,
                  0x699CFF, 0x95C7F5, clNone, 0xE5D7D0, 0x808080, ssOffice2007, 0xE4E2DF, 0xE4E2DF, 0xE4C19D,
                  0xF3F3F1, clNone, clNone, true},
        StyleCase{"WindowsVista", gsWindowsVista, glVista, 0xFFFFFF, 0xFFFFFF, 0xFAF8F7, 0xF4F2F1, 0xFDF8F1,
                  0xFCEFD5, 0xEACAB6, clNone, 0xECECF0, 0xD4D2D1, ssVista, 0xFFF7E3, 0xFFF7E3, 0xAE904F, clNone,
                  0xFCF9F2, 0xF6ECD8, true},
        StyleCase{"Windows7", gsWindows7, glWin7, 0xFDFCFA, 0xFAF0E6, 0xF4E6DC, 0xF7E9DD, 0xFCEBDC, 0xFCDBC1,
                  0xEACAB6, clNone, 0xECECF0, 0xD4D2D1, ssWin7, 0xFEFBF8, 0xFEFBF8, 0xD5BCAA, clNone, 0xFCF9F2,
                  0xF6ECD8, true},
        StyleCase{"Terminal", gsTerminal, glStandard, face, clNone, clNone, clNone, 0x808080, clNone,
                  fw::clHighlight, clNone, 0xC0C0C0, 0x808080, ssDefault, 0x808080, 0x808080, 0x808080, face, clNone,
                  clNone, false},
        StyleCase{"Office2010Blue", gsOffice2010Blue, glOffice2007, 0xF5E7DA, 0xF5E7DA, 0xF5E7DA, 0xF5E7DA,
                  0x5BD5FF, 0x71EFFF, 0xFFDBB7, clNone, 0xC0C0C0, 0xC7B0A0, ssDefault, 0x6BDFFF, 0x6BDFFF, 0x308AC2,
                  clNone, 0xD6CEC7, 0xD6CEC7, true},
        StyleCase{"Office2010Silver", gsOffice2010Silver, glOffice2007, 0xE8E3DF, 0xE8E3DF, 0xE8E3DF, 0xE8E3DF,
                  0x5BD5FF, 0x71EFFF, 0xFFDBB7, clNone, 0xC0C0C0, 0xBAB5B1, ssDefault, 0x6BDFFF, 0x6BDFFF, 0x308AC2,
                  clNone, 0xAAAAAA, 0xAAAAAA, true},
        StyleCase{"Office2010Black", gsOffice2010Black, glOffice2007, 0x6A6A6A, 0x6A6A6A, 0x6A6A6A, 0x6A6A6A,
                  0x5BD5FF, 0x71EFFF, 0xFFDBB7, clNone, 0xC0C0C0, 0x444444, ssDefault, 0x6BDFFF, 0x6BDFFF, 0x308AC2,
                  clNone, 0xBABABA, 0xBABABA, true}),
    [](const ::testing::TestParamInfo<StyleCase>& info) { return std::string(info.param.name); });

TEST(Looks, LookPresetsOfTheClassicAndXpFamilies)
{
    struct Case {
        TGridLook look;
        TColor fixed, selection, active, lookTo;
    } cases[] = {
        {glStandard, fw::clBtnFace, fw::clHighlight, 0x808080, clNone},
        {glSoft, fw::clBtnFace, fw::clHighlight, 0x808080, clNone},
        {glXP, 0, 0xEACAB6, 0xEACAB6, fw::clBtnFace},
        {glRIR, 0, 0xEACAB6, 0xEACAB6, 0xC0C0C0},
        {glListView, 0, fw::clHighlight, 0x808080, fw::clBtnFace},
    };
    for (const Case& c : cases) {
        TFxStringGrid grid;
        grid.SetLook(glCustom);
        grid.SetFixedColor(0x123456);
        grid.SetLook(c.look);
        EXPECT_EQ(grid.FixedColor(), c.fixed ? c.fixed : TColor(0x123456)) << TFxStringGrid::LookName(c.look).toStdString();
        EXPECT_EQ(grid.SelectionColor(), c.selection);
        EXPECT_EQ(grid.ActiveCellColor(), c.active);
        EXPECT_EQ(grid.ControlLook().FixedGradientTo(), c.lookTo);
        EXPECT_EQ(grid.GridLineColor(), TColor(0xC0C0C0));
        EXPECT_EQ(grid.GridFixedLineColor(), TColor(0x808080));
        EXPECT_EQ(grid.ScrollType(), ssNormal);
        EXPECT_EQ(grid.BorderColor(), TColor(0xB99D7F));
    }
}

TEST(Looks, SameLookAgainChangesNothing)
{
    TFxStringGrid grid;
    grid.SetLook(glRIR);
    grid.SetSelectionColor(0x010203);
    grid.SetGridLineColor(0x040506);
    grid.SetLook(glRIR);
    EXPECT_EQ(grid.SelectionColor(), TColor(0x010203));
    EXPECT_EQ(grid.GridLineColor(), TColor(0x040506));
}

TEST(Looks, CustomStyleOnlyResetsTheSelectionAndControlLook)
{
    TFxStringGrid grid;
    grid.SetRIRGradientFrom(0x010203);
    grid.SetActiveCellColor(0x040506);
    grid.SetSelectionColor(0x070809);
    grid.SetSelectionStyle(ssWin7);
    grid.ControlLook().SetFixedGradientHoverFrom(0x0A0B0C);
    grid.SortSettings().SetHeaderColor(0x0D0E0F);
    grid.SetStyle(gsCustom);
    EXPECT_EQ(grid.RIRGradientFrom(), TColor(0x010203));
    EXPECT_EQ(grid.ActiveCellColor(), TColor(0x040506));
    EXPECT_EQ(grid.SelectionColor(), fw::clHighlight);
    EXPECT_EQ(grid.SelectionTextColor(), fw::clHighlightText);
    EXPECT_EQ(grid.SelectionStyle(), ssDefault);
    EXPECT_EQ(grid.ControlLook().FixedGradientHoverFrom(), fw::clGray);
    EXPECT_EQ(grid.SortSettings().HeaderColor(), clNone);
}

TEST(Looks, ComponentStyleEndsMetroScrollBarsExceptForCustom)
{
    TFxStringGrid grid;
    grid.SetScrollType(ssMetro);
    grid.SetComponentStyle(tsCustom);
    EXPECT_EQ(grid.ScrollType(), ssMetro);
    EXPECT_EQ(grid.ComponentStyle(), tsCustom);
    grid.SetComponentStyle(tsOffice2007Luna);
    EXPECT_EQ(grid.ScrollType(), ssNormal);
    EXPECT_EQ(grid.ComponentStyle(), tsOffice2007Luna);
}

TEST(Looks, DropDownEditorsTheGridMadeTakeItsStyleAndTones)
{
    TFxStringGrid grid;
    auto* editor = new TFxMemoDropDown(&grid);   // as the in-place editing makes them
    grid.SetComponentStyle(tsOffice2010Silver);
    EXPECT_EQ(grid.ComponentStyle(), tsOffice2010Silver) << "not Luna, which the look switch passes through";
    EXPECT_EQ(editor->ComponentStyle(), tsOffice2010Silver);
    grid.SetLook(glSoft);
    EXPECT_EQ(editor->ComponentStyle(), tsWindowsXP) << "the classic looks give the editors the XP style";
    TColorTones tones;
    tones.Background.BorderColor = 0x123456;
    grid.SetColorTones(tones);
    EXPECT_EQ(editor->BorderColor(), TColor(0x123456));
}

TEST(Looks, ColourTonesMakeAFlatClassicGrid)
{
    TFxStringGrid grid;
    TColorTones tones;
    tones.Background = {0xFFFFFF, 0xDDDDDD, 0x111111};
    tones.Foreground = {fw::RGBToColor(100, 200, 50), 0x000000, 0x222222};
    tones.Selected = {0x0000FF, 0, 0xFFFFFF};
    tones.Hover = {0x00FF00, 0, 0};
    tones.Disabled = {0xCCCCCC, 0, 0x999999};
    grid.SetColorTones(tones);
    EXPECT_EQ(grid.Look(), glClassic);
    EXPECT_TRUE(grid.Flat());
    EXPECT_EQ(grid.ScrollType(), ssMetro);
    EXPECT_TRUE(grid.HasColorTones());
    EXPECT_EQ(grid.FixedColor(), fw::RGBToColor(100, 200, 50));
    EXPECT_EQ(grid.GridFixedLineColor(), fw::RGBToColor(80, 160, 40)) << "the foreground less 20 percent";
    EXPECT_EQ(grid.GridLineColor(), TColor(0xE6E6E6));
    EXPECT_EQ(grid.Color(), TColor(0xFFFFFF));
    EXPECT_EQ(grid.Font().Color, TColor(0x111111));
    EXPECT_EQ(grid.FixedFont().Color, TColor(0x222222));
    EXPECT_EQ(grid.SelectionColor(), TColor(0x0000FF));
    EXPECT_EQ(grid.SelectionTextColor(), TColor(0xFFFFFF));
    EXPECT_EQ(grid.SelectionColorTo(), clNone);
    EXPECT_EQ(grid.ControlLook().ControlStyle(), csGlyph);
    EXPECT_FALSE(grid.ControlLook().CheckedGlyph().Empty());
    EXPECT_FALSE(grid.ControlLook().RadioOffGlyph().Empty());
    EXPECT_TRUE(grid.ControlLook().FlatButton());
    EXPECT_EQ(grid.CellNode().NodeType(), cnFlat);
    EXPECT_EQ(grid.SearchFooter().Color(), fw::RGBToColor(100, 200, 50));
}

TEST(Looks, XpColourSchemes)
{
    struct Case {
        TXPColorScheme scheme;
        TColor from, to, mirrorFrom, active, activeTo, footerFrom, footerTo;
    } cases[] = {
        {xpBlue, 0xFCE1CB, 0xE0A57D, clNone, 0x94E6FB, 0x1595EE, 0xFCE1CB, 0xE0A57D},
        {xpGray, 0xECE2E1, 0xB39698, clNone, 0x94E6FB, 0x1595EE, 0xECE2E1, 0xB39698},
        {vistaAero, 0xFFFFFF, 0xFFFFFF, 0xFAF8F7, 0x94E6FB, 0x1595EE, 0xECE2E1, 0xB39698},
        {xpNone, 0xFFFFFF, fw::ColorToRGB(fw::clBtnFace), clNone, 0xFFFFFF, 0xFFD9B3, 0xFFFFFF, 0xFFD9B3},
    };
    for (const Case& c : cases) {
        TFxStringGrid grid;
        grid.SetTheme(c.scheme);
        EXPECT_EQ(grid.RIRGradientFrom(), c.from) << c.scheme;
        EXPECT_EQ(grid.RIRGradientTo(), c.to) << c.scheme;
        EXPECT_EQ(grid.RIRGradientMirrorFrom(), c.mirrorFrom) << c.scheme;
        EXPECT_EQ(grid.ActiveCellColor(), c.active) << c.scheme;
        EXPECT_EQ(grid.ActiveCellColorTo(), c.activeTo) << c.scheme;
        EXPECT_EQ(grid.SearchFooter().Color(), c.footerFrom) << c.scheme;
        EXPECT_EQ(grid.SearchFooter().ColorTo(), c.footerTo) << c.scheme;
    }
}

// Counts the style presets applied.
class CountingGrid : public TFxStringGrid {
public:
    int styles = 0;
    void SetStyle(TFxGridStyle AStyle) override
    {
        ++styles;
        TFxStringGrid::SetStyle(AStyle);
    }
};

TEST(Looks, OfficeThemeIsAdaptedOncePerChange)
{
    CountingGrid grid;
    grid.AdaptToOfficeTheme();
    const int once = grid.styles;
    grid.AdaptToOfficeTheme();
    EXPECT_EQ(grid.styles, once);
}

TEST(Looks, NamesAndCaptions)
{
    EXPECT_EQ(TFxStringGrid::LookName(glOffice2007), QStringLiteral("glOffice2007"));
    EXPECT_EQ(TFxStringGrid::LookCaption(glXP), QStringLiteral("Windows XP"));
    EXPECT_EQ(TFxStringGrid::LookCaption(glVista), QStringLiteral("Windows Vista"));
    EXPECT_TRUE(TFxStringGrid::LookName(glCustom).isEmpty());
    EXPECT_TRUE(TFxStringGrid::LookCaption(glCustom).isEmpty());
}

} // namespace
