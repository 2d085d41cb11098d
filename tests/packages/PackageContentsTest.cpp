// What each MSI holds: every file of build\dist into the per-user install folder, the product's name, maker
// and version, the per-user and no-elevation marks, the components' bitness and the Start menu shortcut.
#include <gtest/gtest.h>

#include "base/ProductInfo.h"
#include "base/StringUtils.h"
#include "packages/MsiDatabase.h"
#include "packages/PackagePaths.h"
#include "packages/TextHelpers.h"
#include "shellutils/FileUtils.h"

namespace tessera::test {
namespace {

struct TPackageCase {
  const wchar_t* Arch;
  const wchar_t* Template;  // platform;language of the summary information
  bool Win64;
};
void PrintTo(const TPackageCase& c, std::ostream* out) {
  *out << std::string(c.Arch, c.Arch + wcslen(c.Arch)) << " package";
}
const TPackageCase kPackages[] = {{L"x64", L"x64;1033", true}, {L"x86", L"Intel;1033", false}};

class PackageContents : public ::testing::TestWithParam<TPackageCase> {};

TEST_P(PackageContents, InstallsEveryFileOfTheInstallFolderIntoTheUsersProgramsFolder) {
  TMsiDatabase db(PackagePath(GetParam().Arch));
  std::vector<std::wstring> names;
  for (const auto& row : db.Query(L"SELECT `File`.`FileName`, `File`.`FileSize`, `Component`.`Directory_` "
                                  L"FROM `File`, `Component` WHERE `File`.`Component_` = `Component`.`Component`")) {
    const std::wstring name = MsiLongFileName(row[0].value_or(L""));
    names.push_back(name);
    EXPECT_EQ(row[1].value_or(L""), std::to_wstring(FileSizeByName(DistFolder() + name))) << name;
    EXPECT_EQ(row[2].value_or(L""), L"INSTALLDIR") << name;
  }
  const auto dist = DistFileNames();
  ASSERT_FALSE(dist.empty());
  EXPECT_EQ(SortedIgnoringAsciiCase(names), dist) << "a file of build\\dist is missing from the package, or the package holds one that is not shipped";

  // INSTALLDIR is LocalAppDataFolder\Programs\Tessera.
  std::vector<std::wstring> chain;
  for (std::wstring dir = L"INSTALLDIR"; dir != L"LocalAppDataFolder" && chain.size() < 5;) {
    auto rows = db.Query(L"SELECT `Directory_Parent`, `DefaultDir` FROM `Directory` WHERE `Directory` = '" + dir + L"'");
    ASSERT_EQ(rows.size(), 1u) << dir;
    chain.push_back(rows[0][1].value_or(L""));
    dir = rows[0][0].value_or(L"");
  }
  EXPECT_EQ(chain, (std::vector<std::wstring>{kProductName, L"Programs"}));
}

TEST_P(PackageContents, NamesTheProductAndInstallsPerUserWithoutElevation) {
  TMsiDatabase db(PackagePath(GetParam().Arch));
  EXPECT_EQ(db.Property(L"ProductName"), kProductName);
  EXPECT_EQ(db.Property(L"ProductVersion"), kVersionText);
  EXPECT_EQ(db.Property(L"Manufacturer"), L"Vesper Software");
  EXPECT_EQ(db.Property(L"ARPPRODUCTICON").empty(), false);
  EXPECT_EQ(db.Query(L"SELECT `Name` FROM `Icon` WHERE `Name` = '" + db.Property(L"ARPPRODUCTICON") + L"'").size(), 1u);
  // An empty ALLUSERS is the user's installation context on every Windows.
  EXPECT_EQ(db.Property(L"ALLUSERS"), L"");
  EXPECT_EQ(db.SummaryField(7 /*PID_TEMPLATE*/), GetParam().Template);
  const int wordCount = _wtoi(db.SummaryField(15 /*PID_WORDCOUNT*/).c_str());
  EXPECT_TRUE(wordCount & 8) << "elevation must not be required";
  EXPECT_TRUE(wordCount & 2) << "compressed files";
}

TEST_P(PackageContents, ComponentsMatchTheArchitecture) {
  TMsiDatabase db(PackagePath(GetParam().Arch));
  auto rows = db.Query(L"SELECT `Component`, `Attributes` FROM `Component`");
  ASSERT_FALSE(rows.empty());
  for (const auto& row : rows) {
    const bool win64 = (_wtoi(row[1].value_or(L"0").c_str()) & 256 /*msidbComponentAttributes64bit*/) != 0;
    EXPECT_EQ(win64, GetParam().Win64) << row[0].value_or(L"");
  }
}

TEST_P(PackageContents, PutsTheSettingsShortcutInTheStartMenu) {
  TMsiDatabase db(PackagePath(GetParam().Arch));
  auto rows = db.Query(L"SELECT `Directory_`, `Name`, `Target`, `WkDir` FROM `Shortcut`");
  ASSERT_EQ(rows.size(), 1u);
  EXPECT_EQ(rows[0][0], L"ProgramMenuFolder");
  EXPECT_EQ(MsiLongFileName(rows[0][1].value_or(L"")), std::wstring(kProductName) + L" settings");
  EXPECT_EQ(rows[0][2], L"[#TesseraConfig.exe]");
  EXPECT_EQ(rows[0][3], L"INSTALLDIR");
}

INSTANTIATE_TEST_SUITE_P(Packages, PackageContents, ::testing::ValuesIn(kPackages),
                         [](const auto& info) { return std::string(info.param.Arch, info.param.Arch + 3); });

TEST(PackageContents, BothArchitecturesShareTheUpgradeCodeButNotTheProductCode) {
  TMsiDatabase x64(PackagePath(L"x64")), x86(PackagePath(L"x86"));
  EXPECT_FALSE(x64.Property(L"UpgradeCode").empty());
  EXPECT_EQ(x64.Property(L"UpgradeCode"), x86.Property(L"UpgradeCode"));
  EXPECT_NE(x64.Property(L"ProductCode"), x86.Property(L"ProductCode"));
}

}  // namespace
}  // namespace tessera::test
