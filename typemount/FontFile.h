// What a TrueType or OpenType file says about itself: its faces' full names (from the "name" table) and
// whether its outlines are TrueType (glyf) or CFF. The bytes come from outside, so every offset and length
// is checked against the data before it is used.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace tessera {

enum TFontOutline { foTrueType, foOpenType };

// Why a file is no usable font; ffOk when it is.
enum TFontFormatError {
  ffOk,
  ffEmpty,          // zero bytes
  ffTruncated,      // a header or the table directory is cut off
  ffBadSignature,   // not a TrueType, OpenType or collection signature
  ffBadCollection,  // the collection header is damaged
  ffTableOutside,   // a table lies (partly) past the end of the file
  ffNoNameTable,
  ffBadNameTable,  // the name table's header or records do not fit into it
  ffNoFullName,    // no readable full name (name ID 4)
};

struct TFontFace {
  std::wstring FullName;
  TFontOutline Outline = foTrueType;
};

struct TFontFileInfo {
  TFontFormatError Error = ffOk;
  bool Collection = false;
  std::vector<TFontFace> Faces;  // one for a single font, one per face of a collection; empty on error
};

// Parses a whole font file held in memory.
TFontFileInfo ParseFontData(std::string_view data);

// The name Windows registers the font under: the faces' full names joined by " & ", then " (TrueType)" or
// " (OpenType)" after the outlines of the first face. Empty for a file with an error.
std::wstring FontRegistryName(const TFontFileInfo& info);

// Reads and parses a font file; the file's bytes go to bytes when asked for. Throws TesseraError with the
// reason when the file cannot be read or is no usable font.
TFontFileInfo ReadFontFile(const std::wstring& path, std::string* bytes = nullptr);

// The user-facing reason for a format error (empty for ffOk).
std::wstring FontFormatErrorText(TFontFormatError error);

}  // namespace tessera
