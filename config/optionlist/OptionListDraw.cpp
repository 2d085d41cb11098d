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

// The font of a DC for a scope: selected only when another one is, put back at the end when it was changed.
class TFontInUse {
public:
  TFontInUse(HDC _dc, HFONT _font) : FDc(_dc) { Use(_font); }
  TFontInUse(const TFontInUse&) = delete;
  TFontInUse& operator=(const TFontInUse&) = delete;
  ~TFontInUse() {
    if (FOld) ::SelectObject(FDc, FOld);
  }
  void Use(HFONT _font) {
    if (!_font || ::GetCurrentObject(FDc, OBJ_FONT) == _font) return;
    HGDIOBJ old = ::SelectObject(FDc, _font);
    if (!FOld) FOld = old;
  }

private:
  HDC FDc;
  HGDIOBJ FOld = nullptr;
};

// A single line, centred vertically and clipped to the rectangle, as DrawTextW with DT_NOPREFIX |
// DT_SINGLELINE | DT_VCENTER draws it (0x824), at a fraction of its cost. _cellHeight: the font's.
void RowText(HDC _dc, const std::wstring& _text, const RECT& _rect, int _cellHeight) {
  if (_text.empty() || _rect.right <= _rect.left) return;
  const int y = _rect.top + (_rect.bottom - _rect.top - _cellHeight) / 2;
  ::ExtTextOutW(_dc, _rect.left, y, ETO_CLIPPED, &_rect, _text.c_str(), static_cast<UINT>(_text.size()), nullptr);
}

int CellHeight(HFONT _font) {
  HDC screen = ::GetDC(nullptr);
  if (!screen) return 0;
  HGDIOBJ old = ::SelectObject(screen, _font);
  TEXTMETRICW metrics{};
  ::GetTextMetricsW(screen, &metrics);
  ::SelectObject(screen, old);
  ::ReleaseDC(nullptr, screen);
  return metrics.tmHeight;
}

// An 8 x 8 pattern whose even columns are the dot colour: a brush that draws the row lines the way a cosmetic
// PS_ALTERNATE pen does, when the lines start at x 0 (the rows' left edge).
HBRUSH DottedPattern(COLORREF _dot, COLORREF _gap) {
  struct {
    BITMAPINFOHEADER header;
    DWORD pixels[64];
  } pattern{};
  pattern.header.biSize = sizeof(pattern.header);
  pattern.header.biWidth = 8;
  pattern.header.biHeight = 8;
  pattern.header.biPlanes = 1;
  pattern.header.biBitCount = 32;
  pattern.header.biCompression = BI_RGB;
  auto bgr = [](COLORREF c) { return static_cast<DWORD>(GetBValue(c) | (GetGValue(c) << 8) | (GetRValue(c) << 16)); };
  for (int i = 0; i < 64; ++i) pattern.pixels[i] = (i % 2 == 0) ? bgr(_dot) : bgr(_gap);
  return ::CreateDIBPatternBrushPt(&pattern, DIB_RGB_COLORS);
}

// A theme without pictures for this DPI (one opened for the system DPI only) draws the tree's plus and minus
// at their size for 96 DPI, lost in a larger box: then the classic ones are drawn, at the box's size.
bool ThemedGlyphFits(HDC _dc, HTHEME _theme, const RECT& _glyph) {
  SIZE size{};
  if (FAILED(::GetThemePartSize(_theme, _dc, TVP_GLYPH, GLPS_CLOSED, nullptr, TS_TRUE, &size))) return true;
  return size.cx * 4 >= (_glyph.right - _glyph.left) * 3;
}

// The key of a drawn part: its kind and state.
enum TPartKind : unsigned { pkThemedButton = 1, pkClassicButton, pkThemedGlyph };
unsigned PartKey(TPartKind _kind, int _part, int _state) {
  return (static_cast<unsigned>(_kind) << 24) | (static_cast<unsigned>(_part) << 12) | static_cast<unsigned>(_state);
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

TDrawTools::~TDrawTools() { ForgetDrawnParts(); }

void TDrawTools::Refresh(HFONT _font) {
  FFont = _font ? _font : static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT));
  LOGFONTW description{};
  ::GetObjectW(FFont, sizeof(description), &description);
  description.lfWeight = FW_BOLD;
  FBoldFont.reset(::CreateFontIndirectW(&description));
  FFontHeight = CellHeight(FFont);
  FBoldFontHeight = CellHeight(BoldFont());
  FDottedBrush.reset(DottedPattern(::GetSysColor(COLOR_BTNSHADOW), ::GetSysColor(COLOR_WINDOW)));
  FShadowPen.reset(::CreatePen(PS_SOLID, 1, ::GetSysColor(COLOR_BTNSHADOW)));
  ForgetDrawnParts();
}

void TDrawTools::ForgetDrawnParts() noexcept {
  for (TPart& part : FParts) {
    ::SelectObject(part.Dc, part.OldBitmap);
    ::DeleteDC(part.Dc);
  }
  FParts.clear();
}

