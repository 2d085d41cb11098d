// The popup's entries for each kind of option, their marks, heights and check marks, and what choosing one
// does to the option.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "config/optionlist/PopupEntries.h"
#include "support/OptionListSample.h"

namespace tessera::test {
namespace {

const TPopupTexts kTexts{L"Inherit", L"Edit...", L"Load default value"};

struct TEntry {
  std::wstring text;
  TListItemType type;
  TVisualControlType control;
  bool separator;
};

std::vector<TEntry> Entries(const TCustomInheritingOption* option) {
  TInternalList list;
  list.BuildEntries(option, kTexts);
  std::vector<TEntry> entries;
  for (int i = 0; i < list.Count(); ++i) {
    const TListItem& item = list.GetItem(i);
    entries.push_back({item.Text(), item.ItemType(), item.VisualControlType(), item.HasSeparator()});
  }
  return entries;
}

void ExpectEntries(const TCustomInheritingOption* option, const std::vector<TEntry>& expected) {
  const std::vector<TEntry> actual = Entries(option);
  ASSERT_EQ(actual.size(), expected.size());
  for (size_t i = 0; i < expected.size(); ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(actual[i].text, expected[i].text);
    EXPECT_EQ(actual[i].type, expected[i].type);
    EXPECT_EQ(actual[i].control, expected[i].control);
    EXPECT_EQ(actual[i].separator, expected[i].separator);
  }
}

TEST(PopupEntries, ForEachKindOfOption) {
  TSampleStore s = MakeSampleStore();
  // An item state: its three texts with radio buttons, the default marked, a separator, "Load default value".
  ExpectEntries(s.CopyPath, {{L"Don't show", pliValueString, vcRadioButton, false},
                             {L"Show always*", pliValueString, vcRadioButton, false},
                             {L"Show only when Shift key is down", pliValueString, vcRadioButton, false},
                             {L"Load default value", pliLoadDefault, vcNone, true}});
  // Inheriting by default: "Inherit" marked as the default, with a check box; first, so without a separator.
  ExpectEntries(s.ImageWidth, {{L"Inherit*", pliInherit, vcCheckBox, false},
                               {L"Load default value", pliLoadDefault, vcNone, true}});
  ExpectEntries(s.ImageFlag, {{L"Yes", pliValueString, vcNone, false},
                              {L"No*", pliValueString, vcNone, false},
                              {L"Inherit", pliInherit, vcCheckBox, true},
                              {L"Load default value", pliLoadDefault, vcNone, true}});
  ExpectEntries(s.Template, {{L"Edit...", pliEdit, vcNone, false},
                             {L"Load default value", pliLoadDefault, vcNone, true}});
  // Combining texts offer no inheriting.
  ExpectEntries(s.Parameters, {{L"Load default value", pliLoadDefault, vcNone, false}});
  const std::vector<TEntry> days = Entries(s.Weekdays);
  ASSERT_EQ(days.size(), 6u);
  EXPECT_EQ(days[0].text, L"Monday*");
  EXPECT_EQ(days[2].text, L"Wednesday");
  EXPECT_EQ(days[2].control, vcCheckBox);
  const std::vector<TEntry> colors = Entries(s.Color);
  ASSERT_EQ(colors.size(), 52u);  // 50 colours, "Edit...", "Load default value"
  EXPECT_EQ(colors[9].text, L"Red*");
  EXPECT_EQ(colors[9].control, vcColorBox);
  EXPECT_EQ(colors[50].type, pliEdit);
  EXPECT_TRUE(colors[50].separator);
  TInternalList none;
  EXPECT_FALSE(none.BuildEntries(nullptr, kTexts));
  EXPECT_EQ(none.Count(), 0);
}

TEST(PopupEntries, HeightsAddTheSeparatorAndStopAtTwentyEntries) {
  TSampleStore s = MakeSampleStore();
  TInternalList list(TListMetrics{17, 13, 13, 96});
  list.BuildEntries(s.CopyPath, kTexts);
  EXPECT_EQ(list.ItemHeight(0), 17);
  EXPECT_EQ(list.ItemHeight(3), 20);
  EXPECT_EQ(list.ItemHeight(4), 0);
  EXPECT_EQ(list.ItemsHeight(20), 3 * 17 + 20);
  EXPECT_EQ(list.ItemsHeight(2), 34);
  list.BuildEntries(s.Color, kTexts);
  EXPECT_EQ(list.ItemsHeight(kPopupVisibleEntries), 20 * 17);  // more than 20: as tall as the first 20
  TInternalList scaled(TListMetrics{34, 26, 26, 192});
  scaled.BuildEntries(s.CopyPath, kTexts);
  EXPECT_EQ(scaled.ItemHeight(3), 40);
  EXPECT_EQ(TInternalList().ItemHeight(0), 0);
  TInternalList withoutList;
  withoutList.BuildEntries(s.CopyPath, kTexts);
  EXPECT_EQ(withoutList.ItemHeight(0), 16);  // no option list: 16
}

TEST(PopupEntries, CheckMarksFollowTheOption) {
  TSampleStore s = MakeSampleStore();
  auto checks = [](const TCustomInheritingOption* option) {
    TInternalList list;
    list.BuildEntries(option, kTexts);
    std::vector<bool> marks;
    for (int i = 0; i < list.Count(); ++i) marks.push_back(list.GetItem(i).VisualControlChecked(option, i));
    return marks;
  };
  EXPECT_EQ(checks(s.CopyPath), (std::vector<bool>{false, true, false, false}));
  EXPECT_EQ(checks(s.Weekdays), (std::vector<bool>{true, true, false, false, false, false}));
  EXPECT_EQ(checks(s.ImageWidth), (std::vector<bool>{true, false}));  // inherits
  // While an option inherits, none of its value strings is checked.
  s.ImageFlag->SetInheritValue(true);
  EXPECT_EQ(checks(s.ImageFlag), (std::vector<bool>{false, false, true, false}));
  s.ImageFlag->SetValue(true);
  EXPECT_EQ(checks(s.ImageFlag), (std::vector<bool>{true, false, false, false}));
}

TEST(PopupEntries, ChoosingChangesTheOptionAndSaysWhetherThePopupStaysOpen) {
  TSampleStore s = MakeSampleStore();
  auto choose = [](TCustomInheritingOption* option, int index) {
    TInternalList list;
    list.BuildEntries(option, kTexts);
    return ChooseEntry(option, list, index);
  };
  TPopupChoice c = choose(s.CopyPath, 0);
  EXPECT_EQ(s.CopyPath->GetValue(), 0);
  EXPECT_TRUE(c.Close);
  // Several choices: the popup stays open.
  c = choose(s.Weekdays, 2);
  EXPECT_EQ(s.Weekdays->GetValueAsText(), L"[Monday, Tuesday, Wednesday]");
  EXPECT_FALSE(c.Close);
  c = choose(s.Weekdays, 0);
  EXPECT_EQ(s.Weekdays->GetValueAsText(), L"[Tuesday, Wednesday]");
  // Inheriting switched off on an option with value strings: open, a value is to be picked.
  s.ImageFlag->SetInheritValue(true);
  c = choose(s.ImageFlag, 2);
  EXPECT_FALSE(s.ImageFlag->GetInheritValue());
  EXPECT_FALSE(c.Close);
  c = choose(s.ImageFlag, 2);
  EXPECT_TRUE(s.ImageFlag->GetInheritValue());
  EXPECT_TRUE(c.Close);
  // Without value strings it closes either way.
  c = choose(s.ImageWidth, 0);
  EXPECT_FALSE(s.ImageWidth->GetInheritValue());
  EXPECT_TRUE(c.Close);
  c = choose(s.Template, 0);
  EXPECT_TRUE(c.EditRequested);
  EXPECT_TRUE(c.Close);
  s.Title->SetValue(L"Changed");
  c = choose(s.Title, 0);
  EXPECT_EQ(s.Title->GetValue(), L"Tessera");
  EXPECT_TRUE(c.Close);
  // No entry: only closes.
  c = choose(s.CopyPath, -1);
  EXPECT_TRUE(c.Close);
  EXPECT_FALSE(c.EditRequested);
  EXPECT_EQ(s.CopyPath->GetValue(), 0);
}

}  // namespace
}  // namespace tessera::test
