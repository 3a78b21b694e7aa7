// Drag and drop: what a drag offers, what a drop target takes, and drops on
// the grid delivered as the desktop delivers them (drag events).
#include "grid/model/FxGrid.h"
#include "grid/exchange/FxGridDragDrop.h"
#include "grid/exchange/SgDD.h"

#include "grid/foundation/FxOptions.h"

#include <QApplication>
#include <QBuffer>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFile>
#include <QTemporaryDir>
#include <QUrl>

#include <gtest/gtest.h>

#include <memory>

namespace {

std::unique_ptr<TFxStringGrid> MakeGrid(int cols, int rows)
{
    auto g = std::make_unique<TFxStringGrid>();
    g->resize(400, 300);
    g->SetFixedCols(1);
    g->SetFixedRows(1);
    g->SetColCount(cols);
    g->SetRowCount(rows);
    g->SetOptions(g->Options() | fw::goEditing);
    g->DragDropSettings().SetOleDropTarget(true);
    g->show();
    return g;
}

// The centre of a cell in viewport coordinates.
QPointF CellCentre(TFxStringGrid& g, int c, int r)
{
    const fw::TRect rc = g.CellRect(c, r);
    return QPointF(rc.Left + rc.Width() / 2.0, rc.Top + rc.Height() / 2.0);
}

// Enter, move and drop at pos; whether the drop was accepted.
bool DropAt(TFxStringGrid& g, const QMimeData& data, QPointF pos,
            Qt::KeyboardModifiers keys = Qt::NoModifier, Qt::DropActions actions = Qt::CopyAction | Qt::MoveAction)
{
    QWidget* vp = g.viewport();
    QDragEnterEvent enter(pos.toPoint(), actions, &data, Qt::LeftButton, keys);
    QApplication::sendEvent(vp, &enter);
    QDragMoveEvent move(pos.toPoint(), actions, &data, Qt::LeftButton, keys);
    QApplication::sendEvent(vp, &move);
    QDropEvent drop(pos, actions, &data, Qt::LeftButton, keys);
    QApplication::sendEvent(vp, &drop);
    return drop.isAccepted();
}

} // namespace

TEST(DragDropFormats, EffectFromKeys)
{
    struct Case {
        Qt::KeyboardModifiers keys;
        int allowed, effect;
    } cases[] = {
        {Qt::ControlModifier, DROPEFFECT_COPY | DROPEFFECT_MOVE, DROPEFFECT_COPY},
        {Qt::NoModifier, DROPEFFECT_COPY | DROPEFFECT_MOVE, DROPEFFECT_MOVE},
        {Qt::NoModifier, DROPEFFECT_COPY, DROPEFFECT_COPY},
        {Qt::ShiftModifier, DROPEFFECT_MOVE, DROPEFFECT_MOVE},
    };
    for (const Case& c : cases)
        EXPECT_EQ(DropEffectFromKeys(c.keys, c.allowed), c.effect);
}

TEST(DragDropFormats, DragDataListsWhatItCarries)
{
    const QByteArray stream("cells");
    TSourceMimeData cells(QStringLiteral("a\tb"), &stream, -1, QStringLiteral("{\\rtf1 x}"));
    // RTF is neither offered nor given while the program's RTF switch is off.
    SetOleDropRTFSwitch(false);
    EXPECT_EQ(cells.formats(), (QStringList{sgdd::AnsiTextMime(), sgdd::UnicodeTextMime(), sgdd::CellsMime()}));
    EXPECT_FALSE(cells.hasFormat(sgdd::RtfMime()));
    TEnumFormats f(&cells);
    EXPECT_TRUE(f.HasText());
    EXPECT_FALSE(f.HasRTF());
    EXPECT_EQ(f.Text(), "a\tb");
    EXPECT_EQ(f.Stream(), stream) << "length, four zero bytes, the stream";
    EXPECT_EQ(f.RTF(), "") << "no RTF while the switch is off";
    SetOleDropRTFSwitch(true);
    EXPECT_EQ(cells.formats(), (QStringList{sgdd::AnsiTextMime(), sgdd::UnicodeTextMime(), sgdd::RtfMime(),
                                            sgdd::CellsMime()}));
    EXPECT_TRUE(TEnumFormats(&cells).HasRTF());
    EXPECT_EQ(f.RTF(), "{\\rtf1 x}");

    // A column drag lists the text formats but has no text to give.
    TSourceMimeData column(QString(), nullptr, 4, QString());
    EXPECT_EQ(column.formats().size(), 4);
    SetOleDropRTFSwitch(false);
    EXPECT_EQ(column.formats(), (QStringList{sgdd::AnsiTextMime(), sgdd::UnicodeTextMime(), sgdd::ColMime()}));
    TEnumFormats c(&column);
    EXPECT_TRUE(c.HasCol());
    EXPECT_EQ(c.Col(), 4);
    EXPECT_EQ(c.Text(), "");
}

