// Option stores for the option list's tests, its pictures and its benchmark: one that holds every option kind
// in groups of several indents (collapsible, folded, hidden), and large ones.
#pragma once

#include <memory>

#include "settings/OptionStore.h"

namespace tessera::test {

// The rich store and the options the tests reach directly. In store order:
//   group "General" (indent 0): ShowIcons (yes/no), CopyPath (item state), Title (text), Editor (required text,
//     empty), Template (text with an edit button, path ellipsis), Color (colour), Weekdays (set), Count (number),
//     Sandbox (item state with flSpaceShowsPopup), Disabled (disabled yes/no)
//   group "Note options" (indent 1, collapsible): CreateFile (yes/no), NoteEditor (text)
//   group "Advanced" (indent 1, collapsible, folded): Font (font), MaxSize (size)
//   group "Deep" (indent 2, hidden under "Advanced"): MaxAge (age)
//   group "Images" (indent 0, collapsible): DefaultWidth (number), ImageWidth (inherits DefaultWidth),
//     ImageFlag (yes/no inheriting ShowIcons), Parameters (combining text)
//   group "Hidden group" (not visible): Orphan (text; its group is not shown)
//   no group: Ungrouped (text), and Secret (hidden)
struct TSampleStore {
  std::unique_ptr<TOptionStore> Store = std::make_unique<TOptionStore>();
  TBooleanOption* ShowIcons = nullptr;
  TIntegerOption* CopyPath = nullptr;
  TStringOption* Title = nullptr;
  TStringOption* Editor = nullptr;
  TStringOption* Template = nullptr;
  TColorOption* Color = nullptr;
  TSetOption* Weekdays = nullptr;
  TIntegerOption* Count = nullptr;
  TIntegerOption* Sandbox = nullptr;
  TBooleanOption* Disabled = nullptr;
  TBooleanOption* CreateFile = nullptr;
  TStringOption* NoteEditor = nullptr;
  TFontOption* Font = nullptr;
  TSizeOption* MaxSize = nullptr;
  TAgeOption* MaxAge = nullptr;
  TIntegerOption* DefaultWidth = nullptr;
  TInheritingIntegerOption* ImageWidth = nullptr;
  TInheritingBooleanOption* ImageFlag = nullptr;
  TCombiningStringOption* Parameters = nullptr;
  TStringOption* Orphan = nullptr;
  TStringOption* Ungrouped = nullptr;
  TStringOption* Secret = nullptr;
};
TSampleStore MakeSampleStore();

// "Don't show", "Show always", "Show only when Shift key is down" as the product's item states.
void AddItemStates(TCustomInheritingIntegerOption* option);

// groups x optionsPerGroup options, every fifth a yes/no option, the others text; the groups alternate
// between indent 0 and a collapsible indent 1.
std::unique_ptr<TOptionStore> MakeLargeStore(int groups, int optionsPerGroup);

}  // namespace tessera::test
