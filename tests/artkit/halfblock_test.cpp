// Pixel art to half blocks: the nearest palette colour and which colour goes to the
// foreground.
#include <gtest/gtest.h>

#include "tools/artkit/halfblock.h"

namespace artkit {
namespace {

TEST(Nearest, PicksThePaletteColourTheEyeWouldPick) {
  EXPECT_EQ(Nearest({160, 80, 10}), 6);    // brown, not red
  EXPECT_EQ(Nearest({90, 90, 240}), 9);    // light blue
  EXPECT_EQ(Nearest({200, 100, 0}, 8), 6);  // backgrounds: only the dark eight
  for (int i = 0; i < 16; ++i) EXPECT_EQ(Nearest(PaletteColour(i)), i);  // exact colours
}

TEST(PackPair, BrightGoesToTheForegroundDarkToTheBackground) {
  struct Case { int top, bottom; Cell want; } cases[] = {
      {1, 1, {' ', 0x17}},           // equal and dark: a space on that background
      {14, 1, {0xDF, 0x1E}},         // bright top: upper half
      {1, 14, {0xDC, 0x1E}},         // bright bottom: lower half
      {4, 2, {0xDF, 0x24}},          // both dark: upper half, top as foreground
  };
  for (const Case& c : cases) {
    Cell got = PackPair(c.top, c.bottom);
    EXPECT_EQ(got.ch, c.want.ch) << c.top << "/" << c.bottom;
    EXPECT_TRUE(SameLook(got, c.want)) << c.top << "/" << c.bottom << " attr " << int(got.attr);
  }
  // Two bright colours: one is darkened; every result fits 16 fg + 8 bg.
  for (int t = 0; t < 16; ++t) {
    for (int b = 0; b < 16; ++b) {
      Cell c = PackPair(t, b);
      EXPECT_LT(c.attr, 0x80);
      if (t >= 8 && b >= 8 && t != b) {
        EXPECT_TRUE(c.ch == 0xDF || c.ch == 0xDC || c.ch == 0xDB);
      }
    }
  }
  // Yellow loses more when darkened than light red: it stays.
  EXPECT_EQ(PackPair(14, 12), (Cell{0xDF, Attr(14, Nearest(PaletteColour(12), 8))}));
}

TEST(PackPixels, TwoPixelRowsPerCellRow) {
  Pixels p(3, 5);
  for (int x = 0; x < 3; ++x) {
    p.at(x, 0) = PaletteColour(15);
    p.at(x, 1) = PaletteColour(1);
    p.at(x, 4) = PaletteColour(12);
  }
  Canvas c = PackPixels(p, 0);
  ASSERT_EQ(c.height(), 3);
  EXPECT_EQ(c.at(1, 0), (Cell{0xDF, 0x1F}));
  EXPECT_EQ(c.at(1, 1).ch, ' ');
  EXPECT_EQ(c.at(1, 2), (Cell{0xDF, 0x0C}));  // the missing last pixel row is black
}

}  // namespace
}  // namespace artkit
