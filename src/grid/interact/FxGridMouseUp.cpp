// Button up and double click: the end of what a press started, OnClick for
// fixed cells, check-box release events, and the auto-size double click on
// a header border.
#include "grid/model/FxGrid.h"
#include "grid/interact/FxGridInteract_p.h"

#include "grid/foundation/FxOptions.h"

#include <QPointer>

using namespace fw;

void TFxStringGrid::HandleWmLButtonUp(TMessage& m)
{
    TFxGridInteractState& s = InteractState();
    QPointer<TFxStringGrid> self(this);
    const int x = GetXLParam(m.LParam), y = GetYLParam(m.LParam);
    s.ColMoveFlg = s.ColSizeFlg = s.MouseDown = s.MouseKeepDown = false;
    s.MouseSelectMode = msNormal;
    s.MouseDownMove = false;
    s.MouseSelectStart = -1;
    int acol = -1, arow = -1;
    MouseToCell(x, y, acol, arow);
    ReleaseHint();
    const bool overSplit = arow >= 0 && arow < FixedRows() && (Options() & goColSizing) &&
                           (GridState() == gsColSizing);
    if (OnClick && s.DoOnClick && !overSplit && acol >= 0 && arow >= 0 &&
        (acol < FixedCols() || arow < FixedRows()) && GridState() == gsNormal)
        OnClick(this);
    s.DoOnClick = false;
    TBaseGrid::WndProc(m);
    if (!self)
        return;
    if (s.ColMoveFlg || s.ColSizeFlg || acol < 0 || arow < 0 || acol < FixedCols())
        return;
    const int realCol = RealColIndex(acol);
    if (HasCheckBox(realCol, arow))
        if (const auto& e = Events().OnCheckBoxMouseUp) {
            bool state = false;
            GetCheckBoxState(realCol, RealRowIndex(arow), state);
            e(this, realCol, arow, state);
        }
    if (s.DblClk)
        s.DblClk = false;
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
    }
    s.ForceSel = false;
}
