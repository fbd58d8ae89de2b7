// ART2: a small ray tracer: a pyramid of coloured balls crowned by a mirror
// ball on an endless checkerboard under an evening sky, with shadows and
// reflections.
#include <cmath>
#include <optional>

#include "tools/artkit/halfblock.h"
#include "tools/gallery/picture.h"
#include "tools/gallery/raster.h"

namespace gallery {

namespace {

struct Sphere {
  Vec3 centre;
  float radius;
  int normal, bright;  // palette colours of the lit bands; -1: a mirror
};

const Sphere kSpheres[] = {
    // A pyramid of touching balls, three, two and one, the chrome one on top.
    {{-2.05f, 1.0f, 5.0f}, 1.0f, 4, 12},
    {{0.0f, 1.0f, 5.0f}, 1.0f, 1, 9},
    {{2.05f, 1.0f, 5.0f}, 1.0f, 2, 10},
    {{-1.03f, 2.75f, 5.0f}, 1.0f, 3, 11},
    {{1.03f, 2.75f, 5.0f}, 1.0f, 5, 13},
    {{0.0f, 4.5f, 5.0f}, 1.0f, -1, -1},
};
const Vec3 kSun = Vec3{-0.5f, 0.6f, -0.62f}.Normal();  // high, left, behind the viewer

struct Hit {
  float t;
  Vec3 point, normal;
  int dark, lit, bright;  // palette bands from shadow to light; dark -1: a mirror
};

Rgb Sky(const Vec3& d) {
  float h = Clamp(d.y * 1.6f);
  // The glow on the horizon ends in a thin dark-red line: a yellow-to-red
  // gradient would put two bright colours in one cell, and the palette would
  // grey one of them.
  if (h < 0.1f) return Hex(0xffff60);
  if (h < 0.14f) return Hex(0xaa0000);
  return Ramp({Hex(0xff5050), Hex(0xa000a0), Hex(0x0000a0), Hex(0x000060)}, (h - 0.14f) / 0.86f);
}

std::optional<Hit> Trace(const Vec3& o, const Vec3& d) {
  std::optional<Hit> best;
  for (const Sphere& s : kSpheres) {
    Vec3 oc = o - s.centre;
    float b = oc.Dot(d), c = oc.Dot(oc) - s.radius * s.radius, disc = b * b - c;
    if (disc < 0) continue;
    float t = -b - std::sqrt(disc);
    if (t < 1e-3f || (best && t >= best->t)) continue;
    Vec3 p = o + d * t;
    best = Hit{t, p, (p - s.centre) * (1.0f / s.radius), s.normal < 0 ? -1 : 0, s.normal, s.bright};
  }
  if (d.y < 0) {
    float t = -o.y / d.y;
    if (t > 1e-3f && (!best || t < best->t)) {
      Vec3 p = o + d * t;
      bool dark = (static_cast<int>(std::floor(p.x)) + static_cast<int>(std::floor(p.z))) & 1;
      best = dark ? Hit{t, p, Vec3{0, 1, 0}, 0, 1, 1} : Hit{t, p, Vec3{0, 1, 0}, 8, 7, 7};
    }
  }
  return best;
}

Rgb Shade(const Vec3& o, const Vec3& d, int depth) {
  std::optional<Hit> h = Trace(o, d);
  if (!h) return Sky(d);
  float diffuse = std::max(0.0f, h->normal.Dot(kSun));
  if (diffuse > 0 && Trace(h->point + h->normal * 1e-3f, kSun)) diffuse = 0;  // in shadow
  Vec3 r = d - h->normal * (2 * d.Dot(h->normal));
  float glint = diffuse > 0 ? std::pow(std::max(0.0f, r.Dot(kSun)), 40.0f) : 0.0f;
  if (h->dark < 0) {  // the mirror ball: what it reflects, and the sun's glint
    Rgb seen = depth > 0 ? Shade(h->point + h->normal * 1e-3f, r, depth - 1) : Sky(r);
    return glint > 0.3f ? artkit::PaletteColour(15) : seen;
  }
  // Flat bands of palette colours, as a cel painter would: no muddy dithered shades.
  if (glint > 0.35f) return artkit::PaletteColour(15);
  if (h->point.z > 13) return Sky(Vec3{0, 0.02f, 1});  // the board melts into the haze
  if (diffuse > 0.75f) return artkit::PaletteColour(h->bright);
  if (diffuse > 0.3f) return artkit::PaletteColour(h->lit);
  // The shadow side: half lit colour, half dark, which the dithering lays as a checker.
  return artkit::Mix(artkit::PaletteColour(h->lit), artkit::PaletteColour(h->dark), diffuse > 0.05f ? 0.5f : 0.8f);
}

}  // namespace

artkit::Canvas DrawSpheres(const Sources&) {
  const int kW = 80, kH = 112;
  // The camera aims at the middle of the last 24 rows, which stay on screen:
  // the balls stand there, and the rows above look ever higher into the sky.
  const int kAim = kH - 25;
  artkit::Pixels px(kW, kH);
  Vec3 eye{0.0f, 4.5f, -5.0f};
  Vec3 fwd = Vec3{0.0f, -0.15f, 1.0f}.Normal();
  Vec3 right = Vec3{0, 1, 0}.Cross(fwd).Normal();
  Vec3 up = fwd.Cross(right);
  float scale = 1.55f / kW;
  for (int y = 0; y < kH; ++y) {
    for (int x = 0; x < kW; ++x) {
      Rgb sum;
      for (int s = 0; s < 4; ++s) {
        float u = (x - kW / 2 + 0.25f + 0.5f * (s & 1)) * scale;
        float v = (kAim - y - 0.25f - 0.5f * (s >> 1)) * scale;
        Vec3 d = (fwd + right * u + up * v).Normal();
        sum = artkit::Add(sum, Shade(eye, d, 3));
      }
      px.at(x, y) = artkit::Scale(sum, 0.25f);
    }
  }
  Lcg stars(5);  // the first stars, high up where the sky is darkest
  for (int i = 0; i < 40; ++i) {
    int x = stars.Below(kW), y = stars.Below(kH / 3);
    px.at(x, y) = stars.Below(3) ? Hex(0xaaaaaa) : Hex(0xffffff);
  }
  artkit::Canvas c = artkit::PackPixels(px, 0.6f);
  return c;
}

}  // namespace gallery
