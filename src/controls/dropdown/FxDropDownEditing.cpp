// The drop-down edit's value: the formatted text setter, the character
// filter, clipboard commands and change notifications, over the value rules
// of FxDropDownValue.h.
#include "controls/dropdown/FxCustomDropDown.h"

#include "framework/Clipboard.h"
#include "framework/Forms.h"

#include <QCoreApplication>
#include <QKeyEvent>

using namespace fw;

void TFxCustomDropDown::SetText(const QString& value) { FValue.SetText(value); }

void TFxCustomDropDown::SetTextUnformatted(const QString& value) { SetEditText(value); }

void TFxCustomDropDown::SetEditType(TDropDownEditType value)
{
    if (value == FValue.EditType())
        return;
    SetPasswordChar(value == etPassword ? QChar(u'*') : QChar());
    FValue.SetEditType(value);
}

void TFxCustomDropDown::KeyPress(QChar& key)
{
    // An edit that does not type takes no characters.
    if (!FEditorEnabled) {
        key = QChar();
        return;
    }
    auto* form = qobject_cast<TForm*>(ParentForm());
    TCharContext context;
    context.Ctrl = KeyShift().Contains(ssCtrl);
    context.Keypad = CharFromKeypad();
    context.HasParent = parentWidget() != nullptr;
    context.ParentKeyPreview = form && form->KeyPreview();
    const TCharOutcome out = FValue.FilterChar(key, context);
    auto post = [this](QEvent::Type type, int qtKey) {
        QCoreApplication::postEvent(parentWidget(), new QKeyEvent(type, qtKey, Qt::NoModifier));
    };
    if (out.PostEnterDown)
        post(QEvent::KeyPress, Qt::Key_Return);
    if (out.PostEnterUp)
        post(QEvent::KeyRelease, Qt::Key_Return);
    if (out.PostEscape) {
        post(QEvent::KeyPress, Qt::Key_Escape);
        post(QEvent::KeyRelease, Qt::Key_Escape);
    }
    // The rules typed (or refused) the character themselves.
    key = QChar();
}

void TFxCustomDropDown::Change()
{
    if (FValue.ConsumeBlockedChange())
        return;
    HandleChange();
}

void TFxCustomDropDown::DoCut()
{
    if (!FEditorEnabled || ReadOnly())
        return;
    bool allow = true;
    // The cut copies without a copy event of its own.
    FBlockCopy = true;
    if (OnClipboardCut)
        OnClipboardCut(this, FValue.SelectedValueText(), allow);
    if (allow)
        DefaultCut();
    FBlockCopy = false;
}

void TFxCustomDropDown::DoCopy()
{
    bool allow = true;
    if (!FBlockCopy && OnClipboardCopy)
        OnClipboardCopy(this, FValue.SelectedValueText(), allow);
    FBlockCopy = false;
    if (allow)
        DefaultCopy();
}

void TFxCustomDropDown::DoPaste()
{
    if (ReadOnly())
        return;
    const QString clip = Clipboard().AsText();
    if (clip.isEmpty())
        return;
    FValue.Paste(clip, MaxLength(), [this](const QString& value, bool& allow) {
        if (OnClipboardPaste)
            OnClipboardPaste(this, value, allow);
    });
}
