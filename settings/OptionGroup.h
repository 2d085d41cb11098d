// Groups of options: headings of the option list, with shared enabled state and a display order.
#pragma once

#include <memory>
#include <string>
#include <vector>

namespace tessera {

class TCustomOptionStore;

class TOptionGroup {
public:
  // _optionStore is referenced, not owned.
  TOptionGroup(int _id, std::wstring _internalName, std::wstring _caption, int _indent, int _sortRank,
               TCustomOptionStore* _optionStore);
  TOptionGroup(const TOptionGroup&) = delete;
  TOptionGroup& operator=(const TOptionGroup&) = delete;

  int GetID() const noexcept { return FID; }
  int GetIndent() const noexcept { return FIndent; }
  const std::wstring& GetName() const noexcept { return FName; }
  int GetSortRank() const noexcept { return FSortRank; }
  TCustomOptionStore* GetOptionStore() const noexcept { return FOptionStore; }

  const std::wstring& GetCaption() const noexcept { return FCaption; }
  void SetCaption(std::wstring _value) { FCaption = std::move(_value); }
  bool GetCanCollapse() const noexcept { return FCanCollapse; }
  void SetCanCollapse(bool _value) noexcept { FCanCollapse = _value; }
  bool GetCollapsed() const noexcept { return FCollapsed; }
  void SetCollapsed(bool _value) noexcept { FCollapsed = _value; }
  bool GetVisible() const noexcept { return FVisible; }
  void SetVisible(bool _value) noexcept { FVisible = _value; }
  bool GetEnabled() const noexcept { return FEnabled; }
  // Also sets Enabled of every option of the group, when the value changes.
  void SetEnabled(bool _value);

  // Some visible option of the group differs from its default (effective value or inherit flag).
  bool AnyValueOrInheritChangedFromDefaultUI() const;

private:
  void SetGroupOptionsEnabled(bool _value);

  int FID;
  std::wstring FCaption;
  std::wstring FName;
  int FIndent;
  bool FVisible = true;
  bool FEnabled = true;
  int FSortRank;
  bool FCollapsed = false;
  bool FCanCollapse = false;
  TCustomOptionStore* FOptionStore;
};

// The groups of a store, kept sorted (higher sort rank first, then creation order); owns its groups.
class TOptionGroupList {
public:
  explicit TOptionGroupList(TCustomOptionStore* _optionStore) : FOptionStore(_optionStore) {}
  TOptionGroupList(const TOptionGroupList&) = delete;
  TOptionGroupList& operator=(const TOptionGroupList&) = delete;

  // Destroys every group; no group is current afterwards.
  void Clear();
  int Count() const noexcept { return static_cast<int>(FItems.size()); }
  // Null for an index outside 0 ... Count - 1.
  TOptionGroup* GetItem(int _index) const noexcept;
  // Replaces (and destroys) the group at _index; nothing for an index outside the list.
  void PutItem(int _index, std::unique_ptr<TOptionGroup> _value);

  // Creates a group with the next ID, re-sorts the list and makes the new group current.
  TOptionGroup* NewGroup(std::wstring _name, std::wstring _caption, int _indent, int _sortRank);
  // 0 for an empty list, else one more than the largest ID.
  int NextGroupID() const noexcept;
  // Negative when _a comes first: the higher SortRank, then the lower ID.
  static int CompareGroups(const TOptionGroup& _a, const TOptionGroup& _b) noexcept;
  // The first group whose Name equals the text exactly; null when none.
  TOptionGroup* GroupByName(const std::wstring& _name) const noexcept;

  TOptionGroup* GetCurrentGroup() const noexcept { return FCurrentGroup; }
  void SetCurrentGroup(TOptionGroup* _value) noexcept { FCurrentGroup = _value; }
  // True without a current group.
  bool CurrentGroupEnabled() const noexcept { return FCurrentGroup ? FCurrentGroup->GetEnabled() : true; }
  // -1 without a current group.
  int GetCurrentGroupID() const noexcept { return FCurrentGroup ? FCurrentGroup->GetID() : -1; }

private:
  std::vector<std::unique_ptr<TOptionGroup>> FItems;
  TOptionGroup* FCurrentGroup = nullptr;
  TCustomOptionStore* FOptionStore;
};

}  // namespace tessera
