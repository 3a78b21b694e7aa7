#include "app/services/UTableRows.h"

#include "app/services/UComon.h"
#include "app/services/ULanguage.h"
#include "framework/Dialogs.h"
#include "framework/Forms.h"
#include "framework/SysUtils.h"
#include "grid/model/FxCGrid.h"

#include <vector>

namespace {

// Moving a whole table repaints once, at the end.
class UpdateBracket {
public:
    explicit UpdateBracket(TFxStringGrid* grid) : m_grid(grid) { m_grid->BeginUpdate(); }
    ~UpdateBracket() { m_grid->EndUpdate(); }
    UpdateBracket(const UpdateBracket&) = delete;
    UpdateBracket& operator=(const UpdateBracket&) = delete;

private:
    TFxStringGrid* m_grid;
};

// Every column after the row-number column, hidden ones included.
int lastColumn(const TFxStringGrid* grid)
{
    return grid->ColCount() + grid->NumHiddenColumns() - 1;
}

// The columns the user sees, after the row-number column, left to right as
// real columns: a hidden column in the middle keeps its real index, so
// counting 1 .. ColCount-1 would take it and leave out the last ones.
std::vector<int> visibleColumns(const TFxStringGrid* grid)
{
    std::vector<int> columns;
    for (int c = 1; c <= lastColumn(grid); ++c)
        if (!grid->IsHiddenColumn(c))
            columns.push_back(c);
    return columns;
}

bool isCheckBoxColumn(const TFxColumnGrid* grid, int c)
{
    const TGridColumnCollection& columns = grid->Columns();
    return c < columns.Count() && columns.Items(c)->Editor() == edDataCheckBox;
}

bool blank(const QString& text)
{
    return fw::Trim(text).isEmpty();
}

bool confirmed(int text)
{
    return fw::MessageDlg(Lang_Text(text), fw::mtConfirmation, fw::mbYesNo) == fw::mrYes;
}

void error(int text)
{
    fw::MessageDlg(Lang_Text(text), fw::mtError, fw::mbOK);
}

// A row holds text when a column that is no check box is not blank.
bool rowHoldsText(const TFxColumnGrid* grid, int row, const std::vector<int>& columns)
{
    for (int c : columns)
        if (!isCheckBoxColumn(grid, c) && !blank(grid->Cells(c, row)))
            return true;
    return false;
}

std::vector<int> allColumns(const TFxStringGrid* grid)
{
    std::vector<int> columns;
    for (int c = 1; c <= lastColumn(grid); ++c)
        columns.push_back(c);
    return columns;
}

// On a grid with check-box objects a cell without a box holding anything,
// a blank too, makes the row used.
bool cbRowHoldsText(TFxStringGrid* grid, int row)
{
    for (int c = 1; c <= lastColumn(grid); ++c)
        if (!grid->HasCheckBox(c, row) && !grid->Cells(c, row).isEmpty())
            return true;
    return false;
}

bool checkState(TFxStringGrid* grid, int c, int row)
{
    bool state = false;
    grid->GetCheckBoxState(c, grid->RealRowIndex(row), state);
    return state;
}

void setCheckState(TFxStringGrid* grid, int c, int row, bool state)
{
    grid->SetCheckBoxState(c, grid->RealRowIndex(row), state);
}

// The cell (c, to) takes what (c, from) holds: its check box state or its
// text, and its read-only flag.
void cbMoveCell(TFxStringGrid* grid, int c, int from, int to)
{
    if (grid->HasCheckBox(c, from))
        setCheckState(grid, c, to, checkState(grid, c, from));
    else
        grid->SetCells(c, to, grid->Cells(c, from));
    grid->SetReadOnly(c, to, grid->ReadOnly(c, from));
}

void cbClearRow(TFxStringGrid* grid, int row, bool firstColumnChecked, bool readOnly)
{
    for (int c = 1; c <= lastColumn(grid); ++c) {
        if (grid->HasCheckBox(c, row))
            setCheckState(grid, c, row, firstColumnChecked && c == 1);
        else
            grid->SetCells(c, row, QString());
        grid->SetReadOnly(c, row, readOnly);
    }
}

} // namespace

// ---------------------------------------------------------------- column grid

void Grid_Copy_Row(TFxColumnGrid* grid, int row)
{
    Row_Clipboard.clear();
    for (int c : visibleColumns(grid))
        Row_Clipboard << grid->Cells(c, row);
}

bool Grid_Paste_Row(TFxColumnGrid* grid, int row, bool copied)
{
    if (!copied) {
        error(Text_Nothing_Copied);
        return false;
    }
    const std::vector<int> columns = visibleColumns(grid);
    if (int(columns.size()) != Row_Clipboard.size()) {
        error(Text_Copy_Does_Not_Fit);
        return false;
    }
    if (rowHoldsText(grid, row, columns) && !confirmed(Text_Row_Already_Used))
        return false;
    const UpdateBracket update(grid);
    for (std::size_t i = 0; i < columns.size(); ++i)
        grid->SetCells(columns[i], row, Row_Clipboard[qsizetype(i)]);
    return true;
}

