// Sizing columns and rows to their content, fitting columns into the
// control, numbering, swapping, the selection as text, the header lists and
// the record of the column order.
#include "grid/model/FxGrid.h"
#include "grid/model/FxGridRows_p.h"
#include "grid/model/FxGrid_p.h"

#include "framework/Canvas.h"
#include "grid/foundation/FxUtilText.h"

#include <QStyle>

#include <algorithm>
#include <cmath>

// ---------------------------------------------------------------- sizing

void TFxStringGrid::SizeColumnToContent(int ACol, bool GrowOnly)
{
    const int rc = RealColIndex(ACol);
    int first = 0, last = RowCount() - 1;
    switch (d->model.ColumnSize->Rows()) {
    case arNormal: first = TBaseGrid::FixedRows(); last = RowCount() - FixedFooters() - 1; break;
    case arFixed: first = 0; last = TBaseGrid::FixedRows() - 1; break;
    case arAll: break;
    }
    const int lines = 2 * (GridLineWidth() + 1);
    int widest = 0;
    for (int r = first; r <= last; ++r) {
        if (IsXMergedCell(rc, r))
            continue;
        const TCellGraphic* g = GetCellGraphic(rc, r);
        const fw::TPoint gs = GetCellGraphicSize(rc, r);
        int w = gs.X + CalcCellTextSize(rc, ACol, r, false, false).cx;
        if (d->paint.ControlLook->DropDownAlwaysVisible() && HasComboBox(rc, r))
            w += 16;
        if (FilterDropDownAuto() && r == FilterDropDownRow() && DoGetColumnFilter(rc))
            w += 12;
        if (IsSortRow(rc, r))
            w += 10;
        if (g && g->CellHAlign() == haFull)
            w = gs.X - (lines + XYOffset().X);
        widest = std::max(widest, w);
    }
    int wanted = (first <= last ? widest : 0) + TotalXOffset() + lines;
    if (GrowOnly && ColWidths(ACol) >= wanted)
        return;
    ColumnAutoSized(rc, wanted);
    SetColWidths(ACol, ClampToLimits(wanted, MinColWidth(), MaxColWidth()));
}

void TFxStringGrid::AutoSizeCol(int ACol, int Padding)
{
    if (ACol < 0 || ACol >= ColCount())
        return;
    SizeColumnToContent(ACol, SizeGrowOnly());
    if (Padding != 0)
        SetColWidths(ACol, ClampToLimits(ColWidths(ACol) + Padding, MinColWidth(), MaxColWidth()));
}

void TFxStringGrid::AutoSizeColumns(bool DoFixedCols, int Padding)
{
    const int first = DoFixedCols ? 0 : TBaseGrid::FixedCols();
    const int last = DoFixedCols ? ColCount() - 1 : ColCount() - FixedRightCols() - 1;
    for (int c = first; c <= last; ++c)
        AutoSizeCol(c, Padding);
}

void TFxStringGrid::SizeRowToContent(int ARow, bool GrowOnly)
{
    int tallest = 0;
    for (int c = 0; c < ColCount(); ++c) {
        const int rc = RealColIndex(c);
        if (IsYMergedCell(rc, ARow) || IsIgnoredColumn(rc))
            continue;
        const fw::TSize ts = GetCellTextSize(rc, ARow, false, WordWrap());
        int th = ts.cy;
        const TCellGraphic* g = GetCellGraphic(rc, ARow);
        int gh = g ? CalcCellGraphicSize(rc, ARow, fw::TPoint(0, 0)).Y : 0;
        if (g && g->CellVAlign() == vaFull)
            gh = th != 0 ? 0 : DefaultRowHeight();
        if (g && IsTextBoundCheckBox(g->CellType()) && gh > 0)
            th = 0;
        int h = th + gh;
        if (IsMergedNonBaseCell(rc, ARow))
            h = 0;
        if (g && (g->CellType() == ctCheckBox || IsTextBoundCheckBox(g->CellType()) ||
                  g->CellType() == ctRadioButton))
            h = DefaultRowHeight();
        tallest = std::max(tallest, h);
    }
    const int wanted = tallest + TotalYOffset() + 2 * GridLineWidth() + (XYOffsetTopLeftOnly() ? 2 : 0);
    if (GrowOnly && RowHeights(ARow) >= wanted)
        return;
    SetRowHeights(ARow, ClampToLimits(wanted, MinRowHeight(), MaxRowHeight()));
}

