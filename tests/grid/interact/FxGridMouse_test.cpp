// The mouse on the grid: clicks, check boxes, header borders, sizing with
// its hint, the auto-size double click, drag selection with auto-scroll,
// column moves, and the scroll hint.
#include "GridUi.h"

#include "framework/SysColors.h"
#include "grid/foundation/FxOptions.h"
#include "grid/exchange/FxGridDragDrop.h"
#include "grid/exchange/SgDD.h"
#include "grid/model/FxGrouping.h"
#include "grid/interact/FxInplaceEdit.h"
#include "grid/model/FxColumnSize.h"
#include "grid/model/FxFilterLists.h"
#include "grid/model/FxSortSettings.h"
#include "grid/paint/FxControlLook.h"
#include "support/TestSupport.h"

#include <QMenu>
#include <QMimeData>
#include <QScrollBar>
#include <QStyle>
#include <QStyleFactory>

#include <gtest/gtest.h>

using gridui::Window;

namespace {

TEST(FxGridMouse, AClickMakesTheCellCurrentAndFiresOnClickCellRowFirst)
{
    Window w;
    TFxStringGrid& g = *w.grid;
    QList<QPair<int, int>> clicks;
    g.Events().OnClickCell = [&](QObject*, int ARow, int ACol) { clicks.append({ARow, ACol}); };
    w.click(w.at(3, 2));
    EXPECT_EQ(g.Col(), 3);
    EXPECT_EQ(g.Row(), 2);
    ASSERT_EQ(clicks.size(), 1);
    EXPECT_EQ(clicks[0], qMakePair(2, 3));
    EXPECT_FALSE(g.NormalEdit() && g.NormalEdit()->isVisible());
    // A second click on the current cell of an editing grid opens its editor.
    w.click(w.at(3, 2));
    ASSERT_TRUE(g.NormalEdit());
    EXPECT_TRUE(g.NormalEdit()->isVisible());
}

TEST(FxGridMouse, ACheckBoxClickTogglesYesNoAndReportsTheDisplayColumnBeforeOnClick)
{
    Window w;
    TFxStringGrid& g = *w.grid;
    g.HideColumn(1);   // real column 3 shows as column 2
    g.AddCheckBox(3, 2, false, true);
    g.SetCells(3, 2, "N");
    QStringList log;
    g.Events().OnCheckBoxClick = [&](QObject*, int c, int r, bool s) {
        log << QStringLiteral("check %1,%2 %3").arg(c).arg(r).arg(s);
    };
    g.OnClick = [&](QObject*) { log << "click"; };
    const fw::TRect r = g.CellRect(2, 2);
    // The box sits at the cell's left; PreciseCheckBoxCheck is off, so the cell counts.
    w.click(QPoint(r.Left + 6, r.Top + r.Height() / 2));
    EXPECT_EQ(g.Cells(3, 2), "Y");
    EXPECT_EQ(g.Col(), 2);
    EXPECT_EQ(g.Row(), 2);
    const QStringList expected{"check 2,2 1", "click"};
    EXPECT_EQ(log, expected);
    w.click(QPoint(r.Left + 6, r.Top + r.Height() / 2));
    EXPECT_EQ(g.Cells(3, 2), "N");
    EXPECT_FALSE(g.EditMode());
}

// Presses on a header cell: near its border (sizing) no click.
struct HeaderPressCase {
    const char* name;
    int dxFromRight;    // press position left of the cell's right edge
    bool clicked;
};

class FxGridHeaderPress : public ::testing::TestWithParam<HeaderPressCase> {};

TEST_P(FxGridHeaderPress, WithinFourPixelsOfTheBorderIsNoClick)
{
    const HeaderPressCase& k = GetParam();
    Window w;
    TFxStringGrid& g = *w.grid;
    g.SetOptions(g.Options() | fw::goColSizing);
    int clicks = 0;
    g.Events().OnClickCell = [&](QObject*, int, int) { ++clicks; };
    const fw::TRect r = g.CellRect(2, 0);
    w.click(QPoint(r.Right - k.dxFromRight, r.Top + 5));
    EXPECT_EQ(clicks, k.clicked ? 1 : 0);
}

INSTANTIATE_TEST_SUITE_P(Table, FxGridHeaderPress,
                         ::testing::Values(HeaderPressCase{"middle", 30, true},
                                           HeaderPressCase{"five_from_border", 5, true},
                                           HeaderPressCase{"four_from_border", 4, false},
                                           HeaderPressCase{"two_from_border", 2, false}),
                         [](const auto& info) { return std::string(info.param.name); });

// A drag on a column border, press to release.
void DragBorder(Window& w, int col, int dx)
{
    TFxStringGrid& g = *w.grid;
    const fw::TRect r = g.CellRect(col, 0);
    const QPoint from(r.Right, r.Top + 5);
    QWidget* vp = g.viewport();
    QTest::mousePress(vp, Qt::LeftButton, Qt::NoModifier, from);
    QTest::mouseMove(vp, from + QPoint(dx, 0));
    w.settle();
}

TEST(FxGridMouse, SizingAColumnShowsItsWidthAndEndsWithOnEndColumnSize)
{
    Window w;
    TFxStringGrid& g = *w.grid;
    g.SetOptions(g.Options() | fw::goColSizing);
    g.SetHintShowSizing(true);
    g.SetColWidths(2, 60);
    QList<int> ended, sizing;
    g.Events().OnEndColumnSize = [&](QObject*, int c) { ended << c; };
    g.Events().OnColumnSizing = [&](QObject*, int, int size) { sizing << size; };
    DragBorder(w, 2, 15);
    EXPECT_EQ(g.HintText(), "cw=<b>75</b>");
    ASSERT_FALSE(sizing.isEmpty());
    EXPECT_EQ(sizing.last(), 75);
    const fw::TRect r = g.CellRect(2, 0);
    QTest::mouseRelease(g.viewport(), Qt::LeftButton, Qt::NoModifier, QPoint(r.Right + 15, r.Top + 5));
    w.settle();
    EXPECT_EQ(g.ColWidths(2), 75);
    EXPECT_EQ(ended, QList<int>{2});
    EXPECT_EQ(g.HintText(), "");
}

TEST(FxGridMouse, AnUpdateColumnSizeHandlerHasTheLastWordAfterOnEndColumnSize)
{
    Window w;
    TFxStringGrid& g = *w.grid;
    g.SetOptions(g.Options() | fw::goColSizing);
    g.SetColWidths(2, 60);
    int widthAtEnd = -1;
    g.Events().OnEndColumnSize = [&](QObject*, int c) { widthAtEnd = g.ColWidths(c); };
    g.Events().OnUpdateColumnSize = [&](QObject*, int, int& width) { width = 50; };
    DragBorder(w, 2, 20);
    const fw::TRect r = g.CellRect(2, 0);
    QTest::mouseRelease(g.viewport(), Qt::LeftButton, Qt::NoModifier, QPoint(r.Right + 20, r.Top + 5));
    w.settle();
    EXPECT_EQ(widthAtEnd, 80);
    EXPECT_EQ(g.ColWidths(2), 50);
}

TEST(FxGridMouse, AllColumnSizeScalesTheOtherNormalColumns)
{
    Window w;
    TFxStringGrid& g = *w.grid;
    g.SetOptions(g.Options() | fw::goColSizing);
    g.MouseActions().SetAllColumnSize(true);
    for (int c = 0; c < g.ColCount(); ++c)
        g.SetColWidths(c, 64);
    DragBorder(w, 2, 64);
    const fw::TRect r = g.CellRect(2, 0);
    QTest::mouseRelease(g.viewport(), Qt::LeftButton, Qt::NoModifier, QPoint(r.Right + 64, r.Top + 5));
    w.settle();
    EXPECT_EQ(g.ColWidths(2), 128);
    EXPECT_EQ(g.ColWidths(1), 128);
    EXPECT_EQ(g.ColWidths(4), 128);
    EXPECT_EQ(g.ColWidths(0), 64);   // fixed columns keep their width
}

TEST(FxGridMouse, DoubleClickOnAHeaderBorderAutoSizesTheColumnLeftOfIt)
{
    Window w;
    TFxStringGrid& g = *w.grid;
    g.SetOptions(g.Options() | fw::goColSizing);
    g.SetCells(2, 3, "a text much wider than sixty-four pixels");
    QList<int> ended;
    g.Events().OnEndColumnSize = [&](QObject*, int c) { ended << c; };
    const int before = g.ColWidths(2);
    const fw::TRect r = g.CellRect(3, 0);
    w.dblClick(QPoint(r.Left + 1, r.Top + 5));   // the border between 2 and 3
    EXPECT_GT(g.ColWidths(2), before);
    EXPECT_EQ(ended, QList<int>{2});
    // A refusing OnColumnSize keeps the width.
    g.SetColWidths(2, 40);
    g.Events().OnColumnSize = [](QObject*, int, bool& allow) { allow = false; };
    const fw::TRect r2 = g.CellRect(3, 0);
    w.dblClick(QPoint(r2.Left + 1, r2.Top + 5));
    EXPECT_EQ(g.ColWidths(2), 40);
}

TEST(FxGridMouse, DragSelectionExtendsAndAutoScrollsPastTheBottom)
{
    Window w;
    TFxStringGrid& g = *w.grid;
    g.SetOptions((g.Options() & ~fw::TGridOptions(fw::goEditing)) | fw::goRangeSelect);
    g.SetRowCount(60);
    QWidget* vp = g.viewport();
    QTest::mousePress(vp, Qt::LeftButton, Qt::NoModifier, w.at(1, 1));
    QTest::mouseMove(vp, w.at(2, 3));
    w.settle();
    EXPECT_EQ(g.Selection(), (fw::TGridRect{1, 1, 2, 3}));
    const int top = g.TopRow();
    QTest::mouseMove(vp, QPoint(w.at(2, 3).x(), vp->height() + 10));
    w.settle();
    // The drag's scroll timer: each tick scrolls a row and extends the selection
    // (on a loaded machine the real timer may have ticked as well).
    g.Perform(fw::WM_TIMER, 1);
    g.Perform(fw::WM_TIMER, 1);
    EXPECT_GE(g.TopRow(), top + 2);
    EXPECT_GT(g.Selection().Bottom, 3);
    QTest::mouseRelease(vp, Qt::LeftButton, Qt::NoModifier, QPoint(w.at(2, 3).x(), vp->height() + 10));
    w.settle();
    EXPECT_EQ(g.Selection().Top, 1);
}

TEST(FxGridMouse, AHeaderDragMovesTheColumnAndKeepsTheColumnOrder)
{
    Window w;
    TFxStringGrid& g = *w.grid;
    g.SetOptions(g.Options() | fw::goColMoving);
    for (int c = 1; c < 5; ++c)
        g.SetCells(c, 1, QString(QChar('A' + c - 1)));
    g.SetColumnOrder();
    QWidget* vp = g.viewport();
    QTest::mousePress(vp, Qt::LeftButton, Qt::NoModifier, w.at(1, 0, 20, 5));
    QTest::mouseMove(vp, w.at(3, 0, 20, 5));
    QTest::mouseRelease(vp, Qt::LeftButton, Qt::NoModifier, w.at(3, 0, 20, 5));
    w.settle();
    EXPECT_EQ(g.Cells(1, 1), "B");
    EXPECT_EQ(g.Cells(2, 1), "C");
    EXPECT_EQ(g.Cells(3, 1), "A");
    EXPECT_EQ(g.ColumnPosition(1), 3);
}

TEST(FxGridScroll, ThumbTrackingShowsTheColumnTheThumbPointsAt)
{
    Window w;
    TFxStringGrid& g = *w.grid;
    g.SetColCount(20);
    g.SetScrollHints(shHorizontal);
    const int visible = g.VisibleColCount();
    // 1 fixed column: the target is Pos * (20 - visible - 1) / 127 + 1.
    g.Perform(fw::WM_HSCROLL, fw::MakeWParam(fw::SB_THUMBTRACK, 127));
    EXPECT_EQ(g.HintText(), QStringLiteral("Col : %1").arg(20 - visible));
    g.Perform(fw::WM_HSCROLL, fw::MakeWParam(fw::SB_THUMBTRACK, 0));
    EXPECT_EQ(g.HintText(), "Col : 1");
    g.Perform(fw::WM_HSCROLL, fw::MakeWParam(fw::SB_ENDSCROLL, 0));
    EXPECT_EQ(g.HintText(), "");
    // The vertical bar says "Row : " and an OnScrollHint handler may change it.
    g.SetScrollHints(shBoth);
    g.Events().OnScrollHint = [](QObject*, int ARow, QString& s) { s += QStringLiteral(" of %1").arg(ARow); };
    g.Perform(fw::WM_VSCROLL, fw::MakeWParam(fw::SB_THUMBTRACK, 0));
    EXPECT_EQ(g.HintText(), "Row : 1 of 1");
}

TEST(FxGridScroll, TheDocumentedColumnFifteen)
{
    Window w;
    TFxStringGrid& g = *w.grid;
    g.SetColCount(20);
    for (int c = 0; c < 20; ++c)
        g.SetColWidths(c, 100);
    g.resize(5 * 101 + 101 + g.width() - g.ClientWidth() + 20, g.height());
    w.settle();
    ASSERT_EQ(g.VisibleColCount(), 5);
    g.SetScrollHints(shHorizontal);
    g.Perform(fw::WM_HSCROLL, fw::MakeWParam(fw::SB_THUMBTRACK, 127));
    EXPECT_EQ(g.HintText(), "Col : 15");
}

TEST(FxGridSizing, StretchColumnOutOfRangeRaisesAndStretchFillsTheClient)
{
    Window w;
    TFxStringGrid& g = *w.grid;
    EXPECT_THROW(g.StretchColumn(g.ColCount()), EFxGridError);
    try {
        g.StretchColumn(g.ColCount());
    } catch (const EFxGridError& e) {
        EXPECT_STREQ(e.what(), "Stretch column index out of range");
    }
    g.ColumnSize().SetStretch(true);
    g.StretchColumn(-1);
    int sum = 0;
    for (int c = 0; c < g.ColCount(); ++c)
        sum += g.ColWidths(c);
    EXPECT_EQ(sum, g.ClientWidth() - 1);
}

TEST(FxGridUpdate, ALockReleasedWhileHiddenIsStillReleased)
{
    Window w;
    TFxStringGrid& g = *w.grid;
    g.BeginUpdate();
    g.BeginUpdate();
    EXPECT_EQ(g.UpdateCount(), 2);
    g.EndUpdate();
    EXPECT_TRUE(g.LockUpdate());
    g.hide();
    g.EndUpdate();
    EXPECT_EQ(g.UpdateCount(), 0);
    g.show();
    EXPECT_TRUE(g.viewport()->updatesEnabled() || g.UpdateCount() == 0);
    // An unbalanced EndUpdate leaves the count at 0.
    g.EndUpdate();
    EXPECT_EQ(g.UpdateCount(), 0);
    EXPECT_TRUE(g.viewport()->updatesEnabled());
}

// A press on the selection with drag sources on: moving more than 3 pixels
// with the button down drags the selection (once per press); a release
// without that move selects the pressed cell; with drag sources off the
// same gesture is a range selection and nothing is dragged.
TEST(FxGridMouse, APressOnTheSelectionDragsItOnceMovedOrSelectsTheCellOnRelease)
{
    struct Case {
        const char* name;
        bool source;
        int move;   // pixels the pointer moves right before the release
        int drags;
        fw::TGridRect after;
    };
    const Case cases[] = {
        {"moved 10 px: one drag, the selection stays", true, 10, 1, {1, 1, 3, 3}},
        {"moved 3 px: no drag, the release selects the cell", true, 3, 0, {2, 2, 2, 2}},
        {"no move: the release selects the cell", true, 0, 0, {2, 2, 2, 2}},
        {"drag sources off: a range selection", false, 10, 0, {2, 2, 2, 2}},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.name);
        Window w;
        TFxStringGrid& g = *w.grid;
        g.SetOptions(g.Options() & ~fw::TGridOptions(fw::goEditing));
        g.DragDropSettings().SetOleDropSource(k.source);
        for (int r = 1; r < g.RowCount(); ++r)
            for (int c = 1; c < g.ColCount(); ++c)
                g.SetCells(c, r, QStringLiteral("%1%2").arg(QChar('a' + c - 1)).arg(r));
        g.SetSelection({1, 1, 3, 3});
        int drags = 0;
        QString dragged;
        SetDragRunnerForTesting([&](QMimeData* data, Qt::DropActions) {
            ++drags;
            dragged = data->text();
            return Qt::IgnoreAction;
        });
        QWidget* vp = g.viewport();
        const QPoint from = w.at(2, 2, 10, 5);
        QTest::mousePress(vp, Qt::LeftButton, Qt::NoModifier, from);
        if (k.source) {
            EXPECT_EQ(g.Selection(), (fw::TGridRect{1, 1, 3, 3})) << "the press keeps the selection";
        }
        if (k.move > 0) {
            QTest::mouseMove(vp, from + QPoint(k.move, 0));
            QTest::mouseMove(vp, from + QPoint(k.move + (k.move > 3 ? 2 : 0), 0));
        }
        QTest::mouseRelease(vp, Qt::LeftButton, Qt::NoModifier, from + QPoint(k.move, 0));
        SetDragRunnerForTesting({});
        EXPECT_EQ(drags, k.drags);
        if (k.drags > 0) {
            EXPECT_TRUE(dragged.contains("b2") && dragged.contains("c3")) << dragged.toStdString();
        }
        EXPECT_EQ(g.Selection(), k.after);
    }
}

