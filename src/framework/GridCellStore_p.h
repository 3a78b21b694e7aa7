#pragma once
// Cell storage of the string grid: texts and object references by row and
// column. A row is a line of cells (TGridRowCells) and the grid a line of
// rows, so moving, exchanging, taking out and putting back rows shifts row
// handles, never cells.
#include "framework/GridRowCells.h"

#include <QString>

#include <utility>
#include <vector>

namespace fw {

class TGridCellStore {
public:
    // The grid's counts: cells inside them are stored densely.
    void SetExtent(int cols, int rows);

    // Reads and writes of texts are inline: every cell access of the grid
    // passes here.
    QString Text(int c, int r) const
    {
        const TGridRowCells* row = FRows.Find(r);
        return row ? row->Text(c) : QString();
    }
    // Null when the cell holds no text.
    const QString* FindText(int c, int r) const
    {
        const TGridRowCells* row = FRows.Find(r);
        return row ? row->FindText(c) : nullptr;
    }
    void* Object(int c, int r) const;
    // Both answer whether the stored value changed.
    bool SetText(int c, int r, const QString& value)
    {
        if (TGridRowCells* row = FRows.Find(r))
            return row->SetText(c, value, FColCount);
        return AddRowText(c, r, value);
    }
    bool SetObject(int c, int r, void* value);
    bool RowHasObjects(int r) const;

    // Rows and columns turn round within [first, last) as TCellLine::Rotate.
    void RotateRows(int first, int middle, int last);
    void RotateColumns(int first, int middle, int last);
    void SwapRows(int a, int b);
    // Forgets the texts and objects of rows (columns) [first, last).
    void ClearRows(int first, int last);
    void ClearColumns(int first, int last);
    // Forgets the texts of columns [c1, c2) in rows [r1, r2), at the cost of
    // the rows and cells stored rather than of the area.
    void ClearTexts(int c1, int r1, int c2, int r2);
    // Rows taken out and put back as whole handles (TCellLine::CloseUp, OpenUp).
    void TakeRows(const std::vector<int>& rows, int end, const std::function<void(std::size_t, TGridRowCells&)>& take);
    void PutRows(std::vector<std::pair<int, TGridRowCells>>& rows, int newEnd);

private:
    bool AddRowText(int c, int r, const QString& value);
    TCellLine<TGridRowCells> FRows;
    int FColCount = 0;
    int FRowCount = 0;
};

} // namespace fw
