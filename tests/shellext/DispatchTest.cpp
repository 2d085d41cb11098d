// Every menu command run the way Explorer runs it: a handler made as the class factory makes it,
// initialised with a real shell data object (or a folder's ID list) while a settings file written for
// the test is in place, its menu built into a real popup menu, and InvokeCommand called with the offset
// of the chosen item. What the command did is read back from the clipboard, the files it made, the
// records of the stand-in programs and the message boxes it showed.
#include "support/ResizeFixture.h"

#include "base/ErrorText.h"
#include "base/PathUtils.h"
#include "base/ResourceString.h"
#include "commands/CommandTexts.h"
#include "shellutils/Clipboard.h"
#include "shellutils/FileUtils.h"
#include "shellutils/SystemUtils.h"
#include "support/ClipboardHolder.h"
#include "support/HandlerUnderTest.h"
#include "support/KeyState.h"
#include "support/MessageBoxWatcher.h"
#include "support/SettingsFile.h"
#include "support/WindowSearch.h"

#include <shlobj.h>
#include <wincodec.h>

#include <algorithm>
#include <functional>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace tessera::test {
namespace {

const std::wstring kSentinel = L"left by the test";
const std::string kDefaults = SettingsText({});
const std::vector<std::wstring> kNoBox;

std::string Setting(const char* key, const std::wstring& value) {
  std::string line = key;
  line += '=';
  line += WideToUtf8(value);
  return line;
}

std::wstring Quoted(const std::wstring& text) { return L"\"" + text + L"\""; }

std::wstring ClipboardText() {
  std::wstring text;
  return ReadClipboardText(text) ? text : L"<no text on the clipboard>";
}

// The font paths of a list file: UTF-16 LE after its byte-order mark, CR LF after every line.
std::vector<std::wstring> ListedFonts(const std::string& bytes) {
  if (bytes.size() % 2 != 0 || bytes.compare(0, 2, "\xFF\xFE") != 0) return {L"<not a UTF-16 list>"};
  std::wstring text;
  for (size_t i = 2; i < bytes.size(); i += 2)
    text += static_cast<wchar_t>(static_cast<unsigned char>(bytes[i]) | static_cast<unsigned char>(bytes[i + 1]) << 8);
  std::vector<std::wstring> lines;
  for (size_t pos = 0; pos < text.size();) {
    size_t end = text.find(L"\r\n", pos);
    if (end == std::wstring::npos) return {L"<a line without CR LF>"};
    lines.push_back(text.substr(pos, end - pos));
    pos = end + 2;
  }
  return lines;
}

// One folder's element of a Windows Sandbox configuration.
std::string MappedFolder(const std::wstring& folder, bool readOnly) {
  return "  <MappedFolder>    <HostFolder>" + WideToUtf8(folder) + "</HostFolder>    <ReadOnly>" +
         (readOnly ? "True" : "False") + "</ReadOnly>  </MappedFolder>";
}

std::wstring FontProgram() { return GetModuleFolder() + L"Typemount.exe"; }
std::wstring SettingsProgram() { return GetModuleFolder() + L"TesseraConfig.exe"; }

// Initialises h for the selection while settings is its settings file, and builds the menu. The file is gone
// again before the command runs: the command has to use the handler's snapshot.
void OpenMenu(HandlerUnderTest& h, const std::vector<std::wstring>& selection, const std::string& settings,
              UINT flags = CMF_NORMAL) {
  h.settings().Write(settings);
  ASSERT_EQ(h.Select(selection), S_OK);
  h.settings().Write(std::nullopt);
  ASSERT_TRUE(SUCCEEDED(h.Query(flags)));
}

void OpenBackgroundMenu(HandlerUnderTest& h, const std::wstring& folder, const std::string& settings,
                        UINT flags = CMF_NORMAL) {
  h.settings().Write(settings);
  ASSERT_EQ(h.Background(folder), S_OK);
  h.settings().Write(std::nullopt);
  ASSERT_TRUE(SUCCEEDED(h.Query(flags)));
}

// The window Explorer passes in CMINVOKECOMMANDINFO.hwnd: a plain top-level window, never shown.
class InvokingWindow {
public:
  InvokingWindow()
      : FHwnd(::CreateWindowExW(0, L"STATIC", L"Explorer", WS_OVERLAPPEDWINDOW, 0, 0, 300, 200, nullptr, nullptr,
                                nullptr, nullptr)) {}
  ~InvokingWindow() {
    if (FHwnd) ::DestroyWindow(FHwnd);
  }
  InvokingWindow(const InvokingWindow&) = delete;
  InvokingWindow& operator=(const InvokingWindow&) = delete;
  HWND get() const { return FHwnd; }

private:
  HWND FHwnd;
};

// The "Tessera" message boxes of the test: each is recorded and closed as soon as it appears, so that
// one nobody expected is reported instead of blocking the test.
class ShownBoxes {
public:
  // The texts of the boxes shown since the last call.
  std::vector<std::wstring> Take() {
    std::vector<std::wstring> all = FWatcher.texts();
    std::vector<std::wstring> fresh(all.begin() + static_cast<std::ptrdiff_t>(FTaken), all.end());
    FTaken = all.size();
    return fresh;
  }

private:
  MessageBoxWatcher FWatcher{texts::kCaption};
  size_t FTaken = 0;
};

// Each "Tessera" message box as the thread that shows it sees it when the box becomes active: a CBT
// hook on the test's own thread runs inside MessageBoxW, where that thread's cursor (GetCursor answers
// per thread), the box's owner and its icon can be read. A watcher on another thread could not see the
// cursor.
class BoxObserver {
public:
  struct TSeen {
    HWND Box;
    HCURSOR Cursor;
    HWND Owner;
    HICON Icon;
    ULONGLONG Tick;  // when it became active
  };
  BoxObserver() : FHook(::SetWindowsHookExW(WH_CBT, Hook, nullptr, ::GetCurrentThreadId())) { FCurrent = this; }
  ~BoxObserver() {
    if (FHook) ::UnhookWindowsHookEx(FHook);
    FCurrent = nullptr;
  }
  BoxObserver(const BoxObserver&) = delete;
  BoxObserver& operator=(const BoxObserver&) = delete;
  bool hooked() const { return FHook != nullptr; }
  const std::vector<TSeen>& seen() const { return FSeen; }

private:
  static LRESULT CALLBACK Hook(int code, WPARAM wp, LPARAM lp) {
    if (code == HCBT_ACTIVATE && FCurrent) FCurrent->Look(reinterpret_cast<HWND>(wp));
    return ::CallNextHookEx(nullptr, code, wp, lp);
  }
  void Look(HWND box) {
    wchar_t cls[64] = {}, title[64] = {};
    ::GetClassNameW(box, cls, 64);
    ::GetWindowTextW(box, title, 64);
    if (wcscmp(cls, L"#32770") != 0 || wcscmp(title, texts::kCaption) != 0) return;
    if (std::any_of(FSeen.begin(), FSeen.end(), [&](const TSeen& s) { return s.Box == box && ::IsWindow(box); }))
      return;
    HICON icon = nullptr;
    ForEachChildWindow(box, [&](HWND child) {
      wchar_t childClass[64] = {};
      ::GetClassNameW(child, childClass, 64);
      if (_wcsicmp(childClass, L"Static") == 0 && (::GetWindowLongW(child, GWL_STYLE) & SS_TYPEMASK) == SS_ICON)
        icon = reinterpret_cast<HICON>(::SendMessageW(child, STM_GETICON, 0, 0));
      return true;
    });
    FSeen.push_back({box, ::GetCursor(), ::GetWindow(box, GW_OWNER), icon, ::GetTickCount64()});
  }

