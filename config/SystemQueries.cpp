#include "config/SystemQueries.h"

#include <uxtheme.h>

#include <cwchar>

#include "base/Handles.h"
#include "base/StringUtils.h"
#include "config/config_strings.h"
#include "shellutils/Registry.h"
#include "shellutils/SystemUtils.h"

namespace tessera {
namespace {

constexpr wchar_t kUrlChoiceKey[] = L"Software\\Microsoft\\Windows\\Shell\\Associations\\UrlAssociations\\http\\UserChoice";
constexpr wchar_t kUacPolicyKey[] = L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Policies\\System";

// Asks about a drive without the system's "insert a disk" dialog for an empty one.
template <typename Query>
auto WithoutDiskPrompt(Query query) {
  DWORD oldMode = 0;
  bool modeSet = ::SetThreadErrorMode(::GetThreadErrorMode() | SEM_FAILCRITICALERRORS, &oldMode);
  auto result = query();
  if (modeSet) ::SetThreadErrorMode(oldMode, nullptr);
  return result;
}

std::wstring FolderOf(UINT (WINAPI* query)(LPWSTR, UINT)) {
  wchar_t buffer[MAX_PATH] = {};
  UINT n = query(buffer, MAX_PATH);
  return n > 0 && n < MAX_PATH ? std::wstring(buffer, n) : std::wstring();
}

}  // namespace

std::wstring GetFileVersionText(const std::wstring& path) {
  TFileVersion v;
  if (path.empty() || !GetFileVersion(path, v)) return {};
  return FormatText(TResText{IDS_SI_FILE_VERSION}, v.Major, v.Minor, v.Release, v.Build);
}

std::wstring GetDefaultBrowserCommand() {
  const std::wstring progId = ReadRegistryString(HKEY_CURRENT_USER, kUrlChoiceKey, L"ProgId", 0);
  if (progId.empty()) return {};
  const std::wstring key = L"SOFTWARE\\Classes\\" + progId + L"\\shell\\open\\command";
  std::wstring command = ReadRegistryString(HKEY_CURRENT_USER, key, L"", 0);
  if (command.empty()) command = ReadRegistryString(HKEY_LOCAL_MACHINE, key, L"", 0);
  return command;
}

std::wstring GetWindowsFolder() { return FolderOf(::GetWindowsDirectoryW); }

std::wstring GetSystemFolder() { return FolderOf(::GetSystemDirectoryW); }

std::int64_t GetDiskFreeBytes(const std::wstring& root) {
  ULARGE_INTEGER available{}, total{}, free{};
  bool ok = WithoutDiskPrompt([&] { return ::GetDiskFreeSpaceExW(root.c_str(), &available, &total, &free) != 0; });
  return ok ? static_cast<std::int64_t>(available.QuadPart) : -1;
}

std::int64_t GetDiskTotalBytes(const std::wstring& root) {
  ULARGE_INTEGER available{}, total{}, free{};
  bool ok = WithoutDiskPrompt([&] { return ::GetDiskFreeSpaceExW(root.c_str(), &available, &total, &free) != 0; });
  return ok ? static_cast<std::int64_t>(total.QuadPart) : -1;
}

std::wstring GetVolumeFileSystem(const std::wstring& root) {
  wchar_t name[20] = {};
  bool ok = WithoutDiskPrompt([&] {
    return ::GetVolumeInformationW(root.c_str(), nullptr, 0, nullptr, nullptr, nullptr, name, 20) != 0;
  });
  return ok ? std::wstring(name, ::wcsnlen(name, 20)) : std::wstring();
}

bool IsWow64() {
  BOOL wow64 = FALSE;
  return ::IsWow64Process(::GetCurrentProcess(), &wow64) && wow64;
}

bool IsUacEnabledAt(HKEY root, const std::wstring& keyPath) {
  UniqueRegKey key;
  if (::RegOpenKeyExW(root, keyPath.c_str(), 0, KEY_READ, key.put()) != ERROR_SUCCESS) return false;
  DWORD type = REG_NONE, value = 0, size = sizeof(value);
  LSTATUS rc = ::RegQueryValueExW(key.get(), L"EnableLUA", nullptr, &type, reinterpret_cast<BYTE*>(&value), &size);
  // Text, binary data or a number of another width is not a whole number: "No", not an aborted report.
  return rc == ERROR_SUCCESS && type == REG_DWORD && size == sizeof(value) && value != 0;
}

bool IsUacEnabled() { return IsUacEnabledAt(HKEY_LOCAL_MACHINE, kUacPolicyKey); }

bool AreThemesEnabled() { return ::IsThemeActive() && ::IsAppThemed(); }

}  // namespace tessera
