// The clear transitions: what each wipe leaves, in which order it blanks the
// screen, and the pauses it takes (counted, not slept).
#include <gtest/gtest.h>

#include <string>

#include "ansi/cls.h"
#include "drawing.h"
#include "tests/support/console_fixture.h"

namespace {

class Wipes : public testing::Test {
 protected:
  void SetUp() override {
    for (int y = 1; y <= 25; ++y) WriteXY(1, y, 0x1F, std::string(80, 'x'));
    GotoXY(33, 17);
    SetTextAttr(0x4E);
  }

  bool Blank(int x, int y, uint8_t attr) const {
    return console.Row(y)[x - 1] == ' ' && console.Attr(x, y) == attr;
  }
  int BlankCells(uint8_t attr) const {
    int n = 0;
    for (int y = 1; y <= 25; ++y)
      for (int x = 1; x <= 80; ++x) n += Blank(x, y, attr);
    return n;
  }

  ConsoleOnPipes console;
  PauseLog log;
};

TEST_F(Wipes, HorizontalLinesEndWithAClearInTheCurrentAttribute) {
  RunWipe(Wipe::HorizontalLines);
  EXPECT_EQ(log.ms, std::vector<int>(25, 30));
  EXPECT_EQ(BlankCells(0x4E), 2000);
  EXPECT_EQ(WhereX(), 1);
  EXPECT_EQ(WhereY(), 1);
}

TEST_F(Wipes, VerticalLinesBlankEvenColumnsThenOddOnesOneCellAPause) {
  int pauses = 0;
  SetPause([&](int ms) {
    EXPECT_EQ(ms, 1);
    ++pauses;
    if (pauses == 25) {  // column 2 done, column 4 untouched
      EXPECT_TRUE(Blank(2, 25, 0));
      EXPECT_FALSE(Blank(4, 1, 0));
      EXPECT_FALSE(Blank(1, 1, 0));
    }
    if (pauses == 1001) {  // the second pass has started at column 1
      EXPECT_TRUE(Blank(80, 25, 0));
      EXPECT_TRUE(Blank(1, 1, 0));
      EXPECT_FALSE(Blank(1, 2, 0));
      EXPECT_FALSE(Blank(3, 1, 0));
    }
  });
  RunWipe(Wipe::VerticalLines);
  EXPECT_EQ(pauses, 2000);
  EXPECT_EQ(BlankCells(0), 2000);
  EXPECT_EQ(WhereX(), 33);
  EXPECT_EQ(WhereY(), 17);
  EXPECT_EQ(GetTextAttr(), 0x4E);
}

TEST_F(Wipes, QuartersGoClockwiseCrossAndKeepTheCursor) {
  std::vector<std::string> order;
  SetPause([&](int ms) {
    log.ms.push_back(ms);
    order.push_back(std::to_string(Blank(1, 1, 0)) + std::to_string(Blank(80, 25, 0)) +
                    std::to_string(Blank(80, 1, 0)) + std::to_string(Blank(1, 25, 0)));
  });
  RunWipe(Wipe::Quarters);
  EXPECT_EQ(log.ms, std::vector<int>(3, 200));
  EXPECT_EQ(order, (std::vector<std::string>{"1000", "1100", "1110"}));
  EXPECT_EQ(BlankCells(0), 2000) << "columns 40 and 80 included";
  EXPECT_EQ(WhereX(), 33);
  EXPECT_EQ(WhereY(), 17);
  EXPECT_EQ(GetTextAttr(), 0x4E);
}

TEST_F(Wipes, ClsRunsOneOfTheThree) {
  Cls();
  const size_t n = log.ms.size();
  EXPECT_TRUE(n == 25 || n == 2000 || n == 3) << n << " pauses";
  EXPECT_EQ(BlankCells(n == 25 ? 0x4E : 0), 2000);
}

}  // namespace
