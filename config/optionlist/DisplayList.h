// The rows of the option list: group header rows and option rows, built from an option store with the
// folded groups' options (and the groups nested under a folded group) left out. The system list box only
// knows how many rows there are; everything else about a row comes from here.
#pragma once

#include <string>
#include <unordered_map>
#include <vector>

#include "settings/OptionStore.h"

namespace tessera {

enum TDisplayItemType : int { diOption = 0, diGroup = 1 };

class TDisplayItem {
public:
  // A header row with the group's indent.
  static TDisplayItem CreateGroup(TOptionGroup* _group);
  // An option row with the indent of its group, 0 without one.
  static TDisplayItem CreateOption(TCustomInheritingOption* _option, const TOptionGroup* _group);

  TDisplayItemType ItemType() const noexcept { return FItemType; }
  TCustomInheritingOption* Option() const noexcept { return FOptionLink; }
  TOptionGroup* Group() const noexcept { return FGroupLink; }
  int Indent() const noexcept { return FIndent; }
  const std::wstring& Caption() const;
  // Empty when the row has neither an option nor a group.
  const std::wstring& Name() const;
  bool Enabled() const;
  std::wstring Value() const;
  bool ValueInherited() const;
  bool ValueChangedFromDefault() const;

private:
  TDisplayItem(TDisplayItemType _type, TCustomInheritingOption* _option, TOptionGroup* _group, int _indent)
      : FItemType(_type), FOptionLink(_option), FGroupLink(_group), FIndent(_indent) {}

  TDisplayItemType FItemType;
  TCustomInheritingOption* FOptionLink;
  TOptionGroup* FGroupLink;
  int FIndent;
};

class TDisplayList {
public:
  void Clear();
  // Remembers the store (not owned) and builds the rows from it.
  void PopulateFromOptionStore(TCustomOptionStore* _optionStore);
  // The rows again from the store's groups and options as they are now.
  void Rebuild();
  // Unfolds every group, or folds every group that can fold; then rebuilds.
  void SetExpandGroups(bool _value);
  // The first row whose option or group has exactly that name; -1 when none.
  int FindByName(const std::wstring& _name) const;
  bool ValidIndex(int _index) const noexcept { return _index >= 0 && _index < Count(); }
  bool IsType(int _index, TDisplayItemType _type) const noexcept {
    return ValidIndex(_index) && FItems[_index].ItemType() == _type;
  }
  bool IsOption(int _index) const noexcept { return IsType(_index, diOption); }
  bool IsGroup(int _index) const noexcept { return IsType(_index, diGroup); }
  // Folds or unfolds the group of a group row when it can fold, then rebuilds.
  void ToggleGroupCollapsed(int _index);
  // _index must be valid.
  const TDisplayItem& GetItem(int _index) const noexcept { return FItems[_index]; }
  int Count() const noexcept { return static_cast<int>(FItems.size()); }
  TCustomOptionStore* OptionStore() const noexcept { return FOptionStore; }
  // The lowest row that is an option row; 0 when there is none.
  int FirstOptionRow() const noexcept;

  // Some visible option of the row's group differs from its default (the group's "*"). Each group's answer
  // is kept until ValuesChanged, so that painting a screen never walks the whole store.
  bool GroupChanged(int _index) const;
  // Forget the kept answers: an option's value or inherit flag changed.
  void ValuesChanged() noexcept { ++FGeneration; }

private:
  struct TGroupOptions {
    std::vector<TCustomInheritingOption*> Options;  // the group's visible options, in store order
    mutable unsigned Generation = 0;                // of the kept answer; 0 = none
    mutable bool Changed = false;
  };

  std::vector<TDisplayItem> FItems;
  TCustomOptionStore* FOptionStore = nullptr;
  std::unordered_map<int, TGroupOptions> FGroupOptions;  // by group ID
  unsigned FGeneration = 1;
};

}  // namespace tessera
