#pragma once
// Bevels of panels and status-bar panels: a raised or lowered one-pixel edge.

#include <QRect>

class QPainter;
class QPalette;

enum class TBevelCut { bvNone, bvLowered, bvRaised };

// Draws the edge inside `rect` and returns the rectangle within it.
QRect DrawBevel(QPainter& painter, const QRect& rect, TBevelCut cut, const QPalette& palette, int width = 1);
