// Font installation in the two scopes, uninstallation, and loading for the session.
#include "typemount/FontInstaller.h"

#include "base/Error.h"
#include "base/ErrorText.h"
#include "base/FileBytes.h"
#include "base/Handles.h"
#include "base/PathUtils.h"
#include "base/StringUtils.h"
#include "shellutils/SystemUtils.h"
#include "typemount/FontFile.h"
#include "typemount/typemount_strings.h"

#include <shlobj.h>
#include <wingdi.h>

#include <vector>

namespace tessera {
namespace {

// Both processes (32- and 64-bit) work on the key that the system itself reads.
constexpr REGSAM kFontsKeyView = KEY_WOW64_64KEY;
// How long one window may take to answer WM_FONTCHANGE.
constexpr UINT kBroadcastTimeoutMs = 1000;
// Beyond this many "name_N.ext" candidates the Fonts folder is taken as unusable.
constexpr int kMaxFileNameTries = 1000;

[[noreturn]] void Fail(unsigned id) { throw TesseraError(ResString(id)); }
template <typename... Args>
[[noreturn]] void Fail(unsigned id, Args... args) {
  throw TesseraError(FormatText(TResText{id}, args...));
}

std::wstring FolderPath(int csidl) {
  wchar_t path[MAX_PATH] = {};
  if (FAILED(::SHGetFolderPathW(nullptr, csidl, nullptr, SHGFP_TYPE_CURRENT, path)) || !*path) return {};
  return IncludeTrailingBackslash(path);
}

struct TRegisteredFont {
  TFontScope Scope;
  std::wstring Name;  // the registry value
  std::wstring File;  // full path of the file it names
};

// A value's data as a full path: the Windows Fonts folder holds the files registered by name only.
std::wstring RegisteredPath(const std::wstring& data) {
  if (data.find_first_of(L"\\/:") != std::wstring::npos) return data;
  return FontsFolder(fsMachine) + data;
}

// Every string value of the scope's Fonts key (none when the key cannot be read).
std::vector<TRegisteredFont> RegisteredFonts(TFontScope scope) {
  std::vector<TRegisteredFont> fonts;
  UniqueRegKey key;
  if (::RegOpenKeyExW(FontsRoot(scope), kFontsKey, 0, KEY_QUERY_VALUE | kFontsKeyView, key.put()) != ERROR_SUCCESS)
    return fonts;
  DWORD maxName = 0, maxData = 0;
  if (::RegQueryInfoKeyW(key.get(), nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &maxName, &maxData,
                         nullptr, nullptr) != ERROR_SUCCESS)
    return fonts;
  std::vector<wchar_t> name(maxName + 1);
  std::vector<BYTE> data(maxData + sizeof(wchar_t));
  for (DWORD i = 0;; ++i) {
    DWORD nameLength = static_cast<DWORD>(name.size()), dataSize = maxData, type = 0;
    LSTATUS rc = ::RegEnumValueW(key.get(), i, name.data(), &nameLength, nullptr, &type, data.data(), &dataSize);
    if (rc == ERROR_NO_MORE_ITEMS) break;
    if (rc != ERROR_SUCCESS || (type != REG_SZ && type != REG_EXPAND_SZ)) continue;
    const auto* chars = reinterpret_cast<const wchar_t*>(data.data());
    std::wstring text(chars, ::wcsnlen(chars, dataSize / sizeof(wchar_t)));
    if (type == REG_EXPAND_SZ) text = ExpandEnvironmentText(text);
    if (!text.empty()) fonts.push_back({scope, std::wstring(name.data(), nameLength), RegisteredPath(text)});
  }
  return fonts;
}

bool InFolder(const std::wstring& file, const std::wstring& folder) {
  return !folder.empty() && SameNameIgnoringCase(ExtractFilePath(file), folder);
}

bool InFontsFolder(const std::wstring& file) {
  return InFolder(file, FontsFolder(fsMachine)) || InFolder(file, FontsFolder(fsUser));
}

// Where the font is to live in the folder: a copy under its own name, or under a free "name_N.ext" when a
// different file has the name; the file itself when it already lies there (Copied false: not ours to delete).
struct TPlacedFont {
  std::wstring Path;
  bool Copied = false;
};

TPlacedFont PlaceFont(const std::wstring& source, const std::string& sourceBytes, const std::wstring& folder) {
  if (InFolder(source, folder)) return {source, false};
  const std::wstring name = ExtractFileName(source);
  const std::wstring ext = ExtractFileExt(name);
  const std::wstring stem = name.substr(0, name.size() - ext.size());
  for (int n = 0; n < kMaxFileNameTries; ++n) {
    const std::wstring target = folder + (n == 0 ? name : stem + L"_" + IntToText(n) + ext);
    if (::CopyFileW(source.c_str(), target.c_str(), TRUE)) {
      // A read-only source would make a copy that uninstalling cannot delete.
      DWORD attributes = ::GetFileAttributesW(target.c_str());
      if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY))
        ::SetFileAttributesW(target.c_str(), attributes & ~DWORD(FILE_ATTRIBUTE_READONLY));
      return {target, true};
    }
    DWORD error = ::GetLastError();
    if (error != ERROR_FILE_EXISTS && error != ERROR_ALREADY_EXISTS)
      Fail(IDS_TM_CANNOT_COPY, target.c_str(), ErrorText(error).c_str());
    std::string existing;
    if (ReadFileBytes(target, existing, sourceBytes.size()) && existing == sourceBytes) return {target, false};
  }
  Fail(IDS_TM_CANNOT_COPY, (folder + name).c_str(), ErrorText(ERROR_FILE_EXISTS).c_str());
}

