// Set options: a list of member words (one check box per possible member in the popup).
#pragma once

#include <string>
#include <vector>

#include "settings/InheritingOption.h"

namespace tessera {

// Members in insertion order; comparisons ignore ASCII case.
class TSetOptionValue {
public:
  TSetOptionValue() = default;
  explicit TSetOptionValue(std::vector<std::wstring> _members) : FValue(std::move(_members)) {}
  static TSetOptionValue Create() { return {}; }
  static TSetOptionValue Create(std::vector<std::wstring> _members) { return TSetOptionValue(std::move(_members)); }

  const std::vector<std::wstring>& Members() const noexcept { return FValue; }
  bool Contains(const std::wstring& _member) const;
  bool ContainsAny(const std::vector<std::wstring>& _members) const;
  // Without strict order: as many members, each contained in the other. With it: the same members in the same
  // order.
  bool Equals(const TSetOptionValue& _value, bool _strictMemberOrder) const;
  bool IsEmpty() const noexcept { return FValue.empty(); }
  // Appends unless the text is empty or already contained.
  void AddMember(const std::wstring& _member);
  // Removes the first member equal to the text.
  void RemoveMember(const std::wstring& _member);

private:
  std::vector<std::wstring> FValue;
};

class TCustomInheritingSetOption : public TCustomInheritingOption {
public:
  struct TValueString {
    std::wstring Value;  // the member
    std::wstring Text;   // its caption
  };
  using TValueStringArray = std::vector<TValueString>;

  // _validMembers empty: any member is allowed.
  TCustomInheritingSetOption(TCustomInheritingSetOption* _parent, bool _inheritByDefault, TSetOptionValue _defaultValue,
                             std::vector<std::wstring> _validMembers, std::wstring _name, std::wstring _caption,
                             int _helpID);

  const TSetOptionValue& GetValue() const;
  void SetValue(const TSetOptionValue& _value);
  const TSetOptionValue& GetDefaultValue() const noexcept { return FDefaultValue; }
  void SetDefaultValue(TSetOptionValue _value) { FDefaultValue = std::move(_value); }
  bool GetStrictMemberOrder() const noexcept { return FStrictMemberOrder; }
  void SetStrictMemberOrder(bool _value) noexcept { FStrictMemberOrder = _value; }
  const std::vector<std::wstring>& GetValidMembers() const noexcept { return FValidMembers; }

  void AddValueString(std::wstring _value, std::wstring _text);
  // The effective value contains the member.
  bool Contains(const std::wstring& _member) const { return GetValue().Contains(_member); }
  // The member of entry _index; empty text for an invalid index.
  std::wstring ValueFromValueString(int _index) const;
  // The caption of the member (ignoring ASCII case); the member itself when it has none.
  std::wstring ValueStringFromValue(const std::wstring& _member) const;
  const TValueStringArray& GetValueStrings() const noexcept { return FValueStrings; }
  bool IsValidValueStringIndex(int _index) const noexcept {
    return _index >= 0 && _index < static_cast<int>(FValueStrings.size());
  }

  bool ValueChangedFromDefault(bool _effective) const override;
  std::wstring GetSyntax() const override;
  std::wstring GetValueAsCmdLineParam() const override;
  std::wstring GetValueAsText() const override;
  // Pieces separated by ";" or ","; members outside the valid ones are dropped.
  void SetValueAsText(const std::wstring& _text) override;
  bool ResetValueToDefault() override;
  void ReadFromStorage(IOptionStorage& _storage, const std::wstring& _sectionName) override;
  void WriteToStorage(IOptionStorage& _storage, const std::wstring& _sectionName) override;
  int ValueStringsCount() const override { return static_cast<int>(FValueStrings.size()); }
  std::wstring ValueString(int _index, const std::wstring& _defaultItemMarker) const override;
  // Adds the entry's member to the effective value, or removes it when contained.
  void SetValueFromValueString(int _index) override;
  // Only flips the inherit flag, and only with _includeInherit and a parent.
  void ToggleValue(bool _includeInherit) override;

private:
  TSetOptionValue FValue;
  TSetOptionValue FDefaultValue;
  TValueStringArray FValueStrings;
  std::vector<std::wstring> FValidMembers;
  bool FStrictMemberOrder = false;
};

class TInheritingSetOption : public TCustomInheritingSetOption {
public:
  using TCustomInheritingSetOption::TCustomInheritingSetOption;
};

class TSetOption : public TCustomInheritingSetOption {
public:
  TSetOption(TSetOptionValue _defaultValue, std::vector<std::wstring> _validMembers, std::wstring _name,
             std::wstring _caption, int _helpID)
      : TCustomInheritingSetOption(nullptr, false, std::move(_defaultValue), std::move(_validMembers),
                                   std::move(_name), std::move(_caption), _helpID) {}
};

}  // namespace tessera
