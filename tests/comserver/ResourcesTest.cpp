// What ships: version resources, the string tables a translation replaces, the settings program's manifest.
#include <gtest/gtest.h>

#include <string>

#include "commands/CommandTexts.h"
#include "commands/ResizeImageTexts.h"
#include "comserver/DllUnderTest.h"
#include "settings/settings_strings.h"
#include "shellext/resource.h"
#include "shellutils/Handles.h"
#include "shellutils/SystemUtils.h"
#include "shellutils/shellutils_strings.h"

namespace tessera {
namespace {

std::wstring DistFile(const wchar_t* name) {
  wchar_t full[MAX_PATH * 4];
  std::wstring relative = GetModuleFolder() + L"..\\..\\dist\\" + name;
  DWORD n = ::GetFullPathNameW(relative.c_str(), MAX_PATH * 4, full, nullptr);
  return std::wstring(full, n);
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
  for (const wchar_t* name : {L"Tessera64.dll", L"Tessera32.dll", L"TesseraConfig.exe"}) {
    SCOPED_TRACE(testing::Message() << std::string(name, name + wcslen(name)));
    std::wstring file = DistFile(name);
    TFileVersion v{};
    ASSERT_TRUE(GetFileVersion(file, v));
    EXPECT_EQ(v.Major, 2);
    EXPECT_EQ(v.Minor, 5);
    EXPECT_EQ(v.Release, 0);
    EXPECT_EQ(VersionString(file, L"ProductName"), L"Tessera");
    EXPECT_EQ(VersionString(file, L"ProductVersion"), L"2.5.0");
    EXPECT_EQ(VersionString(file, L"OriginalFilename"), name);
  }
}

TEST(ShippedFiles, ShellExtensionHoldsItsTexts) {
  for (const wchar_t* name : {L"Tessera64.dll", L"Tessera32.dll"}) {
    UniqueModule dll(::LoadLibraryExW(DistFile(name).c_str(), nullptr,
                                      LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE));
    ASSERT_TRUE(dll);
    auto text = [&](UINT id) {
      wchar_t buffer[512] = {};
      ::LoadStringW(dll.get(), id, buffer, 512);
      return std::wstring(buffer);
    };
    EXPECT_EQ(text(IDS_MENU_COPY_PATH), L"Copy path");
    EXPECT_EQ(text(IDS_MENU_SANDBOX), L"Map to Windows Sandbox");
    EXPECT_EQ(text(IDS_HELP_SHOW_HIDDEN), L"Toggles \"Show hidden files and folders\" option");
    EXPECT_EQ(text(IDS_STATE_SHOW_EXTENDED), L"Show only when Shift key is down");
    EXPECT_EQ(text(IDS_OPT_SANDBOX_READ_ONLY), L"Folder is read-only by default");
    // Each message of the commands: the table's text equals the built-in English one, escapes included.
    for (const TResText& t : {texts::kUnknownCopySizeOp, texts::kTotalSizeCopied, texts::kFailedToCreateFile,
                              texts::kFailedToLaunch, texts::kCannotCreateFile, texts::kUnknownTypemountOp,
                              texts::kSandboxTemplateReadFailed, texts::kSandboxTemplateLacksVariable,
                              texts::kSandboxSaveFailed, texts::kResizeSelectOutputFolder,
                              texts::kResizeMagickNotFound, texts::kResizeNoImageSize,
                              texts::kResizeWorkingDirectoryFailed, texts::kResizeMagickFailed})
      EXPECT_EQ(text(t.Id), t.BuiltIn) << t.Id;
    EXPECT_EQ(text(IDS_UTIL_FAILED_TO_LAUNCH), L"Failed to launch \"%s\"\r\n\r\n%s");
  }
}

TEST(ShippedFiles, SettingsProgramCarriesItsManifest) {
  UniqueModule exe(::LoadLibraryExW(DistFile(L"TesseraConfig.exe").c_str(), nullptr,
                                    LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE));
  ASSERT_TRUE(exe);
  HRSRC res = ::FindResourceW(exe.get(), MAKEINTRESOURCEW(1), MAKEINTRESOURCEW(24));
  ASSERT_NE(res, nullptr);
  const char* data = static_cast<const char*>(::LockResource(::LoadResource(exe.get(), res)));
  std::string manifest(data, ::SizeofResource(exe.get(), res));
  EXPECT_NE(manifest.find("level=\"asInvoker\""), std::string::npos);
  EXPECT_NE(manifest.find("PerMonitorV2"), std::string::npos);
  EXPECT_NE(manifest.find("Microsoft.Windows.Common-Controls"), std::string::npos);
  EXPECT_NE(manifest.find("version=\"6.0.0.0\""), std::string::npos);
}

}  // namespace
}  // namespace tessera
