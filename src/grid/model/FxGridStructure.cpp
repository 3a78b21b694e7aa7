// Row and column structure edits: inserting, adding and removing rows and
// columns, removing rows by selection, check box or duplicate text,
// clearing, trimming and colouring rectangles, merging and splitting by
// content. Everything indexed by row or column moves with the data: cell
// properties, heights, widths, hidden rows and columns (also the cells that
// hidden rows keep), the per-row flags and the cell controls.
#include "grid/model/FxGrid.h"
#include "grid/model/FxGridRows_p.h"
#include "grid/model/FxGrid_p.h"

#include <QSet>

#include <algorithm>

namespace {

// The bottom-most row that is neither fixed nor a footer.
int LastNormalRow(const TFxStringGrid& g)
{
    return g.RowCount() - g.FixedFooters() - 1;
}

bool FooterRowShown(const TFxStringGrid& g)
{
    return g.FloatingFooter().Visible();
}

// Cell controls sit at real rows: rows removed at realRow take theirs
// away, rows below move up (count < 0); inserted rows push them down.
// Returns the number of controls taken away.
int ShiftControls(TControlList& list, int realRow, int count)
{
    struct Kept {
        int X, Y;
        QWidget* W;
    };
    std::vector<Kept> kept;
    bool changed = false;
    int removed = 0;
    for (int i = 0; i < list.Count(); ++i) {
        const TControlItem* it = list.Control(i);
        int y = it->Y();
        if (count < 0 && y >= realRow && y < realRow - count) {
            if (it->Control())
                it->Control()->hide();
            changed = true;
            ++removed;
            continue;
        }
        if (y >= realRow) {
            y += count;
            changed = true;
        }
        kept.push_back({it->X(), y, it->Control()});
    }
    if (!changed)
        return 0;
    while (list.Count() > 0)
        list.RemoveControl(list.Count() - 1);
    for (const Kept& k : kept)
        list.AddControl(k.X, k.Y, k.W);
    return removed;
}

// Opens empty rows at the display positions `at` (ascending, unique, each
// the position the row takes once all are in) and moves along what is
// indexed by row: hidden rows, the per-row flags and the cell controls.
void InsertRowsKeeping(TFxStringGrid& g, TFxGridModelState& m, const std::vector<int>& at, bool updateControls)
{
    const int n = int(at.size());
    // Where each new row goes in the rows as they are now, display and real.
    std::vector<int> before(static_cast<std::size_t>(n)), realBefore(static_cast<std::size_t>(n));
    for (int i = 0; i < n; ++i) {
        before[std::size_t(i)] = std::min(at[std::size_t(i)] - i, g.RowCount());
        realBefore[std::size_t(i)] = g.RealRowIndex(before[std::size_t(i)]);
    }
    std::vector<TFxGridRowOps::TNewRow> rows;
    for (int r : at)
        rows.push_back({r, {}, -1});
    TFxGridRowOps::InsertRows(g, std::move(rows));
    const bool persistent = g.MouseActions().RowSelectPersistent();
    bool controls = false;
    // From the last: a shift at a lower row then moves the ones above it too.
    for (int i = n - 1; i >= 0; --i) {
        const int dr = before[std::size_t(i)], real = realBefore[std::size_t(i)];
        m.HiddenRows.Shift(real, 1);
        if (m.ModifiedRows.Count() > dr)
            m.ModifiedRows.Insert(dr, 1);
        if (m.DisabledRows.Count() > dr)
            m.DisabledRows.Insert(dr, 1);
        const int sel = persistent ? real : dr;
        if (m.RowSelect.Count() > sel)
            m.RowSelect.Insert(sel, 1);
        if (updateControls && m.ControlList.Count() > 0) {
            ShiftControls(m.ControlList, real, 1);
            controls = true;
        }
    }
    m.MaxRowCount = std::max(m.MaxRowCount, g.RowCount());
    if (controls)
        g.CellControlsUpdate(false);
}

} // namespace

// ---------------------------------------------------------------- rows

