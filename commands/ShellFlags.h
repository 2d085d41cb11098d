// Explorer's view options (hidden files, protected system files, file-name extensions), "Refresh icons"
// and "Tessera settings".
#pragma once

#include <windows.h>

namespace tessera {

// The three view options as SHGetSetSettings keeps them.
struct TShellViewState {
  bool ShowAllObjects = false;
  bool ShowSuperHidden = false;
  bool ShowExtensions = false;
};

// What writing one option stores: the SHGetSetSettings mask and the members it covers (the others
// are not written). A zero mask writes nothing.
struct TShellViewWrite {
  DWORD Mask = 0;
  TShellViewState Values;
};

// Hidden files and protected system files are one three-state setting behind two check marks: "Show
// hidden files" is on only while protected files stay hidden, "Show super hidden files" only when both
// are shown. A selector other than SSF_SHOWALLOBJECTS, SSF_SHOWSUPERHIDDEN and SSF_SHOWEXTENSIONS is off.
bool ShellFlagOf(const TShellViewState& state, DWORD selector);
TShellViewWrite ShellFlagWrite(DWORD selector, bool value);
// The write that toggles selector's check mark in state.
TShellViewWrite ShellFlagToggle(const TShellViewState& state, DWORD selector);

bool GetShellFlag(DWORD selector);
// Writes the option and lets open Explorer windows refresh.
void SetShellFlag(DWORD selector, bool value);
void ToggleShellFlag(DWORD selector);

// Makes the shell reload file-type icons.
void InvokeRefreshIcons();
// Starts TesseraConfig.exe from the extension's folder; throws TesseraError when it cannot be started.
void InvokeShowSettings(HWND owner);

}  // namespace tessera
