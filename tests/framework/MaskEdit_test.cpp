#include "framework/MaskEdit.h"

#include "framework/Clipboard.h"
#include "framework/Forms.h"

#include <gtest/gtest.h>

#include <QTest>

using namespace fw;

namespace {

// An edit whose hooks record and can veto what arrives.
class TProbeEdit : public TMaskEdit {
public:
    using TMaskEdit::TMaskEdit;
    std::vector<int> keysDown;
    QString chars;
    int changes = 0;
    bool wantEnter = false;
    bool refuseDigits = false;
    bool pasteVetoed = false;

protected:
    void KeyDown(int& key, TShiftState shift) override
    {
        keysDown.push_back(key);
        TMaskEdit::KeyDown(key, shift);
    }
    void KeyPress(QChar& key) override
    {
        chars += key;
        if (refuseDigits && key.isDigit())
            key = QChar();
        TMaskEdit::KeyPress(key);
    }
    bool WantsSpecialKey(int key, TShiftState) override { return wantEnter && key == VK_RETURN; }
    void DoPaste() override
    {
        if (!pasteVetoed)
            TMaskEdit::DoPaste();
    }
    void Change() override
    {
        ++changes;
        TMaskEdit::Change();
    }
};

} // namespace

TEST(MaskEdit, KeysRunAsKeyDownThenCharacterThroughTheHooks)
{
    TProbeEdit edit;
    edit.refuseDigits = true;
    QTest::keyClicks(&edit, "a1b");
    EXPECT_EQ(edit.EditText(), "ab");
    EXPECT_EQ(edit.chars, "a1b") << "the refused digit still reached the hook";
    EXPECT_EQ(edit.keysDown, (std::vector<int>{'A', '1', 'B'}));
    EXPECT_EQ(edit.changes, 2);
    EXPECT_TRUE(edit.EditModified());

    QTest::keyClick(&edit, Qt::Key_Left, Qt::ShiftModifier);
    EXPECT_EQ(edit.SelStart(), 1);
    EXPECT_EQ(edit.SelLength(), 1);
    QTest::keyClick(&edit, Qt::Key_Backspace);
    EXPECT_EQ(edit.EditText(), "a");

    // The same input relayed from elsewhere.
    edit.PerformKeyDown(VK_HOME, {});
    edit.PerformChar(QLatin1Char('z'));
    EXPECT_EQ(edit.EditText(), "za");
    EXPECT_EQ(edit.CaretPos(), 1);
}

// A window's default button.
class TDefaultButton : public QWidget, public IDialogButton {
public:
    using QWidget::QWidget;
    bool IsDefault() const override { return true; }
    bool IsCancel() const override { return false; }
    bool ClickFromKey(int, Qt::KeyboardModifiers) override { return true; }
};

