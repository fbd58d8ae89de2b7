#include "raster.h"

namespace gallery {

namespace {
float Lattice(int x, int y, uint32_t seed) {
  uint32_t h = static_cast<uint32_t>(x) * 374761393u + static_cast<uint32_t>(y) * 668265263u + seed * 2246822519u;
  h = (h ^ (h >> 13)) * 1274126177u;
  h ^= h >> 16;
  return static_cast<float>(h & 0xFFFF) / 65535.0f;
}
}  // namespace

float Noise(float x, float y, uint32_t seed) {
  int xi = static_cast<int>(std::floor(x)), yi = static_cast<int>(std::floor(y));
  float fx = x - static_cast<float>(xi), fy = y - static_cast<float>(yi);
  float u = fx * fx * (3 - 2 * fx), v = fy * fy * (3 - 2 * fy);
  float a = Lattice(xi, yi, seed), b = Lattice(xi + 1, yi, seed);
  float c = Lattice(xi, yi + 1, seed), d = Lattice(xi + 1, yi + 1, seed);
  return Lerp(Lerp(a, b, u), Lerp(c, d, u), v);
}

float Fbm(float x, float y, int octaves, uint32_t seed) {
  float sum = 0, amp = 0.5f, norm = 0;
  for (int i = 0; i < octaves; ++i) {
    sum += amp * Noise(x, y, seed + static_cast<uint32_t>(i) * 101u);
    norm += amp;
    amp *= 0.5f;
    x *= 2.03f;
    y *= 2.03f;
  }
  return sum / norm;
}

Rgb Ramp(const std::vector<Rgb>& stops, float t) {
  t = Clamp(t) * static_cast<float>(stops.size() - 1);
  size_t i = static_cast<size_t>(t);
  if (i >= stops.size() - 1) return stops.back();
  return artkit::Mix(stops[i], stops[i + 1], t - static_cast<float>(i));
}

Rgb Hex(uint32_t rgb) {
  return Rgb{static_cast<float>((rgb >> 16) & 255), static_cast<float>((rgb >> 8) & 255),
             static_cast<float>(rgb & 255)};
}

}  // namespace gallery
