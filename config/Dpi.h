// Per-monitor DPI for the settings program's windows. The calls of newer Windows versions are looked up
// at run time, so that the program still starts where they are missing (it then sees the system DPI).
#pragma once

#include <windows.h>

namespace tessera {

constexpr UINT kDefaultDpi = 96;

// value (pixels at 96 DPI) at dpi, rounded as MulDiv rounds.
inline int ScaleForDpi(int value, UINT dpi) { return ::MulDiv(value, static_cast<int>(dpi), kDefaultDpi); }

// The DPI the window is drawn at (its monitor's for a per-monitor aware program), or the system DPI.
UINT GetWindowDpi(HWND window);
// The system DPI (that of the primary monitor when the program started).
UINT GetSystemDpi();

// The outer rectangle of a window whose client area is *rect, with the frame metrics of dpi.
bool AdjustWindowRectForDpi(RECT* rect, DWORD style, DWORD exStyle, UINT dpi);
// The outer size of a window of that style whose client area is client, at dpi.
SIZE OuterSizeForDpi(SIZE client, DWORD style, DWORD exStyle, UINT dpi);

// Places a control at r (left, top, right, bottom in its parent's client area) and repaints it.
void MoveControl(HWND control, const RECT& r);

// A dialog that lays itself out on WM_DPICHANGED: the system must neither move its controls nor change
// their fonts.
void KeepDialogDpiLayoutToItself(HWND dialog);

}  // namespace tessera
