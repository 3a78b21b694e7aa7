// The left-button press: hit tests against the in-cell targets in a fixed
// order, the state that mouse move and button up continue from, and the
// framework's MouseDown hook.
#include "grid/model/FxGrid.h"
#include "grid/interact/FxGridFixedEditors.h"
#include "grid/interact/FxGridInteract_p.h"
#include "grid/exchange/FxGridDragDrop.h"

#include "grid/foundation/FxOptions.h"
#include "grid/model/FxCellNode.h"
#include "grid/foundation/GridPaintServices.h"
#include "grid/paint/FxControlLook.h"

#include <QMenu>
#include <QPointer>

using namespace fw;

namespace {

// A press at X in column 0 of a node row lies on the node's glyph.
bool NodeGlyphHit(TFxStringGrid& g, int ARow, const TRect& CellR, int X)
{
    if (!g.MouseActions().PreciseNodeClick())
        return true;
    // Where the glyph is drawn: half an indent left of the row's indent.
    const int indent = g.CellNode().NodeIndent();
    const int level = g.CellPropertiesAssigned(0, ARow) ? g.GridObjects(0, ARow)->NodeLevel() : 0;
    const int left = CellR.Left + level * indent - indent / 2 - 4;
    return X >= left - 2 && X <= left + 14;
}

// A fixed cell that takes the hover look, and so may show a drop-down button.
bool IsHoverFixedCell(const TFxStringGrid& g, int ACol, int ARow)
{
    if (ACol < 0 || ARow < 0)
        return false;
    switch (g.HoverFixedCells()) {
    case hfAll: return ACol < g.FixedCols() || ARow < g.FixedRows();
    case hfFixedRows: return ARow < g.FixedRows();
    case hfFixedColumns: return ACol < g.FixedCols();
    default: return false;
    }
}

} // namespace

void TFxStringGrid::SelectAllByClick(TGridRect&) {}


