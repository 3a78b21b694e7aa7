// The feature grid's text editor: what it adds to the framework's in-place
// edit (filters, limit, completion, clipboard events, validation on keys).
#include "grid/interact/FxInplaceEdit.h"

#include "framework/Clipboard.h"
#include "framework/Guard.h"
#include "framework/NoActivate.h"
#include "framework/SysColors.h"
#include "framework/SysUtils.h"
#include "framework/Timer.h"
#include "grid/foundation/FxOptions.h"
#include "grid/foundation/FxUtilText.h"
#include "grid/interact/FxGridInteract_p.h"
#include "grid/interact/FxGridSpecialEditors_p.h"
#include "grid/model/FxGrid.h"

#include <QApplication>
#include <QPointer>
#include <QScrollBar>

using namespace fw;


TFxInplaceEdit::TFxInplaceEdit(TFxStringGrid* grid) : TInplaceEdit(grid), FGrid(grid)
{
    if (grid->CurrentEditor() == edPassword)
        setEchoMode(QLineEdit::Password);
}

void TFxInplaceEdit::WndProc(TMessage& m)
{
    // An error of a grid event handler must not unwind through Qt.
    RunGuarded([&] { HandleMessage(m); });
}

void TFxInplaceEdit::HandleMessage(TMessage& m)
{
    TFxGridInteractState& s = FGrid->InteractState();
    switch (m.Msg) {
    case WM_SYSKEYDOWN:
        if (int(m.WParam) == VK_BACK)
            FAltBack = true;
        break;
    case WM_SYSKEYUP:
        if (int(m.WParam) == VK_BACK)
            FAltBack = false;
        break;
    case WM_KEYDOWN:
        FKeyConsumed = false;
        if (!PreKeyDown(int(m.WParam & 0xFFFF), KeyboardStateToShiftState())) {
            // A key consumed here makes no character either.
            FKeyConsumed = true;
            m.Result = 1;
            return;
        }
        break;
    case WM_CHAR: {
        if (FKeyConsumed) {
            FKeyConsumed = false;
            m.Result = 1;
            return;
        }
        QChar ch(char16_t(m.WParam & 0xFFFF));
        // The replay of the character that opened the editor (sent without
        // key data) was a key press the grid has reported already.
        if (m.LParam == 0 && FxTakeReplayedChar(s, ch))
            s.KeyPressReported = true;
        struct Reset {
            QPointer<TFxStringGrid> grid;
            ~Reset()
            {
                if (grid)
                    grid->InteractState().KeyPressReported = false;
            }
        } reset{FGrid};
        // The keypad's decimal key types the decimal separator of the locale.
        if (FGrid->ExcelStyleDecimalSeparator() && ch == QLatin1Char('.') && KeyDataIsKeypadDecimal(m.LParam))
            ch = FormatSettings().DecimalSeparator;
        if (!FilterChar(ch, KeyboardStateToShiftState())) {
            m.Result = 1;
            return;
        }
        m.WParam = ch.unicode();
        Dispatch(m);
        // A text filled up to the edit limit moves on by itself.
        const int max = FGrid->MaxEditLength();
        if (FGrid->Navigation().AdvanceAuto() && FGrid->Navigation().AdvanceOnEnter() && max > 0 &&
            text().length() == max && !hasSelectedText() && cursorPosition() == text().length()) {
            QChar enter(char16_t(13));
            FGrid->KeyPress(enter);
        }
        return;
    }
    case WM_SETFOCUS:
        Dispatch(m);
        FocusGained();
        return;
    case WM_KILLFOCUS:
        s.StartEditChar = QChar();
        if (FGrid->LookupHistory() && FGrid->LookupItems().IndexOf(text()) < 0)
            FGrid->LookupItems().Add(text());
        Dispatch(m);
        FocusLost(reinterpret_cast<QWidget*>(m.WParam));
        return;
    default:
        break;
    }
    Dispatch(m);
}

