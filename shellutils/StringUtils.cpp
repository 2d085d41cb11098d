// Text helpers shared by the extension and the settings program.
#include "shellutils/StringUtils.h"

#include <windows.h>

#include <cstdarg>
#include <cwchar>

namespace tessera {

std::vector<std::wstring> SplitText(const std::wstring& text, wchar_t sep, bool dropEmpty) {
  std::vector<std::wstring> parts;
  size_t start = 0;
  for (;;) {
    size_t end = text.find(sep, start);
    std::wstring part = text.substr(start, end == std::wstring::npos ? std::wstring::npos : end - start);
    if (!dropEmpty || !part.empty()) parts.push_back(std::move(part));
    if (end == std::wstring::npos) break;
    start = end + 1;
  }
  return parts;
}

std::wstring TrimLeftText(const std::wstring& text) {
  size_t i = 0;
  while (i < text.size() && text[i] <= L' ') ++i;
  return text.substr(i);
}

std::wstring TrimRightText(const std::wstring& text) {
  size_t n = text.size();
  while (n > 0 && text[n - 1] <= L' ') --n;
  return text.substr(0, n);
}

std::wstring TrimText(const std::wstring& text) { return TrimLeftText(TrimRightText(text)); }

static wchar_t LowerAsciiChar(wchar_t c) { return (c >= L'A' && c <= L'Z') ? static_cast<wchar_t>(c + 32) : c; }

bool SameTextAscii(const std::wstring& a, const std::wstring& b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i)
    if (LowerAsciiChar(a[i]) != LowerAsciiChar(b[i])) return false;
  return true;
}

std::wstring LowerAscii(std::wstring text) {
  for (auto& c : text) c = LowerAsciiChar(c);
  return text;
}

std::wstring Utf8ToWide(const std::string& text) {
  if (text.empty()) return {};
  int n = ::MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
  if (n <= 0) return {};
  std::wstring result(static_cast<size_t>(n), L'\0');
  ::MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), result.data(), n);
  return result;
}

std::string WideToUtf8(const std::wstring& text) {
  if (text.empty()) return {};
  int n = ::WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
  if (n <= 0) return {};
  std::string result(static_cast<size_t>(n), '\0');
  ::WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), result.data(), n, nullptr, nullptr);
  return result;
}

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

std::wstring IncludeTrailingBackslash(std::wstring path) {
  if (!path.empty() && path.back() != L'\\') path += L'\\';
  return path;
}

static size_t NameStart(const std::wstring& path) {
  size_t sep = path.find_last_of(L"\\:");
  return sep == std::wstring::npos ? 0 : sep + 1;
}

std::wstring ExtractFilePath(const std::wstring& path) { return path.substr(0, NameStart(path)); }

std::wstring ExtractFileName(const std::wstring& path) { return path.substr(NameStart(path)); }

std::wstring ExtractFileExt(const std::wstring& path) {
  size_t dot = path.rfind(L'.');
  if (dot == std::wstring::npos || dot < NameStart(path)) return {};
  return path.substr(dot);
}

}  // namespace tessera
