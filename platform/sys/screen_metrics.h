#pragma once
// Size of the screen in pixels. The windowing layer installs a provider at start-up; before
// that a 1024 x 768 screen is reported.

#include <functional>

struct ScreenSize {
    int Width = 0;
    int Height = 0;
};

ScreenSize GetScreenSize();

// Replaces the provider; an empty function restores the default.
void SetScreenSizeProvider(std::function<ScreenSize()> provider);
