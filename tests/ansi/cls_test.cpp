// The clear transitions: what each wipe leaves, its order, and its pauses (on time that is not slept).
#include <gtest/gtest.h>

#include <string>
#include <tuple>

#include "ansi/cls.h"
#include "tests/support/console_fixture.h"
#include "tests/support/fake_time.h"

namespace {

class Wipes : public testing::Test {
 protected:
  void SetUp() override {
    for (int y = 1; y <= 25; ++y) WriteXY(1, y, 0x1F, std::string(80, 'x'));
    GotoXY(33, 17);
    SetTextAttr(0x4E);
  }
  // Each cell as 1 when blank in attribute 0, else 0.
  std::string Probe(std::initializer_list<std::pair<int, int>> cells) const {
    std::string blank;
    for (const auto& [x, y] : cells) blank += console.Row(y)[x - 1] == ' ' && console.Attr(x, y) == 0 ? '1' : '0';
    return blank;
  }
  void ExpectAllBlankAndCursorKept() const {
    for (int y = 1; y <= 25; ++y) {
      for (int x = 1; x <= 80; ++x) ASSERT_EQ(Probe({{x, y}}), "1") << x << "," << y;
    }
    EXPECT_EQ(std::make_tuple(WhereX(), WhereY(), GetTextAttr()), std::make_tuple(33, 17, 0x4E));
  }

  ConsoleOnPipes console;
  FakeTime time;
};

TEST_F(Wipes, VerticalLinesBlankEvenColumnsThenOddOnesOneCellAPause) {
  int pauses = 0;
  time.onWait = [&](int ms) {
    EXPECT_EQ(ms, 1);
    ++pauses;
    if (pauses == 25) { EXPECT_EQ(Probe({{2, 25}, {4, 1}, {1, 1}}), "100"); }  // column 2 done, not 4
    if (pauses == 1001) { EXPECT_EQ(Probe({{80, 25}, {1, 1}, {1, 2}, {3, 1}}), "1100"); }  // then column 1
  };
  RunWipe(Wipe::VerticalLines);
  EXPECT_EQ(pauses, 2000);
  ExpectAllBlankAndCursorKept();
}

TEST_F(Wipes, QuartersGoClockwiseCrossAndKeepTheCursor) {
  std::vector<std::string> order;
  time.onWait = [&](int) { order.push_back(Probe({{1, 1}, {80, 25}, {80, 1}, {1, 25}})); };
  RunWipe(Wipe::Quarters);
  EXPECT_EQ(time.waits, std::vector<int>(3, 200));
  EXPECT_EQ(order, (std::vector<std::string>{"1000", "1100", "1110"}));
  ExpectAllBlankAndCursorKept();  // columns 40 and 80 included
}

}  // namespace