void TFxStringGrid::AutoSizeRow(int ARow, int Padding)
{
    if (ARow < 0 || ARow >= RowCount())
        return;
    SizeRowToContent(ARow, SizeGrowOnly());
    if (Padding != 0)
        SetRowHeights(ARow, ClampToLimits(RowHeights(ARow) + Padding, MinRowHeight(), MaxRowHeight()));
}

void TFxStringGrid::AutoSizeRows(bool DoFixedRows, int Padding)
{
    if (RowCount() == 0)
        return;
    const int first = DoFixedRows ? 0 : TBaseGrid::FixedRows();
    ExportNotification(esExportStart, first);
    for (int r = first; r < RowCount(); ++r) {
        ExportNotification(esExportNextRow, r);
        if (WordWrap())
            AutoSizeRow(r, Padding);
        else
            SetRowHeightForLines(r, MaxLinesInRow(r), Padding);
    }
    ExportNotification(esExportDone, -1);
    UpdateScrollBarsAlways(false);
}

void TFxStringGrid::SetRowHeightForLines(int ARow, int Lines, int Padding)
{
    fw::TFont font = Font();
    fw::TBrush brush;
    DoGetCellColor(TBaseGrid::FixedCols(), ARow, 0, brush, font);
    Canvas().Font() = font;
    const int h = Canvas().TextHeight(QStringLiteral("gh"));
    SetRowHeights(ARow, ClampToLimits(Padding + Lines * (h + h / 8), MinRowHeight(), MaxRowHeight()));
}

void TFxStringGrid::AutoSizeCells(bool DoFixedCells, int PaddingX, int PaddingY)
{
    BeginUpdate();
    try {
        const int firstCol = DoFixedCells ? 0 : TBaseGrid::FixedCols();
        const int firstRow = DoFixedCells ? 0 : TBaseGrid::FixedRows();
        for (int c = firstCol; c < ColCount(); ++c) {
            const int rc = RealColIndex(c);
            int running = SizeGrowOnly() ? ColWidths(c) : 0;
            for (int r = firstRow; r < RowCount(); ++r) {
                const fw::TPoint gs = GetCellGraphicSize(rc, r);
                const fw::TSize ts = GetCellTextSize(rc, r, false, false);
                const int w = ts.cx + gs.X + PaddingX + XYOffset().X;
                const int h = ts.cy + gs.Y + PaddingY + XYOffset().Y;
                if (!IsXMergedCell(rc, r) && w > running) {
                    const int clamped = ClampToLimits(w, MinColWidth(), MaxColWidth());
                    if (clamped > running) {
                        SetColWidths(c, clamped);
                        running = clamped;
                    }
                }
                if (!IsYMergedCell(rc, r) && h > RowHeights(r)) {
                    const int clamped = ClampToLimits(h, MinRowHeight(), MaxRowHeight());
                    if (clamped > RowHeights(r))
                        SetRowHeights(r, clamped);
                }
            }
        }
    } catch (...) {
        EndUpdate();
        throw;
    }
    EndUpdate();
}

