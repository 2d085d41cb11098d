// Reading string values from the registry.
#pragma once

#include <windows.h>

#include <string>

namespace tessera {

// The value as text up to its first zero (REG_EXPAND_SZ unexpanded), or empty. extraAccess picks a view
// (KEY_WOW64_64KEY, KEY_WOW64_32KEY) or adds rights; an empty valueName reads the default value.
std::wstring ReadRegistryString(HKEY root, const std::wstring& keyPath, const std::wstring& valueName,
                                REGSAM extraAccess);

}  // namespace tessera
