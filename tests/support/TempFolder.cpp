// Test folders: unique names, parent folders made on demand, recursive removal that never follows links.
#include "TempFolder.h"

#include <windows.h>

#include <atomic>
#include <stdexcept>
#include <string>

namespace tessera::test {

namespace {

std::string Narrow(const std::wstring& text) {
  std::string result;
  for (wchar_t c : text) result += (c < 128) ? static_cast<char>(c) : '?';
  return result;
}

[[noreturn]] void Fail(const char* what, const std::wstring& path) {
  throw std::runtime_error(std::string("TempFolder: ") + what + " " + Narrow(path) + " (error " +
                           std::to_string(::GetLastError()) + ")");
}

std::wstring Normalised(std::wstring relative) {
  for (auto& c : relative)
    if (c == L'/') c = L'\\';
  while (!relative.empty() && relative.front() == L'\\') relative.erase(0, 1);
  while (!relative.empty() && relative.back() == L'\\') relative.pop_back();
  return relative;
}

// Creates every missing folder of base + relative, one level at a time.
void CreateFolders(const std::wstring& base, const std::wstring& relative) {
  size_t pos = 0;
  while (pos <= relative.size()) {
    size_t end = relative.find(L'\\', pos);
    if (end == std::wstring::npos) end = relative.size();
    std::wstring folder = base + relative.substr(0, end);
    if (!::CreateDirectoryW(folder.c_str(), nullptr) && ::GetLastError() != ERROR_ALREADY_EXISTS)
      Fail("cannot create folder", folder);
    pos = end + 1;
  }
}

// Links (reparse points) are removed, never entered: their targets are not ours.
void DeleteTree(const std::wstring& folder) {
  WIN32_FIND_DATAW data{};
  HANDLE find = ::FindFirstFileW((folder + L"\\*").c_str(), &data);
  if (find != INVALID_HANDLE_VALUE) {
    do {
      std::wstring name = data.cFileName;
      if (name == L"." || name == L"..") continue;
      std::wstring full = folder + L"\\" + name;
      ::SetFileAttributesW(full.c_str(), FILE_ATTRIBUTE_NORMAL);
      if (!(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
        ::DeleteFileW(full.c_str());
      else if (data.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT)
        ::RemoveDirectoryW(full.c_str());
      else
        DeleteTree(full);
    } while (::FindNextFileW(find, &data));
    ::FindClose(find);
  }
  ::SetFileAttributesW(folder.c_str(), FILE_ATTRIBUTE_NORMAL);
  ::RemoveDirectoryW(folder.c_str());
}

}  // namespace

TempFolder::TempFolder() {
  wchar_t temp[MAX_PATH + 1] = {};
  DWORD n = ::GetTempPathW(MAX_PATH + 1, temp);
  if (n == 0 || n > MAX_PATH) Fail("no temporary folder", L"");
  static std::atomic<unsigned> counter{0};
  for (int attempt = 0; attempt < 100; ++attempt) {
    std::wstring candidate = std::wstring(temp) + L"TesseraTest-" + std::to_wstring(::GetCurrentProcessId()) + L"-" +
                             std::to_wstring(counter++) + L"-" + std::to_wstring(::GetTickCount64() % 100000);
    if (::CreateDirectoryW(candidate.c_str(), nullptr)) {
      FPath = candidate + L"\\";
      return;
    }
    if (::GetLastError() != ERROR_ALREADY_EXISTS) Fail("cannot create", candidate);
  }
  Fail("no unique name under", temp);
}

TempFolder::~TempFolder() { DeleteTree(FPath.substr(0, FPath.size() - 1)); }

std::wstring TempFolder::file(const std::wstring& relative, const std::string& bytes) const {
  std::wstring rel = Normalised(relative);
  size_t sep = rel.rfind(L'\\');
  if (sep != std::wstring::npos) CreateFolders(FPath, rel.substr(0, sep));
  std::wstring full = FPath + rel;
  HANDLE file = ::CreateFileW(full.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) Fail("cannot create file", full);
  DWORD written = 0;
  bool ok = bytes.empty() ||
            (::WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) && written == bytes.size());
  ::CloseHandle(file);
  if (!ok) Fail("cannot write", full);
  return full;
}

std::wstring TempFolder::dir(const std::wstring& relative) const {
  std::wstring rel = Normalised(relative);
  if (rel.empty()) return FPath.substr(0, FPath.size() - 1);
  CreateFolders(FPath, rel);
  return FPath + rel;
}

std::string TempFolder::ReadBytes(const std::wstring& fullPath) {
  HANDLE file = ::CreateFileW(fullPath.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                              OPEN_EXISTING, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return {};
  std::string bytes;
  char buffer[65536];
  DWORD got = 0;
  while (::ReadFile(file, buffer, sizeof(buffer), &got, nullptr) && got > 0) bytes.append(buffer, got);
  ::CloseHandle(file);
  return bytes;
}

}  // namespace tessera::test
