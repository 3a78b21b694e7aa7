#include "grid/foundation/BaseGrid.h"

#include "framework/Input.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QPixmap>

#include <memory>
#include <set>
#include <utility>
#include <vector>

namespace {

// A grid with 50 x 20 pixel cells, one fixed row and column, shown so that
// the string grid lays out its cells.
class MergeTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        grid = std::make_unique<KeyGrid>();
        grid->SetColCount(10);
        grid->SetRowCount(12);
        grid->SetDefaultColWidth(50);
        grid->SetDefaultRowHeight(20);
        grid->SetFixedCols(1);
        grid->SetFixedRows(1);
        grid->resize(400, 200);
        grid->show();
    }
    struct KeyGrid : TBaseGrid {
        void Key(int key)
        {
            int k = key;
            KeyDown(k, fw::TShiftState());
        }
        bool WheelDown() { return DoMouseWheelDown(fw::TShiftState(), fw::TPoint()); }
        bool WheelUp() { return DoMouseWheelUp(fw::TShiftState(), fw::TPoint()); }
        using TBaseGrid::SetHideLastRow;
        // Rows the grid was asked to make current, in order.
        std::vector<int> selectedRows;
        bool SelectCell(int c, int r) override
        {
            selectedRows.push_back(r);
            return TBaseGrid::SelectCell(c, r);
        }
        // Cells whose rectangle the scroll handling asked for (to repaint them).
        bool recordRects = false;
        std::vector<std::pair<int, int>> rectsAsked;
        fw::TRect CellRect(int c, int r) const override
        {
            if (recordRects)
                const_cast<KeyGrid*>(this)->rectsAsked.push_back({c, r});
            return TBaseGrid::CellRect(c, r);
        }
        void TopLeftChanged() override
        {
            recordRects = true;
            TBaseGrid::TopLeftChanged();
            recordRects = false;
        }
    };
    std::unique_ptr<KeyGrid> grid;
};

TEST_F(MergeTest, MergeDataOfABlock)
{
    grid->MergeCells(1, 1, 3, 2);
    EXPECT_EQ(grid->MergeCount(), 1);
    struct Case { int c, r; bool base; int sx, sy; };
    const Case cases[] = {
        {1, 1, true, 2, 1}, {2, 1, false, 1, 0}, {3, 1, false, 2, 0},
        {1, 2, false, 0, 1}, {2, 2, false, 1, 1}, {3, 2, false, 2, 1},
    };
    for (const Case& c : cases) {
        const TCellProperties* p = grid->CellProperties(c.c, c.r);
        EXPECT_EQ(p->IsBaseCell(), c.base) << c.c << "," << c.r;
        EXPECT_EQ(p->CellSpanX(), c.sx) << c.c << "," << c.r;
        EXPECT_EQ(p->CellSpanY(), c.sy) << c.c << "," << c.r;
        EXPECT_EQ(grid->BaseCell(c.c, c.r), fw::TPoint(1, 1));
        EXPECT_EQ(grid->CellSpan(c.c, c.r), fw::TPoint(2, 1));
        EXPECT_TRUE(grid->IsMergedCell(c.c, c.r));
        EXPECT_TRUE(grid->IsXMergedCell(c.c, c.r));
        EXPECT_TRUE(grid->IsYMergedCell(c.c, c.r));
        EXPECT_EQ(grid->IsMergedNonBaseCell(c.c, c.r), !c.base);
        EXPECT_EQ(grid->FullCell(c.c, c.r), (fw::TGridRect{1, 1, 3, 2}));
    }
    EXPECT_EQ(grid->CellExt(2, 1), fw::TPoint(1, 1));
    EXPECT_EQ(grid->CellExt(1, 1), fw::TPoint(2, 1));
    EXPECT_EQ(grid->CellExt(3, 2), fw::TPoint(0, 0));

    int bc = -1, br = -1;
    EXPECT_FALSE(grid->LocateBaseCell(3, 2, bc, br));
    EXPECT_EQ(fw::TPoint(bc, br), fw::TPoint(1, 1));
    EXPECT_TRUE(grid->LocateBaseCell(1, 1, bc, br));
    EXPECT_TRUE(grid->LocateBaseCell(5, 5, bc, br));
    EXPECT_EQ(fw::TPoint(bc, br), fw::TPoint(5, 5));
}