void EnsureFolder(const std::wstring& folder) {
  if (IsDirectory(folder)) return;
  std::wstring path = folder;
  while (path.size() > 3 && path.back() == L'\\') path.pop_back();
  int rc = ::SHCreateDirectoryExW(nullptr, path.c_str(), nullptr);
  if (rc != ERROR_SUCCESS && rc != ERROR_ALREADY_EXISTS && rc != ERROR_FILE_EXISTS)
    Fail(IDS_TM_CANNOT_COPY, folder.c_str(), ErrorText(static_cast<DWORD>(rc)).c_str());
}

// Removes one registration: the file first (so that a file in use keeps its value), then the value.
// Returns the reason it could not, or empty.
std::wstring RemoveRegistration(const TRegisteredFont& font, bool& fontsChanged) {
  UniqueRegKey key;
  LSTATUS rc = ::RegOpenKeyExW(FontsRoot(font.Scope), kFontsKey, 0, KEY_SET_VALUE | kFontsKeyView, key.put());
  if (rc != ERROR_SUCCESS)
    return FormatText(TResText{IDS_TM_CANNOT_UNREGISTER}, font.Name.c_str(), ErrorText(static_cast<DWORD>(rc)).c_str());
  const bool unloaded = ::RemoveFontResourceExW(font.File.c_str(), 0, nullptr) != 0;
  // Only our own copies are deleted: a font registered where it lies belongs to whoever put it there.
  if (FileExists(font.File) && InFontsFolder(font.File) && !::DeleteFileW(font.File.c_str())) {
    DWORD error = ::GetLastError();
    if (unloaded) ::AddFontResourceExW(font.File.c_str(), 0, nullptr);
    return FormatText(TResText{IDS_TM_IN_USE}, font.File.c_str(), ErrorText(error).c_str());
  }
  fontsChanged = true;
  rc = ::RegDeleteValueW(key.get(), font.Name.c_str());
  if (rc != ERROR_SUCCESS && rc != ERROR_FILE_NOT_FOUND)
    return FormatText(TResText{IDS_TM_CANNOT_UNREGISTER}, font.Name.c_str(), ErrorText(static_cast<DWORD>(rc)).c_str());
  return {};
}

}  // namespace

TFontScope InstallScopeFor(bool elevatedAdmin) { return elevatedAdmin ? fsMachine : fsUser; }

TFontScope CurrentInstallScope() { return InstallScopeFor(IsUserAdmin()); }

std::wstring FontsFolder(TFontScope scope) {
  if (scope == fsMachine) return FolderPath(CSIDL_FONTS);
  std::wstring local = FolderPath(CSIDL_LOCAL_APPDATA);
  return local.empty() ? local : local + L"Microsoft\\Windows\\Fonts\\";
}

HKEY FontsRoot(TFontScope scope) { return scope == fsMachine ? HKEY_LOCAL_MACHINE : HKEY_CURRENT_USER; }

