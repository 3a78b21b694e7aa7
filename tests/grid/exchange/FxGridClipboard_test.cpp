// The grid's clipboard: the text form, pastes with growth and the smart
// fill, the cells block, the HTML copy and the clipboard keys.
#include "grid/model/FxGrid.h"

#include "framework/Clipboard.h"
#include "framework/DateTime.h"
#include "grid/exchange/FxClipText.h"
#include "grid/foundation/FxOptions.h"
#include "grid/paint/FxGridAppearance.h"

#include <QApplication>
#include <QClipboard>
#include <QMimeData>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>

using namespace fxexchange;

namespace {

// Records what MarkRowsModified is told.
class TMarkingGrid : public TFxStringGrid {
public:
    fw::TGridCoord LastOrigin{-2, -2};
    fw::TGridRect LastRect{-1, -1, -1, -1};
    void MarkRowsModified(fw::TGridCoord Origin, const fw::TGridRect& R, TClipOperation Op) override
    {
        LastOrigin = Origin;
        LastRect = R;
        TFxStringGrid::MarkRowsModified(Origin, R, Op);
    }
};

template <typename G = TFxStringGrid>
std::unique_ptr<G> MakeGrid(int cols, int rows)
{
    auto g = std::make_unique<G>();
    g->SetFixedCols(0);
    g->SetFixedRows(0);
    g->SetColCount(cols);
    g->SetRowCount(rows);
    g->SetOptions(g->Options() | fw::goEditing | fw::goRangeSelect);
    return g;
}

} // namespace

TEST(ClipText, RowsBreakAtEveryLineEndOutsideQuotes)
{
    struct Case {
        const char* text;
        std::vector<QStringList> rows;
    } cases[] = {
        {"a\tb\r\nc\td\r\n", {{"a", "b"}, {"c", "d"}, {""}}},
        {"a\rb\nc", {{"a"}, {"b"}, {"c"}}},
        {"\"x\r\ny\"\tz", {{"x\r\ny", "z"}}},
        {"\"x\ny\"", {{"x\r\ny"}}},
        {"\"say \"\"hi\"\"\"", {{"say \"hi\""}}},
        {"5\" pipe\tb", {{"5\" pipe", "b"}}},
        {"\"open\tb", {{"\"open", "b"}}},       // a quote that never closes is text
        {"a\tb", {{"a", "b"}}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ParseClipText(QString::fromUtf8(c.text)), c.rows) << c.text;
    EXPECT_EQ(ParseClipText(QStringLiteral("a") + QChar(0) + QStringLiteral("\tb")), (std::vector<QStringList>{{"a"}}));
}

TEST(ClipText, EveryCellComesBackWhole)
{
    const QStringList texts{"plain", "two\r\nlines", "tab\there", "\"quoted\"", "say \"hi\"", "", " lead"};
    QString text;
    for (const QString& t : texts)
        text += ClipField(t) + QLatin1Char('\t');
    text.chop(1);
    const std::vector<QStringList> rows = ParseClipText(text);
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0], texts);
    EXPECT_EQ(ClipField(QStringLiteral("x\r\ny")), QStringLiteral("\"x\ny\""));
}

TEST(GridClipboard, CopyGivesTabsAndLineBreaksOfTheRectangle)
{
    auto g = MakeGrid(3, 3);
    g->SetCells(0, 0, "a");
    g->SetCells(1, 0, "b");
    g->SetCells(0, 1, "c");
    g->SetCells(1, 1, "d\r\ne \"f\"");
    EXPECT_EQ(g->RectToClipText({0, 0, 1, 1}, false), QStringLiteral("a\tb\r\nc\t\"d\ne \"\"f\"\"\"\r\n"));
    EXPECT_EQ(g->RectToClipText({0, 0, 1, 0}, false), QStringLiteral("a\tb"));
    g->SetMultilinecells(true);
    g->SetExcelClipboardFormat(true);
    EXPECT_EQ(g->RectToClipText({1, 1, 1, 1}, false), QStringLiteral("\"d") + QChar(11) + QStringLiteral("e \"f\"\""));
    int cols = 0, rows = 0;
    TFxStringGrid::MeasureClipText(QStringLiteral("a\tb\r\nc\td\r\n"), cols, rows);
    EXPECT_EQ(cols, 2);
    EXPECT_EQ(rows, 1);
}

