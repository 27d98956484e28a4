#pragma once
// The program's start-up: splash, application, forms, message loop.

#include <functional>
#include <string>

// Runs the program on the running Qt application, or on one of its own when none runs yet.
// Returns 0 in every case.
int RunApplication(int& argc, char** argv);

// The start-up steps: splash with "Initializing...", the application titled "Z-Tarn", the game
// form (the main form) and the options dialog, the splash hidden, then the message loop.
void StartUp();

// Runs `steps` inside the entry's exception guard: an EInvalidOp is dropped without a word, any
// other exception of the class library goes to the standard exception display. Returns 0.
int RunGuarded(const std::function<void()>& steps);

// Whether a display is configured for the windowing system; if not, `advice` says how to get one.
bool HasDisplay(std::string& advice);
