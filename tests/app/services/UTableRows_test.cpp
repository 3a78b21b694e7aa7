#include "app/services/UTableRows.h"

#include "app/AppTestFixture.h"
#include "app/services/UComon.h"
#include "app/services/ULanguage.h"
#include "grid/model/FxCGrid.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <ostream>
#include <vector>

// Readable failure messages for texts.
inline void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }

namespace {

const QString kAlreadyUsed = QStringLiteral("Row Already used. Do you want to overwrite the values?");
const QString kDoesNotFit = QStringLiteral("Error in the Copy values!!! Copy a valid row before Paste it");
const QString kNothingCopied = QStringLiteral("Error!!! Copy a valid row before Paste it");
const QString kPushesOutLast =
    QStringLiteral("The last row of the table holds data that Insert Row would remove. Do you want to insert the row?");

using Rows = std::vector<QStringList>;

// A table of 4 rows below a header row, 6 columns from the row-number
// column 0, an empty row clipboard and every question answered by a recorder.
template <class TGrid>
class GridRows : public apptest::ProgramFolder {
protected:
    void SetUp() override
    {
        ProgramFolder::SetUp();
        Load_Default_Language();
        Row_Clipboard.clear();
        Row_Clipboard_Is_Check.clear();
        grid = std::make_unique<TGrid>();
        grid->SetColCount(6);
        grid->SetRowCount(5);
        grid->SetFixedCols(1);
        grid->SetFixedRows(1);
        for (int r = 1; r < 5; ++r)
            grid->SetCells(0, r, QString::number(r));
    }
    void TearDown() override
    {
        grid.reset();
        ProgramFolder::TearDown();
    }

    std::unique_ptr<TGrid> grid;
};

// As the table windows have them: Enable check box 1, key 2, a hidden
// column 3 in the middle, a second check box 4 and a mnemonic 5.
class ColumnGridRows : public GridRows<TFxColumnGrid> {
protected:
    void SetUp() override
    {
        GridRows::SetUp();
        grid->Columns()[1]->SetEditor(edDataCheckBox);
        grid->Columns()[4]->SetEditor(edDataCheckBox);
        grid->HideColumn(3);
    }

