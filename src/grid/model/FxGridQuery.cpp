// The per-cell query hooks: what the grid answers for a cell's colour,
// border, alignment, editor, editability, fixedness, check texts and filter
// list before the application's events have the last word.
#include "grid/model/FxGrid.h"
#include "grid/model/FxGrid_p.h"

#include "framework/SysUtils.h"
#include "grid/foundation/FxUtilText.h"

#include <QCursor>
#include <QGuiApplication>

// ---------------------------------------------------------------- appearance

void TFxStringGrid::DoGetCellColor(int ACol, int ARow, fw::TGridDrawState AState, fw::TBrush& ABrush,
                                   fw::TFont& AFont)
{
    if (ActiveCellShow()) {
        const int dc = DisplColIndex(ACol);
        const bool rowHeader = ARow == Row() && TBaseGrid::FixedCols() > 0 && dc == TBaseGrid::FixedCols() - 1;
        const bool colHeader = dc == Col() && TBaseGrid::FixedRows() > 0 && ARow == TBaseGrid::FixedRows() - 1;
        if (rowHeader || colHeader) {
            AFont = ActiveCellFont();
            ABrush.Color = ActiveCellColor();
        }
    }
    if (CellPropertiesAssigned(ACol, ARow)) {
        const TCellProperties* p = GridObjects(ACol, ARow);
        const TCellType t = GetCellType(ACol, ARow);
        if (t == ctIcon || t == ctNone || t == ctImageList || t == ctEmpty || t == ctImages || t == ctComment)
            if (p->BrushColor() != fw::clNone)
                ABrush.Color = p->BrushColor();
        p->OverrideFont(AFont);
    }
    if (const auto& e = d->Events.OnGetCellColor)
        e(this, ARow, ACol, AState, ABrush, AFont);
}

void TFxStringGrid::DoGetCellPrintColor(int ACol, int ARow, fw::TGridDrawState AState, fw::TBrush& ABrush,
                                        fw::TFont& AFont)
{
    if (const auto& e = d->Events.OnGetCellPrintColor)
        e(this, ARow, ACol, AState, ABrush, AFont);
}

void TFxStringGrid::DoGetCellBorder(int ACol, int ARow, fw::TPen& APen, TCellBorders& Borders)
{
    if (const TGrouping* gs = d->sort.Grouping.get(); gs && ACol > 0) {
        if (gs->HeaderUnderline() && IsNode(ARow)) {
            Borders = TCellBorders{cbBottom};
            APen.Color = gs->HeaderLineColor();
            APen.Width = gs->HeaderLineWidth();
        }
        if (gs->SummaryLine() && IsSummary(ARow)) {
            Borders = TCellBorders{cbTop};
            APen.Color = gs->SummaryLineColor();
            APen.Width = gs->SummaryLineWidth();
        }
    }
    if (const auto& e = d->Events.OnGetCellBorder)
        e(this, ARow, ACol, APen, Borders);
}

void TFxStringGrid::DoGetCellPrintBorder(int ACol, int ARow, fw::TPen& APen, TCellBorders& Borders)
{
    if (const auto& e = d->Events.OnGetCellPrintBorder)
        e(this, ARow, ACol, APen, Borders);
}

void TFxStringGrid::DoGetAlignment(int ACol, int ARow, fw::TAlignment& HAlign, TVAlignment& VAlign)
{
    if (ACol == 0 && d->model.MouseActions->HotmailRowSelect())
        HAlign = fw::taCenter;
    if (const auto& e = d->Events.OnGetAlignment)
        e(this, ARow, ACol, HAlign, VAlign);
}

void TFxStringGrid::DoGetWordWrap(int ACol, int ARow, bool& WordWrap)
{
    if (const auto& e = d->Events.OnGetWordWrap)
        e(this, ACol, ARow, WordWrap);
}

void TFxStringGrid::GetDefaultVisualProps(int ACol, int ARow, TCellLook& Look)
{
    TBaseGrid::GetDefaultVisualProps(ACol, ARow, Look);
    fw::TGridDrawState state = 0;
    GetVisualProperties(ACol, ARow, state, {}, Look);
    // A new properties object must not freeze a colour that only the cell's
    // position, the bands, a gradient background or the selection give.
    const TBackGroundDisplay bg = d->paint.BackGround->Display();
    if (IsFixed(ACol, ARow) || d->model.Bands->Active() || bg == bdGradientHorz || bg == bdGradientVert ||
        (state & fw::gdSelected)) {
        Look.Brush.Color = fw::clNone;
        Look.ColorTo = fw::clNone;
    }
}

