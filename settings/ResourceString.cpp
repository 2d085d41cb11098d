#include "settings/ResourceString.h"

#include <windows.h>

namespace tessera {
namespace {

HMODULE ThisModule() {
  HMODULE module = nullptr;
  ::GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                       reinterpret_cast<LPCWSTR>(&ResString), &module);
  return module;
}

}  // namespace

std::wstring ResString(unsigned id, const wchar_t* builtIn) {
  // String tables are blocks of 16 counted strings; block n holds the identifiers 16(n-1) to 16n-1.
  HMODULE module = ThisModule();
  HRSRC info = ::FindResourceW(module, MAKEINTRESOURCEW(id / 16 + 1), MAKEINTRESOURCEW(6) /* RT_STRING */);
  if (info) {
    HGLOBAL data = ::LoadResource(module, info);
    const auto* p = static_cast<const WCHAR*>(data ? ::LockResource(data) : nullptr);
    if (p) {
      for (unsigned i = 0; i < id % 16; ++i) p += 1 + *p;
      if (*p != 0) return std::wstring(p + 1, *p);
    }
  }
  return builtIn;
}

}  // namespace tessera