void TFxStringGrid::InsertRows(int RowIndex, int RCount, bool UpdateCellControls)
{
    if (RCount <= 0 || RowIndex < 0)
        return;
    if (SelectionHidden())
        UnHideSelection();
    // The floating footer's row stays the last row.
    if (FooterRowShown(*this) && RowCount() > 0 && RowIndex > RowCount() - 1)
        RowIndex = RowCount() - 1;
    RowIndex = std::min(RowIndex, RowCount());
    std::vector<int> at;
    for (int i = 0; i < RCount; ++i)
        at.push_back(RowIndex + i);
    BeginUpdate();
    InsertRowsKeeping(*this, d->model, at, UpdateCellControls);
    EndUpdate();
    if (!Destroying())
        DoCellsChanged(fw::TRect(0, RowIndex, ColCount() - 1, RowIndex + RCount));
}

void TFxStringGrid::InsertDisplayRows(std::vector<int> At)
{
    std::sort(At.begin(), At.end());
    At.erase(std::unique(At.begin(), At.end()), At.end());
    At.erase(std::remove_if(At.begin(), At.end(), [](int r) { return r < 0; }), At.end());
    if (At.empty())
        return;
    BeginUpdate();
    InsertRowsKeeping(*this, d->model, At, true);
    EndUpdate();
    if (!Destroying())
        DoCellsChanged(fw::TRect(0, At.front(), ColCount() - 1, RowCount() - 1));
}

void TFxStringGrid::AddRow()
{
    const bool footer = FooterRowShown(*this);
    const int at = footer && RowCount() > 0 ? RowCount() - 1 : RowCount();
    InsertRows(at, 1, true);
    if (!footer || FloatingFooter().FooterStyle() == fsFixedLastRow)
        ClearRows(at, 1);
}

void TFxStringGrid::RemoveDisplayRows(std::vector<int> Rows, bool FreeProps)
{
    TFxGridModelState& m = d->model;
    std::sort(Rows.begin(), Rows.end());
    Rows.erase(std::unique(Rows.begin(), Rows.end()), Rows.end());
    Rows.erase(std::remove_if(Rows.begin(), Rows.end(), [&](int r) { return r < 0 || r >= RowCount(); }),
               Rows.end());
    if (Rows.empty())
        return;
    const bool persistent = MouseActions().RowSelectPersistent();
    // Bottom-up, so the real index of every row still to come stays valid.
    for (auto it = Rows.rbegin(); it != Rows.rend(); ++it) {
        const int dr = *it;
        const int real = RealRowIndex(dr);
        if (GetCellType(0, dr) == ctNode)
            m.NumNodes = std::max(0, m.NumNodes - 1);
        m.HiddenRows.Shift(real, -1);
        if (m.ModifiedRows.Count() > dr)
            m.ModifiedRows.Remove(dr, 1);
        if (m.DisabledRows.Count() > dr)
            m.DisabledRows.Remove(dr, 1);
        const int sel = persistent ? real : dr;
        if (m.RowSelect.Count() > sel)
            m.RowSelect.Remove(sel, 1);
        if (m.ControlList.Count() > 0)
            m.NumCellControls = std::max(0, m.NumCellControls - ShiftControls(m.ControlList, real, -1));
    }
    const int oldRow = Row();
    const int oldTop = TopRow();
    TFxGridRowOps::DeleteRows(*this, Rows, FreeProps);
    m.MaxRowCount = std::max(0, m.MaxRowCount - int(Rows.size()));
    // The current row stays where it was while that row exists.
    const int last = LastNormalRow(*this);
    if (oldRow <= last) {
        if (oldTop < RowCount())
            SetTopRow(oldTop);
    } else if (last >= FixedRows()) {
        SetRow(last);
    } else {
        HideSelection();
    }
    if (m.ControlList.Count() > 0)
        CellControlsUpdate(false);
}

