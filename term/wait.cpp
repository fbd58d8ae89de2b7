#include "wait.h"

#include <unistd.h>

#include <cerrno>

#include "clock.h"
#include "departure.h"
#include "signals.h"

namespace {

std::function<void(unsigned)> terminalHandler;
int writing = 0;        // writes under way: a handler that writes would split their bytes
bool handling = false;  // the handler is running

void CheckSignals() {
  CheckDepartureSignal();
  if (writing > 0 || handling || !terminalHandler) return;
  if (const unsigned taken = TakeTerminalSignals(); taken != 0) {
    handling = true;
    terminalHandler(taken);
    handling = false;
  }
}

// Polls fd (or nothing when fd < 0) together with the signal pipe.
bool PollWithSignals(int fd, short events, int timeoutMs) {
  const auto deadline = Now() + std::chrono::milliseconds(timeoutMs);
  for (;;) {
    CheckSignals();
    // Once departing, the signal pipe stays readable: stop watching it.
    pollfd fds[2] = {{fd, events, 0}, {Departing() ? -1 : SignalWakeFd(), POLLIN, 0}};
    const int n = WaitFor(fds, 2, timeoutMs >= 0 ? MsUntil(deadline) : -1);
    if (n < 0) {
      if (errno == EINTR) continue;
      return true;  // let the caller's read or write see the failure
    }
    if (fds[1].revents != 0) ClearSignalWake();
    CheckSignals();
    if (n == 0) {
      if (Now() >= deadline) return false;
      continue;
    }
    if (fd >= 0 && fds[0].revents != 0) return true;
  }
}

}  // namespace

void CheckDepartureSignal() {
  if (int sig = PendingSignal(); sig != 0 && !Departing()) Depart(128 + sig);
}

bool WaitReadable(int fd, int timeoutMs) { return PollWithSignals(fd, POLLIN, timeoutMs); }

void SleepMs(int ms) { PollWithSignals(-1, 0, ms); }

void SetTerminalSignalHandler(std::function<void(unsigned)> handler) {
  terminalHandler = std::move(handler);
}

unsigned WaitForTerminalSignals() {
  for (;;) {
    CheckDepartureSignal();
    if (const unsigned taken = TakeTerminalSignals(); taken != 0) return taken;
    pollfd wake{SignalWakeFd(), POLLIN, 0};
    if (WaitFor(&wake, 1, wake.fd < 0 ? 100 : -1) > 0) ClearSignalWake();
  }
}

bool WriteAll(int fd, const char* data, unsigned long size) {
  ++writing;
  bool sent = true;
  while (size > 0) {
    ssize_t n = write(fd, data, size);
    if (n < 0) {
      if (errno == EINTR) {
        if (!Departing()) CheckDepartureSignal();
        continue;
      }
      if (errno == EAGAIN) {
        PollWithSignals(fd, POLLOUT, 100);
        continue;
      }
      sent = false;
      break;
    }
    data += n;
    size -= static_cast<unsigned long>(n);
  }
  --writing;
  return sent;
}
