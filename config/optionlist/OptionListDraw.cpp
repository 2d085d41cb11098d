#include "config/optionlist/OptionListDraw.h"

#include <vssym32.h>

#include <algorithm>
#include <atomic>

#include "config/optionlist/OptionListTexts.h"
#include "settings/ColorOption.h"

namespace tessera {
namespace {

constexpr COLORREF kNavy = 0x800000;
constexpr COLORREF kPureRed = 0x0000FF;
constexpr UINT kRowTextFlags = DT_NOPREFIX | DT_SINGLELINE | DT_VCENTER;  // 0x824

std::atomic<COLORREF> gValueColor{kNavy};

void Fill(HDC _dc, const RECT& _rect, int _sysColor) { ::FillRect(_dc, &_rect, ::GetSysColorBrush(_sysColor)); }

void FillColor(HDC _dc, const RECT& _rect, COLORREF _color) {
  // ExtTextOut with an opaque rectangle fills without making a brush.
  const COLORREF old = ::SetBkColor(_dc, _color);
  ::ExtTextOutW(_dc, 0, 0, ETO_OPAQUE, &_rect, nullptr, 0, nullptr);
  ::SetBkColor(_dc, old);
}

// Selects an object for the life of the scope.
class TSelected {
public:
  TSelected(HDC _dc, HGDIOBJ _object) : FDc(_dc), FOld(_object ? ::SelectObject(_dc, _object) : nullptr) {}
  TSelected(const TSelected&) = delete;
  TSelected& operator=(const TSelected&) = delete;
  ~TSelected() {
    if (FOld) ::SelectObject(FDc, FOld);
  }

private:
  HDC FDc;
  HGDIOBJ FOld;
};

void DrawText(HDC _dc, const std::wstring& _text, RECT _rect, UINT _flags) {
  if (_text.empty() || _rect.right <= _rect.left) return;
  ::DrawTextW(_dc, _text.c_str(), static_cast<int>(_text.size()), &_rect, _flags);
}

}  // namespace

bool IsHighContrast() noexcept {
  HIGHCONTRASTW contrast{};
  contrast.cbSize = sizeof(contrast);
  return ::SystemParametersInfoW(SPI_GETHIGHCONTRAST, sizeof(contrast), &contrast, 0) &&
         (contrast.dwFlags & HCF_HIGHCONTRASTON) != 0;
}

COLORREF ValueColor() noexcept { return gValueColor.load(); }

void UpdateValueColor() noexcept { gValueColor = IsHighContrast() ? ::GetSysColor(COLOR_WINDOWTEXT) : kNavy; }

COLORREF PaintColorOf(int _optionColor) noexcept {
  const auto value = static_cast<unsigned>(_optionColor);
  // 0xFF000000 + index names a system colour.
  if ((value & 0xFF000000u) == 0xFF000000u) return ::GetSysColor(static_cast<int>(value & 0xFFu));
  return value & 0x00FFFFFFu;
}

void TDrawTools::Refresh(HFONT _font) {
  FFont = _font ? _font : static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT));
  LOGFONTW description{};
  ::GetObjectW(FFont, sizeof(description), &description);
  description.lfWeight = FW_BOLD;
  FBoldFont.reset(::CreateFontIndirectW(&description));
  LOGBRUSH shadow{BS_SOLID, ::GetSysColor(COLOR_BTNSHADOW), 0};
  FDottedPen.reset(::ExtCreatePen(PS_COSMETIC | PS_ALTERNATE, 1, &shadow, 0, nullptr));
  FShadowPen.reset(::CreatePen(PS_SOLID, 1, ::GetSysColor(COLOR_BTNSHADOW)));
}

int MeasureTextHeight(HFONT _font) {
  HDC screen = ::GetDC(nullptr);
  if (!screen) return 0;
  HGDIOBJ old = ::SelectObject(screen, _font ? static_cast<HGDIOBJ>(_font) : ::GetStockObject(DEFAULT_GUI_FONT));
  SIZE size{};
  ::GetTextExtentPoint32W(screen, L"Ij", 2, &size);
  ::SelectObject(screen, old);
  ::ReleaseDC(nullptr, screen);
  return size.cy;
}

