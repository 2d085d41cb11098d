#include "shellutils/Clipboard.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <thread>

#include "support/ClipboardHolder.h"

namespace tessera {
namespace {

TEST(Clipboard, TakesTextOfAnyLengthAndGivesItBack) {
  std::wstring longText(100000, L'x');
  longText += L"\x00e9\x20ac";
  for (const std::wstring& text : {std::wstring(L"C:\\One\\Path.txt\r\nC:\\Two"), longText}) {
    ASSERT_TRUE(CopyTextToClipboard(text));
    std::wstring back;
    ASSERT_TRUE(ReadClipboardText(back));
    EXPECT_EQ(back, text);
  }
}

TEST(Clipboard, EmptyTextLeavesAnEmptyUnicodeText) {
  ASSERT_TRUE(CopyTextToClipboard(L"something first"));
  ASSERT_TRUE(CopyTextToClipboard(L""));
  EXPECT_TRUE(::IsClipboardFormatAvailable(CF_UNICODETEXT));
  std::wstring back = L"stale";
  ASSERT_TRUE(ReadClipboardText(back));
  EXPECT_EQ(back, L"");
}

TEST(Clipboard, ReadFailsWithoutText) {
  ASSERT_TRUE(::OpenClipboard(nullptr));
  ::EmptyClipboard();
  ::CloseClipboard();
  std::wstring back = L"stale";
  EXPECT_FALSE(ReadClipboardText(back));
  EXPECT_EQ(back, L"");
}

TEST(Clipboard, CopyFailsWhileAnotherThreadHoldsTheClipboard) {
  ASSERT_TRUE(CopyTextToClipboard(L"before"));
  HANDLE opened = ::CreateEventW(nullptr, TRUE, FALSE, nullptr);
  HANDLE release = ::CreateEventW(nullptr, TRUE, FALSE, nullptr);
  std::thread holder([&] {
    HWND owner = ::CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
    bool open = ::OpenClipboard(owner);
    ::SetEvent(opened);
    ::WaitForSingleObject(release, 10000);
    if (open) ::CloseClipboard();
    ::DestroyWindow(owner);
  });
  ::WaitForSingleObject(opened, 10000);
  ::SetLastError(0);
  bool copied = CopyTextToClipboard(L"after");
  DWORD error = ::GetLastError();
  ::SetEvent(release);
  holder.join();
  ::CloseHandle(opened);
  ::CloseHandle(release);
  EXPECT_FALSE(copied);
  EXPECT_NE(error, 0u);
  std::wstring back;
  ASSERT_TRUE(ReadClipboardText(back));
  EXPECT_EQ(back, L"before");
}

// Another program holding the clipboard: a short hold is waited out, a long one ends the wait after the bound.
TEST(Clipboard, WaitsAMomentForAnotherProgramAndNeverLonger) {
  struct Case {
    DWORD holdMs;
    TClipboardResult expected;
    std::wstring after;
  } cases[] = {{300, crCopied, L"after"}, {6000, crBusy, L"before"}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.holdMs);
    ASSERT_TRUE(CopyTextToClipboard(L"before"));
    ULONGLONG elapsed = 0;
    {
      test::ClipboardHolder holder(c.holdMs);
      const ULONGLONG start = ::GetTickCount64();
      EXPECT_EQ(PutTextOnClipboard(L"after"), c.expected);
      elapsed = ::GetTickCount64() - start;
    }
    EXPECT_LT(elapsed, kClipboardWaitMs + 500) << "bounded";
    if (c.expected == crBusy) {
      EXPECT_GE(elapsed, kClipboardWaitMs - 50) << "waited the whole bound";
    }
    std::wstring back;
    ASSERT_TRUE(ReadClipboardText(back));
    EXPECT_EQ(back, c.after);
  }
}

}  // namespace
}  // namespace tessera
