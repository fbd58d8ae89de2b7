#include "palette.h"

#include <cmath>

namespace artkit {

namespace {
constexpr Rgb kVga[16] = {
    {0, 0, 0},       {0, 0, 170},    {0, 170, 0},    {0, 170, 170},   {170, 0, 0},     {170, 0, 170},
    {170, 85, 0},    {170, 170, 170}, {85, 85, 85},  {85, 85, 255},   {85, 255, 85},   {85, 255, 255},
    {255, 85, 85},   {255, 85, 255}, {255, 255, 85}, {255, 255, 255},
};
constexpr int kBayer[4][4] = {{0, 8, 2, 10}, {12, 4, 14, 6}, {3, 11, 1, 9}, {15, 7, 13, 5}};
}  // namespace

const Rgb& PaletteColour(int index) { return kVga[index & 15]; }

float Distance(const Rgb& a, const Rgb& b) {
  float rm = (a.r + b.r) / 2;
  float dr = a.r - b.r, dg = a.g - b.g, db = a.b - b.b;
  return (2 + rm / 256) * dr * dr + 4 * dg * dg + (2 + (255 - rm) / 256) * db * db;
}

int Nearest(const Rgb& c, int count) {
  int best = 0;
  float bestD = Distance(c, kVga[0]);
  for (int i = 1; i < count; ++i) {
    float d = Distance(c, kVga[i]);
    if (d < bestD) {
      bestD = d;
      best = i;
    }
  }
  return best;
}

float Bayer(int x, int y) { return (kBayer[y & 3][x & 3] + 0.5f) / 16.0f - 0.5f; }

Rgb Mix(const Rgb& a, const Rgb& b, float t) {
  return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t};
}
Rgb Scale(const Rgb& a, float k) { return {a.r * k, a.g * k, a.b * k}; }
Rgb Add(const Rgb& a, const Rgb& b) { return {a.r + b.r, a.g + b.g, a.b + b.b}; }

}  // namespace artkit