TEST(DragDropFormats, EightBitTextAloneAndFileListsAreNoText)
{
    QMimeData ansi;
    ansi.setData(sgdd::AnsiTextMime(), "abc");
    EXPECT_FALSE(TEnumFormats(&ansi).HasText());

    QMimeData files;
    files.setUrls({QUrl::fromLocalFile("/tmp/a.csv")});
    files.setText("/tmp/a.csv");
    TEnumFormats f(&files);
    EXPECT_TRUE(f.HasFile());
    EXPECT_FALSE(f.HasText()) << "a file manager's list is a file drop only";
    EXPECT_FALSE(f.HasURL());
    f.ReadFiles();
    EXPECT_EQ(f.Files, QStringList{"/tmp/a.csv"});

    QMimeData link;
    link.setUrls({QUrl("https://example.invalid/x")});
    EXPECT_TRUE(TEnumFormats(&link).HasURL());
    EXPECT_FALSE(TEnumFormats(&link).HasFile());

    QMimeData damaged;
    damaged.setData(sgdd::CellsMime(), QByteArray("\xFF\xFF\xFF\x7F\0\0\0\0abc", 11));
    EXPECT_TRUE(TEnumFormats(&damaged).Stream().isEmpty()) << "a length beyond the block reads as nothing";
}

TEST(GridDrop, TextLandsAtTheCellUnderThePointer)
{
    auto g = MakeGrid(4, 4);
    QMimeData data;
    data.setText(QStringLiteral("p\tq\r\nr\ts"));
    fw::TGridRect dropped{-1, -1, -1, -1};
    g->Events().OnOleDropped = [&](QObject*, const fw::TGridRect& r) { dropped = r; };
    EXPECT_TRUE(DropAt(*g, data, CellCentre(*g, 1, 1)));
    EXPECT_EQ(g->Cells(1, 1), "p");
    EXPECT_EQ(g->Cells(2, 2), "s");
    EXPECT_EQ(dropped, (fw::TGridRect{1, 1, 2, 2}));

    bool refuse = true;
    g->Events().OnOleDrop = [&](QObject*, int, int, const QString&, bool& allow) { allow = !refuse; };
    data.setText(QStringLiteral("z"));
    DropAt(*g, data, CellCentre(*g, 3, 3));
    EXPECT_EQ(g->Cells(3, 3), "") << "OnOleDrop refused";
}

TEST(GridDrop, NoDropOnTheHeaderRow)
{
    auto g = MakeGrid(3, 3);
    QMimeData data;
    data.setText(QStringLiteral("h"));
    EXPECT_FALSE(DropAt(*g, data, CellCentre(*g, 1, 0)));
    EXPECT_EQ(g->Cells(1, 0), "");
}

TEST(GridDrop, TextBelowTheLastRowIsAppended)
{
    auto g = MakeGrid(3, 3);
    g->SetCells(1, 2, "last");
    g->DragDropSettings().SetOleEntireRows(true);
    g->DragDropSettings().SetOleAppendRows(true);
    g->DragDropSettings().SetOleInsertRows(true);
    QMimeData data;
    data.setText(QStringLiteral("new"));
    const fw::TRect last = g->CellRect(1, 2);
    EXPECT_TRUE(DropAt(*g, data, QPointF(last.Left + 5, last.Bottom + 10)));
    EXPECT_EQ(g->RowCount(), 4);
    EXPECT_EQ(g->Cells(1, 2), "last");
    EXPECT_EQ(g->Cells(1, 3), "new");
}

