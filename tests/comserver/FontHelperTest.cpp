// End to end: the shipped extension's font items on a font and a folder of fonts start the shipped
// Typemount.exe beside the DLL, which installs and uninstalls them for real and reports in its own box.
#include <gtest/gtest.h>

#include <shlobj.h>

#include <set>
#include <string>
#include <vector>

#include "base/Handles.h"
#include "base/PathUtils.h"
#include "base/ShellExtIds.h"
#include "base/StringUtils.h"
#include "comserver/DllUnderTest.h"
#include "shellutils/SystemUtils.h"
#include "support/FontFixtures.h"
#include "support/InstalledFonts.h"
#include "support/MenuReader.h"
#include "support/MessageBoxWatcher.h"
#include "support/SettingsFile.h"
#include "support/ShellObjects.h"
#include "support/TempFolder.h"

namespace tessera {
namespace {

using test::TempFolder;

constexpr const wchar_t* kNamePrefix = L"Tessera E2E ";
constexpr const wchar_t* kFilePrefix = L"tessera-e2e";

std::set<std::wstring> ListFilesInTemp() {
  std::set<std::wstring> files;
  WIN32_FIND_DATAW data{};
  UniqueFindHandle find(::FindFirstFileW((GetTempFolder() + L"ves*.tmp").c_str(), &data));
  if (find) do {
      files.insert(data.cFileName);
    } while (::FindNextFileW(find.get(), &data));
  return files;
}

class FontHelperEndToEnd : public ::testing::Test {
protected:
  void SetUp() override { test::RemoveTestFonts(kNamePrefix, kFilePrefix); }
  void TearDown() override { test::RemoveTestFonts(kNamePrefix, kFilePrefix); }

  // Opens the shipped handler's menu on the selection (Shift held: every font item) and invokes the item.
  void InvokeOn(const std::vector<std::wstring>& selection, const std::wstring& caption) {
    ComPtr<IClassFactory> factory;
    ASSERT_EQ(test::ShellExtDll().DllGetClassObject(CLSID_TesseraContextMenu, IID_IClassFactory, factory.put_void()), S_OK);
    ComPtr<IContextMenu> menu;
    ASSERT_EQ(factory->CreateInstance(nullptr, IID_IContextMenu, menu.put_void()), S_OK);
    ComPtr<IShellExtInit> init = menu.as<IShellExtInit>(IID_IShellExtInit);
    ASSERT_TRUE(init);
    auto data = test::CreateShellDataObject(selection);
    ASSERT_EQ(init->Initialize(nullptr, data.get(), nullptr), S_OK);
    UniqueMenu popup(::CreatePopupMenu());
    ASSERT_TRUE(SUCCEEDED(menu->QueryContextMenu(popup.get(), 0, 1, 0x7FFF, CMF_EXTENDEDVERBS)));
    const auto entries = test::ReadMenu(popup.get());
    const test::TMenuEntry* item = test::FindEntry(entries, caption);
    ASSERT_NE(item, nullptr) << "no item " << WideToUtf8(caption);
    CMINVOKECOMMANDINFO info{};
    info.cbSize = sizeof(info);
    info.lpVerb = MAKEINTRESOURCEA(item->id - 1);
    info.nShow = SW_SHOWNORMAL;
    EXPECT_EQ(menu->InvokeCommand(&info), S_OK);
  }

  // The helper's one box, from its own process.
  std::wstring HelperSummary() {
    if (!boxes.waitFor(++seen, 60000)) return L"(no box)";
    return boxes.texts().back();
  }

