#include "framework/MaskEdit.h"

#include "framework/Clipboard.h"
#include "framework/Forms.h"

#include <QContextMenuEvent>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QProxyStyle>
#include <QStyleOptionFrame>

#include <algorithm>

namespace fw {

// What the widget style cannot be told per edit: the password character and
// a hidden caret.
class TEditStyle : public QProxyStyle {
public:
    QChar PasswordChar = QLatin1Char('*');
    bool CaretVisible = true;

    int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                  QStyleHintReturn* returnData) const override
    {
        if (hint == SH_LineEdit_PasswordCharacter)
            return PasswordChar.unicode();
        if (hint == SH_LineEdit_PasswordMaskDelay)
            return 0;
        return QProxyStyle::styleHint(hint, option, widget, returnData);
    }
    int pixelMetric(PixelMetric metric, const QStyleOption* option, const QWidget* widget) const override
    {
        if (metric == PM_TextCursorWidth && !CaretVisible)
            return 0;
        return QProxyStyle::pixelMetric(metric, option, widget);
    }
};

TMaskEdit::TMaskEdit(QWidget* parent) : QLineEdit(parent)
{
    // Text arrives only through the hooks: no text dragged in or out.
    setDragEnabled(false);
    setAcceptDrops(false);
}

TMaskEdit::~TMaskEdit() = default;

// ---- contents --------------------------------------------------------------------------

void TMaskEdit::ShowText(const QString& text, int anchor, int caret)
{
    if (text != QLineEdit::text())
        QLineEdit::setText(text);
    const int n = int(text.size());
    anchor = std::clamp(anchor, 0, n);
    caret = std::clamp(caret, 0, n);
    if (anchor == caret)
        setCursorPosition(caret);
    else
        setSelection(anchor, caret - anchor);
}

void TMaskEdit::SetEditText(const QString& value)
{
    QString shown = value;
    if (!FMask.IsEmpty()) {
        shown = FMask.EmptyText();
        for (int i = 0; i < std::min(int(value.size()), FMask.Length()); ++i) {
            if (FMask.IsLiteral(i))
                continue;
            const QChar c = value.at(i) == FMask.BlankChar() ? QChar() : FMask.Accept(i, value.at(i));
            if (!c.isNull())
                shown[i] = c;
        }
    }
    const bool changed = shown != text();
    ShowText(shown, 0, 0);
    FModified = false;
    FUndoValid = false;
    if (changed)
        Change();
}

QString TMaskEdit::MaskedText() const { return FMask.IsEmpty() ? text() : FMask.TextOf(text()); }

void TMaskEdit::SetMaskedText(const QString& value)
{
    SetEditText(FMask.IsEmpty() ? value : FMask.EditTextFor(value));
}

void TMaskEdit::SetEditMask(const QString& mask)
{
    if (mask == FMask.Source())
        return;
    const QString old = MaskedText();
    FMask = TEditMask(mask);
    SetMaskedText(old);
}

void TMaskEdit::SetMaxLength(int length) { FMaxLength = std::max(length, 0); }

void TMaskEdit::SetReadOnly(bool value)
{
    if (value == isReadOnly())
        return;
    setReadOnly(value);
    ReadOnlyChanged();
}

void TMaskEdit::SetPasswordChar(QChar ch)
{
    if (ch == FPasswordChar)
        return;
    FPasswordChar = ch;
    if (!ch.isNull()) {
        if (!FStyle) {
            FStyle = new TEditStyle;
            FStyle->setParent(this);
            setStyle(FStyle);
        }
        FStyle->PasswordChar = ch;
    }
    setEchoMode(ch.isNull() ? QLineEdit::Normal : QLineEdit::Password);
    update();
}

void TMaskEdit::SetCaretVisible(bool visible)
{
    if (visible == FCaretVisible)
        return;
    FCaretVisible = visible;
    if (!FStyle) {
        FStyle = new TEditStyle;
        FStyle->setParent(this);
        setStyle(FStyle);
    }
    FStyle->CaretVisible = visible;
    update();
}

// ---- selection -------------------------------------------------------------------------

int TMaskEdit::SelStart() const { return hasSelectedText() ? selectionStart() : cursorPosition(); }

int TMaskEdit::SelLength() const { return hasSelectedText() ? int(selectionLength()) : 0; }

QString TMaskEdit::SelText() const { return text().mid(SelStart(), SelLength()); }

void TMaskEdit::SetSel(int start, int end) { ShowText(text(), start, end); }

