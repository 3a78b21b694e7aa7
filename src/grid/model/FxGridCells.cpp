// Cell views, index mapping, current position, counts, typed values, the
// sort cross-reference views and the save range.
#include "grid/model/FxGrid.h"
#include "grid/model/FxGridRows_p.h"
#include "grid/model/FxGrid_p.h"
#include "grid/model/FxValueText.h"

#include "framework/SysUtils.h"
#include "grid/foundation/FxUtilText.h"
#include "grid/foundation/SgHTMLEUtil.h"

#include <algorithm>

// ---------------------------------------------------------------- views

QString TFxStringGrid::StrippedCells(int c, int r) const
{
    return StripHtmlTags(Cells(c, r));
}

QString TFxStringGrid::AllCells(int c, int r) const
{
    if (c < 0 || r < 0)
        return QString();
    if (const TGridItem* item = d->model.HiddenRows.Find(r)) {
        QString value = item->Text(c);
        GetDisplayText(c, r, value);
        return value;
    }
    return Cells(c, DisplRowIndex(r));
}

void TFxStringGrid::SetAllCells(int c, int r, const QString& value)
{
    if (c < 0 || r < 0)
        return;
    if (TGridItem* item = d->model.HiddenRows.Find(r)) {
        item->SetText(c, value);
        return;
    }
    const int dr = DisplRowIndex(r);
    SetCells(c, dr, value);
    if (DisplColIndex(c) != c)
        RepaintCell(DisplColIndex(c), dr);
}

QString TFxStringGrid::AllGridCells(int c, int r) const
{
    if (c < 0 || r < 0)
        return QString();
    if (const TGridItem* item = d->model.HiddenRows.Find(r))
        return item->Text(c);
    return GridCells(c, DisplRowIndex(r));
}

void TFxStringGrid::SetAllGridCells(int c, int r, const QString& value)
{
    if (TGridItem* item = d->model.HiddenRows.Find(r)) {
        if (c < 0 || c >= item->CellCount())
            throw EFxGridError(QStringLiteral("List index out of bounds (%1)").arg(c));
        item->SetText(c, value);
        return;
    }
    SetGridCells(c, DisplRowIndex(r), value);
}

void* TFxStringGrid::AllObjects(int c, int r) const
{
    if (const TGridItem* item = d->model.HiddenRows.Find(r)) {
        const TCellProperties* p = item->Object(c);
        return p ? p->CellObject() : nullptr;
    }
    return Objects(c, DisplRowIndex(r));
}

void TFxStringGrid::SetAllObjects(int c, int r, void* value)
{
    if (TGridItem* item = d->model.HiddenRows.Find(r)) {
        // The reference lives in the cell's properties, made here if missing.
        TCellProperties* p = item->Object(c);
        if (!p) {
            p = TFxGridRowOps::NewDetachedProps(*this, c, r);
            item->SetObject(c, p);
        }
        p->SetCellObject(value);
        return;
    }
    SetObjects(c, DisplRowIndex(r), value);
}

TCellProperties* TFxStringGrid::GetAllGridObject(int c, int r) const
{
    if (const TGridItem* item = d->model.HiddenRows.Find(r))
        return item->Object(c);
    return GridObjects(c, DisplRowIndex(r));
}

QString TFxStringGrid::OriginalCells(int c, int r) const
{
    return Cells(ColumnPosition(c), r);
}

void TFxStringGrid::SetOriginalCells(int c, int r, const QString& value)
{
    SetCells(ColumnPosition(c), r, value);
}

namespace {

// The row a position before the last sort has now: the first position whose
// cross-reference entry equals r, or the list's length when none does.
int RowBeforeSort(const std::vector<int>& xref, int r)
{
    const auto it = std::find(xref.begin(), xref.end(), r);
    return int(it - xref.begin());
}

} // namespace

QString TFxStringGrid::UnSortedCells(int c, int r) const
{
    const auto& x = d->model.SortRowXRef;
    return Cells(c, r <= int(x.size()) ? RowBeforeSort(x, r) : r);
}

void TFxStringGrid::SetUnSortedCells(int c, int r, const QString& value)
{
    const auto& x = d->model.SortRowXRef;
    SetCells(c, r <= int(x.size()) ? RowBeforeSort(x, r) : r, value);
}

