#pragma once
// The nine quarter turns of the cube: turn N (1 to 9) rotates, about one axis of the cube
// centre frame, the layer of cubies whose coordinate on that axis lies strictly between two
// bounds. Cubies sit on the grid {-2, 0, 2}, so each open interval of width 2 holds one layer.

enum class TTurnAxis { X, Y, Z };

struct TTurnLayer {
    TTurnAxis Axis;
    float Low;   // exclusive lower bound of the layer, in cube centre coordinates
    float High;  // exclusive upper bound
};

constexpr int kFirstTurn = 1;
constexpr int kLastTurn = 9;

constexpr bool IsTurnNumber(int turn) { return turn >= kFirstTurn && turn <= kLastTurn; }

// The layer of turn 1..9 (callers check IsTurnNumber first).
constexpr TTurnLayer TurnLayer(int turn)
{
    constexpr TTurnLayer layers[] = {
        {TTurnAxis::Y, 1, 3},  {TTurnAxis::Y, -1, 1}, {TTurnAxis::Y, -3, -1},  // front, middle, back
        {TTurnAxis::X, 1, 3},  {TTurnAxis::X, -1, 1}, {TTurnAxis::X, -3, -1},  // right, middle, left
        {TTurnAxis::Z, 1, 3},  {TTurnAxis::Z, -1, 1}, {TTurnAxis::Z, -3, -1},  // top, middle, bottom
    };
    return layers[turn - kFirstTurn];
}

// Whether a coordinate on the turn's axis lies inside its layer (bounds excluded).
constexpr bool InLayer(const TTurnLayer& layer, float coordinate)
{
    return coordinate > layer.Low && coordinate < layer.High;
}
