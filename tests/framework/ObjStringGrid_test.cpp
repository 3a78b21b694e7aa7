#include "framework/ObjStringGrid.h"
#include "framework/Canvas.h"
#include "framework/Forms.h"
#include "framework/StringGridEditor.h"

#include <QApplication>
#include <QDropEvent>
#include <QElapsedTimer>
#include <QMimeData>
#include <QImage>
#include <QLineEdit>
#include <QPaintEvent>
#include <QScrollBar>
#include <QTest>
#include <QWheelEvent>
#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <functional>
#include <map>
#include <stdexcept>
#include <string>
#include <vector>

using namespace fw;

namespace {

// Records the hooks in the order the grid calls them.
class RecordingGrid : public TObjStringGrid {
public:
    using TObjStringGrid::TObjStringGrid;
    std::vector<std::string> log;
    bool refuseSelect = false;
    int clearKey = 0;          // KeyDown clears this key before the default handling
    int drawCalls = 0;
    int editLimit = 0;
    bool throwInDraw = false;
    TCanvas* drawCanvas = nullptr;   // the canvas a throwing DrawCell saw
    std::map<std::pair<int, int>, TGridDrawState> drawStates;

    using TStringGrid::BeginSelecting;
    using TStringGrid::Dispatch;
    using TStringGrid::paintEvent;

protected:
    void WndProc(TMessage& m) override
    {
        switch (m.Msg) {
        case WM_KEYDOWN: log.push_back("WM_KEYDOWN"); break;
        case WM_KEYUP: log.push_back("WM_KEYUP"); break;
        case WM_CHAR: log.push_back("WM_CHAR"); break;
        case WM_LBUTTONDOWN: log.push_back("WM_LBUTTONDOWN"); break;
        case WM_LBUTTONUP: log.push_back("WM_LBUTTONUP"); break;
        case WM_LBUTTONDBLCLK: log.push_back("WM_LBUTTONDBLCLK"); break;
        case WM_MOUSEWHEEL: log.push_back("WM_MOUSEWHEEL"); break;
        case WM_VSCROLL: log.push_back("WM_VSCROLL"); break;
        case WM_SETFOCUS: log.push_back("WM_SETFOCUS"); break;
        case WM_KILLFOCUS: log.push_back("WM_KILLFOCUS"); break;
        default: break;
        }
        TObjStringGrid::WndProc(m);
    }
    void KeyDown(int& Key, TShiftState Shift) override
    {
        log.push_back("KeyDown");
        if (Key == clearKey)
            Key = 0;
        TObjStringGrid::KeyDown(Key, Shift);
    }
    void KeyUp(int& Key, TShiftState Shift) override
    {
        log.push_back("KeyUp");
        TObjStringGrid::KeyUp(Key, Shift);
    }
    void KeyPress(QChar& Key) override
    {
        log.push_back("KeyPress");
        TObjStringGrid::KeyPress(Key);
    }
    bool SelectCell(int ACol, int ARow) override
    {
        log.push_back("SelectCell " + std::to_string(ACol) + "," + std::to_string(ARow));
        return !refuseSelect && TObjStringGrid::SelectCell(ACol, ARow);
    }
    void MouseDown(TMouseButton B, TShiftState S, int X, int Y) override
    {
        log.push_back(S.Contains(ssDouble) ? "MouseDown double" : "MouseDown");
        TObjStringGrid::MouseDown(B, S, X, Y);
    }
    void MouseUp(TMouseButton B, TShiftState S, int X, int Y) override
    {
        log.push_back("MouseUp");
        TObjStringGrid::MouseUp(B, S, X, Y);
    }
    void Click() override
    {
        log.push_back("Click");
        TObjStringGrid::Click();
    }
    void DblClick() override
    {
        log.push_back("DblClick");
        TObjStringGrid::DblClick();
    }
    bool DoMouseWheelDown(TShiftState S, TPoint P) override
    {
        log.push_back("DoMouseWheelDown");
        return TObjStringGrid::DoMouseWheelDown(S, P);
    }
    void TopLeftChanged() override
    {
        log.push_back("TopLeftChanged");
        TObjStringGrid::TopLeftChanged();
    }
    void ColWidthsChanged() override
    {
        log.push_back("ColWidthsChanged");
        TObjStringGrid::ColWidthsChanged();
    }
    void RowHeightsChanged() override
    {
        log.push_back("RowHeightsChanged");
        TObjStringGrid::RowHeightsChanged();
    }
    void ColumnMoved(int From, int To) override
    {
        log.push_back("ColumnMoved " + std::to_string(From) + "," + std::to_string(To));
        TObjStringGrid::ColumnMoved(From, To);
    }
    void SetEditText(int ACol, int ARow, const QString& Value) override
    {
        log.push_back("SetEditText " + std::to_string(ACol) + "," + std::to_string(ARow) + " " + Value.toStdString());
        TObjStringGrid::SetEditText(ACol, ARow, Value);
    }
    void DoEnter() override
    {
        log.push_back("DoEnter");
        TObjStringGrid::DoEnter();
    }
    void DoExit() override
    {
        log.push_back("DoExit");
        TObjStringGrid::DoExit();
    }
    int GetEditLimit() override { return editLimit; }
    void DrawCell(int ACol, int ARow, const TRect& R, TGridDrawState S) override
    {
        ++drawCalls;
        drawStates[{ACol, ARow}] = S;
        if (throwInDraw) {
            drawCanvas = &Canvas();
            throw std::runtime_error("drawing hook failed");
        }
        TObjStringGrid::DrawCell(ACol, ARow, R, S);
    }
};

// Cells are 64 x 24 with 1-pixel lines: column c starts at 65 * c, row r at 25 * r
// (while nothing is scrolled).
class StringGridTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        grid.setFrameShape(QFrame::NoFrame);
        grid.SetScrollBars(ssNone);
        grid.setGeometry(0, 0, 300, 200);   // 4 full columns + part of a fifth, 8 rows
        sibling.setGeometry(0, 210, 100, 20);
        window.resize(300, 240);
        grid.SetColCount(10);
        grid.SetRowCount(20);
        window.show();
        window.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
        grid.setFocus();
        QApplication::processEvents();
        grid.log.clear();
    }
    static QPoint CellCenter(int c, int r) { return {65 * c + 30, 25 * r + 12}; }
    QWidget* vp() { return grid.viewport(); }
    void Key(Qt::Key k, Qt::KeyboardModifiers m = Qt::NoModifier)
    {
        QTest::keyClick(QApplication::focusWidget(), k, m);
    }

    QWidget window;
    RecordingGrid grid{&window};
    QLineEdit sibling{&window};
};

} // namespace

// ------------------------------------------------------------------ cells

TEST_F(StringGridTest, CellsAreSparseAndSurviveShrinkingTheGrid)
{
    grid.SetCells(2, 3, "a");
    grid.SetCells(500, 100000, "far");
    EXPECT_EQ(grid.Cells(500, 100000), "far");
    EXPECT_EQ(grid.Cells(7, 7), "");
    grid.SetRowCount(2);
    grid.SetRowCount(20);
    EXPECT_EQ(grid.Cells(2, 3), "a");
    int token = 0;
    grid.SetObjects(4, 4, &token);
    EXPECT_EQ(grid.Objects(4, 4), &token);
    EXPECT_EQ(grid.Objects(4, 5), nullptr);
    // Indices at the end of the range must not be stored densely.
    grid.SetCells(INT_MAX - 1, INT_MAX - 1, "edge");
    grid.SetObjects(INT_MAX, 3, &grid);
    EXPECT_EQ(grid.Cells(INT_MAX - 1, INT_MAX - 1), "edge");
    EXPECT_EQ(grid.Objects(INT_MAX, 3), &grid);
    grid.DeleteRow(1);
    EXPECT_EQ(grid.Cells(INT_MAX - 1, INT_MAX - 1), "edge");
    EXPECT_EQ(grid.Objects(INT_MAX, 2), &grid);
}

