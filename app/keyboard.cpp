// The form's key handler. The form previews every key: during seeding the first key starts
// play; during play the keypad turns layers, Home, End and the arrows step through the moves,
// Pause stops the clock, F1 shows the About box and Ctrl+S or Ctrl+F4 the options dialog.
#include "app/cube_form.h"

#include "platform/ui/panel.h"
#include "platform/ui/speed_button.h"
#include "platform/ui/status_bar.h"

void TCubeForm::FormKeyDown(QObject*, int& Key, TShiftState Shift)
{
    if (!Playing) {
        // Any key ends the seeding and does nothing else.
        Playing = true;
        StatBar->SetSimpleText(QString());
        PlayTime = 0.0;
        // The clock counts from here: the seeding is not play time.
        LastIdleTime = Now();
        paRight->setEnabled(true);
        paBot->setEnabled(true);
        return;
    }
    switch (Key) {
    case VK_PAUSE: sbPause->SetDown(true); break;
    case VK_END: sbEndClick(sbEnd); break;
    case VK_HOME: sbHomeClick(sbHome); break;
    case VK_LEFT: sbBackwardClick(sbBackward); break;
    case VK_RIGHT: sbFarwardClick(sbFarward); break;
    case VK_F1: sbAboutClick(sbAbout); break;
    default:
        if (Key >= VK_NUMPAD1 && Key <= VK_NUMPAD9) {
            const int turn = Key - VK_NUMPAD1 + 1;
            Turn(turn, TurnButton(turn));
        }
        break;
    }
    if ((Key == 'S' || Key == VK_F4) && Shift.Contains(ssCtrl)) sbSetupClick(sbSetup);
}
