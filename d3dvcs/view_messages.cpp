#include "d3dvcs/view_messages.h"

#include <QKeyEvent>
#include <QMouseEvent>

namespace {
Qt::KeyboardModifiers& KeyState()
{
    static Qt::KeyboardModifiers state;
    return state;
}

// Low and high 16-bit words of an lParam from two signed coordinates.
std::int32_t MakeLParam(int low, int high)
{
    const auto lo = static_cast<std::uint16_t>(static_cast<std::int16_t>(low));
    const auto hi = static_cast<std::uint16_t>(static_cast<std::int16_t>(high));
    return static_cast<std::int32_t>((static_cast<std::uint32_t>(hi) << 16) | lo);
}
}  // namespace

Qt::KeyboardModifiers MessageKeyState() { return KeyState(); }

void SetMessageKeyState(Qt::KeyboardModifiers modifiers) { KeyState() = modifiers; }

TMessage KeyMessage(const QKeyEvent& event)
{
    const bool down = event.type() != QEvent::KeyRelease;
    TMessage message;
    message.Msg = down ? WM_KEYDOWN : WM_KEYUP;
    message.WParam = static_cast<std::uint32_t>(VirtualKey(event));
    std::uint32_t data = 1;                                         // repeat count
    if (event.modifiers().testFlag(Qt::AltModifier)) data |= KF_ALTDOWN_LPARAM;
    if (!down || event.isAutoRepeat()) data |= 1u << 30;           // key was down before
    if (!down) data |= 1u << 31;                                    // transition: released
    message.LParam = static_cast<std::int32_t>(data);
    return message;
}

TMessage MouseMessage(std::uint32_t msg, const QMouseEvent& event)
{
    TMessage message;
    message.Msg = msg;
    std::uint32_t keys = 0;
    const Qt::MouseButtons buttons = event.buttons();
    if (buttons.testFlag(Qt::LeftButton)) keys |= MK_LBUTTON;
    if (buttons.testFlag(Qt::RightButton)) keys |= MK_RBUTTON;
    if (buttons.testFlag(Qt::MiddleButton)) keys |= MK_MBUTTON;
    if (event.modifiers().testFlag(Qt::ShiftModifier)) keys |= MK_SHIFT;
    if (event.modifiers().testFlag(Qt::ControlModifier)) keys |= MK_CONTROL;
    message.WParam = keys;
    const QPoint position = event.position().toPoint();
    message.LParam = MakeLParam(position.x(), position.y());
    return message;
}

std::uint32_t MouseMessageId(const QMouseEvent& event)
{
    const Qt::MouseButton button = event.button();
    switch (event.type()) {
    case QEvent::MouseMove: return WM_MOUSEMOVE;
    case QEvent::MouseButtonPress:
        return button == Qt::LeftButton ? WM_LBUTTONDOWN
             : button == Qt::RightButton ? WM_RBUTTONDOWN
             : button == Qt::MiddleButton ? WM_MBUTTONDOWN : 0;
    case QEvent::MouseButtonRelease:
        return button == Qt::LeftButton ? WM_LBUTTONUP
             : button == Qt::RightButton ? WM_RBUTTONUP
             : button == Qt::MiddleButton ? WM_MBUTTONUP : 0;
    case QEvent::MouseButtonDblClick:
        return button == Qt::LeftButton ? WM_LBUTTONDBLCLK
             : button == Qt::RightButton ? WM_RBUTTONDBLCLK
             : button == Qt::MiddleButton ? WM_MBUTTONDBLCLK : 0;
    default: return 0;
    }
}

TShiftState KeyDataToShiftState(std::int32_t keyData)
{
    TShiftState state;
    const Qt::KeyboardModifiers keys = MessageKeyState();
    if (keys.testFlag(Qt::ShiftModifier)) state.Include(ssShift);
    if (keys.testFlag(Qt::ControlModifier)) state.Include(ssCtrl);
    if (static_cast<std::uint32_t>(keyData) & KF_ALTDOWN_LPARAM) state.Include(ssAlt);
    return state;
}

TShiftState KeysToShiftState(std::uint32_t keys)
{
    TShiftState state;
    if (keys & MK_SHIFT) state.Include(ssShift);
    if (keys & MK_CONTROL) state.Include(ssCtrl);
    if (keys & MK_LBUTTON) state.Include(ssLeft);
    if (keys & MK_RBUTTON) state.Include(ssRight);
    if (keys & MK_MBUTTON) state.Include(ssMiddle);
    if (MessageKeyState().testFlag(Qt::AltModifier)) state.Include(ssAlt);
    return state;
}