TEST_F(StringGridTest, ClearingTextsOfAnAreaKeepsEverythingElse)
{
    int token = 0;
    grid.SetCells(1, 1, "in");
    grid.SetCells(3, 2, "in too");
    grid.SetCells(0, 1, "left of it");
    grid.SetCells(16001, 2, "right of it");
    grid.SetCells(2, 3, "below it");
    grid.SetCells(2, 1000000, "far below");
    grid.SetCells(16000, 2, "far right, inside");
    grid.SetCells(16000, 3, "below the far right");
    grid.SetObjects(2, 2, &token);
    grid.ClearCellTexts(TGridRect{1, 1, 16000, 2});
    EXPECT_EQ(grid.Cells(1, 1), "");
    EXPECT_EQ(grid.Cells(3, 2), "");
    EXPECT_EQ(grid.Cells(16000, 2), "");
    EXPECT_EQ(grid.Cells(0, 1), "left of it");
    EXPECT_EQ(grid.Cells(16001, 2), "right of it");
    EXPECT_EQ(grid.Cells(16000, 3), "below the far right");
    EXPECT_EQ(grid.Cells(2, 3), "below it");
    EXPECT_EQ(grid.Cells(2, 1000000), "far below");
    EXPECT_EQ(grid.Objects(2, 2), &token) << "objects stay";
    EXPECT_THROW(grid.ClearCellTexts(TGridRect{-1, 0, 3, 3}), EGridError);
    // An area of every column and row clears at the cost of what is stored.
    QElapsedTimer t;
    t.start();
    grid.ClearCellTexts(TGridRect{0, 0, INT_MAX, INT_MAX});
    EXPECT_LT(t.elapsed(), 1000);
    EXPECT_EQ(grid.Cells(2, 1000000), "");
}

TEST_F(StringGridTest, NegativeCellIndicesRaiseAClearError)
{
    struct Case {
        int c, r;
    };
    for (Case k : {Case{-1, 0}, Case{0, -1}, Case{-5, -5}}) {
        EXPECT_THROW(grid.Cells(k.c, k.r), EGridError);
        EXPECT_THROW(grid.SetCells(k.c, k.r, "x"), EGridError);
        EXPECT_THROW(grid.Objects(k.c, k.r), EGridError);
        EXPECT_THROW(grid.SetObjects(k.c, k.r, nullptr), EGridError);
    }
    // Callers that handle every framework error catch grid errors too.
    try {
        grid.Cells(-1, 2);
        FAIL();
    } catch (const Exception& e) {
        EXPECT_NE(dynamic_cast<const EGridError*>(&e), nullptr);
        EXPECT_TRUE(e.Message().contains("-1"));
        EXPECT_NE(std::string(e.what()).find("-1"), std::string::npos);
    }
    EXPECT_THROW(grid.SetFixedCols(10), EGridError);
    EXPECT_THROW(grid.SetFixedRows(-1), EGridError);
    EXPECT_THROW(grid.SetCol(10), EGridError);
}

TEST_F(StringGridTest, DeletedRowsAndColumnsDoNotReappearWhenTheGridGrows)
{
    for (int r = 0; r < 20; ++r)
        grid.SetCells(1, r, QString::number(r));
    grid.SetCells(3, 1, "col3");
    grid.DeleteRow(5);
    EXPECT_EQ(grid.RowCount(), 19);
    EXPECT_EQ(grid.Cells(1, 5), "6");
    EXPECT_EQ(grid.Cells(1, 18), "19");
    grid.SetRowCount(20);
    EXPECT_EQ(grid.Cells(1, 19), "");
    grid.DeleteColumn(2);
    EXPECT_EQ(grid.Cells(2, 1), "col3");
    grid.SetColCount(10);
    EXPECT_EQ(grid.Cells(9, 1), "");
}

TEST_F(StringGridTest, MovedAndDeletedRowsAndColumnsCarryTheirCells)
{
    // Reference: a dense table moved the plain way.
    std::vector<std::vector<QString>> model(20, std::vector<QString>(10));
    for (int r = 0; r < 20; ++r)
        for (int c = 0; c < 10; ++c)
            if ((c + r) % 3 != 0) {   // leave holes: storage is sparse
                model[size_t(r)][size_t(c)] = QString("%1,%2").arg(c).arg(r);
                grid.SetCells(c, r, model[size_t(r)][size_t(c)]);
            }
    int token = 0;
    grid.SetObjects(4, 6, &token);   // an object without text moves too
    grid.SetCells(500, 100000, "far");
    enum Op { MoveRow, MoveCol, DeleteRow, DeleteCol, DeleteRows, InsertRows, ExchangeRows };
    struct Step {
        Op op;
        int from, to;
    };
    const Step steps[] = {{MoveRow, 2, 7}, {MoveRow, 8, 1}, {MoveCol, 1, 4}, {MoveCol, 6, 0},
                          {DeleteRow, 3, 0}, {DeleteCol, 2, 0}, {DeleteRow, 0, 0}, {MoveRow, 0, 17},
                          // bulk edits: (row, count) and the two rows exchanged
                          {DeleteRows, 4, 3}, {InsertRows, 2, 2}, {ExchangeRows, 1, 12}, {InsertRows, 16, 3},
                          {DeleteRows, 14, 50}, {ExchangeRows, 6, 3}};
    auto moveIn = [](auto& v, int from, int to) {
        auto value = std::move(v[size_t(from)]);
        v.erase(v.begin() + from);
        v.insert(v.begin() + to, std::move(value));
    };
    auto adjust = [](int index, int from, int to) {
        if (index == from)
            return to;
        if (from < to && index > from && index <= to)
            return index - 1;
        if (from > to && index >= to && index < from)
            return index + 1;
        return index;
    };
    int objectCol = 4, objectRow = 6;
    for (const Step& s : steps) {
        switch (s.op) {
        case MoveRow:
            grid.MoveRow(s.from, s.to);
            moveIn(model, s.from, s.to);
            objectRow = adjust(objectRow, s.from, s.to);
            break;
        case MoveCol:
            grid.MoveColumn(s.from, s.to);
            for (auto& row : model)
                moveIn(row, s.from, s.to);
            objectCol = adjust(objectCol, s.from, s.to);
            break;
        case DeleteRow:
            grid.DeleteRow(s.from);
            model.erase(model.begin() + s.from);
            objectRow = objectRow > s.from ? objectRow - 1 : objectRow;
            break;
        case DeleteRows: {
            const int gone = std::min(s.to, int(model.size()) - s.from);   // a count past the end stops there
            grid.DeleteRows(s.from, s.to);
            model.erase(model.begin() + s.from, model.begin() + s.from + gone);
            ASSERT_TRUE(objectRow < s.from || objectRow >= s.from + gone);
            objectRow = objectRow >= s.from ? objectRow - gone : objectRow;
            break;
        }
        case InsertRows:
            grid.InsertRows(s.from, s.to);
            model.insert(model.begin() + s.from, size_t(s.to), std::vector<QString>(model[0].size()));
            objectRow = objectRow >= s.from ? objectRow + s.to : objectRow;
            break;
        case ExchangeRows:
            grid.ExchangeRowCells(s.from, s.to);
            std::swap(model[size_t(s.from)], model[size_t(s.to)]);
            objectRow = objectRow == s.from ? s.to : objectRow == s.to ? s.from : objectRow;
            break;
        case DeleteCol:
            grid.DeleteColumn(s.from);
            for (auto& row : model)
                row.erase(row.begin() + s.from);
            objectCol = objectCol > s.from ? objectCol - 1 : objectCol;
            break;
        }
    }
    ASSERT_EQ(grid.RowCount(), int(model.size()));
    ASSERT_EQ(grid.ColCount(), int(model[0].size()));
    for (int r = 0; r < grid.RowCount() + 2; ++r)
        for (int c = 0; c < grid.ColCount() + 2; ++c) {
            const bool inModel = r < int(model.size()) && c < int(model[0].size());
            EXPECT_EQ(grid.Cells(c, r), inModel ? model[size_t(r)][size_t(c)] : QString()) << c << "," << r;
        }
    EXPECT_EQ(grid.Objects(objectCol, objectRow), &token);
    EXPECT_EQ(grid.Cells(500, 100000), "far");
}