namespace {

// Display rows RowIndex .. RowIndex + RCount - 1 that exist.
std::vector<int> RowSpan(const TFxStringGrid& g, int RowIndex, int RCount)
{
    std::vector<int> rows;
    for (int r = std::max(RowIndex, 0); r < RowIndex + RCount && r < g.RowCount(); ++r)
        rows.push_back(r);
    return rows;
}

// One removal in one update bracket, then the rows From .. To reported.
template <typename Remove>
void RemoveReported(TFxStringGrid& g, Remove remove, int From, int To)
{
    g.BeginUpdate();
    remove();
    g.EndUpdate();
    g.DoCellsChanged(fw::TRect(0, From, g.ColCount() - 1, To));
}

} // namespace

void TFxStringGrid::RemoveRows(int RowIndex, int RCount)
{
    if (RowIndex > RowCount() || RCount <= 0)
        return;
    const std::vector<int> rows = RowSpan(*this, RowIndex, RCount);
    RemoveReported(*this, [&] { RemoveDisplayRows(rows, true); }, RowIndex, RowIndex + RCount);
    if (SearchFooter().Visible())
        SearchPanel().update();
}

void TFxStringGrid::RemoveRowsEx(int RowIndex, int RCount)
{
    if (RowIndex > RowCount() || RCount <= 0)
        return;
    // The light form leaves the property objects to the grid.
    const std::vector<int> rows = RowSpan(*this, RowIndex, RCount);
    RemoveReported(*this, [&] { RemoveDisplayRows(rows, false); }, RowIndex, RowIndex + RCount);
}

void TFxStringGrid::DeleteRowRange(int ARow, int Count)
{
    if (ARow >= RowCount() || Count <= 0)
        return;
    const std::vector<int> rows = RowSpan(*this, ARow, Count);
    RemoveReported(*this, [&] { RemoveDisplayRows(rows, true); }, ARow, ARow + Count);
}

void TFxStringGrid::RemoveCheckedRows(int CheckBoxColumn, bool RemoveChecked)
{
    std::vector<int> rows;
    for (int r = RowCount() - 1; r >= FixedRows(); --r) {
        bool state = false;
        if (GetCheckBoxState(CheckBoxColumn, RealRowIndex(r), state) && state == RemoveChecked)
            rows.push_back(r);
    }
    if (!rows.empty())
        RemoveReported(*this, [&] { RemoveDisplayRows(rows, true); }, rows.back(), rows.front());
}

void TFxStringGrid::RemoveDuplicates(int ACol, bool DoCase)
{
    const int col = RealColIndex(ACol);
    QSet<QString> seen;
    std::vector<int> rows;
    for (int r = FixedRows(); r <= LastNormalRow(*this); ++r) {
        const QString key = DoCase ? Cells(col, r) : Cells(col, r).toUpper();
        if (seen.contains(key))
            rows.push_back(r);
        else
            seen.insert(key);
    }
    if (!rows.empty())
        RemoveReported(*this, [&] { RemoveDisplayRows(rows, true); }, rows.front(), RowCount());
}

namespace {

// The normal rows that are selected (or not): by their disjunct selection
// flag, else by the selection rectangle's rows.
std::vector<int> RowsBySelection(TFxStringGrid& g, bool Selected)
{
    std::vector<int> rows;
    const bool disjunct = g.MouseActions().DisjunctRowSelect();
    const bool persistent = g.MouseActions().RowSelectPersistent();
    const fw::TGridRect s = g.Selection();
    const int top = std::min(s.Top, s.Bottom), bottom = std::max(s.Top, s.Bottom);
    for (int r = g.FixedRows(); r <= LastNormalRow(g); ++r) {
        const bool in = disjunct ? g.RowSelect(persistent ? g.RealRowIndex(r) : r) : r >= top && r <= bottom;
        if (in == Selected)
            rows.push_back(r);
    }
    return rows;
}

// Hides the rows bottom-up: hiding one row moves no other's real index.
void HideRowsOf(TFxStringGrid& g, const std::vector<int>& rows)
{
    g.BeginUpdate();
    for (auto it = rows.rbegin(); it != rows.rend(); ++it)
        g.HideRow(g.RealRowIndex(*it));
    g.EndUpdate();
}

} // namespace

