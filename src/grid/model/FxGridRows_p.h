#pragma once
// The row core of the feature grid's model: whole display rows taken out of
// the cell storage, put back, deleted and opened in one pass each, over
// every real column (hidden ones included). Used by hiding, filtering,
// moving and the structure edits.
#include "grid/model/FxGrid.h"
#include "grid/model/FxHiddenRows.h"

#include <utility>
#include <vector>

struct TFxGridRowOps {
    // Columns the storage holds: shown and hidden.
    static int StorageCols(const TFxStringGrid& g);
    // Copies a display row's texts and object slots (objects are not copied:
    // the pointers move with the row).
    static std::vector<THiddenCell> CopyRow(const TFxStringGrid& g, int displRow);
    // Writes cells into a display row (object owners follow the cell).
    static void WriteRow(TFxStringGrid& g, int displRow, const std::vector<THiddenCell>& cells);
    // Removes the listed display rows (ascending, unique) in one pass; the
    // rows below close up with their heights. With freeObjects the removed
    // rows' property objects are freed, else they belong to the caller.
    static void DeleteRows(TFxStringGrid& g, const std::vector<int>& rows, bool freeObjects);
    // Opens rows in one pass: each entry is the display position the row
    // takes in the grid after the insertion (ascending, unique), with the
    // cells and height it gets (an empty cell list opens an empty row).
    struct TNewRow {
        int At = 0;
        std::vector<THiddenCell> Cells;
        int Height = -1;   // -1: the grid's default row height
    };
    static void InsertRows(TFxStringGrid& g, std::vector<TNewRow> rows);
    // A properties object for a cell outside the storage (a hidden row's),
    // registered with the grid so that the grid frees it.
    static TCellProperties* NewDetachedProps(TFxStringGrid& g, int c, int r);
};
