#include "base/PathUtils.h"

#include <windows.h>

namespace tessera {

namespace {

size_t NameStart(std::wstring_view path) {
  size_t sep = path.find_last_of(L"\\/:");
  return sep == std::wstring_view::npos ? 0 : sep + 1;
}

// Attributes without a "please insert a disk" dialog for empty drives. The error mode is the calling
// thread's, so that other threads of the host process are not affected meanwhile.
DWORD QuietAttributes(const std::wstring& path) {
  DWORD oldMode = 0;
  bool modeSet = ::SetThreadErrorMode(::GetThreadErrorMode() | SEM_FAILCRITICALERRORS, &oldMode);
  DWORD attributes = ::GetFileAttributesW(path.c_str());
  DWORD error = ::GetLastError();
  if (modeSet) ::SetThreadErrorMode(oldMode, nullptr);
  ::SetLastError(error);
  return attributes;
}

}  // namespace

std::wstring NameCompareKey(std::wstring_view name) {
  std::wstring key(name);
  if (!key.empty())
    ::LCMapStringEx(LOCALE_NAME_INVARIANT, LCMAP_UPPERCASE, name.data(), static_cast<int>(name.size()), key.data(),
                    static_cast<int>(key.size()), nullptr, nullptr, 0);
  return key;
}

bool SameNameIgnoringCase(std::wstring_view a, std::wstring_view b) {
  return ::CompareStringOrdinal(a.data(), static_cast<int>(a.size()), b.data(), static_cast<int>(b.size()), TRUE) ==
         CSTR_EQUAL;
}

std::wstring IncludeTrailingBackslash(std::wstring path) {
  if (!path.empty() && path.back() != L'\\') path += L'\\';
  return path;
}

std::wstring ExtractFilePath(std::wstring_view path) { return std::wstring(path.substr(0, NameStart(path))); }

std::wstring ExtractFileName(std::wstring_view path) { return std::wstring(path.substr(NameStart(path))); }

std::wstring ExtractFileExt(std::wstring_view path) {
  size_t dot = path.rfind(L'.');
  if (dot == std::wstring_view::npos || dot < NameStart(path)) return {};
  return std::wstring(path.substr(dot));
}

std::wstring ExtractFileDrive(std::wstring_view path) {
  if (path.size() >= 2 && path[1] == L':') return std::wstring(path.substr(0, 2));
  if (path.size() >= 2 && path[0] == L'\\' && path[1] == L'\\') {
    // \\server\share: the share ends at the next backslash or at the end; both parts must be there.
    size_t server = path.find(L'\\', 2);
    if (server == std::wstring_view::npos || server == 2 || server + 1 == path.size()) return {};
    size_t share = path.find(L'\\', server + 1);
    if (share == server + 1) return {};
    return std::wstring(path.substr(0, share));
  }
  return {};
}

bool IsDirectory(const std::wstring& path) {
  if (path.empty()) return false;
  DWORD attributes = QuietAttributes(path);
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool FileExists(const std::wstring& path) {
  if (path.empty()) return false;
  DWORD attributes = QuietAttributes(path);
  return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

}  // namespace tessera
