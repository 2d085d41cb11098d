#include "support/InstalledFonts.h"

#include <shlobj.h>

#include "base/Handles.h"
#include "base/PathUtils.h"

namespace tessera::test {
namespace {

bool StartsWithIgnoringCase(const std::wstring& text, const std::wstring& prefix) {
  return text.size() >= prefix.size() && SameNameIgnoringCase(text.substr(0, prefix.size()), prefix);
}

int CALLBACK FamilyFound(const LOGFONTW*, const TEXTMETRICW*, DWORD, LPARAM found) {
  *reinterpret_cast<bool*>(found) = true;
  return 0;
}

}  // namespace

std::vector<TFontValue> FontValues(HKEY root) {
  std::vector<TFontValue> values;
  UniqueRegKey key;
  if (::RegOpenKeyExW(root, kInstalledFontsKey, 0, KEY_QUERY_VALUE | KEY_WOW64_64KEY, key.put()) != ERROR_SUCCESS)
    return values;
  for (DWORD i = 0;; ++i) {
    wchar_t name[16384];
    BYTE data[65536];
    DWORD nameLength = 16384, size = sizeof(data) - 2, type = 0;
    LSTATUS rc = ::RegEnumValueW(key.get(), i, name, &nameLength, nullptr, &type, data, &size);
    if (rc == ERROR_NO_MORE_ITEMS) break;
    if (rc != ERROR_SUCCESS || type != REG_SZ) continue;
    data[size] = data[size + 1] = 0;
    values.push_back({std::wstring(name, nameLength), reinterpret_cast<const wchar_t*>(data)});
  }
  return values;
}

bool FontValue(HKEY root, const std::wstring& name, std::wstring& data) {
  for (const auto& value : FontValues(root))
    if (value.Name == name) {
      data = value.Data;
      return true;
    }
  data.clear();
  return false;
}

std::wstring MachineFontsFolder() {
  wchar_t windows[MAX_PATH] = {};
  ::GetWindowsDirectoryW(windows, MAX_PATH);
  return IncludeTrailingBackslash(windows) + L"Fonts\\";
}

std::wstring UserFontsFolder() {
  wchar_t local[MAX_PATH] = {};
  ::SHGetFolderPathW(nullptr, CSIDL_LOCAL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, local);
  return IncludeTrailingBackslash(local) + L"Microsoft\\Windows\\Fonts\\";
}

std::vector<std::wstring> FilesIn(const std::wstring& folder) {
  std::vector<std::wstring> files;
  WIN32_FIND_DATAW data{};
  UniqueFindHandle find(::FindFirstFileW((folder + L"*").c_str(), &data));
  if (!find) return files;
  do {
    if (!(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) files.push_back(data.cFileName);
  } while (::FindNextFileW(find.get(), &data));
  return files;
}

void RemoveTestFonts(const std::wstring& namePrefix, const std::wstring& filePrefix) {
  for (HKEY root : {HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE}) {
    UniqueRegKey key;
    if (::RegOpenKeyExW(root, kInstalledFontsKey, 0, KEY_SET_VALUE | KEY_WOW64_64KEY, key.put()) != ERROR_SUCCESS)
      continue;
    for (const auto& value : FontValues(root)) {
      if (!StartsWithIgnoringCase(value.Name, namePrefix)) continue;
      const std::wstring file =
          value.Data.find_first_of(L"\\:") == std::wstring::npos ? MachineFontsFolder() + value.Data : value.Data;
      for (int i = 0; i < 8 && ::RemoveFontResourceExW(file.c_str(), 0, nullptr); ++i) {
      }
      const std::wstring folder = ExtractFilePath(file);
      if (SameNameIgnoringCase(folder, MachineFontsFolder()) || SameNameIgnoringCase(folder, UserFontsFolder()))
        ::DeleteFileW(file.c_str());
      ::RegDeleteValueW(key.get(), value.Name.c_str());
    }
  }
  // Wine keeps the fonts a process loaded for the session in its font cache, one key per family, and loads
  // them into every process it starts later.
  UniqueRegKey cache;
  if (::RegOpenKeyExW(HKEY_CURRENT_USER, L"Software\\Wine\\Fonts\\Cache", 0, KEY_READ | KEY_WRITE, cache.put()) ==
      ERROR_SUCCESS) {
    std::vector<std::wstring> families;
    wchar_t name[256];
    for (DWORD i = 0, length = 256;
         ::RegEnumKeyExW(cache.get(), i, name, &length, nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
         ++i, length = 256)
      if (StartsWithIgnoringCase(name, namePrefix)) families.push_back(name);
    for (const auto& family : families) ::RegDeleteTreeW(cache.get(), family.c_str());
  }
  for (const std::wstring& folder : {MachineFontsFolder(), UserFontsFolder()})
    for (const auto& name : FilesIn(folder))
      if (StartsWithIgnoringCase(name, filePrefix)) {
        const std::wstring file = folder + name;
        for (int i = 0; i < 8 && ::RemoveFontResourceExW(file.c_str(), 0, nullptr); ++i) {
        }
        ::SetFileAttributesW(file.c_str(), FILE_ATTRIBUTE_NORMAL);
        ::DeleteFileW(file.c_str());
      }
}

bool FontFamilyVisible(const std::wstring& family) {
  HDC dc = ::GetDC(nullptr);
  LOGFONTW wanted{};
  wanted.lfCharSet = DEFAULT_CHARSET;
  family.copy(wanted.lfFaceName, LF_FACESIZE - 1);
  bool found = false;
  ::EnumFontFamiliesExW(dc, &wanted, FamilyFound, reinterpret_cast<LPARAM>(&found), 0);
  ::ReleaseDC(nullptr, dc);
  return found;
}

}  // namespace tessera::test
