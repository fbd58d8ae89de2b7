// ART3: mountain ridges at dusk: a noise landscape in layers that fade into
// the haze, a setting sun under long thin clouds, first stars, and a lake that
// mirrors it all.
#include <algorithm>
#include <cmath>

#include "tools/artkit/halfblock.h"
#include "tools/gallery/picture.h"
#include "tools/gallery/raster.h"

namespace gallery {

namespace {

// Pixel rows; the lake starts at the horizon. Sun, ridges and lake share the
// last 24 rows, which stay on screen; the sky above leads down to them.
constexpr int kW = 80, kH = 128, kHorizon = 104;
constexpr float kSunX = 50, kSunY = 90, kSunR = 10;

Rgb SkyAt(float y) {
  return Ramp({Hex(0x000000), Hex(0x000055), Hex(0x0000aa), Hex(0x5500aa), Hex(0xaa00aa), Hex(0xd52a80),
               Hex(0xff5555), Hex(0xff5555), Hex(0xaa5500), Hex(0xffff55)},
              y / kHorizon);
}

struct Ridge {
  float base, amp, freq;
  uint32_t seed;
  Rgb colour;
};

const Ridge kRidges[] = {
    {102, 24, 0.035f, 11, Hex(0xaa00aa)},
    {104, 16, 0.050f, 23, Hex(0x5500aa)},
    {106, 9, 0.060f, 37, Hex(0x0000aa)},
    {106, 9, 0.085f, 41, Hex(0x000000)},
};

float RidgeTop(const Ridge& r, int x) { return r.base - r.amp * Fbm(x * r.freq, 0.5f, 4, r.seed); }

// The land and sky above the water line, without the reflection.
Rgb Land(int x, int y, Lcg& stars) {
  Rgb c = SkyAt(static_cast<float>(y));
  // The sun, its lower half cut by the sky in widening slits.
  float d = std::hypot(x - kSunX, y - kSunY);
  bool slit = y > kSunY && static_cast<int>(y - kSunY) % 5 >= 4 - static_cast<int>(y - kSunY) / 6;
  if (d < kSunR) c = slit ? Hex(0xaa0000) : Hex(0xffff55);
  // Long thin clouds in the glow, dark against it, their undersides lit.
  auto cloud = [&](float cy) { return cy > 44 && cy < 80 && Fbm(x * 0.025f, cy * 0.22f, 3, 55) > 0.65f; };
  float fy = static_cast<float>(y);
  if (cloud(fy)) c = cloud(fy + 1) ? Hex(0x550055) : Hex(0xff55ff);
  if (y < 50 && stars.Below(100) < 2) c = artkit::Mix(c, Hex(0xffffff), 1 - y / 50.0f);
  for (const Ridge& r : kRidges) {
    float top = RidgeTop(r, x);
    if (y >= top) c = r.colour;
  }
  return c;
}

}  // namespace

artkit::Canvas DrawRidges(const Sources&) {
  artkit::Pixels px(kW, kH);
  Lcg stars(1986);
  for (int y = 0; y < kHorizon; ++y)
    for (int x = 0; x < kW; ++x) px.at(x, y) = Land(x, y, stars);
  for (int y = kHorizon; y < kH; ++y) {
    float depth = static_cast<float>(y - kHorizon);
    for (int x = 0; x < kW; ++x) {
      // Ripples grow towards the viewer; the mirrored row darkens with depth.
      int shift = static_cast<int>(std::lround(std::sin(y * 0.9f + x * 0.05f) * depth * 0.05f));
      int sx = std::clamp(x + shift, 0, kW - 1);
      int sy = std::max(0, 2 * kHorizon - y - 1);
      // Dark streaks, more of them towards the viewer, keep the colours exact.
      bool streak = Noise(x * 0.08f, y * 0.7f, 3) < 0.08f + 0.25f * depth / (kH - kHorizon);
      px.at(x, y) = streak ? Hex(0x000000) : px.at(sx, sy);
    }
  }
  // The near shore: a black silhouette of pines on the left.
  Lcg trees(77);
  for (int t = 0; t < 9; ++t) {
    int cx = 2 + t * 3 + trees.Below(3), h = 8 + trees.Below(9), base = kH - 4 - trees.Below(5);
    for (int y = base - h; y < kH; ++y) {
      int half = y < base ? (y - (base - h)) / 3 + ((y - (base - h)) % 4 < 2 ? 0 : 1) : 1 + (y - base);
      for (int x = cx - half; x <= cx + half; ++x)
        if (x >= 0 && x < kW) px.at(x, y) = Rgb{};
    }
  }
  for (int y = kH - 8; y < kH; ++y)
    for (int x = 0; x < kW; ++x)
      if (y > kH - 8 + 3 * Noise(x * 0.2f, 0, 9) - 0.02f * x) px.at(x, y) = Rgb{};
  artkit::Canvas c = artkit::PackPixels(px, 0.9f);
  return c;
}

}  // namespace gallery
