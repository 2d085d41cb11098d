// Sizes, ages, colours, sets, fonts and combining texts.
#include <gtest/gtest.h>

#include "MemoryStorage.h"
#include "base/Error.h"
#include "settings/OptionStore.h"

namespace tessera {
namespace {

using test::MemoryStorage;
using test::ModifiedCounter;

TEST(SizeOption, ParsesAndCanonicalises) {
  struct Case {
    const wchar_t* input;
    const wchar_t* stored;
    long long bytes;
  } cases[] = {
      {L"1kib", L"1KiB", 1024},
      {L"10MB", L"10MB", 10000000},
      {L"007b", L"7B", 7},
      {L"2TiB", L"2TiB", 2199023255552LL},
      {L"3gb", L"3GB", 3000000000LL},
      {L"10 MB", L"", -1},  // a blank belongs to the unit part
      {L"10", L"", -1},     // no unit
      {L"MB", L"", -1},     // no number
      {L"10XB", L"", -1},   // unrecognised unit
      {L"99999999999999999999B", L"", -1},
      {L"9999999999999TiB", L"9999999999999TiB", 9223372036854775807LL},  // too many bytes: the largest value
  };
  for (const Case& c : cases) {
    TSizeOption option(L"", L"Size", L"", 0);
    option.SetValue(c.input);
    EXPECT_EQ(option.GetValue(), c.stored) << c.input;
    EXPECT_EQ(option.GetValueAsBytes(), c.bytes) << c.input;
    EXPECT_EQ(option.ValueAssigned(), c.bytes != -1) << c.input;
  }
  TSizeOption flags(L"5MB", L"S", L"", 0);
  EXPECT_EQ(flags.GetFlags(), (TOptionFlags{flReadOnlyEdit, flShowEditButton, flSpaceShowsPopup}));
  EXPECT_EQ(flags.GetValueAsBytes(), 5000000);
  flags.SetAllowEmpty(false);
  flags.SetValue(L"junk");  // invalid gives empty text, and empty is not allowed here
  EXPECT_EQ(flags.GetValue(), L"5MB");
}

TEST(AgeOption, ParsesAndCountsSeconds) {
  struct Case {
    const wchar_t* input;
    const wchar_t* stored;
    long long seconds;
  } cases[] = {
      {L"2wk", L"2wk", 1209600}, {L"1yr", L"1yr", 31104000}, {L"1MO", L"1mo", 2592000}, {L"90min", L"90min", 5400},
      {L"3d", L"3d", 259200},    {L"5s", L"5s", 5},          {L"1HR", L"1hr", 3600},    {L"3 d", L"", -1},
      {L"3days", L"", -1},       {L"d", L"", -1},
  };
  for (const Case& c : cases) {
    TAgeOption option(L"", L"Age", L"", 0);
    option.SetValue(c.input);
    EXPECT_EQ(option.GetValue(), c.stored) << c.input;
    EXPECT_EQ(option.GetValueAsSeconds(), c.seconds) << c.input;
  }
  EXPECT_EQ(AgeUnits[3].ID, std::wstring(L"d"));
  EXPECT_EQ(AgeUnits[6].Caption, std::wstring(L"years (yr)"));
}

TEST(SizeOption, InheritsAndStoresAsText) {
  TSizeOption parent(L"1GB", L"P", L"", 0);
  TInheritingSizeOption child(&parent, true, L"", L"C", L"", 0);
  EXPECT_EQ(child.GetValueAsBytes(), 1000000000);
  MemoryStorage storage;
  child.WriteToStorage(storage, L"S");
  EXPECT_EQ(storage.Get(L"S", L"C"), L"@inherit@");
  child.SetValueAsText(L"4kb");
  EXPECT_EQ(child.GetValue(), L"4KB");
  child.WriteToStorage(storage, L"S");
  EXPECT_EQ(storage.Get(L"S", L"C"), L"4KB");
}

TEST(ColorOption, NamesValueStringsAndFallback) {
  TColorOption option(0x0000FF, L"Color", L"", 0);
  EXPECT_EQ(option.GetFlags(), TOptionFlags{flShowEditButton});
  EXPECT_EQ(option.GetVisualControlType(), vcColorBox);
  EXPECT_EQ(option.GetValueStringVisualControlType(), vcColorBox);
  EXPECT_EQ(option.GetValueAsText(), L"Red");
  EXPECT_EQ(option.GetSyntax(), L"");
  EXPECT_EQ(option.GetValueStrings().size(), 0u);  // filled on first use
  ASSERT_EQ(option.ValueStringsCount(), 50);
  EXPECT_EQ(option.ValueStringsCount(), 50);  // only once
  EXPECT_EQ(option.ValueString(0, L""), L"Black");
  EXPECT_EQ(option.ValueStringDefaultIndex(), 9);
  EXPECT_EQ(option.ValueString(9, L" *"), L"Red *");
  EXPECT_EQ(option.GetValueStrings()[16].Value, 0xC0DCC0);
  EXPECT_EQ(option.GetValueStrings()[20].Value, static_cast<int>(0xFF00000Au));  // first system colour: index 10
  EXPECT_EQ(option.GetValueStrings()[49].Value, static_cast<int>(0xFF000008u));
  option.SetValueFromValueString(24);
  EXPECT_EQ(option.GetValue(), static_cast<int>(0xFF00000Fu));

  struct Case {
    const wchar_t* text;
    int expected;
  } cases[] = {
      {L"lime", 0x00FF00},       {L"BUTTONFACE", static_cast<int>(0xFF00000Fu)},
      {L"0x00123456", 0x123456}, {L"$ABCDEF", 0xABCDEF},
      {L"255", 255},             {L"no colour", 0x0000FF},
      {L"", 0x0000FF},
  };
  for (const Case& c : cases) {
    option.SetValue(0);
    option.SetValueAsText(c.text);
    EXPECT_EQ(option.GetValue(), c.expected) << c.text;
  }
  option.SetValue(0x123456);
  EXPECT_EQ(option.GetValueAsText(), L"0x00123456");
  option.SetValueAsText(option.GetValueAsText());
  EXPECT_EQ(option.GetValue(), 0x123456);

  MemoryStorage storage;
  option.WriteToStorage(storage, L"S");
  EXPECT_EQ(storage.Get(L"S", L"Color"), L"1193046");
}

TEST(SetOption, TextInputKeepsValidMembers) {
  TSetOption option(TSetOptionValue(), {L"A", L"B"}, L"Set", L"", 0);
  option.SetValueAsText(L"a;C;,b");
  EXPECT_EQ(option.GetValue().Members(), (std::vector<std::wstring>{L"a", L"b"}));
  EXPECT_EQ(option.GetFlags(), (TOptionFlags{flReadOnlyEdit, flValueStringsOnly, flSpaceShowsPopup}));
  EXPECT_EQ(option.GetValueStringVisualControlType(), vcCheckBox);
  EXPECT_TRUE(option.GetValueStringClickKeepsPopupOpen());

  TSetOption any(TSetOptionValue(), {}, L"Any", L"", 0);
  any.SetValueAsText(L";x,,y;");
  EXPECT_EQ(any.GetValue().Members(), (std::vector<std::wstring>{L"x", L"y"}));
}

TEST(SetOption, PopupClicksToggleMembers) {
  TSetOption option(TSetOptionValue({L"jpg", L"png"}), {}, L"Types", L"", 0);
  option.AddValueString(L"jpg", L"JPEG");
  option.AddValueString(L"png", L"PNG");
  option.AddValueString(L"gif", L"GIF");
  EXPECT_EQ(option.GetSyntax(), L"jpg,png,gif");
  EXPECT_EQ(option.GetValueAsText(), L"[JPEG, PNG]");
  EXPECT_EQ(option.ValueString(0, L" *"), L"JPEG *");
  EXPECT_EQ(option.ValueString(2, L" *"), L"GIF");
  EXPECT_EQ(option.ValueStringSelectedIndex(), -1);
  EXPECT_EQ(option.ValueStringDefaultIndex(), -1);

  option.SetValueFromValueString(0);  // contained at the front: removed
  EXPECT_EQ(option.GetValue().Members(), (std::vector<std::wstring>{L"png"}));
  option.SetValueFromValueString(0);  // appended at the end
  EXPECT_EQ(option.GetValue().Members(), (std::vector<std::wstring>{L"png", L"jpg"}));
  EXPECT_FALSE(option.ValueChangedFromDefault(false));  // order does not matter
  option.SetValueFromValueString(2);
  EXPECT_TRUE(option.ValueChangedFromDefault(false));
  EXPECT_EQ(option.GetCommandLineParam(), L"Types=png,jpg,gif");
  EXPECT_TRUE(option.Contains(L"GIF"));
  EXPECT_EQ(option.ValueFromValueString(1), L"png");
  EXPECT_EQ(option.ValueFromValueString(3), L"");
  EXPECT_EQ(option.ValueStringFromValue(L"bmp"), L"bmp");
}

TEST(SetOption, InheritingSetSurvivesStorage) {
  TSetOption parent(TSetOptionValue({L"a"}), {}, L"P", L"", 0);
  TInheritingSetOption child(&parent, false, TSetOptionValue({L"b"}), {}, L"C", L"", 0);
  child.ToggleValue(false);  // without inherit: nothing
  EXPECT_FALSE(child.GetInheritValue());
  child.ToggleValue(true);
  EXPECT_TRUE(child.GetInheritValue());
  EXPECT_EQ(child.GetValueAsText(), L"[a]");

  MemoryStorage storage;
  child.WriteToStorage(storage, L"S");
  EXPECT_EQ(storage.Get(L"S", L"C"), L"@inherit@");
  TInheritingSetOption read(&parent, false, TSetOptionValue({L"b"}), {}, L"C", L"", 0);
  read.ReadFromStorage(storage, L"S");
  EXPECT_TRUE(read.GetInheritValue());

  // A missing key leaves the default; an empty stored set reads back as empty.
  TInheritingSetOption missing(&parent, false, TSetOptionValue({L"b"}), {}, L"Missing", L"", 0);
  missing.ReadFromStorage(storage, L"S");
  EXPECT_EQ(missing.GetValue().Members(), (std::vector<std::wstring>{L"b"}));
  read.SetValue(TSetOptionValue());
  read.WriteToStorage(storage, L"S");
  EXPECT_EQ(storage.Get(L"S", L"C"), L"");
  read.ReadFromStorage(storage, L"S");
  EXPECT_TRUE(read.GetValue().IsEmpty());
  EXPECT_TRUE(read.ValueChangedFromDefault(false));
}

TEST(SetOptionValue, MemberOperations) {
  TSetOptionValue value({L"a", L"B"});
  EXPECT_TRUE(value.Contains(L"b"));
  EXPECT_TRUE(value.ContainsAny({L"x", L"A"}));
  EXPECT_FALSE(value.ContainsAny({L"x"}));
  value.AddMember(L"");
  value.AddMember(L"A");
  EXPECT_EQ(value.Members().size(), 2u);
  value.AddMember(L"c");
  value.RemoveMember(L"b");
  EXPECT_EQ(value.Members(), (std::vector<std::wstring>{L"a", L"c"}));
  EXPECT_TRUE(value.Equals(TSetOptionValue({L"C", L"A"}), false));
  EXPECT_FALSE(value.Equals(TSetOptionValue({L"C", L"A"}), true));
  EXPECT_FALSE(value.Equals(TSetOptionValue({L"a"}), false));
  EXPECT_TRUE(TSetOptionValue::Create().IsEmpty());
}

TEST(FontOption, StorageFormAndText) {
  TFontOption option(TFontOptionValue::Create(L"Segoe UI", false, true, 9), L"Font", L"", 0);
  EXPECT_EQ(option.GetValueAsText(), L"Segoe UI Italic, 9");
  EXPECT_EQ(option.GetSyntax(), L"Font Name;Bold;Italic;10");
  EXPECT_EQ(option.GetFlags(), (TOptionFlags{flReadOnlyEdit, flSpaceShowsPopup}));

  struct Case {
    const wchar_t* stored;
    TFontOptionValue expected;
  } cases[] = {
      {L"Arial;bold;;12", {L"Arial", 12, true, false}},
      {L"Arial", {L"Arial", 9, false, true}},  // the rest from the default
      {L"Arial;;ITALIC;x", {L"Arial", 9, false, true}},
      {L"Courier;Bold;Italic;14;extra", {L"Courier", 14, true, true}},
      {L";Bold", {L"", 9, true, true}},
  };
  for (const Case& c : cases) {
    MemoryStorage storage;
    storage.Set(L"S", L"Font", c.stored);
    option.ReadFromStorage(storage, L"S");
    EXPECT_TRUE(option.GetValue().Equals(c.expected)) << c.stored << " -> " << option.GetValueAsText();
  }

  MemoryStorage storage;
  option.SetValue(TFontOptionValue::Create(L"Consolas", true, false, 11));
  option.WriteToStorage(storage, L"S");
  EXPECT_EQ(storage.Get(L"S", L"Font"), L"Consolas;Bold;;11");
  option.ReadFromStorage(storage, L"S");
  EXPECT_EQ(option.GetValueAsText(), L"Consolas Bold, 11");
  EXPECT_TRUE(option.ValueChangedFromDefault(false));
  option.SetValue(TFontOptionValue::Create(L"segoe ui", false, true, 9));  // names compare exactly
  EXPECT_TRUE(option.ValueChangedFromDefault(false));
}

TEST(FontOption, TextFormsAreNotSupported) {
  TFontOption option(TFontOptionValue::Create(L"Arial", false, false, 10), L"Font", L"", 0);
  try {
    option.SetValueAsText(L"Arial");
    FAIL();
  } catch (const TesseraError& e) {
    EXPECT_EQ(e.message(), L"TCustomInheritingFontOption.SetValueAsText not implemented.");
  }
  try {
    option.GetCommandLineParam();
    FAIL();
  } catch (const TesseraError& e) {
    EXPECT_EQ(e.message(), L"TCustomInheritingFontOption.GetValueAsCmdLineParam.");
  }
}

TEST(CombiningStringOption, AppendsToTheParentChain) {
  struct Case {
    const wchar_t* parent;
    const wchar_t* own;
    const wchar_t* expected;
  } cases[] = {
      {L"a;b", L"c", L"a;b;c"}, {L"a;b;", L"c", L"a;b;c"}, {L"", L"c", L"c"}, {L"a;b", L"", L"a;b"},
  };
  for (const Case& c : cases) {
    TCombiningStringOption parent(nullptr, c.parent, L"P", L"", L';', 0);
    TCombiningStringOption child(&parent, c.own, L"C", L"", L';', 0);
    EXPECT_EQ(child.ParentValue(), c.parent);
    EXPECT_EQ(child.ValueCombinedWithParentValue(), c.expected) << c.parent << " + " << c.own;
    EXPECT_TRUE(child.HasFlag(flHideInheritInPopup));
    EXPECT_FALSE(child.GetInheritByDefault());
  }
  TCombiningStringOption root(nullptr, L"r", L"R", L"", L',', 0);
  TCombiningStringOption middle(&root, L"m", L"M", L"", L',', 0);
  TCombiningStringOption leaf(&middle, L"l", L"L", L"", L',', 0);
  EXPECT_EQ(root.ParentValue(), L"");
  EXPECT_EQ(leaf.ValueCombinedWithParentValue(), L"r,m,l");
  leaf.SetInheritValue(true);  // the own stored value is used whatever the flag
  EXPECT_EQ(leaf.ValueCombinedWithParentValue(), L"r,m,l");
  EXPECT_EQ(leaf.GetValue(), L"m");
}

TEST(StoreFactories, EveryKindJoinsTheStore) {
  TOptionStore store;
  store.NewGroup(L"G", L"", 0, 0);
  int modified = 0;
  store.SetOnValueModified([&](TCustomInheritingOption*) { ++modified; });
  TColorOption* color = store.CreateColorOption(0, L"Color", L"", 0);
  TSizeOption* size = store.CreateSizeOption(L"1MB", L"Size", L"", 0);
  TAgeOption* age = store.CreateAgeOption(L"1d", L"Age", L"", 0);
  TFontOption* font = store.CreateFontOption(TFontOptionValue::Create(L"Arial", false, false, 10), L"Font", L"", 0);
  TSetOption* set = store.CreateSetOption(TSetOptionValue(), {L"x"}, L"Set", L"", 0);
  TCombiningStringOption* combining = store.CreateCombiningStringOption(nullptr, L"", L"Comb", L"", L';', 0);
  store.CreateInheritingColorOption(color, true, 0, L"IColor", L"", 0);
  store.CreateInheritingSizeOption(size, true, L"", L"ISize", L"", 0);
  store.CreateInheritingAgeOption(age, true, L"", L"IAge", L"", 0);
  store.CreateInheritingFontOption(font, true, TFontOptionValue(), L"IFont", L"", 0);
  TInheritingSetOption* iset = store.CreateInheritingSetOption(set, true, TSetOptionValue(), {}, L"ISet", L"", 0);
  store.CreateCombiningStringOption(combining, L"", L"IComb", L"", L';', 0);
  EXPECT_EQ(store.GetOptionCount(), 12);
  for (int i = 0; i < store.GetOptionCount(); ++i) EXPECT_EQ(store.GetItem(i)->GetGroupID(), 0);
  set->SetValueAsText(L"x");
  iset->SetInheritValue(false);
  EXPECT_EQ(modified, 2);

  // A full write and read through the store: the font option's text forms are never needed.
  MemoryStorage storage;
  store.WriteToStorage(storage, L"S");
  EXPECT_EQ(storage.Get(L"S", L"Set"), L"x");
  EXPECT_EQ(storage.Get(L"S", L"ISet"), L"");
  TOptionStore other;
  TSetOption* set2 = other.CreateSetOption(TSetOptionValue(), {L"x"}, L"Set", L"", 0);
  other.ReadFromStorage(storage, L"S");
  EXPECT_TRUE(set2->Contains(L"x"));
}

}  // namespace
}  // namespace tessera
