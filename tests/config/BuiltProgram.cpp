#include "config/BuiltProgram.h"

#include <windows.h>

#include "base/PathUtils.h"
#include "config/ShellExtRegistration.h"
#include "shellutils/Registry.h"
#include "shellutils/SystemUtils.h"
#include "support/ChildProcess.h"

namespace tessera::test {
namespace {

std::wstring FullPath(const std::wstring& path) {
  DWORD n = ::GetFullPathNameW(path.c_str(), 0, nullptr, nullptr);
  std::wstring full(n, L'\0');
  n = ::GetFullPathNameW(path.c_str(), n, full.data(), nullptr);
  full.resize(n);
  return full;
}

}  // namespace

std::wstring BuiltShellExtDll() {
  for (const wchar_t* folder : {L"..\\dist\\", L"..\\..\\win64\\dist\\"}) {
    std::wstring dll = FullPath(GetModuleFolder() + folder + ShellExtDllName());
    if (FileExists(dll)) return dll;
  }
  return {};
}

std::wstring BuiltConfigProgram() { return FullPath(GetModuleFolder() + L"..\\dist\\TesseraConfig.exe"); }

std::wstring RegisteredServer() {
  return ReadRegistryString(HKEY_CLASSES_ROOT, std::wstring(L"CLSID\\") + ShellExtClassId() + L"\\InprocServer32", L"",
                            KEY_WOW64_64KEY);
}

unsigned long RunRegSvr32Silently(const std::wstring& dll, bool enable) {
  auto code = RunToEnd(L"\"" + RegSvr32Path() + L"\" /s " + RegSvr32Parameters(dll, enable));
  return code ? *code : 0xFFFFFFFF;
}

}  // namespace tessera::test
