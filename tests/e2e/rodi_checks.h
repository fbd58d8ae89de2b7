// Shared expectations of the magazine's end-to-end tests.
#pragma once

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "harness/run.h"

namespace rodi::e2e {

// "Leaves within a second", with slack for a machine busy with other builds.
inline constexpr int kLeaveMs = 1500;
// Bound for start-up and drawing; generous because nothing here measures speed.
inline constexpr int kShowMs = 5000;

// The help text, row by row from the top-left corner.
const std::vector<std::string>& HelpLines();

// Fills every cell with coloured junk, so that a screen the program did not
// clear, or cleared in the wrong colour, shows.
std::string JunkScreen(int cols, int rows);

// The terminal as the program found it: settings unchanged, rendition,
// character set, scrolling region and private modes reset, and no file left
// in the run directory.
void ExpectHandedBack(const PtyRun& run, int rows = 25);

// Waits until the program has drawn something and settled into its start-up.
void WaitUntilStarted(PtyRun& run);

}  // namespace rodi::e2e

// Skips when the build has no magazine target; fails when it has one but the
// executable is missing.
#define RODI_REQUIRE_MAGAZINE()                                                  \
  do {                                                                           \
    if (!RODI_HAS_TARGET) GTEST_SKIP() << "this build has no magazine target";  \
    ASSERT_TRUE(::rodi::e2e::MagazineBuilt())                                    \
        << ::rodi::e2e::MagazinePath() << " is missing: build the target rodi"; \
  } while (0)
