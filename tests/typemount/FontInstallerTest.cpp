// Installing and uninstalling in both scopes inside the test prefix, loading and unloading, and the
// WM_FONTCHANGE broadcast. The fonts are Debian's, renamed, so that no font of the system has their names.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <atomic>
#include <thread>

#include "base/Error.h"
#include "base/Handles.h"
#include "base/PathUtils.h"
#include "base/StringUtils.h"
#include "shellutils/SystemUtils.h"
#include "support/FontFixtures.h"
#include "support/InstalledFonts.h"
#include "support/TempFolder.h"
#include "typemount/FontInstaller.h"

namespace tessera {
namespace {

using test::FontFamilyVisible;
using test::FontValue;
using test::TempFolder;

constexpr const wchar_t* kNamePrefix = L"Tessera Unit ";
constexpr const wchar_t* kFilePrefix = L"tessera-unit";
constexpr const wchar_t* kSans = L"truetype\\dejavu\\DejaVuSans.ttf";
constexpr const wchar_t* kSerif = L"truetype\\dejavu\\DejaVuSerif.ttf";
constexpr const wchar_t* kCff = L"opentype\\freefont\\FreeSans.otf";

const char* ScopeName(TFontScope scope) { return scope == fsMachine ? "all users" : "current user"; }

std::wstring ErrorOf(const std::function<void()>& action) {
  try {
    action();
  } catch (const TesseraError& e) {
    return e.message();
  }
  return L"";
}

class FontInstall : public ::testing::Test {
protected:
  void SetUp() override { test::RemoveTestFonts(kNamePrefix, kFilePrefix); }
  void TearDown() override { test::RemoveTestFonts(kNamePrefix, kFilePrefix); }

  // A renamed copy of a Debian font in the test folder (family "Tessera Unit <name>").
  std::wstring Font(const std::wstring& relative, const std::wstring& name, const wchar_t* source = kSans) {
    return temp.file(relative, test::RenamedFont(test::ReadSystemFont(source), kNamePrefix + name, L"Regular"));
  }
  static std::wstring Folder(TFontScope scope) {
    return scope == fsMachine ? test::MachineFontsFolder() : test::UserFontsFolder();
  }
  static bool Registered(TFontScope scope, const std::wstring& name, std::wstring* data = nullptr) {
    std::wstring value;
    bool found = FontValue(FontsRoot(scope), name, value);
    if (data) *data = value;
    return found;
  }