// The steps before the framework's key-down processing; false consumes the key.
bool TFxInplaceEdit::PreKeyDown(int key, TShiftState shift)
{
    TFxStringGrid* g = FGrid;
    TFxGridInteractState& s = g->InteractState();
    TNavigation& nav = g->Navigation();
    FOldSelStart = cursorPosition();
    const bool ctrl = shift.Contains(ssCtrl);
    if (key == VK_ESCAPE) {
        SetText(g->OriginalCellValue());
        g->HideInplaceEdit();
    }
    if (key == 'A' && ctrl && !IsKeyDown(VK_RMENU)) {
        selectAll();
        return false;
    }
    if (key == VK_RETURN && ctrl && !(nav.AllowCtrlEnter() && (g->WordWrap() || g->Multilinecells())))
        return false;
    if (key == VK_TAB && g->HasCellValidation()) {
        if (g->ValidateCell(text())) {
            SetText(s.NewCellText);
            g->HideInplaceEdit();
            if (g->Options() & goTabs) {
                g->AdvanceOnTab(shift.Contains(ssShift));
                return false;
            }
            g->PostMessage(WM_KEYDOWN, VK_TAB, 0);
        } else {
            RefusalRestore();
        }
        return false;
    }
    // Shift with the arrow that leaves the text at its end ends the edit in
    // place: the grid takes the keyboard back.
    if (nav.CursorWalkEditor() &&
        ((key == VK_LEFT && shift.Contains(ssShift) && cursorPosition() == 0) ||
         (key == VK_RIGHT && shift.Contains(ssShift) && cursorPosition() == text().length()))) {
        if (s.Validating)
            g->SetCurrentCell(text());
        if (g->ValidateCell(text())) {
            SetText(s.NewCellText);
            g->HideInplaceEdit();
            g->SetFocus();
        } else {
            RefusalRestore();
        }
        return false;
    }
    // A single-line edit has its caret on the first and the last line.
    const bool leaveByArrow = key == VK_UP || key == VK_DOWN;
    if (leaveByArrow) {
        if (s.Validating)
            g->SetCurrentCell(text());
        if (!g->ValidateCell(text())) {
            RefusalRestore();
            return false;
        }
        SetText(s.NewCellText);
    }
    if (key == VK_RETURN && !nav.LineFeedOnEnter() && !ctrl) {
        if (!g->ValidateCell(text())) {
            RefusalRestore();
            return false;
        }
        SetText(s.NewCellText);
    }
    if (key == VK_HOME && !ctrl && !shift.Contains(ssShift))
        setCursorPosition(0);
    if (key == VK_END && !ctrl && !shift.Contains(ssShift))
        setCursorPosition(text().length());
    return true;
}

void TFxInplaceEdit::RefusalRestore()
{
    TFxGridInteractState& s = FGrid->InteractState();
    // The refused text goes back into the editor only: the cell keeps what
    // validation left there.
    const bool noChange = s.NoEditChange;
    s.NoEditChange = true;
    SetText(s.NewCellText);
    s.NoEditChange = noChange;
    if (FGrid->Navigation().EditSelectAll())
        selectAll();
    else
        Deselect();
    update();
}

void TFxInplaceEdit::KeyDown(int& Key, TShiftState Shift)
{
    TFxStringGrid* g = FGrid;
    FSelKeyDown = cursorPosition();
    if (Key == VK_BACK || Key == VK_DELETE)
        Workmode = false;
    else if (Key != VK_RETURN && Key != VK_UP && Key != VK_DOWN)
        Workmode = true;
    if (Key == VK_RETURN && !g->Navigation().AllowCtrlEnter() && (g->WordWrap() || g->Multilinecells()))
        g->InteractState().Editing = false;
    TInplaceEdit::KeyDown(Key, Shift);
}

