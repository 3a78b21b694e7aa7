// Hiding and showing columns and rows, and moving columns and rows.
#include "grid/model/FxGrid.h"
#include "grid/model/FxGridRows_p.h"
#include "grid/model/FxGrid_p.h"

#include <algorithm>

// ---------------------------------------------------------------- columns

void TFxStringGrid::HideColumn(int ColIndex)
{
    HideColumns(ColIndex, ColIndex);
}

void TFxStringGrid::HideColumns(int FromCol, int ToCol)
{
    HideInplaceEdit();
    THiddenColumns& hidden = d->model.HiddenCols;
    for (int c = std::max(FromCol, 0); c <= ToCol; ++c) {
        if (hidden.IsHidden(c) || c >= ColCount() + hidden.Count() || ColCount() <= 1)
            continue;
        const int dc = hidden.RealToDispl(c);
        hidden.SetSavedWidth(c, ColWidths(dc));
        for (int i = dc; i <= ColCount() - 2; ++i)
            SetColWidths(i, ColWidths(i + 1));
        hidden.SetHidden(c, true);
        if (Col() == ColCount() - 1 && Col() > 0)
            MoveCurrentCell(Col() - 1, Row());
        SetColCount(ColCount() - 1);
    }
    Invalidate();
}

void TFxStringGrid::UnHideColumn(int ColIndex)
{
    UnHideColumns(ColIndex, ColIndex);
}

void TFxStringGrid::UnHideColumns(int FromCol, int ToCol)
{
    HideInplaceEdit();
    THiddenColumns& hidden = d->model.HiddenCols;
    const std::vector<int> columns = hidden.Columns();
    for (int c : columns) {
        if (c < FromCol || c > ToCol)
            continue;
        hidden.SetHidden(c, false);
        SetColCount(ColCount() + 1);
        const int dc = hidden.RealToDispl(c);
        for (int i = ColCount() - 1; i > dc; --i)
            SetColWidths(i, ColWidths(i - 1));
        SetColWidths(dc, hidden.SavedWidth(c));
    }
    Invalidate();
}

void TFxStringGrid::UnHideColumnsAll()
{
    UnHideColumns(0, ColCount() + NumHiddenColumns());
}

bool TFxStringGrid::IsHiddenColumn(int ColIndex) const
{
    return d->model.HiddenCols.IsHidden(ColIndex);
}

int TFxStringGrid::NumHiddenColumns() const
{
    return d->model.HiddenCols.Count();
}

// ---------------------------------------------------------------- rows

namespace {

using TNewRow = TFxGridRowOps::TNewRow;

} // namespace

void TFxStringGrid::HideRow(int RowIndex)
{
    HideRows(RowIndex, RowIndex);
}

void TFxStringGrid::HideRows(int FromRow, int ToRow)
{
    THiddenRowStore& store = d->model.HiddenRows;
    FromRow = std::max(FromRow, 0);
    ToRow = std::min(ToRow, AllRowCount() - 1);
    if (FromRow > ToRow)
        return;
    std::vector<int> rows;
    for (int r = FromRow; r <= ToRow; ++r)
        if (!store.IsHidden(r))
            rows.push_back(store.RealToDispl(r));
    if (rows.empty())
        return;
    TFxGridRowOps::SetAside(*this, rows, -1);
}

void TFxStringGrid::HideRowsEx(int FromRow, int ToRow)
{
    if (IsHiddenRow(FromRow))
        return;
    HideRows(FromRow, ToRow);
}

void TFxStringGrid::HideRowList(const std::vector<int>& RowList)
{
    THiddenRowStore& store = d->model.HiddenRows;
    std::vector<int> rows;
    rows.reserve(RowList.size());
    for (int v : RowList)
        if (v >= 0 && v < RowCount())
            rows.push_back(v);
    if (!std::is_sorted(rows.begin(), rows.end()))
        std::sort(rows.begin(), rows.end());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    const int level = store.FilterLevel();
    store.SetFilterLevel(level + 1);
    TFxGridRowOps::SetAside(*this, rows, level);
}

namespace {

// Rows taken from the store go back at the display place their real index
// gives among the rows that stay hidden.
std::vector<TNewRow> PlacesOf(const THiddenRowStore& store, std::vector<TGridItem>& items)
{
    std::vector<TNewRow> rows;
    rows.reserve(items.size());
    for (auto& item : items)
        rows.push_back({store.RealToDispl(item.Idx()), std::move(item.Cells()), item.Height()});
    return rows;
}

} // namespace

void TFxStringGrid::UnHideRowList()
{
    THiddenRowStore& store = d->model.HiddenRows;
    if (store.FilterLevel() <= 0)
        return;
    const int level = store.FilterLevel() - 1;
    std::vector<TGridItem> items = store.TakeLevel(level);
    store.SetFilterLevel(level);
    TFxGridRowOps::InsertRows(*this, PlacesOf(store, items));
    CellControlsUpdate(false);
}

void TFxStringGrid::UnHideRow(int RowIndex)
{
    UnHideRows(RowIndex, RowIndex);
}

