// Explorer's view options (what is written for each state), the shell notifications, and the settings
// launcher.
#include <gtest/gtest.h>

#include "base/Error.h"
#include "base/ErrorText.h"
#include "base/Handles.h"
#include "base/PathUtils.h"
#include "commands/ShellFlags.h"
#include "shellutils/FileUtils.h"
#include "shellutils/SystemUtils.h"
#include "support/StandIns.h"
#include "support/TempFolder.h"

#include <shlobj.h>

#include <string>
#include <utility>

namespace tessera {
namespace {

constexpr DWORD kHidden = SSF_SHOWALLOBJECTS;
constexpr DWORD kSuperHidden = SSF_SHOWSUPERHIDDEN;
constexpr DWORD kExtensions = SSF_SHOWEXTENSIONS;

TShellViewState State(bool allObjects, bool superHidden, bool extensions = false) {
  TShellViewState s;
  s.ShowAllObjects = allObjects;
  s.ShowSuperHidden = superHidden;
  s.ShowExtensions = extensions;
  return s;
}

TEST(ShellFlags, TheHiddenFileCheckMarksShowTheThreeStates) {
  struct Case {
    TShellViewState state;
    bool hidden, superHidden;
  } cases[] = {
      {State(false, false), false, false},
      {State(true, false), true, false},
      {State(true, true), false, true},
      {State(false, true), false, false},  // protected files without hidden ones: neither mark
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.state.ShowAllObjects << "," << c.state.ShowSuperHidden);
    EXPECT_EQ(ShellFlagOf(c.state, kHidden), c.hidden);
    EXPECT_EQ(ShellFlagOf(c.state, kSuperHidden), c.superHidden);
    EXPECT_FALSE(ShellFlagOf(c.state, kExtensions));
  }
  EXPECT_TRUE(ShellFlagOf(State(false, false, true), kExtensions));
  EXPECT_FALSE(ShellFlagOf(State(true, true, true), SSF_SHOWSYSFILES)) << "not one of the three options";
}

// The transition table of the hidden-file setting: state before, and what toggling writes.
TEST(ShellFlags, TogglingTheHiddenFileOptionsFollowsTheStateTable) {
  struct Case {
    TShellViewState before;
    DWORD selector;
    bool allObjects, superHidden;  // written
  } cases[] = {
      {State(false, false), kHidden, true, false},      {State(false, false), kSuperHidden, true, true},
      {State(true, false), kHidden, false, false},      {State(true, false), kSuperHidden, true, true},
      {State(true, true), kHidden, true, false},        {State(true, true), kSuperHidden, false, false},
      {State(false, true), kHidden, true, false},       {State(false, true), kSuperHidden, true, true},
  };
  for (const auto& c : cases) {
    for (bool extensions : {false, true}) {
      TShellViewState before = c.before;
      before.ShowExtensions = extensions;
      SCOPED_TRACE(testing::Message() << "before " << before.ShowAllObjects << "," << before.ShowSuperHidden
                                      << ", toggle " << std::hex << c.selector);
      const TShellViewWrite write = ShellFlagToggle(before, c.selector);
      EXPECT_EQ(write.Mask, static_cast<DWORD>(0x40001));  // both hidden-file members, nothing else
      EXPECT_EQ(write.Values.ShowAllObjects, c.allObjects);
      EXPECT_EQ(write.Values.ShowSuperHidden, c.superHidden);
      EXPECT_FALSE(write.Values.ShowExtensions);
    }
  }
}

TEST(ShellFlags, TogglingExtensionsTwiceRestoresThemAndTouchesNothingElse) {
  for (const TShellViewState& start : {State(true, false, false), State(false, true, true)}) {
    TShellViewState state = start;
    for (int i = 0; i < 2; ++i) {
      const TShellViewWrite write = ShellFlagToggle(state, kExtensions);
      EXPECT_EQ(write.Mask, static_cast<DWORD>(SSF_SHOWEXTENSIONS));
      EXPECT_EQ(write.Values.ShowExtensions, !state.ShowExtensions);
      state.ShowExtensions = write.Values.ShowExtensions;  // what the shell keeps: only the masked member
    }
    EXPECT_EQ(state.ShowExtensions, start.ShowExtensions);
    EXPECT_EQ(state.ShowAllObjects, start.ShowAllObjects);
    EXPECT_EQ(state.ShowSuperHidden, start.ShowSuperHidden);
  }
}

TEST(ShellFlags, OtherSelectorsWriteNothing) {
  for (DWORD selector : {DWORD(0), DWORD(SSF_SHOWSYSFILES), DWORD(0x40003)}) {
    EXPECT_EQ(ShellFlagWrite(selector, true).Mask, 0u);
    EXPECT_EQ(ShellFlagToggle(State(true, true, true), selector).Mask, 0u);
  }
}

// Receives the shell's change notifications of one kind on a window of its own. The shell may send
// them (straight to the window procedure) or post them, so the procedure counts them.
class ShellNotifications {
public:
  explicit ShellNotifications(LONG events) {
    WNDCLASSW wc{};
    wc.lpfnWndProc = Procedure;
    wc.hInstance = ::GetModuleHandleW(nullptr);
    wc.lpszClassName = L"TesseraTestNotifications";
    ::RegisterClassW(&wc);
    FWindow = ::CreateWindowExW(0, wc.lpszClassName, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, wc.hInstance, nullptr);
    ::SetWindowLongPtrW(FWindow, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    SHChangeNotifyEntry entry{nullptr, TRUE};
    FRegistration = ::SHChangeNotifyRegister(FWindow, SHCNRF_ShellLevel | SHCNRF_InterruptLevel, events, kMessage, 1,
                                             &entry);
  }
  ~ShellNotifications() {
    if (FRegistration) ::SHChangeNotifyDeregister(FRegistration);
    ::DestroyWindow(FWindow);
  }
  bool registered() const { return FRegistration != 0; }
  // The notifications since the last call, waiting ms for late ones (a flushed one arrives at once).
  int count(DWORD ms) {
    const ULONGLONG start = ::GetTickCount64();
    while (::GetTickCount64() - start < ms) {
      MSG msg;
      while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) ::DispatchMessageW(&msg);
      ::Sleep(10);
    }
    return std::exchange(FSeen, 0);
  }

private:
  static constexpr UINT kMessage = WM_APP + 7;
  static LRESULT CALLBACK Procedure(HWND hwnd, UINT message, WPARAM wp, LPARAM lp) {
    if (message == kMessage)
      if (auto* self = reinterpret_cast<ShellNotifications*>(::GetWindowLongPtrW(hwnd, GWLP_USERDATA))) ++self->FSeen;
    return ::DefWindowProcW(hwnd, message, wp, lp);
  }
  HWND FWindow = nullptr;
  ULONG FRegistration = 0;
  int FSeen = 0;
};

TEST(ShellFlags, RefreshingIconsAndSettingAnOptionNotifyTheShell) {
  ShellNotifications notifications(SHCNE_ASSOCCHANGED);
  ASSERT_TRUE(notifications.registered());
  notifications.count(200);  // anything already under way

  InvokeRefreshIcons();
  EXPECT_EQ(notifications.count(1000), 1);
  SetShellFlag(kExtensions, GetShellFlag(kExtensions));  // the same value again: only the notification
  EXPECT_EQ(notifications.count(1000), 1);
  SetShellFlag(SSF_SHOWSYSFILES, true);  // not an option of ours: nothing written, nobody told
  EXPECT_EQ(notifications.count(500), 0);
}

TEST(ShellSettingsLauncher, StartsTheConfigurationProgramBesideTheModule) {
  test::TempFolder temp;
  const std::wstring program = GetModuleFolder() + L"TesseraConfig.exe";
  test::ProgramCopy copy(program);
  test::RecordSession session(temp.path() + L"record.txt");
  InvokeShowSettings(nullptr);
  test::TRecord record;
  ASSERT_TRUE(session.wait(record));
  EXPECT_EQ(record.Arguments, 0);
  EXPECT_EQ(record.CommandLine.rfind(L"\"" + program + L"\"", 0), 0u);
}

TEST(ShellSettingsLauncher, AMissingConfigurationProgramIsReported) {
  const std::wstring program = GetModuleFolder() + L"TesseraConfig.exe";
  ASSERT_FALSE(FileExists(program));
  try {
    InvokeShowSettings(nullptr);
    FAIL() << "no error";
  } catch (const TesseraError& e) {
    EXPECT_EQ(e.message(), L"Failed to launch \"" + program + L" \"\r\n\r\n" + ErrorText(ERROR_FILE_NOT_FOUND));
  }
}

}  // namespace
}  // namespace tessera