  TempFolder temp;
  test::ScopedUserSettingsFile settings{test::SettingsText({})};  // the DLL reads the user's file
  test::MessageBoxWatcher boxes{L"Tessera", IDOK, true};
  size_t seen = 0;
};

TEST_F(FontHelperEndToEnd, InstallFontOnAFontAndAFolderInstallsThemAllAndUninstallRemovesThem) {
  ASSERT_TRUE(FileExists(ExtractFilePath(test::ShellExtDllPath()) + L"Typemount.exe")) << "shipped beside the DLL";
  auto renamed = [](const wchar_t* source, const std::wstring& family) {
    return test::RenamedFont(test::ReadSystemFont(source), kNamePrefix + family, L"Regular");
  };
  const std::wstring single =
      temp.file(L"my fonts\\tessera-e2e single \u00e9.ttf", renamed(L"truetype\\dejavu\\DejaVuSans.ttf", L"Single"));
  const std::wstring folder = temp.dir(L"font folder");
  temp.file(L"font folder\\tessera-e2e cff.otf", renamed(L"opentype\\freefont\\FreeSans.otf", L"Cff"));
  temp.file(L"font folder\\deeper\\tessera-e2e serif.ttf", renamed(L"truetype\\dejavu\\DejaVuSerif.ttf", L"Serif"));
  temp.file(L"font folder\\read me.txt", "not a font");
  const struct {
    std::wstring value, file;
  } expected[] = {{L"Tessera E2E Single (TrueType)", L"tessera-e2e single \u00e9.ttf"},
                  {L"Tessera E2E Cff (OpenType)", L"tessera-e2e cff.otf"},
                  {L"Tessera E2E Serif (TrueType)", L"tessera-e2e serif.ttf"}};
  const std::set<std::wstring> listsBefore = ListFilesInTemp();

  InvokeOn({single, folder}, L"Install font");
  // Wine's user is an administrator: the helper installs for all users.
  EXPECT_EQ(HelperSummary(), L"Fonts installed: 3 of 3.");
  for (const auto& e : expected) {
    SCOPED_TRACE(WideToUtf8(e.value));
    std::wstring data;
    ASSERT_TRUE(test::FontValue(HKEY_LOCAL_MACHINE, e.value, data));
    EXPECT_EQ(data, e.file);
    EXPECT_TRUE(FileExists(test::MachineFontsFolder() + e.file));
  }
  EXPECT_EQ(ListFilesInTemp(), listsBefore) << "the helper deletes the list it was given with -tmp";

  InvokeOn({single, folder}, L"Install font");
  const std::wstring again = HelperSummary();
  EXPECT_EQ(again.rfind(L"Fonts installed: 0 of 3.\r\n\r\n" + single +
                            L": Already installed as \"Tessera E2E Single (TrueType)\"",
                        0),
            0u)
      << WideToUtf8(again);

  InvokeOn({single, folder}, L"Uninstall font");
  EXPECT_EQ(HelperSummary(), L"Fonts uninstalled: 3 of 3.");
  for (const auto& e : expected) {
    SCOPED_TRACE(WideToUtf8(e.value));
    std::wstring data;
    EXPECT_FALSE(test::FontValue(HKEY_LOCAL_MACHINE, e.value, data));
    EXPECT_FALSE(FileExists(test::MachineFontsFolder() + e.file));
  }
  EXPECT_TRUE(FileExists(single)) << "the user's own file stays";
  EXPECT_EQ(ListFilesInTemp(), listsBefore);
}

TEST_F(FontHelperEndToEnd, LoadFontReportsABrokenFontAndLoadsTheRest) {
  const std::wstring good = temp.file(
      L"tessera-e2e good.ttf",
      test::RenamedFont(test::ReadSystemFont(L"truetype\\dejavu\\DejaVuSans.ttf"), L"Tessera E2E Good", L"Regular"));
  const std::wstring broken =
      temp.file(L"tessera-e2e broken.ttf", test::ReadSystemFont(L"truetype\\dejavu\\DejaVuSans.ttf").substr(0, 3000));
  InvokeOn({good, broken}, L"Load font");
  EXPECT_EQ(HelperSummary(),
            L"Fonts loaded: 1 of 2.\r\n\r\n" + broken + L": Not a usable font: a table lies past the end of the file");
  InvokeOn({good}, L"Unload font");
  EXPECT_EQ(HelperSummary(), L"Fonts unloaded: 1 of 1.");
}

}  // namespace
}  // namespace tessera
