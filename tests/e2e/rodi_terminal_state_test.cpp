// The terminal through a visit: too small at the start, handed back while the magazine is stopped and taken
// again after, and repainted after a resize.
#include "rodi_checks.h"

namespace rodi::e2e {
namespace {

const std::string kTooSmall = "rodi needs an 80x25 terminal, found 60x20:\nenlarge the window, then press a key";

// The help over the main menu, drawn to the end: a screen that stands still
// (a menu's bar ripples).
void ToHelp(PtyRun& run) {
  ASSERT_TRUE(run.WaitForText("a r t i c l e s", kShowMs)) << run.Screen();
  Settle(run);
  run.Type("h");
  ASSERT_TRUE(run.WaitForText("any key returns to where you were", kShowMs)) << run.Screen();
  Settle(run);
}

// The picture and the cursor.
std::string Shown(PtyRun& run) {
  const auto [col, row] = run.Terminal().Cursor();
  return Picture(run) + std::to_string(col) + "," + std::to_string(row);
}

bool ShowsAgain(PtyRun& run, const std::string& picture) {
  for (int waited = 0; waited < kShowMs && Shown(run) != picture; waited += 20) run.Pump(20);
  return Shown(run) == picture;
}

// Started too small, it says what it needs and starts once enlarged and a key is pressed. Stopped, the terminal is
// the shell's; resumed, or back to full size after being too small, the screen comes back and keys are read raw.
TEST(Interruptions, TooSmallOrSuspendedTheScreenComesBackAndTheTerminalIsTheShellsMeanwhile) {
  RunOptions o = Silent();
  o.cols = 60;
  o.rows = 20;
  PtyRun run(o);
  ASSERT_TRUE(run.WaitForText("then press a key", kShowMs)) << run.Screen();
  EXPECT_EQ(run.Screen(), kTooSmall + std::string(18, '\n'));
  run.Pump(300);
  ASSERT_EQ(run.WaitExit(0), std::nullopt) << "did not wait for a key";
  run.Resize(80, 25);
  run.Type(" ");
  ASSERT_NO_FATAL_FAILURE(ToHelp(run));
  std::string before = Shown(run);
  run.Signal(SIGTSTP);
  ASSERT_TRUE(run.WaitStopped(kLeaveMs)) << "not stopped by SIGTSTP";
  EXPECT_EQ(run.SettingsChanges(), "") << "settings while stopped";
  EXPECT_EQ(HandBackProblems(run.RawOutput(), 25), "") << "while stopped";
  run.Terminal().Feed("\x1b[0m\x1b[2J\x1b[H$ fg\r\n");  // the shell meanwhile
  run.Signal(SIGCONT);
  EXPECT_TRUE(ShowsAgain(run, before)) << run.Screen();
  const std::string raw = run.SettingsChanges();
  EXPECT_NE(raw.find("c_lflag"), std::string::npos) << "raw mode not taken again: " << raw;
  run.Type(keys::kDown);
  run.Pump(300);
  EXPECT_EQ(run.Screen().find("^["), std::string::npos) << "a key echoed:\n" << run.Screen();

  ASSERT_NO_FATAL_FAILURE(ToHelp(run));  // the key left the help
  before = Shown(run);
  run.Resize(60, 20);
  ASSERT_TRUE(run.WaitForText(kTooSmall, kShowMs)) << run.Screen();
  run.Resize(80, 25);
  EXPECT_TRUE(ShowsAgain(run, before)) << run.Screen();
  EXPECT_EQ(run.WaitExit(0), std::nullopt) << "ended";
  run.Signal(SIGTERM);
  ASSERT_TRUE(run.WaitExit(kLeaveMs).has_value());
  ExpectHandedBack(run);
}

}  // namespace
}  // namespace rodi::e2e
