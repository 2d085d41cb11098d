// The settings program's default error box: its title, icon, the full-stop rule and the system error text.
#include <gtest/gtest.h>

#include <new>
#include <stdexcept>
#include <thread>

#include "base/Error.h"
#include "base/ErrorText.h"
#include "base/StringUtils.h"
#include "config/ErrorBox.h"
#include "support/MessageBoxWatcher.h"

namespace tessera {
namespace {

TEST(ErrorBox, AppendsAFullStopOnlyAfterCharactersAboveTheFullStop) {
  struct Case {
    const wchar_t* message;
    const wchar_t* shown;
  } cases[] = {
      {L"File not found", L"File not found."},
      {L"Error 42", L"Error 42."},
      {L"Saved.", L"Saved."},
      {L"Failed (disk full)", L"Failed (disk full)"},
      {L"Stop!", L"Stop!"},
      {L"Trailing blank ", L"Trailing blank "},
      {L"Ends with a line break\r\n", L"Ends with a line break\r\n"},
      {L"Path C:\\data\\", L"Path C:\\data\\."},
      {L"Caf\u00e9", L"Caf\u00e9."},
      {L"", L""},
  };
  for (const auto& c : cases) EXPECT_EQ(WithFullStop(c.message), c.shown) << WideToUtf8(c.message);
}

TEST(ErrorBox, SystemErrorsUseTheSystemsText) {
  EXPECT_EQ(SystemErrorMessage(ERROR_ACCESS_DENIED),
            L"System Error.  Code: 5.\r\n" + ErrorText(ERROR_ACCESS_DENIED));
  EXPECT_EQ(SystemErrorMessage(ERROR_SUCCESS), L"A call to an OS function failed");

  ::SetLastError(ERROR_FILE_NOT_FOUND);
  try {
    RaiseLastOSError();
    FAIL() << "no error raised";
  } catch (const TesseraError& e) {
    EXPECT_EQ(e.message(), L"System Error.  Code: 2.\r\n" + ErrorText(ERROR_FILE_NOT_FOUND));
    EXPECT_EQ(e.hresult(), HRESULT_FROM_WIN32(ERROR_FILE_NOT_FOUND));
  }
}

BOOL CALLBACK FindIcon(HWND child, LPARAM lp) {
  wchar_t name[16] = {};
  ::GetClassNameW(child, name, 16);
  if (_wcsicmp(name, L"Static") == 0 && (::GetWindowLongPtrW(child, GWL_STYLE) & SS_TYPEMASK) == SS_ICON) {
    *reinterpret_cast<HICON*>(lp) = reinterpret_cast<HICON>(::SendMessageW(child, STM_GETICON, 0, 0));
    return FALSE;
  }
  return TRUE;
}

TEST(ErrorBox, ShowsTheMessageTitledWithTheProductAndTheStopIcon) {
  // The box is modal on this thread: another one reads it as the user sees it, then presses OK.
  std::wstring text;
  HICON icon = nullptr;
  std::thread reader([&] {
    for (int i = 0; i < 500; ++i, ::Sleep(10)) {
      HWND box = ::FindWindowW(L"#32770", L"Tessera");
      if (!box || !::IsWindowVisible(box)) continue;
      text = test::MessageBoxText(box);
      ::EnumChildWindows(box, FindIcon, reinterpret_cast<LPARAM>(&icon));
      ::PostMessageW(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
      return;
    }
  });
  ShowErrorBox(nullptr, L"The settings file cannot be written");
  reader.join();
  EXPECT_EQ(text, L"The settings file cannot be written.");
  ASSERT_NE(icon, nullptr);
  EXPECT_EQ(icon, ::LoadIconW(nullptr, IDI_HAND));
}

TEST(ErrorBox, ErrorsOfAHandlerEndInTheBox) {
  test::MessageBoxWatcher watcher(L"Tessera");
  EXPECT_TRUE(CallReportingErrors(nullptr, [] {}));
  EXPECT_FALSE(CallReportingErrors(nullptr, [] { throw TesseraError(L"It seems the folder is gone"); }));
  EXPECT_FALSE(CallReportingErrors(nullptr, [] { throw std::bad_alloc(); }));
  EXPECT_FALSE(CallReportingErrors(nullptr, [] { throw std::runtime_error("internal detail"); }));
  EXPECT_FALSE(CallReportingErrors(nullptr, [] { throw 42; }));
  ASSERT_TRUE(watcher.waitFor(4));
  EXPECT_EQ(watcher.texts(), (std::vector<std::wstring>{L"It seems the folder is gone.", L"Out of memory.",
                                                        L"An unexpected error occurred.",
                                                        L"An unexpected error occurred."}));
}

}  // namespace
}  // namespace tessera
