#include "departure.h"

#include <unistd.h>

#include <cstdio>
#include <vector>

namespace {

std::vector<std::function<void()>>& Steps() {
  static std::vector<std::function<void()>> steps;
  return steps;
}

bool departing = false;

void RunSteps() {
  if (departing) return;
  departing = true;
  auto& steps = Steps();
  while (!steps.empty()) {
    auto step = std::move(steps.back());
    steps.pop_back();
    step();
  }
}

}  // namespace

void AddDepartureStep(std::function<void()> step) { Steps().push_back(std::move(step)); }

bool Departing() { return departing; }

void Depart(int exitCode) {
  RunSteps();
  std::fflush(nullptr);
  _exit(exitCode);
}

void DepartWithError(const std::string& report) {
  RunSteps();
  std::fflush(nullptr);
  std::string line = "rodi: " + report + "\n";
  ssize_t ignored = write(STDERR_FILENO, line.data(), line.size());
  (void)ignored;
  _exit(1);
}
