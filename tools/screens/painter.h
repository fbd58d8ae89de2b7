// Runs the drawing directives of an art source onto a canvas.
#pragma once
#include <filesystem>
#include <string>
#include <vector>

#include "tools/artkit/canvas.h"
#include "tools/artkit/sauce.h"
#include "tools/screens/library.h"

namespace screens {

struct Header {
  int rows = 25;
  bool hasSauce = false;
  artkit::Sauce sauce;
};

class Painter {
 public:
  // plain: only printable ASCII may be drawn (the twins).
  Painter(const Library& lib, artkit::Canvas& canvas, bool plain);

  // Draws every directive of file, shifted by (dx, dy); header directives go to header.
  void Run(const std::filesystem::path& file, int dx, int dy, Header& header, int depth = 0);

 private:
  void Put(int x, int y, char32_t glyph, char key);  // 1-based; blanks drawn too
  void PutAttr(int x, int y, char32_t glyph, uint8_t attr);
  void PixelCell(int x, int y, const std::vector<std::u32string>& px, size_t r, size_t c, const std::string& ramp);
  uint8_t Attr(char key) const;
  void Letters(const std::vector<std::string>& w, int dx, int dy);
  size_t Grid(const std::vector<std::string>& lines, size_t at, int x, int y, char key);

  const Library& lib_;
  artkit::Canvas& canvas_;
  bool plain_;
};

}  // namespace screens