TEST(GridClipboard, CopyAndPasteGiveEveryTextBack)
{
    auto a = MakeGrid(3, 2);
    const QStringList texts{"x\r\ny", "tab\tin", "\"q\"", "say \"hi\"", "", "last"};
    for (int i = 0; i < texts.size(); ++i)
        a->SetCells(i % 3, i / 3, texts[i]);
    a->SetSelection({0, 0, 2, 1});
    a->CopySelectionToClipboard();
    auto b = MakeGrid(3, 2);
    b->SetSelection({0, 0, 0, 0});
    b->PasteSelectionFromClipboard();
    for (int i = 0; i < texts.size(); ++i)
        EXPECT_EQ(b->Cells(i % 3, i / 3), texts[i]) << i;
    EXPECT_EQ(b->RowCount(), 2) << "the final line break adds no row";
}

TEST(GridClipboard, PasteWritesOnlyInsideTheGridAndTellsOneChange)
{
    auto g = MakeGrid(2, 2);
    int changes = 0;
    g->Events().OnCellsChanged = [&](QObject*, const fw::TRect&) { ++changes; };
    g->Navigation().SetAllowClipboardColGrow(false);
    g->Navigation().SetAllowClipboardRowGrow(false);
    int cols = 0, rows = 0;
    g->PasteTextAt(1, 1, cols, rows, QStringLiteral("p\tq\r\nr\ts"));
    EXPECT_EQ(g->Cells(1, 1), "p");
    EXPECT_EQ(g->GridCells(2, 1), "") << "nothing lands beyond the column count";
    EXPECT_EQ(g->GridCells(1, 2), "") << "nothing lands beyond the row count";
    EXPECT_EQ(g->ColCount(), 2);
    EXPECT_EQ(g->RowCount(), 2);
    EXPECT_EQ(changes, 1);

    changes = 0;
    g->Navigation().SetAllowClipboardColGrow(true);
    g->Navigation().SetAllowClipboardRowGrow(true);
    fw::Clipboard().SetAsText(QStringLiteral("1\t2\t3\r\n4\t5\t6\r\n"));
    g->SetSelection({1, 1, 1, 1});
    g->PasteSelectionFromClipboard();
    EXPECT_EQ(g->ColCount(), 4);
    EXPECT_EQ(g->RowCount(), 3);
    EXPECT_EQ(g->Cells(3, 2), "6");
    EXPECT_EQ(changes, 1) << "one paste, one change notification";
}

TEST(GridClipboard, RefusedAndReadOnlyCellsAreSkipped)
{
    auto g = MakeGrid(3, 1);
    g->SetReadOnly(1, 0, true);
    g->Events().OnClipboardBeforePasteCell = [](QObject*, int c, int, QString& v, bool& allow) {
        if (c == 2)
            allow = false;
        v = v.toUpper();
    };
    QStringList after;
    g->Events().OnClipboardAfterPasteCell = [&](QObject*, int, int, const QString& v) { after << v; };
    int cols = 0, rows = 0;
    g->PasteTextAt(0, 0, cols, rows, QStringLiteral("a\tb\tc"));
    EXPECT_EQ(g->Cells(0, 0), "A");
    EXPECT_EQ(g->Cells(1, 0), "");
    EXPECT_EQ(g->Cells(2, 0), "");
    EXPECT_EQ(after, QStringList{"A"});

    auto locked = MakeGrid(2, 1);
    locked->SetOptions(locked->Options() & ~fw::TGridOptions(fw::goEditing));
    EXPECT_EQ(locked->PasteTextAt(0, 0, cols, rows, QStringLiteral("z")), 0);
    EXPECT_EQ(locked->Cells(0, 0), "");
}

