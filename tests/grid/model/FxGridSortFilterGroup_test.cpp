// Sorting, filtering and grouping of the feature grid, and the row sort
// algorithm on its own.
#include "grid/model/FxGrid.h"
#include "grid/model/FxFilter.h"
#include "grid/model/FxFilterLists.h"
#include "grid/model/FxGrouping.h"
#include "grid/model/FxSortSettings.h"
#include "grid/model/FxSorter.h"

#include "framework/SysUtils.h"
#include "grid/foundation/FxOptions.h"
#include "grid/foundation/FxUtilText.h"

#include <gtest/gtest.h>

#include <QStringList>

#include <algorithm>
#include <functional>
#include <memory>
#include <numeric>
#include <random>
#include <string>
#include <vector>

namespace {

// ---------------------------------------------------------------- the algorithm alone

std::vector<int> Iota(int n)
{
    std::vector<int> v(static_cast<std::size_t>(n));
    std::iota(v.begin(), v.end(), 0);
    return v;
}

TEST(FxSorterTest, PartitionSortOrdersByAnyStrictOrderInBothDirections)
{
    std::mt19937 rng(7);
    for (int n : {2, 3, 17, 1000}) {
        std::vector<int> keys(static_cast<std::size_t>(n));
        for (int& k : keys)
            k = int(rng() % 50);   // many equal keys
        for (int dir : {1, -1}) {
            std::vector<int> rows = Iota(n);
            FxPartitionSort(rows, 0, n - 1, dir, true, [&](int a, int b) {
                const int ka = keys[std::size_t(a)], kb = keys[std::size_t(b)];
                return ka < kb ? -1 : (ka > kb ? 1 : 0);
            });
            for (int i = 1; i < n; ++i) {
                const int prev = keys[std::size_t(rows[std::size_t(i - 1)])];
                const int cur = keys[std::size_t(rows[std::size_t(i)])];
                EXPECT_TRUE(dir == 1 ? prev <= cur : prev >= cur) << "n=" << n << " dir=" << dir << " at " << i;
            }
        }
    }
}

// A compare that is no order at all must end and leave every row once.
TEST(FxSorterTest, PartitionSortSurvivesComparesThatAreNoOrder)
{
    std::mt19937 rng(11);
    struct Case {
        const char* name;
        std::function<int(int, int)> cmp;
    };
    const std::vector<Case> cases = {
        {"always after", [](int, int) { return 1; }},
        {"always before", [](int, int) { return -1; }},
        {"random", [&rng](int, int) { return int(rng() % 3) - 1; }},
        {"asymmetric", [](int a, int b) { return a % 3 == 0 ? 1 : (b % 2 ? 1 : -1); }},
        {"out of range answers", [](int a, int b) { return (a * 7 + b) % 5 - 2; }},
    };
    for (const Case& c : cases)
        for (int n : {2, 5, 64, 5000}) {
            std::vector<int> rows = Iota(n);
            FxPartitionSort(rows, 0, n - 1, 1, true, c.cmp);
            std::vector<int> seen = rows;
            std::sort(seen.begin(), seen.end());
            EXPECT_EQ(seen, Iota(n)) << c.name << " n=" << n;
        }
}

TEST(FxSorterTest, EqualRowsAreNeverExchanged)
{
    std::vector<int> rows = Iota(100);
    FxPartitionSort(rows, 0, 99, 1, true, [](int, int) { return 0; });
    EXPECT_EQ(rows, Iota(100));
}

TEST(FxSorterTest, ApplyRowOrderReachesTheOrderWithFewerSwapsThanRows)
{
    std::mt19937 rng(3);
    for (int n : {1, 2, 9, 500}) {
        std::vector<int> order = Iota(n);
        std::shuffle(order.begin(), order.end(), rng);
        std::vector<int> content(static_cast<std::size_t>(n + 4));
        std::iota(content.begin(), content.end(), 0);   // value = original position
        int swaps = 0;
        std::vector<int> shifted = order;
        for (int& v : shifted)
            v += 4;
        FxApplyRowOrder(shifted, 4, [&](int p, int q) {
            std::swap(content[std::size_t(p)], content[std::size_t(q)]);
            ++swaps;
        });
        for (int k = 0; k < n; ++k)
            EXPECT_EQ(content[std::size_t(k + 4)], order[std::size_t(k)] + 4);
        EXPECT_LT(swaps, std::max(n, 1));
        EXPECT_EQ(content[0], 0);   // positions before `first` are left alone
    }
}

// ---------------------------------------------------------------- a grid

class GridSortTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        grid = std::make_unique<TFxStringGrid>();
        fw::FormatSettings() = fw::TFormatSettings();
    }

    // One fixed row (header) and one fixed column (row numbers); the data
    // rows hold `rows[i]` from column 1 on.
    void Load(const std::vector<QStringList>& rows, int cols)
    {
        TFxStringGrid& g = *grid;
        g.SetColCount(cols);
        g.SetRowCount(int(rows.size()) + 1);
        for (int c = 0; c < cols; ++c)
            g.SetCells(c, 0, QStringLiteral("H%1").arg(c));
        for (int r = 0; r < int(rows.size()); ++r) {
            g.SetCells(0, r + 1, QString::number(r + 1));
            for (int c = 1; c < cols && c - 1 < rows[std::size_t(r)].size(); ++c)
                g.SetCells(c, r + 1, rows[std::size_t(r)][c - 1]);
        }
    }
    QStringList Column(int c) const
    {
        QStringList out;
        for (int r = grid->FixedRows(); r < grid->RowCount(); ++r)
            out << grid->Cells(c, r);
        return out;
    }
    std::unique_ptr<TFxStringGrid> grid;
};

// Compare rules per style: (style, first text, second text) -> result in
// ascending order. Style ssAutomatic goes through AutoFormat on; the
// others are given by the format hook.
struct CompareCase {
    const char* name;
    bool autoFormat;
    TSortStyle style;
    QString prefix;
    QString a;
    QString b;
    int expected;
};

TEST_F(GridSortTest, CompareRulesPerStyle)
{
    const std::vector<CompareCase> cases = {
        {"auto numbers by value", true, ssAutomatic, {}, "10", "9", 1},
        {"auto exponent numbers", true, ssAutomatic, {}, "1e3", "999", 1},
        {"texts without auto format", false, ssAutomatic, {}, "10", "9", -1},
        {"auto text is ordinal", true, ssAutomatic, {}, "a", "B", 1},
        {"proper prefix is smaller", true, ssAutomatic, {}, "ab", "abc", -1},
        {"auto dates by date", true, ssAutomatic, {}, "1/2/2020", "12/1/2019", 1},
        {"slash late in text is text", true, ssAutomatic, {}, "abc/1", "abd/1", -1},
        {"date position without digits is text", true, ssAutomatic, {}, "a/b", "c/d", -1},
        {"auto times by time", true, ssAutomatic, {}, "10:30", "9:15", 1},
        {"time needs separator in second", true, ssAutomatic, {}, "10:30", "915", -1},
        {"alphabetic", false, ssAlphabetic, {}, "Zeta", "alpha", -1},
        {"no case folds ASCII only", false, ssAlphaNoCase, {}, "Zeta", "alpha", 1},
        {"no case equal", false, ssAlphaNoCase, {}, "ABC", "abc", 0},
        {"no case leaves others", false, ssAlphaNoCase, {}, QString::fromUtf8("\xc3\xa9"), QString::fromUtf8("\xc3\x89"), 1},
        {"numeric", false, ssNumeric, {}, "2.5", "10", -1},
        {"numeric blank is zero", false, ssNumeric, {}, "", "5", -1},
        {"numeric two failures equal", false, ssNumeric, {}, "x", "y", 0},
        {"numeric prefix removed", false, ssNumeric, "EUR ", "EUR 12", "EUR 3", 1},
        {"financial thousands", false, ssFinancial, "$", "$1,200.50", "$999", 1},
        {"html tags removed", false, ssHTML, {}, "<b>b</b>", "a", 1},
        {"date style", false, ssDate, {}, "02/01/2020", "01/02/2020", -1},
        {"date failure is zero", false, ssDate, {}, "nonsense", "01/01/1900", -1},
        {"short date EU", false, ssShortDateEU, {}, "01/02/2020", "02/01/2020", 1},
        {"short date US", false, ssShortDateUS, {}, "01/02/2020", "02/01/2020", -1},
        {"EU date that does not exist", false, ssShortDateEU, {}, "31/02/2020", "01/01/1900", -1},
        {"time style", false, ssTime, {}, "9:00", "10:00", -1},
        {"alphanumeric numbers", false, ssAlphaNumeric, {}, "10", "9", 1},
        {"alphanumeric texts", false, ssAlphaNumeric, {}, "a10", "a9", -1},
        {"alphanumeric no case", false, ssAlphaNumericNoCase, {}, "B", "a", 1},
    };
    for (const CompareCase& c : cases) {
        Load({{c.a}, {c.b}}, 2);
        grid->SortSettings().SetAutoFormat(c.autoFormat);
        grid->Events().OnGetFormat = [&c](QObject*, int, TSortStyle& style, QString& prefix, QString&) {
            if (c.style != ssAutomatic)
                style = c.style;
            prefix = c.prefix;
        };
        EXPECT_EQ(grid->CompareCells(1, 1, 2, sdAscending), c.expected) << c.name;
        EXPECT_EQ(grid->CompareCells(1, 2, 1, sdAscending), -c.expected) << c.name << " (reversed)";
    }
}

