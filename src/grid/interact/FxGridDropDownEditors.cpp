#include "grid/interact/FxGridDropDownEditors.h"

#include "controls/dropdown/FxDropDownForm.h"
#include "framework/Input.h"
#include "framework/SysColors.h"
#include "framework/SysUtils.h"
#include "grid/foundation/FxOptions.h"
#include "grid/interact/FxGridInteract_p.h"
#include "grid/model/FxGrid.h"
#include "grid/paint/FxControlLook.h"

#include <QApplication>
#include <QCoreApplication>
#include <QKeyEvent>

using namespace fw;

namespace {

// The grid's editing state (the text a refused validation leaves, the
// no-advance flag, the click that opened the edit). The grid's own
// editors reach it as the grid's friends; the drop-down editors reach the
// protected accessor through a derived class's name, which leaves the
// grid's declaration as it is.
struct TEditingStateAccess : TFxStringGrid {
    static TFxGridInteractState& Of(const TFxStringGrid& grid)
    {
        return (grid.*(&TEditingStateAccess::InteractState))();
    }
};

} // namespace

// ---- the link ----------------------------------------------------------------------------

TGridDropDownLink::TGridDropDownLink(TFxStringGrid* grid, TFxCustomDropDown& editor)
    : WriteText([&editor](const QString& s) { editor.SetTextUnformatted(s); }), FGrid(grid), FEditor(editor)
{
}

bool TGridDropDownLink::KeyDown(int& key, TShiftState shift)
{
    const bool taken = key == VK_TAB || key == VK_RETURN || key == VK_ESCAPE || key == VK_PRIOR || key == VK_NEXT ||
                       key == VK_END || key == VK_UP || key == VK_DOWN;
    if (!taken || (key == VK_DOWN && shift.Contains(ssAlt)) || (key == VK_UP && shift.Contains(ssAlt)))
        return false;
    QPointer<TFxStringGrid> g = FGrid;
    TFxGridInteractState& s = TEditingStateAccess::Of(*g);
    if (key == VK_ESCAPE) {
        WriteText(g->CurrentCell());
        g->HideInplaceEdit();
        g->SetFocus();
        return true;
    }
    if (key == VK_RETURN || key == VK_UP || key == VK_DOWN) {
        if (key == VK_RETURN && BeforeEnter)
            BeforeEnter();
        const QString text = FEditor.Text();
        g->SetCurrentCell(text);
        if (!g->ValidateCell(text)) {
            WriteText(s.NewCellText);
            FEditor.SetSel(0, int(FEditor.EditText().size()));
            FEditor.update();
            key = 0;
            s.NoAutoAdvance = true;
            return true;
        }
        WriteText(g->CurrentCell());
    }
    if (key == VK_TAB && g->HasCellValidation()) {
        const QString text = FEditor.Text();
        g->SetCurrentCell(text);
        if (!g->ValidateCell(text)) {
            WriteText(s.NewCellText);
            const int end = int(FEditor.EditText().size());
            FEditor.SetSel(end, end);
            FEditor.update();
            key = 0;
            return true;
        }
        if (g->Options() & goTabs) {
            g->HideInplaceEdit();
            g->SetFocus();
            g->AdvanceOnTab(shift.Contains(ssShift));
            return true;
        }
        g->PostMessage(WM_KEYDOWN, VK_TAB, 0);
    }
    const bool open = FEditor.DropDownForm() && FEditor.DropDownForm()->isVisible();
    if (open) {
        FEditor.HideDropDown(false);
        g->HideInplaceEdit();
        if (key == VK_PRIOR || key == VK_NEXT || key == VK_UP || key == VK_DOWN)
            key = 0;
    } else if (key == VK_END) {
        // The caret goes to the end of the text.
        return false;
    }
    if (!g)
        return true;
    g->DoneInplaceEdit(key, shift);
    if (g && g->Navigation().AdvanceOnEnter() && g->Navigation().AdvanceAutoEdit())
        g->ShowInplaceEdit();
    key = 0;
    return true;
}

bool TGridDropDownLink::TabIsGrids() const { return FGrid->HasCellValidation(); }

void TGridDropDownLink::KeyPress(QChar& key)
{
    if (FGrid->OnKeyPress)
        FGrid->OnKeyPress(&FEditor, key);
    if (key == QChar(0x1B) || key == u'\r' || key == u'\t')
        key = QChar();
}

void TGridDropDownLink::Changed()
{
    if (const auto& e = FGrid->Events().OnEditChange)
        e(FGrid, FGrid->Col(), FGrid->Row(), FEditor.Text());
}

void TGridDropDownLink::FocusLost(QFocusEvent* e)
{
    // The popup opening, or a window of the popup, takes the focus for a while.
    if (FEditor.DroppedDown() || e->reason() == Qt::PopupFocusReason || !FEditor.isVisible())
        return;
    QWidget* to = QApplication::focusWidget();
    if (to && FEditor.DropDownForm() && FEditor.DropDownForm()->isAncestorOf(to))
        return;
    FGrid->HideInplaceEdit();
}

void TGridDropDownLink::FocusGained()
{
    TFxGridInteractState& s = TEditingStateAccess::Of(*FGrid);
    if (!CaretAtClick || !s.LButFlg)
        return;
    const QPoint p = FEditor.mapFromGlobal(QCursor::pos());
    if (!FEditor.rect().contains(p))
        return;
    const int pos = FEditor.cursorPositionAt(p);
    if (pos < 0)
        return;
    FEditor.SetSel(pos, pos);
    s.LButFlg = false;
}

template <class Base>
TGridDropDownEditor<Base>::TGridDropDownEditor(TFxStringGrid* grid) : Base(grid), FLink(grid, *this)
{
}

