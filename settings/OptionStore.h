// The option store: creates and owns the options and groups, forwards change notifications, and reads or
// writes all options through one storage section.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "settings/AgeOption.h"
#include "settings/BooleanOption.h"
#include "settings/ColorOption.h"
#include "settings/CombiningStringOption.h"
#include "settings/FontOption.h"
#include "settings/IntegerOption.h"
#include "settings/OptionGroup.h"
#include "settings/SetOption.h"
#include "settings/SizeOption.h"
#include "settings/StringOption.h"

namespace tessera {

// Called for each option in list order; setting _stop ends the walk.
using TEnumOptionsCallback = std::function<void(TCustomInheritingOption* _option, bool& _stop)>;

class TCustomOptionStore {
public:
  // The options in creation order; owns them.
  class TOptionList {
  public:
    void Clear() { FItems.clear(); }
    int Count() const noexcept { return static_cast<int>(FItems.size()); }
    TCustomInheritingOption* Get(int _index) const noexcept { return FItems[_index].get(); }
    void Add(std::unique_ptr<TCustomInheritingOption> _option) { FItems.push_back(std::move(_option)); }
    std::vector<std::unique_ptr<TCustomInheritingOption>>& Items() noexcept { return FItems; }

  private:
    std::vector<std::unique_ptr<TCustomInheritingOption>> FItems;
  };

  TCustomOptionStore();
  virtual ~TCustomOptionStore();
  TCustomOptionStore(const TCustomOptionStore&) = delete;
  TCustomOptionStore& operator=(const TCustomOptionStore&) = delete;

  // Destroys all options; the groups stay.
  void Clear();

  // Factories: construct the option, add it to the current group and return it. The store owns it.
  TStringOption* CreateStringOption(std::wstring _defaultValue, std::wstring _name, std::wstring _caption, int _helpID);
  TIntegerOption* CreateIntegerOption(int _defaultValue, std::wstring _name, std::wstring _caption, int _helpID);
  TBooleanOption* CreateBooleanOption(bool _defaultValue, std::wstring _name, std::wstring _caption, int _helpID);
  TInheritingStringOption* CreateInheritingStringOption(TCustomInheritingStringOption* _parent, bool _inheritByDefault,
                                                        std::wstring _defaultValue, std::wstring _name,
                                                        std::wstring _caption, int _helpID);
  TInheritingIntegerOption* CreateInheritingIntegerOption(TCustomInheritingIntegerOption* _parent,
                                                          bool _inheritByDefault, int _defaultValue, std::wstring _name,
                                                          std::wstring _caption, int _helpID);
  TInheritingBooleanOption* CreateInheritingBooleanOption(TCustomInheritingBooleanOption* _parent,
                                                          bool _inheritByDefault, bool _defaultValue,
                                                          std::wstring _name, std::wstring _caption, int _helpID);
  TColorOption* CreateColorOption(int _defaultValue, std::wstring _name, std::wstring _caption, int _helpID);
  TSizeOption* CreateSizeOption(std::wstring _defaultValue, std::wstring _name, std::wstring _caption, int _helpID);
  TAgeOption* CreateAgeOption(std::wstring _defaultValue, std::wstring _name, std::wstring _caption, int _helpID);
  TFontOption* CreateFontOption(TFontOptionValue _defaultValue, std::wstring _name, std::wstring _caption,
                                int _helpID);
  TSetOption* CreateSetOption(TSetOptionValue _defaultValue, std::vector<std::wstring> _validMembers,
                              std::wstring _name, std::wstring _caption, int _helpID);
  TCombiningStringOption* CreateCombiningStringOption(TCombiningStringOption* _parent, std::wstring _defaultValue,
                                                      std::wstring _name, std::wstring _caption, wchar_t _separator,
                                                      int _helpID);
  TInheritingColorOption* CreateInheritingColorOption(TCustomInheritingColorOption* _parent, bool _inheritByDefault,
                                                      int _defaultValue, std::wstring _name, std::wstring _caption,
                                                      int _helpID);
  TInheritingSizeOption* CreateInheritingSizeOption(TCustomInheritingSizeOption* _parent, bool _inheritByDefault,
                                                    std::wstring _defaultValue, std::wstring _name,
                                                    std::wstring _caption, int _helpID);
  TInheritingAgeOption* CreateInheritingAgeOption(TCustomInheritingAgeOption* _parent, bool _inheritByDefault,
                                                  std::wstring _defaultValue, std::wstring _name, std::wstring _caption,
                                                  int _helpID);
  TInheritingFontOption* CreateInheritingFontOption(TCustomInheritingFontOption* _parent, bool _inheritByDefault,
                                                    TFontOptionValue _defaultValue, std::wstring _name,
                                                    std::wstring _caption, int _helpID);
  TInheritingSetOption* CreateInheritingSetOption(TCustomInheritingSetOption* _parent, bool _inheritByDefault,
                                                  TSetOptionValue _defaultValue, std::vector<std::wstring> _validMembers,
                                                  std::wstring _name, std::wstring _caption, int _helpID);

