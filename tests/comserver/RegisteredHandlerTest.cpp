// The handler as Explorer gets it: regsvr32 on the built DLL, then CoCreateInstance by class identifier.
// Ends with a bounded, seeded stress run over random selections, flags, offsets, verbs and buffers.
#include <gtest/gtest.h>

#include <shlobj.h>

#include <random>
#include <string>
#include <vector>

#include "base/Handles.h"
#include "base/PathUtils.h"
#include "base/ShellExtIds.h"
#include "base/StringUtils.h"
#include "comserver/DllUnderTest.h"
#include "shellutils/Clipboard.h"
#include "shellutils/Process.h"
#include "shellutils/SystemUtils.h"
#include "support/KeyState.h"
#include "support/MenuReader.h"
#include "support/MessageBoxWatcher.h"
#include "support/RealInput.h"
#include "support/SettingsFile.h"
#include "support/ShellObjects.h"
#include "support/TempFolder.h"

namespace tessera {
namespace {

using test::TempFolder;

class RegisteredHandler : public ::testing::Test {
protected:
  static void SetUpTestSuite() { ASSERT_EQ(test::RunRegsvr32(test::ShellExtDllPath(), false), 0u); }
  static void TearDownTestSuite() { test::RunRegsvr32(test::ShellExtDllPath(), true); }

