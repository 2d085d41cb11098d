#include "base/TextEncoding.h"

namespace tessera {

namespace {

constexpr char kUtf8Bom[] = "\xEF\xBB\xBF";
constexpr char kUtf16LEBom[] = "\xFF\xFE";
constexpr char kUtf16BEBom[] = "\xFE\xFF";

std::wstring DecodeUtf16(std::string_view _bytes, bool _bigEndian) {
  std::wstring text(_bytes.size() / 2, L'\0');
  for (size_t i = 0; i < text.size(); ++i) {
    auto lo = static_cast<unsigned char>(_bytes[2 * i + (_bigEndian ? 1 : 0)]);
    auto hi = static_cast<unsigned char>(_bytes[2 * i + (_bigEndian ? 0 : 1)]);
    text[i] = static_cast<wchar_t>(lo | (hi << 8));
  }
  return text;
}

}  // namespace

std::wstring DecodeCodePage(UINT _codePage, std::string_view _bytes) {
  if (_bytes.empty()) return {};
  int length = static_cast<int>(_bytes.size());
  int n = ::MultiByteToWideChar(_codePage, 0, _bytes.data(), length, nullptr, 0);
  if (n <= 0) return {};
  std::wstring text(static_cast<size_t>(n), L'\0');
  n = ::MultiByteToWideChar(_codePage, 0, _bytes.data(), length, text.data(), n);
  text.resize(n > 0 ? static_cast<size_t>(n) : 0);
  return text;
}

std::string EncodeCodePage(UINT _codePage, std::wstring_view _text) {
  if (_text.empty()) return {};
  int length = static_cast<int>(_text.size());
  int n = ::WideCharToMultiByte(_codePage, 0, _text.data(), length, nullptr, 0, nullptr, nullptr);
  if (n <= 0) return {};
  std::string bytes(static_cast<size_t>(n), '\0');
  n = ::WideCharToMultiByte(_codePage, 0, _text.data(), length, bytes.data(), n, nullptr, nullptr);
  bytes.resize(n > 0 ? static_cast<size_t>(n) : 0);
  return bytes;
}

std::string_view EncodingPreamble(TTextEncoding _encoding) noexcept {
  switch (_encoding) {
    case teUtf8: return kUtf8Bom;
    case teUtf16LE: return kUtf16LEBom;
    case teUtf16BE: return kUtf16BEBom;
    default: return {};
  }
}

std::optional<TTextEncoding> DetectPreamble(std::string_view _bytes) noexcept {
  for (TTextEncoding e : {teUtf8, teUtf16LE, teUtf16BE})
    if (_bytes.starts_with(EncodingPreamble(e))) return e;
  return std::nullopt;
}

std::wstring DecodeText(std::string_view _bytes, std::optional<TTextEncoding> _encoding, TTextEncoding& _used) {
  _used = _encoding ? *_encoding : DetectPreamble(_bytes).value_or(teAnsi);
  std::string_view preamble = EncodingPreamble(_used);
  if (!preamble.empty() && _bytes.starts_with(preamble)) _bytes.remove_prefix(preamble.size());
  switch (_used) {
    case teUtf8: return DecodeCodePage(CP_UTF8, _bytes);
    case teUtf16LE: return DecodeUtf16(_bytes, false);
    case teUtf16BE: return DecodeUtf16(_bytes, true);
    default: return DecodeCodePage(CP_ACP, _bytes);
  }
}

std::string EncodeText(std::wstring_view _text, TTextEncoding _encoding) {
  std::string bytes(EncodingPreamble(_encoding));
  switch (_encoding) {
    case teUtf8: bytes += EncodeCodePage(CP_UTF8, _text); break;
    case teUtf16LE:
    case teUtf16BE:
      bytes.reserve(bytes.size() + 2 * _text.size());
      for (wchar_t c : _text) {
        char lo = static_cast<char>(c & 0xFF), hi = static_cast<char>((c >> 8) & 0xFF);
        if (_encoding == teUtf16LE) {
          bytes += lo;
          bytes += hi;
        } else {
          bytes += hi;
          bytes += lo;
        }
      }
      break;
    default: bytes += EncodeCodePage(CP_ACP, _text); break;
  }
  return bytes;
}

}  // namespace tessera
