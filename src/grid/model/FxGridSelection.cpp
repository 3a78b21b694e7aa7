// Disjunct row, column and cell selections, modified and enabled rows, the
// current cell, hiding the selection, and repainting cells, rows, columns.
#include "grid/model/FxGrid.h"
#include "grid/model/FxGrid_p.h"

#include <QStyle>

#include <algorithm>
#include <cstdlib>

namespace {

fw::TGridRect Normalized(const fw::TGridRect& s)
{
    return {std::min(s.Left, s.Right), std::min(s.Top, s.Bottom), std::max(s.Left, s.Right),
            std::max(s.Top, s.Bottom)};
}

// A panel not built yet shows nothing.
int SearchPanelHeight(const TFxGridPaintState& paint)
{
    return paint.SearchPanel ? paint.SearchPanel->PanelHeight() : 0;
}

} // namespace

// ---------------------------------------------------------------- rows and columns

bool TFxStringGrid::RowSelect(int ARow)
{
    TFxGridModelState& m = d->model;
    if ((ARow < 0 || ARow >= RowCount() + NumHiddenRows()) && !m.MouseActions->RowSelectPersistent())
        throw EFxGridError(QStringLiteral("Invalid row %1 accessed").arg(ARow));
    if (m.MouseActions->DisjunctRowSelect()) {
        m.RowSelect.Grow(ARow + 1);
        return m.RowSelect.Flag(ARow);
    }
    const fw::TGridRect s = Normalized(Selection());
    return ARow >= s.Top && ARow <= s.Bottom;
}

void TFxStringGrid::SetRowSelect(int ARow, bool Value)
{
    TFxGridModelState& m = d->model;
    if (ARow < 0 || (ARow >= RowCount() + NumHiddenRows() && RowCount() > TBaseGrid::FixedRows()))
        throw EFxGridError(QStringLiteral("Invalid row accessed"));
    const bool known = ARow < m.RowSelect.Count();
    if ((!known || m.RowSelect.Flag(ARow) != Value) && d->Events.OnRowDisjunctSelect) {
        bool allow = true;
        d->Events.OnRowDisjunctSelect(this, ARow, Value, allow);
        if (!allow)
            return;
    }
    m.RowSelect.Grow(ARow + 1);
    const bool was = m.RowSelect.Flag(ARow);
    m.RowSelect.SetFlag(ARow, Value);
    if (was != Value)
        RepaintRow(ARow);
    if (Value && ARow >= TBaseGrid::FixedRows())
        m.SelectedRows.Add(ARow);
    else if (!Value)
        m.SelectedRows.Remove(ARow);
    if (const auto& e = d->Events.OnRowDisjunctSelected)
        e(this, ARow);
}

bool TFxStringGrid::ColSelect(int ACol)
{
    if (ACol < 0 || ACol >= ColCount())
        throw EFxGridError(QStringLiteral("Invalid column accessed"));
    d->model.ColSelect.Grow(ACol + 1);
    return d->model.ColSelect.Flag(ACol);
}

void TFxStringGrid::SetColSelect(int ACol, bool Value)
{
    if (ACol < 0 || ACol >= ColCount())
        throw EFxGridError(QStringLiteral("Invalid column accessed"));
    TFxFlagList& flags = d->model.ColSelect;
    flags.Grow(ACol + 1);
    if (flags.Flag(ACol) == Value)
        return;
    flags.SetFlag(ACol, Value);
    RepaintCol(ACol);
}

void TFxStringGrid::SelectRows(int RowIndex, int RCount)
{
    TFxGridModelState& m = d->model;
    RCount = std::min(RCount, RowCount() - RowIndex);
    if (!m.MouseActions->DisjunctRowSelect()) {
        SetSelection({TBaseGrid::FixedCols(), RowIndex, ColCount() - 1, RowIndex + RCount - 1});
    } else {
        for (int r = RowIndex; r < RowIndex + RCount; ++r) {
            const int flag = m.MouseActions->RowSelectPersistent() ? RealRowIndex(r) : r;
            if (flag < RowCount())
                SetRowSelect(flag, true);
        }
    }
    if (!d->paint.RowIndicator->Empty())
        RepaintCol(0);
    m.SelChange = false;
}

