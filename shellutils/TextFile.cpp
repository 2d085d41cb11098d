// Whole-file text reading and writing: byte-order marks pick or state the encoding.
#include "shellutils/TextFile.h"

#include "base/Handles.h"

#include <windows.h>

namespace tessera {

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

  TTextEncoding used;
  text = DecodeText(bytes, std::nullopt, used);
  return true;
}

bool WriteTextFile(const std::wstring& path, const std::wstring& text, std::optional<TTextEncoding> encoding,
                   bool writeBOM) {
  const TTextEncoding used = encoding.value_or(TTextEncoding::teAnsi);
  std::string bytes = EncodeText(text, used);
  if (!writeBOM) bytes.erase(0, EncodingPreamble(used).size());
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
