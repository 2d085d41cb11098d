#include "packages/InstalledProduct.h"

#include <shlobj.h>
#include <shobjidl.h>

#include "base/Handles.h"
#include "base/ProductInfo.h"
#include "packages/MsiDatabase.h"
#include "shellutils/Registry.h"

namespace tessera::test {
namespace {

std::wstring KnownFolder(int csidl) {
  wchar_t path[MAX_PATH] = {};
  ::SHGetFolderPathW(nullptr, csidl, nullptr, SHGFP_TYPE_CURRENT, path);
  return path;
}

const wchar_t kUninstallKey[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall";

// Per-user products are listed under the user's key on Windows and under the machine's by Wine: both count.
const HKEY kUninstallRoots[] = {HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE};

}  // namespace

TPackageIdentity ReadPackageIdentity(const std::wstring& msiPath) {
  TMsiDatabase db(msiPath);
  return {db.Property(L"ProductCode"), db.Property(L"UpgradeCode")};
}

std::wstring UserProgramsFolder() { return KnownFolder(CSIDL_LOCAL_APPDATA) + L"\\Programs"; }
std::wstring InstallFolder() { return UserProgramsFolder() + L"\\" + kProductName + L"\\"; }
std::wstring StartMenuShortcutPath() {
  return KnownFolder(CSIDL_PROGRAMS) + L"\\" + kProductName + L" settings.lnk";
}

TUserRegistry SnapshotUserRegistry() {
  return {SnapshotRegistry(HKEY_CURRENT_USER, L"Software\\Classes", KEY_WOW64_64KEY),
          SnapshotRegistry(HKEY_CURRENT_USER, L"Software\\Classes", KEY_WOW64_32KEY),
          SnapshotRegistry(HKEY_CURRENT_USER, std::wstring(L"Software\\") + kCompanyName, KEY_WOW64_64KEY)};
}

std::optional<TUninstallEntry> FindUninstallEntry(const std::wstring& productCode) {
  const std::wstring key = std::wstring(kUninstallKey) + L"\\" + productCode;
  for (HKEY root : kUninstallRoots) {
    UniqueRegKey k;
    if (::RegOpenKeyExW(root, key.c_str(), 0, KEY_READ | KEY_WOW64_64KEY, k.put()) != ERROR_SUCCESS) continue;
    auto read = [&](const wchar_t* name) { return ReadRegistryString(root, key, name, KEY_WOW64_64KEY); };
    return TUninstallEntry{read(L"DisplayName"), read(L"DisplayVersion"), read(L"Publisher")};
  }
  return std::nullopt;
}

int CountUninstallEntries(const std::wstring& displayName) {
  int count = 0;
  for (HKEY root : kUninstallRoots) {
    UniqueRegKey k;
    if (::RegOpenKeyExW(root, kUninstallKey, 0, KEY_READ | KEY_WOW64_64KEY, k.put()) != ERROR_SUCCESS) continue;
    for (DWORD i = 0;; ++i) {
      wchar_t name[256];
      DWORD length = 256;
      if (::RegEnumKeyExW(k.get(), i, name, &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
      if (ReadRegistryString(root, std::wstring(kUninstallKey) + L"\\" + name, L"DisplayName", KEY_WOW64_64KEY) ==
          displayName)
        ++count;
    }
  }
  return count;
}

std::optional<TShortcut> ReadShortcut(const std::wstring& linkPath) {
  ComPtr<IShellLinkW> link;
  if (FAILED(::CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW, link.put_void())))
    return std::nullopt;
  auto file = link.as<IPersistFile>(IID_IPersistFile);
  if (!file || FAILED(file->Load(linkPath.c_str(), STGM_READ))) return std::nullopt;
  TShortcut shortcut;
  wchar_t text[MAX_PATH * 2] = {};
  if (SUCCEEDED(link->GetPath(text, MAX_PATH * 2, nullptr, SLGP_RAWPATH))) shortcut.Target = text;
  text[0] = 0;
  if (SUCCEEDED(link->GetWorkingDirectory(text, MAX_PATH * 2))) shortcut.WorkingFolder = text;
  return shortcut;
}

}  // namespace tessera::test
