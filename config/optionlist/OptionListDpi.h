// The DPI a window is drawn at. The option list looks it up itself: the settings program's DPI helpers live
// above it, and the base layer does no window work.
#pragma once

#include <windows.h>

namespace tessera {

// GetDpiForWindow where it exists (Windows 10 1607 on), else the screen's DPI.
UINT WindowDpi(HWND window) noexcept;

}  // namespace tessera
