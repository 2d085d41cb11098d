// Reading and writing string values in the registry.
#pragma once

#include <windows.h>

#include <string>

namespace tessera {

// The value as text up to its first zero (REG_EXPAND_SZ unexpanded), or empty. extraAccess picks a view
// (KEY_WOW64_64KEY, KEY_WOW64_32KEY) or adds rights; an empty valueName reads the default value.
std::wstring ReadRegistryString(HKEY root, const std::wstring& keyPath, const std::wstring& valueName,
                                REGSAM extraAccess);

// Writes text as the REG_SZ value valueName of root\keyPath, creating the key when it is missing. False when
// the key cannot be made or the value cannot be written, with the registry's error as the last error.
bool WriteRegistryString(HKEY root, const std::wstring& keyPath, const std::wstring& valueName,
                         const std::wstring& text);

}  // namespace tessera