void TFxInplaceEdit::KeyUp(int& Key, TShiftState Shift)
{
    TFxStringGrid* g = FGrid;
    TNavigation& nav = g->Navigation();
    const bool plain = !Shift.Contains(ssShift) && !Shift.Contains(ssCtrl) && !Shift.Contains(ssAlt);
    const bool walkLeft = Key == VK_LEFT && plain && !hasSelectedText() && FSelKeyDown == 0 && cursorPosition() == 0;
    const bool walkRight =
        Key == VK_RIGHT && plain && !hasSelectedText() && text().length() == FOldSelStart;
    if (nav.CursorWalkEditor() && (walkLeft || walkRight)) {
        // The caret walks out of the text into the neighbouring cell.
        Key = 0;
        QPointer<TFxInplaceEdit> self(this);
        const int span = walkRight ? std::max(0, g->CellSpan(g->RealCol(), g->Row()).X) : 0;
        const int next = walkRight ? g->Col() + span + 1 : g->Col() - 1;
        const bool nextClickable = walkRight ? g->Col() < g->ColCount() - g->FixedRightCols() - 1
                                             : g->Col() > g->FixedCols();
        if (nextClickable && g->IsClickableCell(g->RealColIndex(next), g->Row())) {
            // A check box or button beside the text takes the cell, not an editor.
            if (g->ValidateCell(text())) {
                g->HideInplaceEdit();
                g->SetCol(next);
            } else {
                RefusalRestore();
            }
            return;
        }
        // A refused value stays in the editor, as with the other keys.
        if (!g->ValidateCell(text())) {
            RefusalRestore();
            return;
        }
        g->HideInplaceEdit();
        const TAdvanceDirection dir = nav.AdvanceDirection();
        nav.SetAdvanceDirection(adLeftRight);
        struct Restore {
            TNavigation& nav;
            TAdvanceDirection dir;
            ~Restore() { nav.SetAdvanceDirection(dir); }
        } restore{nav, dir};
        g->AdvanceAfterEdit(g->Col(), g->Row(), true, false, walkRight, true, true);
        if (!self)
            return;
        // Without CursorWalkAlwaysEdit the new cell is only current.
        if (!nav.CursorWalkAlwaysEdit())
            g->HideInplaceEdit();
        return;
    }
    TInplaceEdit::KeyUp(Key, Shift);
    LookupComplete();
}

void TFxInplaceEdit::LookupComplete()
{
    if (!Workmode || hasSelectedText())
        return;
    const int typed = cursorPosition();
    const QString full = FxGridSpecial::LookupCompletion(*FGrid, text(), typed);
    if (full.isNull())
        return;
    SetText(full);
    setSelection(typed, int(full.length()) - typed);
}

// The character rules of the editor kinds; false drops the character.
bool TFxInplaceEdit::FilterChar(QChar& ch, TShiftState shift)
{
    TFxStringGrid* g = FGrid;
    const ushort c = ch.unicode();
    const bool ctrl = shift.Contains(ssCtrl);
    if (c == 1 && ctrl)
        return false;
    if (c == 10 && ctrl && !(g->Navigation().AllowCtrlEnter() && (g->WordWrap() || g->Multilinecells())))
        return false;
    if (FLengthLimit > 0 && text().length() >= FLengthLimit && !hasSelectedText() && c != 8 && c != 27 && c != 13)
        return false;
    if (c == 22) {
        Paste();
        return false;
    }
    const bool control = c == 8 || c == 9 || c == 13 || c == 27 || c < 32;
    auto refuse = [] {
        Beep();
        return false;
    };
    const QChar dec = FormatSettings().DecimalSeparator;
    switch (g->CurrentEditor()) {
    case edNormal:
    case edPassword:
        return true;
    case edNumeric:
        if (control || ch.isDigit())
            return true;
        if (c == '-' && !text().contains(QLatin1Char('-')) && cursorPosition() == 0 && !hasSelectedText())
            return true;
        return refuse();
    case edPositiveNumeric:
        if (control || (c >= '0' && c <= '9'))
            return true;
        return refuse();
    case edFloat:
    case edPositiveFloat: {
        if (control || (c >= '0' && c <= '9'))
            return true;
        const QString sel = selectedText();
        if (ch == dec && text().contains(dec) && !sel.contains(dec))
            return false;
        if (ch == FormatSettings().ThousandSeparator && ch != dec)
            return false;
        if (c == '-') {
            if (g->CurrentEditor() == edPositiveFloat)
                return refuse();
            if ((cursorPosition() != 0 || text().contains(QLatin1Char('-'))) && !sel.contains(QLatin1Char('-')))
                return refuse();
            return true;
        }
        if (c == ',' || c == '.')
            return true;
        return ctrl;
    }
    case edCapital:
    case edUpperCase:
        ch = ch.toUpper();
        return true;
    case edLowerCase:
        ch = ch.toLower();
        return true;
    case edMixedCase:
        if (!control) {
            const int pos = cursorPosition();
            insert(QString(ch));
            SetText(ProperCaseName(text()));
            setCursorPosition(std::min<int>(pos + 1, text().length()));
            return false;
        }
        return true;
    case edValidChars: {
        if (c == 8 || c == 13)
            return true;
        const QString valid = g->ValidChars();
        if (valid.isEmpty() ? c <= 255 : valid.contains(ch))
            return true;
        return refuse();
    }
    default:
        return false;
    }
}

