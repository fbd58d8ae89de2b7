// Terminals of other sizes than 80x25: the magazine asks a smaller one to
// grow, explains itself when it cannot, and stays in the top-left 80x25 of a
// larger one.

#include "rodi_checks.h"

namespace rodi::e2e {
namespace {

RunOptions Sized(int cols, int rows, std::vector<std::string> args = {}) {
  RunOptions o;
  o.cols = cols;
  o.rows = rows;
  o.args = std::move(args);
  return o;
}

// Ends a run that is waiting for keys and checks it tidied up.
void EndAndExpectHandedBack(PtyRun& run) {
  if (!run.WaitExit(0)) run.Signal(SIGTERM);
  ASSERT_TRUE(run.WaitExit(kLeaveMs).has_value()) << "does not leave on SIGTERM";
  ExpectHandedBack(run, run.Terminal().Rows());
}

TEST(SmallTerminal, SaysWhatItNeedsAndWaitsForAKeyWhenTheTerminalCannotGrow) {
  RODI_REQUIRE_MAGAZINE();
  PtyRun run(Sized(60, 20));
  ASSERT_TRUE(run.WaitForText("then press a key", kShowMs)) << run.Screen();
  std::string shown;
  for (int row = 1; row <= 20; ++row) shown += run.Row(row).empty() ? "" : run.Row(row) + "\n";
  EXPECT_EQ(shown, "rodi needs an 80x25 terminal, found 60x20:\nenlarge the window, then press a key\n");
  run.Pump(300);
  EXPECT_EQ(run.WaitExit(0), std::nullopt) << "did not wait for a key";
  run.Type(" ");
  run.Pump(200);
  EndAndExpectHandedBack(run);
}

TEST(SmallTerminal, HelpComesFirstAndNeverAsksToGrow) {
  RODI_REQUIRE_MAGAZINE();
  PtyRun run(Sized(60, 20, {"--help"}));
  ASSERT_EQ(run.WaitExit(kShowMs), 0) << run.Screen();
  EXPECT_EQ(run.RawOutput().find("\x1b[8;"), std::string::npos) << "asked to grow";
  // Wrapped at 60 columns the help scrolls: its last line shows, and no size message.
  EXPECT_NE(run.Screen().find(kHelpLines.back()), std::string::npos) << run.Screen();
  EXPECT_EQ(run.Screen().find("80x25"), std::string::npos) << run.Screen();
  ExpectHandedBack(run, 20);
}

TEST(LargeTerminal, DrawsOnlyInTheTopLeftAndResetsTheScrollingRegion) {
  RODI_REQUIRE_MAGAZINE();
  PtyRun run(Sized(100, 30, {"--help"}));
  ASSERT_EQ(run.WaitExit(kShowMs), 0) << run.Screen();
  for (int row = 1; row <= 30; ++row) {
    EXPECT_EQ(run.Row(row), row <= int(kHelpLines.size()) ? kHelpLines[row - 1] : "") << "row " << row;
    for (int col = row <= 25 ? 81 : 1; col <= 100; ++col)
      if (run.Cell(col, row).ch != U' ' || run.Cell(col, row).Attr() != 7) {
        ADD_FAILURE() << "drawn outside 80x25 at " << col << "," << row;
        row = 31;
        break;
      }
  }
  ExpectHandedBack(run, 30);
  // With the whole screen as scrolling region, two line feeds on the last row
  // move the help's third line to the top.
  run.Terminal().Feed("\x1b[30;1H\n\n");
  EXPECT_EQ(run.Row(1), kHelpLines[2]) << "the terminal no longer scrolls as a whole";
}

}  // namespace
}  // namespace rodi::e2e