TEST(GridDrop, ACsvFileLoadsAndTwoFilesDoNothing)
{
    QTemporaryDir dir;
    const QString csv = dir.filePath(QStringLiteral("data.csv"));
    QFile f(csv);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("x,y\r\n1,2\r\n");
    f.close();
    auto g = MakeGrid(3, 3);
    QMimeData two;
    two.setUrls({QUrl::fromLocalFile(csv), QUrl::fromLocalFile(csv)});
    DropAt(*g, two, CellCentre(*g, 1, 1));
    EXPECT_EQ(g->Cells(1, 1), "");

    QStringList asked;
    g->Events().OnOleDropFile = [&](QObject*, int, int, const QString& name, bool&) { asked << name; };
    QMimeData one;
    one.setUrls({QUrl::fromLocalFile(csv)});
    one.setText(csv);   // a file manager's text is not pasted into a cell
    EXPECT_TRUE(DropAt(*g, one, CellCentre(*g, 2, 2)));
    EXPECT_EQ(asked, QStringList{csv});
    EXPECT_EQ(g->Cells(0, 0), "x") << "loaded from the first saved cell";
    EXPECT_EQ(g->Cells(1, 1), "2");
    EXPECT_EQ(g->Cells(2, 2), "");
}

TEST(GridDrop, CellsOfAnotherGridKeepTheirLooks)
{
    auto a = MakeGrid(3, 3);
    a->SetCells(1, 1, "cell");
    a->SetColors(1, 1, 0x00FF00);
    QByteArray stream;
    QBuffer buffer(&stream);
    buffer.open(QIODevice::WriteOnly);
    a->SaveRectToBinStream(fw::TRect(1, 1, 1, 1), buffer);
    TSourceMimeData data(QStringLiteral("cell"), &stream, -1, QString());
    auto b = MakeGrid(4, 4);
    EXPECT_TRUE(DropAt(*b, data, CellCentre(*b, 2, 3)));
    EXPECT_EQ(b->Cells(2, 3), "cell");
    EXPECT_EQ(b->Colors(2, 3), fw::TColor(0x00FF00));
}

TEST(GridDrop, ColumnDropReordersWhenAsked)
{
    auto g = MakeGrid(4, 2);
    for (int c = 0; c < 4; ++c)
        g->SetCells(c, 0, QString::number(c));
    g->DragDropSettings().SetOleColumnReorder(true);
    g->GridDropTarget()->SetAcceptCols(true);
    int droppedCol = -1;
    g->Events().OnOleDropCol = [&](QObject*, int, int, int col) { droppedCol = col; };
    TSourceMimeData data(QString(), nullptr, 1, QString());
    EXPECT_TRUE(DropAt(*g, data, CellCentre(*g, 3, 0)));
    EXPECT_EQ(droppedCol, 1);
    EXPECT_EQ(g->Cells(3, 0), "1");
    EXPECT_EQ(g->Cells(1, 0), "2");
}

TEST(GridDrop, TargetFollowsTheSettings)
{
    auto g = MakeGrid(3, 3);
    ASSERT_NE(g->GridDropTarget(), nullptr);
    g->DragDropSettings().SetOleAcceptText(false);
    QMimeData data;
    data.setText(QStringLiteral("t"));
    EXPECT_FALSE(DropAt(*g, data, CellCentre(*g, 1, 1)));
    g->DragDropSettings().SetOleDropTarget(false);
    EXPECT_EQ(g->GridDropTarget(), nullptr);
    EXPECT_FALSE(g->viewport()->acceptDrops());
}

namespace {

// The body of a grid of one fixed column and row: one string per row, a dot
// for an empty cell.
QStringList Body(TFxStringGrid& g)
{
    QStringList rows;
    for (int r = g.FixedRows(); r < g.RowCount(); ++r) {
        QString row;
        for (int c = g.FixedCols(); c < g.ColCount(); ++c) {
            const QString t = g.Cells(c, r);
            row += t.isEmpty() ? QStringLiteral(".") : t;
        }
        rows << row;
    }
    return rows;
}

// A drag of the grid's selection that the test drops back onto the grid at
// the given cell, as the desktop would during the modal drag.
class SelfDrag {
public:
    SelfDrag(TFxStringGrid& g, int col, int row)
    {
        SetDragRunnerForTesting([&g, col, row](QMimeData* data, Qt::DropActions allowed) {
            return DropAt(g, *data, CellCentre(g, col, row), Qt::NoModifier, allowed) ? Qt::MoveAction
                                                                                      : Qt::IgnoreAction;
        });
    }
    ~SelfDrag() { SetDragRunnerForTesting({}); }
};

} // namespace

