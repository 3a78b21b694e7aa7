// Button up and double click: the end of what a press started, OnClick for
// fixed cells, check-box release events, and the auto-size double click on
// a header border.
#include "grid/model/FxGrid.h"
#include "grid/interact/FxGridFixedEditors.h"
#include "grid/interact/FxGridInteract_p.h"
#include "grid/exchange/FxGridDragDrop.h"

#include "grid/foundation/FxOptions.h"
#include "grid/model/FxFilterLists.h"
#include "grid/model/FxGrouping.h"
#include "grid/model/FxSortSettings.h"
#include "grid/paint/FxControlLook.h"
#include "framework/Input.h"

#include <QPointer>

using namespace fw;

void TFxStringGrid::HandleWmLButtonUp(TMessage& m)
{
    TFxGridInteractState& s = InteractState();
    QPointer<TFxStringGrid> self(this);
    // The press a refused value held back is over with its release.
    struct EndHold {
        QPointer<TFxStringGrid>& g;
        ~EndHold()
        {
            if (g)
                g->InteractState().HoldCell = false;
        }
    } endHold{self};
    const int x = GetXLParam(m.LParam), y = GetYLParam(m.LParam);
    s.ColMoveFlg = s.ColSizeFlg = s.MouseDown = s.MouseKeepDown = false;
    s.MouseSelectMode = msNormal;
    s.MouseDownMove = false;
    TPaintFeedback& fb = PaintFeedback();
    fb.FixedButtonDown = false;
    // The hovered header cell drops its pressed look.
    if (fb.HoverFixed.X >= 0 && fb.HoverFixed.Y >= 0 && fb.HoverFixed.X < ColCount() && fb.HoverFixed.Y < RowCount())
        RepaintCell(fb.HoverFixed.X, fb.HoverFixed.Y);
    if (Look() == glListView) {
        RepaintRow(0);
        if (FixedCols() > 0)
            RepaintCol(0);
    }
    s.MouseSelectStart = -1;
    int acol = -1, arow = -1;
    MouseToCell(x, y, acol, arow);
    // The release of a pushed cell or expand button: a click when it lies on it.
    if (s.PushedCellButton.X >= 0 && s.PushedCellButton.Y >= 0) {
        const TGridCoord pushed = s.PushedCellButton;
        s.PushedCellButton = {-1, -1};
        s.DoOnClick = false;
        const int realCol = RealColIndex(pushed.X);
        PushButton(pushed.X, pushed.Y, false);
        const bool fixed = pushed.X < FixedCols() || pushed.Y < FixedRows();
        // A read-only cell's button shows disabled and clicks nothing.
        bool enabled = Options() & goEditing;
        if (acol >= 0 && arow >= 0 && !ControlLook().NoDisabledButtonLook())
            enabled = CanEditBaseCell(realCol, pushed.Y);
        const bool onButton =
            HasButton(realCol, pushed.Y) && CellButtonRect(pushed.X, pushed.Y).Contains(TPoint(x, y));
        const bool onExpand =
            HasExpand(realCol, pushed.Y) && ExpandButtonRect(realCol, pushed.Y).Contains(TPoint(x, y));
        if (enabled || ControlLook().NoDisabledButtonLook() || fixed) {
            if (onButton)
                DoButtonClick(realCol, pushed.Y);
            else if (onExpand)
                DoExpandClick(realCol, pushed.Y, ToggleExpand(realCol, pushed.Y));
        }
        if (onButton || onExpand)
            return;
    }
    ReleaseHint();
    const bool overSplit = arow >= 0 && arow < FixedRows() && (Options() & goColSizing) &&
                           (GridState() == gsColSizing);
    if (OnClick && s.DoOnClick && !overSplit && acol >= 0 && arow >= 0 &&
        (acol < FixedCols() || arow < FixedRows()) && GridState() == gsNormal)
        OnClick(this);
    s.DoOnClick = false;
    if (s.MouseResize) {
        // The selected texts repeat over the selection the drag made.
        s.MouseResize = false;
        const TGridRect from = s.DropSelection;
        const TGridRect to = Selection();
        const int h = int(s.ResizeBlock.size());
        const int w = h > 0 ? int(s.ResizeBlock.front().size()) : 0;
        if (w > 0) {
            BeginUpdate();
            for (int r = to.Top; r <= to.Bottom; ++r)
                for (int c = to.Left; c <= to.Right; ++c)
                    SetCells(RealColIndex(c), r, s.ResizeBlock[std::size_t((r - from.Top) % h)][(c - from.Left) % w]);
            EndUpdate();
            DoCellsChanged(TRect(RealColIndex(to.Left), to.Top, RealColIndex(to.Right), to.Bottom));
        }
        s.ResizeBlock.clear();
        return;
    }
    // A press on the selection that never became a drag: the release selects
    // the cell (or its row), or flips the row's flag in a disjunct row grid.
    if (s.SelectionClick) {
        s.SelectionClick = false;
        if (acol >= FixedCols() && arow >= FixedRows()) {
            const TMouseActions& ma = MouseActions();
            const TShiftState shift = KeyboardStateToShiftState();
            if (ma.DisjunctRowSelect() && DragDropSettings().OleDropSource()) {
                if (shift.Contains(ssCtrl) || ma.DisjunctRowSelectNoCtrl()) {
                    const int r = ma.RowSelectPersistent() ? RealRowIndex(arow) : arow;
                    SetRowSelect(r, !RowSelect(r));
                    if (OnMouseUp)
                        OnMouseUp(this, mbLeft, TShiftState(ssCtrl), x, y);
                    return;
                }
                ClearRowSelect();
            }
            if (Options() & goRowSelect)
                SetSelection({FixedCols(), arow, ColCount() - 1, arow});
            else
                SetSelection({acol, arow, acol, arow});
        }
    }
    TBaseGrid::WndProc(m);
    if (!self)
        return;
    // A click on an open group's header row selects the whole group.
    if (acol > 0 && arow >= FixedRows() && IsNode(arow) && Grouping().AutoSelectGroup() && !GetNodeState(arow)) {
        const int last = std::min(arow + GetNodeSpan(arow) - 1, RowCount() - 1);
        if (MouseActions().DisjunctRowSelect()) {
            for (int r = arow + 1; r <= last; ++r)
                SetRowSelect(r, true);
        } else {
            SetSelection({FixedCols(), arow, ColCount() - 1, std::max(arow, last)});
        }
    }
    if (s.ColMoveFlg || s.ColSizeFlg || acol < 0 || arow < 0 || (acol < FixedCols() && !SortSettings().FixedCols()))
        return;
    const int realCol = RealColIndex(acol);
    if (HasCheckBox(realCol, arow))
        if (const auto& e = Events().OnCheckBoxMouseUp) {
            bool state = false;
            GetCheckBoxState(realCol, RealRowIndex(arow), state);
            e(this, realCol, arow, state);
        }
    if (!self)
        return;
    if (s.DblClk) {
        s.DblClk = false;
        return;
    }
    HeaderSortClick(acol, arow, x, y, KeysToShiftState(m.WParam));
}

