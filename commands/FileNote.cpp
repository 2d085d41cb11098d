// "File note".
#include "commands/FileNote.h"

#include "base/Error.h"
#include "base/ErrorText.h"
#include "base/Handles.h"
#include "base/PathUtils.h"
#include "base/StringUtils.h"
#include "commands/CommandTexts.h"
#include "shellutils/FileUtils.h"
#include "shellutils/Process.h"
#include "shellutils/SystemUtils.h"

namespace tessera {
namespace {

constexpr const wchar_t* kFilePlaceholder = L"%file%";

// The extension runs from the name's last dot, so ".profile" is all extension and its note is ".txt".
std::wstring NotePathOf(const std::wstring& path) {
  return path.substr(0, path.size() - ExtractFileExt(path).size()) + L".txt";
}

}  // namespace

void InvokeFileNote(const std::vector<std::wstring>& items, const TInvokeFileNoteParams& params) {
  if (items.empty()) return;
  const std::wstring notePath = NotePathOf(items.front());
  const std::wstring commandLine = ReplaceIgnoringCase(params.EditorCommandLine, kFilePlaceholder, notePath);

  // A folder of the note's name is no note: creating the file then fails and is reported.
  if (params.CreateFile && !FileExists(notePath)) {
    DWORD attributes = params.HideNoteFile ? FILE_ATTRIBUTE_HIDDEN : FILE_ATTRIBUTE_NORMAL;
    UniqueFileHandle note(::CreateFileW(notePath.c_str(), GENERIC_WRITE, FILE_SHARE_WRITE, nullptr, OPEN_ALWAYS,
                                        attributes, nullptr));
    if (!note)
      throw TesseraError(FormatText(texts::kFailedToCreateFile, notePath.c_str(), LastErrorText().c_str()));
  }

  if (!StartProcess(commandLine))
    throw TesseraError(FormatText(texts::kFailedToLaunch, commandLine.c_str(), LastErrorText().c_str()));
}

}  // namespace tessera
