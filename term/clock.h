// The terminal layer's one clock and one wait. Every sleep and key wait of
// the program goes through them (the player library keeps its own time on its
// own threads), so a test can put in its own and follow time exactly.
#pragma once
#include <poll.h>

#include <chrono>
#include <functional>

using TermClock = std::chrono::steady_clock;

struct TimeSource {
  std::function<TermClock::time_point()> now;
  // As poll(2): ready descriptors, 0 after timeoutMs (negative: no limit), -1 on error.
  std::function<int(pollfd* fds, nfds_t count, int timeoutMs)> wait;
};

TermClock::time_point Now();
int WaitFor(pollfd* fds, nfds_t count, int timeoutMs);

// Replaces the clock and the wait (the real ones are the default); answers the
// ones replaced.
TimeSource SetTimeSource(TimeSource source);

// Whole milliseconds until deadline, rounded up so that a wait of that long
// never ends before it; 0 once it has passed.
int MsUntil(TermClock::time_point deadline);