void TFxStringGrid::HeaderSortClick(int ACol, int ARow, int X, int Y, TShiftState Shift)
{
    const TFxGridInteractState& s = InteractState();
    TSortSettings& ss = SortSettings();
    const int realCol = RealColIndex(ACol);
    const TRect r = CellRect(ACol, ARow);
    // A release on a header border sizes the column.
    if (ARow == 0 && (Options() & goColSizing) && (std::abs(X - r.Left) <= 3 || std::abs(X - r.Right) <= 3))
        return;
    // The drop-down and filter buttons sit at the right of the header.
    if (X > r.Right - 16) {
        if (ControlLook().FixedDropDownButton() && DoCanShowFixedDropDown(realCol))
            return;
        if (DoGetColumnFilter(realCol))
            return;
    }
    int pressCol = -1, pressRow = -1;
    MouseToCell(s.Clickposx, s.Clickposy, pressCol, pressRow);
    if (ARow != ss.Row() || pressRow != ss.Row() || FixedRows() == 0 || !ss.Show() || RowCount() <= 2 ||
        IsInCheckBox(realCol, ARow, X, Y))
        return;
    bool doSort = !IsIgnoredColumn(realCol);
    if (const auto& e = Events().OnCanSort)
        e(this, realCol, doSort);
    if (!doSort) {
        RepaintCell(ACol, ss.Row());
        return;
    }
    const bool addKey = ss.IndexSortKey() == ikShift ? Shift.Contains(ssShift) : Shift.Contains(ssCtrl);
    HeaderClickSort(realCol, addKey);
}