    // Rows 1..4, columns 1..5 (the hidden one too).
    void fill(const Rows& rows)
    {
        for (int r = 0; r < int(rows.size()); ++r)
            for (int c = 0; c < 5; ++c)
                grid->SetCells(c + 1, r + 1, rows[size_t(r)].value(c));
    }
    Rows table() const
    {
        Rows rows;
        for (int r = 1; r < 5; ++r) {
            QStringList row;
            for (int c = 1; c < 6; ++c)
                row << grid->Cells(c, r);
            rows.push_back(row);
        }
        return rows;
    }
    QStringList numbers() const
    {
        QStringList n;
        for (int r = 1; r < 5; ++r)
            n << grid->Cells(0, r);
        return n;
    }
};

const Rows kTable = {
    {"Y", "10", "h1", "N", "first"},
    {"N", "20", "h2", "Y", "second"},
    {"Y", "30", "h3", "N", "third"},
    {"", "", "", "", ""},
};

const Rows kFull = {kTable[0], kTable[1], kTable[2], {"Y", "40", "h4", "Y", "fourth"}};

TEST_F(ColumnGridRows, CopyTakesTheVisibleColumnsLeftToRight)
{
    fill(kTable);
    Row_Clipboard_Is_Check = {true, false};
    Grid_Copy_Row(grid.get(), 2);
    // The hidden column 3 is left out; the last visible ones are not.
    EXPECT_EQ(Row_Clipboard, (QStringList{"N", "20", "Y", "second"}));
    EXPECT_EQ(Row_Clipboard_Is_Check, (QList<bool>{true, false}));
}

struct PasteCase {
    const char* name;
    QStringList target;   // row 4 before, columns 1..5
    bool copied;
    QStringList clipboard;
    int answer;           // to the question, when one is asked
    QString asked;        // the message shown; empty: none
    bool written;
};

TEST_F(ColumnGridRows, PasteAsksBeforeOverwritingAndRefusesWhatDoesNotFit)
{
    const QStringList copy{"Y", "77", "N", "pasted"};
    const PasteCase cases[] = {
        {"nothing copied from this grid", {"", "", "", "", ""}, false, copy, fw::mrYes, kNothingCopied, false},
        {"copy of other columns", {"", "", "", "", ""}, true, {"Y", "77", "x"}, fw::mrYes, kDoesNotFit, false},
        {"empty row", {"", "", "keep", "", ""}, true, copy, fw::mrYes, {}, true},
        {"only check boxes and blanks", {"Y", " \t", "keep", "Y", ""}, true, copy, fw::mrYes, {}, true},
        {"text, then No", {"N", "5", "keep", "N", "old"}, true, copy, fw::mrNo, kAlreadyUsed, false},
        {"text, then Yes", {"N", "", "keep", "N", "old"}, true, copy, fw::mrYes, kAlreadyUsed, true},
    };
    for (const PasteCase& c : cases) {
        SCOPED_TRACE(c.name);
        recorder.Clear();
        Rows before = kTable;
        before[3] = c.target;
        fill(before);
        Row_Clipboard = c.clipboard;
        recorder.Answer(c.answer);
        EXPECT_EQ(Grid_Paste_Row(grid.get(), 4, c.copied), c.written);

        ASSERT_EQ(messages().size(), c.asked.isEmpty() ? 0 : 1);
        if (!c.asked.isEmpty()) {
            EXPECT_EQ(messages()[0], c.asked);
            EXPECT_EQ(messageRequests()[0].type, c.asked == kAlreadyUsed ? fw::mtConfirmation : fw::mtError);
            EXPECT_EQ(messageRequests()[0].buttons,
                      c.asked == kAlreadyUsed ? (fw::mbYes | fw::mbNo) : fw::TMsgDlgButtons(fw::mbOK));
        }
        Rows expected = before;
        if (c.written)
            expected[3] = {"Y", "77", c.target[2], "N", "pasted"};   // the hidden cell stays
        EXPECT_EQ(table(), expected);
        // The clipboard serves further pastes unchanged.
        EXPECT_EQ(Row_Clipboard, c.clipboard);
    }
}

struct InsertCase {
    const char* name;
    int row;
    bool enabled;
    QStringList last;   // row 4 before
    int answer;
    bool asks;
    Rows after;
};

TEST_F(ColumnGridRows, InsertMovesRowsDownWithHiddenColumnsAndAsksBeforeLosingTheLastRow)
{
    const InsertCase cases[] = {
        {"middle row, enabled", 2, true, {"", "", "", "", ""}, fw::mrYes, false,
         {kTable[0], {"Y", "", "", "", ""}, kTable[1], kTable[2]}},
        {"first row, not enabled", 1, false, {"", "", "", "", ""}, fw::mrYes, false,
         {{"", "", "", "", ""}, kTable[0], kTable[1], kTable[2]}},
        {"last row holds only check boxes", 1, false, {"Y", "", "", "N", ""}, fw::mrYes, false,
         {{"", "", "", "", ""}, kTable[0], kTable[1], kTable[2]}},
        {"last row holds text, No", 1, true, {"Y", "", "", "", "last"}, fw::mrNo, true,
         {kTable[0], kTable[1], kTable[2], {"Y", "", "", "", "last"}}},
        {"hidden text in last row, Yes", 3, true, {"N", "", "hidden", "", ""}, fw::mrYes, true,
         {kTable[0], kTable[1], {"Y", "", "", "", ""}, kTable[2]}},
        {"at the last row: only clears it", 4, false, {"N", "", "hidden", "", ""}, fw::mrYes, true,
         {kTable[0], kTable[1], kTable[2], {"", "", "", "", ""}}},
    };
    for (const InsertCase& c : cases) {
        SCOPED_TRACE(c.name);
        recorder.Clear();
        Rows before = kTable;
        before[3] = c.last;
        fill(before);
        recorder.Answer(c.answer);
        EXPECT_EQ(Grid_Insert_Row(c.row, grid.get(), c.enabled), c.after != before);
        ASSERT_EQ(messages().size(), c.asks ? 1 : 0);
        if (c.asks) {
            EXPECT_EQ(messages()[0], kPushesOutLast);
            EXPECT_EQ(messageRequests()[0].buttons, fw::mbYes | fw::mbNo);
        }
        EXPECT_EQ(table(), c.after);
        EXPECT_EQ(numbers(), (QStringList{"1", "2", "3", "4"}));
    }
}

TEST_F(ColumnGridRows, DeleteMovesRowsUpWithHiddenColumnsAndEmptiesTheLast)
{
    const QStringList empty{"", "", "", "", ""};
    const struct {
        int row;
        Rows after;
    } cases[] = {
        {1, {kFull[1], kFull[2], kFull[3], empty}},
        {2, {kFull[0], kFull[2], kFull[3], empty}},
        {4, {kFull[0], kFull[1], kFull[2], empty}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.row);
        fill(kFull);
        Grid_Delete_Row(c.row, grid.get());
        EXPECT_EQ(table(), c.after);
        EXPECT_EQ(numbers(), (QStringList{"1", "2", "3", "4"}));
    }
    EXPECT_TRUE(messages().isEmpty());
}

// ---------------------------------------------------------------- check-box objects

// A rule table as the DALI access window has it: check-box objects in
// columns 1 and 4 (4 hidden), texts in 2, 3 and 5, read-only cells.
class CheckBoxGridRows : public GridRows<TFxStringGrid> {
protected:
    void SetUp() override
    {
        GridRows::SetUp();
        for (int r = 1; r < 5; ++r) {
            grid->AddCheckBox(1, r, false, false);
            grid->AddCheckBox(4, r, false, false);
        }
        grid->HideColumn(4);
    }

