// Whole-row moves of the storage in one pass, so that hiding, filtering and
// deleting many rows cost one walk over the rows below the first change.
#include "grid/model/FxGridRows_p.h"
#include "grid/model/FxGrid_p.h"

#include <algorithm>
#include <iterator>

namespace {

// Property objects know their cell: after rows moved, those from `first`
// on learn their new row (and, for the rows in `newRows`, ascending, their
// column). The work is the rows from `first` on: adding a row at the end
// costs the same however long the grid is.
void FollowOwners(TFxStringGrid& g, int first, const std::vector<int>* newRows = nullptr)
{
    const int cols = TFxGridRowOps::StorageCols(g);
    const int count = g.RowCount();
    for (int r = std::max(first, 0); r < count; ++r) {
        if (!g.RowHasObjects(r))
            continue;
        const bool isNew = newRows && std::binary_search(newRows->begin(), newRows->end(), r);
        for (int c = 0; c < cols; ++c)
            if (TCellProperties* p = g.GridObjects(c, r)) {
                p->SetOwnerRow(r);
                if (isNew)
                    p->SetOwnerCol(c);
            }
    }
}

} // namespace

int TFxGridRowOps::StorageCols(const TFxStringGrid& g)
{
    return g.ColCount() + g.NumHiddenColumns();
}

void TFxGridRowOps::TakeRows(TFxStringGrid& g, const std::vector<int>& rows, const TTake& take)
{
    const int count = g.RowCount();
    std::vector<int> list;
    list.reserve(rows.size());
    for (int r : rows)
        if (r >= 0 && r < count && (list.empty() || r > list.back()))
            list.push_back(r);
    if (list.empty())
        return;
    g.fw::TStringGrid::TakeRows(list, take);
    FollowOwners(g, list.front());
    g.SetNormalRowCount(g.RowCount());
}

void TFxGridRowOps::DeleteRows(TFxStringGrid& g, const std::vector<int>& rows, bool freeObjects)
{
    if (freeObjects) {
        const int count = g.RowCount();
        const int cols = StorageCols(g);
        int last = -1;
        for (int r : rows)
            if (r >= 0 && r < count && r > last) {
                g.FreeCellPropsInRange(0, r, cols - 1, r);
                last = r;
            }
    }
    TakeRows(g, rows, [](std::size_t, fw::TGridRowCells&) {});
}

void TFxGridRowOps::SetAside(TFxStringGrid& g, const std::vector<int>& rows, int level)
{
    THiddenRowStore& store = g.d->model.HiddenRows;
    const int cols = StorageCols(g);
    std::vector<TGridItem> items;
    items.reserve(rows.size());
    for (int v : rows)
        items.emplace_back(store.DisplToReal(v), g.RowHeights(v), fw::TGridRowCells(), cols, level);
    TakeRows(g, rows, [&](std::size_t i, fw::TGridRowCells& cells) { items[i].Cells() = std::move(cells); });
    store.AddMany(std::move(items));
    g.CellControlsUpdate(false);
}

void TFxGridRowOps::InsertRows(TFxStringGrid& g, std::vector<TNewRow> rows)
{
    if (rows.empty())
        return;
    std::stable_sort(rows.begin(), rows.end(), [](const TNewRow& a, const TNewRow& b) { return a.At < b.At; });
    const int oldCount = g.RowCount();
    const int newCount = oldCount + int(rows.size());
    // Positions kept distinct and inside the grown grid.
    const int n = int(rows.size());
    std::vector<fw::TStringGrid::TPutRow> put;
    put.reserve(rows.size());
    std::vector<int> isNew;
    isNew.reserve(rows.size());
    for (int i = 0; i < n; ++i) {
        TNewRow& row = rows[std::size_t(i)];
        row.At = std::clamp(row.At, i == 0 ? 0 : rows[std::size_t(i) - 1].At + 1, newCount - n + i);
        isNew.push_back(row.At);
        put.push_back({row.At, std::move(row.Cells), row.Height >= 0 ? row.Height : g.DefaultRowHeight()});
    }
    const int first = put.front().At;
    g.fw::TStringGrid::PutRows(std::move(put));
    FollowOwners(g, first, &isNew);
    g.SetNormalRowCount(g.RowCount());
}

TCellProperties* TFxGridRowOps::NewDetachedProps(TFxStringGrid& g, int c, int r)
{
    // The base grid registers what passes through a slot; a slot past the
    // last row is borrowed for that and emptied again.
    auto* p = new TCellProperties(&g, c, r);
    const int scratch = g.RowCount() + g.NumHiddenRows() + 1;
    g.SetGridObject(c, scratch, p);
    g.TObjStringGrid::SetObjects(c, scratch, nullptr);
    return p;
}
