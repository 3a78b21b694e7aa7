#include "grid/model/FxGrid.h"

#include "grid/foundation/FxObjButton.h"
#include "grid/foundation/FxObjCheckBox.h"
#include "grid/foundation/FxOptions.h"
#include "grid/model/FxFindScan.h"
#include "grid/paint/FxGridAppearance.h"
#include "grid/paint/FxSearchPanel.h"

#include "framework/SysColors.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>
#include <QPalette>
#include <QTest>

#include <memory>
#include <set>
#include <utility>
#include <vector>

namespace {

using fw::TPoint;
const TPoint kNone(-1, -1);

// ---- the cell test and the scan order, without a grid

TEST(FindMatcher, OptionsDecideWhichTextsHit)
{
    struct Case {
        const char* name;
        QString search;
        TFindParams params;
        std::vector<QString> hits;   // of: xab, AB, abc, "", <b>a</b>b
    };
    const std::vector<QString> cells = {"xab", "AB", "abc", "", "<b>a</b>b"};
    const std::vector<Case> cases = {
        {"no options: upper-cased both sides", "ab", {}, {"xab", "AB", "abc"}},
        {"match case", "ab", {fnMatchCase}, {"xab", "abc"}},
        {"match start", "ab", {fnMatchStart}, {"AB", "abc"}},
        {"match full", "ab", {fnMatchFull}, {"AB"}},
        {"match full with case", "ab", {fnMatchFull, fnMatchCase}, {}},
        {"tags ignored", "ab", {fnIgnoreHTMLTags}, {"xab", "AB", "abc", "<b>a</b>b"}},
        {"two quotes find empty cells", "\"\"", {}, {""}},
        {"filter expression", "A*", {fnMatchRegular}, {"AB", "abc"}},
    };
    for (const Case& c : cases) {
        const TFindMatcher m(c.search, c.params);
        std::vector<QString> got;
        for (const QString& cell : cells)
            if (m.Matches(cell))
                got.push_back(cell);
        EXPECT_EQ(got, c.hits) << c.name;
    }
}

// Every cell a walk from (-1, -1) visits, in order.
std::vector<std::pair<int, int>> WalkAll(const TFindScan& scan, TPoint start = kNone)
{
    std::vector<std::pair<int, int>> seen;
    scan.Walk(start, [&](int c, int r) {
        seen.emplace_back(c, r);
        return false;
    });
    return seen;
}

TEST(FindScan, OrderAndDirection)
{
    using V = std::vector<std::pair<int, int>>;
    EXPECT_EQ(WalkAll(TFindScan(1, 1, 2, 2, true, false)), (V{{1, 1}, {2, 1}, {1, 2}, {2, 2}}));
    EXPECT_EQ(WalkAll(TFindScan(1, 1, 2, 2, false, false)), (V{{1, 1}, {1, 2}, {2, 1}, {2, 2}}));
    EXPECT_EQ(WalkAll(TFindScan(1, 1, 2, 2, true, true)), (V{{2, 2}, {1, 2}, {2, 1}, {1, 1}}));
    EXPECT_EQ(WalkAll(TFindScan(1, 1, 2, 2, false, true)), (V{{2, 2}, {2, 1}, {1, 2}, {1, 1}}));
}

TEST(FindScan, ContinuesAfterStartAndEndsAtTheLastCell)
{
    using V = std::vector<std::pair<int, int>>;
    const TFindScan rows(1, 1, 3, 2, true, false);
    EXPECT_EQ(WalkAll(rows, TPoint(2, 1)), (V{{3, 1}, {1, 2}, {2, 2}, {3, 2}}));
    EXPECT_EQ(WalkAll(rows, TPoint(3, 1)), (V{{1, 2}, {2, 2}, {3, 2}}));
    // From the last cell the pass is over: no wrap to the first cell.
    EXPECT_TRUE(WalkAll(rows, TPoint(3, 2)).empty());
    // A start outside the rectangle goes on at the first cell after it.
    EXPECT_EQ(WalkAll(rows, TPoint(0, 2)), (V{{1, 2}, {2, 2}, {3, 2}}));
    EXPECT_EQ(WalkAll(rows, TPoint(0, 0)).size(), 6u);
    EXPECT_TRUE(WalkAll(rows, TPoint(0, 5)).empty());
    const TFindScan back(1, 1, 3, 2, true, true);
    EXPECT_EQ(WalkAll(back, TPoint(2, 2)), (V{{1, 2}, {3, 1}, {2, 1}, {1, 1}}));
    EXPECT_TRUE(WalkAll(back, TPoint(1, 1)).empty());
    EXPECT_TRUE(WalkAll(TFindScan(2, 1, 1, 3, true, false)).empty());
}

// ---- the grid

class FxGridFindTest : public ::testing::Test {
protected:
    void SetUp() override { grid = std::make_unique<TFxStringGrid>(); }

