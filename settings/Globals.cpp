#include "settings/Globals.h"

#include <windows.h>
#include <shlobj.h>

#include "base/ProductInfo.h"
#include "base/StringUtils.h"

namespace tessera {

std::wstring GetSettingsFileName() {
  wchar_t folder[MAX_PATH] = {};
  std::wstring path;
  if (SUCCEEDED(::SHGetFolderPathW(nullptr, CSIDL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, folder))) path = folder;
  // With no application-data folder the path starts with the delimiter, as it always has.
  if (path.empty() || path.back() != L'\\') path += L'\\';
  return path + kCompanyName + L"\\" + kProductName + L"\\" + kProductName + L".ini";
}

std::wstring GetProgramCaption() {
  return FormatText(L"%s %d.%d.%d", kProductName, kVersionMajor, kVersionMinor, kVersionPatch);
}

}  // namespace tessera
