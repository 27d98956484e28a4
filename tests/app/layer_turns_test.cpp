// Quarter turns of the layers on the loaded cube scene.
#include "game_form_fixture.h"

#include "platform/ui/speed_button.h"

#include <cmath>
#include <random>
#include <set>
#include <tuple>

namespace {

using LayerTurns = GameFormTest;

TEST_F(LayerTurns, FourEqualTurnsRestoreEveryCubie)
{
    const TCubiePlaces start = CubiePlaces(*Form);
    for (int turn = 1; turn <= 9; ++turn) {
        SCOPED_TRACE(turn);
        for (int i = 0; i < 4; ++i) Form->PlayMove(turn);
        ExpectSamePlaces(start, CubiePlaces(*Form));
    }
}

TEST_F(LayerTurns, ATurnMovesItsLayerByAQuarterTurn)
{
    const TCubiePlaces start = CubiePlaces(*Form);
    Form->PlayMove(7);  // top layer about Z: z stays, (x, y) turns a quarter
    const TCubiePlaces turned = CubiePlaces(*Form);
    int moved = 0;
    for (const auto& [name, before] : start) {
        const D3DVECTOR after = turned.at(name).Position;
        EXPECT_NEAR(after.z, before.Position.z, 1e-4) << name;
        if (before.Position.z < 1) {
            EXPECT_NEAR(after.x, before.Position.x, 1e-4) << name;
            EXPECT_NEAR(after.y, before.Position.y, 1e-4) << name;
            continue;
        }
        // A quarter turn: perpendicular to where it was, at the same distance from the axis.
        EXPECT_NEAR(after.x * before.Position.x + after.y * before.Position.y, 0, 1e-4) << name;
        EXPECT_NEAR(std::hypot(after.x, after.y), std::hypot(before.Position.x, before.Position.y), 1e-4) << name;
        if (std::hypot(before.Position.x, before.Position.y) > 1) ++moved;
    }
    EXPECT_EQ(moved, 8);
}

TEST_F(LayerTurns, ATurnUndoneWithTheOppositeDirectionRestoresEveryCubie)
{
    const TCubiePlaces start = CubiePlaces(*Form);
    for (int turn = 1; turn <= 9; ++turn) {
        SCOPED_TRACE(turn);
        Form->PlayMove(turn);
        Form->TurnDirection = -1;
        Form->PlayMove(turn);
        Form->TurnDirection = 1;
        ExpectSamePlaces(start, CubiePlaces(*Form));
    }
}

TEST_F(LayerTurns, TheLayerTurnedLastStaysOnTheHandleFrame)
{
    // Face layers hold 9 cubies, middle layers 8 (the cube's centre is empty).
    const int layerSize[] = {0, 9, 8, 9, 9, 8, 9, 9, 8, 9};
    for (int turn = 1; turn <= 9; ++turn) {
        Form->PlayMove(turn);
        EXPECT_EQ(ChildCount(Form->ICubeCenter), 26 - layerSize[turn]) << turn;
        EXPECT_EQ(ChildCount(Form->IHandleFrame), layerSize[turn]) << turn;
        EXPECT_FALSE(Form->Turning);
    }
}

TEST_F(LayerTurns, AfterAnySequenceEveryCubieStandsOnTheGrid)
{
    std::mt19937 random(12345);
    std::uniform_int_distribution<int> turns(1, 9);
    for (int i = 0; i < 150; ++i) {
        Form->TurnDirection = (i % 7 == 3) ? -1 : 1;
        Form->PlayMove(turns(random));
    }
    Form->TurnDirection = 1;
    std::set<std::tuple<int, int, int>> taken;
    for (const auto& [name, place] : CubiePlaces(*Form)) {
        const float coordinates[] = {place.Position.x, place.Position.y, place.Position.z};
        int grid[3];
        for (int axis = 0; axis < 3; ++axis) {
            grid[axis] = static_cast<int>(std::lround(coordinates[axis] / 2)) * 2;
            EXPECT_NEAR(coordinates[axis], grid[axis], 1e-3) << name;
            EXPECT_LE(std::abs(grid[axis]), 2) << name;
        }
        taken.insert({grid[0], grid[1], grid[2]});
    }
    EXPECT_EQ(taken.size(), 26u);
    EXPECT_EQ(taken.count({0, 0, 0}), 0u);
}

TEST_F(LayerTurns, OnlyATurnByItsOwnButtonIsRecorded)
{
    StartPlay();
    Form->PlayMove(3);                // replay or seeding: the form is the sender
    Form->sb3Click(Form->sb4);        // another button is not the turn's own
    Form->sb3Click(nullptr);
    EXPECT_TRUE(Form->Moves.empty());
    EXPECT_TRUE(Form->sbPause->Down());
    Click(3);                         // its own button
    EXPECT_EQ(Form->Moves, std::vector<std::intptr_t>{3});
    EXPECT_FALSE(Form->sbPause->Down());
}

TEST_F(LayerTurns, NumbersOutsideOneToNineAndTurnsDuringATurnDoNothing)
{
    const TCubiePlaces start = CubiePlaces(*Form);
    for (std::intptr_t turn : {0, -1, 10, 1000}) Form->PlayMove(turn);
    Form->Turning = true;  // as inside the view's rendering of another turn
    StartPlay();
    Click(5);
    EXPECT_TRUE(Form->Moves.empty()) << "a dropped turn is not recorded";
    Form->Turning = false;
    ExpectSamePlaces(start, CubiePlaces(*Form));
}

}  // namespace
