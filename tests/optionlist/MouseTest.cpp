// The option list under the mouse: rows, check boxes, expand boxes, double clicks, the two buttons and the
// divider.
#include "OptionListFixture.h"

#include "config/optionlist/OptionListGeometry.h"

namespace tessera::test {
namespace {

POINT Centre(const RECT& r) { return POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2}; }

TEST_F(OptionListTest, OneClickOnTheBoxOfAnyRowTogglesIt) {
  const int row = Row(L"CreateFile");
  const RECT box = VisualControlRect(List().RowRect(row), List().SplitterPosition(), List().Metrics());
  Click(ListWindow(), Centre(box));
  Pump();
  EXPECT_EQ(List().SelectedOption(), FSample.CreateFile);
  EXPECT_FALSE(FSample.CreateFile->GetValue());
  EXPECT_EQ(TextOf(Edit()), L"No");
  EXPECT_EQ(::GetFocus(), Edit());
  // Again on the selected row: the click lands on the row editor.
  Click(ListWindow(), Centre(box));
  Pump();
  EXPECT_TRUE(FSample.CreateFile->GetValue());
  // Beside the box nothing changes.
  Click(ListWindow(), POINT{box.right + 30, (box.top + box.bottom) / 2});
  Pump();
  EXPECT_TRUE(FSample.CreateFile->GetValue());
  // A disabled option keeps its value.
  const int disabled = Row(L"Disabled");
  Click(ListWindow(), Centre(VisualControlRect(List().RowRect(disabled), List().SplitterPosition(), List().Metrics())));
  Pump();
  EXPECT_EQ(List().SelectedOption(), FSample.Disabled);
  EXPECT_FALSE(FSample.Disabled->GetValue());
}

TEST_F(OptionListTest, TheColourBoxRunsTheEditAction) {
  const int row = Row(L"Color");
  Click(ListWindow(), Centre(VisualControlRect(List().RowRect(row), List().SplitterPosition(), List().Metrics())));
  Pump();
  ASSERT_EQ(FEditClicks.size(), 1u);
  EXPECT_EQ(FEditClicks[0], FSample.Color);
}

TEST_F(OptionListTest, DoubleClickingTheValueFlipsAYesNoOptionOrRunsTheEditAction) {
  Select(L"ShowIcons");
  DoubleClick(Edit(), POINT{4, 4});
  Pump();
  EXPECT_FALSE(FSample.ShowIcons->GetValue());
  Select(L"Template");
  DoubleClick(Edit(), POINT{4, 4});
  Pump();
  ASSERT_EQ(FEditClicks.size(), 1u);
  EXPECT_EQ(FEditClicks[0], FSample.Template);
  EXPECT_EQ(FSample.Template->GetValue(), L"C:\\Program Files\\Tessera\\Templates\\SandboxConfig.txt");
  // On the caption cell of the row editor too.
  Select(L"ShowIcons");
  DoubleClick(Editor().Handle(), POINT{20, 5});
  Pump();
  EXPECT_TRUE(FSample.ShowIcons->GetValue());
}

TEST_F(OptionListTest, TheExpandBoxAndADoubleClickFoldAGroup) {
  TOptionGroup* notes = FSample.Store->GroupByName(L"NoteOptions");
  const int row = Row(L"NoteOptions");
  const RECT box = ExpandBoxRect(List().RowRect(row), 1, List().Metrics());
  Click(ListWindow(), Centre(box));
  Pump();
  EXPECT_TRUE(notes->GetCollapsed());
  EXPECT_EQ(List().SelectedIndex(), row);
  EXPECT_EQ(::GetFocus(), ListWindow());
  Pump(600);  // not a double click
  Click(ListWindow(), Centre(box));
  Pump();
  EXPECT_FALSE(notes->GetCollapsed());
  Pump(600);
  // On the caption: the first click selects, the second (a double click) folds.
  DoubleClick(ListWindow(), POINT{box.right + 40, (box.top + box.bottom) / 2});
  Pump();
  EXPECT_TRUE(notes->GetCollapsed());
  // "General" cannot fold: no box, and a double click does nothing.
  Pump(600);
  DoubleClick(ListWindow(), RowPoint(0, 40));
  Pump();
  EXPECT_EQ(List().SelectedIndex(), 0);
  EXPECT_FALSE(FSample.Store->GroupByName(L"General")->GetCollapsed());
}

TEST_F(OptionListTest, AClickBelowTheRowsSelectsNothing) {
  RECT client{};
  ::GetClientRect(ListWindow(), &client);
  Click(ListWindow(), POINT{40, client.bottom - 4});
  Pump();
  EXPECT_EQ(List().SelectedIndex(), -1);
  EXPECT_EQ(List().SelectedOption(), nullptr);
  EXPECT_FALSE(::IsWindowVisible(Editor().Handle()));
  EXPECT_EQ(::GetFocus(), ListWindow());
  Keys({VK_DOWN});  // from nothing, Down selects the first row
  Pump();
  EXPECT_EQ(List().SelectedIndex(), 0);
}

TEST_F(OptionListTest, TheDividerIsDraggedBetweenItsMargins) {
  RECT client{};
  ::GetClientRect(ListWindow(), &client);
  const int s = List().SplitterPosition();
  EXPECT_EQ(s, List().Metrics().Px(100));
  const int y = RowPoint(Row(L"Count"), 0).y;
  // Beyond the margin, but inside the window: under Xvfb the pointer leaving the window reaches no window.
  Drag(ListWindow(), POINT{s, y}, POINT{client.right - 5, y});
  Pump();
  EXPECT_EQ(List().SplitterPosition(), client.right - List().Metrics().Px(50));
  EXPECT_EQ(Editor().SplitterPosition(), List().SplitterPosition());
  EXPECT_FALSE(List().DraggingDivider());
  EXPECT_EQ(::GetCapture(), nullptr);
  EXPECT_EQ(::GetFocus(), Edit());
  // Started over the row editor, to the left beyond the margin.
  const int row = List().SelectedIndex();
  Drag(ListWindow(), RowPoint(row, List().SplitterPosition()), RowPoint(row, 5));
  Pump();
  EXPECT_EQ(List().SplitterPosition(), List().Metrics().Px(50));
  // The edit box starts right of the divider.
  const RECT edit = ClientRectOf(Edit(), ListWindow());
  EXPECT_GT(edit.left, List().SplitterPosition());
  // A right click while dragging ends the drag.
  MouseAt(ListWindow(), POINT{List().SplitterPosition(), y});
  INPUT input[2]{};
  input[0].type = input[1].type = INPUT_MOUSE;
  input[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
  input[1].mi.dwFlags = MOUSEEVENTF_RIGHTDOWN;
  ::SendInput(2, input, sizeof(INPUT));
  Pump();
  EXPECT_FALSE(List().DraggingDivider());
  input[0].mi.dwFlags = MOUSEEVENTF_RIGHTUP;
  input[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
  ::SendInput(2, input, sizeof(INPUT));
  Pump();
  List().HidePopup();
}

TEST_F(OptionListTest, ANarrowListPushesTheDividerLeftAndAWideOneBringsItBack) {
  RECT r = ClientRectOf(ListWindow(), FHost.Window());
  List().SetSplitterPosition(200);
  ASSERT_EQ(List().SplitterPosition(), 200);
  ::MoveWindow(ListWindow(), r.left, r.top, 200, r.bottom - r.top, TRUE);
  Pump();
  RECT client{};
  ::GetClientRect(ListWindow(), &client);
  EXPECT_EQ(List().SplitterPosition(), client.right - 50);
  ::MoveWindow(ListWindow(), r.left, r.top, r.right - r.left, r.bottom - r.top, TRUE);
  Pump();
  EXPECT_EQ(List().SplitterPosition(), 200);
  EXPECT_TRUE(EditorOverRow(List(), List().SelectedIndex()));
}

TEST_F(OptionListTest, WithTheDividerPastTheDropDownButtonTheEditBoxFillsTheRow) {
  Select(L"Template");
  RECT r = ClientRectOf(ListWindow(), FHost.Window());
  ::MoveWindow(ListWindow(), r.left, r.top, 64, r.bottom - r.top, TRUE);
  Pump();
  List().SetSplitterPosition(60);  // the margins overlap: the left one wins
  Pump();
  EXPECT_EQ(List().SplitterPosition(), 50);
  EXPECT_FALSE(::IsWindowVisible(Editor().DropDownButton()));
  EXPECT_FALSE(::IsWindowVisible(Editor().EditButton()));
  RECT client{}, edit = ClientRectOf(Edit(), Editor().Handle());
  ::GetClientRect(Editor().Handle(), &client);
  EXPECT_EQ(edit.left, 54);
  EXPECT_EQ(edit.right, client.right - 1);
  ::MoveWindow(ListWindow(), r.left, r.top, r.right - r.left, r.bottom - r.top, TRUE);
  Pump();
  EXPECT_TRUE(::IsWindowVisible(Editor().DropDownButton()));
  EXPECT_TRUE(::IsWindowVisible(Editor().EditButton()));
}

TEST_F(OptionListTest, TheButtonsRunTheEditActionAndOpenAndCloseThePopup) {
  Select(L"Template");
  Click(Editor().EditButton(), POINT{4, 4});
  Pump();
  ASSERT_EQ(FEditClicks.size(), 1u);
  EXPECT_EQ(FEditClicks[0], FSample.Template);
  EXPECT_EQ(::GetFocus(), Edit());  // the flat buttons never take the focus
  Click(Editor().DropDownButton(), POINT{4, 4});
  Pump();
  EXPECT_TRUE(List().IsPopupVisible());
  Click(Editor().DropDownButton(), POINT{4, 4});
  Pump();
  EXPECT_FALSE(List().IsPopupVisible());
  EXPECT_EQ(::GetFocus(), Edit());
  // Without the flag there is no "..." button.
  Select(L"Title");
  EXPECT_FALSE(::IsWindowVisible(Editor().EditButton()));
  EXPECT_TRUE(::IsWindowVisible(Editor().DropDownButton()));
  // A disabled option: the buttons are disabled.
  Select(L"Disabled");
  EXPECT_FALSE(::IsWindowEnabled(Editor().DropDownButton()));
  Click(Editor().DropDownButton(), POINT{4, 4});
  Pump();
  EXPECT_FALSE(List().IsPopupVisible());
}

TEST_F(OptionListTest, TheCursorSplitsNearTheDivider) {
  const HCURSOR split = ::LoadCursorW(nullptr, IDC_SIZEWE), arrow = ::LoadCursorW(nullptr, IDC_ARROW);
  const int s = List().SplitterPosition();
  EXPECT_EQ(List().CursorAt(s - 2), split);
  EXPECT_EQ(List().CursorAt(s + 2), split);
  EXPECT_EQ(List().CursorAt(s + 3), arrow);
  MouseAt(ListWindow(), RowPoint(List().SelectedIndex(), s + 1));  // over the row editor
  Pump();
  EXPECT_EQ(::GetCursor(), split);
  MouseAt(ListWindow(), RowPoint(List().SelectedIndex(), s - 40));
  Pump();
  EXPECT_EQ(::GetCursor(), arrow);
}

}  // namespace
}  // namespace tessera::test
