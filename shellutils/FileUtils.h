// File-system queries: sizes, folders, recursive search, extension lists and the PATH search.
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>

namespace tessera {

// Called for every file found: the folder it is in (ending with a backslash) and its find record.
using TFoundFileProc = std::function<void(const std::wstring& folder, const WIN32_FIND_DATAW& data)>;

// Size in bytes (0 for a folder), or -1 when the path cannot be queried.
int64_t FileSizeByName(const std::wstring& path);

// Calls onFile for every file matching mask in folder and all its subfolders, each folder before its
// subfolders. A folder reached again through a link is not walked twice. True when onFile was called.
bool FindFilesInFolder(const std::wstring& folder, const std::wstring& mask, const TFoundFileProc& onFile);

// True when folder directly holds an entry of one of the ";"-separated extensions.
bool FolderContainsFilesOfType(const std::wstring& folder, const std::wstring& extensionList);
// True when the file's extension is one of the ";"-separated extensions (ASCII case ignored).
bool FileHasExtension(const std::wstring& fileName, const std::wstring& extensionList);

// Looks for fileName in the folders of PATH; fullPath is empty when it is not found.
bool FindInSearchPath(const std::wstring& fileName, std::wstring& fullPath);

}  // namespace tessera
