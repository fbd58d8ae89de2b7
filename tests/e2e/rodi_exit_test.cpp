// The magazine's ways out: help text, end of input, hang-up and signals; each
// must give the terminal back as it found it and leave no file behind.
#include <sys/stat.h>

#include <cstring>

#include "rodi_checks.h"

namespace rodi::e2e {
namespace {

// Every form of the help switch, in every locale and terminal size: the help on a cleared screen, top left,
// exit code 0. The terminal is asked for its character set only where the locale names none; code page 437 is
// sent where asked for or where the locale is not UTF-8. A smaller terminal is never asked to grow for it.
TEST(Help, EveryFormLocaleAndSizePrintsHelpOnAClearedScreenAndExitsZero) {
  struct Case {
    std::vector<std::string> args;
    const char* lang = "C.UTF-8";
    bool asked = false, cp437 = false;
    int cols = 80, rows = 25;
  };
  const Case cases[] = {
      {{"--help"}}, {{"/h"}}, {{"-h"}}, {{"help"}}, {{"--HELP"}}, {{"--silent", "--help"}}, {{"--ascii", "--help"}},
      {{"unknown", "--Help"}}, {{"--cp437", "--help"}, "C.UTF-8", false, true},
      {{"--help"}, "", true}, {{"--help"}, "de_DE.ISO-8859-1", false, true}, {{"--cp437", "--help"}, "", false, true},
      {{"--help"}, "xx_YY.UTF-8"},  // named, though this machine lacks it
      {{"--help"}, "C.UTF-8", false, false, 100, 30}, {{"--help"}, "C.UTF-8", false, false, 60, 20},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.args.front() + " LANG=" + c.lang + " " + std::to_string(c.cols) + "x" + std::to_string(c.rows));
    RunOptions o;
    o.args = c.args;
    o.env = {{"LANG", c.lang}, {"LC_ALL", ""}};
    o.cols = c.cols;
    o.rows = c.rows;
    PtyRun run(o);
    ASSERT_EQ(run.WaitExit(kShowMs), 0) << run.Screen();
    if (c.cols < 80) {  // wrapped, the help scrolls: its last line shows, and no size message
      EXPECT_NE(run.Screen().find(kHelpLines.back()), std::string::npos) << run.Screen();
      EXPECT_EQ(run.Screen().find("80x25"), std::string::npos) << run.Screen();
      EXPECT_EQ(run.RawOutput().find("\x1b[8;"), std::string::npos) << "asked to grow";
    } else {
      for (int row = 1; row <= c.rows; ++row)
        EXPECT_EQ(run.Row(row), row <= int(kHelpLines.size()) ? kHelpLines[row - 1] : "") << "row " << row;
    }
    EXPECT_EQ(run.Cell(1, 1).Attr(), 7) << "help text in light grey";
    EXPECT_EQ(run.RawOutput().find("\x1b[6n") != std::string::npos, c.asked) << "asked for the character set";
    // Handing back includes \e(B after the PC character set.
    EXPECT_EQ(run.RawOutput().find("\x1b(U") != std::string::npos, c.cp437) << "code page 437";
    ExpectHandedBack(run, c.rows);
  }
}

// Input at its end from the start, or no standard descriptors at all.
TEST(EndOfInput, NoInputOrClosedDescriptorsLeaveAtOnceWithExitCodeZero) {
  for (bool closed : {false, true}) {
    SCOPED_TRACE(closed ? "closed" : "/dev/null");
    RunOptions o;
    o.args = {"--silent"};
    o.stdinDevNull = !closed;
    o.stdinClosed = o.stdoutClosed = closed;
    PtyRun run(o);
    EXPECT_EQ(run.WaitExit(kLeaveMs), 0) << run.Screen();
    ExpectHandedBack(run);
  }
}

TEST(UnwritableFile, ReportsTheFileAfterGivingTheTerminalBack) {
  RunOptions o;
  o.prepare = [](const std::string& dir) { ASSERT_EQ(mkdir((dir + "/bassmod.so").c_str(), 0755), 0); };
  PtyRun taken(o);
  EXPECT_EQ(taken.WaitExit(kShowMs), 1) << taken.Screen();
  EXPECT_NE(taken.RawOutput().find("bassmod.so\": Is a directory"), std::string::npos) << taken.Screen();
  ExpectHandedBack(taken, 25, {"bassmod.so/"});  // only the reader's directory
}

TEST(Signals, EachLeavesWithItsStatusOnAClearedScreenAndRestoresTheTerminal) {
  for (int sig : {SIGTERM, SIGHUP, SIGINT, SIGQUIT}) {
    SCOPED_TRACE(sigabbrev_np(sig));
    PtyRun run(RunOptions{});
    ASSERT_TRUE(run.WaitForOutput("\x1b", kShowMs)) << "no output from the magazine";
    run.Pump(300);
    ASSERT_EQ(run.WaitExit(0), std::nullopt) << "ended before the signal";
    run.Signal(sig);
    EXPECT_EQ(run.WaitExit(kLeaveMs), 128 + sig) << run.Screen();
    EXPECT_EQ(run.Screen(), std::string(24, '\n')) << "the shell's prompt would land in the art";
    EXPECT_EQ(run.Terminal().Cursor(), std::make_pair(1, 1));
    ExpectHandedBack(run);
  }
}

}  // namespace
}  // namespace rodi::e2e
