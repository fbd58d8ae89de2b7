// Real-time pace against the wall clock. A device that takes data as fast as it
// comes (a file or null sink) would otherwise let the player run 1000 times faster
// than the music and spin a core. Time is passed in, so tests need not sleep.
#pragma once

#include <chrono>
#include <cstdint>

namespace rodi::player {

class Pacer {
 public:
  using Clock = std::chrono::steady_clock;

  Pacer(unsigned rate, Clock::duration lead) : rate_(rate), lead_(ToFrames(lead)) {}

  // A new tune starts: it may run `lead` ahead of `now` at once.
  void Start(Clock::time_point now) {
    written_ = 0;
    Anchor(now);
  }

  // Frames that may be written at `now` without getting more than `lead` ahead.
  std::int64_t Allowance(Clock::time_point now) {
    std::int64_t allowance = ToFrames(now - anchorTime_) + lead_ - (written_ - anchorFrames_);
    // After a stall (a suspended machine, a busy system) catch up by one lead, no more.
    if (allowance > 2 * lead_) {
      Anchor(now);
      allowance = lead_;
    }
    return allowance;
  }

  // How long to wait before `frames` more may be written.
  Clock::duration WaitFor(Clock::time_point now, std::int64_t frames) {
    const std::int64_t missing = frames - Allowance(now);
    if (missing <= 0) return Clock::duration::zero();
    return std::chrono::duration_cast<Clock::duration>(
        std::chrono::nanoseconds(missing * 1'000'000'000 / rate_));
  }

  // `pushedBack`: the device itself was full, so it keeps the pace; the wall clock
  // must then not hold it back (their clocks drift apart over a long tune).
  void Wrote(std::int64_t frames, bool pushedBack, Clock::time_point now) {
    written_ += frames;
    if (pushedBack) Anchor(now);
  }

 private:
  std::int64_t ToFrames(Clock::duration d) const {
    const auto ns = std::chrono::duration_cast<std::chrono::nanoseconds>(d).count();
    return ns / 1'000'000'000 * rate_ + ns % 1'000'000'000 * rate_ / 1'000'000'000;
  }
  void Anchor(Clock::time_point now) {
    anchorTime_ = now;
    anchorFrames_ = written_;
  }

  std::int64_t rate_;
  std::int64_t lead_;  // in frames
  std::int64_t written_ = 0;
  Clock::time_point anchorTime_{};
  std::int64_t anchorFrames_ = 0;
};

}  // namespace rodi::player