TEST_F(GridSortTest, CheckBoxImagesCustomAndRawCompares)
{
    Load({{"", "x"}, {"", "y"}}, 3);
    grid->AddCheckBox(1, 1, true, false);
    grid->AddCheckBox(1, 2, false, false);
    EXPECT_EQ(grid->CompareCells(1, 1, 2, sdAscending), 1);   // checked after unchecked

    grid->Events().OnGetFormat = [](QObject*, int, TSortStyle& style, QString&, QString&) { style = ssCustom; };
    grid->Events().OnCustomCompare = [](QObject*, const QString& a, const QString& b, int& res) {
        res = a == "x" && b == "y" ? 7 : 0;
    };
    EXPECT_EQ(grid->CompareCells(2, 1, 2, sdAscending), 7);   // the event's answer as it is
    grid->Events().OnGetFormat = [](QObject*, int, TSortStyle& style, QString&, QString&) { style = ssRaw; };
    grid->Events().OnRawCompare = [](QObject*, int col, int r1, int r2, int& res) { res = col * 100 + r1 * 10 + r2; };
    EXPECT_EQ(grid->CompareCells(2, 1, 2, sdAscending), 212);
}

// A three-state box sorts by its state as the other check boxes do, grey
// between unchecked and checked, whichever kind of box a compare reads
// first; the captions beside the boxes do not decide.
TEST_F(GridSortTest, ThreeStateBoxesSortByTheirStateAmongTheOtherBoxes)
{
    Load({{"a", "1"}, {"b", "2"}, {"c", "3"}, {"d", "4"}, {"e", "5"}}, 3);
    grid->AddCheckBox(1, 1, cbChecked);      // three-state
    grid->AddCheckBox(1, 2, true, false);    // plain
    grid->AddCheckBox(1, 3, cbGrayed);
    grid->AddCheckBox(1, 4, false, false);
    grid->AddCheckBox(1, 5, cbUnchecked);
    struct Case {
        int r1, r2, expected;
    } cases[] = {{1, 2, 0}, {2, 5, 1}, {5, 2, -1}, {3, 5, 1}, {1, 3, 1}, {4, 5, 0}};
    for (const Case& c : cases)
        EXPECT_EQ(grid->CompareCells(1, c.r1, c.r2, sdAscending), c.expected) << c.r1 << " against " << c.r2;

    grid->Sort(1, sdAscending);   // ties go by the second column
    EXPECT_EQ(Column(2), (QStringList{"4", "5", "3", "1", "2"}));
    grid->Sort(1, sdDescending);
    EXPECT_EQ(Column(2), (QStringList{"2", "1", "3", "5", "4"}));
}

TEST_F(GridSortTest, BlanksGoFirstOrLastInBothDirections)
{
    struct Case {
        TSortBlankPosition pos;
        TSortDirection dir;
        QStringList expected;
    };
    const std::vector<Case> cases = {
        {blLast, sdAscending, {"a", "b", "", ""}},
        {blLast, sdDescending, {"b", "a", "", ""}},
        {blFirst, sdAscending, {"", "", "a", "b"}},
        {blFirst, sdDescending, {"", "", "b", "a"}},
    };
    for (const Case& c : cases) {
        Load({{""}, {"b"}, {""}, {"a"}}, 2);
        grid->SortSettings().SetIgnoreBlanks(true);
        grid->SortSettings().SetBlankPos(c.pos);
        grid->Sort(1, c.dir);
        EXPECT_EQ(Column(1), c.expected) << int(c.pos) << "/" << int(c.dir);
    }
}

TEST_F(GridSortTest, QSortOrdersNumbersByValueOnlyWithAutoFormat)
{
    Load({{"10"}, {"9"}, {"100"}}, 2);
    grid->Sort(1, sdAscending);
    EXPECT_EQ(Column(1), (QStringList{"9", "10", "100"}));
    grid->SortSettings().SetAutoFormat(false);
    grid->QSort();
    EXPECT_EQ(Column(1), (QStringList{"10", "100", "9"}));
    grid->Sort(1, sdDescending);
    EXPECT_EQ(Column(1), (QStringList{"9", "100", "10"}));
}

TEST_F(GridSortTest, NothingHappensWithoutAColumnOrRows)
{
    Load({{"b"}, {"a"}}, 2);
    grid->SortSettings().SetColumn(-1);
    grid->QSort();
    EXPECT_EQ(Column(1), (QStringList{"b", "a"}));
    EXPECT_TRUE(grid->SortRowXRef().empty());

    grid->SetFixedRows(0);
    grid->SetRowCount(1);
    grid->SetCells(1, 0, "z");
    grid->SortByColumn(1);
    EXPECT_EQ(grid->SortSettings().Column(), -1);
    EXPECT_EQ(grid->Cells(1, 0), "z");
}

TEST_F(GridSortTest, TiesAreBrokenByTheColumnsToTheRightUnlessIgnored)
{
    Load({{"1", "b", "x"}, {"1", "a", "y"}, {"0", "c", "z"}}, 4);
    grid->Sort(1, sdAscending);
    EXPECT_EQ(Column(2), (QStringList{"c", "a", "b"}));

    Load({{"1", "a", "x"}, {"1", "b", "y"}, {"0", "c", "z"}}, 4);
    grid->SortSettings().SetFull(false);
    grid->Sort(1, sdAscending);
    EXPECT_EQ(Column(1), (QStringList{"0", "1", "1"}));
    EXPECT_EQ(Column(2), (QStringList{"c", "b", "a"}));   // column 2 did not decide

    Load({{"1", "b", "y"}, {"1", "a", "x"}}, 4);
    grid->SortSettings().SetFull(true);
    grid->IgnoreColumns().Add(2);
    grid->Sort(1, sdAscending);
    EXPECT_EQ(Column(2), (QStringList{"b", "a"}));        // column 2 never decides
}

// Text columns are ordered by each row's place among the column's distinct
// texts: the result must be the rows ordered by their texts, column after
// column, also where a number column or display texts come between.
TEST_F(GridSortTest, TextColumnsOrderRowsAsTheirTextsDo)
{
    const QStringList texts = {"", "a", "A", "b", "ab", "aB", "Ab", "\u00e9", "e", "z", "10", "9", "2"};
    const QStringList numbers = {"0", "2", "9", "10", "100"};   // column 2
    std::mt19937 random(7);
    std::vector<QStringList> rows(200);
    for (QStringList& row : rows)
        for (int c = 0; c < 3; ++c) {
            const QStringList& pool = c == 1 ? numbers : texts;
            row << pool[int(random() % pool.size())];
        }
    struct Case {
        const char* name;
        TSortDirection direction;
        bool numberColumn2;   // column 2 compares as numbers, between two text columns
        bool displayHook;     // the sort reads display texts that differ from the stored ones
    };
    for (const Case& c : {Case{"ascending", sdAscending, false, false}, Case{"descending", sdDescending, false, false},
                          Case{"number column between", sdAscending, true, false},
                          Case{"display texts", sdAscending, false, true}}) {
        Load(rows, 4);
        grid->SortSettings().SetAutoFormat(false);
        const auto shown = [&](int col, const QString& text) {
            return c.displayHook && col == 1 && !text.isEmpty() ? QString(text).replace('a', 'z') : text;
        };
        if (c.displayHook)
            grid->OnGetDisplText = [&](QObject*, int col, int, QString& v) { v = shown(col, v); };
        if (c.numberColumn2)
            grid->Events().OnGetFormat = [](QObject*, int col, TSortStyle& style, QString&, QString&) {
                if (col == 2)
                    style = ssNumeric;
            };
        grid->Sort(1, c.direction);

        std::vector<QStringList> expected = rows;
        const auto key = [&](const QStringList& row, int i) { return shown(i + 1, row[i]); };
        std::sort(expected.begin(), expected.end(), [&](const QStringList& a, const QStringList& b) {
            for (int i = 0; i < 3; ++i) {
                int res = c.numberColumn2 && i == 1 ? a[i].toInt() - b[i].toInt()
                                                   : QString::compare(key(a, i), key(b, i), Qt::CaseSensitive);
                if (c.direction == sdDescending)
                    res = -res;
                if (res != 0)
                    return res < 0;
            }
            return false;
        });
        for (int col = 1; col <= 3; ++col) {
            QStringList want;
            for (const QStringList& row : expected)
                want << shown(col, row[col - 1]);
            EXPECT_EQ(Column(col), want) << c.name << " column " << col;
        }
        grid->OnGetDisplText = nullptr;
        grid->Events().OnGetFormat = nullptr;
    }
}