void TFxStringGrid::UnSelectRows(int RowIndex, int RCount)
{
    TFxGridModelState& m = d->model;
    if (m.MouseActions->DisjunctRowSelect())
        for (int r = RowIndex; r < RowIndex + RCount; ++r) {
            const int flag = m.MouseActions->RowSelectPersistent() ? RealRowIndex(r) : r;
            if (flag < RowCount())
                SetRowSelect(flag, false);
        }
    m.SelChange = false;
}

void TFxStringGrid::SelectCols(int ColIndex, int CCount)
{
    if (!d->model.MouseActions->DisjunctColSelect()) {
        SetSelection({ColIndex, TBaseGrid::FixedRows(), ColIndex + CCount - 1, RowCount() - 1});
        return;
    }
    for (int c = ColIndex; c < ColIndex + CCount && c < ColCount(); ++c)
        SetColSelect(c, true);
}

void TFxStringGrid::UnSelectCols(int ColIndex, int CCount)
{
    if (!d->model.MouseActions->DisjunctColSelect())
        return;
    for (int c = ColIndex; c < ColIndex + CCount && c < ColCount(); ++c)
        SetColSelect(c, false);
}

void TFxStringGrid::SelectRange(int FromCol, int ToCol, int FromRow, int ToRow)
{
    SetRow(ToRow);
    SetCol(ToCol);
    SetSelection({FromCol, FromRow, ToCol, ToRow});
}

void TFxStringGrid::ClearRowSelect()
{
    TFxGridModelState& m = d->model;
    if (m.RowSelect.Count() == 0)
        return;
    for (int r : m.RowSelect.SetIndices()) {
        m.RowSelect.SetFlag(r, false);
        RepaintRow(r);
    }
    m.SelectedRows.Clear();
}

void TFxStringGrid::ClearColSelect()
{
    TFxFlagList& flags = d->model.ColSelect;
    for (int c : flags.SetIndices()) {
        flags.SetFlag(c, false);
        RepaintCol(c);
    }
}

int TFxStringGrid::RowSelectCount() const
{
    const TFxGridModelState& m = d->model;
    if (m.MouseActions->DisjunctRowSelect())
        return m.RowSelect.CountSet(RowCount() + NumHiddenRows());
    return std::abs(Selection().Bottom - Selection().Top) + 1;
}

int TFxStringGrid::ColSelectCount() const
{
    if (d->model.MouseActions->DisjunctColSelect())
        return d->model.ColSelect.CountSet();
    return Selection().Right - Selection().Left + 1;
}

int TFxStringGrid::SelectedRowCount() const
{
    if (d->model.MouseActions->DisjunctRowSelect())
        return d->model.SelectedRows.Count();
    const fw::TGridRect s = Selection();
    const int b = std::min(s.Bottom, RowCount() - FixedFooters() - 1);
    if (IsMergedCell(s.Left, s.Top)) {
        const int span = CellSpan(s.Left, s.Top).Y;
        return b < s.Top + span ? span + 1 : std::abs(s.Top - b) + 1;
    }
    if (IsMergedCell(s.Left, b))
        return std::abs(s.Top - b) + CellSpan(s.Left, b).Y + 1;
    return std::abs(s.Top - b) + 1;
}

int TFxStringGrid::SelectedColCount() const
{
    if (d->model.MouseActions->DisjunctColSelect())
        return d->model.ColSelect.Count();
    const fw::TGridRect s = Selection();
    if (IsMergedCell(s.Left, s.Top)) {
        const int span = CellSpan(s.Left, s.Top).X;
        return s.Left + span > s.Right ? span + 1 : std::abs(s.Left - s.Right) + 1;
    }
    if (IsMergedCell(s.Right, s.Top))
        return std::abs(s.Left - s.Right) + CellSpan(s.Right, s.Top).X + 1;
    return std::abs(s.Left - s.Right) + 1;
}

int TFxStringGrid::SelectedRow(int i) const
{
    if (d->model.MouseActions->DisjunctRowSelect())
        return d->model.SelectedRows.Item(i);
    const fw::TGridRect s = Normalized(Selection());
    return s.Top + i <= s.Bottom ? s.Top + i : -1;
}