void TFxStringGrid::DoGridHint(int ACol, int ARow, QString& hintstr, QString& widehint)
{
    if (const auto& e = d->Events.OnGridHint)
        e(this, ARow, ACol, hintstr);
    if (const auto& e = d->Events.OnGridWideHint)
        e(this, ARow, ACol, widehint);
    if (!widehint.isEmpty())
        hintstr = PackWideText(widehint);
}

void TFxStringGrid::DoGetCellCursor(int ACol, int ARow, int X, int Y)
{
    const auto& e = d->Events.OnGetCellCursor;
    if (!e)
        return;
    int shape = int(QWidget::cursor().shape());
    e(this, ACol, ARow, X, Y, shape);
    setCursor(QCursor(Qt::CursorShape(shape)));
}

// ---------------------------------------------------------------- editing

void TFxStringGrid::GetEventEditorType(int ACol, int ARow, TEditorType& AEditor)
{
    if (const auto& e = d->Events.OnGetEditorType)
        e(this, ACol, ARow, AEditor);
}

void TFxStringGrid::GetCellEditorType(int ACol, int ARow, TEditorType& AEditor)
{
    GetEventEditorType(ACol, ARow, AEditor);
}

bool TFxStringGrid::IsNoEditorCell(int ACol, int ARow)
{
    if (!d->Events.OnGetEditorType)
        return false;
    TEditorType editor = edNormal;
    d->Events.OnGetEditorType(this, ACol, ARow, editor);
    return editor == edNone;
}

bool TFxStringGrid::HasComboBox(int ACol, int ARow)
{
    if (const auto& e = d->Events.OnHasComboBox) {
        bool has = false;
        e(this, ACol, ARow, has);
        return has;
    }
    if (!d->paint.ControlLook->DropDownAlwaysVisible())
        return false;
    TEditorType editor = DefaultEditor();
    GetCellEditorType(ACol, ARow, editor);
    return editor == edComboEdit || editor == edComboList;
}

bool TFxStringGrid::HasSpinEdit(int ACol, int ARow)
{
    if (ACol < FixedCols() || ARow < FixedRows())
        return false;
    if (const auto& e = d->Events.OnHasSpinEdit) {
        bool has = false;
        e(this, ACol, ARow, has);
        return has;
    }
    if (!d->paint.ControlLook->SpinButtonsAlwaysVisible())
        return false;
    TEditorType editor = DefaultEditor();
    GetEventEditorType(ACol, ARow, editor);
    return editor == edSpinEdit || editor == edFloatSpinEdit || editor == edTimeSpinEdit ||
           editor == edDateSpinEdit;
}

void TFxStringGrid::CanEditCell(int ACol, int ARow, bool& CanEdit)
{
    const fw::TPoint b = BaseCell(ACol, ARow);
    if (CellPropertiesAssigned(b.X, b.Y) && CanEdit) {
        CanEdit = !ReadOnly(b.X, b.Y);
        if (!(Options() & fw::goEditing) && !d->interact.EditDisable &&
            !d->model.MouseActions->RangeSelectAndEdit())
            CanEdit = false;
    }
    if (b.X < ColCount() + NumHiddenColumns())
        DoCanEditCell(b.X, b.Y, CanEdit);
    else
        CanEdit = true;
}

void TFxStringGrid::DoCanEditCell(int ACol, int ARow, bool& CanEdit)
{
    if (const auto& e = d->Events.OnCanEditCell)
        e(this, ARow, ACol, CanEdit);
}

void TFxStringGrid::DoIsFixedCell(int ACol, int ARow, bool& IsFixed)
{
    const TFxGridModelState& m = d->model;
    IsFixed = IsFixed || (FixedRowAlways() && ARow <= m.FixedRowsMin && RowCount() == m.FixedRowsMin) ||
              (FixedColAlways() && ACol < m.FixedColsMin && ColCount() == m.FixedColsMin) || ACol < FixedCols() ||
              ARow < FixedRows();
    if (!IsFixed)
        if (const auto& e = d->Events.OnIsFixedCell)
            e(this, ARow, ACol, IsFixed);
}

bool TFxStringGrid::IsFixed(int ACol, int ARow)
{
    // Footer rows and right fixed columns are fixed whatever the query says;
    // a merged cell answers for its block's base cell.
    const fw::TPoint b = BaseCell(RealColIndex(ACol), ARow);
    const int bx = DisplColIndex(b.X);
    if (b.Y >= RowCount() - FixedFooters() || (bx >= ColCount() - FixedRightCols() && bx < ColCount()))
        return true;
    bool fixed = false;
    DoIsFixedCell(bx, b.Y, fixed);
    return fixed;
}

