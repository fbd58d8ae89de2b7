// The pacer keeps real time on a sink that takes everything and bursts no more than
// one lead after a stall.
#include "pacer.h"

#include <gtest/gtest.h>

#include <chrono>

namespace {

using rodi::player::Pacer;
using namespace std::chrono_literals;

constexpr unsigned kRate = 44100;
constexpr std::int64_t kLead = kRate / 4, kBlock = 2048;  // a lead of 250 ms
const Pacer::Clock::time_point kStart{};

TEST(PlayerPacer, KeepsRealTimeOnASinkThatTakesEverythingAndCatchesUpByOneLeadOnly) {
  // A device that takes everything at once, as a file sink does: the pacer alone keeps time.
  Pacer pacer{kRate, 250ms};
  pacer.Start(kStart);
  std::int64_t written = 0;
  for (auto now = kStart; now < kStart + 10s;) {
    const auto wait = pacer.WaitFor(now, kBlock);
    if (wait > 0ns) {
      now += wait;
    } else {
      pacer.Wrote(kBlock, false, now);
      written += kBlock;
    }
  }
  EXPECT_NEAR(written, 10 * kRate + kLead, kBlock) << "ten seconds of music plus the lead, give or take a block";

  Pacer stalled{kRate, 250ms};
  stalled.Start(kStart);
  stalled.Wrote(kLead, false, kStart);
  EXPECT_GT(stalled.WaitFor(kStart, kBlock), 0ns);
  // A minute without writing (a suspended machine) must not turn into a minute's burst.
  EXPECT_EQ(stalled.Allowance(kStart + 60s), kLead);
  EXPECT_EQ(stalled.Allowance(kStart + 60s + 100ms), kLead + kRate / 10);
}

}  // namespace
