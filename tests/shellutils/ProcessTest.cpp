#include "shellutils/Process.h"

#include "TestHelpers.h"
#include "base/ErrorText.h"
#include "shellutils/SystemUtils.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

namespace tessera {
namespace {

using test::TempFolder;

TEST(RunProcess, WaitsAndReadsTheExitCode) {
  DWORD exitCode = 12345;
  EXPECT_EQ(RunProcess(L"cmd.exe /c exit 7", true, SW_HIDE, exitCode), rpOk);
  EXPECT_EQ(exitCode, 7u);
}

TEST(RunProcess, ForcesEveryShowCommandButShowNormal) {
  const std::wstring helper = L"\"" + test::VersionedHelperPath() + L"\"";
  struct Case {
    int showWindow;
    DWORD reported;  // what the helper saw: 0 = no show command forced, else 1000 + show command
  };
  for (const Case& c : {Case{SW_SHOWNORMAL, 0}, Case{SW_HIDE, 1000 + SW_HIDE}, Case{SW_SHOWMINNOACTIVE, 1000 + SW_SHOWMINNOACTIVE}}) {
    DWORD exitCode = 12345;
    ASSERT_EQ(RunProcess(helper, true, c.showWindow, exitCode), rpOk);
    EXPECT_EQ(exitCode, c.reported) << "show command " << c.showWindow;
  }
}

TEST(RunProcess, RunsInTheGivenCurrentDirectory) {
  TempFolder temp;
  const std::wstring folder = temp.dir(L"work dir");
  DWORD exitCode = 1;
  ASSERT_EQ(RunProcess(L"cmd.exe /c cd > here.txt", true, SW_HIDE, exitCode, folder), rpOk);
  EXPECT_EQ(exitCode, 0u);
  std::string written = TempFolder::ReadBytes(folder + L"\\here.txt");
  EXPECT_NE(written.find("work dir"), std::string::npos) << written;
}

TEST(RunProcess, CreateFailureIsReportedWithItsLastError) {
  TempFolder temp;
  DWORD exitCode = 12345;
  ::SetLastError(0);
  EXPECT_EQ(RunProcess(L"\"" + temp.path() + L"missing.exe\"", true, SW_HIDE, exitCode), rpCreateFailed);
  EXPECT_EQ(exitCode, 0u);
  EXPECT_NE(::GetLastError(), 0u);
  EXPECT_FALSE(LastErrorText().empty());
}

TEST(StartProcess, TrueWhenCreatedEvenIfTheProgramFailsAtOnce) {
  TempFolder temp;
  EXPECT_TRUE(StartProcess(L"cmd.exe /c exit 1"));
  EXPECT_FALSE(StartProcess(L"\"" + temp.path() + L"missing.exe\""));
}

}  // namespace
}  // namespace tessera
