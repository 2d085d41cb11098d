// The product's menus, built into real popup menus from real shell data objects and a settings file
// written for each handler, then read back with GetMenuItemInfoW.
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "commands/ShellFlags.h"
#include "support/HandlerUnderTest.h"
#include "support/SettingsFile.h"
#include "support/TempFolder.h"

namespace tessera {
namespace {

using test::HandlerUnderTest;
using test::SettingsText;
using test::TempFolder;
using Lines = std::vector<std::wstring>;

const std::string kAllShown = SettingsText({"CopyFileSizeState=1", "LoadFontState=1", "UnloadFontState=1",
                                            "SandboxState=1", "ShowSuperHiddenFilesState=1"});
const std::string kAllHidden = SettingsText(
    {"CopyPathState=0", "CopyFileSizeState=0", "FileNoteState=0", "ResizeImageState=0", "InstallFontState=0",
     "UninstallFontState=0", "LoadFontState=0", "UnloadFontState=0", "SandboxState=0", "ShowFileExtState=0",
     "ShowHiddenFilesState=0", "ShowSuperHiddenFilesState=0", "FreshIconsState=0", "TesseraOptionsState=0"});
const std::wstring kSizes = L"Resize to JPEG>[1280x720,1280x1024,1600x1200,1920x1080,2560x1440,3840x2160]";

std::wstring Checked(DWORD selector, const wchar_t* caption) {
  return (GetShellFlag(selector) ? L"[x] " : L"") + std::wstring(caption);
}

class ContextMenu : public ::testing::Test {
protected:
  TempFolder tmp;
};

TEST_F(ContextMenu, ResultingMenusWithEverythingVisible) {
  const std::optional<std::string> settings = kAllShown;
  std::wstring fontDir = tmp.dir(L"fonts");
  tmp.file(L"fonts\\a.otf");
  struct Case {
    const char* name;
    std::vector<std::wstring> selection;
    Lines expected;
  } cases[] = {
      {"image", {tmp.file(L"photo.JPG")},
       {L"----", L"File note", L"Copy path", L"Copy size>[bytes,KiB]", kSizes, L"----"}},
      {"font", {tmp.file(L"font.ttf")},
       {L"----", L"File note", L"Copy path", L"Copy size>[bytes,KiB]", L"Load font", L"Unload font", L"Install font",
        L"Uninstall font", L"----"}},
      {"other file", {tmp.file(L"readme.txt")}, {L"----", L"File note", L"Copy path", L"Copy size>[bytes,KiB]", L"----"}},
      {"two files", {tmp.file(L"a.txt"), tmp.file(L"b.txt")}, {L"----", L"Copy path", L"Copy size>[bytes,KiB]", L"----"}},
      {"folder", {tmp.dir(L"plain")}, {L"----", L"Copy path", L"Map to Windows Sandbox", L"----"}},
      {"folder holding a font", {fontDir},
       {L"----", L"Copy path", L"Load font", L"Unload font", L"Install font", L"Uninstall font",
        L"Map to Windows Sandbox", L"----"}},
      {"folder named like an image", {tmp.dir(L"album.png")},
       {L"----", L"Copy path", kSizes, L"Map to Windows Sandbox", L"----"}},
      {"folder first, images after", {tmp.dir(L"first"), tmp.file(L"x.jpg"), tmp.file(L"y.jpg")},
       {L"----", L"Copy path", L"Map to Windows Sandbox", L"----"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    HandlerUnderTest h(settings);
    ASSERT_EQ(h.Select(c.selection), S_OK);
    h.Query();
    EXPECT_EQ(h.Outline(), c.expected);
  }

  HandlerUnderTest background(settings);
  background.Background(tmp.dir(L"bg"));
  background.Query();
  EXPECT_EQ(background.Outline(),
            (Lines{L"----", Checked(SSF_SHOWALLOBJECTS, L"Show hidden files"),
                   Checked(SSF_SHOWSUPERHIDDEN, L"Show super hidden files"),
                   Checked(SSF_SHOWEXTENSIONS, L"Show file extensions"), L"Refresh icons", L"Tessera settings", L"----"}));
}

TEST_F(ContextMenu, IdentifiersAreHandedOutInInsertionOrder) {
  const std::optional<std::string> settings = kAllShown;
  HandlerUnderTest h(settings);
  h.Select({tmp.file(L"one.png")});
  HRESULT hr = h.Query(CMF_NORMAL, 100);
  EXPECT_EQ(hr, MAKE_HRESULT(SEVERITY_SUCCESS, 0, 12));
  auto e = h.Entries();
  ASSERT_EQ(e.size(), 6u);
  EXPECT_EQ(e[1].caption, L"File note");
  EXPECT_EQ(e[1].id, 111u);
  EXPECT_EQ(e[2].id, 110u);  // Copy path
  EXPECT_EQ(e[3].id, 107u);  // Copy size
  EXPECT_EQ(e[3].subMenu[0].id, 109u);  // bytes
  EXPECT_EQ(e[3].subMenu[1].id, 108u);  // KiB
  EXPECT_EQ(e[4].id, 100u);  // Resize to JPEG
  for (UINT i = 0; i < 6; ++i) EXPECT_EQ(e[4].subMenu[i].id, 101u + i);

  HandlerUnderTest b(settings);
  b.Background(tmp.dir(L"bg"));
  EXPECT_EQ(b.Query(CMF_NORMAL, 100), MAKE_HRESULT(SEVERITY_SUCCESS, 0, 5));
  auto be = b.Entries();
  ASSERT_EQ(be.size(), 7u);
  EXPECT_EQ(be[5].id, 100u);  // Tessera settings
  EXPECT_EQ(be[4].id, 101u);  // Refresh icons
  EXPECT_EQ(be[3].id, 102u);  // Show file extensions
  EXPECT_EQ(be[2].id, 103u);  // Show super hidden files
  EXPECT_EQ(be[1].id, 104u);  // Show hidden files
}

TEST_F(ContextMenu, FlagsThatAddNothing) {
  const std::optional<std::string> settings = kAllShown;
  for (UINT flags : {CMF_DEFAULTONLY, CMF_VERBSONLY, CMF_NOVERBS, CMF_DEFAULTONLY | CMF_EXTENDEDVERBS}) {
    SCOPED_TRACE(flags);
    HandlerUnderTest h(settings);
    h.Select({tmp.file(L"a.jpg")});
    EXPECT_EQ(h.Query(flags), MAKE_HRESULT(SEVERITY_SUCCESS, 0, 0));
    EXPECT_EQ(::GetMenuItemCount(h.menu()), 0);
    EXPECT_EQ(h.InvokeOffset(0), E_FAIL) << "the command table stays empty";
    // A full query after it builds and maps the whole menu.
    EXPECT_EQ(HRESULT_CODE(h.Query(CMF_NORMAL)), 12);
  }
}

TEST_F(ContextMenu, DefaultStatesAndTheShiftKey) {
  const std::optional<std::string> settings = std::nullopt;  // no settings file: the defaults
  auto font = tmp.file(L"f.ttf");
  HandlerUnderTest h(settings);
  h.Select({font});
  h.Query(CMF_NORMAL);
  EXPECT_EQ(h.Outline(), (Lines{L"----", L"File note", L"Copy path", L"Install font", L"Uninstall font", L"----"}));
  h.Query(CMF_NORMAL | CMF_EXTENDEDVERBS);
  EXPECT_EQ(h.Outline(), (Lines{L"----", L"File note", L"Copy path", L"Copy size>[bytes,KiB]", L"Load font",
                                L"Unload font", L"Install font", L"Uninstall font", L"----"}));

  HandlerUnderTest folder(settings);
  folder.Select({tmp.dir(L"dir")});
  folder.Query(CMF_NORMAL | CMF_EXTENDEDVERBS);
  EXPECT_EQ(folder.Outline(), (Lines{L"----", L"Copy path", L"----"})) << "the sandbox item is hidden by default";

  HandlerUnderTest b(settings);
  b.Background(tmp.dir(L"bg"));
  b.Query(CMF_NORMAL);
  EXPECT_EQ(b.Outline().size(), 6u) << "super hidden files only with Shift";
}

TEST_F(ContextMenu, EverythingHiddenLeavesTheSeparators) {
  const std::optional<std::string> settings = kAllHidden;
  HandlerUnderTest h(settings);
  h.Select({tmp.file(L"a.ttf")});
  EXPECT_EQ(h.Query(CMF_NORMAL | CMF_EXTENDEDVERBS), MAKE_HRESULT(SEVERITY_SUCCESS, 0, 0));
  EXPECT_EQ(h.Outline(), (Lines{L"----", L"----"}));
  HandlerUnderTest b(settings);
  b.Background(tmp.dir(L"bg"));
  EXPECT_EQ(b.Query(CMF_NORMAL | CMF_EXTENDEDVERBS), MAKE_HRESULT(SEVERITY_SUCCESS, 0, 0));
  EXPECT_EQ(b.Outline(), (Lines{L"----", L"----"}));
}

TEST_F(ContextMenu, SettingsFileThatIsMissingDamagedOrWrong) {
  struct Case {
    const char* name;
    std::optional<std::string> file;
    Lines expected;
  } cases[] = {
      {"missing", std::nullopt, {L"----", L"File note", L"Copy path", kSizes, L"----"}},
      {"random bytes", std::string("\x00\xff\xfe[Gen\x01\x02=\r\n==]]\xc3\x28", 18),
       {L"----", L"File note", L"Copy path", kSizes, L"----"}},
      {"names instead of numbers", SettingsText({"CopyPathState=extended", "FileNoteState=hide"}),
       {L"----", L"File note", L"Copy path", kSizes, L"----"}},
      {"numbers outside the states", SettingsText({"CopyPathState=7", "FileNoteState=258"}),
       {L"----", kSizes, L"----"}},  // 7 matches no state; 258 & 0xFF = 2: only with Shift
      {"empty lists fall back", SettingsText({"ImageFiles=", "ResizeImageSizes=   "}),
       {L"----", L"File note", L"Copy path", kSizes, L"----"}},
      {"only invalid sizes", SettingsText({"ResizeImageSizes=1920 x 1080;x5;7X7"}),
       {L"----", L"File note", L"Copy path", L"Resize to JPEG>[]", L"----"}},
      {"own image types", SettingsText({"ImageFiles=gif"}), {L"----", L"File note", L"Copy path", L"----"}},
  };
  auto jpg = tmp.file(L"p.jpg");
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const std::optional<std::string> settings = c.file;
    HandlerUnderTest h(settings);
    h.Select({jpg});
    h.Query(CMF_NORMAL);
    EXPECT_EQ(h.Outline(), c.expected);
  }
}

TEST_F(ContextMenu, NeverHandsOutAnIdentifierAboveIdCmdLast) {
  const std::optional<std::string> settings = kAllShown;
  for (UINT last : {99u, 100u, 104u, 108u, 111u}) {
    SCOPED_TRACE(last);
    HandlerUnderTest h(settings);
    h.Select({tmp.file(L"a.jpg")});
    HRESULT hr = h.Query(CMF_NORMAL, 100, last);
    UINT used = last >= 100 ? std::min(last - 100 + 1, 12u) : 0;
    EXPECT_EQ(HRESULT_CODE(hr), static_cast<int>(used));
    std::vector<test::TMenuEntry> stack = h.Entries();
    while (!stack.empty()) {
      auto e = stack.back();
      stack.pop_back();
      if (!e.separator) {
        EXPECT_LE(e.id, last);
      }
      stack.insert(stack.end(), e.subMenu.begin(), e.subMenu.end());
    }
  }
}

TEST_F(ContextMenu, KeepsOtherHandlersItems) {
  const std::optional<std::string> settings = kAllShown;
  HandlerUnderTest h(settings);
  h.Select({tmp.file(L"a.txt")});
  h.Query(CMF_NORMAL, 1, 0x7FFF);  // creates the popup
  HMENU menu = h.menu();
  while (::GetMenuItemCount(menu) > 0) ::DeleteMenu(menu, 0, MF_BYPOSITION);
  ::AppendMenuW(menu, MF_STRING, 1, L"Open");
  ::AppendMenuW(menu, MF_STRING, 2, L"Properties");
  EXPECT_EQ(HRESULT_CODE(h.contextMenu()->QueryContextMenu(menu, 1, 10, 0x7FFF, CMF_NORMAL)), 5);
  auto outline = h.Outline();
  EXPECT_EQ(outline, (Lines{L"Open", L"----", L"File note", L"Copy path", L"Copy size>[bytes,KiB]", L"----",
                            L"Properties"}));
  auto e = h.Entries();
  EXPECT_EQ(e.front().id, 1u);
  EXPECT_EQ(e.back().id, 2u);
}

TEST_F(ContextMenu, AtMostFiftyOneSizes) {
  std::string sizes = "ResizeImageSizes=";
  for (int i = 1; i <= 60; ++i) sizes += std::to_string(i) + "x" + std::to_string(i) + ";";
  const std::optional<std::string> settings = SettingsText({sizes.c_str()});
  HandlerUnderTest h(settings);
  h.Select({tmp.file(L"a.jpg")});
  HRESULT hr = h.Query(CMF_NORMAL, 1);
  auto resize = test::FindEntry(h.Entries(), L"Resize to JPEG");
  ASSERT_NE(resize, nullptr);
  ASSERT_EQ(resize->subMenu.size(), 51u);
  EXPECT_EQ(resize->subMenu.back().caption, L"51x51");
  EXPECT_EQ(HRESULT_CODE(hr), 1 + 51 + 2);  // submenu, sizes, "Copy path", "File note"
  EXPECT_NE(h.HelpText(51), L" // Tessera") << "the last size can be described and run";
}

TEST_F(ContextMenu, StatusTexts) {
  const std::optional<std::string> settings = kAllShown;
  HandlerUnderTest h(settings);
  h.Select({tmp.file(L"a.jpg")});
  h.Query();
  const std::wstring resize =
      L"Resize the selected image(s) to JPEG format (hold down Ctrl to browse output folder). // Tessera";
  const std::wstring size =
      L"Copies file size of the selected file to the clipboard (hold down Ctrl to use alternative units where 1 kB = "
      L"1000 bytes) // Tessera";
  Lines expected = {resize, resize, resize, resize, resize, resize, resize, size, size, size,
                    L"Copies file path(s) of the selected files(s) to the clipboard (hold down Ctrl to copy only file "
                    L"name) // Tessera",
                    L"Creates or show text note about the selected file // Tessera"};
  for (UINT i = 0; i < expected.size(); ++i) EXPECT_EQ(h.HelpText(i), expected[i]) << i;
  EXPECT_EQ(h.HelpText(0, 7), L"Resize") << "cut to the buffer";

  HandlerUnderTest b(settings);
  b.Background(tmp.dir(L"bg"));
  b.Query();
  Lines bg = {L"Shows Tessera settings // Tessera", L"Refresh icons // Tessera",
              L"Toggles \"Hide extensions for known file types\" option // Tessera", L" // Tessera",
              L"Toggles \"Show hidden files and folders\" option // Tessera"};
  for (UINT i = 0; i < bg.size(); ++i) EXPECT_EQ(b.HelpText(i), bg[i]) << i;

  HandlerUnderTest f(settings);
  f.Select({tmp.file(L"a.otf")});
  f.Query();
  auto e = f.Entries();
  auto help = [&](const wchar_t* caption) { return f.HelpText(test::FindEntry(e, caption)->id - 1); };
  EXPECT_EQ(help(L"Uninstall font"), L"Make font unusable until it is manually loaded or installed again // Tessera");
  EXPECT_EQ(help(L"Install font"), L"Make font permanently usable until it is manually uninstalled // Tessera");
  EXPECT_EQ(help(L"Unload font"),
            L"Unload font, but if it was installed then it will be usable again after restarting Windows // Tessera");
  EXPECT_EQ(help(L"Load font"),
            L"Make font temporarily usable until Windows is restarted or the font is manually unloaded // Tessera");
  HandlerUnderTest d(settings);
  d.Select({tmp.dir(L"d")});
  d.Query();
  EXPECT_EQ(d.HelpText(0), L"Run Windows Sandbox with mapped folder (hold down Ctrl to invert read-only flag) // Tessera");
}

TEST_F(ContextMenu, SettingsAreReadOncePerInitialize) {
  auto jpg = tmp.file(L"a.jpg");
  const std::optional<std::string> settings = kAllShown;
  HandlerUnderTest h(settings);
  h.Select({jpg});
  h.settings().Write(kAllHidden);
  h.Query();
  EXPECT_EQ(h.Outline().size(), 6u) << "the snapshot taken by Initialize";
  h.Select({jpg});
  h.Query();
  EXPECT_EQ(h.Outline(), (Lines{L"----", L"----"}));
}

}  // namespace
}  // namespace tessera
