// The texts of the option list: the popup's three entries (each list its own) and the two texts every list
// shares for a required value that is missing, all from the string table unless a program sets others.
#pragma once

#include <string>

namespace tessera {

// "not specified"
const std::wstring& LangStrValueNotSpecified();
void SetLangStrValueNotSpecified(std::wstring _value);
// "Inherit (%s)"
const std::wstring& LangStrInherited();
void SetLangStrInherited(std::wstring _value);

// What a required value that is missing shows: "(not specified)", or "Inherit (not specified)" while the
// option inherits.
std::wstring MissingValueText(bool _inherits);

}  // namespace tessera
