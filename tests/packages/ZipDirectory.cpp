#include "packages/ZipDirectory.h"

#include <stdexcept>

namespace tessera::test {
namespace {

uint32_t Read16(const std::string& b, size_t at) {
  if (at + 2 > b.size()) throw std::runtime_error("zip: record beyond the end of the file");
  return uint8_t(b[at]) | uint32_t(uint8_t(b[at + 1])) << 8;
}
uint32_t Read32(const std::string& b, size_t at) { return Read16(b, at) | Read16(b, at + 2) << 16; }

}  // namespace

std::vector<TZipEntry> ReadZipDirectory(const std::string& bytes) {
  constexpr uint32_t kEndSignature = 0x06054b50, kEntrySignature = 0x02014b50;
  // The end record is the last 22 bytes plus a comment of up to 64 KiB.
  if (bytes.size() < 22) throw std::runtime_error("zip: too short");
  size_t end = std::string::npos;
  for (size_t at = bytes.size() - 22, stop = at > 0xFFFF ? at - 0xFFFF : 0;; --at) {
    if (Read32(bytes, at) == kEndSignature) {
      end = at;
      break;
    }
    if (at == stop) break;
  }
  if (end == std::string::npos) throw std::runtime_error("zip: no end of central directory");
  const uint32_t count = Read16(bytes, end + 10);
  size_t at = Read32(bytes, end + 16);
  std::vector<TZipEntry> entries;
  for (uint32_t i = 0; i < count; ++i) {
    if (Read32(bytes, at) != kEntrySignature) throw std::runtime_error("zip: bad central directory entry");
    TZipEntry entry;
    entry.Crc32 = Read32(bytes, at + 16);
    entry.Size = Read32(bytes, at + 24);
    const uint32_t nameLength = Read16(bytes, at + 28), extraLength = Read16(bytes, at + 30),
                   commentLength = Read16(bytes, at + 32);
    if (at + 46 + nameLength > bytes.size()) throw std::runtime_error("zip: name beyond the end of the file");
    entry.Name = bytes.substr(at + 46, nameLength);
    entries.push_back(entry);
    at += 46 + nameLength + extraLength + commentLength;
  }
  return entries;
}

uint32_t ZipCrc32(const std::string& bytes) {
  uint32_t crc = 0xFFFFFFFF;
  for (unsigned char c : bytes) {
    crc ^= c;
    for (int k = 0; k < 8; ++k) crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
  }
  return ~crc;
}

}  // namespace tessera::test
