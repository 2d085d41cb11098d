// Groups, the option store, the recent-files list and the program-options container.
#include <gtest/gtest.h>

#include <stdexcept>
#include <vector>

#include "MemoryStorage.h"
#include "settings/ProgramOptions.h"
#include "support/TempFolder.h"

namespace tessera {
namespace {

using test::MemoryStorage;

std::vector<std::wstring> GroupNames(const TCustomOptionStore& store) {
  std::vector<std::wstring> names;
  for (int i = 0; i < store.GetGroupCount(); ++i) names.push_back(store.GetGroup(i)->GetName());
  return names;
}

TEST(OptionGroups, SortedByRankThenCreationOrder) {
  TOptionStore store;
  TOptionGroup* low = store.NewGroup(L"Low", L"Low", 0, 0);
  EXPECT_EQ(store.GetCurrentGroup(), low);
  TOptionGroup* high = store.NewGroup(L"High", L"High", 0, 5);
  EXPECT_EQ(store.GetCurrentGroup(), high);  // current even though it is listed first
  EXPECT_EQ(GroupNames(store), (std::vector<std::wstring>{L"High", L"Low"}));
  store.NewGroup(L"A", L"", 0, 1);
  store.NewGroup(L"B", L"", 0, 1);
  TOptionGroup* c = store.NewGroup(L"C", L"", 1, 1);
  EXPECT_EQ(store.GetCurrentGroup(), c);
  EXPECT_EQ(GroupNames(store), (std::vector<std::wstring>{L"High", L"A", L"B", L"C", L"Low"}));
  EXPECT_EQ(low->GetID(), 0);
  EXPECT_EQ(high->GetID(), 1);
  EXPECT_EQ(c->GetID(), 4);
  EXPECT_EQ(c->GetIndent(), 1);
  EXPECT_EQ(store.GetGroup(5), nullptr);
  EXPECT_EQ(store.GetGroup(-1), nullptr);
}

TEST(OptionGroups, NamesAreExactForGroupsButNotForOptions) {
  TOptionStore store;
  store.NewGroup(L"FileMenu", L"All files", 0, 0);
  TIntegerOption* option = store.CreateIntegerOption(1, L"CopyPathState", L"Copy path", 0);
  EXPECT_NE(store.GroupByName(L"FileMenu"), nullptr);
  EXPECT_EQ(store.GroupByName(L"filemenu"), nullptr);
  EXPECT_EQ(store.FindByName(L"copypathSTATE"), option);
  EXPECT_EQ(store.FindByName(L"CopyPathStat"), nullptr);

  store.SetGroupCaption(L"FileMenu", L"Files");
  store.SetGroupVisible(L"FileMenu", false);
  store.SetGroupCaption(L"Missing", L"x");  // nothing happens
  store.SetOptionVisible(L"COPYPATHSTATE", false);
  store.SetOptionVisible(L"Missing", false);
  EXPECT_EQ(store.GroupByName(L"FileMenu")->GetCaption(), L"Files");
  EXPECT_FALSE(store.GroupByName(L"FileMenu")->GetVisible());
  EXPECT_FALSE(option->GetVisible());
  // The root class's flag is left alone.
  EXPECT_TRUE(static_cast<TCustomOption*>(option)->GetVisible());
}

TEST(OptionGroups, OptionsJoinTheCurrentGroupWithItsEnabledState) {
  TOptionStore store;
  TStringOption* before = store.CreateStringOption(L"", L"Before", L"", 0);
  EXPECT_EQ(before->GetGroupID(), -1);
  EXPECT_TRUE(before->GetEnabled());

  TOptionGroup* first = store.NewGroup(L"First", L"", 0, 0);
  TStringOption* a = store.CreateStringOption(L"", L"A", L"", 0);
  TStringOption* b = store.CreateStringOption(L"", L"B", L"", 0);
  TOptionGroup* second = store.NewGroup(L"Second", L"", 0, 0);
  second->SetEnabled(false);
  TStringOption* c = store.CreateStringOption(L"", L"C", L"", 0);
  EXPECT_EQ(a->GetGroupID(), first->GetID());
  EXPECT_EQ(c->GetGroupID(), second->GetID());
  EXPECT_FALSE(c->GetEnabled());  // copied from the group at creation

  first->SetEnabled(false);
  EXPECT_FALSE(a->GetEnabled());
  EXPECT_FALSE(b->GetEnabled());
  EXPECT_TRUE(before->GetEnabled());

  // Setting the value the group already has touches no option.
  a->SetEnabled(true);
  first->SetEnabled(false);
  EXPECT_TRUE(a->GetEnabled());
  first->SetEnabled(true);
  EXPECT_TRUE(a->GetEnabled());
  EXPECT_TRUE(b->GetEnabled());
  EXPECT_FALSE(c->GetEnabled());
}

TEST(OptionGroups, ChangedMarkCountsVisibleOptionsOnly) {
  TOptionStore store;
  TOptionGroup* group = store.NewGroup(L"G", L"", 0, 0);
  TBooleanOption* flag = store.CreateBooleanOption(false, L"Flag", L"", 0);
  EXPECT_FALSE(group->AnyValueOrInheritChangedFromDefaultUI());
  flag->SetValue(true);
  EXPECT_TRUE(group->AnyValueOrInheritChangedFromDefaultUI());
  flag->SetVisible(false);
  EXPECT_FALSE(group->AnyValueOrInheritChangedFromDefaultUI());
}

TEST(OptionGroupList, NextIdAndReplacement) {
  TOptionGroupList list(nullptr);
  EXPECT_EQ(list.NextGroupID(), 0);
  EXPECT_EQ(list.GetCurrentGroupID(), -1);
  EXPECT_TRUE(list.CurrentGroupEnabled());
  list.NewGroup(L"a", L"", 0, 0);
  TOptionGroup* b = list.NewGroup(L"b", L"", 0, 0);
  EXPECT_EQ(list.NextGroupID(), 2);
  list.PutItem(1, std::make_unique<TOptionGroup>(9, L"z", L"", 0, 0, nullptr));
  EXPECT_EQ(list.GetItem(1)->GetName(), L"z");
  EXPECT_EQ(list.GetCurrentGroup(), nullptr);  // the replaced group was current
  EXPECT_EQ(list.NextGroupID(), 10);
  (void)b;
  list.Clear();
  EXPECT_EQ(list.Count(), 0);
  EXPECT_EQ(list.GetCurrentGroupID(), -1);
}

TEST(OptionStore, NotificationsGoThroughTheStore) {
  TOptionStore store;
  std::vector<std::wstring> calls;
  store.InstallValueModifiedHandler([&](TCustomOptionStore* sender) {
    EXPECT_EQ(sender, &store);
    calls.push_back(L"internal");
  });
  store.SetOnValueModified([&](TCustomInheritingOption* option) { calls.push_back(option->GetName()); });
  TIntegerOption* number = store.CreateIntegerOption(1, L"Number", L"", 0);
  number->SetValue(2);
  EXPECT_EQ(calls, (std::vector<std::wstring>{L"internal", L"Number"}));

  // Reading from storage notifies for every option whose value changed.
  calls.clear();
  MemoryStorage storage;
  storage.Set(L"S", L"Number", L"8");
  store.ReadFromStorage(storage, L"S");
  EXPECT_EQ(calls, (std::vector<std::wstring>{L"internal", L"Number", L"internal", L"Number"}));  // reset, then 8
  EXPECT_EQ(number->GetValue(), 8);

  calls.clear();
  store.SetIgnoreOptionModifiedEvent(true);
  number->SetValue(3);
  store.SetIgnoreOptionModifiedEvent(false);
  EXPECT_TRUE(calls.empty());
}

TEST(OptionStore, LoadDefaultValuesRestoresSilently) {
  TOptionStore store;
  int notifications = 0;
  store.InstallValueModifiedHandler([&](TCustomOptionStore*) { ++notifications; });
  store.SetOnValueModified([&](TCustomInheritingOption*) { ++notifications; });
  TStringOption* text = store.CreateStringOption(L"a", L"T", L"", 0);
  TIntegerOption* number = store.CreateIntegerOption(1, L"N", L"", 0);
  TBooleanOption* flag = store.CreateBooleanOption(false, L"B", L"", 0);
  text->SetValue(L"b");
  number->SetValue(5);
  flag->SetValue(true);
  notifications = 0;
  store.LoadDefaultValues();
  EXPECT_EQ(notifications, 0);
  EXPECT_EQ(text->GetValue(), L"a");
  EXPECT_EQ(number->GetValue(), 1);
  EXPECT_FALSE(flag->GetValue());
  EXPECT_TRUE(text->GetValueModified());  // the options still mark themselves
  EXPECT_FALSE(store.GetIgnoreOptionModifiedEvent());
  number->SetValue(6);
  EXPECT_EQ(notifications, 2);
}

TEST(OptionStore, LoadDefaultValuesClearsTheFlagWhenAnOptionRaises) {
  TOptionStore store;
  TIntegerOption* number = store.CreateIntegerOption(1, L"N", L"", 0);
  number->SetValue(2);
  number->SetOnValueModified([](TCustomInheritingOption*) { throw std::runtime_error("boom"); });
  EXPECT_THROW(store.LoadDefaultValues(), std::runtime_error);
  EXPECT_FALSE(store.GetIgnoreOptionModifiedEvent());
}

TEST(OptionStore, WriteDeletesDefaultsUnlessStoringThem) {
  TOptionStore store;
  store.CreateStringOption(L"a", L"Text", L"", 0);
  TIntegerOption* number = store.CreateIntegerOption(1, L"Number", L"", 0);
  TBooleanOption* always = store.CreateBooleanOption(false, L"Always", L"", 0);
  TBooleanOption* never = store.CreateBooleanOption(false, L"Never", L"", 0);
  always->SetStoreDefaultValue(true);
  never->SetStorageFlags(TOptionStorageFlags{sfLoad});
  never->SetValue(true);
  number->SetValue(2);

  MemoryStorage storage;
  store.WriteToStorage(storage, L"General");
  EXPECT_EQ(storage.values.size(), 2u);
  EXPECT_EQ(storage.Get(L"General", L"Number"), L"2");
  EXPECT_EQ(storage.Get(L"General", L"Always"), L"0");
  EXPECT_EQ(storage.deleted, (std::vector<std::wstring>{L"General\nText"}));

  storage = MemoryStorage();
  store.SetStoreDefaultValues(true);
  store.WriteToStorage(storage, L"General");
  EXPECT_EQ(storage.values.size(), 3u);  // every option that may be saved
  EXPECT_EQ(storage.Get(L"General", L"Text"), L"a");
  EXPECT_FALSE(storage.Has(L"General", L"Never"));
  EXPECT_TRUE(storage.deleted.empty());
}

TEST(OptionStore, OneFailingOptionDoesNotStopTheOthers) {
  TOptionStore store;
  TIntegerOption* a = store.CreateIntegerOption(0, L"A", L"", 0);
  TIntegerOption* bad = store.CreateIntegerOption(0, L"Bad", L"", 0);
  TIntegerOption* c = store.CreateIntegerOption(0, L"C", L"", 0);
  TIntegerOption* skipped = store.CreateIntegerOption(0, L"Skipped", L"", 0);
  skipped->SetStorageFlags(TOptionStorageFlags{sfSave});
  bad->SetValue(9);

  MemoryStorage storage;
  storage.Set(L"S", L"A", L"1");
  storage.Set(L"S", L"Bad", L"2");
  storage.Set(L"S", L"C", L"3");
  storage.Set(L"S", L"Skipped", L"4");
  storage.failingKeys.insert(L"Bad");
  store.ReadFromStorage(storage, L"S");
  EXPECT_EQ(a->GetValue(), 1);
  EXPECT_EQ(bad->GetValue(), 0);  // it had reached its default when the read failed
  EXPECT_EQ(c->GetValue(), 3);
  EXPECT_EQ(skipped->GetValue(), 0);

  a->SetValue(5);
  bad->SetValue(6);
  c->SetValue(7);
  storage.values.clear();
  store.WriteToStorage(storage, L"S");
  EXPECT_EQ(storage.Get(L"S", L"A"), L"5");
  EXPECT_EQ(storage.Get(L"S", L"C"), L"7");
  EXPECT_FALSE(storage.Has(L"S", L"Bad"));

  // A failing DeleteKey is not the option's error: it reaches the caller.
  storage.failDelete = true;
  a->SetValue(0);
  EXPECT_THROW(store.WriteToStorage(storage, L"S"), std::runtime_error);
}

TEST(OptionStore, ReportListsOwnValuesThatDiffer) {
  TOptionStore store;
  TIntegerOption* state = store.CreateIntegerOption(2, L"CopyPathState", L"", 0);
  state->AddValueString(0, L"Don't show", L"hide");
  state->AddValueString(1, L"Show always", L"show");
  state->AddValueString(2, L"Show only when Shift key is down", L"extended");
  TBooleanOption* hidden = store.CreateBooleanOption(false, L"Hidden", L"", 0);
  TStringOption* parent = store.CreateStringOption(L"p", L"Parent", L"", 0);
  TInheritingStringOption* child = store.CreateInheritingStringOption(parent, false, L"c", L"Child", L"", 0);
  hidden->SetVisible(false);
  hidden->SetValue(true);
  child->SetInheritValue(true);  // a changed inherit flag alone does not count

  EXPECT_EQ(store.GetVisibleNonDefaultOptionsAsText(false), L"");
  EXPECT_EQ(store.GetVisibleNonDefaultOptionsAsText(true), L"Hidden=Yes\r\n");
  state->SetValue(1);
  EXPECT_EQ(store.GetVisibleNonDefaultOptionsAsText(true), L"CopyPathState=Show always\r\nHidden=Yes\r\n");
}

TEST(OptionStore, EnumerationLookupsAndSorting) {
  TOptionStore store;
  EXPECT_FALSE(store.EnumOptions([](TCustomInheritingOption*, bool&) {}));
  store.CreateStringOption(L"", L"beta", L"", 0);
  store.CreateStringOption(L"", L"Alpha", L"", 0);
  store.CreateStringOption(L"", L"gamma", L"", 0);
  std::vector<std::wstring> seen;
  EXPECT_TRUE(store.EnumOptions([&](TCustomInheritingOption* o, bool& stop) {
    EXPECT_FALSE(stop);  // cleared before each call
    seen.push_back(o->GetName());
    stop = o->GetName() == L"Alpha";
  }));
  EXPECT_EQ(seen, (std::vector<std::wstring>{L"beta", L"Alpha"}));

  store.SortByName();
  EXPECT_EQ(store.GetItem(0)->GetName(), L"Alpha");
  EXPECT_EQ(store.GetItem(1)->GetName(), L"beta");
  EXPECT_EQ(store.GetItem(2)->GetName(), L"gamma");
  EXPECT_EQ(store.GetItem(3), nullptr);
  EXPECT_EQ(store.GetItem(-1), nullptr);

  store.Clear();
  EXPECT_EQ(store.GetOptionCount(), 0);
}

TEST(OptionStore, HelpTextHandlerReachesExistingAndNewOptions) {
  TOptionStore store;
  TStringOption* early = store.CreateStringOption(L"", L"Early", L"", 0);
  store.SetOnHelpText([](TCustomInheritingOption* o, std::wstring& text) { text = o->GetName() + L"!"; });
  TStringOption* late = store.CreateStringOption(L"", L"Late", L"", 0);
  EXPECT_EQ(early->GetHelpText(), L"Early!");
  EXPECT_EQ(late->GetHelpText(), L"Late!");
}

TEST(RecentFiles, AddMovesOrInsertsAndTrims) {
  TRecentFilesList list;
  for (const wchar_t* f : {L"e", L"d", L"c", L"b", L"a"}) list.Add(f);
  EXPECT_EQ(list.GetCount(), 5);
  EXPECT_EQ(list.GetMostRecentFile(), L"a");
  list.Add(L"C");  // already at index 2, other case
  EXPECT_EQ(list.GetCount(), 5);
  EXPECT_EQ(list.GetItem(0), L"c");
  EXPECT_EQ(list.GetItem(1), L"a");
  EXPECT_EQ(list.GetItem(2), L"b");
  list.Add(L"c");  // already at the top: nothing
  EXPECT_EQ(list.GetItem(1), L"a");
  list.Add(L"f");  // a sixth file drops the oldest
  EXPECT_EQ(list.GetCount(), 5);
  EXPECT_EQ(list.GetItem(0), L"f");
  EXPECT_EQ(list.GetItem(4), L"d");
  EXPECT_EQ(list.IndexOf(L"e"), -1);
  EXPECT_EQ(list.GetItem(5), L"");

  list.SetMaxCount(0);  // ignored
  EXPECT_EQ(list.GetMaxCount(), 5);
  list.SetMaxCount(2);
  EXPECT_EQ(list.GetCount(), 2);
  list.AddNoCheck(L"f");  // no duplicate check, no trimming
  EXPECT_EQ(list.GetCount(), 3);
  list.Delete(7);
  list.Delete(0);
  EXPECT_EQ(list.GetMostRecentFile(), L"c");
  list.Clear();
  EXPECT_EQ(list.GetMostRecentFile(), L"");
}

TEST(RecentFiles, IgnoresCaseBeyondAscii) {
  TRecentFilesList list;
  list.Add(L"C:\\\u00C4rger.txt");
  list.Add(L"x");
  list.Add(L"c:\\\u00E4RGER.TXT");
  EXPECT_EQ(list.GetCount(), 2);
  EXPECT_EQ(list.GetItem(0), L"C:\\\u00C4rger.txt");
}

TEST(RecentFiles, StorageRoundTripAppendsWithoutTrimming) {
  TRecentFilesList list;
  list.AddNoCheck(L"one");
  list.AddNoCheck(L"two");
  MemoryStorage storage;
  list.WriteToStorage(storage, L"RecentFiles");
  EXPECT_EQ(storage.Get(L"RecentFiles", L"Count"), L"2");
  EXPECT_EQ(storage.Get(L"RecentFiles", L"0"), L"one");
  EXPECT_EQ(storage.Get(L"RecentFiles", L"1"), L"two");

  storage.Set(L"RecentFiles", L"Count", L"7");
  storage.Set(L"RecentFiles", L"3", L"four");
  TRecentFilesList read;
  read.SetMaxCount(1);
  read.AddNoCheck(L"kept");
  read.ReadFromStorage(storage, L"RecentFiles");
  EXPECT_EQ(read.GetCount(), 4);  // kept, one, two, four: empty entries skipped, no trimming
  EXPECT_EQ(read.GetItem(3), L"four");
}

TEST(RecentFiles, HugeCountIsBounded) {
  MemoryStorage storage;
  storage.Set(L"RecentFiles", L"Count", L"2147483647");
  storage.Set(L"RecentFiles", L"0", L"a");
  TRecentFilesList list;
  list.ReadFromStorage(storage, L"RecentFiles");  // returns at once instead of two billion reads
  EXPECT_EQ(list.GetCount(), 1);
}

TEST(RecentFiles, RemoveInaccessibleFiles) {
  test::TempFolder folder;
  std::wstring present = folder.file(L"present.txt", "x");
  std::wstring dir = folder.dir(L"sub");
  TRecentFilesList list;
  list.AddNoCheck(folder.path() + L"missing.txt");
  list.AddNoCheck(present);
  list.AddNoCheck(dir);
  list.AddNoCheck(folder.path() + L"gone.txt");
  list.RemoveInaccessibleFiles();
  ASSERT_EQ(list.GetCount(), 1);
  EXPECT_EQ(list.GetItem(0), present);
}

class SampleProgramOptions : public TProgramOptions {
public:
  SampleProgramOptions() {
    GetOptionStore().NewGroup(L"Main", L"Main", 0, 0);
    number = GetOptionStore().CreateIntegerOption(1, L"Number", L"", 0);
  }
  void Load() override {}
  void Save() override {}
  TIntegerOption* number;
};

TEST(ProgramOptions, SectionsAndDefaults) {
  SampleProgramOptions options;
  options.number->SetValue(4);
  options.GetRecentlyUsedFiles().Add(L"file.txt");
  MemoryStorage storage;
  options.WriteToStorage(storage, L"General");
  EXPECT_EQ(storage.Get(L"General", L"Number"), L"4");
  EXPECT_EQ(storage.Get(L"RecentFiles", L"Count"), L"1");
  EXPECT_EQ(storage.Get(L"RecentFiles", L"0"), L"file.txt");
  EXPECT_EQ(options.GetVisibleChangedOptionsAsText(false), L"Number=4\r\n");

  options.LoadDefaults();
  EXPECT_EQ(options.number->GetValue(), 1);
  EXPECT_EQ(options.GetRecentlyUsedFiles().GetCount(), 0);

  options.ReadFromStorage(storage, L"General");
  EXPECT_EQ(options.number->GetValue(), 4);
  EXPECT_EQ(options.GetRecentlyUsedFiles().GetMostRecentFile(), L"file.txt");
}

}  // namespace
}  // namespace tessera
