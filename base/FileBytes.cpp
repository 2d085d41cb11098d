#include "base/FileBytes.h"

#include <windows.h>

#include <algorithm>

#include "base/Handles.h"

namespace tessera {

bool ReadFileBytes(const std::wstring& path, std::string& bytes, uint64_t maxSize) {
  bytes.clear();
  UniqueFileHandle file(::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                      nullptr, OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
  if (!file) return false;
  LARGE_INTEGER size{};
  if (!::GetFileSizeEx(file.get(), &size)) return false;
  if (static_cast<uint64_t>(size.QuadPart) > maxSize || static_cast<uint64_t>(size.QuadPart) > SIZE_MAX / 2) {
    ::SetLastError(ERROR_FILE_TOO_LARGE);
    return false;
  }
  bytes.resize(static_cast<size_t>(size.QuadPart));
  size_t total = 0;
  while (total < bytes.size()) {
    DWORD got = 0;
    const size_t want = std::min<size_t>(bytes.size() - total, 0x40000000);
    if (!::ReadFile(file.get(), bytes.data() + total, static_cast<DWORD>(want), &got, nullptr)) {
      DWORD error = ::GetLastError();
      bytes.clear();
      ::SetLastError(error);
      return false;  // a read error is no short file
    }
    if (got == 0) break;  // the file became shorter while it was read
    total += got;
  }
  bytes.resize(total);
  return true;
}

}  // namespace tessera
