// The list-file reader: byte-order mark, CR LF, blank lines, missing and non-font files, paths with blanks and
// letters beyond ASCII.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/Error.h"
#include "base/StringUtils.h"
#include "support/TempFolder.h"
#include "typemount/FontList.h"

namespace tessera {
namespace {

using test::TempFolder;

// UTF-16 LE bytes of text, without byte-order mark.
std::string Utf16Le(const std::wstring& text) {
  std::string bytes;
  for (wchar_t c : text) {
    bytes += static_cast<char>(c & 0xFF);
    bytes += static_cast<char>(c >> 8);
  }
  return bytes;
}
const std::string kBom = "\xFF\xFE";

TEST(FontList, DecodesLinesEndedByCrLfAndSkipsBlankOnes) {
  struct Case {
    const char* what;
    std::string bytes;
    bool accepted;
    std::vector<std::wstring> paths;
  } cases[] = {
      {"two lines", kBom + Utf16Le(L"C:\\a.ttf\r\nC:\\b.otf\r\n"), true, {L"C:\\a.ttf", L"C:\\b.otf"}},
      {"blank and white lines",
       kBom + Utf16Le(L"\r\nC:\\a.ttf\r\n\r\n  \t \r\nC:\\b.otf\r\n\r\n"),
       true,
       {L"C:\\a.ttf", L"C:\\b.otf"}},
      {"last line without CR LF", kBom + Utf16Le(L"C:\\a.ttf\r\nC:\\b.otf"), true, {L"C:\\a.ttf", L"C:\\b.otf"}},
      {"a lone LF stays part of the line",
       kBom + Utf16Le(L"C:\\a.ttf\nC:\\b.otf\r\n"),
       true,
       {L"C:\\a.ttf\nC:\\b.otf"}},
      {"blanks and letters beyond ASCII",
       kBom + Utf16Le(L"C:\\My Fonts\\\u00dcn\u00efc\u00f8d\u00e9 \u65e5\u672c.ttf\r\n"),
       true,
       {L"C:\\My Fonts\\\u00dcn\u00efc\u00f8d\u00e9 \u65e5\u672c.ttf"}},
      {"only the byte-order mark", kBom, true, {}},
      {"no byte-order mark", Utf16Le(L"C:\\a.ttf\r\n"), false, {}},
      {"UTF-8 byte-order mark",
       "\xEF\xBB\xBF"
       "C:\\a.ttf\r\n",
       false,
       {}},
      {"big-endian byte-order mark", "\xFE\xFF" + Utf16Le(L"C:\\a.ttf\r\n"), false, {}},
      {"odd number of bytes", kBom + Utf16Le(L"C:\\a.ttf\r\n") + "x", false, {}},
      {"empty file", "", false, {}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    std::vector<std::wstring> paths{L"left over"};
    EXPECT_EQ(DecodeFontList(c.bytes, paths), c.accepted);
    EXPECT_EQ(paths, c.paths);
  }
}

TEST(FontList, ReportsMissingFoldersRelativeAndNonFontPathsAndKeepsTheRest) {
  TempFolder temp;
  const std::wstring unicode = temp.file(L"Font Folder\\\u00dcn\u00efc\u00f8d\u00e9 \u65e5\u672c Bold.TTF", "x");
  const std::wstring otf = temp.file(L"b.otf", "x");
  const std::wstring ttc = temp.file(L"with blanks  .ttc", "x");
  const std::wstring text = temp.file(L"notes.txt", "x");
  const std::wstring bitmap = temp.file(L"old.fon", "x");
  const std::wstring noExtension = temp.file(L"ttf", "x");
  const std::wstring folder = temp.dir(L"looks like.ttf");
  const std::wstring missing = temp.path() + L"missing.ttf";
  struct Entry {
    std::wstring path;
    std::wstring problem;
  } entries[] = {
      {unicode, L""},
      {otf, L""},
      {ttc, L""},
      {text, L"Not a .ttf, .otf or .ttc file"},
      {bitmap, L"Not a .ttf, .otf or .ttc file"},
      {noExtension, L"Not a .ttf, .otf or .ttc file"},
      {folder, L"A folder, not a font file"},
      {missing, L"The file does not exist"},
      {L"relative\\font.ttf", L"Not a full path"},
      {L"font.ttf", L"Not a full path"},
      {L"C:font.ttf", L"Not a full path"},
  };
  std::wstring list;
  for (const auto& e : entries) list += e.path + L"\r\n\r\n";
  list += LowerAscii(otf) + L"\r\n";  // listed twice (a font and the folder it is in): taken once
  const std::wstring listFile = temp.file(L"list file.tmp", kBom + Utf16Le(list));

  const std::vector<TListedFont> fonts = ReadFontList(listFile);
  ASSERT_EQ(fonts.size(), std::size(entries));
  for (size_t i = 0; i < fonts.size(); ++i) {
    SCOPED_TRACE(WideToUtf8(entries[i].path));
    EXPECT_EQ(fonts[i].Path, entries[i].path);
    EXPECT_EQ(fonts[i].Problem, entries[i].problem);
  }
}

TEST(FontList, AnUnreadableOrEmptyListIsReportedAsAWhole) {
  TempFolder temp;
  const std::wstring font = temp.file(L"a.ttf", "x");
  struct Case {
    const char* what;
    std::wstring listFile;
    std::wstring messageStart;
  } cases[] = {
      {"missing list", temp.path() + L"gone.tmp", L"Cannot read the font list \"" + temp.path() + L"gone.tmp\". "},
      {"no byte-order mark", temp.file(L"ansi.tmp", WideToUtf8(font) + "\r\n"),
       L"The font list \"" + temp.path() + L"ansi.tmp\" is not UTF-16 text with a byte-order mark."},
      {"blank lines only", temp.file(L"blank.tmp", kBom + Utf16Le(L"\r\n \r\n")),
       L"The font list \"" + temp.path() + L"blank.tmp\" names no fonts."},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    try {
      ReadFontList(c.listFile);
      ADD_FAILURE() << "no error";
    } catch (const TesseraError& e) {
      EXPECT_EQ(e.message().rfind(c.messageStart, 0), 0u) << WideToUtf8(e.message());
      EXPECT_GT(e.message().size(), c.messageStart.size() - 1);
    }
  }
}

}  // namespace
}  // namespace tessera
