#include "base/PathUtils.h"
#include "base/StringUtils.h"

#include <gtest/gtest.h>

namespace tessera {
namespace {

TEST(SplitText, KeepsOrDropsEmptyPieces) {
  struct Case {
    const wchar_t* text;
    bool dropEmpty;
    std::vector<std::wstring> parts;
  };
  const Case cases[] = {
      {L"a;b;c", false, {L"a", L"b", L"c"}},
      {L";a;;b;", false, {L"", L"a", L"", L"b", L""}},
      {L";a;;b;", true, {L"a", L"b"}},
      {L"", false, {L""}},
      {L"", true, {}},
      {L" a ; b ", true, {L" a ", L" b "}},  // no trimming
  };
  for (const auto& c : cases) EXPECT_EQ(SplitText(c.text, L';', c.dropEmpty), c.parts) << c.text;
}

TEST(TrimText, RemovesBlanksAndControlCharactersOnly) {
  const std::wstring text = L" \t\r\n\x01" L"a b\x1f \x20";
  EXPECT_EQ(TrimText(text), L"a b");
  EXPECT_EQ(TrimLeftText(text), L"a b\x1f \x20");
  EXPECT_EQ(TrimRightText(text), L" \t\r\n\x01" L"a b");
  EXPECT_EQ(TrimText(L"\x00a0x\x00a0"), L"\x00a0x\x00a0");  // no-break space is above 32
  EXPECT_EQ(TrimText(L" \t "), L"");
}

TEST(SameTextAscii, FoldsAsciiLettersOnly) {
  EXPECT_TRUE(SameTextAscii(L"Photo.JPG", L"photo.jpg"));
  EXPECT_FALSE(SameTextAscii(L"\x00c4rger", L"\x00e4rger"));  // Ä and ä stay different
  EXPECT_FALSE(SameTextAscii(L"abc", L"abcd"));
  EXPECT_FALSE(SameTextAscii(L"[", L"{"));  // neighbours of the letters are no letters
  EXPECT_EQ(LowerAscii(L"AbZ@[\x00c4"), L"abz@[\x00c4");
}

TEST(Utf8, ConvertsBothWaysIncludingSurrogatePairs) {
  const std::wstring wide = L"A\x00e9\x20ac\xd83d\xde00";
  const std::string utf8 = "A\xc3\xa9\xe2\x82\xac\xf0\x9f\x98\x80";
  EXPECT_EQ(WideToUtf8(wide), utf8);
  EXPECT_EQ(Utf8ToWide(utf8), wide);
  EXPECT_EQ(Utf8ToWide(""), L"");
  EXPECT_EQ(Utf8ToWide(std::string("a\0b", 3)), std::wstring(L"a\0b", 3));
}

TEST(FormatText, UsesWideTextForPercentSAndHasNoLengthLimit) {
  EXPECT_EQ(FormatText(L"Failed to launch \"%s\"\r\n\r\n%s", L"x.exe ", L"Not found"),
            L"Failed to launch \"x.exe \"\r\n\r\nNot found");
  EXPECT_EQ(FormatText(L"%d|%.f|%.1f|%.2f|%%", -42, 2.6, 1.26, 3.14159), L"-42|3|1.3|3.14|%");
  std::wstring longText(20000, L'x');
  EXPECT_EQ(FormatText(L"<%s>", longText.c_str()), L"<" + longText + L">");
  EXPECT_EQ(FormatText(L""), L"");
}

TEST(PathParts, SplitAtLastBackslashOrColon) {
  struct Case {
    const wchar_t* path;
    const wchar_t* folder;
    const wchar_t* name;
    const wchar_t* ext;
  };
  const Case cases[] = {
      {L"C:\\dir\\file.txt", L"C:\\dir\\", L"file.txt", L".txt"},
      {L"C:\\a.b\\readme", L"C:\\a.b\\", L"readme", L""},
      {L"C:file.tar.gz", L"C:", L"file.tar.gz", L".gz"},
      {L"C:\\dir\\", L"C:\\dir\\", L"", L""},
      {L"name.", L"", L"name.", L"."},
      {L".profile", L"", L".profile", L".profile"},
      {L"", L"", L"", L""},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ExtractFilePath(c.path), c.folder) << c.path;
    EXPECT_EQ(ExtractFileName(c.path), c.name) << c.path;
    EXPECT_EQ(ExtractFileExt(c.path), c.ext) << c.path;
  }
  EXPECT_EQ(IncludeTrailingBackslash(L"C:\\dir"), L"C:\\dir\\");
  EXPECT_EQ(IncludeTrailingBackslash(L"C:\\dir\\"), L"C:\\dir\\");
  EXPECT_EQ(IncludeTrailingBackslash(L""), L"");
}

}  // namespace
}  // namespace tessera
