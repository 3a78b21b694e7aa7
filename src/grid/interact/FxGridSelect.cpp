// The selection check that runs before any cell becomes current: editing
// switched on and off per target cell, the pending value of the cell being
// left validated, the changing events, merged blocks and node columns; and
// the edit-permission tests the other interaction files use.
#include "grid/model/FxGrid.h"
#include "grid/interact/FxGridInteract_p.h"
#include "grid/paint/FxFloatingFooter.h"
#include "grid/paint/FxSearchPanel.h"
#include "grid/interact/FxInplaceEdit.h"

#include "grid/foundation/FxOptions.h"
#include "grid/foundation/GridPaintServices.h"

#include <algorithm>

using namespace fw;

bool TFxStringGrid::SelectCell(int ACol, int ARow)
{
    return CanSelectCell(ACol, ARow);
}

bool TFxStringGrid::CanSelectCell(int ACol, int ARow)
{
    TFxGridInteractState& s = InteractState();
    if (s.ForceSel)
        return true;
    // A grid that is not placed anywhere yet only stores its position.
    if (!parentWidget() && !isVisible())
        return TBaseGrid::SelectCell(ACol, ARow);
    if (ACol < 0 || ARow < 0)
        return false;
    if (s.HoldCell && (ACol != Col() || ARow != Row()))
        return false;
    s.EditText = GetCellEx(RealColIndex(ACol), ARow);
    // A cell that would become current under the search bar scrolls up above it.
    if (SearchFooter().Visible() && ARow >= 0 && ARow <= RowCount() - 1) {
        const int limit = ClientHeight() - SearchPanel().PanelHeight() + 2;
        while (ACol >= 0 && CellRect(ACol, ARow).Bottom > limit && TopRow() < RowCount() - 1) {
            const int before = TopRow();
            SetTopRow(before + 1);
            if (TopRow() == before)
                break;
        }
    }
    // The floating footer lies over the grid's bottom too: the cell is
    // brought above it, and in the fixed-last-row style the last row is the
    // footer's own and never becomes current.
    if (FloatingFooter().Visible() && ARow < RowCount()) {
        const bool fixedLast = FloatingFooter().FooterStyle() == fsFixedLastRow;
        if (!fixedLast)
            FloatingFooter().Invalidate();
        if (ARow >= TopRow() + VisibleRowCount())
            SetTopRow(std::max(FixedRows(), ARow + FixedRows() - VisibleRowCount()));
        const int searchBar = SearchFooter().Visible() ? SearchPanel().PanelHeight() + 2 : 0;
        const int limit = ClientHeight() - FloatingFooter().Height() - searchBar + 2;
        const int lastRow = fixedLast ? RowCount() - 2 : RowCount() - 1;
        while (ACol >= 0 && ARow <= lastRow && CellRect(ACol, ARow).Bottom > limit && TopRow() < RowCount() - 1) {
            const int before = TopRow();
            SetTopRow(before + 1);
            if (TopRow() == before)
                break;
        }
        // A move onto the footer row (Ctrl+End, a page down) ends on the last
        // data row instead.
        if (fixedLast && ARow == RowCount() - 1) {
            const int dataRow = RowCount() - 2;
            if (dataRow >= FixedRows() && (dataRow != Row() || ACol != Col()))
                MoveColRow(ACol, dataRow, true, true);
            return false;
        }
    }
    const TGridOptions opts = Options();
    const int realTarget = RealColIndex(ACol);
    if (!(opts & goRangeSelect) && IsMergedNonBaseCell(realTarget, ARow)) {
        const TPoint b = BaseCell(realTarget, ARow);
        MoveColRow(DisplColIndex(b.X), b.Y, true, true);
        RepaintCell(DisplColIndex(b.X), b.Y);
        if (MouseActions().DirectEdit() || (ControlLook().DropDownAlwaysVisible() && HasComboBox(b.X, b.Y)))
            ShowInplaceEdit();
        return false;
    }
    if (ACol == 0 && HasNodes() && !(opts & goRowSelect))
        return false;
    if (Navigation().SkipDisabledRows() && !RowEnabled(ARow))
        return false;

    const int oldRow = Row();
    const int c = realTarget;
    QString t = GetCellEx(c, ARow);
    const bool f = s.NormalEdit && s.NormalEdit->hasFocus();
    auto endPendingEdit = [&] {
        if (s.Editing) {
            HideInplaceEdit();
            t = GetCellEx(c, ARow);
        }
    };
    if (IsClickableCell(c, ARow)) {
        bool e = true;
        CanEditCell(c, ARow, e);
        if (!s.EditDisable)
            s.EditDisable = !e && ((opts & goEditing) || MouseActions().RangeSelectAndEdit());
        if (!(opts & goEditing) && !(opts & goRowSelect) && e) {
            s.EditChangeOption = true;
            SetOptions(Options() | goEditing);
        }
    } else {
        bool e = (opts & goEditing) || s.EditDisable;
        CanEditCell(c, ARow, e);
        if (e && MouseActions().DirectEdit()) {
            s.CurrentEditor = DefaultEditor();
            if (IsNoEditorCell(c, ARow))
                e = false;
        }
        if (MouseActions().EditOnDblClickOnly())
            e = false;
        if (e) {
            s.EditDisable = false;
            if (!(Options() & goEditing)) {
                s.EditChangeOption = true;
                if (!s.Editing)
                    StoreOldValue(ACol, ARow);
                TGridOptions o = Options();
                if ((o & goRowSelect) && MouseActions().RangeSelectAndEdit())
                    o &= ~TGridOptions(goRowSelect);
                SetOptions(o | goEditing);
            }
            endPendingEdit();
        } else {
            endPendingEdit();
            if (Options() & goEditing) {
                s.EditMode = false;
                s.EditDisable = true;
                s.EditChangeOption = true;
                SetOptions(Options() & ~TGridOptions(goEditing));
                SetEditorMode(false);
            }
        }
    }

    bool result = false;
    bool allow = true;
    if (s.Editing && !f) {
        const QString v = s.CellCache;
        const bool valid = ValidateCell(CurrentCell());
        DoCellChanging(ACol, ARow, allow);
        // A refused value keeps the grid on the cell being left.
        result = valid && allow && TBaseGrid::SelectCell(ACol, ARow);
        if (!result)
            t = v;
    } else {
        DoCellChanging(ACol, ARow, allow);
        if (IsFixed(ACol, ARow) || !allow)
            result = (allow && (Options() & goRowSelect)) || (FixedRowAlways() && RowCount() == FixedRows());
        else
            result = TBaseGrid::SelectCell(ACol, ARow);
    }
    if (ITFxStringGridSelect* l = SelListener())
        l->SelectionChanged(Col(), ARow);
    if (ActiveCellShow())
        RepaintActiveHeaders(Col(), oldRow, ACol, ARow);
    if (SelectionRectangle())
        RepaintRect(Selection());
    s.CellCache = t;
    return result;
}

