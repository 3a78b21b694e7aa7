// The grid's keys while its search bar shows: the bar lies over the last
// rows, so the current cell never ends up under it; at the end of the grid
// the keys that would leave the last cell keep it, and other keys leave the
// view where it is. The bar's accelerators and Ctrl+F reach it from the grid.
#include "GridUi.h"

#include "grid/foundation/FxOptions.h"
#include "grid/interact/FxInplaceEdit.h"
#include "grid/paint/FxSearchPanel.h"
#include "support/TestSupport.h"

#include <QWheelEvent>

#include <gtest/gtest.h>

#include <functional>
#include <vector>

using gridui::Window;

namespace {

constexpr int kRows = 30;

struct FooterWindow : Window {
    FooterWindow()
    {
        grid->SetRowCount(kRows);
        for (int r = 1; r < kRows; ++r)
            grid->SetCells(2, r, r % 10 == 0 ? QStringLiteral("hit") : QStringLiteral("x"));
        grid->SearchFooter().SetFindNextCaption(QStringLiteral("Find &next"));
        grid->SearchFooter().SetFindPrevCaption(QStringLiteral("Find &previous"));
        grid->SearchFooter().SetVisible(true);
        settle();
    }
    // The bar's top edge in the grid's client; a cell may reach 2 pixels into it.
    int barTop() const { return grid->ClientHeight() - grid->SearchPanel().PanelHeight(); }
    bool covered(int c, int r) const { return grid->CellRect(c, r).Bottom > barTop() + 2; }
    bool currentCovered() const { return covered(grid->Col(), grid->Row()); }
};

struct Key {
    Qt::Key key;
    Qt::KeyboardModifiers mods = Qt::NoModifier;
};

struct FooterCase {
    const char* name;
    bool startAtEnd;         // on the last row, scrolled to the end; else cell (1, 1) at the top
    int startCol;
    std::vector<Key> keys;
    int col, row;            // the current cell afterwards
    bool viewStays;          // TopRow as before the keys
    QList<int> keyDowns;     // OnKeyDown codes, when checked
};

class FxGridSearchFooterKeys : public ::testing::TestWithParam<FooterCase> {};

TEST_P(FxGridSearchFooterKeys, TheCurrentCellStaysAboveTheBar)
{
    const FooterCase& k = GetParam();
    FooterWindow w;
    TFxStringGrid& g = *w.grid;
    g.SetCol(k.startCol);
    g.SetRow(k.startAtEnd ? kRows - 1 : 1);
    if (!k.startAtEnd)
        g.SetTopRow(1);
    ASSERT_FALSE(w.currentCovered());
    ASSERT_EQ(g.TopRow() >= g.RowCount() - g.VisibleRowCount(), k.startAtEnd);
    const int top = g.TopRow();
    QList<int> downs;
    g.OnKeyDown = [&](QObject*, int& key, fw::TShiftState) { downs << key; };
    for (const Key& key : k.keys) {
        w.key(key.key, key.mods);
        EXPECT_FALSE(w.currentCovered()) << g.Col() << "," << g.Row() << " top " << g.TopRow();
    }
    EXPECT_EQ(g.Col(), k.col);
    EXPECT_EQ(g.Row(), k.row);
    // A picture of the grid's end under its search bar, for a person to look at.
    testsupport::keepShot(w.form.get(), QStringLiteral("search-bar-%1").arg(QString::fromLatin1(k.name)));
    if (k.viewStays)
        EXPECT_EQ(g.TopRow(), top);
    if (!k.keyDowns.isEmpty())
        EXPECT_EQ(downs, k.keyDowns);
    // The grid keeps the keyboard (or its editor has it).
    EXPECT_TRUE(w.focus() == &g || w.focus() == g.NormalEdit());
}

std::vector<Key> repeat(Qt::Key key, int n)
{
    return std::vector<Key>(std::size_t(n), Key{key});
}

const int last = kRows - 1;

INSTANTIATE_TEST_SUITE_P(
    Table, FxGridSearchFooterKeys,
    ::testing::Values(
        FooterCase{"down_walks_to_the_last_row", false, 1, repeat(Qt::Key_Down, kRows), 1, last, false, {}},
        FooterCase{"down_on_the_last_row_keeps_it", true, 1, {{Qt::Key_Down}}, 1, last, true, {fw::VK_DOWN}},
        FooterCase{"right_on_the_last_cell_keeps_it", true, 4, {{Qt::Key_Right}}, 4, last, true, {fw::VK_RIGHT}},
        FooterCase{"left_on_the_first_column_of_the_last_row", true, 1, {{Qt::Key_Left}}, 1, last, true,
                   {fw::VK_LEFT}},
        FooterCase{"right_along_the_last_row", true, 1, repeat(Qt::Key_Right, 2), 3, last, true, {}},
        FooterCase{"up_from_the_last_row_leaves_the_view", true, 1, {{Qt::Key_Up}}, 1, last - 1, true, {}},
        FooterCase{"ctrl_end", false, 1, {{Qt::Key_End, Qt::ControlModifier}}, 4, last, false, {}},
        FooterCase{"page_down_to_the_end", false, 1, repeat(Qt::Key_PageDown, 3), 1, last, false, {}},
        // A key that moves nothing does not scroll: typing opens the editor in place.
        FooterCase{"typing_on_the_last_row", true, 1, {{Qt::Key_A}}, 1, last, true, {}}),
    [](const auto& info) { return std::string(info.param.name); });

// The scroll bar and the wheel stop with the last row above the bar.
TEST(FxGridSearchFooterScroll, LineDownAndTheWheelEndWithTheLastRowAboveTheBar)
{
    for (bool wheel : {false, true}) {
        FooterWindow w;
        TFxStringGrid& g = *w.grid;
        g.MouseActions().SetWheelAction(waScroll);
        g.SetTopRow(1);
        for (int i = 0; i < kRows; ++i) {
            if (wheel) {
                QWheelEvent e(QPointF(50, 50), g.viewport()->mapToGlobal(QPointF(50, 50)), QPoint(),
                              QPoint(0, -120), Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
                QCoreApplication::sendEvent(g.viewport(), &e);
            } else {
                g.Perform(fw::WM_VSCROLL, fw::SB_LINEDOWN, 0);
            }
        }
        w.settle();
        EXPECT_TRUE(g.LastRowAboveSearchFooter()) << wheel;
        EXPECT_FALSE(w.covered(1, kRows - 1)) << wheel;
        // Nothing further to scroll.
        const int top = g.TopRow();
        g.Perform(fw::WM_VSCROLL, fw::SB_LINEDOWN, 0);
        EXPECT_EQ(g.TopRow(), top) << wheel;
        // Without the bar the grid ends at the client's edge as usual.
        g.SearchFooter().SetVisible(false);
        w.settle();
        EXPECT_EQ(g.TopRow(), g.RowCount() - g.VisibleRowCount()) << wheel;
    }
}

// Showing the bar leaves a view away from the end where it is.
TEST(FxGridSearchFooterScroll, ShowingTheBarKeepsTheViewAtTheTop)
{
    Window w;
    TFxStringGrid& g = *w.grid;
    g.SetRowCount(kRows);
    g.SetRow(2);
    g.SearchFooter().SetVisible(true);
    w.settle();
    EXPECT_EQ(g.TopRow(), 1);
    EXPECT_EQ(g.Row(), 2);
}

// Ctrl+F goes to the bar's text field; the captions' accelerators (Alt with
// the letter after "&") search from the grid and from the text field, and
// nothing answers them while the bar is hidden.
TEST(FxGridSearchFooterKeysBar, CtrlFAndTheAcceleratorsOfTheBar)
{
    FooterWindow w;
    TFxStringGrid& g = *w.grid;
    g.SetTopRow(1);
    g.SetRow(1);
    QStringList actions;
    g.Events().OnSearchFooterAction = [&](QObject*, const QString& v, int c, int r, TSearchAction a) {
        actions << QStringLiteral("%1 %2 %3,%4").arg(a == saFindPrevious ? "prev" : "next").arg(v).arg(c).arg(r);
    };
    w.key(Qt::Key_F, Qt::ControlModifier);
    ASSERT_EQ(w.focus(), &g.SearchPanel().EditControl());
    w.type("hit");
    actions.clear();
    w.key(Qt::Key_N, Qt::AltModifier);
    EXPECT_EQ(w.focus(), &g.SearchPanel().EditControl());
    g.SetFocus();
    w.settle();
    w.key(Qt::Key_N, Qt::AltModifier);
    w.key(Qt::Key_P, Qt::AltModifier);
    EXPECT_EQ(w.focus(), &g);
    const QStringList expected{"next hit 2,20", "next hit -1,-1", "prev hit 2,20"};
    EXPECT_EQ(actions, expected);
    EXPECT_EQ(g.Row(), 20);
    // A hidden bar takes no keys.
    g.SearchFooter().SetVisible(false);
    w.settle();
    actions.clear();
    w.key(Qt::Key_N, Qt::AltModifier);
    w.key(Qt::Key_F, Qt::ControlModifier);
    EXPECT_TRUE(actions.isEmpty());
    EXPECT_EQ(w.focus(), &g);
}

} // namespace
