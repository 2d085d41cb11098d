// TrueType/OpenType parsing: the table directory (of each face of a collection) and the name table.
#include "typemount/FontFile.h"

#include "base/Error.h"
#include "base/ErrorText.h"
#include "base/FileBytes.h"
#include "base/ResourceString.h"
#include "base/StringUtils.h"
#include "base/TextEncoding.h"
#include "typemount/typemount_strings.h"

#include <cstdint>

namespace tessera {
namespace {

constexpr uint32_t Tag(const char (&t)[5]) {
  return (uint32_t(uint8_t(t[0])) << 24) | (uint32_t(uint8_t(t[1])) << 16) | (uint32_t(uint8_t(t[2])) << 8) |
         uint32_t(uint8_t(t[3]));
}

constexpr uint16_t kFullNameId = 4;
constexpr UINT kMacRomanCodePage = 10000;
// Far above any real font (offsets are 32-bit) and small enough to hold in memory in a 32-bit process.
constexpr uint64_t kMaxFontFileSize = 512ull * 1024 * 1024;

// Big-endian reads that refuse to go past the end of the data.
class TBytes {
public:
  explicit TBytes(std::string_view data) : FData(data) {}
  size_t size() const { return FData.size(); }
  // True when [offset, offset + length) lies inside the data.
  bool Holds(uint64_t offset, uint64_t length) const {
    return offset <= FData.size() && length <= FData.size() - offset;
  }
  bool U16(uint64_t offset, uint16_t& value) const {
    if (!Holds(offset, 2)) return false;
    value = uint16_t((Byte(offset) << 8) | Byte(offset + 1));
    return true;
  }
  bool U32(uint64_t offset, uint32_t& value) const {
    if (!Holds(offset, 4)) return false;
    value = (uint32_t(Byte(offset)) << 24) | (uint32_t(Byte(offset + 1)) << 16) | (uint32_t(Byte(offset + 2)) << 8) |
            uint32_t(Byte(offset + 3));
    return true;
  }
  std::string_view Slice(uint64_t offset, uint64_t length) const {
    return FData.substr(static_cast<size_t>(offset), static_cast<size_t>(length));  // callers checked Holds
  }

private:
  uint32_t Byte(uint64_t offset) const { return uint8_t(FData[static_cast<size_t>(offset)]); }
  std::string_view FData;
};

struct TTableRecord {
  uint64_t Offset = 0, Length = 0;
};

// Lower is better: the English Windows name first, then any Windows Unicode name, then Macintosh Roman,
// then the Unicode platform; -1 for encodings whose text cannot be read.
int NameRank(uint16_t platform, uint16_t encoding, uint16_t language) {
  constexpr uint16_t kEnglishUS = 0x409;
  if (platform == 3) {
    if (encoding == 1 && language == kEnglishUS) return 0;
    if (encoding == 10 && language == kEnglishUS) return 1;
    if (encoding == 1 || encoding == 10) return 2;
    if (encoding == 0) return language == kEnglishUS ? 3 : 4;  // symbol fonts: UTF-16 as well
    return -1;
  }
  if (platform == 1 && encoding == 0) return language == 0 ? 5 : 6;
  if (platform == 0) return 7;
  return -1;
}

// The text of a name record: UTF-16 BE except on the Macintosh platform. False for an odd UTF-16 length.
bool DecodeName(uint16_t platform, std::string_view bytes, std::wstring& text) {
  if (platform == 1) {
    text = DecodeCodePage(kMacRomanCodePage, bytes);
  } else {
    if (bytes.size() % 2 != 0) return false;
    text.clear();
    for (size_t i = 0; i < bytes.size(); i += 2) text += wchar_t((uint8_t(bytes[i]) << 8) | uint8_t(bytes[i + 1]));
  }
  if (size_t zero = text.find(L'\0'); zero != std::wstring::npos) text.resize(zero);
  text = TrimText(text);
  return true;
}

TFontFormatError ReadFullName(const TBytes& file, const TTableRecord& table, std::wstring& fullName) {
  const TBytes name(file.Slice(table.Offset, table.Length));
  uint16_t format = 0, count = 0, stringOffset = 0;
  if (!name.U16(0, format) || !name.U16(2, count) || !name.U16(4, stringOffset)) return ffBadNameTable;
  if (format > 1 || !name.Holds(6, uint64_t(count) * 12) || stringOffset > name.size()) return ffBadNameTable;

  int bestRank = -1;
  bool brokenRecord = false;
  for (uint16_t i = 0; i < count; ++i) {
    const uint64_t record = 6 + uint64_t(i) * 12;
    uint16_t platform = 0, encoding = 0, language = 0, nameId = 0, length = 0, offset = 0;
    name.U16(record, platform);
    name.U16(record + 2, encoding);
    name.U16(record + 4, language);
    name.U16(record + 6, nameId);
    name.U16(record + 8, length);
    name.U16(record + 10, offset);
    if (nameId != kFullNameId) continue;
    const int rank = NameRank(platform, encoding, language);
    if (rank < 0 || (bestRank >= 0 && rank >= bestRank)) continue;
    const uint64_t start = uint64_t(stringOffset) + offset;
    std::wstring text;
    if (!name.Holds(start, length) || !DecodeName(platform, name.Slice(start, length), text)) {
      brokenRecord = true;  // runs past the table or is no whole UTF-16 text: another record may serve
      continue;
    }
    if (text.empty()) continue;
    fullName = std::move(text);
    bestRank = rank;
  }
  if (bestRank >= 0) return ffOk;
  return brokenRecord ? ffBadNameTable : ffNoFullName;
}

// One face: the offset table at offset, its table directory and its name table.
TFontFormatError ReadFace(const TBytes& file, uint64_t offset, TFontFace& face) {
  uint32_t version = 0;
  uint16_t numTables = 0;
  if (!file.U32(offset, version) || !file.U16(offset + 4, numTables) || !file.Holds(offset, 12)) return ffTruncated;
  if (version != 0x00010000 && version != Tag("OTTO") && version != Tag("true")) return ffBadSignature;
  const uint64_t directory = offset + 12;
  if (!file.Holds(directory, uint64_t(numTables) * 16)) return ffTruncated;

  bool hasName = false, hasCff = false, hasGlyf = false;
  TTableRecord name;
  for (uint16_t i = 0; i < numTables; ++i) {
    const uint64_t record = directory + uint64_t(i) * 16;
    uint32_t tag = 0, tableOffset = 0, tableLength = 0;
    file.U32(record, tag);
    file.U32(record + 8, tableOffset);
    file.U32(record + 12, tableLength);
    // Every table is checked, not only the ones read here: Windows would read them all.
    if (!file.Holds(tableOffset, tableLength)) return ffTableOutside;
    if (tag == Tag("name")) {
      hasName = true;
      name = {tableOffset, tableLength};
    } else if (tag == Tag("CFF ") || tag == Tag("CFF2")) {
      hasCff = true;
    } else if (tag == Tag("glyf")) {
      hasGlyf = true;
    }
  }
  if (!hasName) return ffNoNameTable;
  face.Outline = hasCff || (!hasGlyf && version == Tag("OTTO")) ? foOpenType : foTrueType;
  return ReadFullName(file, name, face.FullName);
}

}  // namespace

TFontFileInfo ParseFontData(std::string_view data) {
  TFontFileInfo info;
  const TBytes file(data);
  auto fail = [&info](TFontFormatError error) {
    info.Error = error;
    info.Faces.clear();
    return info;
  };
  if (data.empty()) return fail(ffEmpty);
  uint32_t signature = 0;
  if (!file.U32(0, signature)) return fail(ffTruncated);

  if (signature != Tag("ttcf")) {
    TFontFace face;
    if (TFontFormatError error = ReadFace(file, 0, face); error != ffOk) return fail(error);
    info.Faces.push_back(std::move(face));
    return info;
  }

  info.Collection = true;
  uint16_t major = 0;
  uint32_t numFonts = 0;
  if (!file.U16(4, major) || !file.U32(8, numFonts)) return fail(ffTruncated);
  if ((major != 1 && major != 2) || numFonts == 0) return fail(ffBadCollection);
  if (!file.Holds(12, uint64_t(numFonts) * 4)) return fail(ffTruncated);
  for (uint32_t i = 0; i < numFonts; ++i) {
    uint32_t faceOffset = 0;
    file.U32(12 + uint64_t(i) * 4, faceOffset);
    if (!file.Holds(faceOffset, 12)) return fail(ffBadCollection);
    TFontFace face;
    if (TFontFormatError error = ReadFace(file, faceOffset, face); error != ffOk) return fail(error);
    info.Faces.push_back(std::move(face));
  }
  return info;
}

std::wstring FontRegistryName(const TFontFileInfo& info) {
  if (info.Error != ffOk || info.Faces.empty()) return {};
  std::vector<std::wstring> names;
  for (const auto& face : info.Faces) names.push_back(face.FullName);
  return JoinText(names, L" & ") + (info.Faces.front().Outline == foOpenType ? L" (OpenType)" : L" (TrueType)");
}

TFontFileInfo ReadFontFile(const std::wstring& path, std::string* bytes) {
  std::string data;
  if (!ReadFileBytes(path, data, kMaxFontFileSize))
    throw TesseraError(FormatText(TResText{IDS_TM_CANNOT_READ_FONT}, LastErrorText().c_str()));
  TFontFileInfo info = ParseFontData(data);
  if (info.Error != ffOk)
    throw TesseraError(FormatText(TResText{IDS_TM_NOT_A_FONT}, FontFormatErrorText(info.Error).c_str()));
  if (bytes) *bytes = std::move(data);
  return info;
}

std::wstring FontFormatErrorText(TFontFormatError error) {
  switch (error) {
    case ffOk: return {};
    case ffEmpty: return ResString(IDS_TM_FONT_EMPTY);
    case ffTruncated: return ResString(IDS_TM_FONT_TRUNCATED);
    case ffBadSignature: return ResString(IDS_TM_FONT_BAD_SIGNATURE);
    case ffBadCollection: return ResString(IDS_TM_FONT_BAD_COLLECTION);
    case ffTableOutside: return ResString(IDS_TM_FONT_TABLE_OUTSIDE);
    case ffNoNameTable: return ResString(IDS_TM_FONT_NO_NAME_TABLE);
    case ffBadNameTable: return ResString(IDS_TM_FONT_BAD_NAME_TABLE);
    case ffNoFullName: return ResString(IDS_TM_FONT_NO_FULL_NAME);
  }
  return ResString(IDS_TM_FONT_BAD_SIGNATURE);
}

}  // namespace tessera
