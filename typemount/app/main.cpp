// Entry point of the font helper: the arguments after the program name go to TypemountMain.
#include <windows.h>
#include <shellapi.h>

#include <string>
#include <vector>

#include "base/Handles.h"
#include "typemount/Typemount.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  int count = 0;
  tessera::UniqueLocal argv(reinterpret_cast<HLOCAL>(::CommandLineToArgvW(::GetCommandLineW(), &count)));
  if (!argv) return 1;
  const auto* items = static_cast<wchar_t**>(argv.get());
  std::vector<std::wstring> arguments;
  for (int i = 1; i < count; ++i) arguments.emplace_back(items[i]);
  return tessera::TypemountMain(arguments);
}
