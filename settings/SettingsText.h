// Small text helpers of the settings engine (kept here so that the engine links no other library).
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace tessera::settings {

inline constexpr wchar_t kInheritText[] = L"inherit";

constexpr bool IsBlankOrControl(wchar_t _c) noexcept { return _c <= 32; }
constexpr wchar_t AsciiLower(wchar_t _c) noexcept { return (_c >= L'A' && _c <= L'Z') ? wchar_t(_c + 32) : _c; }
constexpr wchar_t AsciiUpper(wchar_t _c) noexcept { return (_c >= L'a' && _c <= L'z') ? wchar_t(_c - 32) : _c; }

// Removes leading and/or trailing characters with code <= 32.
std::wstring_view TrimView(std::wstring_view _text) noexcept;
std::wstring_view TrimLeftView(std::wstring_view _text) noexcept;
std::wstring_view TrimRightView(std::wstring_view _text) noexcept;
inline std::wstring Trim(std::wstring_view _text) { return std::wstring(TrimView(_text)); }

std::wstring AsciiLowerCase(std::wstring_view _text);
// Equality that folds only the ASCII letters.
bool SameTextAscii(std::wstring_view _a, std::wstring_view _b) noexcept;

// Decimal whole number with an optional sign; no blanks, no other characters.
bool TryParseInt32(std::wstring_view _text, int& _value) noexcept;
// Hexadecimal digits only (at most 8 after leading zeros); the 32 bits are taken as a signed number.
bool TryParseHexInt32(std::wstring_view _text, int& _value) noexcept;
// Decimal digits only, no sign.
bool TryParseUInt64Digits(std::wstring_view _text, std::int64_t& _value) noexcept;

std::wstring IntToText(long long _value);

// Splits at any of the separator characters; empty pieces are dropped when asked.
std::vector<std::wstring> SplitText(std::wstring_view _text, std::wstring_view _separators, bool _dropEmpty);
std::wstring JoinText(const std::vector<std::wstring>& _items, std::wstring_view _separator);

// The system's text for an error code, without the trailing line break.
std::wstring SystemErrorText(unsigned long _errorCode);

}  // namespace tessera::settings