void TFxStringGrid::RemoveSelectedRows()
{
    const std::vector<int> rows = RowsBySelection(*this, true);
    RemoveReported(*this, [&] { RemoveDisplayRows(rows, true); }, FixedRows(), RowCount());
    if (MouseActions().DisjunctRowSelect())
        ClearRowSelect();
}

void TFxStringGrid::RemoveUnSelectedRows()
{
    const std::vector<int> rows = RowsBySelection(*this, false);
    RemoveReported(*this, [&] { RemoveDisplayRows(rows, true); }, FixedRows(), RowCount());
    if (MouseActions().RowSelectPersistent())
        SelectRows(FixedRows(), LastNormalRow(*this) - FixedRows() + 1);
    else
        ClearRowSelect();
}

void TFxStringGrid::HideSelectedRows() { HideRowsOf(*this, RowsBySelection(*this, true)); }
void TFxStringGrid::HideUnSelectedRows() { HideRowsOf(*this, RowsBySelection(*this, false)); }

// ---------------------------------------------------------------- columns

void TFxStringGrid::ShiftColumns(int At, int Delta)
{
    TFxGridModelState& m = d->model;
    const int storage = TFxGridRowOps::StorageCols(*this);
    // Widths by real column: shown columns from the grid, hidden ones saved.
    std::vector<int> widths(std::size_t(storage), DefaultColWidth());
    for (int c = 0; c < storage; ++c)
        widths[std::size_t(c)] =
            m.HiddenCols.IsHidden(c) ? m.HiddenCols.SavedWidth(c) : ColWidths(m.HiddenCols.RealToDispl(c));
    const int rows = RowCount();
    if (Delta < 0) {
        const int k = -Delta;
        for (int c = At; c < storage; ++c)
            for (int r = 0; r < rows; ++r) {
                const int src = c + k;
                TCellProperties* p = src < storage ? GridObjects(src, r) : nullptr;
                SetGridCell(c, r, src < storage ? GetGridCell(src, r) : QString());
                if (p)
                    p->SetOwnerCol(c);
                TObjStringGrid::SetObjects(c, r, p);
            }
        widths.erase(widths.begin() + At, widths.begin() + std::min(storage, At + k));
    } else {
        // The storage grows first, as shown columns.
        SetColCount(ColCount() + Delta);
        for (int c = storage + Delta - 1; c >= At; --c)
            for (int r = 0; r < rows; ++r) {
                const int src = c - Delta;
                TCellProperties* p = src >= At ? GridObjects(src, r) : nullptr;
                SetGridCell(c, r, src >= At ? GetGridCell(src, r) : QString());
                if (p)
                    p->SetOwnerCol(c);
                TObjStringGrid::SetObjects(c, r, p);
            }
        widths.insert(widths.begin() + std::min(At, storage), std::size_t(Delta), DefaultColWidth());
    }
    // Hidden rows keep their cells by real column: they move the same way.
    for (int i = 0; i < m.HiddenRows.Count(); ++i) {
        TGridItem& item = m.HiddenRows.Item(i);
        if (item.CellCount() <= At)
            continue;
        // A removed cell's properties stay registered with the grid, which frees them.
        item.ShiftCells(At, Delta);
        item.ForEachObject([&](int c, TCellProperties* p) {
            if (c >= At)
                p->SetOwnerCol(c);
        });
    }
    m.HiddenCols.Shift(At, Delta);
    const int newStorage = storage + Delta;
    const int shown = newStorage - m.HiddenCols.Count();
    if (Delta < 0)
        SetColCount(std::max(shown, 0));
    for (int c = 0; c < newStorage && c < int(widths.size()); ++c) {
        if (m.HiddenCols.IsHidden(c))
            m.HiddenCols.SetSavedWidth(c, widths[std::size_t(c)]);
        else if (ColWidths(m.HiddenCols.RealToDispl(c)) != widths[std::size_t(c)])
            SetColWidths(m.HiddenCols.RealToDispl(c), widths[std::size_t(c)]);
    }
}

