// The portable package: exactly the files of build\dist, each with its bytes, at the top of the zip.
#include <gtest/gtest.h>

#include "packages/PackagePaths.h"
#include "packages/TextHelpers.h"
#include "packages/ZipDirectory.h"

namespace tessera::test {
namespace {

TEST(PortableZip, HoldsExactlyTheFilesOfTheInstallFolderWithTheirContent) {
  const std::string zip = FileBytes(PortableZipPath());
  ASSERT_FALSE(zip.empty()) << "no " << Utf8(PortableZipPath());
  std::vector<TZipEntry> entries;
  ASSERT_NO_THROW(entries = ReadZipDirectory(zip));

  std::vector<std::wstring> names;
  for (const auto& e : entries) names.push_back(DecodeCodePage(CP_UTF8, e.Name));
  const auto expected = DistFileNames();
  ASSERT_FALSE(expected.empty());
  EXPECT_EQ(SortedIgnoringAsciiCase(names), expected) << "a file of build\\dist is missing from the zip, or the zip holds one that is not shipped";

  for (const auto& e : entries) {
    const std::string bytes = FileBytes(DistFolder() + DecodeCodePage(CP_UTF8, e.Name));
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
