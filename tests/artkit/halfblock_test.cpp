// Pixel art to half blocks: the nearest palette colour, which colour goes to the
// foreground, and dithering that keeps the average.
#include <gtest/gtest.h>

#include "artkit/halfblock.h"

namespace artkit {
namespace {

TEST(Nearest, PicksThePaletteColourTheEyeWouldPick) {
  EXPECT_EQ(Nearest({160, 80, 10}), 6);    // brown, not red
  EXPECT_EQ(Nearest({90, 90, 240}), 9);    // light blue
  EXPECT_EQ(Nearest({100, 100, 100}), 8);  // dark grey
  EXPECT_EQ(Nearest({200, 100, 0}, 8), 6);  // backgrounds: only the dark eight
  EXPECT_EQ(Nearest({255, 80, 80}, 8), Nearest({170, 85, 0}, 8));
  for (int i = 0; i < 16; ++i) EXPECT_EQ(Nearest(PaletteColour(i)), i);  // exact colours
}

TEST(PackPair, BrightGoesToTheForegroundDarkToTheBackground) {
  struct Case { int top, bottom; Cell want; } cases[] = {
      {1, 1, {' ', 0x17}},           // equal and dark: a space on that background
      {14, 14, {0xDB, 0x0E}},        // equal and bright: a full block
      {14, 1, {0xDF, 0x1E}},         // bright top: upper half
      {1, 14, {0xDC, 0x1E}},         // bright bottom: lower half
      {4, 2, {0xDF, 0x24}},          // both dark: upper half, top as foreground
      {15, 7, {0xDF, 0x7F}},
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

// The colours a cell shows in its upper and lower half.
std::pair<int, int> Halves(const Cell& c) {
  if (c.ch == ' ') return {Bg(c.attr), Bg(c.attr)};
  if (c.ch == 0xDB) return {Fg(c.attr), Fg(c.attr)};
  if (c.ch == 0xDF) return {Fg(c.attr), Bg(c.attr)};
  return {Bg(c.attr), Fg(c.attr)};
}

TEST(PackPixels, DitheringMixesNeighbouringColoursAndKeepsExactOnes) {
  Pixels mid(8, 8), exact(8, 8);
  Rgb half = Mix(PaletteColour(1), PaletteColour(9), 0.5f);
  for (int y = 0; y < 8; ++y)
    for (int x = 0; x < 8; ++x) {
      mid.at(x, y) = half;
      exact.at(x, y) = PaletteColour(12);
    }
  Canvas m = PackPixels(mid, 1.0f);
  int light = 0;
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 8; ++x) {
      auto [top, bottom] = Halves(m.at(x, y));
      for (int c : {top, bottom}) {
        EXPECT_TRUE(c == 1 || c == 9) << c;
        light += c == 9;
      }
    }
  EXPECT_EQ(light, 32);  // half of the 64 pixels: the mix is kept on average
  Canvas e = PackPixels(exact, 1.0f);
  for (int x = 0; x < 8; ++x) EXPECT_EQ(e.at(x, 2), (Cell{0xDB, 0x0C}));
}

}  // namespace
}  // namespace artkit
