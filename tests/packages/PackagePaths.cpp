#include "packages/PackagePaths.h"

#include <windows.h>

#include "base/Handles.h"
#include "base/ProductInfo.h"
#include "packages/TextHelpers.h"
#include "shellutils/SystemUtils.h"
#include "support/TempFolder.h"

namespace tessera::test {
namespace {

std::wstring FullPath(const std::wstring& relative) {
  std::wstring path = GetModuleFolder() + relative;
  wchar_t full[MAX_PATH * 4];
  DWORD n = ::GetFullPathNameW(path.c_str(), MAX_PATH * 4, full, nullptr);
  return std::wstring(full, n);
}

std::wstring PackageName(const std::wstring& version, const std::wstring& kind) {
  return std::wstring(kProductName) + L"-" + version + L"-" + kind;
}

}  // namespace

std::wstring DistFolder() { return FullPath(L"..\\..\\dist\\"); }
std::wstring PackagesFolder() { return FullPath(L"..\\..\\packages\\"); }
std::wstring SourceFile(const std::wstring& relative) { return FullPath(L"..\\..\\..\\" + relative); }

std::wstring PackagePath(const std::wstring& arch) { return PackagesFolder() + PackageName(kVersionText, arch + L".msi"); }
std::wstring PortableZipPath() { return PackagesFolder() + PackageName(kVersionText, L"portable.zip"); }
std::wstring UpgradeVersion() { return L"" TESSERA_UPGRADE_VERSION; }
std::wstring UpgradePackagePath() { return FullPath(L"packages\\") + PackageName(UpgradeVersion(), L"x64.msi"); }

std::vector<std::wstring> DistFileNames() {
  std::vector<std::wstring> names;
  WIN32_FIND_DATAW data{};
  UniqueFindHandle find(::FindFirstFileW((DistFolder() + L"*").c_str(), &data));
  if (!find) return names;
  do {
    if (!(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) names.push_back(data.cFileName);
  } while (::FindNextFileW(find.get(), &data));
  return SortedIgnoringAsciiCase(names);
}

std::string FileBytes(const std::wstring& path) { return TempFolder::ReadBytes(path); }

}  // namespace tessera::test
