#include "config/optionlist/OptionListThemes.h"

namespace tessera {
namespace {

// OpenThemeDataForDpi exists from Windows 10 1703 on; elsewhere the window's theme data is the system DPI's.
HTHEME OpenForDpi(HWND _window, const wchar_t* _classList, UINT _dpi) {
  using Proc = HTHEME(WINAPI*)(HWND, LPCWSTR, UINT);
  static const Proc forDpi = [] {
    HMODULE uxtheme = ::GetModuleHandleW(L"uxtheme.dll");
    return uxtheme ? reinterpret_cast<Proc>(::GetProcAddress(uxtheme, "OpenThemeDataForDpi")) : nullptr;
  }();
  if (forDpi) {
    if (HTHEME theme = forDpi(_window, _classList, _dpi)) return theme;
  }
  return ::OpenThemeData(_window, _classList);
}

}  // namespace

void TOptionListThemes::Open(HWND _window, UINT _dpi) {
  Close();
  if (!::IsAppThemed() || !::IsThemeActive()) return;
  FButton = OpenForDpi(_window, L"BUTTON", _dpi);
  FTree = OpenForDpi(_window, L"TREEVIEW", _dpi);
}

void TOptionListThemes::Close() noexcept {
  if (FButton) ::CloseThemeData(FButton);
  if (FTree) ::CloseThemeData(FTree);
  FButton = FTree = nullptr;
}

}  // namespace tessera
