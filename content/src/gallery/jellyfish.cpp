// ART7: jellyfish drifting down through deep water. The water and the
// translucent bells are shading (each cell mixes two colours with ░ ▒ ▓); the
// rims, frills and long tentacles are line art, each character picked by the
// slope of its curve.
#include <algorithm>
#include <cmath>
#include <vector>

#include "tools/gallery/picture.h"
#include "tools/gallery/raster.h"
#include "tools/gallery/shade.h"

namespace gallery {

namespace {

using artkit::Attr;
using artkit::Bg;
using artkit::Cell;

constexpr int kRows = 80;

struct Jelly {
  float cx, top, rx, ry;  // bell centre column, top row, radii in columns and rows
  Rgb tint;               // the bell's colour where it is thickest
  int rim, line, dim;     // colours of the frills' edges, the near and the far tentacles
  int tentacles, length;
  uint32_t seed;
};

// Light through the water: a gradient into the dark with slanting shafts.
Rgb Water(int x, int y) {
  float depth = static_cast<float>(y) / kRows;
  Rgb w = Ramp({Hex(0x002a80), Hex(0x001a60), Hex(0x000e48), Hex(0x000a38), Hex(0x000424)}, depth);
  float ray = std::pow(std::max(0.0f, std::sin((x + y * 0.5f) * 0.11f)), 8.0f) * (1 - depth) * (1 - depth);
  w = artkit::Add(w, artkit::Scale(Hex(0x103070), ray));
  return artkit::Scale(w, 0.85f + 0.3f * Noise(x * 0.3f, y * 0.4f, 21));
}

// A glyph over the cell, keeping the cell's background.
void Draw(artkit::Canvas& c, int x, int y, uint8_t ch, int fg) {
  if (!c.Contains(x, y)) return;
  Cell& cell = c.at(x, y);
  cell = Cell{ch, Attr(fg, Bg(cell.attr))};
}

// How much bell covers the cell (0 outside), for the translucent fill.
float BellCover(const Jelly& j, float x, float y) {
  float base = j.top + j.ry;
  float dx = (x - j.cx) / j.rx, dy = (base - y) / j.ry;
  float scallop = dy < 0.3f ? 0.1f * std::abs(std::sin(dx * 10.0f)) : 0.0f;
  float d = std::hypot(dx, dy + scallop);
  if (d > 1 || dy < -0.12f) return 0;
  float organs = 0;
  for (int k = 0; k < 4; ++k) {  // four rings seen through the bell
    float ox = (k - 1.5f) * 0.32f, oy = 0.4f;
    float ring = std::hypot((dx - ox) / 0.13f, (dy - oy) / 0.24f);
    if (ring > 0.6f && ring < 1.3f) organs = 0.35f;
  }
  return 0.3f + 0.55f * Smooth(0.55f, 1.0f, d) + organs;
}

uint8_t SlopeGlyph(float slope) {
  if (slope > 0.9f) return '\\';
  if (slope < -0.9f) return '/';
  if (slope > 0.25f) return ')';
  if (slope < -0.25f) return '(';
  return 0xB3;  // │
}

// A wavy line hanging down `length` rows; it fades as it trails off.
void Tentacle(artkit::Canvas& c, float x0, int y0, int length, float phase, float amp, int near, int far) {
  float prev = x0;
  for (int i = 0; i < length; ++i) {
    float t = static_cast<float>(i);
    float x = x0 + amp * std::sin(t * 0.07f + phase) * (0.15f + t / length) + t * 0.04f;
    uint8_t ch = SlopeGlyph(x - prev);
    prev = x;
    Draw(c, static_cast<int>(std::lround(x)), y0 + i, ch, i < length * 2 / 3 ? near : far);
  }
}

// The frilled oral arms under the bell: curtains of shading that sway.
void Arms(artkit::Canvas& c, const Jelly& j) {
  int y0 = static_cast<int>(j.top + j.ry) + 1;
  for (int a = 0; a < 3; ++a) {
    float x0 = j.cx + (a - 1) * j.rx * 0.22f;
    int len = j.length / 3 + a * 3;
    for (int i = 0; i < len; ++i) {
      float x = x0 + 2.2f * std::sin(i * 0.22f + a * 2.0f) + (a - 1) * i * 0.08f;
      int xi = static_cast<int>(std::lround(x));
      int width = i < len - 4 ? 2 : 1;
      for (int k = 0; k < width; ++k)
        Draw(c, xi + k, y0 + i, (i + k) % 3 == 0 ? 0xB2 : 0xB1, i % 4 == 0 ? j.rim : j.line);
      if (i % 3 == 1) Draw(c, xi - 1, y0 + i, '(', j.line);
      if (i % 3 == 2) Draw(c, xi + width, y0 + i, ')', j.line);
    }
  }
}

void Tentacles(artkit::Canvas& c, const Jelly& j) {
  Lcg r(j.seed);
  int y0 = static_cast<int>(j.top + j.ry) + 1;
  for (int k = 0; k < j.tentacles; ++k) {
    float x0 = j.cx - j.rx * 0.9f + (2 * j.rx * 0.9f) * k / (j.tentacles - 1);
    Tentacle(c, x0, y0, j.length - r.Below(j.length / 3), r.Unit() * 6.28f, 4.0f + 5 * r.Unit(), j.line, j.dim);
  }
}

}  // namespace

artkit::Canvas DrawJellyfish(const Sources&) {
  const Jelly jellies[] = {
      // The small ones drift above; the big one fills the last 24 rows, which stay on screen.
      {60, 6, 7, 5, Hex(0x40c0ff), 11, 3, 1, 6, 34, 5},      // far, cold and small
      {14, 24, 5, 4, Hex(0x4060ff), 9, 1, 1, 5, 30, 9},      // deeper still
      {37, kRows - 24, 17, 10, Hex(0xff60ff), 15, 13, 5, 9, 26, 77},  // the big one
  };
  // The water and the bells, mixed colour by colour.
  artkit::Canvas c(80, kRows);
  for (int y = 0; y < kRows; ++y) {
    for (int x = 0; x < 80; ++x) {
      Rgb colour = Water(x, y);
      for (const Jelly& j : jellies) {
        float cover = BellCover(j, x + 0.5f, y + 0.5f);
        if (cover > 0) colour = artkit::Mix(colour, j.tint, std::min(cover, 0.95f));
      }
      // Blues, cyans and magentas only: greys, greens and reds would muddy the water.
      c.at(x, y) = ShadeCell(colour, 0b1010101000101011);
    }
  }
  Lcg r(12);
  const uint8_t kSnow[] = {0xFA, 0xFA, 0xF9, '.', 0xF8};
  for (int i = 0; i < 120; ++i) {
    int x = r.Below(80), y = r.Below(kRows);
    if (artkit::Bg(c.at(x, y).attr) <= 1 && c.at(x, y).ch != 0xDB) Draw(c, x, y, kSnow[r.Below(sizeof kSnow)], r.Below(3) ? 8 : 3);
  }
  for (const Jelly& j : jellies) {
    Tentacles(c, j);
    Arms(c, j);
  }
  for (int y = 3; y < kRows - 4; y += 2 + r.Below(4)) {  // bubbles rising past
    float x = 72 + 2 * std::sin(y * 0.3f);
    Draw(c, static_cast<int>(x), y, r.Below(3) == 0 ? 'O' : r.Below(2) ? 'o' : 0xF8, y < 30 ? 11 : 3);
  }
  return c;
}

}  // namespace gallery