TEST_F(MergeTest, UnmergedAndOutsideCellsAnswerAsSingleCells)
{
    struct Case { int c, r; };
    const Case cases[] = {{4, 4}, {50, 50}, {9, 11}};
    grid->CellProperties(9, 11); // properties but no merge
    for (const Case& c : cases) {
        EXPECT_EQ(grid->BaseCell(c.c, c.r), fw::TPoint(c.c, c.r));
        EXPECT_EQ(grid->CellSpan(c.c, c.r), fw::TPoint(0, 0));
        EXPECT_EQ(grid->CellExt(c.c, c.r), fw::TPoint(0, 0));
        EXPECT_TRUE(grid->IsBaseCell(c.c, c.r));
        EXPECT_FALSE(grid->IsMergedCell(c.c, c.r));
        EXPECT_FALSE(grid->IsXMergedCell(c.c, c.r));
        EXPECT_EQ(grid->FullCell(c.c, c.r), (fw::TGridRect{c.c, c.r, c.c, c.r}));
    }
}

TEST_F(MergeTest, NarrowBlocksAndSingleCellMerges)
{
    grid->MergeCells(2, 3, 1, 3); // one column, three rows
    EXPECT_FALSE(grid->IsXMergedCell(2, 4));
    EXPECT_TRUE(grid->IsYMergedCell(2, 4));
    EXPECT_TRUE(grid->IsMergedCell(2, 3));
    EXPECT_EQ(grid->CellSpan(2, 5), fw::TPoint(0, 2));

    grid->MergeCells(6, 6, 1, 1);
    EXPECT_TRUE(grid->IsBaseCell(6, 6));
    EXPECT_FALSE(grid->IsMergedCell(6, 6));
    EXPECT_EQ(grid->CellSpan(6, 6), fw::TPoint(0, 0));
    EXPECT_EQ(grid->CellProperties(6, 6)->CellSpanX(), 0);

    const int before = grid->MergeCount();
    grid->MergeCells(7, 7, 0, 2); // nothing to merge; only the counter moves
    EXPECT_FALSE(grid->CellPropertiesAssigned(7, 7));
    EXPECT_EQ(grid->MergeCount(), before + 1);
}

TEST_F(MergeTest, SplitRestoresEveryCellOfTheBlock)
{
    grid->MergeCells(1, 1, 3, 2);
    grid->MergeCells(5, 5, 2, 2);
    grid->SplitCells(2, 2); // any cell of the block
    for (int c = 1; c <= 3; ++c) {
        for (int r = 1; r <= 2; ++r) {
            const TCellProperties* p = grid->CellProperties(c, r);
            EXPECT_TRUE(p->IsBaseCell());
            EXPECT_EQ(p->CellSpanX(), -1);
            EXPECT_EQ(p->CellSpanY(), -1);
        }
    }
    EXPECT_EQ(grid->MergeCount(), 1);
    EXPECT_TRUE(grid->IsMergedCell(6, 6)); // the other block stays

    // Splitting a cell that is not merged creates its properties but leaves
    // the count of blocks alone.
    grid->SplitCells(8, 8);
    EXPECT_TRUE(grid->CellPropertiesAssigned(8, 8));
    EXPECT_EQ(grid->MergeCount(), 1);
    grid->SplitCells(5, 5);
    grid->SplitCells(5, 5);
    EXPECT_EQ(grid->MergeCount(), 0);
}

