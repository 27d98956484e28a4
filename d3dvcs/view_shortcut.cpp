#include "d3dvcs/view_shortcut.h"

bool MatchShortcut(TViewShortcut* shortcut, const TMessage* message)
{
    if (!shortcut || !message || shortcut->Msg != message->Msg) return false;
    if (message->Msg == WM_KEYDOWN || message->Msg == WM_KEYUP) {
        if (KeyDataToShiftState(message->LParam) != shortcut->Shift) return false;
        if ((message->WParam & 0xFFFFu) != shortcut->Key) return false;
    } else {
        if (KeysToShiftState(message->WParam & 0xFFFFu) != shortcut->Shift) return false;
        shortcut->Message = *message;
    }
    if (shortcut->Callback) shortcut->Callback(shortcut);
    return true;
}
