// The name-table parser: real fonts from Debian's packages, a collection built from two of them, name tables
// made by hand, and broken files of every kind, which must give a clear error and never a read past the end.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "base/StringUtils.h"
#include "shellutils/Registry.h"
#include "support/FontFixtures.h"
#include "typemount/FontFile.h"
#include "typemount/FontInstaller.h"

namespace tessera {
namespace {

using test::NameTable;
using test::ReadSystemFont;
using test::TNameRecord;
using test::Utf16Be;

std::string Narrow(const std::wstring& text) { return WideToUtf8(text); }

TEST(FontFile, ReadsTheFullNamesOfDebiansFonts) {
  struct Case {
    const wchar_t* file;
    const wchar_t* registryName;
  } cases[] = {
      {L"truetype\\dejavu\\DejaVuSans.ttf", L"DejaVu Sans (TrueType)"},
      {L"truetype\\dejavu\\DejaVuSans-Bold.ttf", L"DejaVu Sans Bold (TrueType)"},
      {L"truetype\\dejavu\\DejaVuSansMono.ttf", L"DejaVu Sans Mono (TrueType)"},
      {L"truetype\\dejavu\\DejaVuSansMono-Bold.ttf", L"DejaVu Sans Mono Bold (TrueType)"},
      {L"truetype\\dejavu\\DejaVuSerif.ttf", L"DejaVu Serif (TrueType)"},
      {L"truetype\\dejavu\\DejaVuSerif-Bold.ttf", L"DejaVu Serif Bold (TrueType)"},
      // CFF outlines; FreeSerif Bold also carries its full name in some thirty languages.
      {L"opentype\\freefont\\FreeSans.otf", L"FreeSans (OpenType)"},
      {L"opentype\\freefont\\FreeSerifBold.otf", L"FreeSerif Bold (OpenType)"},
      {L"opentype\\freefont\\FreeMonoOblique.otf", L"FreeMono Oblique (OpenType)"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(Narrow(c.file));
    const TFontFileInfo info = ParseFontData(ReadSystemFont(c.file));
    ASSERT_EQ(info.Error, ffOk);
    EXPECT_FALSE(info.Collection);
    ASSERT_EQ(info.Faces.size(), 1u);
    EXPECT_EQ(FontRegistryName(info), c.registryName);
    // Wine registers the system's fonts itself, under the full names its font engine reads.
    const std::wstring wineValue =
        ReadRegistryString(HKEY_LOCAL_MACHINE, kFontsKey, info.Faces[0].FullName + L" (TrueType)", KEY_WOW64_64KEY);
    EXPECT_EQ(wineValue, test::SystemFontPath(c.file));
  }
}

TEST(FontFile, NamesEachFaceOfACollectionBuiltFromTwoRealFaces) {
  const std::string sans = ReadSystemFont(L"truetype\\dejavu\\DejaVuSans.ttf");
  const std::string bold = ReadSystemFont(L"truetype\\dejavu\\DejaVuSans-Bold.ttf");
  const std::string ttc = test::JoinCollection({test::SplitSfnt(sans), test::SplitSfnt(bold)});
  const TFontFileInfo info = ParseFontData(ttc);
  ASSERT_EQ(info.Error, ffOk);
  EXPECT_TRUE(info.Collection);
  ASSERT_EQ(info.Faces.size(), 2u);
  EXPECT_EQ(info.Faces[0].FullName, L"DejaVu Sans");
  EXPECT_EQ(info.Faces[1].FullName, L"DejaVu Sans Bold");
  EXPECT_EQ(FontRegistryName(info), L"DejaVu Sans & DejaVu Sans Bold (TrueType)");

  const std::string otc = test::JoinCollection({test::SplitSfnt(ReadSystemFont(L"opentype\\freefont\\FreeSans.otf")),
                                                test::SplitSfnt(ReadSystemFont(L"opentype\\freefont\\FreeMono.otf"))});
  EXPECT_EQ(FontRegistryName(ParseFontData(otc)), L"FreeSans & FreeMono (OpenType)");
}

// Hand-made name tables in a real font: which record gives the full name.
TEST(FontFile, PrefersTheEnglishWindowsNameThenAnyWindowsNameThenMacintoshRoman) {
  const test::TSfnt base = test::SplitSfnt(ReadSystemFont(L"truetype\\dejavu\\DejaVuSans.ttf"));
  const TNameRecord winEnglish{3, 1, 0x409, 4, Utf16Be(L"Windows English")};
  const TNameRecord winGerman{3, 1, 0x407, 4, Utf16Be(L"Windows Deutsch")};
  const TNameRecord winFull{3, 10, 0x409, 4, Utf16Be(L"Windows UCS-4")};
  const TNameRecord symbol{3, 0, 0x409, 4, Utf16Be(L"Windows Symbol")};
  const TNameRecord mac{1, 0, 0, 4, "Macintosh Caf\x8E \xA5"};  // é and • in Mac Roman
  const TNameRecord macFrench{1, 0, 2, 4,
                              "Macintosh fran\x8D"
                              "ais"};
  const TNameRecord unicode{0, 3, 0, 4, Utf16Be(L"Unicode platform")};
  const TNameRecord family{3, 1, 0x409, 1, Utf16Be(L"Family only")};
  const TNameRecord padded{3, 1, 0x409, 4, Utf16Be(std::wstring(L"Padded\0\0", 8))};
  const TNameRecord empty{3, 1, 0x409, 4, ""};
  const TNameRecord oddLength{3, 1, 0x409, 4, Utf16Be(L"Odd") + "x"};
  struct Case {
    const char* what;
    std::vector<TNameRecord> records;
    std::wstring fullName;  // empty: no full name
  } cases[] = {
      {"English Windows name first", {mac, winGerman, winEnglish}, L"Windows English"},
      {"English in either Windows Unicode encoding", {mac, winFull}, L"Windows UCS-4"},
      {"any Windows language before Macintosh", {mac, winGerman}, L"Windows Deutsch"},
      {"symbol encoding is Windows Unicode too", {mac, symbol}, L"Windows Symbol"},
      {"Macintosh Roman decoded", {mac}, L"Macintosh Caf\u00e9 \u2022"},
      {"Macintosh English before other Macintosh languages", {macFrench, mac}, L"Macintosh Caf\u00e9 \u2022"},
      {"another Macintosh language when alone", {macFrench}, L"Macintosh fran\u00e7ais"},
      {"Unicode platform as the last resort", {unicode}, L"Unicode platform"},
      {"Macintosh before the Unicode platform", {unicode, mac}, L"Macintosh Caf\u00e9 \u2022"},
      {"trailing zeros dropped", {padded}, L"Padded"},
      {"an empty name does not count", {empty, winGerman}, L"Windows Deutsch"},
      {"odd UTF-16 length skipped", {oddLength, mac}, L"Macintosh Caf\u00e9 \u2022"},
      {"no full name", {family}, L""},
      {"no records", {}, L""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    const TFontFileInfo info = ParseFontData(test::JoinSfnt(test::WithTable(base, "name", NameTable(c.records))));
    if (c.fullName.empty()) {
      EXPECT_EQ(info.Error, ffNoFullName);
      EXPECT_TRUE(info.Faces.empty());
      EXPECT_EQ(FontRegistryName(info), L"");
    } else {
      ASSERT_EQ(info.Error, ffOk);
      EXPECT_EQ(info.Faces.at(0).FullName, c.fullName);
    }
  }
}

TEST(FontFile, ANameRecordThatRunsPastTheTableIsNeverRead) {
  const test::TSfnt base = test::SplitSfnt(ReadSystemFont(L"truetype\\dejavu\\DejaVuSans.ttf"));
  const std::string good = NameTable({{1, 0, 0, 4, "Mac name"}, {3, 1, 0x409, 4, Utf16Be(L"Windows name")}});
  struct Case {
    const char* what;
    uint16_t length, offset;  // of the Windows record (the second)
    TFontFormatError error;
    const wchar_t* fullName;
  } cases[] = {
      {"length one past the table", 25, 8, ffOk, L"Mac name"},
      {"offset past the table", 24, 0xFFF0, ffOk, L"Mac name"},
      {"length and offset at their maximum", 0xFFFF, 0xFFFF, ffOk, L"Mac name"},
      {"exactly to the end of the table", 24, 8, ffOk, L"Windows name"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    std::string table = good;
    test::PutU16(table, 6 + 12 + 8, c.length);
    test::PutU16(table, 6 + 12 + 10, c.offset);
    const TFontFileInfo info = ParseFontData(test::JoinSfnt(test::WithTable(base, "name", table)));
    ASSERT_EQ(info.Error, c.error);
    EXPECT_EQ(info.Faces.at(0).FullName, c.fullName);
  }
  // The only full-name record broken: the name table is reported as damaged.
  std::string alone = NameTable({{3, 1, 0x409, 4, Utf16Be(L"Windows name")}});
  test::PutU16(alone, 6 + 8, 0x7000);
  EXPECT_EQ(ParseFontData(test::JoinSfnt(test::WithTable(base, "name", alone))).Error, ffBadNameTable);
}

TEST(FontFile, BrokenNameTableHeadersAreReported) {
  const test::TSfnt base = test::SplitSfnt(ReadSystemFont(L"truetype\\dejavu\\DejaVuSans.ttf"));
  const std::string good = NameTable({{3, 1, 0x409, 4, Utf16Be(L"Name")}});
  struct Case {
    const char* what;
    std::string table;
    TFontFormatError error;
  } cases[] = {
      {"empty table", "", ffBadNameTable},
      {"shorter than its header", good.substr(0, 5), ffBadNameTable},
      {"records cut off", good.substr(0, 6 + 11), ffBadNameTable},
      {"more records than the table holds",
       [&] {
         auto t = good;
         test::PutU16(t, 2, 0xFFFF);
         return t;
       }(),
       ffBadNameTable},
      {"string storage past the table",
       [&] {
         auto t = good;
         test::PutU16(t, 4, 0xFFFF);
         return t;
       }(),
       ffBadNameTable},
      {"unknown format",
       [&] {
         auto t = good;
         test::PutU16(t, 0, 7);
         return t;
       }(),
       ffBadNameTable},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(ParseFontData(test::JoinSfnt(test::WithTable(base, "name", c.table))).Error, c.error);
  }
  // A font without a name table at all.
  test::TSfnt nameless = base;
  for (auto& table : nameless.Tables)
    if (table.Tag == "name") table.Tag = "nam_";
  EXPECT_EQ(ParseFontData(test::JoinSfnt(nameless)).Error, ffNoNameTable);
}

TEST(FontFile, TruncatedAtEveryTableBoundaryIsReported) {
  const std::string sans = ReadSystemFont(L"truetype\\dejavu\\DejaVuSans.ttf");
  const std::string freeSans = ReadSystemFont(L"opentype\\freefont\\FreeSans.otf");
  for (const std::string* font : {&sans, &freeSans}) {
    const auto spans = test::TableSpans(*font);
    const size_t directoryEnd = 12 + 16 * spans.size();
    size_t checked = 0;
    for (size_t cut : test::TableBoundaries(*font)) {
      SCOPED_TRACE(cut);
      bool allTablesKept = true;
      for (const auto& span : spans) allTablesKept = allTablesKept && span.Offset + span.Length <= cut;
      if (allTablesKept) continue;  // only the padding after the last table is cut off
      const TFontFileInfo info = ParseFontData(std::string_view(*font).substr(0, cut));
      const TFontFormatError expected = cut == 0 ? ffEmpty : cut < directoryEnd ? ffTruncated : ffTableOutside;
      EXPECT_EQ(info.Error, expected);
      EXPECT_TRUE(info.Faces.empty());
      EXPECT_FALSE(FontFormatErrorText(info.Error).empty());
      ++checked;
    }
    EXPECT_GT(checked, 30u);
    // Every length inside the headers as well.
    for (size_t cut = 1; cut < directoryEnd; ++cut)
      EXPECT_EQ(ParseFontData(std::string_view(*font).substr(0, cut)).Error, ffTruncated) << cut;
  }
  // The collection, cut inside its header, its directories and its tables.
  const std::string ttc = test::JoinCollection(
      {test::SplitSfnt(sans), test::SplitSfnt(ReadSystemFont(L"truetype\\dejavu\\DejaVuSerif.ttf"))});
  for (size_t cut : {size_t(1), size_t(4), size_t(11), size_t(12), size_t(15), size_t(19), size_t(20), size_t(40),
                     size_t(400), ttc.size() / 2, ttc.size() - 4}) {  // padding is at most 3 bytes
    const TFontFileInfo info = ParseFontData(std::string_view(ttc).substr(0, cut));
    EXPECT_NE(info.Error, ffOk) << cut;
    EXPECT_TRUE(info.Faces.empty()) << cut;
  }
}

TEST(FontFile, WrongSignaturesEmptyFilesAndOffsetsPastTheEndAreReported) {
  const std::string sans = ReadSystemFont(L"truetype\\dejavu\\DejaVuSans.ttf");
  const std::string ttc = test::JoinCollection({test::SplitSfnt(sans), test::SplitSfnt(sans)});
  const size_t tables = test::TableSpans(sans).size();
  auto edited = [](std::string bytes, size_t offset, uint32_t value) {
    test::PutU32(bytes, offset, value);
    return bytes;
  };
  struct Case {
    const char* what;
    std::string bytes;
    TFontFormatError error;
  } cases[] = {
      {"zero length", "", ffEmpty},
      {"three bytes", std::string("\0\1\0", 3), ffTruncated},
      {"text file", "Hello, this is no font at all, just some text.", ffBadSignature},
      {"web font wrapper", "wOFF" + sans.substr(4), ffBadSignature},
      {"PostScript Type 1", "%!PS-AdobeFont-1.0: Sans" + std::string(100, ' '), ffBadSignature},
      {"table offset past the end", edited(sans, 12 + 8, 0xFFFFFF00u), ffTableOutside},
      {"table length past the end", edited(sans, 12 + 12, 0x7FFFFFFFu), ffTableOutside},
      {"offset plus length wraps around 32 bits", edited(edited(sans, 12 + 8, 0xFFFFFFF0u), 12 + 12, 0x20u),
       ffTableOutside},
      {"more tables than the file holds",
       [&] {
         auto b = sans;
         test::PutU16(b, 4, 0xFFFF);
         return b;
       }(),
       ffTruncated},
      {"collection of version 3",
       [&] {
         auto b = ttc;
         test::PutU16(b, 4, 3);
         return b;
       }(),
       ffBadCollection},
      {"collection without faces", edited(ttc, 8, 0), ffBadCollection},
      {"collection with more faces than the file holds", edited(ttc, 8, 0xFFFFFFFFu), ffTruncated},
      {"collection face past the end", edited(ttc, 16, 0xFFFFFFF0u), ffBadCollection},
      {"collection face that is no font", edited(ttc, 16, 0), ffBadSignature},
  };
  EXPECT_GT(tables, 10u);
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    const TFontFileInfo info = ParseFontData(c.bytes);
    EXPECT_EQ(info.Error, c.error);
    EXPECT_TRUE(info.Faces.empty());
    EXPECT_EQ(FontRegistryName(info), L"");
  }
}

// Seeded random damage to a real font's directory and name table: a result or an error, never a crash.
TEST(FontFile, RandomlyDamagedFontsGiveANameOrAnError) {
  const std::string sans = ReadSystemFont(L"truetype\\dejavu\\DejaVuSans.ttf");
  size_t nameAt = 0, nameLength = 0;
  for (const auto& span : test::TableSpans(sans))
    if (span.Tag == "name") nameAt = span.Offset, nameLength = span.Length;
  ASSERT_GT(nameLength, 0u);
  const size_t directoryEnd = 12 + 16 * test::TableSpans(sans).size();
  std::mt19937 random(20240613);
  size_t named = 0, failed = 0;
  for (int run = 0; run < 3000; ++run) {
    std::string bytes = sans;
    const int flips = 1 + static_cast<int>(random() % 8);
    for (int i = 0; i < flips; ++i) {
      const bool inDirectory = random() % 2 == 0;
      const size_t at = inDirectory ? random() % directoryEnd : nameAt + random() % std::min<size_t>(nameLength, 400);
      bytes[at] = static_cast<char>(random());
    }
    if (random() % 4 == 0) bytes.resize(random() % bytes.size());
    const TFontFileInfo info = ParseFontData(bytes);
    if (info.Error == ffOk) {
      ++named;
      ASSERT_EQ(info.Faces.size(), 1u);
      EXPECT_FALSE(info.Faces[0].FullName.empty());
    } else {
      ++failed;
      EXPECT_TRUE(info.Faces.empty());
    }
  }
  EXPECT_GT(named, 0u);
  EXPECT_GT(failed, 0u);
}

}  // namespace
}  // namespace tessera