  // Adopts the option: group ID and enabled state from the current group, the store's handlers, appended.
  TCustomInheritingOption* AddOption(std::unique_ptr<TCustomInheritingOption> _option);

  // Unless IgnoreOptionModifiedEvent: the internal handler (sender = this store), then OnValueModified.
  void OptionValueModified(TCustomInheritingOption* _option);
  void InstallValueModifiedHandler(TOptionStoreNotifyEvent _valueModifiedHandler);
  const TValueModifiedEvent& GetOnValueModified() const noexcept { return FValueModifiedEvent; }
  void SetOnValueModified(TValueModifiedEvent _handler) { FValueModifiedEvent = std::move(_handler); }
  const THelpTextEvent& GetOnHelpText() const noexcept { return FHelpTextEvent; }
  // Also hands the handler to every existing option.
  void SetOnHelpText(THelpTextEvent _handler);
  bool GetIgnoreOptionModifiedEvent() const noexcept { return IgnoreOptionModifiedEvent; }
  void SetIgnoreOptionModifiedEvent(bool _value) noexcept { IgnoreOptionModifiedEvent = _value; }

  TOptionGroup* NewGroup(std::wstring _name, std::wstring _caption, int _indent, int _sortRank);
  // Exact (case-sensitive) name; null when none.
  TOptionGroup* GroupByName(const std::wstring& _name) const noexcept { return FGroupList.GroupByName(_name); }
  void SetGroupCaption(const std::wstring& _name, std::wstring _caption);
  void SetGroupVisible(const std::wstring& _name, bool _visible);
  void SetOptionVisible(const std::wstring& _name, bool _visible);
  TOptionGroup* GetCurrentGroup() const noexcept { return FGroupList.GetCurrentGroup(); }
  void SetCurrentGroup(TOptionGroup* _value) noexcept { FGroupList.SetCurrentGroup(_value); }

  // The first option whose Name equals the text ignoring ASCII case; null when none.
  TCustomInheritingOption* FindByName(const std::wstring& _name) const noexcept;
  // Null for an index outside 0 ... count - 1.
  TCustomInheritingOption* GetItem(int _index) const noexcept;
  TOptionGroup* GetGroup(int _index) const noexcept { return FGroupList.GetItem(_index); }
  int GetOptionCount() const noexcept { return FOptionList.Count(); }
  int GetGroupCount() const noexcept { return FGroupList.Count(); }
  bool GetStoreDefaultValues() const noexcept { return FStoreDefaultValues; }
  void SetStoreDefaultValues(bool _value) noexcept { FStoreDefaultValues = _value; }

  // True when at least one option was visited.
  bool EnumOptions(const TEnumOptionsCallback& _callback) const;
  // By Name, ignoring case, in the user's locale.
  void SortByName();
  // Every option back to its default, without calling the store's handlers.
  void LoadDefaultValues();
  // "Name=value\r\n" for each (visible, unless _includeHiddenOptions) option whose own value is not the default.
  std::wstring GetVisibleNonDefaultOptionsAsText(bool _includeHiddenOptions) const;

  // Each option with sfLoad reads its key; an error of one option is swallowed.
  void ReadFromStorage(IOptionStorage& _storage, const std::wstring& _sectionName);
  // Options that differ from their default (or must always be stored) write their key, the others delete it.
  void WriteToStorage(IOptionStorage& _storage, const std::wstring& _sectionName);

private:
  template <typename T, typename... Args>
  T* Create(Args&&... _args) {
    auto option = std::make_unique<T>(std::forward<Args>(_args)...);
    T* result = option.get();
    AddOption(std::move(option));
    return result;
  }

  TOptionList FOptionList;
  TOptionGroupList FGroupList;
  bool FStoreDefaultValues = false;
  TValueModifiedEvent FValueModifiedEvent;
  TOptionStoreNotifyEvent FValueModifiedEventInternal;
  THelpTextEvent FHelpTextEvent;
  bool IgnoreOptionModifiedEvent = false;
};

class TOptionStore : public TCustomOptionStore {};

}  // namespace tessera
