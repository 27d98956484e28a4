#include "platform/ui/key_codes.h"

#include <gtest/gtest.h>

namespace {

struct KeyCase {
    int QtKey;
    Qt::KeyboardModifiers Modifiers;
    int Expected;
};

TEST(KeyCodes, QtKeysMapToVirtualKeys)
{
    const Qt::KeyboardModifiers none = Qt::NoModifier;
    const Qt::KeyboardModifiers keypad = Qt::KeypadModifier;
    const KeyCase cases[] = {
        // Keypad digits with Num Lock on.
        {Qt::Key_1, keypad, 97}, {Qt::Key_5, keypad, 101}, {Qt::Key_9, keypad, 105}, {Qt::Key_0, keypad, 96},
        // The same keys with Num Lock off arrive as navigation keys with the keypad flag.
        {Qt::Key_Home, keypad, 36}, {Qt::Key_End, keypad, 35}, {Qt::Key_Left, keypad, 37},
        {Qt::Key_Right, keypad, 39}, {Qt::Key_Up, keypad, 38}, {Qt::Key_Down, keypad, 40},
        {Qt::Key_PageUp, keypad, 33}, {Qt::Key_PageDown, keypad, 34}, {Qt::Key_Clear, keypad, 12},
        // The main keyboard's digits and letters.
        {Qt::Key_1, none, '1'}, {Qt::Key_S, Qt::ControlModifier, 83}, {Qt::Key_A, none, 65},
        {Qt::Key_F1, none, 112}, {Qt::Key_F4, none, 115}, {Qt::Key_Pause, none, 19},
        {Qt::Key_Shift, Qt::ShiftModifier, 16}, {Qt::Key_Control, Qt::ControlModifier, 17},
        {Qt::Key_Alt, Qt::AltModifier, 18}, {Qt::Key_Escape, none, 27}, {Qt::Key_Asterisk, keypad, 106},
        {Qt::Key_unknown, none, 0},
    };
    for (const auto& c : cases)
        EXPECT_EQ(VirtualKeyFromQt(c.QtKey, c.Modifiers), c.Expected) << "Qt key 0x" << std::hex << c.QtKey;
}

TEST(KeyCodes, ShiftStatesAreOneByteSets)
{
    const TShiftState ctrl = ShiftStateFromQt(Qt::ControlModifier);
    EXPECT_EQ(ctrl, (TShiftState{ssCtrl}));
    EXPECT_FALSE(ctrl == (TShiftState{ssCtrl, ssShift}));
    const TShiftState mouse = ShiftStateFromQt(Qt::ShiftModifier | Qt::AltModifier,
                                               Qt::LeftButton | Qt::RightButton | Qt::MiddleButton, true);
    EXPECT_EQ(mouse.Bits(), 0x7B);  // Shift, Alt, left, right, middle, double click
    EXPECT_TRUE(ShiftStateFromQt(Qt::KeypadModifier).Empty());
}

}  // namespace
