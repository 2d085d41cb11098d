// The sfnt writer and reader of the font fixtures.
#include "support/FontFixtures.h"

#include <algorithm>
#include <set>
#include <stdexcept>

#include "base/FileBytes.h"

namespace tessera::test {
namespace {

uint32_t GetU32(std::string_view bytes, size_t offset) {
  if (offset + 4 > bytes.size()) throw std::runtime_error("font fixture: read past the end");
  return (uint32_t(uint8_t(bytes[offset])) << 24) | (uint32_t(uint8_t(bytes[offset + 1])) << 16) |
         (uint32_t(uint8_t(bytes[offset + 2])) << 8) | uint32_t(uint8_t(bytes[offset + 3]));
}
uint16_t GetU16(std::string_view bytes, size_t offset) {
  if (offset + 2 > bytes.size()) throw std::runtime_error("font fixture: read past the end");
  return uint16_t((uint8_t(bytes[offset]) << 8) | uint8_t(bytes[offset + 1]));
}

uint32_t Checksum(std::string_view data) {
  uint32_t sum = 0;
  for (size_t i = 0; i < data.size(); i += 4) {
    uint32_t word = 0;
    for (size_t k = 0; k < 4; ++k) word = (word << 8) | (i + k < data.size() ? uint8_t(data[i + k]) : 0);
    sum += word;
  }
  return sum;
}

void Pad4(std::string& bytes) {
  while (bytes.size() % 4) bytes += '\0';
}

// The offset table and directory of one face whose tables start at tablesAt (each padded to four bytes).
std::string Directory(const TSfnt& font, size_t tablesAt) {
  std::vector<const TSfntTable*> sorted;
  for (const auto& table : font.Tables) sorted.push_back(&table);
  std::sort(sorted.begin(), sorted.end(), [](auto* a, auto* b) { return a->Tag < b->Tag; });
  const uint16_t count = static_cast<uint16_t>(sorted.size());
  uint16_t entrySelector = 0;
  while ((2u << entrySelector) <= count) ++entrySelector;
  const uint16_t searchRange = uint16_t(16u << entrySelector);
  std::string header(12 + 16 * count, '\0');
  PutU32(header, 0, font.Version);
  PutU16(header, 4, count);
  PutU16(header, 6, searchRange);
  PutU16(header, 8, entrySelector);
  PutU16(header, 10, uint16_t(count * 16 - searchRange));
  // Tables go in the order of font.Tables; the directory is sorted by tag.
  std::vector<size_t> offsets;
  size_t at = tablesAt;
  for (const auto& table : font.Tables) {
    offsets.push_back(at);
    at += (table.Data.size() + 3) / 4 * 4;
  }
  for (uint16_t i = 0; i < count; ++i) {
    const TSfntTable& table = *sorted[i];
    const size_t index = static_cast<size_t>(&table - font.Tables.data());
    const size_t record = 12 + 16 * size_t(i);
    header.replace(record, 4, table.Tag.substr(0, 4));
    PutU32(header, record + 4, Checksum(table.Data));
    PutU32(header, record + 8, static_cast<uint32_t>(offsets[index]));
    PutU32(header, record + 12, static_cast<uint32_t>(table.Data.size()));
  }
  return header;
}

std::string Tables(const TSfnt& font) {
  std::string bytes;
  for (const auto& table : font.Tables) {
    bytes += table.Data;
    Pad4(bytes);
  }
  return bytes;
}

std::string MacRoman(const std::wstring& text) {
  std::string bytes;
  for (wchar_t c : text) bytes += c < 128 ? static_cast<char>(c) : '?';
  return bytes;
}

}  // namespace

void PutU16(std::string& bytes, size_t offset, uint16_t value) {
  bytes[offset] = static_cast<char>(value >> 8);
  bytes[offset + 1] = static_cast<char>(value & 0xFF);
}
void PutU32(std::string& bytes, size_t offset, uint32_t value) {
  PutU16(bytes, offset, uint16_t(value >> 16));
  PutU16(bytes, offset + 2, uint16_t(value & 0xFFFF));
}

std::string FontListBytes(const std::vector<std::wstring>& files) {
  std::string bytes = "\xFF\xFE";
  for (const auto& file : files)
    for (wchar_t c : file + L"\r\n") {
      bytes += static_cast<char>(c & 0xFF);
      bytes += static_cast<char>(c >> 8);
    }
  return bytes;
}

std::wstring SystemFontPath(const std::wstring& relative) { return L"Z:\\usr\\share\\fonts\\" + relative; }

std::string ReadSystemFont(const std::wstring& relative) {
  std::string bytes;
  if (!ReadFileBytes(SystemFontPath(relative), bytes))
    throw std::runtime_error("font fixture: a font of Debian's font packages is missing (run scripts/setup)");
  return bytes;
}

std::vector<TTableSpan> TableSpans(std::string_view bytes) {
  std::vector<TTableSpan> spans;
  const uint16_t count = GetU16(bytes, 4);
  for (uint16_t i = 0; i < count; ++i) {
    const size_t record = 12 + 16 * size_t(i);
    spans.push_back({std::string(bytes.substr(record, 4)), GetU32(bytes, record + 8), GetU32(bytes, record + 12)});
  }
  return spans;
}

TSfnt SplitSfnt(std::string_view bytes) {
  TSfnt font;
  font.Version = GetU32(bytes, 0);
  for (const auto& span : TableSpans(bytes)) {
    if (span.Offset + span.Length > bytes.size()) throw std::runtime_error("font fixture: table past the end");
    font.Tables.push_back({span.Tag, std::string(bytes.substr(span.Offset, span.Length))});
  }
  return font;
}

std::vector<size_t> TableBoundaries(std::string_view bytes) {
  std::set<size_t> cuts = {0, 4, 12, 12 + 16 * size_t(GetU16(bytes, 4))};
  for (const auto& span : TableSpans(bytes)) {
    cuts.insert(span.Offset);
    cuts.insert(span.Offset + span.Length);
    if (span.Length > 0) cuts.insert(span.Offset + span.Length - 1);
  }
  std::vector<size_t> result;
  for (size_t cut : cuts)
    if (cut < bytes.size()) result.push_back(cut);
  return result;
}

std::string JoinSfnt(const TSfnt& font) {
  const size_t tablesAt = 12 + 16 * font.Tables.size();
  return Directory(font, tablesAt) + Tables(font);
}

std::string JoinCollection(const std::vector<TSfnt>& faces) {
  const size_t headerSize = 12 + 4 * faces.size();
  std::string header(headerSize, '\0');
  header.replace(0, 4, "ttcf");
  PutU16(header, 4, 1);
  PutU16(header, 6, 0);
  PutU32(header, 8, static_cast<uint32_t>(faces.size()));
  // Layout: header, every face's directory, then every face's tables.
  std::vector<size_t> directoryAt;
  size_t at = headerSize;
  for (const auto& face : faces) {
    directoryAt.push_back(at);
    at += 12 + 16 * face.Tables.size();
  }
  std::string directories, tables;
  for (size_t i = 0; i < faces.size(); ++i) {
    PutU32(header, 12 + 4 * i, static_cast<uint32_t>(directoryAt[i]));
    directories += Directory(faces[i], at + tables.size());
    tables += Tables(faces[i]);
  }
  return header + directories + tables;
}

std::string Utf16Be(const std::wstring& text) {
  std::string bytes;
  for (wchar_t c : text) {
    bytes += static_cast<char>(c >> 8);
    bytes += static_cast<char>(c & 0xFF);
  }
  return bytes;
}

std::string NameTable(const std::vector<TNameRecord>& records) {
  const size_t stringsAt = 6 + 12 * records.size();
  std::string table(stringsAt, '\0');
  PutU16(table, 0, 0);
  PutU16(table, 2, static_cast<uint16_t>(records.size()));
  PutU16(table, 4, static_cast<uint16_t>(stringsAt));
  std::string strings;
  for (size_t i = 0; i < records.size(); ++i) {
    const auto& r = records[i];
    const size_t at = 6 + 12 * i;
    PutU16(table, at, r.Platform);
    PutU16(table, at + 2, r.Encoding);
    PutU16(table, at + 4, r.Language);
    PutU16(table, at + 6, r.NameId);
    PutU16(table, at + 8, static_cast<uint16_t>(r.Bytes.size()));
    PutU16(table, at + 10, static_cast<uint16_t>(strings.size()));
    strings += r.Bytes;
  }
  return table + strings;
}

TSfnt WithTable(TSfnt font, const std::string& tag, std::string data) {
  for (auto& table : font.Tables)
    if (table.Tag == tag) {
      table.Data = std::move(data);
      return font;
    }
  font.Tables.push_back({tag, std::move(data)});
  return font;
}

TSfnt RenamedFace(std::string_view bytes, const std::wstring& family, const std::wstring& subfamily) {
  const std::wstring full = subfamily == L"Regular" ? family : family + L" " + subfamily;
  std::wstring postscript;
  for (wchar_t c : family + L"-" + subfamily)
    if (c != L' ') postscript += c;
  const std::pair<uint16_t, std::wstring> names[] = {
      {1, family}, {2, subfamily}, {3, L"Tessera fixture: " + full}, {4, full}, {6, postscript}};
  std::vector<TNameRecord> records;
  for (const auto& [id, text] : names) records.push_back({1, 0, 0, id, MacRoman(text)});
  for (const auto& [id, text] : names) records.push_back({3, 1, 0x409, id, Utf16Be(text)});
  return WithTable(SplitSfnt(bytes), "name", NameTable(records));
}

std::string RenamedFont(std::string_view bytes, const std::wstring& family, const std::wstring& subfamily) {
  return JoinSfnt(RenamedFace(bytes, family, subfamily));
}

}  // namespace tessera::test