void TFxStringGrid::SelectionToRowSelect(bool All)
{
    TFxGridModelState& m = d->model;
    const fw::TGridRect s = Normalized(Selection());
    const int bottom = std::min(s.Bottom, RowCount() - FixedFooters() - 1);
    for (int r = TBaseGrid::FixedRows(); r < RowCount(); ++r) {
        const bool inside = r >= s.Top && r <= bottom;
        if (!All && !inside)
            continue;
        const int flag = m.MouseActions->RowSelectPersistent() ? RealRowIndex(r) : r;
        m.RowSelect.Grow(flag + 1);
        if (m.RowSelect.Flag(flag) != inside)
            SetRowSelect(flag, inside);
    }
    if (NumHiddenRows() > 0)
        Invalidate();
}

void TFxStringGrid::SelectionToColSelect(bool All)
{
    const fw::TGridRect s = Normalized(Selection());
    for (int c = TBaseGrid::FixedCols(); c < ColCount(); ++c) {
        const bool inside = c >= s.Left && c <= s.Right;
        if (All || inside)
            SetColSelect(c, inside);
    }
}

// ---------------------------------------------------------------- cells

bool TFxStringGrid::SelectedCells(int c, int r) const
{
    if (d->model.MouseActions->DisjunctCellSelect())
        return d->model.SelectedCells.Contains(c, r);
    return Normalized(Selection()).Contains(c, r);
}

void TFxStringGrid::SetSelectedCells(int c, int r, bool value)
{
    TFxSelectedCells& cells = d->model.SelectedCells;
    if (value ? cells.Add(c, r) : cells.Remove(c, r))
        RepaintCell(c, r);
}

fw::TGridCoord TFxStringGrid::SelectedCell(int i) const
{
    const TFxCellKey k = d->model.SelectedCells.Item(i);
    return {k.Col, k.Row};
}

int TFxStringGrid::SelectedCellsCount()
{
    TFxSelectedCells& cells = d->model.SelectedCells;
    if (d->model.MouseActions->DisjunctCellSelect())
        return cells.Count();
    cells.Clear();
    const fw::TGridRect s = Normalized(Selection());
    if (s.Left == s.Right && s.Top == s.Bottom) {
        cells.Add(Col(), Row());
    } else {
        for (int c = s.Left; c <= s.Right; ++c)
            for (int r = s.Top; r <= s.Bottom; ++r)
                cells.Add(c, r);
    }
    return cells.Count();
}

void TFxStringGrid::ClearSelectedCells()
{
    SetSelection({TBaseGrid::FixedCols(), TBaseGrid::FixedRows(), TBaseGrid::FixedCols(), TBaseGrid::FixedRows()});
    d->model.SelectedCells.Clear();
    Invalidate();
}

// ---------------------------------------------------------------- modified and enabled rows

bool TFxStringGrid::RowModified(int ARow) const
{
    return d->model.ModifiedRows.Flag(ARow);
}

void TFxStringGrid::SetRowModified(int ARow, bool value)
{
    d->model.ModifiedRows.SetFlag(ARow, value);
    RepaintCell(0, ARow);
}

int TFxStringGrid::ModifiedRowCount() const
{
    return d->model.ModifiedRows.CountSet();
}

void TFxStringGrid::ClearModifiedRows()
{
    d->model.ModifiedRows.Clear();
    Invalidate();
}

bool TFxStringGrid::RowEnabled(int ARow) const
{
    return !d->model.DisabledRows.Flag(ARow);
}

bool TFxStringGrid::UsesEnabledRows() const
{
    return d->model.UseEnabledRows;
}

void TFxStringGrid::SetRowEnabled(int ARow, bool value)
{
    TFxGridModelState& m = d->model;
    if (ARow == Row()) {
        for (int r = TBaseGrid::FixedRows(); r < RowCount(); ++r)
            if (r != ARow && RowEnabled(r)) {
                SetRow(r);
                break;
            }
    }
    m.UseEnabledRows = true;
    m.DisabledRows.SetFlag(ARow, !value);
    RepaintRow(ARow);
}

// ---------------------------------------------------------------- current cell

void TFxStringGrid::GotoCell(int ACol, int ARow)
{
    SetRow(ARow);
    SetCol(ACol);
}

