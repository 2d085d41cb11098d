// The rows as pixels: what the drawing says to the user (bold for a changed value, red for a missing required
// one, the group's "*", checked and unchecked boxes, plus and minus, the selected row's colours), painted
// into a memory bitmap, with the classic frame controls and, where the system has one, with the theme.
#include <gtest/gtest.h>

#include <windows.h>

#include <cwchar>
#include <functional>

#include "config/optionlist/OptionListDraw.h"
#include "config/optionlist/OptionListThemes.h"
#include "support/OptionListSample.h"

namespace tessera::test {
namespace {

// A 32-bit top-down bitmap selected into a memory DC.
class TCanvas {
public:
  TCanvas(int width, int height) : FWidth(width), FHeight(height) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    FDc = ::CreateCompatibleDC(nullptr);
    FBitmap.reset(::CreateDIBSection(FDc, &info, DIB_RGB_COLORS, reinterpret_cast<void**>(&FBits), nullptr, 0));
    FOld = ::SelectObject(FDc, FBitmap.get());
    RECT all{0, 0, width, height};
    ::FillRect(FDc, &all, static_cast<HBRUSH>(::GetStockObject(GRAY_BRUSH)));
  }
  ~TCanvas() {
    ::SelectObject(FDc, FOld);
    ::DeleteDC(FDc);
  }
  HDC Dc() const { return FDc; }
  // The pixel as a COLORREF (red in the lowest byte).
  COLORREF At(int x, int y) const {
    ::GdiFlush();
    const DWORD v = FBits[y * FWidth + x];
    return RGB((v >> 16) & 0xFF, (v >> 8) & 0xFF, v & 0xFF);
  }
  int Count(const RECT& r, const std::function<bool(COLORREF)>& test) const {
    int n = 0;
    for (int y = std::max(0L, r.top); y < std::min<LONG>(FHeight, r.bottom); ++y)
      for (int x = std::max(0L, r.left); x < std::min<LONG>(FWidth, r.right); ++x)
        if (test(At(x, y))) ++n;
    return n;
  }
  // The rightmost column with a pixel that passes; -1 when none.
  int Rightmost(const RECT& r, const std::function<bool(COLORREF)>& test) const {
    for (int x = std::min<LONG>(FWidth, r.right) - 1; x >= r.left; --x)
      for (int y = r.top; y < r.bottom; ++y)
        if (test(At(x, y))) return x;
    return -1;
  }

private:
  int FWidth, FHeight;
  HDC FDc;
  DWORD* FBits = nullptr;
  UniqueGdiObject FBitmap;
  HGDIOBJ FOld;
};

bool Dark(COLORREF c) { return GetRValue(c) + GetGValue(c) + GetBValue(c) < 200; }
bool Is(COLORREF c, COLORREF expected) { return c == expected; }
bool Ink(COLORREF c) { return c != ::GetSysColor(COLOR_WINDOW) && c != ::GetSysColor(COLOR_BTNFACE); }

UniqueGdiObject Tahoma(int height) {
  LOGFONTW font{};
  font.lfHeight = height;
  font.lfWeight = FW_NORMAL;
  font.lfCharSet = DEFAULT_CHARSET;
  ::wcsncpy(font.lfFaceName, L"Tahoma", LF_FACESIZE - 1);
  return UniqueGdiObject(::CreateFontIndirectW(&font));
}

class DrawTest : public ::testing::Test {
protected:
  void SetUp() override { UseDpi(96); }
  void UseDpi(UINT dpi) {
    FFont = Tahoma(-::MulDiv(8, static_cast<int>(dpi), 72));
    FTools.Refresh(static_cast<HFONT>(FFont.get()));
    const int text = MeasureTextHeight(static_cast<HFONT>(FFont.get()));
    FTools.Metrics = TListMetrics{RowHeightForText(text), text, text, dpi};
    UpdateValueColor();
  }
  RECT Row() const { return RECT{0, 0, kWidth, FTools.Metrics.RowHeight}; }
  RECT Value(bool hasBox) const { return ValueTextRect(Row(), kSplitter, hasBox, FTools.Metrics); }
  void DrawOption(TCanvas& canvas, const TCustomInheritingOption& option, bool selected = false) {
    DrawOptionRow(canvas.Dc(), FTools, Row(), option, false, selected, option.GetEnabled(), 0, kSplitter);
  }

