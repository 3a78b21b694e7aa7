#pragma once
// The row core of the feature grid's model: whole display rows taken out of
// the cell storage, put back, deleted and opened in one pass each, over
// every real column (hidden ones included). Rows travel as storage handles
// (fw::TGridRowCells), so setting a row aside copies no cell. Used by
// hiding, filtering, moving and the structure edits.
#include "grid/model/FxGrid.h"
#include "grid/model/FxHiddenRows.h"

#include <functional>
#include <utility>
#include <vector>

struct TFxGridRowOps {
    // Columns the storage holds: shown and hidden.
    static int StorageCols(const TFxStringGrid& g);
    // Takes the listed display rows (ascending, unique; others are skipped)
    // out in one pass, handing each one's cells to take(i, cells) to move
    // from, i counting the rows taken; the rows below close up with their
    // heights. The cells keep their property objects, which then belong to
    // the caller.
    using TTake = std::function<void(std::size_t, fw::TGridRowCells&)>;
    static void TakeRows(TFxStringGrid& g, const std::vector<int>& rows, const TTake& take);
    // Removes the listed display rows as TakeRows; with freeObjects the
    // removed rows' property objects are freed, else they belong to the caller.
    static void DeleteRows(TFxStringGrid& g, const std::vector<int>& rows, bool freeObjects);
    // Sets the display rows `rows` (ascending, unique, in range) aside in the
    // hidden-row store in one pass, hidden by filter level `level` (-1: by
    // other means).
    static void SetAside(TFxStringGrid& g, const std::vector<int>& rows, int level);
    // Opens rows in one pass: each entry is the display position the row
    // takes in the grid after the insertion (ascending, unique), with the
    // cells and height it gets (no cells opens an empty row).
    struct TNewRow {
        int At = 0;
        fw::TGridRowCells Cells;
        int Height = -1;   // -1: the grid's default row height
    };
    static void InsertRows(TFxStringGrid& g, std::vector<TNewRow> rows);
    // A properties object for a cell outside the storage (a hidden row's),
    // registered with the grid so that the grid frees it.
    static TCellProperties* NewDetachedProps(TFxStringGrid& g, int c, int r);
};
