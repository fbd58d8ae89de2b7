// The magazine's ways out: help text, end of input, hang-up and signals; each
// must give the terminal back as it found it and leave no file behind.
#include <signal.h>

#include <sys/stat.h>

#include <cstring>

#include <gtest/gtest.h>

#include "rodi_checks.h"

namespace rodi::e2e {
namespace {

class HelpTest : public testing::TestWithParam<std::vector<std::string>> {};

TEST_P(HelpTest, PrintsHelpOnAClearedScreenAndExitsZero) {
  RODI_REQUIRE_MAGAZINE();
  RunOptions o;
  o.args = GetParam();
  o.initialScreen = JunkScreen(80, 25);
  PtyRun run(o);
  ASSERT_EQ(run.WaitExit(kShowMs), 0) << run.Screen();
  const auto& help = HelpLines();
  for (int row = 1; row <= 25; ++row) {
    std::string want = row <= static_cast<int>(help.size()) ? help[row - 1] : "";
    EXPECT_EQ(run.Row(row), want) << "row " << row;
  }
  for (int row = 1; row <= 25; ++row)
    for (int col = 1; col <= 80; ++col)
      if (run.Cell(col, row).bg != 0) {
        ADD_FAILURE() << "cell " << col << "," << row << " has background "
                      << run.Cell(col, row).bg << ": cleared in the wrong colour";
        row = 26;
        break;
      }
  EXPECT_EQ(run.Cell(1, 1).Attr(), 7) << "help text in light grey";
  EXPECT_EQ(run.RawOutput().find("\x1b(U"), std::string::npos)
      << "the PC character set is selected in a UTF-8 locale";
  ExpectHandedBack(run);
}

INSTANTIATE_TEST_SUITE_P(
    Switches, HelpTest,
    testing::Values(std::vector<std::string>{"--help"}, std::vector<std::string>{"/h"},
                    std::vector<std::string>{"-h"}, std::vector<std::string>{"help"},
                    std::vector<std::string>{"--HELP"},
                    std::vector<std::string>{"--silent", "--help"},
                    std::vector<std::string>{"--ascii", "--help"},
                    std::vector<std::string>{"unknown", "--Help"}));

TEST(Cp437Output, SelectsThePcCharacterSetAndGivesAsciiBack) {
  RODI_REQUIRE_MAGAZINE();
  RunOptions o;
  o.args = {"--cp437", "--help"};
  PtyRun run(o);
  ASSERT_EQ(run.WaitExit(kShowMs), 0) << run.Screen();
  EXPECT_EQ(run.Row(1), HelpLines()[0]);
  EXPECT_NE(run.RawOutput().find("\x1b(U"), std::string::npos) << "\\e(U is never sent";
  ExpectHandedBack(run);  // includes \e(B after the last \e(U
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
  WaitUntilStarted(run);
  run.HangUp();
  // The kernel sends SIGHUP with the hang-up, and reads see end of input: either
  // may be noticed first, so both exit statuses are right.
  auto status = run.WaitExit(kLeaveMs);
  ASSERT_TRUE(status.has_value()) << "still running after the hang-up";
  EXPECT_TRUE(*status == 0 || *status == 128 + SIGHUP) << "exit status " << *status;
  EXPECT_EQ(run.FilesInDir(), std::vector<std::string>{});
}

TEST(UnwritableDir, ReportsTheFileAfterGivingTheTerminalBack) {
  RODI_REQUIRE_MAGAZINE();
  RunOptions o;
  o.unprivileged = true;  // the run directory is root's: the magazine cannot write there
  PtyRun run(o);
  EXPECT_EQ(run.WaitExit(kShowMs), 1) << run.Screen();
  EXPECT_NE(run.RawOutput().find("Unable to create file \"" + run.Dir() + "/bassmod.so\": Permission denied"),
            std::string::npos) << run.Screen();
  ExpectHandedBack(run);
}

TEST(UnwritableDir, ANameTakenByADirectoryIsReportedToo) {
  RODI_REQUIRE_MAGAZINE();
  RunOptions o;
  o.prepare = [](const std::string& dir) { ASSERT_EQ(mkdir((dir + "/bassmod.so").c_str(), 0755), 0); };
  PtyRun run(o);
  EXPECT_EQ(run.WaitExit(kShowMs), 1) << run.Screen();
  EXPECT_NE(run.RawOutput().find("bassmod.so\": Is a directory"), std::string::npos) << run.Screen();
  EXPECT_EQ(run.SettingsChanges(), "");
  EXPECT_EQ(run.FilesInDir(), std::vector<std::string>{"bassmod.so/"});  // only the reader's directory
}

class SignalTest : public testing::TestWithParam<int> {};

TEST_P(SignalTest, LeavesWithSignalStatusAndRestoresTheTerminal) {
  RODI_REQUIRE_MAGAZINE();
  PtyRun run(RunOptions{});
  WaitUntilStarted(run);
  ASSERT_EQ(run.WaitExit(0), std::nullopt) << "ended before the signal";
  run.Signal(GetParam());
  EXPECT_EQ(run.WaitExit(kLeaveMs), 128 + GetParam()) << run.Screen();
  ExpectHandedBack(run);
}

INSTANTIATE_TEST_SUITE_P(Signals, SignalTest, testing::Values(SIGTERM, SIGHUP, SIGINT, SIGQUIT),
                         [](const testing::TestParamInfo<int>& info) {
                           return std::string(sigabbrev_np(info.param));
                         });

}  // namespace
}  // namespace rodi::e2e