QString TFxStringGrid::CurrentCell() const
{
    const fw::TPoint b = BaseCell(RealCol(), Row());
    return GridCells(b.X, b.Y);
}

void TFxStringGrid::SetCurrentCell(const QString& value)
{
    const fw::TPoint b = BaseCell(RealCol(), Row());
    SetCells(b.X, b.Y, value);
}

QString TFxStringGrid::GetCurrentCellText() const
{
    const fw::TPoint b = BaseCell(RealCol(), Row());
    return Cells(b.X, b.Y);
}

void TFxStringGrid::SetCurrentCellText(const QString& value)
{
    const fw::TPoint b = BaseCell(RealCol(), Row());
    if (b.X == RealCol() && b.Y == Row())
        HandleSetEditText(Col(), Row(), value);
    else
        HandleSetEditText(DisplColIndex(b.X), b.Y, value);
}

// ---------------------------------------------------------------- mapping

int TFxStringGrid::RealRowIndex(int ARow) const
{
    return d->model.HiddenRows.DisplToReal(ARow);
}

int TFxStringGrid::DisplRowIndex(int ARow) const
{
    return d->model.HiddenRows.RealToDispl(ARow);
}

int TFxStringGrid::RealColIndex(int ACol) const
{
    return d->model.HiddenCols.Empty() ? ACol : d->model.HiddenCols.DisplToReal(ACol);
}

int TFxStringGrid::DisplColIndex(int ACol) const
{
    return d->model.HiddenCols.Empty() ? ACol : d->model.HiddenCols.RealToDispl(ACol);
}

int TFxStringGrid::RealRow() const
{
    return RealRowIndex(Row());
}

int TFxStringGrid::RealCol() const
{
    return RealColIndex(Col());
}

bool TFxStringGrid::IsIgnoredColumn(int ACol) const
{
    return d->model.IgnoreColumns.HasValue(ACol);
}

int TFxStringGrid::SortedRowIndex(int ARow) const
{
    const auto& x = d->model.SortRowXRef;
    if (ARow >= 0 && ARow < int(x.size()))
        ARow = x[std::size_t(ARow)];
    return RealRowIndex(ARow);
}

int TFxStringGrid::UnSortedRowIndex(int ARow) const
{
    const auto& x = d->model.SortRowXRef;
    return x.empty() ? ARow : RowBeforeSort(x, ARow);
}

// ---------------------------------------------------------------- position and counts

void TFxStringGrid::SetRow(int value)
{
    TFxGridModelState& m = d->model;
    if (Col() < 0 || Col() >= ColCount())
        MoveCurrentCell(TBaseGrid::FixedCols(), value);
    TBaseGrid::SetRow(value);
    if (Row() != m.OldRowSel && d->Events.OnRowUpdate) {
        d->Events.OnRowUpdate(this, m.OldRowSel, Row());
        m.OldRowSel = Row();
    }
    if (m.MouseActions->DisjunctRowSelect())
        SelectionToRowSelect(false);
    if (fw::TStringGrid* sync = m.SyncGrid->Grid(); sync && m.SyncGrid->SelectionRow()) {
        if (auto* g = dynamic_cast<TFxStringGrid*>(sync))
            g->SetRow(Row());
        else
            sync->SetRow(Row());
    }
    if (Row() == RowCount() - 1 && m.SearchFooter->Visible())
        KeepLastRowAboveSearchFooter();
}

void TFxStringGrid::SetCol(int value)
{
    TBaseGrid::SetCol(value);
    TFxGridModelState& m = d->model;
    if (fw::TStringGrid* sync = m.SyncGrid->Grid(); sync && m.SyncGrid->SelectionColumn()) {
        if (auto* g = dynamic_cast<TFxStringGrid*>(sync))
            g->SetCol(Col());
        else
            sync->SetCol(Col());
    }
}

void TFxStringGrid::SetTopRow(int value)
{
    if (value >= TBaseGrid::FixedRows() && value <= RowCount() - 1)
        TBaseGrid::SetTopRow(value);
}