void TFxStringGrid::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    const TGridRect before = Selection();
    // A sizing drag released outside the grid is cancelled.
    if ((GridState() == gsColSizing && X > width()) || (GridState() == gsRowSizing && Y > height())) {
        Perform(WM_CANCELMODE);
        return;
    }
    TBaseGrid::MouseUp(Button, Shift, X, Y);
    // A release on a column's filter glyph opens its drop-down; any other
    // release closes the plain list.
    int acol = -1, arow = -1;
    MouseToCell(X, Y, acol, arow);
    bool opened = false;
    if (acol >= 0 && arow >= 0 && arow == FilterDropDownRow() && arow < FixedRows() &&
        RealColIndex(acol) != FilterColumn()) {
        const TRect r = CellRect(acol, arow);
        if (X > r.Right - 16 && X < r.Right - 3 && Y < r.Top + 19)
            opened = ShowFilterDropDown(RealColIndex(acol), r);
    }
    if (!opened && FilterColumn() >= 0 && !FilterDropDownCheck()) {
        DropList().hide();
        SetFilterColumn(-1);
    }
    const TGridRect now = Selection();
    if (!(now == before))
        DoSelectionChanged(now.Left, now.Top, now.Right, now.Bottom);
}

void TFxStringGrid::HandleWmLButtonDblClk(TMessage& m)
{
    TFxGridInteractState& s = InteractState();
    QPointer<TFxStringGrid> self(this);
    const int x = GetXLParam(m.LParam), y = GetYLParam(m.LParam);
    int acol = -1, arow = -1;
    MouseToCell(x, y, acol, arow);
    if (MouseActions().RangeSelectAndEdit() && acol >= 0 && arow >= 0 && !IsClickableCell(RealColIndex(acol), arow))
        s.ForceSel = true;
    if (acol < 0) {
        if (FixedRowAlways()) {
            s.ForceSel = false;
            TBaseGrid::WndProc(m);
            return;
        }
        acol = ColCount() - 1;
        arow = 0;
    }
    if (arow >= 0 && arow < FixedRows() && (Options() & goColSizing) && MouseActions().AutoSizeColOnDblClick()) {
        const TRect r = CellRect(acol, arow);
        auto autoSize = [&](int col) {
            s.DblClk = true;
            bool allow = true;
            if (const auto& e = Events().OnColumnSize)
                e(this, col, allow);
            if (allow) {
                AutoSizeCol(col, 0);
                if (const auto& e = Events().OnEndColumnSize)
                    e(this, col);
            }
            s.ForceSel = false;
            TBaseGrid::WndProc(m);
        };
        // The border is the pixel after the cell and the line beside it.
        if (std::abs(x - r.Left) <= 3 && acol - 1 >= FixedCols()) {
            autoSize(acol - 1);
            return;
        }
        if (std::abs(x - r.Right) <= 3 && acol >= FixedCols()) {
            autoSize(acol);
            return;
        }
    }
    if (arow >= 0 && IsClickableCell(RealColIndex(acol), arow)) {
        s.ForceSel = false;
        TBaseGrid::WndProc(m);
        return;
    }
    TBaseGrid::WndProc(m);
    if (!self)
        return;
    MouseToCell(x, y, acol, arow);
    if (const auto& e = Events().OnDblClickCell)
        e(this, arow, acol);
    if (!self)
        return;
    if (MouseActions().EditOnDblClickOnly() && acol >= 0 && arow >= 0) {
        const bool range = MouseActions().RangeSelectAndEdit();
        MouseActions().SetRangeSelectAndEdit(true);
        if (IsEditable(RealColIndex(acol), arow)) {
            SetOptions(Options() | goEditing);
            StoreOldValue(acol, arow);
            ShowInplaceEdit();
        }
        MouseActions().SetRangeSelectAndEdit(range);
    } else if (MouseActions().RangeSelectAndEdit() && acol >= 0 && arow >= 0 && !EditMode()) {
        // A double click edits where a click selects: the cell is pressed
        // again with editing on.
        const TPoint b = BaseCell(RealColIndex(acol), arow);
        if (IsEditable(b.X, b.Y)) {
            SetOptions(Options() | goEditing);
            const TRect r = CellRect(DisplColIndex(b.X), b.Y);
            MouseDown(mbLeft, TShiftState(), r.Left + 4, r.Top + 4);
            if (!self)
                return;
        }
    }
    s.ForceSel = false;
    FxFixedCellEdit::OnPress(*this, x, y, false, true);
}
