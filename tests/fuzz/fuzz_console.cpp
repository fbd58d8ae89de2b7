#include "fuzz_console.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>

#include "term/conio.h"
#include "tests/support/fake_time.h"

std::string FuzzBytes::Take(size_t n) {
  n = std::min(n, size_ - at_);
  std::string s(reinterpret_cast<const char*>(data_ + at_), n);
  at_ += n;
  return s;
}

void FuzzConsole(std::string_view keys, bool utf8) {
  static int keysFd = -1;
  // All of an input's keys are queued before it runs: the decoder's waits for
  // the rest of an escape sequence and the drawing's pauses would otherwise
  // set the pace of fuzzing.
  static FakeTime time;
  time.waits.clear();
  int fds[2];
  if (pipe2(fds, O_CLOEXEC) != 0) std::abort();
  // A pipe holds 64 KiB: more would block here.
  keys = keys.substr(0, 60000);
  if (!keys.empty() && write(fds[1], keys.data(), keys.size()) != static_cast<ssize_t>(keys.size())) std::abort();
  close(fds[1]);
  if (!Screen) {
    if (dup2(open("/dev/null", O_WRONLY | O_CLOEXEC), kFuzzOutFd) != kFuzzOutFd) std::abort();
    ConsoleInit(ConsoleSetup{fds[0], kFuzzOutFd, Charset::Utf8});
    Screen->OnHangUp = nullptr;
  }
  delete Keyboard;
  if (keysFd >= 0) close(keysFd);
  keysFd = fds[0];
  Keyboard = new TInput(TInputSetup{keysFd, utf8});
  Keyboard->OnHangUp = [] { throw KeysRunOut{}; };
  Screen->HoldFlushes(false);
  SetTextAttr(7);
  ClrScr();
}

void CheckConsole() {
  if (WhereX() < 1 || WhereX() > 80 || WhereY() < 1 || WhereY() > 25) std::abort();
  const TCharInfo first = Screen->Buffer[25][0];
  for (size_t y = 25; y < Screen->Buffer.size(); ++y)
    for (const TCharInfo& cell : Screen->Buffer[y])
      if (cell.UnicodeChar != ' ' || cell.Attributes != first.Attributes) std::abort();
}
