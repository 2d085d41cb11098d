// ImageMagick's command-line language, as far as the stand-in needs it.
#include "MagickSyntax.h"

#include <cmath>

namespace magick {

namespace {

// ImageMagick tests bytes with isspace in the C locale: only ASCII white space separates words.
bool IsBlank(wchar_t c) { return c == L' ' || c == L'\t' || c == L'\r' || c == L'\n' || c == L'\v' || c == L'\f'; }

bool IsDigit(wchar_t c) { return c >= L'0' && c <= L'9'; }

wchar_t FoldAscii(wchar_t c) { return (c >= L'A' && c <= L'Z') ? static_cast<wchar_t>(c - L'A' + L'a') : c; }

bool StartsWithAscii(const std::wstring& text, const std::wstring& prefix) {
  return text.size() >= prefix.size() && SameTextAscii(text.substr(0, prefix.size()), prefix);
}

bool ParseNumber(const std::wstring& text, size_t& at, double& value) {
  size_t start = at;
  while (at < text.size() && IsDigit(text[at])) ++at;
  if (at < text.size() && text[at] == L'.') {
    ++at;
    while (at < text.size() && IsDigit(text[at])) ++at;
  }
  if (at == start || (at == start + 1 && text[start] == L'.')) return false;
  value = std::wcstod(text.substr(start, at - start).c_str(), nullptr);
  return true;
}

size_t LastSeparator(const std::wstring& path) { return path.find_last_of(L"\\/"); }

}  // namespace

bool SameTextAscii(const std::wstring& a, const std::wstring& b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i)
    if (FoldAscii(a[i]) != FoldAscii(b[i])) return false;
  return true;
}

std::vector<std::wstring> SplitResponseFile(const std::wstring& text) {
  std::vector<std::wstring> words;
  size_t at = 0;
  while (true) {
    while (at < text.size() && IsBlank(text[at])) ++at;
    if (at >= text.size()) break;
    const wchar_t first = text[at];
    if (first == L'"' || first == L'\'') {
      size_t close = text.find(first, at + 1);
      if (close == std::wstring::npos) close = text.size();
      words.push_back(text.substr(at + 1, close - at - 1));
      at = close;
      while (at < text.size() && !IsBlank(text[at])) ++at;  // closing quote and anything glued to it
    } else {
      size_t end = at;
      while (end < text.size() && !IsBlank(text[end])) ++end;
      words.push_back(text.substr(at, end - at));
      at = end;
    }
  }
  return words;
}

bool SplitFrameSelector(const std::wstring& argument, std::wstring& name, std::vector<size_t>& frames) {
  name = argument;
  frames.clear();
  if (argument.empty() || argument.back() != L']') return false;
  const size_t open = argument.rfind(L'[');
  if (open == std::wstring::npos || open == 0) return false;
  const std::wstring inside = argument.substr(open + 1, argument.size() - open - 2);
  if (inside.empty()) return false;
  std::vector<size_t> result;
  size_t at = 0;
  while (at < inside.size()) {
    size_t start = at;
    while (at < inside.size() && IsDigit(inside[at])) ++at;
    if (at == start) return false;
    size_t first = std::stoul(inside.substr(start, at - start));
    size_t last = first;
    if (at < inside.size() && inside[at] == L'-') {
      start = ++at;
      while (at < inside.size() && IsDigit(inside[at])) ++at;
      if (at == start) return false;
      last = std::stoul(inside.substr(start, at - start));
    }
    if (last < first || last - first > 10000) return false;
    for (size_t f = first; f <= last; ++f) result.push_back(f);
    if (at < inside.size()) {
      if (inside[at] != L',') return false;
      ++at;
    }
  }
  name = argument.substr(0, open);
  frames = std::move(result);
  return true;
}

std::wstring InterpretFilename(const std::wstring& format, size_t scene, const Properties* properties, bool& changed) {
  changed = false;
  std::wstring result;
  for (size_t i = 0; i < format.size(); ++i) {
    const wchar_t c = format[i];
    if (c != L'%' || i + 1 >= format.size()) {
      result += c;
      continue;
    }
    size_t q = i + 1;
    if (format[q] == L'%') {
      result += L'%';
      i = q;
      changed = true;
      continue;
    }
    size_t width = 0;
    if (format[q] == L'0') {
      size_t start = q;
      while (q < format.size() && IsDigit(format[q])) ++q;
      width = std::stoul(format.substr(start, q - start));
    }
    if (q < format.size() && (format[q] == L'd' || format[q] == L'o' || format[q] == L'x')) {
      const unsigned base = format[q] == L'd' ? 10 : (format[q] == L'o' ? 8 : 16);
      std::wstring digits;
      size_t n = scene;
      do {
        digits.insert(digits.begin(), L"0123456789abcdef"[n % base]);
        n /= base;
      } while (n != 0);
      if (digits.size() < width) digits.insert(0, width - digits.size(), L'0');
      result += digits;
      i = q;
      changed = true;
      continue;
    }
    if (format[i + 1] == L'[') {
      size_t depth = 1, r = i + 2;
      for (; r < format.size(); ++r) {
        if (format[r] == L'[') ++depth;
        if (format[r] == L']' && --depth == 0) break;
      }
      if (r < format.size()) {
        const std::wstring key = format.substr(i + 2, r - i - 2);
        if (properties && StartsWithAscii(key, L"filename:")) {
          auto found = properties->find(key);
          if (found != properties->end()) {
            result += found->second;
            i = r;
            changed = true;
            continue;
          }
        }
      }
      // ImageMagick drops the percent sign of a bracket it cannot resolve.
      changed = true;
      continue;
    }
    result += L'%';
  }
  return result;
}