void DrawRowBottomLine(HDC _dc, const TDrawTools& _tools, const RECT& _rect) {
  TSelected pen(_dc, _tools.DottedPen());
  ::MoveToEx(_dc, _rect.left, _rect.bottom - 1, nullptr);
  ::LineTo(_dc, _rect.right, _rect.bottom - 1);
}

void DrawGroupRow(HDC _dc, const TDrawTools& _tools, const RECT& _rect, const TOptionGroup& _group, bool _focused,
                  bool _selected, bool _enabled, int _indent, bool _changed) {
  Fill(_dc, _rect, COLOR_WINDOW);
  RECT fill = _rect;
  --fill.bottom;
  Fill(_dc, fill, !_selected ? COLOR_WINDOW : _focused ? COLOR_HIGHLIGHT : COLOR_BTNFACE);
  DrawRowBottomLine(_dc, _tools, _rect);

  RECT text = _rect;
  if (_group.GetCanCollapse()) {
    const RECT box = ExpandBoxRect(_rect, _indent, _tools.Metrics);
    DrawExpandButton(_dc, _tools, box, _group.GetCollapsed());
    text.left = box.right + 1;
  } else {
    text.left = _rect.left + 1;
  }
  int color = COLOR_WINDOWTEXT;
  if (!_enabled)
    color = COLOR_GRAYTEXT;
  else if (_selected && _focused)
    color = COLOR_HIGHLIGHTTEXT;
  TSelected font(_dc, _tools.BoldFont());
  ::SetBkMode(_dc, TRANSPARENT);
  ::SetTextColor(_dc, ::GetSysColor(color));
  DrawText(_dc, _group.GetCaption() + (_changed ? L"*" : L""), text, kRowTextFlags);
}

void DrawExpandButton(HDC _dc, const TDrawTools& _tools, const RECT& _box, bool _collapsed) {
  const RECT glyph = ExpandGlyphRect(_box);
  if (_tools.TreeTheme) {
    ::DrawThemeBackground(_tools.TreeTheme, _dc, TVP_GLYPH, _collapsed ? GLPS_CLOSED : GLPS_OPENED, &glyph, nullptr);
    return;
  }
  // A square with a dark frame and a white inside, a minus in it, and a plus while the group is folded. The
  // strokes are as thick as one pixel at 96 DPI, scaled.
  const int side = glyph.right - glyph.left;
  const int stroke = std::max(1, _tools.Metrics.Px(1));
  const int inset = _tools.Metrics.Px(2);
  Fill(_dc, glyph, COLOR_3DDKSHADOW);
  RECT inside{glyph.left + stroke, glyph.top + stroke, glyph.right - stroke, glyph.bottom - stroke};
  FillColor(_dc, inside, RGB(255, 255, 255));
  const int middle = (side - stroke) / 2;
  RECT across{glyph.left + inset, glyph.top + middle, glyph.right - inset, glyph.top + middle + stroke};
  FillColor(_dc, across, RGB(0, 0, 0));
  if (_collapsed) {
    RECT down{glyph.left + middle, glyph.top + inset, glyph.left + middle + stroke, glyph.bottom - inset};
    FillColor(_dc, down, RGB(0, 0, 0));
  }
}

COLORREF OptionBoxColor(const TCustomInheritingOption& _option) noexcept {
  if (const auto* color = dynamic_cast<const TCustomInheritingColorOption*>(&_option))
    return PaintColorOf(color->GetValue());
  return 0;
}

TValueText OptionValueText(const TCustomInheritingOption& _option) {
  TValueText value;
  if (_option.HasFlag(flValueRequired) && !_option.GetValuePresent()) {
    value.Text = MissingValueText(_option.GetInheritValue());
    value.Missing = true;
  } else {
    value.Text = _option.GetValueAsTextWithInherit();
    value.Bold = _option.GetValueOrInheritChangedFromDefaultUI();
  }
  return value;
}