void TFxInplaceEdit::Paste()
{
    TFxStringGrid* g = FGrid;
    TFxGridEvents& ev = g->Events();
    QString t = Clipboard().AsText();
    bool allow = !t.isNull();
    if (ev.OnClipboardPaste)
        ev.OnClipboardPaste(this, allow);
    if (!allow)
        return;
    if (FLengthLimit > 0 && t.length() > FLengthLimit)
        return;
    if (t.endsWith(QLatin1String("\r\n")) && t.indexOf(QLatin1String("\r\n")) == t.length() - 2)
        t.chop(2);
    const int start = hasSelectedText() ? selectionStart() : cursorPosition();
    const int len = hasSelectedText() ? selectedText().length() : 0;
    QString r = text();
    r.replace(start, len, t);
    if (FLengthLimit > 0 && r.length() > FLengthLimit)
        return;
    switch (g->CurrentEditor()) {
    case edNumeric:
    case edPositiveNumeric:
        if (NumericTextKind(r) != 0 || (g->CurrentEditor() == edPositiveNumeric && r.contains(QLatin1Char('-'))))
            return;
        break;
    case edFloat:
    case edPositiveFloat: {
        const int k = NumericTextKind(r);
        if ((k != 0 && k != 1) || (g->CurrentEditor() == edPositiveFloat && r.contains(QLatin1Char('-'))))
            return;
        break;
    }
    case edMixedCase: r = ProperCaseName(r); break;
    case edLowerCase: r = r.toLower(); break;
    case edUpperCase: r = r.toUpper(); break;
    case edValidChars:
        for (QChar ch : r)
            if (!g->ValidChars().contains(ch))
                return;
        break;
    default: break;
    }
    SetText(r);
    g->SetCurrentCellText(text());
    if (len > 0)
        setSelection(start, t.length());
    else
        setCursorPosition(start + t.length());
}

void TFxInplaceEdit::KeyPress(QChar& Key)
{
    TFxStringGrid* g = FGrid;
    if (Key.unicode() == 13 && !g->Navigation().LineFeedOnEnter()) {
        if (!g->ValidateCell(text())) {
            SetText(g->CurrentCell());
            Key = QChar();
            return;
        }
    }
    TInplaceEdit::KeyPress(Key);
    if (!Key.isNull() && g->Navigation().AdvanceAuto() && !EditMask().isEmpty() &&
        !text().contains(QLatin1Char(' ')) && cursorPosition() == text().length()) {
        QChar enter(char16_t(13));
        g->KeyPress(enter);
    }
}

void TFxInplaceEdit::Change()
{
    TInplaceEdit::Change();
    TFxStringGrid* g = FGrid;
    if (!g->InteractState().NoEditChange && g->Events().OnEditChange)
        g->Events().OnEditChange(g, g->Col(), g->Row(), text());
}

void TFxInplaceEdit::DblClick()
{
    TInplaceEdit::DblClick();
    if (FGrid->Events().OnDblClickCell)
        FGrid->Events().OnDblClickCell(FGrid, FGrid->Row(), FGrid->Col());
}

void TFxInplaceEdit::UpdateContents()
{
    TFxStringGrid* g = FGrid;
    TInplaceEdit::UpdateContents();
    setEchoMode(g->CurrentEditor() == edPassword ? QLineEdit::Password : QLineEdit::Normal);
    // The editor looks like the cell it covers.
    TFont font = g->Font();
    TBrush brush;
    TAlignment a = taLeftJustify;
    TVAlignment va = vtaTop;
    FxEditorLook(*g, g->Col(), g->Row(), brush, font, a, va);
    const Qt::Alignment h = a == taRightJustify ? Qt::AlignRight : a == taCenter ? Qt::AlignHCenter : Qt::AlignLeft;
    setAlignment(h | (va == vtaCenter ? Qt::AlignVCenter : va == vtaBottom ? Qt::AlignBottom : Qt::AlignTop));
    setFont(font.ToQFont());
    QPalette pal = palette();
    pal.setColor(QPalette::Base, ToQColor(brush.Color));
    setPalette(pal);
    FColE = g->Col();
    FRowE = g->Row();
    g->DoGetEditorProp(g->RealCol(), g->Row(), nullptr);
}

