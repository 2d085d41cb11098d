// The module (DLL or program) whose code is running: where its resources and its folder are.
#pragma once

#include <windows.h>

namespace tessera {

// The module that contains this library's code: the shell-extension DLL inside Explorer, the program file
// inside a program.
HMODULE GetCurrentModule() noexcept;

}  // namespace tessera
