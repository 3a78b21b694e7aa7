// The in-place editor of the string grid and the grid's side of editing:
// when the editor shows, what it loads, how its text returns to the cell.
#include "framework/StringGridEditor.h"

#include "framework/ObjStringGrid.h"
#include "framework/ObjStringGrid_p.h"

#include <QApplication>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QValidator>

#include <algorithm>
#include <limits>

namespace fw {

namespace {

// The length limit holds back new input only: text loaded from the cell
// may be longer and must go back unchanged, so the line edit's own limit
// (which cuts any text set on it) stays out of the way. Typed or pasted
// text is cut to what still fits, as the line edit would do.
class TEditLimitValidator : public QValidator {
public:
    TEditLimitValidator(QObject* parent, const int& limit, const QString& before, const bool& loading)
        : QValidator(parent), limit_(limit), before_(before), loading_(loading)
    {
    }
    State validate(QString& input, int& pos) const override
    {
        if (loading_ || limit_ <= 0)
            return Acceptable;
        const qsizetype allowed = std::max<qsizetype>(limit_, before_.size());
        if (input.size() <= allowed)
            return Acceptable;
        const qsizetype excess = input.size() - allowed;
        const qsizetype cut = std::clamp<qsizetype>(excess, 0, pos);
        input.remove(pos - cut, cut);
        pos -= int(cut);
        return cut == excess ? Acceptable : Invalid;
    }

private:
    const int& limit_;
    const QString& before_;
    const bool& loading_;
};

} // namespace

// ================================================================ grid side

bool TStringGrid::EditorMode() const { return d->editorMode; }

TInplaceEdit* TStringGrid::InplaceEditor() const { return d->editor.data(); }

void TStringGrid::SetEditorMode(bool value)
{
    if (!value) {
        HideEditor();
        return;
    }
    ShowEditor();
    if (d->editor)
        d->editor->Deselect();
}

void TStringGrid::ShowEditor()
{
    d->editorMode = true;
    UpdateEdit();
}

void TStringGrid::ShowEditorChar(QChar ch)
{
    ShowEditor();
    // Only a shown editor takes the character; a refused show leaves it to
    // the caller instead of typing into an invisible editor. It takes it at
    // once: keys typed quickly behind it wait in the window system's queue
    // and would overtake a posted character.
    if (d->editor && d->editor->isVisible())
        d->editor->Perform(WM_CHAR, ch.unicode(), 0);
}

void TStringGrid::HideEditor()
{
    d->editorMode = false;
    HideEdit();
}

bool TStringGrid::CanEditShow()
{
    return (d->options & (goRowSelect | goEditing)) == goEditing && d->editorMode
           && ((d->options & goAlwaysShowEditor) || IsActiveControl());
}

bool TStringGrid::CanEditAcceptKey(QChar) { return true; }
bool TStringGrid::CanEditModify() { return true; }

TInplaceEdit* TStringGrid::CreateEditor()
{
    return new TInplaceEdit(this);
}

QString TStringGrid::GetEditText(int ACol, int ARow)
{
    QString value = Cells(ACol, ARow);
    if (OnGetEditText)
        OnGetEditText(this, ACol, ARow, value);
    return value;
}

void TStringGrid::SetEditText(int ACol, int ARow, const QString& Value)
{
    SetCells(ACol, ARow, Value);
    if (OnSetEditText)
        OnSetEditText(this, ACol, ARow, Value);
}

QString TStringGrid::GetEditMask(int ACol, int ARow)
{
    QString value;
    if (OnGetEditMask)
        OnGetEditMask(this, ACol, ARow, value);
    return value;
}

int TStringGrid::GetEditLimit() { return 0; }

void TStringGrid::UpdateEditor()
{
    d->inplaceCol = d->current.X;
    d->inplaceRow = d->current.Y;
    d->editor->UpdateContents();
    d->editor->SelectAll();
}

void TStringGrid::UpdateEdit()
{
    if (!CanEditShow())
        return;
    if (!d->editor) {
        TInplaceEdit* editor = CreateEditor();
        if (!editor)
            return;
        d->editor = editor;
        editor->setFont(d->font.ToQFont());
        UpdateEditor();
    } else if (d->current.X != d->inplaceCol || d->current.Y != d->inplaceRow) {
        HideEdit();
        UpdateEditor();
    }
    if (!CanEditShow() || !d->editor)
        return;
    TInplaceEdit* editor = d->editor.data();
    editor->BoundsChanged(CellRect(d->current.X, d->current.Y));
    const bool takeFocus = hasFocus();
    editor->show();
    editor->raise();
    if (takeFocus)
        editor->setFocus(Qt::OtherFocusReason);
}

void TStringGrid::UpdateText()
{
    if (d->editor && d->inplaceCol >= 0 && d->inplaceRow >= 0)
        SetEditText(d->inplaceCol, d->inplaceRow, d->editor->Text());
}

void TStringGrid::HideEdit()
{
    if (!d->editor)
        return;
    struct Finally {
        TStringGrid* g;
        ~Finally()
        {
            g->d->inplaceCol = -1;
            g->d->inplaceRow = -1;
            TInplaceEdit* e = g->d->editor.data();
            if (e && e->isVisible()) {
                // Hiding a focused editor gives the focus back to the grid,
                // not to whatever Qt would pick next.
                if (e->hasFocus()) {
                    g->d->focusFromEditor = true;
                    g->setFocus(Qt::OtherFocusReason);
                    g->d->focusFromEditor = false;
                }
                e->hide();
                g->InvalidateCell(g->d->current.X, g->d->current.Y);
            }
        }
    } finally{this};
    UpdateText();
}

// ================================================================ editor

TInplaceEdit::TInplaceEdit(TStringGrid* grid) : QLineEdit(grid->viewport()), grid_(grid)
{
    hide();
    setFrame(false);
    // Text sits where the cell draws it (2 pixels in from the top left).
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
    setTextMargins(0, 1, 0, 0);
    setMaxLength(std::numeric_limits<int>::max());
    setValidator(new TEditLimitValidator(this, limit_, accepted_, loading_));
    connect(this, &QLineEdit::textChanged, this, [this](const QString& text) { accepted_ = text; });
    connect(this, &QLineEdit::textChanged, this, [this] {
        if (grid_)
            grid_->Perform(WM_COMMAND, MakeWParam(0, int(EN_CHANGE)), reinterpret_cast<std::intptr_t>(this));
    });
}

TInplaceEdit::~TInplaceEdit() = default;

void TInplaceEdit::SetText(const QString& value)
{
    loading_ = true;
    setText(value);
    loading_ = false;
}

void TInplaceEdit::SetEditMask(const QString& value)
{
    mask_ = value;
}

void TInplaceEdit::SetMaxLength(int value)
{
    limit_ = std::max(0, value);
}

void TInplaceEdit::Deselect()
{
    deselect();
    end(false);
}

void TInplaceEdit::SelectAll()
{
    selectAll();
}

std::intptr_t TInplaceEdit::Perform(unsigned Msg, std::intptr_t WParam, std::intptr_t LParam)
{
    TMessage m{Msg, WParam, LParam, 0};
    WndProc(m);
    return m.Result;
}

void TInplaceEdit::PostMessage(unsigned Msg, std::intptr_t WParam, std::intptr_t LParam)
{
    fw::PostMessage(this, Msg, WParam, LParam);
}

void TInplaceEdit::WndProc(TMessage& Message)
{
    Dispatch(Message);
}

void TInplaceEdit::Dispatch(TMessage& m)
{
    switch (m.Msg) {
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN: {
        int key = int(m.WParam & 0xFFFF);
        TShiftState shift = KeyboardStateToShiftState();
        if (m.Msg == WM_SYSKEYDOWN)
            shift |= ssAlt;
        KeyDown(key, shift);
        if (key != 0)
            DefaultKeyDown(key, shift);
        else
            m.Result = 1;
        break;
    }
    case WM_KEYUP:
    case WM_SYSKEYUP: {
        int key = int(m.WParam & 0xFFFF);
        KeyUp(key, KeyboardStateToShiftState());
        break;
    }
    case WM_CHAR: {
        QChar ch(char16_t(m.WParam & 0xFFFF));
        KeyPress(ch);
        if (!ch.isNull())
            DefaultChar(ch);
        else
            m.Result = 1;
        break;
    }
    case WM_LBUTTONDBLCLK: DblClick(); break;
    case WM_KILLFOCUS: {
        auto* to = reinterpret_cast<QWidget*>(m.WParam);
        if (grid_ && !grid_->Inside(to))
            grid_->EditorFocusLeft(to);
        break;
    }
    default: break;
    }
}

// Keys the edit control itself acts on; everything else arrives as a character.
static bool IsEditKey(int key)
{
    switch (key) {
    case VK_LEFT: case VK_RIGHT: case VK_UP: case VK_DOWN: case VK_HOME: case VK_END:
    case VK_PRIOR: case VK_NEXT: case VK_DELETE: case VK_INSERT:
        return true;
    default:
        return false;
    }
}

void TInplaceEdit::DefaultKeyDown(int key, TShiftState shift)
{
    if (!IsEditKey(key))
        return;
    Qt::KeyboardModifiers mods;
    if (shift.Contains(ssShift)) mods |= Qt::ShiftModifier;
    if (shift.Contains(ssCtrl)) mods |= Qt::ControlModifier;
    if (shift.Contains(ssAlt)) mods |= Qt::AltModifier;
    QKeyEvent ev(QEvent::KeyPress, QtKeyFromVirtualKey(key), mods);
    inQtKey_ = true;
    QLineEdit::keyPressEvent(&ev);
    inQtKey_ = false;
}

void TInplaceEdit::DefaultChar(QChar ch)
{
    switch (ch.unicode()) {
    case 1: selectAll(); break;
    case 3: copy(); break;
    case 8: backspace(); break;
    case 22: paste(); break;
    case 24: cut(); break;
    case 26: undo(); break;
    default:
        if (ch.unicode() >= 32)
            insert(QString(ch));
        break;
    }
}

void TInplaceEdit::KeyDown(int& Key, TShiftState Shift)
{
    TStringGrid* g = grid_;
    if (!g)
        return;
    auto sendToParent = [&] {
        g->KeyDown(Key, Shift);
        Key = 0;
    };
    const bool forwardMovement = g->Options() & goAlwaysShowEditor;
    const bool ctrl = Shift.Contains(ssCtrl);
    const int len = text().length();
    const int selStart = hasSelectedText() ? selectionStart() : cursorPosition();
    const int selEnd = hasSelectedText() ? selectionStart() + selectedText().length() : cursorPosition();
    const bool leftSide = selStart == 0 && (selEnd == 0 || selEnd == len);
    const bool rightSide = (selStart == 0 || selEnd == selStart) && selEnd == len;
    switch (Key) {
    case VK_UP:
    case VK_DOWN:
    case VK_PRIOR:
    case VK_NEXT:
    case VK_ESCAPE: sendToParent(); break;
    case VK_INSERT:
        if (Shift.Empty())
            sendToParent();
        else if (Shift == TShiftState(ssShift) && !g->CanEditModify())
            Key = 0;
        break;
    case VK_LEFT:
    case VK_HOME:
        if (forwardMovement && (ctrl || leftSide))
            sendToParent();
        break;
    case VK_RIGHT:
    case VK_END:
        if (forwardMovement && (ctrl || rightSide))
            sendToParent();
        break;
    case VK_F2:
        if (g->OnKeyDown)
            g->OnKeyDown(g, Key, Shift);
        if (Key == VK_F2) {
            // F2 switches between the whole text selected and the caret at its end.
            if (hasSelectedText())
                Deselect();
            else
                selectAll();
            Key = 0;
        }
        return;
    case VK_TAB:
        if (!Shift.Contains(ssAlt))
            sendToParent();
        break;
    case VK_DELETE:
        if (ctrl)
            sendToParent();
        else if (!g->CanEditModify())
            Key = 0;
        break;
    default: break;
    }
    if (Key != 0 && g->OnKeyDown)
        g->OnKeyDown(g, Key, Shift);
}

void TInplaceEdit::KeyUp(int& Key, TShiftState Shift)
{
    if (grid_)
        grid_->KeyUp(Key, Shift);
}

void TInplaceEdit::KeyPress(QChar& Key)
{
    TStringGrid* g = grid_;
    if (!g)
        return;
    g->KeyPress(Key);
    if (Key.unicode() >= 32 && !g->CanEditAcceptKey(Key))
        Key = QChar();
    switch (Key.unicode()) {
    case 9: Key = QChar(); break;
    case 27:
        // Escape abandons the typing: the cell keeps the text it had when
        // the editor opened.
        Key = QChar();
        SetText(original_);
        if (!(g->Options() & goAlwaysShowEditor))
            g->HideEditor();
        break;
    case 13:
        if (cursorPosition() == 0 && selectedText().length() == text().length())
            Deselect();
        else
            selectAll();
        Key = QChar();
        break;
    case 8:
    case 22:
    case 24:
        if (!g->CanEditModify())
            Key = QChar();
        break;
    default:
        if (Key.unicode() >= 32 && !g->CanEditModify())
            Key = QChar();
        break;
    }
}

void TInplaceEdit::GridKeyDown(int& Key, TShiftState Shift)
{
    if (grid_)
        grid_->KeyDown(Key, Shift);
}

void TInplaceEdit::GridKeyPress(QChar& Key)
{
    if (grid_)
        grid_->KeyPress(Key);
}

void TInplaceEdit::GridKeyUp(int& Key, TShiftState Shift)
{
    if (grid_)
        grid_->KeyUp(Key, Shift);
}

void TInplaceEdit::Change() {}

void TInplaceEdit::DblClick()
{
    if (grid_)
        grid_->DblClick();
}

void TInplaceEdit::UpdateContents()
{
    if (!grid_)
        return;
    const int c = grid_->Col();
    const int r = grid_->Row();
    SetText(QString());
    SetEditMask(grid_->GetEditMask(c, r));
    original_ = grid_->GetEditText(c, r);
    SetMaxLength(grid_->GetEditLimit());
    SetText(original_);
    setModified(false);
}

void TInplaceEdit::BoundsChanged(const TRect& r)
{
    setGeometry(r.Left, r.Top, std::max(0, r.Width()), std::max(0, r.Height()));
}

bool TInplaceEdit::event(QEvent* e)
{
    if (e->type() == TMessageEvent::EventType()) {
        TMessage m = static_cast<TMessageEvent*>(e)->Message;
        WndProc(m);
        return true;
    }
    return QLineEdit::event(e);
}

void TInplaceEdit::keyPressEvent(QKeyEvent* e)
{
    if (inQtKey_) {
        QLineEdit::keyPressEvent(e);
        return;
    }
    const int vk = VirtualKeyFromEvent(*e);
    const QChar ch = CharCodeFromEvent(*e);
    const bool sys = (e->modifiers() & Qt::AltModifier) && !(e->modifiers() & Qt::ControlModifier);
    QPointer<TInplaceEdit> self(this);
    const std::intptr_t keyData = KeyDataFromEvent(*e);
    if (vk != 0)
        Perform(sys ? WM_SYSKEYDOWN : WM_KEYDOWN, vk, keyData);
    if (self && !ch.isNull())
        Perform(sys ? WM_SYSCHAR : WM_CHAR, ch.unicode(), keyData);
    e->accept();
}

void TInplaceEdit::keyReleaseEvent(QKeyEvent* e)
{
    const int vk = VirtualKeyFromEvent(*e);
    if (vk != 0 && !e->isAutoRepeat())
        Perform(WM_KEYUP, vk, 1 | (std::intptr_t(3) << 30));
    e->accept();
}

void TInplaceEdit::focusInEvent(QFocusEvent* e)
{
    QLineEdit::focusInEvent(e);
    Perform(WM_SETFOCUS);
}

void TInplaceEdit::focusOutEvent(QFocusEvent* e)
{
    QWidget* to = QApplication::focusWidget();
    if (grid_ && to == grid_)
        grid_->d->focusFromEditor = true;
    QLineEdit::focusOutEvent(e);
    Perform(WM_KILLFOCUS, reinterpret_cast<std::intptr_t>(to));
}

void TInplaceEdit::mouseDoubleClickEvent(QMouseEvent* e)
{
    QLineEdit::mouseDoubleClickEvent(e);
    const QPoint p = e->position().toPoint();
    Perform(WM_LBUTTONDBLCLK, MK_LBUTTON, MakeLParam(p.x(), p.y()));
}

} // namespace fw
