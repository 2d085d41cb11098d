// The product's settings table: defaults, properties, the file Save writes, and the image-size helpers.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "settings/Globals.h"
#include "settings/Options.h"
#include "support/TempFolder.h"

namespace tessera {
namespace {

using test::TempFolder;

TEST(ProductOptions, DefaultStates) {
  TOptions o(L"");
  struct Case {
    const char* name;
    TItemState actual;
    TItemState expected;
  } cases[] = {
      {"CopyPath", o.GetCopyPathState(), stShow},
      {"CopyFileSize", o.GetCopyFileSizeState(), stShowExtended},
      {"FileNote", o.GetFileNoteState(), stShow},
      {"ResizeImage", o.GetResizeImageState(), stShow},
      {"InstallFont", o.GetInstallFontState(), stShow},
      {"UninstallFont", o.GetUninstallFontState(), stShow},
      {"LoadFont", o.GetLoadFontState(), stShowExtended},
      {"UnloadFont", o.GetUnloadFontState(), stShowExtended},
      {"Sandbox", o.GetSandboxState(), stHide},
      {"ShowFileExt", o.GetShowFileExtState(), stShow},
      {"ShowHiddenFiles", o.GetShowHiddenFilesState(), stShow},
      {"ShowSuperHiddenFiles", o.GetShowSuperHiddenFilesState(), stShowExtended},
      {"FreshIcons", o.GetFreshIconsState(), stShow},
      {"TesseraOptions", o.GetTesseraOptionsState(), stShow},
  };
  for (const auto& c : cases) EXPECT_EQ(c.actual, c.expected) << c.name;
  EXPECT_EQ(o.GetFileNoteEditorCommandLine(), L"notepad.exe \"%file%\"");
  EXPECT_TRUE(o.GetFileNoteCreateFile());
  EXPECT_FALSE(o.GetFileNoteHideNoteFile());
  EXPECT_EQ(o.GetImageFileTypes(), L"jpg;jpeg;bmp;tif;tiff;png;dng;cr2;cr3;webp;heif;psd");
  EXPECT_EQ(o.GetResizeImageSizes(), L"1280x720;1280x1024;1600x1200;1920x1080;2560x1440;3840x2160");
  EXPECT_FALSE(o.GetResizeImageRemoveMetadata());
  EXPECT_EQ(o.GetResizeImageParams(),
            L"convert %files% -filter lanczossharp -resize %size%> -colorspace sRGB -quality 90");
  EXPECT_TRUE(o.GetSandboxDirReadOnly());
  EXPECT_EQ(o.GetSandboxTemplateFile(), L"SandboxConfig.txt");
}

TEST(ProductOptions, TableOrderGroupsAndCaptions) {
  TOptions o(L"");
  const TOptionStore& store = o.GetOptionStore();
  const std::vector<std::wstring> keys = {
      L"CopyPathState", L"CopyFileSizeState", L"FileNoteState", L"FileNoteCmdLine", L"FileNoteCreateFile",
      L"FileNoteHideNote", L"ResizeImageState", L"ImageFiles", L"ResizeImageSizes", L"ResizeImageRemoveMetadata",
      L"ResizeImageParams", L"InstallFontState", L"UninstallFontState", L"LoadFontState", L"UnloadFontState",
      L"SandboxState", L"SandboxDirReadOnly", L"SandboxTemplateFile", L"ShowFileExtState", L"ShowHiddenFilesState",
      L"ShowSuperHiddenFilesState", L"FreshIconsState", L"TesseraOptionsState"};
  ASSERT_EQ(store.GetOptionCount(), static_cast<int>(keys.size()));
  for (int i = 0; i < store.GetOptionCount(); ++i) EXPECT_EQ(store.GetItem(i)->GetName(), keys[i]);

  struct Group {
    const wchar_t* name;
    const wchar_t* caption;
    int indent;
    bool collapsible;
  } groups[] = {{L"FileMenu", L"All files", 0, false},
                {L"FileNote", L"File note options", 1, true},
                {L"ImageFiles", L"Image files", 0, false},
                {L"ResizeImageOptions", L"Resize to JPEG options", 1, true},
                {L"FontFiles", L"Font files", 0, false},
                {L"Folders", L"Folders", 0, false},
                {L"SandboxOptions", L"Map to Windows Sandbox options", 1, true},
                {L"FolderBackground", L"Folder background", 0, false}};
  ASSERT_EQ(store.GetGroupCount(), 8);
  for (int i = 0; i < 8; ++i) {
    const TOptionGroup* g = store.GetGroup(i);
    EXPECT_EQ(g->GetID(), i);
    EXPECT_EQ(g->GetName(), groups[i].name);
    EXPECT_EQ(g->GetCaption(), groups[i].caption);
    EXPECT_EQ(g->GetIndent(), groups[i].indent);
    EXPECT_EQ(g->GetCanCollapse(), groups[i].collapsible);
    EXPECT_EQ(g->GetCollapsed(), groups[i].collapsible);
  }
  auto* state = dynamic_cast<const TIntegerOption*>(store.FindByName(L"CopyFileSizeState"));
  ASSERT_NE(state, nullptr);
  EXPECT_TRUE(state->HasFlag(flValueStringsOnly));
  EXPECT_EQ(state->GetValueAsText(), L"Show only when Shift key is down");
  ASSERT_EQ(state->GetValueStrings().size(), 3u);
  EXPECT_EQ(state->GetValueStrings()[0].Text, L"Don't show");
  EXPECT_EQ(state->GetValueStrings()[1].Name, L"show");
  auto* tmpl = store.FindByName(L"SandboxTemplateFile");
  EXPECT_TRUE(tmpl->HasFlag(flShowEditButton) && tmpl->HasFlag(flPathEllipsis));
}

TEST(ProductOptions, SaveRightAfterConstructionWritesOnlyRecentFiles) {
  TempFolder tmp;
  const std::wstring file = tmp.path() + L"sub\\Tessera.ini";
  TOptions o(file);
  o.Save();
  EXPECT_EQ(TempFolder::ReadBytes(file), "\xEF\xBB\xBF[RecentFiles]\r\nCount=0\r\n\r\n");
}

TEST(ProductOptions, SaveWritesChangedValuesInTableOrderAndLoadReadsThemBack) {
  TempFolder tmp;
  const std::wstring file = tmp.file(L"Tessera.ini", "\xEF\xBB\xBF[General]\r\nUnknownKey=1\r\n\r\n[Other]\r\nA=1\r\n");
  {
    TOptions o(file);
    o.SetTesseraOptionsState(stHide);
    o.SetSandboxTemplateFile(L"  C:\\My Templates\\sandbox.txt  ");
    o.SetFileNoteHideNoteFile(true);
    o.SetCopyPathState(stShowExtended);
    o.SetFileNoteEditorCommandLine(L"");
    o.Save();
  }
  EXPECT_EQ(TempFolder::ReadBytes(file),
            "\xEF\xBB\xBF[General]\r\nCopyPathState=2\r\nFileNoteCmdLine=\r\nFileNoteHideNote=1\r\n"
            "SandboxTemplateFile=C:\\My Templates\\sandbox.txt\r\nTesseraOptionsState=0\r\n\r\n"
            "[RecentFiles]\r\nCount=0\r\n\r\n");
  EXPECT_EQ(TempFolder::ReadBytes(file + L".bak"),
            "\xEF\xBB\xBF[General]\r\nUnknownKey=1\r\n\r\n[Other]\r\nA=1\r\n");

  TOptions back(file);
  back.Load();
  EXPECT_EQ(back.GetCopyPathState(), stShowExtended);
  EXPECT_EQ(back.GetTesseraOptionsState(), stHide);
  EXPECT_EQ(back.GetFileNoteEditorCommandLine(), L"") << "an empty editor command line is kept";
  EXPECT_TRUE(back.GetFileNoteHideNoteFile());
  EXPECT_EQ(back.GetSandboxTemplateFile(), L"C:\\My Templates\\sandbox.txt");
}

TEST(ProductOptions, ValuesThatDoNotFit) {
  TempFolder tmp;
  const std::wstring file = tmp.file(
      L"Tessera.ini", "[General]\r\nCopyPathState=extended\r\nFileNoteState=7\r\nImageFiles=   \r\nSandboxState=2\r\n");
  TOptions o(file);
  o.Load();
  EXPECT_EQ(o.GetCopyPathState(), stShow) << "a name is no number: the default stays";
  EXPECT_EQ(static_cast<int>(o.GetFileNoteState()), 7) << "kept as it is, matching no state";
  EXPECT_EQ(o.GetImageFileTypes(), L"jpg;jpeg;bmp;tif;tiff;png;dng;cr2;cr3;webp;heif;psd");
  EXPECT_EQ(o.GetSandboxState(), stShowExtended);

  o.SetImageFileTypes(L"");
  EXPECT_EQ(o.GetImageFileTypes(), L"jpg;jpeg;bmp;tif;tiff;png;dng;cr2;cr3;webp;heif;psd");
  o.SetResizeImageSizes(L"  800x600  ");
  EXPECT_EQ(o.GetResizeImageSizes(), L"800x600");
}

TEST(ProductOptions, LoadOfAMissingFileKeepsDefaults) {
  TempFolder tmp;
  TOptions o(tmp.path() + L"none\\Tessera.ini");
  EXPECT_NO_THROW(o.Load());
  EXPECT_EQ(o.GetCopyFileSizeState(), stShowExtended);
}

TEST(ProductOptions, SplitImageSizes) {
  using V = std::vector<std::wstring>;
  const V defaults = {L"1280x720", L"1280x1024", L"1600x1200", L"1920x1080", L"2560x1440", L"3840x2160"};
  struct Case {
    const wchar_t* text;
    bool validate;
    V expected;
  } cases[] = {
      {L";;;", true, defaults},
      {L"", false, defaults},
      {L"800x600;foo", true, {L"800x600"}},
      {L"800x600;foo", false, {L"800x600", L"foo"}},
      {L"foo;bar", true, {}},
      {L"1x1;;2x2; 3x3", true, {L"1x1", L"2x2"}},
      {L"1x1;;2x2; 3x3", false, {L"1x1", L"2x2", L" 3x3"}},
  };
  for (const auto& c : cases) EXPECT_EQ(SplitImageSizes(c.text, c.validate), c.expected) << c.text;
}

TEST(ProductOptions, IsValidImageSize) {
  struct Case {
    const wchar_t* text;
    bool valid;
  } cases[] = {{L"1920x1080", true},   {L"-5x10", true},        {L"1920 x 1080", false}, {L"x1080", false},
               {L"1920x", false},      {L"1920X1080", false},   {L"1920x1080x2", false}, {L"abcxdef", false},
               {L"99999999999x1", false}, {L"2147483647x-2147483648", true}, {L"", false}, {L"x", false}};
  for (const auto& c : cases) EXPECT_EQ(IsValidImageSize(c.text), c.valid) << c.text;
}

TEST(ProductOptions, Globals) {
  EXPECT_EQ(GetProgramCaption(), L"Tessera 2.5.0");
  const std::wstring file = GetSettingsFileName();
  const std::wstring tail = L"\\Vesper Software\\Tessera\\Tessera.ini";
  ASSERT_GT(file.size(), tail.size());
  EXPECT_EQ(file.substr(file.size() - tail.size()), tail);
  EXPECT_EQ(file.find(L"\\\\"), std::wstring::npos);
}

}  // namespace
}  // namespace tessera
