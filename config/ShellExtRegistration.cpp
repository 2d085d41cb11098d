#include "config/ShellExtRegistration.h"

#include <shellapi.h>

#include "base/PathUtils.h"
#include "base/ShellExtIds.h"
#include "base/StringUtils.h"
#include "config/Architecture.h"
#include "config/ErrorBox.h"
#include "shellutils/Registry.h"
#include "shellutils/SystemUtils.h"

namespace tessera {
namespace {

bool NativeIsX64() noexcept { return GetNativeArchitecture() == TArchitecture::arX64; }

}  // namespace

const wchar_t* ShellExtDllName() noexcept { return NativeIsX64() ? kDllName64 : kDllName32; }

const wchar_t* ShellExtClassId() noexcept { return NativeIsX64() ? kClassIdText64 : kClassIdText32; }

std::wstring ShellExtDllPath() { return GetModuleFolder() + ShellExtDllName(); }

std::wstring RegSvr32Path() {
  std::wstring folder(MAX_PATH + 1, L'\0');
  for (;;) {
    UINT n = ::GetSystemDirectoryW(folder.data(), static_cast<UINT>(folder.size()));
    if (n == 0) RaiseLastOSError();
    if (n < folder.size()) {
      folder.resize(n);
      break;
    }
    folder.assign(n, L'\0');  // n is the size needed
  }
  if (!folder.empty() && folder.back() == L'\\') folder.pop_back();
  return folder + L"\\regsvr32.exe";
}

std::wstring RegSvr32Parameters(const std::wstring& dllPath, bool enable) {
  return std::wstring(enable ? L"" : L"/u ") + L"\"" + dllPath + L"\"";
}

TRegSvr32Launch RegSvr32Launch(const std::wstring& dllPath, bool currentUser, bool enable) {
  return {currentUser ? L"open" : L"runas", RegSvr32Path(), RegSvr32Parameters(dllPath, enable)};
}

void RunRegSvr32(HWND owner, const std::wstring& dllPath, bool currentUser, bool enable) {
  const TRegSvr32Launch launch = RegSvr32Launch(dllPath, currentUser, enable);
  ::SetLastError(ERROR_SUCCESS);
  // No working folder: the tool needs none, and the program does not wait for it.
  auto result = reinterpret_cast<INT_PTR>(::ShellExecuteW(owner, launch.Verb.c_str(), launch.File.c_str(),
                                                          launch.Parameters.c_str(), nullptr, SW_SHOWDEFAULT));
  if (result <= 32) RaiseLastOSError();
}

bool IsServerRegisteredAs(const std::wstring& classId, const std::wstring& dllPath, bool use64BitView) {
  const std::wstring key = L"CLSID\\" + classId + L"\\InprocServer32";
  const std::wstring registered =
      ReadRegistryString(HKEY_CLASSES_ROOT, key, L"", use64BitView ? KEY_READ | KEY_WOW64_64KEY : KEY_READ);
  return !registered.empty() && SameTextAscii(registered, dllPath);
}

bool IsShellExtensionEnabled() {
  return IsServerRegisteredAs(ShellExtClassId(), ShellExtDllPath(), NativeIsX64());
}

bool IsNetworkDrive(const std::wstring& path) {
  const std::wstring drive = ExtractFileDrive(path);
  if (drive.empty()) return false;
  return ::GetDriveTypeW(IncludeTrailingBackslash(drive).c_str()) == DRIVE_REMOTE;
}

}  // namespace tessera
