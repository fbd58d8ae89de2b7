#include "clock.h"

namespace {

TimeSource& Source() {
  static TimeSource source{[] { return TermClock::now(); },
                           [](pollfd* fds, nfds_t count, int timeoutMs) { return poll(fds, count, timeoutMs); }};
  return source;
}

}  // namespace

TermClock::time_point Now() { return Source().now(); }

int WaitFor(pollfd* fds, nfds_t count, int timeoutMs) { return Source().wait(fds, count, timeoutMs); }

TimeSource SetTimeSource(TimeSource source) {
  TimeSource old = std::move(Source());
  Source() = std::move(source);
  return old;
}

int MsUntil(TermClock::time_point deadline) {
  const auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - Now()).count();
  return left > 0 ? static_cast<int>(left) : 0;
}
