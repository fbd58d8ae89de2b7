// Shared expectations of the magazine's end-to-end tests.
#pragma once

#include <signal.h>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <iterator>
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

inline std::string ReadFile(const std::filesystem::path& p) {
  std::ifstream in(p, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

inline RunOptions Silent() {
  RunOptions o;
  o.args = {"--silent"};
  return o;
}

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

// Every cell of 80x25 as a reader sees it: a letter without case (a waiting menu's bar ripples), a blank by its
// background alone, anything else with its colours.
inline std::string Picture(const PtyRun& run) {
  std::string picture;
  for (int row = 1; row <= 25; ++row)
    for (int col = 1; col <= 80; ++col) {
      const CellInfo c = run.Cell(col, row);
      const char32_t ch = c.ch >= U'A' && c.ch <= U'Z' ? c.ch + 32 : c.ch;
      picture += ch == U' ' ? "bg" + std::to_string(c.bg) : Utf8(ch) + std::to_string(c.Attr());
      picture += ' ';
    }
  return picture;
}

// The reader in front of the magazine.
struct Reader {
  explicit Reader(RunOptions o = Silent(), int showMs = kShowMs) : run(std::move(o)), showMs(showMs) {}

  // Waits for text and a settled screen (keys typed during drawing go to it); no U+FFFD.
  testing::AssertionResult Sees(std::string_view text) {
    if (!run.WaitForText(text, showMs))
      return testing::AssertionFailure() << "\"" << text << "\" does not show:\n" << run.Screen();
    Settle(run);
    return Clean();
  }

  testing::AssertionResult Clean() const {
    if (run.Screen().find("\xEF\xBF\xBD") == std::string::npos) return testing::AssertionSuccess();
    return testing::AssertionFailure() << "U+FFFD on the screen:\n" << run.Screen();
  }

  // The text of width cells from (col, row).
  std::string Cells(int col, int row, int width) const {
    std::string s;
    for (int x = col; x < col + width; ++x) s += Utf8(run.Cell(x, row).ch);
    return s;
  }

  bool Has(const std::string& name) const {
    auto files = run.FilesInDir();
    return std::find(files.begin(), files.end(), name) != files.end();
  }

  void Keys(std::string_view k) { run.Type(k); }

  PtyRun run;
  int showMs;
};

}  // namespace rodi::e2e
