// The list as the host uses it: assigning and detaching stores, folding everything, default values, the
// remembered selection, the font and the DPI, errors raised inside the control, and its end.
#include "OptionListFixture.h"

#include "base/Error.h"
#include "support/MessageBoxWatcher.h"

namespace tessera::test {
namespace {

TEST_F(OptionListTest, DetachingShowsNoRowsAndAttachingSelectsTheFirstOptionRowAgain) {
  Keys({VK_DOWN});
  Pump();
  List().SetOptionStore(nullptr);
  Pump();
  EXPECT_EQ(::SendMessageW(ListWindow(), LB_GETCOUNT, 0, 0), 0);
  EXPECT_EQ(List().SelectedIndex(), -1);
  EXPECT_EQ(List().SelectedOption(), nullptr);
  EXPECT_FALSE(::IsWindowVisible(Editor().Handle()));
  EXPECT_FALSE(static_cast<bool>(FSample.Store->GetOnValueModified()));  // the detached store calls the list no more
  List().SetOptionStore(FSample.Store.get());
  Pump();
  EXPECT_EQ(List().SelectedIndex(), 1);
  EXPECT_EQ(::SendMessageW(ListWindow(), LB_GETCOUNT, 0, 0), List().DisplayList().Count());
  EXPECT_TRUE(static_cast<bool>(FSample.Store->GetOnValueModified()));
}

TEST_F(OptionListTest, AnotherStoreReplacesTheRowsAndKeepsThePendingEditForTheFirst) {
  RECT r = ClientRectOf(ListWindow(), FHost.Window());
  ::MoveWindow(ListWindow(), r.left, r.top, r.right - r.left, List().Metrics().RowHeight * 6, TRUE);
  ::SendMessageW(ListWindow(), WM_VSCROLL, SB_PAGEDOWN, 0);
  Select(L"Title");
  Type(L"Pending");
  Pump();
  TSampleStore other = MakeSampleStore();
  other.Store->GroupByName(L"General")->SetVisible(false);
  List().SetOptionStore(other.Store.get());
  Pump();
  EXPECT_EQ(FSample.Title->GetValue(), L"Pending");
  EXPECT_EQ(List().DisplayList().GetItem(0).Name(), L"NoteOptions");
  EXPECT_EQ(List().SelectedOption(), other.CreateFile);
  EXPECT_EQ(List().TopIndex(), 0);  // shown from its first row
  EXPECT_TRUE(EditorOverRow(List(), 1));
  List().SetOptionStore(FSample.Store.get());
}

TEST_F(OptionListTest, ExpandGroupsKeepsTheSelectedRowByNameOrSelectsNothing) {
  Select(L"NoteEditor");
  List().ExpandGroups(true);
  Pump();
  EXPECT_EQ(List().SelectedOption(), FSample.NoteEditor);
  EXPECT_GE(List().DisplayList().FindByName(L"MaxAge"), 0);
  EXPECT_TRUE(EditorOverRow(List(), List().SelectedIndex()));
  List().ExpandGroups(false);  // "Note options" folds: its option is gone
  Pump();
  EXPECT_EQ(List().SelectedIndex(), -1);
  EXPECT_EQ(List().SelectedOption(), nullptr);
  EXPECT_FALSE(::IsWindowVisible(Editor().Handle()));
  EXPECT_EQ(::SendMessageW(ListWindow(), LB_GETCOUNT, 0, 0), List().DisplayList().Count());
  // A group row is found by its name as well.
  Select(L"Images");
  List().ExpandGroups(true);
  Pump();
  EXPECT_EQ(List().SelectedIndex(), Row(L"Images"));
  // Nothing remembered: nothing restored.
  List().SelectRow(-1, false);
  List().RememberSelection();
  List().SelectRow(3, false);
  List().RestoreSelection();
  EXPECT_EQ(List().SelectedIndex(), 3);
}

TEST_F(OptionListTest, LoadDefaultValuesResetsEveryOptionAndTheMarks) {
  FSample.Title->SetValue(L"Changed");
  FSample.MaxSize->SetValue(L"99MB");  // in a folded group
  FSample.ImageWidth->SetInheritValue(false);
  Pump();
  EXPECT_TRUE(List().DisplayList().GroupChanged(Row(L"General")));
  EXPECT_TRUE(List().DisplayList().GroupChanged(Row(L"Advanced")));
  Select(L"Count");
  FModified.clear();
  List().LoadDefaultValues();
  Pump();
  EXPECT_EQ(FSample.Title->GetValue(), L"Tessera");
  EXPECT_EQ(FSample.MaxSize->GetValue(), L"10MB");
  EXPECT_TRUE(FSample.ImageWidth->GetInheritValue());
  EXPECT_FALSE(List().DisplayList().GroupChanged(Row(L"General")));
  EXPECT_FALSE(List().DisplayList().GroupChanged(Row(L"Advanced")));
  EXPECT_EQ(List().DisplayList().GroupChanged(Row(L"Images")),
            FSample.Store->GroupByName(L"Images")->AnyValueOrInheritChangedFromDefaultUI());
  EXPECT_EQ(List().SelectedIndex(), 1);
  EXPECT_EQ(List().OptionStore(), FSample.Store.get());
  // Window updates are unlocked again: another window can lock them.
  EXPECT_TRUE(::LockWindowUpdate(FHost.Window()));
  ::LockWindowUpdate(nullptr);
}

TEST_F(OptionListTest, AChangeMarksTheGroupAndRepaintsAtOnce) {
  EXPECT_FALSE(List().DisplayList().GroupChanged(Row(L"NoteOptions")));
  Select(L"NoteEditor");
  Type(L"other.exe");
  Keys({VK_RETURN});
  Pump();
  EXPECT_TRUE(List().DisplayList().GroupChanged(Row(L"NoteOptions")));
  // Folded, the group keeps its mark.
  List().ToggleGroup(Row(L"NoteOptions"));
  EXPECT_TRUE(List().DisplayList().GroupChanged(Row(L"NoteOptions")));
  ASSERT_EQ(FModified.size(), 1u);
  EXPECT_EQ(FModified[0], FSample.NoteEditor);
}

TEST_F(OptionListTest, TheSelectionIsTheListsOwnNotTheListBoxs) {
  Select(L"Count");
  EXPECT_EQ(List().SelectedIndex(), Row(L"Count"));
  EXPECT_NE(::SendMessageW(ListWindow(), LB_GETCURSEL, 0, 0), Row(L"Count"));
  EXPECT_EQ(TvOptionList::FromHandle(ListWindow()), &List());
  EXPECT_EQ(TvOptionList::FromHandle(FHost.Window()), nullptr);
  EXPECT_EQ(TvOptionList::FromHandle(nullptr), nullptr);
}

TEST_F(OptionListTest, HelpTextsComeFromTheHostThroughTheList) {
  List().OnHelpText = [](TvOptionList&, TCustomInheritingOption* option, std::wstring& text) {
    text = L"Help for " + option->GetCaption();
  };
  EXPECT_EQ(FSample.Title->GetHelpText(), L"Help for Window title");
  List().OnHelpText = nullptr;
  EXPECT_EQ(FSample.Title->GetHelpText(), L"");
}

TEST_F(OptionListTest, ANewFontOrDpiGivesNewRowHeightsAndLayout) {
  const int before = List().Metrics().RowHeight;
  EXPECT_EQ(before, RowHeightForText(FHost.TextHeight()));
  EXPECT_EQ(::SendMessageW(ListWindow(), LB_GETITEMHEIGHT, 0, 0), before);
  const int splitter = List().SplitterPosition();
  FHost.ChangeDpi(192);
  Pump();
  const int after = List().Metrics().RowHeight;
  EXPECT_EQ(after, RowHeightForText(FHost.TextHeight()));
  EXPECT_GT(after, before * 3 / 2);
  EXPECT_EQ(::SendMessageW(ListWindow(), LB_GETITEMHEIGHT, 0, 0), after);
  EXPECT_EQ(List().SplitterPosition(), splitter * 2);
  EXPECT_EQ(List().Splitter().MinLeft(), 100);
  EXPECT_TRUE(EditorOverRow(List(), List().SelectedIndex()));
  const RECT edit = ClientRectOf(Edit(), Editor().Handle());
  EXPECT_EQ(edit.bottom - edit.top, FHost.TextHeight() - 1);
  LOGFONTW font{};
  ::GetObjectW(reinterpret_cast<HFONT>(::SendMessageW(Edit(), WM_GETFONT, 0, 0)), sizeof(font), &font);
  EXPECT_EQ(font.lfHeight, -::MulDiv(8, 192, 72));
  // The popup's entries follow.
  List().ShowPopup();
  Pump();
  EXPECT_EQ(::SendMessageW(Popup().Handle(), LB_GETITEMHEIGHT, 0, 0), after);
  List().HidePopup();
  // WM_DPICHANGED_AFTERPARENT reads the window's DPI; under a host that answers a text height the rows follow.
  ::SendMessageW(ListWindow(), 0x02E3 /* WM_DPICHANGED_AFTERPARENT */, 0, 0);
  Pump();
  EXPECT_EQ(List().Metrics().RowHeight, RowHeightForText(FHost.TextHeight()));
  EXPECT_TRUE(EditorOverRow(List(), List().SelectedIndex()));
}

TEST_F(OptionListTest, ThemeAndColourChangesAreTakenWithoutLosingTheState) {
  Select(L"Title");
  Type(L"Typed");
  Pump();
  ::SendMessageW(ListWindow(), WM_THEMECHANGED, 0, 0);
  ::SendMessageW(FHost.Window(), WM_SYSCOLORCHANGE, 0, 0);  // the host forwards it
  Pump();
  EXPECT_EQ(TextOf(Edit()), L"Typed");
  EXPECT_EQ(List().SelectedOption(), FSample.Title);
  EXPECT_EQ(List().DrawTools().ButtonTheme != nullptr, ::IsAppThemed() && ::IsThemeActive());
  EXPECT_EQ(ValueColor(), IsHighContrast() ? ::GetSysColor(COLOR_WINDOWTEXT) : RGB(0, 0, 128));
}

// An option whose text conversion fails, as an option kind of a program could.
class TFailingOption : public TStringOption {
public:
  using TStringOption::TStringOption;
  void SetValueAsText(const std::wstring& text) override {
    if (text == L"bad") throw TesseraError(L"The value \"bad\" is not allowed");
    TStringOption::SetValueAsText(text);
  }
};

TEST_F(OptionListTest, ErrorsInsideTheControlReachOnErrorOnceAndTheControlGoesOn) {
  FSample.Store->SetCurrentGroup(nullptr);
  auto* failing = static_cast<TFailingOption*>(
      FSample.Store->AddOption(std::make_unique<TFailingOption>(L"good", L"Failing", L"Failing", 0)));
  List().SetOptionStore(FSample.Store.get());
  Select(L"Failing");
  Type(L"bad");
  Click(ListWindow(), RowPoint(Row(L"Count"), 30));  // the commit on leaving fails
  Pump(150);
  ASSERT_EQ(FErrors.size(), 1u);
  EXPECT_EQ(FErrors[0], L"The value \"bad\" is not allowed");
  EXPECT_EQ(failing->GetValue(), L"good");
  EXPECT_EQ(List().SelectedOption(), FSample.Count);  // the new row is shown all the same
  // The host's own handler failing inside a click.
  List().OnEditButtonClick = [](TvOptionList&, TCustomInheritingOption*) { throw TesseraError(L"No editor here"); };
  Select(L"Template");
  Click(Editor().EditButton(), POINT{4, 4});
  Pump(150);
  ASSERT_EQ(FErrors.size(), 2u);
  EXPECT_EQ(FErrors[1], L"No editor here");
  Keys({VK_DOWN});
  Pump();
  EXPECT_EQ(List().SelectedOption(), FSample.Color);
}

TEST_F(OptionListTest, WithoutOnErrorTheErrorIsShownInABoxTitledLikeTheWindow) {
  List().OnError = nullptr;
  List().OnEditButtonClick = [](TvOptionList&, TCustomInheritingOption*) { throw TesseraError(L"Boxed"); };
  Select(L"Template");
  MessageBoxWatcher watcher(L"Option list host");
  Click(Editor().EditButton(), POINT{4, 4});
  FHost.PumpUntil([&] { return !watcher.texts().empty(); });
  ASSERT_EQ(watcher.texts().size(), 1u);
  EXPECT_EQ(watcher.texts()[0], L"Boxed");
}

TEST(OptionListEnd, DestroyingTheListRemovesItsHandlersFromTheStore) {
  TSampleStore sample = MakeSampleStore();
  TOptionListHost::TSetup setup;
  setup.Show = false;
  static TOptionListHost host(setup);  // once for the run: a top-level window takes two seconds to go under Wine
  host.ResetList();
  host.List().SetOptionStore(sample.Store.get());
  EXPECT_TRUE(static_cast<bool>(sample.Store->GetOnValueModified()));
  EXPECT_TRUE(static_cast<bool>(sample.Store->GetOnHelpText()));
  const HWND list = host.List().Handle();
  host.ResetList();
  EXPECT_FALSE(::IsWindow(list));
  EXPECT_FALSE(static_cast<bool>(sample.Store->GetOnValueModified()));
  EXPECT_FALSE(static_cast<bool>(sample.Store->GetOnHelpText()));
  sample.Title->SetValue(L"No list to tell");  // nothing calls into the list that is gone
}

TEST(OptionListEnd, TheListSurvivesItsWindowGoingFirst) {
  TSampleStore sample = MakeSampleStore();
  TOptionListHost::TSetup setup;
  setup.Show = false;
  static TOptionListHost host(setup);
  host.ResetList();
  host.List().SetOptionStore(sample.Store.get());
  ::DestroyWindow(host.List().Handle());
  EXPECT_EQ(host.List().Handle(), nullptr);
  sample.Title->SetValue(L"Changed");  // the store still calls the list: it takes it without its window
  host.List().SetOptionStore(nullptr);
}

}  // namespace
}  // namespace tessera::test
