// The font helper's run: its command line, the work on each listed font, and the one summary it shows.
//   Typemount.exe "<list file>" -install|-uninstall|-load|-unload [-tmp]
#pragma once

#include <string>
#include <vector>

#include "typemount/FontInstaller.h"

namespace tessera {

enum TFontOperation { foInstall, foUninstall, foLoad, foUnload };

struct TTypemountArgs {
  std::wstring ListFile;
  TFontOperation Operation = foInstall;
  bool TemporaryList = false;  // -tmp: the list file is deleted when the run ends
};

// The arguments after the program name: one list file, one operation, optionally -tmp (switches in any
// case and order). False for anything else; args then holds what could be recognised.
bool ParseTypemountArgs(const std::vector<std::wstring>& arguments, TTypemountArgs& args);

struct TFontOutcome {
  std::wstring File;
  std::wstring Failure;  // empty when the font was done
};

struct TTypemountReport {
  TFontOperation Operation = foInstall;
  std::wstring FatalError;  // the list could not be used at all
  std::vector<TFontOutcome> Fonts;

  size_t DoneCount() const;
  bool Succeeded() const { return FatalError.empty() && !Fonts.empty() && DoneCount() == Fonts.size(); }
};

// Does the operation on every font of the list (installing into installScope), broadcasts WM_FONTCHANGE once
// when fonts changed, and with -tmp deletes the list file, whatever happened.
TTypemountReport RunTypemount(const TTypemountArgs& args, TFontScope installScope);

// The text of the summary box.
std::wstring SummaryText(const TTypemountReport& report);
// The usage text for a command line that is not understood.
std::wstring UsageText();

// The whole program for its arguments (without the program name): runs, shows the summary box titled
// "Tessera" (information icon when all succeeded, error icon otherwise) and returns the exit code, 0 when
// every font was done and 1 otherwise.
int TypemountMain(const std::vector<std::wstring>& arguments);

}  // namespace tessera
