#include "signals.h"

#include <fcntl.h>
#include <unistd.h>

#include <csignal>
#include <initializer_list>

namespace {

volatile sig_atomic_t pending = 0;
int wakePipe[2] = {-1, -1};

void OnSignal(int sig) {
  if (pending == 0) pending = sig;
  if (wakePipe[1] >= 0) {
    const char byte = 1;
    ssize_t ignored = write(wakePipe[1], &byte, 1);
    (void)ignored;
  }
}

}  // namespace

void InstallDepartureSignals() {
  if (wakePipe[0] < 0 && pipe2(wakePipe, O_CLOEXEC | O_NONBLOCK) != 0) {
    wakePipe[0] = wakePipe[1] = -1;
  }
  struct sigaction sa {};
  sa.sa_handler = OnSignal;
  sigemptyset(&sa.sa_mask);
  sa.sa_flags = 0;  // no SA_RESTART: blocking calls return EINTR and look at the flag
  for (int sig : {SIGHUP, SIGTERM, SIGINT, SIGQUIT}) sigaction(sig, &sa, nullptr);
  signal(SIGPIPE, SIG_IGN);
}

int PendingSignal() { return pending; }

int SignalWakeFd() { return wakePipe[0]; }
