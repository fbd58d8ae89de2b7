// The magazine's ways out: help text, end of input, hang-up and signals; each
// must give the terminal back as it found it and leave no file behind.
#include <sys/stat.h>

#include <cstring>

#include "rodi_checks.h"

namespace rodi::e2e {
namespace {

TEST(Help, EverySwitchFormPrintsHelpOnAClearedScreenAndExitsZero) {
  RODI_REQUIRE_MAGAZINE();
  const std::vector<std::string> forms[] = {{"--help"}, {"/h"}, {"-h"}, {"help"}, {"--HELP"},
                                            {"--silent", "--help"}, {"--ascii", "--help"},
                                            {"unknown", "--Help"}, {"--cp437", "--help"}};
  for (const auto& args : forms) {
    SCOPED_TRACE(args.front());
    RunOptions o;
    o.args = args;
    // Coloured junk everywhere: a screen not cleared, or cleared in the wrong colour, shows.
    o.initialScreen = "\x1b[1;33;44m";
    for (int row = 1; row <= 25; ++row) o.initialScreen += "\x1b[" + std::to_string(row) + ";1H" + std::string(80, 'X');
    PtyRun run(o);
    ASSERT_EQ(run.WaitExit(kShowMs), 0) << run.Screen();
    for (int row = 1; row <= 25; ++row) {
      EXPECT_EQ(run.Row(row), row <= int(kHelpLines.size()) ? kHelpLines[row - 1] : "") << "row " << row;
      for (int col = 1; col <= 80; ++col)
        if (run.Cell(col, row).bg != 0) {
          ADD_FAILURE() << "cell " << col << "," << row << " cleared in background " << run.Cell(col, row).bg;
          row = 26;
          break;
        }
    }
    EXPECT_EQ(run.Cell(1, 1).Attr(), 7) << "help text in light grey";
    // The PC character set only when asked for; handing back includes \e(B after it.
    EXPECT_EQ(run.RawOutput().find("\x1b(U") != std::string::npos, args.front() == "--cp437");
    ExpectHandedBack(run);
  }
}

TEST(EndOfInput, LeavesAtOnceWithExitCodeZero) {
  RODI_REQUIRE_MAGAZINE();
  RunOptions o;
  o.stdinDevNull = true;
  PtyRun run(o);
  EXPECT_EQ(run.WaitExit(kLeaveMs), 0) << run.Screen();
  ExpectHandedBack(run);
}

TEST(EndOfInput, HangUpEndsTheMagazineAndCleansItsDirectory) {
  RODI_REQUIRE_MAGAZINE();
  PtyRun run(RunOptions{});
  ASSERT_TRUE(run.WaitForOutput("\x1b", kShowMs)) << "no output from the magazine";
  run.Pump(300);
  ExpectEndsOnHangUp(run);
}

TEST(EndOfInput, ClosedStandardDescriptorsLeaveAtOnce) {
  RODI_REQUIRE_MAGAZINE();
  for (bool toFile : {false, true}) {
    SCOPED_TRACE(toFile ? "<&- >out" : "<&- >&-");
    RunOptions o;
    o.args = {"--silent"};
    o.stdinClosed = true;
    o.stdoutClosed = !toFile;
    if (toFile) o.stdoutFile = "out";
    PtyRun run(o);
    EXPECT_EQ(run.WaitExit(kLeaveMs), 0) << "still running";
    ExpectHandedBack(run, 25, toFile ? std::vector<std::string>{"out"} : std::vector<std::string>{});
  }
}

TEST(UnwritableFile, ReportsTheFileAfterGivingTheTerminalBack) {
  RODI_REQUIRE_MAGAZINE();
  RunOptions o;
  o.prepare = [](const std::string& dir) { ASSERT_EQ(mkdir((dir + "/bassmod.so").c_str(), 0755), 0); };
  PtyRun taken(o);
  EXPECT_EQ(taken.WaitExit(kShowMs), 1) << taken.Screen();
  EXPECT_NE(taken.RawOutput().find("bassmod.so\": Is a directory"), std::string::npos) << taken.Screen();
  ExpectHandedBack(taken, 25, {"bassmod.so/"});  // only the reader's directory
}

class SignalTest : public testing::TestWithParam<int> {};

TEST_P(SignalTest, LeavesWithSignalStatusOnAClearedScreenAndRestoresTheTerminal) {
  RODI_REQUIRE_MAGAZINE();
  PtyRun run(RunOptions{});
  ASSERT_TRUE(run.WaitForOutput("\x1b", kShowMs)) << "no output from the magazine";
  run.Pump(300);
  ASSERT_EQ(run.WaitExit(0), std::nullopt) << "ended before the signal";
  run.Signal(GetParam());
  EXPECT_EQ(run.WaitExit(kLeaveMs), 128 + GetParam()) << run.Screen();
  EXPECT_EQ(run.Screen(), std::string(24, '\n')) << "the shell's prompt would land in the art";
  EXPECT_EQ(run.Terminal().Cursor(), std::make_pair(1, 1));
  ExpectHandedBack(run);
}

INSTANTIATE_TEST_SUITE_P(Signals, SignalTest, testing::Values(SIGTERM, SIGHUP, SIGINT, SIGQUIT),
                         [](const testing::TestParamInfo<int>& info) { return std::string(sigabbrev_np(info.param)); });

}  // namespace
}  // namespace rodi::e2e
