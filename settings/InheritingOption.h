// Options that may inherit their value from a parent option of the same kind, with change events.
#pragma once

#include "settings/CustomOption.h"

namespace tessera {

class TCustomInheritingOption : public TCustomOption {
public:
  // _parent is referenced, never owned; it must outlive this option.
  TCustomInheritingOption(TCustomInheritingOption* _parent, bool _inheritByDefault, std::wstring _name,
                          std::wstring _caption, int _helpID);

  TCustomInheritingOption* GetParent() const noexcept { return FParent; }
  bool CanInherit() const noexcept { return FParent != nullptr; }
  bool GetInheritByDefault() const noexcept { return FInheritByDefault; }
  bool GetInheritValue() const noexcept { return FInheritValue; }
  // Stores the flag and notifies when it changes; it does not check CanInherit.
  void SetInheritValue(bool _value);

  TOptionStorageFlags GetStorageFlags() const noexcept { return FStorageFlags; }
  void SetStorageFlags(TOptionStorageFlags _value) noexcept { FStorageFlags = _value; }
  // Re-declared visibility: the store, the groups and the option list use this flag.
  bool GetVisible() const noexcept { return FVisible; }
  void SetVisible(bool _value) noexcept { FVisible = _value; }

  const TValueModifiedEvent& GetOnValueModified() const noexcept { return FValueModifiedEvent; }
  void SetOnValueModified(TValueModifiedEvent _handler) { FValueModifiedEvent = std::move(_handler); }
  const THelpTextEvent& GetOnHelpText() const noexcept { return FHelpTextEvent; }
  void SetOnHelpText(THelpTextEvent _handler) { FHelpTextEvent = std::move(_handler); }
  // Empty unless OnHelpText is assigned.
  std::wstring GetHelpText();

  TOptionFlags GetFlags() const override;
  void DoValueModified() override;
  void LoadDefaultValue() override;

  virtual bool GetInheritChangedFromDefault() const { return FInheritValue != FInheritByDefault; }
  virtual bool GetValueOrInheritChangedFromDefault() const;
  virtual bool GetValueOrInheritChangedFromDefaultUI() const;
  // "Inherit (<parent's value>)" while inheriting, else the value as text.
  virtual std::wstring GetValueAsTextWithInherit() const;
  // Cycles through the value strings (and the inherit state when asked and possible).
  virtual void ToggleValue(bool _includeInherit);

protected:
  // Every assignment ends inheritance; notifies when anything changed.
  virtual void AfterSetValue(bool _changed);
  // True for "inherit" in any ASCII case: then the inherit flag is set when a parent exists.
  bool HandleInheritText(const std::wstring& _text);

  bool FInheritValue;

private:
  TOptionStorageFlags FStorageFlags{sfSave, sfLoad};
  bool FInheritByDefault;
  TCustomInheritingOption* FParent;
  bool FVisible = true;
  TValueModifiedEvent FValueModifiedEvent;
  THelpTextEvent FHelpTextEvent;
};

}  // namespace tessera