// The same compares through numbers per row and through each cell's text
// (a custom compare of the same order) must leave the rows in the same
// order, ties included: column 4 holds each row's origin and is ignored,
// so it shows where tied rows went.
TEST_F(GridSortTest, TextRanksOrderRowsAsTheTextCompareDoes)
{
    const QStringList texts = {"", "a", "A", "b", "ab", "B"};
    std::mt19937 random(11);
    std::vector<QStringList> rows(150);
    for (int r = 0; r < int(rows.size()); ++r) {
        for (int c = 0; c < 3; ++c)
            rows[std::size_t(r)] << texts[int(random() % texts.size())];
        rows[std::size_t(r)] << QString::number(r);
    }
    for (bool full : {true, false})
        for (TSortDirection direction : {sdAscending, sdDescending}) {
            std::vector<QStringList> result[2];
            for (int custom = 0; custom < 2; ++custom) {
                Load(rows, 5);
                grid->IgnoreColumns().Add(4);
                grid->SortSettings().SetAutoFormat(false);
                grid->SortSettings().SetFull(full);
                grid->Events().OnGetFormat = nullptr;
                grid->Events().OnCustomCompare = nullptr;
                if (custom) {
                    grid->Events().OnGetFormat = [](QObject*, int, TSortStyle& style, QString&, QString&) {
                        style = ssCustom;
                    };
                    grid->Events().OnCustomCompare = [](QObject*, const QString& a, const QString& b, int& res) {
                        res = QString::compare(a, b, Qt::CaseSensitive);
                        res = res < 0 ? -1 : res > 0;
                    };
                }
                grid->Sort(1, direction);
                for (int col = 1; col <= 4; ++col)
                    result[custom].push_back(Column(col));
            }
            EXPECT_EQ(result[0], result[1]) << "full " << full << ", direction " << direction;
        }
}

TEST_F(GridSortTest, FixedAndFooterRowsStayAndHiddenColumnsTravel)
{
    Load({{"c", "3"}, {"a", "1"}, {"b", "2"}, {"total", "6"}}, 3);
    grid->SetFixedFooters(1);
    grid->HideColumn(2);
    grid->Sort(1, sdAscending);
    EXPECT_EQ(grid->Cells(1, 0), "H1");
    EXPECT_EQ(Column(1), (QStringList{"a", "b", "c", "total"}));
    grid->UnHideColumn(2);
    EXPECT_EQ(Column(2), (QStringList{"1", "2", "3", "6"}));
}

TEST_F(GridSortTest, UnSortRestoresTextsLooksAndHeights)
{
    Load({{"c", "x"}, {"a", "y"}, {"d", "z"}, {"b", "w"}}, 3);
    grid->SetColors(2, 3, 0x0000FF);
    grid->SetRowHeights(2, 40);
    grid->MergeCells(1, 4, 2, 1);
    const QStringList before1 = Column(1), before2 = Column(2);
    grid->Sort(2, sdDescending);
    EXPECT_EQ(Column(2), (QStringList{"z", "y", "x", "b"}));   // the merged cell covers column 2
    EXPECT_EQ(grid->Colors(2, 1), fw::TColor(0x0000FF));   // the look went with its row
    EXPECT_EQ(grid->RowHeights(2), 40);
    grid->QUnSort();
    EXPECT_EQ(Column(1), before1);
    EXPECT_EQ(Column(2), before2);
    EXPECT_EQ(grid->Colors(2, 3), fw::TColor(0x0000FF));
    EXPECT_EQ(grid->RowHeights(2), 40);
    EXPECT_EQ(grid->RowHeights(1), grid->DefaultRowHeight());
    EXPECT_TRUE(grid->IsMergedCell(1, 4));
}

TEST_F(GridSortTest, UnSortAfterHiddenRowsAndAfterRowsWereAdded)
{
    Load({{"c"}, {"a"}, {"d"}, {"b"}}, 2);
    grid->HideRow(2);   // "a"
    grid->Sort(1, sdAscending);
    EXPECT_EQ(Column(1), (QStringList{"b", "c", "d"}));
    grid->QUnSort();
    EXPECT_EQ(Column(1), (QStringList{"c", "d", "b"}));
    grid->UnHideRow(2);
    EXPECT_EQ(Column(1), (QStringList{"c", "a", "d", "b"}));

    grid->Sort(1, sdAscending);
    grid->SetRowCount(grid->RowCount() + 2);
    grid->SetCells(1, 5, "new1");
    grid->SetCells(1, 6, "new2");
    grid->QUnSort();   // the list knows five rows, the grid has seven
    EXPECT_EQ(Column(1), (QStringList{"c", "a", "d", "b", "new1", "new2"}));

    grid->SetRowCount(3);   // fewer rows than the list knows
    grid->QUnSort();
    EXPECT_EQ(Column(1), (QStringList{"c", "a"}));
}

TEST_F(GridSortTest, IndexedSortsAndTheTextForm)
{
    Load({{"b", "1"}, {"a", "1"}, {"b", "2"}, {"a", "3"}}, 3);
    TSortSettings& s = grid->SortSettings();
    s.LoadFromString("i;u1;d2");
    EXPECT_TRUE(s.Show());
    EXPECT_TRUE(s.IndexShow());
    EXPECT_EQ(Column(1), (QStringList{"a", "a", "b", "b"}));
    EXPECT_EQ(Column(2), (QStringList{"3", "1", "2", "1"}));
    EXPECT_EQ(s.SaveToString(), "i;u1;d2");

    s.LoadFromString("d2");
    EXPECT_FALSE(s.IndexShow());
    EXPECT_EQ(s.SaveToString(), "d2");
    EXPECT_EQ(Column(2), (QStringList{"3", "2", "1", "1"}));
    EXPECT_EQ(grid->SortIndexes().Count(), 0);
    s.LoadFromString("u1");
    EXPECT_EQ(Column(1), (QStringList{"a", "a", "b", "b"}));
    s.LoadFromString("ux");   // a bad column sorts nothing
    EXPECT_EQ(s.Column(), 1);
    EXPECT_THROW(s.LoadFromString("u"), fw::Exception);
}

TEST_F(GridSortTest, RefusedSettingsAndIndexedSortWithoutIndexes)
{
    Load({{"b"}, {"a"}}, 2);
    EXPECT_THROW(grid->QSortIndexed(), EFxGridError);
    EXPECT_EQ(Column(1), (QStringList{"b", "a"}));
    EXPECT_THROW(grid->SortSettings().SetRow(grid->FixedRows()), fw::Exception);
    EXPECT_EQ(grid->SortSettings().Row(), 0);
    grid->SortSettings().SetRow(grid->FixedRows() - 1);
    EXPECT_EQ(grid->SortSettings().Row(), grid->FixedRows() - 1);
}

TEST_F(GridSortTest, ACompareThatIsNoOrderLeavesEveryRowOnce)
{
    std::vector<QStringList> rows;
    for (int i = 0; i < 300; ++i)
        rows.push_back({QString::number(i)});
    Load(rows, 2);
    std::mt19937 rng(5);
    grid->Events().OnGetFormat = [](QObject*, int, TSortStyle& style, QString&, QString&) { style = ssCustom; };
    grid->Events().OnCustomCompare = [&rng](QObject*, const QString&, const QString&, int& res) {
        res = int(rng() % 5) - 2;
    };
    grid->Sort(1, sdAscending);
    QStringList seen = Column(1);
    std::sort(seen.begin(), seen.end(), [](const QString& a, const QString& b) { return a.toInt() < b.toInt(); });
    QStringList expected;
    for (int i = 0; i < 300; ++i)
        expected << QString::number(i);
    EXPECT_EQ(seen, expected);
    const QStringList numbers = Column(0), values = Column(1);
    for (int i = 0; i < numbers.size(); ++i)   // whole rows moved
        EXPECT_EQ(numbers[i].toInt(), values[i].toInt() + 1);
    grid->QUnSort();
    EXPECT_EQ(Column(1), expected);
}

