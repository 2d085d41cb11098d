// Font commands.
#include "commands/FontCommands.h"

#include "base/Error.h"
#include "base/ErrorText.h"
#include "base/Handles.h"
#include "base/StringUtils.h"
#include "commands/CommandTexts.h"
#include "shellutils/ShellUtils.h"
#include "shellutils/SystemUtils.h"
#include "shellutils/TextFile.h"

namespace tessera {
namespace {

constexpr const wchar_t* kFontProgram = L"Typemount.exe";

const wchar_t* SwitchOf(TFontCommand command) {
  switch (command) {
    case fcInstall: return L"-install";
    case fcUninstall: return L"-uninstall";
    case fcLoad: return L"-load";
    case fcUnload: return L"-unload";
  }
  return nullptr;
}

}  // namespace

void InvokeFontCommand(const std::vector<std::wstring>& files, HWND owner, TFontCommand command) {
  if (files.empty()) return;
  // Checked before anything is written, so that a bad command leaves no list file behind.
  const wchar_t* commandSwitch = SwitchOf(command);
  if (!commandSwitch) throw TesseraError(texts::kUnknownTypemountOp);

  const std::wstring listFile = CreateTempFile();
  if (listFile.empty()) {
    std::wstring reason = LastErrorText();
    // No name could be made: name the folder it was to be made in.
    throw TesseraError(FormatText(texts::kCannotCreateFile, GetTempFolder().c_str(), reason.c_str()));
  }
  // The list belongs to the font program once it runs (it may delete it); until then it is ours.
  bool handedOver = false;
  ScopeExit removeList([&] {
    if (!handedOver) ::DeleteFileW(listFile.c_str());
  });

  std::wstring list;
  for (const auto& file : files) list.append(file).append(L"\r\n");
  if (!WriteTextFile(listFile, list, TTextEncoding::teUtf16LE, true))
    throw TesseraError(FormatText(texts::kCannotCreateFile, listFile.c_str(), LastErrorText().c_str()));

  const std::wstring parameters = FormatText(L"\"%s\" %s -tmp", listFile.c_str(), commandSwitch);
  const bool elevate = (command == fcInstall || command == fcUninstall) && IsVistaOrLater();
  ShellLaunch(elevate ? L"runas" : L"open", GetModuleFolder() + kFontProgram, parameters, owner);
  handedOver = true;
}

}  // namespace tessera