void TDrawTools::DrawPart(HDC _dc, const RECT& _rect, unsigned _key, COLORREF _background,
                          const std::function<void(HDC, const RECT&)>& _paint) const {
  const int width = _rect.right - _rect.left, height = _rect.bottom - _rect.top;
  if (width <= 0 || height <= 0) return;
  const TPart* part = nullptr;
  for (const TPart& p : FParts)
    if (p.Key == _key && p.Width == width && p.Height == height && p.Background == _background) part = &p;
  if (!part) {
    // A 32-bit bitmap, as the rows' own, whatever the screen's depth.
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HDC dc = ::CreateCompatibleDC(nullptr);
    UniqueGdiObject bitmap(dc ? ::CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0) : nullptr);
    if (!bitmap) {
      if (dc) ::DeleteDC(dc);
      _paint(_dc, _rect);
      return;
    }
    HGDIOBJ old = ::SelectObject(dc, bitmap.get());
    const RECT all{0, 0, width, height};
    FillColor(dc, all, _background);
    _paint(dc, all);
    FParts.push_back(TPart{_key, width, height, _background, std::move(bitmap), dc, old});
    part = &FParts.back();
  }
  ::BitBlt(_dc, _rect.left, _rect.top, width, height, part->Dc, 0, 0, SRCCOPY);
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
  // The pattern's columns are counted from the DC's x 0, where the rows start.
  const RECT line{_rect.left, _rect.bottom - 1, _rect.right, _rect.bottom};
  ::FillRect(_dc, &line, _tools.DottedBrush());
}

void DrawGroupRow(HDC _dc, const TDrawTools& _tools, const RECT& _rect, const TOptionGroup& _group, bool _focused,
                  bool _selected, bool _enabled, int _indent, bool _changed) {
  Fill(_dc, _rect, COLOR_WINDOW);
  RECT fill = _rect;
  --fill.bottom;
  const int fillColor = !_selected ? COLOR_WINDOW : _focused ? COLOR_HIGHLIGHT : COLOR_BTNFACE;
  Fill(_dc, fill, fillColor);
  DrawRowBottomLine(_dc, _tools, _rect);

  RECT text = _rect;
  if (_group.GetCanCollapse()) {
    const RECT box = ExpandBoxRect(_rect, _indent, _tools.Metrics);
    DrawExpandButton(_dc, _tools, box, _group.GetCollapsed(), ::GetSysColor(fillColor));
    text.left = box.right + 1;
  } else {
    text.left = _rect.left + 1;
  }
  int color = COLOR_WINDOWTEXT;
  if (!_enabled)
    color = COLOR_GRAYTEXT;
  else if (_selected && _focused)
    color = COLOR_HIGHLIGHTTEXT;
  TFontInUse font(_dc, _tools.BoldFont());
  ::SetBkMode(_dc, TRANSPARENT);
  ::SetTextColor(_dc, ::GetSysColor(color));
  RowText(_dc, _group.GetCaption() + (_changed ? L"*" : L""), text, _tools.BoldFontHeight());
}

void DrawExpandButton(HDC _dc, const TDrawTools& _tools, const RECT& _box, bool _collapsed, COLORREF _background) {
  const RECT glyph = ExpandGlyphRect(_box);
  if (_tools.TreeTheme && ThemedGlyphFits(_dc, _tools.TreeTheme, glyph)) {
    const int state = _collapsed ? GLPS_CLOSED : GLPS_OPENED;
    _tools.DrawPart(_dc, glyph, PartKey(pkThemedGlyph, TVP_GLYPH, state), _background,
                    [&](HDC dc, const RECT& r) { ::DrawThemeBackground(_tools.TreeTheme, dc, TVP_GLYPH, state, &r, nullptr); });
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

  // Fonts are selected only where they change: a row is painted in a handful of microseconds.
  TFontInUse font(_dc, _tools.Font());
  ::SetBkMode(_dc, TRANSPARENT);
  ::SetTextColor(_dc, ::GetSysColor(_enabled ? COLOR_WINDOWTEXT : COLOR_GRAYTEXT));
  RowText(_dc, _option.GetCaption(), CaptionTextRect(_rect, _indent, _splitterPos, m), _tools.FontHeight());
  const RECT divider{_rect.left + _splitterPos, _rect.top, _rect.left + _splitterPos + 1, _rect.bottom};
  Fill(_dc, divider, COLOR_BTNSHADOW);
  const bool hasBox = _option.GetHasVisualControl();
  if (hasBox)
    DrawVisualControl(_dc, _tools, VisualControlRect(_rect, _splitterPos, m), _option.GetVisualControlType(),
                      _option.GetVisualControlChecked(), _option.GetEnabled(), OptionBoxColor(_option));
  if (_selected) return;  // the row editor's edit box shows the value

  const TValueText value = OptionValueText(_option);
  if (value.Bold) font.Use(_tools.BoldFont());
  ::SetTextColor(_dc, value.Missing ? kPureRed : _enabled ? ValueColor() : ::GetSysColor(COLOR_GRAYTEXT));
  RECT text = ValueTextRect(_rect, _splitterPos, hasBox, m);
  if (_option.HasFlag(flPathEllipsis)) {
    if (!value.Text.empty() && text.right > text.left)
      ::DrawTextW(_dc, value.Text.c_str(), static_cast<int>(value.Text.size()), &text, kRowTextFlags | DT_PATH_ELLIPSIS);
  } else {
    RowText(_dc, value.Text, text, value.Bold ? _tools.BoldFontHeight() : _tools.FontHeight());
  }
}

void DrawVisualControl(HDC _dc, const TDrawTools& _tools, const RECT& _box, TVisualControlType _type, bool _checked,
                       bool _enabled, COLORREF _color, COLORREF _background) {
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
    _tools.DrawPart(_dc, _box, PartKey(pkThemedButton, part, state), _background,
                    [&](HDC dc, const RECT& r) { ::DrawThemeBackground(_tools.ButtonTheme, dc, part, state, &r, nullptr); });
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
  _tools.DrawPart(_dc, _box, PartKey(pkClassicButton, DFC_BUTTON, static_cast<int>(state)),
                  _background, [&](HDC dc, const RECT& r) {
                    RECT box = r;
                    ::DrawFrameControl(dc, &box, DFC_BUTTON, state);
                  });
}

}  // namespace tessera
