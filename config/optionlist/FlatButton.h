// The row editor's two small buttons ("..." and the drop-down arrow): flat buttons that never take the focus
// (the edit box keeps it), raised while the mouse is over them and sunken while pressed. Their glyphs are
// drawn in the window text colour at the window's DPI.
#pragma once

#include <windows.h>

#include <functional>

namespace tessera {

enum class TFlatGlyph { Ellipsis, DropDown };

class TFlatButton {
public:
  // A hidden child of parent.
  TFlatButton(HWND parent, TFlatGlyph glyph);
  ~TFlatButton();
  TFlatButton(const TFlatButton&) = delete;
  TFlatButton& operator=(const TFlatButton&) = delete;

  HWND Handle() const noexcept { return FHandle; }
  // Called when the left button is released over the pressed button.
  std::function<void()> OnClick;
  // The DPI the glyph is drawn at; the theme data follows it.
  void SetDpi(UINT dpi);
  // The theme or the system colours changed.
  void Refresh();

private:
  static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
  void Paint(HDC dc) const;
  void OpenTheme();

  HWND FHandle = nullptr;
  TFlatGlyph FGlyph;
  UINT FDpi = 96;
  bool FHot = false;
  bool FPressed = false;
  HANDLE FTheme = nullptr;  // HTHEME of "TOOLBAR"
};

// Draws a glyph centred in rect, in the colour, at the DPI (the shapes of a 10 x 10 cell at 96 DPI).
void DrawFlatGlyph(HDC dc, const RECT& rect, TFlatGlyph glyph, COLORREF color, UINT dpi);

}  // namespace tessera
