// The pacer keeps real time on a sink that takes everything, bursts no more than
// one lead after a stall, and lets a device that pushes back set the pace.
#include "pacer.h"

#include <gtest/gtest.h>

#include <chrono>

namespace {

using rodi::player::Pacer;
using namespace std::chrono_literals;

constexpr unsigned kRate = 44100;
constexpr std::int64_t kLead = kRate / 4;  // 250 ms
constexpr std::int64_t kBlock = 2048;

// A device that takes everything at once, as a file sink does: the pacer alone keeps time.
std::int64_t FramesWrittenWithin(Pacer& pacer, Pacer::Clock::time_point start,
                                 Pacer::Clock::duration span) {
  std::int64_t written = 0;
  for (auto now = start; now < start + span;) {
    const auto wait = pacer.WaitFor(now, kBlock);
    if (wait > 0ns) {
      now += wait;
      continue;
    }
    pacer.Wrote(kBlock, false, now);
    written += kBlock;
  }
  return written;
}

class PlayerPacer : public ::testing::Test {
 protected:
  PlayerPacer() { pacer.Start(start); }
  Pacer pacer{kRate, 250ms};
  const Pacer::Clock::time_point start{};
};

TEST_F(PlayerPacer, KeepsRealTimeOnASinkThatTakesEverything) {
  EXPECT_EQ(pacer.Allowance(start), kLead);

  const std::int64_t written = FramesWrittenWithin(pacer, start, 10s);
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

TEST_F(PlayerPacer, ADeviceThatPushesBackSetsThePace) {
  // A device whose clock runs ahead of the wall clock has taken more than the lead allows...
  pacer.Wrote(kLead + 4 * kBlock, true, start + 10ms);
  // ...and it was full, so it is the one keeping time: the wall clock must not starve it.
  EXPECT_EQ(pacer.Allowance(start + 10ms), kLead);
  pacer.Wrote(kLead, false, start + 10ms);
  EXPECT_GT(pacer.WaitFor(start + 10ms, kBlock), 0ns);
}

}  // namespace
