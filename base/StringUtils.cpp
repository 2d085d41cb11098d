#include "base/StringUtils.h"

#include <windows.h>

#include <cstdarg>
#include <cwchar>
#include <limits>

#include "base/TextEncoding.h"

namespace tessera {

std::vector<std::wstring> SplitText(std::wstring_view text, std::wstring_view separators, bool dropEmpty) {
  std::vector<std::wstring> pieces;
  size_t start = 0;
  for (;;) {
    size_t pos = text.find_first_of(separators, start);
    std::wstring_view piece = text.substr(start, pos == std::wstring_view::npos ? std::wstring_view::npos : pos - start);
    if (!piece.empty() || !dropEmpty) pieces.emplace_back(piece);
    if (pos == std::wstring_view::npos) break;
    start = pos + 1;
  }
  return pieces;
}

std::wstring JoinText(const std::vector<std::wstring>& items, std::wstring_view separator) {
  std::wstring r;
  for (size_t i = 0; i < items.size(); ++i) {
    if (i > 0) r += separator;
    r += items[i];
  }
  return r;
}

std::wstring_view TrimLeftView(std::wstring_view text) noexcept {
  size_t i = 0;
  while (i < text.size() && IsBlankOrControl(text[i])) ++i;
  return text.substr(i);
}

std::wstring_view TrimRightView(std::wstring_view text) noexcept {
  size_t n = text.size();
  while (n > 0 && IsBlankOrControl(text[n - 1])) --n;
  return text.substr(0, n);
}

std::wstring_view TrimView(std::wstring_view text) noexcept { return TrimRightView(TrimLeftView(text)); }

bool SameTextAscii(std::wstring_view a, std::wstring_view b) noexcept {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i)
    if (AsciiLower(a[i]) != AsciiLower(b[i])) return false;
  return true;
}

std::wstring LowerAscii(std::wstring_view text) {
  std::wstring r(text);
  for (wchar_t& c : r) c = AsciiLower(c);
  return r;
}

std::wstring ReplaceIgnoringCase(std::wstring_view text, std::wstring_view pattern, std::wstring_view replacement,
                                 bool firstOnly) {
  if (pattern.empty()) return std::wstring(text);
  const std::wstring folded = LowerAscii(text);
  const std::wstring foldedPattern = LowerAscii(pattern);
  std::wstring result;
  size_t from = 0;
  for (size_t at = folded.find(foldedPattern); at != std::wstring::npos; at = folded.find(foldedPattern, from)) {
    result.append(text.substr(from, at - from)).append(replacement);
    from = at + pattern.size();
    if (firstOnly) break;
  }
  result.append(text.substr(from));
  return result;
}

bool TryParseInt32(std::wstring_view text, int& value) noexcept {
  size_t i = 0;
  bool negative = false;
  if (i < text.size() && (text[i] == L'+' || text[i] == L'-')) negative = text[i++] == L'-';
  if (i == text.size()) return false;
  long long n = 0;
  for (; i < text.size(); ++i) {
    wchar_t c = text[i];
    if (c < L'0' || c > L'9') return false;
    n = n * 10 + (c - L'0');
    if (n > 2147483648LL) return false;
  }
  if (negative) n = -n;
  if (n > std::numeric_limits<int>::max() || n < std::numeric_limits<int>::min()) return false;
  value = static_cast<int>(n);
  return true;
}

bool TryParseHexInt32(std::wstring_view text, int& value) noexcept {
  if (text.empty()) return false;
  while (text.size() > 1 && text[0] == L'0') text.remove_prefix(1);
  if (text.size() > 8) return false;
  std::uint32_t n = 0;
  for (wchar_t c : text) {
    unsigned d;
    if (c >= L'0' && c <= L'9') d = c - L'0';
    else if (c >= L'a' && c <= L'f') d = c - L'a' + 10;
    else if (c >= L'A' && c <= L'F') d = c - L'A' + 10;
    else return false;
    n = (n << 4) | d;
  }
  value = static_cast<int>(n);
  return true;
}

bool TryParseUInt64Digits(std::wstring_view text, std::int64_t& value) noexcept {
  if (text.empty()) return false;
  std::int64_t n = 0;
  for (wchar_t c : text) {
    if (c < L'0' || c > L'9') return false;
    int d = c - L'0';
    if (n > (std::numeric_limits<std::int64_t>::max() - d) / 10) return false;
    n = n * 10 + d;
  }
  value = n;
  return true;
}

std::wstring IntToText(long long value) { return std::to_wstring(value); }

std::wstring Utf8ToWide(const std::string& text) { return DecodeCodePage(CP_UTF8, text); }

std::string WideToUtf8(const std::wstring& text) { return EncodeCodePage(CP_UTF8, text); }

// The CRT's own wide formatter: %s takes a wide text there (MinGW's C99 swprintf would take a narrow one).
std::wstring FormatText(const wchar_t* fmt, ...) {
  va_list args;
  va_start(args, fmt);
  va_list measure;
  va_copy(measure, args);
  int n = ::_vscwprintf(fmt, measure);
  va_end(measure);
  std::wstring result;
  if (n > 0) {
    result.resize(static_cast<size_t>(n) + 1);
    int written = ::_vsnwprintf(result.data(), result.size(), fmt, args);
    result.resize(written < 0 ? 0 : static_cast<size_t>(written));
  }
  va_end(args);
  return result;
}

}  // namespace tessera