TEST_F(StringGridTest, BulkRowEditsCarryHeightsAndFollowTheCurrentRowLikeSingleDeletes)
{
    for (int r = 0; r < 20; ++r)
        grid.SetRowHeights(r, 10 + r);
    grid.SetRow(10);
    grid.DeleteRows(2, 3);   // three single deletes at row 2 would leave the same grid
    EXPECT_EQ(grid.RowCount(), 17);
    EXPECT_EQ(grid.Row(), 7);
    EXPECT_EQ(grid.RowHeights(1), 11);
    EXPECT_EQ(grid.RowHeights(2), 15);
    EXPECT_EQ(grid.RowHeights(16), 29);

    grid.InsertRows(1, 2);
    EXPECT_EQ(grid.RowCount(), 19);
    EXPECT_EQ(grid.Row(), 7);
    EXPECT_EQ(grid.RowHeights(0), 10);
    EXPECT_EQ(grid.RowHeights(1), 24);   // the default height
    EXPECT_EQ(grid.RowHeights(2), 24);
    EXPECT_EQ(grid.RowHeights(3), 11);
    EXPECT_EQ(grid.RowHeights(18), 29);

    grid.InsertRows(19, 1);   // at RowCount: appends
    EXPECT_EQ(grid.RowCount(), 20);
    EXPECT_EQ(grid.RowHeights(19), 24);

    EXPECT_THROW(grid.DeleteRows(20, 1), EGridError);
    EXPECT_THROW(grid.InsertRows(21, 1), EGridError);
    EXPECT_THROW(grid.InsertRows(0, INT_MAX), EGridError);
    EXPECT_THROW(grid.ExchangeRowCells(0, 20), EGridError);
    EXPECT_EQ(grid.RowCount(), 20);
}

TEST_F(StringGridTest, RowsTakenOutComeBackWithTheirCellsObjectsAndHeights)
{
    grid.SetColCount(3);
    grid.SetRowCount(8);
    int token = 0;
    for (int r = 0; r < 8; ++r) {
        grid.SetRowHeights(r, 10 + r);
        grid.SetCells(1, r, QString::number(r));
    }
    grid.SetObjects(2, 5, &token);
    grid.SetCells(40, 3, QStringLiteral("far"));   // past the columns: travels with its row
    std::vector<TGridRowCells> taken(3);
    grid.TakeRows({1, 3, 5}, [&](std::size_t i, TGridRowCells& cells) { taken[i] = std::move(cells); });
    ASSERT_EQ(grid.RowCount(), 5);
    const int kept[] = {0, 2, 4, 6, 7};
    for (int r = 0; r < 5; ++r) {
        EXPECT_EQ(grid.Cells(1, r), QString::number(kept[r])) << r;
        EXPECT_EQ(grid.RowHeights(r), 10 + kept[r]) << r;
    }
    EXPECT_EQ(grid.Objects(2, 3), nullptr);
    EXPECT_EQ(grid.Cells(40, 1), QString());
    EXPECT_EQ(taken[1].Text(40), "far");
    EXPECT_EQ(taken[2].Object(2), &token);

    std::vector<TStringGrid::TPutRow> put;
    for (int i = 0; i < 3; ++i)
        put.push_back({1 + 2 * i, std::move(taken[std::size_t(i)]), 11 + 2 * i});
    grid.PutRows(std::move(put));
    ASSERT_EQ(grid.RowCount(), 8);
    for (int r = 0; r < 8; ++r) {
        EXPECT_EQ(grid.Cells(1, r), QString::number(r)) << r;
        EXPECT_EQ(grid.RowHeights(r), 10 + r) << r;
    }
    EXPECT_EQ(grid.Objects(2, 5), &token);
    EXPECT_EQ(grid.Cells(40, 3), "far");

    const auto ignore = [](std::size_t, TGridRowCells&) {};
    EXPECT_THROW(grid.TakeRows({2, 1}, ignore), EGridError);
    EXPECT_THROW(grid.TakeRows({8}, ignore), EGridError);
    EXPECT_EQ(grid.RowCount(), 8);
}

TEST_F(StringGridTest, DeletingARowCostsTheRowsMovedNotEveryCell)
{
    constexpr int Cols = 100, Rows = 10000;   // 1,000,000 cells
    grid.SetColCount(Cols);
    grid.SetRowCount(Rows);
    const QString text = QStringLiteral("cell");
    QElapsedTimer clock;
    clock.start();
    for (int r = 0; r < Rows; ++r)
        for (int c = 0; c < Cols; ++c)
            grid.SetCells(c, r, text);
    const qint64 fillNs = clock.nsecsElapsed();
    clock.restart();
    for (int i = 0; i < 10; ++i)
        grid.DeleteRow(1);
    const qint64 deleteNs = clock.nsecsElapsed();
    // Rebuilding every cell per delete costs about a fill each time; moving
    // the rows below costs a small part of it.
    EXPECT_LT(deleteNs, fillNs / 4) << "fill " << fillNs / 1000000 << " ms, 10 deletes " << deleteNs / 1000000 << " ms";
    EXPECT_EQ(grid.RowCount(), Rows - 10);
    EXPECT_EQ(grid.Cells(Cols - 1, Rows - 11), text);
    EXPECT_EQ(grid.Cells(0, Rows - 10), QString());
}

// A write repaints the written cell where it shows; a write out of view, an
// unchanged text or a write into a hidden grid repaints nothing.
TEST_F(StringGridTest, WritingACellRepaintsOnlyThatCellWhereItShows)
{
    struct PaintSpy : QObject {
        QRegion region;
        bool eventFilter(QObject*, QEvent* e) override
        {
            if (e->type() == QEvent::Paint)
                region += static_cast<QPaintEvent*>(e)->region();
            return false;
        }
    } spy;
    QApplication::processEvents();
    vp()->installEventFilter(&spy);
    auto paintedAfter = [&](const std::function<void()>& write) {
        spy.region = QRegion();
        write();
        QApplication::processEvents();
        return spy.region;
    };
    const TRect cell = grid.CellRect(2, 3);
    const QRegion written = paintedAfter([&] { grid.SetCells(2, 3, "in view"); });
    EXPECT_TRUE(written.contains(QRect(cell.Left, cell.Top, cell.Width(), cell.Height())));
    EXPECT_TRUE(QRect(cell.Left - 1, cell.Top - 1, cell.Width() + 2, cell.Height() + 2)
                    .contains(written.boundingRect()))
        << "painted " << written.boundingRect().x() << "," << written.boundingRect().y() << " "
        << written.boundingRect().width() << "x" << written.boundingRect().height();
    EXPECT_TRUE(paintedAfter([&] { grid.SetCells(2, 3, "in view"); }).isEmpty()) << "same text";
    EXPECT_TRUE(paintedAfter([&] { grid.SetCells(2, 15, "below the view"); }).isEmpty());
    EXPECT_TRUE(paintedAfter([&] { grid.SetCells(8, 1, "right of the view"); }).isEmpty());

    grid.hide();
    EXPECT_TRUE(paintedAfter([&] { grid.SetCells(2, 3, "hidden"); }).isEmpty());
    // Shown again, the grid paints what was written meanwhile.
    grid.drawCalls = 0;
    spy.region = QRegion();
    grid.show();
    EXPECT_TRUE(QTest::qWaitFor([&] { return spy.region.contains(QPoint(cell.Left + 5, cell.Top + 5)); }, 2000));
    EXPECT_GT(grid.drawCalls, 0);
}

// ------------------------------------------------------------------ geometry

TEST_F(StringGridTest, CellRectFollowsScrollingAndIsEmptyOutOfView)
{
    EXPECT_EQ(grid.CellRect(1, 1), TRect(65, 25, 129, 49));
    EXPECT_EQ(grid.CellRect(4, 0), TRect(260, 0, 300, 24)); // clipped at the client edge
    EXPECT_EQ(grid.VisibleColCount(), 3);                    // columns 1..3 fully visible
    EXPECT_EQ(grid.VisibleRowCount(), 7);                    // rows 1..7
    grid.SetTopRow(5);
    grid.SetLeftCol(3);
    EXPECT_EQ(grid.CellRect(0, 0), TRect(0, 0, 64, 24));     // fixed cells never move
    EXPECT_EQ(grid.CellRect(3, 5), TRect(65, 25, 129, 49));  // first scrolled cell right after them
    EXPECT_EQ(grid.CellRect(0, 5), TRect(0, 25, 64, 49));
    EXPECT_EQ(grid.CellRect(2, 2), TRect());                 // scrolled out
    EXPECT_EQ(grid.CellRect(1, 30), TRect());                // beyond the grid
    int c = 0, r = 0;
    grid.MouseToCell(66, 26, c, r);
    EXPECT_EQ(c, 3);
    EXPECT_EQ(r, 5);
    grid.MouseToCell(64, 24, c, r);   // the line belongs to the cell before it
    EXPECT_EQ(c, 0);
    EXPECT_EQ(r, 0);
    grid.SetColCount(3);
    grid.MouseToCell(280, 30, c, r);  // right of the last column
    EXPECT_EQ(c, -1);
    EXPECT_EQ(r, 5);
}

