// ART10: an old tree in late autumn, grown by recursion (each branch splits
// into two or three shorter ones at angles from a fixed random sequence),
// black against a twilight sky and a rising moon, losing its last leaves.
#include <algorithm>
#include <cmath>

#include "tools/artkit/halfblock.h"
#include "tools/gallery/picture.h"
#include "tools/gallery/raster.h"

namespace gallery {

namespace {

// The tree, the moon and the hill share the last 24 rows, which stay on screen.
constexpr int kW = 80, kH = 120, kGround = 112;
const Rgb kLeafColours[] = {Hex(0xff5555), Hex(0xaa0000), Hex(0xaa5500), Hex(0xffff55), Hex(0xff5555)};

struct Grower {
  artkit::Pixels& px;
  Lcg rng;

  void Disc(float cx, float cy, float r, const Rgb& c) {
    for (int y = static_cast<int>(cy - r); y <= static_cast<int>(cy + r); ++y)
      for (int x = static_cast<int>(cx - r); x <= static_cast<int>(cx + r); ++x)
        if (x >= 0 && y >= 0 && x < kW && y < kH && std::hypot(x + 0.5f - cx, y + 0.5f - cy) <= r) px.at(x, y) = c;
  }

  void Leaves(float x, float y, int count) {
    for (int i = 0; i < count; ++i) {
      float a = rng.Unit() * 6.283f, d = rng.Unit() * 4.5f;
      int lx = static_cast<int>(x + std::cos(a) * d * 1.3f), ly = static_cast<int>(y + std::sin(a) * d);
      if (lx >= 0 && ly >= 0 && lx < kW && ly < kH) px.at(lx, ly) = kLeafColours[rng.Below(5)];
    }
  }

  void Branch(float x, float y, float angle, float length, float width, int depth) {
    float ex = x + std::cos(angle) * length, ey = y - std::sin(angle) * length;
    int steps = static_cast<int>(length * 2) + 1;
    for (int i = 0; i <= steps; ++i) {
      float t = static_cast<float>(i) / steps;
      Disc(x + (ex - x) * t, y + (ey - y) * t, std::max(0.5f, width * (1 - 0.3f * t)) / 2, Rgb{});
    }
    if (depth == 0 || length < 2.5f) {
      if (rng.Below(3) == 0) Leaves(ex, ey, 1 + rng.Below(3));  // most twigs are bare by now
      return;
    }
    int children = rng.Below(3) == 0 ? 3 : 2;
    for (int k = 0; k < children; ++k) {
      float spread = 0.35f + 0.35f * rng.Unit();
      float a = angle + (k - (children - 1) / 2.0f) * spread * 1.9f + (rng.Unit() - 0.5f) * 0.3f;
      // Branches bend a little towards the light, up and to the moon's side.
      a += (1.5708f - a) * 0.05f + 0.03f;
      Branch(ex, ey, a, length * (0.66f + 0.14f * rng.Unit()), width * 0.68f, depth - 1);
    }
  }
};

}  // namespace

artkit::Canvas DrawTree(const Sources&) {
  artkit::Pixels px(kW, kH);
  for (int y = 0; y < kH; ++y) {
    Rgb sky = Ramp({Hex(0x000010), Hex(0x000040), Hex(0x0000aa), Hex(0x0040b0), Hex(0x0080b0), Hex(0x00aaaa)},
                   static_cast<float>(y) / kGround);
    for (int x = 0; x < kW; ++x) px.at(x, y) = sky;
  }
  Lcg stars(1103);
  for (int i = 0; i < 45; ++i) {
    int x = stars.Below(kW), y = stars.Below(kGround - 40);
    px.at(x, y) = stars.Below(3) ? Hex(0xaaaaaa) : Hex(0xffffff);
  }
  Grower g{px, Lcg(1987)};
  g.Disc(62, kGround - 32, 8.5f, Hex(0xffff55));  // the moon, with grey seas
  g.Disc(64, kGround - 34, 1.5f, Hex(0xaaaaaa));
  g.Disc(59, kGround - 29, 2.0f, Hex(0xaaaaaa));
  g.Branch(30, kGround + 2, 1.62f, 13, 6.0f, 9);
  // The ground: a low hill, dark, strewn with fallen leaves.
  for (int x = 0; x < kW; ++x) {
    int top = kGround - static_cast<int>(3 * std::sin((x + 10) * 0.035f)) - static_cast<int>(3 * Noise(x * 0.3f, 1, 4));
    for (int y = top; y < kH; ++y) px.at(x, y) = Rgb{};
    if (g.rng.Below(3) == 0) px.at(x, top) = kLeafColours[g.rng.Below(5)];
  }
  // Leaves on their way down.
  for (int i = 0; i < 30; ++i) {
    int x = g.rng.Below(kW), y = kGround - 50 + g.rng.Below(45);
    px.at(x, y) = kLeafColours[g.rng.Below(5)];
    if (g.rng.Below(2) && x + 1 < kW) px.at(x + 1, y) = kLeafColours[g.rng.Below(5)];
  }
  artkit::Canvas c = artkit::PackPixels(px, 0.8f);
  return c;
}

}  // namespace gallery
