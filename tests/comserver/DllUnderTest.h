// The shell-extension DLL of this build, loaded the way COM loads it, with its entry points.
#pragma once

#include <windows.h>

#include <string>

namespace tessera::test {

// Full path of the DLL in this build's install folder (build/win64/dist/Tessera64.dll, build/win32/dist/
// Tessera32.dll), found from the test program's folder.
std::wstring ShellExtDllPath();

struct TDllExports {
  HMODULE module = nullptr;
  HRESULT(WINAPI* DllGetClassObject)(REFCLSID, REFIID, void**) = nullptr;
  HRESULT(WINAPI* DllCanUnloadNow)() = nullptr;
  HRESULT(WINAPI* DllRegisterServer)() = nullptr;
  HRESULT(WINAPI* DllUnregisterServer)() = nullptr;
};

// Loads the DLL once for the test program (it stays loaded, as Explorer keeps it).
const TDllExports& ShellExtDll();

// The other build's DLL beside this build tree (build/win32/dist/Tessera32.dll seen from the 64-bit tests and the
// reverse); scripts/build builds both.
std::wstring OtherBuildsDllPath();

// The full path of the 64-bit or the 32-bit regsvr32 as this process reaches it (a 32-bit process reaches the
// 64-bit one through "sysnative").
std::wstring Regsvr32Path(bool sixtyFourBit);

// Runs regsvr32 /s [/u] on the DLL with the regsvr32 of the DLL's own bitness (this build's one by default) and
// returns its exit code.
DWORD RunRegsvr32(const std::wstring& dll, bool unregister);
DWORD RunRegsvr32(const std::wstring& dll, bool unregister, bool sixtyFourBit);

}  // namespace tessera::test
