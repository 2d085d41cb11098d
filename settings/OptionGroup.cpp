#include "settings/OptionGroup.h"

#include <algorithm>

#include "settings/OptionStore.h"

namespace tessera {

TOptionGroup::TOptionGroup(int _id, std::wstring _internalName, std::wstring _caption, int _indent, int _sortRank,
                           TCustomOptionStore* _optionStore)
    : FID(_id),
      FCaption(std::move(_caption)),
      FName(std::move(_internalName)),
      FIndent(_indent),
      FSortRank(_sortRank),
      FOptionStore(_optionStore) {}

void TOptionGroup::SetEnabled(bool _value) {
  if (_value == FEnabled) return;
  FEnabled = _value;
  SetGroupOptionsEnabled(_value);
}

void TOptionGroup::SetGroupOptionsEnabled(bool _value) {
  if (!FOptionStore) return;
  for (int i = 0; i < FOptionStore->GetOptionCount(); ++i) {
    TCustomInheritingOption* option = FOptionStore->GetItem(i);
    if (option->GetGroupID() == FID) option->SetEnabled(_value);
  }
}

bool TOptionGroup::AnyValueOrInheritChangedFromDefaultUI() const {
  if (!FOptionStore) return false;
  for (int i = 0; i < FOptionStore->GetOptionCount(); ++i) {
    const TCustomInheritingOption* option = FOptionStore->GetItem(i);
    if (option->GetGroupID() == FID && option->GetVisible() && option->GetValueOrInheritChangedFromDefaultUI())
      return true;
  }
  return false;
}

void TOptionGroupList::Clear() {
  FCurrentGroup = nullptr;
  FItems.clear();
}

TOptionGroup* TOptionGroupList::GetItem(int _index) const noexcept {
  return (_index >= 0 && _index < Count()) ? FItems[_index].get() : nullptr;
}

void TOptionGroupList::PutItem(int _index, std::unique_ptr<TOptionGroup> _value) {
  if (_index < 0 || _index >= Count() || !_value) return;
  if (FCurrentGroup == FItems[_index].get()) FCurrentGroup = nullptr;
  FItems[_index] = std::move(_value);
}

TOptionGroup* TOptionGroupList::NewGroup(std::wstring _name, std::wstring _caption, int _indent, int _sortRank) {
  auto group =
      std::make_unique<TOptionGroup>(NextGroupID(), std::move(_name), std::move(_caption), _indent, _sortRank, FOptionStore);
  TOptionGroup* result = group.get();
  FItems.push_back(std::move(group));
  std::stable_sort(FItems.begin(), FItems.end(),
                   [](const std::unique_ptr<TOptionGroup>& a, const std::unique_ptr<TOptionGroup>& b) {
                     return CompareGroups(*a, *b) < 0;
                   });
  FCurrentGroup = result;
  return result;
}

int TOptionGroupList::NextGroupID() const noexcept {
  int next = 0;
  for (const auto& g : FItems) next = std::max(next, g->GetID() + 1);
  return next;
}

int TOptionGroupList::CompareGroups(const TOptionGroup& _a, const TOptionGroup& _b) noexcept {
  if (_a.GetSortRank() != _b.GetSortRank()) return _a.GetSortRank() > _b.GetSortRank() ? -1 : 1;
  if (_a.GetID() != _b.GetID()) return _a.GetID() < _b.GetID() ? -1 : 1;
  return 0;
}

TOptionGroup* TOptionGroupList::GroupByName(const std::wstring& _name) const noexcept {
  for (const auto& g : FItems)
    if (g->GetName() == _name) return g.get();
  return nullptr;
}

}  // namespace tessera
