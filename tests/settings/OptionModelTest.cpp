// The three basic option kinds: values, inheritance, text forms, value strings and storage.
#include <gtest/gtest.h>

#include <memory>

#include "MemoryStorage.h"
#include "settings/BooleanOption.h"
#include "settings/IntegerOption.h"
#include "settings/StringOption.h"

namespace tessera {
namespace {

using test::MemoryStorage;
using test::ModifiedCounter;

void AddItemStates(TCustomInheritingIntegerOption& option) {
  option.AddValueString(0, L"Don't show", L"hide");
  option.AddValueString(1, L"Show always", L"show");
  option.AddValueString(2, L"Show only when Shift key is down", L"extended");
}

TEST(OptionKinds, ConstructorsSetPresentationOfEachKind) {
  TStringOption text(L"  raw  ", L"Text", L"Text caption", 7);
  TIntegerOption number(3, L"Number", L"Number caption", 8);
  TBooleanOption flag(true, L"Flag", L"Flag caption", 9);

  // The default is taken as given, without trimming.
  EXPECT_EQ(text.GetValue(), L"  raw  ");
  EXPECT_EQ(text.GetDefaultValue(), L"  raw  ");
  EXPECT_EQ(text.GetHelpTextID(), 7);
  EXPECT_EQ(text.GetGroupID(), -1);
  EXPECT_TRUE(text.GetEnabled());
  EXPECT_EQ(text.GetFlags(), TOptionFlags{});
  EXPECT_EQ(text.GetVisualControlType(), vcNone);
  EXPECT_FALSE(text.GetHasVisualControl());
  EXPECT_EQ(text.GetStorageFlags(), (TOptionStorageFlags{sfSave, sfLoad}));
  EXPECT_FALSE(text.GetValueModified());

  EXPECT_EQ(number.GetFlags(), TOptionFlags{flValueStringsOnly});  // no value strings yet: no read-only edit
  EXPECT_EQ(number.GetValueStringVisualControlType(), vcRadioButton);
  AddItemStates(number);
  EXPECT_EQ(number.GetFlags(), (TOptionFlags{flValueStringsOnly, flReadOnlyEdit}));

  EXPECT_EQ(flag.GetFlags(), TOptionFlags{flReadOnlyEdit});
  EXPECT_EQ(flag.GetVisualControlType(), vcCheckBox);
  EXPECT_TRUE(flag.GetHasVisualControl());
  EXPECT_TRUE(flag.GetVisualControlChecked());
  EXPECT_EQ(flag.GetSyntax(), L"Yes|No");
  EXPECT_EQ(flag.ValueStringsCount(), 2);
}

TEST(OptionKinds, InheritTextWithoutParentChangesNothing) {
  TStringOption text(L"a", L"T", L"", 0);
  TIntegerOption number(1, L"N", L"", 0);
  TBooleanOption flag(false, L"B", L"", 0);
  ModifiedCounter c1, c2, c3;
  c1.Attach(text);
  c2.Attach(number);
  c3.Attach(flag);
  for (const wchar_t* word : {L"inherit", L"INHERIT", L"InHeRiT"}) {
    text.SetValueAsText(word);
    number.SetValueAsText(word);
    flag.SetValueAsText(word);
  }
  EXPECT_FALSE(text.GetInheritValue());
  EXPECT_FALSE(number.GetInheritValue());
  EXPECT_FALSE(flag.GetInheritValue());
  EXPECT_EQ(text.GetValue(), L"a");  // "inherit" is not taken as a text value either
  EXPECT_EQ(c1.count + c2.count + c3.count, 0);
}

TEST(OptionKinds, InheritTextWithParentSetsFlagAndNotifiesOnce) {
  TStringOption parentText(L"p", L"P", L"", 0);
  TIntegerOption parentNumber(5, L"PN", L"", 0);
  TBooleanOption parentFlag(true, L"PB", L"", 0);
  TInheritingStringOption text(&parentText, false, L"own", L"T", L"", 0);
  TInheritingIntegerOption number(&parentNumber, false, 1, L"N", L"", 0);
  TInheritingBooleanOption flag(&parentFlag, false, false, L"B", L"", 0);
  ModifiedCounter c1, c2, c3;
  c1.Attach(text);
  c2.Attach(number);
  c3.Attach(flag);

  text.SetValueAsText(L"INHERIT");
  number.SetValueAsText(L"Inherit");
  flag.SetValueAsText(L"inherit");
  text.SetValueAsText(L"inherit");  // already inheriting: no second notification
  EXPECT_EQ(c1.count, 1);
  EXPECT_EQ(c2.count, 1);
  EXPECT_EQ(c3.count, 1);
  EXPECT_EQ(text.GetValue(), L"p");
  EXPECT_EQ(number.GetValue(), 5);
  EXPECT_TRUE(flag.GetValue());
  EXPECT_TRUE(text.GetValueModified());
  // While inheriting the value cannot be typed.
  EXPECT_TRUE(text.HasFlag(flReadOnlyEdit));
  EXPECT_EQ(text.GetValueAsTextWithInherit(), L"Inherit (p)");
  EXPECT_EQ(flag.GetValueAsTextWithInherit(), L"Inherit (Yes)");
}

TEST(OptionKinds, AssigningTheCurrentValueEndsInheritance) {
  TStringOption parent(L"p", L"P", L"", 0);
  TInheritingStringOption child(&parent, true, L"own", L"C", L"", 0);
  ModifiedCounter counter;
  counter.Attach(child);
  ASSERT_TRUE(child.GetInheritValue());

  child.SetValue(L"own");  // same own value, but inheritance ends
  EXPECT_FALSE(child.GetInheritValue());
  EXPECT_EQ(counter.count, 1);
  child.SetValue(L"own");
  EXPECT_EQ(counter.count, 1);
  EXPECT_EQ(child.GetValue(), L"own");
}

TEST(OptionKinds, ParentChainResolvesToFirstNonInheritingOption) {
  TIntegerOption root(10, L"R", L"", 0);
  TInheritingIntegerOption middle(&root, true, 20, L"M", L"", 0);
  TInheritingIntegerOption leaf(&middle, true, 30, L"L", L"", 0);
  EXPECT_EQ(leaf.GetValue(), 10);
  middle.SetValue(21);
  EXPECT_EQ(leaf.GetValue(), 21);
  EXPECT_FALSE(leaf.ValueChangedFromDefault(false));
  EXPECT_TRUE(leaf.ValueChangedFromDefault(true));
  EXPECT_FALSE(leaf.GetValueOrInheritChangedFromDefault());
  EXPECT_TRUE(leaf.GetValueOrInheritChangedFromDefaultUI());

  // The inherit flag without a parent reports the own value.
  TInheritingIntegerOption orphan(nullptr, true, 4, L"O", L"", 0);
  EXPECT_TRUE(orphan.GetInheritValue());
  EXPECT_EQ(orphan.GetValue(), 4);
}

TEST(StringOption, SetValueTrimsFallsBackAndCuts) {
  struct Case {
    bool autoTrim, allowEmpty;
    int maxLength;
    const wchar_t* input;
    const wchar_t* expected;
  } cases[] = {
      {true, false, 0, L"   \t ", L"default"},     // blanks only, empty not allowed: the default
      {true, true, 0, L"   \t ", L""},            // empty allowed
      {true, true, 0, L"\t a b \r\n", L"a b"},    // control characters count as blanks
      {false, true, 0, L"  a  ", L"  a  "},       // no trimming
      {true, true, 3, L" abcdef ", L"abc"},       // trimmed, then cut
      {false, false, 0, L"", L"default"},
      {true, false, 2, L"  ", L"de"},             // the default is cut as well
  };
  for (const Case& c : cases) {
    TStringOption option(L"default", L"S", L"", 0);
    option.SetAutoTrim(c.autoTrim);
    option.SetAllowEmpty(c.allowEmpty);
    option.SetMaxLength(c.maxLength);
    option.SetValue(c.input);
    EXPECT_EQ(option.GetValue(), c.expected) << "input [" << c.input << "]";
  }
}

TEST(StringOption, ValueIsComparedCaseSensitively) {
  TStringOption option(L"abc", L"S", L"", 0);
  ModifiedCounter counter;
  counter.Attach(option);
  option.SetValue(L"ABC");
  EXPECT_EQ(counter.count, 1);
  EXPECT_TRUE(option.ValueChangedFromDefault(false));
  EXPECT_TRUE(option.GetValuePresent());
  option.SetValue(L"   ");
  EXPECT_FALSE(option.GetValuePresent());
}

TEST(IntegerOption, SetValueAsTextAcceptsNamesAndNumbersOnly) {
  struct Case {
    const wchar_t* text;
    int expected;
  } cases[] = {
      {L"show", 1}, {L"EXTENDED", 2}, {L"hide", 0}, {L"Show always", 7}, {L"12abc", 7}, {L"", 7},
      {L"42", 42},  {L"-3", -3},      {L"+5", 5},   {L" 5", 7},          {L"0x10", 7}, {L"99999999999", 7},
  };
  for (const Case& c : cases) {
    TIntegerOption option(7, L"State", L"", 0);
    AddItemStates(option);
    option.SetValue(0);
    option.SetValueAsText(c.text);
    EXPECT_EQ(option.GetValue(), c.expected) << c.text;
  }
}

TEST(IntegerOption, BoundsClampOnlyWhereSet) {
  struct Case {
    int minValue, maxValue, input, expected;
  } cases[] = {
      {0, 0, -50, -50}, {1, 0, -50, 1}, {0, 10, 50, 10}, {-5, 5, -9, -5}, {-5, 5, 3, 3}, {0, 10, -7, -7},
  };
  for (const Case& c : cases) {
    TIntegerOption option(0, L"N", L"", 0);
    option.SetMinValue(c.minValue);
    option.SetMaxValue(c.maxValue);
    option.SetValue(c.input);
    EXPECT_EQ(option.GetValue(), c.expected) << c.minValue << ".." << c.maxValue << " " << c.input;
  }
}

TEST(IntegerOption, TextFormsFollowTheValueStrings) {
  TIntegerOption option(1, L"CopyPathState", L"Copy path", 0);
  AddItemStates(option);
  EXPECT_EQ(option.GetSyntax(), L"hide|show|extended");
  EXPECT_EQ(option.GetValueAsText(), L"Show always");
  EXPECT_EQ(option.GetCommandLineParam(), L"CopyPathState=show");
  option.SetValue(9);  // matches no entry
  EXPECT_EQ(option.GetValueAsText(), L"9");
  EXPECT_EQ(option.GetCommandLineParam(), L"CopyPathState=9");
  option.SetValue(2);
  option.RemoveOptionListFlags(TOptionFlags{flValueStringsOnly});
  EXPECT_EQ(option.GetValueAsText(), L"2");
  EXPECT_EQ(option.GetValueStringVisualControlType(), vcNone);

  TIntegerOption plain(5, L"Plain", L"", 0);
  EXPECT_EQ(plain.GetSyntax(), L"");
  EXPECT_EQ(plain.GetValueAsText(), L"5");
}

TEST(IntegerOption, ValueStringsIndexesAndMarker) {
  TIntegerOption option(2, L"S", L"", 0);
  AddItemStates(option);
  option.SetValue(1);
  EXPECT_EQ(option.ValueStringDefaultIndex(), 2);
  EXPECT_EQ(option.ValueStringSelectedIndex(), 1);
  EXPECT_EQ(option.ValueString(2, L" (default)"), L"Show only when Shift key is down (default)");
  EXPECT_EQ(option.ValueString(1, L" (default)"), L"Show always");
  EXPECT_EQ(option.ValueString(3, L" (default)"), L"");
  EXPECT_EQ(option.ValueString(-1, L""), L"");
  EXPECT_EQ(option.ValueFromValueStringIndex(0), 0);
  EXPECT_EQ(option.ValueFromValueStringIndex(5), 2);  // invalid: the default
  EXPECT_EQ(option.ValueStringFromValue(0), L"Don't show");
  option.SetValueFromValueString(7);  // ignored
  EXPECT_EQ(option.GetValue(), 1);
  option.SetValueFromValueString(0);
  EXPECT_EQ(option.GetValue(), 0);

  // No marker while the option inherits by default.
  TIntegerOption parent(0, L"P", L"", 0);
  TInheritingIntegerOption child(&parent, true, 2, L"C", L"", 0);
  AddItemStates(child);
  EXPECT_EQ(child.ValueString(2, L" (default)"), L"Show only when Shift key is down");
}

TEST(OptionKinds, ToggleValueCyclesThroughChoices) {
  TIntegerOption option(0, L"S", L"", 0);
  AddItemStates(option);
  option.SetValue(17);  // matches none: counts as entry 0, so entry 1 comes next
  option.ToggleValue(false);
  EXPECT_EQ(option.GetValue(), 1);
  option.ToggleValue(false);
  EXPECT_EQ(option.GetValue(), 2);
  option.ToggleValue(true);  // no parent: wraps around, no inherit step
  EXPECT_EQ(option.GetValue(), 0);

  TIntegerOption parent(2, L"P", L"", 0);
  TInheritingIntegerOption child(&parent, false, 1, L"C", L"", 0);
  AddItemStates(child);
  child.ToggleValue(true);
  EXPECT_EQ(child.GetValue(), 2);
  child.ToggleValue(true);  // past the last entry: inherit
  EXPECT_TRUE(child.GetInheritValue());
  child.ToggleValue(true);  // from inheriting: entry 0
  EXPECT_FALSE(child.GetInheritValue());
  EXPECT_EQ(child.GetValue(), 0);

  TStringOption none(L"", L"N", L"", 0);
  ModifiedCounter counter;
  counter.Attach(none);
  none.ToggleValue(true);  // no value strings: nothing
  EXPECT_EQ(counter.count, 0);

  TBooleanOption flag(false, L"B", L"", 0);
  flag.ToggleValue();
  EXPECT_TRUE(flag.GetValue());
  flag.ToggleValue();
  EXPECT_FALSE(flag.GetValue());
  flag.VisualControlClicked();
  EXPECT_TRUE(flag.GetValue());
}

TEST(BooleanOption, ParseYesNoTable) {
  struct Case {
    const wchar_t* text;
    bool def, expected;
  } cases[] = {
      {L"yes", false, true},  {L"Y", false, true},    {L"1", false, true},   {L"TRUE", false, true},
      {L"no", true, false},   {L"n", true, false},    {L"0", true, false},   {L"False", true, false},
      {L"maybe", true, true}, {L"maybe", false, false}, {L" yes", false, false}, {L"", true, true},
  };
  for (const Case& c : cases) EXPECT_EQ(ParseYesNo(c.text, c.def), c.expected) << c.text;

  TBooleanOption option(true, L"B", L"", 0);
  option.SetValueAsText(L"NO");
  EXPECT_FALSE(option.GetValue());
  option.SetValueAsText(L"whatever");  // unparsable: the default
  EXPECT_TRUE(option.GetValue());
}

TEST(BooleanOption, ValueStringsAndSelection) {
  TBooleanOption parent(true, L"P", L"", 0);
  TInheritingBooleanOption option(&parent, false, false, L"B", L"", 0);
  EXPECT_EQ(option.ValueString(0, L"*"), L"Yes");
  EXPECT_EQ(option.ValueString(1, L"*"), L"No*");
  EXPECT_EQ(option.ValueString(2, L"*"), L"");
  EXPECT_EQ(option.ValueStringDefaultIndex(), 1);
  EXPECT_EQ(option.ValueStringSelectedIndex(), 1);
  option.SetInheritValue(true);
  EXPECT_EQ(option.ValueStringSelectedIndex(), -1);
  EXPECT_TRUE(option.GetVisualControlChecked());  // the parent's value
  option.SetValueFromValueString(0);
  EXPECT_TRUE(option.GetValue());
  EXPECT_FALSE(option.GetInheritValue());
  option.SetValueFromValueString(5);
  EXPECT_TRUE(option.GetValue());
}

TEST(OptionKinds, CommandLineForm) {
  struct Case {
    const wchar_t* value;
    const wchar_t* expected;
  } cases[] = {
      {L"plain", L"Cmd=plain"},
      {L"say \"hi\"", L"Cmd=\"say /\"hi/\"\""},
      {L"a\"b", L"Cmd=a/\"b"},
      {L"two words", L"Cmd=\"two words\""},
      {L"", L"Cmd="},
  };
  for (const Case& c : cases) {
    TStringOption option(L"", L"Cmd", L"", 0);
    option.SetValue(c.value);
    EXPECT_EQ(option.GetCommandLineParam(), c.expected) << c.value;
  }
  TBooleanOption flag(true, L"Flag", L"", 0);
  EXPECT_EQ(flag.GetCommandLineParam(), L"Flag=Y");
  flag.SetValue(false);
  EXPECT_EQ(flag.GetCommandLineParam(), L"Flag=N");

  TStringOption parent(L"x y", L"P", L"", 0);
  TInheritingStringOption child(&parent, true, L"", L"Child", L"", 0);
  EXPECT_EQ(child.GetCommandLineParam(), L"Child=inherit");
}

TEST(OptionKinds, LoadDefaultValueRestoresValueAndInheritFlag) {
  TStringOption parent(L"p", L"P", L"", 0);
  TInheritingStringOption child(&parent, true, L"d", L"C", L"", 0);
  ModifiedCounter counter;
  counter.Attach(child);
  child.LoadDefaultValue();  // already at the defaults
  EXPECT_EQ(counter.count, 0);
  child.SetValue(L"changed");
  EXPECT_EQ(counter.count, 1);
  child.LoadDefaultValue();
  EXPECT_EQ(counter.count, 2);  // value and inherit flag together: one notification
  EXPECT_TRUE(child.GetInheritValue());
  EXPECT_EQ(child.GetValue(), L"p");
  EXPECT_FALSE(child.GetValueOrInheritChangedFromDefault());
}

TEST(OptionKinds, HelpTextComesFromTheHandler) {
  TStringOption option(L"", L"Named", L"", 0);
  EXPECT_EQ(option.GetHelpText(), L"");
  option.SetOnHelpText([](TCustomInheritingOption* o, std::wstring& text) { text = L"Help for " + o->GetName(); });
  EXPECT_EQ(option.GetHelpText(), L"Help for Named");
}

TEST(OptionStorage, ReadsSpecialStoredValues) {
  struct Case {
    const wchar_t* stored;  // nullptr: key missing
    bool inheritByDefault;
    bool expectInherit;
    bool expectValue;
  } boolCases[] = {
      {L"2", false, false, true},      {L"256", false, false, false}, {L"257", false, false, true},
      {L"-1", false, true, false},     {L"0", false, false, false},   {L"junk", false, false, false},
      {nullptr, true, true, false},    {nullptr, false, false, false},
  };
  for (const Case& c : boolCases) {
    MemoryStorage storage;
    if (c.stored) storage.Set(L"General", L"B", c.stored);
    TBooleanOption parent(false, L"P", L"", 0);
    TInheritingBooleanOption option(&parent, c.inheritByDefault, false, L"B", L"", 0);
    option.ReadFromStorage(storage, L"General");
    EXPECT_EQ(option.GetInheritValue(), c.expectInherit) << (c.stored ? c.stored : L"(missing)");
    EXPECT_EQ(option.GetValue(), c.expectValue) << (c.stored ? c.stored : L"(missing)");
  }

  MemoryStorage storage;
  storage.Set(L"General", L"N", L"-2147483648");
  TIntegerOption parent(3, L"P", L"", 0);
  TInheritingIntegerOption number(&parent, false, 1, L"N", L"", 0);
  number.ReadFromStorage(storage, L"General");
  EXPECT_TRUE(number.GetInheritValue());
  EXPECT_EQ(number.GetValue(), 3);

  storage.Set(L"General", L"N", L"extended");  // a name is not a stored number: the default
  number.ReadFromStorage(storage, L"General");
  EXPECT_FALSE(number.GetInheritValue());
  EXPECT_EQ(number.GetValue(), 1);
}

TEST(OptionStorage, ReadStartsFromDefaultsAndAppliesValueRules) {
  MemoryStorage storage;
  TStringOption text(L"def", L"T", L"", 0);
  text.SetAllowEmpty(false);
  text.SetValue(L"edited");
  text.ReadFromStorage(storage, L"S");  // missing key: back to the default
  EXPECT_EQ(text.GetValue(), L"def");

  storage.Set(L"S", L"T", L"   ");  // blanks: trimmed to empty, empty not allowed
  text.ReadFromStorage(storage, L"S");
  EXPECT_EQ(text.GetValue(), L"def");

  TIntegerOption bounded(5, L"N", L"", 0);
  bounded.SetMaxValue(10);
  storage.Set(L"S", L"N", L"500");
  bounded.ReadFromStorage(storage, L"S");
  EXPECT_EQ(bounded.GetValue(), 10);
}

TEST(OptionStorage, WriteAndReadBackEachKindAndInheritState) {
  MemoryStorage storage;
  TStringOption pText(L"pt", L"PT", L"", 0);
  TIntegerOption pNumber(2, L"PN", L"", 0);
  TBooleanOption pFlag(true, L"PB", L"", 0);
  TInheritingStringOption text(&pText, false, L"", L"T", L"", 0);
  TInheritingIntegerOption number(&pNumber, false, 0, L"N", L"", 0);
  TInheritingBooleanOption flag(&pFlag, false, false, L"B", L"", 0);

  text.SetValue(L"value=with=equals");
  number.SetValue(-42);
  flag.SetValue(true);
  text.WriteToStorage(storage, L"S");
  number.WriteToStorage(storage, L"S");
  flag.WriteToStorage(storage, L"S");
  EXPECT_EQ(storage.Get(L"S", L"T"), L"value=with=equals");
  EXPECT_EQ(storage.Get(L"S", L"N"), L"-42");
  EXPECT_EQ(storage.Get(L"S", L"B"), L"1");

  TInheritingStringOption text2(&pText, false, L"", L"T", L"", 0);
  TInheritingIntegerOption number2(&pNumber, false, 0, L"N", L"", 0);
  TInheritingBooleanOption flag2(&pFlag, false, false, L"B", L"", 0);
  text2.ReadFromStorage(storage, L"S");
  number2.ReadFromStorage(storage, L"S");
  flag2.ReadFromStorage(storage, L"S");
  EXPECT_EQ(text2.GetValue(), L"value=with=equals");
  EXPECT_EQ(number2.GetValue(), -42);
  EXPECT_TRUE(flag2.GetValue());

  text.SetInheritValue(true);
  number.SetInheritValue(true);
  flag.SetInheritValue(true);
  text.WriteToStorage(storage, L"S");
  number.WriteToStorage(storage, L"S");
  flag.WriteToStorage(storage, L"S");
  EXPECT_EQ(storage.Get(L"S", L"T"), L"@inherit@");
  EXPECT_EQ(storage.Get(L"S", L"N"), L"-2147483648");
  EXPECT_EQ(storage.Get(L"S", L"B"), L"-1");
  text2.ReadFromStorage(storage, L"S");
  number2.ReadFromStorage(storage, L"S");
  flag2.ReadFromStorage(storage, L"S");
  EXPECT_TRUE(text2.GetInheritValue());
  EXPECT_TRUE(number2.GetInheritValue());
  EXPECT_TRUE(flag2.GetInheritValue());
  EXPECT_EQ(text2.GetValue(), L"pt");
}

TEST(OptionStorage, TextProcessingHooksRunAroundStorage) {
  MemoryStorage storage;
  TStringOption option(L"", L"Path", L"", 0);
  option.SetProcessStringBeforeSaveProc([](std::wstring& s) { s = L"<" + s + L">"; });
  option.SetProcessStringAfterLoadProc([](std::wstring& s) {
    if (s.size() >= 2) s = s.substr(1, s.size() - 2);
  });
  option.SetValue(L"C:\\x");
  option.WriteToStorage(storage, L"S");
  EXPECT_EQ(storage.Get(L"S", L"Path"), L"<C:\\x>");
  EXPECT_EQ(option.GetValue(), L"C:\\x");  // only the stored text is rewritten
  option.SetValue(L"other");
  option.ReadFromStorage(storage, L"S");
  EXPECT_EQ(option.GetValue(), L"C:\\x");
}

TEST(StringOption, ValueStringsMatchExactly) {
  TStringOption option(L"b", L"S", L"", 0);
  option.AddValueString(L"a", L"Alpha");
  option.AddValueString(L"b", L"Beta");
  EXPECT_EQ(option.ValueStringDefaultIndex(), 1);
  EXPECT_EQ(option.ValueStringSelectedIndex(), 1);
  EXPECT_EQ(option.ValueStringFromValue(L"a"), L"Alpha");
  EXPECT_EQ(option.ValueStringFromValue(L"A"), L"A");  // case-sensitive
  EXPECT_EQ(option.ValueFromValueStringIndex(9), L"");
  EXPECT_EQ(option.ValueString(1, L" *"), L"Beta *");
  option.SetValueFromValueString(0);
  EXPECT_EQ(option.GetValue(), L"a");
  EXPECT_EQ(option.ValueStringSelectedIndex(), 0);
  option.SetValue(L"B");
  EXPECT_EQ(option.ValueStringSelectedIndex(), -1);
  option.ToggleValue(false);  // -1 counts as 0: entry 1
  EXPECT_EQ(option.GetValue(), L"b");
}

}  // namespace
}  // namespace tessera