TEST_F(MergeTest, CellRectOfABlockIsTheWholeBlock)
{
    ASSERT_EQ(grid->TObjStringGrid::CellRect(1, 1), fw::TRect(50, 20, 100, 40));
    EXPECT_EQ(grid->CellRect(4, 4), fw::TRect(200, 80, 250, 100));
    grid->MergeCells(1, 1, 3, 2);
    for (int c = 1; c <= 3; ++c)
        for (int r = 1; r <= 2; ++r)
            EXPECT_EQ(grid->CellRect(c, r), fw::TRect(50, 20, 200, 60)) << c << "," << r;
    EXPECT_EQ(grid->CellSize(2, 2), fw::TPoint(150, 40));
    EXPECT_EQ(grid->UnclippedCellRect(3, 2), fw::TRect(150, 40, 200, 60));

    // Base cell scrolled out of view: the block reaches under the fixed row.
    grid->SetTopRow(2);
    ASSERT_EQ(grid->TopRow(), 2);
    EXPECT_EQ(grid->CellRect(2, 2), fw::TRect(50, 0, 200, 40));
    EXPECT_EQ(grid->UnclippedCellRect(1, 1), fw::TRect(50, 0, 100, 20));
    EXPECT_EQ(grid->UnclippedCellRect(0, 1), fw::TRect(0, 0, 50, 20));
    EXPECT_EQ(grid->UnclippedCellRect(1, 0), fw::TRect(50, 0, 100, 20));

    // A zero-width base column keeps the block reaching to its far corner.
    grid->SetTopRow(1);
    grid->MergeCells(5, 5, 2, 1);
    grid->SetColWidths(5, 0);
    EXPECT_EQ(grid->CellRect(6, 5), fw::TRect(250, 100, 300, 120));
}

TEST_F(MergeTest, RowAndColumnSpanQueries)
{
    EXPECT_EQ(grid->MinRowSpan(3), grid->RowCount());
    EXPECT_EQ(grid->MaxRowSpan(3), 0);
    EXPECT_FALSE(grid->RowSpanIdentical(3, 4));

    grid->MergeCells(1, 3, 1, 3); // rows 3..5
    grid->MergeCells(2, 3, 1, 2); // rows 3..4
    grid->MergeCells(1, 7, 1, 2); // rows 7..8
    EXPECT_EQ(grid->MinRowSpan(3), 1);
    EXPECT_EQ(grid->MaxRowSpan(3), 2);
    EXPECT_TRUE(grid->RowSpanIdentical(3, 4));
    EXPECT_TRUE(grid->RowSpanIdentical(3, 5)); // column 2 does not reach row 5: ignored
    EXPECT_FALSE(grid->RowSpanIdentical(4, 7));

    grid->MergeCells(4, 9, 3, 1); // columns 4..6 of row 9
    grid->MergeCells(7, 10, 2, 1);
    EXPECT_TRUE(grid->ColSpanIdentical(4, 6));
    EXPECT_FALSE(grid->ColSpanIdentical(6, 7));
    EXPECT_FALSE(grid->ColSpanIdentical(1, 2));
}

TEST_F(MergeTest, ArrowsLeaveABlockAsAWhole)
{
    struct Case { int baseC, baseR, w, h; int startC, startR; int key; int endC, endR; };
    const Case cases[] = {
        {2, 3, 3, 1, 2, 3, fw::VK_RIGHT, 5, 3}, // block over columns 2..4
        {2, 3, 1, 2, 2, 3, fw::VK_DOWN, 2, 5},  // block over rows 3..4
        {2, 3, 3, 2, 2, 3, fw::VK_LEFT, 1, 3},
        {2, 3, 3, 2, 2, 3, fw::VK_UP, 2, 2},
        {2, 3, 3, 2, 4, 4, fw::VK_LEFT, 1, 4},  // from inside: to the neighbour of the block
        {2, 3, 3, 2, 4, 4, fw::VK_UP, 4, 2},
    };
    for (const Case& c : cases) {
        grid->SplitCells(2, 3);
        grid->MergeCells(c.baseC, c.baseR, c.w, c.h);
        grid->FocusCell(c.startC, c.startR, true);
        ASSERT_EQ(grid->Col(), c.startC);
        grid->Key(c.key);
        EXPECT_EQ(grid->Col(), c.endC) << c.key << " from " << c.startC << "," << c.startR;
        EXPECT_EQ(grid->Row(), c.endR) << c.key << " from " << c.startC << "," << c.startR;
    }
}

TEST_F(MergeTest, ArrowsNeverEnterTheFixedArea)
{
    // A block that starts under the fixed column and row.
    grid->MergeCells(0, 0, 3, 3);
    grid->FocusCell(2, 2, true);
    for (int key : {fw::VK_LEFT, fw::VK_UP, fw::VK_LEFT, fw::VK_UP}) {
        grid->Key(key);
        EXPECT_GE(grid->Col(), grid->FixedCols());
        EXPECT_GE(grid->Row(), grid->FixedRows());
    }
    grid->Key(fw::VK_DOWN);
    EXPECT_EQ(grid->Row(), 3);
    grid->FocusCell(1, 1, true);
    grid->Key(fw::VK_RIGHT);
    EXPECT_EQ(grid->Col(), 3);

    // From the far end of a block that starts next to the fixed column.
    grid->SplitCells(0, 0);
    grid->MergeCells(1, 5, 3, 1);
    grid->FocusCell(3, 5, true);
    grid->Key(fw::VK_LEFT);
    EXPECT_EQ(grid->Col(), 1);
    EXPECT_EQ(grid->Row(), 5);
}

