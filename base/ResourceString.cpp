#include "base/ResourceString.h"

#include <windows.h>

#include "base/Module.h"

namespace tessera {

std::wstring ResString(unsigned _id) {
  // String tables are blocks of 16 counted strings; block n holds the identifiers 16(n-1) to 16n-1.
  // Read in place, so that no text is cut at a buffer size.
  HMODULE module = GetCurrentModule();
  HRSRC info = ::FindResourceW(module, MAKEINTRESOURCEW(_id / 16 + 1), MAKEINTRESOURCEW(6) /* RT_STRING */);
  if (!info) return {};
  HGLOBAL data = ::LoadResource(module, info);
  const auto* p = static_cast<const WCHAR*>(data ? ::LockResource(data) : nullptr);
  if (!p) return {};
  for (unsigned i = 0; i < _id % 16; ++i) p += 1 + *p;
  return std::wstring(p + 1, *p);
}

}  // namespace tessera
