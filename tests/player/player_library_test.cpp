// The player library loaded with dlopen, as the magazine loads it. ALSA's "default"
// device is a file sink, so the test hears what the library played (the end-to-end
// music test compares it sample for sample). The case runs in a child of its own
// (ALSA reads its configuration once per process); REQUIRE reports on standard
// error, which must otherwise stay empty: the library never prints.
#include <dlfcn.h>
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <unistd.h>

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
using namespace std::chrono_literals;

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
    REQUIRE(library != nullptr && dlsym(library, name) != nullptr);
    return reinterpret_cast<Fn>(dlsym(library, name));
  }
  bassmod::InitFn Init = Get<bassmod::InitFn>(bassmod::kInitName);
  bassmod::FreeFn Free = Get<bassmod::FreeFn>(bassmod::kFreeName);
  bassmod::MusicLoadFn MusicLoad = Get<bassmod::MusicLoadFn>(bassmod::kMusicLoadName);
  bassmod::MusicPlayFn MusicPlay = Get<bassmod::MusicPlayFn>(bassmod::kMusicPlayName);
  bassmod::MusicFreeFn MusicFree = Get<bassmod::MusicFreeFn>(bassmod::kMusicFreeName);
  bassmod::SetVolumeFn SetVolume = Get<bassmod::SetVolumeFn>(bassmod::kSetVolumeName);
  bassmod::GetVolumeFn GetVolume = Get<bassmod::GetVolumeFn>(bassmod::kGetVolumeName);
};

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), {}};
}

void PlaysToTheDefaultDeviceInRealTime() {
  // A fresh HOME whose .asoundrc makes "default" a file sink.
  const fs::path home = fs::path(RODI_BINARY_DIR) / "player-test" / std::to_string(getpid());
  fs::remove_all(home);
  fs::create_directories(home);
  const std::string sink = (home / "out.raw").string(), tunePath = (home / "music.mod").string();
  std::ofstream(home / ".asoundrc") << "pcm.!default {\n  type file\n  slave.pcm \"null\"\n  file \"" << sink
                                    << "\"\n  format \"raw\"\n}\n";
  setenv("HOME", home.c_str(), 1);
  unsetenv("ALSA_CONFIG_PATH");
  unsetenv("XDG_CONFIG_HOME");
  const auto tune = rodi_test::MakeTestMod();
  std::ofstream(tunePath, std::ios::binary).write(reinterpret_cast<const char*>(tune.data()), std::ssize(tune));
  const std::string junk(64, 'x');
  const Api api;
  constexpr auto kFlags = bassmod::kMagazineMusicFlags;

  REQUIRE(api.GetVolume() == -1);
  REQUIRE(!api.MusicLoad(0, tunePath.c_str(), 0, 0, kFlags));
  // No sound (and decoding, taken alike) plays without ever opening ALSA.
  for (int device : {bassmod::kDeviceNoSound, bassmod::kDeviceDecode}) {
    REQUIRE(api.Init(device, 44100, 0));
    REQUIRE(api.MusicLoad(1, tune.data(), 0, tune.size(), kFlags));
    REQUIRE(api.MusicPlay());
    REQUIRE(!api.SetVolume(101) && api.SetVolume(30) && api.GetVolume() == 30);
    std::this_thread::sleep_for(100ms);
    api.MusicFree();
    api.Free();
  }
  REQUIRE(!fs::exists(sink));

  REQUIRE(api.Init(bassmod::kDeviceDefault, 44100, 0));
  REQUIRE(!api.Init(bassmod::kDeviceDefault, 44100, 0));
  REQUIRE(!api.Init(bassmod::kDeviceNoSound, 44100, 0));
  REQUIRE(api.GetVolume() == 100);
  REQUIRE(!api.MusicPlay());
  REQUIRE(!api.MusicLoad(1, junk.data(), 0, junk.size(), kFlags));
  REQUIRE(api.MusicLoad(0, tunePath.c_str(), 0, 0, kFlags));
  REQUIRE(api.MusicPlay());
  std::this_thread::sleep_for(1s);
  // Real-time pace: one second is 176,400 bytes, plus a lead of at most a quarter second.
  REQUIRE(fs::file_size(sink) > 100'000 && fs::file_size(sink) < 400'000);
  api.MusicFree();
  const std::string played = ReadFile(sink);
  REQUIRE(played.find_first_not_of('\0') != std::string::npos);
  std::this_thread::sleep_for(200ms);
  REQUIRE(ReadFile(sink) == played);
  REQUIRE(!api.MusicPlay());
  api.Free();
  REQUIRE(api.GetVolume() == -1);
  fs::remove_all(home);
}

TEST(PlayerLibraryDeathTest, PlaysToTheDefaultDeviceInRealTime) {
  EXPECT_EXIT({ PlaysToTheDefaultDeviceInRealTime(); std::exit(0); }, testing::ExitedWithCode(0), testing::IsEmpty());
}

}  // namespace