TEST_F(GridSortTest, SingleColumnAndNormalCellsOnlyKeepTheOtherCells)
{
    Load({{"b", "1"}, {"a", "2"}}, 3);
    grid->SortSettings().SetSingleColumn(true);
    grid->Sort(1, sdAscending);
    EXPECT_EQ(Column(1), (QStringList{"a", "b"}));
    EXPECT_EQ(Column(2), (QStringList{"1", "2"}));

    Load({{"b", "1"}, {"a", "2"}}, 3);
    grid->SortSettings().SetSingleColumn(false);
    grid->SortSettings().SetNormalCellsOnly(true);
    grid->Sort(1, sdAscending);
    EXPECT_EQ(Column(0), (QStringList{"1", "2"}));
    EXPECT_EQ(Column(2), (QStringList{"2", "1"}));
}

TEST_F(GridSortTest, CurrentRowStaysOrFollowsItsContent)
{
    Load({{"c"}, {"a"}, {"b"}}, 2);
    grid->SetRow(1);   // "c"
    int oldRow = -1, newRow = -1;
    grid->Events().OnRowUpdate = [&](QObject*, int o, int n) {
        oldRow = o;
        newRow = n;
    };
    grid->Sort(1, sdAscending);
    EXPECT_EQ(grid->Row(), 1);
    EXPECT_EQ(oldRow, 1);
    EXPECT_EQ(newRow, 1);

    grid->Navigation().SetMoveRowOnSort(true);
    grid->SetRow(1);   // "a"
    grid->Sort(1, sdDescending);
    EXPECT_EQ(grid->Cells(1, grid->Row()), "a");
    EXPECT_EQ(grid->Row(), 3);
}

} // namespace

// ---------------------------------------------------------------- filtering