TEditBuffer TMaskEdit::Buffer() const
{
    TEditBuffer b;
    b.Text = text();
    b.Caret = cursorPosition();
    b.Anchor = b.Caret;
    if (hasSelectedText())
        b.Anchor = b.Caret == selectionStart() ? selectionEnd() : selectionStart();
    b.MaxLength = FMaxLength;
    b.Mask = &FMask;
    return b;
}

void TMaskEdit::ApplyBuffer(const TEditBuffer& buffer, bool userEdit)
{
    const bool changed = buffer.Text != text();
    if (changed && userEdit) {
        const TEditBuffer before = Buffer();
        FUndoText = before.Text;
        FUndoAnchor = before.Anchor;
        FUndoCaret = before.Caret;
        FUndoValid = true;
        FModified = true;
    }
    ShowText(buffer.Text, buffer.Anchor, buffer.Caret);
    if (changed)
        Change();
}

void TMaskEdit::Undo()
{
    if (!FUndoValid || isReadOnly())
        return;
    TEditBuffer b = Buffer();
    const QString text = FUndoText;
    const int anchor = FUndoAnchor, caret = FUndoCaret;
    // Undoing again redoes, as the desktop edit's single undo step does.
    b.Text = text;
    b.Anchor = anchor;
    b.Caret = caret;
    ApplyBuffer(b);
}

void TMaskEdit::SetTextRect(const TRect& r)
{
    FTextRect = r;
    FHasTextRect = true;
    ApplyTextRect();
}

void TMaskEdit::ApplyTextRect()
{
    if (!FHasTextRect)
        return;
    QStyleOptionFrame opt;
    initStyleOption(&opt);
    const int frame = hasFrame() ? style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &opt, this) : 0;
    setTextMargins(std::max(0, FTextRect.Left - frame), 0, std::max(0, width() - FTextRect.Right - frame), 0);
}

void TMaskEdit::resizeEvent(QResizeEvent* e)
{
    QLineEdit::resizeEvent(e);
    ApplyTextRect();
}

void TMaskEdit::Change()
{
    if (OnChange)
        OnChange(this);
}

// ---- keys ------------------------------------------------------------------------------

int TMaskEdit::PerformKeyDown(int vk, TShiftState shift)
{
    if (OnKeyDown)
        OnKeyDown(this, vk, shift);
    if (vk == 0)
        return 0;
    const TShiftState saved = FKeyShift;
    FKeyShift = shift;
    KeyDown(vk, shift);
    FKeyShift = saved;
    return vk;
}

void TMaskEdit::PerformChar(QChar ch, TShiftState shift, bool keypad)
{
    if (OnKeyPress)
        OnKeyPress(this, ch);
    if (ch.isNull())
        return;
    const TShiftState saved = FKeyShift;
    const bool savedKeypad = FCharFromKeypad;
    FKeyShift = shift;
    FCharFromKeypad = keypad;
    KeyPress(ch);
    FKeyShift = saved;
    FCharFromKeypad = savedKeypad;
}

void TMaskEdit::PerformKeyUp(int vk, TShiftState shift)
{
    if (OnKeyUp)
        OnKeyUp(this, vk, shift);
    if (vk == 0)
        return;
    const TShiftState saved = FKeyShift;
    FKeyShift = shift;
    KeyUp(vk, shift);
    FKeyShift = saved;
}

bool TMaskEdit::WindowTakesKey(int vk) const
{
    // The window's default or cancel button takes Enter or Escape.
    for (QWidget* child : window()->findChildren<QWidget*>()) {
        auto* button = dynamic_cast<IDialogButton*>(child);
        if (button && child->isVisible() && child->isEnabled() &&
            (vk == VK_RETURN ? button->IsDefault() : button->IsCancel()))
            return true;
    }
    return false;
}

void TMaskEdit::DefaultKeyDown(int key, TShiftState shift)
{
    TEditBuffer b = Buffer();
    const bool extend = shift.Contains(ssShift);
    if (b.MoveByKey(key, extend, shift.Contains(ssCtrl))) {
        ApplyBuffer(b);
        return;
    }
    if (key == VK_DELETE) {
        if (extend)
            DoCut();
        else if (!isReadOnly() && b.DeleteForward())
            ApplyBuffer(b);
    } else if (key == VK_INSERT) {
        if (extend)
            DoPaste();
        else if (shift.Contains(ssCtrl))
            DoCopy();
    }
}

