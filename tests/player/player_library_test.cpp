// The player library loaded with dlopen, as the magazine loads it. ALSA's "default"
// device is a file sink, so the test hears what the library played.
//
// Each case runs in a child process of its own (a death-test child): ALSA reads its
// configuration once per process, and each case needs its own. The child checks with
// REQUIRE, which reports on standard error and exits non-zero; standard error must
// otherwise stay empty, since the library must never print onto the magazine's screen.
#include <dlfcn.h>
#include <fcntl.h>
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <libopenmpt/libopenmpt.h>
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
#include <string>
#include <thread>
#include <vector>

#include "bassmod_api.h"
#include "test_tune.h"

namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

#define REQUIRE(cond)                                                         \
  do {                                                                        \
    if (!(cond)) {                                                            \
      std::fprintf(stderr, "%s:%d: failed: %s\n", __FILE__, __LINE__, #cond); \
      std::_Exit(1);                                                          \
    }                                                                         \
  } while (0)

// The library's entry points, looked up by name as the magazine does.
struct Api {
  void* library = dlopen(RODI_PLAYER_LIB, RTLD_LAZY);
  template <typename Fn>
  Fn Get(const char* name) const {
    REQUIRE(library != nullptr);
    void* symbol = dlsym(library, name);
    REQUIRE(symbol != nullptr);
    return reinterpret_cast<Fn>(symbol);
  }
  bassmod::InitFn Init = Get<bassmod::InitFn>(bassmod::kInitName);
  bassmod::FreeFn Free = Get<bassmod::FreeFn>(bassmod::kFreeName);
  bassmod::MusicLoadFn MusicLoad = Get<bassmod::MusicLoadFn>(bassmod::kMusicLoadName);
  bassmod::MusicPlayFn MusicPlay = Get<bassmod::MusicPlayFn>(bassmod::kMusicPlayName);
  bassmod::MusicFreeFn MusicFree = Get<bassmod::MusicFreeFn>(bassmod::kMusicFreeName);
  bassmod::SetVolumeFn SetVolume = Get<bassmod::SetVolumeFn>(bassmod::kSetVolumeName);
  bassmod::GetVolumeFn GetVolume = Get<bassmod::GetVolumeFn>(bassmod::kGetVolumeName);
};

// A fresh HOME whose .asoundrc makes "default" a file sink; returns the sink's path.
// With `fifo` the sink is a named pipe of that name instead, created by the caller.
std::string UseFileSink(const std::string& name, const std::string& fifo = "") {
  const fs::path home =
      fs::path(RODI_BINARY_DIR) / "player-test" / (name + "-" + std::to_string(getpid()));
  fs::remove_all(home);
  fs::create_directories(home);
  const std::string sink = (home / (fifo.empty() ? "out.raw" : fifo)).string();
  std::ofstream(home / ".asoundrc")
      << "pcm.!default {\n  type file\n  slave.pcm \"null\"\n  file \"" << sink
      << "\"\n  format \"raw\"\n}\n";
  setenv("HOME", home.c_str(), 1);
  unsetenv("ALSA_CONFIG_PATH");
  unsetenv("XDG_CONFIG_HOME");
  return sink;
}

std::string WriteFile(const std::string& name, const std::vector<std::uint8_t>& bytes) {
  const fs::path path = fs::path(getenv("HOME")) / name;
  std::ofstream(path, std::ios::binary)
      .write(reinterpret_cast<const char*>(bytes.data()), bytes.size());
  return path.string();
}

std::vector<std::int16_t> ReadSamples(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::vector<char> bytes{std::istreambuf_iterator<char>(in), {}};
  std::vector<std::int16_t> samples(bytes.size() / 2);
  std::memcpy(samples.data(), bytes.data(), samples.size() * 2);
  return samples;
}

std::size_t FileSize(const std::string& path) {
  std::error_code ec;
  const auto size = fs::file_size(path, ec);
  return ec ? 0 : static_cast<std::size_t>(size);
}

// libopenmpt's own render of the tune: looped, default ramping, without dither.
std::vector<std::int16_t> Reference(const std::vector<std::uint8_t>& tune, std::size_t frames) {
  openmpt_module* mod =
      openmpt_module_create_from_memory2(tune.data(), tune.size(), openmpt_log_func_silent, nullptr,
                                         nullptr, nullptr, nullptr, nullptr, nullptr);
  REQUIRE(mod != nullptr);
  openmpt_module_set_repeat_count(mod, -1);
  openmpt_module_ctl_set_integer(mod, "dither", 0);
  std::vector<std::int16_t> out(frames * 2);
  for (std::size_t done = 0; done < frames;) {
    const std::size_t n = openmpt_module_read_interleaved_stereo(
        mod, 44100, std::min<std::size_t>(1024, frames - done), out.data() + 2 * done);
    REQUIRE(n > 0);
    done += n;
  }
  openmpt_module_destroy(mod);
  return out;
}

template <typename Call>
Clock::duration Timed(Call call) {
  const auto start = Clock::now();
  call();
  return Clock::now() - start;
}

// A case that runs in a fresh child; it passes when the child exits 0 having printed
// nothing. The child's HOME, sink included, is removed when it passed.
#define CHILD_TEST(name)                                                                                    \
  void name();                                                                                              \
  TEST(PlayerLibraryDeathTest, name) {                                                                      \
    EXPECT_EXIT({ name(); fs::remove_all(getenv("HOME")); std::exit(0); }, testing::ExitedWithCode(0), \
                testing::IsEmpty());                                                                        \
  }                                                                                                         \
  void name()

CHILD_TEST(PlaysToTheDefaultDeviceInRealTime) {
  const std::string sink = UseFileSink("plays");
  const Api api;
  const auto tune = rodi_test::MakeTestMod();
  const std::string tunePath = WriteFile("music.mod", tune);
  const std::string junkPath = WriteFile("junk.mod", std::vector<std::uint8_t>(64, 'x'));

  REQUIRE(api.GetVolume() == -1);
  REQUIRE(!api.MusicLoad(0, tunePath.c_str(), 0, 0, bassmod::kMagazineMusicFlags));
  REQUIRE(api.Init(bassmod::kDeviceDefault, 44100, 0));
  REQUIRE(!api.Init(bassmod::kDeviceDefault, 44100, 0));
  REQUIRE(!api.Init(bassmod::kDeviceNoSound, 44100, 0));
  REQUIRE(api.GetVolume() == 100);

  REQUIRE(!api.MusicPlay());
  REQUIRE(!api.MusicLoad(0, junkPath.c_str(), 0, 0, bassmod::kMagazineMusicFlags));
  REQUIRE(!api.MusicLoad(1, "not a module", 0, 12, bassmod::kMagazineMusicFlags));
  REQUIRE(!api.MusicLoad(0, (junkPath + ".missing").c_str(), 0, 0, bassmod::kMagazineMusicFlags));
  REQUIRE(!api.MusicPlay());

  REQUIRE(api.MusicLoad(0, tunePath.c_str(), 0, 0, bassmod::kMagazineMusicFlags));
  REQUIRE(api.MusicPlay());
  std::this_thread::sleep_for(1s);
  // Real-time pace: one second is 176,400 bytes, plus a lead of at most a quarter second.
  const std::size_t grown = FileSize(sink);
  REQUIRE(grown > 100'000 && grown < 400'000);

  REQUIRE(Timed(api.MusicFree) < 1s);
  const std::size_t stopped = FileSize(sink);
  std::this_thread::sleep_for(200ms);
  REQUIRE(FileSize(sink) == stopped);
  REQUIRE(!api.MusicPlay());

  const std::vector<std::int16_t> captured = ReadSamples(sink);
  REQUIRE(captured.size() >= 2 * 44100 / 2);
  REQUIRE(captured == Reference(tune, captured.size() / 2));

  api.MusicFree();
  REQUIRE(Timed(api.Free) < 1s);
  api.Free();
  REQUIRE(api.GetVolume() == -1);
  REQUIRE(api.Init(bassmod::kDeviceDefault, 44100, 0));
  api.Free();
}

CHILD_TEST(LoadReplacesTheTuneAndVolumeScalesIt) {
  const std::string sink = UseFileSink("volume");
  const Api api;
  const auto tune = rodi_test::MakeTestMod();
  REQUIRE(api.Init(bassmod::kDeviceDefault, 44100, 0));
  REQUIRE(!api.SetVolume(101));
  REQUIRE(api.SetVolume(0));
  REQUIRE(api.GetVolume() == 0);

  REQUIRE(api.MusicLoad(1, tune.data(), 0, tune.size(), bassmod::kMagazineMusicFlags));
  REQUIRE(api.MusicPlay());
  std::this_thread::sleep_for(400ms);
  // A load while a tune plays stops it at once; the new tune starts from its beginning.
  REQUIRE(api.SetVolume(50));
  REQUIRE(api.MusicLoad(1, tune.data(), 0, tune.size(), bassmod::kMagazineMusicFlags));
  const std::vector<std::int16_t> silent = ReadSamples(sink);
  REQUIRE(silent.size() > 2 * 44100 / 4);
  for (std::int16_t s : silent) REQUIRE(s == 0);

  REQUIRE(api.MusicPlay());
  REQUIRE(api.MusicPlay());  // already playing: no restart
  std::this_thread::sleep_for(400ms);
  api.MusicFree();
  const std::vector<std::int16_t> all = ReadSamples(sink);
  const std::vector<std::int16_t> half(all.begin() + static_cast<std::ptrdiff_t>(silent.size()),
                                       all.end());
  REQUIRE(half.size() > 2 * 44100 / 4);
  std::vector<std::int16_t> expected = Reference(tune, half.size() / 2);
  for (std::int16_t& s : expected) s = static_cast<std::int16_t>(s * 50 / 100);
  REQUIRE(half == expected);
  api.Free();
}

CHILD_TEST(FailsSilentlyWithoutAudio) {
  // An empty configuration makes every ALSA open fail, as on a machine without sound.
  const std::string sink = UseFileSink("noaudio");
  const std::string empty = WriteFile("empty.conf", {});
  setenv("ALSA_CONFIG_PATH", empty.c_str(), 1);
  const Api api;
  REQUIRE(!api.Init(bassmod::kDeviceDefault, 44100, 0));
  REQUIRE(!api.Init(bassmod::kDeviceFirst, 44100, 0));
  REQUIRE(api.GetVolume() == -1);
  // A failed Init leaves nothing behind, so the magazine's fallback succeeds.
  REQUIRE(api.Init(bassmod::kDeviceNoSound, 44100, 0));
  api.MusicFree();
  api.Free();
}

CHILD_TEST(NoSoundDevicesNeverTouchAlsa) {
  const std::string sink = UseFileSink("nosound");
  const Api api;
  const auto tune = rodi_test::MakeTestMod();
  for (int device : {bassmod::kDeviceNoSound, bassmod::kDeviceDecode}) {
    REQUIRE(api.Init(device, 44100, 0));
    REQUIRE(api.MusicLoad(1, tune.data(), 0, tune.size(), bassmod::kMagazineMusicFlags));
    REQUIRE(api.MusicPlay());
    REQUIRE(api.SetVolume(30) && api.GetVolume() == 30);
    std::this_thread::sleep_for(100ms);
    REQUIRE(Timed(api.MusicFree) < 1s);
    REQUIRE(Timed(api.Free) < 1s);
  }
  REQUIRE(!fs::exists(sink));
}

CHILD_TEST(StopsPromptlyWhenTheDeviceHangs) {
  // A reader that never reads: once the pipe is full, ALSA blocks the player thread in
  // write(), as a stuck sound server would.
  const std::string fifo = UseFileSink("hang", "sink.fifo");
  REQUIRE(mkfifo(fifo.c_str(), 0600) == 0);
  const int reader = open(fifo.c_str(), O_RDONLY | O_NONBLOCK);
  REQUIRE(reader >= 0);  // kept open: closing it would end the stuck write with SIGPIPE
  const Api api;
  const auto tune = rodi_test::MakeTestMod();
  REQUIRE(api.Init(bassmod::kDeviceDefault, 44100, 0));
  REQUIRE(api.MusicLoad(1, tune.data(), 0, tune.size(), bassmod::kMagazineMusicFlags));
  REQUIRE(api.MusicPlay());
  std::this_thread::sleep_for(800ms);  // 64 KiB of pipe hold less than half a second
  REQUIRE(Timed(api.MusicFree) < 1s);
  REQUIRE(Timed(api.Free) < 1s);
  // The stuck thread is left to finish alone; the library is ready again.
  REQUIRE(api.Init(bassmod::kDeviceNoSound, 44100, 0));
  api.Free();
}

}  // namespace
