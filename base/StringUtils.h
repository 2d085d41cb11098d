// Text helpers of every layer: splitting, joining, trimming, ASCII case folding, replacing, whole numbers,
// UTF-8 conversion and formatting.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "base/ResourceString.h"

namespace tessera {

constexpr bool IsBlankOrControl(wchar_t _c) noexcept { return _c <= 32; }
constexpr wchar_t AsciiLower(wchar_t _c) noexcept { return (_c >= L'A' && _c <= L'Z') ? wchar_t(_c + 32) : _c; }
constexpr wchar_t AsciiUpper(wchar_t _c) noexcept { return (_c >= L'a' && _c <= L'z') ? wchar_t(_c - 32) : _c; }

// Splits at every one of the separator characters; with dropEmpty, empty pieces are left out. Pieces are
// not trimmed.
std::vector<std::wstring> SplitText(std::wstring_view text, std::wstring_view separators, bool dropEmpty);
inline std::vector<std::wstring> SplitText(std::wstring_view text, wchar_t separator, bool dropEmpty) {
  return SplitText(text, std::wstring_view(&separator, 1), dropEmpty);
}
std::wstring JoinText(const std::vector<std::wstring>& items, std::wstring_view separator);

// Removes blanks and control characters (code <= 32) at both ends, the start or the end.
std::wstring_view TrimView(std::wstring_view text) noexcept;
std::wstring_view TrimLeftView(std::wstring_view text) noexcept;
std::wstring_view TrimRightView(std::wstring_view text) noexcept;
inline std::wstring TrimText(std::wstring_view text) { return std::wstring(TrimView(text)); }
inline std::wstring TrimLeftText(std::wstring_view text) { return std::wstring(TrimLeftView(text)); }
inline std::wstring TrimRightText(std::wstring_view text) { return std::wstring(TrimRightView(text)); }

// Equal when they differ only in the case of ASCII letters.
bool SameTextAscii(std::wstring_view a, std::wstring_view b) noexcept;
// Folds A-Z to a-z; every other character stays, so positions in the result are those of the text.
std::wstring LowerAscii(std::wstring_view text);
// Every occurrence of pattern (or, with firstOnly, the first), in any case of ASCII letters, replaced.
std::wstring ReplaceIgnoringCase(std::wstring_view text, std::wstring_view pattern, std::wstring_view replacement,
                                 bool firstOnly = false);

// Decimal whole number with an optional sign; no blanks, no other characters.
bool TryParseInt32(std::wstring_view text, int& value) noexcept;
// Hexadecimal digits only (at most 8 after leading zeros); the 32 bits are taken as a signed number.
bool TryParseHexInt32(std::wstring_view text, int& value) noexcept;
// Decimal digits only, no sign.
bool TryParseUInt64Digits(std::wstring_view text, std::int64_t& value) noexcept;
std::wstring IntToText(long long value);

std::wstring Utf8ToWide(const std::string& text);
std::string WideToUtf8(const std::wstring& text);

// swprintf-style formatting into a text of any length; %s takes a wide text (the CRT's wide rules).
std::wstring FormatText(const wchar_t* fmt, ...);
// The same with a format from the string table.
template <typename... Args>
std::wstring FormatText(const TResText& fmt, Args... args) {
  return FormatText(fmt.str().c_str(), args...);
}

}  // namespace tessera
