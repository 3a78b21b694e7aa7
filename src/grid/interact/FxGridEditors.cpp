// The check box and combo editors: keys, focus and changes tied to the grid.
#include "grid/interact/FxGridEditors.h"

#include "framework/Canvas.h"
#include "framework/Guard.h"
#include "grid/foundation/FxOptions.h"
#include "grid/foundation/FxUtilText_p.h"
#include "grid/interact/FxGridInteract_p.h"
#include "grid/interact/FxGridSpecialEditors_p.h"
#include "grid/model/FxGrid.h"

#include <QAbstractItemView>
#include <QApplication>
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

// Swallows the release of the press that opened a list: the list stays open
// for the choice, as it does when the press was on the combo's own button.
class TPressReleaseEater : public QObject {
public:
    TPressReleaseEater(QWidget* popup) : QObject(popup), FPopup(popup) { qApp->installEventFilter(this); }

protected:
    bool eventFilter(QObject* watched, QEvent* e) override
    {
        switch (e->type()) {
        case QEvent::MouseButtonRelease:
            if (FPopup && watched->isWidgetType() &&
                (watched == FPopup || FPopup->isAncestorOf(static_cast<QWidget*>(watched)))) {
                deleteLater();
                qApp->removeEventFilter(this);
                return true;
            }
            break;
        case QEvent::MouseButtonPress:
        case QEvent::Hide:
            if (e->type() == QEvent::MouseButtonPress || watched == FPopup) {
                qApp->removeEventFilter(this);
                deleteLater();
            }
            break;
        default:
            break;
        }
        return false;
    }

private:
    QPointer<QWidget> FPopup;
};

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
        FxGridSpecial::EndEditOnFocusLoss(*FGrid, *this, *e);
    });
}

// ================================================================ spin

int FxSpinCellInt(const QString& text)
{
    const fxutil_detail::IntLead lead = fxutil_detail::intLead(text, true);
    quint32 v = 0;
    for (int i = lead.pos; i < int(text.size()); ++i) {
        const int d = fxutil_detail::digitValue(text[i], lead.base);
        if (d < 0)
            break;
        v = v * quint32(lead.base) + quint32(d);
    }
    const int r = int(v);
    return lead.negative ? -r : r;
}

TGridSpin::TGridSpin(TFxStringGrid* grid) : TSgSpinEdit(grid->viewport()), FGrid(grid)
{
    hide();
    setEnabled(false);
    SetBorderStyle(bsNone);
    SetMaxValue(100);
    SetMinValue(0);
    SetIncrement(1);
    connect(this, &QLineEdit::textChanged, this, [this](const QString& t) {
        TFxStringGrid* g = FGrid;
        if (isVisible() && g->EditMode() && g->Events().OnEditChange)
            g->Events().OnEditChange(g, g->Col(), g->Row(), t);
    });
}

void TGridSpin::SpinClicked(bool up)
{
    TFxStringGrid* g = FGrid;
    TFxGridEvents& ev = g->Events();
    switch (SpinType()) {
    case sptNormal:
        if (ev.OnSpinClick)
            ev.OnSpinClick(g, g->Col(), g->Row(), Value(), up);
        break;
    case sptFloat:
        if (ev.OnFloatSpinClick)
            ev.OnFloatSpinClick(g, g->Col(), g->Row(), FloatValue(), up);
        break;
    case sptDate:
        if (ev.OnDateSpinClick)
            ev.OnDateSpinClick(g, g->Col(), g->Row(), DateValue(), up);
        break;
    case sptTime:
        if (ev.OnTimeSpinClick)
            ev.OnTimeSpinClick(g, g->Col(), g->Row(), TimeValue(), up);
        break;
    }
}

void TGridSpin::UpButtonClick(QObject* sender)
{
    TSgSpinEdit::UpButtonClick(sender);
    SpinClicked(true);
}

void TGridSpin::DownButtonClick(QObject* sender)
{
    TSgSpinEdit::DownButtonClick(sender);
    SpinClicked(false);
}

