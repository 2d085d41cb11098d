// File access of the INI storage: reading a whole file, replacing a file atomically, creating folders.
#pragma once

#include <string>
#include <string_view>

namespace tessera::settings {

// Files above this size are not taken for settings files.
inline constexpr unsigned long long kMaxIniFileSize = 64ull * 1024 * 1024;

// False (and nothing read) when the file does not exist or is a folder. Raises TesseraError when it exists
// but cannot be read.
bool ReadWholeFile(const std::wstring& _fileName, std::string& _bytes);

// Writes the bytes to a new file in the same folder and moves it over _fileName in one step, so that the old
// content stays complete until the new one is. On failure the old file is unchanged, the new file is removed
// and TesseraError is raised.
void ReplaceFileContent(const std::wstring& _fileName, std::string_view _bytes);

// Creates the folder and every missing parent; false when the folder does not exist afterwards.
bool ForceDirectories(const std::wstring& _path);

}  // namespace tessera::settings
