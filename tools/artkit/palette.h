// The 16 text-mode colours and the choice of the nearest one to a true colour.
#pragma once
#include <cstdint>

namespace artkit {

struct Rgb {
  float r = 0, g = 0, b = 0;  // 0-255
};

// The VGA text palette in PC order (0 black, 1 blue, ... 6 brown, 7 light grey, 8-15 bright).
const Rgb& PaletteColour(int index);

// A weighted RGB distance ("redmean"): closer to what the eye sees than plain RGB.
float Distance(const Rgb& a, const Rgb& b);

// The nearest of the first `count` palette colours (16 for foregrounds, 8 for backgrounds).
int Nearest(const Rgb& c, int count = 16);

// Ordered-dither offset for pixel (x, y): a 4x4 Bayer threshold in -0.5..0.5.
float Bayer(int x, int y);

Rgb Mix(const Rgb& a, const Rgb& b, float t);
Rgb Scale(const Rgb& a, float k);
Rgb Add(const Rgb& a, const Rgb& b);

}  // namespace artkit