  static inline BoxObserver* FCurrent = nullptr;
  HHOOK FHook;
  std::vector<TSeen> FSeen;
};

// Sets this thread's cursor for the test and puts back the one it had.
class ScopedCursor {
public:
  explicit ScopedCursor(const wchar_t* id) : FSaved(::SetCursor(::LoadCursorW(nullptr, id))) {}
  ~ScopedCursor() { ::SetCursor(FSaved); }
  ScopedCursor(const ScopedCursor&) = delete;
  ScopedCursor& operator=(const ScopedCursor&) = delete;

private:
  HCURSOR FSaved;
};

// The clipboard's text as it was before the test (or an empty clipboard), put back afterwards.
class ScopedClipboard {
public:
  ScopedClipboard() { FHad = ReadClipboardText(FSaved); }
  ~ScopedClipboard() {
    if (FHad) {
      CopyTextToClipboard(FSaved);
    } else if (::OpenClipboard(nullptr)) {
      ::EmptyClipboard();
      ::CloseClipboard();
    }
  }
  ScopedClipboard(const ScopedClipboard&) = delete;
  ScopedClipboard& operator=(const ScopedClipboard&) = delete;

private:
  bool FHad = false;
  std::wstring FSaved;
};

// Explorer's three view options, written back afterwards: the toggles change them for the whole user
// account (on Windows; Wine keeps none of them).
class ScopedShellViewOptions {
public:
  ScopedShellViewOptions() { ::SHGetSetSettings(&FSaved, kMask, FALSE); }
  ~ScopedShellViewOptions() { ::SHGetSetSettings(&FSaved, kMask, TRUE); }
  ScopedShellViewOptions(const ScopedShellViewOptions&) = delete;
  ScopedShellViewOptions& operator=(const ScopedShellViewOptions&) = delete;

private:
  static constexpr DWORD kMask = SSF_SHOWALLOBJECTS | SSF_SHOWEXTENSIONS | SSF_SHOWSUPERHIDDEN;
  SHELLSTATEW FSaved{};
};

class Dispatch : public ::testing::Test {
protected:
  void TearDown() override { EXPECT_EQ(boxes.Take(), kNoBox) << "boxes nobody looked at"; }
  HRESULT Invoke(HandlerUnderTest& h, const std::wstring& caption) { return h.Invoke(caption, window.get()); }