  ComPtr<IContextMenu> Create() {
    ComPtr<IContextMenu> menu;
    EXPECT_EQ(::CoCreateInstance(CLSID_TesseraContextMenu, nullptr, CLSCTX_INPROC_SERVER, IID_IContextMenu, menu.put_void()), S_OK);
    return menu;
  }
  static HRESULT Init(IContextMenu* menu, IDataObject* data, PCIDLIST_ABSOLUTE folder) {
    ComPtr<IShellExtInit> init;
    menu->QueryInterface(IID_IShellExtInit, init.put_void());
    return init->Initialize(folder, data, nullptr);
  }
  static HRESULT InvokeOffset(IContextMenu* menu, UINT offset) {
    CMINVOKECOMMANDINFO info = {};
    info.cbSize = sizeof(info);
    info.lpVerb = MAKEINTRESOURCEA(offset);
    info.nShow = SW_SHOWNORMAL;
    return menu->InvokeCommand(&info);
  }
  TempFolder tmp;
};

TEST_F(RegisteredHandler, BuildsTheMenuAndRunsCommandsThroughCom) {
  test::ScopedUserSettingsFile settings(test::SettingsText({"CopyFileSizeState=1"}));
  auto file = tmp.file(L"report \u00e9t\u00e9.txt", std::string(3000, 'x'));
  auto menu = Create();
  ASSERT_TRUE(menu);
  auto data = test::CreateShellDataObject({file});
  ASSERT_EQ(Init(menu.get(), data.get(), nullptr), S_OK);
  UniqueMenu popup(::CreatePopupMenu());
  ASSERT_EQ(menu->QueryContextMenu(popup.get(), 0, 1, 0x7FFF, CMF_NORMAL), MAKE_HRESULT(SEVERITY_SUCCESS, 0, 5));
  auto entries = test::ReadMenu(popup.get());
  EXPECT_EQ(test::MenuOutline(entries),
            (std::vector<std::wstring>{L"----", L"File note", L"Copy path", L"Copy size>[bytes,KiB]", L"----"}));

  wchar_t help[256] = {};
  UINT copyPath = test::FindEntry(entries, L"Copy path")->id - 1;
  ASSERT_EQ(menu->GetCommandString(copyPath, GCS_HELPTEXTW, nullptr, reinterpret_cast<CHAR*>(help), 256), S_OK);
  EXPECT_EQ(std::wstring(help),
            L"Copies file path(s) of the selected files(s) to the clipboard (hold down Ctrl to copy only file name) // "
            L"Tessera");

  std::wstring clip;
  EXPECT_EQ(InvokeOffset(menu.get(), copyPath), S_OK);
  ASSERT_TRUE(ReadClipboardText(clip));
  EXPECT_EQ(clip, file);
  {
    test::HeldKeys ctrl({VK_CONTROL});
    EXPECT_EQ(InvokeOffset(menu.get(), copyPath), S_OK);
  }
  ASSERT_TRUE(ReadClipboardText(clip));
  EXPECT_EQ(clip, L"report \u00e9t\u00e9.txt");

  EXPECT_EQ(InvokeOffset(menu.get(), test::FindEntry(entries, L"KiB")->id - 1), S_OK);
  ASSERT_TRUE(ReadClipboardText(clip));
  EXPECT_EQ(clip, L"2");
  EXPECT_EQ(InvokeOffset(menu.get(), test::FindEntry(entries, L"Copy size")->id - 1), E_FAIL) << "a submenu runs nothing";
}

TEST_F(RegisteredHandler, BackgroundMenuRunsItsCommands) {
  test::ScopedUserSettingsFile settings(std::nullopt);
  auto menu = Create();
  ASSERT_TRUE(menu);
  UniquePidl folder = test::PidlFromPath(tmp.dir(L"bg"));
  ASSERT_EQ(Init(menu.get(), nullptr, folder.get()), S_OK);
  UniqueMenu popup(::CreatePopupMenu());
  ASSERT_EQ(HRESULT_CODE(menu->QueryContextMenu(popup.get(), 0, 1, 0x7FFF, CMF_NORMAL)), 4);
  auto entries = test::ReadMenu(popup.get());
  EXPECT_EQ(InvokeOffset(menu.get(), test::FindEntry(entries, L"Refresh icons")->id - 1), S_OK);
  EXPECT_EQ(InvokeOffset(menu.get(), test::FindEntry(entries, L"Show hidden files")->id - 1), S_OK);

  // The settings program is started from the DLL's folder, the install folder: the window that shows up
  // is the one of the program shipped there (it is closed again).
  EXPECT_EQ(InvokeOffset(menu.get(), test::FindEntry(entries, L"Tessera settings")->id - 1), S_OK);
  HWND window = nullptr;
  ASSERT_TRUE(test::WaitUntil([&] { return (window = ::FindWindowW(L"TTesseraConfigWnd", nullptr)) != nullptr; }, 15000));
  DWORD pid = 0;
  ::GetWindowThreadProcessId(window, &pid);
  UniqueKernelHandle process(::OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION | SYNCHRONIZE, FALSE, pid));
  ASSERT_TRUE(process);
  std::wstring image(32768, L'\0');
  DWORD size = static_cast<DWORD>(image.size());
  ASSERT_TRUE(::QueryFullProcessImageNameW(process.get(), 0, image.data(), &size));
  image.resize(size);
  EXPECT_TRUE(SameNameIgnoringCase(image, ExtractFilePath(test::ShellExtDllPath()) + L"TesseraConfig.exe"))
      << WideToUtf8(image);
  ::PostMessageW(window, WM_CLOSE, 0, 0);
  EXPECT_EQ(::WaitForSingleObject(process.get(), 10000), WAIT_OBJECT_0);
}

TEST_F(RegisteredHandler, ProbeShowsAndRunsTheMenu) {
  test::ScopedUserSettingsFile settings(std::nullopt);
  auto file = tmp.file(L"probe me.txt", "abc");
  std::wstring probe = GetModuleFolder() + L"..\\probe.exe";
  std::wstring out = tmp.path() + L"probe.out";
  std::wstring cmd = L"cmd.exe /c \"\"" + probe + L"\" --ctrl --invoke \"Copy path\" \"" + file + L"\" > \"" + out + L"\"\"";
  DWORD exitCode = 99;
  ASSERT_EQ(RunProcess(cmd, true, SW_HIDE, exitCode), rpOk);
  EXPECT_EQ(exitCode, 0u);
  std::string text = TempFolder::ReadBytes(out);
  EXPECT_NE(text.find("Copy path  [id"), std::string::npos) << text;
  EXPECT_NE(text.find("help: Creates or show text note about the selected file // Tessera"), std::string::npos) << text;
  EXPECT_NE(text.find("InvokeCommand \"Copy path\": 0x00000000"), std::string::npos) << text;
  EXPECT_NE(text.find("Clipboard:\r\nprobe me.txt"), std::string::npos) << text;
}

// Random selections, flags, offsets, verbs and buffer sizes through the registered handler. Items that
// start programs or show dialogs are hidden for the run; what remains must never crash, never hand out
// an identifier outside the range and always return a defined HRESULT.
TEST_F(RegisteredHandler, StressRandomCalls) {
  test::ScopedUserSettingsFile settings(test::SettingsText(
      {"FileNoteState=0", "ResizeImageState=0", "InstallFontState=0", "UninstallFontState=0", "LoadFontState=0",
       "UnloadFontState=0", "CopyFileSizeState=0",
       "SandboxState=0", "TesseraOptionsState=0", "ShowSuperHiddenFilesState=1"}));
  test::MessageBoxWatcher watcher(L"Tessera");

  std::vector<std::wstring> pool = {
      tmp.file(L"a.txt", "1"),         tmp.file(L"b.JPG", "22"), tmp.file(L"c.ttf", "333"), tmp.dir(L"folder"),
      tmp.dir(L"pics.png"),            tmp.file(L"\u4e2d\u6587 \u00e9.otf", "4"), tmp.file(L"100% & 'q'.png", "5"),
      tmp.path() + L"missing.jpg",     tmp.path() + L"gone\\deeper"};
  std::wstring deep;
  for (int i = 0; i < 5; ++i) deep += std::wstring(60, static_cast<wchar_t>(L'k' + i)) + L"\\";
  tmp.dir(deep);
  pool.push_back(tmp.file(deep + L"long.ttf", "6"));
  tmp.file(L"folder\\inner.ttf", "7");

  std::mt19937 rng(20261210);
  auto pick = [&](int n) { return static_cast<int>(rng() % static_cast<unsigned>(n)); };
  const UINT uFlagsChoices[] = {CMF_NORMAL, CMF_DEFAULTONLY, CMF_VERBSONLY, CMF_EXPLORE, CMF_NOVERBS,
                                CMF_CANRENAME, CMF_EXTENDEDVERBS, CMF_EXTENDEDVERBS | CMF_EXPLORE, 0xFFFFFFFF};
  static const char verbs[][16] = {"open", "properties", "", "copy"};

  for (int round = 0; round < 300; ++round) {
    SCOPED_TRACE(round);
    auto menu = Create();
    ASSERT_TRUE(menu);
    ComPtr<IDataObject> data;
    UniquePidl folder;
    int kind = pick(4);
    if (kind == 0) {
      folder = test::PidlFromPath(tmp.dir(L"folder"));
    } else if (kind == 1 && pick(2)) {
      data = test::CreateRefusingDataObject();
    } else {
      std::vector<std::wstring> selection;
      for (int n = pick(4) + 1; n > 0; --n) selection.push_back(pool[static_cast<size_t>(pick(static_cast<int>(pool.size())))]);
      data = test::CreateHDropDataObject(selection);
    }
    ASSERT_EQ(Init(menu.get(), data.get(), folder.get()), S_OK);

    UniqueMenu popup(::CreatePopupMenu());
    UINT first = static_cast<UINT>(pick(0x7000));
    UINT last = first + static_cast<UINT>(pick(20)) - 3;  // sometimes below first
    HRESULT hr = menu->QueryContextMenu(popup.get(), static_cast<UINT>(pick(3)), first, last,
                                        uFlagsChoices[pick(std::size(uFlagsChoices))]);
    ASSERT_TRUE(SUCCEEDED(hr)) << std::hex << hr;
    UINT used = HRESULT_CODE(hr);
    std::vector<test::TMenuEntry> stack = test::ReadMenu(popup.get());
    while (!stack.empty()) {
      auto e = stack.back();
      stack.pop_back();
      if (!e.separator) {
        ASSERT_GE(e.id, first);
        ASSERT_LE(e.id, last);
        ASSERT_LT(e.id - first, used);
      }
      stack.insert(stack.end(), e.subMenu.begin(), e.subMenu.end());
    }

    for (int call = 0; call < 6; ++call) {
      UINT offset = static_cast<UINT>(pick(static_cast<int>(used) + 4));
      if (pick(2)) {
        std::vector<wchar_t> buffer(static_cast<size_t>(pick(300)) + 16, L'#');
        UINT cch = static_cast<UINT>(buffer.size() - 16);
        UINT type = static_cast<UINT>(pick(8));
        hr = menu->GetCommandString(offset, type, nullptr, reinterpret_cast<CHAR*>(buffer.data()), cch);
        ASSERT_TRUE(hr == S_OK || hr == E_INVALIDARG) << std::hex << hr;
        for (size_t i = cch; i < buffer.size(); ++i) ASSERT_EQ(buffer[i], L'#') << "written past cchMax";
      } else {
        CMINVOKECOMMANDINFO info = {};
        info.cbSize = sizeof(info);
        info.nShow = SW_SHOWNORMAL;
        info.lpVerb = pick(4) == 0 ? verbs[pick(4)] : MAKEINTRESOURCEA(offset);
        std::optional<test::HeldKeys> ctrl;
        if (pick(2)) ctrl.emplace(std::initializer_list<int>{VK_CONTROL});
        hr = menu->InvokeCommand(&info);
        ASSERT_TRUE(hr == S_OK || hr == E_FAIL) << std::hex << hr;
      }
    }
  }
  for (const auto& text : watcher.texts()) ADD_FAILURE() << "a dialog appeared: " << std::string(text.begin(), text.end());
}

}  // namespace
}  // namespace tessera
