#include "halfblock.h"

namespace artkit {

namespace {

// Loss when a bright colour has to be shown by its nearest dark colour.
float DarkLoss(int c) { return Distance(PaletteColour(c), PaletteColour(Nearest(PaletteColour(c), 8))); }

}  // namespace

Cell PackPair(int top, int bottom) {
  if (top == bottom) return top < 8 ? Cell{' ', Attr(7, top)} : Cell{kFullBlock, Attr(top, 0)};
  if (top >= 8 && bottom >= 8) {
    if (DarkLoss(bottom) <= DarkLoss(top))
      bottom = Nearest(PaletteColour(bottom), 8);
    else
      top = Nearest(PaletteColour(top), 8);
    if (top == bottom) return PackPair(top, bottom);
  }
  if (bottom >= 8) return Cell{kLowerHalf, Attr(bottom, top)};
  return Cell{kUpperHalf, Attr(top, bottom)};
}

namespace {

// The palette colour for a pixel: the best mix of two palette colours is found
// and the ordered-dither threshold picks one of the two, so gradients turn into
// regular patterns of neighbouring colours instead of noise.
struct Pick {
  int index;
  float error;
};

Pick DitherPick(const Rgb& c, float threshold, int count, float spreadPenalty) {
  Pick best{0, 1e30f};
  for (int i = 0; i < count; ++i) {
    const Rgb& a = PaletteColour(i);
    for (int j = i; j < count; ++j) {
      const Rgb& b = PaletteColour(j);
      Rgb ab{b.r - a.r, b.g - a.g, b.b - a.b};
      float len2 = ab.r * ab.r + ab.g * ab.g + ab.b * ab.b;
      float r = 0;
      if (len2 > 0) {
        r = ((c.r - a.r) * ab.r + (c.g - a.g) * ab.g + (c.b - a.b) * ab.b) / len2;
        r = r < 0 ? 0 : r > 1 ? 1 : r;
      }
      float err = Distance(c, Mix(a, b, r)) + spreadPenalty * Distance(a, b) * r * (1 - r);
      if (err < best.error) best = {r > threshold + 0.5f ? j : i, err};
    }
  }
  return best;
}

}  // namespace

Cell PackColours(const Rgb& top, const Rgb& bottom) {
  // Either pixel may be the one limited to the dark eight: take the better fit.
  int t16 = Nearest(top), b8 = Nearest(bottom, 8);
  int b16 = Nearest(bottom), t8 = Nearest(top, 8);
  if (t16 == b16 || t16 < 8 || b16 < 8) return PackPair(t16, b16);  // at most one bright: both fit
  float upper = Distance(top, PaletteColour(t16)) + Distance(bottom, PaletteColour(b8));
  float lower = Distance(top, PaletteColour(t8)) + Distance(bottom, PaletteColour(b16));
  return upper <= lower ? PackPair(t16, b8) : PackPair(t8, b16);
}

Canvas PackPixels(const Pixels& p, float dither) {
  Canvas out(p.width(), (p.height() + 1) / 2);
  const float kSpread = 0.6f;
  for (int y = 0; y < out.height(); ++y) {
    for (int x = 0; x < p.width(); ++x) {
      Rgb top = p.at(x, 2 * y);
      Rgb bottom = 2 * y + 1 < p.height() ? p.at(x, 2 * y + 1) : Rgb{};
      if (dither <= 0) {
        out.at(x, y) = PackColours(top, bottom);
        continue;
      }
      float tt = Bayer(x, 2 * y) * dither, tb = Bayer(x, 2 * y + 1) * dither;
      Pick t16 = DitherPick(top, tt, 16, kSpread), t8 = DitherPick(top, tt, 8, kSpread);
      Pick b16 = DitherPick(bottom, tb, 16, kSpread), b8 = DitherPick(bottom, tb, 8, kSpread);
      if (t16.index == b16.index || t16.index < 8 || b16.index < 8) {
        out.at(x, y) = PackPair(t16.index, b16.index);  // at most one bright: both fit
      } else {
        out.at(x, y) = t16.error + b8.error <= t8.error + b16.error ? PackPair(t16.index, b8.index)
                                                                    : PackPair(t8.index, b16.index);
      }
    }
  }
  return out;
}

}  // namespace artkit
