// The central directory of a zip file, read the way an extracting program reads it.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace tessera::test {

struct TZipEntry {
  std::string Name;  // as stored: UTF-8
  uint32_t Crc32 = 0;
  uint64_t Size = 0;  // uncompressed
};

// The entries of the zip in the order of its directory; throws std::runtime_error when the file is not a
// well-formed zip (no end record, a directory outside the file, a bad entry signature).
std::vector<TZipEntry> ReadZipDirectory(const std::string& bytes);

// The CRC-32 that zip files record.
uint32_t ZipCrc32(const std::string& bytes);

}  // namespace tessera::test
