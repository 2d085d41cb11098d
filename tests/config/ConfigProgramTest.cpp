// The settings program as a user starts it: a copy of this build's TesseraConfig.exe with the shell-extension
// DLL beside it in a folder with a blank and an accented letter, the user's settings file put in place for
// the test, driven with real mouse and key input; what it writes (the settings file, two registry values),
// what it shows and what it starts are read back.
#include <gtest/gtest.h>

#include <memory>
#include <optional>

#include "base/Handles.h"
#include "base/PathUtils.h"
#include "base/ProductInfo.h"
#include "base/StringUtils.h"
#include "config/BuiltProgram.h"
#include "config/ConfigWindow.h"
#include "config/RegistryStandIn.h"
#include "settings/Globals.h"
#include "settings/Options.h"
#include "shellutils/Clipboard.h"
#include "shellutils/Registry.h"
#include "shellutils/SystemUtils.h"
#include "support/ChildProcess.h"
#include "support/MessageBoxWatcher.h"
#include "support/RealInput.h"
#include "support/SettingsFile.h"
#include "support/StandIns.h"
#include "support/TempFolder.h"
#include "support/WindowSearch.h"

namespace tessera {
namespace {

using test::ChildProcess;

// The More menu's items by position: "Restore default settings...", "Enable/disable shell extension...",
// ["Check for update" only with the update program beside the program], "Copy system info", "Help".
constexpr int kRestoreDefaults = 1;
constexpr int kCopySystemInfo = 3, kHelp = 4;
constexpr int kCheckForUpdateWithIt = 3, kCopySystemInfoWithIt = 4;

const std::wstring kRegistryKey = std::wstring(L"SOFTWARE\\") + kCompanyName + L"\\" + kProductName;

std::string FileBytes(const std::wstring& path) { return test::TempFolder::ReadBytes(path); }

// What the settings program writes for a settings file of content: the same settings, saved.
std::string SavedForm(const std::string& content) {
  test::TempFolder temp;
  const std::wstring path = temp.file(L"Tessera.ini", content);
  TOptions options(path);
  options.Load();
  options.Save();
  return FileBytes(path);
}

// The settings file opened with no sharing: neither the program's reads nor its saves get through.
class LockedFile {
public:
  explicit LockedFile(const std::wstring& path)
      : FFile(::CreateFileW(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr)) {}
  bool locked() const { return static_cast<bool>(FFile); }
  void release() { FFile.reset(); }

private:
  UniqueFileHandle FFile;
};

class ConfigProgram : public ::testing::Test {
protected:
  void SetUp() override {
    FBuiltDll = test::BuiltShellExtDll();
    ASSERT_FALSE(FBuiltDll.empty()) << "build the shell extension (tessera_dist)";
    FParent = FTemp.dir(L"Program Files") + L"\\";
    FFolder = FTemp.dir(L"Program Files\\Tessera Caf\u00e9") + L"\\";
    FProgram = FFolder + L"TesseraConfig.exe";
    FDll = FFolder + ExtractFileName(FBuiltDll);
    ASSERT_TRUE(::CopyFileW(test::BuiltConfigProgram().c_str(), FProgram.c_str(), FALSE)) << "build TesseraConfig";
    ASSERT_TRUE(::CopyFileW(FBuiltDll.c_str(), FDll.c_str(), FALSE));
    FPreviousServer = test::RegisteredServer();
    // Enabled for the DLL beside the program, so that the start-up check opens no dialog.
    ASSERT_EQ(test::RunRegSvr32Silently(FDll, true), 0u);
    FDirValue = std::make_unique<test::RegistryStandIn>(HKEY_CURRENT_USER, kRegistryKey, L"Dir");
    FVersionValue = std::make_unique<test::RegistryStandIn>(HKEY_CURRENT_USER, kRegistryKey, L"Version");
    FDirValue->remove();
    FVersionValue->remove();
  }
  void TearDown() override {
    FRunning.reset();
    if (!test::RegisteredServer().empty()) test::RunRegSvr32Silently(FDll, false);
    if (!FPreviousServer.empty() && FileExists(FPreviousServer)) test::RunRegSvr32Silently(FPreviousServer, true);
  }

  void UseSettings(const std::optional<std::string>& content) { FSettings.emplace(content); }
  const std::wstring& SettingsPath() const { return FSettings->path(); }

