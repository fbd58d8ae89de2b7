// Terminals of other sizes than 80x25: the magazine asks a smaller one to
// grow, explains itself when it cannot, and stays in the top-left 80x25 of a
// larger one.
#include <signal.h>

#include <gtest/gtest.h>

#include "rodi_checks.h"

namespace rodi::e2e {
namespace {

constexpr std::string_view kResizeRequest = "\x1b[8;25;80t";

RunOptions Small() {
  RunOptions o;
  o.cols = 60;
  o.rows = 20;
  return o;
}

// Ends a run that is waiting for keys and checks it tidied up.
void EndAndExpectHandedBack(PtyRun& run) {
  if (!run.WaitExit(0)) run.Signal(SIGTERM);
  ASSERT_TRUE(run.WaitExit(kLeaveMs).has_value()) << "does not leave on SIGTERM";
  ExpectHandedBack(run, run.Terminal().Rows());
}

TEST(SmallTerminal, AsksToGrowAndGoesOnWhenTheTerminalDoes) {
  RODI_REQUIRE_MAGAZINE();
  RunOptions o = Small();
  o.answerResize = true;
  PtyRun run(o);
  ASSERT_TRUE(run.WaitForOutput(kResizeRequest, kShowMs)) << "no resize request";
  // Going on means neither complaining nor waiting for a key: the magazine is
  // still at work after a second, or has already ended normally.
  EXPECT_FALSE(run.WaitForText("needs an 80x25 terminal", 1000)) << run.Screen();
  auto status = run.WaitExit(0);
  EXPECT_TRUE(!status || *status == 0) << "exit status " << *status;
  EndAndExpectHandedBack(run);
}

TEST(SmallTerminal, SaysWhatItNeedsAndWaitsForAKeyWhenTheTerminalCannotGrow) {
  RODI_REQUIRE_MAGAZINE();
  PtyRun run(Small());
  ASSERT_TRUE(run.WaitForText("needs an 80x25 terminal", kShowMs)) << run.Screen();
  int lines = 0;
  for (int row = 1; row <= 20; ++row) {
    std::string text = run.Row(row);
    if (text.empty()) continue;
    ++lines;
    if (text.find("needs an 80x25 terminal") != std::string::npos) {
      EXPECT_NE(text.find("60x20"), std::string::npos) << "size found is not named: " << text;
    }
  }
  EXPECT_EQ(lines, 1) << run.Screen();
  run.Pump(300);
  EXPECT_EQ(run.WaitExit(0), std::nullopt) << "did not wait for a key";
  run.Type(" ");
  run.Pump(200);
  EndAndExpectHandedBack(run);
}

TEST(SmallTerminal, HelpComesFirstAndNeverAsksToGrow) {
  RODI_REQUIRE_MAGAZINE();
  RunOptions o = Small();
  o.args = {"--help"};
  o.answerResize = true;
  PtyRun run(o);
  ASSERT_EQ(run.WaitExit(kShowMs), 0) << run.Screen();
  EXPECT_EQ(run.RawOutput().find("\x1b[8;"), std::string::npos) << "asked to grow";
  EXPECT_EQ(run.Row(1), HelpLines()[0]);
  ExpectHandedBack(run, 20);
}

TEST(LargeTerminal, DrawsOnlyInTheTopLeftAndResetsTheScrollingRegion) {
  RODI_REQUIRE_MAGAZINE();
  RunOptions o;
  o.args = {"--help"};
  o.cols = 100;
  o.rows = 30;
  PtyRun run(o);
  ASSERT_EQ(run.WaitExit(kShowMs), 0) << run.Screen();
  const auto& help = HelpLines();
  for (int row = 1; row <= static_cast<int>(help.size()); ++row)
    EXPECT_EQ(run.Row(row), help[row - 1]) << "row " << row;
  for (int row = 1; row <= 30; ++row)
    for (int col = row <= 25 ? 81 : 1; col <= 100; ++col) {
      CellInfo c = run.Cell(col, row);
      if (c.ch != U' ' || c.Attr() != 7) {
        ADD_FAILURE() << "drawn outside 80x25 at " << col << "," << row;
        row = 31;
        break;
      }
    }
  ExpectHandedBack(run, 30);
  // With the whole screen as scrolling region, two line feeds on the last row
  // move the help's third line to the top.
  run.Terminal().Feed("\x1b[30;1H\n\n");
  EXPECT_EQ(run.Row(1), help[2]) << "the terminal no longer scrolls as a whole";
}

}  // namespace
}  // namespace rodi::e2e
