// The option list in a host whose message loop runs IsDialogMessage, as the settings window's does: Tab moves
// the focus on (and commits), Esc presses the host's Cancel, Enter stays with the edit box, the arrows move
// between rows, and the popup keeps its arrows, Enter and Space but not Tab and Esc.
#include "OptionListFixture.h"

namespace tessera::test {
namespace {

TEST_F(DialogHostTest, EnterCommitsWithoutPressingAButton) {
  Select(L"Title");
  Type(L"Entered");
  Keys({VK_RETURN});
  Pump();
  EXPECT_EQ(FSample.Title->GetValue(), L"Entered");
  EXPECT_EQ(FHost.OkClicks, 0);
  EXPECT_EQ(FHost.CancelClicks, 0);
  EXPECT_EQ(::GetFocus(), Edit());
}

TEST_F(DialogHostTest, ArrowsAndSpaceStayWithTheList) {
  Keys({VK_DOWN});
  Keys({VK_DOWN});
  Pump();
  EXPECT_EQ(List().SelectedOption(), FSample.Title);
  EXPECT_EQ(::GetFocus(), Edit());
  Keys({VK_UP});
  Pump();
  EXPECT_EQ(List().SelectedOption(), FSample.CopyPath);
  Keys({VK_SPACE});
  Pump();
  EXPECT_EQ(FSample.CopyPath->GetValue(), 2);
  Select(L"Title");
  Keys({VK_END});
  Keys({VK_SPACE});
  Keys({VK_LEFT});
  Type(L"!");
  Pump();
  EXPECT_EQ(TextOf(Edit()), L"Tessera! ");
}

TEST_F(DialogHostTest, TabLeavesTheListAndCommits) {
  Select(L"Title");
  Type(L"Tabbed");
  Keys({VK_TAB});
  Pump();
  EXPECT_EQ(::GetFocus(), FHost.Ok());
  EXPECT_EQ(FSample.Title->GetValue(), L"Tabbed");
  // Back into the list with Shift+Tab: the edit box of the selected row takes the focus.
  Keys({VK_SHIFT, VK_TAB});
  Pump();
  EXPECT_EQ(::GetFocus(), Edit());
  // And on from the edit box to the buttons.
  Keys({VK_TAB});
  Pump();
  EXPECT_EQ(::GetFocus(), FHost.Ok());
  EXPECT_EQ(List().SelectedOption(), FSample.Title);
}

TEST_F(DialogHostTest, EscPressesCancel) {
  Select(L"Title");
  Keys({VK_ESCAPE});
  Pump();
  EXPECT_EQ(FHost.CancelClicks, 1);
}

TEST_F(DialogHostTest, ClickingTheHostsButtonCommitsFirst) {
  bool committedBeforeClick = false;
  Select(L"Title");
  Type(L"Clicked");
  Pump();
  const int before = FHost.OkClicks;
  Click(FHost.Ok(), POINT{10, 10});
  FHost.PumpUntil([&] {
    committedBeforeClick = FSample.Title->GetValue() == L"Clicked";
    return FHost.OkClicks > before;
  });
  EXPECT_EQ(FHost.OkClicks, before + 1);
  EXPECT_TRUE(committedBeforeClick);
}

TEST_F(DialogHostTest, ThePopupKeepsArrowsEnterAndSpaceButNotTabOrEsc) {
  Select(L"CopyPath");
  Keys({VK_CONTROL, VK_DOWN});
  Pump();
  ASSERT_TRUE(List().IsPopupVisible());
  Keys({VK_DOWN});
  Keys({VK_DOWN});
  Keys({VK_RETURN});
  Pump();
  EXPECT_EQ(FSample.CopyPath->GetValue(), 1);
  EXPECT_FALSE(List().IsPopupVisible());
  EXPECT_EQ(FHost.OkClicks, 0);
  EXPECT_EQ(::GetFocus(), Edit());
  Keys({VK_CONTROL, VK_DOWN});
  Keys({VK_DOWN});
  Keys({VK_SPACE});
  Pump();
  EXPECT_EQ(FSample.CopyPath->GetValue(), 0);
  // Tab moves the focus to the next control, which closes the popup; the focus is not taken back.
  Keys({VK_CONTROL, VK_DOWN});
  Pump();
  ASSERT_TRUE(List().IsPopupVisible());
  Keys({VK_TAB});
  Pump();
  EXPECT_FALSE(List().IsPopupVisible());
  EXPECT_EQ(::GetFocus(), FHost.Ok());
  EXPECT_EQ(FSample.CopyPath->GetValue(), 0);
  // Esc is the host's Cancel.
  FHost.Activate();
  Keys({VK_CONTROL, VK_DOWN});
  Pump();
  ASSERT_TRUE(List().IsPopupVisible());
  Keys({VK_ESCAPE});
  Pump();
  EXPECT_EQ(FHost.CancelClicks, 1);
}

}  // namespace
}  // namespace tessera::test
