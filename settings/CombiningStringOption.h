// Text options whose value is appended to the parent's combined value, joined by a separator character.
#pragma once

#include "settings/StringOption.h"

namespace tessera {

class TCombiningStringOption : public TCustomInheritingStringOption {
public:
  // Never inherits by default; the parent, when given, is a combining option too.
  TCombiningStringOption(TCombiningStringOption* _parent, std::wstring _defaultValue, std::wstring _name,
                         std::wstring _caption, wchar_t _separator, int _helpID);

  wchar_t GetSeparator() const noexcept { return FSeparator; }
  void SetSeparator(wchar_t _value) noexcept { FSeparator = _value; }

  // Empty without a parent, else the parent's combined value.
  std::wstring ParentValue() const;
  // The parent's combined value, the separator (unless the parent's text already ends with it) and the own
  // stored value, whatever the inherit flag.
  std::wstring ValueCombinedWithParentValue() const;

  TOptionFlags GetFlags() const override;

private:
  wchar_t FSeparator;
};

}  // namespace tessera
