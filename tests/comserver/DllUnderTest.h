// The built Tessera64.dll, loaded the way COM loads it, with its entry points.
#pragma once

#include <windows.h>

#include <string>

namespace tessera::test {

// Full path of build/win64/dist/Tessera64.dll, found from the test program's folder.
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

// Runs regsvr32 /s [/u] on the DLL and returns its exit code.
DWORD RunRegsvr32(const std::wstring& dll, bool unregister);

}  // namespace tessera::test