  TempFolder temp;  // the process's temporary folder during the test: list files, .wsb files
  ScopedEnvironment tmpVariable{L"TMP", temp.path()};
  ScopedEnvironment tempVariable{L"TEMP", temp.path()};
  TempFolder work;  // what the tests select (inside temp)
  ScopedClipboard clipboard;
  InvokingWindow window;
  ShownBoxes boxes;
};

TEST_F(Dispatch, CopyPathTakesCtrlAsItIsWhenTheCommandStarts) {
  const std::vector<std::wstring> three = {work.file(L"first.txt"), work.dir(L"a folder"),
                                           work.file(L"Ünïcødé 日本 & 100%.doc")};
  const std::wstring one = work.file(L"b.txt");
  const std::wstring paths = three[0] + L"\r\n" + three[1] + L"\r\n" + three[2] + L"\r\n";
  const std::wstring names = L"first.txt\r\na folder\r\nÜnïcødé 日本 & 100%.doc\r\n";
  const struct {
    const char* name;
    std::vector<std::wstring> selection;
    bool ctrlWhileOpening, ctrlWhileChoosing;
    std::wstring expected;
  } cases[] = {
      {"three, no Ctrl", three, false, false, paths},
      {"three, Ctrl only while the menu opened", three, true, false, paths},
      {"three, Ctrl only while choosing", three, false, true, names},
      {"three, Ctrl throughout", three, true, true, names},
      {"one, no Ctrl", {one}, false, false, one},  // a single item gets no line break
      {"one, Ctrl while choosing", {one}, false, true, L"b.txt"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    HandlerUnderTest h;
    {
      std::optional<HeldKeys> ctrl;
      if (c.ctrlWhileOpening) ctrl.emplace(std::initializer_list<int>{VK_CONTROL});
      ASSERT_NO_FATAL_FAILURE(OpenMenu(h, c.selection, kDefaults));
    }
    ASSERT_TRUE(CopyTextToClipboard(kSentinel));
    HRESULT hr;
    {
      std::optional<HeldKeys> ctrl;
      if (c.ctrlWhileChoosing) ctrl.emplace(std::initializer_list<int>{VK_CONTROL});
      hr = Invoke(h, L"Copy path");
    }
    EXPECT_EQ(hr, S_OK);
    EXPECT_EQ(ClipboardText(), c.expected);
    EXPECT_EQ(boxes.Take(), kNoBox);
  }
}

TEST_F(Dispatch, CopySizeCopiesTheTotalInTheChosenUnitAndCountsTheFiles) {
  const std::wstring file3000 = work.file(L"three thousand.bin", std::string(3000, 'x'));
  const std::wstring folder = work.dir(L"folder");
  work.file(L"folder\\inside.bin", std::string(5000, 'x'));  // a folder counts as nothing
  const std::wstring a = work.file(L"a.bin", std::string(1500, 'x'));
  const std::wstring b = work.file(L"b.bin", std::string(1000, 'x'));
  const std::wstring empty = work.file(L"empty.bin");
  const std::wstring twoCounted = L"Total size of 2 selected files was copied to clipboard.";
  const struct {
    std::vector<std::wstring> selection;
    const wchar_t* unit;
    bool ctrl;
    std::wstring expected;
    std::optional<std::wstring> box;
  } cases[] = {
      {{file3000, folder}, L"bytes", false, L"3000", std::nullopt},
      {{file3000, folder}, L"bytes", true, L"3000", std::nullopt},  // Ctrl changes only the KiB unit
      {{file3000, folder}, L"KiB", false, L"2", std::nullopt},      // 3000 / 1024, remainder dropped
      {{file3000, folder}, L"KiB", true, L"3", std::nullopt},       // 3000 / 1000
      {{a, b}, L"bytes", false, L"2500", twoCounted},
      {{a, empty, b}, L"KiB", true, L"2", twoCounted},  // the empty file is not counted
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << WideToUtf8(c.unit) << ", Ctrl " << c.ctrl << ", " << c.selection.size()
                                    << " selected");
    HandlerUnderTest h;
    // "Copy size" is a Shift item by default.
    ASSERT_NO_FATAL_FAILURE(OpenMenu(h, c.selection, kDefaults, CMF_EXTENDEDVERBS));
    ASSERT_TRUE(CopyTextToClipboard(kSentinel));
    BoxObserver observer;
    HRESULT hr;
    {
      std::optional<HeldKeys> ctrl;
      if (c.ctrl) ctrl.emplace(std::initializer_list<int>{VK_CONTROL});
      hr = Invoke(h, c.unit);
    }
    EXPECT_EQ(hr, S_OK);
    EXPECT_EQ(ClipboardText(), c.expected);
    // The box is modal: one shown has been seen and closed before InvokeCommand returned.
    EXPECT_EQ(boxes.Take(), c.box ? std::vector<std::wstring>{*c.box} : kNoBox);
    if (c.box) {
      ASSERT_EQ(observer.seen().size(), 1u);
      EXPECT_EQ(observer.seen()[0].Owner, window.get()) << "the box belongs to the invoking window";
      EXPECT_EQ(observer.seen()[0].Icon, ::LoadIconW(nullptr, IDI_INFORMATION));
    }
  }
}

// Another program holding the clipboard (a clipboard manager, a remote-desktop client): a short hold is waited
// out and the text arrives; a long one ends in one error box after the bound, with the clipboard unchanged and
// never the success message.
TEST_F(Dispatch, CopyCommandsWaitForABusyClipboardAndNeverReportSuccessWithoutIt) {
  const std::wstring a = work.file(L"a.bin", std::string(1500, 'x'));
  const std::wstring b = work.file(L"b.bin", std::string(1000, 'x'));
  const std::wstring busy = ResString(IDS_CMD_CLIPBOARD_BUSY);
  const struct {
    const char* name;
    const wchar_t* caption;
    DWORD holdMs;
    HRESULT expected;
    std::wstring text;
    std::vector<std::wstring> shown;
  } cases[] = {
      {"copy path, short hold", L"Copy path", 300, S_OK, a + L"\r\n" + b + L"\r\n", kNoBox},
      {"copy size, short hold", L"bytes", 300, S_OK, L"2500",
       {L"Total size of 2 selected files was copied to clipboard."}},
      {"copy path, long hold", L"Copy path", 6000, E_FAIL, kSentinel, {busy}},
      {"copy size, long hold", L"bytes", 6000, E_FAIL, kSentinel, {busy}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    HandlerUnderTest h;
    ASSERT_NO_FATAL_FAILURE(OpenMenu(h, {a, b}, kDefaults, CMF_EXTENDEDVERBS));
    ASSERT_TRUE(CopyTextToClipboard(kSentinel));
    BoxObserver observer;
    HRESULT hr;
    ULONGLONG start, end;
    {
      ClipboardHolder holder(c.holdMs);
      start = ::GetTickCount64();
      hr = Invoke(h, c.caption);
      end = ::GetTickCount64();
    }
    EXPECT_EQ(hr, c.expected);
    EXPECT_EQ(ClipboardText(), c.text);
    EXPECT_EQ(boxes.Take(), c.shown);
    // The wait for the clipboard is bounded: a box comes (or the command ends) within it.
    const ULONGLONG waited = (observer.seen().empty() ? end : observer.seen().front().Tick) - start;
    EXPECT_LT(waited, kClipboardWaitMs + 500);
    if (c.expected == E_FAIL) {
      EXPECT_GE(waited, kClipboardWaitMs - 50) << "the whole bound was waited";
    }
  }
}

TEST_F(Dispatch, FileNoteRunsTheEditorAndMakesTheNoteAsTheSettingsSay) {
  // The editor's command line from the settings, with an argument of its own to tell it from the default.
  const std::string editor = Setting("FileNoteCmdLine", Quoted(RecorderExe()) + L" \"%file%\" -from-settings");
  const struct {
    const char* name;
    const char* createFile;
    const char* hideNote;
    bool created, hidden;
  } cases[] = {
      {"create, hide", "FileNoteCreateFile=1", "FileNoteHideNote=1", true, true},
      {"create, do not hide", "FileNoteCreateFile=1", "FileNoteHideNote=0", true, false},
      {"do not create", "FileNoteCreateFile=0", "FileNoteHideNote=1", false, false},
  };
  int run = 0;
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const std::wstring name = L"photo " + std::to_wstring(++run);
    const std::wstring photo = work.file(name + L".jpg", "jpeg");
    const std::wstring note = work.path() + name + L".txt";
    HandlerUnderTest h;
    ASSERT_NO_FATAL_FAILURE(OpenMenu(h, {photo}, SettingsText({editor.c_str(), c.createFile, c.hideNote})));
    RecordSession session(work.path() + name + L" record.txt");
    EXPECT_EQ(Invoke(h, L"File note"), S_OK);
    EXPECT_EQ(boxes.Take(), kNoBox);
    TRecord record;
    ASSERT_TRUE(session.wait(record)) << "the editor was not started";
    EXPECT_EQ(record.CommandLine, Quoted(RecorderExe()) + L" " + Quoted(note) + L" -from-settings");
    EXPECT_EQ(FileExists(note), c.created);
    const DWORD attributes = ::GetFileAttributesW(note.c_str());
    EXPECT_EQ(attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_HIDDEN) != 0, c.hidden);
    EXPECT_EQ(TempFolder::ReadBytes(photo), "jpeg");
  }
}

