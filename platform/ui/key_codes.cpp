#include "platform/ui/key_codes.h"

#include <QKeyEvent>

namespace {

struct KeyRow {
    int QtKey;
    int VirtualKey;
};

constexpr KeyRow kKeys[] = {
    {Qt::Key_Backspace, VK_BACK}, {Qt::Key_Tab, VK_TAB},         {Qt::Key_Backtab, VK_TAB},
    {Qt::Key_Clear, VK_CLEAR},    {Qt::Key_Return, VK_RETURN},   {Qt::Key_Enter, VK_RETURN},
    {Qt::Key_Shift, VK_SHIFT},    {Qt::Key_Control, VK_CONTROL}, {Qt::Key_Alt, VK_MENU},
    {Qt::Key_Pause, VK_PAUSE},    {Qt::Key_CapsLock, VK_CAPITAL}, {Qt::Key_Escape, VK_ESCAPE},
    {Qt::Key_Space, VK_SPACE},    {Qt::Key_PageUp, VK_PRIOR},    {Qt::Key_PageDown, VK_NEXT},
    {Qt::Key_End, VK_END},        {Qt::Key_Home, VK_HOME},       {Qt::Key_Left, VK_LEFT},
    {Qt::Key_Up, VK_UP},          {Qt::Key_Right, VK_RIGHT},     {Qt::Key_Down, VK_DOWN},
    {Qt::Key_Insert, VK_INSERT},  {Qt::Key_Delete, VK_DELETE},   {Qt::Key_NumLock, VK_NUMLOCK},
    {Qt::Key_ScrollLock, VK_SCROLL},
};

// Keys of the keypad's operator column, which keep their own codes whatever Num Lock says.
constexpr KeyRow kKeypadOperators[] = {
    {Qt::Key_Asterisk, VK_MULTIPLY}, {Qt::Key_Plus, VK_ADD}, {Qt::Key_Minus, VK_SUBTRACT},
    {Qt::Key_Period, VK_DECIMAL},    {Qt::Key_Comma, VK_DECIMAL}, {Qt::Key_Slash, VK_DIVIDE},
};

}  // namespace

int VirtualKeyFromQt(int qtKey, Qt::KeyboardModifiers modifiers)
{
    const bool keypad = modifiers.testFlag(Qt::KeypadModifier);
    if (keypad) {
        if (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9) return VK_NUMPAD0 + (qtKey - Qt::Key_0);
        for (const KeyRow& row : kKeypadOperators)
            if (row.QtKey == qtKey) return row.VirtualKey;
    }
    if (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9) return '0' + (qtKey - Qt::Key_0);
    if (qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z) return 'A' + (qtKey - Qt::Key_A);
    if (qtKey >= Qt::Key_F1 && qtKey <= Qt::Key_F24) return VK_F1 + (qtKey - Qt::Key_F1);
    for (const KeyRow& row : kKeys)
        if (row.QtKey == qtKey) return row.VirtualKey;
    return 0;
}

int VirtualKey(const QKeyEvent& event) { return VirtualKeyFromQt(event.key(), event.modifiers()); }

TShiftState ShiftStateFromQt(Qt::KeyboardModifiers modifiers, Qt::MouseButtons buttons, bool doubleClick)
{
    TShiftState state;
    if (modifiers.testFlag(Qt::ShiftModifier)) state.Include(ssShift);
    if (modifiers.testFlag(Qt::AltModifier)) state.Include(ssAlt);
    if (modifiers.testFlag(Qt::ControlModifier)) state.Include(ssCtrl);
    if (buttons.testFlag(Qt::LeftButton)) state.Include(ssLeft);
    if (buttons.testFlag(Qt::RightButton)) state.Include(ssRight);
    if (buttons.testFlag(Qt::MiddleButton)) state.Include(ssMiddle);
    if (doubleClick) state.Include(ssDouble);
    return state;
}
