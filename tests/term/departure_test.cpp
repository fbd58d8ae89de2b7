#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <cstring>
#include <string>

#include "term/departure.h"
#include "term/signals.h"
#include "term/wait.h"

namespace {

struct Outcome {
  int status = -1;
  std::string said;  // what the steps wrote, in order
};
const char* const kAllSteps = "music;files;terminal;";

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
    for (const char* step : {"terminal;", "files;", "music;"})
      AddDepartureStep([out, step] { (void)!write(out, step, strlen(step)); });
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

TEST(Departure, StepsRunNewestFirstAlsoWhenASignalCutsAWait) {
  const Outcome departed = InChild([] { Depart(0); });
  EXPECT_EQ(departed.status, 0);
  EXPECT_EQ(departed.said, kAllSteps) << "steps run once, newest first";
  for (int sig : {SIGHUP, SIGTERM, SIGINT, SIGQUIT}) {
    Outcome sleeping = InChild([] { SleepMs(10000); }, 50, sig);
    EXPECT_EQ(sleeping.status, 128 + sig) << "signal " << sig;
    EXPECT_EQ(sleeping.said, kAllSteps);
  }
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
  EXPECT_EQ(o.said, kAllSteps);
  EXPECT_EQ(std::string(buf, n > 0 ? n : 0),
            "rodi: Unable to create file \"/x/y\": No such file or directory\n");
}

}  // namespace