TEST_F(Dispatch, EachFontItemGivesItsSwitchAndTheSelectedFontsToTheFontProgram) {
  ProgramCopy program(FontProgram());
  const std::wstring single = work.file(L"Single Bold.ttf", "1");
  const std::wstring folder = work.dir(L"font folder");
  const std::set<std::wstring> inFolder = {work.file(L"font folder\\top.otf", "2"),
                                           work.file(L"font folder\\sub\\deeper.TTC", "3"),
                                           work.file(L"font folder\\sub\\deepest\\last.ttf", "4")};
  work.file(L"font folder\\not a font.txt");
  work.file(L"font folder\\sub\\bitmap.fon");
  const std::vector<std::wstring> selection = {single, work.file(L"readme.txt"), folder};
  const struct {
    const wchar_t* caption;
    const wchar_t* commandSwitch;
  } cases[] = {{L"Install font", L"-install"},
               {L"Uninstall font", L"-uninstall"},
               {L"Load font", L"-load"},
               {L"Unload font", L"-unload"}};
  int run = 0;
  for (const auto& c : cases) {
    SCOPED_TRACE(WideToUtf8(c.caption));
    HandlerUnderTest h;
    // Loading and unloading are Shift items by default.
    ASSERT_NO_FATAL_FAILURE(OpenMenu(h, selection, kDefaults, CMF_EXTENDEDVERBS));
    RecordSession session(work.path() + L"record " + std::to_wstring(++run) + L".txt");
    ScopedCursor cross(IDC_CROSS);
    EXPECT_EQ(Invoke(h, c.caption), S_OK);
    EXPECT_EQ(boxes.Take(), kNoBox);
    EXPECT_EQ(::GetCursor(), ::LoadCursorW(nullptr, IDC_ARROW)) << "the wait cursor is taken back";

    TRecord record;
    ASSERT_TRUE(session.wait(record)) << "the font program was not started";
    const std::wstring listFile = QuotedPart(record.CommandLine, FontProgram().size() + 2);
    EXPECT_EQ(ExtractFilePath(listFile), temp.path());
    EXPECT_EQ(record.CommandLine, Quoted(FontProgram()) + L" " + Quoted(listFile) + L" " + c.commandSwitch + L" -tmp");
    // The selected font first, then every font inside the selected folder at any depth; nothing else.
    std::vector<std::wstring> listed = ListedFonts(session.argumentCopy(1));
    ASSERT_FALSE(listed.empty());
    EXPECT_EQ(listed.front(), single);
    EXPECT_EQ(std::set<std::wstring>(listed.begin() + 1, listed.end()), inFolder);
    EXPECT_EQ(listed.size(), 1 + inFolder.size());
  }
}

