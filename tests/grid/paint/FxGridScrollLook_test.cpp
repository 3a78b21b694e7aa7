// Scroll-bar styles, the grid-drawn scroll bar and the appearance switches.
#include "grid/model/FxGrid.h"

#include "grid/foundation/FxOptions.h"
#include "grid/paint/FxScrollControl.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

TEST(ScrollLook, MetroBarsReplaceTheStandardOnesAndGiveThemBack)
{
    TFxStringGrid grid;
    grid.SetScrollBars(fw::ssVertical);
    grid.SetScrollType(ssMetro);
    EXPECT_EQ(grid.ScrollBars(), fw::ssNone);
    ASSERT_NE(grid.VScrollControl(), nullptr);
    ASSERT_NE(grid.HScrollControl(), nullptr);
    EXPECT_EQ(grid.VScrollControl()->Direction(), sdVertical);
    grid.SetScrollType(ssNormal);
    EXPECT_EQ(grid.ScrollBars(), fw::ssBoth) << "both bars, whatever they were before";
    EXPECT_EQ(grid.VScrollControl(), nullptr);
}

TEST(ScrollLook, FlatStylesLeaveTheStandardBarsHere)
{
    TFxStringGrid grid;
    grid.SetScrollType(ssFlat);
    EXPECT_EQ(grid.ScrollType(), ssFlat);
    EXPECT_FALSE(grid.FlatScrollBarsActive());
    EXPECT_EQ(grid.ScrollBars(), fw::ssBoth);
    grid.SetScrollColor(fw::clNone);
    grid.SetScrollWidth(9);
    EXPECT_EQ(grid.ScrollWidth(), 9);
}

TEST(ScrollLook, SpreadSheetSwitchesRangeEditingOnEitherWay)
{
    TFxStringGrid grid;
    grid.SetSpreadSheet(false);
    EXPECT_TRUE(grid.SelectionRectangle());
    EXPECT_TRUE(grid.SelectionResizer());
    EXPECT_TRUE(grid.Navigation().AllowSmartClipboard());
    EXPECT_TRUE(grid.Options() & fw::goRangeSelect);
    EXPECT_TRUE(grid.Options() & fw::goEditing);
    EXPECT_TRUE(grid.MouseActions().RangeSelectAndEdit());
}

class ScrollControl : public ::testing::Test {
protected:
    void SetUp() override
    {
        grid = std::make_unique<TFxStringGrid>();
        grid->SetDefaultRowHeight(20);
        grid->SetFixedRows(1);
        grid->resize(200, 206);
        grid->SetScrollType(ssMetro);
        bar = grid->VScrollControl();
        bar->resize(6, 200);
    }
    std::unique_ptr<TFxStringGrid> grid;
    TScrollControl* bar = nullptr;
};

TEST_F(ScrollControl, NoThumbWhenEveryRowFits)
{
    grid->SetRowCount(5);
    EXPECT_EQ(bar->Thumb().Length, 0);
}

TEST_F(ScrollControl, ThumbIsAtLeastTwentyPixels)
{
    grid->SetRowCount(1000);
    const TScrollControl::TThumb t = bar->Thumb();
    EXPECT_EQ(t.Length, 20);
    EXPECT_EQ(t.Start, 20) << "the track starts below the fixed row";
    grid->SetTopRow(grid->RowCount() - grid->VisibleRowCount());
    EXPECT_EQ(bar->Thumb().Start + bar->Thumb().Length, 200) << "never beyond the control's end";
}

TEST_F(ScrollControl, DraggingStaysWithinTheRows)
{
    grid->SetRowCount(100);
    const TScrollControl::TThumb t = bar->Thumb();
    bar->MouseDown(2, t.Start + 2);
    ASSERT_TRUE(bar->DownOnScroller());
    bar->MouseMove(2, t.Start - 500);
    EXPECT_EQ(grid->TopRow(), grid->FixedRows());
    bar->MouseMove(2, t.Start + 5000);
    EXPECT_EQ(grid->TopRow(), grid->RowCount() - grid->VisibleRowCount());
    bar->MouseUp();
    EXPECT_FALSE(bar->DownOnScroller());
}

TEST_F(ScrollControl, ATrackOfNoLengthMovesNothing)
{
    grid->SetRowCount(100);
    bar->resize(6, 20);   // as tall as the fixed row alone
    const TScrollControl::TThumb t = bar->Thumb();
    EXPECT_EQ(t.Start, 0);
    EXPECT_EQ(t.Length, 20);
    const int top = grid->TopRow();
    bar->MouseDown(2, 5);
    ASSERT_TRUE(bar->DownOnScroller());
    bar->MouseMove(2, 15);
    EXPECT_EQ(grid->TopRow(), top) << "no track to divide by";
    bar->MouseUp();
}

TEST_F(ScrollControl, PressesBesideTheThumbPage)
{
    grid->SetRowCount(100);
    const int page = grid->VisibleRowCount();
    bar->MouseDown(2, 199);
    EXPECT_EQ(grid->TopRow(), 1 + page);
    bar->MouseDown(2, 21);
    EXPECT_EQ(grid->TopRow(), 1);
    EXPECT_FALSE(bar->DownOnScroller());
}

} // namespace
