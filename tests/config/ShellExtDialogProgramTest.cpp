// The enable/disable dialog as the settings program shows it: a stand-in program (regdialog.exe, the
// program's manifest, the dialog over a main window) is copied beside a copy of the shell-extension DLL and
// driven with real mouse and key input; the real regsvr32.exe of the system does the registering.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <optional>

#include "base/Handles.h"
#include "base/PathUtils.h"
#include "base/StringUtils.h"
#include "config/BuiltProgram.h"
#include "config/NetworkDrive.h"
#include "config/RegisterShellExtDialog.h"
#include "config/RegistryStandIn.h"
#include "config/ShellExtRegistration.h"
#include "shellutils/Registry.h"
#include "shellutils/SystemUtils.h"
#include "support/ChildProcess.h"
#include "support/MessageBoxWatcher.h"
#include "support/RealInput.h"
#include "support/TempFolder.h"

namespace tessera {
namespace {

using test::ChildProcess;

constexpr wchar_t kCaption[] = L"Enable/disable shell extension";
constexpr DWORD kEnabled = 10, kNotEnabled = 20;  // regdialog.exe --enabled

using test::BuiltShellExtDll;
using test::RegisteredServer;
using test::RunRegSvr32Silently;

std::wstring ServerKey() { return std::wstring(L"CLSID\\") + ShellExtClassId() + L"\\InprocServer32"; }

// Swaps the case of the ASCII letters (and, with alsoOthers, of a few others) of the registered path.
std::wstring SwapCase(std::wstring text, bool alsoOthers) {
  for (wchar_t& c : text) {
    if (c >= L'a' && c <= L'z') c = AsciiUpper(c);
    else if (c >= L'A' && c <= L'Z') c = AsciiLower(c);
    else if (alsoOthers && c == L'\u00e9') c = L'\u00c9';
  }
  return text;
}

// Where regsvr32 put the class: per user when it ran without administrator rights, else for the machine.
void RewriteRegisteredServer(const std::wstring& path) {
  const std::wstring perUser = L"Software\\Classes\\" + ServerKey();
  HKEY root = ReadRegistryString(HKEY_CURRENT_USER, perUser, L"", KEY_WOW64_64KEY).empty() ? HKEY_CLASSES_ROOT
                                                                                            : HKEY_CURRENT_USER;
  const std::wstring key = root == HKEY_CURRENT_USER ? perUser : ServerKey();
  UniqueRegKey k;
  ASSERT_EQ(::RegOpenKeyExW(root, key.c_str(), 0, KEY_SET_VALUE | KEY_WOW64_64KEY, k.put()), ERROR_SUCCESS);
  ASSERT_EQ(::RegSetValueExW(k.get(), nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(path.c_str()),
                             static_cast<DWORD>((path.size() + 1) * sizeof(wchar_t))),
            ERROR_SUCCESS);
}

class DialogOfTheProgram : public ::testing::Test {
protected:
  void SetUp() override {
    FBuiltDll = BuiltShellExtDll();
    ASSERT_FALSE(FBuiltDll.empty()) << "build the shell extension (tessera_dist)";
    // A folder with a blank and a letter beyond ASCII, as installations have.
    FFolder = FTemp.dir(L"Program Files\\Tessera Caf\u00e9") + L"\\";
    FWorkFolder = FTemp.dir(L"Current Folder") + L"\\";
    FProgram = FFolder + L"regdialog.exe";
    FDll = FFolder + ShellExtDllName();
    ASSERT_TRUE(::CopyFileW((GetModuleFolder() + L"helpers\\regdialog.exe").c_str(), FProgram.c_str(), FALSE))
        << "build tessera_regdialog";
    ASSERT_TRUE(::CopyFileW(FBuiltDll.c_str(), FDll.c_str(), FALSE));
    // The registration there was before the test is put back afterwards.
    FPreviousServer = RegisteredServer();
  }
  void TearDown() override {
    if (!RegisteredServer().empty()) RunRegSvr32Silently(FDll, false);
    if (!FPreviousServer.empty() && FileExists(FPreviousServer)) RunRegSvr32Silently(FPreviousServer, true);
  }

