// Environment, Windows version, elevation, module paths, temporary files and file versions.
#include "shellutils/SystemUtils.h"

#include "base/Handles.h"
#include "base/Module.h"
#include "base/PathUtils.h"

#include <cwchar>
#include <vector>

namespace tessera {

// Paths and expansions are never cut: the buffers grow up to the longest text the system hands out.
static constexpr DWORD kMaxTextLength = 32768;

std::wstring ExpandEnvironmentText(const std::wstring& text) {
  std::wstring buffer(4096, L'\0');
  for (;;) {
    DWORD n = ::ExpandEnvironmentStringsW(text.c_str(), buffer.data(), static_cast<DWORD>(buffer.size()));
    if (n == 0) return text;
    if (n <= buffer.size()) {
      buffer.resize(::wcsnlen(buffer.c_str(), n - 1));
      return buffer;
    }
    buffer.assign(n, L'\0');  // n is the size needed, terminating zero included
  }
}

bool IsKeyDown(int virtualKey) { return (::GetKeyState(virtualKey) & 0x80) != 0; }

DWORD WindowsMajorVersion() {
  // RtlGetVersion tells the truth; GetVersionEx answers according to the program's manifest.
  using RtlGetVersionProc = LONG(WINAPI*)(OSVERSIONINFOW*);
  OSVERSIONINFOW info{};
  info.dwOSVersionInfoSize = sizeof(info);
  if (HMODULE ntdll = ::GetModuleHandleW(L"ntdll.dll")) {
    auto proc = reinterpret_cast<RtlGetVersionProc>(::GetProcAddress(ntdll, "RtlGetVersion"));
    if (proc && proc(&info) == 0) return info.dwMajorVersion;
  }
  return ::GetVersionExW(&info) ? info.dwMajorVersion : 0;
}

bool IsVistaOrLater() { return WindowsMajorVersion() > 5; }

bool IsUserAdmin() {
  UniqueKernelHandle token;
  if (!::OpenProcessToken(::GetCurrentProcess(), TOKEN_QUERY, token.put())) return false;
  DWORD size = 0;
  ::GetTokenInformation(token.get(), TokenGroups, nullptr, 0, &size);
  if (size == 0) return false;
  std::vector<BYTE> buffer(size);
  if (!::GetTokenInformation(token.get(), TokenGroups, buffer.data(), size, &size)) return false;
  SID_IDENTIFIER_AUTHORITY ntAuthority = SECURITY_NT_AUTHORITY;
  UniqueSid admins;
  if (!::AllocateAndInitializeSid(&ntAuthority, 2, SECURITY_BUILTIN_DOMAIN_RID, DOMAIN_ALIAS_RID_ADMINS, 0, 0, 0, 0,
                                  0, 0, admins.put()))
    return false;
  const auto* groups = reinterpret_cast<const TOKEN_GROUPS*>(buffer.data());
  for (DWORD i = 0; i < groups->GroupCount; ++i) {
    const SID_AND_ATTRIBUTES& group = groups->Groups[i];
    // Present but not enabled (a filtered token) does not count.
    if ((group.Attributes & SE_GROUP_ENABLED) && ::EqualSid(group.Sid, admins.get())) return true;
  }
  return false;
}

std::wstring GetModulePath() {
  HMODULE module = GetCurrentModule();
  std::wstring path(MAX_PATH + 1, L'\0');
  for (;;) {
    DWORD n = ::GetModuleFileNameW(module, path.data(), static_cast<DWORD>(path.size()));
    if (n == 0) return {};
    if (n < path.size()) {
      path.resize(n);
      return path;
    }
    if (path.size() >= kMaxTextLength) return {};  // cut even at the longest possible size: no usable path
    path.assign(path.size() * 2, L'\0');
  }
}

std::wstring GetModuleFolder() { return ExtractFilePath(GetModulePath()); }

std::wstring GetTempFolder() {
  std::wstring path(MAX_PATH + 1, L'\0');
  for (;;) {
    DWORD n = ::GetTempPathW(static_cast<DWORD>(path.size()), path.data());
    if (n == 0) return {};
    if (n < path.size()) {
      path.resize(n);
      return path;
    }
    path.assign(n + 1, L'\0');  // n is the size needed
  }
}

std::wstring CreateTempFile() {
  std::wstring folder = GetTempFolder();
  if (folder.empty()) return {};
  // The system writes at most MAX_PATH characters here and fails (rather than cuts) for longer names.
  wchar_t name[MAX_PATH + 1] = {};
  if (::GetTempFileNameW(folder.c_str(), L"ves", 0, name) == 0) return {};
  return name;
}

bool GetFileVersion(const std::wstring& path, TFileVersion& version) {
  version = {};
  DWORD handle = 0;
  DWORD size = ::GetFileVersionInfoSizeW(path.c_str(), &handle);
  if (size == 0) return false;
  std::vector<BYTE> buffer(size);
  if (!::GetFileVersionInfoW(path.c_str(), 0, size, buffer.data())) return false;
  VS_FIXEDFILEINFO* info = nullptr;
  UINT length = 0;
  if (!::VerQueryValueW(buffer.data(), L"\\", reinterpret_cast<void**>(&info), &length) || !info ||
      length < sizeof(VS_FIXEDFILEINFO))
    return false;
  version.Major = HIWORD(info->dwFileVersionMS);
  version.Minor = LOWORD(info->dwFileVersionMS);
  version.Release = HIWORD(info->dwFileVersionLS);
  version.Build = LOWORD(info->dwFileVersionLS);
  return true;
}

}  // namespace tessera