void TFxStringGrid::EditCell(int ACol, int ARow)
{
    SetFocus();
    GotoCell(ACol, ARow);
    ShowInplaceEdit();
}

void TFxStringGrid::FocusCell(int ACol, int ARow)
{
    SetSelection({ACol, ARow, ACol, ARow});
}

void TFxStringGrid::MoveCurrentCell(int ACol, int ARow)
{
    MoveColRow(ACol, ARow, true, true);
}

void TFxStringGrid::UpdateEditMode()
{
    SelectCell(Col(), Row());
}

void TFxStringGrid::ScrollInView(int ColIndex, int RowIndex)
{
    if (ColIndex >= ColCount() || RowIndex >= RowCount())
        return;
    int l = LeftCol(), t = TopRow();
    const int visCols = VisibleColCount(), visRows = VisibleRowCount();
    if (ColIndex < LeftCol() || ColIndex >= LeftCol() + visCols) {
        SetCol(ColIndex);
        l = std::max(ColIndex - visCols / 2, TBaseGrid::FixedCols());
    }
    if (RowIndex < TopRow() || RowIndex >= TopRow() + visRows) {
        SetRow(RowIndex);
        t = std::max(RowIndex - visRows / 2, TBaseGrid::FixedRows());
    }
    l = std::min(l, ColCount() + 1 - visCols);
    if (TBaseGrid::FixedCols() + visCols < ColCount())
        SetLeftCol(l);
    t = std::min(t, RowCount() + 1 - visRows);
    if (TBaseGrid::FixedRows() + visRows >= RowCount())
        return;
    SetTopRow(t);
    if (d->model.SearchFooter->Visible()) {
        const bool colsFit = TBaseGrid::FixedCols() + visCols >= ColCount();
        const int usable = height() - SearchPanelHeight(d->paint) -
                           (colsFit ? 0 : style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this));
        while (UnclippedCellRect(0, RowIndex).Bottom > usable) {
            const int before = TopRow();
            SetTopRow(before + 1);
            if (TopRow() == before)
                break;
        }
    }
}

TEditorType TFxStringGrid::CurrentEditor() const
{
    return d->interact.CurrentEditor;
}

void TFxStringGrid::HideSelection()
{
    TFxGridModelState& m = d->model;
    m.OldSelection = Selection();
    SetSelection({ColCount(), RowCount(), ColCount(), RowCount()});
    m.SelHidden = true;
}

void TFxStringGrid::UnHideSelection()
{
    TFxGridModelState& m = d->model;
    m.SelHidden = false;
    if (m.OldSelection.Top < RowCount() && m.OldSelection.Left < ColCount()) {
        SetSelection(m.OldSelection);
        return;
    }
    const int left = FixedColAlways() && TBaseGrid::FixedCols() == ColCount() ? 0 : TBaseGrid::FixedCols();
    const int top = FixedRowAlways() && TBaseGrid::FixedRows() == RowCount() ? 0 : TBaseGrid::FixedRows();
    SetSelection({left, top, left, top});
}

bool TFxStringGrid::SelectionHidden() const
{
    return d->model.SelHidden;
}

bool TFxStringGrid::LastRowAboveSearchFooter()
{
    if (!d->model.SearchFooter->Visible())
        return false;
    if (TopRow() + VisibleRowCount() < RowCount() - 1)
        return false;
    return UnclippedCellRect(0, RowCount() - 1).Bottom <
           ClientHeight() - SearchPanelHeight(d->paint) + 2;
}

void TFxStringGrid::KeepLastRowAboveSearchFooter()
{
    const int panel = SearchPanelHeight(d->paint);
    if (!d->model.SearchFooter->Visible() || ClientHeight() <= DefaultRowHeight() + panel)
        return;
    // Only a last row in view can lie under the bar; the view stays where the
    // user has it otherwise.
    if (TopRow() + VisibleRowCount() < RowCount() - 1)
        return;
    while (UnclippedCellRect(0, RowCount() - 1).Bottom > ClientHeight() - panel + 2) {
        if (Row() > RowCount() - 1 || TopRow() >= RowCount() - 1)
            break;
        const int before = TopRow();
        SetTopRow(before + 1);
        if (TopRow() == before)
            break;
    }
}

