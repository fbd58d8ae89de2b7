// Two pixels per cell: the upper and lower half of a character cell drawn with
// the half-block glyphs, one pixel as foreground (16 colours) and one as
// background (8 colours).
#pragma once
#include <vector>

#include "tools/artkit/canvas.h"
#include "tools/artkit/palette.h"

namespace artkit {

constexpr uint8_t kUpperHalf = 0xDF;  // ▀
constexpr uint8_t kLowerHalf = 0xDC;  // ▄
constexpr uint8_t kFullBlock = 0xDB;  // █

// The cell for two palette colours. Equal colours give a space (dark) or a
// full block (bright); otherwise the bright one, if any, is the foreground of
// the half block on its side. Two bright colours cannot both be shown: the one
// that loses less when darkened goes to the background.
Cell PackPair(int top, int bottom);

// A true-colour picture, two pixel rows per cell row.
class Pixels {
 public:
  Pixels(int width, int height) : w_(width), h_(height), px_(static_cast<size_t>(width * height)) {}
  int width() const { return w_; }
  int height() const { return h_; }
  Rgb& at(int x, int y) { return px_[static_cast<size_t>(y * w_ + x)]; }
  const Rgb& at(int x, int y) const { return px_[static_cast<size_t>(y * w_ + x)]; }

 private:
  int w_, h_;
  std::vector<Rgb> px_;
};

// Chooses colours for both pixels of every cell and packs them. With dither > 0
// each pixel is shown by one of the two palette colours whose mix comes
// closest, picked by an ordered-dither threshold of that strength (1: full).
// The canvas has height / 2 rows (rounded up; a missing last pixel row is black).
Canvas PackPixels(const Pixels& pixels, float dither);

// The cell closest to two true colours: one pixel from all 16 colours, the
// other from the dark eight, whichever way round loses less.
Cell PackColours(const Rgb& top, const Rgb& bottom);

}  // namespace artkit
