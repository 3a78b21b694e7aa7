#include "editors/can/CANopenGrids.h"

#include "app/TableWindow.h"
#include "grid/model/FxCGrid.h"

void CANopen_Grids(TTableWindow& window)
{
    for (int table = 0; table < window.Table_Count(); ++table) {
        TFxColumnGrid* grid = window.Grid(table);
        grid->SetDefaultRowHeight(21);
        grid->Events().OnClickCell = [grid](QObject*, int row, int col) {
            if (col != 0 || row < grid->FixedRows() || row >= grid->RowCount())
                return;
            grid->SetSelection({grid->FixedCols(), row, grid->ColCount() - 1, row});
        };
    }
}
