// Each package's shell-extension entries against what DllRegisterServer writes for a standard user, key
// by key: the same keys, value names, types and data, in the same registry view, for the DLL that the
// package's architecture registers. Only the entries are compared, not an activation through them: Wine's
// COM ignores HKCU\Software\Classes.
#include <gtest/gtest.h>

#include "base/StringUtils.h"
#include "packages/Installer.h"
#include "packages/PackagePaths.h"
#include "packages/Registration.h"
#include "support/ChildProcess.h"
#include "support/TempFolder.h"

namespace tessera::test {
namespace {

struct TRegistrationCase {
  const wchar_t* Arch;
  const wchar_t* Dll;  // the DLL that matches the architecture
  bool Bits64;
};
void PrintTo(const TRegistrationCase& c, std::ostream* out) {
  *out << std::string(c.Arch, c.Arch + wcslen(c.Arch)) << " package";
}
const TRegistrationCase kCases[] = {{L"x64", L"Tessera64.dll", true}, {L"x86", L"Tessera32.dll", false}};

class PackageRegistry : public ::testing::TestWithParam<TRegistrationCase> {};

TEST_P(PackageRegistry, EqualsWhatDllRegisterServerWritesPerUser) {
  if (!GetParam().Bits64 && !ThirtyTwoBitProgramsRun()) GTEST_SKIP() << "32-bit programs do not run here";
  // The DLL registered from a folder of its own, as if installed there.
  TempFolder folder;
  const std::wstring installFolder = folder.dir(L"Programs\\Tessera") + L"\\";
  const std::wstring dll = installFolder + GetParam().Dll;
  ASSERT_TRUE(::CopyFileW((DistFolder() + GetParam().Dll).c_str(), dll.c_str(), FALSE));

  const auto registered = PerUserRegistration(dll, GetParam().Bits64);
  ASSERT_FALSE(registered.Values.empty()) << "regsvr32 as a standard user wrote nothing under HKCU\\Software\\Classes";

  TMsiDatabase db(PackagePath(GetParam().Arch));
  EXPECT_EQ(AsList(PackageClassesValues(db, installFolder)), AsList(registered.Values));
}

TEST_P(PackageRegistry, WritesNothingElseButTheShortcutsKeyPath) {
  TMsiDatabase db(PackagePath(GetParam().Arch));
  for (const auto& row : db.Query(L"SELECT `Root`, `Key`, `Name`, `Value` FROM `Registry`")) {
    const std::wstring key = LowerAscii(row[1].value_or(L""));
    if (key.rfind(LowerAscii(kUserClassesKey) + L"\\", 0) == 0) continue;
    EXPECT_EQ(row[0], L"1");
    EXPECT_EQ(key, L"software\\vesper software\\tessera");
    EXPECT_EQ(row[2], L"StartMenuShortcut");
  }
}

INSTANTIATE_TEST_SUITE_P(Packages, PackageRegistry, ::testing::ValuesIn(kCases),
                         [](const auto& info) { return std::string(info.param.Arch, info.param.Arch + 3); });

}  // namespace
}  // namespace tessera::test
