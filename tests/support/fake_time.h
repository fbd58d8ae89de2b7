// Time that passes only when waited for, put in for as long as it lives: a
// wait asks the descriptors without sleeping and, when none is ready, moves
// the clock on by its whole timeout, as a poll that wakes on time.
#pragma once
#include <chrono>
#include <functional>
#include <vector>

#include "term/clock.h"

class FakeTime {
 public:
  FakeTime();
  ~FakeTime();
  FakeTime(const FakeTime&) = delete;
  FakeTime& operator=(const FakeTime&) = delete;

  // The timeouts (ms) of the waits that found nothing ready, in order.
  std::vector<int> waits;
  // Called at each of those, before the clock moves; a negative timeout then
  // waits for real, without limit.
  std::function<void(int ms)> onWait;

 private:
  TermClock::time_point now_;
  TimeSource real_;
};
