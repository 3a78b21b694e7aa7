// Scrolling while a drag rests near the grid's edges, on a clock driven by
// the test: the first step after the initial delay, then one per repeat
// delay; the margins give the direction; OnDragScroll may turn or stop it.
#include "GridUi.h"

#include "framework/Timer.h"
#include "grid/interact/FxDragScroll.h"

#include <QDropEvent>
#include <QMimeData>

#include <gtest/gtest.h>

using gridui::Window;

namespace {

// A drag of some text over the grid, its points in client coordinates.
struct Drag {
    TFxStringGrid& g;
    QMimeData data;
    explicit Drag(TFxStringGrid& grid) : g(grid) { data.setText(QStringLiteral("x")); }
    QPoint toGrid(QPoint client) const { return g.viewport()->mapTo(&g, client); }
    void enter(QPoint p)
    {
        QDragEnterEvent e(toGrid(p), Qt::CopyAction, &data, Qt::LeftButton, {});
        QApplication::sendEvent(&g, &e);
    }
    void move(QPoint p)
    {
        QDragMoveEvent e(toGrid(p), Qt::CopyAction, &data, Qt::LeftButton, {});
        QApplication::sendEvent(&g, &e);
    }
    void leave()
    {
        QDragLeaveEvent e;
        QApplication::sendEvent(&g, &e);
    }
};

struct Fixture {
    Window w;
    TFxStringGrid& g = *w.grid;
    Fixture()
    {
        g.SetRowCount(60);
        g.SetColCount(30);
        g.SetTopRow(20);
        g.SetLeftCol(10);
        g.DragScrollOptions().SetActive(true);
    }
    QPoint centre() const { return {g.ClientWidth() / 2, g.ClientHeight() / 2}; }
};

// The documented rhythm: one row after 1000 ms in the top margin, then one
// every 250 ms while the pointer rests; a move in the margin once the steps
// have begun waits the 1000 ms again; leaving the margin stops the steps.
TEST(FxDragScroll, TheTopMarginScrollsAfterTheFirstDelayThenAtTheRepeatDelay)
{
    fw::TManualClock clock;
    Fixture f;
    Drag drag(f.g);
    drag.enter(QPoint(f.centre().x(), 20));
    EXPECT_EQ(f.g.DragScrollDirection(), TDragScrollDirection{dsdUp});
    clock.Advance(999);
    EXPECT_EQ(f.g.TopRow(), 20);
    clock.Advance(1);
    EXPECT_EQ(f.g.TopRow(), 19);
    clock.Advance(250);
    EXPECT_EQ(f.g.TopRow(), 18);
    drag.move(QPoint(f.centre().x() + 30, 25));
    clock.Advance(999);
    EXPECT_EQ(f.g.TopRow(), 18) << "a move in the margin waits the first delay again";
    clock.Advance(1);
    EXPECT_EQ(f.g.TopRow(), 17);
    drag.move(f.centre());
    EXPECT_TRUE(f.g.DragScrollDirection().Empty());
    clock.Advance(5000);
    EXPECT_EQ(f.g.TopRow(), 17);
    EXPECT_EQ(f.g.LeftCol(), 10);
    drag.leave();
}

// Each margin, the corners with two directions, the stops at the ends of
// the grid, and the margins' widths taken from the settings.
TEST(FxDragScroll, TheMarginUnderThePointerGivesTheDirection)
{
    struct Case {
        const char* name;
        int x, y;          // client point; negative: from the right / bottom edge
        int top, left;     // grid position before; top -1: the last rows show
        int topAfter, leftAfter;   // topAfter -1: where it was
    };
    const Case cases[] = {
        {"top", 300, 10, 20, 10, 19, 10},
        {"bottom", 300, -10, 20, 10, 21, 10},
        {"left", 10, 150, 20, 10, 20, 9},
        {"right", -10, 150, 20, 10, 20, 11},
        {"top-left corner", 10, 10, 20, 10, 19, 9},
        {"bottom-right corner", -10, -10, 20, 10, 21, 11},
        {"top, already at the first row", 300, 10, 1, 10, 1, 10},
        {"left, already at the first column", 10, 150, 20, 1, 20, 1},
        {"bottom, already at the end", 300, -10, -1, 10, -1, 10},
        {"centre", 300, 150, 20, 10, 20, 10},
        {"inside the default margin, outside a 5 pixel one", 20, 150, 20, 10, 20, 10},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.name);
        fw::TManualClock clock;
        Fixture f;
        if (std::string(k.name).find("5 pixel") != std::string::npos)
            f.g.DragScrollOptions().Margins().SetLeftMargin(5);
        f.g.SetTopRow(k.top >= 0 ? k.top : f.g.RowCount() - f.g.VisibleRowCount());
        f.g.SetLeftCol(k.left);
        const int top = f.g.TopRow();
        const QPoint p(k.x >= 0 ? k.x : f.g.ClientWidth() + k.x, k.y >= 0 ? k.y : f.g.ClientHeight() + k.y);
        Drag drag(f.g);
        drag.enter(p);
        clock.Advance(1000);
        EXPECT_EQ(f.g.TopRow(), k.topAfter >= 0 ? k.topAfter : top);
        EXPECT_EQ(f.g.LeftCol(), k.leftAfter);
        drag.leave();
    }
}

