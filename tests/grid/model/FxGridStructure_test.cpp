// Structure edits, calculations, nodes, highlights, checks and fills of the
// feature grid.
#include "grid/model/FxGrid.h"

#include "grid/foundation/FxObj.h"
#include "grid/foundation/FxOptions.h"
#include "grid/foundation/SgCheck.h"
#include "grid/model/FxCGrid.h"
#include "grid/model/FxGridColumnItem.h"
#include "grid/paint/FxFloatingFooter.h"

#include "framework/DateTime.h"
#include "framework/SysUtils.h"

#include <gtest/gtest.h>

#include <QWidget>

#include <functional>
#include <memory>
#include <vector>

namespace {

class FxGridStructureTest : public ::testing::Test {
protected:
    void SetUp() override { grid = std::make_unique<TFxStringGrid>(); }

    // One column of texts below a fixed row, in column 1.
    void Column(const std::vector<QString>& texts, int cols = 3)
    {
        grid->SetColCount(cols);
        grid->SetRowCount(int(texts.size()) + 1);
        for (int i = 0; i < int(texts.size()); ++i)
            grid->SetCells(1, i + 1, texts[std::size_t(i)]);
    }
    std::vector<QString> ColumnTexts(int col = 1)
    {
        std::vector<QString> out;
        for (int r = grid->FixedRows(); r < grid->RowCount(); ++r)
            out.push_back(grid->Cells(col, r));
        return out;
    }
    std::unique_ptr<TFxStringGrid> grid;
};

// ---------------------------------------------------------------- rows

// Rows T1..T7 below a fixed row; each carries its tag in column 1, a colour
// in column 2 and a height; T5 is hidden, the shown T1, T3, T7 are marked
// modified, and a control sits on T6.
struct TaggedRows {
    explicit TaggedRows(TFxStringGrid& g) : g(g)
    {
        g.SetColCount(4);
        g.SetRowCount(8);
        for (int i = 1; i <= 7; ++i) {
            g.SetCells(1, i, Tag(i));
            g.SetColors(2, i, Colour(i));
            g.SetRowHeights(i, 20 + i);
        }
        g.SetCellControls(3, 6, &control);
        g.HideRow(5);
        // Modified flags are kept by display row.
        for (int r = 1; r < g.RowCount(); ++r)
            g.SetRowModified(r, TagAt(r) % 2 == 1);
    }
    static QString Tag(int i) { return QStringLiteral("T%1").arg(i); }
    static fw::TColor Colour(int i) { return 0x10000 + i; }
    // The tag number of a display row, 0 for an untagged row.
    int TagAt(int r) const
    {
        const QString t = g.Cells(1, r);
        return t.startsWith('T') ? t.mid(1).toInt() : 0;
    }
    TFxStringGrid& g;
    QWidget control;
};

TEST_F(FxGridStructureTest, RowEditsKeepEverythingInStep)
{
    struct Case {
        const char* name;
        std::function<void(TFxStringGrid&)> op;
        std::vector<int> order;   // tags after the edit with every row shown; 0 = new row
    };
    const std::vector<Case> cases = {
        {"RemoveRows two at 2", [](TFxStringGrid& g) { g.RemoveRows(2, 2); }, {1, 4, 5, 6, 7}},
        {"RemoveRows below the hidden row", [](TFxStringGrid& g) { g.RemoveRows(5, 1); }, {1, 2, 3, 4, 5, 7}},
        {"RemoveRowsEx one at 1", [](TFxStringGrid& g) { g.RemoveRowsEx(1, 1); }, {2, 3, 4, 5, 6, 7}},
        {"DeleteRowRange last", [](TFxStringGrid& g) { g.DeleteRowRange(6, 1); }, {1, 2, 3, 4, 5, 6}},
        {"InsertRows two at 3", [](TFxStringGrid& g) { g.InsertRows(3, 2); }, {1, 2, 0, 0, 3, 4, 5, 6, 7}},
        {"InsertRows after the hidden row", [](TFxStringGrid& g) { g.InsertRows(5, 1); },
         {1, 2, 3, 4, 5, 0, 6, 7}},
        {"AddRow", [](TFxStringGrid& g) { g.AddRow(); }, {1, 2, 3, 4, 5, 6, 7, 0}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        grid = std::make_unique<TFxStringGrid>();
        TaggedRows rows(*grid);
        c.op(*grid);
        // Shown rows: colour, height and modified flag travel with the tag.
        for (int r = 1; r < grid->RowCount(); ++r) {
            const int t = rows.TagAt(r);
            EXPECT_EQ(grid->Colors(2, r), t ? TaggedRows::Colour(t) : grid->Colors(2, 0)) << "row " << r;
            EXPECT_EQ(grid->RowHeights(r), t ? 20 + t : grid->DefaultRowHeight()) << "row " << r;
            EXPECT_EQ(grid->RowModified(r), t != 0 && t % 2 == 1) << "row " << r;
        }
        // The control follows T6's real row, or goes with it.
        int t6 = -1;
        for (int r = 1; r < grid->RowCount(); ++r)
            if (rows.TagAt(r) == 6)
                t6 = grid->RealRowIndex(r);
        if (t6 < 0) {
            EXPECT_EQ(grid->ControlList().Count(), 0);
        } else {
            ASSERT_EQ(grid->ControlList().Count(), 1);
            EXPECT_EQ(grid->ControlList().Control(0)->Y(), t6);
        }
        // The hidden row comes back in its place with its own colour.
        grid->UnHideRowsAll();
        std::vector<int> order;
        for (int r = 1; r < grid->RowCount(); ++r)
            order.push_back(rows.TagAt(r));
        EXPECT_EQ(order, c.order);
        for (int r = 1; r < grid->RowCount(); ++r)
            if (rows.TagAt(r) == 5) {
                EXPECT_EQ(grid->Colors(2, r), TaggedRows::Colour(5));
            }
    }
}

TEST_F(FxGridStructureTest, RemovingTheCurrentRowMovesItUp)
{
    Column({"a", "b", "c", "d"});
    grid->SetRow(4);
    grid->RemoveRows(3, 2);
    EXPECT_EQ(grid->RowCount(), 3);
    EXPECT_EQ(grid->Row(), 2);
    EXPECT_EQ(ColumnTexts(), (std::vector<QString>{"a", "b"}));
}

TEST_F(FxGridStructureTest, AddRowKeepsTheFooterRowLast)
{
    Column({"a", "b", "sum"});
    grid->FloatingFooter().SetVisible(true);
    grid->AddRow();
    EXPECT_EQ(ColumnTexts(), (std::vector<QString>{"a", "b", "", "sum"}));
}

TEST_F(FxGridStructureTest, RemoveDuplicatesKeepsTheFirst)
{
    struct Case {
        bool doCase;
        std::vector<QString> after;
    };
    for (const Case& c : {Case{false, {"abc", "x"}}, Case{true, {"abc", "ABC", "x"}}}) {
        Column({"abc", "ABC", "abc", "x", "ABC"});
        grid->RemoveDuplicates(1, c.doCase);
        EXPECT_EQ(ColumnTexts(), c.after) << c.doCase;
    }
}

TEST_F(FxGridStructureTest, RemoveCheckedRowsTakesOnlyThoseInTheState)
{
    Column({"a", "b", "c", "d"});
    for (int r = 1; r <= 4; ++r)
        grid->AddCheckBox(0, r, r % 2 == 0, false);
    grid->RemoveCheckedRows(0, true);
    EXPECT_EQ(ColumnTexts(), (std::vector<QString>{"a", "c"}));
}

TEST_F(FxGridStructureTest, SelectedRowsGoOrHide)
{
    Column({"a", "b", "c", "d", "e"});
    grid->MouseActions().SetDisjunctRowSelect(true);
    grid->SetRowSelect(2, true);
    grid->SetRowSelect(4, true);
    grid->RemoveSelectedRows();
    EXPECT_EQ(ColumnTexts(), (std::vector<QString>{"a", "c", "e"}));
    EXPECT_EQ(grid->RowSelectCount(), 0);
    grid->SetRowSelect(2, true);
    grid->HideUnSelectedRows();
    EXPECT_EQ(ColumnTexts(), (std::vector<QString>{"c"}));
    EXPECT_EQ(grid->NumHiddenRows(), 2);
}

TEST_F(FxGridStructureTest, AutoDeleteRowClearsTheOnlyRow)
{
    Column({"only"});
    int fired = -1;
    grid->Events().OnAutoDeleteRow = [&](QObject*, int r) { fired = r; };
    grid->AutoDeleteRow(1);
    EXPECT_EQ(grid->RowCount(), 2);
    EXPECT_EQ(grid->Cells(1, 1), "");
    EXPECT_EQ(fired, 1);
    Column({"a", "b"});
    grid->AutoDeleteRow(1);
    EXPECT_EQ(ColumnTexts(), (std::vector<QString>{"b"}));
}

// ---------------------------------------------------------------- columns

TEST_F(FxGridStructureTest, ColumnEditsKeepEverythingInStep)
{
    struct Case {
        const char* name;
        std::function<void(TFxStringGrid&)> op;
        std::vector<int> order;   // column tags by real column; -1 = new column
        int hiddenAfter;          // real index of the hidden column, -1 = none
    };
    const std::vector<Case> cases = {
        {"InsertCols at 2", [](TFxStringGrid& g) { g.InsertCols(2, 1); }, {0, 1, -1, 2, 3, 4}, 4},
        {"RemoveCols at 1", [](TFxStringGrid& g) { g.RemoveCols(1, 1); }, {0, 2, 3, 4}, 2},
        {"RemoveCols the hidden one", [](TFxStringGrid& g) { g.RemoveCols(3, 1); }, {0, 1, 2, 4}, -1},
        {"RemoveCols past the end", [](TFxStringGrid& g) { g.RemoveCols(3, 9); }, {0, 1, 2}, -1},
        {"AddColumn", [](TFxStringGrid& g) { g.AddColumn(); }, {0, 1, 2, 3, 4, -1}, 3},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        grid = std::make_unique<TFxStringGrid>();
        TFxStringGrid& g = *grid;
        g.SetColCount(5);
        g.SetRowCount(4);
        for (int col = 0; col < 5; ++col) {
            for (int r = 0; r < 4; ++r)
                g.SetCells(col, r, QStringLiteral("C%1").arg(col));
            g.SetColWidths(col, 30 + col);
            g.SetColors(col, 2, 0x20000 + col);
        }
        g.HideRow(3);
        g.HideColumn(3);
        c.op(g);
        EXPECT_EQ(g.ColCount() + g.NumHiddenColumns(), int(c.order.size()));
        for (int col = 0; col < int(c.order.size()); ++col)
            EXPECT_EQ(g.IsHiddenColumn(col), col == c.hiddenAfter) << "column " << col;
        g.UnHideColumnsAll();
        g.UnHideRowsAll();
        for (int col = 0; col < int(c.order.size()); ++col) {
            const int t = c.order[std::size_t(col)];
            const QString tag = t < 0 ? QString() : QStringLiteral("C%1").arg(t);
            for (int r = 0; r < 4; ++r)
                EXPECT_EQ(g.Cells(col, r), tag) << "column " << col << " row " << r;
            EXPECT_EQ(g.ColWidths(col), t < 0 ? g.DefaultColWidth() : 30 + t) << "column " << col;
            if (t >= 0) {
                EXPECT_EQ(g.Colors(col, 2), fw::TColor(0x20000 + t)) << "column " << col;
            }
        }
    }
}

TEST_F(FxGridStructureTest, ColumnGridKeepsItsColumnsInStep)
{
    TFxColumnGrid g;
    g.SetColCount(4);
    for (int c = 0; c < 4; ++c)
        g.Columns().Items(c)->SetWidth(40 + c);
    g.RemoveCols(1, 1);
    ASSERT_EQ(g.Columns().Count(), 3);
    EXPECT_EQ(g.Columns().Items(1)->Width(), 42);
    g.InsertCols(1, 1);
    ASSERT_EQ(g.Columns().Count(), 4);
    EXPECT_EQ(g.Columns().Items(2)->Width(), 42);
}

TEST_F(FxGridStructureTest, MergeColsJoinsAndTrims)
{
    grid->SetColCount(4);
    grid->SetRowCount(3);
    grid->SetCells(1, 1, "John");
    grid->SetCells(2, 1, "Smith");
    grid->SetCells(3, 1, "x");
    grid->SetCells(1, 2, "Ann");
    grid->MergeCols(1, 2, " ");
    EXPECT_EQ(grid->ColCount(), 3);
    EXPECT_EQ(grid->Cells(1, 1), "John Smith");
    EXPECT_EQ(grid->Cells(1, 2), "Ann");
    EXPECT_EQ(grid->Cells(2, 1), "x");
}

// ---------------------------------------------------------------- clearing, trimming, merging

TEST_F(FxGridStructureTest, ClearRectTextOnlyKeepsProperties)
{
    Column({"a", "b"});
    grid->SetColors(1, 1, 0x123456);
    grid->SetClearTextOnly(true);
    grid->ClearRect(1, 1, 1, 1);
    EXPECT_EQ(grid->Cells(1, 1), "");
    EXPECT_EQ(grid->Colors(1, 1), fw::TColor(0x123456));
    grid->SetClearTextOnly(false);
    grid->SetCells(1, 1, "a");
    grid->ClearRect(1, 1, 1, 1);
    EXPECT_FALSE(grid->CellPropertiesAssigned(1, 1));
    EXPECT_EQ(grid->Cells(1, 2), "b");
}

TEST_F(FxGridStructureTest, TrimRemovesControlCharactersAndBlanks)
{
    Column({" \t a b \n", "x"});
    grid->TrimColumn(1);
    EXPECT_EQ(ColumnTexts(), (std::vector<QString>{"a b", "x"}));
}

TEST_F(FxGridStructureTest, MergeColumnCellsByContent)
{
    Column({"A", "A", "B", "B", "B", "C"}, 2);
    grid->SetFixedCols(0);
    grid->MergeColumnCells(1, true);
    EXPECT_EQ(grid->CellSpan(1, 1), fw::TPoint(0, 1));
    EXPECT_EQ(grid->CellSpan(1, 3), fw::TPoint(0, 2));
    EXPECT_FALSE(grid->IsMergedCell(1, 6));
    grid->SplitColumnCells(1);
    for (int r = 1; r <= 6; ++r)
        EXPECT_FALSE(grid->IsMergedCell(1, r)) << r;
}

// ---------------------------------------------------------------- calculations

TEST_F(FxGridStructureTest, ColumnAggregates)
{
    Column({"2", "x", "4"});
    EXPECT_DOUBLE_EQ(grid->ColumnSum(1, -1, -1), 6);
    EXPECT_DOUBLE_EQ(grid->ColumnAvg(1, -1, -1), 2);
    EXPECT_DOUBLE_EQ(grid->ColumnMax(1, -1, -1), 4);
    EXPECT_DOUBLE_EQ(grid->ColumnMin(1, -1, -1), 2);
    EXPECT_THROW(grid->ColumnStdDev(1, -1, -1), EFxGridError);
    Column({"x", "2"});
    EXPECT_THROW(grid->ColumnMin(1, -1, -1), EFxGridError);
    Column({"2", "4", "4", "4", "5", "5", "7", "9"});
    EXPECT_DOUBLE_EQ(grid->ColumnStdDev(1, -1, -1), 2);
    Column({"Apple", "apple", "pear", ""});
    EXPECT_DOUBLE_EQ(grid->ColumnDistinct(1, -1, -1), 3);
    // Empty cells are 0; an empty range is 0, not a division by zero.
    Column({"", "-3"});
    EXPECT_DOUBLE_EQ(grid->ColumnMax(1, -1, -1), 0);
    EXPECT_DOUBLE_EQ(grid->ColumnAvg(1, 2, 1), 0);
    EXPECT_DOUBLE_EQ(grid->ColumnStdDev(1, 2, 1), 0);
    EXPECT_DOUBLE_EQ(grid->RowAvg(1, 2, 1), 0);
}

// A grouped grid leaves its headers and summaries out (the grouping tests).
TEST_F(FxGridStructureTest, SumLeavesFooterRowsOutAndCountsNodeRowsOfAnUngroupedGrid)
{
    Column({"1", "2", "4", "100"});
    grid->SetFixedFooters(1);
    EXPECT_DOUBLE_EQ(grid->ColumnSum(1, -1, -1), 7);
    grid->SetFixedFooters(0);
    grid->AddNode(1, 2);
    EXPECT_DOUBLE_EQ(grid->ColumnSum(1, -1, -1), 107);
}

TEST_F(FxGridStructureTest, RowAggregatesSkipMergedCells)
{
    grid->SetColCount(5);
    grid->SetRowCount(2);
    for (int c = 1; c <= 4; ++c)
        grid->SetCells(c, 1, QString::number(c));
    grid->MergeCells(2, 1, 2, 1);
    EXPECT_DOUBLE_EQ(grid->RowSum(1, 1, 4), 7);
    EXPECT_DOUBLE_EQ(grid->RowMax(1, 1, 4), 4);
}

TEST_F(FxGridStructureTest, FooterCellsFollowTheirCalcType)
{
    std::vector<QString> texts;
    for (int i = 1; i <= 10; ++i)
        texts.push_back(QString::number(i));
    texts.push_back("");   // the footer row
    Column(texts, 4);
    grid->FloatingFooter().SetVisible(true);
    const int last = grid->RowCount() - 1;
    grid->GetCellProperties(1, last)->SetCalcType(acSUM);
    grid->GetCellProperties(2, last)->SetCalcType(acCOUNT);
    grid->GetCellProperties(3, last)->SetCalcType(acCUSTOM);
    grid->Events().OnFooterCalc = [](QObject*, int, int, QString& v) { v = "custom"; };
    grid->RecalcFooters();
    EXPECT_DOUBLE_EQ(grid->Floats(1, last), 55);
    EXPECT_EQ(grid->Cells(2, last), "10");
    EXPECT_EQ(grid->Cells(3, last), "custom");
    // With one hidden row counted, the footer's own cell stays out.
    grid->FloatingFooter().SetCalculateHiddenRows(true);
    grid->HideRow(3);
    grid->RecalcFooters();
    EXPECT_DOUBLE_EQ(grid->Floats(1, grid->RowCount() - 1), 55);
    grid->FloatingFooter().SetCalculateHiddenRows(false);
    grid->RecalcFooters();
    EXPECT_DOUBLE_EQ(grid->Floats(1, grid->RowCount() - 1), 52);
}

// ---------------------------------------------------------------- nodes

TEST_F(FxGridStructureTest, NodeLevelsSpanAndCurrentColumn)
{
    Column({"n", "a", "b", "c"});
    grid->SetCol(0);
    grid->AddNode(1, 3);
    EXPECT_TRUE(grid->IsNode(1));
    EXPECT_FALSE(grid->IsNode(-1));
    EXPECT_EQ(grid->GetNodeSpan(1), 3);
    EXPECT_EQ(grid->GetNodeLevel(1), 1);
    EXPECT_EQ(grid->GetNodeLevel(2), -1);
    EXPECT_EQ(grid->GridObjects(0, 3)->NodeLevel(), 1);
    EXPECT_FALSE(grid->CellPropertiesAssigned(0, 4));
    EXPECT_EQ(grid->Col(), 1);
    EXPECT_EQ(grid->GetParentRow(2), 1);
    EXPECT_EQ(grid->GetParentRow(1), 1);
    EXPECT_EQ(grid->GetParentRow(4), -1);
    grid->ContractNode(1);
    EXPECT_TRUE(grid->GetNodeState(1));
    EXPECT_EQ(ColumnTexts(), (std::vector<QString>{"n", "c"}));
    grid->ExpandNode(1);
    EXPECT_FALSE(grid->GetNodeState(1));
    EXPECT_EQ(ColumnTexts(), (std::vector<QString>{"n", "a", "b", "c"}));
}

TEST_F(FxGridStructureTest, SpanZeroReachesTheNextNode)
{
    Column({"n1", "a", "b", "n2", "c"});
    grid->AddNode(1, 0);
    grid->AddNode(4, 2);
    grid->ContractNode(1);
    EXPECT_EQ(ColumnTexts(), (std::vector<QString>{"n1", "n2", "c"}));
    grid->ExpandNode(1);
    grid->ContractAll();
    EXPECT_EQ(ColumnTexts(), (std::vector<QString>{"n1", "n2"}));
    grid->ExpandAll();
    EXPECT_EQ(ColumnTexts(), (std::vector<QString>{"n1", "a", "b", "n2", "c"}));
}

TEST_F(FxGridStructureTest, NestedNodesReopenTogether)
{
    Column({"outer", "inner", "i1", "i2", "o1", "after"});
    grid->AddNode(1, 5);
    grid->AddNode(2, 3);
    EXPECT_EQ(grid->GetNodeLevel(2), 2);
    EXPECT_EQ(grid->GetParentRow(3), 2);
    EXPECT_EQ(grid->GetParentRow(2), 1);
    grid->ContractNode(2);
    grid->ContractNode(1);
    EXPECT_EQ(ColumnTexts(), (std::vector<QString>{"outer", "after"}));
    grid->ExpandNode(1);
    EXPECT_EQ(ColumnTexts(), (std::vector<QString>{"outer", "inner", "i1", "i2", "o1", "after"}));
    EXPECT_FALSE(grid->GetNodeState(2));
}

TEST_F(FxGridStructureTest, RemoveAllNodesShowsEverythingAndRestoresLevels)
{
    Column({"outer", "inner", "i1", "o1", "after"});
    grid->AddNode(1, 4);
    grid->AddNode(2, 2);
    grid->ContractAll();
    grid->RemoveAllNodes();
    EXPECT_EQ(grid->NumHiddenRows(), 0);
    EXPECT_FALSE(grid->HasNodes());
    for (int r = 1; r <= 5; ++r) {
        EXPECT_FALSE(grid->IsNode(r)) << r;
        if (grid->CellPropertiesAssigned(0, r)) {
            EXPECT_EQ(grid->GridObjects(0, r)->NodeLevel(), 0) << r;
        }
    }
}

TEST_F(FxGridStructureTest, ChildRowsGrowAndShrinkTheirNodes)
{
    Column({"n", "a", "b", "after"});
    grid->AddNode(1, 3);
    grid->InsertChildRow(2, 1);
    EXPECT_EQ(grid->GetNodeSpan(1), 4);
    EXPECT_EQ(grid->GetSubNodeCount(1), 1);
    EXPECT_EQ(ColumnTexts(), (std::vector<QString>{"n", "a", "", "b", "after"}));
    EXPECT_EQ(grid->GridObjects(0, 3)->NodeLevel(), 1);
    grid->RemoveChildRow(3);
    EXPECT_EQ(grid->GetNodeSpan(1), 3);
    EXPECT_EQ(ColumnTexts(), (std::vector<QString>{"n", "a", "b", "after"}));
    // Removing rows takes their nodes out of the count.
    grid->RemoveRows(1, 1);
    EXPECT_FALSE(grid->HasNodes());
}

// ---------------------------------------------------------------- highlight, checks, fills, dates

TEST_F(FxGridStructureTest, HighlightTextRoundTrip)
{
    const QString s = "Grid and grid";
    EXPECT_EQ(grid->HilightText(false, s, "grid"), "<hi>Grid</hi> and <hi>grid</hi>");
    EXPECT_EQ(grid->HilightText(true, s, "grid"), "Grid and <hi>grid</hi>");
    EXPECT_EQ(grid->UnHilightText(grid->HilightText(false, s, "grid")), s);
    EXPECT_EQ(grid->UnMarkText(grid->MarkText(true, s, "and")), s);
}

TEST_F(FxGridStructureTest, HighlightInGridSkipsHeaderAndMergedCells)
{
    grid->SetColCount(3);
    grid->SetRowCount(3);
    for (int c = 0; c < 3; ++c)
        for (int r = 0; r < 3; ++r)
            grid->SetCells(c, r, "ab");
    grid->MergeCells(1, 1, 2, 1);
    grid->SetCells(2, 1, "ab");   // stored under the block, not shown
    grid->HilightInGrid(false, false, "a");
    EXPECT_EQ(grid->GridCells(1, 0), "ab");
    EXPECT_EQ(grid->GridCells(1, 1), "<hi>a</hi>b");
    EXPECT_EQ(grid->GridCells(2, 1), "ab");
    EXPECT_EQ(grid->GridCells(1, 2), "<hi>a</hi>b");
    grid->UnHilightInGrid(false);
    EXPECT_EQ(grid->GridCells(1, 1), "ab");
}

TEST_F(FxGridStructureTest, CheckingCells)
{
    Column({"a <e>b</e>", "c"});
    EXPECT_TRUE(grid->CheckGrid(false));
    EXPECT_EQ(grid->Cells(1, 1), "a <e>b</e>");
    TFxStringGridCheck checker;
    grid->SetCellChecker(&checker);
    EXPECT_TRUE(grid->CheckGrid(false));
    EXPECT_EQ(grid->Cells(1, 1), "a b");

    struct Upper : TFxStringGridCheck {
        QString Correct(int, int, const QString& v) override { return v.toUpper(); }
    } upper;
    upper.UseCorrect = true;
    grid->SetCellChecker(&upper);
    EXPECT_FALSE(grid->CheckCol(false, 1));
    EXPECT_EQ(ColumnTexts(), (std::vector<QString>{"A B", "C"}));
    EXPECT_TRUE(grid->CheckCol(false, 1));
}

TEST_F(FxGridStructureTest, Fills)
{
    grid->SetColCount(3);
    grid->SetRowCount(3);
    grid->LinearFill(false);
    EXPECT_EQ(grid->Cells(1, 1), "1:1");
    EXPECT_EQ(grid->Cells(2, 1), "2:1");
    EXPECT_EQ(grid->Cells(0, 0), "");
    grid->FormatFill(true, "%d-%d");
    EXPECT_EQ(grid->Cells(2, 1), "2-1");
    // A format that does not take two integers changes nothing.
    EXPECT_ANY_THROW(grid->FormatFill(true, "%s%s"));
    EXPECT_EQ(grid->Cells(2, 1), "2-1");
    grid->RandomFill(false, 0);
    EXPECT_EQ(grid->Cells(1, 1), "0");
    grid->RandomFill(false, 3);
    for (int c = 1; c < 3; ++c)
        for (int r = 1; r < 3; ++r) {
            const int v = grid->Ints(c, r);
            EXPECT_TRUE(v >= 0 && v < 3) << v;
        }
    grid->TextFill(true, "t");
    EXPECT_EQ(grid->Cells(0, 0), "t");
}

TEST_F(FxGridStructureTest, DatesAndTimes)
{
    grid->SetShowNullDates(false);
    grid->SetDates(1, 1, 0);
    EXPECT_EQ(grid->Cells(1, 1), "");
    grid->SetShowNullDates(true);
    grid->SetDates(1, 1, 0);
    EXPECT_EQ(grid->Cells(1, 1), fw::DateToStr(0));
    const fw::TDateTime day = fw::EncodeDate(2024, 2, 29);
    grid->SetDates(1, 1, day);
    EXPECT_DOUBLE_EQ(grid->Dates(1, 1), day);
    const fw::TDateTime t = fw::EncodeTime(13, 5, 7, 0);
    grid->SetTimes(1, 2, t);
    EXPECT_NEAR(grid->Times(1, 2), t, 1e-9);
    grid->SetCells(1, 3, "no date");
    EXPECT_ANY_THROW(grid->Dates(1, 3));
}

} // namespace
