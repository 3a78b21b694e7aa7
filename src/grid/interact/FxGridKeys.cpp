// The grid's WM_KEYDOWN and WM_GETDLGCODE: scroll-only keys, the Enter/F2
// editing rules, clickable cells operated by Space and Enter, Home/End
// modes, Tab, skipping fixed cells, append on Down, row insert and delete,
// Ctrl+A and the selection-changed notification.
#include "grid/model/FxGrid.h"
#include "grid/interact/FxGridInteract_p.h"

#include "framework/Forms.h"
#include "grid/foundation/FxOptions.h"
#include "grid/paint/FxFloatingFooter.h"
#include "grid/paint/FxSearchPanel.h"
#include "grid/foundation/GridPaintServices.h"

#include <QPointer>

#include <algorithm>

using namespace fw;

namespace {

// The row keys insert and delete among all rows: an active filter is
// switched off while they act (the current row kept on its real row) and
// on again after, with the view as it was.
class TRowFilterPause {
public:
    explicit TRowFilterPause(TFxStringGrid& grid)
        : FGrid(grid), FFiltered(grid.FilterActive()), FEntryRow(grid.Row()), FTop(grid.TopRow())
    {
        if (!FFiltered)
            return;
        const int real = grid.RealRowIndex(grid.Row());
        grid.SetFilterActive(false);
        FRow = grid.DisplRowIndex(real);
    }
    TRowFilterPause(const TRowFilterPause&) = delete;
    TRowFilterPause& operator=(const TRowFilterPause&) = delete;
    ~TRowFilterPause() { Resume(-1); }

    bool Filtered() const { return FFiltered; }
    // The current row among all rows.
    int Row() const { return FFiltered ? FRow : FGrid.Row(); }

    // The filter back on; the current row becomes the real row given when
    // the filter shows it, else the row at the entry position.
    void Resume(int realRow)
    {
        if (!FFiltered || FResumed)
            return;
        FResumed = true;
        FGrid.SetFilterActive(true);
        const int first = FGrid.FixedRows();
        const int last = FGrid.RowCount() - FGrid.FixedFooters() - 1;
        if (last < first)
            return;
        int row = FEntryRow;
        if (realRow >= 0 && !FGrid.IsHiddenRow(realRow))
            row = FGrid.DisplRowIndex(realRow);
        FGrid.SetTopRow(std::clamp(FTop, first, last));
        FGrid.SetRow(std::clamp(row, first, last));
    }

private:
    TFxStringGrid& FGrid;
    bool FFiltered;
    int FEntryRow;
    int FTop;
    int FRow = -1;
    bool FResumed = false;
};

} // namespace

void TFxStringGrid::HandleWmGetDlgCode(TMessage& m)
{
    TBaseGrid::WndProc(m);
    if (Navigation().AutoGotoWhenSorted() || !(Options() & goEditing))
        m.Result |= DLGC_WANTCHARS;
}

void TFxStringGrid::DoF2Key() {}

void TFxStringGrid::SelectAllByKey(const TGridRect&) {}

QString TFxStringGrid::SearchIncText() const
{
    return InteractState().SearchInc;
}

