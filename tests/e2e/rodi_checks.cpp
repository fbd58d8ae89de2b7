#include "rodi_checks.h"

#include "harness/hand_back.h"

namespace rodi::e2e {

const std::vector<std::string>& HelpLines() {
  static const std::vector<std::string> lines = {
      "[]  r o d i   m a g a z i n e",
      "",
      "  use the following switches if you are having problem with music",
      "  or ansi graphics display.",
      "",
      "  --help, /h, -h  : this screen... obviously.",
      "  --silent        : no music for you :p",
      "  --ascii         : no special chars for you, only ascii chars",
      "  --utf8          : send characters as utf-8 (the default in a utf-8 locale)",
      "  --cp437         : send raw code page 437 bytes (for the linux console)",
      "",
      "  the rodi lair - lair.rodi.example:2323",
      "",
  };
  return lines;
}

std::string JunkScreen(int cols, int rows) {
  std::string s = "\x1b[1;33;44m";
  for (int row = 1; row <= rows; ++row)
    s += "\x1b[" + std::to_string(row) + ";1H" + std::string(static_cast<size_t>(cols), 'X');
  return s;  // the pen stays yellow on blue, as a careless program may leave it
}

void ExpectHandedBack(const PtyRun& run, int rows) {
  EXPECT_EQ(run.SettingsChanges(), "") << "terminal settings differ from those before the run";
  EXPECT_EQ(HandBackProblems(run.RawOutput(), rows), "");
  EXPECT_EQ(run.FilesInDir(), std::vector<std::string>{}) << "files left in " << run.Dir();
}

void WaitUntilStarted(PtyRun& run) {
  ASSERT_TRUE(run.WaitForOutput("\x1b", kShowMs)) << "no output from the magazine";
  run.Pump(300);
}

}  // namespace rodi::e2e
