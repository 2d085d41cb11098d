// The visual-styles theme data the option list draws with: "BUTTON" for check boxes, radio buttons and
// colour boxes, "TREEVIEW" for the expand boxes. Both are null when the program does not use themes; then
// the classic frame controls are drawn. Opened per list window at its DPI, and again when the theme or the
// DPI changes.
#pragma once

#include <windows.h>
#include <uxtheme.h>

namespace tessera {

class TOptionListThemes {
public:
  TOptionListThemes() = default;
  TOptionListThemes(const TOptionListThemes&) = delete;
  TOptionListThemes& operator=(const TOptionListThemes&) = delete;
  ~TOptionListThemes() { Close(); }

  // Closes what is open; opens both for the window when the application uses themes.
  void Open(HWND _window, UINT _dpi);
  void Close() noexcept;
  HTHEME Button() const noexcept { return FButton; }
  HTHEME Tree() const noexcept { return FTree; }

private:
  HTHEME FButton = nullptr;
  HTHEME FTree = nullptr;
};

}  // namespace tessera