void TFxStringGrid::SetRowCount(int value)
{
    TFxGridModelState& m = d->model;
    value = std::max(value, 0);
    if (RowCount() == TBaseGrid::FixedRows() && FixedRowAlways() && m.SelHidden)
        UnHideSelection();
    const int old = RowCount();
    if (value < old && HasCellProps()) {
        // Rows that go take their properties and objects with them.
        FreeCellPropsInRange(0, value, TFxGridRowOps::StorageCols(*this) - 1, old - 1);
    }
    if (value < old) {
        const int cols = TFxGridRowOps::StorageCols(*this);
        for (int r = value; r < old; ++r)
            for (int c = 0; c < cols; ++c)
                if (!GetGridCell(c, r).isEmpty())
                    SetGridCell(c, r, QString());
    }
    TBaseGrid::SetRowCount(value);
    if (FixedRowAlways() && m.FixedRowsMin < RowCount())
        SetFixedRows(m.FixedRowsMin);
    m.MaxRowCount = std::max(m.MaxRowCount, value);
    SetNormalRowCount(value);
    UpdateFooter();
    UpdateProportionalVertScroll();
    UpdateProportionalHorzScroll();
    UpdateScrollBarsAlways(false);
    if (ScrollType() != ssNormal)
        UpdateFlatScrollBars();
}

void TFxStringGrid::SetColCount(int value)
{
    TFxGridModelState& m = d->model;
    TBaseGrid::SetColCount(value);
    if (FixedColAlways() && m.FixedColsMin < ColCount())
        SetFixedCols(m.FixedColsMin);
    m.MaxColCount = std::max(m.MaxColCount, value);
    UpdateFooter();
    SetBounds(x(), y(), width(), height());
    UpdateProportionalHorzScroll();
    UpdateProportionalVertScroll();
    UpdateScrollBarsAlways(false);
}

int TFxStringGrid::FixedRows() const
{
    const int n = TBaseGrid::FixedRows();
    return n == 0 && FixedRowAlways() ? 1 : n;
}

void TFxStringGrid::SetFixedRows(int value)
{
    const int requested = value;
    if (value >= RowCount() && FixedRowAlways())
        value = RowCount() - 1;
    TBaseGrid::SetFixedRows(std::max(value, 0));
    d->model.FixedRowsMin = requested;
}

int TFxStringGrid::FixedCols() const
{
    const int n = TBaseGrid::FixedCols();
    return n == 0 && FixedColAlways() ? 1 : n;
}

void TFxStringGrid::SetFixedCols(int value)
{
    const int requested = value;
    if (value >= ColCount() && FixedColAlways())
        value = ColCount() - 1;
    TBaseGrid::SetFixedCols(std::max(value, 0));
    d->model.FixedColsMin = requested;
}

void TFxStringGrid::SetDefaultRowHeight(int value)
{
    TBaseGrid::SetDefaultRowHeight(value);
    TFloatingFooter& footer = *d->paint.FloatingFooter;
    footer.SetHeight(value);
    if (footer.Visible())
        d->paint.FooterPanel->SetPanelHeight(value);
}

int TFxStringGrid::FixedRowHeight() const
{
    return d->model.FixedRowHeight;
}

void TFxStringGrid::SetFixedRowHeight(int value)
{
    d->model.FixedRowHeight = value;
    if (value == DefaultRowHeight()) {
        SetDefaultRowHeight(value);
        return;
    }
    for (int r = 0; r < TBaseGrid::FixedRows(); ++r)
        SetRowHeights(r, value);
}

int TFxStringGrid::FixedColWidth() const
{
    return ColWidths(0);
}

void TFxStringGrid::SetFixedColWidth(int value)
{
    if (value == DefaultColWidth())
        return;
    for (int c = 0; c < TBaseGrid::FixedCols(); ++c)
        SetColWidths(c, value);
}

bool TFxStringGrid::WordWrap() const
{
    return d->model.WordWrap;
}

void TFxStringGrid::SetWordWrap(bool value)
{
    d->model.WordWrap = value;
    TBaseGrid::SetWordWrap(value);
    InvalidateSetting();
}

int TFxStringGrid::AllRowCount() const
{
    return RowCount() + NumHiddenRows();
}

int TFxStringGrid::AllColCount() const
{
    return ColCount() + NumHiddenColumns();
}

int TFxStringGrid::TotalRowCount() const
{
    return AllRowCount();
}

int TFxStringGrid::TotalColCount() const
{
    return d ? ColCount() + d->model.HiddenCols.Count() : ColCount();
}

