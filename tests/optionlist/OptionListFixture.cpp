#include "OptionListFixture.h"

#include <vector>

#include "config/optionlist/OptionListGeometry.h"
#include "shellutils/Clipboard.h"
#include "support/RealInput.h"

namespace tessera::test {
namespace {

TOptionListHost& SharedHost(bool dialogKeys) {
  static TOptionListHost plain(TOptionListHost::TSetup{false});
  static TOptionListHost dialog(TOptionListHost::TSetup{true});
  TOptionListHost& host = dialogKeys ? dialog : plain;
  // The other host moves off the screen, so that nothing of it lies under the mouse (hiding a window would
  // cost the wait for the window manager that is not there).
  TOptionListHost& other = dialogKeys ? plain : dialog;
  ::SetWindowPos(other.Window(), HWND_BOTTOM, -4000, 40, 0, 0, SWP_NOSIZE | SWP_NOACTIVATE);
  ::SetWindowPos(host.Window(), HWND_TOP, 40, 40, 0, 0, SWP_NOSIZE);
  host.ResetList();
  return host;
}

}  // namespace

bool SameRect(const RECT& a, const RECT& b) { return ::EqualRect(&a, &b) != FALSE; }

::testing::AssertionResult EditorOverRow(TvOptionList& list, int row) {
  const RECT expected = list.RowRect(row);
  const RECT actual = ClientRectOf(list.RowEditor().Handle(), list.Handle());
  if (SameRect(expected, actual) && ::IsWindowVisible(list.RowEditor().Handle())) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << "editor at " << actual.left << "," << actual.top << "-" << actual.right << ","
                                       << actual.bottom << " visible " << ::IsWindowVisible(list.RowEditor().Handle())
                                       << ", row at " << expected.left << "," << expected.top << "-" << expected.right
                                       << "," << expected.bottom;
}

void MouseAt(HWND window, POINT client) {
  ::ClientToScreen(window, &client);
  MoveMouseTo(client);
}

void Click(HWND window, POINT client, bool right) {
  MouseAt(window, client);
  SendMouseInput(right ? MOUSEEVENTF_RIGHTDOWN : MOUSEEVENTF_LEFTDOWN);
  SendMouseInput(right ? MOUSEEVENTF_RIGHTUP : MOUSEEVENTF_LEFTUP);
}

void DoubleClick(HWND window, POINT client) {
  MouseAt(window, client);
  for (int i = 0; i < 2; ++i) {
    SendMouseInput(MOUSEEVENTF_LEFTDOWN);
    SendMouseInput(MOUSEEVENTF_LEFTUP);
  }
}

void Drag(HWND window, POINT from, POINT to) {
  MouseAt(window, from);
  SendMouseInput(MOUSEEVENTF_LEFTDOWN);
  POINT middle{(from.x + to.x) / 2, (from.y + to.y) / 2};
  MouseAt(window, middle);
  MouseAt(window, to);
  SendMouseInput(MOUSEEVENTF_LEFTUP);
}

void Keys(std::initializer_list<WORD> keys) {
  for (WORD vk : keys) SendKeyInput(vk, false);
  std::vector<WORD> all(keys);
  for (auto it = all.rbegin(); it != all.rend(); ++it) SendKeyInput(*it, true);
}

void Type(const std::wstring& text) {
  for (wchar_t c : text) {
    INPUT input[2]{};
    for (int i = 0; i < 2; ++i) {
      input[i].type = INPUT_KEYBOARD;
      input[i].ki.wScan = c;
      input[i].ki.dwFlags = KEYEVENTF_UNICODE | (i ? KEYEVENTF_KEYUP : 0);
    }
    ::SendInput(2, input, sizeof(INPUT));
  }
}

std::wstring TextOf(HWND window) {
  const int length = ::GetWindowTextLengthW(window);
  std::wstring text(static_cast<size_t>(length) + 1, L'\0');
  text.resize(static_cast<size_t>(::GetWindowTextW(window, text.data(), length + 1)));
  return text;
}

RECT ClientRectOf(HWND window, HWND relativeTo) {
  RECT r{};
  ::GetWindowRect(window, &r);
  ::MapWindowPoints(nullptr, relativeTo, reinterpret_cast<POINT*>(&r), 2);
  return r;
}

std::wstring ClipboardText() {
  std::wstring text;
  ReadClipboardText(text);
  return text;
}

OptionListTest::OptionListTest(bool dialogKeys) : FHost(SharedHost(dialogKeys)) {}

void OptionListTest::SetUp() {
  List().OnError = [this](const std::wstring& message) { FErrors.push_back(message); };
  List().OnValueModified = [this](TvOptionList&, TCustomInheritingOption* option) { FModified.push_back(option); };
  List().OnEditButtonClick = [this](TvOptionList&, TCustomInheritingOption* option) { FEditClicks.push_back(option); };
  List().SetOptionStore(FSample.Store.get());
  FHost.Activate();
  Pump();
}

void OptionListTest::TearDown() {
  List().SetOptionStore(nullptr);
  Pump(20);
}

int OptionListTest::Row(const std::wstring& name) {
  const int row = List().DisplayList().FindByName(name);
  EXPECT_GE(row, 0) << "no row " << std::string(name.begin(), name.end());
  return row;
}

POINT OptionListTest::RowPoint(int row, int x) {
  const RECT r = List().RowRect(row);
  return POINT{x, (r.top + r.bottom) / 2};
}

POINT OptionListTest::ValuePoint(int row) {
  const RECT r = List().RowRect(row);
  const RECT value = ValueTextRect(r, List().SplitterPosition(), true, List().Metrics());
  return POINT{(value.left + value.right) / 2, (r.top + r.bottom) / 2};
}

void OptionListTest::Select(const std::wstring& name) {
  List().SelectRow(Row(name), true);
  Pump(20);
}

int OptionListTest::EntryIndex(const std::wstring& text) {
  const TInternalList& entries = Popup().Entries();
  for (int i = 0; i < entries.Count(); ++i)
    if (entries.GetItem(i).Text() == text) return i;
  return -1;
}

void OptionListTest::ClickEntry(const std::wstring& text) {
  const int index = EntryIndex(text);
  ASSERT_GE(index, 0);
  RECT item{};
  ::SendMessageW(Popup().Handle(), LB_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
  Click(Popup().Handle(), POINT{(item.left + item.right) / 2, (item.top + item.bottom) / 2});
  Pump();
}

}  // namespace tessera::test
