// The record of the player's moves and the steps back and forward through it. Every step
// replays a move through PlayMove, which is never recorded.
#include "app/cube_form.h"

#include "platform/ui/speed_button.h"

void TCubeForm::RecordMove(int turn)
{
    sbPause->SetDown(false);
    LastMoveTime = Now();
    if (static_cast<int>(Moves.size()) > Position) Moves.resize(static_cast<std::size_t>(Position));
    Moves.push_back(turn);
    ++Position;
    ++StepsDone;
    UpdateHistoryButtons();
}

void TCubeForm::UpdateHistoryButtons()
{
    const bool behind = Position > 0;
    const bool ahead = Position < static_cast<int>(Moves.size());
    sbHome->setEnabled(behind);
    sbBackward->setEnabled(behind);
    sbFarward->setEnabled(ahead);
    sbEnd->setEnabled(ahead);
}

void TCubeForm::sbBackwardClick(QObject*)
{
    if (Position <= 0) return;
    TurnDirection = -1;
    --Position;
    PlayMove(Moves[static_cast<std::size_t>(Position)]);
    TurnDirection = 1;
    sbFarward->setEnabled(true);
    sbEnd->setEnabled(true);
    if (Position == 0) {
        sbBackward->setEnabled(false);
        sbHome->setEnabled(false);
    }
}

void TCubeForm::sbFarwardClick(QObject*)
{
    if (Position >= static_cast<int>(Moves.size())) return;
    const std::intptr_t turn = Moves[static_cast<std::size_t>(Position)];
    ++Position;
    PlayMove(turn);
    sbBackward->setEnabled(true);
    sbHome->setEnabled(true);
    if (Position == static_cast<int>(Moves.size())) {
        sbFarward->setEnabled(false);
        sbEnd->setEnabled(false);
    }
}

void TCubeForm::sbHomeClick(QObject*)
{
    while (Position > 0) sbBackwardClick(this);
}

void TCubeForm::sbEndClick(QObject*)
{
    while (Position < static_cast<int>(Moves.size())) sbFarwardClick(this);
}
