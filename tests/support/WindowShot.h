// Pictures of windows for the eyes: what a window shows on the screen, saved as a PNG file.
#pragma once

#include <windows.h>

#include <string>

namespace tessera::test {

// Copies the window's rectangle (frame included) from the screen and writes it to path as PNG. The window
// must be on top. False when the picture could not be taken or written.
bool SaveWindowPng(HWND window, const std::wstring& path);

}  // namespace tessera::test
