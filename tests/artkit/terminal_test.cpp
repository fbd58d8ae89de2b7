// The encoder's promise: a real terminal shows the canvas, also after scrolling.
#include <gtest/gtest.h>

#include "artkit/ansi_encoder.h"
#include "vterm_view.h"

namespace artkit {
namespace {

struct Lcg {
  uint32_t s;
  uint32_t Next(uint32_t n) {
    s = s * 1664525u + 1013904223u;
    return (s >> 8) % n;
  }
};

Cell RandomCell(Lcg& r) {
  static constexpr uint8_t kGlyphs[] = {' ', ' ', 0xDB, 0xDF, 0xDC, 0xB0, 0xB1, 'a', '|', '0', '1', '2', '7'};
  return Cell{kGlyphs[r.Next(sizeof kGlyphs)], Attr(static_cast<int>(r.Next(16)), static_cast<int>(r.Next(8)))};
}

// Rows of every kind the line-break and scroll rules care about.
Canvas RandomCanvas(uint32_t seed, int height) {
  Lcg r{seed};
  Canvas c(80, height);
  for (int y = 0; y < height; ++y) {
    int kind = static_cast<int>(r.Next(5));
    int len = kind == 0 ? 0 : kind == 1 ? 80 : static_cast<int>(r.Next(81));
    for (int x = 0; x < len; ++x) c.at(x, y) = RandomCell(r);
    if (kind == 4) c.at(79, y) = Cell{' ', Attr(7, static_cast<int>(1 + r.Next(7)))};  // coloured blank at the end
  }
  return c;
}

void ExpectShows(const Canvas& want, int first_row, const Canvas& shown, const std::string& label) {
  for (int y = 0; y < shown.height(); ++y) {
    for (int x = 0; x < 80; ++x) {
      Cell w = first_row + y < want.height() ? want.at(x, first_row + y) : Cell{};
      ASSERT_TRUE(SameLook(w, shown.at(x, y)))
          << label << " row " << first_row + y << " col " << x << ": want " << int(w.ch) << "/" << int(w.attr)
          << " shown " << int(shown.at(x, y).ch) << "/" << int(shown.at(x, y).attr);
    }
  }
}

// Even seeds: a screen drawn from home lands in place; odd: a tall canvas scrolls into its last rows.
TEST(EncodeAnsiOnATerminal, ScreensLandInPlaceAndTallCanvasesScroll) {
  for (uint32_t seed = 1; seed <= 60; ++seed) {
    const bool tall = seed % 2;
    Canvas c = RandomCanvas(seed, tall ? 30 + static_cast<int>(seed) : 25);
    ExpectShows(c, c.height() - 25, artkit_test::TerminalView(EncodeAnsi(c, tall ? Home::Clear : Home::CursorHome)),
                "seed " + std::to_string(seed));
  }
}

}  // namespace
}  // namespace artkit
