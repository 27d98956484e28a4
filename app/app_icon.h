#pragma once
// The application's icon: a small cube with its three visible sides in three colours.

#include <QIcon>

QIcon MakeApplicationIcon();
