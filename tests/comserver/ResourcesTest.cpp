// What ships: version resources, the string tables a translation replaces, the settings program's manifest.
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "StringIds.h"
#include "base/FileBytes.h"
#include "base/Handles.h"
#include "base/ProductInfo.h"
#include "base/ShellExtIds.h"
#include "base/StringUtils.h"
#include "settings/settings_strings.h"
#include "shellext/shellext_strings.h"
#include "shellutils/SystemUtils.h"
#include "shellutils/shellutils_strings.h"

namespace tessera {
namespace {

// A file of this build's install folder (build/win64/dist or build/win32/dist).
std::wstring DistFile(const std::wstring& name) {
  wchar_t full[MAX_PATH * 4];
  std::wstring relative = GetModuleFolder() + L"..\\dist\\" + name;
  DWORD n = ::GetFullPathNameW(relative.c_str(), MAX_PATH * 4, full, nullptr);
  return std::wstring(full, n);
}

UniqueModule LoadAsData(const std::wstring& file) {
  return UniqueModule(::LoadLibraryExW(file.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE));
}

std::wstring LoadText(HMODULE module, UINT id) {
  const wchar_t* text = nullptr;
  int n = ::LoadStringW(module, id, reinterpret_cast<LPWSTR>(&text), 0);  // points into the resource
  return n > 0 && text ? std::wstring(text, static_cast<size_t>(n)) : std::wstring();
}

std::wstring VersionString(const std::wstring& file, const wchar_t* name) {
  DWORD handle = 0;
  DWORD size = ::GetFileVersionInfoSizeW(file.c_str(), &handle);
  if (!size) return L"";
  std::string data(size, '\0');
  if (!::GetFileVersionInfoW(file.c_str(), 0, size, data.data())) return L"";
  wchar_t* value = nullptr;
  UINT length = 0;
  std::wstring block = std::wstring(L"\\StringFileInfo\\040904B0\\") + name;
  if (!::VerQueryValueW(data.data(), block.c_str(), reinterpret_cast<void**>(&value), &length) || !value) return L"";
  return value;
}

TEST(ShippedFiles, CarryTheProductVersion) {
  for (const std::wstring& name :
       {std::wstring(kShellExtDllName), std::wstring(L"TesseraConfig.exe"), std::wstring(L"Typemount.exe")}) {
    SCOPED_TRACE(WideToUtf8(name));
    std::wstring file = DistFile(name);
    TFileVersion v{};
    ASSERT_TRUE(GetFileVersion(file, v));
    EXPECT_EQ(v.Major, kVersionMajor);
    EXPECT_EQ(v.Minor, kVersionMinor);
    EXPECT_EQ(v.Release, kVersionPatch);
    EXPECT_EQ(VersionString(file, L"ProductName"), kProductName);
    EXPECT_EQ(VersionString(file, L"ProductVersion"), kVersionText);
    EXPECT_EQ(VersionString(file, L"CompanyName"), kCompanyName);
    EXPECT_EQ(VersionString(file, L"OriginalFilename"), name);
  }
  EXPECT_EQ(std::wstring(kVersionText),
            FormatText(L"%d.%d.%d", kVersionMajor, kVersionMinor, kVersionPatch));
}

// Each binary carries the string table of every layer it links, so no text of its code comes up empty.
TEST(ShippedFiles, EveryStringOfTheirLayersResolves) {
  struct Binary {
    std::wstring name;
    std::set<std::string> layers;
  };
  const Binary binaries[] = {
      {kShellExtDllName, {"base", "settings", "shellutils", "commands", "shellext"}},
      {L"TesseraConfig.exe", {"base", "settings", "shellutils", "optionlist", "config"}},
      {L"Typemount.exe", {"base", "shellutils", "typemount"}},
  };
  for (const auto& binary : binaries) {
    SCOPED_TRACE(WideToUtf8(binary.name));
    UniqueModule module = LoadAsData(DistFile(binary.name));
    ASSERT_TRUE(module);
    size_t checked = 0;
    for (const TStringId& s : kStringIds) {
      if (!binary.layers.count(s.Layer)) continue;
      EXPECT_FALSE(LoadText(module.get(), s.Id).empty()) << s.Layer << " " << s.Name;
      ++checked;
    }
    EXPECT_GT(checked, 20u);
  }
}

TEST(ShippedFiles, ShellExtensionHoldsItsTexts) {
  UniqueModule dll = LoadAsData(DistFile(kShellExtDllName));
  ASSERT_TRUE(dll);
  auto text = [&](UINT id) { return LoadText(dll.get(), id); };
  EXPECT_EQ(text(IDS_OPT_COPY_PATH), L"Copy path");
  EXPECT_EQ(text(IDS_OPT_SANDBOX), L"Map to Windows Sandbox");
  EXPECT_EQ(text(IDS_HELP_SHOW_HIDDEN), L"Toggles \"Show hidden files and folders\" option");
  EXPECT_EQ(text(IDS_STATE_SHOW_EXTENDED), L"Show only when Shift key is down");
  EXPECT_EQ(text(IDS_OPT_SANDBOX_READ_ONLY), L"Folder is read-only by default");
  EXPECT_EQ(text(IDS_UTIL_FAILED_TO_LAUNCH), L"Failed to launch \"%s\"\r\n\r\n%s");
  EXPECT_EQ(text(IDS_GROUP_OPTIONS_OF), L"%s options");
}

// asInvoker (elevation is asked for by whoever starts the program), per-monitor DPI awareness version 2,
// common controls 6 and the product's version.
void ExpectProgramManifest(const std::wstring& program) {
  SCOPED_TRACE(WideToUtf8(program));
  UniqueModule exe = LoadAsData(DistFile(program));
  ASSERT_TRUE(exe);
  HRSRC res = ::FindResourceW(exe.get(), MAKEINTRESOURCEW(1), MAKEINTRESOURCEW(24));
  ASSERT_NE(res, nullptr);
  const char* data = static_cast<const char*>(::LockResource(::LoadResource(exe.get(), res)));
  std::string manifest(data, ::SizeofResource(exe.get(), res));
  EXPECT_NE(manifest.find("level=\"asInvoker\""), std::string::npos);
  EXPECT_NE(manifest.find("PerMonitorV2"), std::string::npos);
  EXPECT_NE(manifest.find("Microsoft.Windows.Common-Controls"), std::string::npos);
  EXPECT_NE(manifest.find("version=\"6.0.0.0\""), std::string::npos);
  EXPECT_NE(manifest.find("version=\"" + WideToUtf8(kVersionText) + ".0\""), std::string::npos);
}

TEST(ShippedFiles, SettingsProgramCarriesItsManifest) { ExpectProgramManifest(L"TesseraConfig.exe"); }

TEST(ShippedFiles, FontHelperCarriesItsManifestAndIsAWindowsProgram) {
  ExpectProgramManifest(L"Typemount.exe");
  // A GUI program: starting it never opens a console window.
  std::string image;
  ASSERT_TRUE(ReadFileBytes(DistFile(L"Typemount.exe"), image));
  ASSERT_GT(image.size(), 0x100u);
  const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(image.data());
  ASSERT_EQ(dos->e_magic, IMAGE_DOS_SIGNATURE);
  ASSERT_LT(static_cast<size_t>(dos->e_lfanew) + sizeof(IMAGE_NT_HEADERS), image.size());
  const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(image.data() + dos->e_lfanew);
  EXPECT_EQ(nt->OptionalHeader.Subsystem, IMAGE_SUBSYSTEM_WINDOWS_GUI);
}

}  // namespace
}  // namespace tessera
