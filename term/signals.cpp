#include "signals.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <initializer_list>

namespace {

volatile sig_atomic_t pending = 0;
volatile sig_atomic_t stopAsked = 0, continued = 0, resized = 0;
int wakePipe[2] = {-1, -1};

void OnSignal(int sig) {
  const int savedErrno = errno;
  if (sig == SIGTSTP) {
    stopAsked = 1;
  } else if (sig == SIGCONT) {
    continued = 1;
  } else if (sig == SIGWINCH) {
    resized = 1;
  } else if (pending == 0) {
    pending = sig;
  }
  if (wakePipe[1] >= 0) {
    const char byte = 1;
    ssize_t ignored = write(wakePipe[1], &byte, 1);
    (void)ignored;
  }
  errno = savedErrno;
}

void Install(std::initializer_list<int> signals, int flags) {
  if (wakePipe[0] < 0 && pipe2(wakePipe, O_CLOEXEC | O_NONBLOCK) != 0) {
    wakePipe[0] = wakePipe[1] = -1;
  }
  struct sigaction sa {};
  sa.sa_handler = OnSignal;
  sigemptyset(&sa.sa_mask);
  sa.sa_flags = flags;
  for (int sig : signals) sigaction(sig, &sa, nullptr);
}

// Read and cleared before the work is done: one arriving meanwhile is marked again.
bool Take(volatile sig_atomic_t& flag) {
  if (flag == 0) return false;
  flag = 0;
  return true;
}

}  // namespace

void InstallDepartureSignals() {
  // No SA_RESTART: blocking calls return EINTR and look at the flag.
  Install({SIGHUP, SIGTERM, SIGINT, SIGQUIT}, 0);
  signal(SIGPIPE, SIG_IGN);
}

// Restarted: a read or write they interrupt goes on, and the waits see the pipe.
void InstallTerminalSignals() { Install({SIGTSTP, SIGCONT, SIGWINCH}, SA_RESTART); }

int PendingSignal() { return pending; }

unsigned TakeTerminalSignals() {
  unsigned taken = 0;
  if (Take(stopAsked)) taken |= kStopAsked;
  if (Take(continued)) taken |= kContinued;
  if (Take(resized)) taken |= kResized;
  return taken;
}

int SignalWakeFd() { return wakePipe[0]; }

void ClearSignalWake() {
  char buf[64];
  while (wakePipe[0] >= 0 && read(wakePipe[0], buf, sizeof buf) > 0) {
  }
}
