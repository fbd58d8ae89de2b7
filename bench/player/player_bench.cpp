// Plays a tune through the player library into a file sink for a few seconds and
// reports the CPU the player uses (the main thread only sleeps meanwhile), how fast
// the sink grows, and how long MusicFree and Free take, also on a device that hangs.
//   player_bench [tune file]   (default: a small generated MOD)
#include <dlfcn.h>
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <thread>
#include <vector>

#include "bassmod_api.h"
#include "test_tune.h"

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

[[noreturn]] void Fail(const std::string& what) {
  std::fprintf(stderr, "player_bench: %s\n", what.c_str());
  std::exit(1);
}

template <typename Fn>
Fn Lookup(void* library, const char* name) {
  void* symbol = dlsym(library, name);
  if (symbol == nullptr) Fail(std::string("missing ") + name);
  return reinterpret_cast<Fn>(symbol);
}

double CpuSeconds() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
         static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

double Seconds(Clock::duration d) { return std::chrono::duration<double>(d).count(); }

template <typename Call>
double TimedMs(Call call) {
  const auto start = Clock::now();
  call();
  return Seconds(Clock::now() - start) * 1000;
}

struct Api {
  bassmod::InitFn init;
  bassmod::FreeFn freeAll;
  bassmod::MusicLoadFn load;
  bassmod::MusicPlayFn play;
  bassmod::MusicFreeFn musicFree;
};

// ALSA's "default" becomes a file sink (or a named pipe) in a HOME of our own; ALSA reads
// its configuration once per process, so this comes before its first use.
std::string UseSink(const std::string& home, const std::string& sinkName) {
  const std::string sink = home + "/" + sinkName;
  std::ofstream(home + "/.asoundrc")
      << "pcm.!default {\n  type file\n  slave.pcm \"null\"\n  file \"" << sink
      << "\"\n  format \"raw\"\n}\n";
  setenv("HOME", home.c_str(), 1);
  unsetenv("ALSA_CONFIG_PATH");
  return sink;
}

Api LoadApi() {
  void* library = dlopen(RODI_PLAYER_LIB, RTLD_LAZY);
  if (library == nullptr) Fail(dlerror());
  return Api{Lookup<bassmod::InitFn>(library, bassmod::kInitName),
             Lookup<bassmod::FreeFn>(library, bassmod::kFreeName),
             Lookup<bassmod::MusicLoadFn>(library, bassmod::kMusicLoadName),
             Lookup<bassmod::MusicPlayFn>(library, bassmod::kMusicPlayName),
             Lookup<bassmod::MusicFreeFn>(library, bassmod::kMusicFreeName)};
}

void Start(const Api& api, std::vector<std::uint8_t>& tune) {
  if (!api.load(1, tune.data(), 0, static_cast<bassmod::DWORD>(tune.size()),
                bassmod::kMagazineMusicFlags))
    Fail("MusicLoad failed");
  api.play();
}

// In a child process of its own: a pipe nobody reads blocks the player thread inside ALSA.
void StopOnAHungDevice(const std::string& home, std::vector<std::uint8_t>& tune) {
  const pid_t child = fork();
  if (child < 0) Fail("fork");
  if (child > 0) {
    int status = 0;
    waitpid(child, &status, 0);
    return;
  }
  const std::string fifo = UseSink(home, "sink.fifo");
  if (mkfifo(fifo.c_str(), 0600) != 0 || open(fifo.c_str(), O_RDONLY | O_NONBLOCK) < 0)
    Fail("fifo");
  const Api api = LoadApi();
  if (!api.init(bassmod::kDeviceDefault, 44100, 0)) Fail("Init(-1) failed");
  Start(api, tune);
  std::this_thread::sleep_for(std::chrono::milliseconds(800));
  const double musicFreeMs = TimedMs(api.musicFree);
  const double freeMs = TimedMs(api.freeAll);
  std::printf("hung device: MusicFree: %.2f ms; Free: %.2f ms\n", musicFreeMs, freeMs);
  std::fflush(stdout);
  std::_Exit(0);  // the stuck thread stays stuck until the process ends
}

}  // namespace

int main(int argc, char** argv) {
  std::vector<std::uint8_t> tune;
  if (argc > 1) {
    std::ifstream in(argv[1], std::ios::binary);
    if (!in) Fail(std::string("cannot read ") + argv[1]);
    tune.assign(std::istreambuf_iterator<char>(in), {});
  } else {
    tune = rodi_test::MakeTestMod();
  }
  std::printf("tune: %s (%zu bytes)\n", argc > 1 ? argv[1] : "generated MOD", tune.size());
  std::fflush(stdout);

  char home[] = "/tmp/rodi-player-bench-XXXXXX";
  if (mkdtemp(home) == nullptr) Fail("mkdtemp");
  StopOnAHungDevice(home, tune);

  const std::string sink = UseSink(home, "out.raw");
  const Api api = LoadApi();
  if (!api.init(bassmod::kDeviceDefault, 44100, 0)) Fail("Init(-1) failed");
  Start(api, tune);
  std::this_thread::sleep_for(
      std::chrono::milliseconds(500));  // past the lead written at the start
  const double cpu0 = CpuSeconds();
  const auto wall0 = Clock::now();
  const auto size0 = fs::file_size(sink);
  std::this_thread::sleep_for(std::chrono::seconds(5));
  const double cpu = CpuSeconds() - cpu0;
  const double wall = Seconds(Clock::now() - wall0);
  const auto grown = fs::file_size(sink) - size0;

  double worstMusicFree = TimedMs(api.musicFree);
  for (int i = 0; i < 20; ++i) {  // stops in the middle of a render, a wait or a write
    Start(api, tune);
    std::this_thread::sleep_for(std::chrono::milliseconds(10 + 7 * i));
    worstMusicFree = std::max(worstMusicFree, TimedMs(api.musicFree));
  }
  Start(api, tune);
  std::this_thread::sleep_for(std::chrono::milliseconds(300));
  const double lastMusicFree = TimedMs(api.musicFree);
  const double freeMs = TimedMs(api.freeAll);

  std::printf("player CPU while playing: %.2f%% of one core (%.3f s CPU in %.2f s)\n",
              100 * cpu / wall, cpu, wall);
  std::printf("sink growth: %.0f bytes/s (real time: 176400)\n", static_cast<double>(grown) / wall);
  std::printf("MusicFree: %.2f ms, worst of 21: %.2f ms; Free: %.2f ms; MusicFree+Free: %.2f ms\n",
              lastMusicFree, worstMusicFree, freeMs, lastMusicFree + freeMs);
  fs::remove_all(home);
  return 0;
}
