// The selection check: editing switched per cell, vetoes, merged blocks,
// and the wheel.
#include "GridUi.h"

#include "grid/foundation/FxOptions.h"
#include "grid/interact/FxInplaceEdit.h"

#include <gtest/gtest.h>

using gridui::Window;

namespace {

TEST(FxGridSelect, ReadOnlyCellsSwitchEditingOffAndEditableOnesBackOn)
{
    Window w(true);
    auto& g = static_cast<TFxColumnGrid&>(*w.grid);
    g.Columns()[2]->SetReadOnly(true);
    g.SetCol(1);
    g.SetRow(1);
    ASSERT_TRUE(g.Options() & fw::goEditing);
    w.key(Qt::Key_Right);
    EXPECT_EQ(g.Col(), 2);
    EXPECT_FALSE(g.Options() & fw::goEditing);
    w.type("x");
    EXPECT_EQ(g.Cells(2, 1), "");
    w.key(Qt::Key_Right);
    EXPECT_TRUE(g.Options() & fw::goEditing);
    w.type("y");
    EXPECT_EQ(g.Cells(3, 1), "y");
}

// Each changing event can keep the current cell where it is.
struct VetoCase {
    const char* name;
    bool row, col, cell;   // which handler refuses
    int toCol, toRow;
};

class FxGridVeto : public ::testing::TestWithParam<VetoCase> {};

TEST_P(FxGridVeto, ChangingEventsRefuseTheMove)
{
    const VetoCase& k = GetParam();
    Window w;
    TFxStringGrid& g = *w.grid;
    g.SetCol(1);
    g.SetRow(1);
    QStringList seen;
    g.Events().OnRowChanging = [&](QObject*, int o, int n, bool& allow) {
        seen << QStringLiteral("row %1>%2").arg(o).arg(n);
        allow = allow && !k.row;
    };
    g.Events().OnColChanging = [&](QObject*, int o, int n, bool& allow) {
        seen << QStringLiteral("col %1>%2").arg(o).arg(n);
        allow = allow && !k.col;
    };
    g.Events().OnCellChanging = [&](QObject*, int orow, int ocol, int nrow, int ncol, bool& allow) {
        seen << QStringLiteral("cell %1,%2>%3,%4").arg(orow).arg(ocol).arg(nrow).arg(ncol);
        allow = allow && !k.cell;
    };
    w.click(w.at(3, 2));
    EXPECT_EQ(g.Col(), k.toCol);
    EXPECT_EQ(g.Row(), k.toRow);
    // Rows and columns before the cell event; the cell event takes rows first.
    const QStringList expected{"row 1>2", "col 1>3", "cell 1,1>2,3"};
    EXPECT_EQ(seen, expected);
}

INSTANTIATE_TEST_SUITE_P(Table, FxGridVeto,
                         ::testing::Values(VetoCase{"none", false, false, false, 3, 2},
                                           VetoCase{"row", true, false, false, 1, 1},
                                           VetoCase{"col", false, true, false, 1, 1},
                                           VetoCase{"cell", false, false, true, 1, 1}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(FxGridSelect, AClickInsideAMergedBlockMakesItsBaseCellCurrent)
{
    Window w;
    TFxStringGrid& g = *w.grid;
    g.MergeCells(2, 2, 2, 2);
    g.SetOptions(g.Options() & ~fw::TGridOptions(fw::goRangeSelect));
    const fw::TRect r = g.CellRect(2, 2);
    w.click(QPoint(r.Right - 5, r.Bottom - 5));
    EXPECT_EQ(g.Col(), 2);
    EXPECT_EQ(g.Row(), 2);
}

TEST(FxGridSelect, EditOnDblClickOnlyEditsByDoubleClickAndEndsEditingAfter)
{
    Window w;
    TFxStringGrid& g = *w.grid;
    g.MouseActions().SetEditOnDblClickOnly(true);
    g.SetOptions(g.Options() & ~fw::TGridOptions(fw::goEditing));
    // A click on the current cell, which opens the editor elsewhere, does not.
    w.click(w.at(2, 2));
    w.click(w.at(2, 2));
    EXPECT_FALSE(g.NormalEdit() && g.NormalEdit()->isVisible());
    w.dblClick(w.at(2, 2));
    ASSERT_TRUE(g.NormalEdit());
    EXPECT_TRUE(g.NormalEdit()->isVisible());
    w.type("ok");
    w.key(Qt::Key_Return);
    EXPECT_EQ(g.Cells(2, 2), "ok");
    // The edit-done message switches editing off again.
    EXPECT_FALSE(g.Options() & fw::goEditing);
}

// RangeSelectAndEdit: a click selects, a double click edits the cell (the
// editor holds its text), but only a cell that may be edited.
TEST(FxGridSelect, RangeSelectAndEditOpensTheEditorOnADoubleClick)
{
    Window w;
    TFxStringGrid& g = *w.grid;
    g.SetOptions((g.Options() & ~fw::TGridOptions(fw::goEditing)) | fw::goRangeSelect);
    g.MouseActions().SetRangeSelectAndEdit(true);
    g.Events().OnCanEditCell = [](QObject*, int r, int, bool& can) { can = r != 4; };
    g.SetCells(2, 3, "abc");
    g.SetCells(2, 4, "fixed");
    g.SetCol(1);
    g.SetRow(1);
    // A user's double click is a click, then the double click.
    w.click(w.at(2, 4));
    w.dblClick(w.at(2, 4));
    EXPECT_FALSE(g.NormalEdit() && g.NormalEdit()->isVisible());
    EXPECT_FALSE(g.Options() & fw::goEditing);
    w.click(w.at(2, 3));
    EXPECT_FALSE(g.NormalEdit() && g.NormalEdit()->isVisible());
    w.dblClick(w.at(2, 3));
    ASSERT_TRUE(g.NormalEdit());
    EXPECT_TRUE(g.NormalEdit()->isVisible());
    EXPECT_EQ(g.NormalEdit()->Text(), "abc");
    EXPECT_EQ(g.Col(), 2);
    EXPECT_EQ(g.Row(), 3);
    w.key(Qt::Key_End);
    w.type("d");
    w.key(Qt::Key_Return);
    EXPECT_EQ(g.Cells(2, 3), "abcd");
}

// The wheel: rows per notch, moving the current row or scrolling.
TEST(FxGridWheel, MovesTheCurrentRowOrScrollsByTheIncrement)
{
    for (TWheelAction action : {waMoveSelection, waScroll}) {
        Window w;
        TFxStringGrid& g = *w.grid;
        g.SetRowCount(100);
        g.MouseActions().SetWheelIncrement(2);
        g.MouseActions().SetWheelAction(action);
        g.SetRow(10);
        const int top = g.TopRow();
        g.Perform(fw::WM_MOUSEWHEEL, fw::MakeWParam(0, -fw::WHEEL_DELTA), 0);
        if (action == waMoveSelection) {
            EXPECT_EQ(g.Row(), 12);
        } else {
            EXPECT_EQ(g.Row(), 10);
            EXPECT_EQ(g.TopRow(), top + 2);
        }
        g.SetEnableWheel(false);
        g.Perform(fw::WM_MOUSEWHEEL, fw::MakeWParam(0, -fw::WHEEL_DELTA), 0);
        EXPECT_EQ(g.Row(), action == waMoveSelection ? 12 : 10);
    }
}

} // namespace

#include "grid/paint/FxFloatingFooter.h"

namespace {

// The floating footer lies over the grid's bottom: the cell that becomes
// current is scrolled up above it; in the fixed-last-row style the last
// row is the footer's and never becomes current.
struct FooterCase {
    const char* name;
    TFooterStyle style;
    int lastCurrentRow;     // rows from the end: 1 the last row
};

class FxGridFloatingFooterSelect : public ::testing::TestWithParam<FooterCase> {};

TEST_P(FxGridFloatingFooterSelect, CurrentCellStaysAboveTheFooter)
{
    const FooterCase& k = GetParam();
    Window w;
    TFxStringGrid& g = *w.grid;
    g.SetOptions(g.Options() & ~fw::TGridOptions(fw::goEditing));
    g.SetRowCount(40);
    g.FloatingFooter().SetFooterStyle(k.style);
    g.FloatingFooter().SetHeight(60);
    g.FloatingFooter().SetVisible(true);
    w.settle();
    g.SetCol(1);
    g.SetRow(1);
    const int footerTop = g.ClientHeight() - g.FloatingFooter().Height() + 2;
    // Down, one row at a time, to the end.
    for (int i = 0; i < 45; ++i) {
        w.key(Qt::Key_Down);
        EXPECT_LE(g.CellRect(1, g.Row()).Bottom, footerTop) << "row " << g.Row();
    }
    EXPECT_EQ(g.Row(), g.RowCount() - k.lastCurrentRow);
    // Ctrl+End, and a direct move to the last row, from the top.
    g.SetRow(1);
    w.key(Qt::Key_End, Qt::ControlModifier);
    EXPECT_EQ(g.Row(), g.RowCount() - k.lastCurrentRow);
    EXPECT_LE(g.CellRect(g.Col(), g.Row()).Bottom, footerTop);
    g.SetCol(1);
    g.SetRow(5);
    g.SetRow(g.RowCount() - 1);
    EXPECT_EQ(g.Row(), g.RowCount() - k.lastCurrentRow);
    EXPECT_LE(g.CellRect(1, g.Row()).Bottom, footerTop);
}

// Delete on the last data row of a grid with a footer row: the current row
// is the new last data row, never the footer's.
TEST(FxGridFloatingFooterSelect, DeleteOnTheLastDataRowLeavesTheCurrentRowAboveTheFooterRow)
{
    Window w;
    TFxStringGrid& g = *w.grid;
    g.SetOptions(g.Options() & ~fw::TGridOptions(fw::goEditing));
    g.FloatingFooter().SetFooterStyle(fsFixedLastRow);
    g.FloatingFooter().SetVisible(true);
    g.Navigation().SetAllowDeleteRow(true);
    for (int r = 1; r < g.RowCount() - 1; ++r)
        g.SetCells(1, r, QString::number(r));
    g.SetCol(1);
    g.SetRow(g.RowCount() - 2);
    ASSERT_EQ(g.Cells(1, g.Row()), "4");
    w.key(Qt::Key_Delete);
    EXPECT_EQ(g.RowCount(), 5);
    EXPECT_EQ(g.Row(), 3);
    EXPECT_EQ(g.Cells(1, g.Row()), "3");
}

INSTANTIATE_TEST_SUITE_P(Table, FxGridFloatingFooterSelect,
                         ::testing::Values(FooterCase{"fixed_last_row", fsFixedLastRow, 2},
                                           FooterCase{"column_preview", fsColumnPreview, 1}),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
