// The edit-button, unit and button editors: keys, characters, clicks and
// focus tied to the grid.
#include "grid/interact/FxGridBtnEditors.h"

#include "framework/Clipboard.h"
#include "framework/Dialogs.h"
#include "framework/Guard.h"
#include "framework/SysUtils.h"
#include "framework/Timer.h"
#include "grid/foundation/FxOptions.h"
#include "grid/interact/FxGridSpecialEditors_p.h"
#include "grid/model/FxGrid.h"

#include <QKeyEvent>
#include <QPointer>

using namespace fw;

namespace {

bool IsPasteKey(QKeyEvent& e)
{
    return e.matches(QKeySequence::Paste);
}

// The character rules the edit-button and unit editors share with the text
// editor's number kinds; false drops the character.
bool KindCharRule(QLineEdit& e, TEditorType kind, QChar& ch)
{
    const ushort c = ch.unicode();
    const bool control = c < 32;
    const bool ctrl = KeyboardStateToShiftState().Contains(ssCtrl);
    switch (kind) {
    case edEditBtn:
    case edMaskEditBtn:
    case edUnitEditBtn:
        return true;
    case edNumericEditBtn:
    case edNumericUnitEditBtn:
        if (control || (c >= '0' && c <= '9'))
            return true;
        if (c == '-' && !e.text().contains(QLatin1Char('-')) && e.cursorPosition() == 0 && !e.hasSelectedText())
            return true;
        Beep();
        return false;
    case edFloatEditBtn:
    case edFloatUnitEditBtn: {
        if (control || (c >= '0' && c <= '9'))
            return true;
        const QChar dec = FormatSettings().DecimalSeparator;
        const QString sel = e.selectedText();
        if (ch == dec)
            return !e.text().contains(dec) || sel.contains(dec);
        if (ch == FormatSettings().ThousandSeparator)
            return false;
        if (c == '-') {
            if ((e.cursorPosition() != 0 || e.text().contains(QLatin1Char('-'))) && !sel.contains(QLatin1Char('-'))) {
                Beep();
                return false;
            }
            return true;
        }
        return ctrl;
    }
    default:
        return false;
    }
}

bool NoShiftKey(TShiftState shift)
{
    return !shift.Contains(ssShift) && !shift.Contains(ssCtrl) && !shift.Contains(ssAlt);
}

} // namespace

// ================================================================ edit with button

TGridEditBtn::TGridEditBtn(TFxStringGrid* grid) : TSgEditBtn(grid->viewport()), FGrid(grid)
{
    hide();
    setEnabled(false);
    SetBorderStyle(bsNone);
    OnClickBtn = [this](QObject*) { EllipsClick(); };
    connect(this, &QLineEdit::textChanged, this, [this](const QString& t) {
        TFxStringGrid* g = FGrid;
        if (isVisible() && g->EditMode() && g->Events().OnEditChange)
            g->Events().OnEditChange(g, g->Col(), g->Row(), t);
    });
}

void TGridEditBtn::EllipsClick()
{
    QPointer<TFxStringGrid> g = FGrid;
    QPointer<TGridEditBtn> self(this);
    const QString t = g->DoEllipsClick(text());
    if (!self || !g)
        return;
    setText(t);
    selectAll();
    update();
    if (FStopEditAfterClick) {
        g->HideInplaceEdit();
        g->SetFocus();
    }
}

bool TGridEditBtn::FilterChar(QChar& ch)
{
    return KindCharRule(*this, FGrid->CurrentEditor(), ch);
}