  // Starts the program (program: another copy) and waits for its window.
  HWND Start(const std::wstring& program = L"") {
    FRunning = std::make_unique<ChildProcess>(L"\"" + (program.empty() ? FProgram : program) + L"\"", FTemp.path());
    HWND window = test::WaitForTopWindow(FRunning->pid(), GetProgramCaption(), 15000, kConfigWindowClass);
    if (window) ::Sleep(300);  // settled, so that input goes to it
    return window;
  }
  std::optional<DWORD> WaitForExit() { return FRunning->waitForExit(10000); }

  static void Click(HWND window, const std::wstring& caption) {
    HWND control = test::FindChildByText(window, caption);
    ASSERT_NE(control, nullptr) << WideToUtf8(caption);
    test::ClickWindow(control);
  }
  static HWND LinkLabel(HWND window) {
    HWND link = nullptr;
    test::ForEachChildWindow(window, [&](HWND child) {
      wchar_t name[32] = {};
      ::GetClassNameW(child, name, 32);
      if (std::wstring(name) == L"SysLink") link = child;
      return link == nullptr;
    });
    return link;
  }
  // Opens the More menu with a click and chooses the item at position (see below).
  void ChooseMore(HWND window, int position) {
    Click(window, L"&More");
    ASSERT_NE(test::WaitForPopupMenu(FRunning->pid()), nullptr);
    test::ChooseMenuItemAt(position);
  }