void TFxStringGrid::DoIsPasswordCell(int ACol, int ARow, bool& IsPassword)
{
    if (const auto& e = d->Events.OnIsPasswordCell)
        e(this, ARow, ACol, IsPassword);
}

void TFxStringGrid::GetCheckTrue(int ACol, int ARow, QString& Value)
{
    Value = CheckTrue();
    if (const auto& e = d->Events.OnGetCheckTrue)
        e(this, ACol, ARow, Value);
}

void TFxStringGrid::GetCheckFalse(int ACol, int ARow, QString& Value)
{
    Value = CheckFalse();
    if (const auto& e = d->Events.OnGetCheckFalse)
        e(this, ACol, ARow, Value);
}

void TFxStringGrid::DoGetFormat(int ACol, TSortStyle& AStyle, QString& aPrefix, QString& aSuffix)
{
    if (const auto& e = d->Events.OnGetFormat)
        e(this, ACol, AStyle, aPrefix, aSuffix);
}

bool TFxStringGrid::DoGetColumnFilter(int Column)
{
    fw::TStringList& list = d->model.FilterList;
    list.Clear();
    if (FilterDropDownAuto() && (Column >= FixedCols() || FilterDropDownColumns() == fdAll)) {
        list.SetDuplicates(fw::TDuplicates::dupIgnore);
        list.SetSorted(true);
        // A value with a blank shows as itself and filters on its quoted form.
        const auto add = [&list](const QString& text) {
            if (text.contains(QLatin1Char(' ')))
                list.Add(text + QLatin1Char('=') + QLatin1Char('"') + text + QLatin1Char('"'));
            else
                list.Add(text);
        };
        for (int r = FixedRows(); r <= RowCount() - FixedFooters() - 1; ++r)
            add(fw::Trim(Cells(Column, r)));
        if (!FilterIncremental())
            for (int i = 0; i < d->model.HiddenRows.Count(); ++i)
                add(fw::Trim(d->model.HiddenRows.Item(i).Text(Column)));
        list.SetSorted(false);
        if (!FilterDropDownClear().isEmpty())
            list.Insert(0, FilterDropDownClear());
    }
    if (const auto& e = d->Events.OnGetColumnFilter)
        e(this, Column, list);
    return list.Count() > 0;
}

void TFxStringGrid::AfterCellTextSet(int ACol, int ARow)
{
    if (!HasAutoRangeScrollBar(ACol, ARow))
        return;
    const fw::TSize size = GetCellTextSize(ACol, ARow, true, true);
    SetScrollProp(ACol, ARow, TScrollProp{RowHeights(ARow), size.cy});
}

void TFxStringGrid::CalcSizingState(int X, int Y, fw::TGridState& State, int& Index, int& SizingPos,
                                    int& SizingOfs)
{
    TBaseGrid::CalcSizingState(X, Y, State, Index, SizingPos, SizingOfs);
    int c = -1, r = -1;
    MouseToCell(X - 6, Y, c, r);
    if (r >= 0 && r < TBaseGrid::FixedRows() && c >= 0)
        if (const auto& e = d->Events.OnColumnSize) {
            bool allow = true;
            e(this, c, allow);
            if (!allow)
                State = fw::gsNormal;
        }
    MouseToCell(X, Y - 6, c, r);
    if (c >= 0 && c < TBaseGrid::FixedCols())
        if (const auto& e = d->Events.OnRowSize) {
            bool allow = true;
            e(this, r, allow);
            if (!allow)
                State = fw::gsNormal;
        }
}

// ---------------------------------------------------------------- notification hooks

void TFxStringGrid::DoSearchFooterAction(const QString& Value, int ACol, int ARow, TSearchAction SearchAction)
{
    if (const auto& e = d->Events.OnSearchFooterAction)
        e(this, Value, ACol, ARow, SearchAction);
}

void TFxStringGrid::DoButtonClick(int ACol, int ARow)
{
    if (const auto& e = d->Events.OnButtonClick)
        e(this, ACol, ARow);
}

void TFxStringGrid::DoExpandClick(int ACol, int ARow, bool Expanded)
{
    if (const auto& e = d->Events.OnExpandClick)
        e(this, ACol, ARow, Expanded);
    SetRowHeights(ARow, GetExpandHeight(ACol, ARow, Expanded));
}

void TFxStringGrid::DoComboCloseUp(int ARow, int ACol)
{
    if (const auto& e = d->Events.OnComboCloseUp)
        e(this, ARow, ACol);
}

void TFxStringGrid::DoComboDropDown(int ARow, int ACol)
{
    if (const auto& e = d->Events.OnComboDropDown)
        e(this, ARow, ACol);
}
