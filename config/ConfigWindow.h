// The settings window: every product setting in the option list, saved with Apply or OK; a More menu with
// the secondary functions; the checks that run once shortly after it opens.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <memory>
#include <string>

#include "base/Handles.h"
#include "config/optionlist/OptionList.h"
#include "settings/Options.h"

namespace tessera {

// The window class by which a second start finds the running program.
inline constexpr wchar_t kConfigWindowClass[] = L"TTesseraConfigWnd";

// Control and menu identifiers. Cancel is IDCANCEL, so that Esc presses it; no control is IDOK, so that
// Enter presses nothing (there is no default button).
enum : int {
  idOptionsLabel = 100,
  idOptions = 101,
  idMore = 102,
  idOK = 103,
  idApply = 104,
  idLink = 105,
  idRestoreDefaults = 200,
  idEnableShellExtension = 201,
  idCheckForUpdate = 202,
  idCopySystemInfo = 203,
  idHelp = 204,
};

struct TImageListTraits {
  using type = HIMAGELIST;
  static constexpr type invalid() noexcept { return nullptr; }
  static void close(type h) noexcept { ::ImageList_Destroy(h); }
};
using UniqueImageList = UniqueHandle<TImageListTraits>;

class TfrmConfig {
public:
  TfrmConfig() = default;
  TfrmConfig(const TfrmConfig&) = delete;
  TfrmConfig& operator=(const TfrmConfig&) = delete;
  ~TfrmConfig();

  // Creates the window (the settings are loaded meanwhile; an error is shown and the defaults stay), fills
  // and centres it, and shows it. Throws the system error when the window cannot be made.
  void Create(int showCommand);
  HWND Handle() const noexcept { return FHandle; }

  // The window's look at every message of its thread before it is dispatched: F1 anywhere in the window
  // (key preview), then the dialog keys (Tab, Esc for Cancel, mnemonics). True when the message was used.
  bool PreTranslateMessage(MSG& msg);

private:
  static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
  bool HandleCommand(int id);

  void FormCreate();
  void FormShow();
  void FormDestroy();
  void FormResize();
  void FormAfterMonitorDpiChanged(UINT oldDpi, UINT newDpi, const RECT& suggested);
  void FormActivate(bool active);
  void NextControl(HWND control, bool previous);
  void butOKClick();
  void butApplyClick();
  void butCancelClick();
  void butMoreClick();
  void pmnuMorePopup();
  void Restoredefaultsettings1Click();
  void mnuEnableShellExtensionClick();
  void mnuCheckForUpdateClick();
  void mnuCopySystemInfoClick();
  void mnuHelpClick();
  void lblLinkLinkClick(const std::wstring& link);
  void timerStartupTimer();
  void lbOptionsEditButtonClick(TCustomInheritingOption* option);
  void lbOptionsValueModified(TCustomInheritingOption* option);
  int lbOptionsGetFormTextHeight() const;

  void ApplySettings();
  void LayoutControls();
  void CreateControls();
  void ApplyFontAndGlyph();
  SIZE LinkSize() const;
  void BuildMoreMenu();

  HWND FHandle = nullptr;
  UINT FDpi = 96;
  UniqueGdiObject FFont;
  UniqueImageList ilSmallImages;
  HWND FLastFocus = nullptr;
  std::unique_ptr<TOptions> Options;
  std::unique_ptr<TvOptionList> lbOptions;
  HWND lblOptions = nullptr;
  HWND butMore = nullptr;
  HWND butOK = nullptr;
  HWND butCancel = nullptr;
  HWND butApply = nullptr;
  HWND lblLink = nullptr;
  UniqueMenu pmnuMore;
};

}  // namespace tessera
