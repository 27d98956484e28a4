#pragma once
// The pictures of the game form's buttons, drawn in code: the history and setup buttons carry
// 16 x 16 glyphs, each turn button a 23 x 23 small red cube with the layer it turns in yellow.
// Greyed images for the disabled state come from MakeDisabledGlyph (platform/ui/speed_button.h).

#include <QPixmap>

constexpr int kGlyphSize = 16;
constexpr int kTurnGlyphSize = 23;

QPixmap HomeGlyph();      // a bar beside a left-pointing triangle
QPixmap BackGlyph();      // a left-pointing triangle
QPixmap ForwardGlyph();   // a right-pointing triangle
QPixmap EndGlyph();       // a right-pointing triangle beside a bar
QPixmap SetupGlyph();     // a monitor
QPixmap PauseGlyph();     // an alarm clock

// The cube picture of turn 1..9; an empty pixmap for any other number.
QPixmap TurnGlyph(int turn);
