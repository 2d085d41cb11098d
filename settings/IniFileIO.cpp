#include "settings/IniFileIO.h"

#include <windows.h>

#include "base/Error.h"
#include "base/ErrorText.h"
#include "base/FileBytes.h"
#include "base/Handles.h"
#include "base/PathUtils.h"
#include "base/StringUtils.h"
#include "settings/settings_strings.h"

namespace tessera::settings {

namespace {

// _format: the file name, then the system's reason.
[[noreturn]] void RaiseFileError(unsigned _format, const std::wstring& _fileName, DWORD _error) {
  throw TesseraError(FormatText(TResText{_format}, _fileName.c_str(), ErrorText(_error).c_str()),
                     HRESULT_FROM_WIN32(_error));
}

bool WriteAll(HANDLE _file, std::string_view _bytes) {
  while (!_bytes.empty()) {
    DWORD chunk = static_cast<DWORD>(std::min<size_t>(_bytes.size(), 1u << 20));
    DWORD written = 0;
    if (!::WriteFile(_file, _bytes.data(), chunk, &written, nullptr)) return false;
    if (written == 0) {
      ::SetLastError(ERROR_WRITE_FAULT);
      return false;
    }
    _bytes.remove_prefix(written);
  }
  return true;
}

// A new, uniquely named file beside _fileName.
UniqueFileHandle CreateSiblingTempFile(const std::wstring& _fileName, DWORD _attributes, std::wstring& _tempName) {
  static volatile LONG counter = 0;
  for (int attempt = 0; attempt < 100; ++attempt) {
    wchar_t suffix[40];
    swprintf(suffix, 40, L".%lx-%lx.tmp", static_cast<unsigned long>(::GetCurrentProcessId()),
             static_cast<unsigned long>(::InterlockedIncrement(&counter)));
    _tempName = _fileName + suffix;
    UniqueFileHandle file(::CreateFileW(_tempName.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, _attributes, nullptr));
    if (file || (::GetLastError() != ERROR_FILE_EXISTS && ::GetLastError() != ERROR_ALREADY_EXISTS)) return file;
  }
  return UniqueFileHandle();
}

}  // namespace

bool ReadWholeFile(const std::wstring& _fileName, std::string& _bytes) {
  _bytes.clear();
  if (_fileName.empty()) return false;
  if (ReadFileBytes(_fileName, _bytes, kMaxIniFileSize)) return true;
  DWORD error = ::GetLastError();
  if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND) return false;
  if (error == ERROR_FILE_TOO_LARGE)
    throw TesseraError(FormatText(TResText{IDS_INI_TOO_LARGE}, _fileName.c_str()), HRESULT_FROM_WIN32(error));
  if (IsDirectory(_fileName)) return false;
  RaiseFileError(IDS_INI_CANNOT_READ, _fileName, error);
}

void ReplaceFileContent(const std::wstring& _fileName, std::string_view _bytes) {
  if (_fileName.empty()) RaiseFileError(IDS_INI_CANNOT_WRITE, _fileName, ERROR_INVALID_NAME);
  // Hidden and system attributes of the old file are kept.
  DWORD attributes = FILE_ATTRIBUTE_NORMAL;
  DWORD old = ::GetFileAttributesW(_fileName.c_str());
  bool replaceable = old == INVALID_FILE_ATTRIBUTES || !(old & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_READONLY));
  if (old != INVALID_FILE_ATTRIBUTES && !(old & FILE_ATTRIBUTE_DIRECTORY)) {
    DWORD kept = old & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM);
    if (kept) attributes = kept;
  }

  std::wstring tempName;
  UniqueFileHandle file = CreateSiblingTempFile(_fileName, attributes, tempName);
  if (!file) RaiseFileError(IDS_INI_CANNOT_WRITE, _fileName, ::GetLastError());

  DWORD error = ERROR_SUCCESS;
  if (!WriteAll(file.get(), _bytes) || !::FlushFileBuffers(file.get())) error = ::GetLastError();
  HANDLE h = file.release();
  if (!::CloseHandle(h) && error == ERROR_SUCCESS) error = ::GetLastError();

  if (error == ERROR_SUCCESS) {
    // A reader may hold the old file for a moment: a few short retries before giving up.
    for (int attempt = 0;; ++attempt) {
      if (::MoveFileExW(tempName.c_str(), _fileName.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) return;
      error = ::GetLastError();
      bool busy = error == ERROR_SHARING_VIOLATION || error == ERROR_LOCK_VIOLATION ||
                  (error == ERROR_ACCESS_DENIED && replaceable);
      if (attempt >= 4 || !busy) break;
      ::Sleep(50);
    }
  }
  ::DeleteFileW(tempName.c_str());
  RaiseFileError(IDS_INI_CANNOT_WRITE, _fileName, error);
}

bool ForceDirectories(const std::wstring& _path) {
  auto stripSeparators = [](std::wstring p) {
    while (!p.empty() && (p.back() == L'\\' || p.back() == L'/')) p.pop_back();
    return p;
  };
  std::wstring path = stripSeparators(_path);
  if (path.empty()) return false;
  if (IsDirectory(path)) return true;
  // The parent is always shorter, so this ends at a drive, a share or the first relative folder.
  std::wstring parent = stripSeparators(ExtractFilePath(path));
  if (!parent.empty() && parent.back() != L':') ForceDirectories(parent);
  return ::CreateDirectoryW(path.c_str(), nullptr) || ::GetLastError() == ERROR_ALREADY_EXISTS;
}

}  // namespace tessera::settings
