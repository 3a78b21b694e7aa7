// Keys and the current cell: Tab over tab stops, arrows at the grid's
// edges, the advance after an edit, with read-only, merged and hidden cells.
#include "GridUi.h"

#include "grid/foundation/FxOptions.h"
#include "grid/interact/FxInplaceEdit.h"

#include <QLineEdit>

#include <gtest/gtest.h>

#include <functional>

using gridui::Window;

namespace {

// 5 columns (1 fixed) by 6 rows (1 fixed), goEditing and goTabs on.
struct NavCase {
    const char* name;
    std::function<void(TFxStringGrid&)> setup;
    int fromCol, fromRow;
    Qt::Key key;
    Qt::KeyboardModifiers mods;
    int toCol, toRow;
};

void ReadOnlyColumn(TFxStringGrid& g, int col)
{
    g.Events().OnCanEditCell = [col](QObject*, int, int ACol, bool& can) {
        if (ACol == col)
            can = false;
    };
}

class FxGridNavigation : public ::testing::TestWithParam<NavCase> {};

TEST_P(FxGridNavigation, KeyMovesTheCurrentCell)
{
    const NavCase& k = GetParam();
    Window w;
    TFxStringGrid& g = *w.grid;
    g.SetOptions(g.Options() | fw::goTabs);
    g.Navigation().SetAdvanceAutoEdit(false);
    if (k.setup)
        k.setup(g);
    g.SetCol(k.fromCol);
    g.SetRow(k.fromRow);
    ASSERT_EQ(g.Col(), k.fromCol);
    ASSERT_EQ(g.Row(), k.fromRow);
    w.key(k.key, k.mods);
    EXPECT_EQ(g.Col(), k.toCol);
    EXPECT_EQ(g.Row(), k.toRow);
}

const auto none = Qt::NoModifier;

INSTANTIATE_TEST_SUITE_P(
    Table, FxGridNavigation,
    ::testing::Values(
        NavCase{"tab_next_column", nullptr, 1, 1, Qt::Key_Tab, none, 2, 1},
        NavCase{"tab_wraps_to_next_row", nullptr, 4, 1, Qt::Key_Tab, none, 1, 2},
        NavCase{"tab_last_cell_to_first_row", nullptr, 4, 5, Qt::Key_Tab, none, 1, 1},
        NavCase{"backtab_first_cell_to_last", nullptr, 1, 1, Qt::Key_Backtab, Qt::ShiftModifier, 4, 5},
        NavCase{"tab_skips_read_only", [](TFxStringGrid& g) { ReadOnlyColumn(g, 2); }, 1, 1, Qt::Key_Tab, none, 3, 1},
        NavCase{"tab_passes_a_merged_block", [](TFxStringGrid& g) { g.MergeCells(1, 1, 2, 1); }, 1, 1,
                Qt::Key_Tab, none, 3, 1},
        NavCase{"tab_over_hidden_column", [](TFxStringGrid& g) { g.HideColumn(2); }, 2, 1, Qt::Key_Tab, none, 3,
                1},
        // Fixed right columns are no tab stops, though their cells edit:
        // Tab wraps before them, counted among the columns shown.
        NavCase{"tab_wraps_before_a_fixed_right_column", [](TFxStringGrid& g) { g.SetFixedRightCols(1); }, 3, 1,
                Qt::Key_Tab, none, 1, 2},
        NavCase{"tab_before_a_fixed_right_column_on_the_last_row", [](TFxStringGrid& g) { g.SetFixedRightCols(1); },
                3, 5, Qt::Key_Tab, none, 1, 1},
        NavCase{"backtab_wraps_to_before_a_fixed_right_column", [](TFxStringGrid& g) { g.SetFixedRightCols(1); }, 1,
                2, Qt::Key_Backtab, Qt::ShiftModifier, 3, 1},
        NavCase{"tab_before_a_fixed_right_column_after_a_hidden_column",
                [](TFxStringGrid& g) {
                    g.SetFixedRightCols(1);
                    g.HideColumn(2);
                },
                2, 1, Qt::Key_Tab, none, 1, 2},
        NavCase{"tab_down_a_column",
                [](TFxStringGrid& g) { g.Navigation().SetTabAdvanceDirection(adTopBottom); }, 1, 5, Qt::Key_Tab,
                none, 2, 1},
        NavCase{"tab_with_no_editable_cell_stays",
                [](TFxStringGrid& g) {
                    g.Events().OnCanEditCell = [](QObject*, int, int, bool& can) { can = false; };
                },
                2, 2, Qt::Key_Tab, none, 2, 2},
        NavCase{"right_at_edge_default", nullptr, 4, 1, Qt::Key_Right, none, 4, 1},
        NavCase{"right_at_edge_snake", [](TFxStringGrid& g) { g.Navigation().SetCursorAdvance(caSnake); }, 4, 1,
                Qt::Key_Right, none, 1, 2},
        NavCase{"right_at_edge_loop", [](TFxStringGrid& g) { g.Navigation().SetCursorAdvance(caLoop); }, 4, 1,
                Qt::Key_Right, none, 1, 1},
        NavCase{"down_at_edge_loop", [](TFxStringGrid& g) { g.Navigation().SetCursorAdvance(caLoop); }, 3, 5,
                Qt::Key_Down, none, 3, 1},
        NavCase{"left_into_fixed_looking_cell_skips",
                [](TFxStringGrid& g) {
                    g.Events().OnIsFixedCell = [](QObject*, int, int ACol, bool& f) { f = f || ACol == 2; };
                },
                3, 2, Qt::Key_Left, none, 1, 2},
        NavCase{"home_goes_to_first_column", nullptr, 4, 3, Qt::Key_Home, none, 1, 3},
        NavCase{"ctrl_home_first_row_first_column", nullptr, 4, 3, Qt::Key_Home, Qt::ControlModifier, 1, 1},
        NavCase{"end_goes_to_last_column", nullptr, 1, 3, Qt::Key_End, none, 4, 3},
        // Tab on the last cell appends a row with AdvanceInsert.
        NavCase{"tab_at_the_end_appends_a_row", [](TFxStringGrid& g) { g.Navigation().SetAdvanceInsert(true); }, 4,
                5, Qt::Key_Tab, none, 1, 6},
        // A disabled row is passed over (SkipDisabledRows is on by default).
        NavCase{"down_over_a_disabled_row", [](TFxStringGrid& g) { g.SetRowEnabled(3, false); }, 2, 2,
                Qt::Key_Down, none, 2, 4},
        NavCase{"up_over_a_disabled_row", [](TFxStringGrid& g) { g.SetRowEnabled(3, false); }, 2, 4, Qt::Key_Up,
                none, 2, 2},
        NavCase{"down_onto_a_disabled_row_without_skipping",
                [](TFxStringGrid& g) {
                    g.SetRowEnabled(3, false);
                    g.Navigation().SetSkipDisabledRows(false);
                },
                2, 2, Qt::Key_Down, none, 2, 3}),
    [](const auto& info) { return std::string(info.param.name); });

// Enter after an edit, with AdvanceOnEnter, by direction and at the end.
struct AdvanceCase {
    const char* name;
    std::function<void(TFxStringGrid&)> setup;
    int fromCol, fromRow;
    int toCol, toRow;
    int rowCount;
};

class FxGridAdvance : public ::testing::TestWithParam<AdvanceCase> {};

TEST_P(FxGridAdvance, EnterAfterTypingMovesOn)
{
    const AdvanceCase& k = GetParam();
    Window w;
    TFxStringGrid& g = *w.grid;
    g.Navigation().SetAdvanceOnEnter(true);
    g.Navigation().SetAdvanceAutoEdit(false);
    if (k.setup)
        k.setup(g);
    g.SetCol(k.fromCol);
    g.SetRow(k.fromRow);
    w.type("7");
    w.key(Qt::Key_Return);
    EXPECT_EQ(g.Cells(g.RealColIndex(k.fromCol), k.fromRow), "7");
    EXPECT_EQ(g.Col(), k.toCol);
    EXPECT_EQ(g.Row(), k.toRow);
    EXPECT_EQ(g.RowCount(), k.rowCount);
}

INSTANTIATE_TEST_SUITE_P(
    Table, FxGridAdvance,
    ::testing::Values(
        AdvanceCase{"left_right", nullptr, 2, 2, 3, 2, 6},
        AdvanceCase{"left_right_wraps_row", nullptr, 4, 2, 1, 3, 6},
        AdvanceCase{"left_right_last_cell_loops", nullptr, 4, 5, 1, 1, 6},
        AdvanceCase{"top_bottom", [](TFxStringGrid& g) { g.Navigation().SetAdvanceDirection(adTopBottom); }, 2, 2,
                    2, 3, 6},
        AdvanceCase{"in_row_stays_without_loop",
                    [](TFxStringGrid& g) {
                        g.Navigation().SetAdvanceDirection(adLeftRightInRow);
                        g.Navigation().SetAdvanceOnEnterLoop(false);
                    },
                    4, 2, 4, 2, 6},
        AdvanceCase{"skips_read_only", [](TFxStringGrid& g) { ReadOnlyColumn(g, 3); }, 2, 2, 4, 2, 6},
        AdvanceCase{"insert_appends_a_row", [](TFxStringGrid& g) { g.Navigation().SetAdvanceInsert(true); }, 4, 5,
                    1, 6, 7},
        AdvanceCase{"insert_into_read_only_row_stays",
                    [](TFxStringGrid& g) {
                        g.Navigation().SetAdvanceInsert(true);
                        g.Events().OnCanEditCell = [](QObject*, int ARow, int, bool& can) { can = ARow < 6; };
                    },
                    4, 5, 4, 5, 7},
        AdvanceCase{"nothing_else_editable_stays",
                    [](TFxStringGrid& g) {
                        g.Events().OnCanEditCell = [](QObject*, int ARow, int ACol, bool& can) {
                            can = ARow == 2 && ACol == 2;
                        };
                    },
                    2, 2, 2, 2, 6}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(FxGridNavigationEdit, TabInsideTheEditorValidatesAndMovesToTheNextTabStop)
{
    Window w;
    TFxStringGrid& g = *w.grid;
    g.SetOptions(g.Options() | fw::goTabs);
    ReadOnlyColumn(g, 2);
    g.SetCol(1);
    g.SetRow(1);
    w.type("ab");
    w.key(Qt::Key_Tab);
    EXPECT_EQ(g.Cells(1, 1), "ab");
    EXPECT_EQ(g.Col(), 3);
    // AdvanceAutoEdit opens the next editor as a click would.
    ASSERT_TRUE(g.NormalEdit());
    EXPECT_TRUE(g.NormalEdit()->isVisible());
    w.type("c");
    w.key(Qt::Key_Escape);
    EXPECT_EQ(g.Cells(3, 1), "");
}

TEST(FxGridNavigationEdit, TabLeavesTheGridWithoutGoTabsOrValidation)
{
    Window w;
    TFxStringGrid& g = *w.grid;
    auto* next = new QWidget(w.form.get());
    next->setFocusPolicy(Qt::StrongFocus);
    next->show();
    g.SetCol(1);
    g.SetRow(1);
    w.key(Qt::Key_Tab);
    EXPECT_EQ(w.focus(), next);
    EXPECT_EQ(g.Col(), 1);
}

TEST(FxGridNavigationEdit, CtrlDownMovesTheSelectedRowsWithCursorMoveRows)
{
    Window w;
    TFxStringGrid& g = *w.grid;
    g.Navigation().SetCursorMoveRows(true);
    for (int r = 1; r < 6; ++r)
        g.SetCells(1, r, QString::number(r));
    g.SetCol(1);
    g.SetRow(2);
    w.key(Qt::Key_Down, Qt::ControlModifier);
    EXPECT_EQ(g.Cells(1, 2), "3");
    EXPECT_EQ(g.Cells(1, 3), "2");
    EXPECT_EQ(g.Row(), 3);
    g.SetRow(5);
    w.key(Qt::Key_Down, Qt::ControlModifier);   // the last row stays
    EXPECT_EQ(g.Cells(1, 5), "5");
}

} // namespace

namespace {

// With AlwaysEdit an arrow key opens the editor on the cell it reaches.
TEST(FxGridNavigationAlwaysEdit, AnArrowOpensTheEditorOnTheNewCell)
{
    for (bool always : {true, false}) {
        Window w;
        TFxStringGrid& g = *w.grid;
        g.Navigation().SetAlwaysEdit(always);
        g.SetCells(2, 3, "next");
        g.SetCol(2);
        g.SetRow(2);
        w.key(Qt::Key_Down);
        EXPECT_EQ(g.Row(), 3);
        const bool open = g.NormalEdit() && g.NormalEdit()->isVisible();
        EXPECT_EQ(open, always);
        if (open)
            EXPECT_EQ(g.NormalEdit()->Text(), "next");
    }
}

} // namespace

namespace {

// With TabToNextAtEnd, Tab on the last cell leaves the grid for the next
// control of the window; the grid's current cell goes back to the first row.
TEST(FxGridNavigationTabOut, TabOnTheLastCellGoesToTheNextControl)
{
    Window w;
    TFxStringGrid& g = *w.grid;
    g.SetOptions(g.Options() | fw::goTabs);
    g.Navigation().SetTabToNextAtEnd(true);
    g.Navigation().SetAdvanceAutoEdit(false);
    auto* next = new QLineEdit(w.form.get());
    next->setGeometry(0, 0, 10, 10);
    next->show();
    g.SetCol(4);
    g.SetRow(5);
    w.key(Qt::Key_Tab);
    w.settle();
    EXPECT_EQ(w.focus(), next);
    EXPECT_EQ(g.Row(), 1);
    EXPECT_EQ(g.RowCount(), 6);
}

// A row-select grid wider than its window scrolls sideways on Left and
// Right; with LeftRightRowSelect that takes Ctrl.
TEST(FxGridNavigationRowSelect, LeftAndRightScrollARowSelectGridSideways)
{
    for (bool leftRight : {false, true}) {
        Window w;
        TFxStringGrid& g = *w.grid;
        g.SetColCount(30);
        g.SetOptions((g.Options() & ~fw::TGridOptions(fw::goEditing)) | fw::goRowSelect);
        g.Navigation().SetLeftRightRowSelect(leftRight);
        g.SetRow(2);
        ASSERT_EQ(g.LeftCol(), 1);
        int downs = 0;
        g.OnKeyDown = [&](QObject*, int& key, fw::TShiftState) { downs += key == fw::VK_RIGHT; };
        w.key(Qt::Key_Right, leftRight ? Qt::ControlModifier : Qt::NoModifier);
        EXPECT_EQ(g.LeftCol(), 2) << leftRight;
        EXPECT_EQ(g.Row(), 2) << leftRight;
        EXPECT_EQ(downs, 1) << leftRight;
        w.key(Qt::Key_Left, leftRight ? Qt::ControlModifier : Qt::NoModifier);
        EXPECT_EQ(g.LeftCol(), 1) << leftRight;
    }
}

} // namespace
