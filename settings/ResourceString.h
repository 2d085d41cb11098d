// Translatable texts: read from the string table of the module that holds this code (the DLL or the
// program), with the built-in English text when the module has no such string.
#pragma once

#include <string>

namespace tessera {

std::wstring ResString(unsigned id, const wchar_t* builtIn);

}  // namespace tessera