void TFxInplaceEdit::BoundsChanged(const TRect& r)
{
    // The grid lines right and below the cell stay visible.
    setGeometry(r.Left, r.Top, std::max(0, r.Width() - 1), std::max(0, r.Height() - 1));
}

// A press on a scroll bar of the grid would give the keyboard to the grid
// (the first ancestor that takes focus by a click), ending the edit: while
// the editor has the keyboard, the bars pass it on to the editor, which keeps it.
void TFxInplaceEdit::LendScrollBars(bool lend)
{
    QWidget* to = lend ? this : nullptr;
    for (QScrollBar* bar : {FGrid->verticalScrollBar(), FGrid->horizontalScrollBar()})
        if (bar && bar->focusProxy() != to)
            bar->setFocusProxy(to);
}

void TFxInplaceEdit::FocusGained()
{
    TFxStringGrid* g = FGrid;
    TFxGridInteractState& s = g->InteractState();
    LendScrollBars(true);
    FGotFocus = true;
    s.NoEditChange = false;
    FLengthLimit = g->MaxEditLength();
    SetMaxLength(FLengthLimit);
    // Back from the press a refused value held back: the refused text is
    // shown as the refusal left it.
    if (s.HoldCell) {
        if (g->Navigation().EditSelectAll())
            selectAll();
        return;
    }
    if (!EditMask().isEmpty() && !s.LButFlg && g->Navigation().ImproveMaskSel()) {
        setSelection(0, 1);
        return;
    }
    if (!g->Navigation().EditSelectAll())
        Deselect();
    if (s.LButFlg) {
        const QPoint p = mapFromGlobal(QCursor::pos());
        if (rect().contains(p))
            setCursorPosition(cursorPositionAt(p));
        s.LButFlg = false;
    }
}

void TFxInplaceEdit::FocusLost(QWidget* to)
{
    TFxStringGrid* g = FGrid;
    TFxGridInteractState& s = g->InteractState();
    LendScrollBars(false);
    if (FAltBack)
        return;
    // Validation hides and shows the editor itself: not an end of the edit.
    if (s.Validating)
        return;
    // A window of the grid's own that never keeps the activation (the focus
    // frame) took it for a moment: the keyboard comes back with it.
    if (!to && fw::TNoActivate::Watches(QApplication::activeWindow()))
        return;
    // The press that a refused value holds back takes the keyboard once more
    // on its way: the editor has it back when the press is over.
    if (s.HoldCell && (to == g || (to && g->isAncestorOf(to)))) {
        QPointer<TFxInplaceEdit> editor(this);
        QMetaObject::invokeMethod(
            this,
            [editor] {
                if (editor && editor->isVisible() && !editor->hasFocus())
                    editor->setFocus(Qt::OtherFocusReason);
            },
            Qt::QueuedConnection);
        return;
    }
    if (to && to != g && !g->isAncestorOf(to)) {
        g->ValidateCell(text());
        g->SetCurrentCell(text());
    }
    QPointer<TFxInplaceEdit> self(this);
    g->HideInplaceEdit();
    if (!self)
        return;
    // A refused value opened the editor again on its cell: the edit goes on
    // with the refused text, and the press that took the keyboard away does
    // not move the grid.
    if (g->EditMode() && isVisible() && s.Refused) {
        RefusalRestore();
        s.HoldCell = true;
        QPointer<TFxStringGrid> grid(g);
        QMetaObject::invokeMethod(
            g,
            [grid] {
                if (grid && !(QApplication::mouseButtons() & Qt::LeftButton))
                    grid->InteractState().HoldCell = false;
            },
            Qt::QueuedConnection);
        return;
    }
    s.Editing = false;
    s.EditMode = false;
    if (FColE >= 0 && FRowE >= 0 && FColE < g->ColCount() && FRowE < g->RowCount())
        g->CanSelectCell(FColE, FRowE);
    if (s.NoEditChange)
        SetText(g->CurrentCell());
    if (FGotFocus) {
        FGotFocus = false;
        g->FireEditingDone(g->RealColIndex(FColE), FRowE);
    }
}
