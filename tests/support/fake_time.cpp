#include "fake_time.h"

namespace {

// Well after the clock's zero, as a real clock is: the decoder's "not asked
// lately" reads the zero as just now.
constexpr TermClock::time_point kStart = TermClock::time_point{} + std::chrono::hours(1);

}  // namespace

FakeTime::FakeTime() : now_(kStart) {
  real_ = SetTimeSource({[this] { return now_; },
                         [this](pollfd* fds, nfds_t count, int timeoutMs) {
                           const int ready = poll(fds, count, 0);
                           if (ready != 0 || timeoutMs == 0) return ready;
                           waits.push_back(timeoutMs);
                           if (onWait) onWait(timeoutMs);
                           if (timeoutMs < 0) return poll(fds, count, -1);
                           now_ += std::chrono::milliseconds(timeoutMs);
                           return 0;
                         }});
}

FakeTime::~FakeTime() { SetTimeSource(std::move(real_)); }