namespace {

// The row test alone: (operation of each item, match of each item) -> result.
TEST(FxFilterTest, ItemsJoinByTheirOperation)
{
    struct Case {
        const char* name;
        std::vector<std::pair<TFilterOperation, bool>> items;
        bool expected;
        int reads;   // items read before the test ended
    };
    const std::vector<Case> cases = {
        {"empty list passes", {}, true, 0},
        {"short stops at first failure", {{foSHORT, false}, {foOR, true}}, false, 1},
        {"short passes on", {{foSHORT, true}, {foAND, true}}, true, 2},
        {"none replaces", {{foNONE, false}, {foNONE, true}}, true, 2},
        {"and", {{foNONE, true}, {foAND, false}}, false, 2},
        {"or", {{foNONE, false}, {foOR, true}}, true, 2},
        {"xor of two matches", {{foNONE, true}, {foXOR, true}}, false, 2},
        {"xor of one match", {{foNONE, false}, {foXOR, true}}, true, 2},
    };
    for (const Case& c : cases) {
        TFilter filter;
        for (const auto& [op, match] : c.items) {
            TFilterData* f = filter.Insert(0);
            f->SetOperation(op);
            f->SetMethod(fmLiteral);
            f->SetCondition(match ? "yes" : "no");
        }
        int reads = 0;
        EXPECT_EQ(filter.MatchRow([&](const TFilterData&) {
            ++reads;
            return QStringLiteral(" yes ");   // trimmed before the test
        }),
                  c.expected)
            << c.name;
        EXPECT_EQ(reads, c.reads) << c.name;
    }
}

TEST(FxFilterTest, ConditionKindsPrefixesAndItemDefaults)
{
    struct Case {
        const char* name;
        TFilterCells data;
        TFilterMethod method;
        QString prefix, suffix, condition, text;
        bool expected;
    };
    const std::vector<Case> cases = {
        {"empty condition matches", fcVirtual, fmExpression, {}, {}, {}, "x", true},
        {"empty row condition matches none", fcRow, fmExpression, {}, {}, {}, "x", false},
        {"row text contains, any case", fcRow, fmExpression, {}, {}, "bc", "aBCd", true},
        {"literal is exact", fcNormal, fmLiteral, {}, {}, "ab", "abc", false},
        {"prefix and suffix removed", fcNormal, fmLiteral, "$", " kg", "12", "$12 kg", true},
        {"suffix only at the end", fcNormal, fmLiteral, {}, "kg", "1kg2", "1kg2", true},
        {"wildcard expression", fcNormal, fmExpression, {}, {}, "a*", "abc", true},
    };
    for (const Case& c : cases) {
        TFilterData f;
        f.SetData(c.data);
        f.SetMethod(c.method);
        f.SetPrefix(c.prefix);
        f.SetSuffix(c.suffix);
        f.SetCondition(c.condition);
        EXPECT_EQ(f.Matches(c.text), c.expected) << c.name;
    }
    TFilter filter;
    EXPECT_EQ(filter.Add()->Operation(), foNONE);
    EXPECT_EQ(filter.Add()->Operation(), foAND);
    EXPECT_EQ(filter.Insert(0)->Operation(), foSHORT);
    TFilterData* col3 = filter.GetColFilter(3);
    EXPECT_EQ(filter.Count(), 4);
    EXPECT_EQ(filter.GetColFilter(3), col3);
    EXPECT_TRUE(filter.HasFilter(3));
    filter.RemoveColumnFilter(3);
    EXPECT_FALSE(filter.HasFilter(3));
}

// Conditions of text, "*" and "?" are matched without the expression
// reader; the answers must be the reader's own, in both letter cases.
TEST(FxFilterTest, PlainWildcardsAnswerAsTheExpressionMatcher)
{
    const QStringList conditions = {"*v1*", "v1*", "*1", "a?c", "*a*b*", "**", "*", "?", "", "  ab  ", "a b",
                                    "*\u00e9*", "A*c", "*aa", "a*a*a"};
    const QStringList texts = {"v1", "v10", "xv1y", "v2", "abc", "ABC", "aXbYc", "", "aa", "aaa", "ab",
                               "a b", QString::fromUtf8("\xc3\x89t\xc3\xa9"), "aba"};
    for (const QString& condition : conditions)
        for (bool caseSensitive : {true, false})
            for (const QString& text : texts) {
                TFilterData f;
                f.SetCondition(condition);
                f.SetCaseSensitive(caseSensitive);
                if (condition.isEmpty())
                    continue;   // an empty condition matches every row
                EXPECT_EQ(f.Matches(text), MatchFilterExpression(condition, text, caseSensitive))
                    << condition.toStdString() << " / " << text.toStdString() << " / " << caseSensitive;
            }
    TFilterData f;   // a changed condition is read again
    f.SetCondition("a*");
    EXPECT_TRUE(f.Matches("abc"));
    f.SetCondition("b*");
    EXPECT_FALSE(f.Matches("abc"));
    f.SetCondition("A*");
    f.SetCaseSensitive(false);
    EXPECT_TRUE(f.Matches("abc"));
}

class GridFilterTest : public GridSortTest {
protected:
    void LoadFruit()
    {
        Load({{"apple", "1"}, {"apricot", "2"}, {"banana", "3"}, {"New York", "4"}, {"abc", "5"}}, 3);
    }
};

TEST_F(GridFilterTest, LevelsStackAndComeOffWithoutShowingHiddenRows)
{
    LoadFruit();
    grid->HideRow(3);   // "banana", hidden by hand
    grid->NarrowDown("a", 1);
    EXPECT_EQ(Column(1), (QStringList{"apple", "apricot", "abc"}));   // "New York" has no a
    grid->NarrowDown("ap", 1);
    grid->NarrowDown("apr", 1);
    EXPECT_EQ(grid->FilterLevel(), 3);
    EXPECT_EQ(Column(1), (QStringList{"apricot"}));
    grid->NarrowDown("ap", 1);   // one character less: the newest level goes
    EXPECT_EQ(grid->FilterLevel(), 2);
    EXPECT_EQ(Column(1), (QStringList{"apple", "apricot"}));
    grid->NarrowDown("york", 1);   // unrelated: all levels go first
    EXPECT_EQ(grid->FilterLevel(), 1);
    EXPECT_EQ(Column(1), (QStringList{"New York"}));
    grid->NarrowDown("", 1);
    EXPECT_EQ(grid->FilterLevel(), 0);
    EXPECT_EQ(Column(1), (QStringList{"apple", "apricot", "New York", "abc"}));
    EXPECT_TRUE(grid->IsHiddenRow(3));   // still hidden by hand
    grid->NarrowDown("w y", 1);         // a blank is part of the searched text
    EXPECT_EQ(Column(1), (QStringList{"New York"}));
    grid->NarrowDown("", 1);
    grid->NarrowDown("ba", -1);   // whole rows, also the hidden row's text is not there
    EXPECT_EQ(Column(1), QStringList{});
}

TEST_F(GridFilterTest, RemovingLevelsAnswersWhetherMoreWereLeft)
{
    LoadFruit();
    grid->Filter().Add()->SetCondition("a*");
    grid->Filter().Items(0)->SetColumn(1);
    grid->ApplyFilter();
    EXPECT_FALSE(grid->RemoveLastFilter());
    EXPECT_EQ(grid->RowCount(), 6);
    EXPECT_FALSE(grid->RemoveLastFilter());   // nothing left
    for (int i = 0; i < 3; ++i)
        grid->ApplyFilter();
    EXPECT_TRUE(grid->RemoveLastFilter());
    grid->RemoveAllFilters();
    EXPECT_EQ(grid->FilterLevel(), 0);
    EXPECT_EQ(grid->RowCount(), 6);
    EXPECT_EQ(grid->Filter().Count(), 1);   // items stay until removed
    grid->RemoveAllFilters();
    EXPECT_EQ(grid->Filter().Count(), 0);
}

TEST_F(GridFilterTest, ActiveFilterWithCustomTestAndProgress)
{
    LoadFruit();
    std::vector<int> seen;
    grid->Events().OnCustomFilter = [&](QObject*, int row, bool& accept) {
        seen.push_back(row);
        if (grid->Cells(2, row) == "2")
            accept = false;
    };
    std::vector<short> progress;
    grid->Events().OnFilterProgress = [&](QObject*, short p) { progress.push_back(p); };
    grid->SetFilterActive(true);   // no items: only the event hides
    EXPECT_EQ(Column(1), (QStringList{"apple", "banana", "New York", "abc"}));
    EXPECT_EQ(seen.size(), 5u);
    ASSERT_FALSE(progress.empty());
    EXPECT_EQ(progress.back(), 100);
    grid->SetFilterActive(false);
    EXPECT_EQ(grid->RowCount(), 6);

    // A short item that fails hands the event a refused row.
    grid->Events().OnCustomFilter = [&](QObject*, int row, bool& accept) {
        if (grid->Cells(1, row) == "banana") {
            EXPECT_FALSE(accept);
        }
    };
    TFilterData* f = grid->Filter().Insert(0);
    f->SetColumn(1);
    f->SetCondition("a*");
    grid->SetFilterActive(true);
    EXPECT_EQ(Column(1), (QStringList{"apple", "apricot", "abc"}));
}

TEST_F(GridFilterTest, NodeAndSummaryRowsStayUnderAnyFilter)
{
    LoadFruit();
    grid->CreateCellGraphic(0, 3)->SetCellType(ctSummary);   // "banana"
    grid->Filter().Add()->SetCondition("zzz");
    grid->Filter().Items(0)->SetColumn(1);
    grid->SetFilterActive(true);
    EXPECT_EQ(Column(1), (QStringList{"banana"}));
    grid->SetFilterActive(false);
    grid->SetFilterNormalCellsOnly(false);
    grid->SetFilterActive(true);
    EXPECT_EQ(grid->NumHiddenRows(), 5);
    grid->SetFilterActive(false);   // the fixed rows come back with the rows
    EXPECT_EQ(grid->FixedRows(), 1);
    EXPECT_EQ(Column(1), (QStringList{"apple", "apricot", "banana", "New York", "abc"}));
}

TEST_F(GridFilterTest, DropDownChoicesBuildTheColumnFilter)
{
    LoadFruit();
    grid->SetFilterDropDownAuto(true);
    int done = 0;
    grid->Events().OnFilterDone = [&](QObject*) { ++done; };
    grid->DoGetColumnFilter(1);
    const int newYork = grid->FilterList().IndexOf("New York=\"New York\"");
    ASSERT_GT(newYork, 0);
    EXPECT_EQ(grid->FilterList().Strings(0), "(All)");

    grid->SetFilterColumn(1);
    grid->DoFilterSelect(newYork);
    EXPECT_EQ(Column(1), (QStringList{"New York"}));
    EXPECT_EQ(grid->Filter().Items(0)->Condition(), "\"New York\"");
    EXPECT_EQ(grid->FilterColumn(), -1);
    EXPECT_EQ(done, 1);
    EXPECT_TRUE(grid->FilterLook(1).ColumnActive);
    EXPECT_FALSE(grid->FilterLook(2).ColumnActive);

    grid->SetFilterColumn(1);
    grid->DoFilterSelect(0);   // "(All)"
    EXPECT_FALSE(grid->Filter().HasFilter(1));
    EXPECT_EQ(grid->RowCount(), 6);

    grid->SetFilterColumn(9);   // a stale column changes nothing
    grid->DoFilterSelect(1);
    EXPECT_EQ(grid->FilterColumn(), -1);
    EXPECT_EQ(grid->RowCount(), 6);
}

// The drop-down's values: trimmed, sorted without regard to case, each once
// (the first spelling stays), hidden rows' values too unless incremental,
// and the clearing entry first.
TEST_F(GridFilterTest, DropDownValueListIsTrimmedSortedAndUnique)
{
    Load({{" pear "}, {"Pear"}, {"apple"}, {"fig "}, {"banana"}}, 2);
    grid->SetFilterDropDownAuto(true);
    grid->HideRow(4);   // fig
    struct Case {
        bool incremental;
        QStringList expected;
    };
    for (const Case& c : {Case{false, {"(All)", "apple", "banana", "fig", "pear"}},
                          Case{true, {"(All)", "apple", "banana", "pear"}}}) {
        grid->SetFilterIncremental(c.incremental);
        ASSERT_TRUE(grid->DoGetColumnFilter(1));
        QStringList list;
        for (int i = 0; i < grid->FilterList().Count(); ++i)
            list << grid->FilterList().Strings(i);
        EXPECT_EQ(list, c.expected) << c.incremental;
    }
    grid->SetFilterDropDownClear(QString());
    grid->DoGetColumnFilter(1);
    EXPECT_EQ(grid->FilterList().Strings(0), "apple");
    grid->SetFilterDropDownAuto(false);
    EXPECT_FALSE(grid->DoGetColumnFilter(1));   // nothing to offer
}

// Copying a grid copies its filter conditions (replacing the target's) and
// the drop-down's look; applying them on the copy keeps the same rows.
TEST_F(GridFilterTest, GridAssignCopiesTheFilterAndTheDropDownLook)
{
    LoadFruit();
    TFilterData* f = grid->Filter().Add();
    f->SetColumn(1);
    f->SetCondition("A*");
    f->SetCaseSensitive(false);
    f->SetPrefix(">");
    f->SetData(fcNormal);
    TFilterData* g = grid->Filter().Add();
    g->SetColumn(2);
    g->SetCondition("4");
    g->SetOperation(foOR);
    g->SetMethod(fmLiteral);
    grid->FilterDropDown().SetHeight(80);
    grid->FilterDropDown().SetColumnWidth(true);

    TFxStringGrid copy;
    copy.Filter().Add()->SetCondition("stale");
    copy.Assign(grid.get());
    ASSERT_EQ(copy.Filter().Count(), 2);
    const TFilterData* cf = copy.Filter().Items(0);
    EXPECT_EQ(cf->Column(), 1);
    EXPECT_EQ(cf->Condition(), "A*");
    EXPECT_FALSE(cf->CaseSensitive());
    EXPECT_EQ(cf->Prefix(), ">");
    EXPECT_EQ(cf->Data(), fcNormal);
    EXPECT_EQ(cf->Operation(), foNONE);
    EXPECT_EQ(copy.Filter().Items(1)->Operation(), foOR);
    EXPECT_EQ(copy.Filter().Items(1)->Method(), fmExpression);   // Method is not copied
    EXPECT_EQ(copy.FilterDropDown().Height(), 80);
    EXPECT_TRUE(copy.FilterDropDown().ColumnWidth());
    EXPECT_EQ(grid->Filter().Count(), 2);   // the source keeps its own

    copy.ApplyFilter();
    QStringList rows;
    for (int r = copy.FixedRows(); r < copy.RowCount(); ++r)
        rows << copy.Cells(1, r);
    EXPECT_EQ(rows, (QStringList{"apple", "apricot", "New York", "abc"}));
}

TEST_F(GridFilterTest, CheckListShowsRowsHoldingAnyCheckedValue)
{
    LoadFruit();
    grid->SetFilterDropDownAuto(true);
    grid->SetFilterDropDownCheck(true);
    TFilterData* other = grid->Filter().Add();
    other->SetColumn(2);
    other->SetCondition("1");
    grid->resize(400, 200);
    ASSERT_TRUE(grid->ShowFilterDropDown(1, grid->CellRect(1, 0)));
    TDropCheckList& list = grid->DropCheckList();
    ASSERT_EQ(list.count(), 6);   // (All), New York, abc, apple, apricot, banana
    const int abc = grid->FilterList().IndexOf("abc");
    const int banana = grid->FilterList().IndexOf("banana");
    list.item(abc)->setCheckState(Qt::Checked);   // fires the change
    grid->SetFilterColumn(1);
    list.item(banana)->setCheckState(Qt::Checked);
    EXPECT_EQ(Column(1), (QStringList{"banana", "abc"}));
    ASSERT_EQ(grid->Filter().Count(), 2);
    EXPECT_EQ(grid->Filter().Items(0)->Operation(), foNONE);
    EXPECT_EQ(grid->Filter().Items(1)->Operation(), foOR);
    EXPECT_FALSE(grid->Filter().HasFilter(2));   // the other column's filter went
    for (int i = 0; i < list.count(); ++i)
        list.item(i)->setCheckState(Qt::Unchecked);
    EXPECT_EQ(grid->RowCount(), 6);
}

// A grid class of its own: the filter reads every text the general way
// (a descendant may change display texts), where the grid itself reads the
// stored texts in place while nothing can change them. Both must keep the
// same rows, whatever the hooks, conditions and hidden rows.
class TGeneralFilterGrid : public TFxStringGrid {
};

// A descendant with display texts and a row test of its own.
class TShoutingGrid : public TFxStringGrid {
public:
    void GetDisplayText(int ACol, int ARow, QString& Value) const override
    {
        TFxStringGrid::GetDisplayText(ACol, ARow, Value);
        Value = Value.toUpper();
    }
    bool MatchFilter(int ARow) override { return ARow != 1 && TFxStringGrid::MatchFilter(ARow); }
};

TEST_F(GridFilterTest, InPlaceAndGeneralReadingKeepTheSameRows)
{
    const std::vector<QStringList> rows = {
        {"apple", "10", "red", "a1"},
        {" Apricot ", "2", "orange", "a2"},
        {"banana", "3", "yellow", "b1"},
        {"www.fruit.com", "40", "blue", "w1"},
        {PackWideText("wide apple"), "5", "green", "x1"},
        {"<b>cherry</b>", "6", "red", "c1"},
        {"APPLE pie", "7", "green", "a3"},
        {"", "8", "", "e1"},
    };
    // Adds an item for column `col`; `setup` sets the rest.
    const auto item = [](TFxStringGrid& g, int col, const QString& condition) {
        TFilterData* f = g.Filter().Add();
        f->SetColumn(col);
        f->SetCondition(condition);
        return f;
    };
    const auto apply = [&](const QString& condition, int col = 1, bool caseSensitive = true) {
        return [=](TFxStringGrid& g) {
            item(g, col, condition)->SetCaseSensitive(caseSensitive);
            g.ApplyFilter();
        };
    };
    struct Case {
        const char* name;
        std::function<void(TFxStringGrid&)> run;
        QStringList visible;   // column 0 of the data rows left
    };
    const std::vector<Case> cases = {
        {"wildcard, case-sensitive", apply("a*"), {"1"}},
        {"wildcard, any case, trimmed and unpacked texts", apply("*apple*", 1, false), {"1", "5", "7"}},
        {"plain word on a trimmed text", apply("Apricot"), {"2"}},
        {"comparisons", apply(">=5&<10", 2), {"5", "6", "7", "8"}},
        {"negation", apply("!red", 3), {"2", "3", "4", "5", "7", "8"}},
        {"empty condition keeps all", apply(""), {"1", "2", "3", "4", "5", "6", "7", "8"}},
        {"column past the grid reads empty", apply("!a*", 99), {"1", "2", "3", "4", "5", "6", "7", "8"}},
        {"literal with prefix",
         [&](TFxStringGrid& g) {
             TFilterData* f = item(g, 4, "1");
             f->SetMethod(fmLiteral);
             f->SetPrefix("a");
             g.ApplyFilter();
         },
         {"1"}},
        {"or and xor over columns",
         [&](TFxStringGrid& g) {
             item(g, 3, "red");
             item(g, 2, "10")->SetOperation(foXOR);
             item(g, 1, "b*")->SetOperation(foOR);
             g.ApplyFilter();
         },
         {"3", "6"}},
        {"display hook",
         [&](TFxStringGrid& g) {
             g.OnGetDisplText = [](QObject*, int c, int r, QString& v) {
                 if (c == 1 && r == 3)
                     v = "apple";
             };
             apply("apple")(g);
         },
         {"1", "3"}},
        {"display hook, raw texts",
         [&](TFxStringGrid& g) {
             g.OnGetDisplText = [](QObject*, int c, int, QString& v) {
                 if (c == 1)
                     v = "apple";
             };
             item(g, 1, "apple")->SetData(fcNormal);
             g.ApplyFilter();
         },
         {"1"}},
        {"wide text hook",
         [&](TFxStringGrid& g) {
             g.OnGetDisplWideText = [](QObject*, int c, int, QString& v) {
                 if (c == 1)
                     v += "s";
             };
             apply("*apples")(g);
         },
         {"1", "5"}},
        {"addresses shown as links",
         [&](TFxStringGrid& g) {
             g.SetURLShowInText(true);
             apply("www*")(g);
         },
         {}},
        {"merged cells read their base cell",
         [&](TFxStringGrid& g) {
             g.MergeCells(1, 1, 1, 2);
             apply("apple")(g);
         },
         {"1", "2"}},
        {"merged cells, raw texts",
         [&](TFxStringGrid& g) {
             g.MergeCells(1, 1, 1, 2);
             item(g, 1, "apple")->SetData(fcNormal);
             g.ApplyFilter();
         },
         {"1"}},
        {"rows hidden before stay hidden",
         [&](TFxStringGrid& g) {
             g.HideRow(3);
             apply("*e*", 3)(g);
         },
         {"1", "2", "4", "5", "6", "7"}},
        {"contracted node",
         [&](TFxStringGrid& g) {
             g.AddNode(1, 3);
             g.ContractNode(1);
             apply("*a*", 1, false)(g);
         },
         {"1", "5", "7"}},
        {"node row tested too",
         [&](TFxStringGrid& g) {
             g.SetFilterNormalCellsOnly(false);
             g.AddNode(1, 2);
             apply("b*")(g);
         },
         {"3"}},
        {"two levels",
         [&](TFxStringGrid& g) {
             apply("*e*", 3)(g);
             g.Filter().Clear();
             apply("*a*", 1, false)(g);
         },
         {"1", "2", "3", "5", "7"}},
        {"second level taken back",
         [&](TFxStringGrid& g) {
             apply("*e*", 3)(g);
             g.Filter().Clear();
             apply("*a*", 1, false)(g);
             g.RemoveLastFilter();
         },
         {"1", "2", "3", "4", "5", "6", "7"}},
        {"hidden column",
         [&](TFxStringGrid& g) {
             g.HideColumn(4);
             apply("a*", 4)(g);
         },
         {"1", "2", "7"}},
        {"stripped and whole-row texts",
         [&](TFxStringGrid& g) {
             item(g, 1, "cherry")->SetData(fcStripHTML);
             TFilterData* f = item(g, -1, "yellow");
             f->SetData(fcRow);
             f->SetOperation(foOR);
             g.ApplyFilter();
         },
         {"3", "6"}},
        {"custom test has the last word",
         [&](TFxStringGrid& g) {
             g.Events().OnCustomFilter = [](QObject*, int r, bool& accept) {
                 if (r == 1)
                     accept = false;
             };
             apply("*p*", 1, false)(g);
         },
         {"2", "5", "7"}},
        {"group counts",
         [&](TFxStringGrid& g) {
             g.Group(3);
             g.Grouping().SetShowGroupCount(true);
             g.Grouping().SetGroupCountFormat("-%d-");
             g.SetFilterNormalCellsOnly(false);
             apply("*-2-")(g);   // the headers of red and green
         },
         {"", ""}},
    };
    for (const Case& c : cases) {
        std::string visible[2];
        for (int general = 0; general < 2; ++general) {
            grid = general ? std::make_unique<TGeneralFilterGrid>() : std::make_unique<TFxStringGrid>();
            Load(rows, 5);
            c.run(*grid);
            QStringList ids;
            for (int r = 1; r < grid->RowCount(); ++r)
                ids << grid->GridCells(0, r);
            visible[general] = ids.join(',').toStdString();
        }
        EXPECT_EQ(visible[0], visible[1]) << c.name;
        EXPECT_EQ(visible[0], c.visible.join(',').toStdString()) << c.name;
    }
    grid = std::make_unique<TShoutingGrid>();
    Load(rows, 5);
    item(*grid, 1, "APPLE*");
    grid->ApplyFilter();
    EXPECT_EQ(Column(1), (QStringList{"APPLE PIE"}));   // row 1 refused by the descendant
}

} // namespace

