// Font files for the font helper's tests: Debian's fonts as Wine sees them, and fonts built from their
// tables (renamed faces, collections, hand-made name tables) by a small writer of the sfnt format.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace tessera::test {

// A file under /usr/share/fonts (Wine's Z: drive), for example L"truetype\\dejavu\\DejaVuSans.ttf".
std::wstring SystemFontPath(const std::wstring& relative);
// Its bytes; throws std::runtime_error when the file is missing (scripts/setup installs the packages).
std::string ReadSystemFont(const std::wstring& relative);

struct TSfntTable {
  std::string Tag;  // four characters
  std::string Data;
};
struct TSfnt {
  uint32_t Version = 0x00010000;
  std::vector<TSfntTable> Tables;
};

// The tables of a single font (trusted input: Debian's fonts).
TSfnt SplitSfnt(std::string_view bytes);
// A font file of the tables, each on a four-byte boundary, with a sorted directory and table checksums.
std::string JoinSfnt(const TSfnt& font);
// A TrueType collection ("ttcf" version 1) of the faces; each face keeps its own copy of its tables.
std::string JoinCollection(const std::vector<TSfnt>& faces);

// Where each table of a single font lies in the file.
struct TTableSpan {
  std::string Tag;
  size_t Offset = 0, Length = 0;
};
std::vector<TTableSpan> TableSpans(std::string_view bytes);
// Every boundary a truncation can cut at: the ends of the headers and the start and end of every table,
// sorted, without duplicates, each below the file size.
std::vector<size_t> TableBoundaries(std::string_view bytes);

struct TNameRecord {
  uint16_t Platform, Encoding, Language, NameId;
  std::string Bytes;  // the encoded string
};
// A format 0 name table holding the records in the given order, their strings one after another.
std::string NameTable(const std::vector<TNameRecord>& records);
std::string Utf16Be(const std::wstring& text);
// The table with the tag replaced (or added).
TSfnt WithTable(TSfnt font, const std::string& tag, std::string data);

// The font with a new name table: family, subfamily, full and PostScript names in Windows (3/1/0x409) and
// Macintosh Roman (1/0/0) records, so that GDI lists it under a family no other font has.
std::string RenamedFont(std::string_view bytes, const std::wstring& family, const std::wstring& subfamily);
TSfnt RenamedFace(std::string_view bytes, const std::wstring& family, const std::wstring& subfamily);

// A font list as the font commands write it: UTF-16 LE with byte-order mark, every line ended by CR LF.
std::string FontListBytes(const std::vector<std::wstring>& files);

// Big-endian writes into a byte string (which must be large enough).
void PutU16(std::string& bytes, size_t offset, uint16_t value);
void PutU32(std::string& bytes, size_t offset, uint32_t value);

}  // namespace tessera::test
