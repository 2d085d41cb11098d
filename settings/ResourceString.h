// Translatable texts: read from the string table of the module that holds this code (the DLL or the
// program), with the built-in English text when the module has no such string.
#pragma once

#include <string>

namespace tessera {

std::wstring ResString(unsigned id, const wchar_t* builtIn);

// A text of the string table, named once where it is declared and read when it is used.
struct TResText {
  unsigned Id;
  const wchar_t* BuiltIn;

  std::wstring str() const { return ResString(Id, BuiltIn); }
  operator std::wstring() const { return str(); }
};

}  // namespace tessera
