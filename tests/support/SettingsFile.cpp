#include "support/SettingsFile.h"

#include <windows.h>

#include <shlobj.h>

#include <stdexcept>

#include "settings/Globals.h"

namespace tessera::test {
namespace {

void WriteBytes(const std::wstring& path, const std::string& bytes) {
  std::wstring folder = path.substr(0, path.find_last_of(L'\\'));
  ::SHCreateDirectoryExW(nullptr, folder.c_str(), nullptr);
  HANDLE h = ::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h == INVALID_HANDLE_VALUE) throw std::runtime_error("cannot write the settings file");
  DWORD written = 0;
  ::WriteFile(h, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
  ::CloseHandle(h);
}

void Replace(const std::wstring& path, const std::optional<std::string>& content) {
  if (content)
    WriteBytes(path, *content);
  else
    ::DeleteFileW(path.c_str());
}

bool Exists(const std::wstring& path) { return ::GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

}  // namespace

TestSettingsFile::TestSettingsFile(const std::optional<std::string>& content)
    : FPath(FFolder.path() + L"Tessera.ini") {
  Write(content);
}

void TestSettingsFile::Write(const std::optional<std::string>& content) const { Replace(FPath, content); }

ScopedUserSettingsFile::ScopedUserSettingsFile(const std::optional<std::string>& content)
    : FPath(GetSettingsFileName()) {
  if (Exists(FPath)) FSaved = TempFolder::ReadBytes(FPath);
  Replace(FPath, content);
}

ScopedUserSettingsFile::~ScopedUserSettingsFile() {
  try {
    Replace(FPath, FSaved);
    ::DeleteFileW((FPath + L".bak").c_str());
  } catch (...) {
  }
}

std::string SettingsText(std::initializer_list<const char*> generalLines) {
  std::string text = "\xEF\xBB\xBF[General]\r\n";
  for (const char* line : generalLines) text += std::string(line) + "\r\n";
  return text + "\r\n";
}

}  // namespace tessera::test
