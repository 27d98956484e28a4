#pragma once
// Input bindings of the view: one key or mouse message with an exact shift state, tied to a
// callback. The user of the view allocates and owns the records; the view only keeps pointers.

#include "d3dvcs/view_messages.h"

#include <cstdint>

struct TViewShortcut;
using TViewShortcutCallback = void (*)(TViewShortcut* Shortcut);

struct TViewShortcut {
    std::uint32_t Msg = 0;        // message id answered to (WM_KEYDOWN, WM_KEYUP, WM_MOUSEMOVE..)
    TShiftState Shift;            // shift state that must hold exactly
    std::uint16_t Key = 0;        // virtual-key code, compared for key messages only
    TMessage Message;             // the last mouse message that matched, written before Callback
    TViewShortcutCallback Callback = nullptr;  // called on every match (may be null)
};

// Whether `shortcut` answers `message`; on a match its Callback runs (after Message was
// written, for mouse messages). Null arguments never match.
bool MatchShortcut(TViewShortcut* shortcut, const TMessage* message);
