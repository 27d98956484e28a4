#pragma once
// Virtual-key codes and shift states as the game's key handlers see them, made from Qt's events.

#include <Qt>

#include <cstdint>
#include <initializer_list>

class QKeyEvent;

constexpr int VK_BACK = 8, VK_TAB = 9, VK_CLEAR = 12, VK_RETURN = 13, VK_SHIFT = 16,
              VK_CONTROL = 17, VK_MENU = 18, VK_PAUSE = 19, VK_CAPITAL = 20, VK_ESCAPE = 27,
              VK_SPACE = 32, VK_PRIOR = 33, VK_NEXT = 34, VK_END = 35, VK_HOME = 36, VK_LEFT = 37,
              VK_UP = 38, VK_RIGHT = 39, VK_DOWN = 40, VK_INSERT = 45, VK_DELETE = 46;
constexpr int VK_NUMPAD0 = 96, VK_NUMPAD1 = 97, VK_NUMPAD2 = 98, VK_NUMPAD3 = 99, VK_NUMPAD4 = 100,
              VK_NUMPAD5 = 101, VK_NUMPAD6 = 102, VK_NUMPAD7 = 103, VK_NUMPAD8 = 104, VK_NUMPAD9 = 105;
constexpr int VK_MULTIPLY = 106, VK_ADD = 107, VK_SEPARATOR = 108, VK_SUBTRACT = 109, VK_DECIMAL = 110,
              VK_DIVIDE = 111;
constexpr int VK_F1 = 112, VK_F2 = 113, VK_F3 = 114, VK_F4 = 115, VK_F5 = 116, VK_F6 = 117, VK_F7 = 118,
              VK_F8 = 119, VK_F9 = 120, VK_F10 = 121, VK_F11 = 122, VK_F12 = 123, VK_F24 = 135;
constexpr int VK_NUMLOCK = 144, VK_SCROLL = 145;

// One member of a shift state; the value is its bit number in the one-byte set.
enum TShiftStateItem : std::uint8_t { ssShift, ssAlt, ssCtrl, ssLeft, ssRight, ssMiddle, ssDouble };

class TShiftState {
public:
    constexpr TShiftState() = default;
    constexpr TShiftState(std::initializer_list<TShiftStateItem> items)
    {
        for (auto item : items) Include(item);
    }
    constexpr bool Contains(TShiftStateItem item) const { return (FBits >> item) & 1u; }
    constexpr void Include(TShiftStateItem item) { FBits = static_cast<std::uint8_t>(FBits | (1u << item)); }
    constexpr std::uint8_t Bits() const { return FBits; }
    constexpr bool Empty() const { return FBits == 0; }
    friend constexpr bool operator==(TShiftState, TShiftState) = default;

private:
    std::uint8_t FBits = 0;
};

// The virtual-key code of a Qt key, 0 for keys without one. A key with the keypad modifier is
// a keypad key: digits give VK_NUMPAD0..9 (Num Lock on); with Num Lock off the keypad sends
// Home, End, the arrows and so on, which map to the codes of those keys.
int VirtualKeyFromQt(int qtKey, Qt::KeyboardModifiers modifiers);
int VirtualKey(const QKeyEvent& event);

TShiftState ShiftStateFromQt(Qt::KeyboardModifiers modifiers, Qt::MouseButtons buttons = Qt::NoButton,
                             bool doubleClick = false);