void TMaskEdit::DefaultKeyPress(QChar key)
{
    if (key.isNull())
        return;
    switch (key.unicode()) {
    case 1: SelectAllText(); return;
    case 3: DoCopy(); return;
    case 22: DoPaste(); return;
    case 24: DoCut(); return;
    case 26: Undo(); return;
    default: break;
    }
    if (isReadOnly())
        return;
    TEditBuffer b = Buffer();
    if (key.unicode() == 8) {
        if (b.Backspace())
            ApplyBuffer(b);
        return;
    }
    if (key.unicode() < 32)
        return;
    if (b.InsertChar(key))
        ApplyBuffer(b);
}

void TMaskEdit::keyPressEvent(QKeyEvent* e)
{
    const int vk = VirtualKeyFromEvent(*e);
    const TShiftState shift = ShiftStateFromEvent(*e);
    if (vk == VK_TAB || ((vk == VK_RETURN || vk == VK_ESCAPE) && !WantsSpecialKey(vk, shift) && WindowTakesKey(vk))) {
        e->ignore();
        return;
    }
    const QChar ch = CharCodeFromEvent(*e);
    PerformKeyDown(vk, shift);
    // As on the desktop the character follows its key even when the key-down
    // was swallowed: filters that refuse a character do so on the character.
    if (!ch.isNull())
        PerformChar(ch, shift, e->modifiers().testFlag(Qt::KeypadModifier));
    e->accept();
}

void TMaskEdit::keyReleaseEvent(QKeyEvent* e)
{
    PerformKeyUp(VirtualKeyFromEvent(*e), ShiftStateFromEvent(*e));
    e->accept();
}

void TMaskEdit::inputMethodEvent(QInputMethodEvent* e)
{
    // Composed text arrives as characters, each through the filter.
    for (const QChar ch : e->commitString())
        PerformChar(ch);
    e->accept();
}

void TMaskEdit::mouseReleaseEvent(QMouseEvent* e)
{
    // The X selection paste of the middle button would bypass the paste hook.
    if (e->button() == Qt::MiddleButton) {
        e->accept();
        return;
    }
    QLineEdit::mouseReleaseEvent(e);
}

void TMaskEdit::focusInEvent(QFocusEvent* e)
{
    QLineEdit::focusInEvent(e);
    const bool byKeyboard = e->reason() == Qt::TabFocusReason || e->reason() == Qt::BacktabFocusReason ||
                            e->reason() == Qt::ShortcutFocusReason;
    if (byKeyboard && !FAutoSelect)
        SetSel(0, 0);
}

void TMaskEdit::contextMenuEvent(QContextMenuEvent* e)
{
    QMenu menu(this);
    const bool editable = !isReadOnly();
    const bool selection = SelLength() > 0 && echoMode() == QLineEdit::Normal;
    QAction* undo = menu.addAction(tr("&Undo"), this, [this] { Undo(); });
    undo->setEnabled(editable && CanUndo());
    menu.addSeparator();
    menu.addAction(tr("Cu&t"), this, [this] { DoCut(); })->setEnabled(editable && selection);
    menu.addAction(tr("&Copy"), this, [this] { DoCopy(); })->setEnabled(selection);
    menu.addAction(tr("&Paste"), this, [this] { DoPaste(); })
        ->setEnabled(editable && !Clipboard().AsText().isEmpty());
    menu.addAction(tr("&Delete"), this, [this] {
            TEditBuffer b = Buffer();
            if (b.DeleteSelection())
                ApplyBuffer(b);
        })->setEnabled(editable && SelLength() > 0);
    menu.addSeparator();
    menu.addAction(tr("Select &All"), this, [this] { SelectAllText(); })->setEnabled(!text().isEmpty());
    menu.exec(e->globalPos());
    e->accept();
}

// ---- clipboard -------------------------------------------------------------------------

void TMaskEdit::DefaultCopy()
{
    // A password is never handed out.
    if (SelLength() == 0 || echoMode() != QLineEdit::Normal)
        return;
    Clipboard().SetAsText(SelText());
}

void TMaskEdit::DefaultCut()
{
    if (isReadOnly() || SelLength() == 0)
        return;
    DefaultCopy();
    TEditBuffer b = Buffer();
    if (b.DeleteSelection())
        ApplyBuffer(b);
}

void TMaskEdit::DefaultPaste()
{
    if (isReadOnly())
        return;
    const QString clip = Clipboard().AsText();
    if (clip.isEmpty())
        return;
    TEditBuffer b = Buffer();
    if (b.InsertText(clip))
        ApplyBuffer(b);
}

} // namespace fw
