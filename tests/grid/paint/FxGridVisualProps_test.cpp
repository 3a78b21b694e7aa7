// The resolved look of a cell: precedence of grid, band, fixed, look, event
// and selection colours, the selection mixer and the font of a cell.
#include "grid/model/FxGrid.h"

#include "grid/foundation/FxOptions.h"
#include "grid/paint/FxGridPaintUtil.h"
#include "grid/paint/FxPrintSettings.h"

#include <gtest/gtest.h>

#include <memory>

using fw::TColor;

namespace {

struct TLook {
    fw::TGridDrawState state = 0;
    fw::TBrush brush;
    TColor to = 0, mirror = 0, mirrorTo = 0;
    fw::TFont font;
    fw::TAlignment ha = fw::taLeftJustify;
    TVAlignment va = vtaTop;
    bool ww = false;
    TCellGradientDirection gd = GradientVertical;
};

class VisualProps : public ::testing::Test {
protected:
    void SetUp() override
    {
        grid = std::make_unique<TFxStringGrid>();
        grid->SetColCount(6);
        grid->SetRowCount(10);
        grid->SetFixedCols(1);
        grid->SetFixedRows(1);
        grid->SetColor(0xFFFFFF);
        grid->SetFixedColor(0xC0C0C0);
        grid->SetSelection({4, 8, 4, 8});
    }

    TLook Resolve(int col, int row, fw::TGridDrawState state = 0, bool select = true, bool print = false)
    {
        TLook l;
        l.state = state;
        TCellLook look;
        grid->GetVisualProperties(col, row, l.state, {.Print = print, .Select = select, .Remap = true}, look);
        l.brush = look.Brush;
        l.to = look.ColorTo;
        l.mirror = look.MirrorColor;
        l.mirrorTo = look.MirrorColorTo;
        l.font = look.Font;
        l.ha = look.HA;
        l.va = look.VA;
        l.ww = look.WW;
        l.gd = look.GD;
        return l;
    }