int TFxStringGrid::AllColWidths(int c) const
{
    if (IsHiddenColumn(c))
        return d->model.HiddenCols.SavedWidth(c);
    return ColWidths(DisplColIndex(c));
}

void TFxStringGrid::SetAllColWidths(int c, int value)
{
    d->model.HiddenCols.SetSavedWidth(c, value);
    if (!IsHiddenColumn(c))
        SetColWidths(DisplColIndex(c), value);
}

// ---------------------------------------------------------------- typed values

namespace {

int ToInt(const QString& text)
{
    int v = 0;
    if (!FxCellTextToInt(text, v))
        throw EFxGridError(QStringLiteral("Cell does not contain integer value"));
    return v;
}

double ToFloat(const QString& text)
{
    double v = 0;
    if (!FxCellTextToFloat(text, v))
        throw EFxGridError(QStringLiteral("Cell does not contain a float value"));
    return v;
}

} // namespace

int TFxStringGrid::Ints(int c, int r) const
{
    return ToInt(StrippedCells(c, r));
}

void TFxStringGrid::SetInts(int c, int r, int value)
{
    SetCells(c, r, fw::IntToStr(value));
    if (NumHiddenColumns() > 0)
        RepaintCell(DisplColIndex(c), r);
}

int TFxStringGrid::AllInts(int c, int r) const
{
    return ToInt(AllCells(c, r));
}

void TFxStringGrid::SetAllInts(int c, int r, int value)
{
    SetAllCells(c, r, fw::IntToStr(value));
}

double TFxStringGrid::Floats(int c, int r) const
{
    return ToFloat(StrippedCells(c, r));
}

void TFxStringGrid::SetFloats(int c, int r, double value)
{
    SetCells(c, r, FxFormatFloat(GetCellFloatFormat(c, r), value));
}

double TFxStringGrid::AllFloats(int c, int r) const
{
    return ToFloat(AllCells(c, r));
}

void TFxStringGrid::SetAllFloats(int c, int r, double value)
{
    SetAllCells(c, r, FxFormatFloat(FloatFormat(), value));
}

QString TFxStringGrid::ControlValues(int c, int r, const QString& ID) const
{
    QString value;
    if (!HtmlControlValue(Cells(c, r), ID, value))
        return QString();
    return value;
}

void TFxStringGrid::SetControlValues(int c, int r, const QString& ID, const QString& value)
{
    QString text = Cells(c, r);
    if (SetHtmlControlValue(text, ID, value))
        SetCells(c, r, text);
}

QString TFxStringGrid::GetCellFloatFormat(int, int) const
{
    return FloatFormat();
}

// ---------------------------------------------------------------- save range

int TFxStringGrid::SaveStartCol() const
{
    return SaveFixedCells() || SaveFixedCols() ? 0 : FixedCols();
}

int TFxStringGrid::SaveStartRow() const
{
    return SaveFixedCells() || SaveFixedRows() ? 0 : FixedRows();
}

int TFxStringGrid::SaveEndCol() const
{
    return SaveFixedCells() || SaveFixedCols() ? ColCount() - 1 : ColCount() - FixedRightCols() - 1;
}

int TFxStringGrid::SaveEndRow() const
{
    return SaveFixedCells() || SaveFixedRows() ? RowCount() - 1 : RowCount() - FixedFooters() - 1;
}

int TFxStringGrid::SaveColCount() const
{
    return SaveFixedCells() || SaveFixedCols() ? ColCount() : ColCount() - FixedCols() - FixedRightCols();
}

int TFxStringGrid::SaveRowCount() const
{
    return SaveFixedCells() || SaveFixedRows() ? RowCount() : RowCount() - FixedRows() - FixedFooters();
}

fw::TGridRect TFxStringGrid::UsedCells() const
{
    fw::TGridRect r{-1, -1, -1, -1};
    for (int c = 0; c < ColCount(); ++c)
        for (int row = 0; row < RowCount(); ++row) {
            if (Cells(c, row).isEmpty())
                continue;
            if (r.Left < 0) {
                r = {c, row, c, row};
                continue;
            }
            r.Left = std::min(r.Left, c);
            r.Right = std::max(r.Right, c);
            r.Top = std::min(r.Top, row);
            r.Bottom = std::max(r.Bottom, row);
        }
    return r.Left < 0 ? fw::TGridRect{0, 0, 0, 0} : r;
}
