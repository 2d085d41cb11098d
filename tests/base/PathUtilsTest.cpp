// Path parts.
#include <gtest/gtest.h>

#include "base/PathUtils.h"
#include "base/StringUtils.h"

namespace tessera {
namespace {

TEST(PathUtils, ExtractFileDriveGivesTheLetterOrTheShare) {
  struct Case {
    const wchar_t* path;
    const wchar_t* drive;
  } cases[] = {
      {L"C:\\Program Files\\Tessera\\TesseraConfig.exe", L"C:"},
      {L"c:", L"c:"},
      {L"\\\\server\\share\\Tessera\\TesseraConfig.exe", L"\\\\server\\share"},
      {L"\\\\server\\share", L"\\\\server\\share"},
      {L"\\\\server\\", L""},
      {L"\\\\server", L""},
      {L"\\\\\\share", L""},
      {L"\\\\server\\\\x", L""},
      {L"Tessera\\TesseraConfig.exe", L""},
      {L"\\Tessera", L""},
      {L"", L""},
  };
  for (const auto& c : cases) EXPECT_EQ(ExtractFileDrive(c.path), c.drive) << WideToUtf8(c.path);
}

}  // namespace
}  // namespace tessera