  TempFolder temp;
  bool changed = false;
};

TEST(FontScope, AnElevatedAdministratorInstallsForAllUsersAnybodyElseForHimself) {
  EXPECT_EQ(InstallScopeFor(true), fsMachine);
  EXPECT_EQ(InstallScopeFor(false), fsUser);
  // Wine's user is an administrator and Wine does not filter the token.
  ASSERT_TRUE(IsUserAdmin());
  EXPECT_EQ(CurrentInstallScope(), fsMachine);
  EXPECT_EQ(FontsRoot(fsMachine), HKEY_LOCAL_MACHINE);
  EXPECT_EQ(FontsRoot(fsUser), HKEY_CURRENT_USER);
  EXPECT_EQ(FontsFolder(fsMachine), test::MachineFontsFolder());
  EXPECT_EQ(FontsFolder(fsUser), test::UserFontsFolder());
}

TEST_F(FontInstall, InstallsIntoEachScopeAndUninstallingLeavesNothingBehind) {
  const std::wstring source = Font(L"f\u00f6nts with blanks\\tessera-unit Sans \u65e5\u672c.ttf", L"Sans");
  const std::string bytes = TempFolder::ReadBytes(source);
  const std::wstring value = L"Tessera Unit Sans (TrueType)";
  for (TFontScope scope : {fsMachine, fsUser}) {
    SCOPED_TRACE(ScopeName(scope));
    const TFontScope other = scope == fsMachine ? fsUser : fsMachine;
    const std::wstring copy = Folder(scope) + L"tessera-unit Sans \u65e5\u672c.ttf";
    changed = false;
    InstallFont(source, scope, changed);
    EXPECT_TRUE(changed);
    EXPECT_EQ(TempFolder::ReadBytes(copy), bytes) << "copied under its own name";
    std::wstring data;
    ASSERT_TRUE(Registered(scope, value, &data));
    // The system's Fonts folder by file name, the user's by full path.
    EXPECT_EQ(data, scope == fsMachine ? ExtractFileName(copy) : copy);
    EXPECT_FALSE(Registered(other, value));
    EXPECT_TRUE(FontFamilyVisible(L"Tessera Unit Sans")) << "loaded for the session";

    changed = false;
    UninstallFont(source, changed);
    EXPECT_TRUE(changed);
    EXPECT_FALSE(Registered(scope, value));
    EXPECT_FALSE(FileExists(copy));
    EXPECT_FALSE(FontFamilyVisible(L"Tessera Unit Sans"));
    EXPECT_EQ(TempFolder::ReadBytes(source), bytes) << "the user's own file stays";
  }
}

TEST_F(FontInstall, InstallingTwiceSaysSoAndChangesNothingThenUninstallRemovesBothScopes) {
  const std::wstring source = Font(L"tessera-unit twice.ttf", L"Twice");
  InstallFont(source, fsMachine, changed);
  const auto files = test::FilesIn(test::MachineFontsFolder());
  const auto values = test::FontValues(HKEY_LOCAL_MACHINE);
  changed = false;
  EXPECT_EQ(ErrorOf([&] { InstallFont(source, fsMachine, changed); }),
            L"Already installed as \"Tessera Unit Twice (TrueType)\"");
  EXPECT_FALSE(changed);
  EXPECT_EQ(test::FilesIn(test::MachineFontsFolder()), files);
  EXPECT_EQ(test::FontValues(HKEY_LOCAL_MACHINE).size(), values.size());

  // The other scope is another installation.
  InstallFont(source, fsUser, changed);
  EXPECT_TRUE(Registered(fsUser, L"Tessera Unit Twice (TrueType)"));
  UninstallFont(source, changed);
  for (TFontScope scope : {fsMachine, fsUser}) {
    EXPECT_FALSE(Registered(scope, L"Tessera Unit Twice (TrueType)")) << ScopeName(scope);
    EXPECT_FALSE(FileExists(Folder(scope) + L"tessera-unit twice.ttf")) << ScopeName(scope);
  }
}

TEST_F(FontInstall, UninstallingAFontThatIsNotInstalledSaysSo) {
  const std::wstring source = Font(L"tessera-unit never.ttf", L"Never");
  EXPECT_EQ(ErrorOf([&] { UninstallFont(source, changed); }), L"Not installed");
  EXPECT_FALSE(changed);
  const std::wstring empty = temp.file(L"empty.ttf");
  EXPECT_EQ(ErrorOf([&] { UninstallFont(empty, changed); }), L"Not a usable font: the file is empty");
}

TEST_F(FontInstall, ADifferentFileOfTheSameNameGetsAFreeNameAndTheSameFileIsTakenAsItIs) {
  for (TFontScope scope : {fsUser, fsMachine}) {
    SCOPED_TRACE(ScopeName(scope));
    test::RemoveTestFonts(kNamePrefix, kFilePrefix);
    ::CreateDirectoryW(test::UserFontsFolder().c_str(), nullptr);
    const std::wstring decoy = Folder(scope) + L"tessera-unit same.ttf";
    temp.file(L"decoy", "another file of this name");
    ASSERT_TRUE(::CopyFileW((temp.path() + L"decoy").c_str(), decoy.c_str(), FALSE));
    const std::wstring source = Font(L"tessera-unit same.ttf", L"Same");
    InstallFont(source, scope, changed);
    const std::wstring copy = Folder(scope) + L"tessera-unit same_1.ttf";
    EXPECT_EQ(TempFolder::ReadBytes(copy), TempFolder::ReadBytes(source));
    EXPECT_EQ(TempFolder::ReadBytes(decoy), "another file of this name");
    std::wstring data;
    ASSERT_TRUE(Registered(scope, L"Tessera Unit Same (TrueType)", &data));
    EXPECT_EQ(data, scope == fsMachine ? ExtractFileName(copy) : copy);
    UninstallFont(source, changed);
    EXPECT_FALSE(FileExists(copy));
    EXPECT_TRUE(FileExists(decoy)) << "not ours";

    // The font's very file already in the folder, not registered: registered where it lies.
    const std::wstring placed = Folder(scope) + L"tessera-unit placed.ttf";
    const std::wstring other = Font(L"tessera-unit placed.ttf", L"Placed");
    ASSERT_TRUE(::CopyFileW(other.c_str(), placed.c_str(), FALSE));
    InstallFont(other, scope, changed);
    EXPECT_FALSE(FileExists(Folder(scope) + L"tessera-unit placed_1.ttf"));
    ASSERT_TRUE(Registered(scope, L"Tessera Unit Placed (TrueType)", &data));
    EXPECT_EQ(data, scope == fsMachine ? ExtractFileName(placed) : placed);
    // Installing the file that lies in the Fonts folder itself, under another name: the same installation.
    EXPECT_EQ(ErrorOf([&] { InstallFont(placed, scope, changed); }),
              L"Already installed as \"Tessera Unit Placed (TrueType)\"");
  }
}

TEST_F(FontInstall, UninstallFindsARegistrationByTheFilesPathWhenTheFileIsNoFont) {
  ::CreateDirectoryW(test::UserFontsFolder().c_str(), nullptr);
  const std::wstring broken = test::UserFontsFolder() + L"tessera-unit broken.ttf";
  temp.file(L"junk", "no font");
  ASSERT_TRUE(::CopyFileW((temp.path() + L"junk").c_str(), broken.c_str(), FALSE));
  UniqueRegKey key;
  ASSERT_EQ(::RegCreateKeyExW(HKEY_CURRENT_USER, kFontsKey, 0, nullptr, 0, KEY_SET_VALUE | KEY_WOW64_64KEY, nullptr,
                              key.put(), nullptr),
            ERROR_SUCCESS);
  ASSERT_EQ(::RegSetValueExW(key.get(), L"Tessera Unit Broken (TrueType)", 0, REG_SZ,
                             reinterpret_cast<const BYTE*>(broken.c_str()),
                             static_cast<DWORD>((broken.size() + 1) * sizeof(wchar_t))),
            ERROR_SUCCESS);
  // In another case, as Explorer may spell it.
  UninstallFont(LowerAscii(broken), changed);
  EXPECT_FALSE(Registered(fsUser, L"Tessera Unit Broken (TrueType)"));
  EXPECT_FALSE(FileExists(broken));
}

TEST_F(FontInstall, AFileInUseKeepsItsRegistrationUntilItIsFree) {
  const std::wstring source = Font(L"tessera-unit busy.ttf", L"Busy");
  InstallFont(source, fsUser, changed);
  const std::wstring copy = test::UserFontsFolder() + L"tessera-unit busy.ttf";
  {
    UniqueFileHandle user(
        ::CreateFileW(copy.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
    ASSERT_TRUE(user);
    changed = false;
    const std::wstring error = ErrorOf([&] { UninstallFont(source, changed); });
    EXPECT_EQ(error.rfind(L"Cannot delete \"" + copy + L"\", it may be in use: ", 0), 0u) << WideToUtf8(error);
    EXPECT_TRUE(Registered(fsUser, L"Tessera Unit Busy (TrueType)")) << "never a value without its file";
    EXPECT_TRUE(FileExists(copy));
    EXPECT_TRUE(FontFamilyVisible(L"Tessera Unit Busy")) << "loaded again";
  }
  UninstallFont(source, changed);
  EXPECT_FALSE(Registered(fsUser, L"Tessera Unit Busy (TrueType)"));
  EXPECT_FALSE(FileExists(copy));
}

TEST_F(FontInstall, CollectionsAndCffFontsAreRegisteredUnderTheNamesWindowsGivesThem) {
  const std::string duo =
      test::JoinCollection({test::RenamedFace(test::ReadSystemFont(kSans), L"Tessera Unit Duo A", L"Regular"),
                            test::RenamedFace(test::ReadSystemFont(kSerif), L"Tessera Unit Duo B", L"Regular")});
  const std::wstring collection = temp.file(L"tessera-unit duo.ttc", duo);
  const std::wstring cff = Font(L"tessera-unit cff.otf", L"Cff", kCff);
  InstallFont(collection, fsMachine, changed);
  InstallFont(cff, fsUser, changed);
  EXPECT_TRUE(Registered(fsMachine, L"Tessera Unit Duo A & Tessera Unit Duo B (TrueType)"));
  EXPECT_TRUE(Registered(fsUser, L"Tessera Unit Cff (OpenType)"));
  EXPECT_TRUE(FontFamilyVisible(L"Tessera Unit Duo A"));
  EXPECT_TRUE(FontFamilyVisible(L"Tessera Unit Duo B"));
  EXPECT_TRUE(FontFamilyVisible(L"Tessera Unit Cff"));
  UninstallFont(collection, changed);
  UninstallFont(cff, changed);
  EXPECT_FALSE(FontFamilyVisible(L"Tessera Unit Duo B"));
  EXPECT_FALSE(FontFamilyVisible(L"Tessera Unit Cff"));
  EXPECT_FALSE(Registered(fsMachine, L"Tessera Unit Duo A & Tessera Unit Duo B (TrueType)"));
  EXPECT_FALSE(Registered(fsUser, L"Tessera Unit Cff (OpenType)"));
}

TEST_F(FontInstall, BrokenFontsAreReportedAndNothingIsCopiedOrRegistered) {
  const std::string whole = test::RenamedFont(test::ReadSystemFont(kSans), L"Tessera Unit Cut", L"Regular");
  struct Case {
    const char* what;
    std::string bytes;
    std::wstring error;
  } cases[] = {
      {"truncated", whole.substr(0, whole.size() / 2), L"Not a usable font: a table lies past the end of the file"},
      {"zero length", "", L"Not a usable font: the file is empty"},
      {"no font", "Just some text.\r\n", L"Not a usable font: the file has no TrueType or OpenType signature"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    const std::wstring source = temp.file(L"tessera-unit cut.ttf", c.bytes);
    for (TFontScope scope : {fsMachine, fsUser}) {
      changed = false;
      EXPECT_EQ(ErrorOf([&] { InstallFont(source, scope, changed); }), c.error);
      EXPECT_FALSE(changed);
      EXPECT_FALSE(FileExists(Folder(scope) + L"tessera-unit cut.ttf"));
    }
    EXPECT_EQ(ErrorOf([&] { LoadFont(source, changed); }), c.error);
    EXPECT_FALSE(FontFamilyVisible(L"Tessera Unit Cut"));
  }
  for (const auto& value : test::FontValues(HKEY_LOCAL_MACHINE)) EXPECT_NE(value.Name.rfind(kNamePrefix, 0), 0u);
  for (const auto& value : test::FontValues(HKEY_CURRENT_USER)) EXPECT_NE(value.Name.rfind(kNamePrefix, 0), 0u);
}

TEST_F(FontInstall, AReadOnlySourceGivesACopyThatCanBeUninstalled) {
  const std::wstring source = Font(L"tessera-unit locked.ttf", L"Locked");
  ASSERT_TRUE(::SetFileAttributesW(source.c_str(), FILE_ATTRIBUTE_READONLY));
  InstallFont(source, fsUser, changed);
  const std::wstring copy = test::UserFontsFolder() + L"tessera-unit locked.ttf";
  EXPECT_FALSE(::GetFileAttributesW(copy.c_str()) & FILE_ATTRIBUTE_READONLY);
  UninstallFont(source, changed);
  EXPECT_FALSE(FileExists(copy));
  ::SetFileAttributesW(source.c_str(), FILE_ATTRIBUTE_NORMAL);
}

TEST_F(FontInstall, LoadAndUnloadForTheSessionOnly) {
  const std::wstring source = Font(L"tessera-unit session.ttf", L"Session");
  ASSERT_FALSE(FontFamilyVisible(L"Tessera Unit Session"));
  LoadFont(source, changed);
  EXPECT_TRUE(changed);
  EXPECT_TRUE(FontFamilyVisible(L"Tessera Unit Session"));
  EXPECT_FALSE(Registered(fsMachine, L"Tessera Unit Session (TrueType)"));
  EXPECT_FALSE(Registered(fsUser, L"Tessera Unit Session (TrueType)"));
  EXPECT_FALSE(FileExists(test::UserFontsFolder() + L"tessera-unit session.ttf"));
  changed = false;
  UnloadFont(source, changed);
  EXPECT_TRUE(changed);
  EXPECT_FALSE(FontFamilyVisible(L"Tessera Unit Session"));
  changed = false;
  EXPECT_EQ(ErrorOf([&] { UnloadFont(source, changed); }), L"The font is not loaded");
  EXPECT_FALSE(changed);

  // A collection loads all its faces.
  const std::wstring duo = temp.file(
      L"duo.ttc",
      test::JoinCollection({test::RenamedFace(test::ReadSystemFont(kSans), L"Tessera Unit Pair A", L"Bold"),
                            test::RenamedFace(test::ReadSystemFont(kSerif), L"Tessera Unit Pair B", L"Bold")}));
  LoadFont(duo, changed);
  EXPECT_TRUE(FontFamilyVisible(L"Tessera Unit Pair A"));
  EXPECT_TRUE(FontFamilyVisible(L"Tessera Unit Pair B"));
  UnloadFont(duo, changed);
  EXPECT_FALSE(FontFamilyVisible(L"Tessera Unit Pair B"));
}

std::atomic<int> fontChanges{0};

LRESULT CALLBACK CountFontChanges(HWND hwnd, UINT message, WPARAM w, LPARAM l) {
  if (message == WM_FONTCHANGE) ++fontChanges;
  return ::DefWindowProcW(hwnd, message, w, l);
}

// A window that answers, and one whose thread never reads its messages.
TEST(FontChangeBroadcast, ReachesTopLevelWindowsAndAHungWindowCannotHoldItUp) {
  WNDCLASSW cls{};
  cls.lpszClassName = L"TesseraFontChangeProbe";
  cls.hInstance = ::GetModuleHandleW(nullptr);
  cls.lpfnWndProc = CountFontChanges;
  ::RegisterClassW(&cls);
  std::atomic<HWND> listening{nullptr}, hung{nullptr};
  std::atomic<bool> stop{false};
  std::thread listener([&] {
    listening =
        ::CreateWindowExW(0, cls.lpszClassName, L"", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, cls.hInstance, nullptr);
    MSG msg;
    while (!stop) {
      while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) ::DispatchMessageW(&msg);
      ::Sleep(5);
    }
    ::DestroyWindow(listening);
  });
  std::thread sleeper([&] {
    hung = ::CreateWindowExW(0, cls.lpszClassName, L"", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, cls.hInstance, nullptr);
    while (!stop) ::Sleep(50);  // never reads its messages
    ::DestroyWindow(hung);
  });
  while (!listening || !hung) ::Sleep(5);

  const DWORD start = ::GetTickCount();
  BroadcastFontChange();
  const DWORD took = ::GetTickCount() - start;
  stop = true;
  listener.join();
  sleeper.join();
  EXPECT_GE(fontChanges.load(), 1);
  EXPECT_LT(took, 8000u) << "waited for the hung window";
}

}  // namespace
}  // namespace tessera
