// The divider position: margins, the position the user chose, and the list's width.
#include <gtest/gtest.h>

#include "config/optionlist/VirtualSplitter.h"

namespace tessera {
namespace {

TEST(VirtualSplitter, ClampsToTheMarginsTheLeftOneWinningWhenTheyOverlap) {
  TvVirtualSplitter splitter;
  splitter.SetParentWidth(400);
  const struct {
    int width, asked, expected;
  } cases[] = {
      {400, 200, 200}, {400, 10, 50}, {400, 350, 350}, {400, 351, 350}, {400, 5000, 350}, {400, -20, 50},
      {80, 60, 50},    // margins overlap: 80 - 50 = 30 < 50, the left one wins
  };
  for (const auto& c : cases) {
    TvVirtualSplitter s;
    s.SetParentWidth(c.width);
    s.SetPosition(c.asked);
    EXPECT_EQ(s.Position(), c.expected) << c.width << " " << c.asked;
  }
}

TEST(VirtualSplitter, NarrowingPushesItLeftAndWideningBringsItBackNoFurther) {
  TvVirtualSplitter splitter;
  int moves = 0;
  splitter.OnMoved = [&](TvVirtualSplitter&) { ++moves; };
  splitter.SetParentWidth(500);
  splitter.SetPosition(300);
  EXPECT_EQ(moves, 1);
  splitter.SetParentWidth(320);  // 320 - 50 < 300
  EXPECT_EQ(splitter.Position(), 270);
  splitter.SetParentWidth(330);
  EXPECT_EQ(splitter.Position(), 280);
  splitter.SetParentWidth(800);  // back where the user put it, not further
  EXPECT_EQ(splitter.Position(), 300);
  EXPECT_EQ(splitter.UserPosition(), 300);
  EXPECT_EQ(moves, 4);
  splitter.SetParentWidth(800);
  splitter.SetPosition(300);
  EXPECT_EQ(moves, 4);  // no event without a move
}

TEST(VirtualSplitter, InitialPositionSetsEverythingWithoutAnEvent) {
  TvVirtualSplitter splitter;
  int moves = 0;
  splitter.OnMoved = [&](TvVirtualSplitter&) { ++moves; };
  splitter.SetInitialPosition(150);
  EXPECT_EQ(splitter.Position(), 150);
  EXPECT_EQ(splitter.UserPosition(), 150);
  EXPECT_EQ(splitter.InitialPosition(), 150);
  EXPECT_EQ(moves, 0);
  EXPECT_EQ(splitter.MinLeft(), 50);
  EXPECT_EQ(splitter.MinRight(), 50);
}

TEST(VirtualSplitter, FollowsADpiChange) {
  TvVirtualSplitter splitter;
  splitter.SetParentWidth(400);
  splitter.SetPosition(120);
  splitter.SetParentWidth(800);
  splitter.Rescale(192, 96);
  EXPECT_EQ(splitter.Position(), 240);
  EXPECT_EQ(splitter.MinLeft(), 100);
  EXPECT_EQ(splitter.MinRight(), 100);
  splitter.SetPosition(10);
  EXPECT_EQ(splitter.Position(), 100);
}

}  // namespace
}  // namespace tessera
