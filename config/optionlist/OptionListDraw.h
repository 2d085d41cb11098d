// Painting the option list's rows, the row editor's row and the popup's boxes into any device context: group
// rows, option rows, the divider, the check boxes, radio buttons, colour boxes and expand boxes.
#pragma once

#include <windows.h>
#include <uxtheme.h>

#include <functional>
#include <string>
#include <vector>

#include "base/Handles.h"
#include "config/optionlist/OptionListGeometry.h"
#include "settings/OptionGroup.h"
#include "settings/InheritingOption.h"

namespace tessera {

// The colour of value texts: navy, or the window text colour in high-contrast mode. Shared by every list;
// UpdateValueColor reads the mode again (at creation and on every system colour change).
COLORREF ValueColor() noexcept;
void UpdateValueColor() noexcept;
bool IsHighContrast() noexcept;

// A colour option's value as a colour to paint: its own value, or the system colour it names.
COLORREF PaintColorOf(int _optionColor) noexcept;

// What rows are painted with. The fonts are the list's (not owned) and a bold one made from it; the brushes
// follow the system colours and are made again by Refresh. Theme parts and frame controls are drawn once per
// look and size and copied from then on: a themed check box costs a hundred times a copy.
class TDrawTools {
public:
  TDrawTools() = default;
  TDrawTools(const TDrawTools&) = delete;
  TDrawTools& operator=(const TDrawTools&) = delete;
  ~TDrawTools();

  // _font: the list's font, or null for the system font. Also forgets the drawn parts.
  void Refresh(HFONT _font);
  // The theme changed: the drawn parts are drawn again when next used.
  void ForgetDrawnParts() noexcept;
  HFONT Font() const noexcept { return FFont; }
  HFONT BoldFont() const noexcept { return static_cast<HFONT>(FBoldFont.get()); }
  // The cell heights of the two fonts.
  int FontHeight() const noexcept { return FFontHeight; }
  int BoldFontHeight() const noexcept { return FBoldFontHeight; }
  // Every second pixel in the button-shadow colour, from x 0 on, the others in the window colour.
  HBRUSH DottedBrush() const noexcept { return static_cast<HBRUSH>(FDottedBrush.get()); }
  HPEN ShadowPen() const noexcept { return static_cast<HPEN>(FShadowPen.get()); }
  // Draws through the cache: paint draws the part into (0, 0, width, height) of a bitmap filled with the
  // background, once per key.
  void DrawPart(HDC _dc, const RECT& _rect, unsigned _key, COLORREF _background,
                const std::function<void(HDC, const RECT&)>& _paint) const;

  TListMetrics Metrics;
  HTHEME ButtonTheme = nullptr;  // not owned
  HTHEME TreeTheme = nullptr;    // not owned

private:
  // A drawn part, in a memory DC of its own that keeps its bitmap selected.
  struct TPart {
    unsigned Key;
    int Width, Height;
    COLORREF Background;
    UniqueGdiObject Bitmap;
    HDC Dc = nullptr;
    HGDIOBJ OldBitmap = nullptr;
  };

  HFONT FFont = nullptr;
  UniqueGdiObject FBoldFont;
  int FFontHeight = 0;
  int FBoldFontHeight = 0;
  UniqueGdiObject FDottedBrush;
  UniqueGdiObject FShadowPen;
  mutable std::vector<TPart> FParts;
};

// Height of "Ij" in the font.
int MeasureTextHeight(HFONT _font);

// A group header row: bold caption, "*" after it when _changed, the expand box of a collapsible group.
// _focused: the list has the keyboard focus.
void DrawGroupRow(HDC _dc, const TDrawTools& _tools, const RECT& _rect, const TOptionGroup& _group, bool _focused,
                  bool _selected, bool _enabled, int _indent, bool _changed);
// The plus (folded) or minus of a group's expand box, on the background colour of the row.
void DrawExpandButton(HDC _dc, const TDrawTools& _tools, const RECT& _box, bool _collapsed,
                      COLORREF _background = ::GetSysColor(COLOR_WINDOW));
// An option row: caption cell, divider, box, and (unless selected, where the edit box shows it) the value.
void DrawOptionRow(HDC _dc, const TDrawTools& _tools, const RECT& _rect, const TCustomInheritingOption& _option,
                   bool _focused, bool _selected, bool _enabled, int _indent, int _splitterPos);
// A check box, radio button or colour box (_color for the colour box), on the background colour.
void DrawVisualControl(HDC _dc, const TDrawTools& _tools, const RECT& _box, TVisualControlType _type, bool _checked,
                       bool _enabled, COLORREF _color, COLORREF _background = ::GetSysColor(COLOR_WINDOW));
// The colour an option row's colour box shows (0 for other options).
COLORREF OptionBoxColor(const TCustomInheritingOption& _option) noexcept;

// The text of a row's value and how it is drawn.
struct TValueText {
  std::wstring Text;
  bool Missing = false;  // a required value that is missing: red
  bool Bold = false;     // differs from the default
};
TValueText OptionValueText(const TCustomInheritingOption& _option);

// The dotted line on a row's last pixel line.
void DrawRowBottomLine(HDC _dc, const TDrawTools& _tools, const RECT& _rect);

}  // namespace tessera
