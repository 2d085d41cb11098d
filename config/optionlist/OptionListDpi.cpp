#include "config/optionlist/OptionListDpi.h"

namespace tessera {

UINT WindowDpi(HWND window) noexcept {
  using Proc = UINT(WINAPI*)(HWND);
  static const Proc getDpiForWindow = [] {
    HMODULE user32 = ::GetModuleHandleW(L"user32.dll");
    return user32 ? reinterpret_cast<Proc>(::GetProcAddress(user32, "GetDpiForWindow")) : nullptr;
  }();
  if (getDpiForWindow && window) {
    const UINT dpi = getDpiForWindow(window);
    if (dpi > 0) return dpi;
  }
  HDC screen = ::GetDC(nullptr);
  const int dpi = screen ? ::GetDeviceCaps(screen, LOGPIXELSY) : 0;
  if (screen) ::ReleaseDC(nullptr, screen);
  return dpi > 0 ? static_cast<UINT>(dpi) : 96;
}

}  // namespace tessera
