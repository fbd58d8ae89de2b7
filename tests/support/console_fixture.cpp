#include "console_fixture.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <unistd.h>

ConsoleOnPipes::ConsoleOnPipes(Charset charset) {
  int keys[2];
  // A file, unlike a pipe, never fills up and blocks the engine.
  out_ = memfd_create("rodi-test-output", MFD_CLOEXEC);
  if (pipe2(keys, O_CLOEXEC) != 0 || out_ < 0) std::abort();
  keysRead_ = keys[0];
  keysWrite_ = keys[1];
  ConsoleInit(ConsoleSetup{keysRead_, out_, charset});
  // A test reads end of input as key 0 instead of leaving the process.
  Keyboard->OnHangUp = nullptr;
  Screen->OnHangUp = nullptr;
}

ConsoleOnPipes::~ConsoleOnPipes() {
  ConsoleDone();
  close(out_);
  close(keysRead_);
  if (keysWrite_ >= 0) close(keysWrite_);
}

void ConsoleOnPipes::Type(std::string_view bytes) { (void)!write(keysWrite_, bytes.data(), bytes.size()); }

void ConsoleOnPipes::CloseInput() {
  close(keysWrite_);
  keysWrite_ = -1;
}

std::string ConsoleOnPipes::TakeOutput() {
  Screen->BufFlush();
  std::string out;
  char buf[4096];
  for (ssize_t n; (n = pread(out_, buf, sizeof buf, taken_)) > 0; taken_ += n) out.append(buf, static_cast<size_t>(n));
  return out;
}

std::string ConsoleOnPipes::Row(int y) const {
  std::string row;
  for (const TCharInfo& cell : Screen->Buffer[y - 1]) row += static_cast<char>(cell.UnicodeChar);
  return row;
}

uint8_t ConsoleOnPipes::Attr(int x, int y) const { return Screen->Buffer[y - 1][x - 1].Attributes; }

// Starts well after the clock's zero, as a real clock does: the decoder's "not
// asked lately" reads the zero as just now.
FakeTime::FakeTime() : now_(TermClock::time_point{} + std::chrono::hours(1)) {
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
