// Small maths the picture renderers share: a fixed random sequence, value
// noise, vectors and colour ramps. Everything is deterministic.
#pragma once
#include <cmath>
#include <cstdint>
#include <initializer_list>
#include <utility>
#include <vector>

#include "tools/artkit/palette.h"

namespace gallery {

using artkit::Rgb;

// Linear congruential generator with fixed constants: same numbers on every build.
class Lcg {
 public:
  explicit Lcg(uint32_t seed) : s_(seed) {}
  uint32_t Next() {
    s_ = s_ * 1664525u + 1013904223u;
    return s_ >> 8;
  }
  float Unit() { return static_cast<float>(Next() & 0xFFFF) / 65536.0f; }  // 0..1
  int Below(int n) { return static_cast<int>(Next() % static_cast<uint32_t>(n)); }

 private:
  uint32_t s_;
};

inline float Clamp(float v, float lo = 0, float hi = 1) { return v < lo ? lo : v > hi ? hi : v; }
inline float Smooth(float e0, float e1, float x) {
  float t = Clamp((x - e0) / (e1 - e0));
  return t * t * (3 - 2 * t);
}
inline float Lerp(float a, float b, float t) { return a + (b - a) * t; }

// Value noise on an integer lattice hashed from the seed, smoothly interpolated.
float Noise(float x, float y, uint32_t seed);
// Sum of octaves of Noise, roughly 0..1.
float Fbm(float x, float y, int octaves, uint32_t seed);

// Colour at t (0..1) along a ramp of evenly spaced stops.
Rgb Ramp(const std::vector<Rgb>& stops, float t);
Rgb Hex(uint32_t rgb);

struct Vec3 {
  float x = 0, y = 0, z = 0;
  Vec3 operator+(const Vec3& o) const { return {x + o.x, y + o.y, z + o.z}; }
  Vec3 operator-(const Vec3& o) const { return {x - o.x, y - o.y, z - o.z}; }
  Vec3 operator*(float k) const { return {x * k, y * k, z * k}; }
  float Dot(const Vec3& o) const { return x * o.x + y * o.y + z * o.z; }
  Vec3 Cross(const Vec3& o) const { return {y * o.z - z * o.y, z * o.x - x * o.z, x * o.y - y * o.x}; }
  float Length() const { return std::sqrt(Dot(*this)); }
  Vec3 Normal() const { return *this * (1.0f / Length()); }
};

}  // namespace gallery