void TFxStringGrid::AutoFitColumns(bool DoFixedCells)
{
    const int scrollW = style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this);
    const bool vbar = ScrollBarAlways() == saVert ||
                      ((ScrollBars() == fw::ssVertical || ScrollBars() == fw::ssBoth) &&
                       VisibleRowCount() + TBaseGrid::FixedRows() < RowCount());
    const int sb = vbar ? scrollW : 0;
    const int border = frameWidth() > 0 ? 4 : 0;
    int first = 0, last = ColCount() - 1, W = width();
    if (!DoFixedCells) {
        first = TBaseGrid::FixedCols();
        last = ColCount() - FixedRightCols() - 1;
        for (int c = 0; c < ColCount(); ++c)
            if (c < first || c > last)
                W -= ColWidths(c);
    }
    int lines = 0;
    if (Options() & fw::goVertLine)
        lines = GridLineWidth() * (ColCount() - TBaseGrid::FixedCols() - FixedRightCols());
    if (DoFixedCells && (Options() & fw::goFixedVertLine))
        lines += TBaseGrid::FixedCols() + FixedRightCols();
    if (first > last)
        return;
    const auto sumRange = [&] {
        int s = 0;
        for (int c = first; c <= last; ++c)
            s += ColWidths(c);
        return s;
    };
    if (ColCount() < 2) {
        SetColWidths(0, width() - sb - 5);
    } else {
        const int S = sumRange();
        if (S == W - sb - border)
            return;
        if (S <= 0)
            return;   // nothing to scale: the widths stay
        const double f = double(W - sb - border - lines) / S;
        double T = 0;
        for (int c = first; c <= last; ++c)
            T += double(fw::RoundHalfEven(ColWidths(c) * f));
        for (int c = first; c <= last; ++c)
            SetColWidths(c, int(fw::RoundHalfEven(ColWidths(c) * T / S)));
    }
    int R = W - (sumRange() + sb + border);
    const int n = last - first + 1;
    if (n < R && n > 1) {
        for (int c = first; c <= last; ++c)
            SetColWidths(c, ColWidths(c) + R / n);
        R %= n;
    }
    int widest = first;
    for (int c = first; c <= last; ++c)
        if (ColWidths(c) > ColWidths(widest))
            widest = c;
    SetColWidths(widest, ColWidths(widest) + R);
}

void TFxStringGrid::SizeToCols()
{
    int w = 0;
    for (int c = 0; c < ColCount(); ++c)
        w += ColWidths(c);
    resize(width() - ClientWidth() + w, height());
}

void TFxStringGrid::SizeToRows()
{
    int h = 0;
    for (int r = 0; r < RowCount(); ++r)
        h += RowHeights(r);
    resize(width(), height() - ClientHeight() + h);
}

void TFxStringGrid::SizeToCells()
{
    const fw::TScrollStyle old = ScrollBars();
    SetScrollBars(fw::ssNone);
    SizeToCols();
    SizeToRows();
    SetScrollBars(old);
}

// ---------------------------------------------------------------- numbering and swapping

void TFxStringGrid::AutoNumberCol(int ACol)
{
    if (RowCount() == 0)
        return;
    const int S = AutoNumberStart(), O = AutoNumberOffset();
    const int fr = TBaseGrid::FixedRows(), last = RowCount() - FixedFooters() - 1;
    for (int k = 0; fr + S + k <= last; ++k) {
        const int r = AutoNumberDirection() == sdAscending ? fr + S + k : last - S - k;
        SetInts(ACol, r, O + S + k + 1);
    }
}

void TFxStringGrid::AutoNumberRow(int ARow)
{
    if (ColCount() == 0)
        return;
    const int S = AutoNumberStart(), O = AutoNumberOffset();
    const int fc = TBaseGrid::FixedCols(), last = ColCount() - FixedRightCols() - 1;
    for (int k = 0; fc + S + k <= last; ++k) {
        const int c = AutoNumberDirection() == sdAscending ? fc + S + k : last - S - k;
        SetInts(c, ARow, O + S + k + 1);
    }
}

void TFxStringGrid::SwapColumns(int ACol1, int ACol2)
{
    if (ACol1 == ACol2)
        return;
    const int rows = RowCount();
    for (int r = 0; r < rows; ++r)
        SwapCells({ACol1, r}, {ACol2, r});
    const int w1 = ColWidths(DisplColIndex(ACol1));
    SetColWidths(DisplColIndex(ACol1), ColWidths(DisplColIndex(ACol2)));
    SetColWidths(DisplColIndex(ACol2), w1);
    TControlList& controls = d->model.ControlList;
    std::vector<std::tuple<int, int, QWidget*>> entries;
    for (int i = 0; i < controls.Count(); ++i) {
        const TControlItem* item = controls.Control(i);
        const int x = item->X() == ACol1 ? ACol2 : item->X() == ACol2 ? ACol1 : item->X();
        entries.emplace_back(x, item->Y(), item->Control());
    }
    while (controls.Count() > 0)
        controls.RemoveControl(controls.Count() - 1);
    for (const auto& [x, y, w] : entries)
        controls.AddControl(x, y, w);
    CellControlsUpdate(false);
}

