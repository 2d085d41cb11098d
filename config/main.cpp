// Entry point of the settings program. The settings window is built in a later step; until then the
// program tells the user where the settings live instead of failing silently.
#include <windows.h>

#include <iterator>

#include "config/resource.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
  wchar_t text[512] = {};
  ::LoadStringW(instance, IDS_CONFIG_NOT_BUILT, text, static_cast<int>(std::size(text)));
  ::MessageBoxW(nullptr, text, L"Tessera", MB_ICONINFORMATION | MB_OK);
  return 0;
}
