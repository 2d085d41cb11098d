// Whole-file text reading and writing: byte-order marks pick or state the encoding.
#include "shellutils/TextFile.h"

#include "shellutils/Handles.h"

#include <windows.h>

#include <string_view>

namespace tessera {

namespace {

std::wstring DecodeMultiByte(UINT codePage, std::string_view bytes) {
  if (bytes.empty()) return {};
  int n = ::MultiByteToWideChar(codePage, 0, bytes.data(), static_cast<int>(bytes.size()), nullptr, 0);
  if (n <= 0) return {};
  std::wstring text(static_cast<size_t>(n), L'\0');
  ::MultiByteToWideChar(codePage, 0, bytes.data(), static_cast<int>(bytes.size()), text.data(), n);
  return text;
}

std::string EncodeMultiByte(UINT codePage, const std::wstring& text) {
  if (text.empty()) return {};
  int n = ::WideCharToMultiByte(codePage, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
  if (n <= 0) return {};
  std::string bytes(static_cast<size_t>(n), '\0');
  ::WideCharToMultiByte(codePage, 0, text.data(), static_cast<int>(text.size()), bytes.data(), n, nullptr, nullptr);
  return bytes;
}

// UTF-16 code units from byte pairs; a last odd byte is dropped.
std::wstring DecodeUtf16(std::string_view bytes, bool bigEndian) {
  std::wstring text(bytes.size() / 2, L'\0');
  for (size_t i = 0; i < text.size(); ++i) {
    auto first = static_cast<unsigned char>(bytes[2 * i]);
    auto second = static_cast<unsigned char>(bytes[2 * i + 1]);
    text[i] = static_cast<wchar_t>(bigEndian ? (first << 8) | second : (second << 8) | first);
  }
  return text;
}

std::string EncodeUtf16(const std::wstring& text, bool bigEndian) {
  std::string bytes;
  bytes.reserve(text.size() * 2);
  for (wchar_t c : text) {
    auto low = static_cast<char>(c & 0xFF);
    auto high = static_cast<char>((c >> 8) & 0xFF);
    bytes += bigEndian ? high : low;
    bytes += bigEndian ? low : high;
  }
  return bytes;
}

bool StartsWith(std::string_view bytes, std::string_view mark) { return bytes.substr(0, mark.size()) == mark; }

constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";
constexpr std::string_view kUtf16LEMark = "\xFF\xFE";
constexpr std::string_view kUtf16BEMark = "\xFE\xFF";

}  // namespace

bool ReadTextFile(const std::wstring& path, std::wstring& text) {
  text.clear();
  UniqueFileHandle file(
      ::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
  if (!file) return false;
  LARGE_INTEGER size{};
  if (!::GetFileSizeEx(file.get(), &size)) return false;
  if (size.QuadPart >= 0xFFFFFFFFLL) {  // one read takes at most 4 GiB - 1
    ::SetLastError(ERROR_FILE_TOO_LARGE);
    return false;
  }
  std::string bytes(static_cast<size_t>(size.QuadPart), '\0');
  DWORD total = 0;
  while (total < bytes.size()) {
    DWORD got = 0;
    if (!::ReadFile(file.get(), bytes.data() + total, static_cast<DWORD>(bytes.size() - total), &got, nullptr))
      return false;  // a read error is no empty text
    if (got == 0) break;
    total += got;
  }
  bytes.resize(total);

  std::string_view view(bytes);
  if (StartsWith(view, kUtf8Mark))
    text = DecodeMultiByte(CP_UTF8, view.substr(kUtf8Mark.size()));
  else if (StartsWith(view, kUtf16LEMark))
    text = DecodeUtf16(view.substr(kUtf16LEMark.size()), false);
  else if (StartsWith(view, kUtf16BEMark))
    text = DecodeUtf16(view.substr(kUtf16BEMark.size()), true);
  else
    text = DecodeMultiByte(CP_ACP, view);
  return true;
}

bool WriteTextFile(const std::wstring& path, const std::wstring& text, std::optional<TTextEncoding> encoding,
                   bool writeBOM) {
  std::string bytes;
  switch (encoding.value_or(TTextEncoding::teAnsi)) {
    case TTextEncoding::teAnsi:
      bytes = EncodeMultiByte(CP_ACP, text);
      break;
    case TTextEncoding::teUtf8:
      if (writeBOM) bytes = kUtf8Mark;
      bytes += EncodeMultiByte(CP_UTF8, text);
      break;
    case TTextEncoding::teUtf16LE:
      if (writeBOM) bytes = kUtf16LEMark;
      bytes += EncodeUtf16(text, false);
      break;
    case TTextEncoding::teUtf16BE:
      if (writeBOM) bytes = kUtf16BEMark;
      bytes += EncodeUtf16(text, true);
      break;
  }
  const unsigned long long byteCount = bytes.size();
  if (byteCount > MAXDWORD) {  // more than one write can take
    ::SetLastError(ERROR_FILE_TOO_LARGE);
    return false;
  }

  UniqueFileHandle file(::CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                      FILE_ATTRIBUTE_ARCHIVE, nullptr));
  if (!file) return false;
  DWORD written = 0;
  bool ok = ::WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) != 0;
  DWORD error = ok ? ERROR_SUCCESS : ::GetLastError();
  if (ok && written != bytes.size()) {
    ok = false;
    error = ERROR_DISK_FULL;
  }
  file.reset();  // closing may change the last error: the caller needs the one of the write
  if (!ok) ::SetLastError(error);
  return ok;
}

}  // namespace tessera
