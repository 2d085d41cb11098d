// Where the rows' parts, the row editor's children and the popup go, at 96 DPI and scaled.
#include <gtest/gtest.h>

#include "config/optionlist/OptionListGeometry.h"

namespace tessera {
namespace {

bool Same(const RECT& a, const RECT& b) { return ::EqualRect(&a, &b) != FALSE; }
std::string Text(const RECT& r) {
  return std::to_string(r.left) + "," + std::to_string(r.top) + "," + std::to_string(r.right) + "," +
         std::to_string(r.bottom);
}

const TListMetrics k96{17, 13, 13, 96};
const TListMetrics k192{34, 26, 26, 192};

TEST(Geometry, RowHeightIsTheTextHeightTimesOnePointThreeRoundedHalfToEven) {
  const struct {
    int text, row;
  } cases[] = {{13, 17}, {15, 20}, {5, 6}, {25, 32}, {26, 34}, {16, 21}, {0, 0}};
  for (const auto& c : cases) EXPECT_EQ(RowHeightForText(c.text), c.row) << c.text;
  EXPECT_EQ(RoundHalfEven(2.5), 2);
  EXPECT_EQ(RoundHalfEven(3.5), 4);
  EXPECT_EQ(RoundHalfEven(-0.5), 0);
}

TEST(Geometry, RowPartsAt96And192Dpi) {
  const RECT row{0, 34, 300, 51};
  EXPECT_TRUE(Same(VisualControlRect(row, 100, k96), RECT{104, 36, 116, 48}));
  EXPECT_TRUE(Same(VisualControlRect(row, 0, k96), RECT{1, 36, 13, 48}));   // divider at 0: at the left edge
  EXPECT_TRUE(Same(VisualControlRect(row, -7, k96), RECT{1, 36, 13, 48}));
  EXPECT_TRUE(Same(ValueTextRect(row, 100, true, k96), RECT{120, 34, 300, 49}));
  EXPECT_TRUE(Same(ValueTextRect(row, 100, false, k96), RECT{104, 34, 300, 49}));
  EXPECT_TRUE(Same(CaptionTextRect(row, 2, 100, k96), RECT{17, 34, 100, 49}));  // 2 * 13 / 2 + 4
  EXPECT_TRUE(Same(ExpandBoxRect(row, 1, k96), RECT{8, 34, 25, 51}));            // 13 / 2 + 2, a square of 17
  const RECT big{0, 68, 600, 102};
  EXPECT_TRUE(Same(VisualControlRect(big, 200, k192), RECT{208, 72, 232, 96})) << Text(VisualControlRect(big, 200, k192));
  EXPECT_TRUE(Same(ExpandBoxRect(big, 1, k192), RECT{17, 68, 51, 102}));
}

TEST(Geometry, TheExpandGlyphIsAnOddSquareNearTheMiddle) {
  const struct {
    RECT box, glyph;
  } cases[] = {
      {{0, 0, 17, 17}, {3, 3, 12, 12}},    // side 8 made odd
      {{10, 0, 26, 16}, {13, 3, 22, 12}},  // side 8 made odd
      {{0, 0, 34, 34}, {8, 8, 25, 25}},    // side 17
  };
  for (const auto& c : cases) EXPECT_TRUE(Same(ExpandGlyphRect(c.box), c.glyph)) << Text(ExpandGlyphRect(c.box));
}

TEST(Geometry, TheDividerIsGrabbedTwoPixelsEitherSideScaled) {
  EXPECT_TRUE(IsOnSplitter(98, 100, k96));
  EXPECT_TRUE(IsOnSplitter(102, 100, k96));
  EXPECT_FALSE(IsOnSplitter(97, 100, k96));
  EXPECT_FALSE(IsOnSplitter(103, 100, k96));
  EXPECT_TRUE(IsOnSplitter(196, 200, k192));
  EXPECT_FALSE(IsOnSplitter(195, 200, k192));
}

TEST(Geometry, RowsUnderPointsAndTheirRectangles) {
  EXPECT_EQ(RowAtPoint(0, 0, 10, k96), 0);
  EXPECT_EQ(RowAtPoint(16, 0, 10, k96), 0);
  EXPECT_EQ(RowAtPoint(17, 0, 10, k96), 1);
  EXPECT_EQ(RowAtPoint(17, 5, 10, k96), 6);
  EXPECT_EQ(RowAtPoint(170, 0, 10, k96), -1);  // below the last row
  EXPECT_EQ(RowAtPoint(-1, 0, 10, k96), -1);
  EXPECT_TRUE(Same(RowRect(7, 5, 300, k96), RECT{0, 34, 300, 51}));
  EXPECT_TRUE(Same(RowRect(3, 5, 300, k96), RECT{0, -34, 300, -17}));
}

TEST(Geometry, ScrollsOnlyAsFarAsTheSelectionNeeds) {
  // 10 whole rows of 17 in 175 pixels.
  EXPECT_EQ(TopIndexShowing(9, 0, 175, true, k96), 0);
  EXPECT_EQ(TopIndexShowing(10, 0, 175, true, k96), 1);
  EXPECT_EQ(TopIndexShowing(25, 3, 175, true, k96), 16);
  EXPECT_EQ(TopIndexShowing(2, 3, 175, false, k96), 2);
  EXPECT_EQ(TopIndexShowing(5, 3, 175, false, k96), 3);
}

TEST(Geometry, RowEditorLayout) {
  // 300 x 17, divider at 100: the drop-down button at the right, the edit box between them.
  TRowEditorLayout l = RowEditorLayout(300, 17, 100, false, false, k96);
  EXPECT_TRUE(l.DropDownVisible);
  EXPECT_TRUE(Same(l.DropDown, RECT{282, 0, 300, 16}));
  EXPECT_FALSE(l.EditButtonVisible);
  EXPECT_TRUE(Same(l.Edit, RECT{104, 2, 282, 14})) << Text(l.Edit);
  // With an edit button left of it, and a box before the value.
  l = RowEditorLayout(300, 17, 100, true, true, k96);
  EXPECT_TRUE(l.EditButtonVisible);
  EXPECT_TRUE(Same(l.EditButton, RECT{264, 0, 282, 16}));
  EXPECT_TRUE(Same(l.Edit, RECT{121, 2, 264, 14})) << Text(l.Edit);
  // The divider so far right that the drop-down button would start left of it: both buttons go, the edit box
  // fills the rest of the row.
  l = RowEditorLayout(60, 17, 50, true, false, k96);
  EXPECT_FALSE(l.DropDownVisible);
  EXPECT_FALSE(l.EditButtonVisible);
  EXPECT_TRUE(Same(l.Edit, RECT{54, 2, 59, 14})) << Text(l.Edit);
  // Odd leftover height: the edit box's top is rounded half to even.
  const TListMetrics odd{18, 13, 13, 96};
  EXPECT_EQ(RowEditorLayout(300, 18, 100, false, false, odd).Edit.top, 2);  // 9 - 6.5 = 2.5
  // Scaled.
  l = RowEditorLayout(600, 34, 200, false, true, k192);
  EXPECT_TRUE(Same(l.DropDown, RECT{565, 0, 600, 33}));
  EXPECT_TRUE(Same(l.Edit, RECT{242, 4, 565, 29})) << Text(l.Edit);
}

TEST(Geometry, ThePopupOpensBelowOrAboveRightAligned) {
  const RECT editor{0, 34, 300, 51};
  // Room below: under the editor, overlapping its last line; as wide as the value column, or wider.
  EXPECT_TRUE(Same(PopupRect(300, 400, editor, 100, 150, 80, k96), RECT{102, 50, 300, 130}));
  EXPECT_TRUE(Same(PopupRect(300, 400, editor, 100, 250, 80, k96), RECT{50, 50, 300, 130}));
  // Too tall for below and more room above: upward, cut to the room above.
  const RECT low{0, 340, 300, 357};
  EXPECT_TRUE(Same(PopupRect(300, 400, low, 100, 150, 200, k96), RECT{102, 140, 300, 340}));
  EXPECT_TRUE(Same(PopupRect(300, 400, low, 100, 150, 500, k96), RECT{102, 0, 300, 340}));
  // Too tall for either, more room below: below, cut to it.
  EXPECT_TRUE(Same(PopupRect(300, 400, editor, 100, 150, 500, k96), RECT{102, 50, 300, 399}));
}

}  // namespace
}  // namespace tessera
