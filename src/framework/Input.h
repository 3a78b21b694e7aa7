#pragma once
// Keyboard and mouse vocabulary of the desktop: virtual-key codes, the shift
// state set and mouse buttons, plus the translation from Qt's events. Controls
// above the platform layer speak only in these terms.
#include <QChar>
#include <QEvent>
#include <QString>
#include <QtGlobal>
#include <Qt>
#include <cstdint>

class QKeyEvent;
class QMouseEvent;
class QObject;

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
// The key data the desktop's key and character messages carry: a repeat
// count of 1, bit 29 with Alt, bit 30 for a repeated key, and the bits of
// the scan code that tell the numeric keypad's decimal key (bit 22, see
// KeyDataIsKeypadDecimal).
std::intptr_t KeyDataFromEvent(const QKeyEvent& e);
constexpr bool KeyDataIsKeypadDecimal(std::intptr_t keyData) { return (keyData & (std::intptr_t(1) << 22)) != 0; }

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

// ---------------------------------------------------------------- messages
// Controls that follow the desktop's window-procedure model receive their
// input as TMessage records with these numbers and parameter layouts.

struct TMessage {
    unsigned Msg = 0;
    std::intptr_t WParam = 0;
    std::intptr_t LParam = 0;
    std::intptr_t Result = 0;
};

constexpr unsigned WM_NULL = 0x0000, WM_DESTROY = 0x0002, WM_SIZE = 0x0005, WM_SETFOCUS = 0x0007,
                   WM_KILLFOCUS = 0x0008, WM_ENABLE = 0x000A, WM_SETREDRAW = 0x000B, WM_PAINT = 0x000F,
                   WM_ERASEBKGND = 0x0014, WM_CANCELMODE = 0x001F, WM_SETCURSOR = 0x0020,
                   WM_GETDLGCODE = 0x0087, WM_KEYDOWN = 0x0100, WM_KEYUP = 0x0101, WM_CHAR = 0x0102,
                   WM_SYSKEYDOWN = 0x0104, WM_SYSKEYUP = 0x0105, WM_SYSCHAR = 0x0106,
                   WM_COMMAND = 0x0111, WM_TIMER = 0x0113, WM_HSCROLL = 0x0114, WM_VSCROLL = 0x0115,
                   WM_MOUSEMOVE = 0x0200, WM_LBUTTONDOWN = 0x0201, WM_LBUTTONUP = 0x0202,
                   WM_LBUTTONDBLCLK = 0x0203, WM_RBUTTONDOWN = 0x0204, WM_RBUTTONUP = 0x0205,
                   WM_RBUTTONDBLCLK = 0x0206, WM_MBUTTONDOWN = 0x0207, WM_MBUTTONUP = 0x0208,
                   WM_MBUTTONDBLCLK = 0x0209, WM_MOUSEWHEEL = 0x020A, WM_MOUSELEAVE = 0x02A3,
                   WM_USER = 0x0400, WM_APP = 0x8000;
// Component notifications of the control framework (above WM_APP).
constexpr unsigned CM_BASE = 0xB000, CM_ENTER = CM_BASE + 0x0A, CM_EXIT = CM_BASE + 0x0B,
                   CM_MOUSEENTER = CM_BASE + 0x13, CM_MOUSELEAVE = CM_BASE + 0x14;

// Key state flags of mouse messages (WParam).
constexpr unsigned MK_LBUTTON = 0x01, MK_RBUTTON = 0x02, MK_SHIFT = 0x04, MK_CONTROL = 0x08, MK_MBUTTON = 0x10;
// Scroll request codes (low word of WParam of WM_HSCROLL/WM_VSCROLL).
constexpr int SB_LINEUP = 0, SB_LINELEFT = 0, SB_LINEDOWN = 1, SB_LINERIGHT = 1, SB_PAGEUP = 2,
              SB_PAGELEFT = 2, SB_PAGEDOWN = 3, SB_PAGERIGHT = 3, SB_THUMBPOSITION = 4, SB_THUMBTRACK = 5,
              SB_TOP = 6, SB_LEFT = 6, SB_BOTTOM = 7, SB_RIGHT = 7, SB_ENDSCROLL = 8;
// Answers to WM_GETDLGCODE.
constexpr unsigned DLGC_WANTARROWS = 0x01, DLGC_WANTTAB = 0x02, DLGC_WANTALLKEYS = 0x04, DLGC_WANTCHARS = 0x80;
// Edit control notification code of WM_COMMAND (high word of WParam).
constexpr unsigned EN_CHANGE = 0x0300;
// One notch of the mouse wheel.
constexpr int WHEEL_DELTA = 120;

constexpr std::intptr_t MakeLParam(int lo, int hi)
{
    return std::intptr_t(std::uint32_t(std::uint16_t(lo)) | (std::uint32_t(std::uint16_t(hi)) << 16));
}
constexpr std::intptr_t MakeWParam(int lo, int hi) { return MakeLParam(lo, hi); }
constexpr int LoWord(std::intptr_t v) { return int(std::uint16_t(std::uint32_t(v) & 0xFFFF)); }
constexpr int HiWord(std::intptr_t v) { return int(std::uint16_t((std::uint32_t(v) >> 16) & 0xFFFF)); }
// Signed coordinates packed in an LParam.
constexpr int GetXLParam(std::intptr_t v) { return int(std::int16_t(LoWord(v))); }
constexpr int GetYLParam(std::intptr_t v) { return int(std::int16_t(HiWord(v))); }
constexpr TShiftState KeysToShiftState(std::intptr_t keys)
{
    TShiftState s;
    if (keys & MK_SHIFT) s |= ssShift;
    if (keys & MK_CONTROL) s |= ssCtrl;
    if (keys & MK_LBUTTON) s |= ssLeft;
    if (keys & MK_RBUTTON) s |= ssRight;
    if (keys & MK_MBUTTON) s |= ssMiddle;
    return s;
}
constexpr unsigned ShiftStateToKeys(TShiftState s)
{
    unsigned k = 0;
    if (s.Contains(ssShift)) k |= MK_SHIFT;
    if (s.Contains(ssCtrl)) k |= MK_CONTROL;
    if (s.Contains(ssLeft)) k |= MK_LBUTTON;
    if (s.Contains(ssRight)) k |= MK_RBUTTON;
    if (s.Contains(ssMiddle)) k |= MK_MBUTTON;
    return k;
}

// A process-wide message number for `name` in the range 0xC000..0xFFFF; the
// same name always gives the same number.
unsigned RegisterWindowMessage(const QString& name);

// Carrier of a posted message. A control that takes posted messages handles
// this event type in event() and runs the message through its window procedure.
class TMessageEvent : public QEvent {
public:
    explicit TMessageEvent(const TMessage& m) : QEvent(EventType()), Message(m) {}
    static QEvent::Type EventType();
    TMessage Message;
};
// Queues `msg` for `target`; it arrives after the current event has been handled.
void PostMessage(QObject* target, unsigned msg, std::intptr_t wParam = 0, std::intptr_t lParam = 0);

} // namespace fw
