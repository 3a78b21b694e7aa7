#pragma once
// A single-line edit in the desktop's manner over QLineEdit: every key runs
// first as a key-down and then as a character through virtual hooks a
// subclass can filter, edits follow our own mask engine (EditMask.h), the
// clipboard commands go through overridable hooks, and the modified flag,
// password character, length limit, text margins and single-step undo
// behave as the desktop edit's. Popups hand their keys to an edit through
// PerformKeyDown / PerformChar / PerformKeyUp, exactly as if typed in it.
#include "framework/EditMask.h"
#include "framework/Input.h"
#include "framework/Types.h"

#include <QLineEdit>
#include <QString>

#include <functional>

namespace fw {

class TEditStyle;

class TMaskEdit : public QLineEdit {
    Q_OBJECT
public:
    explicit TMaskEdit(QWidget* parent = nullptr);
    ~TMaskEdit() override;

    // ---- contents
    QString EditMask() const { return FMask.Source(); }
    // A new mask keeps what of the current Text fits it.
    void SetEditMask(const QString& mask);
    // The text as shown, literals and blanks of a mask included.
    QString EditText() const { return text(); }
    // Shows `text` as it is (a masked edit fits it to the mask), puts the
    // caret at 0, clears the modified flag and the undo step; Change runs
    // when the text differs.
    void SetEditText(const QString& text);
    // Without a mask the shown text; with one the text the mask gives back.
    QString MaskedText() const;
    void SetMaskedText(const QString& text);

    int MaxLength() const { return FMaxLength; }
    void SetMaxLength(int length);
    bool ReadOnly() const { return isReadOnly(); }
    void SetReadOnly(bool value);
    bool EditModified() const { return FModified; }
    void SetEditModified(bool value) { FModified = value; }
    // Null: the text shows as typed.
    QChar PasswordChar() const { return FPasswordChar; }
    void SetPasswordChar(QChar ch);
    bool CaretVisible() const { return FCaretVisible; }
    void SetCaretVisible(bool visible);
    // Selects the whole text when the focus arrives by keyboard.
    bool AutoSelect() const { return FAutoSelect; }
    void SetAutoSelect(bool value) { FAutoSelect = value; }

    // ---- caret and selection (positions of the shown text)
    int SelStart() const;
    int SelLength() const;
    int SelEnd() const { return SelStart() + SelLength(); }
    int CaretPos() const { return cursorPosition(); }
    QString SelText() const;
    // Selects start..end with the caret at `end`; end < start selects backwards.
    void SetSel(int start, int end);
    void SetSelStart(int start) { SetSel(start, start); }
    void SetSelLength(int length) { SetSel(SelStart(), SelStart() + length); }
    void SelectAllText() { SetSel(0, int(text().size())); }
    // Character position under a point of the edit.
    int CharIndexAtPoint(const QPoint& p) const { return const_cast<TMaskEdit*>(this)->cursorPositionAt(p); }

    // Rectangle the text runs in, in the edit's coordinates (margins outside it).
    void SetTextRect(const TRect& r);
    TRect TextRect() const { return FTextRect; }

    bool CanUndo() const { return FUndoValid; }
    void Undo();

    // ---- input as the desktop delivers it
    // The key as the hooks left it (0: swallowed).
    int PerformKeyDown(int vk, TShiftState shift);
    // `keypad`: the character came from the numeric keypad.
    void PerformChar(QChar ch, TShiftState shift = {}, bool keypad = false);
    void PerformKeyUp(int vk, TShiftState shift);
    void CutToClipboard() { DoCut(); }
    void CopyToClipboard() { DoCopy(); }
    void PasteFromClipboard() { DoPaste(); }

    // Fired by Change after every change of the text.
    std::function<void(QObject* sender)> OnChange;
    // Every key and character, before the hooks; zeroing it swallows it.
    std::function<void(QObject* sender, int& key, TShiftState shift)> OnKeyDown;
    std::function<void(QObject* sender, QChar& key)> OnKeyPress;
    std::function<void(QObject* sender, int& key, TShiftState shift)> OnKeyUp;

protected:
    // Hooks. A key-down or key-up hook swallows the key by setting it to 0,
    // a character hook by setting it to a null character; the defaults run
    // the edit's own handling.
    virtual void KeyDown(int& key, TShiftState shift) { DefaultKeyDown(key, shift); }
    virtual void KeyPress(QChar& key) { DefaultKeyPress(key); }
    virtual void KeyUp(int& key, TShiftState shift) {}
    // Enter and Escape the edit does not want go on to the window when it
    // has a default (cancel) button to take them; otherwise, and when the
    // edit wants them, they reach the hooks.
    virtual bool WantsSpecialKey(int key, TShiftState shift) { return false; }
    virtual void DoCut() { DefaultCut(); }
    virtual void DoCopy() { DefaultCopy(); }
    virtual void DoPaste() { DefaultPaste(); }
    virtual void Change();
    virtual void ReadOnlyChanged() {}

    // The edit's own handling: caret keys (Shift extends, Ctrl moves by
    // words), Delete, Shift+Delete / Shift+Insert / Ctrl+Insert.
    void DefaultKeyDown(int key, TShiftState shift);
    // Printable characters are typed; Backspace deletes; Ctrl+C, Ctrl+V,
    // Ctrl+X (3, 22, 24) run the clipboard hooks; Ctrl+Z undoes; Ctrl+A selects all.
    void DefaultKeyPress(QChar key);
    void DefaultCut();
    void DefaultCopy();
    void DefaultPaste();

    // The key being handled.
    TShiftState KeyShift() const { return FKeyShift; }
    bool CharFromKeypad() const { return FCharFromKeypad; }

    // The editing model at this moment, and applying an edited one (an
    // undo step is kept for a user edit; Change runs when the text changed).
    TEditBuffer Buffer() const;
    void ApplyBuffer(const TEditBuffer& buffer, bool userEdit = true);

    void keyPressEvent(QKeyEvent* e) override;
    void keyReleaseEvent(QKeyEvent* e) override;
    void inputMethodEvent(QInputMethodEvent* e) override;
    void contextMenuEvent(QContextMenuEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void focusInEvent(QFocusEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;

private:
    void ShowText(const QString& text, int anchor, int caret);
    bool WindowTakesKey(int vk) const;
    void ApplyTextRect();

    TEditMask FMask;
    int FMaxLength = 0;
    bool FModified = false;
    QChar FPasswordChar;
    bool FCaretVisible = true;
    bool FAutoSelect = true;
    TRect FTextRect;
    bool FHasTextRect = false;
    TEditStyle* FStyle = nullptr;
    TShiftState FKeyShift;
    bool FCharFromKeypad = false;
    bool FUndoValid = false;
    QString FUndoText;
    int FUndoAnchor = 0;
    int FUndoCaret = 0;
};

} // namespace fw
