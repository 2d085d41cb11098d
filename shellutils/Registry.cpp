// Reading string values from either registry view, and writing them.
#include "shellutils/Registry.h"

#include "base/Handles.h"

#include <cwchar>
#include <vector>

namespace tessera {

std::wstring ReadRegistryString(HKEY root, const std::wstring& keyPath, const std::wstring& valueName,
                                REGSAM extraAccess) {
  // The registry returns its error instead of setting the last error; it is set so that callers can
  // report it like any other failure.
  UniqueRegKey key;
  LSTATUS rc = ::RegOpenKeyExW(root, keyPath.c_str(), 0, extraAccess | KEY_QUERY_VALUE, key.put());
  if (rc != ERROR_SUCCESS) {
    ::SetLastError(static_cast<DWORD>(rc));
    return {};
  }
  const wchar_t* name = valueName.empty() ? nullptr : valueName.c_str();
  DWORD size = 0;
  rc = ::RegQueryValueExW(key.get(), name, nullptr, nullptr, nullptr, &size);
  if (rc != ERROR_SUCCESS || size == 0) {
    ::SetLastError(static_cast<DWORD>(rc));
    return {};
  }
  std::vector<BYTE> data(size);
  rc = ::RegQueryValueExW(key.get(), name, nullptr, nullptr, data.data(), &size);
  if (rc != ERROR_SUCCESS) {
    ::SetLastError(static_cast<DWORD>(rc));
    return {};
  }
  // Stored strings need not end with a zero: the text ends at the first zero or at the data's end.
  const auto* chars = reinterpret_cast<const wchar_t*>(data.data());
  size_t count = size / sizeof(wchar_t);
  return std::wstring(chars, ::wcsnlen(chars, count));
}

bool WriteRegistryString(HKEY root, const std::wstring& keyPath, const std::wstring& valueName,
                         const std::wstring& text) {
  UniqueRegKey key;
  LSTATUS rc = ::RegCreateKeyExW(root, keyPath.c_str(), 0, nullptr, 0, KEY_READ | KEY_WRITE, nullptr, key.put(),
                                 nullptr);
  if (rc == ERROR_SUCCESS) {
    // The size counts the terminating zero, as REG_SZ values must.
    rc = ::RegSetValueExW(key.get(), valueName.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                          static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
  }
  if (rc != ERROR_SUCCESS) ::SetLastError(static_cast<DWORD>(rc));
  return rc == ERROR_SUCCESS;
}

}  // namespace tessera
