// Translatable texts: every text the user sees lives once, in the string table of the layer that shows it
// (<layer>_strings.rc), which is compiled into each binary that links the layer. The code names a text by
// its identifier only and reads it from the running module when it is used.
#pragma once

#include <string>

namespace tessera {

// The text of the running module's string table; empty when the module has no such string (a test checks
// that every identifier resolves in every binary).
std::wstring ResString(unsigned _id);

// A text of the string table, named once where it is declared and read when it is used.
struct TResText {
  unsigned Id;

  std::wstring str() const { return ResString(Id); }
  operator std::wstring() const { return str(); }
};

}  // namespace tessera