bool Grid_Insert_Row(int row, TFxColumnGrid* grid, bool firstColumnEnabled)
{
    const int last = grid->RowCount() - 1;
    const int n = lastColumn(grid);
    if (rowHoldsText(grid, last, allColumns(grid)) && !confirmed(Text_Insert_Pushes_Out_Last))
        return false;
    const UpdateBracket update(grid);
    for (int r = last - 1; r >= row; --r)
        for (int c = 1; c <= n; ++c)
            grid->SetCells(c, r + 1, grid->Cells(c, r));
    for (int c = 1; c <= n; ++c)
        grid->SetCells(c, row, firstColumnEnabled && c == 1 ? QStringLiteral("Y") : QString());
    return true;
}

void Grid_Delete_Row(int row, TFxColumnGrid* grid)
{
    const int last = grid->RowCount() - 1;
    const int n = lastColumn(grid);
    const UpdateBracket update(grid);
    for (int r = row; r < last; ++r)
        for (int c = 1; c <= n; ++c)
            grid->SetCells(c, r, grid->Cells(c, r + 1));
    for (int c = 1; c <= n; ++c)
        grid->SetCells(c, last, QString());
}

// ---------------------------------------------------------------- grid with check-box objects

void Grid_CB_Copy_Row(TFxStringGrid* grid, int row)
{
    Row_Clipboard.clear();
    Row_Clipboard_Is_Check.clear();
    for (int c = 1; c <= lastColumn(grid); ++c) {
        const bool box = grid->HasCheckBox(c, row);
        Row_Clipboard_Is_Check << box;
        Row_Clipboard << (box ? (checkState(grid, c, row) ? QStringLiteral("Y") : QStringLiteral("N"))
                              : grid->Cells(c, row));
    }
}

bool Grid_CB_Paste_Row(TFxStringGrid* grid, int row, bool copied)
{
    if (!copied) {
        error(Text_Nothing_Copied);
        return false;
    }
    const int n = lastColumn(grid);
    // The flags come with the copy; a clipboard filled by the plain copy of
    // another table has none that fit.
    if (Row_Clipboard.size() != n || Row_Clipboard_Is_Check.size() != n) {
        error(Text_Copy_Does_Not_Fit);
        return false;
    }
    if (cbRowHoldsText(grid, row) && !confirmed(Text_Row_Already_Used))
        return false;
    const UpdateBracket update(grid);
    for (int c = 1; c <= n; ++c) {
        if (Row_Clipboard_Is_Check[c - 1])
            setCheckState(grid, c, row, Row_Clipboard[c - 1] == QLatin1String("Y"));
        else
            grid->SetCells(c, row, Row_Clipboard[c - 1]);
    }
    return true;
}

bool Grid_CB_Insert_Row(int row, TFxStringGrid* grid, bool firstColumnChecked)
{
    const int last = grid->RowCount() - 1;
    if (cbRowHoldsText(grid, last) && !confirmed(Text_Insert_Pushes_Out_Last))
        return false;
    const UpdateBracket update(grid);
    for (int r = last - 1; r >= row; --r)
        for (int c = 1; c <= lastColumn(grid); ++c)
            cbMoveCell(grid, c, r, r + 1);
    cbClearRow(grid, row, firstColumnChecked, false);
    return true;
}

void Grid_CB_Delete_Row(int row, TFxStringGrid* grid, bool firstColumnChecked)
{
    const int last = grid->RowCount() - 1;
    const UpdateBracket update(grid);
    for (int r = row; r < last; ++r)
        for (int c = 1; c <= lastColumn(grid); ++c)
            cbMoveCell(grid, c, r + 1, r);
    cbClearRow(grid, last, firstColumnChecked, true);
}

// ---------------------------------------------------------------- keys and clicks

void Grid_Enter_Next_Cell(TFxStringGrid* grid, QChar& key)
{
    if (!Opt_Jump_Field || key != QChar(13))
        return;
    if (grid->Col() > 0 && grid->Row() > 0) {
        if (grid->Col() < grid->ColCount() - 1) {
            grid->SetCol(grid->Col() + 1);
        } else {
            const int next = grid->Row() < grid->RowCount() - 1 ? grid->Row() + 1 : 1;
            grid->SetCol(1);
            grid->SetRow(next);
        }
    }
    key = QChar(0);
}

void Grid_DblClick_AutoSize(TFxStringGrid* grid, int row, int col)
{
    if (Opt_DblClick_AutoSize && row == 0)
        grid->AutoSizeCol(col, 0);
}
