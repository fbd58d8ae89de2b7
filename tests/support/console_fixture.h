// The console for tests: the real engine and key decoder, keys typed on a pipe, the bytes sent kept
// in a memory file; and time that passes only when waited for.
#pragma once
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "term/clock.h"
#include "term/conio.h"

class ConsoleOnPipes {
 public:
  explicit ConsoleOnPipes(Charset charset = Charset::Cp437);
  ~ConsoleOnPipes();

  // Queues bytes for the decoder as if typed.
  void Type(std::string_view bytes);
  // Ends the input as a hung-up terminal would.
  void CloseInput();

  // Every byte sent since the last call (after flushing the engine).
  std::string TakeOutput();

  // The image row y (1-25) as CP437 bytes, and one cell's attribute.
  std::string Row(int y) const;
  uint8_t Attr(int x, int y) const;

 private:
  int keysWrite_ = -1, keysRead_ = -1, out_ = -1;
  off_t taken_ = 0;
};

// Put in for as long as it lives: a wait asks the descriptors without sleeping
// and, when none is ready, moves the clock on by its whole timeout, as a poll
// that wakes on time.
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