  static constexpr int kWidth = 320, kSplitter = 120;
  UniqueGdiObject FFont;
  TDrawTools FTools;
  TSampleStore FSample = MakeSampleStore();
};

TEST_F(DrawTest, AValueThatDiffersFromItsDefaultIsBoldInTheValueColour) {
  TOptionStore store;
  TStringOption* same = store.CreateStringOption(L"Value", L"A", L"Caption", 0);
  TStringOption* changed = store.CreateStringOption(L"Other", L"B", L"Caption", 0);
  changed->SetValue(L"Value");  // the same text, but not the default
  TCanvas plain(kWidth, 40), bold(kWidth, 40);
  DrawOption(plain, *same);
  DrawOption(bold, *changed);
  const int plainInk = plain.Count(Value(false), [](COLORREF c) { return Is(c, ValueColor()); });
  const int boldInk = bold.Count(Value(false), [](COLORREF c) { return Is(c, ValueColor()); });
  EXPECT_GT(plainInk, 20);
  EXPECT_GT(boldInk, plainInk * 5 / 4) << plainInk << " " << boldInk;
  EXPECT_EQ(ValueColor(), IsHighContrast() ? ::GetSysColor(COLOR_WINDOWTEXT) : RGB(0, 0, 128));
  // The caption is the same in both.
  const RECT caption{0, 0, kSplitter, FTools.Metrics.RowHeight};
  EXPECT_EQ(plain.Count(caption, Dark), bold.Count(caption, Dark));
}

TEST_F(DrawTest, AMissingRequiredValueIsRedUnlessTheRowIsSelected) {
  const auto red = [](COLORREF c) { return Is(c, RGB(255, 0, 0)); };
  TCanvas missing(kWidth, 40), inherits(kWidth, 40), present(kWidth, 40), selected(kWidth, 40);
  DrawOption(missing, *FSample.Editor);
  DrawOption(selected, *FSample.Editor, true);
  FSample.Editor->SetValue(L"notepad.exe");
  DrawOption(present, *FSample.Editor);
  EXPECT_GT(missing.Count(Value(false), red), 20);
  EXPECT_EQ(present.Count(Value(false), red), 0);
  EXPECT_GT(present.Count(Value(false), [](COLORREF c) { return Is(c, ValueColor()); }), 20);
  EXPECT_EQ(selected.Count(Value(false), Ink), 0);  // the row editor's edit box shows the value there
  // Inheriting, the text is "Inherit (not specified)": longer.
  TOptionStore store;
  TStringOption* parent = store.CreateStringOption(L"", L"P", L"Parent", 0);
  TInheritingStringOption* child = store.CreateInheritingStringOption(parent, true, L"", L"C", L"Child", 0);
  child->AddOptionListFlags(TOptionFlags{flValueRequired});
  DrawOption(inherits, *child);
  EXPECT_GT(inherits.Rightmost(Value(false), red), missing.Rightmost(Value(false), red) + 20);
  EXPECT_EQ(OptionValueText(*child).Text, L"Inherit (not specified)");
  EXPECT_EQ(OptionValueText(*parent).Text, L"");
}

TEST_F(DrawTest, DisabledOptionsAreGrey) {
  TCanvas canvas(kWidth, 40);
  DrawOption(canvas, *FSample.Disabled);
  const COLORREF grey = ::GetSysColor(COLOR_GRAYTEXT);
  EXPECT_GT(canvas.Count(Value(true), [&](COLORREF c) { return Is(c, grey); }), 10);
  EXPECT_EQ(canvas.Count(Value(true), [](COLORREF c) { return Is(c, ValueColor()); }), 0);
  const RECT caption{0, 0, kSplitter, FTools.Metrics.RowHeight};
  EXPECT_GT(canvas.Count(caption, [&](COLORREF c) { return Is(c, grey); }), 10);
}

TEST_F(DrawTest, AGroupWithAChangedOptionCarriesAStarAfterItsCaption) {
  TOptionGroup* group = FSample.Store->GroupByName(L"General");
  TCanvas plain(kWidth, 40), marked(kWidth, 40);
  DrawGroupRow(plain.Dc(), FTools, Row(), *group, false, false, true, 0, false);
  DrawGroupRow(marked.Dc(), FTools, Row(), *group, false, false, true, 0, true);
  const RECT row = Row();
  const int plainRight = plain.Rightmost(row, Dark), markedRight = marked.Rightmost(row, Dark);
  EXPECT_GT(markedRight, plainRight + 2);
  EXPECT_LT(markedRight, plainRight + 15);
}

TEST_F(DrawTest, SelectionColoursOfGroupAndOptionRows) {
  TOptionGroup* group = FSample.Store->GroupByName(L"General");
  const RECT row = Row();
  const int empty = kWidth - 3, top = 2;
  struct {
    bool focused, selected;
    int fill;
  } cases[] = {{false, false, COLOR_WINDOW}, {true, true, COLOR_HIGHLIGHT}, {false, true, COLOR_BTNFACE}};
  for (const auto& c : cases) {
    TCanvas canvas(kWidth, 40);
    DrawGroupRow(canvas.Dc(), FTools, row, *group, c.focused, c.selected, true, 0, false);
    EXPECT_EQ(canvas.At(empty, top), ::GetSysColor(c.fill)) << c.focused << c.selected;
    // The last pixel line is the dotted line across the whole row.
    const int last = row.bottom - 1;
    EXPECT_NE(canvas.At(10, last), canvas.At(11, last));
    EXPECT_TRUE(canvas.At(10, last) == ::GetSysColor(COLOR_BTNSHADOW) ||
                canvas.At(11, last) == ::GetSysColor(COLOR_BTNSHADOW));
  }
  TCanvas option(kWidth, 40), selected(kWidth, 40);
  DrawOption(option, *FSample.Title);
  DrawOption(selected, *FSample.Title, true);
  EXPECT_EQ(option.At(kSplitter - 3, top), ::GetSysColor(COLOR_WINDOW));
  EXPECT_EQ(selected.At(kSplitter - 3, top), ::GetSysColor(COLOR_BTNFACE));
  EXPECT_EQ(selected.At(kWidth - 3, top), ::GetSysColor(COLOR_WINDOW));
  // The divider: a solid line over the whole row.
  for (int y = 0; y < row.bottom; ++y) EXPECT_EQ(option.At(kSplitter, y), ::GetSysColor(COLOR_BTNSHADOW)) << y;
}

// Dark pixels inside the box, away from its frame.
int Mark(const TCanvas& canvas, const RECT& box) {
  const RECT inside{box.left + 3, box.top + 3, box.right - 3, box.bottom - 3};
  return canvas.Count(inside, Dark);
}

void ExpectBoxes(const TDrawTools& tools) {
  const RECT box{4, 2, 4 + tools.Metrics.RowHeight - tools.Metrics.Px(5), 2 + tools.Metrics.RowHeight - tools.Metrics.Px(5)};
  for (TVisualControlType type : {vcCheckBox, vcRadioButton}) {
    SCOPED_TRACE(type);
    TCanvas checked(40, 40), unchecked(40, 40);
    DrawVisualControl(checked.Dc(), tools, box, type, true, true, 0);
    DrawVisualControl(unchecked.Dc(), tools, box, type, false, true, 0);
    EXPECT_GT(Mark(checked, box), Mark(unchecked, box) + 4);
  }
  // A colour box is filled with its colour; a system colour is painted as what it names.
  for (int color : {0x00FF00, static_cast<int>(0xFF000000u + COLOR_HIGHLIGHT)}) {
    TCanvas canvas(40, 40);
    DrawVisualControl(canvas.Dc(), tools, box, vcColorBox, false, true, PaintColorOf(color));
    EXPECT_EQ(canvas.At((box.left + box.right) / 2, (box.top + box.bottom) / 2), PaintColorOf(color));
  }
  EXPECT_EQ(PaintColorOf(static_cast<int>(0xFF000000u + COLOR_HIGHLIGHT)), ::GetSysColor(COLOR_HIGHLIGHT));
  TCanvas none(40, 40);
  DrawVisualControl(none.Dc(), tools, box, vcNone, true, true, 0);
  EXPECT_EQ(none.Count(RECT{0, 0, 40, 40}, [](COLORREF c) { return c != RGB(128, 128, 128); }), 0);
}

TEST_F(DrawTest, CheckBoxesRadioButtonsAndColourBoxesClassic) { ExpectBoxes(FTools); }

TEST_F(DrawTest, CheckBoxesRadioButtonsAndColourBoxesThemed) {
  TOptionListThemes themes;
  themes.Open(nullptr, 96);
  if (!themes.Button()) GTEST_SKIP() << "no visual-styles theme for BUTTON on this system";
  FTools.ButtonTheme = themes.Button();
  ExpectBoxes(FTools);
}

TEST_F(DrawTest, PlusWhileFoldedMinusWhileUnfolded) {
  for (UINT dpi : {96u, 192u}) {
    SCOPED_TRACE(dpi);
    UseDpi(dpi);
    const RECT box = ExpandBoxRect(Row(), 0, FTools.Metrics);
    const RECT glyph = ExpandGlyphRect(box);
    const int stroke = FTools.Metrics.Px(1), middle = (glyph.right - glyph.left - stroke) / 2;
    TCanvas plus(80, 80), minus(80, 80);
    DrawExpandButton(plus.Dc(), FTools, box, true);
    DrawExpandButton(minus.Dc(), FTools, box, false);
    const POINT across{glyph.left + middle + stroke + 1, glyph.top + middle};  // on the horizontal bar
    const POINT down{glyph.left + middle, glyph.top + FTools.Metrics.Px(3)};   // on the vertical bar only
    EXPECT_EQ(plus.At(across.x, across.y), RGB(0, 0, 0));
    EXPECT_EQ(minus.At(across.x, across.y), RGB(0, 0, 0));
    EXPECT_EQ(plus.At(down.x, down.y), RGB(0, 0, 0));
    EXPECT_EQ(minus.At(down.x, down.y), RGB(255, 255, 255));
    EXPECT_EQ(plus.At(glyph.left, glyph.top), ::GetSysColor(COLOR_3DDKSHADOW));
    // Strokes as thick as a pixel at 96 DPI, scaled.
    EXPECT_EQ(plus.At(across.x, across.y + stroke - 1), RGB(0, 0, 0));
    EXPECT_EQ(plus.At(across.x, across.y + stroke), RGB(255, 255, 255));
  }
}

TEST_F(DrawTest, TheThemedExpandBoxShowsItsState) {
  TOptionListThemes themes;
  themes.Open(nullptr, 96);
  if (!themes.Tree()) GTEST_SKIP() << "no visual-styles theme for TREEVIEW on this system";
  FTools.TreeTheme = themes.Tree();
  const RECT box = ExpandBoxRect(Row(), 0, FTools.Metrics);
  TCanvas plus(80, 80), minus(80, 80);
  DrawExpandButton(plus.Dc(), FTools, box, true);
  DrawExpandButton(minus.Dc(), FTools, box, false);
  int differing = 0;
  for (int y = box.top; y < box.bottom; ++y)
    for (int x = box.left; x < box.right; ++x)
      if (plus.At(x, y) != minus.At(x, y)) ++differing;
  EXPECT_GT(differing, 0);
}

TEST_F(DrawTest, AnOptionRowsBoxSitsRightOfTheDivider) {
  TCanvas checked(kWidth, 40), unchecked(kWidth, 40);
  DrawOption(checked, *FSample.ShowIcons);
  FSample.ShowIcons->SetValue(false);
  DrawOption(unchecked, *FSample.ShowIcons);
  const RECT box = VisualControlRect(Row(), kSplitter, FTools.Metrics);
  EXPECT_GT(Mark(checked, box), Mark(unchecked, box) + 4);
  EXPECT_GT(checked.Count(Value(true), [](COLORREF c) { return Is(c, ValueColor()); }), 5);  // "Yes"
}

}  // namespace
}  // namespace tessera::test
