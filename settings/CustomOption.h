// The root of every option: identity, presentation, flags and the value-string and text protocols.
#pragma once

#include <string>

#include "settings/OptionStorage.h"
#include "settings/OptionTypes.h"

namespace tessera {

class TCustomOption {
public:
  TCustomOption(std::wstring _name, std::wstring _caption, int _helpTextID);
  virtual ~TCustomOption() = default;
  TCustomOption(const TCustomOption&) = delete;
  TCustomOption& operator=(const TCustomOption&) = delete;

  const std::wstring& GetCaption() const noexcept { return FCaption; }
  const std::wstring& GetName() const noexcept { return FName; }
  int GetHelpTextID() const noexcept { return FTextHelpID; }
  int GetGroupID() const noexcept { return FGroupID; }
  bool GetValueModified() const noexcept { return FValueModified; }
  bool GetValueStringClickKeepsPopupOpen() const noexcept { return FValueStringClickKeepsPopupOpen; }

  bool GetEnabled() const noexcept { return FEnabled; }
  void SetEnabled(bool _value) noexcept { FEnabled = _value; }
  // The inheriting options re-declare this flag (TCustomInheritingOption::GetVisible); this one stays true there.
  bool GetVisible() const noexcept { return FVisible; }
  void SetVisible(bool _value) noexcept { FVisible = _value; }
  TVisualControlType GetVisualControlType() const noexcept { return FVisualControlType; }
  void SetVisualControlType(TVisualControlType _value) noexcept { FVisualControlType = _value; }
  bool GetStoreDefaultValue() const noexcept { return FStoreDefaultValue; }
  void SetStoreDefaultValue(bool _value) noexcept { FStoreDefaultValue = _value; }
  void SetValueStringVisualControlType(TVisualControlType _value) noexcept { FValueStringVisualControlType = _value; }

  bool ValueStringsSupported() const { return ValueStringsCount() > 0; }
  bool HasFlag(TOptionFlag _flag) const { return GetFlags().Contains(_flag); }
  void AddOptionListFlags(TOptionFlags _flags) noexcept { FOptionListFlags = FOptionListFlags + _flags; }
  void RemoveOptionListFlags(TOptionFlags _flags) noexcept { FOptionListFlags = FOptionListFlags - _flags; }
  // Name=value, the value with /" for each double quote and wrapped in double quotes when it holds a blank.
  std::wstring GetCommandLineParam() const;

  // True when the value differs from the default: the own value, or with _effective the effective one.
  virtual bool ValueChangedFromDefault(bool _effective) const = 0;
  virtual TOptionFlags GetFlags() const { return FOptionListFlags; }
  virtual std::wstring GetSyntax() const = 0;
  virtual std::wstring GetValueAsCmdLineParam() const = 0;
  virtual std::wstring GetValueAsText() const = 0;
  virtual TVisualControlType GetValueStringVisualControlType() const { return FValueStringVisualControlType; }
  virtual bool GetValuePresent() const { return true; }
  virtual void SetValueAsText(const std::wstring& _text) = 0;
  virtual bool GetHasVisualControl() const { return GetVisualControlType() != vcNone; }
  virtual bool GetVisualControlChecked() const { return false; }
  virtual void DoValueModified() { FValueModified = true; }
  // Sets the own value to the default; true when that changed it.
  virtual bool ResetValueToDefault() = 0;
  virtual void ReadFromStorage(IOptionStorage& _storage, const std::wstring& _sectionName);
  virtual void WriteToStorage(IOptionStorage& _storage, const std::wstring& _sectionName) = 0;
  virtual int ValueStringsCount() const { return 0; }
  virtual int ValueStringDefaultIndex() const { return -1; }
  virtual int ValueStringSelectedIndex() const { return -1; }
  virtual std::wstring ValueString(int _index, const std::wstring& _defaultItemMarker) const;
  virtual void SetValueFromValueString(int _index);
  virtual void LoadDefaultValue();
  virtual void VisualControlClicked() {}

protected:
  TOptionFlags FOptionListFlags;
  TVisualControlType FValueStringVisualControlType = vcNone;
  TVisualControlType FVisualControlType = vcNone;
  bool FValueStringClickKeepsPopupOpen = false;

private:
  friend class TCustomOptionStore;  // sets the group ID when it adopts the option

  bool FStoreDefaultValue = false;
  bool FValueModified = false;
  std::wstring FName;
  std::wstring FCaption;
  int FGroupID = -1;
  bool FEnabled = true;
  int FTextHelpID;
  bool FVisible = true;
};

}  // namespace tessera
