#include "config/optionlist/OptionListTexts.h"

#include "base/ResourceString.h"
#include "base/StringUtils.h"
#include "config/optionlist/optionlist_strings.h"

namespace tessera {
namespace {

// Main thread only, as every window of the list.
std::wstring& NotSpecified() {
  static std::wstring text = ResString(IDS_OL_NOT_SPECIFIED);
  return text;
}

std::wstring& Inherited() {
  static std::wstring text = ResString(IDS_OL_INHERITED);
  return text;
}

}  // namespace

const std::wstring& LangStrValueNotSpecified() { return NotSpecified(); }
void SetLangStrValueNotSpecified(std::wstring _value) { NotSpecified() = std::move(_value); }
const std::wstring& LangStrInherited() { return Inherited(); }
void SetLangStrInherited(std::wstring _value) { Inherited() = std::move(_value); }

std::wstring MissingValueText(bool _inherits) {
  const std::wstring format = _inherits ? Inherited() : ResString(IDS_OL_MISSING);
  return FormatText(format.c_str(), NotSpecified().c_str());
}

}  // namespace tessera
