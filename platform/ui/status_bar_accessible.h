#pragma once
// Registers the accessibility interface of TStatusBar with Qt (once per process).
void InstallStatusBarAccessibility();
