#include "settings/SettingsText.h"

#include <windows.h>

#include "shellutils/Handles.h"

#include <limits>

namespace tessera::settings {

std::wstring_view TrimLeftView(std::wstring_view _text) noexcept {
  size_t i = 0;
  while (i < _text.size() && IsBlankOrControl(_text[i])) ++i;
  return _text.substr(i);
}

std::wstring_view TrimRightView(std::wstring_view _text) noexcept {
  size_t n = _text.size();
  while (n > 0 && IsBlankOrControl(_text[n - 1])) --n;
  return _text.substr(0, n);
}

std::wstring_view TrimView(std::wstring_view _text) noexcept { return TrimRightView(TrimLeftView(_text)); }

std::wstring AsciiLowerCase(std::wstring_view _text) {
  std::wstring r(_text);
  for (wchar_t& c : r) c = AsciiLower(c);
  return r;
}

bool SameTextAscii(std::wstring_view _a, std::wstring_view _b) noexcept {
  if (_a.size() != _b.size()) return false;
  for (size_t i = 0; i < _a.size(); ++i)
    if (AsciiLower(_a[i]) != AsciiLower(_b[i])) return false;
  return true;
}

bool TryParseInt32(std::wstring_view _text, int& _value) noexcept {
  size_t i = 0;
  bool negative = false;
  if (i < _text.size() && (_text[i] == L'+' || _text[i] == L'-')) negative = _text[i++] == L'-';
  if (i == _text.size()) return false;
  long long n = 0;
  for (; i < _text.size(); ++i) {
    wchar_t c = _text[i];
    if (c < L'0' || c > L'9') return false;
    n = n * 10 + (c - L'0');
    if (n > 2147483648LL) return false;
  }
  if (negative) n = -n;
  if (n > std::numeric_limits<int>::max() || n < std::numeric_limits<int>::min()) return false;
  _value = static_cast<int>(n);
  return true;
}

bool TryParseHexInt32(std::wstring_view _text, int& _value) noexcept {
  if (_text.empty()) return false;
  while (_text.size() > 1 && _text[0] == L'0') _text.remove_prefix(1);
  if (_text.size() > 8) return false;
  std::uint32_t n = 0;
  for (wchar_t c : _text) {
    unsigned d;
    if (c >= L'0' && c <= L'9') d = c - L'0';
    else if (c >= L'a' && c <= L'f') d = c - L'a' + 10;
    else if (c >= L'A' && c <= L'F') d = c - L'A' + 10;
    else return false;
    n = (n << 4) | d;
  }
  _value = static_cast<int>(n);
  return true;
}

bool TryParseUInt64Digits(std::wstring_view _text, std::int64_t& _value) noexcept {
  if (_text.empty()) return false;
  std::int64_t n = 0;
  for (wchar_t c : _text) {
    if (c < L'0' || c > L'9') return false;
    int d = c - L'0';
    if (n > (std::numeric_limits<std::int64_t>::max() - d) / 10) return false;
    n = n * 10 + d;
  }
  _value = n;
  return true;
}

std::wstring IntToText(long long _value) { return std::to_wstring(_value); }

std::vector<std::wstring> SplitText(std::wstring_view _text, std::wstring_view _separators, bool _dropEmpty) {
  std::vector<std::wstring> pieces;
  size_t start = 0;
  for (;;) {
    size_t pos = _text.find_first_of(_separators, start);
    std::wstring_view piece = _text.substr(start, pos == std::wstring_view::npos ? std::wstring_view::npos : pos - start);
    if (!piece.empty() || !_dropEmpty) pieces.emplace_back(piece);
    if (pos == std::wstring_view::npos) break;
    start = pos + 1;
  }
  return pieces;
}

std::wstring JoinText(const std::vector<std::wstring>& _items, std::wstring_view _separator) {
  std::wstring r;
  for (size_t i = 0; i < _items.size(); ++i) {
    if (i > 0) r += _separator;
    r += _items[i];
  }
  return r;
}

std::wstring SystemErrorText(unsigned long _errorCode) {
  wchar_t* buffer = nullptr;
  DWORD n = ::FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                             nullptr, _errorCode, 0, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
  UniqueLocal owner(buffer);
  std::wstring text;
  if (n != 0 && buffer) text.assign(buffer, n);
  while (!text.empty() && (text.back() == L'\r' || text.back() == L'\n' || text.back() == L' ')) text.pop_back();
  if (text.empty()) text = L"System error " + std::to_wstring(_errorCode) + L".";
  return text;
}

}  // namespace tessera::settings