bool TGridEditBtn::KeyDown(int& key, TShiftState shift)
{
    QPointer<TFxStringGrid> g = FGrid;
    TFxGridInteractState& s = TFxGridEditorAccess::State(*g);
    const bool navKey = key == VK_TAB || key == VK_RETURN || key == VK_ESCAPE || key == VK_PRIOR ||
                        key == VK_NEXT || key == VK_UP || key == VK_DOWN;
    if (!navKey && g->OnKeyDown) {
        g->OnKeyDown(g, key, shift);
        if (key == 0)
            return false;
    }
    WorkMode = !(key == VK_BACK || key == VK_DELETE);
    FSelKeyDown = hasSelectedText() ? selectionStart() : cursorPosition();
    if (shift.Contains(ssCtrl) || !navKey)
        return true;
    const TEditorType kindAtStart = s.CurrentEditor;
    QPointer<TGridEditBtn> self(this);
    if (key == VK_TAB || key == VK_RETURN || key == VK_UP || key == VK_DOWN) {
        g->SetCurrentCell(text());
        const bool ok = g->ValidateCell(text());
        if (!self || !g)
            return false;
        setText(s.NewCellText);
        if (!ok) {
            selectAll();
            update();
            key = 0;
            s.CurrentEditor = kindAtStart;
            return false;
        }
    }
    if (key == VK_TAB && g->HasCellValidation()) {
        g->SetCurrentCell(text());
        if (!g->ValidateCell(text())) {
            if (!self || !g)
                return false;
            setText(s.NewCellText);
            end(false);
            update();
            key = 0;
            return false;
        }
        if (FxGridSpecial::TabOn(*g, shift))
            return false;
    }
    if (key == VK_ESCAPE)
        setText(g->OriginalCellValue());
    g->DoneInplaceEdit(key, shift);
    return false;
}

bool TGridEditBtn::event(QEvent* e)
{
    if (FxGridSpecial::TabIsEditors(e, FGrid->HasCellValidation())) {
        keyPressEvent(static_cast<QKeyEvent*>(e));
        return true;
    }
    return TSgEditBtn::event(e);
}

void TGridEditBtn::keyPressEvent(QKeyEvent* e)
{
    fw::RunGuarded([&] {
        QPointer<TGridEditBtn> self(this);
        if (IsPasteKey(*e)) {
            if (CanCutOrPaste())
                Paste();
            e->accept();
            return;
        }
        if (!FxGridSpecial::PassKeyDown(*this, *e))
            return;
        QChar ch = CharCodeFromEvent(*e);
        if (!ch.isNull()) {
            const QChar typed = ch;
            if (ch.unicode() == 13 || ch.unicode() == 9 || !FilterChar(ch)) {
                e->accept();
                return;
            }
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
                if (EditorEnabled() && !isReadOnly())
                    insert(QString(ch));
                e->accept();
                return;
            }
        }
        TSgEditBtn::keyPressEvent(e);
    });
}

void TGridEditBtn::keyReleaseEvent(QKeyEvent* e)
{
    fw::RunGuarded([&] {
        int key = VirtualKeyFromEvent(*e);
        KeyUp(key, ShiftStateFromEvent(*e));
        if (key == 0) {
            e->accept();
            return;
        }
        if (key != VK_RETURN)
            TSgEditBtn::keyReleaseEvent(e);
        LookupComplete();
    });
}

void TGridEditBtn::KeyUp(int& key, TShiftState shift)
{
    QPointer<TFxStringGrid> g = FGrid;
    if (g->OnKeyUp) {
        g->OnKeyUp(g, key, shift);
        if (key == 0)
            return;
    }
    TNavigation& nav = g->Navigation();
    if (!nav.CursorWalkEditor() || hasSelectedText() || !NoShiftKey(shift))
        return;
    const bool right = key == VK_RIGHT && cursorPosition() == text().length();
    const bool left = key == VK_LEFT && FSelKeyDown == 0;
    if (!right && !left)
        return;
    key = 0;
    const int span = right ? g->CellSpan(g->RealCol(), g->Row()).X : 0;
    const int target = right ? g->Col() + span + 1 : g->Col() - 1;
    const bool inRange = right ? g->Col() < g->ColCount() - g->FixedRightCols() - 1 : g->Col() > g->FixedCols();
    if (inRange && g->IsClickableCell(g->RealColIndex(target), g->Row())) {
        if (g->ValidateCell(text())) {
            g->HideInplaceEdit();
            g->SetCol(target);
        }
        return;
    }
    g->SetFocus();
    const TAdvanceDirection dir = nav.AdvanceDirection();
    nav.SetAdvanceDirection(adLeftRight);
    g->AdvanceAfterEdit(g->Col(), g->Row(), false, false, right, false, true);
    if (g)
        g->Navigation().SetAdvanceDirection(dir);
    if (g && nav.CursorWalkAlwaysEdit())
        g->ShowInplaceEdit();
}

void TGridEditBtn::LookupComplete()
{
    if (!WorkMode || hasSelectedText())
        return;
    const int typed = cursorPosition();
    const QString full = FxGridSpecial::LookupCompletion(*FGrid, text(), typed);
    if (full.isNull())
        return;
    setText(full);
    setSelection(typed, int(full.length()) - typed);
}

