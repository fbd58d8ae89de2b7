#include <gtest/gtest.h>

#include "gallery/shade.h"

namespace gallery {
namespace {

using artkit::PaletteColour;

// The colour a cell shows: its foreground covering part of its background.
artkit::Rgb Shown(const artkit::Cell& c) {
  float cover = c.ch == ' ' ? 0 : c.ch == 0xB0 ? 0.25f : c.ch == 0xB1 ? 0.5f : c.ch == 0xB2 ? 0.75f : 1;
  return artkit::Mix(PaletteColour(artkit::Bg(c.attr)), PaletteColour(artkit::Fg(c.attr)), cover);
}

TEST(ShadeCell, FindsMixesBeyondTheSixteenColours) {
  struct Case { int bg, fg; float cover; } cases[] = {{1, 11, 0.5f}, {1, 11, 0.25f}, {0, 15, 0.5f}, {4, 14, 0.75f}};
  for (const Case& k : cases) {
    artkit::Rgb want = artkit::Mix(PaletteColour(k.bg), PaletteColour(k.fg), k.cover);
    artkit::Cell got = ShadeCell(want);
    EXPECT_LT(artkit::Distance(Shown(got), want), 1.0f) << k.bg << "/" << k.fg << "/" << k.cover;
    EXPECT_LT(got.attr, 0x80);
  }
  EXPECT_TRUE(artkit::SameLook(ShadeCell(PaletteColour(1)), artkit::Cell{' ', 0x10}));
  EXPECT_TRUE(artkit::SameLook(ShadeCell(PaletteColour(14)), artkit::Cell{0xDB, 0x0E}));
}

TEST(ShadeCell, KeepsToTheAllowedColours) {
  uint16_t no_blue = 0xFFFF & ~(1 << 1) & ~(1 << 9);
  artkit::Cell c = ShadeCell(PaletteColour(1), no_blue);
  if (c.ch != 0xDB) {
    EXPECT_NE(artkit::Bg(c.attr), 1);
  }
  if (c.ch != ' ') {
    EXPECT_NE(artkit::Fg(c.attr), 1);
    EXPECT_NE(artkit::Fg(c.attr), 9);
  }
}

}  // namespace
}  // namespace gallery
