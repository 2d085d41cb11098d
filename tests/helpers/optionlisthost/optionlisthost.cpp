// Shows the option list as the settings window will: a store with every option kind, groups of several
// indents (one folded), values changed from their defaults (bold, and "*" after their group), a required value
// that is missing (red) and the row editor on a selected option.
//
//   optionlisthost.exe                          shows the window until it is closed
//   optionlisthost.exe --shot <file.png>        saves its picture and ends; 0, or 3 when there is no picture
//   optionlisthost.exe --popup --shot <file>    the same with the popup of the selected option open
#include <windows.h>
#include <shellapi.h>

#include <string>

#include "config/optionlist/PopupListBox.h"
#include "support/OptionListHost.h"
#include "support/OptionListSample.h"
#include "support/WindowShot.h"

namespace {

constexpr UINT_PTR kPaintTimer = 1;    // the window is up: have it painted
constexpr UINT_PTR kCaptureTimer = 2;  // the painting has reached the screen: take the picture

struct TShot {
  tessera::test::TOptionListHost* Host = nullptr;
  std::wstring File;
  bool Popup = false;
  int ExitCode = 0;
  bool Done = false;
};
TShot gShot;

void CALLBACK ShotTimer(HWND window, UINT, UINT_PTR id, DWORD) {
  ::KillTimer(window, id);
  if (id == kPaintTimer) {
    if (gShot.Popup) gShot.Host->List().ShowPopup();
    ::RedrawWindow(gShot.Host->Window(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
    ::SetTimer(window, kCaptureTimer, 500, ShotTimer);
    return;
  }
  if (!tessera::test::SaveWindowPng(gShot.Host->Window(), gShot.File)) gShot.ExitCode = 3;
  gShot.Done = true;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  int argc = 0;
  wchar_t** argv = ::CommandLineToArgvW(::GetCommandLineW(), &argc);
  for (int i = 1; i < argc; ++i) {
    const std::wstring arg = argv[i];
    if (arg == L"--popup") gShot.Popup = true;
    if (arg == L"--shot" && i + 1 < argc) gShot.File = argv[++i];
  }
  ::LocalFree(argv);

  tessera::test::TSampleStore sample = tessera::test::MakeSampleStore();
  // Values that differ from their defaults are bold, and their group carries "*".
  sample.Title->SetValue(L"My settings");
  sample.CreateFile->SetValue(false);
  sample.Weekdays->SetValueAsText(L"mon;wed;fri");
  tessera::test::TOptionListHost::TSetup setup;
  setup.Client = SIZE{460, 440};
  tessera::test::TOptionListHost host(setup);
  // At the top left: at 192 DPI the window is nearly as tall as the test display.
  ::SetWindowPos(host.Window(), nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
  ::SetWindowTextW(host.Window(), L"Tessera settings (option list)");
  host.List().SetOptionStore(sample.Store.get());
  host.List().SetSplitterPosition(::MulDiv(170, static_cast<int>(host.Dpi()), 96));
  host.Activate();
  host.List().SelectRow(host.List().DisplayList().FindByName(gShot.Popup ? L"CopyPath" : L"Color"), true);
  gShot.Host = &host;

  if (!gShot.File.empty()) {
    ::SetCursorPos(0, 0);  // no button under the mouse: the picture shows the window at rest
    ::SetTimer(host.Window(), kPaintTimer, 500, ShotTimer);
    while (!gShot.Done) host.Pump(20);
    return gShot.ExitCode;
  }
  while (::IsWindowVisible(host.Window())) host.Pump(50);
  return 0;
}
