// "File note": opens (and first creates) the plain-text note kept beside a file.
#pragma once

// windows.h makes CreateFile a macro; including it here keeps the field's name the same in every file.
#include <windows.h>

#include <string>
#include <vector>

namespace tessera {

struct TInvokeFileNoteParams {
  std::wstring EditorCommandLine;  // "%file%" (any letter case) stands for the note's path
  bool CreateFile = false;         // create an empty note first when there is none
  bool HideNoteFile = false;       // a note created here gets the hidden attribute
};

// Starts the editor on the note of items[0] (its path with the extension replaced by ".txt", or with
// ".txt" appended when it has none) without waiting for it. Throws TesseraError when the note
// cannot be created (the editor is then not started) or the editor cannot be started.
void InvokeFileNote(const std::vector<std::wstring>& items, const TInvokeFileNoteParams& params);

}  // namespace tessera
