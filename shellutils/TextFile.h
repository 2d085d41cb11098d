// Whole-file text reading and writing with byte-order marks.
#pragma once

#include <optional>
#include <string>

#include "base/TextEncoding.h"  // TTextEncoding, shared with the settings file

namespace tessera {

// Reads the whole file; a byte-order mark picks the encoding, otherwise the ANSI code page. False when it cannot be opened.
bool ReadTextFile(const std::wstring& path, std::wstring& text);
// Replaces the file with text in encoding (ANSI when absent), preceded by its byte-order mark when writeBOM.
bool WriteTextFile(const std::wstring& path, const std::wstring& text, std::optional<TTextEncoding> encoding,
                   bool writeBOM);

}  // namespace tessera