void TGridEditBtn::Paste()
{
    TFxStringGrid* g = FGrid;
    QString t = Clipboard().AsText();
    bool allow = !t.isNull();
    if (g->Events().OnClipboardPaste)
        g->Events().OnClipboardPaste(g, allow);
    if (!allow)
        return;
    if (const auto& e = g->Events().OnClipboardBeforePasteCell) {
        e(g, g->Col(), g->Row(), t, allow);
        if (!allow)
            return;
    }
    if (t.endsWith(QLatin1String("\r\n")) && t.indexOf(QLatin1String("\r\n")) == t.length() - 2)
        t.chop(2);
    const int start = hasSelectedText() ? selectionStart() : cursorPosition();
    const int len = hasSelectedText() ? int(selectedText().length()) : 0;
    QString r = text();
    r.replace(start, len, t);
    setText(r);
    g->SetCurrentCellText(text());
    if (len > 0)
        setSelection(start, int(t.length()));
    else
        setCursorPosition(start + int(t.length()));
}

void TGridEditBtn::mouseDoubleClickEvent(QMouseEvent* e)
{
    fw::RunGuarded([&] {
        TSgEditBtn::mouseDoubleClickEvent(e);
        TFxStringGrid* g = FGrid;
        if (const auto& h = g->Events().OnDblClickCell)
            h(g, g->Row(), g->Col());
    });
}

void TGridEditBtn::focusOutEvent(QFocusEvent* e)
{
    fw::RunGuarded([&] {
        FxGridSpecial::EndEditOnFocusLoss(*FGrid, *this, *e);
        TSgEditBtn::focusOutEvent(e);
    });
}

// ================================================================ unit edit

TGridUnitEditBtn::TGridUnitEditBtn(TFxStringGrid* grid) : TSgUnitEditBtn(grid->viewport()), FGrid(grid)
{
    hide();
    setEnabled(false);
    SetBorderStyle(bsNone);
    OnClickBtn = [this](QObject*) {
        QPointer<TGridUnitEditBtn> self(this);
        const QString t = FGrid->DoEllipsClick(text());
        if (!self)
            return;
        setText(t);
        selectAll();
        update();
    };
    OnUnitChanged = [this](QObject*, const QString& unit) {
        TFxStringGrid* g = FGrid;
        if (const auto& e = g->Events().OnUnitChanged)
            e(g, g->Col(), g->Row(), unit);
    };
}

bool TGridUnitEditBtn::FilterChar(QChar& ch)
{
    return KindCharRule(*this, FGrid->CurrentEditor(), ch);
}

bool TGridUnitEditBtn::KeyDown(int& key, TShiftState shift)
{
    const bool navKey = key == VK_TAB || key == VK_RETURN || key == VK_ESCAPE || key == VK_PRIOR ||
                        key == VK_NEXT || key == VK_UP || key == VK_DOWN;
    if (!navKey)
        return true;
    QPointer<TFxStringGrid> g = FGrid;
    QPointer<TGridUnitEditBtn> self(this);
    if (key == VK_TAB || key == VK_RETURN || key == VK_UP || key == VK_DOWN) {
        const QString value = TextAndUnit();
        g->SetCurrentCell(value);
        const bool ok = g->ValidateCell(value);
        if (!self || !g)
            return false;
        if (!ok) {
            setText(g->CurrentCell());
            return false;
        }
        SetTextAndUnit(g->CurrentCell());
    }
    if (key == VK_RETURN && g->Navigation().AdvanceOnEnter()) {
        g->HideInplaceEdit();
        g->SetFocus();
        key = 0;
        g->AdvanceAfterEdit(g->Col(), g->Row(), false, false, true, true, false);
        return false;
    }
    if (key == VK_TAB && (g->Options() & goTabs)) {
        g->HideInplaceEdit();
        g->SetFocus();
        g->AdvanceOnTab(shift.Contains(ssShift));
        return false;
    }
    if (key == VK_ESCAPE) {
        SetUnitID(QString());
        setText(g->CurrentCell());
    }
    g->DoneInplaceEdit(key, shift);
    return false;
}

