// The check box and combo editors: keys, focus and changes tied to the grid.
#include "grid/interact/FxGridEditors.h"

#include "framework/Canvas.h"
#include "framework/Guard.h"
#include "grid/foundation/FxOptions.h"
#include "grid/interact/FxGridInteract_p.h"
#include "grid/interact/FxGridSpecialEditors_p.h"
#include "grid/model/FxGrid.h"

#include <QAbstractItemView>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPointer>
#include <QWheelEvent>

using namespace fw;

namespace {

// Runs a key through the grid's own key-down handling (the grid moves).
void GridKeyDown(TFxStringGrid* g, int key)
{
    g->Perform(WM_KEYDOWN, key, 0);
}

} // namespace

// ================================================================ check box

TGridCheckBox::TGridCheckBox(TFxStringGrid* grid) : QCheckBox(grid->viewport()), FGrid(grid)
{
    hide();
    setEnabled(false);
}

void TGridCheckBox::mousePressEvent(QMouseEvent* e)
{
    fw::RunGuarded([&] {
        // The state changes on the press, before anything else sees it.
        if (e->button() == Qt::LeftButton) {
            setCheckState(checkState() == Qt::Unchecked ? (isTristate() ? Qt::PartiallyChecked : Qt::Checked)
                          : checkState() == Qt::Checked ? Qt::Unchecked
                                                        : Qt::Checked);
            setFocus(Qt::MouseFocusReason);
            e->accept();
            return;
        }
        QCheckBox::mousePressEvent(e);
    });
}

void TGridCheckBox::keyPressEvent(QKeyEvent* e)
{
    fw::RunGuarded([&] {
        const int key = VirtualKeyFromEvent(*e);
        switch (key) {
        case VK_SPACE:
            setChecked(!isChecked());
            e->accept();
            return;
        case VK_RETURN:
        case VK_PRIOR:
        case VK_NEXT:
        case VK_END:
        case VK_LEFT:
        case VK_RIGHT:
        case VK_UP:
        case VK_DOWN: {
            QPointer<TFxStringGrid> g = FGrid;
            g->HideInplaceEdit();
            g->SetFocus();
            if (key == VK_RETURN && g->Navigation().AdvanceOnEnter())
                g->AdvanceAfterEdit(g->Col(), g->Row(), true, false, true, true, false);
            if (key == VK_UP || key == VK_DOWN)
                GridKeyDown(g, key);
            e->accept();
            return;
        }
        default:
            QCheckBox::keyPressEvent(e);
        }
    });
}

void TGridCheckBox::focusOutEvent(QFocusEvent* e)
{
    fw::RunGuarded([&] {
        QCheckBox::focusOutEvent(e);
        if (isVisible())
            FGrid->HideInplaceEdit();
    });
}

// ================================================================ combo

TGridCombo::TGridCombo(TFxStringGrid* grid) : TSgComboBox(grid->viewport()), FGrid(grid)
{
    hide();
    setEnabled(false);
    SetButtonWidth(16);
    setInsertPolicy(QComboBox::NoInsert);
    connect(this, &QComboBox::editTextChanged, this, [this](const QString& text) {
        TFxStringGrid* g = FGrid;
        if (g->EditMode() && g->Events().OnEditChange)
            g->Events().OnEditChange(g, g->Col(), g->Row(), text);
    });
    connect(this, &QComboBox::activated, this, [this](int) {
        FGrid->InteractState().ComboUserChose = true;
        if (FGrid->EditMode())
            FireComboChange();
    });
}

void TGridCombo::SetItems(const QStringList& items)
{
    const bool block = blockSignals(true);
    clear();
    addItems(items);
    blockSignals(block);
}

QStringList TGridCombo::Items() const
{
    QStringList r;
    for (int i = 0; i < count(); ++i)
        r << itemText(i);
    return r;
}

void TGridCombo::SetItemIndex(int index)
{
    setCurrentIndex(index >= 0 && index < count() ? index : -1);
}

void TGridCombo::SetText(const QString& text)
{
    if (isEditable())
        setEditText(text);
    else
        SetItemIndex(findText(text, Qt::MatchExactly | Qt::MatchCaseSensitive));
}

void TGridCombo::SizeDropDownWidth()
{
    int w = width();
    TCanvas& c = FGrid->Canvas();
    for (int i = 0; i < count(); ++i) {
        const int tw = c.TextWidth(itemText(i));
        if (count() > maxVisibleItems()) {
            if (w - 25 < tw)
                w = tw + 25;
        } else if (w - 5 < tw) {
            w = tw + 8;
        }
    }
    SetDropWidth(w);
}

