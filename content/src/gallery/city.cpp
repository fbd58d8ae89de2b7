// ART6: a city at night drawn cell by cell with the shading characters: a sky
// that darkens upwards, a full moon, two layers of towers with lit windows and
// roof lights, and a river that breaks their reflections into ripples.
#include <algorithm>
#include <cmath>
#include <vector>

#include "tools/artkit/halfblock.h"
#include "tools/gallery/picture.h"
#include "tools/gallery/raster.h"
#include "tools/gallery/shade.h"

namespace gallery {

namespace {

using artkit::Attr;
using artkit::Cell;

// The river starts below the ground row. Skyline, moon and river share the last
// 24 rows, which stay on screen; the landmark's spire and the stars lead down.
constexpr int kRows = 56, kGround = 48;

struct Tower {
  int x, w, top;
  bool near;
  int style;  // window pattern
};

std::vector<Tower> Towers() {
  Lcg r(2400);
  std::vector<Tower> t;
  for (int x = -3; x < 80;) {  // the far layer, taller and packed
    int w = 5 + r.Below(8);
    t.push_back({x, w, 37 + r.Below(6), false, r.Below(3)});
    x += w + r.Below(4);
  }
  for (int x = -2; x < 80;) {  // the near layer, lower with gaps
    int w = 6 + r.Below(9);
    t.push_back({x, w, 40 + r.Below(6), true, r.Below(3)});
    x += w + 1 + r.Below(5);
  }
  t.push_back({34, 9, 14, true, 1});  // the landmark in the middle
  return t;
}

void Sky(artkit::Canvas& c) {
  Lcg r(7);
  for (int y = 0; y < kGround; ++y) {
    Rgb sky = Ramp({Hex(0x000000), Hex(0x000000), Hex(0x000018), Hex(0x100030), Hex(0x381060), Hex(0x6a2080)},
                   static_cast<float>(y) / kGround);
    // A little noise keeps the bands of the gradient from showing straight edges.
    for (int x = 0; x < 80; ++x) c.at(x, y) = ShadeCell(artkit::Scale(sky, 0.75f + 0.5f * Noise(x * 0.3f, y * 0.6f, 8)));
  }
  const uint8_t kStars[] = {0xFA, 0xFA, 0xFA, '.', 0xF9, '*', '+'};
  for (int i = 0; i < 70; ++i) {
    int x = r.Below(80), y = r.Below(kGround - 16);
    Cell& cell = c.at(x, y);
    int fg = r.Below(4) == 0 ? 14 : r.Below(2) ? 15 : 7;
    cell = Cell{kStars[r.Below(sizeof kStars)], Attr(fg, artkit::Bg(cell.attr))};
  }
}

void Moon(artkit::Canvas& c) {
  artkit::Pixels px(18, 18);
  for (int y = 0; y < 18; ++y) {
    for (int x = 0; x < 18; ++x) {
      float dx = (x - 8.5f) / 8.0f, dy = (y - 8.5f) / 8.0f;
      float d = std::hypot(dx, dy);
      bool crater = Noise(x * 0.35f, y * 0.35f, 3) > 0.68f;
      px.at(x, y) = d > 1 ? Rgb{} : crater ? Hex(0xaaaaaa) : d > 0.85f ? Hex(0xffff55) : Hex(0xffffff);
    }
  }
  artkit::Canvas moon = artkit::PackPixels(px, 0);
  for (int y = 0; y < moon.height(); ++y)
    for (int x = 0; x < moon.width(); ++x)
      if (!(moon.at(x, y).ch == ' ' && artkit::Bg(moon.at(x, y).attr) == 0)) c.at(57 + x, kGround - 16 + y) = moon.at(x, y);
}

void Building(artkit::Canvas& c, const Tower& t, Lcg& r) {
  for (int y = t.top; y <= kGround; ++y) {
    for (int x = t.x; x < t.x + t.w; ++x) {
      if (x < 0 || x >= 80) continue;
      Cell body = t.near ? Cell{' ', Attr(7, 0)} : Cell{' ', Attr(7, 1)};
      if (t.near && x == t.x) body = Cell{0xDD, Attr(8, 0)};  // moonlit left edge
      if (!t.near && x == t.x + t.w - 1) body = Cell{0xB1, Attr(0, 1)};  // shaded right side
      bool windowCol = (x - t.x) % 2 == 1 && x < t.x + t.w - 1;
      bool windowRow = t.style == 0 ? (y - t.top) % 2 == 1 : t.style == 1 ? (y - t.top) % 3 != 0 : true;
      if (y > t.top && y < kGround && windowCol && windowRow && r.Below(100) < (t.near ? 45 : 30)) {
        int hue = r.Below(10);
        int fg = hue < 5 ? 14 : hue < 8 ? 6 : hue < 9 ? 11 : 15;
        body = Cell{t.near ? static_cast<uint8_t>(0xFE) : static_cast<uint8_t>(0xFA), Attr(fg, artkit::Bg(body.attr))};
      }
      c.at(x, y) = body;
    }
  }
  // Roofs: a tall antenna with a warning light on the wide towers, a short mast on some others.
  int mid = t.x + t.w / 2;
  if (mid < 0 || mid >= 80 || t.top < 3) return;
  if (t.w >= 9 && t.near) {
    c.at(mid, t.top - 1) = Cell{0xDC, Attr(8, artkit::Bg(c.at(mid, t.top - 1).attr))};
    for (int y = t.top - 6; y < t.top - 1; ++y) c.at(mid, y) = Cell{0xB3, Attr(7, artkit::Bg(c.at(mid, y).attr))};
    c.at(mid, t.top - 7) = Cell{0x1E, Attr(12, artkit::Bg(c.at(mid, t.top - 7).attr))};  // ▲ warning light
  } else if (r.Below(2) == 0) {
    c.at(mid, t.top - 1) = Cell{0xB3, Attr(8, artkit::Bg(c.at(mid, t.top - 1).attr))};
    c.at(mid, t.top - 2) = Cell{0xF9, Attr(12, artkit::Bg(c.at(mid, t.top - 2).attr))};
  }
}

// The river: dark water with ripple lines; each light above throws a broken
// streak down into it, and the moon a wide path of glints.
void River(artkit::Canvas& c) {
  for (int y = kGround + 1; y < kRows; ++y) {
    int depth = y - kGround;
    for (int x = 0; x < 80; ++x) {
      float n = Noise(x * 0.25f, y * 1.1f, 11);
      Cell cell = n > 0.72f ? Cell{0xC4, Attr(1, 0)} : Cell{' ', Attr(7, 0)};
      int sy = kGround - 1 - depth * 3 / 2;
      for (int k = 0; k < 3 && sy - k > 0; ++k) {
        const Cell& above = c.at(x, sy - k);
        int fg = artkit::Fg(above.attr);
        if ((above.ch == 0xFE || above.ch == 0xFA) && fg != 1 && n > 0.38f) {
          cell = Cell{n > 0.6f ? static_cast<uint8_t>(0xCD) : static_cast<uint8_t>(0xC4), Attr(fg, 0)};
        }
      }
      float path = std::abs(x - 66.0f) - depth * 0.35f;
      if (path < 4 && n > 0.42f) cell = Cell{n > 0.62f ? static_cast<uint8_t>(0xCD) : static_cast<uint8_t>(0xC4),
                                             Attr(path < 1.5f ? 15 : 14, 0)};
      c.at(x, y) = cell;
    }
  }
  for (int x = 0; x < 80; ++x) c.at(x, kGround) = Cell{0xDF, Attr(8, 0)};  // the embankment
}

}  // namespace

artkit::Canvas DrawCity(const Sources&) {
  artkit::Canvas c(80, kRows);
  Sky(c);
  Moon(c);
  Lcg r(31337);
  std::vector<Tower> towers = Towers();
  for (const Tower& t : towers)
    if (!t.near) Building(c, t, r);
  for (const Tower& t : towers)
    if (t.near) Building(c, t, r);
  River(c);
  return c;
}

}  // namespace gallery