void TFxStringGrid::SwapRows(int ARow1, int ARow2)
{
    if (ARow1 == ARow2)
        return;
    const int cols = TFxGridRowOps::StorageCols(*this);
    for (int c = 0; c < cols; ++c)
        SwapCells({c, ARow1}, {c, ARow2});
    const int h1 = RowHeights(ARow1);
    SetRowHeights(ARow1, RowHeights(ARow2));
    SetRowHeights(ARow2, h1);
    TControlList& controls = d->model.ControlList;
    const int real1 = RealRowIndex(ARow1), real2 = RealRowIndex(ARow2);
    std::vector<std::tuple<int, int, QWidget*>> entries;
    for (int i = 0; i < controls.Count(); ++i) {
        const TControlItem* item = controls.Control(i);
        const int y = item->Y() == real1 ? real2 : item->Y() == real2 ? real1 : item->Y();
        entries.emplace_back(item->X(), y, item->Control());
    }
    while (controls.Count() > 0)
        controls.RemoveControl(controls.Count() - 1);
    for (const auto& [x, y, w] : entries)
        controls.AddControl(x, y, w);
    CellControlsUpdate(false);
}

// ---------------------------------------------------------------- selection

void TFxStringGrid::SelectCells(int FromCol, int FromRow, int ToCol, int ToRow)
{
    SetSelection({FromCol, FromRow, ToCol, ToRow});
}

bool TFxStringGrid::IsSelected(int ACol, int ARow)
{
    if (ACol < TBaseGrid::FixedCols() || ARow < TBaseGrid::FixedRows())
        return false;
    const TMouseActions& ma = *d->model.MouseActions;
    if (ma.DisjunctCellSelect())
        return d->model.SelectedCells.Contains(ACol, ARow);
    if (ma.DisjunctRowSelect())
        return RowSelect(ma.RowSelectPersistent() ? RealRowIndex(ARow) : ARow);
    if (ma.DisjunctColSelect())
        return ColSelect(ACol);
    return SelectedCells(ACol, ARow);
}

QString TFxStringGrid::SelectedText()
{
    fw::TGridRect s = Selection();
    s = {std::min(s.Left, s.Right), std::min(s.Top, s.Bottom), std::max(s.Left, s.Right),
         std::max(s.Top, s.Bottom)};
    if (Options() & fw::goRowSelect) {
        s.Left = 0;
        s.Right = ColCount() - 1;
    }
    std::vector<int> rows;
    const TMouseActions& ma = *d->model.MouseActions;
    if (ma.DisjunctRowSelect()) {
        for (int r = TBaseGrid::FixedRows(); r < RowCount(); ++r)
            if (RowSelect(ma.RowSelectPersistent() ? RealRowIndex(r) : r))
                rows.push_back(r);
    } else {
        for (int r = s.Top; r <= s.Bottom; ++r)
            rows.push_back(r);
    }
    QString text;
    for (int r : rows) {
        for (int c = s.Left; c <= s.Right; ++c) {
            QString cell = Cells(RealColIndex(c), r);
            if (ExcelClipboardFormat() && TextLineCount(cell, Multilinecells()) > 1)
                QuoteWithVtLineBreaks(cell);
            if (c > s.Left)
                text += QLatin1Char('\t');
            text += cell;
        }
        if (r != s.Bottom)
            text += QStringLiteral("\r\n");
    }
    return text;
}

// ---------------------------------------------------------------- headers

void TFxStringGrid::SetColumnHeaders(const fw::TStringList& value)
{
    fw::TStringList& list = d->model.ColumnHeaders;
    list.BeginUpdate();
    list.Assign(value);
    if (TBaseGrid::FixedRows() > 0)
        ClearColumnHeaders();
    list.EndUpdate();
}