void TFxStringGrid::InsertCols(int ColIndex, int CCount)
{
    if (CCount <= 0 || ColIndex < 0)
        return;
    ColIndex = std::min(ColIndex, TFxGridRowOps::StorageCols(*this));
    BeginUpdate();
    ShiftColumns(ColIndex, CCount);
    EndUpdate();
}

void TFxStringGrid::AddColumn() { InsertCols(ColCount() + NumHiddenColumns(), 1); }

void TFxStringGrid::RemoveCols(int ColIndex, int CCount)
{
    const int storage = TFxGridRowOps::StorageCols(*this);
    CCount = std::min(CCount, storage - ColIndex);
    if (CCount <= 0 || ColIndex < 0)
        return;
    BeginUpdate();
    // The removed cells' properties go (the properties a removed hidden
    // row keeps stay with the grid, which frees them at the end).
    for (int r = 0; r < RowCount(); ++r)
        for (int c = ColIndex; c < ColIndex + CCount; ++c)
            if (CellPropertiesAssigned(c, r)) {
                RemoveCellGraphic(c, r);
                FreeCellProps(c, r);
            }
    ShiftColumns(ColIndex, -CCount);
    EndUpdate();
    DoCellsChanged(fw::TRect(ColIndex, 0, ColIndex + CCount, RowCount() - 1));
}

namespace {

// Removes the selected (or the unselected) columns; Flags is the disjunct
// column selection, which closes up with them.
void RemoveColsBySelection(TFxStringGrid& g, bool Selected, TFxFlagList& Flags)
{
    g.BeginUpdate();
    if (g.MouseActions().DisjunctColSelect()) {
        for (int c = g.ColCount() - 1; c >= g.FixedCols(); --c)
            if (g.ColSelect(c) == Selected) {
                g.RemoveCols(c, 1);
                Flags.Remove(c, 1);
            }
    } else {
        const fw::TGridRect s = g.Selection();
        const int l = std::min(s.Left, s.Right), r = std::max(s.Left, s.Right);
        if (Selected) {
            g.RemoveCols(l, r - l + 1);
        } else {
            if (r + 1 < g.ColCount())
                g.RemoveCols(r + 1, g.ColCount() - r - 1);
            if (l > g.FixedCols())
                g.RemoveCols(g.FixedCols(), l - g.FixedCols());
        }
    }
    if (!Selected)
        g.ClearColSelect();
    g.EndUpdate();
}

} // namespace

void TFxStringGrid::RemoveSelectedCols() { RemoveColsBySelection(*this, true, d->model.ColSelect); }
void TFxStringGrid::RemoveUnSelectedCols() { RemoveColsBySelection(*this, false, d->model.ColSelect); }

void TFxStringGrid::MergeCols(int ColIndex1, int ColIndex2, const QString& Separator)
{
    for (int r = FixedRows(); r < RowCount(); ++r)
        SetCells(ColIndex1, r, (Cells(ColIndex1, r) + Separator + Cells(ColIndex2, r)).trimmed());
    RemoveCols(ColIndex2, 1);
}

// ---------------------------------------------------------------- clearing

void TFxStringGrid::ClearRect(int ACol1, int ARow1, int ACol2, int ARow2)
{
    const bool translate = SaveHiddenCells();
    for (int r = ARow1; r <= ARow2; ++r)
        for (int dc = ACol1; dc <= ACol2; ++dc) {
            const int c = translate ? RealColIndex(dc) : dc;
            if (!ClearTextOnly() && CellPropertiesAssigned(c, r)) {
                RemoveCellGraphic(c, r);
                FreeCellProps(c, r);
            }
            if (!Destroying() && !GetGridCell(c, r).isEmpty()) {
                SetCells(c, r, QString());
                if (c != dc)
                    RepaintCell(dc, r);
            }
        }
    if (!Destroying())
        DoCellsChanged(fw::TRect(translate ? RealColIndex(ACol1) : ACol1, ARow1,
                                 translate ? RealColIndex(ACol2) : ACol2, ARow2));
}