void TGridCombo::FireComboChange()
{
    TFxStringGrid* g = FGrid;
    TFxGridEvents& ev = g->Events();
    const int rc = g->RealColIndex(g->Col());
    const int idx = currentIndex();
    const QString sel = idx >= 0 ? itemText(idx) : currentText();
    if (ev.OnComboChange)
        ev.OnComboChange(g, rc, g->Row(), idx, sel);
    if (ev.OnComboObjectChange) {
        QObject* obj = idx >= 0 ? itemData(idx).value<QObject*>() : nullptr;
        ev.OnComboObjectChange(g, rc, g->Row(), idx, sel, obj);
    }
}

void TGridCombo::wheelEvent(QWheelEvent* e)
{
    fw::RunGuarded([&] {
        const int delta = e->angleDelta().y();
        const int before = currentIndex();
        if (delta < 0 && before + 1 < count())
            setCurrentIndex(before + 1);
        else if (delta > 0 && before > 0)
            setCurrentIndex(before - 1);
        e->accept();
        if (currentIndex() == before)
            return;
        FGrid->InteractState().ComboUserChose = true;
        TFxStringGrid* g = FGrid;
        if (g->Events().OnEditChange)
            g->Events().OnEditChange(g, g->RealColIndex(g->Col()), g->Row(), itemText(currentIndex()));
        FireComboChange();
    });
}

void TGridCombo::focusInEvent(QFocusEvent* e)
{
    fw::RunGuarded([&] {
        TSgComboBox::focusInEvent(e);
        TFxGridInteractState& s = FGrid->InteractState();
        if (isEditable() && lineEdit() && !FGrid->Navigation().EditSelectAll())
            lineEdit()->end(false);
        if (s.LButFlg && isEditable() && lineEdit()) {
            const QPoint p = lineEdit()->mapFromGlobal(QCursor::pos());
            if (lineEdit()->rect().contains(p))
                lineEdit()->setCursorPosition(lineEdit()->cursorPositionAt(p));
            s.LButFlg = false;
        }
    });
}

void TGridCombo::focusOutEvent(QFocusEvent* e)
{
    fw::RunGuarded([&] {
        TSgComboBox::focusOutEvent(e);
        // The list popping up takes the focus for a moment: the edit goes on.
        if (e->reason() == Qt::PopupFocusReason || (view() && view()->isVisible()))
            return;
        TFxStringGrid* g = FGrid;
        if (g->LookupHistory() && !currentText().isEmpty() && findText(currentText()) < 0)
            addItem(currentText());
        if (isVisible())
            g->HideInplaceEdit();
    });
}

bool TGridCombo::HandleKeyDown(int& key, TShiftState shift)
{
    QPointer<TFxStringGrid> g = FGrid;
    TFxGridInteractState& s = g->InteractState();
    TNavigation& nav = g->Navigation();
    Forced = false;
    const bool dropped = view() && view()->isVisible();
    const bool list = Style() == csDropDownList;
    const bool altDown = key == VK_DOWN && shift.Contains(ssAlt);
    bool navKey = false;
    if ((dropped || list) &&
        (key == VK_TAB || key == VK_RETURN || key == VK_ESCAPE || key == VK_LEFT || key == VK_RIGHT))
        navKey = true;
    if (!dropped && !list &&
        (key == VK_TAB || key == VK_RETURN || key == VK_ESCAPE || key == VK_PRIOR || key == VK_NEXT ||
         key == VK_END || key == VK_UP || key == VK_DOWN))
        navKey = true;
    if (altDown)
        navKey = false;
    WorkMode = !(key == VK_BACK || key == VK_DELETE);
    if ((key == VK_UP || key == VK_DOWN) && !dropped && !altDown && !nav.ComboGetUpDown()) {
        g->HideInplaceEdit();
        const bool alwaysEdit = nav.AlwaysEdit();
        nav.SetAlwaysEdit(false);
        g->SetFocus();
        nav.SetAlwaysEdit(alwaysEdit);
        GridKeyDown(g, key);
        return false;
    }
    if (!navKey)
        return true;
    if (key == VK_ESCAPE) {
        const QString cell = g->CurrentCell();
        const int idx = findText(cell, Qt::MatchExactly | Qt::MatchCaseSensitive);
        if (isEditable())
            setEditText(cell);
        if (idx >= 0)
            setCurrentIndex(idx);
        g->HideInplaceEdit();
        g->SetFocus();
        return false;
    }
    auto takeCellText = [&](bool tab) {
        const QString cell = g->CurrentCell();
        if (list) {
            const int idx = findText(cell, Qt::MatchExactly | Qt::MatchCaseSensitive);
            if (idx >= 0 || tab)
                setCurrentIndex(idx);
        } else {
            setEditText(cell);
        }
    };
    if (key == VK_RETURN || key == VK_UP || key == VK_DOWN) {
        g->SetCurrentCell(currentText());
        if (!g->ValidateCell(currentText())) {
            SetText(s.NewCellText);
            if (lineEdit())
                lineEdit()->selectAll();
            update();
            s.NoAutoAdvance = true;
            return false;
        }
        takeCellText(false);
    }
    if (key == VK_TAB && g->HasCellValidation()) {
        g->SetCurrentCell(currentText());
        if (!g->ValidateCell(currentText())) {
            SetText(s.NewCellText);
            if (lineEdit())
                lineEdit()->end(false);
            update();
            return false;
        }
        takeCellText(true);
        if (FxGridSpecial::TabOn(*g, shift))
            return false;
    }
    if (dropped || list) {
        const bool directClose = g->MouseActions().DirectComboClose();
        g->MouseActions().SetDirectComboClose(false);
        hidePopup();
        g->HideInplaceEdit();
        g->MouseActions().SetDirectComboClose(directClose);
        if (key == VK_LEFT || key == VK_RIGHT) {
            g->SetFocus();
            GridKeyDown(g, key);
            return false;
        }
    } else if (key == VK_END) {
        return true;
    }
    EnterDone = key == VK_RETURN;
    g->DoneInplaceEdit(key, shift);
    if (g && nav.AdvanceOnEnter() && nav.AdvanceAutoEdit() && key == VK_RETURN && !s.NoAutoAdvance)
        g->ShowInplaceEdit();
    return false;
}

