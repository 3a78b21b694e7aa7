#include "grid/model/FxHiddenColumns.h"
#include "grid/model/FxHiddenRows.h"
#include "grid/model/FxSelectionSets.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace {

THiddenRowStore StoreHiding(const std::vector<int>& realRows, int level = -1)
{
    THiddenRowStore store;
    std::vector<TGridItem> items;
    for (int r : realRows) {
        fw::TGridRowCells cells;
        cells.SetText(0, QString::number(r));
        items.emplace_back(r, 20, std::move(cells), 1, level);
    }
    store.AddMany(std::move(items));
    return store;
}

// Real rows 3 and 4 hidden among 8: display rows 0..5 are real 0,1,2,5,6,7.
TEST(THiddenRowStore, MapsDisplayAndRealRowsAroundHiddenOnes)
{
    const THiddenRowStore store = StoreHiding({4, 3});
    struct Case {
        int displ, real;
    };
    for (const Case c : std::vector<Case>{{0, 0}, {2, 2}, {3, 5}, {5, 7}, {9, 11}, {-1, -1}})
        EXPECT_EQ(store.DisplToReal(c.displ), c.real) << c.displ;
    EXPECT_EQ(store.RealToDispl(5), 3);
    EXPECT_EQ(store.RealToDispl(4), 3);   // where the hidden row would show
    EXPECT_TRUE(store.IsHidden(3));
    EXPECT_FALSE(store.IsHidden(5));
    EXPECT_EQ(store.RealIndices(), (std::vector<int>{3, 4}));
}

TEST(THiddenRowStore, DisplayToRealAgreesWithAWalkOverManyRows)
{
    std::vector<int> hidden;
    for (int r = 1; r < 2000; r += 3)
        hidden.push_back(r);
    hidden.push_back(1500);   // already listed: kept once
    const THiddenRowStore store = StoreHiding(hidden);
    int displ = 0;
    for (int real = 0; real < 2100; ++real) {
        if (store.IsHidden(real))
            continue;
        ASSERT_EQ(store.DisplToReal(displ), real);
        ASSERT_EQ(store.RealToDispl(real), displ);
        ++displ;
    }
}

TEST(THiddenRowStore, UndoingAFilterLevelTakesOnlyThatLevelsRows)
{
    THiddenRowStore store = StoreHiding({2}, -1);
    std::vector<TGridItem> filtered;
    filtered.emplace_back(5, 20, fw::TGridRowCells(), 0, 0);
    filtered.emplace_back(1, 20, fw::TGridRowCells(), 0, 0);
    store.AddMany(std::move(filtered));
    const auto taken = store.TakeLevel(0);
    ASSERT_EQ(taken.size(), 2u);
    EXPECT_EQ(taken[0].Idx(), 1);
    EXPECT_EQ(store.RealIndices(), (std::vector<int>{2}));
    EXPECT_TRUE(store.TakeLevel(0).empty());
}

TEST(THiddenRowStore, ShiftMovesRowsAtAndAfterTheChange)
{
    THiddenRowStore store = StoreHiding({2, 6, 9});
    store.Shift(6, 3);
    EXPECT_EQ(store.RealIndices(), (std::vector<int>{2, 9, 12}));
    EXPECT_EQ(store.TakeRange(3, 10).size(), 1u);
    EXPECT_EQ(store.RealIndices(), (std::vector<int>{2, 12}));
}

TEST(THiddenColumns, MapsAnyColumnCountAndKeepsWidths)
{
    THiddenColumns cols;
    cols.SetHidden(1, true);
    cols.SetHidden(700, true);
    cols.SetSavedWidth(700, 40000);
    EXPECT_EQ(cols.Count(), 2);
    EXPECT_EQ(cols.DisplToReal(1), 2);
    EXPECT_EQ(cols.RealToDispl(2), 1);
    EXPECT_EQ(cols.RealToDispl(701), 699);
    EXPECT_EQ(cols.DisplToReal(698), 699);
    EXPECT_EQ(cols.DisplToReal(699), 701);
    EXPECT_EQ(cols.SavedWidth(700), 40000);
    cols.Shift(0, -2);   // columns 0 and 1 removed
    EXPECT_EQ(cols.Columns(), (std::vector<int>{698}));
    EXPECT_EQ(cols.SavedWidth(698), 40000);
}

TEST(TFxSelectedCells, KeysOfRowsPast32767DoNotCollide)
{
    TFxSelectedCells cells;
    // row * 65536 + col in 32 bits would wrap these onto each other.
    EXPECT_TRUE(cells.Add(1, 32768));
    EXPECT_TRUE(cells.Add(1, 32768 + 65536));
    EXPECT_TRUE(cells.Add(65537, 0));
    EXPECT_TRUE(cells.Add(1, 1));
    EXPECT_FALSE(cells.Add(1, 32768));
    EXPECT_EQ(cells.Count(), 4);
    EXPECT_TRUE(cells.Remove(1, 32768));
    EXPECT_FALSE(cells.Contains(1, 32768));
    EXPECT_TRUE(cells.Contains(1, 32768 + 65536));
    EXPECT_EQ(cells.Item(0).Row, 32768 + 65536);
}

} // namespace
