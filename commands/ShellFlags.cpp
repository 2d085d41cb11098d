// Explorer's view options, "Refresh icons" and "Tessera settings".
#include "commands/ShellFlags.h"

#include "shellutils/ShellUtils.h"
#include "shellutils/SystemUtils.h"

#include <shlobj.h>

namespace tessera {
namespace {

constexpr DWORD kHiddenMask = SSF_SHOWALLOBJECTS | SSF_SHOWSUPERHIDDEN;
constexpr DWORD kReadMask = SSF_SHOWALLOBJECTS | SSF_SHOWEXTENSIONS | SSF_SHOWSUPERHIDDEN;

}  // namespace

bool ShellFlagOf(const TShellViewState& state, DWORD selector) {
  switch (selector) {
    case SSF_SHOWALLOBJECTS: return state.ShowAllObjects && !state.ShowSuperHidden;
    case SSF_SHOWSUPERHIDDEN: return state.ShowAllObjects && state.ShowSuperHidden;
    case SSF_SHOWEXTENSIONS: return state.ShowExtensions;
  }
  return false;
}

TShellViewWrite ShellFlagWrite(DWORD selector, bool value) {
  TShellViewWrite write;
  switch (selector) {
    case SSF_SHOWALLOBJECTS:
      write.Mask = kHiddenMask;
      write.Values.ShowAllObjects = value;
      break;
    case SSF_SHOWSUPERHIDDEN:
      write.Mask = kHiddenMask;
      write.Values.ShowAllObjects = value;
      write.Values.ShowSuperHidden = value;
      break;
    case SSF_SHOWEXTENSIONS:
      write.Mask = SSF_SHOWEXTENSIONS;
      write.Values.ShowExtensions = value;
      break;
  }
  return write;
}

TShellViewWrite ShellFlagToggle(const TShellViewState& state, DWORD selector) {
  return ShellFlagWrite(selector, !ShellFlagOf(state, selector));
}

bool GetShellFlag(DWORD selector) {
  SHELLSTATEW shellState{};
  ::SHGetSetSettings(&shellState, kReadMask, FALSE);
  TShellViewState state;
  state.ShowAllObjects = shellState.fShowAllObjects != 0;
  state.ShowSuperHidden = shellState.fShowSuperHidden != 0;
  state.ShowExtensions = shellState.fShowExtensions != 0;
  return ShellFlagOf(state, selector);
}

void SetShellFlag(DWORD selector, bool value) {
  const TShellViewWrite write = ShellFlagWrite(selector, value);
  if (write.Mask == 0) return;  // not a view option of ours
  SHELLSTATEW shellState{};
  shellState.fShowAllObjects = write.Values.ShowAllObjects;
  shellState.fShowSuperHidden = write.Values.ShowSuperHidden;
  shellState.fShowExtensions = write.Values.ShowExtensions;
  ::SHGetSetSettings(&shellState, write.Mask, TRUE);
  ::SHChangeNotify(SHCNE_ASSOCCHANGED, SHCNF_FLUSH | SHCNF_FLUSHNOWAIT, nullptr, nullptr);
}

void ToggleShellFlag(DWORD selector) { SetShellFlag(selector, !GetShellFlag(selector)); }

void InvokeRefreshIcons() { ::SHChangeNotify(SHCNE_ASSOCCHANGED, SHCNF_FLUSH, nullptr, nullptr); }

void InvokeShowSettings(HWND owner) { ShellLaunch(L"open", GetModuleFolder() + L"TesseraConfig.exe", L"", owner); }

}  // namespace tessera