// ---------------------------------------------------------------- grouping

#include "grid/paint/FxFloatingFooter.h"

namespace {

class GridGroupTest : public GridSortTest {
protected:
    // Every stored text, row by row: the table as a user would save it.
    std::vector<QStringList> Table() const
    {
        std::vector<QStringList> out;
        for (int r = 0; r < grid->RowCount(); ++r) {
            QStringList row;
            for (int c = 0; c < grid->ColCount() + grid->NumHiddenColumns(); ++c)
                row << grid->GridCells(c, r);
            out.push_back(row);
        }
        return out;
    }
    std::vector<int> Widths() const
    {
        std::vector<int> out;
        for (int c = 0; c < grid->ColCount() + grid->NumHiddenColumns(); ++c)
            out.push_back(grid->AllColWidths(c));
        return out;
    }
    // One letter per row from FixedRows: H header (node), S summary, d data.
    QString Shape() const
    {
        QString out;
        for (int r = grid->FixedRows(); r < grid->RowCount(); ++r)
            out += grid->IsNode(r) ? QLatin1Char('H') : grid->IsSummary(r) ? QLatin1Char('S') : QLatin1Char('d');
        return out;
    }
    // Fruit, colour, amount, code: three groups by fruit in mixed order.
    void LoadBasket()
    {
        Load({{"pear", "green", "4", "p1"},
              {"apple", "red", "2", "a1"},
              {"pear", "yellow", "6", "p2"},
              {"apple", "green", "5", "a2"},
              {"fig", "purple", "1", "f1"},
              {"apple", "red", "8", "a3"}},
             5);
        for (int c = 0; c < 5; ++c)
            grid->SetColWidths(c, 40 + 10 * c);
        grid->InitSortXRef();   // un-sorting goes back to this order
    }
};

TEST_F(GridGroupTest, RunsBecomeHeadersOverTheirRowsAndTheColumnGoes)
{
    Load({{"A", "1"}, {"A", "2"}, {"B", "3"}}, 3);
    grid->Group(1);
    EXPECT_EQ(grid->GroupColumn(), 1);
    EXPECT_EQ(grid->ColCount(), 2);
    EXPECT_EQ(Shape(), "HddHd");
    EXPECT_EQ(Column(1), (QStringList{"A", "1", "2", "B", "3"}));   // header texts in the new column 1
    EXPECT_EQ(grid->GetNodeSpan(1), 3);
    EXPECT_EQ(grid->GetNodeSpan(4), 2);
    EXPECT_EQ(grid->GetNodeLevel(1), 1);
    EXPECT_EQ(grid->Row(), grid->FixedRows());

    grid->UnGroup();
    Load({{"A", "1"}, {"A", "2"}, {"B", "3"}}, 3);
    grid->Grouping().SetSummary(true);
    grid->Group(1);
    EXPECT_EQ(Shape(), "HddSHdS");   // the last group has its summary too
    EXPECT_EQ(grid->GetNodeSpan(1), 3);
    EXPECT_EQ(grid->GetNodeSpan(5), 2);
}

TEST_F(GridGroupTest, SortingFirstDecidesHowManyGroups)
{
    Load({{"A"}, {"B"}, {"A"}}, 3);
    grid->Group(1);
    EXPECT_EQ(Shape(), "HddHd");
    grid->UnGroup();
    EXPECT_EQ(Column(1), (QStringList{"A", "A", "B"}));

    Load({{"A"}, {"B"}, {"A"}}, 3);
    grid->SortSettings().SetAutoSortForGrouping(false);
    grid->Group(1);
    EXPECT_EQ(Shape(), "HdHdHd");
}

// Group then UnGroup gives back every text, the widths, the header and
// footer texts and the rows' looks; un-sorting then restores the order
// the rows had before grouping sorted them.
TEST_F(GridGroupTest, GroupAndUnGroupGiveTheTableBack)
{
    struct Case {
        const char* name;
        int column;
        bool summary, mergeHeader, mergeSummary, autoSort, footer;
    };
    const std::vector<Case> cases = {
        {"first data column", 1, false, false, false, true, false},
        {"middle column with summaries", 2, true, false, false, true, false},
        {"merged headers and summaries", 3, true, true, true, true, false},
        {"last column, unsorted", 4, false, false, false, false, false},
        {"with a footer row", 1, true, false, false, true, true},
    };
    for (const Case& c : cases) {
        LoadBasket();
        if (c.footer) {
            grid->SetRowCount(grid->RowCount() + 1);
            grid->SetCells(c.column, grid->RowCount() - 1, "total");
            grid->SetFixedFooters(1);
        }
        // A look outside the group column (the group column's cells go
        // with the column; only their texts come back).
        const int looked = c.column == 3 ? 2 : 3;
        grid->SetColors(looked, 2, 0x00FF00);
        grid->SetRowHeights(4, 33);
        TGrouping& gs = grid->Grouping();
        gs.SetSummary(c.summary);
        gs.SetMergeHeader(c.mergeHeader);
        gs.SetMergeSummary(c.mergeSummary);
        gs.SetHeaderColor(0x0000FF);
        gs.SetSummaryColor(0xFF0000);
        grid->SortSettings().SetAutoSortForGrouping(c.autoSort);
        const std::vector<QStringList> before = Table();
        const std::vector<int> widths = Widths();

        grid->Group(c.column);
        EXPECT_EQ(grid->ColCount(), 4) << c.name;
        grid->UnGroup();
        EXPECT_EQ(grid->GroupColumn(), -1) << c.name;
        EXPECT_EQ(Widths(), widths) << c.name;
        EXPECT_EQ(Shape(), QString(grid->RowCount() - 1, QLatin1Char('d'))) << c.name;
        grid->QUnSort();
        EXPECT_EQ(Table(), before) << c.name;
        EXPECT_EQ(grid->Colors(looked, 2), fw::TColor(0x00FF00)) << c.name;
        EXPECT_EQ(grid->RowHeights(4), 33) << c.name;
        EXPECT_FALSE(grid->IsMergedCell(1, 1)) << c.name;
        EXPECT_EQ(grid->NumNodes(), 0) << c.name;
    }
}

TEST_F(GridGroupTest, HeaderAndSummaryLooks)
{
    LoadBasket();
    TGrouping& gs = grid->Grouping();
    gs.SetSummary(true);
    gs.SetHeaderColor(0x0000FF);
    gs.SetHeaderTextColor(0xFFFFFF);
    gs.SetSummaryColor(0xFF0000);
    grid->Group(1);
    ASSERT_EQ(Shape(), "HdddSHdSHddS");
    EXPECT_EQ(grid->Colors(2, 1), fw::TColor(0x0000FF));   // row colours
    EXPECT_EQ(grid->FontColors(3, 1), fw::TColor(0xFFFFFF));
    EXPECT_EQ(grid->Colors(2, 5), fw::TColor(0xFF0000));
    EXPECT_FALSE(grid->IsMergedCell(1, 1));
    grid->UnGroup();

    gs.SetMergeHeader(true);
    gs.SetMergeSummary(true);
    grid->Group(1);
    EXPECT_TRUE(grid->IsMergedCell(2, 1));   // columns 1 .. 3 of the header are one cell
    EXPECT_EQ(grid->CellSpan(1, 1).X, 2);
    EXPECT_EQ(grid->Colors(1, 1), fw::TColor(0x0000FF));
    EXPECT_EQ(grid->CellSpan(1, 5).X, 2);
    EXPECT_EQ(grid->Colors(1, 5), fw::TColor(0xFF0000));

    gs.SetHeaderUnderline(true);
    fw::TPen pen;
    TCellBorders borders;
    grid->DoGetCellBorder(2, 1, pen, borders);
    EXPECT_TRUE(borders.Contains(cbBottom));
    EXPECT_EQ(pen.Color, fw::TColor(0x00FF0000));
    EXPECT_EQ(pen.Width, 2);
}

TEST_F(GridGroupTest, RefusedAndEmptyGroupingsChangeNothing)
{
    LoadBasket();
    const std::vector<QStringList> before = Table();
    grid->SetFixedCols(0);
    grid->Group(0);   // the node column: ungrouping could not give it back
    grid->SetFixedCols(1);
    grid->Group(0);
    grid->Group(9);   // no such column
    grid->UnGroup();  // not grouped
    grid->SetGroupColumn(-1);
    grid->SetGroupColumn(0);
    EXPECT_EQ(Table(), before);
    EXPECT_EQ(grid->GroupColumn(), -1);

    Load({{"A"}, {"B"}}, 2);   // the header texts would have no column left
    grid->Group(1);
    EXPECT_EQ(grid->GroupColumn(), -1);
    EXPECT_EQ(grid->ColCount(), 2);

    Load({{"A"}}, 3);   // no rows between the fixed row and the footer
    grid->SetFixedFooters(1);
    grid->Group(1);
    EXPECT_EQ(grid->ColCount(), 3);
    EXPECT_EQ(grid->GroupColumn(), -1);
    grid->SetFixedFooters(0);

    LoadBasket();
    grid->SetGroupColumn(2);   // writing the column groups
    EXPECT_EQ(grid->GroupColumn(), 2);
    grid->SetGroupColumn(1);   // grouping again ungroups first
    EXPECT_EQ(grid->GroupColumn(), 1);
    EXPECT_EQ(Shape(), "HdddHdHdd");
    grid->SetGroupColumn(-1);
    EXPECT_EQ(grid->ColCount(), 5);
    EXPECT_EQ(Shape(), "dddddd");
}

// Rows hidden by hand or by a filter, and headers hidden by hand, keep or
// get back their group text; ungrouping never leaves a header behind.
TEST_F(GridGroupTest, HiddenRowsKeepTheirGroupText)
{
    LoadBasket();
    grid->SortSettings().SetAutoSortForGrouping(false);
    grid->HideRow(5);   // fig, hidden before grouping
    grid->Group(1);
    grid->HideRow(grid->RealRowIndex(2));     // a data row hidden while grouped
    grid->HideRow(grid->RealRowIndex(0 + grid->FixedRows()));   // the first header
    grid->Filter().Add()->SetCondition("red");
    grid->Filter().Items(0)->SetColumn(1);
    grid->Filter().Items(0)->SetData(fcNormal);
    grid->SetFilterActive(true);   // hides the data rows that are not red
    grid->UnGroup();
    grid->SetFilterActive(false);
    grid->UnHideRowsAll();
    EXPECT_EQ(Column(1), (QStringList{"pear", "apple", "pear", "apple", "fig", "apple"}));
    EXPECT_EQ(Column(4), (QStringList{"p1", "a1", "p2", "a2", "f1", "a3"}));
    EXPECT_EQ(grid->NumNodes(), 0);
}

TEST_F(GridGroupTest, GroupCalculationsFillHeadersOrSummaries)
{
    LoadBasket();
    grid->Group(1);   // apple (2, 5, 8), fig (1), pear (4, 6); amounts now in column 2
    ASSERT_EQ(Shape(), "HdddHdHdd");
    grid->GroupSum(2);
    EXPECT_EQ(grid->Cells(2, 1), "15.00");
    EXPECT_EQ(grid->Cells(2, 5), "1.00");
    EXPECT_EQ(grid->Cells(2, 7), "10.00");
    grid->GroupCount(2);
    EXPECT_EQ(grid->Cells(2, 1), "3");
    grid->GroupAvg(2);
    EXPECT_EQ(grid->Cells(2, 7), "5.00");
    grid->GroupMax(2);
    EXPECT_EQ(grid->Cells(2, 1), "8.00");
    grid->GroupMin(2);
    EXPECT_EQ(grid->Cells(2, 1), "2.00");
    grid->GroupDistinct(3);
    EXPECT_EQ(grid->Cells(3, 1), "3.00");
    grid->GroupStdDev(2);   // 4, 6 around 5
    EXPECT_EQ(grid->Cells(2, 7), "1.00");
    grid->Events().OnGroupCalc = [](QObject*, int col, int from, int to, double& res) { res = col * 100 + to - from; };
    grid->GroupCustomCalc(2);
    EXPECT_EQ(grid->Cells(2, 1), "202.00");

    grid->SetCells(2, 6, "9");
    grid->ContractNode(grid->RealRowIndex(5));   // fig keeps its value
    grid->GroupSum(2);
    EXPECT_EQ(grid->Cells(2, 5), "200.00");
    EXPECT_EQ(grid->Cells(2, 6), "10.00");   // pear, right below the contracted fig
    grid->ExpandNode(grid->RealRowIndex(5));

    // Summary switched on after grouping: no summary row to write into,
    // so the headers take the values and no data row is overwritten.
    grid->Grouping().SetSummary(true);
    grid->GroupSum(2);
    EXPECT_EQ(grid->Cells(2, 5), "9.00");
    EXPECT_EQ(grid->Cells(2, 6), "9");

    grid->UnGroup();
    LoadBasket();
    grid->Group(1);
    ASSERT_EQ(Shape(), "HdddSHdSHddS");
    grid->GroupSum(2);
    EXPECT_EQ(grid->Cells(2, 5), "15.00");
    EXPECT_EQ(grid->Cells(2, 1), "");
    EXPECT_DOUBLE_EQ(grid->ColumnSum(2, -1, -1), 26);   // headers and summaries do not add
}

TEST_F(GridGroupTest, FloatingFooterTakesTheGroupCalculation)
{
    LoadBasket();
    grid->FloatingFooter().SetVisible(true);
    grid->Group(1);
    grid->GroupSum(2);
    EXPECT_EQ(grid->FloatingFooter().ColumnCalc(2), acSUM);
    grid->GroupDistinct(3);
    EXPECT_EQ(grid->FloatingFooter().ColumnCalc(3), acNONE);
}

TEST_F(GridGroupTest, HeaderShowsItsGroupCount)
{
    LoadBasket();
    grid->Group(1);
    EXPECT_EQ(grid->Cells(1, 1), "apple");
    TGrouping& gs = grid->Grouping();
    gs.SetShowGroupCount(true);
    EXPECT_EQ(grid->Cells(1, 1), "apple (3)");
    EXPECT_EQ(grid->Cells(2, 1), "");          // only the header text column
    EXPECT_EQ(grid->Cells(1, 2), "green");     // only header rows
    gs.SetGroupCountFormat(" [%d rows]");
    EXPECT_EQ(grid->Cells(1, 7), "pear [2 rows]");
    gs.SetGroupCountFormat(" %s %s");   // a format that takes no integer
    EXPECT_EQ(grid->Cells(1, 7), "pear (2)");
    EXPECT_EQ(grid->GridCells(1, 7), "pear");   // the stored text stays
}

TEST_F(GridGroupTest, SubGroupsNestAndComeOffAgain)
{
    for (bool summary : {false, true}) {
        LoadBasket();
        grid->Grouping().SetSummary(summary);
        const std::vector<QStringList> before = Table();
        grid->Group(1);   // apple: red, green, red sorted to green, red, red
        grid->SubGroup(1);   // colours, now in column 1
        if (!summary) {
            ASSERT_EQ(Shape(), "HHdHddHHdHHdHd");
            EXPECT_EQ(grid->GetNodeLevel(2), 2);
            EXPECT_EQ(grid->Cells(2, 2), "green");   // the sub-header text right of the column
            EXPECT_EQ(grid->Cells(1, 3), "");        // the value waits empty
            EXPECT_EQ(grid->GetNodeSpan(1), 6);      // the group took its two sub-headers
            grid->Grouping().SetShowGroupCount(true);
            EXPECT_EQ(grid->Cells(1, 1), "apple (3)");
            EXPECT_EQ(grid->Cells(2, 4), "red (2)");
            grid->Grouping().SetShowGroupCount(false);
            grid->ContractNode(grid->RealRowIndex(1));
            EXPECT_EQ(Shape(), "HHHdHHdHd");
            grid->ExpandNode(grid->RealRowIndex(1));
        } else {
            ASSERT_EQ(Shape(), "HHdSHddSSHHdSSHHdSHdSS");
        }
        grid->SubGroup(1);   // once at a time
        grid->SubUnGroup(1);
        EXPECT_EQ(Shape(), summary ? "HdddSHdSHddS" : "HdddHdHdd");
        EXPECT_EQ(grid->GetNodeSpan(1), 4);
        EXPECT_EQ(grid->Cells(1, 2), "green");
        grid->SubGroup(2);
        grid->UnGroup();   // sub-groups come off first
        grid->QUnSort();
        EXPECT_EQ(Table(), before) << summary;
    }
    LoadBasket();
    grid->SubGroup(1);   // not grouped
    EXPECT_EQ(grid->NumNodes(), 0);
}

TEST_F(GridGroupTest, AutoCheckGroupChecksTheGroupsRows)
{
    Load({{"A", ""}, {"A", ""}, {"B", ""}}, 4);
    grid->Group(1);   // H A, d, d, H B, d
    grid->Grouping().SetAutoCheckGroup(true);
    for (int r = 1; r <= 5; ++r)
        grid->AddCheckBox(2, r, false, false);
    grid->RemoveCellGraphic(2, 1);
    grid->AddCheckBox(2, 1, cbUnchecked);   // the header's box has three states
    ASSERT_TRUE(grid->ToggleCheckBox(2, 1));
    EXPECT_TRUE(grid->IsChecked(2, 2));
    EXPECT_TRUE(grid->IsChecked(2, 3));
    EXPECT_FALSE(grid->IsChecked(2, 5));
    ASSERT_TRUE(grid->ToggleCheckBox(2, 3));   // rows differ: the header turns grey
    TCheckBoxState state = cbUnchecked;
    ASSERT_TRUE(grid->GetCheckBoxState(2, 1, state));
    EXPECT_EQ(state, cbGrayed);
    ASSERT_TRUE(grid->ToggleCheckBox(2, 2));   // both unchecked now
    ASSERT_TRUE(grid->GetCheckBoxState(2, 1, state));
    EXPECT_EQ(state, cbUnchecked);
}

} // namespace
