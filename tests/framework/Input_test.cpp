#include "framework/Input.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <gtest/gtest.h>

using namespace fw;

TEST(InputTest, QtKeysMapToVirtualKeysAndBack)
{
    struct Case {
        int qt;
        Qt::KeyboardModifiers mods;
        int vk;
        bool roundTrip;
    };
    const Case cases[] = {
        {Qt::Key_A, Qt::NoModifier, 'A', true},
        {Qt::Key_Z, Qt::ShiftModifier, 'Z', true},
        {Qt::Key_5, Qt::NoModifier, '5', true},
        {Qt::Key_5, Qt::KeypadModifier, VK_NUMPAD5, false},
        {Qt::Key_F2, Qt::NoModifier, VK_F2, true},
        {Qt::Key_F12, Qt::NoModifier, VK_F12, true},
        {Qt::Key_Return, Qt::NoModifier, VK_RETURN, true},
        {Qt::Key_Enter, Qt::KeypadModifier, VK_RETURN, false},
        {Qt::Key_Tab, Qt::NoModifier, VK_TAB, true},
        {Qt::Key_Backtab, Qt::ShiftModifier, VK_TAB, false},
        {Qt::Key_PageUp, Qt::NoModifier, VK_PRIOR, true},
        {Qt::Key_PageDown, Qt::NoModifier, VK_NEXT, true},
        {Qt::Key_Left, Qt::NoModifier, VK_LEFT, true},
        {Qt::Key_Down, Qt::NoModifier, VK_DOWN, true},
        {Qt::Key_Delete, Qt::NoModifier, VK_DELETE, true},
        {Qt::Key_Alt, Qt::AltModifier, VK_MENU, true},
        {Qt::Key_Plus, Qt::KeypadModifier, VK_ADD, false},
        {Qt::Key_Plus, Qt::NoModifier, 0, false},     // the main keyboard's '+' has no name
        {Qt::Key_Period, Qt::KeypadModifier, VK_DECIMAL, false},
        {Qt::Key_unknown, Qt::NoModifier, 0, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.qt);
        EXPECT_EQ(VirtualKeyFromQt(c.qt, c.mods), c.vk);
        if (c.roundTrip) {
            EXPECT_EQ(QtKeyFromVirtualKey(c.vk), c.qt);
        }
    }
}

TEST(InputTest, KeyPressesGiveTheDesktopsCharacterCodes)
{
    struct Case {
        int key;
        Qt::KeyboardModifiers mods;
        QString text;
        int expected;   // 0 = no character
    };
    const Case cases[] = {
        {Qt::Key_A, Qt::NoModifier, "a", 'a'},
        {Qt::Key_A, Qt::ShiftModifier, "A", 'A'},
        {Qt::Key_Return, Qt::NoModifier, "\r", 13},
        {Qt::Key_Escape, Qt::NoModifier, "\x1b", 27},
        {Qt::Key_Backspace, Qt::NoModifier, "\b", 8},
        {Qt::Key_Tab, Qt::NoModifier, "\t", 9},
        {Qt::Key_C, Qt::ControlModifier, "", 3},
        {Qt::Key_V, Qt::ControlModifier, "v", 22},
        {Qt::Key_X, Qt::AltModifier, "x", 0},
        {Qt::Key_Delete, Qt::NoModifier, "\x7f", 0},
        {Qt::Key_Left, Qt::NoModifier, "", 0},
        {Qt::Key_Adiaeresis, Qt::NoModifier, QString(QChar(0xE4)), 0xE4},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.key);
        QKeyEvent e(QEvent::KeyPress, c.key, c.mods, c.text);
        EXPECT_EQ(CharCodeFromEvent(e).unicode(), c.expected);
    }
}

TEST(InputTest, ShiftStateIsASet)
{
    TShiftState s = ssShift | ssCtrl;
    EXPECT_TRUE(s.Contains(ssShift));
    EXPECT_TRUE(s & ssCtrl);
    EXPECT_FALSE(s & ssAlt);
    s -= ssShift;
    EXPECT_EQ(s, TShiftState(ssCtrl));
    EXPECT_TRUE((s - ssCtrl).Empty());
    EXPECT_EQ(ShiftStateFromQt(Qt::ShiftModifier | Qt::AltModifier, Qt::LeftButton | Qt::MiddleButton),
              ssShift | ssAlt | ssLeft | ssMiddle);
    EXPECT_EQ(KeysToShiftState(ShiftStateToKeys(ssShift | ssCtrl | ssRight)), ssShift | ssCtrl | ssRight);
}

TEST(InputTest, MouseEventsCarryTheirButtonAndDoubleClick)
{
    QMouseEvent press(QEvent::MouseButtonPress, QPointF(1, 1), QPointF(1, 1), Qt::RightButton, Qt::NoButton,
                      Qt::ControlModifier);
    EXPECT_EQ(ShiftStateFromEvent(press), ssRight | ssCtrl);
    QMouseEvent dbl(QEvent::MouseButtonDblClick, QPointF(1, 1), QPointF(1, 1), Qt::LeftButton, Qt::LeftButton,
                    Qt::NoModifier);
    EXPECT_EQ(ShiftStateFromEvent(dbl), ssLeft | ssDouble);
    EXPECT_EQ(MouseButtonFromQt(Qt::MiddleButton), mbMiddle);
    EXPECT_EQ(QtMouseButton(mbRight), Qt::RightButton);
}

TEST(InputTest, MessageParametersPackSignedCoordinates)
{
    const auto l = MakeLParam(-5, 300);
    EXPECT_EQ(GetXLParam(l), -5);
    EXPECT_EQ(GetYLParam(l), 300);
    const auto w = MakeWParam(SB_THUMBPOSITION, 127);
    EXPECT_EQ(LoWord(w), SB_THUMBPOSITION);
    EXPECT_EQ(HiWord(w), 127);
    EXPECT_EQ(int(std::int16_t(HiWord(MakeWParam(0, -120)))), -120);
}

TEST(InputTest, RegisteredMessagesAreStablePerName)
{
    const unsigned a = RegisterWindowMessage("GridEditDone");
    const unsigned b = RegisterWindowMessage("DTPShiftFocus");
    EXPECT_GE(a, 0xC000u);
    EXPECT_NE(a, b);
    EXPECT_EQ(RegisterWindowMessage("GridEditDone"), a);
}

namespace {
class Receiver : public QObject {
public:
    std::vector<TMessage> got;
    bool event(QEvent* e) override
    {
        if (e->type() == TMessageEvent::EventType()) {
            got.push_back(static_cast<TMessageEvent*>(e)->Message);
            return true;
        }
        return QObject::event(e);
    }
};
} // namespace

TEST(InputTest, PostedMessagesArriveLaterInOrder)
{
    Receiver r;
    PostMessage(&r, WM_CHAR, 'a');
    PostMessage(&r, WM_USER + 1, 2, 3);
    EXPECT_TRUE(r.got.empty());
    QCoreApplication::sendPostedEvents(&r);
    ASSERT_EQ(r.got.size(), 2u);
    EXPECT_EQ(r.got[0].Msg, WM_CHAR);
    EXPECT_EQ(r.got[0].WParam, 'a');
    EXPECT_EQ(r.got[1].Msg, WM_USER + 1);
    EXPECT_EQ(r.got[1].LParam, 3);
}
