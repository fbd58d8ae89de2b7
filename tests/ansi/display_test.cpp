// The interpreter against the screen image: characters, attributes and cursor
// after drawing small pieces of art from a known start.
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "ansi/ansi_display.h"
#include "drawing.h"
#include "tests/support/console_fixture.h"

namespace {

std::string Trimmed(std::string row) {
  row.erase(row.find_last_not_of(' ') + 1);
  return row;
}

struct Case {
  int x, y;
  uint8_t attr;
  std::string art;
  std::vector<std::pair<int, std::string>> rows;  // row number, its text (trailing blanks trimmed)
  int endX, endY;
  int endAttr;
};

class Screens : public testing::TestWithParam<Case> {};

TEST_P(Screens, LeaveTheExpectedImage) {
  const Case& c = GetParam();
  ConsoleOnPipes console;
  GotoXY(c.x, c.y);
  SetTextAttr(c.attr);
  Draw(c.art);
  SCOPED_TRACE("art: " + testing::PrintToString(c.art));
  for (const auto& [row, text] : c.rows) EXPECT_EQ(Trimmed(console.Row(row)), text) << "row " << row;
  EXPECT_EQ(WhereX(), c.endX);
  EXPECT_EQ(WhereY(), c.endY);
  EXPECT_EQ(GetTextAttr(), c.endAttr);
}

INSTANTIATE_TEST_SUITE_P(
    Text, Screens,
    testing::Values(
        Case{1, 1, 7, "", {{1, ""}}, 1, 1, 7},
        Case{1, 1, 7, "ab\x1a" "SAUCE00", {{1, "ab"}}, 3, 1, 7},
        Case{1, 1, 7, "a\r\nb", {{1, "a"}, {2, "b"}}, 2, 2, 7},
        Case{5, 1, 7, "a\nb", {{1, "    a"}, {2, "b"}}, 2, 2, 7},
        Case{5, 1, 7, "a\r|07\nb", {{1, "    a"}, {2, "b"}}, 2, 2, 7},
        Case{5, 1, 7, "a\x1b[m\nb", {{1, "    a"}, {2, "b"}}, 2, 2, 7},
        Case{1, 1, 7, std::string("a\0b\x0e\x0f", 5), {{1, "abXX"}}, 5, 1, 7},
        Case{1, 1, 7, "a\tb", {{1, "a        b"}}, 11, 1, 7},
        Case{75, 1, 7, "\t", {}, 80, 1, 7},
        Case{1, 1, 7, "abc\bX", {{1, "abX"}}, 4, 1, 7},
        Case{1, 1, 7, "abc\x0cZ", {{1, "Z"}}, 2, 1, 7},
        Case{1, 1, 7, "\x01\xdb\xb0\x7f", {{1, "\x01\xdb\xb0\x7f"}}, 5, 1, 7},
        Case{1, 25, 7, "a\r\nb", {{25, "b"}}, 2, 25, 7},
        Case{1, 1, 7, std::string(80, '=') + "a", {{1, std::string(80, '=')}, {2, "a"}}, 2, 2, 7}));

INSTANTIATE_TEST_SUITE_P(
    Cursor, Screens,
    testing::Values(
        Case{1, 23, 7, "\x1b[5B", {}, 1, 25, 7},
        Case{1, 1, 7, "\x1b[300C", {}, 80, 1, 7},
        Case{40, 12, 7, "\x1b[H", {}, 1, 1, 7},
        Case{40, 12, 7, "\x1b[10;300H", {}, 80, 10, 7},
        Case{40, 12, 7, "\x1b[;5f", {}, 5, 1, 7},
        Case{40, 12, 7, "\x1b[0A", {}, 40, 11, 7},
        Case{40, 12, 7, "\x1b[99A", {}, 40, 1, 7},
        Case{40, 12, 7, "\x1b[3D", {}, 37, 12, 7},
        Case{40, 12, 7, "\x1b[99999999999D", {}, 39, 12, 7},
        Case{40, 12, 7, "\x1b[2147483647C", {}, 80, 12, 7},
        Case{40, 12, 7, "\x1b[2E", {}, 1, 14, 7},
        Case{40, 12, 7, "\x1b[9G", {}, 1, 12, 7},
        Case{40, 12, 7, "\x1b[u", {}, 1, 1, 7},
        Case{40, 12, 7, "\x1b[s\x1b[Hab\x1b[u", {{1, "ab"}}, 40, 12, 7},
        Case{5, 3, 7, "\x1b[6n", {{3, "    \x1b[3;5R"}}, 11, 3, 7},
        Case{1, 1, 7, "abc\x1b[2J", {{1, ""}}, 1, 1, 7}));

INSTANTIATE_TEST_SUITE_P(
    ClearToEndOfLine, Screens,
    testing::Values(
        Case{1, 1, 7, std::string(80, '#') + "\x1b[1;10H\x1b[K",
             {{1, std::string(9, '#') + std::string(70, ' ') + "#"}}, 80, 1, 7},
        Case{1, 1, 7, std::string(80, '#') + "\x1b[1;80H\x1b[K", {{1, std::string(80, '#')}}, 80, 1, 7}));

INSTANTIATE_TEST_SUITE_P(
    Rendition, Screens,
    testing::Values(
        Case{1, 1, 0x1F, "\x1b[m", {}, 1, 1, 0x07},
        Case{1, 1, 0x1F, "\x1b[0m", {}, 1, 1, 0x07},
        Case{1, 1, 0x07, "\x1b[1;31m", {}, 1, 1, 0x0C},
        Case{1, 1, 0x8F, "\x1b[44m", {}, 1, 1, 0x1F},
        Case{1, 1, 0x1F, "\x1b[7m", {}, 1, 1, 0x71},
        Case{1, 1, 0x9C, "\x1b[7m", {}, 1, 1, 0xC1},
        Case{1, 1, 0x07, "\x1b[5;0m", {}, 1, 1, 0x07},
        Case{1, 1, 0x07, "\x1b[5m", {}, 1, 1, 0x87},
        Case{1, 1, 0x9F, "\x1b[32m", {}, 1, 1, 0x9A},
        Case{1, 1, 0x07, "\x1b[33;46m", {}, 1, 1, 0x36},
        Case{1, 1, 0x07, "\x1b[38;39;2;22m", {}, 1, 1, 0x07},
        Case{1, 1, 0x1F, "\x1b[;m", {}, 1, 1, 0x07},
        Case{1, 1, 0x1F, "\x1b[?m", {}, 1, 1, 0x07}));

INSTANTIATE_TEST_SUITE_P(
    Abandoned, Screens,
    testing::Values(
        Case{1, 1, 7, "\x1b[?7hab", {{1, "ab"}}, 3, 1, 7},
        Case{1, 1, 7, "\x1b[=5h", {{1, "5h"}}, 3, 1, 7},
        Case{1, 1, 7, "\x1bxab", {{1, "ab"}}, 3, 1, 7},
        Case{1, 1, 7, "\x1b[1 ab", {{1, "ab"}}, 3, 1, 7},
        Case{1, 1, 7, "\x1b[1\x1b[2Cab", {{1, "[2Cab"}}, 6, 1, 7},
        Case{1, 1, 7, "\x1b[\xdb" "ab", {{1, "ab"}}, 3, 1, 7}));

INSTANTIATE_TEST_SUITE_P(
    PipeCodes, Screens,
    testing::Values(
        Case{1, 1, 0x07, "\x1b[44m|07", {}, 1, 1, 0x17},
        Case{1, 1, 0x9F, "|04", {}, 1, 1, 0x14},
        Case{1, 1, 0x97, "|12", {}, 1, 1, 0x9C},
        Case{1, 1, 0x9E, "|20", {}, 1, 1, 0x4E},
        Case{1, 1, 0x07, "|1xa", {{1, "|1xa"}}, 5, 1, 0x07},
        Case{1, 1, 0x07, "|24", {{1, "|24"}}, 4, 1, 0x07},
        Case{1, 1, 0x07, "||07a", {{1, "|a"}}, 3, 1, 0x07},
        Case{1, 1, 0x07, "|||14a", {{1, "||a"}}, 4, 1, 0x0E},
        Case{1, 1, 0x07, "ab|1", {{1, "ab|"}}, 4, 1, 0x07},
        Case{1, 1, 0x07, "ab|", {{1, "ab|"}}, 4, 1, 0x07},
        Case{1, 1, 0x07, "ab|\x1a" "07", {{1, "ab|"}}, 4, 1, 0x07},
        // Inside a sequence the colour text's ESC abandons it: its "[" and the
        // rest are drawn.
        Case{1, 1, 0x07, "\x1b[1|15", {{1, "[1;37m"}}, 7, 1, 0x07}));

TEST(Display, MissingFileWritesOneLine) {
  ConsoleOnPipes console;
  GotoXY(3, 4);
  SetTextAttr(0x1E);
  AnsiDisplay("/nonexistent/art.ans", 30);
  EXPECT_EQ(Trimmed(console.Row(4)), "  File /nonexistent/art.ans not found.");
  EXPECT_EQ(console.Attr(3, 4), 0x1E);
  EXPECT_EQ(WhereX(), 1);
  EXPECT_EQ(WhereY(), 5);
}

TEST(Display, FileIsReadWholeAcrossBlocks) {
  ConsoleOnPipes console;
  // Codes and sequences straddle the 4,096-byte block boundary.
  std::string art(4094, '\0');
  art += "|12X\x1b[3;4HY|1";
  art += "z";
  AnsiDisplay(ArtFile("blocks", art), 0);
  EXPECT_EQ(console.Row(1).substr(0, 1), "X");
  EXPECT_EQ(console.Attr(1, 1), 0x0C);
  EXPECT_EQ(console.Row(3).substr(3, 5), "Y|1z ");
}

}  // namespace
