// The game loop: a new game seeds the cube with one random turn per idle pass until the first
// key; during play the idle handler keeps the clock and the step counters, and a one-second
// timer shows the clock.
#include "app/cube_form.h"

#include "app/game_clock.h"
#include "app/turn_table.h"
#include "platform/ui/panel.h"
#include "platform/ui/speed_button.h"
#include "platform/ui/status_bar.h"

#include <random>

namespace {

constexpr int kPositionPanel = 1;
constexpr int kStepsDonePanel = 3;
constexpr int kTimePanel = 5;

}  // namespace

void TCubeForm::NewGame()
{
    Moves.clear();
    Moves.shrink_to_fit();
    Position = 0;
    StepsDone = 0;
    UpdateHistoryButtons();
    StatBar->SetSimpleText(QStringLiteral("Seeding... press any key to stop"));
    StatBar->SetSimplePanel(true);
    Playing = false;
}

void TCubeForm::paStartNewClick(QObject*) { NewGame(); }

void TCubeForm::GameIdle(QObject*, bool& Done)
{
    if (!Playing) {
        paRight->setEnabled(false);
        paBot->setEnabled(false);
        SeedStep();
        Done = false;
        return;
    }
    // A minute or more since the last recorded move (only the minutes part counts) pauses.
    const double sinceMove = Now() - LastMoveTime;
    if (DecodeTime(sinceMove).Minutes >= 1) sbPause->SetDown(true);

    const double now = Now();
    const double sinceIdle = now - LastIdleTime;
    LastIdleTime = now;
    // A clock set back never takes play time away.
    if (!sbPause->Down() && sinceIdle > 0.0) PlayTime += sinceIdle;

    StatBar->SetPanelText(kPositionPanel, QString::number(Position));
    StatBar->SetPanelText(kStepsDonePanel, QString::number(StepsDone));
    StatBar->SetSimplePanel(false);
}

void TCubeForm::SeedStep()
{
    // Reseeded from the clock's whole seconds before every draw: every draw within one second
    // makes the same turn.
    FSeedGenerator.seed(static_cast<std::mt19937::result_type>(WholeSeconds(Now())));
    std::uniform_int_distribution<int> turns(kFirstTurn, kLastTurn);
    const int turn = turns(FSeedGenerator);
    const int steps = Steps;
    Steps = 1;
    PlayMove(turn);
    Steps = steps;
}

void TCubeForm::TimerTick(QObject*) { StatBar->SetPanelText(kTimePanel, FormatTimeOfDay(PlayTime)); }