TEST(GridClipboard, SmartPasteFillsTheSelection)
{
    struct Case {
        const char* clip;
        QStringList column;
    } cases[] = {
        {"1\r\n2\r\n", {"1", "2", "3", "4", "5"}},
        {"a\r\nb\r\n", {"a", "b", "a", "b", "a"}},
        {"7", {"7", "7", "7", "7", "7"}},
    };
    for (const Case& c : cases) {
        auto g = MakeGrid(2, 6);
        g->Navigation().SetAllowSmartClipboard(true);
        fw::Clipboard().SetAsText(QString::fromUtf8(c.clip));
        g->SetSelection({0, 0, 0, 4});
        g->PasteSelectionFromClipboard();
        QStringList got;
        for (int r = 0; r < 5; ++r)
            got << g->Cells(0, r);
        EXPECT_EQ(got, c.column) << c.clip;
        EXPECT_EQ(g->Cells(0, 5), "") << c.clip;
    }
    {
        // Dates one month apart go on month by month, across the year's end.
        const auto date = [](int y, int m) { return fw::DateToStr(fw::EncodeDate(y, m, 15)); };
        auto g = MakeGrid(2, 6);
        g->Navigation().SetAllowSmartClipboard(true);
        fw::Clipboard().SetAsText(date(2024, 11) + QStringLiteral("\r\n") + date(2024, 12) + QStringLiteral("\r\n"));
        g->SetSelection({0, 0, 0, 4});
        g->PasteSelectionFromClipboard();
        EXPECT_EQ(g->Cells(0, 2), date(2025, 1));
        EXPECT_EQ(g->Cells(0, 4), date(2025, 3));
    }
    auto g = MakeGrid(3, 3);
    fw::Clipboard().SetAsText(QStringLiteral("v"));
    g->SetSelection({0, 0, 2, 2});
    g->PasteSelectionFromClipboard();
    EXPECT_EQ(g->Cells(2, 2), "") << "without the smart fill only the top-left cell";
    g->Navigation().SetAllowSmartClipboard(true);
    g->PasteSelectionFromClipboard();
    EXPECT_EQ(g->Cells(2, 2), "v");
    // With a line break the one value is a column of one: the top row is filled.
    auto h = MakeGrid(3, 3);
    h->Navigation().SetAllowSmartClipboard(true);
    fw::Clipboard().SetAsText(QStringLiteral("w\r\n"));
    h->SetSelection({0, 0, 2, 2});
    h->PasteSelectionFromClipboard();
    EXPECT_EQ(h->Cells(2, 0), "w");
    EXPECT_EQ(h->Cells(0, 1), "");
    EXPECT_EQ(h->Cells(2, 2), "");
}

TEST(GridClipboard, InsertModeMakesRowsFirst)
{
    auto g = MakeGrid(1, 3);
    g->SetCells(0, 0, "keep0");
    g->SetCells(0, 1, "keep1");
    g->Navigation().SetClipboardPasteAction(paInsert);
    int cols = 0, rows = 0;
    g->PasteTextAt(0, 1, cols, rows, QStringLiteral("x\r\ny\r\nz\r\n"));
    EXPECT_EQ(g->RowCount(), 6);
    EXPECT_EQ(g->Cells(0, 0), "keep0");
    EXPECT_EQ(g->Cells(0, 1), "x");
    EXPECT_EQ(g->Cells(0, 3), "z");
    EXPECT_EQ(g->Cells(0, 4), "keep1");
}