void TFxStringGrid::HandleWmLButtonDown(TMessage& m)
{
    TFxGridInteractState& s = InteractState();
    TMouseActions& ma = MouseActions();
    QPointer<TFxStringGrid> self(this);
    const int x = GetXLParam(m.LParam), y = GetYLParam(m.LParam);
    if (FxFixedCellEdit::HoldsThePress(*this)) {
        m.Result = 1;
        return;
    }
    // Header looks draw the hot header cell pressed while the button is held.
    TPaintFeedback& fb = PaintFeedback();
    fb.FixedButtonDown = true;
    if (Look() == glListView && fb.HotFixed.X >= 0 && fb.HotFixed.Y >= 0 &&
        (fb.HotFixed.X < FixedCols() || fb.HotFixed.Y < FixedRows()))
        RepaintCell(fb.HotFixed.X, fb.HotFixed.Y);
    if (fb.HoverFixed.X >= 0 && fb.HoverFixed.Y >= 0 && fb.HoverFixed.X < ColCount() && fb.HoverFixed.Y < RowCount())
        RepaintCell(fb.HoverFixed.X, fb.HoverFixed.Y);
    s.DoOnClick = s.MouseDownMove = s.MouseKeepDown = true;
    s.SpinUpClick = s.SpinDnClick = false;
    int acol = -1, arow = -1;
    MouseToCell(x, y, acol, arow);
    // The resizer handle at the selection's bottom-right corner: the drag
    // that follows fills a larger selection with the selected texts.
    if (SelectionResizer() && SelectionRectangle()) {
        const TGridRect sel = Selection();
        const TRect last = CellRect(sel.Right, sel.Bottom);
        const TRect handle(isRightToLeft() ? last.Left : last.Right - 6, last.Bottom - 6,
                           isRightToLeft() ? last.Left + 6 : last.Right, last.Bottom);
        if (handle.Contains(TPoint(x, y))) {
            HideInplaceEdit();
            s.MouseResize = true;
            s.DropSelection = sel;
            s.ResizeBlock.clear();
            for (int r = sel.Top; r <= sel.Bottom; ++r) {
                QStringList row;
                for (int c = sel.Left; c <= sel.Right; ++c)
                    row << GetCellEx(RealColIndex(c), r);
                s.ResizeBlock.push_back(row);
            }
            s.MouseSelectMode = msResize;
            m.Result = 1;
            return;
        }
    }
    if ((Options() & goEditing) && ma.RangeSelectAndEdit() && !Selection().Contains(acol, arow))
        SetOptions(Options() & ~TGridOptions(goEditing));
    bool allow = true;
    if (const auto& e = Events().OnCanClickCell)
        e(this, arow, acol, allow);
    if (!allow)
        return;
    if (CellSelectorMode())
        return;
    s.SearchInc.clear();
    s.MoveColInd = s.MoveRowInd = -1;
    s.PushedCellButton = {-1, -1};
    s.OldTopRow = TopRow();
    s.OldKeepLeftCol = LeftCol();
    // The cell whose border a sizing drag would move.
    int rc = -1, rr = -1;
    if (arow == 0)
        MouseToCell(x - 5, y, rc, rr);
    else if (acol == 0)
        MouseToCell(x, y - 4, rc, rr);
    else
        MouseToCell(x - 5, y - 4, rc, rr);
    s.Colclicked = rc;
    s.Rowclicked = rr;
    if (rc >= 0 && rr >= 0) {
        s.Colclickedsize = ColWidths(rc);
        s.Rowclickedsize = RowHeights(rr);
    }
    s.Clickposx = x;
    s.Clickposy = y;
    if (acol < 0 || arow < 0) {
        HideInplaceEdit();
        if (!FixedRowAlways())
            TBaseGrid::WndProc(m);
        return;
    }
    const bool inFixed = acol < FixedCols() || arow < FixedRows();
    const TPoint b = BaseCell(RealColIndex(acol), arow);
    acol = DisplColIndex(b.X);
    arow = b.Y;
    const TRect cr = CellRect(acol, arow);
    if (ma.CaretPositioning())
        s.LButFlg = true;
    const bool fixedCell = IsFixed(acol, arow);
    if (inFixed || fixedCell)
        HideInplaceEdit();
    const bool customFixed = fixedCell && !inFixed;
    if (rc >= 0 && rr >= 0) {
        const TRect ref = CellRect(rc, rr);
        s.Clickposdx = s.Clickposx - ref.Right;
        s.Clickposdy = s.Clickposy - ref.Bottom;
    } else {
        s.Clickposdx = s.Clickposdy = 0;
    }
    // Radio groups and the form controls of HTML cells (FxGridControlEditors.cpp).
    if (HandleControlPress(acol, arow, x, y))
        return;
    const int pressCol = RealColIndex(acol);
    // The spin buttons drawn in the cell: the spin editor that opens steps once.
    if (!inFixed && ControlLook().SpinButtonsAlwaysVisible() && x > cr.Right - 18 && HasSpinEdit(pressCol, arow)) {
        if (y > (cr.Top + cr.Bottom) / 2)
            s.SpinDnClick = true;
        else
            s.SpinUpClick = true;
    }
    // A header node's glyph opens or closes every node.
    if (arow < FixedRows() && acol == 0 && IsNode(arow) && ma.NodeAllExpandContract() &&
        NodeGlyphHit(*this, arow, cr, x)) {
        const bool contracted = GetNodeState(arow);
        if (contracted)
            ExpandAll();
        else
            ContractAll();
        SetNodeState(arow, !contracted);
    }
    // A node's glyph opens or closes the node, when the events allow it.
    if (arow >= FixedRows() && acol == 0 && IsNode(arow) && NodeGlyphHit(*this, arow, cr, x)) {
        if (OnMouseDown)
            OnMouseDown(this, mbLeft, KeyboardStateToShiftState(), x, y);
        if (!self)
            return;
        if (const auto& e = Events().OnClickCell)
            e(this, arow, acol);
        if (!self)
            return;
        const int realRow = RealRowIndex(arow);
        const bool contracted = GetNodeState(arow);
        bool allow = true;
        const TFxGridEvents& ev = Events();
        if (const auto& e = contracted ? ev.OnBeforeExpandNode : ev.OnBeforeContractNode)
            e(this, arow, realRow, allow);
        if (!self)
            return;
        if (allow) {
            if (contracted)
                ExpandNode(realRow);
            else
                ContractNode(realRow);
            if (const auto& e = contracted ? ev.OnExpandNode : ev.OnContractNode)
                e(this, arow, realRow);
            if (!self)
                return;
        }
        if (ma.MoveRowOnNodeClick())
            SetRow(arow);
        return;
    }
    // Column 0 of a node grid never becomes current.
    if (arow >= FixedRows() && acol == 0 && HasNodes() && !ma.RowSelect() && !(Options() & goRowSizing)) {
        if (OnMouseDown)
            OnMouseDown(this, mbLeft, KeyboardStateToShiftState(), x, y);
        if (!self)
            return;
        if (const auto& e = Events().OnClickCell)
            e(this, arow, acol);
        return;
    }
    // A press on the selection may become a drag of it: the selection stays
    // until the move starts the drag or the release selects the cell.
    {
        const bool fixedRow = arow < FixedRows();
        const bool onSelection = IsSelected(acol, arow) || (fixedRow && !EnhRowColMove());
        const bool nearSizingEdge = (Options() & goColSizing) && (x - cr.Left < 4 || cr.Right - x < 4);
        if (onSelection && !(Options() & goEditing) && !HasButton(pressCol, arow) && !HasCheckBox(pressCol, arow) &&
            DragDropSettings().OleDropSource() && !(fixedRow && (ma.ColSelect() || ma.AllSelect())) &&
            acol >= FixedCols() && !nearSizingEdge) {
            SetFocus();
            if (OnMouseDown)
                OnMouseDown(this, mbLeft, KeyboardStateToShiftState(), x, y);
            if (!self)
                return;
            s.SelectionClick = true;
            if (const auto& e = Events().OnClickCell)
                e(this, arow, acol);
            return;
        }
    }
    // A cell button or expand button is pushed by the press; the release on
    // it clicks it.
    if (HasButton(pressCol, arow) || HasExpand(pressCol, arow)) {
        HideInplaceEdit();
        if (!inFixed && !fixedCell && !(Col() == acol && Row() == arow)) {
            s.ForceSel = true;
            MoveColRow(acol, arow, true, true);
            s.ForceSel = false;
        }
        const TRect br = HasButton(pressCol, arow) ? CellButtonRect(acol, arow) : ExpandButtonRect(pressCol, arow);
        if (br.Contains(TPoint(x, y))) {
            if (HasButton(pressCol, arow))
                PushButton(acol, arow, true);
            s.PushedCellButton = {acol, arow};
            if (const auto& e = Events().OnClickCell)
                e(this, arow, acol);
            return;
        }
    }
    if (!inFixed && HandleAnchorPress(acol, arow, x, y))
        return;
    // The headers select: the corner all cells, a row header its rows, a
    // column header its columns (with Shift from the previous selection).
    {
        TGridState edge = gsNormal;
        int index = -1, pos = 0, ofs = 0;
        CalcSizingState(x, y, edge, index, pos, ofs);
        s.MouseSelectMode = FxMouseSelectModeAt(*this, x, y, edge != gsNormal);
    }
    const bool shiftDown = IsKeyDown(VK_SHIFT);
    const TGridRect oldSel = Selection();
    auto selectBy = [&](TGridRect r) {
        SetFocus();
        if (SelectionHidden())
            UnHideSelection();
        SetSelection(r);
    };
    if (s.MouseSelectMode == msAll && (Options() & goRangeSelect)) {
        TGridRect all{FixedCols(), FixedRows(), ColCount() - 1, RowCount() - 1};
        SelectAllByClick(all);
        selectBy(all);
    } else if (s.MouseSelectMode == msRow) {
        const int from = shiftDown ? oldSel.Top : arow;
        selectBy({FixedCols(), std::min(from, arow), ColCount() - 1, std::max(from, arow)});
        s.MouseSelectStart = from;
    } else if (s.MouseSelectMode == msColumn && (Options() & goRangeSelect)) {
        const int from = shiftDown ? (acol < oldSel.Left ? oldSel.Right : oldSel.Left) : acol;
        selectBy({std::min(from, acol), FixedRows(), std::max(from, acol), RowCount() - 1});
        s.MouseSelectStart = from;
    }
    s.Movecell = -1;
    if (arow < FixedRows() && acol >= FixedCols())
        s.Movecell = acol;
    else if (acol < FixedCols() && arow >= FixedRows())
        s.Movecell = arow;
    s.MoveOfsX = x - cr.Left;
    s.MoveOfsY = y - cr.Top;
    const int realCol = RealColIndex(acol);
    bool canEdit = (Options() & goEditing) || ma.RangeSelectAndEdit();
    CanEditCell(realCol, arow, canEdit);

    // A check box or radio button in the cell: the press operates it.
    if ((canEdit || ControlLook().CheckAlwaysActive()) && (HasCheckBox(realCol, arow) || HasRadioButton(realCol, arow)) &&
        IsInCheckBox(realCol, arow, x, y)) {
        HideInplaceEdit();
        SetFocus();
        if (HasRadioButton(realCol, arow)) {
            ToggleRadioButton(realCol, arow, false);
            if (const auto& e = Events().OnRadioButtonClick)
                e(this, realCol, arow);
        } else {
            ToggleCheckBox(realCol, arow, false);
        }
        if (ShowModified().Enabled()) {
            SetRowModified(arow, true);
            RepaintCell(0, arow);
        }
        bool state = false;
        GetCheckBoxState(realCol, RealRowIndex(arow), state);
        if (!Navigation().AlwaysEdit() && !inFixed && !customFixed) {
            s.ForceSel = true;
            MoveColRow(acol, arow, true, true);
            s.ForceSel = false;
        }
        // The check box event names the column as the grid shows it.
        DoCheckBoxClick(acol, arow, state);
        if (!self)
            return;
        if (OnMouseDown)
            OnMouseDown(this, mbLeft, KeyboardStateToShiftState(), x, y);
        Click();
        return;
    }
    // A combo cell whose drop button always shows edits directly on a press,
    // as DirectEdit makes every cell do: the open editor of the cell being
    // left ends first.
    const bool isCombo = !inFixed && !customFixed && ControlLook().DropDownAlwaysVisible() && HasComboBox(realCol, arow);
    const bool directEdit = ma.DirectEdit() || isCombo;
    if (!inFixed && !customFixed && (canEdit || (ma.EditOnDblClickOnly() && isCombo)) && directEdit) {
        HideInplaceEdit();
        if (!self)
            return;
        // A refused value keeps its editor and the grid on its cell.
        if (EditMode())
            return;
        SetFocus();
    }
    if (customFixed) {
        if (const auto& e = Events().OnClickCell)
            e(this, arow, acol);
        return;
    }
    const bool sameSel = cr.Contains(TPoint(x, y)) && Selection() == TGridRect{acol, arow, acol, arow};
    if (!SelectionHidden()) {
        const bool alwaysEdit = Navigation().AlwaysEdit();
        Navigation().SetAlwaysEdit(false);
        TBaseGrid::WndProc(m);
        if (!self)
            return;
        Navigation().SetAlwaysEdit(alwaysEdit);
    }
    // A press on a header border starts sizing and is no click.
    const bool nearBorder = arow < FixedRows() && (Options() & goColSizing) &&
                            (x - cr.Left < 4 || cr.Right - x <= 4);
    if (!nearBorder)
        if (const auto& e = Events().OnClickCell)
            e(this, arow, acol);
    if (!self)
        return;
    if (Events().OnCellValidate) {
        s.Entered = false;
        StoreOldValue(Col(), Row());
    }
    const bool notFixed = !inFixed;
    if (notFixed && IsMergedCell(realCol, arow) && (sameSel || ma.DirectEdit()) && canEdit)
        ShowInplaceEdit();
    else if (notFixed && (canEdit || (ma.EditOnDblClickOnly() && isCombo)) && directEdit && x - cr.Left >= 4 &&
             cr.Right - x >= 4 && !IsClickableCell(realCol, arow) && Col() == acol && Row() == arow) {
        if (ma.EditOnDblClickOnly() && isCombo) {
            SetOptions(Options() | goEditing);
            SetFocus();
        }
        ShowInplaceEdit();
    }
}

