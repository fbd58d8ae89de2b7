#include "canvas.h"

#include <stdexcept>
#include <string>

namespace artkit {

bool SameLook(const Cell& a, const Cell& b) {
  if (a.ch != b.ch) return false;
  if (a.ch == ' ') return Bg(a.attr) == Bg(b.attr) && (a.attr & 0x80) == (b.attr & 0x80);
  if (a.ch == 0xDB) return Fg(a.attr) == Fg(b.attr) && (a.attr & 0x80) == (b.attr & 0x80);
  return a.attr == b.attr;
}

Canvas::Canvas(int width, int height)
    : width_(width), height_(height), cells_(static_cast<size_t>(width < 0 || height < 0 ? 0 : width * height)) {
  if (width < 0 || height < 0) throw std::invalid_argument("artkit: negative canvas size");
}

size_t Canvas::Index(int x, int y) const {
  if (!Contains(x, y)) {
    throw std::out_of_range("artkit: cell (" + std::to_string(x) + "," + std::to_string(y) + ") outside canvas");
  }
  return static_cast<size_t>(y) * static_cast<size_t>(width_) + static_cast<size_t>(x);
}

void Canvas::Put(int x, int y, std::string_view cp437, uint8_t attr) {
  for (unsigned char c : cp437) {
    if (Contains(x, y)) cells_[Index(x, y)] = Cell{c, attr};
    ++x;
  }
}

void Canvas::Fill(int x, int y, int w, int h, Cell c) {
  for (int yy = y; yy < y + h; ++yy)
    for (int xx = x; xx < x + w; ++xx)
      if (Contains(xx, yy)) cells_[Index(xx, yy)] = c;
}

void Canvas::Blit(int x, int y, const Canvas& src) {
  for (int yy = 0; yy < src.height(); ++yy)
    for (int xx = 0; xx < src.width(); ++xx)
      if (Contains(x + xx, y + yy)) at(x + xx, y + yy) = src.at(xx, yy);
}

}  // namespace artkit
