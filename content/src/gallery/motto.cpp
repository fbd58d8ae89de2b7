// ART8: the magazine's motto as a typographic poster: three words in shaded
// block lettering (chrome, fire, ice), scaled from the hand-drawn font, with
// drop shadows over a quiet woven background.
#include <algorithm>
#include <string>

#include "tools/gallery/indexed.h"
#include "tools/gallery/lettering.h"
#include "tools/gallery/picture.h"
#include "tools/gallery/raster.h"

namespace gallery {

namespace {

using artkit::Attr;
using artkit::Cell;

constexpr int kRows = 72;

void Background(artkit::Canvas& c) {
  for (int y = 0; y < c.height(); ++y)
    for (int x = 0; x < 80; ++x)
      c.at(x, y) = (x + 2 * y) % 8 == 0 ? Cell{0xB0, Attr(1, 0)} : (x + 2 * y) % 8 == 1 ? Cell{0xFA, Attr(1, 0)}
                                                                                     : Cell{' ', 0x07};
}

// A frame band of the issue: shade gradient from the edges into a solid bar.
void Band(artkit::Canvas& c, int y, int colour) {
  const uint8_t shades[] = {0xB0, 0xB1, 0xB2, 0xDB};
  for (int x = 0; x < 80; ++x) {
    int edge = std::min(x, 79 - x);
    c.at(x, y) = edge < 4 ? Cell{shades[edge], Attr(colour, 0)} : Cell{0xDC, Attr(colour, 0)};
  }
}

void Centre(artkit::Canvas& c, int y, const std::string& text, int fg) {
  c.Fill(0, y, 80, 1, Cell{' ', 0x07});
  c.Put((80 - static_cast<int>(text.size())) / 2, y, text, Attr(fg, 0));
}

}  // namespace

artkit::Canvas DrawMotto(const Sources& src) {
  BlockFont font = BlockFont::Parse(src.Read("blockfont.txt"));
  artkit::Canvas c(80, kRows);
  Background(c);
  IndexImage img(80, kRows * 2);
  auto word = [&](const char* text, int sx, int sy, int y, const std::vector<int>& ramp) {
    auto mask = InkMask(font.Render(text), sx, sy);
    PaintWord(img, mask, (80 - MaskWidth(mask)) / 2, y, ramp, 8, 1, 2);
  };
  // Chrome: sky above the horizon line, ground below it.
  word("CONSTRAINTS", 1, 2, 8, {15, 15, 7, 7, 9, 11, 11, 15});
  // Fire: white-hot at the top, embers below.
  word("BREED", 2, 4, 40, {15, 14, 14, 14, 14, 12, 12, 12, 4, 4});
  // Ice: bright frost into deep blue. The last word and its line stay on
  // screen once the poster has scrolled past.
  word("STYLE", 2, 4, (kRows - 25) * 2, {15, 15, 11, 11, 11, 3, 3, 9, 9, 1});
  PackOnto(c, img);
  Band(c, 0, 1);
  Centre(c, 16, "eighty columns \xfa sixteen colours \xfa one byte at a time", 7);
  Centre(c, 41, "every limit is a brush", 8);
  Centre(c, kRows - 4, "the line is still open \xfa dial in \xfa stay a while", 7);
  Band(c, kRows - 3, 5);
  return c;
}

}  // namespace gallery
