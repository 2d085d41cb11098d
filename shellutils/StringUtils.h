// Text helpers: splitting, trimming, ASCII case folding, UTF-8 conversion, formatting and path parts.
#pragma once

#include <string>
#include <vector>

#include "settings/ResourceString.h"

namespace tessera {

// Splits at every sep; with dropEmpty, empty pieces are left out.
std::vector<std::wstring> SplitText(const std::wstring& text, wchar_t sep, bool dropEmpty);

// Remove blanks and control characters (code <= 32) at both ends, the start or the end.
std::wstring TrimText(const std::wstring& text);
std::wstring TrimLeftText(const std::wstring& text);
std::wstring TrimRightText(const std::wstring& text);

// Equal when they differ only in the case of ASCII letters.
bool SameTextAscii(const std::wstring& a, const std::wstring& b);
// Folds A-Z to a-z; every other character stays.
std::wstring LowerAscii(std::wstring text);

std::wstring Utf8ToWide(const std::string& text);
std::string WideToUtf8(const std::wstring& text);

// swprintf-style formatting into a text of any length; %s takes a wide text (the CRT's wide rules).
std::wstring FormatText(const wchar_t* fmt, ...);
// The same with a format from the string table.
template <typename... Args>
std::wstring FormatText(const TResText& fmt, Args... args) {
  return FormatText(fmt.str().c_str(), args...);
}

// Path parts. A path's folder part ends at its last backslash or colon.
// Appends a backslash unless the path already ends with one; an empty path stays empty.
std::wstring IncludeTrailingBackslash(std::wstring path);
std::wstring ExtractFilePath(const std::wstring& path);  // folder part, with its trailing backslash
std::wstring ExtractFileName(const std::wstring& path);
std::wstring ExtractFileExt(const std::wstring& path);   // ".ext" from the last dot of the name, or empty

}  // namespace tessera