    // Rows of texts from column 0, row 0 on (one fixed row and column).
    void Load(const std::vector<std::vector<QString>>& rows)
    {
        grid->SetRowCount(int(rows.size()));
        grid->SetColCount(int(rows.front().size()));
        for (int r = 0; r < int(rows.size()); ++r)
            for (int c = 0; c < int(rows[std::size_t(r)].size()); ++c)
                grid->SetCells(c, r, rows[std::size_t(r)][std::size_t(c)]);
    }
    // FindFirst, then FindNext until (-1, -1); a hit met twice fails the test.
    std::vector<TPoint> AllHits(const QString& s, TFindParams p)
    {
        std::vector<TPoint> hits;
        std::set<std::pair<int, int>> seen;
        const int cap = (grid->ColCount() + grid->NumHiddenColumns()) * grid->AllRowCount() + 2;
        for (TPoint at = grid->FindFirst(s, p); at != kNone; at = grid->FindNext()) {
            EXPECT_TRUE(seen.insert({at.X, at.Y}).second) << "hit " << at.X << "," << at.Y << " met twice";
            hits.push_back(at);
            if (int(hits.size()) > cap) {
                ADD_FAILURE() << "search did not end";
                break;
            }
        }
        return hits;
    }
    std::unique_ptr<TFxStringGrid> grid;
};

TEST_F(FxGridFindTest, FindNextVisitsEachHitOnceInScanOrder)
{
    Load({{"", "h", "h"}, {"", "a1", "b1"}, {"", "a2", "a3"}, {"", "b2", "a4"}});
    using P = std::vector<TPoint>;
    EXPECT_EQ(AllHits("a", {}), (P{{1, 1}, {1, 2}, {2, 2}, {2, 3}}));
    EXPECT_EQ(AllHits("a", {fnDirectionLeftRight}), (P{{1, 1}, {1, 2}, {2, 2}, {2, 3}}));
    EXPECT_EQ(AllHits("a", {fnBackward}), (P{{2, 3}, {2, 2}, {1, 2}, {1, 1}}));
    // Column by column: down column 1, then down column 2.
    Load({{"", "h", "h"}, {"", "x", "a1"}, {"", "a2", "x"}});
    EXPECT_EQ(AllHits("a", {}), (P{{1, 2}, {2, 1}}));
    EXPECT_EQ(AllHits("a", {fnDirectionLeftRight}), (P{{2, 1}, {1, 2}}));
    // Fixed cells only with fnIncludeFixed.
    EXPECT_EQ(AllHits("h", {}), P{});
    EXPECT_EQ(AllHits("h", {fnIncludeFixed}).size(), 2u);
}

TEST_F(FxGridFindTest, EveryOptionCombinationEnds)
{
    Load({{"", "a", "A", "x"}, {"a", "aa", "", "<i>a</i>"}, {"A", "ba", "a", "a"}, {"x", "a", "Aa", "a"}});
    grid->HideRow(2);
    grid->HideColumn(2);
    grid->SetRow(1);
    grid->SetCol(1);
    const std::vector<TFindParameters> flags = {fnMatchCase,         fnMatchFull,        fnDirectionLeftRight,
                                                fnMatchStart,        fnFindInCurrentRow, fnFindInCurrentCol,
                                                fnIncludeFixed,      fnIgnoreHTMLTags,   fnBackward,
                                                fnIncludeHiddenColumns, fnSelectedCells, fnIncludeHiddenRows};
    for (unsigned bits = 0; bits < (1u << flags.size()); ++bits) {
        TFindParams p;
        for (std::size_t i = 0; i < flags.size(); ++i)
            if (bits & (1u << i))
                p.Include(flags[i]);
        AllHits("a", p);
        AllHits("\"\"", p);
        if (HasFailure()) {
            ADD_FAILURE() << "option bits " << bits;
            return;
        }
    }
}

TEST_F(FxGridFindTest, BackwardStartsAtTheBottomRightNormalCell)
{
    Load({{"", "", ""}, {"", "a", "a"}, {"", "a", "a"}, {"", "a", "a"}});
    grid->SetFixedFooters(1);
    EXPECT_EQ(grid->FindFirst("a", {fnBackward}), TPoint(2, 2));
}

TEST_F(FxGridFindTest, IgnoredColumnsAreNeverReported)
{
    Load({{"", "", "", ""}, {"", "a", "a", "a"}, {"", "a", "a", "a"}});
    grid->IgnoreColumns().Add(2);
    for (TFindParams p : {TFindParams{}, TFindParams{fnDirectionLeftRight}}) {
        const auto hits = AllHits("a", p);
        EXPECT_EQ(hits.size(), 4u);
        for (const TPoint& at : hits)
            EXPECT_NE(at.X, 2);
    }
}

TEST_F(FxGridFindTest, HiddenRowsAndColumnsAreFoundOnlyWhenAsked)
{
    Load({{"", "", ""}, {"", "x", "x"}, {"", "x", "a"}, {"", "x", "x"}});
    grid->HideRow(2);
    EXPECT_EQ(grid->FindFirst("a", {}), kNone);
    // Rows are then all-rows indices.
    EXPECT_EQ(grid->FindFirst("a", {fnIncludeHiddenRows}), TPoint(2, 2));
    grid->UnHideRow(2);
    grid->HideColumn(1);
    // Display column 1 is real column 2.
    EXPECT_EQ(grid->FindFirst("a", {}), TPoint(1, 2));
    EXPECT_EQ(grid->FindFirst("a", {fnIncludeHiddenColumns}), TPoint(2, 2));
}

TEST_F(FxGridFindTest, AutoGotoMovesTheCurrentCell)
{
    Load({{"", "", ""}, {"", "x", "x"}, {"", "x", "a"}});
    grid->FindFirst("a", {fnAutoGoto});
    EXPECT_EQ(grid->Col(), 2);
    EXPECT_EQ(grid->Row(), 2);
    // Busy from a scan's start until a scan ends without a hit.
    EXPECT_TRUE(grid->FindBusy());
    grid->FindFirst("zzz", {});
    EXPECT_FALSE(grid->FindBusy());
}

TEST_F(FxGridFindTest, ReplaceEndsAndCountsChangedCells)
{
    struct Case {
        const char* name;
        QString orig, repl;
        TFindParams params;
        std::vector<QString> before, after;
        int count;
    };
    const std::vector<Case> cases = {
        {"replacement matches itself (case)", "a", "A", {}, {"a", "Aa", "b"}, {"A", "AA", "b"}, 2},
        {"replacement contains the text", "a", "aa", {}, {"a", "ba", "b"}, {"aa", "baa", "b"}, 2},
        {"case option finds, replace ignores case", "a", "b", {fnMatchCase}, {"Aa", "AA", "x"}, {"bb", "AA", "x"},
         1},
        {"nothing found", "q", "r", {}, {"a", "b", "c"}, {"a", "b", "c"}, 0},
    };
    for (const Case& c : cases) {
        std::vector<std::vector<QString>> rows = {{"", ""}};
        for (const QString& t : c.before)
            rows.push_back({"", t});
        Load(rows);
        EXPECT_EQ(grid->Replace(c.orig, c.repl, c.params), c.count) << c.name;
        for (int i = 0; i < int(c.after.size()); ++i)
            EXPECT_EQ(grid->Cells(1, i + 1), c.after[std::size_t(i)]) << c.name;
    }
}

TEST_F(FxGridFindTest, ReplaceMarksRowsModified)
{
    Load({{"", ""}, {"", "a"}, {"", "b"}});
    grid->ShowModified().SetEnabled(true);
    grid->Replace("a", "c", {});
    EXPECT_TRUE(grid->RowModified(1));
    EXPECT_FALSE(grid->RowModified(2));
}

TEST_F(FxGridFindTest, QuickLookupNeedsUpperCase)
{
    Load({{"", ""}, {"", "pear"}, {"", "<b>Apple</b>"}, {"", "apricot"}});
    EXPECT_EQ(grid->Search("ap"), -1);
    EXPECT_EQ(grid->Search("AP"), 2);
    EXPECT_EQ(grid->Search("APR"), 3);
    EXPECT_EQ(grid->Search("Q"), -1);
}

// ---- the search footer

class FxGridSearchFooterTest : public FxGridFindTest {
protected:
    void SetUp() override
    {
        FxGridFindTest::SetUp();
        grid->SearchFooter().SetVisible(true);
    }
    TSearchPanel& Panel() { return grid->SearchPanel(); }
};

TEST_F(FxGridSearchFooterTest, TypingFindsAndColoursTheEdit)
{
    Load({{"", "", ""}, {"", "one", "two"}, {"", "three", "four"}});
    std::vector<std::pair<QString, TSearchAction>> actions;
    grid->Events().OnSearchFooterAction = [&](QObject*, const QString& v, int, int, TSearchAction a) {
        actions.emplace_back(v, a);
    };
    Panel().EditControl().setText("thr");
    EXPECT_EQ(grid->SearchCell(), TPoint(1, 2));
    EXPECT_EQ(grid->Row(), 2);
    EXPECT_EQ(Panel().EditControl().palette().color(QPalette::Base), fw::ToQColor(fw::clWindow));
    Panel().EditControl().setText("thrx");
    EXPECT_EQ(grid->SearchCell(), kNone);
    EXPECT_EQ(Panel().EditControl().palette().color(QPalette::Base), QColor(255, 0, 0));
    // The field is drawn red right of its text.
    Panel().EditControl().resize(110, 22);
    const QImage shot = Panel().EditControl().grab().toImage();
    EXPECT_EQ(shot.pixelColor(shot.width() - 10, shot.height() / 2), QColor(255, 0, 0));
    ASSERT_EQ(actions.size(), 2u);
    EXPECT_EQ(actions[1].second, saFindFirst);
    // The application may take the search over.
    grid->Events().OnSearchEditChange = [](QObject*, const QString&, bool& def) { def = false; };
    Panel().EditControl().setText("one");
    EXPECT_EQ(grid->SearchCell(), kNone);
}

TEST_F(FxGridSearchFooterTest, NextAndPreviousFollowTheScanOrder)
{
    Load({{"", "", ""}, {"", "a", "a"}, {"", "x", "a"}, {"", "a", "x"}});
    grid->SearchFooter().SetSearchDirection(sdLeftRight);
    Panel().EditControl().setText("a");
    EXPECT_EQ(grid->SearchCell(), TPoint(1, 1));
    grid->SearchFooterFindNext();
    EXPECT_EQ(grid->SearchCell(), TPoint(2, 1));
    grid->SearchFooterFindNext();
    EXPECT_EQ(grid->SearchCell(), TPoint(2, 2));
    grid->SearchFooterFindPrevious();
    EXPECT_EQ(grid->SearchCell(), TPoint(2, 1));
    // Past the last hit the pass ends; the next press starts again.
    grid->SearchFooterFindNext();
    grid->SearchFooterFindNext();
    EXPECT_EQ(grid->SearchCell(), TPoint(1, 3));
    grid->SearchFooterFindNext();
    EXPECT_EQ(grid->SearchCell(), kNone);
    grid->SearchFooterFindNext();
    EXPECT_EQ(grid->SearchCell(), TPoint(1, 1));
}

TEST_F(FxGridSearchFooterTest, HighlightButtonMarksAndUnmarks)
{
    Load({{"", "", ""}, {"", "a<b", "xa"}, {"", "b", "c"}});
    Panel().EditControl().setText("a");
    Panel().HiliteButton().SetDown(true);
    grid->SearchFooterHighlight();
    EXPECT_EQ(grid->Cells(1, 1), "<hi>a</hi>&lt;b");
    EXPECT_EQ(grid->Cells(2, 1), "x<hi>a</hi>");
    Panel().HiliteButton().SetDown(false);
    grid->SearchFooterHighlight();
    EXPECT_EQ(grid->Cells(1, 1), "a<b");
    EXPECT_EQ(grid->Cells(2, 1), "xa");
}

TEST_F(FxGridSearchFooterTest, FooterButtonsAndMatchCaseBoxByMouse)
{
    Load({{"", "", ""}, {"", "Ab", "x"}, {"", "ab", "AB"}, {"", "x", "xab"}});
    grid->SearchFooter().SetSearchDirection(sdLeftRight);
    grid->resize(640, 300);
    grid->show();
    grid->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(grid.get()));
    const auto click = [](QWidget& w, QPoint at) {
        QTest::mouseClick(&w, Qt::LeftButton, {}, at);
        QApplication::processEvents();
    };
    Panel().EditControl().setText("ab");
    EXPECT_EQ(grid->SearchCell(), TPoint(1, 1)) << "any case to begin with";
    click(Panel().ForwardButton(), QPoint(10, 10));
    EXPECT_EQ(grid->SearchCell(), TPoint(1, 2));
    click(Panel().ForwardButton(), QPoint(10, 10));
    EXPECT_EQ(grid->SearchCell(), TPoint(2, 2));
    click(Panel().BackwardButton(), QPoint(10, 10));
    EXPECT_EQ(grid->SearchCell(), TPoint(1, 2));

