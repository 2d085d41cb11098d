#include "shellutils/TextFile.h"

#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <windows.h>

namespace tessera {
namespace {

using test::TempFolder;

const std::wstring kText = L"A\x00e9\x20ac\xd83d\xde00\r\n";  // ASCII, Latin-1, BMP and a surrogate pair

std::string AnsiBytes(const std::wstring& text) {
  int n = ::WideCharToMultiByte(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
  std::string bytes(n, '\0');
  ::WideCharToMultiByte(CP_ACP, 0, text.data(), static_cast<int>(text.size()), bytes.data(), n, nullptr, nullptr);
  return bytes;
}

TEST(WriteTextFile, WritesTheExactBytesOfEachEncoding) {
  struct Case {
    std::optional<TTextEncoding> encoding;
    bool bom;
    std::string bytes;
  };
  const std::string utf8 = "A\xc3\xa9\xe2\x82\xac\xf0\x9f\x98\x80\r\n";
  const std::string le("A\0\xe9\0\xac\x20\x3d\xd8\x00\xde\r\0\n\0", 14);
  const std::string be("\0A\0\xe9\x20\xac\xd8\x3d\xde\x00\0\r\0\n", 14);
  const Case cases[] = {
      {TTextEncoding::teUtf8, false, utf8},
      {TTextEncoding::teUtf8, true, "\xef\xbb\xbf" + utf8},
      {TTextEncoding::teUtf16LE, false, le},
      {TTextEncoding::teUtf16LE, true, "\xff\xfe" + le},
      {TTextEncoding::teUtf16BE, false, be},
      {TTextEncoding::teUtf16BE, true, "\xfe\xff" + be},
  };
  TempFolder temp;
  const std::wstring path = temp.path() + L"out.txt";
  for (const auto& c : cases) {
    ASSERT_TRUE(WriteTextFile(path, kText, c.encoding, c.bom));
    EXPECT_EQ(TempFolder::ReadBytes(path), c.bytes) << static_cast<int>(*c.encoding) << " bom " << c.bom;
  }
  // ANSI, named or by default, has no byte-order mark.
  for (auto encoding : {std::optional<TTextEncoding>(TTextEncoding::teAnsi), std::optional<TTextEncoding>()}) {
    ASSERT_TRUE(WriteTextFile(path, kText, encoding, true));
    EXPECT_EQ(TempFolder::ReadBytes(path), AnsiBytes(kText));
  }
}

TEST(WriteTextFile, ReplacesALongerFileAndWritesEmptyText) {
  TempFolder temp;
  const std::wstring path = temp.file(L"old.txt", std::string(1000, 'x'));
  ASSERT_TRUE(WriteTextFile(path, L"new", TTextEncoding::teUtf8, false));
  EXPECT_EQ(TempFolder::ReadBytes(path), "new");
  ASSERT_TRUE(WriteTextFile(path, L"", TTextEncoding::teUtf8, true));
  EXPECT_EQ(TempFolder::ReadBytes(path), "\xef\xbb\xbf");
  ASSERT_TRUE(WriteTextFile(path, L"", std::nullopt, false));
  EXPECT_EQ(TempFolder::ReadBytes(path), "");
}

TEST(WriteTextFile, FailsWithTheLastErrorOfTheFailedCall) {
  TempFolder temp;
  ::SetLastError(0);
  EXPECT_FALSE(WriteTextFile(temp.path() + L"missing\\out.txt", L"x", TTextEncoding::teUtf8, true));
  EXPECT_EQ(::GetLastError(), static_cast<DWORD>(ERROR_PATH_NOT_FOUND));
}

TEST(ReadTextFile, RoundTripsEveryEncodingWithItsMark) {
  TempFolder temp;
  const std::wstring path = temp.path() + L"round.txt";
  for (auto encoding : {TTextEncoding::teUtf8, TTextEncoding::teUtf16LE, TTextEncoding::teUtf16BE}) {
    ASSERT_TRUE(WriteTextFile(path, kText, encoding, true));
    std::wstring text = L"stale";
    ASSERT_TRUE(ReadTextFile(path, text));
    EXPECT_EQ(text, kText) << static_cast<int>(encoding);
  }
}

std::wstring AnsiText(const std::string& bytes) {
  int n = ::MultiByteToWideChar(CP_ACP, 0, bytes.data(), static_cast<int>(bytes.size()), nullptr, 0);
  std::wstring text(n, L'\0');
  ::MultiByteToWideChar(CP_ACP, 0, bytes.data(), static_cast<int>(bytes.size()), text.data(), n);
  return text;
}

TEST(ReadTextFile, DecodesBytesWithoutAMarkAsAnsiWithoutGuessing) {
  TempFolder temp;
  struct Case {
    std::string bytes;
    std::wstring text;
  };
  const Case cases[] = {
      {std::string("A\0B\0", 4), std::wstring(L"A\0B\0", 4)},  // UTF-16 without a mark
      {"\xc3\xa9", AnsiText("\xc3\xa9")},                   // UTF-8 without a mark
      {"\xef\xbb\xbf", L""},                                // only a mark
      {std::string("\xff\xfe" "A\0B", 5), L"A"},             // an odd last byte is dropped
      {"", L""},
  };
  ASSERT_NE(::GetACP(), static_cast<UINT>(CP_UTF8));
  for (const auto& c : cases) {
    std::wstring text = L"stale";
    ASSERT_TRUE(ReadTextFile(temp.file(L"in.txt", c.bytes), text));
    EXPECT_EQ(text, c.text) << testing::PrintToString(c.bytes);
  }
}

TEST(ReadTextFile, MissingFileFailsWithEmptyTextAndTheOpenError) {
  TempFolder temp;
  std::wstring text = L"stale";
  ::SetLastError(0);
  EXPECT_FALSE(ReadTextFile(temp.path() + L"missing.txt", text));
  EXPECT_EQ(::GetLastError(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
  EXPECT_EQ(text, L"");
}

}  // namespace
}  // namespace tessera
