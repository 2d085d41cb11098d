// The option list as a screen reader sees it: read back through AccessibleObjectFromWindow from a second
// thread (as a client process would, the calls cross to the window's thread), and the focus events.
#include "OptionListFixture.h"

#include <oleacc.h>

#include <algorithm>
#include <atomic>
#include <functional>
#include <thread>
#include <vector>

#include "base/Handles.h"
#include "config/optionlist/OptionListAccessible.h"

namespace tessera::test {
namespace {

VARIANT Child(LONG id) {
  VARIANT v;
  ::VariantInit(&v);
  v.vt = VT_I4;
  v.lVal = id;
  return v;
}

std::wstring Take(BSTR text) {
  std::wstring result = text ? std::wstring(text, ::SysStringLen(text)) : std::wstring();
  ::SysFreeString(text);
  return result;
}

class AccessibilityTest : public OptionListTest {
protected:
  // Runs the reader on a thread of its own with the list's accessible object, while this thread handles the
  // window's messages (the calls reach the list through them).
  void Read(const std::function<void(IAccessible&)>& reader) {
    std::atomic<bool> done{false};
    HRESULT found = E_FAIL;
    const HWND list = ListWindow();
    std::thread client([&] {
      ::CoInitializeEx(nullptr, COINIT_MULTITHREADED);
      {
        ComPtr<IAccessible> object;
        found = ::AccessibleObjectFromWindow(list, static_cast<DWORD>(OBJID_CLIENT), kIIDAccessible, object.put_void());
        if (SUCCEEDED(found) && object) reader(*object.get());
      }
      ::CoUninitialize();
      done = true;
    });
    FHost.PumpUntil([&] { return done.load(); }, 10000);
    client.join();
    ASSERT_EQ(found, S_OK);
  }
};

TEST_F(AccessibilityTest, EveryRowIsAChildNamedByItsCaptionWithItsValueAndState) {
  FSample.CreateFile->SetValue(false);
  const int rows = List().DisplayList().Count();
  const LONG showIcons = Row(L"ShowIcons") + 1, createFile = Row(L"CreateFile") + 1, editor = Row(L"Editor") + 1,
             disabled = Row(L"Disabled") + 1, advanced = Row(L"Advanced") + 1, notes = Row(L"NoteOptions") + 1;
  long count = 0;
  std::wstring listRole, names[3], values[3];
  LONG roles[2]{}, states[6]{};
  Read([&](IAccessible& a) {
    a.get_accChildCount(&count);
    VARIANT role;
    a.get_accRole(Child(CHILDID_SELF), &role);
    roles[0] = role.lVal;
    a.get_accRole(Child(1), &role);
    roles[1] = role.lVal;
    BSTR text = nullptr;
    a.get_accName(Child(1), &text);
    names[0] = Take(text);
    a.get_accName(Child(showIcons), &text);
    names[1] = Take(text);
    a.get_accName(Child(notes), &text);
    names[2] = Take(text);
    text = nullptr;
    a.get_accValue(Child(showIcons), &text);
    values[0] = Take(text);
    text = nullptr;
    a.get_accValue(Child(editor), &text);
    values[1] = Take(text);
    text = nullptr;
    a.get_accValue(Child(1), &text);
    values[2] = Take(text);
    VARIANT state;
    const LONG ids[] = {showIcons, createFile, disabled, advanced, notes, editor};
    for (int i = 0; i < 6; ++i) {
      a.get_accState(Child(ids[i]), &state);
      states[i] = state.lVal;
    }
  });
  EXPECT_EQ(count, rows);
  EXPECT_EQ(roles[0], ROLE_SYSTEM_LIST);
  EXPECT_EQ(roles[1], ROLE_SYSTEM_LISTITEM);
  EXPECT_EQ(names[0], L"General");
  EXPECT_EQ(names[1], L"Show icons");
  EXPECT_EQ(names[2], L"Note options");
  EXPECT_EQ(values[0], L"Yes");
  EXPECT_EQ(values[1], L"(not specified)");
  EXPECT_EQ(values[2], L"");
  EXPECT_TRUE(states[0] & STATE_SYSTEM_CHECKED);
  EXPECT_TRUE(states[0] & STATE_SYSTEM_SELECTED);
  EXPECT_TRUE(states[0] & STATE_SYSTEM_FOCUSED);
  EXPECT_FALSE(states[1] & STATE_SYSTEM_CHECKED);
  EXPECT_FALSE(states[1] & STATE_SYSTEM_SELECTED);
  EXPECT_TRUE(states[2] & STATE_SYSTEM_UNAVAILABLE);
  EXPECT_TRUE(states[3] & STATE_SYSTEM_COLLAPSED);
  EXPECT_TRUE(states[4] & STATE_SYSTEM_EXPANDED);
  EXPECT_FALSE(states[5] & STATE_SYSTEM_CHECKED);
}

TEST_F(AccessibilityTest, TheFocusedChildFollowsTheSelection) {
  Keys({VK_DOWN});
  Keys({VK_DOWN});
  Pump();
  ASSERT_EQ(List().SelectedOption(), FSample.Title);
  const LONG title = Row(L"Title") + 1;
  VARIANT focus{}, selection{};
  LONG state = 0;
  Read([&](IAccessible& a) {
    a.get_accFocus(&focus);
    a.get_accSelection(&selection);
    VARIANT s;
    a.get_accState(Child(title), &s);
    state = s.lVal;
  });
  EXPECT_EQ(focus.vt, VT_I4);
  EXPECT_EQ(focus.lVal, title);
  EXPECT_EQ(selection.lVal, title);
  EXPECT_TRUE(state & STATE_SYSTEM_FOCUSED);
  // Focus elsewhere: no focused child.
  ::SetFocus(FHost.Window());
  Pump();
  Read([&](IAccessible& a) { a.get_accFocus(&focus); });
  EXPECT_EQ(focus.vt, VT_EMPTY);
}

TEST_F(AccessibilityTest, ChildrenHaveTheRowsPlaceAndCanBeSelected) {
  const int row = Row(L"Count");
  RECT expected = List().RowRect(row);
  ::MapWindowPoints(ListWindow(), nullptr, reinterpret_cast<POINT*>(&expected), 2);
  long left = 0, top = 0, width = 0, height = 0;
  VARIANT hit{}, next{};
  HRESULT selected = E_FAIL;
  Read([&](IAccessible& a) {
    a.accLocation(&left, &top, &width, &height, Child(row + 1));
    a.accHitTest(expected.left + 5, expected.top + 3, &hit);
    a.accNavigate(NAVDIR_NEXT, Child(row + 1), &next);
    selected = a.accSelect(SELFLAG_TAKEFOCUS | SELFLAG_TAKESELECTION, Child(row + 1));
  });
  EXPECT_EQ(left, expected.left);
  EXPECT_EQ(top, expected.top);
  EXPECT_EQ(width, expected.right - expected.left);
  EXPECT_EQ(height, expected.bottom - expected.top);
  EXPECT_EQ(hit.lVal, row + 1);
  EXPECT_EQ(next.lVal, row + 2);
  EXPECT_EQ(selected, S_OK);
  EXPECT_EQ(List().SelectedOption(), FSample.Count);
  EXPECT_EQ(::GetFocus(), Edit());
}

// Focus events of this process, recorded on this thread (out of context: they arrive through its messages).
struct TFocusEvents {
  static std::vector<std::pair<HWND, LONG>>& Seen() {
    static std::vector<std::pair<HWND, LONG>> seen;
    return seen;
  }
  static void CALLBACK Hook(HWINEVENTHOOK, DWORD, HWND window, LONG object, LONG child, DWORD, DWORD) {
    if (object == OBJID_CLIENT) Seen().emplace_back(window, child);
  }
};

TEST_F(AccessibilityTest, MovingTheSelectionRaisesTheFocusEventForTheNewRow) {
  TFocusEvents::Seen().clear();
  HWINEVENTHOOK hook = ::SetWinEventHook(EVENT_OBJECT_FOCUS, EVENT_OBJECT_FOCUS, nullptr, &TFocusEvents::Hook,
                                         ::GetCurrentProcessId(), 0, WINEVENT_OUTOFCONTEXT);
  ASSERT_NE(hook, nullptr);
  Keys({VK_DOWN});
  Pump(150);
  Keys({VK_UP});
  Keys({VK_UP});  // to the group row: the list itself has the focus
  Pump(150);
  ::UnhookWinEvent(hook);
  std::vector<LONG> rows;
  for (const auto& [window, child] : TFocusEvents::Seen())
    if (window == ListWindow()) rows.push_back(child);
  ASSERT_FALSE(rows.empty());
  EXPECT_NE(std::find(rows.begin(), rows.end(), Row(L"CopyPath") + 1), rows.end());
  EXPECT_EQ(rows.back(), 1);  // the group "General"
}

TEST_F(AccessibilityTest, AnObjectKeptAfterTheListWentAnswersDisconnected) {
  std::atomic<int> stage{0};
  HRESULT afterwards = S_OK;
  const HWND list = ListWindow();
  std::thread client([&] {
    ::CoInitializeEx(nullptr, COINIT_MULTITHREADED);
    {
      ComPtr<IAccessible> object;
      ::AccessibleObjectFromWindow(list, static_cast<DWORD>(OBJID_CLIENT), kIIDAccessible, object.put_void());
      stage = 1;
      while (stage != 2) ::Sleep(10);
      long count = 0;
      afterwards = object ? object->get_accChildCount(&count) : E_POINTER;
    }
    ::CoUninitialize();
    stage = 3;
  });
  FHost.PumpUntil([&] { return stage == 1; }, 10000);
  FHost.ResetList();
  stage = 2;
  FHost.PumpUntil([&] { return stage == 3; }, 10000);
  client.join();
  EXPECT_EQ(afterwards, CO_E_OBJNOTCONNECTED);
  List().OnError = [this](const std::wstring& message) { FErrors.push_back(message); };
  List().SetOptionStore(FSample.Store.get());
}

}  // namespace
}  // namespace tessera::test
