#include "settings/Globals.h"

#include <windows.h>
#include <shlobj.h>

#include <cwchar>

namespace tessera {

std::wstring GetSettingsFileName() {
  wchar_t folder[MAX_PATH] = {};
  std::wstring path;
  if (SUCCEEDED(::SHGetFolderPathW(nullptr, CSIDL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, folder))) path = folder;
  // With no application-data folder the path starts with the delimiter, as it always has.
  if (path.empty() || path.back() != L'\\') path += L'\\';
  return path + L"Vesper Software\\Tessera\\Tessera.ini";
}

std::wstring GetProgramCaption() {
  wchar_t text[64];
  std::swprintf(text, 64, L"%ls %d.%d.%d", L"Tessera", 2, 5, 0);
  return text;
}

}  // namespace tessera