TEST_F(MergeTest, PageDownAtTheEndStopsAboveAHiddenFooterRow)
{
    // Scrolled to the end, the last row shown completely is the last row:
    // TopRow + VisibleRowCount - FixedRows = RowCount - 1.
    for (bool footer : {true, false}) {
        grid->SetHideLastRow(footer);
        grid->SetTopRow(grid->RowCount());
        grid->FocusCell(2, grid->TopRow(), true);
        ASSERT_EQ(grid->TopRow() + grid->VisibleRowCount() - grid->FixedRows(), grid->RowCount() - 1);
        grid->selectedRows.clear();
        grid->Key(fw::VK_NEXT);
        ASSERT_FALSE(grid->selectedRows.empty());
        // With the footer the current row first goes to the row above it;
        // the page step then starts from there.
        EXPECT_EQ(grid->selectedRows.front() == grid->RowCount() - 2, footer) << footer;
    }
}

TEST_F(MergeTest, WheelKeepsTheCurrentRowInSightAboveAHiddenFooterAndSnapsToTheBaseCell)
{
    // The current row lies below the view and a handler takes the wheel, so
    // the string grid moves nothing: only the footer rule scrolls one row.
    grid->OnMouseWheelDown = [](QObject*, fw::TShiftState, fw::TPoint, bool& handled) { handled = true; };
    for (bool footer : {true, false}) {
        grid->SetHideLastRow(footer);
        grid->FocusCell(2, 10, true);
        grid->SetTopRow(1);
        ASSERT_LT(grid->VisibleRowCount(), grid->Row() - grid->TopRow());
        grid->WheelDown();
        EXPECT_EQ(grid->TopRow(), footer ? 2 : 1) << footer;
    }
    grid->OnMouseWheelDown = nullptr;

    // A wheel step that lands inside a block moves on to its base cell.
    grid->SetHideLastRow(false);
    grid->MergeCells(2, 3, 1, 3);   // rows 3..5
    grid->FocusCell(2, 6, true);
    grid->WheelUp();
    EXPECT_EQ(grid->Row(), 3);
    grid->FocusCell(2, 2, true);
    grid->WheelDown();
    EXPECT_EQ(grid->Row(), 3);
}

TEST_F(MergeTest, ScrollingRepaintsTheMergedCellsOfTheFixedArea)
{
    grid->SetColCount(20);
    grid->SetRowCount(30);
    grid->MergeCells(0, 6, 1, 2);    // fixed column, rows 6..7
    grid->MergeCells(0, 25, 1, 2);   // fixed column, rows 25..26: out of view
    grid->MergeCells(5, 0, 2, 1);    // fixed row, columns 5..6
    grid->MergeCells(4, 4, 2, 2);    // not in the fixed area
    grid->rectsAsked.clear();
    grid->SetTopRow(3);
    const int last = grid->TopRow() + grid->VisibleRowCount();
    ASSERT_LT(last, 25);
    const std::set<std::pair<int, int>> asked(grid->rectsAsked.begin(), grid->rectsAsked.end());
    const std::set<std::pair<int, int>> expected = {{0, 6}, {0, 7}, {5, 0}, {6, 0}};
    EXPECT_EQ(asked, expected);
}

TEST_F(MergeTest, APaintPassDrawsABlockThroughItsBaseCell)
{
    grid->MergeCells(1, 1, 3, 2);
    grid->SetCells(2, 2, QStringLiteral("block"));
    const int before = grid->PaintID();
    const QImage shot = grid->grab().toImage();
    ASSERT_FALSE(shot.isNull());
    EXPECT_GT(grid->PaintID(), before);
    // The non-base cells met first in the pass marked the base cell as drawn.
    EXPECT_GE(grid->CellProperties(1, 1)->PaintID(), before);
}

} // namespace
