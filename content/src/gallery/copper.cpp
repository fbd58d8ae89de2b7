// ART9: a demoscene tribute: copper bars swinging behind a chrome "RODI" logo,
// a frozen rainbow scroller and a chequered floor running to the horizon; thin
// raster lines lead in from the stars above.
#include <cmath>
#include <string>

#include "tools/gallery/indexed.h"
#include "tools/gallery/lettering.h"
#include "tools/gallery/picture.h"
#include "tools/gallery/raster.h"

namespace gallery {

namespace {

using artkit::Attr;
using artkit::Cell;

// Cell rows. Bars, logo, scroller and floor share the last 24 rows, which stay
// on screen; above them the stars and the first thin raster lines lead in.
constexpr int kRows = 44;
constexpr int kBarsTop = 19;
constexpr int kScroller = 34, kFloorTop = 36;

// One bar, six pixel rows from an even row: dark, bright, white, white, bright,
// dark; every cell holds at most one bright colour.
void Bar(IndexImage& img, int y, int dark, int bright) {
  const int rows[6] = {dark, bright, 15, 15, bright, dark};
  for (int i = 0; i < 6; ++i)
    for (int x = 0; x < 80; ++x) img.Set(x, y + i, rows[i]);
}

void Floor(IndexImage& img) {
  int horizon = kFloorTop * 2;
  for (int py = horizon; py < kRows * 2; ++py) {
    float z = 40.0f / (py - horizon + 3);  // distance of this pixel row
    for (int x = 0; x < 80; ++x) {
      float u = (x - 39.5f) * z / 10.0f;
      bool dark = (static_cast<int>(std::floor(u)) + static_cast<int>(std::floor(z * 0.3f))) & 1;
      img.Set(x, py, z > 7 ? 1 : dark ? 1 : 9);  // far off the tiles blur into one blue
    }
  }
}

void Scroller(artkit::Canvas& c, int y, const std::string& text) {
  const int rainbow[] = {12, 14, 10, 11, 9, 13};
  c.Fill(0, y - 1, 80, 3, Cell{' ', 0x07});
  for (int x = 0; x < 80; ++x) c.at(x, y - 1) = Cell{0xC4, Attr(8, 0)};
  for (int x = 0; x < 80; ++x) c.at(x, y + 1) = Cell{0xC4, Attr(8, 0)};
  for (size_t i = 0; i < text.size() && i < 80; ++i) {
    int wave = static_cast<int>(i / 3) % 6;
    c.at(static_cast<int>(i), y) = Cell{static_cast<uint8_t>(text[i]), Attr(rainbow[wave], 0)};
  }
}

}  // namespace

artkit::Canvas DrawCopper(const Sources& src) {
  artkit::Canvas c(80, kRows);
  Lcg stars(64);
  for (int i = 0; i < 40; ++i) {
    int x = stars.Below(80), y = stars.Below(kBarsTop - 8);
    c.at(x, y) = Cell{stars.Below(3) ? static_cast<uint8_t>(0xFA) : static_cast<uint8_t>('*'),
                      Attr(stars.Below(2) ? 7 : 15, 0)};
  }
  IndexImage img(80, kRows * 2);
  const int kHues[][2] = {{4, 12}, {6, 14}, {2, 10}, {3, 11}, {1, 9}, {5, 13}, {4, 12}, {6, 14}};
  for (int b = 0; b < 8; ++b) {  // the swing of the bars, caught in one frame
    int y = kBarsTop * 2 + 1 + static_cast<int>(11 * (1 + std::sin(b * 0.55f + 0.4f)));
    Bar(img, y & ~1, kHues[b][0], kHues[b][1]);
  }
  // Thin lines of the raster beam, warming up on the way down to the bars.
  const int kLead[][2] = {{-5, 1}, {-3, 5}, {-2, 4}, {-1, 12}};
  for (const auto& [row, colour] : kLead)
    for (int x = 0; x < 80; ++x) img.Set(x, (kBarsTop + row) * 2 + 1, colour);
  auto mask = ReadMask(src.Read("copper_logo.txt"));
  int lx = (80 - MaskWidth(mask)) / 2, ly = kBarsTop * 2 + 2;
  OutlineWord(img, mask, lx, ly, 0);
  // Chrome: blue sky down to a bright horizon line, then warm ground.
  // One colour per cell row: four rows of ascender, eight of body.
  PaintWord(img, mask, lx, ly, {1, 9, 9, 11, 11, 15, 7, 6, 14, 14, 15, 7}, -1);
  Floor(img);
  PackOnto(c, img);
  Scroller(c, kScroller, "   greetings to every board still ringing ... copper bars forever ... rodi 2026");
  c.Put(20, kBarsTop - 7, "in memory of the raster interrupt", Attr(8, 0));
  return c;
}

}  // namespace gallery
