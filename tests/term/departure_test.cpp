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

// Runs body in a child whose departure steps write to its standard error, a
// pipe read back here with the exit status; sig, if any, comes 50 ms in.
std::pair<int, std::string> InChild(void (*body)(), int sig) {
  int fds[2];
  if (pipe(fds) != 0) std::abort();
  const pid_t pid = fork();
  if (pid == 0) {
    close(fds[0]);
    dup2(fds[1], STDERR_FILENO);
    InstallDepartureSignals();
    for (const char* step : {"terminal;", "files;", "music;"})
      AddDepartureStep([step] { (void)!write(STDERR_FILENO, step, strlen(step)); });
    body();
    _exit(99);
  }
  close(fds[1]);
  if (sig != 0) {
    usleep(50000);
    kill(pid, sig);
  }
  int status = 0;
  waitpid(pid, &status, 0);
  std::string said;
  char buf[256];
  for (ssize_t n; (n = read(fds[0], buf, sizeof buf)) > 0;) said.append(buf, n);
  close(fds[0]);
  return {WIFEXITED(status) ? WEXITSTATUS(status) : -WTERMSIG(status), said};
}

TEST(Departure, StepsRunOnceNewestFirstThenTheProgramEnds) {
  const std::string steps = "music;files;terminal;";
  const struct {
    void (*body)();
    int sig, wantStatus;
    std::string wantSaid;
  } cases[] = {
      {[] { Depart(0); }, 0, 0, steps},
      {[] { DepartWithError("Unable to create file \"/x/y\": No such file"); }, 0, 1,
       steps + "rodi: Unable to create file \"/x/y\": No such file\n"},  // reported after the cleaning
      {[] { SleepMs(10000); }, SIGHUP, 128 + SIGHUP, steps},  // a hang-up cuts a wait short
  };
  for (const auto& c : cases) {
    EXPECT_EQ(InChild(c.body, c.sig), std::pair(c.wantStatus, c.wantSaid)) << "signal " << c.sig;
  }
}

}  // namespace
