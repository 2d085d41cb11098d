// The font helper's run from command line to summary box.
#include "typemount/Typemount.h"

#include "base/Error.h"
#include "base/Handles.h"
#include "base/ProductInfo.h"
#include "base/StringUtils.h"
#include "typemount/FontList.h"
#include "typemount/typemount_strings.h"

#include <windows.h>

#include <exception>

namespace tessera {
namespace {

// More failure lines than this would make a box taller than the screen.
constexpr size_t kMaxListedFailures = 20;

struct TOperationSwitch {
  const wchar_t* Switch;
  TFontOperation Operation;
  unsigned SummaryId;
};
constexpr TOperationSwitch kOperations[] = {
    {L"-install", foInstall, IDS_TM_SUMMARY_INSTALL},
    {L"-uninstall", foUninstall, IDS_TM_SUMMARY_UNINSTALL},
    {L"-load", foLoad, IDS_TM_SUMMARY_LOAD},
    {L"-unload", foUnload, IDS_TM_SUMMARY_UNLOAD},
};
constexpr const wchar_t* kTemporarySwitch = L"-tmp";

void Perform(TFontOperation operation, const std::wstring& file, TFontScope installScope, bool& fontsChanged) {
  switch (operation) {
    case foInstall: return InstallFont(file, installScope, fontsChanged);
    case foUninstall: return UninstallFont(file, fontsChanged);
    case foLoad: return LoadFont(file, fontsChanged);
    case foUnload: return UnloadFont(file, fontsChanged);
  }
}

void ShowBox(const std::wstring& text, bool success) {
  ::MessageBoxW(nullptr, text.c_str(), kProductName,
                MB_OK | MB_SETFOREGROUND | (success ? MB_ICONINFORMATION : MB_ICONERROR));
}

}  // namespace

bool ParseTypemountArgs(const std::vector<std::wstring>& arguments, TTypemountArgs& args) {
  args = {};
  bool understood = true, haveOperation = false;
  for (const auto& argument : arguments) {
    const TOperationSwitch* operation = nullptr;
    for (const auto& candidate : kOperations)
      if (SameTextAscii(argument, candidate.Switch)) operation = &candidate;
    if (operation) {
      understood = understood && !haveOperation;
      haveOperation = true;
      args.Operation = operation->Operation;
    } else if (SameTextAscii(argument, kTemporarySwitch)) {
      args.TemporaryList = true;
    } else if (argument.empty() || argument[0] == L'-' || !args.ListFile.empty()) {
      understood = false;
    } else {
      args.ListFile = argument;
    }
  }
  return understood && haveOperation && !args.ListFile.empty();
}

size_t TTypemountReport::DoneCount() const {
  size_t done = 0;
  for (const auto& font : Fonts) done += font.Failure.empty() ? 1 : 0;
  return done;
}

TTypemountReport RunTypemount(const TTypemountArgs& args, TFontScope installScope) {
  TTypemountReport report;
  report.Operation = args.Operation;
  // The list is ours once we run: it goes on every path out, so that no list files pile up.
  ScopeExit removeList([&] {
    if (args.TemporaryList && !args.ListFile.empty()) ::DeleteFileW(args.ListFile.c_str());
  });
  std::vector<TListedFont> fonts;
  try {
    fonts = ReadFontList(args.ListFile);
  } catch (const TesseraError& e) {
    report.FatalError = e.message();
    return report;
  } catch (const std::exception&) {
    report.FatalError = ResString(IDS_TM_UNEXPECTED);
    return report;
  }

  bool fontsChanged = false;
  for (auto& font : fonts) {
    TFontOutcome outcome{std::move(font.Path), std::move(font.Problem)};
    if (outcome.Failure.empty()) {
      try {
        Perform(args.Operation, outcome.File, installScope, fontsChanged);
      } catch (const TesseraError& e) {
        outcome.Failure = e.message();
      } catch (const std::exception&) {
        outcome.Failure = ResString(IDS_TM_UNEXPECTED);
      }
    }
    report.Fonts.push_back(std::move(outcome));
  }
  if (fontsChanged) BroadcastFontChange();
  return report;
}

std::wstring SummaryText(const TTypemountReport& report) {
  if (!report.FatalError.empty()) return report.FatalError;
  unsigned summaryId = IDS_TM_SUMMARY_INSTALL;
  for (const auto& operation : kOperations)
    if (operation.Operation == report.Operation) summaryId = operation.SummaryId;
  std::wstring text =
      FormatText(TResText{summaryId}, static_cast<int>(report.DoneCount()), static_cast<int>(report.Fonts.size()));
  size_t listed = 0, failed = 0;
  for (const auto& font : report.Fonts) {
    if (font.Failure.empty()) continue;
    if (++failed == 1) text += L"\r\n";
    if (listed == kMaxListedFailures) continue;
    text += L"\r\n" + FormatText(TResText{IDS_TM_FAILURE_LINE}, font.File.c_str(), font.Failure.c_str());
    ++listed;
  }
  if (failed > listed) text += L"\r\n" + FormatText(TResText{IDS_TM_MORE_FAILURES}, static_cast<int>(failed - listed));
  return text;
}

std::wstring UsageText() { return ResString(IDS_TM_USAGE); }

int TypemountMain(const std::vector<std::wstring>& arguments) {
  try {
    TTypemountArgs args;
    if (!ParseTypemountArgs(arguments, args)) {
      if (args.TemporaryList && !args.ListFile.empty()) ::DeleteFileW(args.ListFile.c_str());
      ShowBox(UsageText(), false);
      return 1;
    }
    const TTypemountReport report = RunTypemount(args, CurrentInstallScope());
    ShowBox(SummaryText(report), report.Succeeded());
    return report.Succeeded() ? 0 : 1;
  } catch (const std::exception&) {
    ShowBox(ResString(IDS_TM_UNEXPECTED), false);
    return 1;
  }
}

}  // namespace tessera
