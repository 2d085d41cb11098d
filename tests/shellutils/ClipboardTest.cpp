#include "shellutils/Clipboard.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <thread>

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

}  // namespace
}  // namespace tessera
