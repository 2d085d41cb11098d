// The helper's run: its command line, every listed font with its outcome, the summary, the temporary list,
// and the shipped Typemount.exe with its one message box and exit code.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/Handles.h"
#include "base/PathUtils.h"
#include "base/StringUtils.h"
#include "shellutils/SystemUtils.h"
#include "support/FontFixtures.h"
#include "support/InstalledFonts.h"
#include "support/MessageBoxWatcher.h"
#include "support/RealInput.h"
#include "support/TempFolder.h"
#include "support/WindowShot.h"
#include "typemount/Typemount.h"

namespace tessera {
namespace {

using test::TempFolder;

constexpr const wchar_t* kNamePrefix = L"Tessera Run ";
constexpr const wchar_t* kFilePrefix = L"tessera-run";
constexpr const wchar_t* kSans = L"truetype\\dejavu\\DejaVuSans.ttf";

std::wstring ShippedHelper() {
  wchar_t full[MAX_PATH * 4];
  const std::wstring relative = GetModuleFolder() + L"..\\dist\\Typemount.exe";
  DWORD n = ::GetFullPathNameW(relative.c_str(), MAX_PATH * 4, full, nullptr);
  return std::wstring(full, n);
}

class TypemountRun : public ::testing::Test {
protected:
  void SetUp() override { test::RemoveTestFonts(kNamePrefix, kFilePrefix); }
  void TearDown() override { test::RemoveTestFonts(kNamePrefix, kFilePrefix); }