template class TGridDropDownEditor<TFxTrackBarDropDown>;
template class TGridDropDownEditor<TFxMemoDropDown>;
template class TGridDropDownEditor<TFxCalculatorDropdown>;
template class TGridDropDownEditor<TFxTimePickerDropDown>;
template class TGridDropDownEditor<TFxMultiColumnDropDown>;

// ---- showing and writing back ------------------------------------------------------------

namespace FxGridDropDown {

namespace {

QString nameOf(TEditorType kind) { return QStringLiteral("GridDropDownEditor%1").arg(int(kind)); }

// The edit's background in the cell's colour.
void setEditColor(QWidget* e, TColor color)
{
    QPalette pal = e->palette();
    pal.setColor(QPalette::Base, ToQColor(color));
    e->setPalette(pal);
}

template <class T>
T* make(TFxStringGrid& grid, TEditorType kind)
{
    auto* e = new T(&grid);
    e->setObjectName(nameOf(kind));
    e->hide();
    e->SetComponentStyle(grid.ComponentStyle());
    if (grid.HasColorTones())
        e->SetColorTones(grid.ColorTones());
    return e;
}

} // namespace

bool Handles(TEditorType kind)
{
    return kind == edTrackbarDropDown || kind == edMemoDropDown || kind == edCalculatorDropDown ||
           kind == edTimePickerDropDown || kind == edGridDropDown;
}

TFxCustomDropDown* Editor(TFxStringGrid& grid, TEditorType kind)
{
    if (!Handles(kind))
        return nullptr;
    if (auto* e = grid.findChild<TFxCustomDropDown*>(nameOf(kind), Qt::FindDirectChildrenOnly))
        return e;
    switch (kind) {
    case edTrackbarDropDown: {
        auto* e = make<TGridTrackbarDropDown>(grid, kind);
        e->SetEditorEnabled(true);
        e->Link().WriteText = [e](const QString& s) { e->SetText(s); };
        e->Link().CaretAtClick = true;
        return e;
    }
    case edMemoDropDown: {
        auto* e = make<TGridMemoDropDown>(grid, kind);
        e->Link().CaretAtClick = true;
        return e;
    }
    case edCalculatorDropDown: {
        auto* e = make<TGridCalculatorDropDown>(grid, kind);
        e->SetEditorEnabled(true);
        e->Link().CaretAtClick = true;
        e->Link().BeforeEnter = [e] { e->CalcResult(); };
        return e;
    }
    case edTimePickerDropDown: {
        auto* e = make<TGridTimepickerDropDown>(grid, kind);
        e->SetFocusDraw(false);
        return e;
    }
    case edGridDropDown: return make<TGridGridDropDown>(grid, kind);
    default: return nullptr;
    }
}

TFxCustomDropDown* Show(TFxStringGrid& grid, TEditorType kind, int col, int row, const TRect& cell, TColor cellColor,
                        const QString& value, QChar startChar)
{
    TFxCustomDropDown* e = Editor(grid, kind);
    if (!e)
        return nullptr;
    e->SetDropDownFooter(grid.ControlLook().DropDownFooter());
    e->SetDropDownHeader(grid.ControlLook().DropDownHeader());
    e->SetComponentStyle(grid.ComponentStyle());
    auto* list = kind == edGridDropDown ? static_cast<TGridGridDropDown*>(e) : nullptr;
    if (list) {
        setEditColor(e, cellColor);
        e->SetEditorEnabled(true);
    }
    grid.DoGetEditorProp(col, row, e);
    if (list) {
        list->BeginUpdate();
        list->EndUpdate();
    }
    e->setGeometry(cell.Left, cell.Top, cell.Width() - 1, cell.Height() - 1);
    e->setEnabled(true);
    switch (kind) {
    case edTrackbarDropDown: {
        // A text that is no number opens at the position 0 would give.
        int v = 0;
        if (!TryStrToInt(value.trimmed(), v))
            v = 0;
        static_cast<TGridTrackbarDropDown*>(e)->SetPosition(v);
        break;
    }
    case edMemoDropDown:
        static_cast<TGridMemoDropDown*>(e)->MemoText().SetText(value);
        e->SetSel(0, 0);
        break;
    case edCalculatorDropDown: e->SetText(value); break;
    case edTimePickerDropDown:
        e->SetEditorEnabled(true);
        e->SetTextUnformatted(value);
        break;
    case edGridDropDown:
        list->SetItemIndex(value.isEmpty() ? 0 : list->GetItemIndex(value));
        e->SetText(value);
        break;
    default: break;
    }
    if (!list)
        setEditColor(e, cellColor);
    e->show();
    e->raise();
    e->setFocus(Qt::OtherFocusReason);
    if (!startChar.isNull())
        QCoreApplication::postEvent(e, new QKeyEvent(QEvent::KeyPress, 0, Qt::NoModifier, QString(startChar)));
    if (grid.MouseActions().DirectComboDrop())
        e->ShowDropDown();
    return e;
}

bool Hide(TFxStringGrid& grid, TEditorType kind, int col, int row)
{
    if (!Handles(kind))
        return false;
    TFxCustomDropDown* e = grid.findChild<TFxCustomDropDown*>(nameOf(kind), Qt::FindDirectChildrenOnly);
    if (!e)
        return true;
    e->HideDropDown(false);
    const QString value =
        kind == edMemoDropDown ? static_cast<TGridMemoDropDown*>(e)->MemoJoined() : e->Text();
    grid.WriteCellText(col, row, value);
    if (e->hasFocus())
        grid.SetFocus();
    e->hide();
    e->setEnabled(false);
    return true;
}

} // namespace FxGridDropDown
