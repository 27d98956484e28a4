#pragma once
// A game form built offscreen on the cube scene, with a scripted message box service (no report
// blocks) and a clock the test sets, plus helpers that read the cubies' places.

#include "app/cube_form.h"
#include "app/turn_table.h"
#include "d3dvcs/d3d_view.h"
#include "platform/rm/rm.h"
#include "platform/ui/application.h"
#include "platform/ui/message_box.h"

#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <string>
#include <vector>

// Where one cubie stands relative to the cube centre: position, facing and up.
struct TCubiePlace {
    D3DVECTOR Position{};
    D3DVECTOR Direction{};
    D3DVECTOR Up{};
};
using TCubiePlaces = std::map<std::string, TCubiePlace>;

// The places of "Frame1" to "Frame26" relative to the form's cube centre.
TCubiePlaces CubiePlaces(TCubeForm& form);
// Every cubie in the same place, facing the same way, within `tolerance`.
void ExpectSamePlaces(const TCubiePlaces& expected, const TCubiePlaces& actual, float tolerance = 1e-4f);
// Number of child frames of `frame`.
int ChildCount(IDirect3DRMFrame* frame);

// Days from seconds, for clock arithmetic.
constexpr double Seconds(double s) { return s / 86400.0; }

class GameFormTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // The first key of a game: ends the seeding.
    void StartPlay();
    // A click on turn button `turn` (recorded like the player's move).
    void Click(int turn);

    TMessageBoxScript Boxes;
    double Clock = 46000.5;  // noon of some day
    std::unique_ptr<TCubeForm> Form;
};
