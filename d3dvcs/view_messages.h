#pragma once
// Key and mouse messages as the view's bindings see them: the message ids, the message record
// with its two parameters, and the conversions from Qt's input events and back to shift states.

#include "platform/ui/key_codes.h"

#include <Qt>

#include <cstdint>

class QKeyEvent;
class QMouseEvent;

// Message ids.
constexpr std::uint32_t WM_CREATE = 0x0001;
constexpr std::uint32_t WM_ACTIVATE = 0x0006;
constexpr std::uint32_t WM_KEYDOWN = 0x0100;
constexpr std::uint32_t WM_KEYUP = 0x0101;
constexpr std::uint32_t WM_MOUSEMOVE = 0x0200;
constexpr std::uint32_t WM_LBUTTONDOWN = 0x0201;
constexpr std::uint32_t WM_LBUTTONUP = 0x0202;
constexpr std::uint32_t WM_LBUTTONDBLCLK = 0x0203;
constexpr std::uint32_t WM_RBUTTONDOWN = 0x0204;
constexpr std::uint32_t WM_RBUTTONUP = 0x0205;
constexpr std::uint32_t WM_RBUTTONDBLCLK = 0x0206;
constexpr std::uint32_t WM_MBUTTONDOWN = 0x0207;
constexpr std::uint32_t WM_MBUTTONUP = 0x0208;
constexpr std::uint32_t WM_MBUTTONDBLCLK = 0x0209;

// Button and key flags in the wParam of mouse messages.
constexpr std::uint32_t MK_LBUTTON = 0x01;
constexpr std::uint32_t MK_RBUTTON = 0x02;
constexpr std::uint32_t MK_SHIFT = 0x04;
constexpr std::uint32_t MK_CONTROL = 0x08;
constexpr std::uint32_t MK_MBUTTON = 0x10;

// Bit of a key message's lParam that says Alt was held.
constexpr std::uint32_t KF_ALTDOWN_LPARAM = 1u << 29;

// One message: id, wParam, lParam and result, four 32-bit values.
struct TMessage {
    std::uint32_t Msg = 0;
    std::uint32_t WParam = 0;
    std::int32_t LParam = 0;
    std::int32_t Result = 0;
};

// True for the seven messages the view routes to viewport controls and bindings
// (WM_MOUSEMOVE .. WM_RBUTTONDBLCLK).
constexpr bool IsRoutedMouseMessage(std::uint32_t msg) { return msg >= WM_MOUSEMOVE && msg <= WM_RBUTTONDBLCLK; }

// The modifier keys held while the message being handled was made (the keyboard state as of
// that message). The view sets it from each input event before it matches bindings.
Qt::KeyboardModifiers MessageKeyState();
void SetMessageKeyState(Qt::KeyboardModifiers modifiers);

// Key message from a key event: wParam the virtual-key code, lParam a repeat count of 1, the
// Alt bit, the previous-state bit for auto-repeats and the transition bit for key-up.
TMessage KeyMessage(const QKeyEvent& event);
// Mouse message `msg` from a mouse event: wParam the MK_ flags of the buttons held after the
// event and of Shift and Ctrl, lParam the position (x low word, y high word, both signed 16-bit).
TMessage MouseMessage(std::uint32_t msg, const QMouseEvent& event);
// The message id of a mouse event (press, release, double click or move); 0 when it has none.
std::uint32_t MouseMessageId(const QMouseEvent& event);

// Shift state of a key message: Shift and Ctrl from the keyboard state, Alt from lParam.
TShiftState KeyDataToShiftState(std::int32_t keyData);
// Shift state of a mouse message: Shift, Ctrl and the buttons from wParam's MK_ flags, Alt from
// the keyboard state.
TShiftState KeysToShiftState(std::uint32_t keys);