bool TGridSpin::KeyDown(int& key, TShiftState shift)
{
    QPointer<TFxStringGrid> g = FGrid;
    QPointer<TGridSpin> self(this);
    TFxGridInteractState& s = TFxGridEditorAccess::State(*g);
    TNavigation& nav = g->Navigation();
    const bool numeric = SpinType() == sptNormal || SpinType() == sptFloat;
    // Page keys step within the limits, End and Home go to them. Two equal
    // limits are none: the page keys always step and End and Home keep the value.
    if (numeric && (key == VK_PRIOR || key == VK_NEXT || key == VK_END || key == VK_HOME)) {
        const bool up = key == VK_PRIOR || key == VK_HOME;
        if (SpinType() == sptNormal) {
            const bool limited = MinValue() != MaxValue();
            const int v = Value();
            if (key == VK_PRIOR && (!limited || v + Increment() <= MaxValue()))
                SetValue(v + Increment());
            else if (key == VK_NEXT && (!limited || v - Increment() >= MinValue()))
                SetValue(v - Increment());
            else if (key == VK_END && limited)
                SetValue(MinValue());
            else if (key == VK_HOME && limited)
                SetValue(MaxValue());
        } else {
            const bool limited = MinFloatValue() != MaxFloatValue();
            const double v = FloatValue();
            if (key == VK_PRIOR && (!limited || v + IncrementFloat() <= MaxFloatValue()))
                SetFloatValue(v + IncrementFloat());
            else if (key == VK_NEXT && (!limited || v - IncrementFloat() >= MinFloatValue()))
                SetFloatValue(v - IncrementFloat());
            else if (key == VK_END && limited)
                SetFloatValue(MinFloatValue());
            else if (key == VK_HOME && limited)
                SetFloatValue(MaxFloatValue());
        }
        if (g->Events().OnSpinClick)
            g->Events().OnSpinClick(g, g->Col(), g->Row(), Value(), up);
        key = 0;
        return false;
    }
    if (key != VK_ESCAPE && key != VK_TAB && key != VK_RETURN && key != VK_UP && key != VK_DOWN)
        return true;
    if (key == VK_ESCAPE) {
        setText(g->OriginalCellValue());
        if (SpinType() == sptNormal)
            SetValue(Value());
        else if (SpinType() == sptFloat)
            SetFloatValue(FloatValue());
    } else {
        g->SetCurrentCell(text());
        const bool ok = g->ValidateCell(text());
        if (!self || !g)
            return false;
        // A refused value shows what the cell holds again; an accepted one
        // what validation made of it.
        setText(g->CurrentCell());
        if (!ok) {
            end(false);
            key = 0;
            s.NoAutoAdvance = true;
            update();
            return false;
        }
    }
    if (key == VK_TAB && (g->Options() & goTabs)) {
        g->HideInplaceEdit();
        if (!g)
            return false;
        g->SetFocus();
        g->AdvanceOnTab(shift.Contains(ssShift));
        key = 0;
        return false;
    }
    const int k = key;
    key = 0;
    g->DoneInplaceEdit(k, shift);
    if (g && k == VK_RETURN && nav.AdvanceOnEnter() && nav.AdvanceAutoEdit() && !s.NoAutoAdvance)
        g->ShowInplaceEdit();
    return false;
}

bool TGridSpin::event(QEvent* e)
{
    if (FxGridSpecial::TabIsEditors(e, (FGrid->Options() & goTabs) != 0)) {
        keyPressEvent(static_cast<QKeyEvent*>(e));
        return true;
    }
    return TSgSpinEdit::event(e);
}

void TGridSpin::keyPressEvent(QKeyEvent* e)
{
    fw::RunGuarded([&] {
        QPointer<TGridSpin> self(this);
        if (!FxGridSpecial::PassKeyDown(*this, *e))
            return;
        const QChar typed = CharCodeFromEvent(*e);
        if (!typed.isNull()) {
            // Tab and Enter make no character here; Escape has ended the edit.
            if (typed.unicode() == 9 || typed.unicode() == 13 || typed.unicode() == 27) {
                e->accept();
                return;
            }
            QChar ch = typed;
            TFxStringGrid* g = FGrid;
            if (g->OnKeyPress && !FxIsReplayedChar(*g, *e, typed))
                g->OnKeyPress(g, ch);
            if (!self)
                return;
            if (ch.isNull()) {
                e->accept();
                return;
            }
            if (ch != typed) {
                HandleWmChar(ch, e->modifiers() & Qt::KeypadModifier);
                if (!ch.isNull())
                    insert(QString(ch));
                e->accept();
                return;
            }
        }
        TSgSpinEdit::keyPressEvent(e);
    });
}

void TGridSpin::focusOutEvent(QFocusEvent* e)
{
    fw::RunGuarded([&] {
        QPointer<TGridSpin> self(this);
        FxGridSpecial::EndEditOnFocusLoss(*FGrid, *this, *e);
        if (self)
            TSgSpinEdit::focusOutEvent(e);
    });
}

// ================================================================ combo

TGridCombo::TGridCombo(TFxStringGrid* grid) : TSgComboBox(grid->viewport()), FGrid(grid)
{
    hide();
    setEnabled(false);
    SetButtonWidth(16);
    setInsertPolicy(QComboBox::NoInsert);
    SetAutoComplete(false);
    // Flat in the grid's looks, it keeps the colour of the cell it edits, not
    // the grid's background around the cells.
    SetFlatParentColor(false);
    connect(this, &QComboBox::editTextChanged, this, [this](const QString& text) {
        TFxStringGrid* g = FGrid;
        if (g->EditMode() && g->Events().OnEditChange)
            g->Events().OnEditChange(g, g->Col(), g->Row(), text);
    });
    // A list-only combo has no edit text: its selection is what changes.
    connect(this, &QComboBox::currentIndexChanged, this, [this](int) {
        TFxStringGrid* g = FGrid;
        if (!isEditable() && isVisible() && g->EditMode() && g->Events().OnEditChange)
            g->Events().OnEditChange(g, g->Col(), g->Row(), currentText());
    });
    connect(this, &QComboBox::activated, this, [this](int) {
        FGrid->InteractState().ComboUserChose = true;
        if (FGrid->EditMode())
            FireComboChange();
    });
}

void TGridCombo::DropDown()
{
    const bool pressed = QApplication::mouseButtons() & Qt::LeftButton;
    showPopup();
    if (pressed && view() && view()->window() != window())
        new TPressReleaseEater(view()->window());
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
        // The list popping up takes the focus for a moment, and so does the
        // window's activation going elsewhere: the edit goes on.
        if (FxGridSpecial::FocusGoesToPopup(*e) || (view() && view()->isVisible()))
            return;
        TFxStringGrid* g = FGrid;
        if (!isVisible() || FxGridSpecial::FocusTakenByHeldPress(*g, *this))
            return;
        if (g->LookupHistory() && !currentText().isEmpty() && findText(currentText()) < 0)
            addItem(currentText());
        QPointer<TFxStringGrid> grid(g);
        g->HideInplaceEdit();
        if (grid)
            FxGridSpecial::HoldRefusedPress(*grid);
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
