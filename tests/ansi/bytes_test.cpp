// The bytes the engine sends for drawn art, on a CP437 terminal: cells go out
// as their own bytes, attribute changes as the engine's SGR, cursor commands
// as absolute positions.
#include <gtest/gtest.h>

#include <string>

#include "drawing.h"
#include "tests/support/console_fixture.h"

namespace {

struct BytesCase {
  std::string art;
  std::string sent;
};

class SentBytes : public testing::TestWithParam<BytesCase> {};

TEST_P(SentBytes, AreExact) {
  const BytesCase& c = GetParam();
  ConsoleOnPipes console;
  console.TakeOutput();  // the engine's greeting and first clear
  Draw(c.art);
  EXPECT_EQ(console.TakeOutput(), c.sent) << testing::PrintToString(c.art);
}

std::string AllGlyphs() {
  std::string s;
  for (int b = 0x80; b <= 0xFF; ++b) s += static_cast<char>(b);
  return s;
}

INSTANTIATE_TEST_SUITE_P(
    Cp437, SentBytes,
    testing::Values(
        BytesCase{AllGlyphs(), AllGlyphs()},
        BytesCase{"\x01\x02\x7f", "\x01\x02\x7f"},
        BytesCase{"a\nb", "a\r\nb"},
        BytesCase{"a\r\nb", "a\r\nb"},
        BytesCase{"a\r|07\nb", "a\r\nb"},
        BytesCase{"a\r|15\nb", "a\r\x1b[1m\nb"},
        BytesCase{"\x1b[1;31mX", "\x1b[1m\x1b[0;1;31mX"},
        // "|07" resets first, then puts the background back.
        BytesCase{"\x1b[44m|07", "\x1b[0;44m\x1b[0m\x1b[0;44m"},
        BytesCase{"\x1b[5;10H\x1b[2A\x1b[3C", "\x1b[5;10H\x1b[3;10H\x1b[3;13H"},
        BytesCase{"\x1b[s\x1b[u", "\x1b[1;1H"},
        BytesCase{"ab\tc", "ab\x1b[1;11Hc"},
        BytesCase{"\x1b[78C\x1b[K", "\x1b[1;79H "},
        BytesCase{"\x1b[2J", "\x1b[2J\x1b[1;1H"},
        BytesCase{"a\x0c", "a\x1b[2J\x1b[1;1H"},
        BytesCase{"\x1b[6n", "\x1b[1;1R"},
        BytesCase{"\x1b[?7h\x1b[=5h\x1bx", "5h"},
        BytesCase{std::string("\x0e\x0f\0", 3), "XX"},
        BytesCase{"ab\x1a" "SAUCE00", "ab"}));

}  // namespace
