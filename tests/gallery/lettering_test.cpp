#include <gtest/gtest.h>

#include <stdexcept>

#include "tools/gallery/lettering.h"

namespace gallery {
namespace {

TEST(BlockFont, RendersGlyphsSideBySide) {
  BlockFont f = BlockFont::Parse("# test\n= A\n\xe2\x96\x84\xe2\x96\x88.\n\xe2\x96\x80\xe2\x96\x80.\n= space\n.\n.\n");
  artkit::Canvas c = f.Render("a a");  // lower case finds the upper-case glyph
  EXPECT_EQ(c.width(), 9);
  EXPECT_EQ(c.at(1, 0).ch, 0xDB);
  EXPECT_EQ(c.at(6, 1).ch, 0xDF);
  EXPECT_THROW(f.Render("B"), std::runtime_error);
  EXPECT_THROW(BlockFont::Parse("= A\nx\n= B\nx\nx\n"), std::runtime_error);  // heights differ
}

}  // namespace
}  // namespace gallery
