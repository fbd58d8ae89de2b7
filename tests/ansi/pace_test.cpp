// The drawing pace, and the keys that change it while drawing.
#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>
#include <string>
#include <vector>

#include "ansi/ansi_display.h"
#include "drawing.h"
#include "tests/support/console_fixture.h"
#include "tests/support/fake_time.h"

namespace {

// The drawing's pauses among the waits; the others are the decoder's 10 ms
// waits for the rest of an escape sequence.
std::vector<int> Pauses(const FakeTime& time) {
  std::vector<int> pauses;
  std::copy_if(time.waits.begin(), time.waits.end(), std::back_inserter(pauses), [](int ms) { return ms != 10; });
  return pauses;
}

TEST(Pace, PausesOnMultiplesOfThePaceWithinEachBlock) {
  struct Case { std::string what; int pace; size_t artSize; std::string keys; size_t pauses; };
  const Case cases[] = {
      {"pace 30 on a full block", 30, 4096, "", 136},
      {"pace 100: positions restart in the second block", 100, 4196, "", 41},
      {"negative pace", -5, 4096, "", 0},
      // Keys typed before the drawing: each is read with a byte, before its pause.
      {"* sets 20", 0, 100, "*", 5},
      {"+ adds 3", 0, 9, "+", 3},
      {"ten - from 30 reach 0", 30, 4096, "----------", 1},  // 27, 24, ... 3 on byte 9, then 0
      {"arrow key: 0 and 72, neither a pace key", 3, 9, "\x1b[A", 3},
      {"alt-x: 0 and 45, and 45 is -", 3, 9, "\x1bx", 0},
  };
  for (const Case& c : cases) {
    ConsoleOnPipes console;
    console.Type(c.keys);
    FakeTime time;
    Draw(std::string(c.artSize, '.'), c.pace);
    const std::vector<int> pauses = Pauses(time);
    EXPECT_EQ(pauses.size(), c.pauses) << c.what;
    EXPECT_EQ(std::count(pauses.begin(), pauses.end(), 6), std::ssize(pauses)) << c.what;
  }
}

}  // namespace