TEST(StringGridLayout, EveryChangeOfSizesMovesTheCells)
{
    // Cell (2, 3) of a fresh 10 x 20 grid lies at (130, 75, 194, 99) with 7
    // rows fully in view; each change must show in the very next query, after
    // the old layout was used.
    struct Case {
        const char* name;
        std::function<void(TObjStringGrid&)> change;
        TRect expected;
        int fullRows;
    };
    const Case cases[] = {
        {"column width", [](TObjStringGrid& g) { g.SetColWidths(1, 30); }, TRect(96, 75, 160, 99), 7},
        {"row height", [](TObjStringGrid& g) { g.SetRowHeights(2, 60); }, TRect(130, 111, 194, 135), 5},
        {"default row height", [](TObjStringGrid& g) { g.SetDefaultRowHeight(20); }, TRect(130, 63, 194, 83), 8},
        {"moved row", [](TObjStringGrid& g) { g.SetRowHeights(5, 40); g.CellRect(2, 3); g.MoveRow(5, 1); },
         TRect(130, 91, 194, 115), 6},
        {"inserted row", [](TObjStringGrid& g) { g.SetRowHeights(1, 10); g.CellRect(2, 3); g.InsertRows(1, 1); },
         TRect(130, 61, 194, 85), 7},
        {"deleted row", [](TObjStringGrid& g) { g.SetRowHeights(1, 10); g.CellRect(2, 3); g.DeleteRows(1, 1); },
         TRect(130, 75, 194, 99), 7},
        {"line width", [](TObjStringGrid& g) { g.SetGridLineWidth(3); }, TRect(134, 81, 198, 105), 6},
        {"no lines", [](TObjStringGrid& g) { g.SetOptions(goRangeSelect); }, TRect(128, 72, 192, 96), 7},
        {"scrolled", [](TObjStringGrid& g) { g.SetTopRow(2); }, TRect(130, 50, 194, 74), 7},
        {"smaller client", [](TObjStringGrid& g) { g.resize(150, 60); }, TRect(), 1},
    };
    for (const Case& c : cases) {
        TObjStringGrid grid;
        grid.setFrameShape(QFrame::NoFrame);
        grid.SetScrollBars(ssNone);
        grid.resize(300, 200);
        grid.SetColCount(10);
        grid.SetRowCount(20);
        grid.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&grid));
        ASSERT_EQ(grid.CellRect(2, 3), TRect(130, 75, 194, 99)) << c.name;
        ASSERT_EQ(grid.VisibleRowCount(), 7) << c.name;
        c.change(grid);
        QApplication::processEvents();
        EXPECT_EQ(grid.CellRect(2, 3), c.expected) << c.name;
        EXPECT_EQ(grid.VisibleRowCount(), c.fullRows) << c.name;
    }
}

TEST_F(StringGridTest, TopLeftIsClampedSoTheLastCellsFillTheView)
{
    grid.SetTopRow(100);
    EXPECT_EQ(grid.TopRow(), 13);   // rows 13..19 fill the 7 scrollable rows
    grid.SetLeftCol(0);
    EXPECT_EQ(grid.LeftCol(), 1);   // never under the fixed column
    grid.SetLeftCol(100);
    EXPECT_EQ(grid.LeftCol(), 7);
}

// ------------------------------------------------------------------ keyboard

TEST_F(StringGridTest, NavigationKeys)
{
    struct Case {
        const char* name;
        TGridCoord start;
        Qt::Key key;
        Qt::KeyboardModifiers mods;
        TGridOptions options;
        TGridCoord expected;
        TGridRect selection;
    };
    const TGridOptions base = DefaultGridOptions;
    const std::vector<Case> cases = {
        {"right", {1, 1}, Qt::Key_Right, Qt::NoModifier, base, {2, 1}, {2, 1, 2, 1}},
        {"left stops at fixed", {1, 1}, Qt::Key_Left, Qt::NoModifier, base, {1, 1}, {1, 1, 1, 1}},
        {"down", {2, 2}, Qt::Key_Down, Qt::NoModifier, base, {2, 3}, {2, 3, 2, 3}},
        {"up stops at fixed", {2, 1}, Qt::Key_Up, Qt::NoModifier, base, {2, 1}, {2, 1, 2, 1}},
        {"page down", {2, 1}, Qt::Key_PageDown, Qt::NoModifier, base, {2, 8}, {2, 8, 2, 8}},
        {"page up", {2, 15}, Qt::Key_PageUp, Qt::NoModifier, base, {2, 8}, {2, 8, 2, 8}},
        {"home", {5, 4}, Qt::Key_Home, Qt::NoModifier, base, {1, 4}, {1, 4, 1, 4}},
        {"end", {2, 4}, Qt::Key_End, Qt::NoModifier, base, {9, 4}, {9, 4, 9, 4}},
        {"ctrl home", {5, 9}, Qt::Key_Home, Qt::ControlModifier, base, {1, 1}, {1, 1, 1, 1}},
        {"ctrl end", {2, 2}, Qt::Key_End, Qt::ControlModifier, base, {9, 19}, {9, 19, 9, 19}},
        {"shift right extends", {2, 2}, Qt::Key_Right, Qt::ShiftModifier, base, {3, 2}, {2, 2, 3, 2}},
        {"shift down without range select", {2, 2}, Qt::Key_Down, Qt::ShiftModifier,
         base & ~TGridOptions(goRangeSelect), {2, 3}, {2, 3, 2, 3}},
        {"tab ignored without goTabs", {2, 2}, Qt::Key_Tab, Qt::NoModifier, base, {2, 2}, {2, 2, 2, 2}},
        {"tab", {2, 2}, Qt::Key_Tab, Qt::NoModifier, base | goTabs, {3, 2}, {3, 2, 3, 2}},
        {"tab wraps to next row", {9, 2}, Qt::Key_Tab, Qt::NoModifier, base | goTabs, {1, 3}, {1, 3, 1, 3}},
        {"shift tab wraps back", {1, 3}, Qt::Key_Backtab, Qt::ShiftModifier, base | goTabs, {9, 2}, {9, 2, 9, 2}},
        {"row select home", {1, 7}, Qt::Key_Home, Qt::NoModifier, base | goRowSelect, {1, 1}, {1, 1, 9, 1}},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.name);
        grid.SetOptions(k.options);
        grid.FocusCell(k.start.X, k.start.Y, true);
        grid.setFocus();
        Key(k.key, k.mods);
        EXPECT_EQ(grid.Col(), k.expected.X);
        EXPECT_EQ(grid.Row(), k.expected.Y);
        EXPECT_EQ(grid.Selection(), k.selection);
    }
}

TEST_F(StringGridTest, ClearedKeySuppressesTheDefaultMovement)
{
    grid.FocusCell(2, 2, true);
    grid.OnKeyDown = [](QObject*, int& key, TShiftState) {
        if (key == VK_DOWN)
            key = 0;
    };
    Key(Qt::Key_Down);
    EXPECT_EQ(grid.Row(), 2);
    grid.clearKey = VK_RIGHT;   // a descendant's KeyDown clearing the key
    Key(Qt::Key_Right);
    EXPECT_EQ(grid.Col(), 2);
    Key(Qt::Key_Left);
    EXPECT_EQ(grid.Col(), 1);
}

TEST_F(StringGridTest, KeyMessagesReachTheHooksInOrder)
{
    grid.FocusCell(2, 2, true);
    grid.log.clear();
    Key(Qt::Key_Down);
    const std::vector<std::string> expected = {"WM_KEYDOWN", "KeyDown", "SelectCell 2,3", "Click", "WM_KEYUP", "KeyUp"};
    EXPECT_EQ(grid.log, expected);

    grid.log.clear();
    Key(Qt::Key_A);
    const std::vector<std::string> typed = {"WM_KEYDOWN", "KeyDown", "WM_CHAR", "KeyPress", "WM_KEYUP", "KeyUp"};
    EXPECT_EQ(grid.log, typed);
}

TEST_F(StringGridTest, SelectCellCanRefuseAMove)
{
    grid.FocusCell(2, 2, true);
    grid.refuseSelect = true;
    Key(Qt::Key_Down);
    QTest::mouseClick(vp(), Qt::LeftButton, {}, CellCenter(3, 4));
    EXPECT_EQ(grid.Col(), 2);
    EXPECT_EQ(grid.Row(), 2);
}

