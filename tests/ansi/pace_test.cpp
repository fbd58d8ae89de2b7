// The drawing pace: pauses on block positions, and the keys pressed while drawing.
#include <gtest/gtest.h>

#include <string>

#include "ansi/ansi_display.h"
#include "drawing.h"
#include "term/program_args.h"
#include "tests/support/console_fixture.h"

namespace {

struct PaceCase {
  std::string what;
  int pace;
  size_t artSize;
  std::string keys;  // typed before the drawing starts
  size_t pauses;
};

class Pace : public testing::TestWithParam<PaceCase> {};

TEST_P(Pace, PausesOnMultiplesOfThePaceWithinEachBlock) {
  const PaceCase& c = GetParam();
  ConsoleOnPipes console;
  console.Type(c.keys);
  PauseLog log;
  Draw(std::string(c.artSize, '.'), c.pace);
  EXPECT_EQ(log.ms.size(), c.pauses) << c.what;
  for (int ms : log.ms) EXPECT_EQ(ms, 6);
}

INSTANTIATE_TEST_SUITE_P(
    Keys, Pace,
    testing::Values(PaceCase{"pace 30 on a full block", 30, 4096, "", 136},
                    PaceCase{"pace 500", 500, 4096, "", 8},
                    PaceCase{"pace 1000 on a block and a bit", 1000, 5000, "", 4},
                    PaceCase{"pace 100: positions restart in the second block", 100, 4196, "", 41},
                    PaceCase{"pace 10000 never pauses", 10000, 8192, "", 0},
                    PaceCase{"pace 0", 0, 4096, "", 0},
                    PaceCase{"negative pace", -5, 4096, "", 0},
                    // The key is read with the first byte, before its pause.
                    PaceCase{"* sets 20", 0, 100, "*", 5},
                    PaceCase{"+ adds 3", 0, 9, "+", 3},
                    // 27, 24, ... 3 on byte 9 (a pause), then 0 on byte 10.
                    PaceCase{"ten - from 30 reach 0", 30, 4096, "----------", 1},
                    PaceCase{"other keys are read and ignored", 3, 9, "ab", 3},
                    // An arrow key reads as 0 and 72 on two bytes: neither is a pace key.
                    PaceCase{"arrow key", 3, 9, "\x1b[A", 3},
                    // Alt-X reads as 0 and 45, and 45 is "-", judged by itself.
                    PaceCase{"alt-x", 3, 9, "\x1bx", 0}));

TEST(PaceKeys, SlashTakesTheSecondArgument) {
  for (const auto& [arg, pauses] : {std::pair{"7", 3}, {"x", 0}, {"", 0}}) {
    std::string a0 = "rodi", a1 = "file", a2 = arg;
    char* argv[] = {a0.data(), a1.data(), a2.data(), nullptr};
    SetProgramArgs(*arg ? 3 : 2, argv);
    ConsoleOnPipes console;
    console.Type("/");
    PauseLog log;
    Draw(std::string(21, '.'), 30);
    EXPECT_EQ(log.ms.size(), static_cast<size_t>(pauses)) << "argument '" << arg << "'";
  }
  SetProgramArgs(0, nullptr);
}

TEST(PaceKeys, CodeBytesGetNoPauseButGivenBackBytesDo) {
  ConsoleOnPipes console;
  // The end reads as a SUB at position 1, which pauses at pace 1 too.
  {
    PauseLog log;
    Draw("|07ab", 1);
    EXPECT_EQ(log.ms.size(), 4u);
  }
  PauseLog log;
  Draw("|1xab", 1);
  EXPECT_EQ(log.ms.size(), 6u);
}

TEST(PaceKeys, EscStopsAfterTheByteInHand) {
  ConsoleOnPipes console;
  console.Type("\x1b");
  Draw("abc\r\ndef");
  EXPECT_EQ(console.Row(1).substr(0, 3), "a  ");
  EXPECT_EQ(WhereX(), 2);
}

}  // namespace
