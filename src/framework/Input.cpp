#include "framework/Input.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QHash>
#include <QKeyEvent>
#include <QMouseEvent>

namespace fw {

namespace {

struct KeyPair {
    int qt;
    int vk;
};

// Keys whose codes differ between Qt and the desktop. Letters and digits share
// their codes and are handled separately.
constexpr KeyPair kKeys[] = {
    {Qt::Key_Backspace, VK_BACK},   {Qt::Key_Tab, VK_TAB},         {Qt::Key_Backtab, VK_TAB},
    {Qt::Key_Clear, VK_CLEAR},      {Qt::Key_Return, VK_RETURN},   {Qt::Key_Enter, VK_RETURN},
    {Qt::Key_Shift, VK_SHIFT},      {Qt::Key_Control, VK_CONTROL}, {Qt::Key_Alt, VK_MENU},
    {Qt::Key_AltGr, VK_RMENU},      {Qt::Key_Pause, VK_PAUSE},     {Qt::Key_CapsLock, VK_CAPITAL},
    {Qt::Key_Escape, VK_ESCAPE},    {Qt::Key_Space, VK_SPACE},     {Qt::Key_PageUp, VK_PRIOR},
    {Qt::Key_PageDown, VK_NEXT},    {Qt::Key_End, VK_END},         {Qt::Key_Home, VK_HOME},
    {Qt::Key_Left, VK_LEFT},        {Qt::Key_Up, VK_UP},           {Qt::Key_Right, VK_RIGHT},
    {Qt::Key_Down, VK_DOWN},        {Qt::Key_Select, VK_SELECT},   {Qt::Key_Print, VK_SNAPSHOT},
    {Qt::Key_Insert, VK_INSERT},    {Qt::Key_Delete, VK_DELETE},   {Qt::Key_Help, VK_HELP},
    {Qt::Key_Meta, VK_LWIN},        {Qt::Key_Menu, VK_APPS},       {Qt::Key_NumLock, VK_NUMLOCK},
    {Qt::Key_ScrollLock, VK_SCROLL}, {Qt::Key_Asterisk, VK_MULTIPLY}, {Qt::Key_Plus, VK_ADD},
    {Qt::Key_Minus, VK_SUBTRACT},   {Qt::Key_Slash, VK_DIVIDE},
};

} // namespace

int VirtualKeyFromQt(int qtKey, Qt::KeyboardModifiers mods)
{
    if (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9)
        return (mods & Qt::KeypadModifier) ? VK_NUMPAD0 + (qtKey - Qt::Key_0) : qtKey;
    if (qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z)
        return qtKey;
    if (qtKey >= Qt::Key_F1 && qtKey <= Qt::Key_F24)
        return VK_F1 + (qtKey - Qt::Key_F1);
    if ((mods & Qt::KeypadModifier) && (qtKey == Qt::Key_Period || qtKey == Qt::Key_Comma))
        return VK_DECIMAL;
    // The plain '+' '-' '*' '/' characters only count as keys on the keypad;
    // elsewhere they are OEM keys the desktop does not name.
    const bool keypadOnly = qtKey == Qt::Key_Asterisk || qtKey == Qt::Key_Plus || qtKey == Qt::Key_Minus
                            || qtKey == Qt::Key_Slash;
    if (keypadOnly && !(mods & Qt::KeypadModifier))
        return 0;
    for (const KeyPair& k : kKeys)
        if (k.qt == qtKey)
            return k.vk;
    return 0;
}

int QtKeyFromVirtualKey(int vk)
{
    if ((vk >= '0' && vk <= '9') || (vk >= 'A' && vk <= 'Z'))
        return vk;
    if (vk >= VK_NUMPAD0 && vk <= VK_NUMPAD9)
        return Qt::Key_0 + (vk - VK_NUMPAD0);
    if (vk >= VK_F1 && vk <= VK_F12)
        return Qt::Key_F1 + (vk - VK_F1);
    switch (vk) {
    case VK_LMENU: return Qt::Key_Alt;
    case VK_LSHIFT: case VK_RSHIFT: return Qt::Key_Shift;
    case VK_LCONTROL: case VK_RCONTROL: return Qt::Key_Control;
    case VK_DECIMAL: return Qt::Key_Period;
    default: break;
    }
    for (const KeyPair& k : kKeys)
        if (k.vk == vk)
            return k.qt;
    return Qt::Key_unknown;
}

int VirtualKeyFromEvent(const QKeyEvent& e)
{
    return VirtualKeyFromQt(e.key(), e.modifiers());
}

std::intptr_t KeyDataFromEvent(const QKeyEvent& e)
{
    std::intptr_t data = 1;
    // The keypad's decimal key types "." or "," depending on the layout.
    if ((e.modifiers() & Qt::KeypadModifier) && (e.key() == Qt::Key_Period || e.key() == Qt::Key_Comma))
        data |= std::intptr_t(0x53) << 16;
    if (e.modifiers() & Qt::AltModifier)
        data |= std::intptr_t(1) << 29;
    if (e.isAutoRepeat())
        data |= std::intptr_t(1) << 30;
    return data;
}

QChar CharCodeFromEvent(const QKeyEvent& e)
{
    switch (e.key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter: return QChar(13);
    case Qt::Key_Escape: return QChar(27);
    case Qt::Key_Backspace: return QChar(8);
    case Qt::Key_Tab:
    case Qt::Key_Backtab: return QChar(9);
    default: break;
    }
    const Qt::KeyboardModifiers mods = e.modifiers();
    if ((mods & Qt::ControlModifier) && !(mods & Qt::AltModifier) && e.key() >= Qt::Key_A && e.key() <= Qt::Key_Z)
        return QChar(e.key() - Qt::Key_A + 1);
    // Alt combinations are menu accelerators, not typing.
    if ((mods & (Qt::AltModifier | Qt::ControlModifier)) && !(mods & Qt::GroupSwitchModifier))
        return QChar();
    const QString text = e.text();
    if (text.isEmpty())
        return QChar();
    const QChar c = text.at(0);
    if (c == QChar(0x7F)) // Delete is a key, not a character
        return QChar();
    return c;
}

TShiftState ShiftStateFromQt(Qt::KeyboardModifiers mods, Qt::MouseButtons buttons)
{
    TShiftState s;
    if (mods & Qt::ShiftModifier) s |= ssShift;
    if (mods & Qt::AltModifier) s |= ssAlt;
    if (mods & Qt::ControlModifier) s |= ssCtrl;
    if (buttons & Qt::LeftButton) s |= ssLeft;
    if (buttons & Qt::RightButton) s |= ssRight;
    if (buttons & Qt::MiddleButton) s |= ssMiddle;
    return s;
}

TShiftState ShiftStateFromEvent(const QKeyEvent& e)
{
    return ShiftStateFromQt(e.modifiers());
}

TShiftState ShiftStateFromEvent(const QMouseEvent& e)
{
    // A press carries its own button even where Qt's button set lags behind.
    Qt::MouseButtons buttons = e.buttons();
    if (e.type() == QEvent::MouseButtonPress || e.type() == QEvent::MouseButtonDblClick)
        buttons |= e.button();
    TShiftState s = ShiftStateFromQt(e.modifiers(), buttons);
    if (e.type() == QEvent::MouseButtonDblClick)
        s |= ssDouble;
    return s;
}

TMouseButton MouseButtonFromQt(Qt::MouseButton b)
{
    switch (b) {
    case Qt::RightButton: return mbRight;
    case Qt::MiddleButton: return mbMiddle;
    default: return mbLeft;
    }
}

Qt::MouseButton QtMouseButton(TMouseButton b)
{
    switch (b) {
    case mbRight: return Qt::RightButton;
    case mbMiddle: return Qt::MiddleButton;
    default: return Qt::LeftButton;
    }
}

bool IsKeyDown(int vk)
{
    const Qt::KeyboardModifiers mods = QGuiApplication::queryKeyboardModifiers();
    const Qt::MouseButtons buttons = QGuiApplication::mouseButtons();
    switch (vk) {
    case VK_SHIFT: case VK_LSHIFT: case VK_RSHIFT: return (mods & Qt::ShiftModifier) != 0;
    case VK_CONTROL: case VK_LCONTROL: case VK_RCONTROL: return (mods & Qt::ControlModifier) != 0;
    // Qt does not tell the two Alt keys apart; AltGr arrives as a group switch.
    case VK_MENU: case VK_LMENU: return (mods & Qt::AltModifier) != 0;
    case VK_RMENU: return (mods & (Qt::AltModifier | Qt::GroupSwitchModifier)) != 0;
    case VK_LWIN: case VK_RWIN: return (mods & Qt::MetaModifier) != 0;
    case VK_LBUTTON: return (buttons & Qt::LeftButton) != 0;
    case VK_RBUTTON: return (buttons & Qt::RightButton) != 0;
    case VK_MBUTTON: return (buttons & Qt::MiddleButton) != 0;
    default: return false;
    }
}

std::int16_t GetKeyState(int vk)
{
    return IsKeyDown(vk) ? std::int16_t(0x8000 - 0x10000) : std::int16_t(0);
}

std::int16_t GetAsyncKeyState(int vk)
{
    return GetKeyState(vk);
}

TShiftState KeyboardStateToShiftState()
{
    return ShiftStateFromQt(QGuiApplication::queryKeyboardModifiers());
}

unsigned RegisterWindowMessage(const QString& name)
{
    static QHash<QString, unsigned> registered;
    auto it = registered.constFind(name);
    if (it != registered.constEnd())
        return *it;
    const unsigned id = 0xC000 + unsigned(registered.size());
    registered.insert(name, id);
    return id;
}

QEvent::Type TMessageEvent::EventType()
{
    static const QEvent::Type type = QEvent::Type(QEvent::registerEventType());
    return type;
}

void PostMessage(QObject* target, unsigned msg, std::intptr_t wParam, std::intptr_t lParam)
{
    if (!target)
        return;
    TMessage m;
    m.Msg = msg;
    m.WParam = wParam;
    m.LParam = lParam;
    QCoreApplication::postEvent(target, new TMessageEvent(m));
}

} // namespace fw
