#include "settings/CustomOption.h"

namespace tessera {

TCustomOption::TCustomOption(std::wstring _name, std::wstring _caption, int _helpTextID)
    : FName(std::move(_name)), FCaption(std::move(_caption)), FTextHelpID(_helpTextID) {}

std::wstring TCustomOption::GetCommandLineParam() const {
  std::wstring raw = GetValueAsCmdLineParam();
  std::wstring value;
  value.reserve(raw.size() + 2);
  for (wchar_t c : raw) {
    if (c == L'"') value += L'/';
    value += c;
  }
  if (value.find(L' ') != std::wstring::npos) value = L'"' + value + L'"';
  return FName + L"=" + value;
}

void TCustomOption::ReadFromStorage(IOptionStorage&, const std::wstring&) { LoadDefaultValue(); }

std::wstring TCustomOption::ValueString(int, const std::wstring&) const { return {}; }

void TCustomOption::SetValueFromValueString(int) {}

void TCustomOption::LoadDefaultValue() {
  if (ResetValueToDefault()) DoValueModified();
}

}  // namespace tessera
