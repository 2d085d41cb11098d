// inplacewriter <target> <milliseconds> <version file>...: rewrites target in place (truncated, then written in
// two halves, as an editor's plain save does) with each version in turn, as fast as it can, for the given time.
// Prints how many rewrites it made. Exit code 0, or 1 when a file cannot be read or written.
#include <windows.h>

#include <cstdio>
#include <cwchar>
#include <string>
#include <vector>

namespace {

bool ReadAll(const wchar_t* path, std::string& bytes) {
  HANDLE file = ::CreateFileW(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  bytes.assign(static_cast<size_t>(::GetFileSize(file, nullptr)), '\0');
  DWORD read = 0;
  bool ok = ::ReadFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr) && read == bytes.size();
  ::CloseHandle(file);
  return ok;
}

bool WriteInPlace(const wchar_t* path, const std::string& bytes) {
  // Truncating an existing file keeps it the same file: no new creation time, as a rewrite in place does.
  HANDLE file = ::CreateFileW(path, GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                              TRUNCATE_EXISTING, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  const DWORD half = static_cast<DWORD>(bytes.size() / 2);
  DWORD written = 0;
  bool ok = ::WriteFile(file, bytes.data(), half, &written, nullptr) &&
            ::WriteFile(file, bytes.data() + half, static_cast<DWORD>(bytes.size()) - half, &written, nullptr);
  ::CloseHandle(file);
  return ok;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc < 4) return 2;
  const wchar_t* target = argv[1];
  const ULONGLONG duration = std::wcstoull(argv[2], nullptr, 10);
  std::vector<std::string> versions;
  for (int i = 3; i < argc; ++i) {
    std::string bytes;
    if (!ReadAll(argv[i], bytes)) return 1;
    versions.push_back(std::move(bytes));
  }
  const ULONGLONG start = ::GetTickCount64();
  unsigned long rewrites = 0;
  while (::GetTickCount64() - start < duration) {
    if (!WriteInPlace(target, versions[rewrites % versions.size()])) return 1;
    ++rewrites;
  }
  std::printf("%lu\n", rewrites);
  return 0;
}
