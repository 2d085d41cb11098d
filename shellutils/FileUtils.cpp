// File-system queries shared by the commands and the settings program.
#include "shellutils/FileUtils.h"

#include "base/Handles.h"
#include "base/PathUtils.h"
#include "base/StringUtils.h"
#include "shellutils/SystemUtils.h"

#include <cstdint>
#include <set>
#include <tuple>
#include <vector>

namespace tessera {

int64_t FileSizeByName(const std::wstring& path) {
  WIN32_FILE_ATTRIBUTE_DATA data{};
  if (!::GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data)) return -1;
  if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) return 0;
  return (static_cast<int64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

namespace {

bool IsDotEntry(const wchar_t* name) {
  return name[0] == L'.' && (name[1] == 0 || (name[1] == L'.' && name[2] == 0));
}

// Identifies a folder however it was reached (through links too): volume and file index when the
// folder can be opened, otherwise its full path with ASCII case folded.
class VisitedFolders {
public:
  // False when the folder was seen before.
  bool add(const std::wstring& folder) {
    UniqueFileHandle file(::CreateFileW(folder.c_str(), FILE_READ_ATTRIBUTES,
                                        FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                                        FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    BY_HANDLE_FILE_INFORMATION info{};
    if (file && ::GetFileInformationByHandle(file.get(), &info) && (info.nFileIndexHigh || info.nFileIndexLow))
      return FIds.emplace(info.dwVolumeSerialNumber, info.nFileIndexHigh, info.nFileIndexLow).second;
    return FPaths.insert(NormalisedPath(folder)).second;
  }

private:
  static std::wstring NormalisedPath(const std::wstring& folder) {
    std::wstring full(MAX_PATH, L'\0');
    DWORD n = ::GetFullPathNameW(folder.c_str(), static_cast<DWORD>(full.size()), full.data(), nullptr);
    if (n >= full.size()) {
      full.resize(n);
      n = ::GetFullPathNameW(folder.c_str(), static_cast<DWORD>(full.size()), full.data(), nullptr);
    }
    full.resize(n < full.size() ? n : 0);
    if (full.empty()) full = folder;
    while (full.size() > 1 && full.back() == L'\\') full.pop_back();
    return LowerAscii(full);
  }

  std::set<std::tuple<DWORD, DWORD, DWORD>> FIds;
  std::set<std::wstring> FPaths;
};

// Appends every subfolder of folder, at every depth, each one right before its own subfolders.
void CollectSubfolders(const std::wstring& folder, VisitedFolders& visited, std::vector<std::wstring>& list) {
  std::wstring prefix = IncludeTrailingBackslash(folder);
  WIN32_FIND_DATAW data{};
  UniqueFindHandle find(::FindFirstFileW((prefix + L"*").c_str(), &data));
  if (!find) return;
  do {
    if (!(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) || IsDotEntry(data.cFileName)) continue;
    std::wstring sub = prefix + data.cFileName;
    if (!visited.add(sub)) continue;  // a link back to a folder already on the list
    list.push_back(sub);
    CollectSubfolders(sub, visited, list);
  } while (::FindNextFileW(find.get(), &data));
}

}  // namespace

bool FindFilesInFolder(const std::wstring& folder, const std::wstring& mask, const TFoundFileProc& onFile) {
  std::vector<std::wstring> folders{folder};
  if (IsDirectory(folder)) {
    VisitedFolders visited;
    visited.add(folder);
    CollectSubfolders(folder, visited, folders);
  }
  bool found = false;
  for (const auto& each : folders) {
    std::wstring prefix = IncludeTrailingBackslash(each);
    WIN32_FIND_DATAW data{};
    UniqueFindHandle find(::FindFirstFileW((prefix + mask).c_str(), &data));
    if (!find) continue;
    do {
      if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) continue;
      onFile(prefix, data);
      found = true;
    } while (::FindNextFileW(find.get(), &data));
  }
  return found;
}

bool FolderContainsFilesOfType(const std::wstring& folder, const std::wstring& extensionList) {
  std::wstring prefix = IncludeTrailingBackslash(folder);
  for (const auto& entry : SplitText(extensionList, L';', true)) {
    std::wstring ext = TrimText(entry);
    std::wstring mask = (!ext.empty() && ext[0] == L'.') ? L"*" + ext : L"*." + ext;
    WIN32_FIND_DATAW data{};
    UniqueFindHandle find(::FindFirstFileW((prefix + mask).c_str(), &data));
    if (find) return true;
  }
  return false;
}

bool FileHasExtension(const std::wstring& fileName, const std::wstring& extensionList) {
  std::wstring ext = ExtractFileExt(fileName);
  if (ext.empty()) return false;
  for (const auto& entry : SplitText(extensionList, L';', true)) {
    std::wstring wanted = entry[0] == L'.' ? entry : L"." + entry;
    if (SameTextAscii(wanted, ext)) return true;
  }
  return false;
}

bool FindInSearchPath(const std::wstring& fileName, std::wstring& fullPath) {
  fullPath.clear();
  std::wstring path = ExpandEnvironmentText(L"%PATH%");
  if (path == L"%PATH%") return false;  // no PATH at all: the literal is no folder to search
  for (const auto& entry : SplitText(path, L';', true)) {
    std::wstring candidate = IncludeTrailingBackslash(entry) + fileName;
    if (FileExists(candidate)) {
      fullPath = candidate;
      return true;
    }
  }
  return false;
}

}  // namespace tessera