// OnDragScroll sees the position before each step and may turn the step or
// refuse it; switched off, the options stop the steps at the next tick.
TEST(FxDragScroll, OnDragScrollTurnsOrRefusesAStepAndSwitchingOffStopsIt)
{
    fw::TManualClock clock;
    Fixture f;
    std::vector<std::pair<int, int>> seen;
    bool refuse = false;
    f.g.Events().OnDragScroll = [&](QObject*, int top, int left, TDragScrollDirection& dir, bool& can) {
        seen.emplace_back(top, left);
        dir = TDragScrollDirection{dsdDown};
        can = !refuse;
    };
    Drag drag(f.g);
    drag.enter(QPoint(f.centre().x(), 10));
    clock.Advance(1000);
    EXPECT_EQ(f.g.TopRow(), 21) << "turned down";
    refuse = true;
    clock.Advance(250);
    EXPECT_EQ(f.g.TopRow(), 21) << "refused";
    EXPECT_EQ(seen, (std::vector<std::pair<int, int>>{{20, 10}, {21, 10}}));
    f.g.DragScrollOptions().SetActive(false);
    refuse = false;
    clock.Advance(250);
    clock.Advance(5000);
    EXPECT_EQ(seen.size(), 2u) << "no step once switched off";
    EXPECT_EQ(f.g.TopRow(), 21);
    drag.leave();

    // Off from the start: a drag in the margin does nothing.
    drag.enter(QPoint(f.centre().x(), 10));
    clock.Advance(5000);
    EXPECT_EQ(f.g.TopRow(), 21);
    EXPECT_TRUE(seen.size() == 2u);
}

// The settings copy each other whole, and only from their own kind.
TEST(FxDragScroll, TheSettingsAssignFromTheirOwnKindOnly)
{
    TDragScrollOptions a, b;
    a.SetActive(true);
    a.Delays().SetInitialDelay(400);
    a.Delays().SetRepeatDelay(40);
    a.Margins().SetTopMargin(1);
    a.Margins().SetBottomMargin(2);
    a.Margins().SetLeftMargin(3);
    a.Margins().SetRightMargin(4);
    b.Assign(&a);
    EXPECT_TRUE(b.Active());
    EXPECT_EQ(b.Delays().InitialDelay(), 400);
    EXPECT_EQ(b.Delays().RepeatDelay(), 40);
    EXPECT_EQ(b.Margins().TopMargin(), 1);
    EXPECT_EQ(b.Margins().BottomMargin(), 2);
    EXPECT_EQ(b.Margins().LeftMargin(), 3);
    EXPECT_EQ(b.Margins().RightMargin(), 4);
    TDragScrollOptions c;
    c.Assign(&a.Delays());
    EXPECT_FALSE(c.Active());
    EXPECT_EQ(c.Delays().InitialDelay(), 1000);
}

} // namespace