TEST_F(StringGridTest, ScrollingKeepsTheCurrentCellInView)
{
    grid.FocusCell(1, 7, true);
    EXPECT_EQ(grid.TopRow(), 1);
    Key(Qt::Key_Down);
    EXPECT_EQ(grid.Row(), 8);
    EXPECT_EQ(grid.TopRow(), 2);
    Key(Qt::Key_Up, Qt::ControlModifier);   // Ctrl+Up scrolls without moving
    EXPECT_EQ(grid.TopRow(), 1);
    EXPECT_EQ(grid.Row(), 8);
    grid.SetCol(6);
    EXPECT_EQ(grid.LeftCol(), 4);           // columns 4..6 are the full ones
    EXPECT_EQ(grid.CellRect(0, 8).Left, 0);
}

// ------------------------------------------------------------------ mouse

TEST_F(StringGridTest, ClickSelectsAndShiftClickExtends)
{
    QTest::mouseClick(vp(), Qt::LeftButton, {}, CellCenter(2, 3));
    EXPECT_EQ(grid.Col(), 2);
    EXPECT_EQ(grid.Row(), 3);
    QTest::mouseClick(vp(), Qt::LeftButton, Qt::ShiftModifier, CellCenter(3, 5));
    EXPECT_EQ(grid.Selection(), (TGridRect{2, 3, 3, 5}));
    EXPECT_EQ(grid.Col(), 2);               // the anchor moves, the current cell stays
    QTest::mouseClick(vp(), Qt::LeftButton, {}, CellCenter(0, 3));   // fixed cells are not selectable
    EXPECT_EQ(grid.Col(), 2);
}

TEST_F(StringGridTest, MouseHooksRunInOrder)
{
    grid.log.clear();
    QTest::mouseClick(vp(), Qt::LeftButton, {}, CellCenter(2, 3));
    const std::vector<std::string> expected = {"WM_LBUTTONDOWN", "MouseDown", "SelectCell 2,3",
                                               "WM_LBUTTONUP", "MouseUp", "Click"};
    EXPECT_EQ(grid.log, expected);
    grid.log.clear();
    QTest::mouseDClick(vp(), Qt::LeftButton, {}, CellCenter(2, 3));
    EXPECT_NE(std::find(grid.log.begin(), grid.log.end(), "DblClick"), grid.log.end());
    EXPECT_NE(std::find(grid.log.begin(), grid.log.end(), "MouseDown double"), grid.log.end());
}

TEST_F(StringGridTest, DragSelectsARange)
{
    QTest::mousePress(vp(), Qt::LeftButton, {}, CellCenter(1, 1));
    QTest::mouseMove(vp(), CellCenter(2, 2));
    QTest::mouseMove(vp(), CellCenter(3, 4));
    EXPECT_EQ(grid.GridState(), gsSelecting);
    QTest::mouseRelease(vp(), Qt::LeftButton, {}, CellCenter(3, 4));
    EXPECT_EQ(grid.GridState(), gsNormal);
    EXPECT_EQ(grid.Selection(), (TGridRect{1, 1, 3, 4}));
}

TEST_F(StringGridTest, DragBelowTheGridScrollsAndExtendsTheSelection)
{
    QTest::mousePress(vp(), Qt::LeftButton, {}, CellCenter(1, 2));
    QTest::mouseMove(vp(), QPoint(100, 250));
    QTRY_VERIFY_WITH_TIMEOUT(grid.TopRow() >= 3, 2000);
    QTest::mouseRelease(vp(), Qt::LeftButton, {}, QPoint(100, 250));
    const TGridRect sel = grid.Selection();
    EXPECT_EQ(sel.Top, 2);
    EXPECT_GE(sel.Bottom, 9);
    EXPECT_EQ(sel.Bottom, grid.TopRow() + grid.VisibleRowCount() - 1);
    const int top = grid.TopRow();
    QTest::qWait(150);
    EXPECT_EQ(grid.TopRow(), top);           // the timer stops with the button
}

// A descendant enters the selection drag without a press on a cell (a
// gesture it first took for something else): the moving corner follows the
// pointer from the current cell, and the release ends it with Click. No
// other drag state can be turned into it.
TEST_F(StringGridTest, ASelectionDragEnteredFromOutsideExtendsFromTheCurrentCell)
{
    grid.SetRow(2);
    grid.SetCol(1);
    int clicks = 0;
    grid.OnClick = [&](QObject*) { ++clicks; };
    EXPECT_TRUE(grid.BeginSelecting());
    EXPECT_EQ(grid.GridState(), gsSelecting);
    QTest::mouseMove(vp(), CellCenter(3, 4));
    EXPECT_EQ(grid.Selection(), (TGridRect{1, 2, 3, 4}));
    QTest::mouseRelease(vp(), Qt::LeftButton, {}, CellCenter(3, 5));
    EXPECT_EQ(grid.GridState(), gsNormal);
    EXPECT_EQ(grid.Selection(), (TGridRect{1, 2, 3, 5}));
    EXPECT_EQ(clicks, 1);

    grid.SetOptions(grid.Options() | goColSizing);
    QTest::mousePress(vp(), Qt::LeftButton, {}, QPoint(129, 12));   // on a header border
    ASSERT_EQ(grid.GridState(), gsColSizing);
    EXPECT_FALSE(grid.BeginSelecting());
    EXPECT_EQ(grid.GridState(), gsColSizing);
    QTest::mouseRelease(vp(), Qt::LeftButton, {}, QPoint(129, 12));
}

// Drags over the grid reach DragOver in client points: enter, moves, and a
// leave also before a drop; the drop lands only where the last move was
// accepted. Without an OnDragOver handler nothing is accepted.
TEST_F(StringGridTest, DragsOverTheGridReachDragOverAndAcceptedDropsDragDrop)
{
    grid.setFrameShape(QFrame::Box);   // client points differ from the grid's own
    QApplication::processEvents();
    const QPoint offset = vp()->mapTo(&grid, QPoint(0, 0));
    ASSERT_NE(offset, QPoint(0, 0));
    std::vector<std::string> seen;
    grid.OnDragOver = [&](QObject*, QObject*, int x, int y, TDragState state, bool& accept) {
        const char* names[] = {"enter", "leave", "move"};
        seen.push_back(std::string(names[state]) + " " + std::to_string(x) + "," + std::to_string(y));
        int c = -1, r = -1;
        grid.MouseToCell(x, y, c, r);
        accept = c == 1;
    };
    std::vector<std::string> drops;
    grid.OnDragDrop = [&](QObject*, QObject*, int x, int y) {
        drops.push_back(std::to_string(x) + "," + std::to_string(y));
    };
    QMimeData data;
    data.setText(QStringLiteral("x"));
    auto send = [&](QEvent::Type type, QPoint client) {
        const QPoint p = client + offset;
        if (type == QEvent::DragEnter) {
            QDragEnterEvent e(p, Qt::CopyAction, &data, Qt::LeftButton, {});
            QApplication::sendEvent(&grid, &e);
            return e.isAccepted() && e.dropAction() != Qt::IgnoreAction;
        }
        if (type == QEvent::DragMove) {
            QDragMoveEvent e(p, Qt::CopyAction, &data, Qt::LeftButton, {});
            QApplication::sendEvent(&grid, &e);
            return e.isAccepted();
        }
        QDropEvent e(p, Qt::CopyAction, &data, Qt::LeftButton, {});
        QApplication::sendEvent(&grid, &e);
        return e.isAccepted();
    };
    EXPECT_FALSE(send(QEvent::DragEnter, CellCenter(2, 1)));
    EXPECT_TRUE(send(QEvent::DragMove, CellCenter(1, 1)));
    EXPECT_FALSE(send(QEvent::DragMove, CellCenter(2, 2)));
    EXPECT_FALSE(send(QEvent::Drop, CellCenter(2, 2)));
    EXPECT_TRUE(drops.empty());
    EXPECT_TRUE(send(QEvent::DragEnter, CellCenter(1, 2)));
    EXPECT_TRUE(send(QEvent::Drop, CellCenter(1, 2)));
    const QPoint at = CellCenter(1, 2);
    const std::string xy = std::to_string(at.x()) + "," + std::to_string(at.y());
    EXPECT_EQ(drops, std::vector<std::string>{xy});
    const std::vector<std::string> expected = {"enter 160,37", "move 95,37", "move 160,62", "leave 160,62",
                                               "enter " + xy, "leave " + xy};
    EXPECT_EQ(seen, expected);

    grid.OnDragOver = nullptr;
    EXPECT_FALSE(send(QEvent::DragEnter, CellCenter(1, 2)));
    EXPECT_FALSE(send(QEvent::Drop, CellCenter(1, 2)));
    EXPECT_EQ(drops.size(), 1u);
}

