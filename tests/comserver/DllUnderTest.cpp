#include "comserver/DllUnderTest.h"

#include "base/ShellExtIds.h"

#include <stdexcept>

#include "shellutils/Process.h"
#include "shellutils/SystemUtils.h"

namespace tessera::test {

namespace {

std::wstring FullPath(const std::wstring& relative) {
  wchar_t full[MAX_PATH * 4];
  DWORD n = ::GetFullPathNameW(relative.c_str(), MAX_PATH * 4, full, nullptr);
  return std::wstring(full, n);
}

constexpr bool kSixtyFourBitBuild = sizeof(void*) == 8;

}  // namespace

std::wstring ShellExtDllPath() { return FullPath(GetModuleFolder() + L"..\\dist\\" + kShellExtDllName); }

std::wstring OtherBuildsDllPath() {
  return FullPath(GetModuleFolder() + (kSixtyFourBitBuild ? L"..\\..\\win32\\dist\\" + std::wstring(kDllName32)
                                                           : L"..\\..\\win64\\dist\\" + std::wstring(kDllName64)));
}

std::wstring Regsvr32Path(bool sixtyFourBit) {
  wchar_t folder[MAX_PATH] = {};
  if (sixtyFourBit == kSixtyFourBitBuild) {
    ::GetSystemDirectoryW(folder, MAX_PATH);
    return std::wstring(folder) + L"\\regsvr32.exe";
  }
  if (kSixtyFourBitBuild) {
    ::GetSystemWow64DirectoryW(folder, MAX_PATH);
    return std::wstring(folder) + L"\\regsvr32.exe";
  }
  ::GetWindowsDirectoryW(folder, MAX_PATH);
  return std::wstring(folder) + L"\\sysnative\\regsvr32.exe";
}

const TDllExports& ShellExtDll() {
  static const TDllExports exports = [] {
    TDllExports e;
    e.module = ::LoadLibraryW(ShellExtDllPath().c_str());
    if (!e.module) throw std::runtime_error("cannot load the shell extension DLL");
    auto get = [&](const char* name) { return reinterpret_cast<void*>(::GetProcAddress(e.module, name)); };
    e.DllGetClassObject = reinterpret_cast<decltype(e.DllGetClassObject)>(get("DllGetClassObject"));
    e.DllCanUnloadNow = reinterpret_cast<decltype(e.DllCanUnloadNow)>(get("DllCanUnloadNow"));
    e.DllRegisterServer = reinterpret_cast<decltype(e.DllRegisterServer)>(get("DllRegisterServer"));
    e.DllUnregisterServer = reinterpret_cast<decltype(e.DllUnregisterServer)>(get("DllUnregisterServer"));
    return e;
  }();
  return exports;
}

DWORD RunRegsvr32(const std::wstring& dll, bool unregister) { return RunRegsvr32(dll, unregister, kSixtyFourBitBuild); }

DWORD RunRegsvr32(const std::wstring& dll, bool unregister, bool sixtyFourBit) {
  std::wstring cmd = L"\"" + Regsvr32Path(sixtyFourBit) + L"\" /s " + std::wstring(unregister ? L"/u " : L"") + L"\"" +
                     dll + L"\"";
  DWORD exitCode = 0xFFFFFFFF;
  if (RunProcess(cmd, true, SW_HIDE, exitCode) != rpOk) throw std::runtime_error("cannot run regsvr32");
  return exitCode;
}

}  // namespace tessera::test
