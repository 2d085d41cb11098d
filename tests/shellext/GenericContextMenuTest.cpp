// The generic handler driven the way Explorer drives it: real shell data objects, real popup menus.
#include <gtest/gtest.h>

#include <shlobj.h>

#include <string>
#include <vector>

#include "base/Handles.h"
#include "shellext/GenericContextMenu.h"
#include "support/ShellObjects.h"
#include "support/TempFolder.h"

namespace tessera {
namespace {

using test::CreateRefusingDataObject;
using test::CreateShellDataObject;
using test::PidlFromPath;
using test::PidlWithoutFileSystemPath;
using test::TempFolder;

// A concrete handler that records what the generic class forwards to it.
class TRecordingMenu : public TGenericContextMenu {
public:
  int afterInitializeCalls = 0;
  bool lastIsEmpty = false;
  std::vector<int> itemsToAdd = {10, 20, 30};
  std::vector<int> invoked;
  std::wstring statusText = L"help";

  using TGenericContextMenu::GetItemFromMenuCmd;
  using TGenericContextMenu::GetSelectedFilesOfType;
  using TGenericContextMenu::IsValidMenuCmdID;

protected:
  void AfterInitialize(bool& isEmpty) override {
    ++afterInitializeCalls;
    lastIsEmpty = isEmpty;
  }
  HRESULT BuildMenu(HMENU menu, UINT menuIndex, UINT idCmdFirst, UINT, UINT uFlags) override {
    if (uFlags & CMF_DEFAULTONLY) return MAKE_HRESULT(SEVERITY_SUCCESS, 0, 0);
    UINT next = idCmdFirst;
    for (int item : itemsToAdd) {
      ::InsertMenuW(menu, menuIndex, MF_BYPOSITION | MF_STRING, next, L"item");
      AddItemToCmdLink(item, static_cast<int>(next));
      ++next;
    }
    return MAKE_HRESULT(SEVERITY_SUCCESS, 0, next - idCmdFirst);
  }
  HRESULT MenuCommand(int itemId, const CMINVOKECOMMANDINFO&) override {
    invoked.push_back(itemId);
    return S_OK;
  }
  std::wstring GetStatusText(int) override { return statusText; }
};

struct Handler {
  TRecordingMenu* menu = new TRecordingMenu();
  ComPtr<IContextMenu> contextMenu;
  ComPtr<IShellExtInit> init;
  Handler() {
    menu->QueryInterface(IID_IContextMenu, contextMenu.put_void());
    menu->QueryInterface(IID_IShellExtInit, init.put_void());
  }
};

CMINVOKECOMMANDINFO InvokeInfo(UINT_PTR verb) {
  CMINVOKECOMMANDINFO info = {};
  info.cbSize = sizeof(info);
  info.lpVerb = reinterpret_cast<LPCSTR>(verb);
  info.nShow = SW_SHOWNORMAL;
  return info;
}

TEST(GenericContextMenu, AnswersOnlyItsInterfaces) {
  Handler h;
  struct Case {
    const IID* iid;
    bool expected;
  } cases[] = {{&IID_IUnknown, true},       {&IID_IContextMenu, true},  {&IID_IShellExtInit, true},
               {&IID_ISupportErrorInfo, true}, {&IID_IContextMenu2, false}, {&IID_IContextMenu3, false}};
  for (const auto& c : cases) {
    ComPtr<IUnknown> p;
    HRESULT hr = h.contextMenu->QueryInterface(*c.iid, p.put_void());
    EXPECT_EQ(SUCCEEDED(hr), c.expected);
    EXPECT_EQ(static_cast<bool>(p), c.expected);
  }
  ComPtr<ISupportErrorInfo> errorInfo;
  ASSERT_HRESULT_SUCCEEDED(h.contextMenu->QueryInterface(IID_ISupportErrorInfo, errorInfo.put_void()));
  EXPECT_EQ(errorInfo->InterfaceSupportsErrorInfo(IID_IContextMenu), S_OK);
  EXPECT_EQ(errorInfo->InterfaceSupportsErrorInfo(IID_IContextMenu2), S_FALSE);
}

TEST(GenericContextMenu, KeepsExplorersSelectionOrder) {
  TempFolder tmp;
  auto b = tmp.file(L"b.txt"), a = tmp.file(L"a.txt"), c = tmp.dir(L"c");
  Handler h;
  auto data = CreateShellDataObject({b, a, c});
  EXPECT_EQ(h.init->Initialize(nullptr, data.get(), nullptr), S_OK);
  EXPECT_EQ(h.menu->SelectedItems(), (std::vector<std::wstring>{b, a, c}));
  EXPECT_EQ(h.menu->SelectedItemsCount(), 3);
  EXPECT_TRUE(h.menu->Folder().empty());
  EXPECT_EQ(h.menu->afterInitializeCalls, 1);
  EXPECT_FALSE(h.menu->lastIsEmpty);
}

TEST(GenericContextMenu, ReadsPathsLongerThanMaxPathInFull) {
  TempFolder tmp;
  std::wstring rel;
  for (int i = 0; i < 6; ++i) rel += std::wstring(50, static_cast<wchar_t>(L'a' + i)) + L"\\";
  tmp.dir(rel);
  std::wstring longFile = tmp.file(rel + L"n\u00e4me \u4e2d.txt", "x");
  ASSERT_GT(longFile.size(), 300u);
  Handler h;
  // Wine's shell folders cannot parse a path this long, so the drop list is built directly.
  auto data = test::CreateHDropDataObject({longFile});
  h.init->Initialize(nullptr, data.get(), nullptr);
  ASSERT_EQ(h.menu->SelectedItemsCount(), 1);
  EXPECT_EQ(h.menu->SelectedItems()[0], longFile);
}

TEST(GenericContextMenu, InitializeVariants) {
  TempFolder tmp;
  std::wstring folder = tmp.path().substr(0, tmp.path().size() - 1);
  struct Case {
    const char* name;
    bool withData;
    bool refusing;
    int pidlKind;  // 0 none, 1 file-system folder, 2 folder without a path
    int expectedCount;
    bool expectFolder;
    bool expectEmpty;
  } cases[] = {
      {"background", false, false, 1, 0, true, false},
      {"refusing data object", true, true, 0, 0, false, true},
      {"folder without path", false, false, 2, 0, false, true},
      {"nothing at all", false, false, 0, 0, false, true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    Handler h;
    ComPtr<IDataObject> data;
    if (c.withData) data = c.refusing ? CreateRefusingDataObject() : CreateShellDataObject({tmp.file(L"x.txt")});
    UniquePidl pidl;
    if (c.pidlKind == 1) pidl = PidlFromPath(folder);
    if (c.pidlKind == 2) pidl = PidlWithoutFileSystemPath();
    EXPECT_EQ(h.init->Initialize(pidl.get(), data.get(), nullptr), S_OK);
    EXPECT_EQ(h.menu->SelectedItemsCount(), c.expectedCount);
    EXPECT_EQ(!h.menu->Folder().empty(), c.expectFolder);
    if (c.expectFolder) {
      EXPECT_EQ(_wcsicmp(h.menu->Folder().c_str(), folder.c_str()), 0);
    }
    EXPECT_EQ(h.menu->lastIsEmpty, c.expectEmpty);
  }
}

TEST(GenericContextMenu, InitializeStartsAfresh) {
  TempFolder tmp;
  Handler h;
  auto first = CreateShellDataObject({tmp.file(L"1.txt"), tmp.file(L"2.txt")});
  h.init->Initialize(PidlFromPath(tmp.path().substr(0, tmp.path().size() - 1)).get(), first.get(), nullptr);
  UniqueMenu menu(::CreatePopupMenu());
  h.contextMenu->QueryContextMenu(menu.get(), 0, 1, 100, CMF_NORMAL);
  EXPECT_EQ(h.menu->MenuHandle(), menu.get());

  auto second = CreateShellDataObject({tmp.file(L"3.txt")});
  h.init->Initialize(nullptr, second.get(), nullptr);
  EXPECT_EQ(h.menu->SelectedItems(), (std::vector<std::wstring>{tmp.path() + L"3.txt"}));
  EXPECT_TRUE(h.menu->Folder().empty());
  EXPECT_EQ(h.menu->MenuHandle(), nullptr);
}

TEST(GenericContextMenu, InvokeCommandMapsOffsetsToItems) {
  Handler h;
  UniqueMenu menu(::CreatePopupMenu());
  HRESULT hr = h.contextMenu->QueryContextMenu(menu.get(), 0, 500, 600, CMF_NORMAL);
  EXPECT_EQ(HRESULT_CODE(hr), 3);
  EXPECT_EQ(h.menu->GetItemFromMenuCmd(501), 20);
  EXPECT_TRUE(h.menu->IsValidMenuCmdID(502));
  EXPECT_FALSE(h.menu->IsValidMenuCmdID(503));

  auto info = InvokeInfo(2);
  EXPECT_EQ(h.contextMenu->InvokeCommand(&info), S_OK);
  info = InvokeInfo(3);  // offset equal to the number of rows
  EXPECT_EQ(h.contextMenu->InvokeCommand(&info), E_FAIL);
  static const char verb[] = "open";
  info = InvokeInfo(reinterpret_cast<UINT_PTR>(verb));
  EXPECT_EQ(h.contextMenu->InvokeCommand(&info), E_FAIL);
  EXPECT_EQ(h.menu->invoked, (std::vector<int>{30}));
}

TEST(GenericContextMenu, GetCommandStringAnswersOnlyUnicodeHelpAndValidate) {
  Handler h;
  UniqueMenu menu(::CreatePopupMenu());
  h.contextMenu->QueryContextMenu(menu.get(), 0, 1, 100, CMF_NORMAL);
  wchar_t buffer[64];
  auto call = [&](UINT_PTR offset, UINT type, UINT cch = 64) {
    std::fill(std::begin(buffer), std::end(buffer), L'#');
    return h.contextMenu->GetCommandString(offset, type, nullptr, reinterpret_cast<CHAR*>(buffer), cch);
  };
  struct Case {
    UINT_PTR offset;
    UINT type;
    HRESULT expected;
  } cases[] = {{0, GCS_HELPTEXTW, S_OK},        {0, GCS_VALIDATEW, S_OK},        {0, GCS_VERBW, E_INVALIDARG},
               {0, GCS_HELPTEXTA, E_INVALIDARG}, {0, GCS_VERBA, E_INVALIDARG}, {0, GCS_VALIDATEA, E_INVALIDARG},
               {3, GCS_HELPTEXTW, E_INVALIDARG}, {3, GCS_VALIDATEW, E_INVALIDARG}};
  for (const auto& c : cases) EXPECT_EQ(call(c.offset, c.type), c.expected) << c.offset << " " << c.type;

  h.menu->statusText = L"0123456789";
  ASSERT_EQ(call(1, GCS_HELPTEXTW, 5), S_OK);
  EXPECT_EQ(std::wstring(buffer), L"0123");  // cut to cchMax - 1 plus the null
  EXPECT_EQ(buffer[5], L'#');                // nothing written past cchMax
  ASSERT_EQ(call(1, GCS_HELPTEXTW, 11), S_OK);
  EXPECT_EQ(std::wstring(buffer), L"0123456789");
}

TEST(GenericContextMenu, CommandTableFollowsTheLastBuildThatAddedItems) {
  Handler h;
  UniqueMenu menu(::CreatePopupMenu());
  // A default-only query adds nothing and keeps the table empty...
  EXPECT_EQ(HRESULT_CODE(h.contextMenu->QueryContextMenu(menu.get(), 0, 1, 100, CMF_DEFAULTONLY)), 0);
  EXPECT_TRUE(h.menu->MenuCmdToItemIdLinks().empty());
  // ...and a full query after it maps normally.
  h.contextMenu->QueryContextMenu(menu.get(), 0, 1, 100, CMF_NORMAL);
  ASSERT_EQ(h.menu->MenuCmdToItemIdLinks().size(), 3u);

  // A second build that adds rows starts the table afresh: offset 0 is its first item.
  UniqueMenu second(::CreatePopupMenu());
  h.menu->itemsToAdd = {77, 88};
  h.contextMenu->QueryContextMenu(second.get(), 0, 40, 100, CMF_NORMAL);
  ASSERT_EQ(h.menu->MenuCmdToItemIdLinks().size(), 2u);
  auto info = InvokeInfo(0);
  h.contextMenu->InvokeCommand(&info);
  EXPECT_EQ(h.menu->invoked, (std::vector<int>{77}));
  EXPECT_EQ(h.menu->GetItemFromMenuCmd(41), 88);

  // A later default-only query leaves that table in place.
  h.contextMenu->QueryContextMenu(second.get(), 0, 40, 100, CMF_DEFAULTONLY);
  EXPECT_EQ(h.menu->MenuCmdToItemIdLinks().size(), 2u);
}

class SelectedFilesOfType : public ::testing::Test {
protected:
  TempFolder tmp;
  Handler h;
  void Select(const std::vector<std::wstring>& paths) {
    auto data = CreateShellDataObject(paths);
    h.init->Initialize(nullptr, data.get(), nullptr);
  }
};

TEST_F(SelectedFilesOfType, MatchesExtensionsIgnoringCase) {
  auto upper = tmp.file(L"A.TTF"), otf = tmp.file(L"b.otf"), txt = tmp.file(L"c.txt");
  Select({upper, txt, otf});
  std::vector<std::wstring> files;
  EXPECT_TRUE(h.menu->GetSelectedFilesOfType(L"ttf;otf;ttc", false, files));
  EXPECT_EQ(files, (std::vector<std::wstring>{upper, otf}));
}

TEST_F(SelectedFilesOfType, WalksFoldersOnlyWhenAskedOneExtensionAtATime) {
  auto dir = tmp.dir(L"fonts");
  tmp.dir(L"fonts\\sub");
  auto a = tmp.file(L"fonts\\a.otf"), b = tmp.file(L"fonts\\b.ttf"), c = tmp.file(L"fonts\\sub\\c.ttf");
  tmp.dir(L"fonts\\folder.ttf");  // a folder named like a font is no font
  Select({dir});

  std::vector<std::wstring> files;
  EXPECT_FALSE(h.menu->GetSelectedFilesOfType(L"ttf;otf", false, files));
  EXPECT_TRUE(files.empty());

  EXPECT_TRUE(h.menu->GetSelectedFilesOfType(L" ttf ; .otf", true, files));
  EXPECT_EQ(files, (std::vector<std::wstring>{b, c, a}));  // all .ttf first, then .otf
}

TEST_F(SelectedFilesOfType, ResultTellsWhetherThisCallAppended) {
  auto txt = tmp.file(L"c.txt");
  Select({txt});
  std::vector<std::wstring> files = {L"X:\\earlier.ttf"};
  EXPECT_FALSE(h.menu->GetSelectedFilesOfType(L"ttf", true, files));
  EXPECT_EQ(files.size(), 1u);
}

TEST_F(SelectedFilesOfType, ListsAFileReachedTwiceOnce) {
  auto outer = tmp.dir(L"outer");
  auto inner = tmp.dir(L"outer\\inner");
  auto a = tmp.file(L"outer\\a.ttf"), b = tmp.file(L"outer\\inner\\b.ttf");
  auto loose = tmp.file(L"loose.ttf");
  // The inner folder is reached both as a selection and through the outer one; b.ttf both ways.
  auto data = CreateShellDataObject({outer, loose});
  h.init->Initialize(nullptr, data.get(), nullptr);
  std::vector<std::wstring> files;
  EXPECT_TRUE(h.menu->GetSelectedFilesOfType(L"ttf", true, files));
  EXPECT_EQ(files, (std::vector<std::wstring>{a, b, loose}));

  // Selected file that also lies in a selected folder, nested folders selected together.
  auto data2 = CreateShellDataObject({inner, b, outer});
  h.init->Initialize(nullptr, data2.get(), nullptr);
  ASSERT_EQ(h.menu->SelectedItems(), (std::vector<std::wstring>{inner, b, outer}));
  files.clear();
  EXPECT_TRUE(h.menu->GetSelectedFilesOfType(L"TTF", true, files));
  EXPECT_EQ(files, (std::vector<std::wstring>{b, a}));
}

}  // namespace
}  // namespace tessera
