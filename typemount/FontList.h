// The list file the shell extension hands over: UTF-16 LE with a byte-order mark, one full font path per
// line, every line ended by CR LF.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace tessera {

struct TListedFont {
  std::wstring Path;
  std::wstring Problem;  // why the entry is skipped; empty when it names a font file that exists
};

// The paths of a list file's bytes, blank lines left out. False when the bytes are no UTF-16 LE text with
// its byte-order mark.
bool DecodeFontList(std::string_view bytes, std::vector<std::wstring>& paths);

// Why a listed path cannot be used (not a full path, missing, a folder, not a .ttf/.otf/.ttc file); empty
// when it can.
std::wstring ListedPathProblem(const std::wstring& path);

// Reads the list file: every path once (the first time it is listed), each with its problem. Throws
// TesseraError when the file cannot be read or is no font list.
std::vector<TListedFont> ReadFontList(const std::wstring& listFile);

}  // namespace tessera
