#pragma once
// The row buttons, the Enter key and the header double click of every table
// window, so that all tables behave alike. A table is a grid with a header
// row 0 and a row-number column 0 whose rows 1 .. RowCount-1 are the table;
// RowCount never changes: inserting and deleting move contents inside it.
// One row clipboard (Row_Clipboard, UComon.h) serves every table; each window
// keeps, per grid, whether a row was copied from that grid since it was shown
// and passes that flag to the paste routine.
//
// Two families: the plain routines work on a column grid whose check-box
// columns keep "Y"/"N" as cell text (edDataCheckBox); the Grid_CB_ routines
// on a string grid whose cells carry check-box objects and per-cell
// read-only flags. Column indexes are real columns (hidden ones included).
#include <QChar>

class TFxColumnGrid;
class TFxStringGrid;

// Texts of the questions and errors (text table).
constexpr int Text_Row_Already_Used = 900;        // question before a paste overwrites a row
constexpr int Text_Copy_Does_Not_Fit = 901;       // clipboard from a table of other columns
constexpr int Text_Nothing_Copied = 902;          // no row copied from this grid
constexpr int Text_Insert_Pushes_Out_Last = 916;  // question before Insert drops a last row with data

// Copies the visible columns of the row (from column 1, left to right) into
// the row clipboard; the check-box flags of the clipboard stay as they are.
void Grid_Copy_Row(TFxColumnGrid* grid, int row);

// Writes the clipboard into the visible columns of the row. Refused with an
// error when nothing was copied from this grid (copied false) or the copy has
// another number of columns; asks first when a column that is no check box
// holds text. Returns true when the row was written.
bool Grid_Paste_Row(TFxColumnGrid* grid, int row, bool copied);

// Moves the rows from `row` on one down, every column hidden ones included,
// and empties `row` ("Y" in column 1 with firstColumnEnabled). The last row
// falls out of the table: when it holds text outside check-box columns the
// user is asked first. Returns true when the row was inserted.
bool Grid_Insert_Row(int row, TFxColumnGrid* grid, bool firstColumnEnabled);

// Moves the rows below `row` one up, every column hidden ones included, and
// empties the last row. The caller has asked for confirmation.
void Grid_Delete_Row(int row, TFxColumnGrid* grid);

// The same on a grid with check-box objects: every column, hidden ones
// included; a check box is copied as "Y"/"N" and flagged in
// Row_Clipboard_Is_Check, and the read-only flags move with the cells. A
// new row is editable; the row freed at the bottom by a delete is read-only.
void Grid_CB_Copy_Row(TFxStringGrid* grid, int row);
bool Grid_CB_Paste_Row(TFxStringGrid* grid, int row, bool copied);
bool Grid_CB_Insert_Row(int row, TFxStringGrid* grid, bool firstColumnChecked);
void Grid_CB_Delete_Row(int row, TFxStringGrid* grid, bool firstColumnChecked);

// From a grid's key press: with the option Opt_Jump_Field, Enter moves to
// the next cell (the first cell of the next row after the last column, row 1
// after the last row) and is consumed (key becomes 0). Any other key, or
// Enter with the option off, is left to the grid.
void Grid_Enter_Next_Cell(TFxStringGrid* grid, QChar& key);

// From a grid's cell double click: with the option Opt_DblClick_AutoSize, a
// double click on a header cell fits that column to its content.
void Grid_DblClick_AutoSize(TFxStringGrid* grid, int row, int col);
