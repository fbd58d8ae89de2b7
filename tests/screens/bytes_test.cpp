// The bytes themselves: how a screen starts and ends, its SAUCE, and no byte that
// the interpreter or a terminal would take for something other than a glyph.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/screens/screen_set.h"
#include "tools/artkit/ansi_encoder.h"
#include "tools/artkit/sauce.h"

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
    EXPECT_EQ(FirstStrayByte(body), std::string_view::npos);
    EXPECT_EQ(artkit::FindPipeCode(std::string(body)), std::string::npos);

    const auto sauce = artkit::ReadSauce(f.committed);
    ASSERT_TRUE(sauce);
    EXPECT_EQ(body.size() + 1 + 128, f.committed.size()) << "SUB right before SAUCE";
    EXPECT_EQ(sauce->fileSize, body.size());
    EXPECT_EQ(sauce->tinfo[1], f.screen.canvas.height());
    EXPECT_EQ(sauce->flags, 0) << "iCE colour off";
    EXPECT_FALSE(sauce->sauce.title.empty());
  }
}

// Twins: a form feed, then printable ASCII with one LF line end per row but the
// last, no row reaching column 80 (the interpreter wraps there, and the LF after
// it would skip a row).
TEST(ScreensPlainBytes, TwinsArePrintableAsciiWithLfLineEnds) {
  for (const auto& f : AllScreens()) {
    if (!f.screen.plain) continue;
    SCOPED_TRACE(f.screen.name);
    ASSERT_FALSE(f.committed.empty());
    EXPECT_EQ(f.committed[0], '\f');
    std::vector<std::string> rows(1);
    for (size_t i = 1; i < f.committed.size(); ++i) {
      const char c = f.committed[i];
      EXPECT_TRUE(c == '\n' || (c >= 0x20 && c <= 0x7E)) << "byte " << i;
      if (c == '\n') rows.emplace_back();
      else rows.back() += c;
    }
    EXPECT_EQ(rows.size(), static_cast<size_t>(f.screen.canvas.height()));
    for (size_t r = 0; r < rows.size(); ++r) EXPECT_LE(rows[r].size(), 79u) << "row " << r + 1;
    EXPECT_EQ(artkit::FindPipeCode(f.committed), std::string::npos);
  }
}

}  // namespace
}  // namespace screens_test