void TFxStringGrid::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    TFxGridInteractState& s = InteractState();
    TMouseActions& ma = MouseActions();
    if (ma.RangeSelectAndEdit() && Button == mbLeft && !ma.EditOnDblClickOnly()) {
        int c = -1, r = -1;
        MouseToCell(X, Y, c, r);
        if (c == Col() && r == Row() && !(Options() & goEditing) && IsEditable(RealCol(), Row())) {
            SetOptions(Options() | goEditing);
            TBaseGrid::MouseDown(Button, Shift, X, Y);
            ShowInplaceEdit();
            return;
        }
        if (Shift.Contains(ssShift) && (Options() & goEditing) && !(c == Col() && r == Row())) {
            SetOptions(Options() & ~TGridOptions(goEditing));
            TBaseGrid::MouseDown(Button, Shift, X, Y);
            return;
        }
    }
    // A press on a fixed cell's drop-down button pops up the menu the
    // application gives for it; nothing else happens.
    if (Button == mbLeft && ControlLook().FixedDropDownButton()) {
        int c = -1, r = -1;
        MouseToCell(X, Y, c, r);
        const TRect R = c >= 0 && r >= 0 ? CellRect(c, r) : TRect();
        const int right = (Options() & goColSizing) ? R.Right - 2 : R.Right;
        if (IsHoverFixedCell(*this, c, r) && X > R.Right - 16 && X < right && DoCanShowFixedDropDown(RealColIndex(c))) {
            const auto& e = Events().OnFixedDropDownClick;
            if (!e)
                return;
            s.NoMouseLeave = true;
            QMenu* menu = nullptr;
            bool keep = false;
            QPointer<TFxStringGrid> self(this);
            e(this, c, r, menu, keep);
            if (!self)
                return;
            TPaintFeedback& fb = PaintFeedback();
            if (menu) {
                s.MouseDownMove = false;
                fb.HoverFixed = {c, r};
                fb.FixedDropDownOpen = true;
                RepaintCell(c, r);
                // The cell keeps its pressed look while the menu is open.
                QObject::connect(menu, &QMenu::aboutToHide, this, [self, c, r, keep] {
                    if (!self)
                        return;
                    TPaintFeedback& f = self->PaintFeedback();
                    f.FixedDropDownOpen = false;
                    if (!keep)
                        f.HoverFixed = {-1, -1};
                    if (c < self->ColCount() && r < self->RowCount())
                        self->RepaintCell(c, r);
                }, Qt::SingleShotConnection);
                menu->popup(viewport()->mapToGlobal(QPoint(R.Right - 16, R.Bottom)));
            }
            s.NoMouseLeave = keep;
            return;
        }
    }
    s.EditStart = true;
    struct Reset {
        bool& f;
        ~Reset() { f = false; }
    } reset{s.EditStart};
    TBaseGrid::MouseDown(Button, Shift, X, Y);
    if (FxFixedCellEdit::OnPress(*this, X, Y, Button == mbRight, false))
        return;
    if (TStringGrid* sync = SyncGrid().Grid()) {
        if (SyncGrid().SelectionColumn())
            sync->SetCol(std::min(Col(), sync->ColCount() - 1));
        if (SyncGrid().SelectionRow())
            sync->SetRow(std::min(Row(), sync->RowCount() - 1));
    }
}

void TFxStringGrid::HandleWmRButtonDown(TMessage& m)
{
    TBaseGrid::WndProc(m);
    const int x = GetXLParam(m.LParam), y = GetYLParam(m.LParam);
    int c = -1, r = -1;
    MouseToCell(x, y, c, r);
    if (c < 0 || r < 0)
        return;
    if (MouseActions().SelectOnRightClick() && c >= FixedCols() && r >= FixedRows() &&
        !IsClickableCell(RealColIndex(c), r))
        MoveColRow(c, r, true, true);
    if (const auto& e = Events().OnRightClickCell)
        e(this, r, c);
}