  std::wstring Font(const std::wstring& name, const std::wstring& family) {
    return temp.file(name, test::RenamedFont(test::ReadSystemFont(kSans), kNamePrefix + family, L"Regular"));
  }
  std::wstring List(const std::vector<std::wstring>& files, const std::wstring& name = L"ves1A2B.tmp") {
    return temp.file(name, test::FontListBytes(files));
  }
  TempFolder temp;
};

TEST(TypemountArgs, TakeOneListOneOperationAndTheTemporarySwitch) {
  struct Case {
    std::vector<std::wstring> arguments;
    bool understood;
    TFontOperation operation;
    bool temporary;
  } cases[] = {
      {{L"C:\\t\\ves1.tmp", L"-install", L"-tmp"}, true, foInstall, true},
      {{L"C:\\t\\ves1.tmp", L"-uninstall", L"-tmp"}, true, foUninstall, true},
      {{L"C:\\t\\ves1.tmp", L"-load"}, true, foLoad, false},
      {{L"-TMP", L"-Unload", L"C:\\t\\ves1.tmp"}, true, foUnload, true},
      {{L"C:\\t\\ves1.tmp", L"-tmp"}, false, foInstall, true},
      {{L"-install", L"-tmp"}, false, foInstall, true},
      {{L"C:\\t\\ves1.tmp", L"-install", L"-load"}, false, foLoad, false},
      {{L"C:\\t\\ves1.tmp", L"C:\\t\\ves2.tmp", L"-install"}, false, foInstall, false},
      {{L"C:\\t\\ves1.tmp", L"-install", L"-quiet"}, false, foInstall, false},
      {{L"C:\\t\\ves1.tmp", L"/install"}, false, foInstall, false},
      {{L"", L"-install"}, false, foInstall, false},
      {{}, false, foInstall, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(WideToUtf8(JoinText(c.arguments, L" ")));
    TTypemountArgs args;
    EXPECT_EQ(ParseTypemountArgs(c.arguments, args), c.understood);
    EXPECT_EQ(args.Operation, c.operation);
    EXPECT_EQ(args.TemporaryList, c.temporary);
    if (c.understood) {
      EXPECT_EQ(args.ListFile, L"C:\\t\\ves1.tmp");
    }
  }
}

TEST_F(TypemountRun, DoesEveryListedFontAndReportsEachFailure) {
  const std::wstring a = Font(L"tessera-run a.ttf", L"A");
  const std::wstring b = Font(L"sub folder\\tessera-run b.ttf", L"B");
  const std::wstring missing = temp.path() + L"missing.ttf";
  const std::wstring broken = temp.file(L"broken.ttf", TempFolder::ReadBytes(a).substr(0, 5000));
  const std::wstring text = temp.file(L"read me.txt", "x");
  const std::wstring list = List({a, missing, broken, text, b});

  TTypemountReport report = RunTypemount({list, foInstall, true}, fsUser);
  EXPECT_FALSE(FileExists(list)) << "-tmp: the list goes";
  ASSERT_EQ(report.Fonts.size(), 5u);
  EXPECT_EQ(report.DoneCount(), 2u);
  EXPECT_FALSE(report.Succeeded());
  EXPECT_EQ(SummaryText(report), L"Fonts installed: 2 of 5.\r\n\r\n" + missing + L": The file does not exist\r\n" +
                                     broken + L": Not a usable font: a table lies past the end of the file\r\n" + text +
                                     L": Not a .ttf, .otf or .ttc file");
  std::wstring data;
  EXPECT_TRUE(test::FontValue(HKEY_CURRENT_USER, L"Tessera Run A (TrueType)", data));
  EXPECT_TRUE(test::FontValue(HKEY_CURRENT_USER, L"Tessera Run B (TrueType)", data));

  const std::wstring kept = List({a, b}, L"kept.tmp");
  report = RunTypemount({kept, foUninstall, false}, fsUser);
  EXPECT_TRUE(report.Succeeded());
  EXPECT_EQ(SummaryText(report), L"Fonts uninstalled: 2 of 2.");
  EXPECT_TRUE(FileExists(kept)) << "without -tmp the list stays";
  EXPECT_FALSE(test::FontValue(HKEY_CURRENT_USER, L"Tessera Run A (TrueType)", data));
  EXPECT_FALSE(FileExists(test::UserFontsFolder() + L"tessera-run b.ttf"));
}

TEST_F(TypemountRun, TheTemporaryListGoesOnSuccessAndOnFailure) {
  const std::wstring font = Font(L"tessera-run session.ttf", L"Session");
  struct Case {
    const char* what;
    std::string bytes;
    TFontOperation operation;
    bool succeeded;
    std::wstring summaryStart;
  } cases[] = {
      {"success", test::FontListBytes({font}), foLoad, true, L"Fonts loaded: 1 of 1."},
      {"the font fails", test::FontListBytes({font}), foUnload, false, L"Fonts unloaded: 0 of 1.\r\n\r\n" + font},
      {"a list without byte-order mark", WideToUtf8(font + L"\r\n"), foLoad, false, L"The font list \""},
      {"an empty list", test::FontListBytes({}), foLoad, false, L"The font list \""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    const std::wstring list = temp.file(L"ves77.tmp", c.bytes);
    const TTypemountReport report = RunTypemount({list, c.operation, true}, fsUser);
    EXPECT_EQ(report.Succeeded(), c.succeeded);
    EXPECT_EQ(SummaryText(report).rfind(c.summaryStart, 0), 0u) << WideToUtf8(SummaryText(report));
    EXPECT_FALSE(FileExists(list));
    if (c.operation == foLoad && c.succeeded) ::RemoveFontResourceExW(font.c_str(), 0, nullptr);
  }
  // A list that is not there: nothing to delete, reported.
  const TTypemountReport gone = RunTypemount({temp.path() + L"gone.tmp", foLoad, true}, fsUser);
  EXPECT_FALSE(gone.Succeeded());
  EXPECT_EQ(SummaryText(gone).rfind(L"Cannot read the font list \"" + temp.path() + L"gone.tmp\". ", 0), 0u);
}

TEST(TypemountSummary, NamesEachOperationAndAtMostTwentyFailures) {
  const std::pair<TFontOperation, std::wstring> operations[] = {{foInstall, L"Fonts installed: 1 of 1."},
                                                                {foUninstall, L"Fonts uninstalled: 1 of 1."},
                                                                {foLoad, L"Fonts loaded: 1 of 1."},
                                                                {foUnload, L"Fonts unloaded: 1 of 1."}};
  for (const auto& [operation, text] : operations) {
    TTypemountReport report;
    report.Operation = operation;
    report.Fonts = {{L"C:\\a.ttf", L""}};
    EXPECT_TRUE(report.Succeeded());
    EXPECT_EQ(SummaryText(report), text);
  }
  TTypemountReport many;
  many.Operation = foLoad;
  for (int i = 0; i < 25; ++i) many.Fonts.push_back({L"C:\\f" + IntToText(i) + L".ttf", L"Reason " + IntToText(i)});
  many.Fonts.push_back({L"C:\\good.ttf", L""});
  const std::vector<std::wstring> lines = SplitText(SummaryText(many), L"\n", false);
  ASSERT_EQ(lines.size(), 1u + 1u + 20u + 1u);
  EXPECT_EQ(lines[0], L"Fonts loaded: 1 of 26.\r");
  EXPECT_EQ(lines[2], L"C:\\f0.ttf: Reason 0\r");
  EXPECT_EQ(lines[21], L"C:\\f19.ttf: Reason 19\r");
  EXPECT_EQ(lines[22], L"... and 5 more.");

  TTypemountReport fatal;
  fatal.FatalError = L"The font list is broken.";
  EXPECT_FALSE(fatal.Succeeded());
  EXPECT_EQ(SummaryText(fatal), L"The font list is broken.");
  EXPECT_FALSE(TTypemountReport{}.Succeeded()) << "nothing done is no success";
}

// The shipped program, as the font commands start it: its box (read, looked at, closed) and its exit code.
struct THelperRun {
  DWORD ExitCode = 0xFFFFFFFF;
  std::wstring Text;
  test::TIconColours Icon;
};

// This process's token with the Administrators group for deny only, as a user's token is before elevation.
UniqueKernelHandle NotElevatedToken() {
  UniqueKernelHandle token, restricted;
  SID_IDENTIFIER_AUTHORITY ntAuthority = SECURITY_NT_AUTHORITY;
  UniqueSid admins;
  if (!::OpenProcessToken(::GetCurrentProcess(), TOKEN_ALL_ACCESS, token.put()) ||
      !::AllocateAndInitializeSid(&ntAuthority, 2, SECURITY_BUILTIN_DOMAIN_RID, DOMAIN_ALIAS_RID_ADMINS, 0, 0, 0, 0, 0,
                                  0, admins.put()))
    return {};
  SID_AND_ATTRIBUTES disabled{admins.get(), 0};
  if (!::CreateRestrictedToken(token.get(), 0, 1, &disabled, 0, nullptr, 0, nullptr, restricted.put())) return {};
  return restricted;
}

// Runs the shipped helper (with token: as that user), looks at its box, closes it and waits for its end.
THelperRun RunHelper(const std::wstring& arguments, const std::wstring& shotFile = L"", HANDLE token = nullptr) {
  THelperRun run;
  std::wstring commandLine = L"\"" + ShippedHelper() + L"\" " + arguments;
  STARTUPINFOW startup{};
  startup.cb = sizeof(startup);
  PROCESS_INFORMATION info{};
  const BOOL started = token ? ::CreateProcessAsUserW(token, nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0,
                                                      nullptr, nullptr, &startup, &info)
                             : ::CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                                                nullptr, &startup, &info);
  if (!started) {
    ADD_FAILURE() << "cannot start Typemount.exe";
    return run;
  }
  UniqueKernelHandle process(info.hProcess), thread(info.hThread);
  const HWND box = test::WaitForTopWindow(info.dwProcessId, L"Tessera", 20000, L"#32770");
  if (box) {
    ::Sleep(400);  // painted
    run.Icon = test::IconColours(box);
    if (!shotFile.empty()) {
      EXPECT_TRUE(test::SavePng(test::ShootWindow(box), shotFile));
    }
    test::MessageBoxWatcher watcher(L"Tessera", IDOK, true);
    if (watcher.waitFor(1, 10000)) run.Text = watcher.texts().front();
  } else {
    ADD_FAILURE() << "no summary box";
  }
  if (::WaitForSingleObject(process.get(), 20000) == WAIT_OBJECT_0)
    ::GetExitCodeProcess(process.get(), &run.ExitCode);
  else
    ::TerminateProcess(process.get(), 99);
  return run;
}

TEST_F(TypemountRun, TheProgramShowsOneSummaryBoxAndReturnsItsExitCode) {
  const std::wstring font = Font(L"tessera-run program.ttf", L"Program");
  const std::wstring missing = temp.path() + L"missing font.ttf";
  struct Case {
    const char* what;
    std::string listBytes;
    std::wstring switches;
    DWORD exitCode;
    std::wstring text;  // a start of the box's text
    bool information;
  } cases[] = {
      {"load", test::FontListBytes({font}), L"-load -tmp", 0, L"Fonts loaded: 1 of 1.", true},
      {"install for all users (an administrator)", test::FontListBytes({font}), L"-install -tmp", 0,
       L"Fonts installed: 1 of 1.", true},
      {"install again", test::FontListBytes({font}), L"-install -tmp", 1,
       L"Fonts installed: 0 of 1.\r\n\r\n" + font + L": Already installed as \"Tessera Run Program (TrueType)\"",
       false},
      {"uninstall", test::FontListBytes({font}), L"-uninstall -tmp", 0, L"Fonts uninstalled: 1 of 1.", true},
      {"a missing font", test::FontListBytes({missing}), L"-install -tmp", 1,
       L"Fonts installed: 0 of 1.\r\n\r\n" + missing + L": The file does not exist", false},
      {"no operation", test::FontListBytes({font}), L"-tmp", 1, L"Usage: Typemount.exe \"<font list file>\" -install",
       false},
      {"no byte-order mark", WideToUtf8(font), L"-load -tmp", 1, L"The font list \"", false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    const std::wstring list = temp.file(L"ves list.tmp", c.listBytes);
    const THelperRun run = RunHelper(L"\"" + list + L"\" " + c.switches);
    EXPECT_EQ(run.ExitCode, c.exitCode);
    EXPECT_EQ(run.Text.rfind(c.text, 0), 0u) << WideToUtf8(run.Text);
    ASSERT_TRUE(run.Icon.Found);
    if (c.information) {
      EXPECT_GT(run.Icon.Blue, 20);
      EXPECT_EQ(run.Icon.Red, 0);
    } else {
      EXPECT_GT(run.Icon.Red, 20);
      EXPECT_EQ(run.Icon.Blue, 0);
    }
    EXPECT_FALSE(FileExists(list)) << "-tmp";
  }
  std::wstring data;
  EXPECT_FALSE(test::FontValue(HKEY_LOCAL_MACHINE, L"Tessera Run Program (TrueType)", data));
  EXPECT_FALSE(FileExists(test::MachineFontsFolder() + L"tessera-run program.ttf"));
}

// Started without elevation (Administrators for deny only), the program installs for the current user.
TEST_F(TypemountRun, WithoutElevationTheProgramInstallsForTheCurrentUser) {
  UniqueKernelHandle token = NotElevatedToken();
  ASSERT_TRUE(token);
  const std::wstring font = Font(L"tessera-run mine.ttf", L"Mine");
  const std::wstring copy = test::UserFontsFolder() + L"tessera-run mine.ttf";
  THelperRun run =
      RunHelper(L"\"" + temp.file(L"ves u.tmp", test::FontListBytes({font})) + L"\" -install -tmp", L"", token.get());
  EXPECT_EQ(run.ExitCode, 0u);
  EXPECT_EQ(run.Text, L"Fonts installed: 1 of 1.");
  std::wstring data;
  ASSERT_TRUE(test::FontValue(HKEY_CURRENT_USER, L"Tessera Run Mine (TrueType)", data));
  EXPECT_EQ(data, copy);
  EXPECT_EQ(TempFolder::ReadBytes(copy), TempFolder::ReadBytes(font));
  EXPECT_FALSE(test::FontValue(HKEY_LOCAL_MACHINE, L"Tessera Run Mine (TrueType)", data));
  EXPECT_FALSE(FileExists(test::MachineFontsFolder() + L"tessera-run mine.ttf"));

  run =
      RunHelper(L"\"" + temp.file(L"ves u.tmp", test::FontListBytes({font})) + L"\" -uninstall -tmp", L"", token.get());
  EXPECT_EQ(run.ExitCode, 0u);
  EXPECT_EQ(run.Text, L"Fonts uninstalled: 1 of 1.");
  EXPECT_FALSE(test::FontValue(HKEY_CURRENT_USER, L"Tessera Run Mine (TrueType)", data));
  EXPECT_FALSE(FileExists(copy));
}

// The summary box as a user sees it at 96, 144 and 192 DPI (build/shots), read back at each.
TEST_F(TypemountRun, TheSummaryBoxAtEachDpi) {
  const std::wstring font = Font(L"tessera-run shot.ttf", L"Shot");
  const std::wstring missing = temp.path() + L"A font that is not there.ttf";
  const std::wstring shots = GetModuleFolder() + L"..\\..\\shots\\";
  ::CreateDirectoryW(shots.c_str(), nullptr);
  UniqueRegKey desktop;
  ASSERT_EQ(::RegCreateKeyExW(HKEY_CURRENT_USER, L"Control Panel\\Desktop", 0, nullptr, 0,
                              KEY_QUERY_VALUE | KEY_SET_VALUE, nullptr, desktop.put(), nullptr),
            ERROR_SUCCESS);
  DWORD saved = 0, size = sizeof(saved), type = 0;
  const bool hadValue = ::RegQueryValueExW(desktop.get(), L"LogPixels", nullptr, &type, reinterpret_cast<BYTE*>(&saved),
                                           &size) == ERROR_SUCCESS &&
                        type == REG_DWORD;
  ScopeExit restore([&] {
    if (hadValue)
      ::RegSetValueExW(desktop.get(), L"LogPixels", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&saved), sizeof(saved));
    else
      ::RegDeleteValueW(desktop.get(), L"LogPixels");
  });
  for (DWORD dpi : {96u, 144u, 192u}) {
    SCOPED_TRACE(dpi);
    ASSERT_EQ(
        ::RegSetValueExW(desktop.get(), L"LogPixels", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&dpi), sizeof(dpi)),
        ERROR_SUCCESS);
    const std::wstring list = temp.file(L"ves shot.tmp", test::FontListBytes({font}));
    const THelperRun good =
        RunHelper(L"\"" + list + L"\" -load -tmp", shots + L"typemount-ok-" + IntToText(dpi) + L".png");
    EXPECT_EQ(good.Text, L"Fonts loaded: 1 of 1.");
    // Fonts loaded without FR_PRIVATE belong to the session: the next process unloads the one loaded above.
    const std::wstring failing = temp.file(L"ves shot.tmp", test::FontListBytes({font, missing}));
    const THelperRun bad =
        RunHelper(L"\"" + failing + L"\" -unload -tmp", shots + L"typemount-failed-" + IntToText(dpi) + L".png");
    EXPECT_EQ(bad.Text, L"Fonts unloaded: 1 of 2.\r\n\r\n" + missing + L": The file does not exist");
    EXPECT_GT(bad.Icon.Red, 20);
  }
}

}  // namespace
}  // namespace tessera
