// Ending an in-place edit: the special editors' write-back through the one
// write path, the editing-done notifications, Escape's restore, what
// scrolling does to an open editor, and the controls placed in cells.
#include "grid/model/FxGrid.h"
#include "grid/interact/FxGridEditorKinds.h"
#include "grid/interact/FxGridEditors.h"
#include "grid/interact/FxGridInteract_p.h"
#include "grid/paint/FxSearchPanel.h"
#include "grid/interact/FxGridSpecialEditors_p.h"

#include "grid/foundation/FxObj.h"
#include "grid/foundation/FxOptions.h"

#include <QPointer>
#include <QScrollBar>

using namespace fw;

void TFxStringGrid::HideSpecialEditor(int ACol, int ARow)
{
    if (Destroying())
        return;
    TFxGridInteractState& s = InteractState();
    s.SpecialEditor = false;
    s.BlockKill = true;
    // The editing-done handler may raise: focus changes count again afterwards.
    struct EndHide {
        TFxGridInteractState& s;
        ~EndHide()
        {
            s.BlockKill = false;
            s.EditActive = false;
        }
    } end{s};
    const int c = RealColIndex(ACol);
    s.StartEditChar = QChar();
    s.ReplayChar = QChar();
    // A control that loses its window while focused hands the focus to the grid.
    auto hide = [this](QWidget* w) {
        if (w->hasFocus())
            SetFocus();
        w->hide();
        w->setEnabled(false);
    };
    switch (s.CurrentEditor) {
    case edComboEdit:
    case edComboList:
        if (s.EditMode && s.Combo) {
            s.EditMode = false;
            TGridCombo& cb = *s.Combo;
            cb.hidePopup();
            // A list that could not show the cell's text leaves it alone
            // unless the user chose an item.
            const bool keep = s.CurrentEditor == edComboList && s.ComboUnmatched && !s.ComboUserChose;
            WriteCellText(c, ARow, keep ? s.CellCache : cb.currentText());
            hide(&cb);
        }
        break;
    case edSpinEdit:
    case edFloatSpinEdit:
    case edTimeSpinEdit:
    case edDateSpinEdit:
        s.EditMode = false;
        if (s.Spin) {
            TGridSpin& sp = *s.Spin;
            if (sp.AllowEmptyValue() && sp.text().trimmed().isEmpty())
                SetCellEx(c, ARow, QString());
            else if (s.CurrentEditor == edSpinEdit)
                SetInts(c, ARow, sp.Value());
            else if (s.CurrentEditor == edFloatSpinEdit)
                SetFloats(c, ARow, sp.FloatValue());
            else if (s.CurrentEditor == edTimeSpinEdit)
                WriteCellText(c, ARow, sp.text());
            else
                SetDates(c, ARow, sp.DateValue());
            hide(&sp);
        }
        break;
    case edCheckBox:
        if (s.CheckEditor)
            hide(s.CheckEditor.data());
        s.EditMode = false;
        break;
    default:
        if (FxGridSpecial::Hide(*this, s.CurrentEditor, c, ARow))
            break;
        if (TGridEditorKind* kind = FxGridEditorKinds::Find(s.CurrentEditor); kind && s.EditMode) {
            s.EditMode = false;
            kind->Hide(*this, c, ARow);
        }
        break;
    }
    if (s.CurrentEditor != edNormal && s.EditActive)
        FireEditingDone(c, ARow);
}

void TFxStringGrid::HideInplaceEdit()
{
    TFxGridInteractState& s = InteractState();
    if (!s.EditMode)
        return;
    HideEditor();
    HideSpecialEditor(Col(), Row());
    s.EditMode = false;
    s.ShowEditProcess = false;
    CanSelectCell(Col(), Row());
}

void TFxStringGrid::HideCellEdit()
{
    HideSpecialEditor(Col(), Row());
}