bool InterpretProperties(const std::wstring& value, const TImageFacts& image, std::wstring& result,
                         std::wstring& error) {
  result.clear();
  const size_t sep = LastSeparator(image.path);
  const std::wstring folder = sep == std::wstring::npos ? L"" : image.path.substr(0, sep);
  const std::wstring name = sep == std::wstring::npos ? image.path : image.path.substr(sep + 1);
  const size_t dot = name.rfind(L'.');
  const std::wstring base = dot == std::wstring::npos ? name : name.substr(0, dot);
  const std::wstring extension = dot == std::wstring::npos ? L"" : name.substr(dot + 1);
  for (size_t i = 0; i < value.size(); ++i) {
    const wchar_t c = value[i];
    if (c == L'\\') {
      if (i + 1 >= value.size()) break;
      const wchar_t next = value[++i];
      if (next == L'n')
        result += L'\n';
      else if (next == L'r')
        result += L'\r';
      else if (next == L'\r') {
        if (i + 1 < value.size() && value[i + 1] == L'\n') ++i;
      } else if (next != L'\n')
        result += next;
      continue;
    }
    if (c != L'%' || i + 1 >= value.size()) {
      result += c;
      continue;
    }
    const wchar_t kind = value[++i];
    switch (kind) {
      case L'%': result += L'%'; break;
      case L'd': result += folder; break;
      case L't': result += base; break;
      case L'f': result += name; break;
      case L'e': result += extension; break;
      case L'w': result += std::to_wstring(image.width); break;
      case L'h': result += std::to_wstring(image.height); break;
      default:
        error = std::wstring(L"unknown image property \"%") + kind + L"\"";
        return false;
    }
  }
  return true;
}

bool ParseGeometry(const std::wstring& text, TGeometry& geometry) {
  geometry = TGeometry{};
  size_t at = 0;
  if (at < text.size() && (IsDigit(text[at]) || text[at] == L'.')) {
    if (!ParseNumber(text, at, geometry.width)) return false;
    geometry.hasWidth = true;
    if (at < text.size() && text[at] == L'%') {
      geometry.percent = true;
      ++at;
    }
  }
  if (at < text.size() && (text[at] == L'x' || text[at] == L'X')) {
    ++at;
    if (!ParseNumber(text, at, geometry.height)) return false;
    geometry.hasHeight = true;
    if (at < text.size() && text[at] == L'%') {
      geometry.percent = true;
      ++at;
    }
  }
  if (!geometry.hasWidth && !geometry.hasHeight) return false;
  if (at < text.size() && text[at] == L'>') {
    geometry.shrinkOnly = true;
    ++at;
  }
  if (at != text.size()) return false;
  if (geometry.percent && !geometry.hasHeight) {
    geometry.height = geometry.width;
    geometry.hasHeight = true;
  }
  if (geometry.percent && !geometry.hasWidth) {
    geometry.width = geometry.height;
    geometry.hasWidth = true;
  }
  return (!geometry.hasWidth || geometry.width > 0) && (!geometry.hasHeight || geometry.height > 0);
}

bool ResizedSize(const TGeometry& geometry, unsigned width, unsigned height, unsigned& newWidth, unsigned& newHeight) {
  newWidth = width;
  newHeight = height;
  if (width == 0 || height == 0) return false;
  double scaleX, scaleY;
  if (geometry.percent) {
    scaleX = geometry.width / 100.0;
    scaleY = geometry.height / 100.0;
  } else {
    if (geometry.shrinkOnly && !(geometry.hasWidth && width > geometry.width) &&
        !(geometry.hasHeight && height > geometry.height))
      return false;
    double scale;
    if (geometry.hasWidth && geometry.hasHeight)
      scale = std::fmin(geometry.width / width, geometry.height / height);
    else if (geometry.hasWidth)
      scale = geometry.width / width;
    else
      scale = geometry.height / height;
    scaleX = scaleY = scale;
  }
  if (geometry.percent && geometry.shrinkOnly && scaleX >= 1 && scaleY >= 1) return false;
  newWidth = static_cast<unsigned>(std::fmax(1.0, std::floor(width * scaleX + 0.5)));
  newHeight = static_cast<unsigned>(std::fmax(1.0, std::floor(height * scaleY + 0.5)));
  return newWidth != width || newHeight != height;
}

}  // namespace magick