void TFxStringGrid::ClearRows(int RowIndex, int RCount)
{
    if (RowCount() <= 0 || ColCount() <= 0 || RCount <= 0)
        return;
    ClearRect(0, RowIndex, ColCount() + NumHiddenColumns() - 1, RowIndex + RCount - 1);
}

void TFxStringGrid::ClearCols(int ColIndex, int CCount)
{
    if (RowCount() <= 0 || ColCount() <= 0 || CCount <= 0)
        return;
    ClearRect(ColIndex, 0, ColIndex + CCount - 1, RowCount() - 1);
}

void TFxStringGrid::ClearNormalRows(int RowIndex, int RCount)
{
    if (RowCount() <= 0 || ColCount() <= 0 || RCount <= 0)
        return;
    ClearRect(FixedCols(), RowIndex, ColCount() + NumHiddenColumns() - FixedRightCols() - 1,
              RowIndex + RCount - 1);
}

void TFxStringGrid::ClearNormalCols(int ColIndex, int CCount)
{
    if (RowCount() <= 0 || ColCount() <= 0 || CCount <= 0)
        return;
    ClearRect(ColIndex, FixedRows(), ColIndex + CCount - 1, LastNormalRow(*this));
}

void TFxStringGrid::ClearNormalCells()
{
    if (FixedCols() == 0 && HasNodes())
        RemoveAllNodes();
    ClearRect(FixedCols(), FixedRows(), ColCount() + NumHiddenColumns() - FixedRightCols() - 1,
              LastNormalRow(*this));
}

void TFxStringGrid::ClearSelection()
{
    if (MouseActions().DisjunctRowSelect()) {
        const bool persistent = MouseActions().RowSelectPersistent();
        for (int r = FixedRows(); r < RowCount(); ++r)
            if (RowSelect(persistent ? RealRowIndex(r) : r))
                ClearRows(r, 1);
    } else if (MouseActions().DisjunctColSelect()) {
        for (int c = FixedCols(); c < ColCount(); ++c)
            if (ColSelect(c))
                ClearCols(c, 1);
    } else {
        const fw::TGridRect s = Selection();
        ClearRect(s.Left, s.Top, s.Right, s.Bottom);
    }
}

void TFxStringGrid::Clear()
{
    if (!Destroying() && HasNodes())
        RemoveAllNodes();
    ClearRect(0, 0, ColCount() + NumHiddenColumns() - 1, RowCount() - 1);
    if (NumHiddenColumns() > 0)
        Invalidate();
}

void TFxStringGrid::ClearAll()
{
    Clear();
    THiddenRowStore& store = d->model.HiddenRows;
    for (int i = 0; i < store.Count(); ++i)
        store.Item(i).ClearTexts();
}

// ---------------------------------------------------------------- trimming, colouring

void TFxStringGrid::TrimRect(int ACol1, int ARow1, int ACol2, int ARow2)
{
    for (int r = ARow1; r <= ARow2; ++r)
        for (int dc = ACol1; dc <= ACol2; ++dc) {
            const int c = SaveHiddenCells() ? RealColIndex(dc) : dc;
            const QString text = Cells(c, r);
            int b = 0, e = int(text.size());
            while (b < e && text[b].unicode() <= 32)
                ++b;
            while (e > b && text[e - 1].unicode() <= 32)
                --e;
            if (b > 0 || e < int(text.size()))
                SetCells(c, r, text.mid(b, e - b));
        }
}

void TFxStringGrid::TrimColumn(int ACol) { TrimRect(ACol, 0, ACol, RowCount() - 1); }
void TFxStringGrid::TrimRow(int ARow) { TrimRect(0, ARow, ColCount() - 1, ARow); }
void TFxStringGrid::TrimAll() { TrimRect(0, 0, ColCount() - 1, RowCount() - 1); }