  DWORD EnabledAccordingToTheProgram() {
    auto code = test::RunToEnd(L"\"" + FProgram + L"\" --enabled", 30000, FWorkFolder);
    return code ? *code : 0xFFFFFFFF;
  }
  // Starts the program and waits for its dialog.
  HWND Open(std::unique_ptr<ChildProcess>& program, const wchar_t* options = L"") {
    program = std::make_unique<ChildProcess>(L"\"" + FProgram + L"\"" + options, FWorkFolder);
    HWND dialog = test::WaitForTopWindow(program->pid(), kCaption, 15000, L"#32770");
    if (dialog) ::Sleep(200);  // settled, so that input goes to it
    return dialog;
  }
  static void Click(HWND dialog, const std::wstring& caption) {
    HWND button = test::FindChildByText(dialog, caption);
    ASSERT_NE(button, nullptr) << WideToUtf8(caption);
    test::ClickWindow(button);
  }

  test::TempFolder FTemp;
  std::wstring FBuiltDll, FFolder, FWorkFolder, FProgram, FDll, FPreviousServer;
};

TEST_F(DialogOfTheProgram, EnablesAndDisablesTheDllBesideItThroughRegsvr32) {
  RunRegSvr32Silently(FDll, false);
  ASSERT_EQ(RegisteredServer(), L"");
  EXPECT_EQ(EnabledAccordingToTheProgram(), kNotEnabled);

  // A program named regsvr32.exe in the program's folder and in the current folder must never be run.
  const std::wstring recorder = GetModuleFolder() + L"helpers\\recorder.exe";
  const std::wstring plants[] = {FFolder + L"regsvr32.exe", FWorkFolder + L"regsvr32.exe"};
  for (const auto& plant : plants) ASSERT_TRUE(::CopyFileW(recorder.c_str(), plant.c_str(), FALSE));

  std::unique_ptr<ChildProcess> program;
  HWND dialog = Open(program);
  ASSERT_NE(dialog, nullptr);

  // For the current user.
  Click(dialog, L"Enable for current user");
  EXPECT_TRUE(test::WaitUntil([&] { return IsServerRegisteredAs(ShellExtClassId(), FDll, true); }, 20000))
      << WideToUtf8(RegisteredServer());
  EXPECT_EQ(EnabledAccordingToTheProgram(), kEnabled);

  // The same path in other ASCII case still counts; another character in other case does not.
  RewriteRegisteredServer(SwapCase(FDll, false));
  EXPECT_EQ(EnabledAccordingToTheProgram(), kEnabled);
  RewriteRegisteredServer(SwapCase(FDll, true));
  EXPECT_EQ(EnabledAccordingToTheProgram(), kNotEnabled);
  RewriteRegisteredServer(FDll);

  Click(dialog, L"Disable for current user");
  EXPECT_TRUE(test::WaitUntil([&] { return RegisteredServer().empty(); }, 20000)) << WideToUtf8(RegisteredServer());
  EXPECT_EQ(EnabledAccordingToTheProgram(), kNotEnabled);

  // For all users: the tool runs elevated ("runas").
  Click(dialog, L"  Enable for all users");
  EXPECT_TRUE(test::WaitUntil([&] { return IsServerRegisteredAs(ShellExtClassId(), FDll, true); }, 20000));
  EXPECT_EQ(EnabledAccordingToTheProgram(), kEnabled);
  Click(dialog, L"  Disable for all users");
  EXPECT_TRUE(test::WaitUntil([&] { return RegisteredServer().empty(); }, 20000));
  EXPECT_EQ(EnabledAccordingToTheProgram(), kNotEnabled);

  // The dialog stays open until it is closed.
  EXPECT_TRUE(::IsWindow(dialog));
  Click(dialog, L"Close");
  EXPECT_EQ(program->waitForExit(10000), std::optional<DWORD>(0));

  // regsvr32.exe beside the program or in the current folder never ran: the registrations above were the
  // system's tool's.
  for (const auto& plant : plants) EXPECT_FALSE(FileExists(plant + L".record")) << WideToUtf8(plant) << " ran";
  EXPECT_EQ(RegisteredServer(), L"");
}

TEST_F(DialogOfTheProgram, ARegistrationOfAnotherFolderDoesNotCount) {
  ASSERT_EQ(RunRegSvr32Silently(FBuiltDll, true), 0u);
  EXPECT_TRUE(IsServerRegisteredAs(ShellExtClassId(), FBuiltDll, true));
  EXPECT_EQ(EnabledAccordingToTheProgram(), kNotEnabled);
  ASSERT_EQ(RunRegSvr32Silently(FDll, true), 0u);
  EXPECT_EQ(EnabledAccordingToTheProgram(), kEnabled);
}

TEST_F(DialogOfTheProgram, EscCloseAndAltF4CloseIt) {
  const std::vector<std::function<void(HWND)>> closers = {
      [](HWND d) {
        ::SetForegroundWindow(d);
        test::PressKeys({VK_ESCAPE});
      },
      [](HWND d) { Click(d, L"Close"); },
      [](HWND d) {
        ::SetForegroundWindow(d);
        test::PressKeys({VK_MENU, VK_F4});
      },
  };
  for (size_t i = 0; i < closers.size(); ++i) {
    SCOPED_TRACE(i);
    std::unique_ptr<ChildProcess> program;
    HWND dialog = Open(program);
    ASSERT_NE(dialog, nullptr);
    closers[i](dialog);
    EXPECT_EQ(program->waitForExit(10000), std::optional<DWORD>(0));
  }
}

TEST_F(DialogOfTheProgram, TabWalksCloseThenTheButtonsDownwards) {
  std::unique_ptr<ChildProcess> program;
  HWND dialog = Open(program);
  ASSERT_NE(dialog, nullptr);
  ::SetForegroundWindow(dialog);
  const wchar_t* order[] = {L"Close", L"Enable for current user", L"  Enable for all users", L"Disable for current user",
                            L"  Disable for all users", L"Close"};
  EXPECT_EQ(test::WindowText(test::FocusedWindowOf(dialog)), order[0]);
  for (size_t i = 1; i < std::size(order); ++i) {
    test::PressKeys({VK_TAB});
    EXPECT_TRUE(test::WaitUntil([&] { return test::WindowText(test::FocusedWindowOf(dialog)) == order[i]; }, 3000))
        << WideToUtf8(order[i]);
  }
  test::PressKeys({VK_SHIFT, VK_TAB});
  EXPECT_TRUE(test::WaitUntil(
      [&] { return test::WindowText(test::FocusedWindowOf(dialog)) == L"  Disable for all users"; }, 3000));
  test::PressKeys({VK_ESCAPE});
  EXPECT_EQ(program->waitForExit(10000), std::optional<DWORD>(0));
}

TEST_F(DialogOfTheProgram, LaysItselfOutAtTheDpiOfTheSystemCentredOnItsOwner) {
  for (UINT dpi : {96u, 144u, 192u}) {
    SCOPED_TRACE(dpi);
    std::unique_ptr<ChildProcess> program;
    HWND dialog = nullptr;
    {
      // The DPI is read when a program starts; it is the system's again as soon as the dialog is up.
      test::RegistryStandIn logPixels(HKEY_CURRENT_USER, L"Control Panel\\Desktop", L"LogPixels");
      logPixels.setDword(dpi);
      dialog = Open(program);
    }
    ASSERT_NE(dialog, nullptr);
    const TRegisterShellExtLayout layout = RegisterShellExtLayout(dpi);
    RECT client{};
    ::GetClientRect(dialog, &client);
    EXPECT_EQ(client.right, layout.Client.cx);
    EXPECT_EQ(client.bottom, layout.Client.cy);
    const std::pair<const wchar_t*, RECT> places[] = {{L"Enable for current user", layout.butEnableCurrent},
                                                      {L"  Enable for all users", layout.butEnableAll},
                                                      {L"Disable for current user", layout.butDisableCurrent},
                                                      {L"  Disable for all users", layout.butDisableAll},
                                                      {L"Close", layout.butClose}};
    for (const auto& [caption, place] : places) {
      HWND button = test::FindChildByText(dialog, caption);
      ASSERT_NE(button, nullptr);
      RECT r = test::ChildRect(button);
      EXPECT_TRUE(::EqualRect(&r, &place)) << WideToUtf8(caption);
    }
    HWND owner = ::GetWindow(dialog, GW_OWNER);
    ASSERT_NE(owner, nullptr);
    RECT o{}, d{};
    ::GetWindowRect(owner, &o);
    ::GetWindowRect(dialog, &d);
    EXPECT_NEAR((o.left + o.right) / 2, (d.left + d.right) / 2, 1);
    EXPECT_NEAR((o.top + o.bottom) / 2, (d.top + d.bottom) / 2, 1);
    Click(dialog, L"Close");
    EXPECT_EQ(program->waitForExit(10000), std::optional<DWORD>(0));
  }
}

TEST_F(DialogOfTheProgram, OverAMinimizedOwnerItIsCentredOnItsRestoredPlace) {
  std::unique_ptr<ChildProcess> program;
  HWND dialog = Open(program, L" --minimized");
  ASSERT_NE(dialog, nullptr);
  HWND owner = ::GetWindow(dialog, GW_OWNER);
  ASSERT_NE(owner, nullptr);
  ASSERT_TRUE(::IsIconic(owner));
  // The stand-in opens its main window in the middle of the work area before it minimizes it (its restored
  // place cannot be read from another process).
  MONITORINFO monitor{};
  monitor.cbSize = sizeof(monitor);
  ::GetMonitorInfoW(::MonitorFromWindow(dialog, MONITOR_DEFAULTTONEAREST), &monitor);
  const RECT& work = monitor.rcWork;
  RECT d{};
  ::GetWindowRect(dialog, &d);
  EXPECT_NEAR((work.left + work.right) / 2, (d.left + d.right) / 2, 1);
  EXPECT_NEAR((work.top + work.bottom) / 2, (d.top + d.bottom) / 2, 1);
  ::SetForegroundWindow(dialog);
  test::PressKeys({VK_ESCAPE});
  EXPECT_EQ(program->waitForExit(10000), std::optional<DWORD>(0));
}

TEST_F(DialogOfTheProgram, RefusesToWorkFromANetworkShare) {
  test::NetworkDrive drive(FFolder);
  if (!drive) GTEST_SKIP() << "this system cannot make a stand-in network drive";
  FProgram = drive.root() + L"regdialog.exe";
  FDll = drive.root() + ShellExtDllName();
  RunRegSvr32Silently(FDll, false);
  std::unique_ptr<ChildProcess> program;
  HWND dialog = Open(program);
  ASSERT_NE(dialog, nullptr);
  test::MessageBoxWatcher boxes(L"Tessera", IDOK, true);
  const std::wstring refusal =
      L"It seems you are trying to enable shell extension from a network share. Instead, install Tessera locally "
      L"or copy files from the server to your computer first.";
  Click(dialog, L"Enable for current user");
  ASSERT_TRUE(boxes.waitFor(1, 10000));
  Click(dialog, L"  Disable for all users");  // the same words for disabling
  ASSERT_TRUE(boxes.waitFor(2, 10000));
  EXPECT_EQ(boxes.texts(), (std::vector<std::wstring>{refusal, refusal}));
  ::Sleep(500);
  EXPECT_EQ(RegisteredServer(), L"");  // nothing was started
  Click(dialog, L"Close");
  EXPECT_EQ(program->waitForExit(10000), std::optional<DWORD>(0));
}

}  // namespace
}  // namespace tessera
