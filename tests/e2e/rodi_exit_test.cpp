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
    PtyRun run(o);
    ASSERT_EQ(run.WaitExit(kShowMs), 0) << run.Screen();
    for (int row = 1; row <= 25; ++row)
      EXPECT_EQ(run.Row(row), row <= int(kHelpLines.size()) ? kHelpLines[row - 1] : "") << "row " << row;
    EXPECT_EQ(run.Cell(1, 1).Attr(), 7) << "help text in light grey";
    // The PC character set only when asked for; handing back includes \e(B after it.
    EXPECT_EQ(run.RawOutput().find("\x1b(U") != std::string::npos, args.front() == "--cp437");
    ExpectHandedBack(run);
  }
}

// Input at its end from the start, or no standard descriptors at all.
TEST(EndOfInput, NoInputOrClosedDescriptorsLeaveAtOnceWithExitCodeZero) {
  RODI_REQUIRE_MAGAZINE();
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
