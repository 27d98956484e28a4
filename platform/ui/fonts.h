#pragma once
// Fonts given as the forms give them: a family and a height, negative for a pixel height.

#include <QFont>

// `family` first, then the nearest sans-serif faces installed here.
QFont MakeFont(const QString& family, int height, bool bold = false, bool italic = false);
