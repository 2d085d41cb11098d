// Font commands: what the font program beside the module is started with, and the list file it gets.
#include <gtest/gtest.h>

#include "base/Error.h"
#include "base/ErrorText.h"
#include "base/PathUtils.h"
#include "base/StringUtils.h"
#include "commands/FontCommands.h"
#include "shellutils/FileUtils.h"
#include "shellutils/SystemUtils.h"
#include "support/FontFixtures.h"
#include "support/StandIns.h"
#include "support/TempFolder.h"

#include <set>
#include <string>
#include <vector>

namespace tessera {
namespace {

using test::FontListBytes;
using test::ProgramCopy;
using test::RecordSession;
using test::TempFolder;
using test::TRecord;


std::wstring FontProgram() { return GetModuleFolder() + L"Typemount.exe"; }

class FontCommandsTest : public ::testing::Test {
protected:
  void TearDown() override {
    for (const auto& file : test::TempFilesMatching(L"ves*.tmp"))
      if (!FBefore.count(file)) ::DeleteFileW(file.c_str());  // list files left for the font program
  }
  // The temporary files made since the test began.
  std::set<std::wstring> NewTempFiles() const {
    std::set<std::wstring> made;
    for (const auto& file : test::TempFilesMatching(L"ves*.tmp"))
      if (!FBefore.count(file)) made.insert(file);
    return made;
  }

  std::set<std::wstring> FBefore = test::TempFilesMatching(L"ves*.tmp");
  TempFolder temp;
};

TEST_F(FontCommandsTest, StartsTheFontProgramWithTheListFileAndTheSwitch) {
  ProgramCopy program(FontProgram());
  const std::wstring deep = std::wstring(100, L'x') + L"\\" + std::wstring(100, L'y') + L"\\Ünïcødé 日本 & 100% 'q'";
  const std::vector<std::wstring> fonts = {temp.file(L"One.ttf", "1"), temp.file(L"sub folder\\Two Bold.otf", "2"),
                                           temp.file(deep + L"\\Three.ttc", "3")};
  ASSERT_GT(fonts[2].size(), 260u);
  struct Case {
    TFontCommand command;
    const wchar_t* commandSwitch;
  } cases[] = {
      {fcInstall, L"-install"},
      {fcUninstall, L"-uninstall"},
      {fcLoad, L"-load"},
      {fcUnload, L"-unload"},
  };
  int run = 0;
  for (const auto& c : cases) {
    RecordSession session(temp.path() + L"record" + std::to_wstring(++run) + L".txt");
    InvokeFontCommand(fonts, nullptr, c.command);
    TRecord record;
    ASSERT_TRUE(session.wait(record)) << "the font program was not started for " << c.command;

    // "<folder>\Typemount.exe" "<list file>" -switch -tmp: only the list file path is quoted.
    const std::wstring listFile = test::QuotedPart(record.CommandLine, FontProgram().size() + 2);
    EXPECT_EQ(ExtractFilePath(listFile), GetTempFolder());
    EXPECT_EQ(record.CommandLine,
              L"\"" + FontProgram() + L"\" \"" + listFile + L"\" " + c.commandSwitch + L" -tmp");
    EXPECT_EQ(record.Arguments, 3);
    EXPECT_EQ(session.argumentCopy(1), FontListBytes(fonts)) << "font paths go unchanged through the list";
    EXPECT_TRUE(FileExists(listFile)) << "the list file is left for the font program";
  }
  EXPECT_EQ(NewTempFiles().size(), 4u) << "one list file per invocation";
}

TEST_F(FontCommandsTest, AnEmptyListDoesNothing) {
  ProgramCopy program(FontProgram());
  RecordSession session(temp.path() + L"record.txt");
  InvokeFontCommand({}, nullptr, fcInstall);
  TRecord record;
  EXPECT_FALSE(session.wait(record, 500));
  EXPECT_TRUE(NewTempFiles().empty());
}

TEST_F(FontCommandsTest, AMissingFontProgramIsReportedAndLeavesNoListFile) {
  ASSERT_FALSE(FileExists(FontProgram()));
  try {
    InvokeFontCommand({temp.file(L"a.ttf")}, nullptr, fcLoad);
    FAIL() << "no error";
  } catch (const TesseraError& e) {
    // "Failed to launch "<program> "<list>" -load -tmp"\r\n\r\n<reason>"
    const std::wstring& m = e.message();
    const std::wstring start = L"Failed to launch \"" + FontProgram() + L" \"";
    EXPECT_EQ(m.rfind(start, 0), 0u) << m;
    const std::wstring listFile = m.substr(start.size(), m.find(L'"', start.size()) - start.size());
    EXPECT_EQ(ExtractFilePath(listFile), GetTempFolder()) << m;
    EXPECT_EQ(m.substr(start.size() + listFile.size()), L"\" -load -tmp\"\r\n\r\n" + ErrorText(ERROR_FILE_NOT_FOUND));
  }
  EXPECT_TRUE(NewTempFiles().empty()) << "the font program never got the list";
}

TEST_F(FontCommandsTest, AnUnknownCommandIsRejectedBeforeAnythingIsWritten) {
  ProgramCopy program(FontProgram());
  RecordSession session(temp.path() + L"record.txt");
  try {
    InvokeFontCommand({temp.file(L"a.ttf")}, nullptr, static_cast<TFontCommand>(4));
    FAIL() << "no error";
  } catch (const TesseraError& e) {
    EXPECT_EQ(e.message(), L"Unknown op for Typemount.");
  }
  TRecord record;
  EXPECT_FALSE(session.wait(record, 500));
  EXPECT_TRUE(NewTempFiles().empty());
}

TEST_F(FontCommandsTest, AnUnusableTemporaryFolderIsReported) {
  ProgramCopy program(FontProgram());
  const std::wstring missing = temp.path() + L"no temp\\";
  test::ScopedEnvironment tmp(L"TMP", missing), tempVar(L"TEMP", missing);
  ASSERT_EQ(GetTempFolder(), missing);
  RecordSession session(temp.path() + L"record.txt");
  try {
    InvokeFontCommand({temp.file(L"a.ttf")}, nullptr, fcInstall);
    FAIL() << "no error";
  } catch (const TesseraError& e) {
    EXPECT_EQ(e.message().rfind(L"Cannot create file \"" + missing + L"\". ", 0), 0u) << e.message();
    EXPECT_GT(e.message().size(), missing.size() + 23) << "the system's reason follows";
  }
  TRecord record;
  EXPECT_FALSE(session.wait(record, 500));
}

}  // namespace
}  // namespace tessera
