#include "config/optionlist/OptionListGeometry.h"

#include <algorithm>
#include <cmath>

namespace tessera {

int RoundHalfEven(double _value) noexcept { return static_cast<int>(std::nearbyint(_value)); }

int RowHeightForText(int _textHeight) noexcept {
  // In tenths, so that 1.3 is exact: 13 * 13 = 169 tenths gives 17, 15 * 13 = 195 gives 20 (a half, to even).
  const int tenths = _textHeight * 13;
  int whole = tenths / 10;
  const int rest = tenths % 10;
  if (rest > 5 || (rest == 5 && whole % 2 != 0)) ++whole;
  return whole;
}

int IndentOffset(int _indent, const TListMetrics& _m) noexcept { return _indent * _m.TextHeight / 2; }

RECT ExpandBoxRect(const RECT& _row, int _indent, const TListMetrics& _m) noexcept {
  const int left = _row.left + IndentOffset(_indent, _m) + _m.Px(2);
  return RECT{left, _row.top, left + _m.RowHeight, _row.bottom};
}

RECT ExpandGlyphRect(const RECT& _box) noexcept {
  const int q = _box.right - _box.left;
  int side = q / 2;
  if (side % 2 == 0) ++side;
  const int left = _box.left + q / 2 - side / 2 - 1;
  const int top = _box.top + q / 2 - side / 2 - 1;
  return RECT{left, top, left + side, top + side};
}

RECT CaptionTextRect(const RECT& _row, int _indent, int _splitterPos, const TListMetrics& _m) noexcept {
  return RECT{_row.left + IndentOffset(_indent, _m) + _m.Px(4), _row.top, _row.left + _splitterPos,
              _row.top + _m.RowHeight - 2};
}

RECT VisualControlRect(const RECT& _row, int _splitterPos, const TListMetrics& _m) noexcept {
  const int x = _splitterPos <= 0 ? 1 : _splitterPos + _m.Px(4);
  return RECT{x, _row.top + _m.Px(2), x + _m.RowHeight - _m.Px(5), _row.top + _m.RowHeight - _m.Px(3)};
}

RECT ValueTextRect(const RECT& _row, int _splitterPos, bool _hasVisualControl, const TListMetrics& _m) noexcept {
  const int left = _hasVisualControl ? VisualControlRect(_row, _splitterPos, _m).right + _m.Px(4)
                                     : _splitterPos + _m.Px(4);
  return RECT{left, _row.top, _row.right, _row.bottom - 2};
}

bool IsOnSplitter(int _x, int _splitterPos, const TListMetrics& _m) noexcept {
  return _x >= _splitterPos - _m.Px(2) && _x <= _splitterPos + _m.Px(2);
}

int RowAtPoint(int _y, int _topIndex, int _rowCount, const TListMetrics& _m) noexcept {
  if (_y < 0 || _m.RowHeight <= 0) return -1;
  const int index = _topIndex + _y / _m.RowHeight;
  return index < _rowCount ? index : -1;
}

RECT RowRect(int _index, int _topIndex, int _clientWidth, const TListMetrics& _m) noexcept {
  const int top = (_index - _topIndex) * _m.RowHeight;
  return RECT{0, top, _clientWidth, top + _m.RowHeight};
}

int TopIndexShowing(int _selected, int _topIndex, int _clientHeight, bool _down, const TListMetrics& _m) noexcept {
  const int visible = _m.RowHeight > 0 ? _clientHeight / _m.RowHeight : 0;
  if (_down) {
    if (_selected >= _topIndex + visible) return std::max(0, _selected - visible + 1);
  } else if (_selected < _topIndex) {
    return _selected;
  }
  return _topIndex;
}

TRowEditorLayout RowEditorLayout(int _width, int _height, int _splitterPos, bool _hasEditButton,
                                 bool _hasVisualControl, const TListMetrics& _m) noexcept {
  TRowEditorLayout l;
  const int buttonWidth = _height + 1, buttonHeight = _height - 1;
  const int dropLeft = _width - _height - 1;
  l.DropDown = RECT{dropLeft, 0, dropLeft + buttonWidth, buttonHeight};
  l.DropDownVisible = dropLeft > _splitterPos;
  int reserved = l.DropDownVisible ? buttonWidth - 1 : 0;
  const int editLeft = dropLeft - buttonWidth;
  l.EditButton = RECT{editLeft, 0, editLeft + buttonWidth, buttonHeight};
  l.EditButtonVisible = _hasEditButton && editLeft > _splitterPos;
  if (l.EditButtonVisible) reserved += buttonWidth;
  const int box = _hasVisualControl ? _m.RowHeight : 0;
  const int editHeight = _m.FormTextHeight;
  const int top = RoundHalfEven(_height / 2.0 - editHeight / 2.0);
  const int left = _splitterPos + box + _m.Px(4);
  const int width = std::max(0, _width - _splitterPos - box - _m.Px(4) - reserved - 1);
  l.Edit = RECT{left, top, left + width, top + editHeight - 1};
  return l;
}

RECT PopupRect(int _clientWidth, int _clientHeight, const RECT& _rowEditor, int _splitterPos, int _desiredWidth,
               int _desiredHeight, const TListMetrics&) noexcept {
  const int below = _clientHeight - _rowEditor.top - (_rowEditor.bottom - _rowEditor.top);
  const int above = _rowEditor.top;
  int top = 0, height = 0;
  if (_desiredHeight > below && below < above) {
    height = std::min(_desiredHeight, above);
    top = _rowEditor.top - height;  // opens upward
  } else {
    height = std::min(_desiredHeight, below);
    top = _rowEditor.bottom - 1;  // over the editor's last pixel line
  }
  const int width = std::max(_clientWidth - _splitterPos - 2, _desiredWidth);
  const int left = _clientWidth - width;
  return RECT{left, top, left + width, top + height};
}

}  // namespace tessera
