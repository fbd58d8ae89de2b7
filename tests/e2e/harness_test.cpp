// Self-tests of the end-to-end harness against small shell programs.
#include <signal.h>

#include <chrono>
#include <filesystem>

#include <gtest/gtest.h>

#include "harness/hand_back.h"
#include "harness/run.h"

namespace rodi::e2e {
namespace {

RunOptions Shell(const std::string& script) {
  RunOptions o;
  o.program = "/bin/sh";
  o.args = {"-c", script};
  return o;
}

TEST(HarnessScreen, ColoursAndUtf8ShowInCellsAsPcAttributes) {
  PtyRun run(Shell(
      "printf '\\033[1;31mR\\033[0;33;44mY\\033[0;5;37;41mB\\033[0;94mL\\033[0;7mV\\033[0m "
      "\\303\\251\\342\\226\\210\\n'; sleep 5"));
  ASSERT_TRUE(run.WaitForText("RYBLV", 3000)) << run.Screen();
  EXPECT_EQ(run.Row(1), "RYBLV é█");
  EXPECT_TRUE(run.Cell(1, 1).bold);
  EXPECT_EQ(run.Cell(1, 1).Attr(), 12) << "bold red is light red on black";
  EXPECT_EQ(run.Cell(2, 1).Attr(), 0x16) << "brown on blue";
  EXPECT_EQ(run.Cell(3, 1).Attr(), 0xC7) << "grey on red, blinking";
  EXPECT_EQ(run.Cell(4, 1).fg, 9) << "bright blue (SGR 94) without bold";
  EXPECT_TRUE(run.Cell(5, 1).reverse);
  EXPECT_EQ(run.Cell(8, 1).ch, U'█');
  EXPECT_EQ(run.Cell(9, 1).Attr(), 7) << "a blank cell has the default colours";
}

TEST(HarnessProcess, ExitCodesSignalsAndBoundedWaits) {
  const struct {
    const char* script;
    int signal, want;  // signal sent after a short wait, 0 for none
  } cases[] = {{"exit 3", 0, 3}, {"kill -TERM $$", 0, 128 + SIGTERM}, {"exec sleep 10", SIGINT, 128 + SIGINT}};
  for (const auto& c : cases) {
    PtyRun run(Shell(c.script));
    if (c.signal) {
      EXPECT_EQ(run.WaitExit(50), std::nullopt) << c.script;
      run.Signal(c.signal);
    }
    EXPECT_EQ(run.WaitExit(3000), c.want) << c.script;
  }
  {
    // A wait for text that never comes ends when the program does, not at the timeout.
    PtyRun run(Shell("echo hello"));
    auto start = std::chrono::steady_clock::now();
    EXPECT_FALSE(run.WaitForText("never shown", 20000));
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(10));
    EXPECT_TRUE(run.WaitForText("hello", 100)) << "output written just before the end is kept";
  }
  PtyRun run(Shell("exec sleep 10"));  // a hang-up sends the session SIGHUP
  run.Pump(50);
  run.HangUp();
  EXPECT_EQ(run.WaitExit(3000), 128 + SIGHUP);
  EXPECT_NE(run.SettingsChanges(), "") << "a hung-up terminal cannot be read";
  PtyRun stillRunning(Shell("sleep 10; echo x"));  // the destructor ends it, with its children
}

TEST(HarnessSettings, ChangesAreReportedAndRestorationIsNot) {
  PtyRun changed(Shell("stty raw -echo"));
  ASSERT_EQ(changed.WaitExit(3000), 0);
  std::string diff = changed.SettingsChanges();
  EXPECT_NE(diff.find("ICANON was on, now off"), std::string::npos) << diff;
  EXPECT_NE(diff.find("c_lflag: ECHO was on"), std::string::npos) << diff;

  PtyRun restored(Shell("s=$(stty -g); stty raw -echo; stty \"$s\""));
  ASSERT_EQ(restored.WaitExit(3000), 0);
  EXPECT_EQ(restored.SettingsChanges(), "");
}

TEST(HarnessKeys, TypedKeysSplitWholeAndEmulatorRepliesReachTheProgram) {
  EXPECT_EQ(keys::SplitKeys("a\x1b[Ab\x1b\x1bOP\x1b[5~c\x1bx\xc3\xa9"),
            (std::vector<std::string>{"a", "\x1b[A", "b", "\x1b", "\x1bOP", "\x1b[5~", "c",
                                      "\x1b", "x", "\xc3\xa9"}));

  PtyRun run(Shell("stty raw -echo; dd bs=1 count=6 2>/dev/null | od -An -tx1; sleep 5"));
  run.Pump(200);  // let stty switch modes before the keys come
  run.Type("a");
  run.Type(std::string(keys::kUp) + std::string(keys::kEsc) + "\r");
  ASSERT_TRUE(run.WaitForText("0d", 3000)) << run.Screen();
  EXPECT_NE(run.Screen().find("61 1b 5b 41 1b 0d"), std::string::npos) << run.Screen();

  // The emulator answers a cursor report on the program's input, as a terminal does.
  PtyRun ask(Shell("stty raw -echo; printf '\\033[3;7H\\033[6n'; dd bs=1 count=6 2>/dev/null | od -An -c; sleep 5"));
  ASSERT_TRUE(ask.WaitForText("R", 3000)) << ask.Screen();
  EXPECT_NE(ask.Screen().find("033   [   3   ;   7   R"), std::string::npos) << ask.Screen();
}

TEST(HarnessRunDir, EachRunHasItsOwnWorkingDirectoryWhichIsRemoved) {
  std::string dir;
  {
    RunOptions o = Shell("pwd; test -t 0 || echo stdin-not-a-tty; echo \"$LANG $EXTRA\"; "
                         "ls; touch left; mkdir sub");
    o.stdinDevNull = true;
    o.env = {{"EXTRA", "extra-value"}};
    o.prepare = [](const std::string& d) { std::filesystem::create_directory(d + "/prepared"); };
    PtyRun run(o);
    dir = run.Dir();
    ASSERT_EQ(run.WaitExit(3000), 0);
    const std::string want[] = {dir, "stdin-not-a-tty", "C.UTF-8 extra-value", "prepared"};
    for (int r = 0; r < 4; ++r) EXPECT_EQ(run.Row(r + 1), want[r]);
    EXPECT_EQ(run.FilesInDir(), (std::vector<std::string>{"left", "prepared/", "sub/"}));
  }
  EXPECT_FALSE(std::filesystem::exists(dir));

  RunOptions o = Shell("id -u; touch x 2>/dev/null && echo wrote || echo refused");
  o.unprivileged = true;  // and so cannot write its directory
  PtyRun run(o);
  ASSERT_EQ(run.WaitExit(3000), 0) << run.Screen();
  EXPECT_EQ(run.Row(1) + " " + run.Row(2), "65534 refused");
  EXPECT_TRUE(run.FilesInDir().empty());
}

TEST(HarnessResize, ResizeRequestIsAnsweredEvenWhenSplitAcrossWrites) {
  RunOptions o = Shell("stty size; printf '\\033[8;2'; sleep 0.1; printf '5;80t'; sleep 0.2; "
                       "stty size; sleep 5");
  o.cols = 60;
  o.rows = 20;
  PtyRun ignored(o);
  EXPECT_TRUE(ignored.WaitForText("20 60\n20 60", 3000)) << ignored.Screen();
  o.answerResize = true;
  PtyRun run(o);
  ASSERT_TRUE(run.WaitForText("20 60\n25 80", 3000)) << run.Screen();
  EXPECT_EQ(run.Terminal().Cols(), 80);
  EXPECT_EQ(run.Terminal().Rows(), 25);
}

TEST(HarnessHandBack, FindsWhatIsLeftSwitchedOn) {
  for (const char* fine : {"\x1b(U\x1b[0m\x1b[2J\x1b[1;33mhi\x1b[m\x1b(B", "plain text",
                           "\x1b[2;20r\x1b[?25l\x1b[?1049h\x1b[1;25r\x1b[?25h\x1b[?1049l"})
    EXPECT_EQ(HandBackProblems(fine, 25), "") << fine;
  for (const char* left : {"\x1b[0m\x1b[44mx", "\x1b(U\x1b[0m", "\x1b[?25l\x1b[0m", "\x1b[?1049h\x1b[0m"})
    EXPECT_NE(HandBackProblems(left, 25), "") << left;
  EXPECT_NE(HandBackProblems("\x1b[1;25r\x1b[0m", 30), "") << "not the whole 30 rows";
}

}  // namespace
}  // namespace rodi::e2e
