// The option list under the keyboard, in a plain host window: moving between rows, folding groups, typing,
// Enter, Esc, Space, Ctrl+Down, Ctrl+Shift+C, and no way of moving on that drops what was typed.
#include "OptionListFixture.h"

namespace tessera::test {
namespace {

TEST_F(OptionListTest, StartsOnTheFirstOptionRowWithTheEditBoxFocused) {
  EXPECT_EQ(List().SelectedIndex(), 1);  // row 0 is the group "General"
  EXPECT_EQ(List().SelectedOption(), FSample.ShowIcons);
  EXPECT_EQ(::GetFocus(), Edit());
  EXPECT_EQ(TextOf(Edit()), L"Yes");
  EXPECT_TRUE(EditorOverRow(List(), 1));
}

TEST_F(OptionListTest, UpAndDownMoveThroughOptionAndGroupRows) {
  Keys({VK_UP});
  Pump();
  EXPECT_EQ(List().SelectedIndex(), 0);
  EXPECT_EQ(List().SelectedOption(), nullptr);
  EXPECT_EQ(::GetFocus(), ListWindow());  // a group row: the list itself has the focus
  EXPECT_FALSE(::IsWindowVisible(Editor().Handle()));
  Keys({VK_UP});
  Pump();
  EXPECT_EQ(List().SelectedIndex(), 0);
  Keys({VK_DOWN});
  Keys({VK_DOWN});
  Pump();
  EXPECT_EQ(List().SelectedOption(), FSample.CopyPath);
  EXPECT_EQ(::GetFocus(), Edit());
  EXPECT_EQ(TextOf(Edit()), L"Show always");
  EXPECT_TRUE(EditorOverRow(List(), List().SelectedIndex()));
}

TEST_F(OptionListTest, LeftRightAndSpaceFoldAGroupRowButGoToTheEditBoxOnAnOptionRow) {
  Select(L"NoteOptions");
  const int count = List().DisplayList().Count();
  TOptionGroup* notes = FSample.Store->GroupByName(L"NoteOptions");
  Keys({VK_LEFT});
  Pump();
  EXPECT_TRUE(notes->GetCollapsed());
  EXPECT_EQ(List().DisplayList().Count(), count - 2);
  EXPECT_EQ(::SendMessageW(ListWindow(), LB_GETCOUNT, 0, 0), count - 2);  // the system list box knows the count only
  Keys({VK_LEFT});  // a toggle: Left unfolds a folded group
  Pump();
  EXPECT_FALSE(notes->GetCollapsed());
  Keys({VK_SPACE});
  Pump();
  EXPECT_TRUE(notes->GetCollapsed());
  Keys({VK_RIGHT});
  Pump();
  EXPECT_FALSE(notes->GetCollapsed());
  EXPECT_EQ(List().SelectedIndex(), Row(L"NoteOptions"));

  Select(L"Title");
  Keys({VK_HOME});
  Keys({VK_RIGHT});
  Keys({VK_RIGHT});
  Type(L"X");
  Pump();
  EXPECT_EQ(List().SelectedOption(), FSample.Title);
  EXPECT_EQ(List().DisplayList().Count(), count);
  EXPECT_EQ(TextOf(Edit()), L"TeXssera");
}

TEST_F(OptionListTest, EnterCommitsAndSelectsTheWholeText) {
  Select(L"Title");
  EXPECT_EQ(TextOf(Edit()), L"Tessera");
  Type(L"Hello");  // arriving by keyboard the whole value is selected: typing replaces it
  Pump();
  EXPECT_EQ(FSample.Title->GetValue(), L"Tessera");
  Keys({VK_RETURN});
  Pump();
  EXPECT_EQ(FSample.Title->GetValue(), L"Hello");
  EXPECT_EQ(TextOf(Edit()), L"Hello");
  DWORD start = 0, end = 0;
  ::SendMessageW(Edit(), EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  EXPECT_EQ(start, 0u);
  EXPECT_EQ(end, 5u);
  ASSERT_EQ(FModified.size(), 1u);
  EXPECT_EQ(FModified[0], FSample.Title);
  EXPECT_TRUE(Editor().ValueEditor().Bold());  // differs from the default now
}

TEST_F(OptionListTest, EscDropsTheTypedText) {
  Select(L"Title");
  Type(L"Dropped");
  Pump();
  Keys({VK_ESCAPE});
  Pump();
  EXPECT_EQ(TextOf(Edit()), L"Tessera");
  Keys({VK_DOWN});
  Pump();
  EXPECT_EQ(FSample.Title->GetValue(), L"Tessera");
  EXPECT_TRUE(FModified.empty());
}

TEST_F(OptionListTest, NoWayOfMovingOnDropsWhatWasTyped) {
  struct TCase {
    const char* way;
    std::function<void(OptionListTest&)> leave;
  };
  const TCase cases[] = {
      {"Down", [](OptionListTest&) { Keys({VK_DOWN}); }},
      {"Up", [](OptionListTest&) { Keys({VK_UP}); }},
      {"Ctrl+Down (the popup)", [](OptionListTest&) { Keys({VK_CONTROL, VK_DOWN}); }},
      {"a click on another row", [](OptionListTest& t) { Click(t.ListWindow(), t.RowPoint(t.Row(L"Count"), 30)); }},
      {"a click below the rows", [](OptionListTest& t) {
         RECT client{};
         ::GetClientRect(t.ListWindow(), &client);
         Click(t.ListWindow(), POINT{30, client.bottom - 3});
       }},
      {"a click on the drop-down button", [](OptionListTest& t) {
         Click(t.Editor().DropDownButton(), POINT{4, 4});
       }},
      {"the list scrolled by the wheel", [](OptionListTest& t) {
         ::SendMessageW(t.Edit(), WM_MOUSEWHEEL, MAKEWPARAM(0, -WHEEL_DELTA), 0);
         t.Pump();
         Keys({VK_RETURN});
       }},
      {"the host's own window losing the focus", [](OptionListTest& t) { ::SetFocus(t.Host().Window()); }},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.way);
    FSample.Title->SetValue(L"Tessera");
    Select(L"Title");
    ASSERT_EQ(::GetFocus(), Edit());
    Type(L"Kept");
    Pump();
    c.leave(*this);
    Pump(100);
    EXPECT_EQ(FSample.Title->GetValue(), L"Kept");
    List().HidePopup();
    FHost.Activate();
  }
}

TEST_F(OptionListTest, TheTypedValueGoesToTheFirstOptionBeforeTheSecondIsShown) {
  std::vector<std::string> events;
  List().OnValueModified = [&](TvOptionList&, TCustomInheritingOption* o) {
    events.push_back("modified " + std::string(o->GetName().begin(), o->GetName().end()));
  };
  List().OnSelectionChange = [&](TvOptionList&, TCustomInheritingOption* o) {
    events.push_back("selected " + std::string(o->GetName().begin(), o->GetName().end()));
  };
  Select(L"Title");
  events.clear();
  Type(L"First");
  Pump();
  Click(ListWindow(), RowPoint(Row(L"Count"), 30));
  Pump();
  EXPECT_EQ(FSample.Title->GetValue(), L"First");
  EXPECT_EQ(FSample.Count->GetValue(), 10);
  EXPECT_EQ(events, (std::vector<std::string>{"modified Title", "selected Count"}));
  EXPECT_EQ(TextOf(Edit()), L"10");
}

TEST_F(OptionListTest, SpaceTogglesReadOnlyOptionsTypesInEditableOnesAndOpensThePopupWhenAsked) {
  Keys({VK_SPACE});  // "Show icons", a yes/no option
  Pump();
  EXPECT_FALSE(FSample.ShowIcons->GetValue());
  EXPECT_EQ(TextOf(Edit()), L"No");
  Select(L"CopyPath");
  Keys({VK_SPACE});  // the next value string
  Pump();
  EXPECT_EQ(FSample.CopyPath->GetValue(), 2);
  Select(L"Title");
  Keys({VK_END});
  Keys({VK_SPACE});
  Pump();
  EXPECT_EQ(TextOf(Edit()), L"Tessera ");
  EXPECT_FALSE(List().IsPopupVisible());
  Select(L"Sandbox");
  Keys({VK_SPACE});
  Pump();
  EXPECT_TRUE(List().IsPopupVisible());
  EXPECT_EQ(FSample.Sandbox->GetValue(), 2);
  EXPECT_EQ(::GetFocus(), Popup().Handle());
  Select(L"Disabled");
  Keys({VK_SPACE});
  Pump();
  EXPECT_FALSE(FSample.Disabled->GetValue());
}

TEST_F(OptionListTest, CtrlShiftCCopiesTheCaptionNotTheValue) {
  Select(L"Title");
  ::OpenClipboard(nullptr);
  ::EmptyClipboard();
  ::CloseClipboard();
  Keys({VK_CONTROL, VK_SHIFT, 'C'});
  Pump(150);
  EXPECT_EQ(ClipboardText(), L"Window title");
  EXPECT_EQ(TextOf(Edit()), L"Tessera");
  EXPECT_EQ(FSample.Title->GetValue(), L"Tessera");
  // Ctrl+C alone copies the selected text, as in any edit box.
  Keys({VK_CONTROL, 'C'});
  Pump(150);
  EXPECT_EQ(ClipboardText(), L"Tessera");
}

TEST_F(OptionListTest, CtrlDownOpensThePopupAndEscClosesItBackToTheEditBox) {
  Select(L"CopyPath");
  Keys({VK_CONTROL, VK_DOWN});
  Pump();
  ASSERT_TRUE(List().IsPopupVisible());
  EXPECT_EQ(::SendMessageW(Popup().Handle(), LB_GETCURSEL, 0, 0), LB_ERR);  // nothing preselected
  Keys({VK_DOWN});
  Pump();
  EXPECT_EQ(::SendMessageW(Popup().Handle(), LB_GETCURSEL, 0, 0), 0);  // the first arrow picks the first entry
  Keys({VK_ESCAPE});
  Pump();
  EXPECT_FALSE(List().IsPopupVisible());
  EXPECT_EQ(::GetFocus(), Edit());
  EXPECT_EQ(FSample.CopyPath->GetValue(), 1);
  Keys({VK_CONTROL, VK_DOWN});
  Pump();
  Keys({VK_DOWN});
  Keys({VK_RETURN});
  Pump();
  EXPECT_FALSE(List().IsPopupVisible());
  EXPECT_EQ(FSample.CopyPath->GetValue(), 0);
  EXPECT_EQ(TextOf(Edit()), L"Don't show");
  EXPECT_EQ(::GetFocus(), Edit());
}

TEST_F(OptionListTest, MovingDownScrollsTheSelectionIntoViewAndTheEditorFollows) {
  // A list of five rows' height.
  RECT r = ClientRectOf(ListWindow(), FHost.Window());
  ::MoveWindow(ListWindow(), r.left, r.top, r.right - r.left, List().Metrics().RowHeight * 5 + 4, TRUE);
  Pump();
  for (int i = 0; i < 8; ++i) Keys({VK_DOWN});
  Pump();
  EXPECT_EQ(List().SelectedIndex(), 9);
  EXPECT_EQ(List().TopIndex(), 5);
  EXPECT_TRUE(EditorOverRow(List(), 9));
  EXPECT_EQ(List().RowRect(9).top, 4 * List().Metrics().RowHeight);
  for (int i = 0; i < 8; ++i) Keys({VK_UP});
  Pump();
  EXPECT_EQ(List().SelectedIndex(), 1);
  EXPECT_EQ(List().TopIndex(), 1);
  // A page down with the scroll bar: the editor stays over its row, wherever that is now.
  ::SendMessageW(ListWindow(), WM_VSCROLL, SB_PAGEDOWN, 0);
  Pump();
  EXPECT_GT(List().TopIndex(), 1);
  EXPECT_TRUE(EditorOverRow(List(), 1));
  EXPECT_EQ(List().SelectedIndex(), 1);
}

}  // namespace
}  // namespace tessera::test
