// Where the keyboard focus is, for the list and its row editor.
#pragma once

#include <windows.h>

namespace tessera {

// True when the focus is on window or on one of its children.
bool HoldsFocus(HWND window) noexcept;

}  // namespace tessera
