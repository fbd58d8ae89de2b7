// The bytes themselves: how a screen starts and ends, its SAUCE, and no byte that
// the interpreter or a terminal would take for something other than a glyph.
#include <gtest/gtest.h>

#include "artkit/ansi_encoder.h"
#include "artkit/sauce.h"
#include "screen_set.h"

namespace screens_test {
namespace {

// Returns the offset of the first byte that is neither a drawable glyph, CR LF, nor
// one of the sequences ESC[...m, ESC[H, ESC[2J; npos when there is none.
size_t FirstStrayByte(std::string_view body) {
  for (size_t i = 0; i < body.size(); ++i) {
    const auto b = static_cast<uint8_t>(body[i]);
    if (b == 0x1B) {
      if (i + 1 >= body.size() || body[i + 1] != '[') return i;
      size_t end = i + 2;
      while (end < body.size() && (std::isdigit(static_cast<unsigned char>(body[end])) || body[end] == ';')) ++end;
      if (end >= body.size() || (body[end] != 'm' && body[end] != 'H' && body[end] != 'J')) return i;
      i = end;
    } else if (b == '\r') {
      if (i + 1 >= body.size() || body[i + 1] != '\n') return i;
    } else if (b != '\n' && (b < 0x20 || b == 0x7F)) {
      return i;
    }
  }
  return std::string_view::npos;
}

TEST(ScreensAnsiBytes, PlacedResetGlyphsOnlyThenSubAndSauce) {
  for (const auto& f : AllScreens()) {
    if (f.screen.plain) continue;
    SCOPED_TRACE(f.screen.name);
    const std::string_view body = Body(f.committed);
    EXPECT_TRUE(body.starts_with("\x1b[0m\x1b[H") || body.starts_with("\x1b[0m\x1b[2J"));
    EXPECT_TRUE(body.ends_with("\x1b[0m"));
    std::string_view drawn = body.substr(0, body.size() - 4);
    while (drawn.ends_with("m") && drawn.rfind("\x1b[") != std::string_view::npos &&
           drawn.find_first_not_of("0123456789;", drawn.rfind("\x1b[") + 2) == drawn.size() - 1) {
      drawn = drawn.substr(0, drawn.rfind("\x1b["));
    }
    EXPECT_FALSE(drawn.ends_with("\n")) << "a line break after the last row";
    EXPECT_EQ(FirstStrayByte(body), std::string_view::npos);
    EXPECT_EQ(artkit::FindPipeCode(std::string(body)), std::string::npos);

    const auto sauce = artkit::ReadSauce(f.committed);
    ASSERT_TRUE(sauce);
    EXPECT_EQ(body.size() + 1 + 128, f.committed.size()) << "SUB right before SAUCE";
    EXPECT_EQ(sauce->file_size, body.size());
    EXPECT_EQ(sauce->tinfo[1], f.screen.canvas.height());
    EXPECT_EQ(sauce->flags, 0) << "iCE colour off";
    EXPECT_FALSE(sauce->sauce.title.empty());
  }
}

// Replays a twin the way the interpreter draws it: the form feed clears, an LF
// returns to column 1 of the next row, the 80th character wraps by itself.
artkit::Canvas ReplayPlain(std::string_view text, int& rows_used) {
  artkit::Canvas out(80, 26);
  int x = 0, y = 0;
  rows_used = 0;
  for (char c : text.substr(1)) {
    if (c == '\n') {
      x = 0, ++y;
      continue;
    }
    if (y < 26) out.at(x, y).ch = static_cast<uint8_t>(c);
    rows_used = std::max(rows_used, y + 1);
    if (++x == 80) x = 0, ++y;
  }
  return out;
}

// Twins: printable ASCII after a form feed, drawing their canvas within 25 rows.
TEST(ScreensPlainBytes, TwinsArePrintableAsciiAndDrawTheirCanvas) {
  for (const auto& f : AllScreens()) {
    if (!f.screen.plain) continue;
    SCOPED_TRACE(f.screen.name);
    ASSERT_FALSE(f.committed.empty());
    EXPECT_EQ(f.committed[0], '\f');
    for (size_t i = 1; i < f.committed.size(); ++i) {
      const char c = f.committed[i];
      EXPECT_TRUE(c == '\n' || (c >= 0x20 && c <= 0x7E)) << "byte " << i;
    }
    EXPECT_NE(f.committed.back(), '\n');
    EXPECT_EQ(artkit::FindPipeCode(f.committed), std::string::npos);
    int rows = 0;
    const auto drawn = ReplayPlain(f.committed, rows);
    EXPECT_LE(rows, 25);
    for (int y = 1; y <= f.screen.canvas.height(); ++y) {
      EXPECT_EQ(RowText(drawn, y), RowText(f.screen.canvas, y)) << "row " << y;
    }
  }
}

}  // namespace
}  // namespace screens_test
