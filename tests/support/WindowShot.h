// What a window looks like on the screen: its pixels read back from the display, the colours of its icon, and
// PNG files of it for the eyes.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

namespace tessera::test {

struct TScreenShot {
  int Width = 0, Height = 0;
  std::vector<uint32_t> Pixels;  // 0x00RRGGBB, rows from the top
};

// The pixels of a screen rectangle, or of the window's rectangle (frame included), as drawn now: the window
// must be on top. Empty when they could not be read.
TScreenShot ShootRect(const RECT& screen);
TScreenShot ShootWindow(HWND window);

// Writes the picture to path as PNG (through WIC); false, and no file, on failure.
bool SavePng(const TScreenShot& shot, const std::wstring& path);
// SavePng(ShootWindow(window), path).
bool SaveWindowPng(HWND window, const std::wstring& path);

// Counts the clearly red and clearly blue pixels inside the window's icon control (a static control with
// SS_ICON): an error icon is red, an information icon blue.
struct TIconColours {
  bool Found = false;
  int Red = 0, Blue = 0;
};
TIconColours IconColours(HWND dialog);

}  // namespace tessera::test
