// The x64 package under the test prefix's own msiexec: a quiet per-user installation with its files,
// shortcut, shell-extension entries and Apps & features entry; the upgrade by a newer package; the removal;
// the x86 package refusing 64-bit Windows. Wine's COM ignores HKCU\Software\Classes, so the shell
// extension's entries are checked as entries; no activation through them is attempted.
#include <gtest/gtest.h>

#include <windows.h>
#include <msi.h>

#include "base/Handles.h"
#include "base/PathUtils.h"
#include "base/ProductInfo.h"
#include "base/ShellExtIds.h"
#include "base/StringUtils.h"
#include "packages/InstalledProduct.h"
#include "packages/Installer.h"
#include "packages/PackagePaths.h"
#include "packages/TextHelpers.h"
#include "shellutils/Registry.h"
#include "support/SettingsFile.h"

namespace tessera::test {
namespace {

std::wstring Quoted(const std::wstring& path) { return L"\"" + path + L"\""; }

const std::wstring kClassKey64 = std::wstring(L"Software\\Classes\\CLSID\\") + kClassIdText64;
const std::wstring kClassKey32 = std::wstring(L"Software\\Classes\\CLSID\\") + kClassIdText32;

// Every file of build\dist is in the install folder with the same bytes, and nothing else is.
void ExpectInstalledFilesAreTheShippedOnes() {
  std::vector<std::wstring> installed;
  WIN32_FIND_DATAW data{};
  UniqueFindHandle find(::FindFirstFileW((InstallFolder() + L"*").c_str(), &data));
  ASSERT_TRUE(find) << "no install folder " << Utf8(InstallFolder());
  do {
    if (!(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) installed.push_back(data.cFileName);
  } while (::FindNextFileW(find.get(), &data));
  EXPECT_EQ(SortedIgnoringAsciiCase(installed), DistFileNames());
  for (const auto& name : DistFileNames())
    EXPECT_TRUE(FileBytes(InstallFolder() + name) == FileBytes(DistFolder() + name)) << Utf8(name);
}

void ExpectSuccess(const TMsiexecRun& run) { ASSERT_EQ(run.ExitCode, 0u) << run.LogTail(); }

// Refused by a launch condition: msiexec fails, and the one condition that fails is the one with the
// message (msiexec /qn neither shows nor logs the message, so the conditions are evaluated in a session).
void ExpectRefusal(const std::wstring& msiPath, const std::wstring& message) {
  EXPECT_EQ(FailingLaunchConditions(msiPath), std::vector<std::wstring>{message});
  const auto run = RunMsiexec(L"/i " + Quoted(msiPath));
  EXPECT_EQ(run.ExitCode, static_cast<DWORD>(ERROR_INSTALL_FAILURE)) << run.LogTail();
}

// A test that installs starts and ends without any version of the product installed.
class PackageInstallation : public ::testing::Test {
protected:
  static void SetUpTestSuite() {
    FPackage = ReadPackageIdentity(PackagePath(L"x64"));
    UninstallRelatedProducts(FPackage.UpgradeCode);
  }
  void SetUp() override {
    ASSERT_FALSE(FPackage.UpgradeCode.empty());
    ASSERT_TRUE(RelatedProducts(FPackage.UpgradeCode).empty()) << "a version of the product is still installed";
    FBefore = SnapshotUserRegistry();
    FProgramsFolderExisted = IsDirectory(UserProgramsFolder());
  }
  void TearDown() override { UninstallRelatedProducts(FPackage.UpgradeCode); }

  static TPackageIdentity FPackage;
  TUserRegistry FBefore;
  bool FProgramsFolderExisted = false;
};
TPackageIdentity PackageInstallation::FPackage;

TEST_F(PackageInstallation, InstallsQuietlyForTheCurrentUserWithFilesShortcutAndEntries) {
  ASSERT_NO_FATAL_FAILURE(ExpectSuccess(RunMsiexec(L"/i " + Quoted(PackagePath(L"x64")))));

  // Installed in the user's context, not the machine's.
  EXPECT_EQ(::MsiQueryProductStateW(FPackage.ProductCode.c_str()), INSTALLSTATE_DEFAULT);
  wchar_t version[64] = {};
  DWORD size = 64;
  EXPECT_EQ(::MsiGetProductInfoExW(FPackage.ProductCode.c_str(), nullptr, MSIINSTALLCONTEXT_USERUNMANAGED,
                                   INSTALLPROPERTY_VERSIONSTRING, version, &size),
            static_cast<UINT>(ERROR_SUCCESS));
  EXPECT_STREQ(version, kVersionText);
  size = 64;
  EXPECT_NE(::MsiGetProductInfoExW(FPackage.ProductCode.c_str(), nullptr, MSIINSTALLCONTEXT_MACHINE,
                                   INSTALLPROPERTY_VERSIONSTRING, version, &size),
            static_cast<UINT>(ERROR_SUCCESS));

  ExpectInstalledFilesAreTheShippedOnes();

  auto shortcut = ReadShortcut(StartMenuShortcutPath());
  ASSERT_TRUE(shortcut) << "no shortcut " << Utf8(StartMenuShortcutPath());
  EXPECT_TRUE(SameTextAscii(shortcut->Target, InstallFolder() + L"TesseraConfig.exe")) << Utf8(shortcut->Target);
  EXPECT_TRUE(SameTextAscii(IncludeTrailingBackslash(shortcut->WorkingFolder), InstallFolder()));

  // The class points at the installed 64-bit DLL (read where the settings program's enabled check would
  // find it on Windows: the 64-bit view of the user's classes); the 32-bit DLL stays unregistered.
  const auto after = SnapshotUserRegistry();
  const std::wstring inproc = ReadRegistryString(HKEY_CURRENT_USER, kClassKey64 + L"\\InprocServer32", L"", KEY_WOW64_64KEY);
  EXPECT_TRUE(SameTextAscii(inproc, InstallFolder() + L"Tessera64.dll")) << Utf8(inproc);
  EXPECT_EQ(ReadRegistryString(HKEY_CURRENT_USER, kClassKey32 + L"\\InprocServer32", L"", KEY_WOW64_32KEY), L"");
  EXPECT_EQ(ReadRegistryString(HKEY_CURRENT_USER, kClassKey32 + L"\\InprocServer32", L"", KEY_WOW64_64KEY), L"");
  // What the package wrote is exactly what DllRegisterServer writes per user: registering the installed DLL
  // by hand ("Enable for current user") afterwards adds and changes nothing.
  const auto written = AddedEntries(FBefore.Classes64, after.Classes64);
  EXPECT_FALSE(written.Values.empty());
  EXPECT_EQ(RunAsStandardUser(Quoted(Regsvr32Path(true)) + L" /s " + Quoted(InstallFolder() + L"Tessera64.dll")), 0u);
  EXPECT_EQ(AsList(SnapshotUserRegistry().Classes64.Values), AsList(after.Classes64.Values));

  // Apps & features: name, version, publisher and the product's icon.
  auto entry = FindUninstallEntry(FPackage.ProductCode);
  ASSERT_TRUE(entry);
  EXPECT_EQ(entry->DisplayName, kProductName);
  EXPECT_EQ(entry->DisplayVersion, kVersionText);
  EXPECT_EQ(entry->Publisher, L"Vesper Software");
  EXPECT_EQ(InstalledProductInfo(FPackage.ProductCode, INSTALLPROPERTY_PUBLISHER), L"Vesper Software");
  const std::wstring icon = InstalledProductInfo(FPackage.ProductCode, INSTALLPROPERTY_PRODUCTICON);
  ASSERT_FALSE(icon.empty());
  EXPECT_TRUE(FileBytes(icon) == FileBytes(SourceFile(L"res\\Tessera.ico"))) << Utf8(icon);
}

TEST_F(PackageInstallation, UninstallRemovesEverythingOfThePackageButKeepsTheSettings) {
  ASSERT_NO_FATAL_FAILURE(ExpectSuccess(RunMsiexec(L"/i " + Quoted(PackagePath(L"x64")))));
  // The user also pressed "Enable for current user" in the settings program and saved settings.
  ASSERT_EQ(RunAsStandardUser(Quoted(Regsvr32Path(true)) + L" " + L"/s " + Quoted(InstallFolder() + L"Tessera64.dll")), 0u);
  ScopedUserSettingsFile settings(SettingsText({"CopyPathState=2"}));

  ASSERT_NO_FATAL_FAILURE(ExpectSuccess(RunMsiexec(L"/x " + FPackage.ProductCode)));

  EXPECT_FALSE(IsDirectory(InstallFolder()));
  EXPECT_EQ(IsDirectory(UserProgramsFolder()), FProgramsFolderExisted) << "an emptied Programs folder we made goes";
  EXPECT_FALSE(FileExists(StartMenuShortcutPath()));
  const auto after = SnapshotUserRegistry();
  EXPECT_EQ(AsList(after.Classes64.Values), AsList(FBefore.Classes64.Values));
  EXPECT_EQ(AsList(after.Classes64.Keys), AsList(FBefore.Classes64.Keys)) << "emptied keys on the way up go too";
  EXPECT_EQ(AsList(after.Classes32.Values), AsList(FBefore.Classes32.Values));
  EXPECT_EQ(AsList(after.Maker.Values), AsList(FBefore.Maker.Values));
  EXPECT_EQ(AsList(after.Maker.Keys), AsList(FBefore.Maker.Keys));
  EXPECT_EQ(::MsiQueryProductStateW(FPackage.ProductCode.c_str()), INSTALLSTATE_UNKNOWN);
  EXPECT_FALSE(FindUninstallEntry(FPackage.ProductCode));
  EXPECT_TRUE(FileExists(settings.path())) << "the user's settings stay";
}

TEST_F(PackageInstallation, NewerPackageReplacesTheInstalledOneInPlace) {
  const auto newer = ReadPackageIdentity(UpgradePackagePath());
  ASSERT_NE(newer.ProductCode, FPackage.ProductCode);
  ASSERT_EQ(newer.UpgradeCode, FPackage.UpgradeCode);
  ASSERT_NO_FATAL_FAILURE(ExpectSuccess(RunMsiexec(L"/i " + Quoted(PackagePath(L"x64")))));
  // Files the newer package must bring back: one changed, one deleted.
  {
    ASSERT_TRUE(::DeleteFileW((InstallFolder() + L"SandboxConfig.txt").c_str()));
    const std::string changed = "not the shipped program";
    HANDLE h = ::CreateFileW((InstallFolder() + L"TesseraConfig.exe").c_str(), GENERIC_WRITE, 0, nullptr,
                             TRUNCATE_EXISTING, 0, nullptr);
    ASSERT_NE(h, INVALID_HANDLE_VALUE);
    DWORD written = 0;
    ::WriteFile(h, changed.data(), static_cast<DWORD>(changed.size()), &written, nullptr);
    ::CloseHandle(h);
  }

  ASSERT_NO_FATAL_FAILURE(ExpectSuccess(RunMsiexec(L"/i " + Quoted(UpgradePackagePath()))));

  EXPECT_EQ(RelatedProducts(FPackage.UpgradeCode), std::vector<std::wstring>{newer.ProductCode}) << "one product remains";
  EXPECT_EQ(::MsiQueryProductStateW(FPackage.ProductCode.c_str()), INSTALLSTATE_UNKNOWN);
  EXPECT_EQ(InstalledProductInfo(newer.ProductCode, INSTALLPROPERTY_VERSIONSTRING), UpgradeVersion());
  EXPECT_EQ(CountUninstallEntries(kProductName), 1);
  ExpectInstalledFilesAreTheShippedOnes();
  EXPECT_TRUE(FileExists(StartMenuShortcutPath()));
  const std::wstring inproc = ReadRegistryString(HKEY_CURRENT_USER, kClassKey64 + L"\\InprocServer32", L"", KEY_WOW64_64KEY);
  EXPECT_TRUE(SameTextAscii(inproc, InstallFolder() + L"Tessera64.dll")) << Utf8(inproc);

  // The same package again is the installed product, never a second one.
  ASSERT_NO_FATAL_FAILURE(ExpectSuccess(RunMsiexec(L"/i " + Quoted(UpgradePackagePath()))));
  EXPECT_EQ(RelatedProducts(FPackage.UpgradeCode), std::vector<std::wstring>{newer.ProductCode});
  EXPECT_EQ(CountUninstallEntries(kProductName), 1);

  // The older package is refused now, and the newer stays.
  ExpectRefusal(PackagePath(L"x64"), L"A newer version of Tessera is already installed.");
  EXPECT_EQ(RelatedProducts(FPackage.UpgradeCode), std::vector<std::wstring>{newer.ProductCode});
}

TEST_F(PackageInstallation, X86PackageRefuses64BitWindows) {
  ExpectRefusal(PackagePath(L"x86"), L"This package is for 32-bit Windows. On 64-bit Windows, install the x64 package.");
  EXPECT_TRUE(RelatedProducts(FPackage.UpgradeCode).empty());
  EXPECT_FALSE(IsDirectory(InstallFolder()));
}

}  // namespace
}  // namespace tessera::test
