// The terminal through a visit: handed back while the magazine is stopped and
// taken again after, repainted after a resize, and asked for its character set
// where the locale says nothing.
#include "rodi_checks.h"

namespace rodi::e2e {
namespace {

RunOptions Silent() {
  RunOptions o;
  o.args = {"--silent"};
  return o;
}

// The help over the main menu, drawn to the end: a screen that stands still
// (a menu's bar ripples).
void ToHelp(PtyRun& run) {
  ASSERT_TRUE(run.WaitForText("a r t i c l e s", kShowMs)) << run.Screen();
  Settle(run);
  run.Type("h");
  ASSERT_TRUE(run.WaitForText("any key returns to where you were", kShowMs)) << run.Screen();
  Settle(run);
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
  ASSERT_NO_FATAL_FAILURE(ToHelp(run));
  const std::string before = Picture(run);
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
  run.Signal(SIGTERM);
  ASSERT_TRUE(run.WaitExit(kLeaveMs).has_value());
  ExpectHandedBack(run);
}

TEST(Resize, TooSmallSaysSoAndBackToFullSizeTheScreenComesBack) {
  RODI_REQUIRE_MAGAZINE();
  PtyRun run(Silent());
  ASSERT_NO_FATAL_FAILURE(ToHelp(run));
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

TEST(Charset, WhereTheLocaleSaysNothingTheTerminalIsAsked) {
  RODI_REQUIRE_MAGAZINE();
  struct Case {
    const char* lang;
    std::vector<std::string> args;
    bool asked, utf8;
  };
  const Case cases[] = {
      {"", {}, true, true},
      {"de_DE.ISO-8859-1", {}, false, false},
      {"", {"--cp437"}, false, false},
      {"xx_YY.UTF-8", {}, false, true},  // named, though this machine lacks it
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string("LANG=") + c.lang + (c.args.empty() ? "" : " " + c.args[0]));
    RunOptions o;
    o.args = c.args;
    o.args.push_back("--help");
    o.env = {{"LANG", c.lang}, {"LC_ALL", ""}};
    PtyRun run(o);
    ASSERT_EQ(run.WaitExit(kShowMs), 0) << run.Screen();
    EXPECT_EQ(run.RawOutput().find("\x1b[6n") != std::string::npos, c.asked);
    EXPECT_EQ(run.RawOutput().find("\x1b(U") == std::string::npos, c.utf8) << "UTF-8 or code page 437";
    EXPECT_EQ(run.Row(1), kHelpLines[0]);
    ExpectHandedBack(run);
  }
}

}  // namespace
}  // namespace rodi::e2e
