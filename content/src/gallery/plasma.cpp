// ART5: an old-school plasma, frozen at one frame, in a cycling palette; each
// cell mixes two colours with a shading character, so the gradients run
// smoother than sixteen colours allow. The title is cut into it in lettering.
#include <cmath>

#include "tools/gallery/lettering.h"
#include "tools/gallery/picture.h"
#include "tools/gallery/raster.h"
#include "tools/gallery/shade.h"

namespace gallery {

namespace {

constexpr int kRows = 64;

float Plasma(float x, float y) {
  float v = std::sin(x / 9.0f) + std::sin(y / 7.0f + 1.3f) + std::sin((x + y) / 13.0f) +
            std::sin(std::hypot(x - 52, y - 40) / 7.5f) + std::sin(std::hypot(x - 10, y - 110) / 11.0f);
  return v / 5.0f;  // -1..1
}

Rgb Palette(float t) {
  static const std::vector<Rgb> kCycle = {Hex(0x000040), Hex(0x2000a0), Hex(0xa000a0), Hex(0xff3060),
                                          Hex(0xffa020), Hex(0xffff80), Hex(0x60ffff), Hex(0x0060c0),
                                          Hex(0x000040)};
  return Ramp(kCycle, t - std::floor(t));
}

// White lettering with a dark rim, drawn in half-block pixels over the plasma.
void Title(artkit::Canvas& c, const BlockFont& font, std::string_view word, int y, int sx) {
  auto mask = InkMask(font.Render(word), sx, 1);
  int w = static_cast<int>(mask[0].size()), h = static_cast<int>(mask.size());
  int x0 = (80 - w) / 2;
  auto ink = [&](int px, int py) {
    return px >= 0 && py >= 0 && px < w && py < h && mask[static_cast<size_t>(py)][static_cast<size_t>(px)];
  };
  for (int cy = -1; cy <= h / 2; ++cy) {
    for (int cx = -1; cx <= w; ++cx) {
      int colour[2];
      bool any = false;
      for (int half = 0; half < 2; ++half) {
        int py = cy * 2 + half;
        bool near = false;
        for (int dy = -1; dy <= 1; ++dy)
          for (int dx = -1; dx <= 1; ++dx) near = near || ink(cx + dx, py + dy);
        colour[half] = ink(cx, py) ? (py < h / 2 ? 15 : 11) : near ? 0 : -1;
        any = any || colour[half] >= 0;
      }
      if (!any || !c.Contains(x0 + cx, y + cy)) continue;
      artkit::Cell& cell = c.at(x0 + cx, y + cy);
      for (int& k : colour)
        if (k < 0) k = 0;  // the rim swallows what remains of the plasma in that cell
      if (colour[0] == colour[1]) cell = colour[0] ? artkit::Cell{0xDB, artkit::Attr(colour[0], 0)}
                                                   : artkit::Cell{' ', 0x07};
      else if (colour[0] > colour[1]) cell = artkit::Cell{0xDF, artkit::Attr(colour[0], colour[1] & 7)};
      else cell = artkit::Cell{0xDC, artkit::Attr(colour[1], colour[0] & 7)};
    }
  }
}

}  // namespace

artkit::Canvas DrawPlasma(const Sources& src) {
  artkit::Canvas c(80, kRows);
  for (int y = 0; y < kRows; ++y) {
    for (int x = 0; x < 80; ++x) {
      float v = Plasma(static_cast<float>(x), y * 2.0f);
      c.at(x, y) = ShadeCell(Palette(0.5f + 0.9f * v + y / 160.0f));
    }
  }
  BlockFont font = BlockFont::Parse(src.Read("blockfont.txt"));
  // The title lands on the last screen, which stays in view once the plasma has scrolled past.
  Title(c, font, "PLASMA", kRows - 21, 2);
  Title(c, font, "BLOOM", kRows - 12, 2);
  return c;
}

}  // namespace gallery