TEST_F(StringGridTest, WheelMovesTheRowUnlessAHandlerTakesIt)
{
    grid.FocusCell(2, 2, true);
    auto wheel = [this](int delta) {
        QWheelEvent e(QPointF(50, 50), vp()->mapToGlobal(QPointF(50, 50)), QPoint(), QPoint(0, delta),
                      Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(vp(), &e);
    };
    wheel(-120);
    EXPECT_EQ(grid.Row(), 3);
    wheel(-60);                    // half a notch waits for the other half
    EXPECT_EQ(grid.Row(), 3);
    wheel(-60);
    EXPECT_EQ(grid.Row(), 4);
    wheel(240);
    EXPECT_EQ(grid.Row(), 2);
    grid.OnMouseWheelDown = [](QObject*, TShiftState, TPoint, bool& handled) { handled = true; };
    grid.log.clear();
    wheel(-120);
    EXPECT_EQ(grid.Row(), 2);
    const std::vector<std::string> expected = {"WM_MOUSEWHEEL", "DoMouseWheelDown"};
    EXPECT_EQ(grid.log, expected);
}

TEST_F(StringGridTest, ColumnAndRowSizingWithTheMouse)
{
    struct Case {
        const char* name;
        TGridOptions extra;
        QPoint from, to;
        bool columns;
        int index, expected;
    };
    const std::vector<Case> cases = {
        {"column border in the header", goColSizing, {129, 10}, {150, 10}, true, 1, 85},
        {"column narrower", goColSizing, {194, 10}, {170, 10}, true, 2, 40},
        {"column without the option", 0, {129, 10}, {150, 10}, true, 1, 64},
        {"column border below the header", goColSizing, {129, 60}, {150, 60}, true, 1, 64},
        {"row border in the fixed column", goRowSizing, {20, 49}, {20, 69}, false, 1, 44},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.name);
        grid.SetOptions(DefaultGridOptions | k.extra);
        grid.SetDefaultColWidth(64);
        grid.SetDefaultRowHeight(24);
        grid.log.clear();
        QTest::mousePress(vp(), Qt::LeftButton, {}, k.from);
        QTest::mouseMove(vp(), k.to);
        QTest::mouseRelease(vp(), Qt::LeftButton, {}, k.to);
        EXPECT_EQ(k.columns ? grid.ColWidths(k.index) : grid.RowHeights(k.index), k.expected);
        const char* hook = k.columns ? "ColWidthsChanged" : "RowHeightsChanged";
        EXPECT_EQ(std::count(grid.log.begin(), grid.log.end(), hook), k.expected != 64 && k.expected != 24 ? 1 : 0);
        EXPECT_EQ(grid.GridState(), gsNormal);
    }
}

TEST_F(StringGridTest, ColumnMovingCarriesDataAndWidth)
{
    grid.SetOptions(DefaultGridOptions | goColMoving);
    grid.SetColWidths(1, 50);
    for (int c = 0; c < 5; ++c)
        grid.SetCells(c, 2, QString("c%1").arg(c));
    grid.FocusCell(1, 2, true);
    int from = -1, to = -1;
    grid.OnColumnMoved = [&](QObject*, int f, int t) {
        from = f;
        to = t;
    };
    grid.log.clear();
    QTest::mousePress(vp(), Qt::LeftButton, {}, QPoint(70, 10));
    EXPECT_EQ(grid.GridState(), gsColMoving);
    QTest::mouseMove(vp(), QPoint(200, 10));
    QTest::mouseRelease(vp(), Qt::LeftButton, {}, QPoint(200, 10));
    EXPECT_EQ(from, 1);
    EXPECT_EQ(to, 3);
    EXPECT_EQ(grid.Cells(3, 2), "c1");
    EXPECT_EQ(grid.Cells(1, 2), "c2");
    EXPECT_EQ(grid.ColWidths(3), 50);
    EXPECT_EQ(grid.Col(), 3);                // the current cell moves with its column
    EXPECT_NE(std::find(grid.log.begin(), grid.log.end(), "ColumnMoved 1,3"), grid.log.end());
}

// ------------------------------------------------------------------ editor

TEST_F(StringGridTest, EditorStartsCommitsAndCancels)
{
    grid.SetOptions(DefaultGridOptions | goEditing);
    grid.SetCells(2, 2, "old");
    grid.FocusCell(2, 2, true);

    Key(Qt::Key_F2);
    ASSERT_TRUE(grid.EditorMode());
    TInplaceEdit* editor = grid.InplaceEditor();
    ASSERT_NE(editor, nullptr);
    EXPECT_TRUE(editor->isVisible());
    EXPECT_EQ(editor->Text(), "old");
    EXPECT_EQ(QApplication::focusWidget(), editor);
    QTest::keyClicks(editor, "er");
    grid.log.clear();
    Key(Qt::Key_Return);
    EXPECT_FALSE(grid.EditorMode());
    EXPECT_EQ(grid.Cells(2, 2), "older");
    // The editor hands the focus back to the grid (no DoEnter: it never left).
    EXPECT_EQ(grid.log, (std::vector<std::string>{"KeyPress", "SetEditText 2,2 older", "WM_SETFOCUS", "KeyUp"}));
    EXPECT_EQ(QApplication::focusWidget(), &grid);

    // Typing a character opens the editor with that character.
    Key(Qt::Key_X);
    QApplication::processEvents();
    ASSERT_TRUE(grid.EditorMode());
    EXPECT_EQ(editor->Text(), "x");
    Key(Qt::Key_Escape);
    EXPECT_FALSE(grid.EditorMode());
    EXPECT_EQ(grid.Cells(2, 2), "older");

    // Enter opens the editor with the whole text selected, so typing replaces it.
    Key(Qt::Key_Return);
    ASSERT_TRUE(grid.EditorMode());
    EXPECT_EQ(editor->selectedText(), "older");
    Key(Qt::Key_End);
    QTest::keyClicks(editor, "!");
    // An arrow key commits and moves on.
    Key(Qt::Key_Down);
    EXPECT_EQ(grid.Cells(2, 2), "older!");
    EXPECT_EQ(grid.Row(), 3);
    EXPECT_FALSE(grid.EditorMode());
}

TEST_F(StringGridTest, ClickOnTheCurrentCellOpensTheEditor)
{
    grid.SetOptions(DefaultGridOptions | goEditing);
    grid.SetCells(3, 3, "v");
    QTest::mouseClick(vp(), Qt::LeftButton, {}, CellCenter(3, 3));
    EXPECT_FALSE(grid.EditorMode());
    QTest::mouseClick(vp(), Qt::LeftButton, {}, CellCenter(3, 3));
    ASSERT_TRUE(grid.EditorMode());
    EXPECT_EQ(grid.InplaceEditor()->geometry(), QRect(195, 75, 64, 24));
}

TEST_F(StringGridTest, EditorIsRefusedWithRowSelectOrWithoutEditing)
{
    struct Case {
        const char* name;
        TGridOptions options;
    };
    for (Case k : {Case{"no editing", DefaultGridOptions}, Case{"row select", DefaultGridOptions | goEditing | goRowSelect}}) {
        SCOPED_TRACE(k.name);
        grid.SetOptions(k.options);
        grid.SetCells(1, 1, "keep");
        grid.FocusCell(1, 1, true);
        Key(Qt::Key_F2);
        Key(Qt::Key_Z);
        QApplication::processEvents();
        EXPECT_TRUE(grid.InplaceEditor() == nullptr || !grid.InplaceEditor()->isVisible());
        EXPECT_EQ(grid.Cells(1, 1), "keep");
    }
}

TEST_F(StringGridTest, LeavingTheGridKeepsTheTypedText)
{
    grid.SetOptions(DefaultGridOptions | goEditing);
    grid.FocusCell(1, 1, true);
    Key(Qt::Key_F2);
    QTest::keyClicks(grid.InplaceEditor(), "typed");
    grid.log.clear();
    sibling.setFocus();
    QApplication::processEvents();
    EXPECT_EQ(grid.Cells(1, 1), "typed");
    EXPECT_FALSE(grid.EditorMode());
    EXPECT_EQ(grid.log, (std::vector<std::string>{"SetEditText 1,1 typed", "DoExit"}));
}

