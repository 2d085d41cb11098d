#include "shellutils/SystemUtils.h"

#include "TestHelpers.h"
#include "base/ErrorText.h"
#include "base/Module.h"
#include "base/PathUtils.h"
#include "base/StringUtils.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <cwctype>

namespace tessera {
namespace {

using test::ScopedEnvironment;
using test::TempFolder;

TEST(ExpandEnvironmentText, ExpandsVariablesOfAnyLength) {
  ScopedEnvironment shortValue(L"TESSERA_TEST_SHORT", L"value");
  EXPECT_EQ(ExpandEnvironmentText(L"<%TESSERA_TEST_SHORT%>"), L"<value>");
  EXPECT_EQ(ExpandEnvironmentText(L"%TESSERA_TEST_UNDEFINED%"), L"%TESSERA_TEST_UNDEFINED%");
  EXPECT_EQ(ExpandEnvironmentText(L""), L"");

  // Longer than the first buffer of 4096 characters: retried with the size the system reports.
  const std::wstring longValue(10000, L'v');
  ScopedEnvironment longVar(L"TESSERA_TEST_LONG", longValue);
  EXPECT_EQ(ExpandEnvironmentText(L"%TESSERA_TEST_LONG%|%TESSERA_TEST_SHORT%"), longValue + L"|value");
}

TEST(IsKeyDown, ReadsTheDownBitNotTheToggleBit) {
  BYTE saved[256] = {};
  ASSERT_TRUE(::GetKeyboardState(saved));
  BYTE keys[256] = {};
  keys[VK_SHIFT] = 0x80;
  keys[VK_CAPITAL] = 0x01;  // toggled on, not held
  ASSERT_TRUE(::SetKeyboardState(keys));
  EXPECT_TRUE(IsKeyDown(VK_SHIFT));
  EXPECT_FALSE(IsKeyDown(VK_CAPITAL));
  EXPECT_FALSE(IsKeyDown(VK_CONTROL));
  ::SetKeyboardState(saved);
}

TEST(LastErrorText, SystemMessageWithoutTrailingStopOrBreakAndLastErrorKept) {
  for (DWORD code : {static_cast<DWORD>(ERROR_FILE_NOT_FOUND), static_cast<DWORD>(ERROR_ACCESS_DENIED)}) {
    wchar_t raw[512] = {};
    ::FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, code, 0, raw, 512, nullptr);
    ::SetLastError(code);
    std::wstring text = LastErrorText();
    EXPECT_EQ(::GetLastError(), code);
    ASSERT_FALSE(text.empty());
    EXPECT_NE(text.back(), L'.');
    EXPECT_FALSE(std::iswspace(text.back()));
    EXPECT_EQ(std::wstring(raw).substr(0, text.size()), text);
    EXPECT_EQ(ErrorText(code), text);
  }
}

TEST(WindowsVersion, VistaOrLaterFollowsTheMajorVersion) {
  EXPECT_GE(WindowsMajorVersion(), 6u);  // Wine reports Windows 7
  EXPECT_EQ(IsVistaOrLater(), WindowsMajorVersion() > 5);
}

TEST(IsUserAdmin, TrueForTheAdministratorsGroupOfWine) { EXPECT_TRUE(IsUserAdmin()); }

TEST(ModulePath, NamesTheProgramThisLibraryIsLinkedInto) {
  EXPECT_EQ(GetCurrentModule(), ::GetModuleHandleW(nullptr));
  wchar_t exe[MAX_PATH] = {};
  ::GetModuleFileNameW(nullptr, exe, MAX_PATH);
  EXPECT_EQ(GetModulePath(), exe);
  EXPECT_EQ(GetModuleFolder(), test::TestProgramFolder());
}

TEST(GetTempFolder, FollowsTmpAndEndsWithABackslash) {
  TempFolder temp;
  const std::wstring folder = temp.dir(L"tmp");
  ScopedEnvironment tmp(L"TMP", folder);
  EXPECT_EQ(GetTempFolder(), folder + L"\\");
}

TEST(CreateTempFile, LeavesANewEmptyVesFileInTheTemporaryFolder) {
  const std::wstring first = CreateTempFile();
  const std::wstring second = CreateTempFile();
  ASSERT_FALSE(first.empty());
  ASSERT_FALSE(second.empty());
  EXPECT_NE(first, second);
  for (const auto& path : {first, second}) {
    EXPECT_EQ(ExtractFilePath(path), GetTempFolder());
    const std::wstring name = ExtractFileName(path);
    EXPECT_TRUE(name.size() >= 8 && name.size() <= 11 && name.compare(0, 3, L"ves") == 0 &&
                SameTextAscii(ExtractFileExt(name), L".tmp"))
        << testing::PrintToString(name);
    EXPECT_EQ(name.find_first_not_of(L"0123456789ABCDEFabcdef", 3), name.size() - 4) << testing::PrintToString(name);
    EXPECT_EQ(TempFolder::ReadBytes(path), "");
    EXPECT_NE(::GetFileAttributesW(path.c_str()), INVALID_FILE_ATTRIBUTES);
    ::DeleteFileW(path.c_str());
  }
}

TEST(CreateTempFile, EmptyWhenTheTemporaryFolderIsMissing) {
  TempFolder temp;
  ScopedEnvironment tmp(L"TMP", temp.path() + L"missing");
  EXPECT_EQ(CreateTempFile(), L"");
}

TEST(GetFileVersion, ReadsTheFixedVersionOfTheHelperProgram) {
  TFileVersion version;
  ASSERT_TRUE(GetFileVersion(test::VersionedHelperPath(), version)) << "build tessera_versioned";
  EXPECT_EQ(version.Major, 1);
  EXPECT_EQ(version.Minor, 2);
  EXPECT_EQ(version.Release, 3);
  EXPECT_EQ(version.Build, 4);
}

TEST(GetFileVersion, FalseAndZeroWithoutAVersionResource) {
  TempFolder temp;
  for (const std::wstring& path : {temp.file(L"plain.txt", "no resources"), temp.path() + L"missing.exe"}) {
    TFileVersion version{9, 9, 9, 9};
    EXPECT_FALSE(GetFileVersion(path, version)) << testing::PrintToString(path);
    EXPECT_EQ(version.Major + version.Minor + version.Release + version.Build, 0);
  }
}

}  // namespace
}  // namespace tessera
