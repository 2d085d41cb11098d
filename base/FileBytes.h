// A whole file's bytes.
#pragma once

#include <cstdint>
#include <string>

namespace tessera {

// Reads the whole file into bytes, sharing it with readers, writers and a replace meanwhile (a file that becomes
// shorter while it is read gives what it still holds). False (the last error set, ERROR_FILE_TOO_LARGE above
// maxSize) when it cannot be opened or read.
bool ReadFileBytes(const std::wstring& path, std::string& bytes, uint64_t maxSize = 0xFFFFFFFEull);

}  // namespace tessera
