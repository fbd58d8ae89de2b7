// The interpreter: the image and bytes sent after small pieces of art, the
// pace of drawing, and the clear transitions, on time that is not slept.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "ansi/ansi_display.h"
#include "ansi/cls.h"
#include "drawing.h"
#include "tests/support/console_fixture.h"

namespace {

struct Case {
  int x, y;
  uint8_t attr;
  std::string art;
  std::vector<std::pair<int, std::string>> rows;  // row number, its text up to the trailing blanks
  int endX, endY, endAttr;
  std::string keys = "";  // typed before drawing
};

TEST(Display, ArtLeavesTheExpectedImage) {
  const Case cases[] = {
      // Text and control bytes; SUB ends the art.
      {1, 1, 7, "ab\x1a" "SAUCE00", {{1, "ab"}}, 3, 1, 7},
      {5, 1, 7, "a\nb", {{1, "    a"}, {2, "b"}}, 2, 2, 7},  // LF implies CR
      {1, 1, 7, std::string("a\0b\x0e\x0f", 5), {{1, "abXX"}}, 5, 1, 7},
      {1, 25, 7, "a\r\nb", {{25, "b"}}, 2, 25, 7},
      {1, 1, 7, std::string(80, '=') + "\r\nab", {{2, ""}, {3, "ab"}}, 3, 3, 7},  // the wrap, then CR LF
      // Cursor commands, clamped to the screen.
      {1, 23, 7, "\x1b[5B", {}, 1, 25, 7}, {40, 12, 7, "\x1b[H", {}, 1, 1, 7},
      {40, 12, 7, "\x1b[99999999999D", {}, 39, 12, 7}, {40, 12, 7, "\x1b[2147483647C", {}, 80, 12, 7},
      {5, 3, 7, "\x1b[6n", {{3, "    \x1b[3;5R"}}, 11, 3, 7}, {1, 1, 7, "abc\x1b[2J", {{1, ""}}, 1, 1, 7},
      // K clears to the end of the line, but never column 80.
      {1, 1, 7, std::string(80, '#') + "\x1b[1;10H\x1b[K", {{1, std::string(9, '#') + std::string(70, ' ') + "#"}},
       80, 1, 7},
      {1, 1, 7, std::string(80, '#') + "\x1b[1;80H\x1b[K", {{1, std::string(80, '#')}}, 80, 1, 7},
      {1, 1, 0x9C, "\x1b[7m", {}, 1, 1, 0xC1}, {1, 1, 0x07, "\x1b[5;0m", {}, 1, 1, 0x07},  // rendition
      // The ends of both colour ranges; 29 and 48 are no colours.
      {1, 1, 0x1F, "\x1b[30;47m", {}, 1, 1, 0x78}, {1, 1, 0x70, "\x1b[37;40m", {}, 1, 1, 0x07},
      {1, 1, 0x07, "\x1b[29;48m", {}, 1, 1, 0x07},
      {1, 1, 7, "\x1b[1\x1b[2Cab", {{1, "[2Cab"}}, 6, 1, 7},  // an abandoned sequence
      // Pipe codes.
      {1, 1, 0x97, "|12", {}, 1, 1, 0x9C}, {1, 1, 0x9E, "|20", {}, 1, 1, 0x4E}, {1, 1, 0x07, "|23", {}, 1, 1, 0x77},
      {1, 1, 0x07, "|1xa", {{1, "|1xa"}}, 5, 1, 0x07}, {1, 1, 0x07, "|24", {{1, "|24"}}, 4, 1, 0x07},
      {1, 1, 0x07, "ab|1", {{1, "ab|"}}, 4, 1, 0x07}, {1, 1, 0x07, "ab|\x1a" "07", {{1, "ab|"}}, 4, 1, 0x07},
      // Inside a sequence the colour text's ESC abandons it: its "[" and the rest are drawn.
      {1, 1, 0x07, "\x1b[1|15", {{1, "[1;37m"}}, 7, 1, 0x07},
      // Codes and sequences straddle the 4,096-byte block boundary.
      {1, 1, 0x07, std::string(4094, '\0') + "|12X\x1b[3;4HY|1z", {{1, "X"}, {3, "   Y|1z"}}, 8, 3, 0x0C},
      {1, 1, 7, "abc\r\ndef", {{1, "a"}}, 2, 1, 7, "\x1b"},  // Esc stops after the byte in hand
  };
  for (const Case& c : cases) {
    SCOPED_TRACE("art: " + testing::PrintToString(c.art));
    ConsoleOnPipes console;
    console.Type(c.keys);
    GotoXY(c.x, c.y);
    SetTextAttr(c.attr);
    Draw(c.art);
    for (const auto& [row, text] : c.rows) EXPECT_EQ(console.Row(row), text + std::string(80 - text.size(), ' '));
    EXPECT_EQ(std::make_tuple(WhereX(), WhereY(), GetTextAttr()), std::make_tuple(c.endX, c.endY, c.endAttr));
  }
}

TEST(SentBytes, AreExact) {
  const std::pair<std::string, std::string> cases[] = {
      {"\x80\xB0\xDB\xFF", "\x80\xB0\xDB\xFF"},  // glyphs as their own bytes
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

TEST(Pace, PausesOnMultiplesOfThePaceWithinEachBlock) {
  struct Case { std::string what; int pace; size_t artSize; std::string keys; int pauses; };
  const Case cases[] = {
      {"pace 30 on a full block", 30, 4096, "", 136},
      {"pace 100: positions restart in the second block", 100, 4196, "", 41},
      // Keys typed before the drawing: each is read with a byte, before its pause.
      {"* sets 20", 0, 100, "*", 5},
      {"ten - from 30 reach 0", 30, 4096, "----------", 1},  // 27, 24, ... 3 on byte 9, then 0
      {"arrow key: 0 and 72, neither a pace key", 3, 9, "\x1b[A", 3},
      {"alt-x: 0 and 45, and 45 is -", 3, 9, "\x1bx", 0},
  };
  for (const Case& c : cases) {
    ConsoleOnPipes console;
    console.Type(c.keys);
    FakeTime time;
    Draw(std::string(c.artSize, '.'), c.pace);
    // Other waits are the decoder's 10 ms for the rest of an escape sequence.
    const auto pauses = std::count(time.waits.begin(), time.waits.end(), 6);
    EXPECT_EQ(pauses, c.pauses) << c.what;
    EXPECT_EQ(pauses + std::count(time.waits.begin(), time.waits.end(), 10), std::ssize(time.waits)) << c.what;
  }
}

TEST(Wipes, BlankTheScreenInTheirOrderAndKeepTheCursor) {
  using Cells = std::vector<std::pair<int, int>>;
  const struct {
    Wipe wipe;
    int ms, pauses;
    Cells probed;                        // at the pauses below: 1 when blank in attribute 0
    std::map<size_t, std::string> want;  // pause number, probe
  } cases[] = {
      // Even columns first, one cell a pause: column 2 is done before 4, all of them before column 1.
      {Wipe::VerticalLines, 1, 2000, {{2, 25}, {4, 1}, {1, 1}, {80, 25}, {1, 2}}, {{25, "10000"}, {1001, "11110"}}},
      // Clockwise from the top left; columns 40 and 80 included.
      {Wipe::Quarters, 200, 3, {{1, 1}, {80, 25}, {80, 1}, {1, 25}}, {{1, "1000"}, {2, "1100"}, {3, "1110"}}},
  };
  for (const auto& c : cases) {
    ConsoleOnPipes console;
    FakeTime time;
    for (int y = 1; y <= 25; ++y) WriteXY(1, y, 0x1F, std::string(80, 'x'));
    GotoXY(33, 17);
    SetTextAttr(0x4E);
    const auto probe = [&](const Cells& cells) {
      std::string blank;
      for (const auto& [x, y] : cells) blank += console.Row(y)[x - 1] == ' ' && console.Attr(x, y) == 0 ? '1' : '0';
      return blank;
    };
    std::map<size_t, std::string> seen;
    time.onWait = [&](int) {
      if (c.want.count(time.waits.size())) seen[time.waits.size()] = probe(c.probed);
    };
    RunWipe(c.wipe);
    EXPECT_EQ(time.waits, std::vector<int>(c.pauses, c.ms));
    EXPECT_EQ(seen, c.want);
    for (int y = 1; y <= 25; ++y) EXPECT_EQ(console.Row(y), std::string(80, ' ')) << "row " << y;
    EXPECT_EQ(std::make_tuple(WhereX(), WhereY(), GetTextAttr()), std::make_tuple(33, 17, 0x4E));
  }
}

}  // namespace
