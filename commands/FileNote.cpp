// "File note".
#include "commands/FileNote.h"

#include "commands/CommandTexts.h"
#include "shellutils/Error.h"
#include "shellutils/FileUtils.h"
#include "shellutils/Handles.h"
#include "shellutils/Process.h"
#include "shellutils/StringUtils.h"
#include "shellutils/SystemUtils.h"

namespace tessera {
namespace {

constexpr const wchar_t* kFilePlaceholder = L"%file%";

// Every occurrence of the (lower-case) placeholder, in any ASCII letter case, replaced by value.
std::wstring ReplaceAllIgnoringCase(const std::wstring& text, const std::wstring& placeholder,
                                    const std::wstring& value) {
  const std::wstring folded = LowerAscii(text);  // same length as text: only A-Z change
  std::wstring result;
  size_t from = 0;
  for (size_t at; (at = folded.find(placeholder, from)) != std::wstring::npos; from = at + placeholder.size())
    result.append(text, from, at - from).append(value);
  result.append(text, from, std::wstring::npos);
  return result;
}

// The extension runs from the name's last dot, so ".profile" is all extension and its note is ".txt".
std::wstring NotePathOf(const std::wstring& path) {
  return path.substr(0, path.size() - ExtractFileExt(path).size()) + L".txt";
}

}  // namespace

void InvokeFileNote(const std::vector<std::wstring>& items, const TInvokeFileNoteParams& params) {
  if (items.empty()) return;
  const std::wstring notePath = NotePathOf(items.front());
  const std::wstring commandLine = ReplaceAllIgnoringCase(params.EditorCommandLine, kFilePlaceholder, notePath);

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
