// The settings program: everything its entry point runs.
#pragma once

#include <windows.h>

namespace tessera {

// Runs the program; returns its exit code.
int RunConfigProgram(HINSTANCE instance, int showCommand);

}  // namespace tessera
