#include "config/optionlist/DisplayList.h"

namespace tessera {
namespace {

const std::wstring kNoText;

}  // namespace

TDisplayItem TDisplayItem::CreateGroup(TOptionGroup* _group) {
  return TDisplayItem(diGroup, nullptr, _group, _group ? _group->GetIndent() : 0);
}

TDisplayItem TDisplayItem::CreateOption(TCustomInheritingOption* _option, const TOptionGroup* _group) {
  return TDisplayItem(diOption, _option, nullptr, _group ? _group->GetIndent() : 0);
}

const std::wstring& TDisplayItem::Caption() const {
  if (FOptionLink) return FOptionLink->GetCaption();
  if (FGroupLink) return FGroupLink->GetCaption();
  return kNoText;
}

const std::wstring& TDisplayItem::Name() const {
  if (FOptionLink) return FOptionLink->GetName();
  if (FGroupLink) return FGroupLink->GetName();
  return kNoText;
}

bool TDisplayItem::Enabled() const {
  if (FItemType == diOption && FOptionLink) return FOptionLink->GetEnabled();
  if (FItemType == diGroup && FGroupLink) return FGroupLink->GetEnabled();
  return true;
}

std::wstring TDisplayItem::Value() const {
  return FItemType == diOption && FOptionLink ? FOptionLink->GetValueAsText() : std::wstring();
}

bool TDisplayItem::ValueInherited() const {
  return FItemType == diOption && FOptionLink && FOptionLink->GetInheritValue();
}

bool TDisplayItem::ValueChangedFromDefault() const {
  return FItemType == diOption && FOptionLink && FOptionLink->GetValueOrInheritChangedFromDefaultUI();
}

void TDisplayList::Clear() {
  FItems.clear();
  FGroupOptions.clear();
}

void TDisplayList::PopulateFromOptionStore(TCustomOptionStore* _optionStore) {
  FOptionStore = _optionStore;
  Rebuild();
}

void TDisplayList::Rebuild() {
  Clear();
  ++FGeneration;
  if (!FOptionStore) return;
  // One pass over the options: each group's visible options in store order. Looking them up per group
  // would walk the whole store once for every group.
  for (int i = 0; i < FOptionStore->GetOptionCount(); ++i) {
    TCustomInheritingOption* option = FOptionStore->GetItem(i);
    if (option && option->GetVisible()) FGroupOptions[option->GetGroupID()].Options.push_back(option);
  }
  FItems.reserve(static_cast<size_t>(FOptionStore->GetOptionCount() + FOptionStore->GetGroupCount()));
  const TOptionGroup* lastAdded = nullptr;
  for (int g = 0; g < FOptionStore->GetGroupCount(); ++g) {
    TOptionGroup* group = FOptionStore->GetGroup(g);
    if (!group || !group->GetVisible()) continue;
    // Groups nested under a folded group are hidden with it.
    if (lastAdded && lastAdded->GetCollapsed() && group->GetIndent() > lastAdded->GetIndent()) continue;
    FItems.push_back(TDisplayItem::CreateGroup(group));
    lastAdded = group;
    if (group->GetCollapsed()) continue;
    auto options = FGroupOptions.find(group->GetID());
    if (options == FGroupOptions.end()) continue;
    for (TCustomInheritingOption* option : options->second.Options)
      FItems.push_back(TDisplayItem::CreateOption(option, group));
  }
  // Options without a group come last, without a header.
  auto ungrouped = FGroupOptions.find(-1);
  if (ungrouped != FGroupOptions.end())
    for (TCustomInheritingOption* option : ungrouped->second.Options)
      FItems.push_back(TDisplayItem::CreateOption(option, nullptr));
}

void TDisplayList::SetExpandGroups(bool _value) {
  if (FOptionStore) {
    for (int g = 0; g < FOptionStore->GetGroupCount(); ++g) {
      TOptionGroup* group = FOptionStore->GetGroup(g);
      if (group && (_value || group->GetCanCollapse())) group->SetCollapsed(!_value);
    }
  }
  Rebuild();
}

int TDisplayList::FindByName(const std::wstring& _name) const {
  for (int i = 0; i < Count(); ++i)
    if (FItems[i].Name() == _name) return i;
  return -1;
}

void TDisplayList::ToggleGroupCollapsed(int _index) {
  if (!IsGroup(_index)) return;
  TOptionGroup* group = FItems[_index].Group();
  if (!group || !group->GetCanCollapse()) return;
  group->SetCollapsed(!group->GetCollapsed());
  Rebuild();
}

int TDisplayList::FirstOptionRow() const noexcept {
  for (int i = 0; i < Count(); ++i)
    if (FItems[i].ItemType() == diOption) return i;
  return 0;
}

bool TDisplayList::GroupChanged(int _index) const {
  if (!IsGroup(_index) || !FItems[_index].Group()) return false;
  auto found = FGroupOptions.find(FItems[_index].Group()->GetID());
  if (found == FGroupOptions.end()) return false;
  const TGroupOptions& entry = found->second;
  if (entry.Generation != FGeneration) {
    entry.Changed = false;
    for (const TCustomInheritingOption* option : entry.Options)
      if (option->GetValueOrInheritChangedFromDefaultUI()) {
        entry.Changed = true;
        break;
      }
    entry.Generation = FGeneration;
  }
  return entry.Changed;
}

}  // namespace tessera
