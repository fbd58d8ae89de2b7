// A grid of CP437 cells with attributes: what every art tool draws into.
#pragma once
#include <cstdint>
#include <string_view>
#include <vector>

namespace artkit {

// attr = foreground (0-15, PC order) + 16 * background (0-7); blink is never used.
struct Cell {
  uint8_t ch = ' ';
  uint8_t attr = 0x07;
  bool operator==(const Cell&) const = default;
};

inline int Fg(uint8_t attr) { return attr & 0x0F; }
inline int Bg(uint8_t attr) { return (attr >> 4) & 0x07; }
inline uint8_t Attr(int fg, int bg) { return static_cast<uint8_t>((fg & 15) | ((bg & 7) << 4)); }

// Two cells look the same on screen: a space shows only its background, a full
// block (0xDB) only its foreground. The ANSI encoder uses this freedom to save
// colour changes, so compare a drawn screen with its canvas through this.
bool SameLook(const Cell& a, const Cell& b);

class Canvas {
 public:
  Canvas(int width, int height);  // filled with Cell{}
  int width() const { return width_; }
  int height() const { return height_; }
  Cell& at(int x, int y) { return cells_[Index(x, y)]; }
  const Cell& at(int x, int y) const { return cells_[Index(x, y)]; }
  bool Contains(int x, int y) const { return x >= 0 && y >= 0 && x < width_ && y < height_; }
  // Writes the bytes from (x, y) rightwards; whatever falls outside is dropped.
  void Put(int x, int y, std::string_view cp437, uint8_t attr);
  // Fills a rectangle (clipped) with one cell.
  void Fill(int x, int y, int w, int h, Cell c);
  // Copies another canvas onto this one at (x, y), clipped.
  void Blit(int x, int y, const Canvas& src);

 private:
  size_t Index(int x, int y) const;
  int width_;
  int height_;
  std::vector<Cell> cells_;
};

}  // namespace artkit