    std::unique_ptr<TFxStringGrid> grid;
};

TEST(BlendColors, ChannelWiseRoundedMixAndItsLimits)
{
    struct Case {
        TColor a, b;
        int percent;
        TColor expected;
    } cases[] = {
        {fw::RGBToColor(200, 0, 40), fw::RGBToColor(100, 50, 0), 50, fw::RGBToColor(150, 25, 20)},
        {fw::RGBToColor(200, 0, 40), fw::RGBToColor(100, 50, 0), 25, fw::RGBToColor(125, 38, 10)},  // 37.5 -> 38
        {fw::RGBToColor(1, 3, 5), fw::RGBToColor(0, 0, 0), 50, fw::RGBToColor(0, 2, 2)},           // halves to even
        {0x123456, 0x654321, 100, 0x123456},
        {0x123456, 0x654321, 150, 0x123456},
        {0x123456, 0x654321, 0, 0x654321},
        {0x123456, 0x654321, -5, 0x654321},
        {fw::clNone, 0x654321, 50, 0x654321},
        {0x123456, fw::clNone, 50, 0x123456},
    };
    for (const Case& c : cases)
        EXPECT_EQ(BlendColors(c.a, c.b, c.percent), c.expected) << std::hex << c.a << " " << c.b << " " << std::dec
                                                                   << c.percent;
}

TEST_F(VisualProps, BandsColourNormalRowsOnlyAndRepeat)
{
    grid->SetLook(glStandard);   // fixed cells in FixedColor, not in a look gradient
    grid->SetFixedColor(0xC0C0C0);
    grid->SetFixedFooters(1);
    grid->SetFixedRightCols(1);
    TBands& bands = grid->Bands();
    bands.SetPrimaryColor(0x0000AA);
    bands.SetSecondaryColor(0x00AA00);
    bands.SetPrimaryLength(2);
    bands.SetSecondaryLength(1);
    bands.SetActive(true);
    const TColor expected[] = {0x0000AA, 0x0000AA, 0x00AA00, 0x0000AA, 0x0000AA, 0x00AA00};
    for (int i = 0; i < 6; ++i)
        EXPECT_EQ(Resolve(2, 1 + i).brush.Color, expected[i]) << "row " << 1 + i;
    EXPECT_EQ(Resolve(2, 9).brush.Color, grid->FixedColor()) << "footer row";
    EXPECT_EQ(Resolve(5, 3).brush.Color, grid->FixedColor()) << "right fixed column";
}

TEST_F(VisualProps, ControlCellsKeepTheirOwnBrushUnderBands)
{
    grid->Bands().SetPrimaryColor(0x0000AA);
    grid->Bands().SetSecondaryColor(0x0000AA);
    grid->Bands().SetActive(true);
    grid->AddCheckBox(2, 3, false, false);
    grid->AddCheckBox(3, 3, false, false);
    grid->GetCellProperties(2, 3)->SetBrushColor(0x00CC00);
    EXPECT_EQ(Resolve(2, 3).brush.Color, TColor(0x00CC00));
    EXPECT_EQ(Resolve(3, 3).brush.Color, TColor(0x0000AA)) << "a box without its own colour takes the band";
}

TEST_F(VisualProps, FixedCellsTakeTheLookGradientAfterClassic)
{
    grid->SetLook(glClassic);
    TLook classic = Resolve(2, 0);
    EXPECT_EQ(classic.brush.Color, grid->FixedColor());
    EXPECT_EQ(classic.to, fw::clNone);
    EXPECT_TRUE(classic.state & fw::gdFixed);

    grid->SetLook(glXP);
    grid->SetRIRGradientFrom(0x111111);
    grid->SetRIRGradientTo(0x222222);
    TLook xp = Resolve(2, 0);
    EXPECT_EQ(xp.brush.Color, TColor(0x111111));
    EXPECT_EQ(xp.to, TColor(0x222222));

    // A plain cell's own colour beats both; another kind's does not.
    grid->GetCellProperties(2, 0)->SetBrushColor(0x0000FF);
    EXPECT_EQ(Resolve(2, 0).brush.Color, TColor(0x0000FF));
    grid->AddProgress(3, 0, 0x00FF00, 0xFF0000);
    grid->GetCellProperties(3, 0)->SetBrushColor(0x0000FF);
    EXPECT_EQ(Resolve(3, 0).brush.Color, TColor(0x111111));
}

TEST_F(VisualProps, SelectionMixerBlendsOnlyCellsWithTheirOwnColour)
{
    grid->SetSelection({2, 2, 3, 2});
    grid->SetSelectionColor(fw::RGBToColor(200, 0, 0));
    grid->GetCellProperties(2, 2)->SetBrushColor(fw::RGBToColor(0, 100, 0));
    grid->SetSelectionColorMixer(true);
    struct Case {
        int factor;
        TColor expected;
    } cases[] = {
        {50, fw::RGBToColor(100, 50, 0)},
        {100, fw::RGBToColor(200, 0, 0)},
        {0, fw::RGBToColor(0, 100, 0)},
    };
    for (const Case& c : cases) {
        grid->SetSelectionColorMixerFactor(c.factor);
        EXPECT_EQ(Resolve(2, 2).brush.Color, c.expected) << c.factor;
    }
    EXPECT_EQ(Resolve(3, 2).brush.Color, fw::RGBToColor(200, 0, 0)) << "a cell in the grid colour is not mixed";
    EXPECT_TRUE(Resolve(3, 2).state & fw::gdSelected);
}

TEST_F(VisualProps, MixerFactorIsKeptWithinZeroToHundred)
{
    grid->SetSelectionColorMixerFactor(150);
    EXPECT_EQ(grid->SelectionColorMixerFactor(), 100);
    grid->SetSelectionColorMixerFactor(-5);
    EXPECT_EQ(grid->SelectionColorMixerFactor(), 0);
}

TEST_F(VisualProps, SelectedCellGradientRunsVertically)
{
    grid->SetColorsTo(2, 2, 0x00FF00);
    grid->SetGradients(2, 2, GradientHorizontal);
    EXPECT_EQ(Resolve(2, 3).gd, GradientVertical);
    EXPECT_EQ(Resolve(2, 2).gd, GradientHorizontal);
    EXPECT_EQ(Resolve(2, 2, fw::gdSelected).gd, GradientVertical);
}

TEST_F(VisualProps, DisjunctRowHeldUnderTheMouseShowsUnselected)
{
    grid->MouseActions().SetDisjunctRowSelect(true);
    grid->SetRow(4);
    grid->SetRowSelect(4, true);
    grid->SetRowSelect(6, true);
    EXPECT_TRUE(Resolve(2, 6).state & fw::gdSelected);
    EXPECT_EQ(Resolve(2, 6).state, fw::TGridDrawState(fw::gdSelected));
    grid->PaintFeedback().ButtonDown = true;
    const TLook held = Resolve(2, 4, fw::gdSelected);
    EXPECT_FALSE(held.state & fw::gdSelected) << "listed row under the held button";
    EXPECT_TRUE(Resolve(2, 5, fw::gdSelected).state & fw::gdSelected) << "unlisted row the framework marks";
    grid->PaintFeedback().ButtonDown = false;
}

TEST_F(VisualProps, EventsComeAfterTheLookAndTheGradientEventLast)
{
    grid->Events().OnGetCellColor = [](QObject*, int ARow, int ACol, fw::TGridDrawState, fw::TBrush& ABrush,
                                       fw::TFont& AFont) {
        if (ARow == 3 && ACol == 2) {
            ABrush.Color = 0x0000FF;
            AFont.Color = 0x00FF00;
        }
    };
    int gradientCol = -1;
    TColor seen = 0;
    grid->Events().OnGetCellGradient = [&](QObject*, int ARow, int ACol, TColor& Color, TColor& ColorTo, TColor&,
                                           TColor&, TCellGradientDirection& GD) {
        if (ARow != 3)
            return;
        gradientCol = ACol;
        seen = Color;
        ColorTo = 0x123456;
        GD = GradientHorizontal;
    };
    grid->HideColumn(1);   // display column 1 is real column 2
    const TLook l = Resolve(1, 3);
    EXPECT_EQ(gradientCol, 2) << "the event gets the real column";
    EXPECT_EQ(seen, TColor(0x0000FF)) << "starting from the colour event's brush";
    EXPECT_EQ(l.brush.Color, TColor(0x0000FF));
    EXPECT_EQ(l.to, TColor(0x123456));
    EXPECT_EQ(l.gd, GradientHorizontal);
    EXPECT_EQ(l.font.Color, TColor(0x00FF00));
}

TEST_F(VisualProps, SelectionTextAndDisabledFontColours)
{
    grid->SetSelection({2, 2, 2, 2});
    grid->SetSelectionTextColor(0x0000FF);
    EXPECT_EQ(Resolve(2, 2).font.Color, TColor(0x0000FF));
    grid->SetRowEnabled(5, false);
    EXPECT_EQ(Resolve(2, 5).font.Color, grid->DisabledFontColor());
    grid->SetUseDisabledFont(false);
    EXPECT_NE(Resolve(2, 5).font.Color, grid->DisabledFontColor());
}

TEST_F(VisualProps, FixedCellsTakeTheFixedFontUnlessPrinting)
{
    fw::TFont fixed = grid->FixedFont();
    fixed.Name = QStringLiteral("Courier New");
    grid->SetFixedFont(fixed);
    EXPECT_EQ(Resolve(2, 0).font.Name, QStringLiteral("Courier New"));
    EXPECT_EQ(Resolve(2, 3).font.Name, grid->Font().Name);
    fw::TFont print;
    print.Name = QStringLiteral("Times New Roman");
    grid->PrintSettings().SetFont(print);
    grid->PrintSettings().SetUseDisplayFont(false);
    EXPECT_EQ(Resolve(2, 3, 0, false, true).font.Name, QStringLiteral("Times New Roman"));
}

TEST_F(VisualProps, FontPropertiesGiveTheMeasuringFont)
{
    grid->SetFontSizes(2, 3, 14);
    grid->SetFontStyles(2, 3, fw::TFontStyles{fw::fsItalic});
    fw::TFont font;
    fw::TBrush brush;
    fw::TGridDrawState state = 0;
    grid->GetFontProperties(2, 2, 3, state, font, brush, false);
    EXPECT_EQ(font.Size, 14);
    EXPECT_TRUE(font.Style.Contains(fw::fsItalic));
    grid->GetFontProperties(2, 2, 0, state, font, brush, false);
    EXPECT_EQ(font.Name, grid->FixedFont().Name);
    EXPECT_TRUE(font.Style.Contains(fw::fsBold));
}

TEST_F(VisualProps, SelectedRowsOfADisjunctSelectionAreLightened)
{
    grid->MouseActions().SetDisjunctRowSelect(true);
    grid->SetRow(2);
    grid->SetSelectionColor(fw::RGBToColor(100, 200, 0));
    grid->SetRowSelect(5, true);
    EXPECT_EQ(Resolve(2, 5).brush.Color, fw::RGBToColor(107, 214, 0));
}

} // namespace