void TFxStringGrid::ClearColumnHeaders()
{
    for (int i = 0; i < ColCount(); ++i)
        SetCells(i, 0, QString());
}

void TFxStringGrid::ShowColumnHeaders()
{
    if (TBaseGrid::FixedRows() <= 0)
        return;
    const fw::TStringList& list = d->model.ColumnHeaders;
    for (int i = 0; i < list.Count() && i < TotalColCount(); ++i)
        SetCells(i, 0, BackslashNToCr(list.Strings(i)));
}

void TFxStringGrid::SetRowHeaders(const fw::TStringList& value)
{
    d->model.RowHeaders.Assign(value);
}

void TFxStringGrid::ClearRowHeaders()
{
    for (int i = 0; i < RowCount(); ++i)
        SetCells(0, i, QString());
}

void TFxStringGrid::ShowRowHeaders()
{
    if (TBaseGrid::FixedCols() <= 0)
        return;
    const fw::TStringList& list = d->model.RowHeaders;
    for (int i = 0; i < list.Count() && i < RowCount(); ++i)
        SetCells(0, i, BackslashNToCr(list.Strings(i)));
}

void TFxStringGrid::ColumnHeadersChanged() {}

// ---------------------------------------------------------------- column order

void TFxStringGrid::SetColumnOrder()
{
    std::vector<int>& order = d->model.ColumnOrder;
    // By real position: hidden columns have their place too.
    order.resize(std::size_t(std::max(TotalColCount(), 0)));
    for (int i = 0; i < int(order.size()); ++i)
        order[std::size_t(i)] = i;
}

void TFxStringGrid::ResetColumnOrder()
{
    UnHideColumnsAll();
    std::vector<int>& order = d->model.ColumnOrder;
    if (order.empty()) {
        SetColumnOrder();
        return;
    }
    for (bool moved = true; moved;) {
        moved = false;
        for (int i = 0; i < ColCount() && i < int(order.size()); ++i) {
            const int k = order[std::size_t(i)];
            if (k < i) {
                MoveColumn(i, k);
                moved = true;
            }
        }
    }
}

int TFxStringGrid::ColumnPosition(int ACol) const
{
    const std::vector<int>& order = d->model.ColumnOrder;
    if (order.empty())
        return ACol;
    const auto it = std::find(order.begin(), order.end(), ACol);
    int p = it == order.end() ? ACol : int(it - order.begin());
    if (GroupColumn() >= 0 && ACol >= GroupColumn())
        --p;
    return p;
}

int TFxStringGrid::ColumnAtPosition(int APos)
{
    std::vector<int>& order = d->model.ColumnOrder;
    if (order.empty())
        SetColumnOrder();
    if (APos < 0 || APos >= int(order.size()))
        return APos;
    int c = order[std::size_t(APos)];
    if (GroupColumn() >= 0 && c >= GroupColumn())
        ++c;
    return c;
}

int TFxStringGrid::ColumnByHeader(const QString& AValue) const
{
    for (int c = 0; c < TotalColCount(); ++c)
        if (AllCells(c, 0) == AValue)
            return c;
    return -1;
}

int TFxStringGrid::PrintColWidth(int ACol) const
{
    if (ACol < 0 || ACol >= int(d->paint.PrintColWidths.size()))
        throw EFxGridError(QStringLiteral("Columns is not in valid range"));
    return d->paint.PrintColWidths[std::size_t(ACol)];
}

int TFxStringGrid::PrintColOffset(int ACol) const
{
    if (ACol < 0 || ACol >= int(d->paint.PrintColOffsets.size()))
        throw EFxGridError(QStringLiteral("Columns is not in valid range"));
    return d->paint.PrintColOffsets[std::size_t(ACol)];
}

void TFxStringGrid::ColumnAutoSized(int ACol, int& AWidth)
{
    if (const auto& e = d->Events.OnUpdateColumnSize)
        e(this, ACol, AWidth);
}

void TFxStringGrid::ColumnSizeChanged(int ACol, int& AWidth)
{
    if (const auto& e = d->Events.OnUpdateColumnSize)
        e(this, ACol, AWidth);
}
