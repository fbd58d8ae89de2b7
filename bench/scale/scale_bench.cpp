// Many readers of one install: N copies of the magazine installed once into a
// prefix they cannot write (as root they run as nobody; otherwise the prefix is
// made read-only), each in an 80x25 pty of its own, all idle in the main menu.
// Reports the time for all to reach the menu, the private memory (RssAnon) and
// the CPU time of each idle copy, and, after every copy left by X, the processes and
// files left behind.
//   scale_bench [copies] [idle seconds] [-- magazine options...]   (default 50, 10)
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <numeric>
#include <string>
#include <vector>

#include "harness/installed.h"
#include "harness/run.h"

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;
using rodi::e2e::PtyRun;

std::string ReadFile(const std::string& path) {
  std::ifstream in(path);
  return {std::istreambuf_iterator<char>(in), {}};
}

// kB of anonymous resident memory: what this copy holds that no other shares.
long RssAnonKb(pid_t pid) {
  const std::string status = ReadFile("/proc/" + std::to_string(pid) + "/status");
  const size_t at = status.find("RssAnon:");
  return at == std::string::npos ? -1 : std::atol(status.c_str() + at + 8);
}

// Seconds on a CPU, all threads: utime + stime counts whole clock ticks, too
// coarse for an idle copy, so the scheduler's nanoseconds are summed instead.
double CpuSeconds(pid_t pid) {
  long long ns = 0;
  std::error_code ec;
  for (const auto& task : fs::directory_iterator("/proc/" + std::to_string(pid) + "/task", ec))
    ns += std::atoll(ReadFile(task.path() / "schedstat").c_str());
  return static_cast<double>(ns) / 1e9;
}

double Seconds(Clock::time_point since) { return std::chrono::duration<double>(Clock::now() - since).count(); }

struct Spread {
  double mean, max;
};

Spread SpreadOf(const std::vector<double>& v) {
  return {std::accumulate(v.begin(), v.end(), 0.0) / static_cast<double>(v.size()),
          *std::max_element(v.begin(), v.end())};
}

}  // namespace

int main(int argc, char** argv) {
  int copies = 50, idleSeconds = 10;
  std::vector<std::string> options;
  for (int i = 1, plain = 0; i < argc; ++i) {
    if (std::strcmp(argv[i], "--") == 0) {
      options.assign(argv + i + 1, argv + argc);
      break;
    }
    (plain++ == 0 ? copies : idleSeconds) = std::max(1, std::atoi(argv[i]));
  }
  const bool root = geteuid() == 0;
  rodi::e2e::InstalledCopy copy;
  if (!root) chmod((copy.Prefix() + "/bin").c_str(), 0555);
  const std::string before = copy.Listing();
  const std::string tmp = rodi::e2e::ScratchDir("rodi-scale-tmp", 01777, 0);

  rodi::e2e::RunOptions o;
  o.program = copy.Magazine();
  o.unprivileged = root;
  o.args = options;
  o.env = {{"TMPDIR", tmp}};
  std::vector<std::unique_ptr<PtyRun>> runs;
  const auto start = Clock::now();
  for (int i = 0; i < copies; ++i) runs.push_back(std::make_unique<PtyRun>(o));

  // Round after round, every copy's output is read; a copy is in the menu once
  // its first entry shows.
  std::vector<bool> inMenu(runs.size(), false);
  size_t arrived = 0;
  double allInMenu = 0;
  while (arrived < runs.size()) {
    if (Seconds(start) > 120) {
      std::fprintf(stderr, "scale_bench: only %zu of %d copies reached the menu in 120 s\n", arrived, copies);
      return 1;
    }
    for (size_t i = 0; i < runs.size(); ++i) {
      runs[i]->Pump(0);
      if (!inMenu[i] && runs[i]->Screen().find("a r t i c l e s") != std::string::npos) {
        inMenu[i] = true;
        ++arrived;
      }
    }
    allInMenu = Seconds(start);
    usleep(10000);
  }

  auto idle = [&](double seconds) {
    for (const auto t = Clock::now(); Seconds(t) < seconds; usleep(100000))
      for (auto& r : runs) r->Pump(0);
  };
  idle(1);
  std::vector<double> busy;
  for (auto& r : runs) busy.push_back(CpuSeconds(r->Pid()));
  const auto idleStart = Clock::now();
  idle(idleSeconds);
  const double idleFor = Seconds(idleStart);
  std::vector<double> cpu, memory;
  for (size_t i = 0; i < runs.size(); ++i) {
    cpu.push_back(100.0 * (CpuSeconds(runs[i]->Pid()) - busy[i]) / idleFor);
    memory.push_back(static_cast<double>(RssAnonKb(runs[i]->Pid())));
  }

  for (auto& r : runs) r->Type("x");
  int unclean = 0;
  for (auto& r : runs) unclean += r->WaitExit(10000) != 0;
  size_t left = rodi::e2e::ProcessesOf(copy.Magazine()).size(), files = rodi::e2e::Entries(tmp).size();
  for (auto& r : runs) files += r->FilesInDir().size();
  const bool installTouched = copy.Listing() != before;
  runs.clear();
  fs::remove_all(tmp);

  const Spread mem = SpreadOf(memory), share = SpreadOf(cpu);
  std::printf("%d copies of one read-only install%s%s, idle in the main menu:\n", copies,
              root ? " (as nobody)" : "", options.empty() ? "" : " with options");
  std::printf("  all in the menu after   %.2f s\n", allInMenu);
  std::printf("  private memory (RssAnon) mean %.0f kB, max %.0f kB   (goal: under 1024 kB)\n", mem.mean, mem.max);
  std::printf("  CPU while idle, %.0f s   mean %.3f%%, max %.3f%% of a core   (goal: under 0.1%%)\n", idleFor,
              share.mean, share.max);
  std::printf("after all left by X: %d unclean exits, %zu processes left, %zu files left, install %s\n", unclean,
              left, files, installTouched ? "CHANGED" : "untouched");
  return unclean || left || files || installTouched ? 1 : 0;
}
