// What a window looks like on the screen: its pixels read back from the display, the colour of its icon,
// and a PNG file of it for looking at.
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

// The screen area of the window (as drawn now).
TScreenShot ShootWindow(HWND window);
// Saves the picture as a PNG file (through WIC); false on failure.
bool SavePng(const TScreenShot& shot, const std::wstring& file);

// Counts the clearly red and clearly blue pixels inside the window's icon control (a static control with
// SS_ICON): an error icon is red, an information icon blue.
struct TIconColours {
  bool Found = false;
  int Red = 0, Blue = 0;
};
TIconColours IconColours(HWND dialog);

}  // namespace tessera::test