void TFxStringGrid::ColorRect(int ACol1, int ARow1, int ACol2, int ARow2, fw::TColor AColor)
{
    for (int r = ARow1; r <= ARow2; ++r)
        for (int c = ACol1; c <= ACol2; ++c)
            SetColors(c, r, AColor);
}

// ---------------------------------------------------------------- merging by content

void TFxStringGrid::MergeColumnCells(int ColIndex, bool MainMerge)
{
    const int last = LastNormalRow(*this);
    int start = FixedRows();
    for (int r = FixedRows() + 1; r <= last + 1; ++r) {
        const bool same = r <= last && Cells(ColIndex, r) == Cells(ColIndex, r - 1) &&
                          (MainMerge || RowSpanIdentical(r - 1, r));
        if (same)
            continue;
        if (r - start >= 2)
            MergeCells(ColIndex, start, 1, r - start);
        start = r;
    }
}

void TFxStringGrid::MergeRowCells(int RowIndex, bool MainMerge)
{
    const int last = ColCount() - FixedRightCols() - 1;
    int start = FixedCols();
    for (int c = FixedCols() + 1; c <= last + 1; ++c) {
        const bool same = c <= last && Cells(c, RowIndex) == Cells(c - 1, RowIndex) &&
                          (MainMerge || ColSpanIdentical(c - 1, c));
        if (same)
            continue;
        if (c - start >= 2)
            MergeCells(start, RowIndex, c - start, 1);
        start = c;
    }
}

void TFxStringGrid::SplitColumnCells(int ColIndex)
{
    for (int r = 0; r < LastNormalRow(*this);) {
        const fw::TPoint span = CellSpan(ColIndex, r);
        if (IsBaseCell(ColIndex, r) && span.Y > 0) {
            SplitCells(ColIndex, r);
            r += span.Y + 1;
        } else {
            ++r;
        }
    }
}

void TFxStringGrid::SplitRowCells(int RowIndex)
{
    for (int c = 0; c < ColCount() - FixedRightCols() - 1;) {
        const fw::TPoint span = CellSpan(c, RowIndex);
        if (IsBaseCell(c, RowIndex) && (span.X > 0 || span.Y > 0)) {
            SplitCells(c, RowIndex);
            c += span.X + 1;
        } else {
            ++c;
        }
    }
}

void TFxStringGrid::SplitAllCells()
{
    for (int r = 0; r < RowCount(); ++r)
        for (int c = 0; c < ColCount(); ++c)
            if (IsMergedCell(c, r) && IsBaseCell(c, r))
                SplitCells(c, r);
}

bool TFxStringGrid::IsWideCell(int ACol, int ARow) { return GetGridCell(ACol, ARow).startsWith(QLatin1String("|\\")); }

bool TFxStringGrid::IsCell(const QString& SubStr, int& ACol, int& ARow)
{
    for (int r = 0; r < RowCount(); ++r)
        for (int c = 0; c < ColCount(); ++c)
            if (GetGridCell(c, r) == SubStr) {
                ACol = c;
                ARow = r;
                return true;
            }
    return false;
}

// ---------------------------------------------------------------- the editing layer's hooks

void TFxStringGrid::AutoInsertRow(int ARow)
{
    if (!HasNodes()) {
        InsertRows(ARow, 1, true);
        return;
    }
    if (GetParentRow(ARow) < 0)
        InsertNormalRow(RealRowIndex(ARow));
    else
        InsertChildRow(RealRowIndex(ARow), 0);
}

void TFxStringGrid::AutoDeleteRow(int ARow)
{
    if (HasNodes()) {
        if (GetParentRow(ARow) < 0)
            RemoveNormalRow(RealRowIndex(ARow));
        else
            RemoveChildRow(RealRowIndex(ARow));
    } else if (RowCount() - FixedRows() - FixedFooters() == 1 && !FixedRowAlways()) {
        ClearRows(ARow, 1);
    } else {
        DeleteRowRange(ARow, 1);
    }
    if (const auto& e = d->Events.OnAutoDeleteRow)
        e(this, ARow);
}