void TFxStringGrid::HandleWmKeyDown(TMessage& m)
{
    TFxGridInteractState& s = InteractState();
    TNavigation& nav = Navigation();
    TMouseActions& ma = MouseActions();
    QPointer<TFxStringGrid> self(this);
    int key = int(m.WParam & 0xFFFF);
    const bool ctrl = IsKeyDown(VK_CONTROL);
    const bool shift = IsKeyDown(VK_SHIFT);
    const bool alt = IsKeyDown(VK_LMENU) || m.Msg == WM_SYSKEYDOWN;
    TShiftState ss;
    if (shift) ss |= ssShift;
    if (alt) ss |= ssAlt;
    if (ctrl) ss |= ssCtrl;
    const int entryLeft = LeftCol();
    const TGridRect entrySel = Selection();
    s.MoveSelection = entrySel;
    auto fireKeyDown = [&] {
        if (OnKeyDown)
            OnKeyDown(this, key, ss);
    };
    auto consume = [&] {
        fireKeyDown();
        key = 0;
        m.Result = 1;
    };
    const bool holdHoriz = (key == VK_PRIOR || key == VK_NEXT || key == VK_UP || key == VK_DOWN) &&
                           (Options() & goRowSelect) && LeftCol() != FixedCols() && nav.KeepHorizScroll();

    if (nav.MoveScrollOnly() &&
        (key == VK_PRIOR || key == VK_NEXT || key == VK_END || key == VK_HOME || key == VK_UP || key == VK_DOWN)) {
        const int vis = VisibleRowCount();
        int top = TopRow();
        switch (key) {
        case VK_PRIOR: top = vis + FixedRows() < top ? top - vis : FixedRows(); break;
        case VK_NEXT: if (top + vis < RowCount()) top += vis; break;
        case VK_END: top = RowCount() - vis; break;
        case VK_HOME: top = FixedRows(); break;
        case VK_UP: if (top > FixedRows()) --top; break;
        case VK_DOWN: if (top + vis < RowCount()) ++top; break;
        default: break;
        }
        SetTopRow(top);
        m.Result = 1;
        return;
    }
    const bool enterOrF2 = key == VK_RETURN || key == VK_F2;
    if (enterOrF2 && ma.EditOnDblClickOnly() && !(Options() & goEditing)) {
        const bool range = ma.RangeSelectAndEdit();
        ma.SetRangeSelectAndEdit(true);
        const bool editable = IsEditable(RealCol(), Row());
        ma.SetRangeSelectAndEdit(range);
        if (editable)
            SetOptions(Options() | goEditing);
    }
    if (enterOrF2 && ma.RangeSelectAndEdit() && !(Options() & goEditing)) {
        if (!IsEditable(RealCol(), Row())) {
            consume();
            return;
        }
        SetOptions(Options() | goEditing);
        ShowInplaceEdit();
    }
    // Ctrl+F goes to the search bar's text field.
    if (key == 'F' && ctrl && SearchFooter().Visible())
        SearchPanel().EditControl().setFocus(Qt::ShortcutFocusReason);
    if (enterOrF2 && (Options() & goEditing) && !IsEditable(RealCol(), Row())) {
        consume();
        return;
    }
    // The form controls of an HTML cell take the edit there.
    if (enterOrF2 && FxHasFormControls(*this, RealCol(), Row())) {
        m.Result = 1;
        return;
    }
    if (key == VK_RETURN && !(Options() & goEditing) && !IsEditable(RealCol(), Row())) {
        if (TForm* f = qobject_cast<TForm*>(window()); f && f->KeyPreview()) {
            TBaseGrid::WndProc(m);
            return;
        }
        consume();
        return;
    }
    const int rc = RealCol();
    if ((key == VK_SPACE || key == VK_RETURN) && IsClickableCell(rc, Row())) {
        bool canEdit = (Options() & goEditing) || ma.RangeSelectAndEdit();
        CanEditCell(rc, Row(), canEdit);
        const TCellType t = GetCellType(rc, Row());
        if (key == VK_SPACE && IsCheckBoxType(t) && (canEdit || ControlLook().CheckAlwaysActive())) {
            ToggleCheckBox(rc, Row(), false);
            if (ShowModified().Enabled()) {
                SetRowModified(Row(), true);
                RepaintCell(0, Row());
            }
            bool state = false;
            GetCheckBoxState(rc, RealRowIndex(Row()), state);
            DoCheckBoxClick(rc, Row(), state);
        } else if (key == VK_SPACE && t == ctRadio && (canEdit || ControlLook().RadioAlwaysActive())) {
            NextRadioItem(rc, Row(), false);
            int idx = -1;
            GetRadioIdx(rc, Row(), idx);
            if (const auto& e = Events().OnRadioClick)
                e(this, rc, Row(), idx);
        } else if (key == VK_SPACE && t == ctRadioButton && (canEdit || ControlLook().RadioAlwaysActive())) {
            ToggleRadioButton(rc, Row(), false);
            if (const auto& e = Events().OnRadioButtonClick)
                e(this, rc, Row());
        } else if (t == ctButton && canEdit) {
            DoButtonClick(rc, Row());
        }
        RepaintCell(Col(), Row());
    }
    const THomeEndAction heMode = nav.HomeEndKey();
    if ((key == VK_HOME || key == VK_END) && !(FixedRowAlways() && RowCount() == 1 && heMode != heFirstLastCell)) {
        bool handled = true;
        const bool rowSel = Options() & goRowSelect;
        const int entryRow = Row();
        // Home and End by rows: the row selection follows, and a row-select
        // grid that keeps its sideways scroll keeps it.
        auto rowSelection = [&] {
            if (!self)
                return;
            if (shift) {
                // Anchored at the entry row; the current cell is on the new row.
                SetSelection({0, entryRow, ColCount() - 1, Row()});
                if (ma.DisjunctRowSelect())
                    SelectionToRowSelect(true);
            } else if (ma.DisjunctRowSelect()) {
                SelectionToRowSelect(true);
            }
            if (rowSel && nav.KeepHorizScroll() && LeftCol() != entryLeft) {
                StartUpdate();
                SetLeftCol(entryLeft);
                ResetUpdate();
            }
        };
        if (key == VK_HOME && heMode == heFirstLastCell && !ctrl) {
            SetCol(FixedCols());
            SetRow(FixedRows());
        } else if (key == VK_HOME && heMode == heFirstLastRow && !ctrl) {
            SetRow(FixedRows());
            if (self)
                SnapToBaseCell();
            rowSelection();
        } else if (key == VK_HOME && heMode == heFirstLastColumn && ctrl) {
            SetRow(FixedRows());
            if (const int v = FirstSelectableCol(FixedRows()); v >= 0)
                SetCol(v);
            SetLeftCol(FirstNormalCol());
        } else if (key == VK_HOME && heMode == heFirstLastColumn && !rowSel) {
            if (shift) {
                SetSelection({FixedCols(), Row(), Col(), Row()});
            } else {
                if (const int v = FirstSelectableCol(Row()); v >= 0)
                    SetCol(v);
                SetLeftCol(FirstNormalCol());
            }
        } else if (key == VK_END && heMode == heFirstLastCell && !ctrl) {
            SetCol(ColCount() - 1);
            SetRow(RowCount() - 1);
        } else if (key == VK_END && heMode == heFirstLastRow && !ctrl) {
            // The row of a floating footer is no data row.
            const bool floating = FloatingFooter().Visible();
            SetRow(floating && RowCount() > 2 ? RowCount() - 2 : RowCount() - FixedFooters() - 1);
            if (floating || FixedFooters() > 0)
                SetTopRow(RowCount() - VisibleRowCount());
            if (self)
                SnapToBaseCell();
            rowSelection();
        } else if (key == VK_END && heMode == heFirstLastColumn && !ctrl && !rowSel) {
            if (shift) {
                SetSelection({Col(), Row(), ColCount() - FixedRightCols() - 1, Row()});
            } else {
                SetCol(ColCount() - 1);
                SetLeftCol(ColCount() - VisibleColCount());
            }
        } else {
            handled = false;
        }
        if (handled) {
            if (self)
                SnapToBaseCell();
            fireKeyDown();
            m.Result = 0;
            return;
        }
    }
    // Right and Left open and close the node of a node row.
    if ((key == VK_RIGHT || key == VK_LEFT) && IsNode(Row()) && IsMergedCell(RealCol(), Row())) {
        if (key == VK_RIGHT && GetNodeState(Row()))
            ExpandNode(RealRowIndex(Row()));
        else if (key == VK_LEFT && !GetNodeState(Row()))
            ContractNode(RealRowIndex(Row()));
    }
    // A row-select grid scrolls sideways on Left and Right.
    if ((key == VK_LEFT || key == VK_RIGHT) && (Options() & goRowSelect) && !IsNode(Row()) &&
        (LeftCol() > FixedCols() || LeftCol() + VisibleColCount() < ColCount())) {
        auto scroll = [&] {
            if (key == VK_LEFT && LeftCol() > FixedCols())
                SetLeftCol(LeftCol() - 1);
            else if (key == VK_RIGHT && LeftCol() + VisibleColCount() < ColCount())
                SetLeftCol(LeftCol() + 1);
        };
        if (nav.LeftRightRowSelect()) {
            if (ctrl)
                scroll();
        } else {
            scroll();
            fireKeyDown();
            m.Result = 0;
            return;
        }
    }
    if (key == VK_TAB && (Options() & goTabs)) {
        AdvanceOnTab(shift);
        if (!self)
            return;
        const TGridRect sel = Selection();
        if (!(sel == entrySel))
            DoSelectionChanged(sel.Left, sel.Top, sel.Right, sel.Bottom);
        m.Result = 1;
        return;
    }
    if (nav.SkipFixedCells() && (key == VK_LEFT || key == VK_RIGHT || key == VK_UP || key == VK_DOWN)) {
        SkipFixedCellsKey(key);
        if (key == 0) {
            m.Result = 1;
            return;
        }
    }
    if (key == VK_DOWN && nav.AppendOnArrowDown() && AtAppendRow())
        AppendRowOnArrowDown();
    // The search bar lies over the grid's last rows. At the end of the grid
    // the keys that would leave the last cell stay, the last row kept above
    // the bar; other keys must not scroll the view.
    const bool footer = SearchFooter().Visible();
    const bool footerAtEnd = footer && TopRow() >= RowCount() - VisibleRowCount();
    const bool onLastRow = Row() == RowCount() - 1;
    const bool moveKey = key >= VK_PRIOR && key <= VK_DOWN;
    const bool quietKey = key == VK_SHIFT || key == VK_MENU || moveKey;
    const bool towardsEnd = key == VK_NEXT || key == VK_END || key == VK_LEFT || key == VK_RIGHT || key == VK_DOWN;
    const int footerTop = TopRow();
    bool footerHold = false;
    if (footerAtEnd) {
        if (onLastRow && (key == VK_DOWN || (key == VK_RIGHT && Col() == ColCount() - 1) ||
                          (key == VK_LEFT && Col() == FixedCols()))) {
            if (key == VK_DOWN)
                KeepLastRowAboveSearchFooter();
            m.Result = 1;
            fireKeyDown();
            return;
        }
        footerHold = (onLastRow && towardsEnd) || !quietKey;
        if (footerHold)
            BeginUpdate();
    }
    if (holdHoriz)
        BeginUpdate();
    m.WParam = key;
    TBaseGrid::WndProc(m);
    if (!self)
        return;
    if (footer) {
        if (!quietKey && TopRow() >= RowCount() - VisibleRowCount())
            SetTopRow(footerTop);
        if (footerHold)
            EndUpdate();
        if (towardsEnd && Row() == RowCount() - 1) {
            const int limit = ClientHeight() - SearchPanel().PanelHeight() + 2;
            while (CellRect(Col(), Row()).Bottom > limit && TopRow() < RowCount() - 1) {
                const int before = TopRow();
                SetTopRow(before + 1);
                if (TopRow() == before)
                    break;
            }
        }
    }
    if (holdHoriz) {
        SetLeftCol(entryLeft);
        EndUpdate();
    }
    key = int(m.WParam & 0xFFFF);
    if (m.Result == 1)
        key = 0;
    // Keys after the framework's movement: the clipboard keys first, so an
    // OnKeyDown handler that cleared the key keeps the clipboard untouched.
    if (nav.AllowClipboardShortCuts() && HandleClipboardKey(key, ss)) {
        // copied, cut or pasted (or refused by the clipboard events)
    } else if (key == VK_INSERT && !ctrl && !shift && !IsKeyDown(VK_MENU) && nav.AllowInsertRow()) {
        if (DoCanInsertRow(Row())) {
            // A filter hides rows by taking them out of the display rows: a
            // row inserted among the shown ones would put the hidden ones
            // back in the wrong places. The row goes in with every row shown.
            TRowFilterPause pause(*this);
            const int cur = pause.Row();
            const bool after = nav.InsertPosition() == pInsertAfter;
            const int at = after ? cur + 1 : cur;
            InsertRows(std::min(at, RowCount()), 1);
            // The new row becomes current.
            const int inserted = std::min(at, RowCount() - 1);
            if (!pause.Filtered() && inserted != Row())
                SetRow(inserted);
            if (const auto& e = Events().OnAutoInsertRow)
                e(this, at);
            InteractState().Modified = true;
            pause.Resume(RealRowIndex(inserted));
            CalcFooter(-1);
        }
    } else if (key == VK_DELETE && !IsKeyDown(VK_MENU) && nav.AllowDeleteRow() &&
               RowCount() - FixedRows() - FixedFooters() > 0) {
        TRowFilterPause pause(*this);
        const int row = pause.Row();
        bool canDelete = true;
        if (const auto& e = Events().OnCanDeleteRow)
            e(this, RealRowIndex(row), canDelete);
        if (canDelete) {
            DeleteRowsCore({row});
            if (const auto& e = Events().OnAutoDeleteRow)
                e(this, row);
        }
        pause.Resume(-1);
        if (canDelete) {
            // The row below the deleted last data row is the footer's.
            const TFloatingFooter& footer = FloatingFooter();
            if (footer.Visible() && footer.FooterStyle() == fsFixedLastRow && Row() == RowCount() - 1 &&
                RowCount() - 2 >= FixedRows())
                SetRow(RowCount() - 2);
            StoreOldValue(Col(), Row());
            InteractState().Modified = true;
            CalcFooter(-1);
        }
    } else if (key == 'A' && ctrl && (Options() & (goRowSelect | goRangeSelect))) {
        const TGridRect all{FirstNormalCol(), FixedRows(), ColCount() - FixedRightCols() - 1,
                            RowCount() - FixedFooters() - 1};
        if (ma.DisjunctRowSelect())
            for (int r = all.Top; r <= all.Bottom; ++r)
                SetRowSelect(r, true);
        SelectAllByKey(all);
        SetSelection(all);
    } else {
        // Disjunct row and column selection follows the moving keys and
        // flips with Space.
        const int flagRow = ma.DisjunctRowSelect() && ma.RowSelectPersistent() ? RealRowIndex(Row()) : Row();
        if (key >= VK_PRIOR && key <= VK_DOWN) {
            if (ma.DisjunctRowSelect()) {
                if (!shift && !ctrl)
                    ClearRowSelect();
                if (shift)
                    SelectionToRowSelect(true);
                else
                    SetRowSelect(flagRow, true);
            }
            if (ma.DisjunctColSelect()) {
                if (!shift && !ctrl)
                    ClearColSelect();
                if (shift)
                    SelectionToColSelect(true);
                else
                    SetColSelect(Col(), true);
            }
        } else if (key == VK_SPACE) {
            if (ma.DisjunctRowSelect())
                SetRowSelect(flagRow, !RowSelect(flagRow));
            if (ma.DisjunctColSelect())
                SetColSelect(Col(), !ColSelect(Col()));
        }
    }
    if (key == VK_RETURN || key == VK_F2) {
        StoreOldValue(Col(), Row());
        if (key == VK_F2)
            DoF2Key();
    }
    const TGridRect sel = Selection();
    if (!(sel == s.MoveSelection)) {
        DoSelectionChanged(sel.Left, sel.Top, sel.Right, sel.Bottom);
        s.MoveSelection = sel;
    }
}

