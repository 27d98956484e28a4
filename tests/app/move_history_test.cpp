// The record of moves and the steps back and forward through it.
#include "game_form_fixture.h"

#include "platform/ui/speed_button.h"

namespace {

class MoveHistory : public GameFormTest {
protected:
    void SetUp() override
    {
        GameFormTest::SetUp();
        StartPlay();
    }
    std::vector<std::intptr_t> Moves(std::initializer_list<std::intptr_t> list) { return list; }
};

TEST_F(MoveHistory, ANewMoveAfterSteppingBackDropsTheMovesAhead)
{
    Click(1);
    Click(5);
    Click(9);
    Form->sbBackwardClick(Form->sbBackward);
    Form->sbBackwardClick(Form->sbBackward);
    EXPECT_EQ(Form->Position, 1);
    EXPECT_EQ(Form->StepsDone, 3) << "stepping back does not undo the count";
    Click(4);
    EXPECT_EQ(Form->Moves, Moves({1, 4}));
    EXPECT_EQ(Form->Position, 2);
    EXPECT_EQ(Form->StepsDone, 4);
}

TEST_F(MoveHistory, BackOneAndForwardOneReplayTheMoves)
{
    const TCubiePlaces start = CubiePlaces(*Form);
    Click(2);
    const TCubiePlaces afterOne = CubiePlaces(*Form);
    Click(7);
    Form->sbBackwardClick(Form->sbBackward);
    ExpectSamePlaces(afterOne, CubiePlaces(*Form));
    Form->sbBackwardClick(Form->sbBackward);
    ExpectSamePlaces(start, CubiePlaces(*Form));
    EXPECT_EQ(Form->TurnDirection, 1);
    Form->sbFarwardClick(Form->sbFarward);
    ExpectSamePlaces(afterOne, CubiePlaces(*Form));
    EXPECT_EQ(Form->Moves, Moves({2, 7})) << "replays are not recorded";
    EXPECT_EQ(Form->StepsDone, 2);
}

TEST_F(MoveHistory, HomeUndoesEverythingAndEndReplaysEverything)
{
    const TCubiePlaces start = CubiePlaces(*Form);
    for (int turn : {4, 8, 3, 3, 6}) Click(turn);
    const TCubiePlaces end = CubiePlaces(*Form);
    Form->sbHomeClick(Form->sbHome);
    EXPECT_EQ(Form->Position, 0);
    ExpectSamePlaces(start, CubiePlaces(*Form));
    Form->sbEndClick(Form->sbEnd);
    EXPECT_EQ(Form->Position, 5);
    ExpectSamePlaces(end, CubiePlaces(*Form));
}

TEST_F(MoveHistory, StepsAtEitherEndDoNothing)
{
    const TCubiePlaces start = CubiePlaces(*Form);
    Form->sbBackwardClick(Form->sbBackward);
    Form->sbHomeClick(Form->sbHome);
    Form->sbFarwardClick(Form->sbFarward);
    Form->sbEndClick(Form->sbEnd);
    EXPECT_EQ(Form->Position, 0);
    ExpectSamePlaces(start, CubiePlaces(*Form));
    Click(6);
    const TCubiePlaces afterMove = CubiePlaces(*Form);
    Form->sbFarwardClick(Form->sbFarward);
    Form->sbEndClick(Form->sbEnd);
    EXPECT_EQ(Form->Position, 1);
    ExpectSamePlaces(afterMove, CubiePlaces(*Form));
}

TEST_F(MoveHistory, ButtonsShowWhichStepsCanBeTaken)
{
    struct State {
        bool Home, Back, Forward, End;
    };
    const auto expectState = [this](State s, const char* when) {
        EXPECT_EQ(Form->sbHome->isEnabled(), s.Home) << when;
        EXPECT_EQ(Form->sbBackward->isEnabled(), s.Back) << when;
        EXPECT_EQ(Form->sbFarward->isEnabled(), s.Forward) << when;
        EXPECT_EQ(Form->sbEnd->isEnabled(), s.End) << when;
    };
    expectState({false, false, false, false}, "new game");
    Click(1);
    Click(2);
    expectState({true, true, false, false}, "at the end");
    Form->sbBackwardClick(Form->sbBackward);
    expectState({true, true, true, true}, "in the middle");
    Form->sbBackwardClick(Form->sbBackward);
    expectState({false, false, true, true}, "at the start");
    Form->sbFarwardClick(Form->sbFarward);
    Form->sbFarwardClick(Form->sbFarward);
    expectState({true, true, false, false}, "at the end again");
}

TEST_F(MoveHistory, ARecordedMoveReleasesPauseAndNotesTheTimeAReplayDoesNot)
{
    Clock += Seconds(5);
    Click(1);
    EXPECT_FALSE(Form->sbPause->Down());
    EXPECT_DOUBLE_EQ(Form->LastMoveTime, Clock);
    const double moveTime = Clock;
    Form->sbPause->SetDown(true);
    Clock += Seconds(5);
    Form->sbBackwardClick(Form->sbBackward);
    Form->sbFarwardClick(Form->sbFarward);
    EXPECT_TRUE(Form->sbPause->Down());
    EXPECT_DOUBLE_EQ(Form->LastMoveTime, moveTime);
}

}  // namespace