// A drag of the selection that is refused (by OnOleDrag, or with
// OleColumnsOnly for a data cell) becomes a range selection: the selection
// grows from the current cell with the pointer, scrolls past the bottom,
// and the release keeps it. Nothing is dragged.
TEST(FxGridMouse, ARefusedDragOfTheSelectionSelectsARangeInstead)
{
    struct Case {
        const char* name;
        bool columnsOnly;
    };
    for (const Case k : {Case{"OnOleDrag refuses", false}, Case{"OleColumnsOnly", true}}) {
        SCOPED_TRACE(k.name);
        Window w;
        TFxStringGrid& g = *w.grid;
        g.SetOptions((g.Options() & ~fw::TGridOptions(fw::goEditing)) | fw::goRangeSelect);
        g.SetRowCount(40);
        g.DragDropSettings().SetOleDropSource(true);
        g.DragDropSettings().SetOleColumnsOnly(k.columnsOnly);
        int asked = 0;
        if (!k.columnsOnly)
            g.Events().OnOleDrag = [&](QObject*, int, int, const QString&, bool& allow) {
                ++asked;
                allow = false;
            };
        int drags = 0;
        SetDragRunnerForTesting([&](QMimeData*, Qt::DropActions) {
            ++drags;
            return Qt::IgnoreAction;
        });
        QWidget* vp = g.viewport();
        // The selection a user drags out first: its current cell is where it began.
        QTest::mousePress(vp, Qt::LeftButton, Qt::NoModifier, w.at(1, 1));
        QTest::mouseMove(vp, w.at(2, 2));
        QTest::mouseRelease(vp, Qt::LeftButton, Qt::NoModifier, w.at(2, 2));
        w.settle();
        ASSERT_EQ(g.Selection(), (fw::TGridRect{1, 1, 2, 2}));
        asked = 0;   // (the press was on the current cell: already a refused drag)
        int clicks = 0;
        g.OnClick = [&](QObject*) { ++clicks; };

        const QPoint from = w.at(2, 2, 10, 5);
        QTest::mousePress(vp, Qt::LeftButton, Qt::NoModifier, from);
        EXPECT_EQ(g.Selection(), (fw::TGridRect{1, 1, 2, 2})) << "the press keeps the selection";
        QTest::mouseMove(vp, w.at(3, 4));
        EXPECT_EQ(g.GridState(), fw::gsSelecting);
        EXPECT_EQ(g.Selection(), (fw::TGridRect{1, 1, 3, 4}));
        QTest::mouseMove(vp, w.at(4, 5));
        EXPECT_EQ(g.Selection(), (fw::TGridRect{1, 1, 4, 5}));
        const int top = g.TopRow();
        const QPoint below(w.at(4, 5).x(), vp->height() + 10);
        QTest::mouseMove(vp, below);
        g.Perform(fw::WM_TIMER, 1);   // the selection drag's scroll step
        EXPECT_GT(g.TopRow(), top);
        EXPECT_GT(g.Selection().Bottom, 5);
        QTest::mouseRelease(vp, Qt::LeftButton, Qt::NoModifier, below);
        w.settle();
        SetDragRunnerForTesting({});
        EXPECT_EQ(g.GridState(), fw::gsNormal);
        EXPECT_EQ(g.Selection().Left, 1);
        EXPECT_EQ(g.Selection().Top, 1);
        EXPECT_GT(g.Selection().Bottom, 5);
        EXPECT_EQ(drags, 0);
        EXPECT_EQ(asked, k.columnsOnly ? 0 : 1);
        EXPECT_GE(clicks, 1);
    }
}

} // namespace

