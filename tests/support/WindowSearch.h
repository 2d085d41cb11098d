// EnumWindows and EnumChildWindows with a callable (a lambda cannot be a CALLBACK function in 32-bit code).
#pragma once

#include <windows.h>

#include <functional>

namespace tessera::test {

// Calls visit for each top-level window, or each child window of parent, until visit returns false.
void ForEachWindow(const std::function<bool(HWND)>& visit);
void ForEachChildWindow(HWND parent, const std::function<bool(HWND)>& visit);

}  // namespace tessera::test