TEST(MaskEdit, EnterGoesToTheDefaultButtonUnlessTheEditWantsIt)
{
    QWidget window;
    auto* edit = new TProbeEdit(&window);
    {
        QKeyEvent alone(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r"));
        QApplication::sendEvent(edit, &alone);
        EXPECT_TRUE(alone.isAccepted()) << "no button takes it: the edit handles it";
        EXPECT_EQ(edit->keysDown, std::vector<int>{VK_RETURN});
    }
    edit->keysDown.clear();
    edit->chars.clear();
    auto* button = new TDefaultButton(&window);
    window.show();
    QKeyEvent unwanted(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r"));
    QApplication::sendEvent(edit, &unwanted);
    EXPECT_FALSE(unwanted.isAccepted()) << "left to the window's default button";
    EXPECT_TRUE(edit->keysDown.empty());
    (void)button;

    edit->wantEnter = true;
    QKeyEvent wanted(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r"));
    QApplication::sendEvent(edit, &wanted);
    EXPECT_TRUE(wanted.isAccepted());
    EXPECT_EQ(edit->keysDown, std::vector<int>{VK_RETURN});
    EXPECT_EQ(edit->chars, QString(QChar(13)));
    EXPECT_EQ(edit->EditText(), "") << "a control character is never typed";
}

TEST(MaskEdit, KeyEventsSeeAndMaySwallowEveryKey)
{
    TProbeEdit edit;
    QString seen;
    edit.OnKeyPress = [&](QObject*, QChar& ch) {
        seen += ch;
        if (ch == QLatin1Char('x'))
            ch = QChar();
    };
    edit.OnKeyDown = [&](QObject*, int& key, TShiftState) {
        if (key == VK_HOME)
            key = 0;
    };
    QTest::keyClicks(&edit, "axb");
    QTest::keyClick(&edit, Qt::Key_Home);
    EXPECT_EQ(edit.EditText(), "ab");
    EXPECT_EQ(seen, "axb");
    EXPECT_EQ(edit.CaretPos(), 2) << "Home was swallowed";
    EXPECT_EQ(edit.chars, "ab") << "the swallowed character never reached the hook";
}

TEST(MaskEdit, ProgrammaticTextResetsModifiedUndoAndCaret)
{
    TProbeEdit edit;
    edit.SetEditText("hello");
    EXPECT_EQ(edit.changes, 1);
    edit.SetEditText("hello");
    EXPECT_EQ(edit.changes, 1) << "no change, no notification";
    EXPECT_FALSE(edit.EditModified());
    EXPECT_EQ(edit.CaretPos(), 0);
    EXPECT_FALSE(edit.CanUndo());

    edit.SetSel(5, 5);
    QTest::keyClicks(&edit, "!");
    EXPECT_EQ(edit.EditText(), "hello!");
    QTest::keyClick(&edit, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(edit.EditText(), "hello");
    QTest::keyClick(&edit, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(edit.EditText(), "hello!") << "a second undo redoes";
}

TEST(MaskEdit, ClipboardShortcutsGoThroughTheHooks)
{
    TProbeEdit edit;
    edit.SetEditText("abcdef");
    edit.SetSel(1, 3);
    QTest::keyClick(&edit, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(Clipboard().AsText(), "bc");
    QTest::keyClick(&edit, Qt::Key_X, Qt::ControlModifier);
    EXPECT_EQ(edit.EditText(), "adef");
    edit.SetSel(4, 4);
    edit.pasteVetoed = true;
    QTest::keyClick(&edit, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(edit.EditText(), "adef");
    edit.pasteVetoed = false;
    QTest::keyClick(&edit, Qt::Key_Insert, Qt::ShiftModifier);
    EXPECT_EQ(edit.EditText(), "adefbc");

    edit.SetReadOnly(true);
    edit.SetSel(0, 2);
    QTest::keyClick(&edit, Qt::Key_X, Qt::ControlModifier);
    EXPECT_EQ(edit.EditText(), "adefbc") << "read-only: nothing cut";
    EXPECT_EQ(Clipboard().AsText(), "bc");
}

TEST(MaskEdit, LengthLimitPasswordAndMask)
{
    TProbeEdit edit;
    edit.SetMaxLength(3);
    QTest::keyClicks(&edit, "12345");
    EXPECT_EQ(edit.EditText(), "123");

    edit.SetPasswordChar(QLatin1Char('*'));
    EXPECT_EQ(edit.echoMode(), QLineEdit::Password);
    edit.SetSel(0, 3);
    Clipboard().SetAsText("untouched");
    QTest::keyClick(&edit, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(Clipboard().AsText(), "untouched") << "a password is not copied";

    TProbeEdit masked;
    masked.SetEditMask(QStringLiteral("00:00;0;_"));
    EXPECT_EQ(masked.EditText(), "__:__");
    QTest::keyClicks(&masked, "9x87");
    EXPECT_EQ(masked.EditText(), "98:7_");
    EXPECT_EQ(masked.MaskedText(), "987 ");
    masked.SetMaskedText("1234");
    EXPECT_EQ(masked.EditText(), "12:34");
}