#include "framework/Dialogs.h"

namespace {

// A press on a link: which anchors go where.
struct AnchorCase {
    const char* name;
    const char* href;
    int toCol, toRow;       // current cell afterwards
    const char* opened;     // the address handed to the desktop, or null
};

class FxGridAnchor : public ::testing::TestWithParam<AnchorCase> {};

TEST_P(FxGridAnchor, PressOnTheLink)
{
    const AnchorCase& k = GetParam();
    fw::DialogRecorder desk;
    fw::DialogSeam::Guard guard(desk);
    Window w;
    TFxStringGrid& g = *w.grid;
    g.SetColWidths(1, 200);
    g.SetCells(1, 1, QStringLiteral("<A href=\"%1\">link</A>").arg(k.href));
    w.click(w.at(1, 1, 8, 8));
    EXPECT_EQ(g.Col(), k.toCol);
    EXPECT_EQ(g.Row(), k.toRow);
    int opened = 0;
    for (const fw::DialogRequest& r : desk.Calls())
        if (r.kind == fw::DialogKind::OpenUrl) {
            ++opened;
            EXPECT_EQ(r.text, k.opened);
        }
    EXPECT_EQ(opened, k.opened ? 1 : 0);
}

INSTANTIATE_TEST_SUITE_P(
    Table, FxGridAnchor,
    ::testing::Values(AnchorCase{"cell_reference_jumps", "CELL://R3C2", 2, 3, nullptr},
                      AnchorCase{"bad_cell_reference_does_nothing", "CELL://nowhere", 1, 1, nullptr},
                      AnchorCase{"web_address_opens", "https://example.org/a", 1, 1, "https://example.org/a"},
                      AnchorCase{"mail_address_opens", "mailto:a@b.c", 1, 1, "mailto:a@b.c"},
                      AnchorCase{"local_file_is_ignored", "file:///etc/passwd", 1, 1, nullptr},
                      AnchorCase{"program_is_ignored", "/usr/bin/xterm", 1, 1, nullptr}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace

#include <QHelpEvent>
#include <QToolTip>

namespace {

TEST(FxGridHint, TheCellHintComesFromOnGridHintWithTheRowFirst)
{
    Window w;
    TFxStringGrid& g = *w.grid;
    QList<QPair<int, int>> asked;
    g.Events().OnGridHint = [&](QObject*, int ARow, int ACol, QString& hint) {
        asked.append({ARow, ACol});
        if (ACol == 2)
            hint = QStringLiteral("row %1").arg(ARow);
    };
    auto hover = [&](int c, int r) {
        const QPoint p = w.at(c, r);
        QHelpEvent e(QEvent::ToolTip, p, g.viewport()->mapToGlobal(p));
        QCoreApplication::sendEvent(g.viewport(), &e);
        return QToolTip::isVisible() ? QToolTip::text() : QString();
    };
    EXPECT_EQ(hover(2, 3), "row 3");
    EXPECT_EQ(hover(2, 4), "row 4");
    hover(1, 3);
    ASSERT_EQ(asked.size(), 3);
    EXPECT_EQ(asked[0], qMakePair(3, 2));
    EXPECT_EQ(asked[2], qMakePair(3, 1));
}

// The pointer rests on a cell: the hint shows at the pointer's X, its top
// 6 pixels below the cell (the tool tip's own offset is not added).
TEST(FxGridHint, TheCellHintStandsSixPixelsBelowTheCell)
{
    Window w;
    TFxStringGrid& g = *w.grid;
    g.Events().OnGridHint = [](QObject*, int, int, QString& hint) { hint = QStringLiteral("a hint"); };
    const QPoint p = w.at(2, 2, 12, 6);
    QTest::mouseMove(w.form->windowHandle(), g.viewport()->mapTo(w.form.get(), p));
    QWidget* tip = nullptr;
    for (int i = 0; i < 60 && !tip; ++i) {
        QTest::qWait(50);
        for (QWidget* t : QApplication::topLevelWidgets())
            if (t->isVisible() && t->inherits("QTipLabel"))
                tip = t;
    }
    ASSERT_NE(tip, nullptr) << "the hint shows after the pointer rested";
    const fw::TRect cell = g.CellRect(2, 2);
    const QPoint below = g.viewport()->mapToGlobal(QPoint(p.x(), cell.Bottom + 6));
    EXPECT_EQ(tip->pos(), below);
    QToolTip::hideText();
}

} // namespace

// ---------------------------------------------------------------- header sorting and the filter drop-down

namespace {

QStringList ColumnTexts(TFxStringGrid& g, int c)
{
    QStringList out;
    for (int r = g.FixedRows(); r < g.RowCount(); ++r)
        out << g.Cells(c, r);
    return out;
}

void FillSortable(TFxStringGrid& g)
{
    const QStringList names{"c", "a", "e", "b", "d"};
    for (int r = 1; r < 6; ++r) {
        g.SetCells(1, r, names[r - 1]);
        g.SetCells(2, r, QString::number(6 - r));
    }
}

TEST(FxGridMouse, HeaderClicksSortThenReverseThenRestoreWithUndoSort)
{
    Window w;
    TFxStringGrid& g = *w.grid;
    FillSortable(g);
    g.SortSettings().SetShow(true);
    g.SortSettings().SetUndoSort(true);
    QList<int> clicked;
    g.Events().OnClickSort = [&](QObject*, int c) { clicked << c; };
    const QStringList original = ColumnTexts(g, 1);
    w.click(w.at(1, 0, 10, 8));
    EXPECT_EQ(ColumnTexts(g, 1), (QStringList{"a", "b", "c", "d", "e"}));
    w.click(w.at(1, 0, 10, 8));
    EXPECT_EQ(ColumnTexts(g, 1), (QStringList{"e", "d", "c", "b", "a"}));
    w.click(w.at(1, 0, 10, 8));
    EXPECT_EQ(ColumnTexts(g, 1), original);
    EXPECT_EQ(g.SortSettings().Column(), -1);
    w.click(w.at(1, 0, 10, 8));
    EXPECT_EQ(ColumnTexts(g, 1), (QStringList{"a", "b", "c", "d", "e"}));
    EXPECT_EQ(clicked, (QList<int>{1, 1, -1, 1}));

    // Refused by the application: nothing moves.
    g.Events().OnCanSort = [](QObject*, int, bool& doSort) { doSort = false; };
    w.click(w.at(2, 0, 10, 8));
    EXPECT_EQ(ColumnTexts(g, 1), (QStringList{"a", "b", "c", "d", "e"}));
    EXPECT_EQ(g.SortSettings().Column(), 1);
}

TEST(FxGridMouse, ShiftClicksBuildTheIndexListAndMovedColumnsKeepTheSort)
{
    Window w;
    TFxStringGrid& g = *w.grid;
    FillSortable(g);
    g.SetCells(1, 5, "a");   // a tie on column 1: column 2 decides
    g.SortSettings().SetShow(true);
    g.SortSettings().SetIndexShow(true);
    w.click(w.at(1, 0, 10, 8));
    w.click(w.at(2, 0, 10, 8), Qt::ShiftModifier);
    w.click(w.at(2, 0, 10, 8), Qt::ShiftModifier);   // toggles column 2 to descending
    EXPECT_EQ(g.SortIndexes().SaveToString(), "u1;d2");
    EXPECT_EQ(ColumnTexts(g, 1), (QStringList{"a", "a", "b", "c", "e"}));
    EXPECT_EQ(ColumnTexts(g, 2), (QStringList{"4", "1", "2", "5", "3"}));
    EXPECT_EQ(g.SortSettings().Column(), 1);

    g.SortSettings().SetIndexShow(false);
    g.MoveColumn(1, 3);   // the sorted column moves right
    EXPECT_EQ(g.SortSettings().Column(), 3);
    g.MoveColumn(4, 2);   // a move across it pushes it right
    EXPECT_EQ(g.SortSettings().Column(), 4);
}

TEST(FxGridMouse, TheFilterGlyphOpensTheValueListAndEnterFilters)
{
    Window w;
    TFxStringGrid& g = *w.grid;
    FillSortable(g);
    g.SetCells(1, 5, "a");
    g.SetFilterDropDownAuto(true);
    const fw::TRect r = g.CellRect(1, 0);
    w.click(QPoint(r.Right - 8, r.Top + 6));
    TDropList& list = g.DropList();
    ASSERT_TRUE(list.isVisible());
    EXPECT_EQ(g.FilterColumn(), 1);
    ASSERT_EQ(list.count(), 5);   // (All), a, b, c, e
    EXPECT_EQ(list.item(0)->text(), "(All)");
    list.setCurrentRow(1);
    QTest::keyClick(&list, Qt::Key_Return);
    w.settle();
    EXPECT_FALSE(list.isVisible());
    EXPECT_EQ(ColumnTexts(g, 1), (QStringList{"a", "a"}));
    EXPECT_EQ(g.FilterColumn(), -1);
    EXPECT_EQ(g.SortSettings().Column(), -1);   // the glyph click did not sort
}

} // namespace

namespace {

// A press grabs a column border within 3 pixels of it; the drag then sizes
// the column by the distance moved.
struct SizingZoneCase {
    const char* name;
    int dx;   // press position right of the border line
    bool sizes;
};

class FxGridSizingZone : public ::testing::TestWithParam<SizingZoneCase> {};

TEST_P(FxGridSizingZone, APressNearTheBorderSizesTheColumn)
{
    const SizingZoneCase& k = GetParam();
    Window w;
    TFxStringGrid& g = *w.grid;
    g.SetOptions(g.Options() | fw::goColSizing);
    g.SetColWidths(2, 60);
    const fw::TRect r = g.CellRect(2, 0);
    const QPoint from(r.Right + k.dx, r.Top + 5);
    QWidget* vp = g.viewport();
    QTest::mousePress(vp, Qt::LeftButton, Qt::NoModifier, from);
    QTest::mouseMove(vp, from + QPoint(20, 0));
    QTest::mouseRelease(vp, Qt::LeftButton, Qt::NoModifier, from + QPoint(20, 0));
    w.settle();
    EXPECT_EQ(g.ColWidths(2), k.sizes ? 80 : 60);
}

INSTANTIATE_TEST_SUITE_P(Table, FxGridSizingZone,
                         ::testing::Values(SizingZoneCase{"four_left", -4, false},
                                           SizingZoneCase{"three_left", -3, true},
                                           SizingZoneCase{"on_the_line", 0, true},
                                           SizingZoneCase{"three_right", 3, true},
                                           SizingZoneCase{"five_right", 5, false}),
                         [](const auto& info) { return std::string(info.param.name); });

// Thumb tracking on a grid with nothing to scroll names the first normal
// column or row; a grid of fixed cells only has a range of 0.
TEST(FxGridScroll, ThumbTrackingWithNothingToScrollNamesTheFirstNormalCell)
{
    Window w;
    TFxStringGrid& g = *w.grid;
    g.SetScrollHints(shBoth);
    g.SetScrollProportional(true);
    g.Perform(fw::WM_HSCROLL, fw::MakeWParam(fw::SB_THUMBTRACK, 127));
    EXPECT_EQ(g.HintText(), "Col : 1");
    g.Perform(fw::WM_VSCROLL, fw::MakeWParam(fw::SB_THUMBTRACK, 127));
    EXPECT_EQ(g.HintText(), "Row : 1");
    g.SetColCount(1);
    g.SetRowCount(1);
    g.Perform(fw::WM_HSCROLL, fw::MakeWParam(fw::SB_THUMBTRACK, 64));
    EXPECT_EQ(g.HintText(), QStringLiteral("Col : %1").arg(g.FixedCols()));
    g.Perform(fw::WM_HSCROLL, fw::MakeWParam(fw::SB_ENDSCROLL, 0));
    g.UpdateProportionalHorzScroll();
    g.UpdateProportionalVertScroll();
    EXPECT_EQ(g.ColCount(), 1);
}

} // namespace

#include <QClipboard>

namespace {

// A cell button clicks on the release over it, in an editable cell only.
struct ButtonCase {
    const char* name;
    bool readOnly;
    int releaseDx;   // release position right of the press
    int clicks;
};

class FxGridCellButton : public ::testing::TestWithParam<ButtonCase> {};

TEST_P(FxGridCellButton, PressPushesReleaseOnTheButtonClicks)
{
    const ButtonCase& k = GetParam();
    Window w;
    TFxStringGrid& g = *w.grid;
    g.SetColWidths(2, 100);
    g.AddButton(2, 2, 40, 16, "Go", haLeft, vaTop);
    if (k.readOnly)
        g.Events().OnCanEditCell = [](QObject*, int, int, bool& can) { can = false; };
    QList<QPair<int, int>> clicks;
    g.Events().OnButtonClick = [&](QObject*, int c, int r) { clicks.append({c, r}); };
    const fw::TRect b = g.CellButtonRect(2, 2);
    ASSERT_GT(b.Width(), 0);
    const QPoint press(b.Left + 5, b.Top + 5);
    QTest::mousePress(g.viewport(), Qt::LeftButton, Qt::NoModifier, press);
    QTest::mouseRelease(g.viewport(), Qt::LeftButton, Qt::NoModifier, press + QPoint(k.releaseDx, 0));
    w.settle();
    EXPECT_EQ(clicks.size(), k.clicks);
    if (k.clicks == 1) {
        EXPECT_EQ(clicks[0], qMakePair(2, 2));
    }
    EXPECT_EQ(g.Col(), 2);
    EXPECT_EQ(g.Row(), 2);
    EXPECT_FALSE(g.NormalEdit() && g.NormalEdit()->isVisible());
}

INSTANTIATE_TEST_SUITE_P(Table, FxGridCellButton,
                         ::testing::Values(ButtonCase{"release_on_the_button", false, 0, 1},
                                           ButtonCase{"release_beside_it", false, 60, 0},
                                           ButtonCase{"read_only_cell", true, 0, 0}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(FxGridMouse, TheNodeGlyphClosesAndOpensItsNodeAndColumnZeroNeverBecomesCurrent)
{
    Window w;
    TFxStringGrid& g = *w.grid;
    g.SetRowCount(8);
    for (int r = 1; r < 8; ++r)
        g.SetCells(1, r, QString::number(r));
    g.AddNode(2, 3);   // rows 2 (the node), 3 and 4
    g.SetCol(2);
    g.SetRow(5);
    const fw::TRect cr = g.CellRect(0, 2);
    w.click(QPoint(cr.Left + 6, cr.Top + cr.Height() / 2));
    EXPECT_EQ(g.RowCount(), 6);
    EXPECT_EQ(g.Cells(1, 3), "5");
    EXPECT_EQ(g.Col(), 2);
    w.click(QPoint(cr.Left + 6, cr.Top + cr.Height() / 2));
    EXPECT_EQ(g.RowCount(), 8);
    EXPECT_EQ(g.Cells(1, 3), "3");
    // Beside the glyph the press does nothing.
    w.click(QPoint(cr.Right - 3, cr.Top + cr.Height() / 2));
    EXPECT_EQ(g.RowCount(), 8);
    EXPECT_EQ(g.Col(), 2);
}

// The node events name the row as shown and its real row; a refusal keeps
// the node as it was.
TEST(FxGridMouse, NodeGlyphClicksAskBeforeAndTellAfterOpeningOrClosing)
{
    Window w;
    TFxStringGrid& g = *w.grid;
    g.SetRowCount(8);
    g.AddNode(3, 3);   // real rows 3 (the node), 4 and 5
    g.HideRow(1);      // the node shows as row 2
    QStringList log;
    bool allowExpand = false;
    TFxGridEvents& e = g.Events();
    e.OnBeforeContractNode = [&](QObject*, int r, int real, bool&) { log << QStringLiteral("may close %1,%2").arg(r).arg(real); };
    e.OnContractNode = [&](QObject*, int r, int real) { log << QStringLiteral("closed %1,%2").arg(r).arg(real); };
    e.OnBeforeExpandNode = [&](QObject*, int r, int real, bool& allow) {
        log << QStringLiteral("may open %1,%2").arg(r).arg(real);
        allow = allowExpand;
    };
    e.OnExpandNode = [&](QObject*, int r, int real) { log << QStringLiteral("opened %1,%2").arg(r).arg(real); };
    const fw::TRect cr = g.CellRect(0, 2);
    const QPoint glyph(cr.Left + 6, cr.Top + cr.Height() / 2);
    w.click(glyph);
    EXPECT_EQ(g.RowCount(), 5);
    w.click(glyph);   // refused
    EXPECT_EQ(g.RowCount(), 5);
    allowExpand = true;
    w.click(glyph);
    EXPECT_EQ(g.RowCount(), 7);
    EXPECT_EQ(log.join("; ").toStdString(),
              "may close 2,3; closed 2,3; may open 2,3; may open 2,3; opened 2,3");
}

// With AutoSelectGroup a click on an open group's header row selects the
// group: its rows in one range, or each row's flag with disjunct rows.
TEST(FxGridMouse, AClickOnAnOpenGroupHeaderSelectsTheGroup)
{
    Window w;
    TFxStringGrid& g = *w.grid;
    g.SetOptions((g.Options() & ~fw::TGridOptions(fw::goEditing)) | fw::goRangeSelect);
    g.SetColCount(4);
    g.SetRowCount(4);
    const char* keys[] = {"A", "A", "B"};
    for (int r = 1; r < 4; ++r) {
        g.SetCells(1, r, keys[r - 1]);
        g.SetCells(2, r, QString::number(r));
    }
    g.Group(1);   // rows: header A, 1, 2, header B, 3
    ASSERT_TRUE(g.IsNode(1));
    ASSERT_EQ(g.GetNodeSpan(1), 3);
    g.Grouping().SetAutoSelectGroup(true);
    w.click(w.at(2, 1));
    EXPECT_EQ(g.Selection(), (fw::TGridRect{1, 1, g.ColCount() - 1, 3}));
    w.click(w.at(2, 5));   // a data row selects itself
    EXPECT_EQ(g.Selection(), (fw::TGridRect{2, 5, 2, 5}));
    g.ContractNode(g.RealRowIndex(1));
    w.click(w.at(2, 1));   // a closed group: only its header
    EXPECT_EQ(g.Selection(), (fw::TGridRect{2, 1, 2, 1}));
    g.ExpandNode(g.RealRowIndex(1));
    g.MouseActions().SetDisjunctRowSelect(true);
    w.click(w.at(2, 1));
    EXPECT_TRUE(g.RowSelect(2));
    EXPECT_TRUE(g.RowSelect(3));
    EXPECT_FALSE(g.RowSelect(5));
}

// The pointer paints the row under it and the fixed cell under it in their
// hover colours; leaving the grid takes both away.
// While the button is held the header cell under the pointer looks
// pressed: the down gradient of the gradient looks, the pressed header
// element of the list-view look, which follows the pointer from cell to cell
// and leaves with it.
TEST(FxGridMouse, TheHeaderUnderThePointerLooksPressedWhileTheButtonIsHeld)
{
    // A style whose header element shows its pressed state (the default
    // style of these tests draws it alike in every state).
    const std::unique_ptr<QStyle> style(QStyleFactory::create(QStringLiteral("Windows")));
    ASSERT_NE(style, nullptr);
    Window w;
    TFxStringGrid& g = *w.grid;
    g.SetOptions(g.Options() & ~fw::TGridOptions(fw::goEditing));
    QWidget* vp = g.viewport();
    auto cellImage = [&](int col, int row) {
        const fw::TRect r = g.CellRect(col, row);
        return vp->grab().toImage().copy(r.Left, r.Top, r.Width(), r.Height());
    };
    auto count = [&](fw::TColor c, int col, int row) {
        const QImage img = cellImage(col, row);
        const QRgb want = fw::ToQColor(c).rgb();
        int n = 0;
        for (int y = 0; y < img.height(); ++y)
            for (int x = 0; x < img.width(); ++x)
                n += img.pixel(x, y) == want;
        return n;
    };

    g.SetLook(glXP);
    g.SetHoverFixedCells(hfFixedRows);
    g.SetRIRGradientHoverFrom(0xAA00AA);
    g.SetRIRGradientHoverTo(0xAA00AA);
    g.SetRIRGradientDownFrom(0x00AAAA);
    g.SetRIRGradientDownTo(0x00AAAA);
    // The press and the release repaint the header cell on screen.
    int painted = 0;
    g.Events().OnGetCellColor = [&](QObject*, int r, int c, fw::TGridDrawState, fw::TBrush&, fw::TFont&) {
        painted += r == 0 && c == 2;
    };
    QTest::mouseMove(vp, w.at(2, 0));
    w.settle();
    EXPECT_GT(count(0xAA00AA, 2, 0), 100);
    EXPECT_EQ(count(0x00AAAA, 2, 0), 0);
    QTest::mousePress(vp, Qt::LeftButton, Qt::NoModifier, w.at(2, 0));
    painted = 0;
    QTest::qWait(20);
    EXPECT_GT(painted, 0) << "the press repainted the cell";
    EXPECT_GT(count(0x00AAAA, 2, 0), 100) << "pressed";
    QTest::mouseRelease(vp, Qt::LeftButton, Qt::NoModifier, w.at(2, 0));
    painted = 0;
    QTest::qWait(20);
    EXPECT_GT(painted, 0) << "the release repainted the cell";
    g.Events().OnGetCellColor = nullptr;
    w.settle();
    EXPECT_EQ(count(0x00AAAA, 2, 0), 0);
    EXPECT_GT(count(0xAA00AA, 2, 0), 100) << "hovered again";

    g.SetLook(glListView);
    g.SetHoverFixedCells(hfNone);
    g.setStyle(style.get());
    QTest::mouseMove(vp, w.at(2, 0));
    w.settle();
    const QImage plain = cellImage(3, 0);
    QTest::mousePress(vp, Qt::LeftButton, Qt::NoModifier, w.at(2, 0));
    const QImage pressed = cellImage(2, 0);
    testsupport::keepShot(&g, "grid-list-view-header-pressed");
    EXPECT_NE(pressed, plain) << "the pressed header element";
    EXPECT_EQ(cellImage(3, 0), plain);
    QTest::mouseMove(vp, w.at(3, 0));
    w.settle();
    EXPECT_EQ(cellImage(3, 0), pressed) << "the pressed look follows the pointer";
    EXPECT_EQ(cellImage(2, 0), plain);
    QTest::mouseRelease(vp, Qt::LeftButton, Qt::NoModifier, w.at(3, 0));
    w.settle();
    EXPECT_NE(cellImage(3, 0), pressed);
    QTest::mousePress(vp, Qt::LeftButton, Qt::NoModifier, w.at(2, 2));   // pressed in the cells
    QTest::mouseMove(vp, w.at(3, 0));
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(vp, &leave);
    w.settle();
    EXPECT_EQ(cellImage(3, 0), plain) << "the pointer left the grid";
    QTest::mouseRelease(vp, Qt::LeftButton, Qt::NoModifier, w.at(2, 2));
}

// A cell with an in-cell scroll bar gets the grid's scroll bar control over
// its painted bar while the pointer is on it: lines move its position by 10,
// pages by 100 and stop at the ends, each change fires OnScrollCell; other
// cells and scrolling the grid take the bar away.
TEST(FxGridMouse, TheInCellScrollBarFollowsThePointerAndMovesTheCellsPosition)
{
    Window w;
    TFxStringGrid& g = *w.grid;
    g.SetOptions(g.Options() & ~fw::TGridOptions(fw::goEditing));
    g.SetRowCount(40);
    g.SetRowHeights(2, 80);
    g.AddScrollBar(2, 2, false);
    g.SetScrollProp(2, 2, {20, 200});   // page 20 of 200: positions 0..180
    g.SetScrollPosition(2, 2, 30);
    g.AddScrollBar(3, 3, false);
    g.SetScrollProp(3, 3, {50, 40});    // all of it shows: no bar
    QStringList log;
    g.Events().OnScrollCell = [&](QObject*, int c, int r, int pos, int min, int max) {
        log << QStringLiteral("%1,%2 %3 %4..%5").arg(c).arg(r).arg(pos).arg(min).arg(max);
    };
    QWidget* vp = g.viewport();
    auto bar = [&]() -> QScrollBar* {
        for (QScrollBar* b : vp->findChildren<QScrollBar*>())
            if (b->isVisible())
                return b;
        return nullptr;
    };
    // The painted bar lies in its cell only: the row headers above and
    // below it look alike.
    auto cellImage = [&](int col, int row) {
        const fw::TRect r = g.CellRect(col, row);
        return vp->grab().toImage().copy(r.Left, r.Top, r.Width(), r.Height());
    };
    EXPECT_EQ(cellImage(0, 1), cellImage(0, 3));
    QTest::mouseMove(vp, w.at(2, 2));
    w.settle();
    QScrollBar* b = bar();
    ASSERT_NE(b, nullptr);
    const fw::TRect cr = g.CellRect(2, 2);
    EXPECT_EQ(b->geometry().right() + 1, cr.Right);
    EXPECT_EQ(b->geometry().top(), cr.Top);
    EXPECT_EQ(b->geometry().height(), cr.Height());
    EXPECT_EQ(b->value(), 30);
    EXPECT_EQ(b->maximum(), 180);
    testsupport::keepShot(&g, "grid-in-cell-scroll-bar");

    struct Step {
        QAbstractSlider::SliderAction action;
        int position;
    };
    for (const Step& k : {Step{QAbstractSlider::SliderSingleStepAdd, 40}, Step{QAbstractSlider::SliderPageStepAdd, 140},
                          Step{QAbstractSlider::SliderPageStepAdd, 180}, Step{QAbstractSlider::SliderSingleStepSub, 170},
                          Step{QAbstractSlider::SliderPageStepSub, 70}, Step{QAbstractSlider::SliderPageStepSub, 0}}) {
        b->triggerAction(k.action);
        EXPECT_EQ(g.GetScrollPosition(2, 2), k.position);
    }
    EXPECT_EQ(log.join("; ").toStdString(),
              "2,2 40 0..180; 2,2 140 0..180; 2,2 180 0..180; 2,2 170 0..180; 2,2 70 0..180; 2,2 0 0..180");
    b->triggerAction(QAbstractSlider::SliderPageStepSub);   // already at the top: nothing moves
    EXPECT_EQ(log.size(), 6);

    QTest::mouseMove(vp, w.at(3, 3));
    w.settle();
    EXPECT_EQ(bar(), nullptr) << "a cell whose bar shows everything gets none";
    QTest::mouseMove(vp, w.at(2, 2));
    w.settle();
    ASSERT_NE(bar(), nullptr);
    g.SetTopRow(3);
    EXPECT_EQ(bar(), nullptr) << "the cell scrolled away";
}

TEST(FxGridMouse, TheRowAndTheFixedCellUnderThePointerShowHovered)
{
    Window w;
    TFxStringGrid& g = *w.grid;
    g.SetLook(glXP);
    g.SetHoverRow(true);
    g.SetHoverRowColor(0x00CC00);
    g.SetHoverRowColorTo(fw::clNone);
    g.SetHoverFixedCells(hfFixedRows);
    g.SetRIRGradientHoverFrom(0xAA00AA);
    g.SetRIRGradientHoverTo(0xAA00AA);
    QWidget* vp = g.viewport();
    auto count = [&](fw::TColor c, int col, int row) {
        const QImage img = vp->grab().toImage();
        const fw::TRect r = g.CellRect(col, row);
        const QRgb want = fw::ToQColor(c).rgb();
        int n = 0;
        for (int y = r.Top; y < r.Bottom; ++y)
            for (int x = r.Left; x < r.Right; ++x)
                n += img.pixel(x, y) == want;
        return n;
    };
    QTest::mouseMove(vp, w.at(2, 3));
    w.settle();
    EXPECT_GT(count(0x00CC00, 3, 3), 100);
    EXPECT_EQ(count(0x00CC00, 3, 2), 0);
    QTest::mouseMove(vp, w.at(2, 4));
    w.settle();
    EXPECT_EQ(count(0x00CC00, 3, 3), 0) << "the old row returns to its colour";
    EXPECT_GT(count(0x00CC00, 3, 4), 100);
    // Only the fixed rows take the hover look here.
    EXPECT_EQ(count(0xAA00AA, 2, 0), 0);
    QTest::mouseMove(vp, w.at(2, 0));
    w.settle();
    EXPECT_GT(count(0xAA00AA, 2, 0), 100);
    QTest::mouseMove(vp, w.at(0, 2));
    w.settle();
    EXPECT_EQ(count(0xAA00AA, 2, 0), 0);
    EXPECT_EQ(count(0xAA00AA, 0, 2), 0);
    auto leave = [&] {
        QEvent e(QEvent::Leave);
        QApplication::sendEvent(vp, &e);
        w.settle();
    };
    QTest::mouseMove(vp, w.at(3, 0));
    w.settle();
    EXPECT_GT(count(0xAA00AA, 3, 0), 100);
    leave();
    EXPECT_EQ(count(0xAA00AA, 3, 0), 0) << "leaving the grid ends the header hover";
    QTest::mouseMove(vp, w.at(2, 4));
    w.settle();
    EXPECT_GT(count(0x00CC00, 3, 4), 100);
    leave();
    EXPECT_EQ(count(0x00CC00, 3, 4), 0) << "leaving the grid ends the row hover";
}

TEST(FxGridKeysNodes, RightOpensAndLeftClosesTheNodeOfAMergedNodeRow)
{
    Window w;
    TFxStringGrid& g = *w.grid;
    g.SetRowCount(8);
    g.AddNode(2, 3);
    g.MergeCells(1, 2, 4, 1);
    g.SetCol(1);
    g.SetRow(2);
    w.key(Qt::Key_Left);
    EXPECT_EQ(g.RowCount(), 6);
    w.key(Qt::Key_Right);
    EXPECT_EQ(g.RowCount(), 8);
}

// Header presses with the selection options: the row header selects rows,
// the column header columns, the corner everything; Shift extends from the
// previous selection and a drag along the header extends too.
TEST(FxGridMouse, HeaderPressesSelectRowsColumnsOrAll)
{
    Window w;
    TFxStringGrid& g = *w.grid;
    g.SetOptions((g.Options() & ~fw::TGridOptions(fw::goEditing)) | fw::goRangeSelect);
    g.MouseActions().SetRowSelect(true);
    g.MouseActions().SetColSelect(true);
    g.MouseActions().SetAllSelect(true);
    QWidget* vp = g.viewport();
    auto pressAt = [&](QPoint p, Qt::KeyboardModifiers m = Qt::NoModifier) {
        QTest::mouseMove(vp, p);
        w.click(p, m);
    };
    pressAt(w.at(0, 3));
    EXPECT_EQ(g.Selection(), (fw::TGridRect{1, 3, 4, 3}));
    pressAt(w.at(0, 5), Qt::ShiftModifier);
    EXPECT_EQ(g.Selection(), (fw::TGridRect{1, 3, 4, 5}));
    pressAt(w.at(2, 0, 20, 5));
    EXPECT_EQ(g.Selection(), (fw::TGridRect{2, 1, 2, 5}));
    pressAt(w.at(0, 0));
    EXPECT_EQ(g.Selection(), (fw::TGridRect{1, 1, 4, 5}));

    QTest::mouseMove(vp, w.at(0, 2));
    QTest::mousePress(vp, Qt::LeftButton, Qt::NoModifier, w.at(0, 2));
    QTest::mouseMove(vp, w.at(0, 4));
    QTest::mouseRelease(vp, Qt::LeftButton, Qt::NoModifier, w.at(0, 4));
    w.settle();
    EXPECT_EQ(g.Selection(), (fw::TGridRect{1, 2, 4, 4}));
}

TEST(FxGridMouse, TheRowHeaderShowsTheRowArrowCursor)
{
    Window w;
    TFxStringGrid& g = *w.grid;
    g.MouseActions().SetRowSelect(true);
    QTest::mouseMove(g.viewport(), w.at(0, 3));
    g.Perform(fw::WM_SETCURSOR);
    EXPECT_EQ(g.viewport()->cursor().shape(), Qt::BitmapCursor);
    EXPECT_EQ(g.viewport()->cursor().hotSpot(), QPoint(26, 16));
    QTest::mouseMove(g.viewport(), w.at(2, 3));
    g.Perform(fw::WM_SETCURSOR);
    EXPECT_NE(g.viewport()->cursor().shape(), Qt::BitmapCursor);
}

TEST(FxGridMouse, TheSelectionResizerRepeatsTheSelectedTextsAndLeavesTheClipboardAlone)
{
    Window w;
    TFxStringGrid& g = *w.grid;
    g.SetOptions((g.Options() & ~fw::TGridOptions(fw::goEditing)) | fw::goRangeSelect);
    g.SetSelectionRectangle(true);
    g.SetSelectionResizer(true);
    g.SetCells(1, 1, "a");
    g.SetCells(2, 1, "b");
    g.SetSelection({1, 1, 2, 1});
    QApplication::clipboard()->setText("the user's");
    const fw::TRect last = g.CellRect(2, 1);
    const QPoint handle(last.Right - 3, last.Bottom - 3);
    QWidget* vp = g.viewport();
    QTest::mousePress(vp, Qt::LeftButton, Qt::NoModifier, handle);
    QTest::mouseMove(vp, w.at(4, 2));
    QTest::mouseRelease(vp, Qt::LeftButton, Qt::NoModifier, w.at(4, 2));
    w.settle();
    EXPECT_EQ(g.Selection(), (fw::TGridRect{1, 1, 4, 2}));
    const QStringList row1{g.Cells(1, 1), g.Cells(2, 1), g.Cells(3, 1), g.Cells(4, 1)};
    const QStringList row2{g.Cells(1, 2), g.Cells(2, 2), g.Cells(3, 2), g.Cells(4, 2)};
    EXPECT_EQ(row1, (QStringList{"a", "b", "a", "b"}));
    EXPECT_EQ(row2, (QStringList{"a", "b", "a", "b"}));
    EXPECT_EQ(QApplication::clipboard()->text(), "the user's");
}

} // namespace

namespace {

// A moved column takes all its cells along, those of hidden rows included,
// and leaves a hidden column where it was.
TEST(FxGridSizing, AMovedColumnTakesItsCellsAlongPastHiddenColumnsAndRows)
{
    Window w;
    TFxStringGrid& g = *w.grid;
    for (int c = 0; c < 5; ++c)
        for (int r = 0; r < 6; ++r)
            g.SetCells(c, r, QStringLiteral("c%1r%2").arg(c).arg(r));
    g.SetColWidths(2, 90);
    g.HideColumn(1);   // display column 1 shows real column 2
    g.HideRow(3);
    g.SetCol(1);
    g.MoveColumn(1, 2);
    EXPECT_EQ(g.Col(), 2);   // the current column moved with its cells
    EXPECT_EQ(g.ColWidths(2), 90);
    g.UnHideRow(3);
    g.UnHideColumn(1);
    for (int r = 0; r < 6; ++r) {
        EXPECT_EQ(g.Cells(1, r), QStringLiteral("c1r%1").arg(r));
        EXPECT_EQ(g.Cells(2, r), QStringLiteral("c3r%1").arg(r));
        EXPECT_EQ(g.Cells(3, r), QStringLiteral("c2r%1").arg(r));
    }
}

// A move across a hidden column leaves that column hidden with its own
// cells and width: the cells move by real position, so the hidden flag and
// the width kept for it move too; the column order follows by real place.
TEST(FxGridSizing, AMoveAcrossAHiddenColumnKeepsItHiddenWithItsWidthAndOrder)
{
    Window w;
    TFxStringGrid& g = *w.grid;
    struct Case {
        const char* name;
        int from, to;
        QStringList shown, all;
        int hiddenAt;
    };
    const Case cases[] = {
        {"rightwards", 1, 2, {"c0", "c3", "c1", "c4"}, {"c0", "c2", "c3", "c1", "c4"}, 1},
        {"leftwards", 3, 1, {"c0", "c4", "c1", "c3"}, {"c0", "c4", "c1", "c2", "c3"}, 3},
    };
    for (const Case& k : cases) {
        for (int c = 0; c < 5; ++c) {
            g.SetCells(c, 0, QStringLiteral("c%1").arg(c));
            g.SetColWidths(c, 50 + 10 * c);
        }
        g.SetColumnOrder();
        g.HideColumn(2);   // shows c0 c1 c3 c4
        g.MoveColumn(k.from, k.to);
        QStringList shown, all;
        for (int c = 0; c < g.ColCount(); ++c)
            shown << g.Cells(g.RealColIndex(c), 0);
        for (int c = 0; c < g.TotalColCount(); ++c)
            all << g.AllCells(c, 0);
        EXPECT_EQ(shown, k.shown) << k.name;
        EXPECT_EQ(all, k.all) << k.name;
        EXPECT_EQ(g.NumHiddenColumns(), 1) << k.name;
        EXPECT_TRUE(g.IsHiddenColumn(k.hiddenAt)) << k.name;
        // Widths by real column: each column kept its own.
        for (int c = 0; c < g.TotalColCount(); ++c)
            EXPECT_EQ(g.AllColWidths(c), 50 + 10 * all[c].mid(1).toInt()) << k.name << " real " << c;
        for (int p = 0; p < g.TotalColCount(); ++p)
            EXPECT_EQ(g.ColumnAtPosition(p), all[p].mid(1).toInt()) << k.name << " position " << p;
        g.UnHideColumnsAll();
        EXPECT_EQ(g.ColWidths(k.hiddenAt), 70) << k.name;
        EXPECT_EQ(g.Cells(k.hiddenAt, 0), "c2") << k.name;
        g.ResetColumnOrder();
        for (int c = 0; c < 5; ++c)
            EXPECT_EQ(g.Cells(c, 0), QStringLiteral("c%1").arg(c)) << k.name;
    }
}

} // namespace

namespace {

// Wheel-button panning: the press starts it, each tick moves the current
// cell one step towards the pointer (nothing within 5 pixels of the start),
// and a key ends it before it is handled as usual.
TEST(FxGridPan, TheWheelButtonPansTowardsThePointerUntilAKeyEndsIt)
{
    Window w;
    TFxStringGrid& g = *w.grid;
    g.SetRowCount(30);
    g.SetCol(2);
    g.SetRow(5);
    QWidget* vp = g.viewport();
    const QPoint start = w.at(2, 5);
    QTest::mouseClick(vp, Qt::MiddleButton, Qt::NoModifier, start);
    // The ticks are driven here, not by the 10 ms timer. It goes before the
    // events are let through: a real tick reads the screen pointer, which the
    // click above does not move, and would pan by wherever it happens to be.
    g.KillTimer(999);
    w.settle();
    auto tickAt = [&](QPoint p) {
        QTest::mouseMove(vp, p);
        g.Perform(fw::WM_TIMER, 999);
    };
    tickAt(start + QPoint(0, 40));
    tickAt(start + QPoint(0, 40));
    EXPECT_EQ(g.Row(), 7);
    EXPECT_EQ(vp->cursor().shape(), Qt::SizeVerCursor);
    tickAt(start + QPoint(30, -5));   // vertical only, and inside the dead zone
    EXPECT_EQ(g.Row(), 7);
    EXPECT_EQ(g.Col(), 2);
    tickAt(start + QPoint(0, -40));
    EXPECT_EQ(g.Row(), 6);
    w.key(Qt::Key_Down);
    EXPECT_EQ(g.Row(), 7) << "the key is handled after panning ended";
    tickAt(start + QPoint(0, 40));
    EXPECT_EQ(g.Row(), 7) << "panning is over";
    EXPECT_NE(vp->cursor().shape(), Qt::SizeVerCursor);

    // Both directions, scrolling instead of moving the current cell.
    g.SetIntelliPan(ipBoth);
    g.SetColCount(30);
    g.MouseActions().SetWheelAction(waScroll);
    const int top = g.TopRow(), left = g.LeftCol(), row = g.Row();
    QTest::mouseClick(vp, Qt::MiddleButton, Qt::NoModifier, start);
    g.KillTimer(999);
    w.settle();
    tickAt(start + QPoint(40, 40));
    EXPECT_EQ(g.TopRow(), top + 1);
    EXPECT_EQ(g.LeftCol(), left + 1);
    EXPECT_EQ(g.Row(), row);
    QTest::mouseClick(vp, Qt::MiddleButton, Qt::NoModifier, start);   // a second press ends it
    w.settle();
    tickAt(start + QPoint(40, 40));
    EXPECT_EQ(g.TopRow(), top + 1);

    // ipNone: the wheel button does not pan.
    g.SetIntelliPan(ipNone);
    g.MouseActions().SetWheelAction(waMoveSelection);
    QTest::mouseClick(vp, Qt::MiddleButton, Qt::NoModifier, start);
    w.settle();
    const int r0 = g.Row();
    tickAt(start + QPoint(0, 40));
    EXPECT_EQ(g.Row(), r0);
}

} // namespace

namespace {

// Sweeping the pointer over two adjacent links: entering the second needs no
// exit from the first, leaving all links exits once with the last one; over a
// link the cursor is the hand and the hint names the link.
TEST(FxGridAnchorHover, EnterAndExitFollowThePointerWithTheHandCursorAndHint)
{
    Window w;
    TFxStringGrid& g = *w.grid;
    g.SetColWidths(2, 200);
    g.SetCells(2, 2, "<a href=\"one\">One</a><a href=\"two\">Two</a>");
    QStringList log;
    TFxGridEvents& e = g.Events();
    e.OnAnchorEnter = [&](QObject*, int r, int c, const QString& a) { log << QStringLiteral("enter %1 %2,%3").arg(a).arg(r).arg(c); };
    e.OnAnchorExit = [&](QObject*, int, int, const QString& a) { log << QStringLiteral("exit %1").arg(a); };
    e.OnAnchorHint = [](QObject*, int, int, QString& title) { title = QStringLiteral("Opens ") + title; };
    QWidget* vp = g.viewport();
    const fw::TRect r = g.CellRect(2, 2);
    const int y = r.Top + 8;
    QPoint overOne;
    for (int x = r.Left + 1; x < r.Right; x += 2) {
        QTest::mouseMove(vp, QPoint(x, y));
        if (log.size() == 1 && overOne.isNull()) {
            overOne = QPoint(x, y);
            g.Perform(fw::WM_SETCURSOR);
            EXPECT_EQ(vp->cursor().shape(), Qt::PointingHandCursor);
        }
    }
    QTest::mouseMove(vp, w.at(3, 4));
    EXPECT_EQ(log.join("; ").toStdString(), "enter one 2,2; enter two 2,2; exit two");
    g.Perform(fw::WM_SETCURSOR);
    EXPECT_NE(vp->cursor().shape(), Qt::PointingHandCursor);
    // The hint over a link without a title: the handler words it.
    ASSERT_FALSE(overOne.isNull());
    g.SetAnchorHint(true);
    QHelpEvent help(QEvent::ToolTip, overOne, vp->mapToGlobal(overOne));
    QApplication::sendEvent(vp, &help);
    EXPECT_EQ(QToolTip::text(), "Opens one");
    QToolTip::hideText();
}

} // namespace

namespace {

// The drop-down button of a header cell: a press on it asks the application
// for a menu and pops it up under the button; the header click is told, but
// it sorts nothing.
TEST(FxGridFixedDropDown, APressOnTheButtonPopsUpTheApplicationsMenu)
{
    Window w;
    TFxStringGrid& g = *w.grid;
    g.SetHoverFixedCells(hfFixedRows);
    g.ControlLook().SetFixedDropDownButton(true);
    g.SortSettings().SetShow(true);
    QMenu menu;
    menu.addAction(QStringLiteral("Hide column"));
    QStringList log;
    g.Events().OnFixedDropDownClick = [&](QObject*, int c, int r, QMenu*& m, bool&) {
        log << QStringLiteral("drop-down %1,%2").arg(c).arg(r);
        m = &menu;
    };
    g.Events().OnClickCell = [&](QObject*, int r, int c) { log << QStringLiteral("click %1,%2").arg(r).arg(c); };
    const fw::TRect r = g.CellRect(2, 0);
    w.click(QPoint(r.Right - 8, r.Top + 5));
    EXPECT_EQ(log.join("; ").toStdString(), "drop-down 2,0; click 0,2");
    EXPECT_TRUE(menu.isVisible());
    EXPECT_TRUE(g.PaintFeedback().FixedDropDownOpen);
    EXPECT_EQ(g.SortSettings().Column(), -1) << "the button is no sort click";
    menu.hide();
    w.settle();
    EXPECT_FALSE(g.PaintFeedback().FixedDropDownOpen);
    // Beside the button the press is a header click as before.
    log.clear();
    w.click(QPoint(r.Left + 8, r.Top + 5));
    EXPECT_FALSE(log.join("; ").contains("drop-down"));
    // A header without the hover look has no button.
    g.SetHoverFixedCells(hfNone);
    log.clear();
    w.click(QPoint(r.Right - 8, r.Top + 5));
    EXPECT_FALSE(log.join("; ").contains("drop-down"));
}

} // namespace