    // One row, a word a cell: a box as Y or N, a text in brackets, and R
    // after a read-only cell.
    QString rowText(int r)
    {
        QStringList cells;
        for (int c = 1; c < 6; ++c) {
            QString cell = QLatin1Char('[') + grid->Cells(c, r) + QLatin1Char(']');
            bool state = false;
            if (grid->HasCheckBox(c, r) && grid->GetCheckBoxState(c, r, state))
                cell = state ? QStringLiteral("Y") : QStringLiteral("N");
            if (grid->ReadOnly(c, r))
                cell += QLatin1Char('R');
            cells << cell;
        }
        return cells.join(QLatin1Char(' '));
    }
    void setRow(int r, bool enable, const QString& a, const QString& b, bool hiddenBox, const QString& m,
                bool readOnly = false)
    {
        grid->SetCheckBoxState(1, r, enable);
        grid->SetCells(2, r, a);
        grid->SetCells(3, r, b);
        grid->SetCheckBoxState(4, r, hiddenBox);
        grid->SetCells(5, r, m);
        for (int c = 1; c < 6; ++c)
            grid->SetReadOnly(c, r, readOnly);
    }
    void fillRules()
    {
        setRow(1, true, "a1", "b1", false, "m1");
        setRow(2, false, "a2", "b2", true, "m2", true);
        setRow(3, true, "a3", "b3", true, "m3");
        setRow(4, false, "", "", false, "", true);
    }
};

TEST_F(CheckBoxGridRows, CopyTakesEveryColumnWithBoxesAsYOrN)
{
    fillRules();
    Grid_CB_Copy_Row(grid.get(), 2);
    EXPECT_EQ(Row_Clipboard, (QStringList{"N", "a2", "b2", "Y", "m2"}));
    EXPECT_EQ(Row_Clipboard_Is_Check, (QList<bool>{true, false, false, true, false}));
}

TEST_F(CheckBoxGridRows, PasteSetsBoxesAndTextsAndCountsABlankAsUsed)
{
    struct Case {
        const char* name;
        bool copied;
        QStringList clipboard;
        QList<bool> boxes;
        QString target;   // cell 2 of row 4 before
        int answer;
        QString asked;
        QString after;
    } const cases[] = {
        {"nothing copied", false, {"Y", "x", "y", "Y", "z"}, {true, false, false, true, false}, "", fw::mrYes,
         kNothingCopied, "NR []R []R NR []R"},
        {"other columns", true, {"Y", "x"}, {true, false}, "", fw::mrYes, kDoesNotFit, "NR []R []R NR []R"},
        {"empty row", true, {"Y", "x", "y", "Y", "z"}, {true, false, false, true, false}, "", fw::mrYes, {},
         "YR [x]R [y]R YR [z]R"},
        {"a blank is used, No", true, {"Y", "x", "y", "Y", "z"}, {true, false, false, true, false}, " ", fw::mrNo,
         kAlreadyUsed, "NR [ ]R []R NR []R"},
        {"a blank is used, Yes", true, {"Y", "x", "y", "N", "z"}, {true, false, false, true, false}, " ", fw::mrYes,
         kAlreadyUsed, "YR [x]R [y]R NR [z]R"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        recorder.Clear();
        setRow(4, false, c.target, "", false, "", true);
        Row_Clipboard = c.clipboard;
        Row_Clipboard_Is_Check = c.boxes;
        recorder.Answer(c.answer);
        Grid_CB_Paste_Row(grid.get(), 4, c.copied);
        ASSERT_EQ(messages().size(), c.asked.isEmpty() ? 0 : 1);
        if (!c.asked.isEmpty()) {
            EXPECT_EQ(messages()[0], c.asked);
        }
        // A paste does not touch the read-only flags.
        EXPECT_EQ(rowText(4), c.after);
    }
}

TEST_F(CheckBoxGridRows, InsertAndDeleteMoveBoxesTextsAndReadOnlyFlags)
{
    const struct {
        const char* name;
        std::function<void(TFxStringGrid*)> act;
        QStringList after;
    } cases[] = {
        {"insert at 2, first box checked", [](TFxStringGrid* g) { Grid_CB_Insert_Row(2, g, true); },
         {"Y [a1] [b1] N [m1]", "Y [] [] N []", "NR [a2]R [b2]R YR [m2]R", "Y [a3] [b3] Y [m3]"}},
        {"insert at 1, unchecked", [](TFxStringGrid* g) { Grid_CB_Insert_Row(1, g, false); },
         {"N [] [] N []", "Y [a1] [b1] N [m1]", "NR [a2]R [b2]R YR [m2]R", "Y [a3] [b3] Y [m3]"}},
        {"delete 1, freed row read-only and checked", [](TFxStringGrid* g) { Grid_CB_Delete_Row(1, g, true); },
         {"NR [a2]R [b2]R YR [m2]R", "Y [a3] [b3] Y [m3]", "NR []R []R NR []R", "YR []R []R NR []R"}},
        {"delete the last row only clears it", [](TFxStringGrid* g) { Grid_CB_Delete_Row(4, g, false); },
         {"Y [a1] [b1] N [m1]", "NR [a2]R [b2]R YR [m2]R", "Y [a3] [b3] Y [m3]", "NR []R []R NR []R"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        fillRules();
        c.act(grid.get());
        QStringList rows;
        for (int r = 1; r < 5; ++r)
            rows << rowText(r);
        EXPECT_EQ(rows, c.after);
        EXPECT_EQ(grid->Cells(0, 3), QStringLiteral("3"));
    }
    EXPECT_TRUE(messages().isEmpty());
}

TEST_F(CheckBoxGridRows, InsertAsksWhenTheLastRowHoldsText)
{
    fillRules();
    grid->SetCells(5, 4, QStringLiteral("last"));
    recorder.Answer(fw::mrNo);
    EXPECT_FALSE(Grid_CB_Insert_Row(1, grid.get(), false));
    ASSERT_EQ(messages(), QStringList{kPushesOutLast});
    EXPECT_EQ(rowText(1), QStringLiteral("Y [a1] [b1] N [m1]"));
    EXPECT_EQ(rowText(4), QStringLiteral("NR []R []R NR [last]R"));
}

// ---------------------------------------------------------------- Enter and double click

struct EnterCase {
    const char* name;
    bool option;
    QChar key;
    int col, row;           // current cell before
    int toCol, toRow;       // after
    QChar keyAfter;
};

TEST_F(ColumnGridRows, EnterWalksToTheNextCellWhenTheOptionIsOn)
{
    // Display columns 0..4 (the hidden column is not walked over).
    const EnterCase cases[] = {
        {"next column", true, QChar(13), 1, 1, 2, 1, QChar(0)},
        {"last column: next row", true, QChar(13), 4, 2, 1, 3, QChar(0)},
        {"last cell: back to row 1", true, QChar(13), 4, 4, 1, 1, QChar(0)},
        {"option off", false, QChar(13), 1, 1, 1, 1, QChar(13)},
        {"another key", true, QLatin1Char('a'), 1, 1, 1, 1, QLatin1Char('a')},
    };
    for (const EnterCase& c : cases) {
        SCOPED_TRACE(c.name);
        Opt_Jump_Field = c.option;
        grid->SetRow(c.row);
        grid->SetCol(c.col);
        QChar key = c.key;
        Grid_Enter_Next_Cell(grid.get(), key);
        EXPECT_EQ(grid->Col(), c.toCol);
        EXPECT_EQ(grid->Row(), c.toRow);
        EXPECT_EQ(key, c.keyAfter);
    }
    Opt_Jump_Field = false;
}

TEST_F(ColumnGridRows, HeaderDoubleClickFitsTheColumnOnlyWithTheOption)
{
    grid->SetCells(2, 0, QStringLiteral("A header much wider than its column"));
    const struct {
        const char* name;
        bool option;
        int row;
        bool fits;
    } cases[] = {
        {"option off", false, 0, false},
        {"data cell", true, 1, false},
        {"header", true, 0, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        grid->SetColWidths(2, 30);
        Opt_DblClick_AutoSize = c.option;
        Grid_DblClick_AutoSize(grid.get(), c.row, 2);
        EXPECT_EQ(grid->ColWidths(2) > 100, c.fits) << grid->ColWidths(2);
        EXPECT_EQ(grid->ColWidths(1), grid->DefaultColWidth());
    }
    Opt_DblClick_AutoSize = false;
}

} // namespace
