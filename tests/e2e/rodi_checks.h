// Shared expectations of the magazine's end-to-end tests.
#pragma once

#include <signal.h>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "harness/hand_back.h"
#include "harness/run.h"

namespace rodi::e2e {

// "Leaves within a second", with slack for a machine busy with other builds.
inline constexpr int kLeaveMs = 1500;
// Bound for start-up and drawing; generous because nothing here measures speed:
// a clear transition alone takes 2000 pauses of 1 ms, and a busy machine
// stretches every one of them.
inline constexpr int kShowMs = 10000;

// The help text, row by row from the top-left corner.
inline const std::vector<std::string> kHelpLines = {
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
    "  --version       : the name and version of this magazine",
    "",
    "  files: rodi works next to itself, where gallery saves go too; if it cannot",
    "  write there, it works in a private dir under $XDG_RUNTIME_DIR or $TMPDIR",
    "  (else /tmp), removed when it leaves, and saves go to the current dir.",
    "",
    "  the rodi lair - lair.rodi.example:2323",
};

// A directory of the test's own, removed however the test ends.
struct RemovedAtEnd {
  std::string path;
  ~RemovedAtEnd() {
    std::error_code ec;
    std::filesystem::remove_all(path, ec);
  }
};

// Pumps until no cell has changed but in letter case (a menu bar's ripple)
// for 250 ms, kShowMs at most: keys typed before would reach a clear
// transition (up to two seconds) or a drawing, which take them.
inline void Settle(PtyRun& run) {
  auto folded = [&] {
    std::string s = run.Screen();
    std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return std::tolower(c); });
    return s;
  };
  std::string last = folded();
  for (int quiet = 0, waited = 0; quiet < 250 && waited < kShowMs; waited += 25) {
    run.Pump(25);
    const std::string now = folded();
    quiet = now == last ? quiet + 25 : 0;
    last = now;
  }
}

// The terminal as the program found it: settings unchanged, rendition,
// character set, scrolling region and private modes reset, and no file left
// in the run directory but keep.
inline void ExpectHandedBack(const PtyRun& run, int rows = 25, const std::vector<std::string>& keep = {}) {
  EXPECT_EQ(run.SettingsChanges(), "") << "terminal settings differ from those before the run";
  EXPECT_EQ(HandBackProblems(run.RawOutput(), rows), "");
  EXPECT_EQ(run.FilesInDir(), keep) << "files left in " << run.Dir();
}

// The hang-up brings SIGHUP and end of input together: either may be noticed
// first, so both exit statuses are right.
inline void ExpectEndsOnHangUp(PtyRun& run) {
  run.HangUp();
  auto status = run.WaitExit(kLeaveMs);
  ASSERT_TRUE(status.has_value()) << "still running after the hang-up";
  EXPECT_TRUE(*status == 0 || *status == 128 + SIGHUP) << "exit status " << *status;
  EXPECT_EQ(run.FilesInDir(), std::vector<std::string>{});
}

}  // namespace rodi::e2e

// Fails when the magazine has not been built.
#define RODI_REQUIRE_MAGAZINE()                                                  \
  do {                                                                           \
    ASSERT_TRUE(::rodi::e2e::MagazineBuilt())                                    \
        << ::rodi::e2e::MagazinePath() << " is missing: build the target rodi"; \
  } while (0)
