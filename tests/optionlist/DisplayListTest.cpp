// The rows of the option list: which groups and options are shown, in which order and indent, folding, and
// the group's "*".
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/StringUtils.h"
#include "config/optionlist/DisplayList.h"
#include "support/OptionListSample.h"

namespace tessera::test {
namespace {

// "G:name/indent" for a group row, "name/indent" for an option row.
std::vector<std::string> Rows(const TDisplayList& list) {
  std::vector<std::string> rows;
  for (int i = 0; i < list.Count(); ++i) {
    const TDisplayItem& item = list.GetItem(i);
    rows.push_back((item.ItemType() == diGroup ? "G:" : "") + WideToUtf8(item.Name()) + "/" +
                   std::to_string(item.Indent()));
  }
  return rows;
}

TEST(DisplayList, ShowsVisibleGroupsWithTheirOptionsThenTheOptionsWithoutAGroup) {
  TSampleStore s = MakeSampleStore();
  TDisplayList list;
  list.PopulateFromOptionStore(s.Store.get());
  // "Deep" (indent 2) is hidden under the folded "Advanced" (indent 1); the hidden group's option and the
  // hidden option are not shown; the option without a group comes last, without a header.
  const std::vector<std::string> expected = {
      "G:General/0", "ShowIcons/0", "CopyPath/0", "Title/0", "Editor/0", "Template/0", "Color/0", "Weekdays/0",
      "Count/0", "Sandbox/0", "Disabled/0", "G:NoteOptions/1", "CreateFile/1", "NoteEditor/1", "G:Advanced/1",
      "G:Images/0", "DefaultWidth/0", "ImageWidth/0", "ImageFlag/0", "Parameters/0", "Ungrouped/0"};
  EXPECT_EQ(Rows(list), expected);
  EXPECT_EQ(list.FirstOptionRow(), 1);  // the first row is a group: the first option row is selected
  EXPECT_EQ(list.OptionStore(), s.Store.get());
}

TEST(DisplayList, AFoldedGroupHidesTheDeeperGroupsAfterItComparedWithTheLastGroupShown) {
  TOptionStore store;
  auto group = [&](const wchar_t* name, int indent, bool collapsed) {
    TOptionGroup* g = store.NewGroup(name, name, indent, 0);
    g->SetCanCollapse(true);
    g->SetCollapsed(collapsed);
    store.SetCurrentGroup(g);
    store.CreateBooleanOption(false, std::wstring(name) + L"Option", L"x", 0);
  };
  group(L"A", 0, true);   // folded
  group(L"B", 1, false);  // under A: hidden
  group(L"C", 2, false);  // deeper still: hidden, compared with A (the last group shown)
  group(L"D", 0, false);  // the next group of indent 0 is shown again
  group(L"E", 1, true);   // folded, shown
  group(L"F", 1, false);  // same indent as E: shown
  TDisplayList list;
  list.PopulateFromOptionStore(&store);
  EXPECT_EQ(Rows(list), (std::vector<std::string>{"G:A/0", "G:D/0", "DOption/0", "G:E/1", "G:F/1", "FOption/1"}));

  list.ToggleGroupCollapsed(0);  // unfold A
  EXPECT_EQ(Rows(list), (std::vector<std::string>{"G:A/0", "AOption/0", "G:B/1", "BOption/1", "G:C/2", "COption/2",
                                                  "G:D/0", "DOption/0", "G:E/1", "G:F/1", "FOption/1"}));
}

TEST(DisplayList, FoldsOnlyGroupsThatCanFoldAndNothingElse) {
  TSampleStore s = MakeSampleStore();
  TDisplayList list;
  list.PopulateFromOptionStore(s.Store.get());
  const int count = list.Count();
  list.ToggleGroupCollapsed(0);  // "General" cannot fold
  list.ToggleGroupCollapsed(1);  // an option row
  list.ToggleGroupCollapsed(-1);
  list.ToggleGroupCollapsed(count);
  EXPECT_EQ(list.Count(), count);
  const int notes = list.FindByName(L"NoteOptions");
  list.ToggleGroupCollapsed(notes);
  EXPECT_TRUE(s.Store->GroupByName(L"NoteOptions")->GetCollapsed());
  EXPECT_EQ(list.Count(), count - 2);
  EXPECT_FALSE(list.IsOption(notes + 1));
}

TEST(DisplayList, ExpandingUnfoldsEveryGroupFoldingOnlyTheFoldable) {
  TSampleStore s = MakeSampleStore();
  // A group that cannot fold but is folded (set by code) is unfolded by expanding, never folded by folding.
  TOptionGroup* general = s.Store->GroupByName(L"General");
  general->SetCollapsed(true);
  TDisplayList list;
  list.PopulateFromOptionStore(s.Store.get());
  list.SetExpandGroups(true);
  EXPECT_FALSE(general->GetCollapsed());
  EXPECT_GE(list.FindByName(L"MaxAge"), 0);  // "Deep" under the unfolded "Advanced"
  list.SetExpandGroups(false);
  EXPECT_FALSE(general->GetCollapsed());
  EXPECT_TRUE(s.Store->GroupByName(L"Advanced")->GetCollapsed());
  EXPECT_TRUE(s.Store->GroupByName(L"Images")->GetCollapsed());
  EXPECT_EQ(Rows(list), (std::vector<std::string>{"G:General/0", "ShowIcons/0", "CopyPath/0", "Title/0", "Editor/0",
                                                  "Template/0", "Color/0", "Weekdays/0", "Count/0", "Sandbox/0",
                                                  "Disabled/0", "G:NoteOptions/1", "G:Advanced/1", "G:Images/0",
                                                  "Ungrouped/0"}));
}

TEST(DisplayList, FindsRowsByExactName) {
  TSampleStore s = MakeSampleStore();
  TDisplayList list;
  list.PopulateFromOptionStore(s.Store.get());
  EXPECT_EQ(list.FindByName(L"General"), 0);
  EXPECT_EQ(list.FindByName(L"Title"), 3);
  EXPECT_EQ(list.FindByName(L"title"), -1);  // case counts
  EXPECT_EQ(list.FindByName(L"Secret"), -1);
  EXPECT_EQ(list.FindByName(L""), -1);
}

TEST(DisplayList, RowsSayWhatTheirOptionSays) {
  TSampleStore s = MakeSampleStore();
  TDisplayList list;
  list.PopulateFromOptionStore(s.Store.get());
  const TDisplayItem& width = list.GetItem(list.FindByName(L"ImageWidth"));
  EXPECT_EQ(width.Caption(), L"Image width");
  EXPECT_EQ(width.Value(), L"1280");  // the parent's value while inheriting
  EXPECT_TRUE(width.ValueInherited());
  const TDisplayItem& disabled = list.GetItem(list.FindByName(L"Disabled"));
  EXPECT_FALSE(disabled.Enabled());
  EXPECT_FALSE(disabled.ValueChangedFromDefault());
  const TDisplayItem& general = list.GetItem(0);
  EXPECT_EQ(general.Value(), L"");
  EXPECT_FALSE(general.ValueInherited());
  EXPECT_TRUE(general.Enabled());
  EXPECT_EQ(general.Option(), nullptr);
  s.Title->SetValue(L"Changed");
  EXPECT_TRUE(list.GetItem(list.FindByName(L"Title")).ValueChangedFromDefault());
}

TEST(DisplayList, AGroupIsMarkedWhileAVisibleOptionOfItDiffersFoldedOrNot) {
  TSampleStore s = MakeSampleStore();
  TDisplayList list;
  list.PopulateFromOptionStore(s.Store.get());
  const int general = list.FindByName(L"General");
  const int advanced = list.FindByName(L"Advanced");
  EXPECT_FALSE(list.GroupChanged(general));
  s.Title->SetValue(L"Changed");
  s.MaxSize->SetValue(L"20MB");  // in the folded group
  list.ValuesChanged();
  EXPECT_TRUE(list.GroupChanged(general));
  EXPECT_TRUE(list.GroupChanged(advanced));
  EXPECT_FALSE(list.GroupChanged(list.FindByName(L"Title")));  // not a group row
  // Hidden options do not count, as for the store's own answer.
  s.Title->LoadDefaultValue();
  s.Store->SetOptionVisible(L"MaxSize", false);
  list.Rebuild();
  EXPECT_FALSE(list.GroupChanged(general));
  EXPECT_FALSE(list.GroupChanged(advanced));
  EXPECT_EQ(list.GroupChanged(advanced), s.Store->GroupByName(L"Advanced")->AnyValueOrInheritChangedFromDefaultUI());
}

TEST(DisplayList, EmptyWithoutAStore) {
  TDisplayList list;
  list.PopulateFromOptionStore(nullptr);
  EXPECT_EQ(list.Count(), 0);
  EXPECT_EQ(list.FirstOptionRow(), 0);
  EXPECT_FALSE(list.IsGroup(0));
  EXPECT_FALSE(list.IsOption(0));
  TOptionStore onlyGroups;
  onlyGroups.NewGroup(L"G", L"G", 0, 0);
  list.PopulateFromOptionStore(&onlyGroups);
  EXPECT_EQ(list.Count(), 1);
  EXPECT_EQ(list.FirstOptionRow(), 0);
}

}  // namespace
}  // namespace tessera::test
