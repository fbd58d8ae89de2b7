#include "shade.h"

#include <vector>

namespace gallery {

namespace {

struct Mixed {
  artkit::Cell cell;
  artkit::Rgb colour;
};

const std::vector<Mixed>& Table() {
  static const std::vector<Mixed> kTable = [] {
    const uint8_t glyphs[] = {0xB0, 0xB1, 0xB2};
    const float cover[] = {0.25f, 0.5f, 0.75f};
    std::vector<Mixed> t;
    for (int bg = 0; bg < 8; ++bg) t.push_back({{' ', artkit::Attr(7, bg)}, artkit::PaletteColour(bg)});
    for (int fg = 8; fg < 16; ++fg) t.push_back({{0xDB, artkit::Attr(fg, 0)}, artkit::PaletteColour(fg)});
    for (int fg = 0; fg < 16; ++fg)
      for (int bg = 0; bg < 8; ++bg)
        for (int g = 0; g < 3; ++g)
          if (fg != bg)
            t.push_back({{glyphs[g], artkit::Attr(fg, bg)},
                         artkit::Mix(artkit::PaletteColour(bg), artkit::PaletteColour(fg), cover[g])});
    return t;
  }();
  return kTable;
}

}  // namespace

artkit::Cell ShadeCell(const artkit::Rgb& c, uint16_t allowed) {
  const Mixed* best = nullptr;
  float bestD = 0;
  for (const Mixed& m : Table()) {
    int fg = artkit::Fg(m.cell.attr), bg = artkit::Bg(m.cell.attr);
    bool usesFg = m.cell.ch != ' ';
    bool usesBg = m.cell.ch != 0xDB;
    if ((usesFg && !(allowed >> fg & 1)) || (usesBg && !(allowed >> bg & 1))) continue;
    float d = artkit::Distance(c, m.colour);
    if (!best || d < bestD) {
      best = &m;
      bestD = d;
    }
  }
  return best->cell;
}

}  // namespace gallery
