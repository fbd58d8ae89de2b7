// Pictures drawn in palette colours at two pixels per cell, with a see-through
// colour (-1) where another layer of cells shows instead.
#pragma once
#include <functional>
#include <string_view>
#include <vector>

#include "tools/artkit/canvas.h"
#include "tools/gallery/lettering.h"

namespace gallery {

class IndexImage {
 public:
  IndexImage(int width, int height) : w_(width), h_(height), px_(static_cast<size_t>(width * height), -1) {}
  int width() const { return w_; }
  int height() const { return h_; }
  int Get(int x, int y) const { return x < 0 || y < 0 || x >= w_ || y >= h_ ? -1 : px_[Index(x, y)]; }
  void Set(int x, int y, int colour) {
    if (x >= 0 && y >= 0 && x < w_ && y < h_) px_[Index(x, y)] = colour;
  }

 private:
  size_t Index(int x, int y) const { return static_cast<size_t>(y * w_ + x); }
  int w_, h_;
  std::vector<int> px_;
};

// Packs the pixels into cells; a cell whose two pixels are both see-through
// keeps what `below` holds there, a single see-through pixel turns black.
void PackOnto(artkit::Canvas& below, const IndexImage& image);

// Paints lettering ink into the image at pixel (x, y): colour by cell row of
// the word (ramp from top to bottom), and a drop shadow (dx, dy) pixels away.
// With y and dy even and a mask scaled by an even sy, every cell is one colour
// or two colours of which at most one is bright, so nothing is lost in packing.
void PaintWord(IndexImage& image, const std::vector<std::vector<bool>>& mask, int x, int y,
               const std::vector<int>& ramp, int shadow, int dx = 1, int dy = 1);

// Rims lettering ink: every pixel within one column and one cell row of ink
// takes the colour (paint it before the word).
void OutlineWord(IndexImage& image, const std::vector<std::vector<bool>>& mask, int x, int y, int colour);

// Width in pixels of a mask.
inline int MaskWidth(const std::vector<std::vector<bool>>& m) { return m.empty() ? 0 : static_cast<int>(m[0].size()); }

}  // namespace gallery
