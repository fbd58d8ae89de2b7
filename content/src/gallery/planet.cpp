// ART4: a banded gas giant with tilted rings over a starfield and a faint
// nebula, lit from the upper left, with a small cratered moon beside it.
#include <cmath>

#include "tools/artkit/halfblock.h"
#include "tools/gallery/picture.h"
#include "tools/gallery/raster.h"

namespace gallery {

namespace {

// The planet sits in the last 24 rows, which stay on screen; the stars above lead down to it.
constexpr int kW = 80, kH = 140;
constexpr float kCx = 40, kCy = kH - 25, kR = 19;
constexpr float kTilt = -0.35f;    // ring plane turned against the screen, radians
constexpr float kOpen = 0.32f;     // how far the rings open towards the viewer
const Vec3 kLight = Vec3{-0.65f, -0.45f, 0.6f}.Normal();

// Ring brightness at radius r (in planet radii): 0 where there is no ring.
float RingDensity(float r) {
  if (r < 1.3f || r > 2.05f) return 0;
  if (r > 1.72f && r < 1.79f) return 0;  // the gap
  return 0.55f + 0.45f * std::sin(r * 38.0f) * std::sin(r * 11.0f);
}

Rgb RingColour(float r, float shade) {
  Rgb c = Ramp({Hex(0xaa5500), Hex(0xaaaaaa), Hex(0xffffff), Hex(0xaaaaaa), Hex(0xaa5500)}, (r - 1.3f) / 0.75f);
  return artkit::Scale(c, shade);
}

Rgb PlanetColour(float nx, float ny, float nz) {
  float lat = ny * std::cos(kTilt) + nx * std::sin(kTilt);
  float swirl = Fbm(nx * 2 + 5, lat * 5, 3, 12) - 0.5f;
  float band = std::sin(lat * 11.0f + swirl * 1.5f);
  Rgb c = Ramp({Hex(0xaa3300), Hex(0xaa5500), Hex(0xffaa55), Hex(0xffff99), Hex(0xffffff)}, 0.5f + 0.5f * band);
  float storm = std::hypot(nx + 0.3f, (lat - 0.35f) * 2.2f);  // a great red spot
  if (storm < 0.16f) c = artkit::Mix(Hex(0xff4040), c, storm / 0.16f);
  float light = Vec3{nx, ny, nz}.Dot(kLight);
  // The night side goes black rather than muddy grey.
  return light < 0.12f ? Rgb{} : artkit::Scale(c, Clamp(-0.1f + 1.4f * light));
}

}  // namespace

artkit::Canvas DrawPlanet(const Sources&) {
  artkit::Pixels px(kW, kH);
  Lcg stars(42);
  // A faint nebula drifts across the sky above, thinning out towards the planet.
  for (int y = 0; y < kH; ++y) {
    for (int x = 0; x < kW; ++x) {
      float cloud = Smooth(0.4f, 0.7f, Fbm(x * 0.035f + y * 0.012f, y * 0.045f, 4, 77)) * Clamp(1.2f - y / 85.0f);
      px.at(x, y) = artkit::Mix(Rgb{}, Fbm(x * 0.05f, y * 0.05f, 2, 5) > 0.5f ? Hex(0x6000a0) : Hex(0x0040b0), cloud * 0.75f);
    }
  }
  for (int i = 0; i < 120; ++i) {
    int x = stars.Below(kW), y = stars.Below(kH);
    int kind = stars.Below(10);
    px.at(x, y) = kind < 6 ? Hex(0x808080) : kind < 9 ? Hex(0xffffff) : Hex(0x55ffff);
    if (kind == 9 && x > 0 && x < kW - 1 && y > 0 && y < kH - 1) {  // a bright one with a cross
      px.at(x - 1, y) = px.at(x + 1, y) = px.at(x, y - 1) = px.at(x, y + 1) = Hex(0x0055aa);
    }
  }
  for (int y = 0; y < kH; ++y) {
    for (int x = 0; x < kW; ++x) {
      float dx = (x + 0.5f - kCx) / kR, dy = (y + 0.5f - kCy) / kR;
      float u = dx * std::cos(kTilt) + dy * std::sin(kTilt);
      float w = (-dx * std::sin(kTilt) + dy * std::cos(kTilt)) / kOpen;
      float r = std::hypot(u, w);
      float d2 = dx * dx + dy * dy;
      bool onPlanet = d2 < 1;
      float ring = RingDensity(r);
      // The rings' near half passes in front of the planet, the far half behind it.
      bool ringFront = ring > 0 && (w > 0 || !onPlanet);
      if (onPlanet && !ringFront) {
        float nz = std::sqrt(1 - d2);
        Rgb c = PlanetColour(dx, dy, nz);
        // The rings' shadow: a thin dark band across the lit face.
        float sw = (-dx * std::sin(kTilt) + (dy + 0.18f) * std::cos(kTilt)) / kOpen;
        if (RingDensity(std::hypot(u, sw)) > 0.5f && sw < 0) c = artkit::Scale(c, 0.45f);
        px.at(x, y) = c;
      } else if (ringFront) {
        // Behind the planet's night side the rings lie in its shadow.
        bool shadowed = w < 0 && u > 0.3f && std::abs(u) < 1.1f;
        px.at(x, y) = artkit::Mix(px.at(x, y), RingColour(r, shadowed ? 0.25f : 1.0f), ring);
      }
    }
  }
  // A small moon, upper left of the planet, with a few craters.
  const float mx = 10, my = kH - 37, mr = 6;
  for (int y = static_cast<int>(my - mr); y <= static_cast<int>(my + mr); ++y) {
    for (int x = static_cast<int>(mx - mr); x <= static_cast<int>(mx + mr); ++x) {
      float dx = (x + 0.5f - mx) / mr, dy = (y + 0.5f - my) / mr, d2 = dx * dx + dy * dy;
      if (d2 >= 1) continue;
      float light = Vec3{dx, dy, std::sqrt(1 - d2)}.Dot(kLight);
      float crater = Noise(dx * 3 + 4, dy * 3, 31) > 0.7f ? 0.7f : 1.0f;
      px.at(x, y) = artkit::Scale(Hex(0xd0d0d0), Clamp(0.05f + light) * crater);
    }
  }
  artkit::Canvas c = artkit::PackPixels(px, 0.9f);
  return c;
}

}  // namespace gallery
