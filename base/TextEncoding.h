// Text encodings of files: detection by byte-order mark, decoding and encoding.
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <string_view>

namespace tessera {

// teAnsi is the system's ANSI code page and has no byte-order mark; the others are written with theirs.
enum TTextEncoding : int { teAnsi, teUtf8, teUtf16LE, teUtf16BE };

// The byte-order mark of an encoding; empty for teAnsi.
std::string_view EncodingPreamble(TTextEncoding _encoding) noexcept;

// The encoding a byte-order mark at the start of the bytes names (UTF-8, then UTF-16 LE, then UTF-16 BE),
// or none.
std::optional<TTextEncoding> DetectPreamble(std::string_view _bytes) noexcept;

// Decodes a file's bytes. With _encoding, a byte-order mark of that encoding at the start is skipped; without,
// the encoding is taken from the byte-order mark (ANSI when there is none) and returned in _used. Invalid byte
// sequences become U+FFFD; an odd last byte of UTF-16 text is dropped.
std::wstring DecodeText(std::string_view _bytes, std::optional<TTextEncoding> _encoding, TTextEncoding& _used);

// The encoding's byte-order mark followed by the encoded text. Characters the encoding cannot hold are replaced.
std::string EncodeText(std::wstring_view _text, TTextEncoding _encoding);

// Plain conversions through a Windows code page (CP_UTF8, CP_ACP...), without byte-order marks.
std::wstring DecodeCodePage(UINT _codePage, std::string_view _bytes);
std::string EncodeCodePage(UINT _codePage, std::wstring_view _text);

}  // namespace tessera