void TFxStringGrid::SwapCells(fw::TGridCoord FromCell, fw::TGridCoord ToCell)
{
    const QString text = GridCells(FromCell.X, FromCell.Y);
    SetGridCells(FromCell.X, FromCell.Y, GridCells(ToCell.X, ToCell.Y));
    SetGridCells(ToCell.X, ToCell.Y, text);
    TCellProperties* a = GridObjects(FromCell.X, FromCell.Y);
    TCellProperties* b = GridObjects(ToCell.X, ToCell.Y);
    TObjStringGrid::SetObjects(FromCell.X, FromCell.Y, b);
    TObjStringGrid::SetObjects(ToCell.X, ToCell.Y, a);
    if (a) {
        a->SetOwnerCol(ToCell.X);
        a->SetOwnerRow(ToCell.Y);
    }
    if (b) {
        b->SetOwnerCol(FromCell.X);
        b->SetOwnerRow(FromCell.Y);
    }
}

// ---------------------------------------------------------------- repaint

void TFxStringGrid::RepaintRow(int ARow)
{
    if (ARow < 0 || ARow >= RowCount())
        return;
    const fw::TRect first = UnclippedCellRect(0, ARow);
    const fw::TRect last = UnclippedCellRect(std::min(LeftCol() + VisibleColCount(), ColCount() - 1), ARow);
    viewport()->update(QRect(QPoint(first.Left, first.Top), QPoint(last.Right, first.Bottom)));
}

void TFxStringGrid::RepaintCol(int ACol)
{
    if (ACol < 0 || ACol >= ColCount())
        return;
    const fw::TRect top = UnclippedCellRect(ACol, TopRow());
    const fw::TRect bottom = UnclippedCellRect(ACol, std::min(TopRow() + VisibleRowCount(), RowCount() - 1));
    viewport()->update(QRect(QPoint(top.Left, top.Top), QPoint(top.Right, bottom.Bottom)));
}

void TFxStringGrid::RepaintRect(const fw::TGridRect& r)
{
    if (r.Left < 0 || r.Top < 0 || r.Right < 0 || r.Bottom < 0)
        return;
    const fw::TRect a = CellRect(r.Left, r.Top);
    const fw::TRect b = CellRect(std::min(VisibleColCount() + TBaseGrid::FixedCols(), r.Right), r.Bottom);
    if (a.IsEmpty() || b.IsEmpty()) {
        Invalidate();
        return;
    }
    viewport()->update(QRect(QPoint(std::min(a.Left, b.Left), std::min(a.Top, b.Top)),
                             QPoint(std::max(a.Right, b.Right), std::max(a.Bottom, b.Bottom))));
}

void TFxStringGrid::RepaintActiveHeaders(int OldCol, int OldRow, int NewCol, int NewRow)
{
    const int fixedRows = TBaseGrid::FixedRows(), fixedCols = TBaseGrid::FixedCols();
    for (const auto& [c, r] : {std::pair{OldCol, OldRow}, std::pair{NewCol, NewRow}}) {
        if (fixedRows > 0)
            RepaintCell(c, fixedRows - 1);
        if (fixedCols > 0)
            RepaintCell(fixedCols - 1, r);
    }
}

// ---------------------------------------------------------------- listeners

void TFxStringGrid::RegisterSelListener(ITFxStringGridSelect* AListener)
{
    d->model.SelListener = AListener;
}

void TFxStringGrid::UnRegisterSelListener(ITFxStringGridSelect*)
{
    d->model.SelListener = nullptr;
}

ITFxStringGridSelect* TFxStringGrid::SelListener() const
{
    return d->model.SelListener;
}

void TFxStringGrid::RegisterNotifier(TGridChangeNotifier* ANotifier)
{
    auto& list = d->model.Notifiers;
    if (ANotifier && std::find(list.begin(), list.end(), ANotifier) == list.end())
        list.emplace_back(ANotifier);
}

void TFxStringGrid::UnRegisterNotifier(TGridChangeNotifier* ANotifier)
{
    auto& list = d->model.Notifiers;
    list.erase(std::remove(list.begin(), list.end(), ANotifier), list.end());
}
