#include "comserver/DllUnderTest.h"

#include <stdexcept>

#include "shellutils/Process.h"
#include "shellutils/SystemUtils.h"

namespace tessera::test {

std::wstring ShellExtDllPath() {
  std::wstring relative = GetModuleFolder() + L"..\\dist\\Tessera64.dll";
  wchar_t full[MAX_PATH * 4];
  DWORD n = ::GetFullPathNameW(relative.c_str(), MAX_PATH * 4, full, nullptr);
  return std::wstring(full, n);
}

const TDllExports& ShellExtDll() {
  static const TDllExports exports = [] {
    TDllExports e;
    e.module = ::LoadLibraryW(ShellExtDllPath().c_str());
    if (!e.module) throw std::runtime_error("cannot load Tessera64.dll");
    auto get = [&](const char* name) { return reinterpret_cast<void*>(::GetProcAddress(e.module, name)); };
    e.DllGetClassObject = reinterpret_cast<decltype(e.DllGetClassObject)>(get("DllGetClassObject"));
    e.DllCanUnloadNow = reinterpret_cast<decltype(e.DllCanUnloadNow)>(get("DllCanUnloadNow"));
    e.DllRegisterServer = reinterpret_cast<decltype(e.DllRegisterServer)>(get("DllRegisterServer"));
    e.DllUnregisterServer = reinterpret_cast<decltype(e.DllUnregisterServer)>(get("DllUnregisterServer"));
    return e;
  }();
  return exports;
}

DWORD RunRegsvr32(const std::wstring& dll, bool unregister) {
  std::wstring cmd = L"regsvr32.exe /s " + std::wstring(unregister ? L"/u " : L"") + L"\"" + dll + L"\"";
  DWORD exitCode = 0xFFFFFFFF;
  if (RunProcess(cmd, true, SW_HIDE, exitCode) != rpOk) throw std::runtime_error("cannot run regsvr32");
  return exitCode;
}

}  // namespace tessera::test
