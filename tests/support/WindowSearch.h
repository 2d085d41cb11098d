// Finding windows: EnumWindows and EnumChildWindows with a callable (a lambda cannot be a CALLBACK function in
// 32-bit code), a process's top-level window by class and caption, and a window's text as the user sees it.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

namespace tessera::test {

// Calls visit for each top-level window, or each child window of parent, until visit returns false.
void ForEachWindow(const std::function<bool(HWND)>& visit);
void ForEachChildWindow(HWND parent, const std::function<bool(HWND)>& visit);

// The first visible top-level window of process pid with that class and that caption (either may be null: any),
// as it is now; null when there is none.
HWND FindTopWindow(DWORD pid, const wchar_t* windowClass, const wchar_t* caption = nullptr);

// The window's text.
std::wstring WindowText(HWND window);

}  // namespace tessera::test