TEST_F(Dispatch, SandboxOpensTheConfigurationWithTheFoldersAndCtrlInvertsReadOnly) {
  ASSERT_FALSE(HasFileAssociation(L".wsb")) << "a .wsb association of the machine would be replaced";
  FileAssociation association(L".wsb", Quoted(RecorderExe()) + L" \"%1\"");
  const std::wstring first = work.dir(L"Work");
  const std::wstring second = work.dir(L"Data 日本");
  const std::vector<std::wstring> selection = {first, work.file(L"skipped.txt"), second};
  const std::wstring templateFile = work.file(L"my template.txt", "<Configuration>%mappedfolder%</Configuration>");
  const struct {
    const char* readOnlySetting;
    bool ctrl;
    bool readOnly;
  } cases[] = {{"SandboxDirReadOnly=1", false, true},
               {"SandboxDirReadOnly=1", true, false},
               {"SandboxDirReadOnly=0", false, false},
               {"SandboxDirReadOnly=0", true, true}};
  int run = 0;
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.readOnlySetting << ", Ctrl " << c.ctrl);
    HandlerUnderTest h;
    ASSERT_NO_FATAL_FAILURE(OpenMenu(
        h, selection,
        SettingsText({"SandboxState=1", c.readOnlySetting, Setting("SandboxTemplateFile", templateFile).c_str()})));
    RecordSession session(work.path() + L"record " + std::to_wstring(++run) + L".txt");
    HRESULT hr;
    {
      std::optional<HeldKeys> ctrl;
      if (c.ctrl) ctrl.emplace(std::initializer_list<int>{VK_CONTROL});
      hr = Invoke(h, L"Map to Windows Sandbox");
    }
    EXPECT_EQ(hr, S_OK);
    EXPECT_EQ(boxes.Take(), kNoBox);
    TRecord record;
    ASSERT_TRUE(session.wait(record)) << "the .wsb file was not opened";
    const std::wstring wsb = QuotedPart(record.CommandLine, RecorderExe().size() + 2);
    EXPECT_EQ(ExtractFilePath(wsb), temp.path());
    EXPECT_EQ(ExtractFileExt(wsb), L".wsb");
    EXPECT_EQ(session.argumentCopy(1), "\xEF\xBB\xBF<Configuration>" + MappedFolder(first, c.readOnly) + "\r\n" +
                                           MappedFolder(second, c.readOnly) + "</Configuration>");
  }
}

