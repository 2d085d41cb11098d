#include "base/Module.h"

extern "C" IMAGE_DOS_HEADER __ImageBase;

namespace tessera {

HMODULE GetCurrentModule() noexcept {
  static const int marker = 0;  // lives in whichever module this library is linked into
  HMODULE module = nullptr;
  if (::GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                           reinterpret_cast<LPCWSTR>(&marker), &module))
    return module;
  return reinterpret_cast<HMODULE>(&__ImageBase);
}

}  // namespace tessera
