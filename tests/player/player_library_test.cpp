// The player library loaded with dlopen, as the magazine loads it. ALSA's "default"
// device is a file sink, so the test hears what the library played. Each case runs in
// a child of its own (ALSA reads its configuration once per process); REQUIRE reports
// on standard error, which must otherwise stay empty: the library never prints.
#include <dlfcn.h>
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <libopenmpt/libopenmpt.h>
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
std::string UseFileSink(const std::string& name) {
  const fs::path home = fs::path(RODI_BINARY_DIR) / "player-test" / (name + "-" + std::to_string(getpid()));
  fs::remove_all(home);
  fs::create_directories(home);
  const std::string sink = (home / "out.raw").string();
  std::ofstream(home / ".asoundrc") << "pcm.!default {\n  type file\n  slave.pcm \"null\"\n  file \"" << sink
                                    << "\"\n  format \"raw\"\n}\n";
  setenv("HOME", home.c_str(), 1);
  unsetenv("ALSA_CONFIG_PATH");
  unsetenv("XDG_CONFIG_HOME");
  return sink;
}

std::string WriteFile(const std::string& name, const std::vector<std::uint8_t>& bytes) {
  const fs::path path = fs::path(getenv("HOME")) / name;
  std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), bytes.size());
  return path.string();
}

std::vector<std::int16_t> ReadSamples(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::vector<char> bytes{std::istreambuf_iterator<char>(in), {}};
  std::vector<std::int16_t> samples(bytes.size() / 2);
  std::memcpy(samples.data(), bytes.data(), samples.size() * 2);
  return samples;
}

// libopenmpt's own render of the tune: looped, default ramping, without dither.
std::vector<std::int16_t> Reference(const std::vector<std::uint8_t>& tune, std::size_t frames) {
  openmpt_module* mod = openmpt_module_create_from_memory2(tune.data(), tune.size(), openmpt_log_func_silent,
                                                            nullptr, nullptr, nullptr, nullptr, nullptr, nullptr);
  REQUIRE(mod != nullptr);
  openmpt_module_set_repeat_count(mod, -1);
  openmpt_module_ctl_set_integer(mod, "dither", 0);
  std::vector<std::int16_t> out(frames * 2);
  for (std::size_t done = 0; done < frames;) {
    const std::size_t n = openmpt_module_read_interleaved_stereo(mod, 44100, std::min<std::size_t>(1024, frames - done),
                                                                 out.data() + 2 * done);
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

  REQUIRE(api.MusicLoad(0, tunePath.c_str(), 0, 0, bassmod::kMagazineMusicFlags));
  REQUIRE(api.MusicPlay());
  std::this_thread::sleep_for(1s);
  // Real-time pace: one second is 176,400 bytes, plus a lead of at most a quarter second.
  const std::size_t grown = fs::file_size(sink);
  REQUIRE(grown > 100'000 && grown < 400'000);

  REQUIRE(Timed(api.MusicFree) < 1s);
  const std::size_t stopped = fs::file_size(sink);
  std::this_thread::sleep_for(200ms);
  REQUIRE(fs::file_size(sink) == stopped);
  REQUIRE(!api.MusicPlay());

  const std::vector<std::int16_t> captured = ReadSamples(sink);
  REQUIRE(captured.size() >= 2 * 44100 / 2);
  REQUIRE(captured == Reference(tune, captured.size() / 2));

  // At volume 0 the device goes on taking frames, all of them silent.
  REQUIRE(!api.SetVolume(101));
  REQUIRE(api.SetVolume(0) && api.GetVolume() == 0);
  REQUIRE(api.MusicLoad(1, tune.data(), 0, tune.size(), bassmod::kMagazineMusicFlags));
  REQUIRE(api.MusicPlay());
  std::this_thread::sleep_for(400ms);
  api.MusicFree();
  const std::vector<std::int16_t> after = ReadSamples(sink);
  REQUIRE(after.size() > captured.size() + 2 * 44100 / 4);
  REQUIRE(std::all_of(after.begin() + static_cast<std::ptrdiff_t>(captured.size()), after.end(),
                      [](std::int16_t v) { return v == 0; }));
  REQUIRE(Timed(api.Free) < 1s);
  REQUIRE(api.GetVolume() == -1);
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

}  // namespace
