// Path parts and the two existence checks every layer asks.
#pragma once

#include <string>
#include <string_view>

namespace tessera {

// A path's folder part ends at its last backslash, slash or colon.
// Appends a backslash unless the path already ends with one; an empty path stays empty.
std::wstring IncludeTrailingBackslash(std::wstring path);
std::wstring ExtractFilePath(std::wstring_view path);  // folder part, with its trailing separator
std::wstring ExtractFileName(std::wstring_view path);
std::wstring ExtractFileExt(std::wstring_view path);   // ".ext" from the last dot of the name, or empty
// The drive a path lies on, without a trailing backslash: "C:" of "C:\x", "\\server\share" of
// "\\server\share\x"; empty for a relative path or an incomplete network name.
std::wstring ExtractFileDrive(std::wstring_view path);

// The text upper-cased the way the file system and the registry compare names (every letter, not only
// ASCII), so that two paths or value names are the same when their keys are equal.
std::wstring NameCompareKey(std::wstring_view name);
bool SameNameIgnoringCase(std::wstring_view a, std::wstring_view b);

// True for an existing folder.
bool IsDirectory(const std::wstring& path);
// True for an existing file; a folder does not count.
bool FileExists(const std::wstring& path);

}  // namespace tessera
