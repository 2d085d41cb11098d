// The settings program: one instance per user session, its window and its message loop.
#pragma once

#include <windows.h>

namespace tessera {

// Flashes the window's taskbar button count times at the cursor's blink rate.
void FlashTaskbarButton(HWND window, UINT count);

// Brings the running instance's window forward: a minimized one is restored (and its taskbar button
// flashes when it could not come to the front), any other is made the foreground window.
void BringInstanceForward(HWND window);

// Runs the program; returns its exit code (0, also when another instance was brought forward instead).
int RunConfigProgram(HINSTANCE instance, int showCommand);

}  // namespace tessera