TEST_F(StringGridTest, EditLimitHoldsBackTypingButNeverCutsTheCellText)
{
    const QString longText(40000, QChar('x'));
    struct Case {
        const char* name;
        QString cell;
        int limit;
        const char* typed;   // at the end of the text
        QString expected;
    };
    const Case cases[] = {
        {"long text, untouched", longText, 0, "", longText},
        {"long text, typed on", longText, 0, "z", longText + "z"},
        {"over the limit, untouched", "abcdef", 3, "", "abcdef"},
        {"over the limit, typed on", "abcdef", 3, "gh", "abcdef"},
        {"typing stops at the limit", "", 3, "abcdef", "abc"},
        {"typing fills up to the limit", "ab", 3, "cd", "abc"},
    };
    grid.SetOptions(DefaultGridOptions | goEditing);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        grid.editLimit = c.limit;
        grid.SetCells(1, 1, c.cell);
        grid.FocusCell(1, 1, true);
        Key(Qt::Key_F2);
        ASSERT_TRUE(grid.EditorMode());
        QTest::keyClicks(grid.InplaceEditor(), c.typed);
        Key(Qt::Key_Return);
        ASSERT_FALSE(grid.EditorMode());
        EXPECT_EQ(grid.Cells(1, 1).size(), c.expected.size());
        EXPECT_TRUE(grid.Cells(1, 1) == c.expected);
    }
}

// ------------------------------------------------------------------ scrolling

TEST_F(StringGridTest, ScrollMessagesMoveTheViewByWholeCells)
{
    struct Case {
        const char* name;
        int code, pos, startTop, expectedTop;
    };
    const std::vector<Case> cases = {
        {"line down", SB_LINEDOWN, 0, 1, 2},
        {"line up at the top", SB_LINEUP, 0, 1, 1},
        {"page down", SB_PAGEDOWN, 0, 1, 8},
        {"page down at the end", SB_PAGEDOWN, 0, 10, 13},
        {"bottom", SB_BOTTOM, 0, 1, 13},
        {"top", SB_TOP, 0, 9, 1},
        {"thumb half way", SB_THUMBPOSITION, 64, 1, 7},
        {"thumb at the end", SB_THUMBPOSITION, 127, 1, 13},
        {"thumb tracking off", SB_THUMBTRACK, 127, 1, 1},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.name);
        grid.SetTopRow(k.startTop);
        grid.Perform(WM_VSCROLL, MakeWParam(k.code, k.pos));
        EXPECT_EQ(grid.TopRow(), k.expectedTop);
    }
    const int row = grid.Row();
    grid.Perform(WM_HSCROLL, MakeWParam(SB_LINEDOWN, 0));
    EXPECT_EQ(grid.LeftCol(), 2);
    EXPECT_EQ(grid.Row(), row);      // scrolling never moves the current cell
}

TEST_F(StringGridTest, ScrollBarDrivesTheGridThroughMessages)
{
    grid.SetScrollBars(ssBoth);
    QApplication::processEvents();
    QScrollBar* bar = grid.verticalScrollBar();
    grid.log.clear();
    bar->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    EXPECT_EQ(grid.TopRow(), 2);
    EXPECT_EQ(bar->value(), 2);
    EXPECT_EQ(grid.log, (std::vector<std::string>{"WM_VSCROLL", "TopLeftChanged"}));
}

TEST_F(StringGridTest, ThumbDragLandsOnTheExactRowOfALongGrid)
{
    grid.SetRowCount(1000);
    grid.SetScrollBars(ssBoth);
    QApplication::processEvents();
    QScrollBar* bar = grid.verticalScrollBar();
    struct Case {
        const char* name;
        TGridOptions extra;
        int topWhileDragging;
    };
    for (Case k : {Case{"without tracking", 0, 1}, Case{"with tracking", goThumbTracking, 457}}) {
        SCOPED_TRACE(k.name);
        grid.SetOptions(DefaultGridOptions | k.extra);
        grid.SetTopRow(1);
        bar->setSliderDown(true);
        bar->setSliderPosition(457);
        EXPECT_EQ(grid.TopRow(), k.topWhileDragging);
        bar->setSliderDown(false);
        EXPECT_EQ(grid.TopRow(), 457);
    }
}

TEST_F(StringGridTest, RedrawCanBeSuspended)
{
    grid.Perform(WM_SETREDRAW, 0);
    EXPECT_FALSE(grid.viewport()->updatesEnabled());
    grid.Perform(WM_SETREDRAW, 1);
    EXPECT_TRUE(grid.viewport()->updatesEnabled());
}

// ------------------------------------------------------------------ painting

TEST_F(StringGridTest, PaintsFixedSelectedAndNormalCells)
{
    grid.SetColor(clWhite);
    grid.SetFixedColor(RGBToColor(0xC0, 0xC0, 0xC0));
    grid.SetSelection({2, 2, 3, 3});     // current cell (3, 3), anchor (2, 2)
    grid.drawCalls = 0;
    const QImage img = grid.viewport()->grab().toImage();
    EXPECT_EQ(img.pixelColor(30, 5), QColor(0xC0, 0xC0, 0xC0));     // fixed
    EXPECT_EQ(img.pixelColor(100, 35), QColor(Qt::white));          // normal
    EXPECT_NE(img.pixelColor(160, 60), QColor(Qt::white));          // selected (2, 2)
    EXPECT_EQ(img.pixelColor(220, 85), QColor(Qt::white));          // the current cell keeps its look
    EXPECT_EQ(img.pixelColor(129, 35), QColor(0xC0, 0xC0, 0xC0));   // grid line after column 1
    EXPECT_EQ(grid.drawCalls, 5 * 8);   // columns 0..4 and rows 0..7 are (partly) visible
}

TEST_F(StringGridTest, ThrowingDrawHookLeavesNoPaintCanvasBehind)
{
    // The error reaches the application's handler, not Qt's event delivery.
    QStringList reported;
    Application.OnException = [&](const QString& message) { reported << message; };
    grid.throwInDraw = true;
    QPaintEvent paint(grid.viewport()->rect());
    EXPECT_NO_THROW(grid.paintEvent(&paint));
    Application.OnException = nullptr;
    EXPECT_EQ(reported, QStringList{"drawing hook failed"});
    grid.throwInDraw = false;
    ASSERT_NE(grid.drawCanvas, nullptr);
    EXPECT_NE(&grid.Canvas(), grid.drawCanvas);
    EXPECT_GT(grid.Canvas().TextWidth("abc"), 0);   // measuring works outside painting
    QImage img(grid.viewport()->size(), QImage::Format_RGB32);
    grid.viewport()->render(&img);   // and painting works again
    EXPECT_GT(grid.drawCalls, 1);
}

// ------------------------------------------------------------------ more editing

TEST_F(StringGridTest, TabInTheEditorCommitsAndMovesWithGoTabs)
{
    grid.SetOptions(DefaultGridOptions | goEditing | goTabs);
    grid.FocusCell(2, 2, true);
    Key(Qt::Key_F2);
    ASSERT_TRUE(grid.EditorMode());
    QTest::keyClicks(grid.InplaceEditor(), "t");
    Key(Qt::Key_Tab);
    EXPECT_EQ(grid.Cells(2, 2), "t");
    EXPECT_EQ(grid.Col(), 3);
    EXPECT_TRUE(grid.hasFocus());
}

TEST_F(StringGridTest, AlwaysShownEditorFollowsTheCurrentCell)
{
    grid.SetCells(1, 1, "one");
    grid.SetCells(1, 2, "two");
    grid.SetOptions(DefaultGridOptions | goEditing | goAlwaysShowEditor);
    ASSERT_TRUE(grid.EditorMode());
    TInplaceEdit* editor = grid.InplaceEditor();
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(editor->Text(), "one");
    QTest::keyClicks(editor, "1");    // replaces the selected text
    Key(Qt::Key_Down);
    EXPECT_EQ(grid.Cells(1, 1), "1");
    EXPECT_TRUE(grid.EditorMode());
    EXPECT_EQ(editor->Text(), "two");
    EXPECT_EQ(editor->geometry().top(), 50);
    // With the editor always shown, the caret keys move the cell only at the
    // ends of the text.
    editor->setCursorPosition(0);
    Key(Qt::Key_Right);
    EXPECT_EQ(grid.Col(), 1);
    EXPECT_EQ(editor->cursorPosition(), 1);
    Key(Qt::Key_End);
    EXPECT_EQ(grid.Col(), 1);
    Key(Qt::Key_Right);
    EXPECT_EQ(grid.Col(), 2);
}