void DrawOptionRow(HDC _dc, const TDrawTools& _tools, const RECT& _rect, const TCustomInheritingOption& _option,
                   bool /*_focused*/, bool _selected, bool _enabled, int _indent, int _splitterPos) {
  const TListMetrics& m = _tools.Metrics;
  Fill(_dc, _rect, COLOR_WINDOW);
  RECT cell{_rect.left, _rect.top, _rect.left + _splitterPos, _rect.bottom - 1};
  if (_selected && cell.right > cell.left) Fill(_dc, cell, COLOR_BTNFACE);
  DrawRowBottomLine(_dc, _tools, _rect);

  ::SetBkMode(_dc, TRANSPARENT);
  {
    TSelected font(_dc, _tools.Font());
    ::SetTextColor(_dc, ::GetSysColor(_enabled ? COLOR_WINDOWTEXT : COLOR_GRAYTEXT));
    DrawText(_dc, _option.GetCaption(), CaptionTextRect(_rect, _indent, _splitterPos, m), kRowTextFlags);
  }
  {
    TSelected pen(_dc, _tools.ShadowPen());
    ::MoveToEx(_dc, _rect.left + _splitterPos, _rect.top, nullptr);
    ::LineTo(_dc, _rect.left + _splitterPos, _rect.bottom);
  }
  const bool hasBox = _option.GetHasVisualControl();
  if (hasBox)
    DrawVisualControl(_dc, _tools, VisualControlRect(_rect, _splitterPos, m), _option.GetVisualControlType(),
                      _option.GetVisualControlChecked(), _option.GetEnabled(), OptionBoxColor(_option));
  if (_selected) return;  // the row editor's edit box shows the value

  const TValueText value = OptionValueText(_option);
  TSelected font(_dc, value.Bold ? _tools.BoldFont() : _tools.Font());
  ::SetTextColor(_dc, value.Missing ? kPureRed : _enabled ? ValueColor() : ::GetSysColor(COLOR_GRAYTEXT));
  const UINT flags = kRowTextFlags | (_option.HasFlag(flPathEllipsis) ? DT_PATH_ELLIPSIS : 0);
  DrawText(_dc, value.Text, ValueTextRect(_rect, _splitterPos, hasBox, m), flags);
}

void DrawVisualControl(HDC _dc, const TDrawTools& _tools, const RECT& _box, TVisualControlType _type, bool _checked,
                       bool _enabled, COLORREF _color) {
  if (_type == vcNone) return;
  if (_tools.ButtonTheme) {
    int part = BP_CHECKBOX, state = 0;
    if (_type == vcColorBox)
      state = _enabled ? CBS_UNCHECKEDNORMAL : CBS_UNCHECKEDDISABLED;
    else {
      part = _type == vcRadioButton ? BP_RADIOBUTTON : BP_CHECKBOX;
      state = _enabled ? (_checked ? CBS_CHECKEDNORMAL : CBS_UNCHECKEDNORMAL)
                       : (_checked ? CBS_CHECKEDDISABLED : CBS_UNCHECKEDDISABLED);
    }
    ::DrawThemeBackground(_tools.ButtonTheme, _dc, part, state, &_box, nullptr);
    if (_type == vcColorBox) {
      RECT inside{_box.left + 1, _box.top + 1, _box.right - 1, _box.bottom - 1};
      FillColor(_dc, inside, _color);
    }
    return;
  }
  if (_type == vcColorBox) {
    UniqueGdiObject brush(::CreateSolidBrush(_color));
    TSelected pen(_dc, _tools.ShadowPen());
    TSelected fill(_dc, brush.get());
    ::Rectangle(_dc, _box.left, _box.top, _box.right, _box.bottom);
    return;
  }
  UINT state = _type == vcRadioButton ? DFCS_BUTTONRADIO : DFCS_BUTTONCHECK;
  if (_checked) state |= DFCS_CHECKED;
  if (!_enabled) state |= DFCS_INACTIVE;
  RECT box = _box;
  ::DrawFrameControl(_dc, &box, DFC_BUTTON, state);
}

}  // namespace tessera
