#include "settings/CombiningStringOption.h"

namespace tessera {

TCombiningStringOption::TCombiningStringOption(TCombiningStringOption* _parent, std::wstring _defaultValue,
                                               std::wstring _name, std::wstring _caption, wchar_t _separator,
                                               int _helpID)
    : TCustomInheritingStringOption(_parent, false, std::move(_defaultValue), std::move(_name), std::move(_caption),
                                    _helpID),
      FSeparator(_separator) {}

std::wstring TCombiningStringOption::ParentValue() const {
  if (!CanInherit()) return {};
  return static_cast<const TCombiningStringOption*>(GetParent())->ValueCombinedWithParentValue();
}

std::wstring TCombiningStringOption::ValueCombinedWithParentValue() const {
  if (!CanInherit()) return OwnValue();
  std::wstring result = ParentValue();
  if (result.empty()) return OwnValue();
  if (!OwnValue().empty()) {
    if (result.back() != FSeparator) result += FSeparator;
    result += OwnValue();
  }
  return result;
}

TOptionFlags TCombiningStringOption::GetFlags() const {
  return TCustomInheritingStringOption::GetFlags() + TOptionFlags{flHideInheritInPopup};
}

}  // namespace tessera
