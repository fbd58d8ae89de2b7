#include "indexed.h"

#include "tools/artkit/halfblock.h"

namespace gallery {

void PackOnto(artkit::Canvas& below, const IndexImage& image) {
  for (int cy = 0; cy * 2 < image.height() && cy < below.height(); ++cy) {
    for (int x = 0; x < image.width() && x < below.width(); ++x) {
      int top = image.Get(x, cy * 2), bottom = image.Get(x, cy * 2 + 1);
      if (top < 0 && bottom < 0) continue;
      below.at(x, cy) = artkit::PackPair(top < 0 ? 0 : top, bottom < 0 ? 0 : bottom);
    }
  }
}

void PaintWord(IndexImage& image, const std::vector<std::vector<bool>>& mask, int x, int y,
               const std::vector<int>& ramp, int shadow, int dx, int dy) {
  int h = static_cast<int>(mask.size());
  for (int my = 0; my < h; ++my)
    for (int mx = 0; mx < MaskWidth(mask); ++mx)
      if (mask[static_cast<size_t>(my)][static_cast<size_t>(mx)] && shadow >= 0) image.Set(x + mx + dx, y + my + dy, shadow);
  for (int my = 0; my < h; ++my) {
    // One colour per cell row: two different bright colours cannot share a cell.
    int colour = ramp[static_cast<size_t>((my / 2) * static_cast<int>(ramp.size()) / ((h + 1) / 2))];
    for (int mx = 0; mx < MaskWidth(mask); ++mx)
      if (mask[static_cast<size_t>(my)][static_cast<size_t>(mx)]) image.Set(x + mx, y + my, colour);
  }
}

void OutlineWord(IndexImage& image, const std::vector<std::vector<bool>>& mask, int x, int y, int colour) {
  for (int my = 0; my < static_cast<int>(mask.size()); ++my)
    for (int mx = 0; mx < MaskWidth(mask); ++mx)
      if (mask[static_cast<size_t>(my)][static_cast<size_t>(mx)])
        for (int dy = -2; dy <= 2; ++dy)
          for (int dx = -1; dx <= 1; ++dx) image.Set(x + mx + dx, y + my + dy, colour);
}

}  // namespace gallery
