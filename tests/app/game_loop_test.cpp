// Seeding, new games, the idle handler's clock and counters, and the time display.
#include "game_form_fixture.h"

#include "app/game_clock.h"
#include "platform/ui/panel.h"
#include "platform/ui/speed_button.h"
#include "platform/ui/status_bar.h"

#include <QDateTime>
#include <QTimer>

#include <cmath>
#include <set>

namespace {

using GameLoop = GameFormTest;

bool Idle(TCubeForm& form)
{
    bool done = true;
    form.GameIdle(nullptr, done);
    return done;
}

TEST_F(GameLoop, SeedingTurnsOnEveryIdlePassWithoutRecordingOrReleasingPause)
{
    const TCubiePlaces start = CubiePlaces(*Form);
    for (bool pauseDown : {true, false}) {
        Form->sbPause->SetDown(pauseDown);
        EXPECT_FALSE(Idle(*Form)) << "seeding asks to be called again at once";
        EXPECT_FALSE(Form->paRight->isEnabled());
        EXPECT_FALSE(Form->paBot->isEnabled());
        EXPECT_EQ(Form->sbPause->Down(), pauseDown);
    }
    EXPECT_TRUE(Form->Moves.empty());
    EXPECT_EQ(Form->StepsDone, 0);
    EXPECT_EQ(Form->Steps, 5);
    EXPECT_EQ(ChildCount(Form->ICubeCenter) + ChildCount(Form->IHandleFrame), 26);
    // Two seeding turns within one second are the same turn: four of them restore the cube.
    Idle(*Form);
    Idle(*Form);
    ExpectSamePlaces(start, CubiePlaces(*Form));
}

TEST_F(GameLoop, SeedingDrawsAnotherTurnInAnotherSecond)
{
    // Over many seconds every turn comes up: the draw follows the clock's whole seconds.
    std::set<int> handleSizes;
    int changed = 0;
    for (int second = 0; second < 40; ++second) {
        Clock += Seconds(1);
        const TCubiePlaces before = CubiePlaces(*Form);
        Form->SeedStep();
        const TCubiePlaces after = CubiePlaces(*Form);
        int moved = 0;
        for (const auto& [name, place] : before) {
            const D3DVECTOR a = place.Position, b = after.at(name).Position;
            if (std::abs(a.x - b.x) + std::abs(a.y - b.y) + std::abs(a.z - b.z) > 1e-3) ++moved;
        }
        changed += moved > 0;
        handleSizes.insert(ChildCount(Form->IHandleFrame));
    }
    EXPECT_EQ(changed, 40) << "every seeding turn is a whole quarter turn";
    EXPECT_EQ(handleSizes, (std::set<int>{8, 9}));
}

TEST_F(GameLoop, TheFirstKeyStartsPlayAndTheNextIdlePassShowsTheCounters)
{
    Form->PlayTime = Seconds(99);
    Idle(*Form);
    StartPlay();
    EXPECT_TRUE(Form->Playing);
    EXPECT_TRUE(Form->paRight->isEnabled());
    EXPECT_TRUE(Form->paBot->isEnabled());
    EXPECT_TRUE(Form->StatBar->SimplePanel());
    EXPECT_EQ(Form->StatBar->SimpleText(), "");
    EXPECT_EQ(Form->PlayTime, 0.0);
    EXPECT_TRUE(Idle(*Form)) << "during play the application waits for messages";
    EXPECT_FALSE(Form->StatBar->SimplePanel());
    EXPECT_EQ(Form->StatBar->PanelText(1), "0");
    EXPECT_EQ(Form->StatBar->PanelText(3), "0");
    Click(4);
    Click(4);
    Form->sbBackwardClick(Form->sbBackward);
    Idle(*Form);
    EXPECT_EQ(Form->StatBar->PanelText(1), "1");
    EXPECT_EQ(Form->StatBar->PanelText(3), "2");
}

TEST_F(GameLoop, ANewGameClearsTheHistoryAndKeepsTheArrangement)
{
    StartPlay();
    Click(2);
    Click(6);
    Form->PlayTime = Seconds(42);
    const TCubiePlaces arrangement = CubiePlaces(*Form);
    Form->paStartNewClick(Form->paStartNew);
    EXPECT_TRUE(Form->Moves.empty());
    EXPECT_EQ(Form->Position, 0);
    EXPECT_EQ(Form->StepsDone, 0);
    EXPECT_FALSE(Form->Playing);
    EXPECT_TRUE(Form->StatBar->SimplePanel());
    EXPECT_EQ(Form->StatBar->SimpleText(), "Seeding... press any key to stop");
    EXPECT_DOUBLE_EQ(Form->PlayTime, Seconds(42)) << "kept until the first key";
    ExpectSamePlaces(arrangement, CubiePlaces(*Form));
}

TEST_F(GameLoop, TheClockRunsAfterAMoveAndPausesAfterAMinuteWithoutOne)
{
    StartPlay();
    Clock += Seconds(10);
    Idle(*Form);
    EXPECT_EQ(Form->PlayTime, 0.0) << "no move yet: paused by design";

    Click(1);  // releases the pause
    Clock += Seconds(20);
    Idle(*Form);
    EXPECT_NEAR(Form->PlayTime, Seconds(20), 1e-9);
    Clock += Seconds(39);
    Idle(*Form);
    EXPECT_NEAR(Form->PlayTime, Seconds(59), 1e-9);
    EXPECT_FALSE(Form->sbPause->Down());

    Clock += Seconds(2);  // 61 s after the move
    Idle(*Form);
    EXPECT_TRUE(Form->sbPause->Down());
    EXPECT_NEAR(Form->PlayTime, Seconds(59), 1e-9);

    // A click on pause a minute after the last move is undone by the next idle pass.
    Form->sbPause->click();
    EXPECT_FALSE(Form->sbPause->Down());
    Clock += Seconds(5);
    Idle(*Form);
    EXPECT_TRUE(Form->sbPause->Down());
    EXPECT_NEAR(Form->PlayTime, Seconds(59), 1e-9);

    // The next move starts it again; the Pause key stops it and a second press keeps it down.
    Click(2);
    Clock += Seconds(3);
    Idle(*Form);
    EXPECT_NEAR(Form->PlayTime, Seconds(62), 1e-9);
    for (int press = 0; press < 2; ++press) {
        int key = VK_PAUSE;
        Form->FormKeyDown(Form.get(), key, {});
        EXPECT_TRUE(Form->sbPause->Down());
    }
    Clock += Seconds(3);
    Idle(*Form);
    EXPECT_NEAR(Form->PlayTime, Seconds(62), 1e-9);
}

TEST_F(GameLoop, OnlyTheMinutesPartOfTheTimeSinceTheLastMovePauses)
{
    StartPlay();
    Click(1);
    Clock += Seconds(3600 + 30);  // an hour and a half minute: minutes part 0
    Idle(*Form);
    EXPECT_FALSE(Form->sbPause->Down());
}

TEST_F(GameLoop, SeedingTimeAndAClockSetBackAreNoPlayTime)
{
    StartPlay();
    Click(1);
    Clock += Seconds(2);
    Idle(*Form);
    Form->NewGame();
    Clock += Seconds(30);  // seeding
    StartPlay();
    EXPECT_EQ(Form->PlayTime, 0.0);
    Clock += Seconds(1);
    Idle(*Form);
    EXPECT_NEAR(Form->PlayTime, Seconds(1), 1e-9);
    Clock -= Seconds(10);
    Idle(*Form);
    EXPECT_NEAR(Form->PlayTime, Seconds(1), 1e-9);
}

TEST(PlayTimeDisplay, ShowsHoursMinutesAndSecondsOfTheDay)
{
    struct Case {
        double Seconds;
        const char* Text;
    };
    const Case cases[] = {
        {0, "0:00:00"},     {83, "0:01:23"},         {3599.6, "0:59:59"}, {3599.9996, "1:00:00"},
        {36000, "10:00:00"}, {86400 + 65, "0:01:05"}, {-5, "0:00:00"},
    };
    for (const Case& c : cases) EXPECT_EQ(FormatTimeOfDay(c.Seconds / 86400.0), c.Text) << c.Seconds;
}

TEST(GameClock, ReadsTheLocalDateAndTimeAsDaysSinceTheLastDaysOf1899)
{
    const QDateTime now = QDateTime::currentDateTime();
    const double expected = static_cast<double>(QDate(1899, 12, 30).daysTo(now.date())) +
                            now.time().msecsSinceStartOfDay() / 86400000.0;
    EXPECT_NEAR(CurrentDateTime(), expected, Seconds(2));
    EXPECT_EQ(WholeSeconds(Seconds(90.9)), 90);
    EXPECT_EQ(WholeSeconds(46000.0), 46000LL * 86400);
}

TEST_F(GameLoop, TheTimerWritesThePlayTimeIntoTheTimePanel)
{
    Form->PlayTime = Seconds(83);
    Form->TimerTick(Form->Timer);
    EXPECT_EQ(Form->StatBar->PanelText(5), "0:01:23");
}

}  // namespace
