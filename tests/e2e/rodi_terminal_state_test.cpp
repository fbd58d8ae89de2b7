// The terminal through a visit: handed back while the magazine is stopped and
// taken again after, and repainted after a resize.
#include "rodi_checks.h"

namespace rodi::e2e {
namespace {

RunOptions Silent() {
  RunOptions o;
  o.args = {"--silent"};
  return o;
}

void ToMainMenu(PtyRun& run) {
  ASSERT_TRUE(run.WaitForText("a r t i c l e s", kShowMs)) << run.Screen();
  run.Pump(300);  // the bar's first ripple steps are drawn, then it waits
}

// Every cell's character and colours, and the cursor.
std::string Picture(PtyRun& run) {
  std::string picture;
  for (int row = 1; row <= 25; ++row)
    for (int col = 1; col <= 80; ++col) {
      const CellInfo c = run.Cell(col, row);
      picture += Utf8(c.ch) + char(c.Attr());
    }
  const auto [col, row] = run.Terminal().Cursor();
  return picture + std::to_string(col) + "," + std::to_string(row);
}

bool ShowsAgain(PtyRun& run, const std::string& picture) {
  for (int waited = 0; waited < kShowMs && Picture(run) != picture; waited += 20) run.Pump(20);
  return Picture(run) == picture;
}

TEST(Suspend, StoppedTheTerminalIsTheShellsAndResumedTheScreenComesBack) {
  RODI_REQUIRE_MAGAZINE();
  PtyRun run(Silent());
  ASSERT_NO_FATAL_FAILURE(ToMainMenu(run));
  const std::string before = Picture(run);
  run.Signal(SIGTSTP);
  ASSERT_TRUE(run.WaitStopped(kLeaveMs)) << "not stopped by SIGTSTP";
  EXPECT_EQ(run.SettingsChanges(), "") << "settings while stopped";
  EXPECT_EQ(HandBackProblems(run.RawOutput(), 25), "") << "while stopped";
  run.Terminal().Feed("\x1b[0m\x1b[2J\x1b[H$ fg\r\n");  // the shell meanwhile
  run.Signal(SIGCONT);
  EXPECT_TRUE(ShowsAgain(run, before)) << run.Screen();
  const std::string raw = run.SettingsChanges();
  EXPECT_NE(raw.find("ICANON was on, now off"), std::string::npos) << raw;
  EXPECT_NE(raw.find("ECHO was on, now off"), std::string::npos) << raw;
  run.Type(keys::kDown);
  run.Pump(300);
  EXPECT_EQ(run.Screen().find("^["), std::string::npos) << "a key echoed:\n" << run.Screen();
  run.Signal(SIGTERM);
  ASSERT_TRUE(run.WaitExit(kLeaveMs).has_value());
  ExpectHandedBack(run);
}

TEST(Resize, TooSmallSaysSoAndBackToFullSizeTheScreenComesBack) {
  RODI_REQUIRE_MAGAZINE();
  PtyRun run(Silent());
  ASSERT_NO_FATAL_FAILURE(ToMainMenu(run));
  const std::string before = Picture(run);
  run.Resize(60, 20);
  ASSERT_TRUE(run.WaitForText("rodi needs an 80x25 terminal, found 60x20:\nenlarge the window, then press a key",
                              kShowMs)) << run.Screen();
  run.Resize(80, 25);
  EXPECT_TRUE(ShowsAgain(run, before)) << run.Screen();
  EXPECT_EQ(run.WaitExit(0), std::nullopt) << "ended";
  run.Signal(SIGTERM);
  ASSERT_TRUE(run.WaitExit(kLeaveMs).has_value());
  ExpectHandedBack(run);
}

}  // namespace
}  // namespace rodi::e2e
