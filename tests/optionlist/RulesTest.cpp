// What keys and mouse buttons do in the list, the edit box and the popup, and which keys the control claims
// from a dialog-like host.
#include <gtest/gtest.h>

#include "config/optionlist/OptionListRules.h"
#include "support/OptionListSample.h"

namespace tessera::test {
namespace {

TEST(ListKeys, GroupRowsFoldWithSpaceLeftAndRightArrowsMoveTheSelection) {
  const struct {
    WORD vk;
    bool group;
    TListKeyAction action;
  } cases[] = {
      {VK_SPACE, true, TListKeyAction::ToggleGroup},   {VK_LEFT, true, TListKeyAction::ToggleGroup},
      {VK_RIGHT, true, TListKeyAction::ToggleGroup},   {VK_SPACE, false, TListKeyAction::Default},
      {VK_LEFT, false, TListKeyAction::Default},       {VK_UP, true, TListKeyAction::SelectPrevious},
      {VK_DOWN, false, TListKeyAction::SelectNext},    {VK_NEXT, true, TListKeyAction::Default},
      {VK_HOME, false, TListKeyAction::Default},
  };
  for (const auto& c : cases) EXPECT_EQ(ListKeyAction(c.vk, c.group), c.action) << c.vk << " " << c.group;
}

TEST(EditKeys, DependOnTheOptionsFlags) {
  TSampleStore s = MakeSampleStore();
  const struct {
    WORD vk;
    bool ctrl, shift;
    const TCustomInheritingOption* option;
    TEditKeyAction action;
  } cases[] = {
      {VK_RETURN, false, false, s.Title, TEditKeyAction::Commit},
      {VK_RETURN, false, false, s.Disabled, TEditKeyAction::Consume},
      {VK_ESCAPE, false, false, s.Title, TEditKeyAction::Reload},
      {VK_ESCAPE, false, false, s.ShowIcons, TEditKeyAction::Default},  // read-only: nothing typed to drop
      {VK_SPACE, false, false, s.Title, TEditKeyAction::Default},       // typed like any character
      {VK_SPACE, false, false, s.ShowIcons, TEditKeyAction::Toggle},
      {VK_SPACE, false, false, s.Sandbox, TEditKeyAction::ShowPopup},   // flSpaceShowsPopup
      {VK_SPACE, false, false, s.Disabled, TEditKeyAction::Default},
      {VK_SPACE, false, false, s.ImageWidth, TEditKeyAction::Toggle},   // read-only while it inherits
      {VK_UP, false, false, s.Title, TEditKeyAction::SelectPrevious},
      {VK_DOWN, false, false, s.Title, TEditKeyAction::SelectNext},
      {VK_DOWN, true, false, s.Title, TEditKeyAction::ShowPopup},
      {'C', true, true, s.Title, TEditKeyAction::CopyCaption},
      {'C', true, false, s.Title, TEditKeyAction::Default},  // Ctrl+C copies the selected text as usual
      {VK_LEFT, false, false, s.Title, TEditKeyAction::Default},
      {VK_TAB, false, false, s.Title, TEditKeyAction::Default},
  };
  for (const auto& c : cases)
    EXPECT_EQ(EditKeyAction(c.vk, c.ctrl, c.shift, c.option), c.action)
        << c.vk << " " << std::string(c.option->GetName().begin(), c.option->GetName().end());
  EXPECT_EQ(EditKeyAction(VK_RETURN, false, false, nullptr), TEditKeyAction::Consume);
}

TEST(PopupKeys, EnterSpaceAndTabChooseEscCloses) {
  EXPECT_EQ(PopupKeyAction(VK_RETURN), TPopupKeyAction::Choose);
  EXPECT_EQ(PopupKeyAction(VK_SPACE), TPopupKeyAction::Choose);
  EXPECT_EQ(PopupKeyAction(VK_TAB), TPopupKeyAction::Choose);
  EXPECT_EQ(PopupKeyAction(VK_ESCAPE), TPopupKeyAction::Hide);
  EXPECT_EQ(PopupKeyAction(VK_DOWN), TPopupKeyAction::Default);
}

TEST(MouseRules, TheDividerComesBeforeBoxesAndRows) {
  EXPECT_EQ(RowEditorLeftDown(true, true, true), TEditorMouseAction::DoubleClick);
  EXPECT_EQ(RowEditorLeftDown(false, true, true), TEditorMouseAction::BeginSplitterDrag);
  EXPECT_EQ(RowEditorLeftDown(false, false, true), TEditorMouseAction::VisualControlClick);
  EXPECT_EQ(RowEditorLeftDown(false, false, false), TEditorMouseAction::FocusEdit);
  EXPECT_EQ(ListLeftDown(true, true, true, false), TListMouseAction::BeginSplitterDrag);
  EXPECT_EQ(ListLeftDown(false, true, true, false), TListMouseAction::ToggleGroup);
  EXPECT_EQ(ListLeftDown(false, true, false, false), TListMouseAction::None);
  EXPECT_EQ(ListLeftDown(false, false, false, true), TListMouseAction::ForwardToRowEditor);
  EXPECT_EQ(ListLeftDown(false, false, false, false), TListMouseAction::None);  // below the last row
}

TEST(DialogKeys, ArrowsCharactersAndEnterAreClaimedTabAndEscAreNot) {
  const LRESULT edit = DLGC_WANTCHARS | DLGC_HASSETSEL | DLGC_WANTARROWS;
  MSG enter{nullptr, WM_KEYDOWN, VK_RETURN, 0, 0, {}};
  MSG escape{nullptr, WM_KEYDOWN, VK_ESCAPE, 0, 0, {}};
  MSG tab{nullptr, WM_KEYDOWN, VK_TAB, 0, 0, {}};
  EXPECT_EQ(ClaimDialogKeys(edit, nullptr), edit);
  EXPECT_EQ(ClaimDialogKeys(edit, &enter), edit | DLGC_WANTALLKEYS);
  EXPECT_EQ(ClaimDialogKeys(edit, &escape), edit);
  EXPECT_EQ(ClaimDialogKeys(edit | DLGC_WANTTAB, &tab), edit);
  EXPECT_EQ(ClaimDialogKeys(DLGC_WANTALLKEYS, &escape), DLGC_WANTARROWS | DLGC_WANTCHARS);
}

}  // namespace
}  // namespace tessera::test