TEST_F(StringGridTest, KeyPressHandlersSeeEditorCharactersFirst)
{
    grid.SetOptions(DefaultGridOptions | goEditing);
    grid.OnKeyPress = [](QObject*, QChar& key) {
        if (key == QChar('q'))
            key = QChar();
        else if (key == QChar('a'))
            key = QChar('b');
    };
    grid.FocusCell(1, 1, true);
    Key(Qt::Key_F2);
    QTest::keyClicks(grid.InplaceEditor(), "qaq");
    EXPECT_EQ(grid.InplaceEditor()->Text(), "b");
}

TEST_F(StringGridTest, EditTextHooksTranslateBothWays)
{
    grid.SetOptions(DefaultGridOptions | goEditing);
    grid.SetCells(1, 1, "7");
    grid.OnGetEditText = [](QObject*, int, int, QString& v) { v = "<" + v + ">"; };
    std::vector<QString> stored;
    grid.OnSetEditText = [&](QObject*, int, int, const QString& v) { stored.push_back(v); };
    grid.FocusCell(1, 1, true);
    Key(Qt::Key_F2);
    EXPECT_EQ(grid.InplaceEditor()->Text(), "<7>");
    grid.HideEditor();
    EXPECT_EQ(grid.Cells(1, 1), "<7>");
    EXPECT_EQ(stored, std::vector<QString>{"<7>"});
}

TEST_F(StringGridTest, FocusEntersAndLeavesOnce)
{
    sibling.setFocus();
    QApplication::processEvents();
    grid.SetOptions(DefaultGridOptions | goEditing);
    grid.log.clear();
    grid.setFocus();
    QApplication::processEvents();
    Key(Qt::Key_F2);                       // focus moves into the editor: no exit
    Key(Qt::Key_Return);                   // and back to the grid: no new entry
    EXPECT_EQ(std::count(grid.log.begin(), grid.log.end(), "DoEnter"), 1);
    EXPECT_EQ(std::count(grid.log.begin(), grid.log.end(), "DoExit"), 0);

    // Another window taking the focus is no exit; the grid stays the
    // window's active control.
    QWidget otherWindow;
    otherWindow.setFocusPolicy(Qt::StrongFocus);
    otherWindow.show();
    otherWindow.activateWindow();
    otherWindow.setFocus();
    QApplication::processEvents();
    window.activateWindow();
    grid.setFocus();
    QApplication::processEvents();
    EXPECT_EQ(std::count(grid.log.begin(), grid.log.end(), "DoEnter"), 1);
    EXPECT_EQ(std::count(grid.log.begin(), grid.log.end(), "DoExit"), 0);

    sibling.setFocus();
    QApplication::processEvents();
    EXPECT_EQ(std::count(grid.log.begin(), grid.log.end(), "DoExit"), 1);
}

TEST_F(StringGridTest, FocusLeavingAndEnteringThroughAChildOfTheGrid)
{
    auto count = [&](const char* what) { return std::count(grid.log.begin(), grid.log.end(), what); };
    QLineEdit child(&grid);   // a control the grid itself hosts, not its editor
    child.setGeometry(5, 5, 40, 20);
    child.show();
    QWidget otherWindow;
    otherWindow.setFocusPolicy(Qt::StrongFocus);
    otherWindow.show();
    struct Step {
        const char* name;
        QWidget* focus;
        long enters, exits;   // totals after the step
    };
    const Step steps[] = {
        {"grid to its child: still inside", &child, 0, 0},
        {"child to a control outside", &sibling, 0, 1},
        {"outside straight to the child", &child, 1, 1},
        {"child to the grid", &grid, 1, 1},
        {"grid back to the child", &child, 1, 1},
        {"child out again", &sibling, 1, 2},
        {"back to the child", &child, 2, 2},
        {"another window: the grid stays active", &otherWindow, 2, 2},
        {"from there to a control beside the grid", &sibling, 2, 3},
    };
    for (const Step& s : steps) {
        SCOPED_TRACE(s.name);
        s.focus->activateWindow();
        s.focus->setFocus();
        QApplication::processEvents();
        ASSERT_EQ(QApplication::focusWidget(), s.focus);
        EXPECT_EQ(count("DoEnter"), s.enters);
        EXPECT_EQ(count("DoExit"), s.exits);
    }
}

TEST_F(StringGridTest, ModifierStateIsReadableDuringKeyHandling)
{
    bool shiftSeen = false;
    grid.OnKeyDown = [&](QObject*, int& key, TShiftState shift) {
        if (key == VK_DOWN)
            shiftSeen = GetKeyState(VK_SHIFT) < 0 && shift.Contains(ssShift);
    };
    Key(Qt::Key_Down, Qt::ShiftModifier);
    EXPECT_TRUE(shiftSeen);
}

TEST_F(StringGridTest, RowMovingWithTheMouse)
{
    grid.SetOptions(DefaultGridOptions | goRowMoving);
    for (int r = 0; r < 6; ++r)
        grid.SetCells(1, r, QString("r%1").arg(r));
    int from = -1, to = -1;
    grid.OnRowMoved = [&](QObject*, int f, int t) {
        from = f;
        to = t;
    };
    QTest::mousePress(vp(), Qt::LeftButton, {}, CellCenter(0, 4));
    EXPECT_EQ(grid.GridState(), gsRowMoving);
    QTest::mouseMove(vp(), CellCenter(0, 2));
    QTest::mouseRelease(vp(), Qt::LeftButton, {}, CellCenter(0, 2));
    EXPECT_EQ(from, 4);
    EXPECT_EQ(to, 2);
    EXPECT_EQ(grid.Cells(1, 2), "r4");
    EXPECT_EQ(grid.Cells(1, 3), "r2");
    EXPECT_EQ(grid.Cells(1, 4), "r3");
}

TEST_F(StringGridTest, DrawStatesOfTheCells)
{
    struct Case {
        const char* name;
        TGridOptions options;
        int c, r;
        TGridDrawState expected;
    };
    const std::vector<Case> cases = {
        {"fixed", DefaultGridOptions, 0, 3, gdFixed},
        {"fixed header over the selection", DefaultGridOptions, 2, 0, gdFixed},
        {"selected", DefaultGridOptions, 2, 2, gdSelected},
        {"current cell", DefaultGridOptions, 3, 3, gdFocused},
        {"current cell drawn selected", DefaultGridOptions | goDrawFocusSelected, 3, 3, gdFocused | gdSelected},
        {"outside the selection", DefaultGridOptions, 4, 4, 0},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.name);
        grid.SetOptions(k.options);
        grid.SetSelection({2, 2, 3, 3});
        grid.drawStates.clear();
        grid.viewport()->grab();
        const auto it = grid.drawStates.find(std::make_pair(k.c, k.r));
        ASSERT_NE(it, grid.drawStates.end());
        EXPECT_EQ(it->second, k.expected);
    }
    sibling.setFocus();            // without the focus the current cell is not focused
    QApplication::processEvents();
    grid.drawStates.clear();
    grid.viewport()->grab();
    EXPECT_EQ(grid.drawStates[std::make_pair(3, 3)], TGridDrawState(0));
}

namespace {

// A control laid over the grid's bottom edge: the rows scroll on until the
// last one ends above it, and back when the band goes away.
TEST_F(StringGridTest, ACoveredBottomBandLetsTheLastRowScrollAboveIt)
{
    const int client = grid.ClientHeight();
    grid.SetTopRow(grid.RowCount() - 1);
    const int plainTop = grid.TopRow();
    EXPECT_LE(grid.CellRect(0, grid.RowCount() - 1).Bottom, client);
    grid.SetCoveredBottom(40);
    grid.SetTopRow(grid.RowCount() - 1);
    EXPECT_GT(grid.TopRow(), plainTop);
    const TRect last = grid.CellRect(0, grid.RowCount() - 1);
    EXPECT_LE(last.Bottom, client - 40);
    EXPECT_GT(last.Bottom + 25, client - 40);   // no further than needed
    grid.SetCoveredBottom(0);
    EXPECT_EQ(grid.TopRow(), plainTop);
}

} // namespace