void TFxStringGrid::DoneInplaceEdit(int Key, TShiftState Shift)
{
    TFxGridInteractState& s = InteractState();
    QPointer<TFxStringGrid> self(this);
    s.BlockFocus = true;
    struct EndBlock {
        QPointer<TFxStringGrid> g;
        ~EndBlock()
        {
            if (g)
                g->InteractState().BlockFocus = false;
        }
    } endBlock{self};
    s.Editing = false;
    HideInplaceEdit();
    if (Navigation().AppendOnArrowDown() && Key == VK_DOWN && AtAppendRow())
        AppendRowOnArrowDown();
    // The grid's key handling samples the shift keys itself.
    if (Key == VK_TAB || Key == VK_LEFT || Key == VK_UP || Key == VK_RIGHT || Key == VK_DOWN)
        Perform(WM_KEYDOWN, Key, 0);
    if (!self)
        return;
    const bool alwaysEdit = Navigation().AlwaysEdit();
    Navigation().SetAlwaysEdit(false);
    SetFocus();
    if (Key == VK_RETURN)
        AdvanceAfterEdit(Col(), Row(), false, false, true, true, false);
    Navigation().SetAlwaysEdit(alwaysEdit);
}

void TFxStringGrid::FireEditingDone(int ACol, int ARow)
{
    // The frame goes with the edit, whether or not a value was validated.
    HideFocusWindow();
    if (const auto& e = Events().OnEditingDone)
        e(this);
    InteractState().EditMode = false;
    InteractState().ShowEditProcess = false;
    // The grid hears of the end after the current message has been handled.
    PostMessage(GridEditDoneMessage(), ACol, ARow);
}

void TFxStringGrid::RestoreCachedCell()
{
    const int c = RealCol();
    SetCellEx(c, Row(), InteractState().CellCache);
    // Written again so that the cell repaints and its notifications run.
    SetCellEx(c, Row(), GetCellEx(c, Row()));
}

void TFxStringGrid::WriteCellText(int ACol, int ARow, const QString& Value)
{
    SetEditText(DisplColIndex(ACol), ARow, Value);
    SetCellEx(ACol, ARow, Value);
}

void TFxStringGrid::TopLeftChanged()
{
    TFxGridInteractState& s = InteractState();
    // Scrolled down onto a current cell that the search bar covers: one row
    // more (the nested call finishes the notification).
    if (SearchFooter().Visible() && TopRow() > s.OldTopRow && TopRow() < RowCount() - 1 &&
        CellRect(Col(), Row()).Bottom > ClientHeight() - SearchPanel().PanelHeight() + 2) {
        const int before = TopRow();
        SetTopRow(before + 1);
        if (TopRow() != before)
            return;
    }
    TBaseGrid::TopLeftChanged();
    if (SelectionRectangle() && Selection().Bottom > Selection().Top)
        Invalidate();
    // A special editor does not travel with its cell: its value is written
    // and validated; the text editor moves with the cell.
    if (s.EditMode && s.CurrentEditor != edNormal && s.SpecialEditor)
        HideInplaceEdit();
    // The focus frame of the text editor goes along with the cell.
    MoveFocusWindow();
    UpdateFlatScrollBars();
    UpdateFooter();
    CellControlsUpdate(false);
    // The in-cell scroll bar belongs to a cell that has moved away.
    if (s.CellScrollBar && s.CellScrollBar->isVisible()) {
        s.CellScrollBar->hide();
        s.CellScrollCell = {-1, -1};
    }
    s.OldTopRow = TopRow();
    if (TStringGrid* sync = SyncGrid().Grid()) {
        if (SyncGrid().ScrollVertical())
            sync->SetTopRow(TopRow());
        if (SyncGrid().ScrollHorizontal())
            sync->SetLeftCol(LeftCol());
    }
}

void TFxStringGrid::CellControlsUpdate(bool)
{
    TControlList& list = ControlList();
    for (int i = 0; i < list.Count(); ++i) {
        const TControlItem* item = list.Control(i);
        QWidget* w = item ? item->Control() : nullptr;
        if (!w)
            continue;
        const int realRow = item->Y();
        if (IsHiddenColumn(item->X()) || IsHiddenRow(realRow)) {
            w->hide();
            continue;
        }
        const int dc = DisplColIndex(item->X());
        const int dr = DisplRowIndex(realRow);
        if (dr < FixedRows() || dc < FixedCols())
            continue;
        // A partly shown last column or row still counts as shown.
        const bool visible = LeftCol() <= dc && dc <= LeftCol() + VisibleColCount() && TopRow() <= dr &&
                             dr <= TopRow() + VisibleRowCount();
        if (!visible) {
            w->hide();
            continue;
        }
        const TRect r = CellRect(dc, dr);
        w->setGeometry(r.Left - 1, r.Top - 1, r.Width() + 1, r.Height() + 1);
        w->show();
        w->update();
    }
}