void InstallFont(const std::wstring& file, TFontScope scope, bool& fontsChanged) {
  std::string bytes;
  const std::wstring valueName = FontRegistryName(ReadFontFile(file, &bytes));

  UniqueRegKey key;
  LSTATUS rc = ::RegCreateKeyExW(FontsRoot(scope), kFontsKey, 0, nullptr, 0,
                                 KEY_QUERY_VALUE | KEY_SET_VALUE | kFontsKeyView, nullptr, key.put(), nullptr);
  if (rc != ERROR_SUCCESS) Fail(IDS_TM_CANNOT_REGISTER, ErrorText(static_cast<DWORD>(rc)).c_str());
  if (::RegQueryValueExW(key.get(), valueName.c_str(), nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS)
    Fail(IDS_TM_ALREADY_INSTALLED, valueName.c_str());

  const std::wstring folder = FontsFolder(scope);
  if (folder.empty()) Fail(IDS_TM_NO_FONTS_FOLDER);
  EnsureFolder(folder);
  const TPlacedFont placed = PlaceFont(file, bytes, folder);
  // A file that is already there may be registered under another name: that is the same font installed.
  if (!placed.Copied)
    for (const auto& font : RegisteredFonts(scope))
      if (SameNameIgnoringCase(font.File, placed.Path)) Fail(IDS_TM_ALREADY_INSTALLED, font.Name.c_str());

  bool registered = false;
  ScopeExit undo([&] {
    if (!registered && placed.Copied) ::DeleteFileW(placed.Path.c_str());
  });
  if (::AddFontResourceExW(placed.Path.c_str(), 0, nullptr) == 0) Fail(IDS_TM_NOT_USABLE);
  // The system's own Fonts folder is registered by file name, every other place by full path.
  const std::wstring data = scope == fsMachine ? ExtractFileName(placed.Path) : placed.Path;
  rc = ::RegSetValueExW(key.get(), valueName.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(data.c_str()),
                        static_cast<DWORD>((data.size() + 1) * sizeof(wchar_t)));
  if (rc != ERROR_SUCCESS) {
    ::RemoveFontResourceExW(placed.Path.c_str(), 0, nullptr);
    Fail(IDS_TM_CANNOT_REGISTER, ErrorText(static_cast<DWORD>(rc)).c_str());
  }
  registered = true;
  fontsChanged = true;
}

void UninstallFont(const std::wstring& file, bool& fontsChanged) {
  // A file that cannot be parsed may still be found by its path.
  std::wstring valueName, unreadable;
  try {
    valueName = FontRegistryName(ReadFontFile(file));
  } catch (const TesseraError& e) {
    unreadable = e.message();
  }
  std::vector<TRegisteredFont> found;
  for (TFontScope scope : {fsUser, fsMachine})
    for (auto& font : RegisteredFonts(scope))
      if ((!valueName.empty() && SameNameIgnoringCase(font.Name, valueName)) || SameNameIgnoringCase(font.File, file))
        found.push_back(std::move(font));
  if (found.empty()) {
    if (!unreadable.empty()) throw TesseraError(unreadable);
    Fail(IDS_TM_NOT_INSTALLED);
  }
  std::vector<std::wstring> reasons;
  for (const auto& font : found)
    if (std::wstring reason = RemoveRegistration(font, fontsChanged); !reason.empty()) reasons.push_back(reason);
  if (!reasons.empty()) throw TesseraError(JoinText(reasons, L"; "));
}

void LoadFont(const std::wstring& file, bool& fontsChanged) {
  ReadFontFile(file);
  if (::AddFontResourceExW(file.c_str(), 0, nullptr) == 0) Fail(IDS_TM_NOT_USABLE);
  fontsChanged = true;
}

void UnloadFont(const std::wstring& file, bool& fontsChanged) {
  // No parsing: a file that changed since it was loaded is still unloaded.
  if (!::RemoveFontResourceExW(file.c_str(), 0, nullptr)) Fail(IDS_TM_NOT_LOADED);
  fontsChanged = true;
}

void BroadcastFontChange() {
  DWORD_PTR result = 0;
  ::SendMessageTimeoutW(HWND_BROADCAST, WM_FONTCHANGE, 0, 0, SMTO_ABORTIFHUNG | SMTO_NORMAL, kBroadcastTimeoutMs,
                        &result);
}

}  // namespace tessera
