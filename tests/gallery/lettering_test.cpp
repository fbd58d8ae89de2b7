#include <gtest/gtest.h>

#include <stdexcept>

#include "gallery/indexed.h"
#include "gallery/lettering.h"

namespace gallery {
namespace {

TEST(BlockFont, RendersGlyphsSideBySide) {
  BlockFont f = BlockFont::Parse("# test\n= A\n\xe2\x96\x84\xe2\x96\x88.\n\xe2\x96\x80\xe2\x96\x80.\n= space\n.\n.\n");
  EXPECT_EQ(f.height(), 2);
  EXPECT_EQ(f.Width("AA"), 7);
  artkit::Canvas c = f.Render("a a");  // lower case finds the upper-case glyph
  EXPECT_EQ(c.width(), 9);
  EXPECT_EQ(c.at(0, 0).ch, 0xDC);
  EXPECT_EQ(c.at(1, 0).ch, 0xDB);
  EXPECT_EQ(c.at(2, 0).ch, ' ');
  EXPECT_EQ(c.at(6, 1).ch, 0xDF);
  EXPECT_THROW(f.Render("B"), std::runtime_error);
  EXPECT_THROW(BlockFont::Parse("= A\nx\n= B\nx\nx\n"), std::runtime_error);  // heights differ
}

TEST(InkMask, HalfBlocksBecomePixelsAndScale) {
  artkit::Canvas c(2, 1);
  c.at(0, 0).ch = 0xDF;
  c.at(1, 0).ch = 0xDC;
  auto m = InkMask(c, 2, 1);
  ASSERT_EQ(m.size(), 2u);
  EXPECT_EQ(m[0], (std::vector<bool>{true, true, false, false}));
  EXPECT_EQ(m[1], (std::vector<bool>{false, false, true, true}));
  EXPECT_EQ(ScaleMask(ReadMask("# c\n#.\n"), 1, 3).size(), 3u);
  EXPECT_THROW(ReadMask("#.\n#..\n"), std::runtime_error);
}

TEST(PackOnto, SeeThroughPixelsKeepTheCellsBelow) {
  artkit::Canvas below(3, 1);
  below.fill(0, 0, 3, 1, artkit::Cell{0xB0, 0x01});
  IndexImage img(3, 2);
  img.set(1, 0, 14);  // only the top pixel: the bottom one turns black
  img.set(2, 0, 4);
  img.set(2, 1, 4);
  PackOnto(below, img);
  EXPECT_EQ(below.at(0, 0), (artkit::Cell{0xB0, 0x01}));
  EXPECT_EQ(below.at(1, 0), (artkit::Cell{0xDF, 0x0E}));
  EXPECT_EQ(below.at(2, 0).ch, ' ');
  EXPECT_EQ(artkit::Bg(below.at(2, 0).attr), 4);
}

}  // namespace
}  // namespace gallery
