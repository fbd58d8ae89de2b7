#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <string>

#include "term/departure.h"
#include "term/signals.h"
#include "term/wait.h"

namespace {

struct Outcome {
  int status = -1;  // exit code
  std::string said; // what the steps wrote, in order
};

// Runs body in a child whose departure steps report through a pipe.
template <typename Body>
Outcome InChild(Body body, int signalAfterMs = 0, int sig = 0) {
  int fds[2];
  if (pipe(fds) != 0) std::abort();
  pid_t pid = fork();
  if (pid == 0) {
    close(fds[0]);
    const int out = fds[1];
    InstallDepartureSignals();
    AddDepartureStep([out] { (void)!write(out, "terminal;", 9); });
    AddDepartureStep([out] { (void)!write(out, "files;", 6); });
    AddDepartureStep([out] { (void)!write(out, "music;", 6); });
    body();
    _exit(99);
  }
  close(fds[1]);
  if (signalAfterMs > 0) {
    usleep(signalAfterMs * 1000);
    kill(pid, sig);
  }
  Outcome outcome;
  int status = 0;
  waitpid(pid, &status, 0);
  outcome.status = WIFEXITED(status) ? WEXITSTATUS(status) : 1000 + WTERMSIG(status);
  char buf[256];
  for (ssize_t n; (n = read(fds[0], buf, sizeof buf)) > 0;) outcome.said.append(buf, n);
  close(fds[0]);
  return outcome;
}

TEST(Departure, StepsRunOnceNewestFirst) {
  Outcome o = InChild([] { Depart(0); });
  EXPECT_EQ(o.status, 0);
  EXPECT_EQ(o.said, "music;files;terminal;");
}

TEST(Departure, SignalsCutWaitsShortWithStatus128PlusSignal) {
  for (int sig : {SIGHUP, SIGTERM, SIGINT, SIGQUIT}) {
    Outcome sleeping = InChild([] { SleepMs(10000); }, 50, sig);
    EXPECT_EQ(sleeping.status, 128 + sig) << "signal " << sig;
    EXPECT_EQ(sleeping.said, "music;files;terminal;");
  }
  int never[2];
  ASSERT_EQ(pipe(never), 0);
  Outcome waiting = InChild([&] { WaitReadable(never[0], -1); }, 50, SIGTERM);
  EXPECT_EQ(waiting.status, 128 + SIGTERM);
  close(never[0]);
  close(never[1]);
}

TEST(Departure, ClosedReaderIsAFailedWriteNotADeath) {
  Outcome o = InChild([] {
    int fds[2];
    if (pipe(fds) != 0) _exit(98);
    close(fds[0]);
    _exit(WriteAll(fds[1], "x", 1) ? 97 : 42);
  });
  EXPECT_EQ(o.status, 42);
}

TEST(Departure, ErrorReportComesAfterCleaningWithCode1) {
  int err[2];
  ASSERT_EQ(pipe(err), 0);
  Outcome o = InChild([&] {
    dup2(err[1], 2);
    DepartWithError("Unable to create file \"/x/y\": No such file or directory");
  });
  close(err[1]);
  char buf[256];
  ssize_t n = read(err[0], buf, sizeof buf);
  close(err[0]);
  EXPECT_EQ(o.status, 1);
  EXPECT_EQ(o.said, "music;files;terminal;");
  EXPECT_EQ(std::string(buf, n > 0 ? n : 0),
            "rodi: Unable to create file \"/x/y\": No such file or directory\n");
}

}  // namespace