TEST(GridDrag, MoveInsideOneGridLosesNothing)
{
    struct Case {
        const char* name;
        bool cells, rowSelect, insertRows, removeRows, grow;
        fw::TGridRect source;
        QPoint drop;
        QStringList body;
    };
    const bool T = true, F = false;
    const Case cases[] = {
        {"text over its own source", F, F, F, F, T, {1, 1, 2, 2}, {2, 2},
         {"..cd", ".abh", "iefl", "mnop", "qrst", "uvwx"}},
        {"cells over their own source", T, F, F, F, T, {1, 1, 2, 2}, {2, 2},
         {"..cd", ".abh", "iefl", "mnop", "qrst", "uvwx"}},
        {"text cut at the grid's edge", F, F, F, F, F, {1, 1, 2, 2}, {4, 4},
         {".bcd", ".fgh", "ijkl", "mnoa", "qrse", "uvwx"}},
        {"cells cut at the grid's edge", T, F, F, F, T, {1, 1, 2, 2}, {4, 4},
         {".bcd", ".fgh", "ijkl", "mnoa", "qrse", "uvwx"}},
        {"rows inserted above the source", F, T, T, F, T, {1, 4, 4, 5}, {1, 2},
         {"abcd", "mnop", "qrst", "efgh", "ijkl", "....", "....", "uvwx"}},
        {"rows inserted above and removed", F, T, T, T, T, {1, 4, 4, 5}, {1, 2},
         {"abcd", "mnop", "qrst", "efgh", "ijkl", "uvwx"}},
        {"rows written over, none inserted", F, T, F, T, T, {1, 4, 4, 5}, {1, 2},
         {"abcd", "mnop", "qrst", "....", "....", "uvwx"}},
        {"rows inserted inside the source", F, T, T, T, T, {1, 2, 4, 4}, {1, 3},
         {"abcd", "efgh", "ijkl", "mnop", "qrst", "uvwx"}},
    };
    for (const Case& k : cases) {
        auto g = MakeGrid(5, 7);
        for (int r = 1; r < 7; ++r)
            for (int c = 1; c < 5; ++c)
                g->SetCells(c, r, QString(QLatin1Char(char('a' + (r - 1) * 4 + (c - 1)))));
        g->Navigation().SetAllowFmtClipboard(k.cells);
        g->Navigation().SetAllowClipboardColGrow(k.grow);
        g->Navigation().SetAllowClipboardRowGrow(k.grow);
        if (k.rowSelect)
            g->SetOptions(g->Options() | fw::goRowSelect);
        g->DragDropSettings().SetOleInsertRows(k.insertRows);
        g->DragDropSettings().SetOleRemoveRows(k.removeRows);
        g->SetSelection(k.source);
        SelfDrag drag(*g, k.drop.x(), k.drop.y());
        EXPECT_EQ(g->OleDragFromCell(k.source.Left, k.source.Top), DROPEFFECT_MOVE) << k.name;
        EXPECT_EQ(Body(*g).join(QLatin1Char('|')).toStdString(), k.body.join(QLatin1Char('|')).toStdString())
            << k.name;
    }

    // A drop the application refuses moves nothing, so nothing is cleared.
    auto g = MakeGrid(3, 3);
    g->SetCells(1, 1, QStringLiteral("stay"));
    g->Events().OnOleDrop = [](QObject*, int, int, const QString&, bool& allow) { allow = false; };
    g->SetSelection({1, 1, 1, 1});
    SelfDrag drag(*g, 2, 2);
    g->OleDragFromCell(1, 1);
    EXPECT_EQ(g->Cells(1, 1), QStringLiteral("stay"));
    EXPECT_EQ(g->Cells(2, 2), QString());
}
