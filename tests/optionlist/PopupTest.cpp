// The popup list in a real window: opened by a right click, the drop-down button or the keyboard, placed
// under or above the row, its entries chosen with the mouse and the keys, and its errors.
#include "OptionListFixture.h"

#include "base/Error.h"
#include "config/optionlist/OptionListGeometry.h"

namespace tessera::test {
namespace {

TEST_F(OptionListTest, ARightClickSelectsTheRowAndOpensItsPopupWhereLoadDefaultValueWorks) {
  FSample.Count->SetValue(42);
  Pump();
  Click(ListWindow(), ValuePoint(Row(L"Count")), true);
  Pump();
  EXPECT_EQ(List().SelectedOption(), FSample.Count);
  ASSERT_TRUE(List().IsPopupVisible());
  EXPECT_EQ(::GetFocus(), Popup().Handle());
  ASSERT_EQ(Popup().Entries().Count(), 1);
  ClickEntry(L"Load default value");
  EXPECT_EQ(FSample.Count->GetValue(), 10);
  EXPECT_FALSE(List().IsPopupVisible());
  EXPECT_EQ(::GetFocus(), Edit());
  EXPECT_EQ(TextOf(Edit()), L"10");
  // On the caption cell and on the edit box of the selected row too.
  Click(Editor().Handle(), POINT{20, 5}, true);
  Pump();
  EXPECT_TRUE(List().IsPopupVisible());
  Keys({VK_ESCAPE});
  Pump();
  Click(Edit(), POINT{3, 3}, true);
  Pump();
  EXPECT_TRUE(List().IsPopupVisible());
  EXPECT_EQ(FindWindowW(L"#32768", nullptr), nullptr);  // no edit menu of the system
}

TEST_F(OptionListTest, TheItemStatePopupPicksWithRadioButtons) {
  Select(L"CopyPath");
  List().ShowPopup();
  Pump();
  ASSERT_TRUE(List().IsPopupVisible());
  // Under the row editor, overlapping its last pixel line, right-aligned, as wide as the value column.
  RECT client{}, popup = ClientRectOf(Popup().Handle(), ListWindow());
  const RECT editor = ClientRectOf(Editor().Handle(), ListWindow());
  ::GetClientRect(ListWindow(), &client);
  EXPECT_EQ(popup.top, editor.bottom - 1);
  EXPECT_EQ(popup.right, client.right);
  EXPECT_EQ(popup.left, List().SplitterPosition() + 2);
  EXPECT_EQ(popup.bottom - popup.top, Popup().DesiredHeight());
  RECT inside{};
  ::GetClientRect(Popup().Handle(), &inside);
  EXPECT_EQ(inside.bottom, 3 * List().Metrics().RowHeight + List().Metrics().RowHeight + List().Metrics().Px(3));
  ClickEntry(L"Show only when Shift key is down");
  EXPECT_EQ(FSample.CopyPath->GetValue(), 2);
  EXPECT_FALSE(List().IsPopupVisible());
  EXPECT_EQ(TextOf(Edit()), L"Show only when Shift key is down");
}

TEST_F(OptionListTest, ASetOptionsPopupStaysOpenWhileDaysAreTicked) {
  Select(L"Weekdays");
  List().ShowPopup();
  Pump();
  ClickEntry(L"Wednesday");
  EXPECT_TRUE(List().IsPopupVisible());
  ClickEntry(L"Monday*");
  EXPECT_TRUE(List().IsPopupVisible());
  EXPECT_EQ(FSample.Weekdays->GetValueAsText(), L"[Tuesday, Wednesday]");
  EXPECT_EQ(TextOf(Edit()), L"[Tuesday, Wednesday]");
  EXPECT_TRUE(Popup().Entries().GetItem(2).VisualControlChecked(FSample.Weekdays, 2));
  Keys({VK_ESCAPE});
  Pump();
  EXPECT_FALSE(List().IsPopupVisible());
}

TEST_F(OptionListTest, SwitchingInheritingOffKeepsThePopupOpenForAValue) {
  FSample.ImageFlag->SetInheritValue(true);
  Select(L"ImageFlag");
  EXPECT_EQ(TextOf(Edit()), L"Inherit (Yes)");
  List().ShowPopup();
  Pump();
  ClickEntry(L"Inherit");
  EXPECT_FALSE(FSample.ImageFlag->GetInheritValue());
  EXPECT_TRUE(List().IsPopupVisible());
  ClickEntry(L"Yes");
  EXPECT_TRUE(FSample.ImageFlag->GetValue());
  EXPECT_FALSE(List().IsPopupVisible());
  EXPECT_EQ(TextOf(Edit()), L"Yes");
}

TEST_F(OptionListTest, EditInThePopupRunsTheEditAction) {
  Select(L"Template");
  List().ShowPopup();
  Pump();
  ClickEntry(L"Edit...");
  EXPECT_FALSE(List().IsPopupVisible());
  ASSERT_EQ(FEditClicks.size(), 1u);
  EXPECT_EQ(FEditClicks[0], FSample.Template);
}

TEST_F(OptionListTest, APopupOfMoreThanTwentyEntriesShowsTwentyAndScrolls) {
  // Room for the popup's twenty entries below the row (the host's window clips what it cannot show).
  RECT r = ClientRectOf(ListWindow(), FHost.Window());
  ::MoveWindow(ListWindow(), r.left, r.top, r.right - r.left, List().Metrics().RowHeight * 30, TRUE);
  FSample.Color->SetValue(0x00FF00);
  Select(L"Color");
  List().ShowPopup();
  Pump();
  ASSERT_EQ(Popup().Entries().Count(), 52);
  RECT inside{};
  ::GetClientRect(Popup().Handle(), &inside);
  const RECT popup = ClientRectOf(Popup().Handle(), ListWindow());
  EXPECT_EQ(popup.bottom - popup.top, Popup().DesiredHeight());
  EXPECT_EQ(inside.bottom, 20 * List().Metrics().RowHeight);
  SCROLLINFO info{};
  info.cbSize = sizeof(info);
  info.fMask = SIF_ALL;
  ASSERT_TRUE(::GetScrollInfo(Popup().Handle(), SB_VERT, &info));
  EXPECT_GT(info.nMax - info.nMin + 1, static_cast<int>(info.nPage));
  // Every entry text fits: at least as wide as the widest with its box.
  EXPECT_GE(popup.right - popup.left, Popup().DesiredWidth());
  // Keys reach the far entries.
  Keys({VK_END});
  Pump();
  Keys({VK_RETURN});
  Pump();
  EXPECT_EQ(FSample.Color->GetValue(), 0x0000FF);  // "Load default value": red again
}

TEST_F(OptionListTest, NearTheBottomThePopupOpensUpward) {
  RECT r = ClientRectOf(ListWindow(), FHost.Window());
  ::MoveWindow(ListWindow(), r.left, r.top, r.right - r.left, List().Metrics().RowHeight * 7 + 4, TRUE);
  Pump();
  for (int i = 0; i < 5; ++i) Keys({VK_DOWN});  // "Color", on the last whole row
  Pump();
  ASSERT_EQ(List().SelectedOption(), FSample.Color);
  List().ShowPopup();
  Pump();
  const RECT popup = ClientRectOf(Popup().Handle(), ListWindow());
  const RECT editor = ClientRectOf(Editor().Handle(), ListWindow());
  EXPECT_EQ(popup.bottom, editor.top);
  EXPECT_EQ(popup.top, 0);
}

TEST_F(OptionListTest, ScrollingTheListClosesThePopup) {
  RECT r = ClientRectOf(ListWindow(), FHost.Window());
  ::MoveWindow(ListWindow(), r.left, r.top, r.right - r.left, List().Metrics().RowHeight * 8, TRUE);
  Select(L"CopyPath");
  List().ShowPopup();
  Pump();
  ::SendMessageW(ListWindow(), WM_VSCROLL, SB_LINEDOWN, 0);
  Pump();
  EXPECT_FALSE(List().IsPopupVisible());
  EXPECT_TRUE(EditorOverRow(List(), List().SelectedIndex()));
}

TEST_F(OptionListTest, TheThreeErrors) {
  // No text height from the host before the first store.
  {
    TvOptionList bare(FHost.Window(), 555);
    TSampleStore other = MakeSampleStore();
    try {
      bare.SetOptionStore(other.Store.get());
      ADD_FAILURE() << "no error";
    } catch (const TesseraError& e) {
      EXPECT_EQ(e.message(), L"OnGetFormTextHeight hack event handler is missing. Assign it before assigning OptionStore.");
    }
    EXPECT_THROW(bare.FormTextHeight(), TesseraError);
    bare.SetOptionStore(nullptr);
  }
  // The popup without an option.
  try {
    Popup().SetOptionAndFill(nullptr);
    Popup().PopupAtPos(RECT{0, 0, 100, 100});
    ADD_FAILURE() << "no error";
  } catch (const TesseraError& e) {
    EXPECT_EQ(e.message(), L"Option must be assigned before calling PopupAtPos");
  }
  EXPECT_FALSE(List().IsPopupVisible());
  // Choosing without a row editor: the option changes, then the error.
  Select(L"CopyPath");
  List().ShowPopup();
  Pump();
  ::SendMessageW(Popup().Handle(), LB_SETCURSEL, 0, 0);
  Popup().SetRowEditor(nullptr);
  try {
    Popup().ChooseSelected();
    ADD_FAILURE() << "no error";
  } catch (const TesseraError& e) {
    EXPECT_EQ(e.message(), L"RowEditor not assigned");
  }
  EXPECT_EQ(FSample.CopyPath->GetValue(), 0);
  Popup().SetRowEditor(&Editor());
  List().HidePopup();
}

}  // namespace
}  // namespace tessera::test