TEST_F(Dispatch, BackgroundItemsRun) {
  ScopedShellViewOptions viewOptions;
  // Wine keeps no view option, so the toggles can only be seen to run without an error.
  for (const wchar_t* caption :
       {L"Show hidden files", L"Show super hidden files", L"Show file extensions", L"Refresh icons"}) {
    SCOPED_TRACE(WideToUtf8(caption));
    HandlerUnderTest h;
    ASSERT_NO_FATAL_FAILURE(OpenBackgroundMenu(h, work.dir(L"background"), kDefaults, CMF_EXTENDEDVERBS));
    EXPECT_EQ(Invoke(h, caption), S_OK);
    EXPECT_EQ(boxes.Take(), kNoBox);
  }

  ProgramCopy program(SettingsProgram());
  HandlerUnderTest h;
  ASSERT_NO_FATAL_FAILURE(OpenBackgroundMenu(h, work.dir(L"background"), kDefaults));
  RecordSession session(work.path() + L"record.txt");
  EXPECT_EQ(Invoke(h, L"Tessera settings"), S_OK);
  EXPECT_EQ(boxes.Take(), kNoBox);
  TRecord record;
  ASSERT_TRUE(session.wait(record)) << "the settings program was not started";
  EXPECT_EQ(record.CommandLine.rfind(Quoted(SettingsProgram()), 0), 0u) << WideToUtf8(record.CommandLine);
  EXPECT_EQ(record.Arguments, 0);
}

TEST_F(Dispatch, SubmenusAndOffsetsWithoutACommandRunNothing) {
  const std::wstring image = work.file(L"a.png", std::string(1200, 'x'));
  HandlerUnderTest h;
  ASSERT_NO_FATAL_FAILURE(
      OpenMenu(h, {image, work.file(L"b.png", std::string(800, 'x'))}, kDefaults, CMF_EXTENDEDVERBS));
  const std::vector<TMenuEntry> entries = h.Entries();
  const TMenuEntry* resize = FindEntry(entries, L"Resize to JPEG");
  const TMenuEntry* copySize = FindEntry(entries, L"Copy size");
  ASSERT_TRUE(resize && resize->hasSubMenu && copySize && copySize->hasSubMenu);
  const UINT used = HRESULT_CODE(h.Query(CMF_EXTENDEDVERBS));
  ASSERT_EQ(h.Entries().size(), entries.size());

  ASSERT_TRUE(CopyTextToClipboard(kSentinel));
  for (UINT offset : {resize->id - h.idCmdFirst(), copySize->id - h.idCmdFirst(), used, used + 100, 0xFFFFu}) {
    EXPECT_EQ(h.InvokeOffset(offset, window.get()), E_FAIL) << "offset " << offset;
  }
  EXPECT_EQ(boxes.Take(), kNoBox);
  EXPECT_EQ(ClipboardText(), kSentinel);
  EXPECT_EQ(FolderEntries(work.dir(L"")), (std::vector<std::wstring>{L"a.png", L"b.png"}));
}