TEST(GridClipboard, CellsBlockCarriesLooksAndNeverClearsTheTarget)
{
    auto a = MakeGrid<TMarkingGrid>(2, 2);
    a->Navigation().SetAllowFmtClipboard(true);
    a->SetCells(0, 0, "a");
    a->SetCells(1, 1, "d");
    a->SetColors(0, 0, 0x0000FF);
    a->SetSelection({0, 0, 1, 1});   // the whole grid: a full-grid block
    a->CopySelectionToClipboard();
    EXPECT_TRUE(fw::Clipboard().HasFormat(QStringLiteral("TFxStringGrid Cells")));

    auto b = MakeGrid<TMarkingGrid>(4, 4);
    b->Navigation().SetAllowFmtClipboard(true);
    b->SetCells(0, 0, "mine");
    b->SetSelection({1, 1, 1, 1});
    b->PasteSelectionFromClipboard();
    EXPECT_EQ(b->Cells(0, 0), "mine") << "a paste never clears the grid";
    EXPECT_EQ(b->ColCount(), 4);
    EXPECT_EQ(b->Cells(1, 1), "a");
    EXPECT_EQ(b->Cells(2, 2), "d");
    EXPECT_EQ(b->Colors(1, 1), fw::TColor(0x0000FF));
    EXPECT_EQ(b->LastOrigin, (fw::TGridCoord{-1, -1})) << "cells of another grid";

    a->SetSelection({1, 1, 1, 1});
    a->PasteSelectionFromClipboard();
    EXPECT_EQ(a->LastOrigin, (fw::TGridCoord{0, 0})) << "cells of this grid tell where they came from";
}

TEST(GridClipboard, CutClearsEditableCellsOnly)
{
    auto g = MakeGrid(2, 1);
    g->SetCells(0, 0, "a");
    g->SetCells(1, 0, "b");
    g->SetReadOnly(1, 0, true);
    g->SetSelection({0, 0, 1, 0});
    g->CutSelectionToClipboard();
    EXPECT_EQ(fw::Clipboard().AsText(), QStringLiteral("a\tb"));
    EXPECT_EQ(g->Cells(0, 0), "");
    EXPECT_EQ(g->Cells(1, 0), "b");
    EXPECT_EQ(g->ClipLastOp(), coCut);
}

TEST(GridClipboard, HtmlCopyCountsItsOffsetsInBytes)
{
    auto g = MakeGrid(2, 1);
    g->SetCells(0, 0, QStringLiteral("caf\u00e9 & <b>"));
    g->CopyToClipBoardAsHTML();
    const QByteArray doc = fw::Clipboard().GetData(QStringLiteral("HTML Format"));
    ASSERT_FALSE(doc.isEmpty());
    auto offset = [&](const char* key) {
        const qsizetype at = doc.indexOf(key);
        return at < 0 ? -1 : doc.mid(at + qsizetype(strlen(key)), 8).toInt();
    };
    EXPECT_TRUE(doc.mid(offset("StartHTML:")).startsWith("<!DOCTYPE"));
    EXPECT_EQ(offset("EndHTML:"), doc.size());
    EXPECT_TRUE(doc.mid(offset("StartFragment:")).startsWith("<style>") ||
                doc.mid(offset("StartFragment:")).startsWith("<TABLE"));
    EXPECT_TRUE(doc.left(offset("EndFragment:")).endsWith("</TABLE>\r\n"));
    const QMimeData* m = QGuiApplication::clipboard()->mimeData();
    ASSERT_TRUE(m);
    EXPECT_TRUE(m->data("text/html").startsWith("<!DOCTYPE")) << "programs here get the page itself";
}

TEST(GridClipboard, KeysCopyAndPasteWhenAllowed)
{
    auto g = MakeGrid(2, 2);
    g->show();
    g->SetCells(0, 0, "k");
    g->SetSelection({0, 0, 0, 0});
    fw::Clipboard().SetAsText(QStringLiteral("before"));
    QTest::keyClick(g.get(), Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(fw::Clipboard().AsText(), "before") << "the keys are off by default";
    g->Navigation().SetAllowClipboardShortCuts(true);
    bool vetoed = false;
    g->Events().OnClipboardCopy = [&](QObject*, bool& allow) { allow = !vetoed; };
    QTest::keyClick(g.get(), Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(fw::Clipboard().AsText(), "k");
    g->SetSelection({1, 1, 1, 1});
    QTest::keyClick(g.get(), Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(g->Cells(1, 1), "k");
    vetoed = true;
    g->SetCells(0, 0, "new");
    g->SetSelection({0, 0, 0, 0});
    QTest::keyClick(g.get(), Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(fw::Clipboard().AsText(), "k") << "OnClipboardCopy refused";
}
