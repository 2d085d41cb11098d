// Where things sit in the option list, its row editor and its popup: plain functions of the row height, the
// text height, the divider position and the DPI, so that a test can check them without a window. At 96 DPI
// the small insets are the pixel counts the control was designed with; at other DPIs they scale with it.
#pragma once

#include <windows.h>

namespace tessera {

struct TListMetrics {
  int RowHeight = 17;        // R: every row, the row editor and (plus a separator) every popup entry
  int TextHeight = 13;       // TH: "Ij" in the list's font; indents are measured in half of it
  int FormTextHeight = 13;   // the host's line of text: the edit box's height
  UINT Dpi = 96;

  // A size given in pixels at 96 DPI, at this DPI.
  int Px(int _pixelsAt96) const noexcept { return ::MulDiv(_pixelsAt96, static_cast<int>(Dpi), 96); }
};

// 1.3 times the text height, a half rounded to the even neighbour (13 gives 17).
int RowHeightForText(int _textHeight) noexcept;
// A real number rounded to the nearest whole number, a half to the even neighbour.
int RoundHalfEven(double _value) noexcept;

// Offset of an indented group's expand box, and of an indented option's caption: half a text height per level.
int IndentOffset(int _indent, const TListMetrics& _m) noexcept;
// The expand box of a collapsible group row: a square of the row's height.
RECT ExpandBoxRect(const RECT& _row, int _indent, const TListMetrics& _m) noexcept;
// The plus or minus inside an expand box: an odd side of about half the box.
RECT ExpandGlyphRect(const RECT& _box) noexcept;
// The caption of an option row, left of the divider.
RECT CaptionTextRect(const RECT& _row, int _indent, int _splitterPos, const TListMetrics& _m) noexcept;
// The check box, radio button or colour box right of the divider (at the left edge for a divider at 0 or less).
RECT VisualControlRect(const RECT& _row, int _splitterPos, const TListMetrics& _m) noexcept;
// The value text of an option row (right of its box when it has one).
RECT ValueTextRect(const RECT& _row, int _splitterPos, bool _hasVisualControl, const TListMetrics& _m) noexcept;
// Near enough to the divider to grab it.
bool IsOnSplitter(int _x, int _splitterPos, const TListMetrics& _m) noexcept;

// The row under a point of the list's client area; -1 below the last row (or above the first).
int RowAtPoint(int _y, int _topIndex, int _rowCount, const TListMetrics& _m) noexcept;
// The rectangle of a row in the list's client area.
RECT RowRect(int _index, int _topIndex, int _clientWidth, const TListMetrics& _m) noexcept;
// The first visible row that brings the selected row into view, moving as little as possible.
int TopIndexShowing(int _selected, int _topIndex, int _clientHeight, bool _down, const TListMetrics& _m) noexcept;

// The row editor's children, in its client coordinates (width W, height H).
struct TRowEditorLayout {
  RECT DropDown{};
  bool DropDownVisible = false;
  RECT EditButton{};
  bool EditButtonVisible = false;
  RECT Edit{};
};
TRowEditorLayout RowEditorLayout(int _width, int _height, int _splitterPos, bool _hasEditButton,
                                 bool _hasVisualControl, const TListMetrics& _m) noexcept;

// The popup under the row editor, or above it when it fits better there; right-aligned with the list and
// at least as wide as it wants to be. Coordinates of the list's client area.
RECT PopupRect(int _clientWidth, int _clientHeight, const RECT& _rowEditor, int _splitterPos, int _desiredWidth,
               int _desiredHeight, const TListMetrics& _m) noexcept;

}  // namespace tessera