void TFxStringGrid::SkipFixedCellsKey(int& Key)
{
    const bool rtl = isRightToLeft();
    const int key = (rtl && Key == VK_LEFT) ? VK_RIGHT : (rtl && Key == VK_RIGHT) ? VK_LEFT : Key;
    auto fixedAt = [this](int c, int r) { return IsFixed(c, r); };
    int target = -1;
    if (key == VK_LEFT && Col() > FixedCols() && fixedAt(Col() - 1, Row())) {
        for (int c = Col() - 1; c >= FixedCols() && target < 0; --c)
            if (!fixedAt(c, Row()))
                target = c;
        if (target >= 0)
            SetCol(target);
    } else if (key == VK_RIGHT && Col() + 1 < ColCount() - FixedRightCols() && fixedAt(Col() + 1, Row())) {
        for (int c = Col() + 1; c < ColCount() - FixedRightCols() && target < 0; ++c)
            if (!fixedAt(c, Row()))
                target = c;
        if (target >= 0)
            SetCol(target);
    } else if (key == VK_UP && Row() > FixedRows() && fixedAt(Col(), Row() - 1)) {
        if (Options() & goRowSelect) {
            target = Row() - 1;
        } else {
            for (int r = Row() - 1; r >= FixedRows() && target < 0; --r)
                if (!fixedAt(Col(), r))
                    target = r;
        }
        if (target >= 0)
            SetRow(target);
    } else if (key == VK_DOWN && Row() + 1 < RowCount() && fixedAt(Col(), Row() + 1)) {
        for (int r = Row() + 1; r < RowCount() - FixedFooters() && target < 0; ++r)
            if (!fixedAt(Col(), r))
                target = r;
        if (target >= 0)
            SetRow(target);
    } else {
        return;
    }
    if (OnKeyDown)
        OnKeyDown(this, Key, KeyboardStateToShiftState());
    Key = 0;
}
