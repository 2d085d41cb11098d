#include "config/Dpi.h"

namespace tessera {
namespace {

template <typename Proc>
Proc User32Proc(const char* name) {
  HMODULE user32 = ::GetModuleHandleW(L"user32.dll");
  return user32 ? reinterpret_cast<Proc>(::GetProcAddress(user32, name)) : nullptr;
}

}  // namespace

UINT GetSystemDpi() {
  using Proc = UINT(WINAPI*)();
  static const Proc getDpiForSystem = User32Proc<Proc>("GetDpiForSystem");
  if (getDpiForSystem) return getDpiForSystem();
  HDC screen = ::GetDC(nullptr);
  int dpi = screen ? ::GetDeviceCaps(screen, LOGPIXELSY) : 0;
  if (screen) ::ReleaseDC(nullptr, screen);
  return dpi > 0 ? static_cast<UINT>(dpi) : kDefaultDpi;
}

UINT GetWindowDpi(HWND window) {
  using Proc = UINT(WINAPI*)(HWND);
  static const Proc getDpiForWindow = User32Proc<Proc>("GetDpiForWindow");
  if (getDpiForWindow && window) {
    UINT dpi = getDpiForWindow(window);
    if (dpi > 0) return dpi;
  }
  return GetSystemDpi();
}

bool AdjustWindowRectForDpi(RECT* rect, DWORD style, DWORD exStyle, UINT dpi) {
  using Proc = BOOL(WINAPI*)(RECT*, DWORD, BOOL, DWORD, UINT);
  static const Proc adjustForDpi = User32Proc<Proc>("AdjustWindowRectExForDpi");
  if (adjustForDpi) return adjustForDpi(rect, style, FALSE, exStyle, dpi) != FALSE;
  return ::AdjustWindowRectEx(rect, style, FALSE, exStyle) != FALSE;
}

SIZE OuterSizeForDpi(SIZE client, DWORD style, DWORD exStyle, UINT dpi) {
  RECT r{0, 0, client.cx, client.cy};
  AdjustWindowRectForDpi(&r, style, exStyle, dpi);
  return SIZE{r.right - r.left, r.bottom - r.top};
}

void MoveControl(HWND control, const RECT& r) {
  ::MoveWindow(control, r.left, r.top, r.right - r.left, r.bottom - r.top, TRUE);
}

void KeepDialogDpiLayoutToItself(HWND dialog) {
  // DIALOG_DPI_CHANGE_BEHAVIORS: DDC_DISABLE_ALL = 1.
  using Proc = BOOL(WINAPI*)(HWND, int, int);
  static const Proc setBehavior = User32Proc<Proc>("SetDialogDpiChangeBehavior");
  if (setBehavior) setBehavior(dialog, 1, 1);
}

}  // namespace tessera
