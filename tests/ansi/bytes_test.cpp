// The bytes the engine sends for drawn art on a CP437 terminal: cells as their
// own bytes, attribute changes as the engine's SGR, cursor commands as
// absolute positions.
#include <gtest/gtest.h>

#include <string>

#include "drawing.h"
#include "tests/support/console_fixture.h"

namespace {

TEST(SentBytes, AreExact) {
  std::string glyphs;
  for (int b = 0x80; b <= 0xFF; ++b) glyphs += static_cast<char>(b);
  const std::pair<std::string, std::string> cases[] = {
      {glyphs, glyphs},
      {"a\nb", "a\r\nb"},
      {"a\r|15\nb", "a\r\x1b[1m\nb"},
      {"\x1b[1;31mX", "\x1b[1m\x1b[0;1;31mX"},
      {"\x1b[44m|07", "\x1b[0;44m\x1b[0m\x1b[0;44m"},  // "|07" resets, then puts the background back
      {"\x1b[5;10H\x1b[2A\x1b[3C", "\x1b[5;10H\x1b[3;10H\x1b[3;13H"},
      {"ab\tc", "ab\x1b[1;11Hc"},
      {"\x1b[78C\x1b[K", "\x1b[1;79H "},
      {"a\x0c", "a\x1b[2J\x1b[1;1H"},
      {"\x1b[?7h\x1b[=5h\x1bx", "5h"},
  };
  for (const auto& [art, sent] : cases) {
    ConsoleOnPipes console;
    console.TakeOutput();  // the engine's greeting and first clear
    Draw(art);
    EXPECT_EQ(console.TakeOutput(), sent) << testing::PrintToString(art);
  }
}

}  // namespace
