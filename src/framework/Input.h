#pragma once
// Keyboard and mouse vocabulary of the desktop: virtual-key codes, the shift
// state set and mouse buttons, plus the translation from Qt's events. Controls
// above the platform layer speak only in these terms.
#include <QChar>
#include <QtGlobal>
#include <Qt>
#include <cstdint>

class QKeyEvent;
class QMouseEvent;

namespace fw {

// Virtual-key codes with the desktop's numeric values (letters and digits are
// their upper-case ASCII codes: 'A' .. 'Z', '0' .. '9').
constexpr int VK_LBUTTON = 0x01, VK_RBUTTON = 0x02, VK_CANCEL = 0x03, VK_MBUTTON = 0x04,
              VK_BACK = 0x08, VK_TAB = 0x09, VK_CLEAR = 0x0C, VK_RETURN = 0x0D,
              VK_SHIFT = 0x10, VK_CONTROL = 0x11, VK_MENU = 0x12, VK_PAUSE = 0x13,
              VK_CAPITAL = 0x14, VK_ESCAPE = 0x1B, VK_SPACE = 0x20, VK_PRIOR = 0x21,
              VK_NEXT = 0x22, VK_END = 0x23, VK_HOME = 0x24, VK_LEFT = 0x25, VK_UP = 0x26,
              VK_RIGHT = 0x27, VK_DOWN = 0x28, VK_SELECT = 0x29, VK_PRINT = 0x2A,
              VK_SNAPSHOT = 0x2C, VK_INSERT = 0x2D, VK_DELETE = 0x2E, VK_HELP = 0x2F,
              VK_LWIN = 0x5B, VK_RWIN = 0x5C, VK_APPS = 0x5D,
              VK_NUMPAD0 = 0x60, VK_NUMPAD1 = 0x61, VK_NUMPAD2 = 0x62, VK_NUMPAD3 = 0x63,
              VK_NUMPAD4 = 0x64, VK_NUMPAD5 = 0x65, VK_NUMPAD6 = 0x66, VK_NUMPAD7 = 0x67,
              VK_NUMPAD8 = 0x68, VK_NUMPAD9 = 0x69, VK_MULTIPLY = 0x6A, VK_ADD = 0x6B,
              VK_SEPARATOR = 0x6C, VK_SUBTRACT = 0x6D, VK_DECIMAL = 0x6E, VK_DIVIDE = 0x6F,
              VK_F1 = 0x70, VK_F2 = 0x71, VK_F3 = 0x72, VK_F4 = 0x73, VK_F5 = 0x74,
              VK_F6 = 0x75, VK_F7 = 0x76, VK_F8 = 0x77, VK_F9 = 0x78, VK_F10 = 0x79,
              VK_F11 = 0x7A, VK_F12 = 0x7B,
              VK_NUMLOCK = 0x90, VK_SCROLL = 0x91,
              VK_LSHIFT = 0xA0, VK_RSHIFT = 0xA1, VK_LCONTROL = 0xA2, VK_RCONTROL = 0xA3,
              VK_LMENU = 0xA4, VK_RMENU = 0xA5;

// Members of a shift state: modifier keys, mouse buttons held, and the
// second press of a double click.
enum TShiftStateFlag : std::uint8_t {
    ssShift = 0x01,
    ssAlt = 0x02,
    ssCtrl = 0x04,
    ssLeft = 0x08,
    ssRight = 0x10,
    ssMiddle = 0x20,
    ssDouble = 0x40,
};

// A set of TShiftStateFlag: `Shift.Contains(ssCtrl)`, `Shift & ssCtrl`,
// `TShiftState(ssShift) | ssCtrl`, `Shift - ssDouble`.
class TShiftState {
public:
    constexpr TShiftState() = default;
    constexpr TShiftState(TShiftStateFlag f) : bits_(std::uint8_t(f)) {}
    static constexpr TShiftState FromBits(std::uint8_t b)
    {
        TShiftState s;
        s.bits_ = std::uint8_t(b & 0x7F);
        return s;
    }
    constexpr std::uint8_t Bits() const { return bits_; }
    constexpr bool Contains(TShiftStateFlag f) const { return (bits_ & f) != 0; }
    constexpr bool Empty() const { return bits_ == 0; }
    constexpr explicit operator bool() const { return bits_ != 0; }

    friend constexpr TShiftState operator|(TShiftState a, TShiftState b) { return FromBits(a.bits_ | b.bits_); }
    friend constexpr TShiftState operator&(TShiftState a, TShiftState b) { return FromBits(a.bits_ & b.bits_); }
    friend constexpr TShiftState operator-(TShiftState a, TShiftState b) { return FromBits(a.bits_ & ~b.bits_); }
    constexpr TShiftState& operator|=(TShiftState b) { bits_ |= b.bits_; return *this; }
    constexpr TShiftState& operator&=(TShiftState b) { bits_ &= b.bits_; return *this; }
    constexpr TShiftState& operator-=(TShiftState b) { bits_ &= std::uint8_t(~b.bits_); return *this; }
    friend constexpr bool operator==(TShiftState, TShiftState) = default;

private:
    std::uint8_t bits_ = 0;
};

constexpr TShiftState operator|(TShiftStateFlag a, TShiftStateFlag b) { return TShiftState(a) | TShiftState(b); }

enum TMouseButton { mbLeft, mbRight, mbMiddle };

// Virtual-key code of a Qt key; 0 when the key has no desktop counterpart.
// With Qt::KeypadModifier the digit keys map to VK_NUMPAD0..9.
int VirtualKeyFromQt(int qtKey, Qt::KeyboardModifiers mods = Qt::NoModifier);
// The Qt key for a virtual-key code (Qt::Key_unknown when there is none).
int QtKeyFromVirtualKey(int vk);
int VirtualKeyFromEvent(const QKeyEvent& e);

// The character a key press produces, as the desktop's character message
// carries it: Return 13, Escape 27, Backspace 8, Tab 9, Ctrl+letter its
// control code 1..26. A null QChar when the press produces no character.
QChar CharCodeFromEvent(const QKeyEvent& e);

TShiftState ShiftStateFromQt(Qt::KeyboardModifiers mods, Qt::MouseButtons buttons = Qt::NoButton);
TShiftState ShiftStateFromEvent(const QKeyEvent& e);
// Includes ssDouble for the press of a double click.
TShiftState ShiftStateFromEvent(const QMouseEvent& e);

// mbLeft for anything that is not the right or middle button.
TMouseButton MouseButtonFromQt(Qt::MouseButton b);
Qt::MouseButton QtMouseButton(TMouseButton b);

// Sampled key state in the desktop's sense: bit 15 (negative result) when the
// key or button is down. Modifier keys and mouse buttons are known; other
// keys read as up.
std::int16_t GetKeyState(int vk);
std::int16_t GetAsyncKeyState(int vk);
bool IsKeyDown(int vk);
// The modifier part of the current keyboard state.
TShiftState KeyboardStateToShiftState();

} // namespace fw
