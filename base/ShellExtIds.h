// Identity of the two shell-extension builds, shared by the DLLs, the settings program and the installer, so
// that each knows both class identifiers when it enables, disables or checks the extension.
#pragma once

#include <windows.h>

#include "base/ProductInfo.h"

namespace tessera {

// {5935FC22-F7DD-4099-A9A8-130D34F6A812}
inline constexpr CLSID CLSID_Tessera32 = {0x5935fc22, 0xf7dd, 0x4099, {0xa9, 0xa8, 0x13, 0x0d, 0x34, 0xf6, 0xa8, 0x12}};
inline constexpr wchar_t kClassIdText32[] = L"{5935FC22-F7DD-4099-A9A8-130D34F6A812}";
inline constexpr wchar_t kHandlerName32[] = L"Tessera32";
inline constexpr wchar_t kDllName32[] = L"Tessera32.dll";

// {F1E20A47-8EC3-4E21-907A-E9B0AEB85AF3}
inline constexpr CLSID CLSID_Tessera64 = {0xf1e20a47, 0x8ec3, 0x4e21, {0x90, 0x7a, 0xe9, 0xb0, 0xae, 0xb8, 0x5a, 0xf3}};
inline constexpr wchar_t kClassIdText64[] = L"{F1E20A47-8EC3-4E21-907A-E9B0AEB85AF3}";
inline constexpr wchar_t kHandlerName64[] = L"Tessera64";
inline constexpr wchar_t kDllName64[] = L"Tessera64.dll";

// The class's description in the registry: the product's name.
inline constexpr const wchar_t* kShellExtDescription = kProductName;

// The constants of the build being compiled.
#ifdef _WIN64
inline constexpr const CLSID& CLSID_TesseraContextMenu = CLSID_Tessera64;
inline constexpr const wchar_t* kClassIdText = kClassIdText64;
inline constexpr const wchar_t* kHandlerName = kHandlerName64;
inline constexpr const wchar_t* kShellExtDllName = kDllName64;
#else
inline constexpr const CLSID& CLSID_TesseraContextMenu = CLSID_Tessera32;
inline constexpr const wchar_t* kClassIdText = kClassIdText32;
inline constexpr const wchar_t* kHandlerName = kHandlerName32;
inline constexpr const wchar_t* kShellExtDllName = kDllName32;
#endif

}  // namespace tessera