void TFxStringGrid::UnHideRows(int FromRow, int ToRow)
{
    THiddenRowStore& store = d->model.HiddenRows;
    if (!store.IsHidden(FromRow))
        return;
    TShowModified& modified = *d->paint.ShowModified;
    const bool wasEnabled = modified.Enabled();
    modified.SetEnabled(false);
    std::vector<TGridItem> items = store.TakeRange(FromRow, ToRow);
    TFxGridRowOps::InsertRows(*this, PlacesOf(store, items));
    modified.SetEnabled(wasEnabled);
    CellControlsUpdate(false);
}

void TFxStringGrid::UnHideRowsAll()
{
    THiddenRowStore& store = d->model.HiddenRows;
    if (store.Empty())
        return;
    std::vector<TGridItem> items = store.TakeAll();
    store.SetFilterLevel(0);
    TFxGridRowOps::InsertRows(*this, PlacesOf(store, items));
    CellControlsUpdate(false);
}

bool TFxStringGrid::IsHiddenRow(int RowIndex) const
{
    return d->model.HiddenRows.IsHidden(RowIndex);
}

int TFxStringGrid::NumHiddenRows() const
{
    return d ? d->model.HiddenRows.Count() : 0;
}

TGridItem* TFxStringGrid::HiddenRowItem(int RealRow) const
{
    return d->model.HiddenRows.Find(RealRow);
}

// ---------------------------------------------------------------- moving

namespace {

// The index a control's column or row takes when one column or row moves.
int MovedIndex(int x, int from, int to)
{
    if (x == from)
        return to;
    if (to < from && x >= to && x < from)
        return x + 1;
    if (to > from && x > from && x <= to)
        return x - 1;
    return x;
}

} // namespace

// Re-records every cell control at the place `place` gives (column, row).
template <typename Place>
void ReplaceControls(TControlList& controls, Place place)
{
    struct Entry {
        int X, Y;
        QWidget* W;
    };
    std::vector<Entry> entries;
    for (int i = 0; i < controls.Count(); ++i) {
        const TControlItem* item = controls.Control(i);
        entries.push_back({item->X(), item->Y(), item->Control()});
    }
    while (controls.Count() > 0)
        controls.RemoveControl(controls.Count() - 1);
    for (Entry& e : entries) {
        place(e.X, e.Y);
        controls.AddControl(e.X, e.Y, e.W);
    }
}

void TFxStringGrid::MoveColumn(int FromIndex, int ToIndex)
{
    std::vector<int>& order = d->model.ColumnOrder;
    if (order.empty())
        SetColumnOrder();
    // The order lists real columns, hidden ones included.
    const int rf = RealColIndex(FromIndex), rt = RealColIndex(ToIndex);
    TBaseGrid::MoveColumn(FromIndex, ToIndex);
    if (rf >= 0 && rt >= 0 && rf < int(order.size()) && rt < int(order.size())) {
        const int moved = order[std::size_t(rf)];
        order.erase(order.begin() + rf);
        order.insert(order.begin() + rt, moved);
    }
    ReplaceControls(d->model.ControlList, [&](int& x, int&) { x = MovedIndex(x, FromIndex, ToIndex); });
    CellControlsUpdate(false);
}

void TFxStringGrid::HiddenColumnsMoved(int FromReal, int ToReal)
{
    d->model.HiddenCols.Move(FromReal, ToReal);
}

void TFxStringGrid::MoveRow(int FromIndex, int ToIndex)
{
    TBaseGrid::MoveRow(FromIndex, ToIndex);
    ReplaceControls(d->model.ControlList, [&](int&, int& y) { y = MovedIndex(y, FromIndex, ToIndex); });
    CellControlsUpdate(false);
}

void TFxStringGrid::MoveRows(int FromIndex, int ToIndex, int Count)
{
    if (Count < 0)
        throw EFxGridError(QStringLiteral("Invalid row count %1").arg(Count));
    FromIndex = std::max(FromIndex, 0);
    Count = std::min(Count, RowCount() - FromIndex);
    if (FromIndex == ToIndex || Count <= 0)
        return;
    if (FromIndex + Count < ToIndex)
        ToIndex -= Count;
    ToIndex = std::clamp(ToIndex, 0, RowCount() - Count);
    std::vector<int> rows;
    std::vector<TNewRow> moved;
    for (int i = 0; i < Count; ++i) {
        rows.push_back(FromIndex + i);
        moved.push_back({ToIndex + i, {}, RowHeights(FromIndex + i)});
    }
    TFxGridRowOps::TakeRows(*this, rows,
                            [&](std::size_t i, fw::TGridRowCells& cells) { moved[i].Cells = std::move(cells); });
    TFxGridRowOps::InsertRows(*this, std::move(moved));
    CellControlsUpdate(false);
}

void TFxStringGrid::DeleteRowsCore(const std::vector<int>& Rows)
{
    std::vector<int> rows = Rows;
    std::sort(rows.begin(), rows.end());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    TFxGridRowOps::DeleteRows(*this, rows, true);
    CellControlsUpdate(false);
}
