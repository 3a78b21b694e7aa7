// Whole-row moves of the storage in one pass, so that hiding, filtering and
// deleting many rows cost one walk over the rows below the first change.
#include "grid/model/FxGridRows_p.h"
#include "grid/model/FxGrid_p.h"

#include <algorithm>
#include <iterator>

namespace {

// The string grid's own cells and counts, below every layer's hooks.
QString RawText(const TFxStringGrid& g, int c, int r)
{
    return g.TBaseGrid::GetGridCell(c, r);
}

} // namespace

int TFxGridRowOps::StorageCols(const TFxStringGrid& g)
{
    return g.ColCount() + g.NumHiddenColumns();
}

std::vector<THiddenCell> TFxGridRowOps::CopyRow(const TFxStringGrid& g, int displRow)
{
    const int cols = StorageCols(g);
    std::vector<THiddenCell> cells(static_cast<std::size_t>(cols));
    for (int c = 0; c < cols; ++c) {
        cells[std::size_t(c)].Text = RawText(g, c, displRow);
        cells[std::size_t(c)].Object = g.GridObjects(c, displRow);
    }
    return cells;
}

void TFxGridRowOps::WriteRow(TFxStringGrid& g, int displRow, const std::vector<THiddenCell>& cells)
{
    const int cols = StorageCols(g);
    for (int c = 0; c < cols; ++c) {
        const THiddenCell* cell = c < int(cells.size()) ? &cells[std::size_t(c)] : nullptr;
        g.SetGridCell(c, displRow, cell ? cell->Text : QString());
        TCellProperties* p = cell ? cell->Object : nullptr;
        if (p) {
            p->SetOwnerCol(c);
            p->SetOwnerRow(displRow);
        }
        g.TObjStringGrid::SetObjects(c, displRow, p);
    }
}

void TFxGridRowOps::DeleteRows(TFxStringGrid& g, const std::vector<int>& rows, bool freeObjects)
{
    const int count = g.RowCount();
    std::vector<int> list;
    for (int r : rows)
        if (r >= 0 && r < count && (list.empty() || r > list.back()))
            list.push_back(r);
    if (list.empty())
        return;
    const int cols = StorageCols(g);
    if (freeObjects)
        for (int r : list)
            g.FreeCellPropsInRange(0, r, cols - 1, r);
    std::size_t next = 0;
    int w = list.front();
    for (int r = list.front(); r < count; ++r) {
        if (next < list.size() && list[next] == r) {
            ++next;
            continue;
        }
        for (int c = 0; c < cols; ++c) {
            g.SetGridCell(c, w, RawText(g, c, r));
            TCellProperties* p = g.GridObjects(c, r);
            if (p)
                p->SetOwnerRow(w);
            g.TObjStringGrid::SetObjects(c, w, p);
        }
        if (g.RowHeights(w) != g.RowHeights(r))
            g.SetRowHeights(w, g.RowHeights(r));
        ++w;
    }
    // The vacated rows at the end must not come back when the grid grows:
    // the string grid drops them as a block.
    if (w < count)
        g.fw::TStringGrid::DeleteRows(w, count - w);
    g.SetNormalRowCount(w);
}

void TFxGridRowOps::InsertRows(TFxStringGrid& g, std::vector<TNewRow> rows)
{
    if (rows.empty())
        return;
    std::sort(rows.begin(), rows.end(), [](const TNewRow& a, const TNewRow& b) { return a.At < b.At; });
    const int oldCount = g.RowCount();
    const int newCount = oldCount + int(rows.size());
    // Positions kept distinct and inside the grown grid.
    const int n = int(rows.size());
    for (int i = 0; i < n; ++i)
        rows[std::size_t(i)].At = std::clamp(rows[std::size_t(i)].At, i == 0 ? 0 : rows[std::size_t(i) - 1].At + 1,
                                             newCount - n + i);
    const int cols = StorageCols(g);
    std::vector<int> heights(static_cast<std::size_t>(oldCount));
    for (int r = 0; r < oldCount; ++r)
        heights[std::size_t(r)] = g.RowHeights(r);
    g.TBaseGrid::SetRowCount(newCount);
    // From the bottom: each target row takes the next new row when its
    // position has come, else the next old row from above.
    int source = oldCount - 1;
    auto item = rows.end();
    for (int t = newCount - 1; t >= 0 && (item != rows.begin() || source != t); --t) {
        if (item != rows.begin() && std::prev(item)->At == t) {
            --item;
            WriteRow(g, t, item->Cells);
            const int h = item->Height >= 0 ? item->Height : g.DefaultRowHeight();
            if (g.RowHeights(t) != h)
                g.SetRowHeights(t, h);
            continue;
        }
        for (int c = 0; c < cols; ++c) {
            g.SetGridCell(c, t, RawText(g, c, source));
            TCellProperties* p = g.GridObjects(c, source);
            if (p)
                p->SetOwnerRow(t);
            g.TObjStringGrid::SetObjects(c, t, p);
        }
        if (g.RowHeights(t) != heights[std::size_t(source)])
            g.SetRowHeights(t, heights[std::size_t(source)]);
        --source;
    }
    g.SetNormalRowCount(newCount);
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
