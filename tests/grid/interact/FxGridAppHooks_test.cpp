// The application's table routines reach the grid through its events: the
// Enter walk through the key-press event and the header double-click
// auto-size through the cell double-click event.
#include "GridUi.h"

#include "grid/interact/FxInplaceEdit.h"

#include <gtest/gtest.h>

using gridui::Recorder;
using gridui::Window;

namespace {

// The Enter walk as the application's key-press routine does it: the next
// column, from the last column to column 1 of the next row, from the last
// row back to row 1; the key is swallowed.
void EnterWalk(TFxStringGrid& g, QChar& key)
{
    if (key.unicode() != 13)
        return;
    if (g.Col() > 0 && g.Row() > 0) {
        if (g.Col() < g.ColCount() - 1) {
            g.SetCol(g.Col() + 1);
        } else {
            g.SetCol(1);
            g.SetRow(g.Row() < g.RowCount() - 1 ? g.Row() + 1 : 1);
        }
    }
    key = QChar();
}

TEST(FxGridAppHooks, EnterWalkCommitsTheTypedValueAndMovesOn)
{
    Window w(true);
    TFxStringGrid& g = *w.grid;
    g.SetColCount(3);
    g.SetRowCount(3);
    Recorder rec(g);
    g.OnKeyPress = [&](QObject*, QChar& key) { EnterWalk(g, key); };
    g.SetCol(1);
    g.SetRow(1);
    // Row 1: type into both columns; the walk wraps to row 2, then the last
    // cell of the last row wraps to row 1.
    const struct {
        const char* text;
        int col, row;       // where the walk lands
    } steps[] = {{"10", 2, 1}, {"20", 1, 2}, {"30", 2, 2}, {"40", 1, 1}};
    for (const auto& s : steps) {
        w.type(s.text);
        w.key(Qt::Key_Return);
        EXPECT_EQ(g.Col(), s.col) << s.text;
        EXPECT_EQ(g.Row(), s.row) << s.text;
        EXPECT_FALSE(g.NormalEdit()->isVisible()) << s.text;
    }
    EXPECT_EQ(g.Cells(1, 1), "10");
    EXPECT_EQ(g.Cells(2, 1), "20");
    EXPECT_EQ(g.Cells(1, 2), "30");
    EXPECT_EQ(g.Cells(2, 2), "40");
    EXPECT_EQ(rec.log.count("EditingDone"), 4);
    EXPECT_EQ(rec.log.filter("EditCellDone").size(), 4);
    // Each edit is validated against its own cell.
    EXPECT_TRUE(rec.log.contains("CellValidate 1,2 30"));
}

TEST(FxGridAppHooks, WithoutTheWalkEnterClosesTheEditorInPlace)
{
    Window w;
    TFxStringGrid& g = *w.grid;
    g.SetCol(2);
    g.SetRow(2);
    w.type("5");
    w.key(Qt::Key_Return);
    EXPECT_EQ(g.Cells(2, 2), "5");
    EXPECT_EQ(g.Col(), 2);
    EXPECT_EQ(g.Row(), 2);
    EXPECT_FALSE(g.NormalEdit()->isVisible());
}

TEST(FxGridAppHooks, HeaderDoubleClickAutoSizesThroughTheCellDoubleClickEvent)
{
    Window w;
    TFxStringGrid& g = *w.grid;
    g.SetCells(2, 3, "a much longer text than the column is wide");
    const int before = g.ColWidths(2);
    QList<QPair<int, int>> seen;
    g.Events().OnDblClickCell = [&](QObject*, int ARow, int ACol) {
        seen.append({ARow, ACol});
        if (ARow == 0)
            g.AutoSizeCol(ACol, 0);
    };
    w.dblClick(w.at(2, 3));   // a data cell: no size change
    EXPECT_EQ(g.ColWidths(2), before);
    w.dblClick(w.at(2, 0, 20, 4));
    EXPECT_GT(g.ColWidths(2), before);
    ASSERT_EQ(seen.size(), 2);
    EXPECT_EQ(seen[0], qMakePair(3, 2));
    EXPECT_EQ(seen[1], qMakePair(0, 2));
}

} // namespace
