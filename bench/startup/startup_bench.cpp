// Times the magazine from its start to the first byte of the logo, in an 80x25
// pty: with --silent, with music into ALSA's file sink (a HOME of our own holds
// the .asoundrc), and with an ALSA configuration on which every device fails.
// The runs of the three kinds alternate, so that a busy machine slows all alike.
//   startup_bench [runs]
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "harness/run.h"

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;
using rodi::e2e::PtyRun;
using rodi::e2e::RunOptions;

// The logo's first character, U+2590 as the magazine sends it in a UTF-8 locale:
// nothing before the logo draws it.
constexpr const char* kLogoStart = "\xe2\x96\x90";

struct Kind {
  const char* name;
  std::vector<std::string> args;
  std::vector<std::pair<std::string, std::string>> env;
  std::vector<double> ms;
};

double Median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  const std::size_t n = v.size();
  return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

double TimeToLogo(const Kind& kind) {
  RunOptions o;
  o.args = kind.args;
  o.env = kind.env;
  const auto start = Clock::now();
  PtyRun run(o);
  if (!run.WaitForOutput(kLogoStart, 5000)) {
    std::fprintf(stderr, "startup_bench: no logo within 5 s (%s)\n", kind.name);
    std::exit(1);
  }
  return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

}  // namespace

int main(int argc, char** argv) {
  const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 20;
  if (access(rodi::e2e::MagazinePath().c_str(), X_OK) != 0) {
    std::fprintf(stderr, "startup_bench: %s is missing: build the target rodi\n",
                 rodi::e2e::MagazinePath().c_str());
    return 1;
  }
  char home[] = "/tmp/rodi-startup-bench-XXXXXX";
  if (mkdtemp(home) == nullptr) return 1;
  const std::string sink = std::string(home) + "/out.raw";
  std::ofstream(std::string(home) + "/.asoundrc")
      << "pcm.!default {\n  type file\n  slave.pcm \"null\"\n  file \"" << sink
      << "\"\n  format \"raw\"\n}\n";
  const std::string emptyConfig = std::string(home) + "/empty.conf";
  std::ofstream{emptyConfig};

  std::vector<Kind> kinds = {
      {"--silent", {"--silent"}, {{"HOME", home}}, {}},
      {"music", {}, {{"HOME", home}}, {}},
      {"no device", {}, {{"HOME", home}, {"ALSA_CONFIG_PATH", emptyConfig}}, {}},
  };
  for (Kind& kind : kinds) TimeToLogo(kind);  // warm the page cache
  for (int i = 0; i < runs; ++i)
    for (Kind& kind : kinds) {
      kind.ms.push_back(TimeToLogo(kind));
      fs::remove(sink);
    }
  fs::remove_all(home);

  std::printf("start to the logo's first byte, %d runs each (ms):\n", runs);
  for (const Kind& kind : kinds)
    std::printf("  %-10s median %6.1f  min %6.1f  max %6.1f\n", kind.name, Median(kind.ms),
                *std::min_element(kind.ms.begin(), kind.ms.end()),
                *std::max_element(kind.ms.begin(), kind.ms.end()));
  const double silent = Median(kinds[0].ms);
  std::printf("music costs %+.1f ms (median; goal: under 50), no device %+.1f ms\n",
              Median(kinds[1].ms) - silent, Median(kinds[2].ms) - silent);
}
