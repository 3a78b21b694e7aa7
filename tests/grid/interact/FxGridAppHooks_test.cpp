// The application's table routines reach the grid through its events: the
// Enter walk (Opt_Jump_Field) through the key-press event and the header
// double-click auto-size (Opt_DblClick_AutoSize) through the cell
// double-click event, wired as the table windows wire them.
#include "GridUi.h"

#include "app/services/UComon.h"
#include "app/services/UTableRows.h"
#include "grid/foundation/FxOptions.h"
#include "grid/interact/FxGridEditors.h"
#include "grid/interact/FxInplaceEdit.h"

#include <gtest/gtest.h>

using gridui::Recorder;
using gridui::Window;

namespace {

// Sets an application option for one test and puts it back.
class OptionFlag {
public:
    OptionFlag(bool& flag, bool value) : m_flag(flag), m_saved(flag) { m_flag = value; }
    ~OptionFlag() { m_flag = m_saved; }
    OptionFlag(const OptionFlag&) = delete;
    OptionFlag& operator=(const OptionFlag&) = delete;

private:
    bool& m_flag;
    bool m_saved;
};

void WireAsTableWindow(TFxStringGrid& g)
{
    g.OnKeyPress = [&g](QObject*, QChar& key) { Grid_Enter_Next_Cell(&g, key); };
    g.Events().OnDblClickCell = [&g](QObject*, int row, int col) { Grid_DblClick_AutoSize(&g, row, col); };
}

TEST(FxGridAppHooks, EnterWalkCommitsTheTypedValueAndMovesOn)
{
    OptionFlag jump(Opt_Jump_Field, true);
    Window w(true);
    TFxStringGrid& g = *w.grid;
    g.SetColCount(3);
    g.SetRowCount(3);
    Recorder rec(g);
    WireAsTableWindow(g);
    g.SetCol(1);
    g.SetRow(1);
    // The walk goes to the next column, from the last column to column 1 of
    // the next row, and from the last row back to row 1.
    const struct {
        const char* text;
        int col, row;   // where the walk lands
    } steps[] = {{"10", 2, 1}, {"20", 1, 2}, {"30", 2, 2}, {"40", 1, 1}};
    for (const auto& s : steps) {
        w.type(s.text);
        w.key(Qt::Key_Return);
        EXPECT_EQ(g.Col(), s.col) << s.text;
        EXPECT_EQ(g.Row(), s.row) << s.text;
        EXPECT_FALSE(g.NormalEdit()->isVisible()) << s.text;
        EXPECT_EQ(w.focus(), &g) << s.text;
    }
    EXPECT_EQ(g.Cells(1, 1), "10");
    EXPECT_EQ(g.Cells(2, 1), "20");
    EXPECT_EQ(g.Cells(1, 2), "30");
    EXPECT_EQ(g.Cells(2, 2), "40");
    EXPECT_EQ(rec.log.count("EditingDone"), 4);
    EXPECT_EQ(rec.log.filter("EditCellDone").size(), 4);
    // Each edit is validated against its own cell.
    EXPECT_TRUE(rec.log.contains("CellValidate 1,2 30"));
    // Enter without an edit walks as well.
    w.key(Qt::Key_Return);
    EXPECT_EQ(g.Col(), 2);
    EXPECT_EQ(g.Row(), 1);
}

TEST(FxGridAppHooks, WithoutTheOptionEnterClosesTheEditorInPlace)
{
    OptionFlag jump(Opt_Jump_Field, false);
    Window w;
    TFxStringGrid& g = *w.grid;
    WireAsTableWindow(g);
    g.SetCol(2);
    g.SetRow(2);
    w.type("5");
    w.key(Qt::Key_Return);
    EXPECT_EQ(g.Cells(2, 2), "5");
    EXPECT_EQ(g.Col(), 2);
    EXPECT_EQ(g.Row(), 2);
    EXPECT_FALSE(g.NormalEdit()->isVisible());
}

// A refused value stays in the open editor: the walk does not run.
TEST(FxGridAppHooks, ARefusedValueKeepsTheEditorAndTheWalkWaits)
{
    OptionFlag jump(Opt_Jump_Field, true);
    Window w;
    TFxStringGrid& g = *w.grid;
    WireAsTableWindow(g);
    g.Events().OnCellValidate = [](QObject*, int, int, QString& v, bool& valid) { valid = v != "bad"; };
    g.SetCol(2);
    g.SetRow(2);
    w.type("bad");
    w.key(Qt::Key_Return);
    EXPECT_EQ(g.Col(), 2);
    EXPECT_EQ(g.Row(), 2);
    ASSERT_TRUE(g.NormalEdit()->isVisible());
    EXPECT_EQ(g.Cells(2, 2), "");
    g.NormalEdit()->SetText(QString());
    w.type("ok");
    w.key(Qt::Key_Return);
    EXPECT_EQ(g.Cells(2, 2), "ok");
    EXPECT_EQ(g.Col(), 3);
}

// A combo column walks on Enter as a text column does; a refused choice
// keeps the combo open and the walk waits.
TEST(FxGridAppHooks, EnterWalkLeavesAComboCellToo)
{
    for (bool valid : {true, false}) {
        OptionFlag jump(Opt_Jump_Field, true);
        Window w(true);
        TFxStringGrid& g = *w.grid;
        static_cast<TFxColumnGrid&>(g).Columns()[2]->SetEditor(edComboList);
        g.Events().OnGetEditorType = [](QObject* s, int c, int, TEditorType&) {
            if (c == 2) {
                auto* grid = static_cast<TFxStringGrid*>(s);
                grid->ClearComboString();
                grid->AddComboString("Off");
                grid->AddComboString("On");
            }
        };
        g.Events().OnCellValidate = [valid](QObject*, int, int, QString&, bool& ok) { ok = valid; };
        WireAsTableWindow(g);
        g.SetCells(2, 1, "Off");
        g.SetCol(2);
        g.SetRow(1);
        w.key(Qt::Key_F2);
        ASSERT_TRUE(g.Combobox().isVisible());
        w.key(Qt::Key_Down);
        w.key(Qt::Key_Return);
        EXPECT_EQ(g.Cells(2, 1), valid ? "On" : "Off") << valid;
        EXPECT_EQ(g.Col(), valid ? 3 : 2) << valid;
        EXPECT_EQ(g.Row(), 1) << valid;
        EXPECT_EQ(g.Combobox().isVisible(), !valid) << valid;
    }
}

// A double click on a header cell fits the column with the option; a data
// cell or the option off leaves it. The grid reports the row first.
struct DblClickCase {
    const char* name;
    bool option;
    int row;
    bool sized;
};

class FxGridAppDblClick : public ::testing::TestWithParam<DblClickCase> {};

TEST_P(FxGridAppDblClick, HeaderDoubleClickAutoSizesThroughTheCellDoubleClickEvent)
{
    const DblClickCase& k = GetParam();
    OptionFlag autoSize(Opt_DblClick_AutoSize, k.option);
    Window w(true);
    TFxStringGrid& g = *w.grid;
    WireAsTableWindow(g);
    g.SetCells(2, 3, "a much longer text than the column is wide");
    const int before = g.ColWidths(2);
    w.dblClick(w.at(2, k.row, 20, 4));
    EXPECT_EQ(g.ColWidths(2) > before, k.sized);
}

INSTANTIATE_TEST_SUITE_P(Table, FxGridAppDblClick,
                         ::testing::Values(DblClickCase{"header_with_option", true, 0, true},
                                           DblClickCase{"header_without_option", false, 0, false},
                                           DblClickCase{"data_cell_with_option", true, 3, false}),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