// Each command that fails shows exactly one error box over the invoking window with its own message,
// and InvokeCommand gives E_FAIL.
TEST_F(Dispatch, AFailingCommandShowsOneErrorBoxWithItsMessage) {
  ASSERT_FALSE(FileExists(FontProgram()));
  ASSERT_FALSE(FileExists(SettingsProgram()));
  ASSERT_FALSE(HasFileAssociation(L".wsb"));
  ImageMagickRegistry noMagickInRegistry;
  ScopedEnvironment noMagickOnPath(L"PATH", SystemOnlyPath());

  const std::wstring notFound = ErrorText(ERROR_FILE_NOT_FOUND);
  const std::wstring photo = work.file(L"photo.jpg");
  const std::wstring font = work.file(L"a.ttf");
  const std::wstring folder = work.dir(L"folder");
  const std::wstring missingEditor = work.path() + L"no editor here.exe";
  const std::wstring goodTemplate = work.file(L"good.txt", "<C>%mappedfolder%</C>");
  const std::wstring badTemplate = work.file(L"bad.txt", "<C>%MappedFolder%</C>");
  auto startsWith = [](const std::wstring& text, const std::wstring& start) { return text.rfind(start, 0) == 0; };
  auto endsWith = [](const std::wstring& text, const std::wstring& end) {
    return text.size() >= end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
  };
  const struct {
    const char* name;
    std::vector<std::wstring> selection;  // empty: the background of folder
    std::string settings;
    const wchar_t* caption;
    std::function<bool(const std::wstring&)> expectedMessage;
    bool waitCursor;
  } cases[] = {
      {"file note, editor missing",
       {photo},
       SettingsText({Setting("FileNoteCmdLine", Quoted(missingEditor) + L" \"%file%\"").c_str()}),
       L"File note",
       [&](const std::wstring& m) {
         return m == L"Failed to launch \"" + Quoted(missingEditor) + L" " + Quoted(work.path() + L"photo.txt") +
                         L"\"\r\n\r\n" + notFound;
       },
       false},
      {"font program missing",
       {font},
       kDefaults,
       L"Install font",
       [&](const std::wstring& m) {
         return startsWith(m, L"Failed to launch \"" + FontProgram() + L" \"" + temp.path()) &&
                endsWith(m, L"\" -install -tmp\"\r\n\r\n" + notFound);
       },
       true},
      {"settings program missing",
       {},
       kDefaults,
       L"Tessera settings",
       [&](const std::wstring& m) {
         return m == L"Failed to launch \"" + SettingsProgram() + L" \"\r\n\r\n" + notFound;
       },
       false},
      {"no program for .wsb files",
       {folder},
       SettingsText({"SandboxState=1", Setting("SandboxTemplateFile", goodTemplate).c_str()}),
       L"Map to Windows Sandbox",
       [&](const std::wstring& m) {
         const size_t end = m.find(L".wsb \"\r\n\r\n");
         return startsWith(m, L"Failed to launch \"" + temp.path()) && end != std::wstring::npos && m.size() > end + 10;
       },
       false},
      {"sandbox template without the variable",
       {folder},
       SettingsText({"SandboxState=1", Setting("SandboxTemplateFile", badTemplate).c_str()}),
       L"Map to Windows Sandbox",
       [&](const std::wstring& m) {
         return m == L"Windows Sandbox configuration template file must contain variable %mappedfolder%.";
       },
       false},
      {"no ImageMagick",
       {photo},
       kDefaults,
       L"1280x720",
       [&](const std::wstring& m) {
         return startsWith(m, L"Failed to locate magick.exe\r\n\r\nTessera needs ImageMagick 7+ to convert images.");
       },
       false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    HandlerUnderTest h;
    if (c.selection.empty())
      ASSERT_NO_FATAL_FAILURE(OpenBackgroundMenu(h, folder, c.settings));
    else
      ASSERT_NO_FATAL_FAILURE(OpenMenu(h, c.selection, c.settings, CMF_EXTENDEDVERBS));
    ScopedCursor cross(IDC_CROSS);  // a cursor that no command sets
    BoxObserver observer;
    ASSERT_TRUE(observer.hooked());
    EXPECT_EQ(Invoke(h, c.caption), E_FAIL);

    const std::vector<std::wstring> shown = boxes.Take();
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_TRUE(c.expectedMessage(shown[0])) << WideToUtf8(shown[0]);
    ASSERT_EQ(observer.seen().size(), 1u);
    EXPECT_EQ(observer.seen()[0].Owner, window.get()) << "the box belongs to the invoking window";
    EXPECT_EQ(observer.seen()[0].Icon, ::LoadIconW(nullptr, IDI_ERROR));
    if (c.waitCursor) {
      EXPECT_EQ(observer.seen()[0].Cursor, ::LoadCursorW(nullptr, IDC_ARROW))
          << "the arrow is back before the box appears";
      EXPECT_EQ(::GetCursor(), ::LoadCursorW(nullptr, IDC_ARROW));
    }
  }
}

class DispatchResize : public ResizeFixture {
protected:
  void TearDown() override { EXPECT_EQ(boxes.Take(), kNoBox) << "boxes nobody looked at"; }

  InvokingWindow window;
  ShownBoxes boxes;
};

TEST_F(DispatchResize, ASizeItemConvertsTheSelectedImagesToThatSize) {
  UseMagick(7, TMagickSource::Registry64);
  const std::wstring a = Image(L"a.png", 640, 400, GUID_ContainerFormatPng, RGB(200, 40, 40));
  const std::wstring c = Image(L"c.bmp", 300, 400, GUID_ContainerFormatBmp, RGB(30, 60, 220));
  Image(L"sub\\inside.png", 640, 400);
  const std::vector<std::wstring> selection = {a, images.dir(L"sub"), c, images.file(L"notes.txt")};
  // The invalid entry is no item, so the second item is the third entry of the text.
  const std::string settings =
      SettingsText({"ResizeImageSizes=640x480;1920 x 1080;320x200", "ResizeImageRemoveMetadata=1"});
  const struct {
    const wchar_t* caption;
    const wchar_t* tag;
    unsigned aWidth, aHeight, cWidth, cHeight;
  } cases[] = {
      {L"320x200", L"320", 320, 200, 150, 200},
      {L"640x480", L"640", 640, 400, 300, 400},  // only larger images shrink
  };
  for (const auto& s : cases) {
    SCOPED_TRACE(WideToUtf8(s.caption));
    ::DeleteFileW(logFile().c_str());
    HandlerUnderTest h;
    ASSERT_NO_FATAL_FAILURE(OpenMenu(h, selection, settings));
    const std::vector<TMenuEntry> entries = h.Entries();
    const TMenuEntry* sizes = FindEntry(entries, L"Resize to JPEG");
    ASSERT_TRUE(sizes);
    ASSERT_EQ(sizes->subMenu.size(), 2u);
    EXPECT_EQ(h.Invoke(s.caption, window.get()), S_OK);
    EXPECT_EQ(boxes.Take(), kNoBox);

    ExpectJpeg(images.path() + L"a_" + s.tag + L".jpg", s.aWidth, s.aHeight, RGB(200, 40, 40));
    ExpectJpeg(images.path() + L"c_" + s.tag + L".jpg", s.cWidth, s.cHeight, RGB(30, 60, 220));
    EXPECT_EQ(LoggedLine(0), Quoted(MagickExe(7)) + L" convert  @" + LoggedResponseName() +
                                 L"  -filter lanczossharp -resize " + s.caption +
                                 L"> -colorspace sRGB -quality 90 -strip -set filename:f \"%d\\\\%t_" + s.tag +
                                 L"\" \"%[filename:f].jpg\"");
    const std::wstring response = Utf8ToWide(LoggedResponseFile());
    EXPECT_EQ(SplitText(response, L'\n', true).size(), 2u) << "only the two images: " << WideToUtf8(response);
    EXPECT_LT(response.find(a), response.find(c)) << WideToUtf8(response);
    ExpectNoTraces();
  }
  EXPECT_EQ(FolderEntries(images.dir(L"")),
            (std::vector<std::wstring>{L"a.png", L"a_320.jpg", L"a_640.jpg", L"c.bmp", L"c_320.jpg", L"c_640.jpg",
                                       L"notes.txt", L"sub"}));
  EXPECT_EQ(FolderEntries(images.dir(L"sub")), std::vector<std::wstring>{L"inside.png"}) << "folders are skipped";
}

TEST_F(DispatchResize, WithCtrlTheImagesGoToTheChosenFolder) {
  UseMagick(7, TMagickSource::Path);
  const std::wstring a = Image(L"photos\\a.png", 800, 600, GUID_ContainerFormatPng, RGB(10, 160, 10));
  const std::wstring chosen = images.dir(L"chosen");  // made before the dialog looks
  HandlerUnderTest h;
  ASSERT_NO_FATAL_FAILURE(OpenMenu(h, {a}, kDefaults));
  {
    FolderDialogDriver driver(L"Select folder for converted images:", chosen);
    HeldKeys ctrl({VK_CONTROL});
    EXPECT_EQ(h.Invoke(L"1280x720", window.get()), S_OK);
    EXPECT_TRUE(driver.answered());
    EXPECT_EQ(boxes.Take(), kNoBox);
  }
  ExpectJpeg(chosen + L"\\a_1280.jpg", 800, 600, RGB(10, 160, 10));
  EXPECT_EQ(FolderEntries(images.dir(L"photos")), std::vector<std::wstring>{L"a.png"});
  ExpectNoTraces();
}

TEST_F(DispatchResize, AFolderNamedLikeAnImageConvertsNothingAndSaysNothing) {
  UseMagick(7, TMagickSource::Registry64);
  const std::wstring album = images.dir(L"album.png");
  Image(L"album.png\\inside.png", 640, 400);
  HandlerUnderTest h;
  ASSERT_NO_FATAL_FAILURE(OpenMenu(h, {album}, kDefaults));
  EXPECT_EQ(h.Invoke(L"1920x1080", window.get()), S_OK);
  EXPECT_EQ(boxes.Take(), kNoBox);
  EXPECT_FALSE(MagickRan());
  EXPECT_EQ(FolderEntries(album), std::vector<std::wstring>{L"inside.png"});
  ExpectNoTraces();
}

}  // namespace
}  // namespace tessera::test
