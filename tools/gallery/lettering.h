// Block lettering from a hand-drawn font (content/src/gallery/blockfont.txt).
#pragma once
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "tools/artkit/canvas.h"

namespace gallery {

class BlockFont {
 public:
  // Glyphs as CP437 rows; "." in the source is an empty cell. Throws
  // std::runtime_error for a glyph with a row count other than the font's.
  static BlockFont Parse(const std::string& utf8);

  int height() const { return height_; }
  // Columns the text takes, one empty column between glyphs.
  int Width(std::string_view text) const;
  // The text as a canvas of glyph bytes, ' ' where no ink is; attributes 7.
  artkit::Canvas Render(std::string_view text) const;

 private:
  int height_ = 0;
  std::map<char, std::vector<std::string>> glyphs_;
  const std::vector<std::string>& Glyph(char c) const;
};

// Ink of rendered lettering as pixels (two per cell, as the half blocks draw
// them), scaled by sx across and sy down: mask[y][x].
std::vector<std::vector<bool>> InkMask(const artkit::Canvas& text, int sx, int sy);

// A pixel grid drawn as text ("#" ink, "." empty; lines starting "#" followed
// by a space are comments), as mask[y][x].
std::vector<std::vector<bool>> ReadMask(const std::string& text);

// The mask with every pixel repeated sx times across and sy times down.
std::vector<std::vector<bool>> ScaleMask(const std::vector<std::vector<bool>>& mask, int sx, int sy);

}  // namespace gallery
