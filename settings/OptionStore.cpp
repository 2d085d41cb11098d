#include "settings/OptionStore.h"

#include <windows.h>

#include <algorithm>

#include "base/StringUtils.h"

namespace tessera {

TCustomOptionStore::TCustomOptionStore() : FGroupList(this) {}

TCustomOptionStore::~TCustomOptionStore() {
  FGroupList.Clear();
  FOptionList.Clear();
}

void TCustomOptionStore::Clear() { FOptionList.Clear(); }

TCustomInheritingOption* TCustomOptionStore::AddOption(std::unique_ptr<TCustomInheritingOption> _option) {
  TCustomInheritingOption* option = _option.get();
  if (!option) return nullptr;
  option->FGroupID = FGroupList.GetCurrentGroupID();
  option->SetEnabled(FGroupList.CurrentGroupEnabled());
  option->SetOnValueModified([this](TCustomInheritingOption* o) { OptionValueModified(o); });
  option->SetOnHelpText(FHelpTextEvent);
  FOptionList.Add(std::move(_option));
  return option;
}

void TCustomOptionStore::OptionValueModified(TCustomInheritingOption* _option) {
  if (IgnoreOptionModifiedEvent) return;
  if (FValueModifiedEventInternal) FValueModifiedEventInternal(this);
  if (FValueModifiedEvent) FValueModifiedEvent(_option);
}

void TCustomOptionStore::InstallValueModifiedHandler(TOptionStoreNotifyEvent _valueModifiedHandler) {
  FValueModifiedEventInternal = std::move(_valueModifiedHandler);
}

void TCustomOptionStore::SetOnHelpText(THelpTextEvent _handler) {
  FHelpTextEvent = std::move(_handler);
  for (int i = 0; i < FOptionList.Count(); ++i) FOptionList.Get(i)->SetOnHelpText(FHelpTextEvent);
}

TOptionGroup* TCustomOptionStore::NewGroup(std::wstring _name, std::wstring _caption, int _indent, int _sortRank) {
  return FGroupList.NewGroup(std::move(_name), std::move(_caption), _indent, _sortRank);
}

void TCustomOptionStore::SetGroupCaption(const std::wstring& _name, std::wstring _caption) {
  if (TOptionGroup* group = GroupByName(_name)) group->SetCaption(std::move(_caption));
}

void TCustomOptionStore::SetGroupVisible(const std::wstring& _name, bool _visible) {
  if (TOptionGroup* group = GroupByName(_name)) group->SetVisible(_visible);
}

void TCustomOptionStore::SetOptionVisible(const std::wstring& _name, bool _visible) {
  if (TCustomInheritingOption* option = FindByName(_name)) option->SetVisible(_visible);
}

TCustomInheritingOption* TCustomOptionStore::FindByName(const std::wstring& _name) const noexcept {
  for (int i = 0; i < FOptionList.Count(); ++i)
    if (SameTextAscii(FOptionList.Get(i)->GetName(), _name)) return FOptionList.Get(i);
  return nullptr;
}

TCustomInheritingOption* TCustomOptionStore::GetItem(int _index) const noexcept {
  return (_index >= 0 && _index < FOptionList.Count()) ? FOptionList.Get(_index) : nullptr;
}

bool TCustomOptionStore::EnumOptions(const TEnumOptionsCallback& _callback) const {
  bool visited = false;
  for (int i = 0; i < FOptionList.Count(); ++i) {
    bool stop = false;
    _callback(FOptionList.Get(i), stop);
    visited = true;
    if (stop) break;
  }
  return visited;
}

void TCustomOptionStore::SortByName() {
  auto& items = FOptionList.Items();
  std::stable_sort(items.begin(), items.end(), [](const auto& a, const auto& b) {
    const std::wstring& x = a->GetName();
    const std::wstring& y = b->GetName();
    return ::CompareStringEx(LOCALE_NAME_USER_DEFAULT, NORM_IGNORECASE, x.c_str(), static_cast<int>(x.size()),
                             y.c_str(), static_cast<int>(y.size()), nullptr, nullptr, 0) == CSTR_LESS_THAN;
  });
}

void TCustomOptionStore::LoadDefaultValues() {
  IgnoreOptionModifiedEvent = true;
  struct Restore {
    bool& flag;
    ~Restore() { flag = false; }
  } restore{IgnoreOptionModifiedEvent};
  for (int i = 0; i < FOptionList.Count(); ++i) FOptionList.Get(i)->LoadDefaultValue();
}

std::wstring TCustomOptionStore::GetVisibleNonDefaultOptionsAsText(bool _includeHiddenOptions) const {
  std::wstring text;
  for (int i = 0; i < FOptionList.Count(); ++i) {
    const TCustomInheritingOption* option = FOptionList.Get(i);
    if ((option->GetVisible() || _includeHiddenOptions) && option->ValueChangedFromDefault(false))
      text += option->GetName() + L"=" + option->GetValueAsText() + L"\r\n";
  }
  return text;
}

void TCustomOptionStore::ReadFromStorage(IOptionStorage& _storage, const std::wstring& _sectionName) {
  EnumOptions([&](TCustomInheritingOption* option, bool&) {
    if (!option->GetStorageFlags().Contains(sfLoad)) return;
    try {
      option->ReadFromStorage(_storage, _sectionName);
    } catch (...) {
      // One bad entry must not stop the others; the option keeps the state it reached (normally its default).
    }
  });
}

void TCustomOptionStore::WriteToStorage(IOptionStorage& _storage, const std::wstring& _sectionName) {
  EnumOptions([&](TCustomInheritingOption* option, bool&) {
    if (!option->GetStorageFlags().Contains(sfSave)) return;
    if (option->GetValueOrInheritChangedFromDefault() || option->GetStoreDefaultValue() || FStoreDefaultValues) {
      try {
        option->WriteToStorage(_storage, _sectionName);
      } catch (...) {
        // Swallowed per option, as when reading.
      }
    } else {
      _storage.DeleteKey(_sectionName, option->GetName());
    }
  });
}

}  // namespace tessera
