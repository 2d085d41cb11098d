#include "shellutils/ShellUtils.h"

#include "base/Error.h"
#include "base/ErrorText.h"
#include "base/StringUtils.h"
#include "shellutils/SystemUtils.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <commctrl.h>

#include <atomic>
#include <thread>

namespace tessera {
namespace {

using test::TempFolder;

TEST(ShellLaunch, MissingFileRaisesTheUserFacingMessage) {
  TempFolder temp;
  const std::wstring missing = temp.path() + L"missing.txt";
  struct Case {
    std::wstring parameters;
    std::wstring shown;  // the first placeholder: file and parameters joined by one blank
  };
  for (const Case& c : {Case{L"", missing + L" "}, Case{L"/x \"y\"", missing + L" /x \"y\""}}) {
    try {
      ShellLaunch(L"open", missing, c.parameters, nullptr);
      ADD_FAILURE() << "no error for a missing file";
    } catch (const TesseraError& e) {
      EXPECT_EQ(e.hresult(), HRESULT_FROM_WIN32(ERROR_FILE_NOT_FOUND));
      EXPECT_EQ(e.message(), L"Failed to launch \"" + c.shown + L"\"\r\n\r\n" + ErrorText(ERROR_FILE_NOT_FOUND));
    }
  }
}

TEST(ShellLaunch, StartsTheProgramWithItsParametersWithoutWaiting) {
  TempFolder temp;
  const std::wstring marker = temp.path() + L"launched.txt";
  ASSERT_NO_THROW(ShellLaunch(L"open", L"cmd.exe", L"/c echo launched> \"" + marker + L"\"", nullptr));
  // cmd writes the text and the line break separately: wait for both.
  for (int i = 0; i < 1000 && TempFolder::ReadBytes(marker) != "launched\r\n"; ++i) ::Sleep(10);
  EXPECT_EQ(TempFolder::ReadBytes(marker), "launched\r\n");
}

// Presses a button of the folder dialog once it is up on the given thread and, when a name is given,
// once the dialog's tree has selected the item of that name.
class FolderDialogDriver {
public:
  FolderDialogDriver(DWORD threadId, int button, std::wstring awaitedSelection = L"")
      : FAwaited(std::move(awaitedSelection)), FThread([this, threadId, button] { run(threadId, button); }) {}
  ~FolderDialogDriver() { FThread.join(); }
  bool sawDialog() const { return FDialog != nullptr; }
  const std::wstring& selection() const { return FSelection; }

private:
  void run(DWORD threadId, int button) {
    for (int i = 0; i < 500 && !FDialog; ++i) {
      ::EnumThreadWindows(threadId, FindDialog, reinterpret_cast<LPARAM>(this));
      if (!FDialog) ::Sleep(10);
    }
    if (!FDialog) return;
    HWND tree = nullptr;
    ::EnumChildWindows(FDialog, FindTree, reinterpret_cast<LPARAM>(&tree));
    for (int i = 0; i < 500 && tree && !FAwaited.empty(); ++i) {
      FSelection = SelectedText(tree);
      if (SameTextAscii(FSelection, FAwaited)) break;
      ::Sleep(10);
    }
    ::PostMessageW(FDialog, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED), 0);
  }
  static std::wstring SelectedText(HWND tree) {
    auto item = reinterpret_cast<HTREEITEM>(::SendMessageW(tree, TVM_GETNEXTITEM, TVGN_CARET, 0));
    wchar_t text[MAX_PATH] = {};
    TVITEMW info{};
    info.mask = TVIF_TEXT;
    info.hItem = item;
    info.pszText = text;
    info.cchTextMax = MAX_PATH;
    if (!item || !::SendMessageW(tree, TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&info))) return {};
    return text;
  }
  static BOOL CALLBACK FindDialog(HWND window, LPARAM param) {
    wchar_t cls[32] = {};
    ::GetClassNameW(window, cls, 32);
    if (std::wstring(cls) != L"#32770" || !::IsWindowVisible(window)) return TRUE;
    reinterpret_cast<FolderDialogDriver*>(param)->FDialog = window;
    return FALSE;
  }
  static BOOL CALLBACK FindTree(HWND window, LPARAM param) {
    wchar_t cls[32] = {};
    ::GetClassNameW(window, cls, 32);
    if (std::wstring(cls) != WC_TREEVIEWW) return TRUE;
    *reinterpret_cast<HWND*>(param) = window;
    return FALSE;
  }

  std::wstring FAwaited;
  std::wstring FSelection;
  std::atomic<HWND> FDialog{nullptr};
  std::thread FThread;
};

// One dialog only: under Xvfb without a window manager, Wine spends two seconds hiding each window.
// The preselected folder lies outside the temporary folder, whose changes make Wine's dialog refresh
// its tree and drop the selection.
TEST(BrowseForFolder, PreselectsTheFolderPassedInAndReturnsTheChoice) {
  wchar_t windows[MAX_PATH] = {};
  ASSERT_GT(::GetSystemDirectoryW(windows, MAX_PATH), 0u);
  const std::wstring folder = windows;
  const std::wstring leaf = folder.substr(folder.rfind(L'\\') + 1);
  std::wstring chosen = folder;
  bool result = false;
  bool sawDialog = false;
  {
    FolderDialogDriver driver(::GetCurrentThreadId(), IDOK, leaf);
    result = BrowseForFolder(nullptr, chosen, L"Pick a folder");
    sawDialog = driver.sawDialog();
    EXPECT_TRUE(SameTextAscii(driver.selection(), leaf)) << testing::PrintToString(driver.selection());
  }
  ASSERT_TRUE(sawDialog);
  EXPECT_TRUE(result);
  EXPECT_TRUE(SameTextAscii(chosen, folder)) << testing::PrintToString(chosen);
}

}  // namespace
}  // namespace tessera
