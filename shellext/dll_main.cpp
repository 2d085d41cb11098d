// Entry points of the shell-extension DLL. No registry or file work happens at load time, and no C++
// exception leaves an export.
#include <windows.h>

#include "base/ShellExtIds.h"
#include "shellext/ClassFactory.h"
#include "shellext/ComObject.h"
#include "shellext/Registration.h"
#include "shellutils/SystemUtils.h"

using namespace tessera;

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
  if (reason == DLL_PROCESS_ATTACH) ::DisableThreadLibraryCalls(instance);
  return TRUE;
}

extern "C" HRESULT WINAPI DllGetClassObject(REFCLSID clsid, REFIID iid, void** ppv) {
  return GetClassObject(clsid, iid, ppv);
}

extern "C" HRESULT WINAPI DllCanUnloadNow() { return ComServer::CanUnloadNow(); }

extern "C" HRESULT WINAPI DllRegisterServer() {
  try {
    return RegisterContextMenuHandler(GetModulePath(), ShellExtFileTypes(), kClassIdText, kHandlerName,
                                      kShellExtDescription, true, !IsUserAdmin());
  } catch (...) {
    return S_FALSE;
  }
}

extern "C" HRESULT WINAPI DllUnregisterServer() {
  try {
    const std::wstring module = GetModulePath();
    RegisterContextMenuHandler(module, ShellExtFileTypes(), kClassIdText, kHandlerName, kShellExtDescription, false,
                               true);
    if (IsUserAdmin())
      RegisterContextMenuHandler(module, ShellExtFileTypes(), kClassIdText, kHandlerName, kShellExtDescription, false,
                                 false);
  } catch (...) {
  }
  return S_OK;
}
