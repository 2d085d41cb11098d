// Whole-file text reading and writing: byte-order marks pick or state the encoding.
#include "shellutils/TextFile.h"

#include "base/FileBytes.h"
#include "base/Handles.h"

#include <windows.h>

namespace tessera {

bool ReadTextFile(const std::wstring& path, std::wstring& text) {
  text.clear();
  std::string bytes;
  if (!ReadFileBytes(path, bytes)) return false;

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