void TFxStringGrid::DoCellChanging(int ACol, int ARow, bool& Allow)
{
    TFxGridEvents& ev = Events();
    if (ARow != Row() && ev.OnRowChanging)
        ev.OnRowChanging(this, Row(), ARow, Allow);
    if (ACol != Col() && ev.OnColChanging)
        ev.OnColChanging(this, Col(), ACol, Allow);
    if (ACol == Col() && ARow == Row())
        return;
    if (!InteractState().DisableChange && ev.OnCellChanging)
        ev.OnCellChanging(this, Row(), Col(), ARow, ACol, Allow);
}

bool TFxStringGrid::IsEditable(int ACol, int ARow)
{
    if (!(Options() & goEditing) && !MouseActions().RangeSelectAndEdit() && !InteractState().EditDisable)
        return false;
    return CanEditBaseCell(ACol, ARow);
}

bool TFxStringGrid::CanEditBaseCell(int ACol, int ARow)
{
    const TPoint b = BaseCell(ACol, ARow);
    bool canEdit = true;
    CanEditCell(b.X, b.Y, canEdit);
    bool fixed = false;
    DoIsFixedCell(DisplColIndex(b.X), b.Y, fixed);
    return canEdit && !fixed;
}

bool TFxStringGrid::IsPasswordCell(int ACol, int ARow)
{
    bool pw = false;
    DoIsPasswordCell(ACol, ARow, pw);
    return pw;
}

void TFxStringGrid::Select()
{
    CanSelectCell(Col(), Row());
}

void TFxStringGrid::ClickSelectCell(int ACol, int ARow)
{
    TFxGridInteractState& s = InteractState();
    const TRect r = CellRect(ACol, ARow);
    const std::intptr_t pos = MakeLParam(r.Left + 2, r.Top + 2);
    auto down = std::move(OnMouseDown);
    auto up = std::move(OnMouseUp);
    OnMouseDown = nullptr;
    OnMouseUp = nullptr;
    s.ForceSel = true;
    struct Restore {
        TFxStringGrid* g;
        decltype(down)& d;
        decltype(up)& u;
        ~Restore()
        {
            g->OnMouseDown = std::move(d);
            g->OnMouseUp = std::move(u);
            g->InteractState().ForceSel = false;
        }
    } restore{this, down, up};
    TMessage press{WM_LBUTTONDOWN, MK_LBUTTON, pos, 0};
    TBaseGrid::WndProc(press);
    TMessage release{WM_LBUTTONUP, 0, pos, 0};
    TBaseGrid::WndProc(release);
}

void TFxStringGrid::ClearEditingOption()
{
    SetOptions(Options() & ~TGridOptions(goEditing));
}

void TFxStringGrid::DoCheckBoxClick(int ACol, int ARow, bool State)
{
    if (const auto& e = Events().OnCheckBoxClick)
        e(this, ACol, ARow, State);
}

void TFxStringGrid::DoClickSort(int ACol)
{
    if (const auto& e = Events().OnClickSort)
        e(this, ACol);
}
