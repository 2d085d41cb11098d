// Enabling, disabling and checking the shell extension from the settings program: the system's regsvr32.exe
// is run on the DLL beside the program, and the class's InprocServer32 entry tells whether it is enabled.
#pragma once

#include <windows.h>

#include <string>

namespace tessera {

// The build of the shell extension this Windows needs: "Tessera64.dll" on x64 Windows, else "Tessera32.dll".
const wchar_t* ShellExtDllName() noexcept;
// Its class identifier in registry form, with braces.
const wchar_t* ShellExtClassId() noexcept;
// The folder of the running program + ShellExtDllName().
std::wstring ShellExtDllPath();

// The registration tool of the system folder. Never a bare name: the search order would find a program
// of that name in the program's or the current folder first. (A 32-bit program under WOW64 is redirected
// to the 32-bit tool, which hands a 64-bit DLL on to the 64-bit one.)
std::wstring RegSvr32Path();
// "\"<dll>\"" to enable, "/u \"<dll>\"" to disable.
std::wstring RegSvr32Parameters(const std::wstring& dllPath, bool enable);

// What RunRegSvr32 asks the shell to start: the verb ("open" for the current user, "runas" for all users),
// the tool and its parameters.
struct TRegSvr32Launch {
  std::wstring Verb;
  std::wstring File;
  std::wstring Parameters;
};
TRegSvr32Launch RegSvr32Launch(const std::wstring& dllPath, bool currentUser, bool enable);

// Starts regsvr32.exe on dllPath without waiting ("open" for the current user, "runas" for all users, which
// asks for elevation). regsvr32.exe reports its own result. Throws the system error when it cannot be started
// (a declined elevation prompt included).
void RunRegSvr32(HWND owner, const std::wstring& dllPath, bool currentUser, bool enable);

// True when HKEY_CLASSES_ROOT\CLSID\<classId>\InprocServer32 names dllPath, ignoring the case of A to Z
// only. use64BitView reads the 64-bit registry view, which a 32-bit program needs for the 64-bit build.
bool IsServerRegisteredAs(const std::wstring& classId, const std::wstring& dllPath, bool use64BitView);
// True when the build this Windows needs is registered for the DLL beside the program; a registration that
// points to another folder (an older installation) does not count.
bool IsShellExtensionEnabled();

// True when path lies on a network drive or share.
bool IsNetworkDrive(const std::wstring& path);

}  // namespace tessera
