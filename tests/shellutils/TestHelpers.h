// Helpers for the shell utility tests: the helper program's path.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "support/ScopedEnvironment.h"

namespace tessera::test {

// The folder of the running test program, ending with a backslash; the helper programs are built there.
inline std::wstring TestProgramFolder() {
  std::vector<wchar_t> buffer(32768);
  DWORD n = ::GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
  std::wstring path(buffer.data(), n);
  return path.substr(0, path.find_last_of(L'\\') + 1);
}

// A program with the version resource 1.2.3.4 whose exit code reports the show command forced on it.
inline std::wstring VersionedHelperPath() { return TestProgramFolder() + L"versioned.exe"; }

}  // namespace tessera::test
