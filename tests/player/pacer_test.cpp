// The pacer keeps real time on a sink that takes everything and bursts no more than
// one lead after a stall.
#include "pacer.h"

#include <gtest/gtest.h>

#include <chrono>

namespace {

using rodi::player::Pacer;
using namespace std::chrono_literals;

constexpr unsigned kRate = 44100;
constexpr std::int64_t kLead = kRate / 4;  // 250 ms
constexpr std::int64_t kBlock = 2048;

class PlayerPacer : public ::testing::Test {
 protected:
  PlayerPacer() { pacer.Start(start); }
  Pacer pacer{kRate, 250ms};
  const Pacer::Clock::time_point start{};
};

TEST_F(PlayerPacer, KeepsRealTimeOnASinkThatTakesEverything) {
  // A device that takes everything at once, as a file sink does: the pacer alone keeps time.
  std::int64_t written = 0;
  for (auto now = start; now < start + 10s;) {
    const auto wait = pacer.WaitFor(now, kBlock);
    if (wait > 0ns) {
      now += wait;
    } else {
      pacer.Wrote(kBlock, false, now);
      written += kBlock;
    }
  }
  // Ten seconds of music plus the lead, give or take a block.
  EXPECT_NEAR(written, 10 * kRate + kLead, kBlock);
}

TEST_F(PlayerPacer, CatchesUpAfterAStallByOneLeadOnly) {
  pacer.Wrote(kLead, false, start);
  EXPECT_GT(pacer.WaitFor(start, kBlock), 0ns);
  // A minute without writing (a suspended machine) must not turn into a minute's burst.
  EXPECT_EQ(pacer.Allowance(start + 60s), kLead);
  EXPECT_EQ(pacer.Allowance(start + 60s + 100ms), kLead + kRate / 10);
}

}  // namespace