bool TGridUnitEditBtn::event(QEvent* e)
{
    if (FxGridSpecial::TabIsEditors(e, bool(FGrid->Options() & goTabs))) {
        keyPressEvent(static_cast<QKeyEvent*>(e));
        return true;
    }
    return TSgUnitEditBtn::event(e);
}

void TGridUnitEditBtn::keyPressEvent(QKeyEvent* e)
{
    fw::RunGuarded([&] {
        if (!FxGridSpecial::PassKeyDown(*this, *e))
            return;
        QChar ch = CharCodeFromEvent(*e);
        if (!ch.isNull() && (ch.unicode() == 13 || !FilterChar(ch))) {
            e->accept();
            return;
        }
        TSgUnitEditBtn::keyPressEvent(e);
    });
}

void TGridUnitEditBtn::focusOutEvent(QFocusEvent* e)
{
    fw::RunGuarded([&] {
        // The unit menu takes the focus for a moment: the edit goes on.
        FxGridSpecial::EndEditOnFocusLoss(*FGrid, *this, *e);
        TSgUnitEditBtn::focusOutEvent(e);
    });
}

// ================================================================ button

TGridButton::TGridButton(TFxStringGrid* grid) : QPushButton(grid->viewport()), FGrid(grid)
{
    hide();
    setEnabled(false);
    setAutoDefault(false);
}

void TGridButton::TakeEllipsText()
{
    QPointer<TGridButton> self(this);
    const QString t = FGrid->DoEllipsClick(text());
    if (!self)
        return;
    setText(t);
    FGrid->SetCurrentCell(t);
}

void TGridButton::HideButton()
{
    TFxStringGrid* g = FGrid;
    // The edit is over before the focus leaves, so the focus loss ends nothing more.
    TFxGridEditorAccess::State(*g).EditMode = false;
    g->HideEditor();
    g->SetFocus();
    hide();
    setEnabled(false);
}

bool TGridButton::event(QEvent* e)
{
    // The arrows are the button's (they leave it), not the focus chain's.
    if (e->type() == QEvent::KeyPress) {
        const int k = static_cast<QKeyEvent*>(e)->key();
        if (k == Qt::Key_Left || k == Qt::Key_Right || k == Qt::Key_Up || k == Qt::Key_Down) {
            keyPressEvent(static_cast<QKeyEvent*>(e));
            return true;
        }
    }
    return QPushButton::event(e);
}

void TGridButton::keyPressEvent(QKeyEvent* e)
{
    fw::RunGuarded([&] {
        QPointer<TFxStringGrid> g = FGrid;
        const int key = VirtualKeyFromEvent(*e);
        if (key == VK_LEFT || key == VK_RIGHT || key == VK_UP || key == VK_DOWN) {
            g->Perform(WM_KEYDOWN, key, 0);
            if (!g)
                return;
            HideButton();
            g->Perform(WM_KEYUP, key, 0);
            e->accept();
            return;
        }
        if (key == VK_ESCAPE) {
            // The text is put back while the edit is still open: ending it
            // first would settle the clicked text as the cell's.
            g->RestoreCachedCell();
            HideButton();
            g->Perform(WM_KEYDOWN, VK_ESCAPE, 0);
            e->accept();
            return;
        }
        QPushButton::keyPressEvent(e);
    });
}

void TGridButton::keyReleaseEvent(QKeyEvent* e)
{
    fw::RunGuarded([&] {
        QPointer<TGridButton> self(this);
        if (e->key() == Qt::Key_Space && !e->isAutoRepeat() && isDown()) {
            TakeEllipsText();
            if (!self)
                return;
            QPushButton::keyReleaseEvent(e);
            if (!self)
                return;
            setFocus(Qt::OtherFocusReason);
            update();
            return;
        }
        QPushButton::keyReleaseEvent(e);
    });
}

void TGridButton::mouseReleaseEvent(QMouseEvent* e)
{
    fw::RunGuarded([&] {
        QPointer<TGridButton> self(this);
        if (e->button() == Qt::LeftButton && isDown() && rect().contains(e->position().toPoint()))
            TakeEllipsText();
        if (self)
            QPushButton::mouseReleaseEvent(e);
    });
}

void TGridButton::focusOutEvent(QFocusEvent* e)
{
    fw::RunGuarded([&] {
        FxGridSpecial::EndEditOnFocusLoss(*FGrid, *this, *e);
        QPushButton::focusOutEvent(e);
    });
}