    // The box ticked by a click: the next step passes over "AB".
    click(Panel().MatchCase(), QPoint(5, 9));
    ASSERT_TRUE(Panel().MatchCase().Checked());
    click(Panel().ForwardButton(), QPoint(10, 10));
    EXPECT_EQ(grid->SearchCell(), TPoint(2, 3));

    // The highlight button stays down and marks the matching texts; a
    // second click takes the marks away.
    click(Panel().HiliteButton(), QPoint(10, 10));
    EXPECT_TRUE(Panel().HiliteButton().Down());
    EXPECT_EQ(grid->Cells(1, 2), "<hi>ab</hi>");
    EXPECT_EQ(grid->Cells(2, 3), "x<hi>ab</hi>");
    EXPECT_EQ(grid->Cells(1, 1), "Ab") << "match case leaves other cases alone";
    click(Panel().HiliteButton(), QPoint(10, 10));
    EXPECT_FALSE(Panel().HiliteButton().Down());
    EXPECT_EQ(grid->Cells(1, 2), "ab");
    EXPECT_EQ(grid->Cells(2, 3), "xab");

    // A press on the exit button released outside it does nothing.
    QTest::mousePress(&Panel().ExitButton(), Qt::LeftButton, {}, QPoint(5, 5));
    QTest::mouseRelease(&Panel().ExitButton(), Qt::LeftButton, {}, QPoint(40, 5));
    EXPECT_TRUE(grid->SearchFooter().Visible());
    click(Panel().ExitButton(), QPoint(5, 5));
    EXPECT_FALSE(grid->SearchFooter().Visible());
}

TEST_F(FxGridSearchFooterTest, CloseFiresAndHides)
{
    bool closed = false;
    grid->Events().OnSearchFooterClose = [&](QObject*) { closed = true; };
    Panel().ExitButton().OnClick(&Panel().ExitButton());
    EXPECT_TRUE(closed);
    EXPECT_FALSE(grid->SearchFooter().Visible());
}

} // namespace
