// rodi-view in a pseudo-terminal: the art drawn in place, a missing file
// reported, and the terminal handed back as it was.
#include <gtest/gtest.h>

#include <fstream>
#include <string>

#include "harness/hand_back.h"
#include "harness/run.h"

namespace {

using rodi::e2e::PtyRun;

constexpr int kShowMs = 5000;  // generous: nothing here measures speed

void ExpectHandedBack(PtyRun& run) {
  EXPECT_EQ(run.WaitExit(kShowMs), 0);
  EXPECT_EQ(run.SettingsChanges(), "");
  EXPECT_EQ(rodi::e2e::HandBackProblems(run.RawOutput(), 25), "");
}

TEST(RodiView, DrawsTheArtInPlaceAndWaitsForAKey) {
  const auto writeArt = [](const std::string& dir) {
    std::ofstream(dir + "/art.ans", std::ios::binary)
        << "\x1b[2;3H\x1b[1;33;44m\xdb\xb2\xb1\xb0 rodi \x1b[0m|12red\x1b[5;1H\xc9\xcd\xbb\x1a" "SAUCE00";
  };
  PtyRun run({.args = {"art.ans", "0"}, .program = "rodi-view", .env = {}, .prepare = writeArt});
  ASSERT_TRUE(run.WaitForText("\xe2\x95\x94\xe2\x95\x90\xe2\x95\x97", kShowMs)) << run.Screen();
  EXPECT_EQ(run.Row(2), "  \xe2\x96\x88\xe2\x96\x93\xe2\x96\x92\xe2\x96\x91 rodi red");
  EXPECT_EQ(run.Cell(3, 2).Attr(), 0x1E);
  EXPECT_FALSE(run.WaitExit(300).has_value()) << "left before a key was pressed";
  run.Type("q");
  ExpectHandedBack(run);
}

TEST(RodiView, MissingFileIsReportedAndEndOfInputEndsIt) {
  PtyRun run({.args = {"nothing.ans"}, .stdinDevNull = true, .program = "rodi-view", .env = {}, .prepare = {}});
  ASSERT_TRUE(run.WaitForText("File nothing.ans not found.", kShowMs)) << run.Screen();
  ExpectHandedBack(run);
}

}  // namespace