  test::TempFolder FTemp;
  std::wstring FBuiltDll, FParent, FFolder, FProgram, FDll, FPreviousServer;
  std::optional<test::ScopedUserSettingsFile> FSettings;
  std::unique_ptr<test::RegistryStandIn> FDirValue, FVersionValue;
  std::unique_ptr<ChildProcess> FRunning;
};

TEST_F(ConfigProgram, OkWithoutChangesRewritesTheFileAndBothRegistryValues) {
  const std::string before = test::SettingsText({"CopyPathState=0", "NoSuchKey=1"});
  UseSettings(before);
  HWND window = Start();
  ASSERT_NE(window, nullptr);
  Click(window, L"O&K");
  EXPECT_EQ(WaitForExit(), std::optional<DWORD>(0));

  EXPECT_EQ(FileBytes(SettingsPath()), SavedForm(before));  // unknown keys go, changed values stay
  EXPECT_EQ(FileBytes(SettingsPath() + L".bak"), before);
  std::wstring folder = FFolder;
  folder.pop_back();
  EXPECT_EQ(ReadRegistryString(HKEY_CURRENT_USER, kRegistryKey, L"Dir", 0), folder);
  EXPECT_EQ(ReadRegistryString(HKEY_CURRENT_USER, kRegistryKey, L"Version", 0), L"2.5.0");
}

TEST_F(ConfigProgram, CancelEscAltF4AndTheCloseButtonLeaveTheFileAsItWas) {
  const std::string before = test::SettingsText({"CopyPathState=0"});
  struct Closer {
    const char* name;
    std::function<void(HWND)> close;
  } closers[] = {
      {"Cancel", [](HWND w) { Click(w, L"&Cancel"); }},
      {"Esc", [](HWND) { test::PressKeys({VK_ESCAPE}); }},
      {"Alt+F4", [](HWND) { test::PressKeys({VK_MENU, VK_F4}); }},
      {"close button", [](HWND w) { ::PostMessageW(w, WM_SYSCOMMAND, SC_CLOSE, 0); }},
  };
  for (const auto& closer : closers) {
    SCOPED_TRACE(closer.name);
    UseSettings(before);
    HWND window = Start();
    ASSERT_NE(window, nullptr);
    test::PressKeys({VK_SPACE});  // an edit of the first option, never saved
    closer.close(window);
    EXPECT_EQ(WaitForExit(), std::optional<DWORD>(0));
    EXPECT_EQ(FileBytes(SettingsPath()), before);
    EXPECT_FALSE(FileExists(SettingsPath() + L".bak"));
    EXPECT_EQ(ReadRegistryString(HKEY_CURRENT_USER, kRegistryKey, L"Version", 0), L"");
  }
}

// Rows of the list as it opens, counted from the first option row ("Copy path", selected at the start).
constexpr int kDownToFileNoteOptions = 3, kDownToResizeOptions = 6, kDownToSandboxOptions = 14;

void PressDown(int times) {
  for (int i = 0; i < times; ++i) {
    test::PressKeys({VK_DOWN});
    ::Sleep(50);  // at a person's pace: each row's editor is in place before the next key
  }
}

// Replaces the text of the focused edit box with text, as a user does: select it all, type over it.
void TypeOver(const std::wstring& text) {
  test::PressKeys({VK_HOME});
  test::PressKeys({VK_SHIFT, VK_END});
  test::TypeText(text);
}

TEST_F(ConfigProgram, EditsInTheListAreSavedByApplyAndTheWindowStaysOpen) {
  UseSettings(std::nullopt);
  HWND window = Start();
  ASSERT_NE(window, nullptr);
  // The first option takes the keys at once: Space steps "Copy path" to its next state.
  test::PressKeys({VK_SPACE});
  Click(window, L"&Apply");
  ASSERT_TRUE(test::WaitUntil([&] { return FileExists(SettingsPath()); }));
  EXPECT_EQ(FileBytes(SettingsPath()), SavedForm(test::SettingsText({"CopyPathState=2"})));
  EXPECT_TRUE(::IsWindow(window));

  // A value typed and not yet committed is saved by the click on Apply. The label's mnemonic takes the user
  // back to the list (its selected row's edit box).
  test::PressKeys({VK_MENU, 'S'});
  PressDown(kDownToFileNoteOptions);
  test::PressKeys({VK_RIGHT});  // unfold the group
  PressDown(1);                 // "Editor command line"
  TypeOver(L"wordpad.exe \"%file%\"");
  Click(window, L"&Apply");
  ASSERT_TRUE(test::WaitUntil([&] { return FileBytes(SettingsPath()).find("wordpad") != std::string::npos; }));
  EXPECT_EQ(FileBytes(SettingsPath()),
            SavedForm(test::SettingsText({"CopyPathState=2", "FileNoteCmdLine=wordpad.exe \"%file%\""})));
  Click(window, L"&Cancel");
  EXPECT_EQ(WaitForExit(), std::optional<DWORD>(0));
}

TEST_F(ConfigProgram, AnInvalidImageSizeIsNamedAndTheTextStaysAsEntered) {
  UseSettings(std::nullopt);
  HWND window = Start();
  ASSERT_NE(window, nullptr);
  PressDown(kDownToResizeOptions);
  test::PressKeys({VK_RIGHT});
  PressDown(2);  // "Images sizes"
  test::MessageBoxWatcher boxes(kProductName, IDOK, true);
  TypeOver(L"800x600;1024 x 768");
  test::PressKeys({VK_RETURN});  // commits; the window stays open (no default button)
  ASSERT_TRUE(boxes.waitFor(1));
  EXPECT_EQ(boxes.texts()[0],
            L"Value \"1024 x 768\" is not valid image size. Specify list of sizes separated by semicolons, "
            L"like:\r\n\r\n2560x1440;1200x600;1024x768");
  // Only ";" stands for the default sizes: no warning.
  TypeOver(L";");
  test::PressKeys({VK_RETURN});
  ::Sleep(500);
  EXPECT_EQ(boxes.texts().size(), 1u);
  TypeOver(L"800x600;1024 x 768");
  test::PressKeys({VK_RETURN});
  ASSERT_TRUE(boxes.waitFor(2));
  Click(window, L"O&K");
  EXPECT_EQ(WaitForExit(), std::optional<DWORD>(0));
  EXPECT_NE(FileBytes(SettingsPath()).find("ResizeImageSizes=800x600;1024 x 768\r\n"), std::string::npos);
}

TEST_F(ConfigProgram, TheTemplateFileDialogStoresTheChosenPath) {
  UseSettings(std::nullopt);
  const std::wstring chosen = FTemp.file(L"Templates\\My sandbox.wsb", "<Configuration/>");
  HWND window = Start();
  ASSERT_NE(window, nullptr);
  PressDown(kDownToSandboxOptions);
  test::PressKeys({VK_RIGHT});
  PressDown(2);  // "Configuration file template", whose value has an edit button
  HWND edit = test::FocusedWindowOf(window);
  ASSERT_NE(edit, nullptr);
  EXPECT_EQ(test::WindowText(edit), L"SandboxConfig.txt");
  RECT r{};
  ::GetClientRect(edit, &r);
  test::ClickAt(edit, POINT{r.right / 2, r.bottom / 2}, test::TMouseButton::Left, true);  // runs the edit action
  HWND dialog = test::WaitForTopWindow(FRunning->pid(), L"Open", 10000, L"#32770");
  ASSERT_NE(dialog, nullptr);
  ::Sleep(500);
  test::TypeText(chosen);
  test::PressKeys({VK_RETURN});
  ASSERT_TRUE(test::WaitUntil([&] { return !::IsWindow(dialog); }));
  EXPECT_TRUE(test::WaitUntil([&] { return test::WindowText(test::FocusedWindowOf(window)) == chosen; }, 5000))
      << WideToUtf8(test::WindowText(test::FocusedWindowOf(window)));
  Click(window, L"O&K");
  EXPECT_EQ(WaitForExit(), std::optional<DWORD>(0));
  EXPECT_NE(FileBytes(SettingsPath()).find("SandboxTemplateFile=" + WideToUtf8(chosen) + "\r\n"), std::string::npos)
      << FileBytes(SettingsPath());
}

TEST_F(ConfigProgram, EnterPressesNoButton) {
  UseSettings(test::SettingsText({"CopyPathState=0"}));
  HWND window = Start();
  ASSERT_NE(window, nullptr);
  test::PressKeys({VK_RETURN});
  ::Sleep(300);
  EXPECT_TRUE(::IsWindow(window));
  EXPECT_FALSE(FileExists(SettingsPath() + L".bak"));  // nothing saved
  test::PressKeys({VK_ESCAPE});
  EXPECT_EQ(WaitForExit(), std::optional<DWORD>(0));
}

TEST_F(ConfigProgram, TabWalksTheControlsInOrderAndEscClosesFromThePopupToo) {
  UseSettings(std::nullopt);
  HWND window = Start();
  ASSERT_NE(window, nullptr);
  // The option list's edit box has the focus at the start; Tab goes on to More, OK, Cancel, Apply, the link.
  HWND start = test::FocusedWindowOf(window);
  ASSERT_NE(start, nullptr);
  EXPECT_TRUE(::IsChild(window, start));
  std::vector<std::wstring> walk;
  for (int i = 0; i < 5; ++i) {
    test::PressKeys({VK_TAB});
    ::Sleep(50);
    HWND focus = test::FocusedWindowOf(window);
    walk.push_back(focus == LinkLabel(window) ? L"link" : test::WindowText(focus));
  }
  EXPECT_EQ(walk, (std::vector<std::wstring>{L"&More", L"O&K", L"&Cancel", L"&Apply", L"link"}));
  // Back into the list with its label's mnemonic; Ctrl+Down opens the popup of the selected option, and Esc
  // there closes the window without saving.
  test::PressKeys({VK_MENU, 'S'});
  ::Sleep(100);
  test::PressKeys({VK_CONTROL, VK_DOWN});
  ::Sleep(300);
  test::PressKeys({VK_ESCAPE});
  EXPECT_EQ(WaitForExit(), std::optional<DWORD>(0));
  EXPECT_FALSE(FileExists(SettingsPath()));
}

TEST_F(ConfigProgram, ADamagedSettingsFileStillOpensTheWindow) {
  std::string noise;
  for (int i = 0; i < 4000; ++i) noise += static_cast<char>((i * 7919 + 13) % 256);
  UseSettings(noise);
  test::MessageBoxWatcher boxes(kProductName, IDOK, true);
  HWND window = Start();
  ASSERT_NE(window, nullptr);
  EXPECT_TRUE(boxes.texts().empty());  // what cannot be read as settings is the defaults, without a word
  Click(window, L"&Cancel");
  EXPECT_EQ(WaitForExit(), std::optional<DWORD>(0));
}

TEST_F(ConfigProgram, AnUnreadableSettingsFileIsReportedAndTheWindowOpensAllTheSame) {
  UseSettings(test::SettingsText({"CopyPathState=0"}));
  LockedFile lock(SettingsPath());
  ASSERT_TRUE(lock.locked());
  test::MessageBoxWatcher boxes(kProductName, IDOK, true);
  HWND window = Start();
  ASSERT_NE(window, nullptr);
  ASSERT_TRUE(boxes.waitFor(1));
  EXPECT_NE(boxes.texts()[0].find(L"Cannot read the file"), std::wstring::npos) << WideToUtf8(boxes.texts()[0]);
  lock.release();
  Click(window, L"&Cancel");
  EXPECT_EQ(WaitForExit(), std::optional<DWORD>(0));
}

TEST_F(ConfigProgram, OkWhoseSaveFailsKeepsTheWindowAndItsEditsOpen) {
  const std::string before = test::SettingsText({"CopyPathState=0"});
  UseSettings(before);
  HWND window = Start();
  ASSERT_NE(window, nullptr);
  test::MessageBoxWatcher boxes(kProductName, IDOK, true);
  {
    LockedFile lock(SettingsPath());
    ASSERT_TRUE(lock.locked());
    Click(window, L"O&K");
    ASSERT_TRUE(boxes.waitFor(1, 15000));
    EXPECT_NE(boxes.texts()[0].find(SettingsPath()), std::wstring::npos) << WideToUtf8(boxes.texts()[0]);
    ::Sleep(300);
    EXPECT_TRUE(::IsWindow(window)) << "the window closed and the edits were lost";
  }
  EXPECT_EQ(FileBytes(SettingsPath()), before);
  // With the file free again OK saves and closes.
  Click(window, L"O&K");
  EXPECT_EQ(WaitForExit(), std::optional<DWORD>(0));
  EXPECT_EQ(FileBytes(SettingsPath()), SavedForm(before));
}

TEST_F(ConfigProgram, ASecondStartBringsTheFirstForwardAndEnds) {
  UseSettings(std::nullopt);
  HWND window = Start();
  ASSERT_NE(window, nullptr);
  auto windowsOfTheClass = [] {
    int n = 0;
    test::ForEachWindow([&](HWND w) {
      wchar_t name[64] = {};
      ::GetClassNameW(w, name, 64);
      if (std::wstring(name) == kConfigWindowClass) ++n;
      return true;
    });
    return n;
  };

  // Minimized: restored.
  ::ShowWindow(window, SW_MINIMIZE);
  ASSERT_TRUE(test::WaitUntil([&] { return ::IsIconic(window) != FALSE; }, 5000));
  EXPECT_EQ(test::RunToEnd(L"\"" + FProgram + L"\"", 15000), std::optional<DWORD>(0));
  EXPECT_TRUE(test::WaitUntil([&] { return !::IsIconic(window); }, 5000));
  EXPECT_EQ(windowsOfTheClass(), 1);

  // Behind another window: brought to the front.
  EXPECT_EQ(test::RunToEnd(L"\"" + FProgram + L"\"", 15000), std::optional<DWORD>(0));
  EXPECT_TRUE(test::WaitUntil([&] { return ::GetForegroundWindow() == window; }, 5000));
  EXPECT_EQ(windowsOfTheClass(), 1);

  Click(window, L"&Cancel");
  EXPECT_EQ(WaitForExit(), std::optional<DWORD>(0));
}

TEST_F(ConfigProgram, RestoreDefaultsAskesFirstAndOnlyApplySavesIt) {
  const std::string before = test::SettingsText({"CopyPathState=0", "SandboxState=1"});
  for (int answer : {IDNO, IDYES}) {
    SCOPED_TRACE(answer == IDYES ? "Yes" : "No");
    UseSettings(before);
    HWND window = Start();
    ASSERT_NE(window, nullptr);
    test::MessageBoxWatcher boxes(kProductName, answer, true);
    ChooseMore(window, kRestoreDefaults);
    ASSERT_TRUE(boxes.waitFor(1));
    EXPECT_EQ(boxes.texts()[0],
              L"Restore default values for all settings?\r\n\r\nNote: You can right-click a setting to load default "
              L"value for just that one setting only.");
    ::Sleep(200);
    EXPECT_EQ(FileBytes(SettingsPath()), before);  // only Apply or OK writes
    Click(window, L"&Apply");
    ASSERT_TRUE(test::WaitUntil([&] { return FileExists(SettingsPath() + L".bak"); }));
    EXPECT_EQ(FileBytes(SettingsPath()), answer == IDYES ? SavedForm(std::string()) : SavedForm(before));
    Click(window, L"&Cancel");
    EXPECT_EQ(WaitForExit(), std::optional<DWORD>(0));
    ::DeleteFileW((SettingsPath() + L".bak").c_str());
  }
}

TEST_F(ConfigProgram, CopySystemInfoPutsTheSectionsAndTheChangedSettingsOnTheClipboard) {
  UseSettings(test::SettingsText({"CopyPathState=0", "FileNoteHideNote=1"}));
  HWND window = Start();
  ASSERT_NE(window, nullptr);
  ASSERT_TRUE(CopyTextToClipboard(L"before"));
  ChooseMore(window, kCopySystemInfo);
  std::wstring text;
  ASSERT_TRUE(test::WaitUntil([&] {
    return ReadClipboardText(text) && text != L"before" && !text.empty();
  }, 15000));
  size_t at = 0;
  for (const wchar_t* header : {L"[Application]\r\n", L"[Operating system]\r\n", L"[Hardware]\r\n", L"[Drives]\r\n",
                                L"[Settings]\r\n"}) {
    const size_t found = text.find(header, at);
    ASSERT_NE(found, std::wstring::npos) << WideToUtf8(header) << " after " << at << " in\n" << WideToUtf8(text);
    at = found;
  }
  EXPECT_EQ(text.find(L"[Printers]"), std::wstring::npos);
  EXPECT_NE(text.find(GetProgramCaption()), std::wstring::npos);
  EXPECT_NE(text.find(FProgram), std::wstring::npos);
  EXPECT_NE(text.find(L"\r\nTypemount.exe (not found)\r\n"), std::wstring::npos);  // named where it is missing
  EXPECT_EQ(text.substr(at), L"[Settings]\r\nCopyPathState=Don't show\r\nFileNoteHideNote=Yes\r\n");
  Click(window, L"&Cancel");
  EXPECT_EQ(WaitForExit(), std::optional<DWORD>(0));
}

TEST_F(ConfigProgram, TheUpdateProgramIsOfferedOnlyBesideTheProgramAndStartedByItsQuotedPath) {
  UseSettings(std::nullopt);
  auto systemInfoArrives = [] {
    std::wstring text;
    return test::WaitUntil([&] { return ReadClipboardText(text) && text.find(L"[Settings]") != std::wstring::npos; },
                           15000);
  };
  // Without it: the third item is "Copy system info", and the silent start at start-up shows nothing.
  {
    test::MessageBoxWatcher boxes(kProductName, IDOK, true);
    HWND window = Start();
    ASSERT_NE(window, nullptr);
    ::Sleep(1000);  // past the start-up checks
    ASSERT_TRUE(CopyTextToClipboard(L"before"));
    ChooseMore(window, kCopySystemInfo);
    EXPECT_TRUE(systemInfoArrives());
    EXPECT_TRUE(boxes.texts().empty());
    Click(window, L"&Cancel");
    EXPECT_EQ(WaitForExit(), std::optional<DWORD>(0));
  }
  // With it: started silently at start-up, and with "/checknow" from the menu's third item, always by its
  // quoted path: a program at the path's first or second blank must never run.
  test::ProgramCopy renewer(FFolder + L"Renewer.exe");
  test::ProgramCopy plantAtFirstBlank(FTemp.path() + L"Program.exe");
  test::ProgramCopy plantAtSecondBlank(FParent + L"Tessera.exe");
  test::RecordSession session(FTemp.path() + L"renewer.record");
  HWND window = Start();
  ASSERT_NE(window, nullptr);
  test::TRecord record;
  ASSERT_TRUE(session.wait(record));
  EXPECT_EQ(record.CommandLine, L"\"" + FFolder + L"Renewer.exe\"");
  ::DeleteFileW(session.file().c_str());

  ChooseMore(window, kCheckForUpdateWithIt);
  ASSERT_TRUE(session.wait(record));
  EXPECT_EQ(record.CommandLine, L"\"" + FFolder + L"Renewer.exe\" /checknow");
  ASSERT_TRUE(CopyTextToClipboard(L"before"));
  ChooseMore(window, kCopySystemInfoWithIt);
  EXPECT_TRUE(systemInfoArrives());
  Click(window, L"&Cancel");
  EXPECT_EQ(WaitForExit(), std::optional<DWORD>(0));
}

TEST_F(ConfigProgram, AnUpdateProgramThatCannotStartIsReportedOnlyWhenAskedFor) {
  UseSettings(std::nullopt);
  // No program, though it has the name: the silent start at start-up says nothing, the menu's says why.
  FTemp.file(L"Program Files\\Tessera Caf\u00e9\\Renewer.exe", "not a program");
  test::MessageBoxWatcher boxes(kProductName, IDOK, true);
  HWND window = Start();
  ASSERT_NE(window, nullptr);
  ::Sleep(1000);  // past the start-up checks
  EXPECT_TRUE(boxes.texts().empty());
  ChooseMore(window, kCheckForUpdateWithIt);
  ASSERT_TRUE(boxes.waitFor(1));
  EXPECT_EQ(boxes.texts()[0].rfind(L"System Error.  Code: ", 0), 0u) << WideToUtf8(boxes.texts()[0]);
  Click(window, L"&Cancel");
  EXPECT_EQ(WaitForExit(), std::optional<DWORD>(0));
}

TEST_F(ConfigProgram, HelpF1AndTheLinkOpenTheirPagesInTheBrowser) {
  UseSettings(std::nullopt);
  // The browser: whatever opens https addresses; here the recorder.
  test::RegistryStandIn browser(HKEY_CLASSES_ROOT, L"https\\shell\\open\\command", L"");
  browser.setString(L"\"" + test::RecorderExe() + L"\" \"%1\"");
  test::RecordSession session(FTemp.path() + L"browser.record");
  HWND window = Start();
  ASSERT_NE(window, nullptr);
  struct Way {
    const char* name;
    std::function<void()> open;
    const wchar_t* page;
  } ways[] = {
      {"F1 in the option list", [] { test::PressKeys({VK_F1}); }, L"https://tessera.example/help/"},
      {"Help", [&] { ChooseMore(window, kHelp); }, L"https://tessera.example/help/"},
      {"the link", [&] { test::ClickWindow(LinkLabel(window)); }, L"https://tessera.example/"},
  };
  for (const auto& way : ways) {
    SCOPED_TRACE(way.name);
    ::DeleteFileW(session.file().c_str());
    way.open();
    test::TRecord record;
    ASSERT_TRUE(session.wait(record));
    EXPECT_NE(record.CommandLine.find(way.page), std::wstring::npos) << WideToUtf8(record.CommandLine);
    // The browser took the foreground; the user comes back to the window.
    ::Sleep(300);
    ::SetForegroundWindow(window);
    ASSERT_TRUE(test::WaitUntil([&] { return ::GetForegroundWindow() == window; }, 5000));
  }
  Click(window, L"&Cancel");
  EXPECT_EQ(WaitForExit(), std::optional<DWORD>(0));
}

TEST_F(ConfigProgram, StartUpOpensTheEnableDialogOnlyWhenTheDllBesideItIsNotRegistered) {
  UseSettings(std::nullopt);
  for (bool registered : {true, false}) {
    SCOPED_TRACE(registered ? "registered" : "not registered");
    if (!registered) {
      ASSERT_EQ(test::RunRegSvr32Silently(FDll, false), 0u);
    }
    HWND window = Start();
    ASSERT_NE(window, nullptr);
    HWND dialog = test::WaitForTopWindow(FRunning->pid(), L"Enable/disable shell extension", 3000, L"#32770");
    EXPECT_EQ(dialog != nullptr, !registered);
    if (dialog) {
      EXPECT_EQ(::GetWindow(dialog, GW_OWNER), window);
      Click(dialog, L"Close");
      ASSERT_TRUE(test::WaitUntil([&] { return !::IsWindow(dialog); }));
    }
    Click(window, L"&Cancel");
    EXPECT_EQ(WaitForExit(), std::optional<DWORD>(0));
  }
}

TEST_F(ConfigProgram, WarnsOnceOnWindowsOlderThanSeven) {
  UseSettings(std::nullopt);
  // The prefix reports Windows Vista to a program of this name.
  const std::wstring name = L"TesseraConfigVista.exe";
  test::RegistryStandIn version(HKEY_CURRENT_USER, L"Software\\Wine\\AppDefaults\\" + name, L"Version");
  version.setString(L"vista");
  const std::wstring program = FFolder + name;
  ASSERT_TRUE(::CopyFileW(FProgram.c_str(), program.c_str(), FALSE));
  test::MessageBoxWatcher boxes(kProductName, IDOK, true);
  HWND window = Start(program);
  ASSERT_NE(window, nullptr);
  ASSERT_TRUE(boxes.waitFor(1));
  EXPECT_EQ(boxes.texts()[0],
            L"This version of Tessera may not work properly with your outdated Windows version. You may find a legacy "
            L"version of Tessera at tessera.example");
  ::Sleep(500);
  EXPECT_EQ(boxes.texts().size(), 1u);
  Click(window, L"&Cancel");
  EXPECT_EQ(WaitForExit(), std::optional<DWORD>(0));
}

}  // namespace
}  // namespace tessera
