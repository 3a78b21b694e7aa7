// The selection picture, the version text and the base column sizes.
#include "grid/model/FxGrid.h"

#include "framework/NoActiveForm.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

std::unique_ptr<TFxStringGrid> PictureGrid()
{
    auto grid = std::make_unique<TFxStringGrid>();
    grid->SetColCount(5);
    grid->SetRowCount(6);
    grid->SetFixedCols(1);
    grid->SetFixedRows(1);
    grid->SetDefaultColWidth(40);
    grid->SetDefaultRowHeight(20);
    grid->SetScrollBars(fw::ssNone);
    grid->resize(250, 160);
    for (int c = 0; c < 5; ++c)
        for (int r = 0; r < 6; ++r)
            grid->SetCells(c, r, QStringLiteral("%1%2").arg(c).arg(r));
    return grid;
}

TEST(Snapshot, PictureOfCellsInEitherCornerOrder)
{
    auto grid = PictureGrid();
    std::unique_ptr<fw::TNoActiveForm> ordered(grid->SelectionToForm({1, 1, 3, 2}));
    std::unique_ptr<fw::TNoActiveForm> reversed(grid->SelectionToForm({3, 2, 1, 1}));
    ASSERT_FALSE(ordered->Picture().isNull());
    EXPECT_EQ(ordered->Picture(), reversed->Picture());
    // Three columns of 40 and two rows of 20, plus one pixel each way.
    EXPECT_EQ(ordered->Picture().size(), QSize(3 * 40 + 1, 2 * 20 + 1));
    EXPECT_TRUE(ordered->AlphaBlend());
    EXPECT_EQ(ordered->AlphaBlendValue(), 192);
    EXPECT_FALSE(ordered->isVisible()) << "the caller shows it";
}

TEST(Snapshot, PictureFromTheGridCornerGetsFixedLineEdges)
{
    auto grid = PictureGrid();
    grid->SetGridFixedLineColor(0x0000C0);
    std::unique_ptr<fw::TNoActiveForm> form(grid->SelectionToForm({0, 0, 1, 1}));
    const QImage& img = form->Picture();
    EXPECT_EQ(img.pixelColor(0, 10), QColor(0xC0, 0, 0)) << "left edge";
    EXPECT_EQ(img.pixelColor(30, 0), QColor(0xC0, 0, 0)) << "top edge";
}

TEST(Snapshot, VersionNumberAndText)
{
    TFxStringGrid grid;
    EXPECT_EQ(grid.GetVersionNr(), 0x06020103);
    EXPECT_EQ(grid.GetVersionString(), QStringLiteral("6.2.1.3 Sep, 2012"));
}

TEST(Snapshot, BaseColumnSizesAreTheCurrentWidths)
{
    TFxStringGrid grid;
    grid.SetColCount(3);
    grid.SetColWidths(0, 10);
    grid.SetColWidths(1, 20);
    grid.SetColWidths(2, 30);
    grid.resize(321, 100);
    grid.InitOrigColSizes();
    ASSERT_EQ(grid.OrigColSizes().Count(), 3);
    EXPECT_EQ(grid.OrigColSizes().Items(2), 30);
    EXPECT_EQ(grid.OldGridWidth(), 321);
}

} // namespace
