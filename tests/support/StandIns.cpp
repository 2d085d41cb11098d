#include "support/StandIns.h"

#include "base/Handles.h"
#include "base/PathUtils.h"
#include "base/StringUtils.h"
#include "shellutils/FileUtils.h"
#include "shellutils/SystemUtils.h"
#include "support/TempFolder.h"

#include <shlobj.h>

#include <stdexcept>
#include <vector>

namespace tessera::test {

std::wstring RecorderExe() { return GetModuleFolder() + L"helpers\\recorder.exe"; }

RecordSession::RecordSession(std::wstring recordFile)
    : FFile(std::move(recordFile)), FVariable(L"TESSERA_RECORD_FILE", FFile) {}

bool RecordSession::wait(TRecord& record, DWORD timeoutMs) const {
  // The recorder may still hold the file it has just renamed into place: read until the record is whole.
  const ULONGLONG start = ::GetTickCount64();
  std::wstring text;
  while ((text = Utf8ToWide(TempFolder::ReadBytes(FFile))).find(L"arguments=") == std::wstring::npos) {
    if (::GetTickCount64() - start > timeoutMs) return false;
    ::Sleep(20);
  }
  record = {};
  for (const auto& line : SplitText(text, L'\n', true)) {
    std::wstring entry = line;
    if (!entry.empty() && entry.back() == L'\r') entry.pop_back();
    size_t eq = entry.find(L'=');
    if (eq == std::wstring::npos) continue;
    std::wstring key = entry.substr(0, eq), value = entry.substr(eq + 1);
    if (key == L"commandline") record.CommandLine = value;
    else if (key == L"arguments") record.Arguments = std::stoi(value);
  }
  return true;
}

std::string RecordSession::argumentCopy(int n) const {
  return TempFolder::ReadBytes(FFile + L".arg" + std::to_wstring(n));
}

ProgramCopy::ProgramCopy(std::wstring path) : FPath(std::move(path)) {
  if (!::CopyFileW(RecorderExe().c_str(), FPath.c_str(), FALSE))
    throw std::runtime_error("cannot copy the recorder (error " + std::to_string(::GetLastError()) + ")");
}

ProgramCopy::~ProgramCopy() {
  // A started copy may still be on its way out.
  for (int attempt = 0; attempt < 250 && !::DeleteFileW(FPath.c_str()) && FileExists(FPath); ++attempt) ::Sleep(20);
}

FileAssociation::FileAssociation(const std::wstring& extension, const std::wstring& commandTemplate)
    : FExtension(extension), FProgId(L"TesseraTest" + extension) {
  auto setDefault = [](const std::wstring& key, const std::wstring& value) {
    UniqueRegKey handle;
    if (::RegCreateKeyExW(HKEY_CLASSES_ROOT, key.c_str(), 0, nullptr, 0, KEY_SET_VALUE,
                          nullptr, handle.put(), nullptr) != ERROR_SUCCESS ||
        ::RegSetValueExW(handle.get(), nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                         static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t))) != ERROR_SUCCESS)
      throw std::runtime_error("cannot write the file association");
  };
  setDefault(FExtension, FProgId);
  setDefault(FProgId + L"\\shell\\open\\command", commandTemplate);
  ::SHChangeNotify(SHCNE_ASSOCCHANGED, SHCNF_IDLIST, nullptr, nullptr);
}

FileAssociation::~FileAssociation() {
  ::RegDeleteTreeW(HKEY_CLASSES_ROOT, FExtension.c_str());
  ::RegDeleteTreeW(HKEY_CLASSES_ROOT, FProgId.c_str());
  ::SHChangeNotify(SHCNE_ASSOCCHANGED, SHCNF_IDLIST, nullptr, nullptr);
}

bool HasFileAssociation(const std::wstring& extension) {
  UniqueRegKey key;
  return ::RegOpenKeyExW(HKEY_CLASSES_ROOT, extension.c_str(), 0, KEY_READ, key.put()) == ERROR_SUCCESS;
}

std::set<std::wstring> TempFilesMatching(const std::wstring& mask) {
  std::set<std::wstring> files;
  const std::wstring folder = GetTempFolder();
  WIN32_FIND_DATAW data{};
  UniqueFindHandle find(::FindFirstFileW((folder + mask).c_str(), &data));
  if (!find) return files;
  do {
    if (!(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) files.insert(folder + data.cFileName);
  } while (::FindNextFileW(find.get(), &data));
  return files;
}

std::wstring QuotedPart(const std::wstring& text, size_t from) {
  size_t open = text.find(L'"', from);
  if (open == std::wstring::npos) return {};
  size_t close = text.find(L'"', open + 1);
  if (close == std::wstring::npos) return {};
  return text.substr(open + 1, close - open - 1);
}

}  // namespace tessera::test
