// The portable package: exactly the files of build\dist, each with its bytes, at the top of the zip.
#include <gtest/gtest.h>

#include "base/StringUtils.h"
#include "packages/PackagePaths.h"
#include "packages/ZipDirectory.h"

namespace tessera::test {
namespace {

std::string Narrow(const std::wstring& text) {
  std::string result;
  for (wchar_t c : text) result += static_cast<char>(c);
  return result;
}

TEST(PortableZip, HoldsExactlyTheFilesOfTheInstallFolderWithTheirContent) {
  const std::string zip = FileBytes(PortableZipPath());
  ASSERT_FALSE(zip.empty()) << "no " << Narrow(PortableZipPath());
  std::vector<TZipEntry> entries;
  ASSERT_NO_THROW(entries = ReadZipDirectory(zip));

  std::vector<std::string> names, expected;
  for (const auto& e : entries) names.push_back(e.Name);
  std::sort(names.begin(), names.end(),
            [](const std::string& a, const std::string& b) { return LowerAscii(std::wstring(a.begin(), a.end())) <
                                                                    LowerAscii(std::wstring(b.begin(), b.end())); });
  for (const auto& f : DistFileNames()) expected.push_back(Narrow(f));
  ASSERT_FALSE(expected.empty());
  EXPECT_EQ(names, expected) << "a file of build\\dist is missing from the zip, or the zip holds one that is not shipped";

  for (const auto& e : entries) {
    const std::string bytes = FileBytes(DistFolder() + std::wstring(e.Name.begin(), e.Name.end()));
    EXPECT_EQ(e.Size, bytes.size()) << e.Name;
    EXPECT_EQ(e.Crc32, ZipCrc32(bytes)) << e.Name;
  }
}

TEST(PortableZip, Crc32IsTheOneZipFilesRecord) {
  struct {
    const char* text;
    uint32_t crc;
  } cases[] = {{"", 0x00000000u}, {"a", 0xE8B7BE43u}, {"123456789", 0xCBF43926u}};
  for (const auto& c : cases) EXPECT_EQ(ZipCrc32(c.text), c.crc) << c.text;
}

}  // namespace
}  // namespace tessera::test