void TGridCombo::keyPressEvent(QKeyEvent* e)
{
    fw::RunGuarded([&] {
        int key = VirtualKeyFromEvent(*e);
        QChar ch = CharCodeFromEvent(*e);
        QPointer<TGridCombo> self(this);
        EnterDone = false;
        if (key != 0 && !HandleKeyDown(key, ShiftStateFromEvent(*e))) {
            e->accept();
            // The Enter that ended the edit is still a key press: the
            // application's Enter walk sees it as it does from the text editor.
            if (self && EnterDone && ch.unicode() == 13) {
                EnterDone = false;
                TFxStringGrid* g = FGrid;
                if (g->OnKeyPress)
                    g->OnKeyPress(this, ch);
                if (self && OnReturnKey)
                    OnReturnKey(this);
            }
            return;
        }
        if (!self)
            return;
        TFxStringGrid* g = FGrid;
        if (!ch.isNull()) {
            // The replay of the character that opened the combo was reported
            // by the grid when it was typed.
            const bool replayed = e->key() == 0 && FxTakeReplayedChar(g->InteractState(), ch);
            if (g->OnKeyPress && !replayed)
                g->OnKeyPress(this, ch);
            if (ch.unicode() == 27 || ch.unicode() == 9) {
                e->accept();
                return;
            }
            if (ch.unicode() == 13) {
                if (OnReturnKey)
                    OnReturnKey(this);
                e->accept();
                return;
            }
            if (ch.isNull()) {
                e->accept();
                return;
            }
        }
        // A choice made here reaches the grid through the activated signal.
        TSgComboBox::keyPressEvent(e);
    });
}

void TGridCombo::keyReleaseEvent(QKeyEvent* e)
{
    fw::RunGuarded([&] {
        FGrid->InteractState().NoAutoAdvance = false;
        TSgComboBox::keyReleaseEvent(e);
        Complete();
    });
}

void TGridCombo::Complete()
{
    TFxStringGrid* g = FGrid;
    if (!WorkMode || !g->Lookup() || !isEditable() || !lineEdit())
        return;
    const bool cs = g->LookupCaseSensitive();
    QLineEdit* le = lineEdit();
    const QString typed = le->text().left(le->cursorPosition());
    if (typed.isEmpty() || le->hasSelectedText())
        return;
    const QString p = cs ? typed : typed.toUpper();
    auto complete = [&](const QString& item) {
        const QString full = typed + item.mid(typed.length(), 255);
        le->setText(full);
        le->setSelection(typed.length(), full.length() - typed.length());
    };
    for (int i = 0; i < count(); ++i) {
        const QString item = itemText(i);
        if ((cs ? item : item.toUpper()).startsWith(p)) {
            const bool block = blockSignals(true);
            setCurrentIndex(i);
            blockSignals(block);
            complete(item);
            ItemIdx = i;
            ItemChange = true;
            return;
        }
    }
    const TStringList& extra = g->LookupItems();
    for (int i = 0; i < extra.Count(); ++i)
        if ((cs ? extra[i] : extra[i].toUpper()).startsWith(p)) {
            complete(extra[i]);
            return;
        }
}
