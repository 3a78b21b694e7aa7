// Sorting, filtering and grouping of the feature grid, and the row sort
// algorithm on its own.
#include "grid/model/FxGrid.h"
#include "grid/model/FxFilter.h"
#include "grid/model/FxFilterLists.h"
#include "grid/model/FxSortSettings.h"
#include "grid/model/FxSorter.h"

#include "framework/SysUtils.h"
#include "grid/foundation/FxOptions.h"

#include <gtest/gtest.h>

#include <QStringList>

#include <algorithm>
#include <memory>
#include <numeric>
#include <random>
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

} // namespace
