// The player library loaded with dlopen, as the magazine loads it. ALSA's "default"
// device is a file sink, so the test hears what the library played (the end-to-end
// music test compares it sample for sample). The case is alone in its process, as
// ALSA reads its configuration once per process. Standard error stays empty: the
// library never prints over the magazine's screen.
#include <dlfcn.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <chrono>
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

// The library's entry points, looked up by name as the magazine does.
struct Api {
  void* library = dlopen(RODI_PLAYER_LIB, RTLD_LAZY);
  template <typename Fn>
  Fn Get(const char* name) const {
    EXPECT_TRUE(library != nullptr && dlsym(library, name) != nullptr) << name;
    return library ? reinterpret_cast<Fn>(dlsym(library, name)) : nullptr;
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

TEST(PlayerLibrary, PlaysToTheDefaultDeviceInRealTimeWithoutPrinting) {
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
  testing::internal::CaptureStderr();
  const Api api;
  constexpr auto kFlags = bassmod::kMagazineMusicFlags;

  ASSERT_TRUE(api.GetVolume() == -1);
  ASSERT_FALSE(api.MusicLoad(0, tunePath.c_str(), 0, 0, kFlags));
  // No sound (and decoding, taken alike) plays without ever opening ALSA.
  for (int device : {bassmod::kDeviceNoSound, bassmod::kDeviceDecode}) {
    ASSERT_TRUE(api.Init(device, 44100, 0));
    ASSERT_TRUE(api.MusicLoad(1, tune.data(), 0, tune.size(), kFlags));
    ASSERT_TRUE(api.MusicPlay());
    ASSERT_TRUE(!api.SetVolume(101) && api.SetVolume(30) && api.GetVolume() == 30);
    std::this_thread::sleep_for(100ms);
    api.MusicFree();
    api.Free();
  }
  ASSERT_FALSE(fs::exists(sink));

  ASSERT_TRUE(api.Init(bassmod::kDeviceDefault, 44100, 0));
  ASSERT_FALSE(api.Init(bassmod::kDeviceDefault, 44100, 0));
  ASSERT_FALSE(api.Init(bassmod::kDeviceNoSound, 44100, 0));
  ASSERT_TRUE(api.GetVolume() == 100);
  ASSERT_FALSE(api.MusicPlay());
  ASSERT_FALSE(api.MusicLoad(1, std::string(64, 'x').data(), 0, 64, kFlags));
  ASSERT_TRUE(api.MusicLoad(0, tunePath.c_str(), 0, 0, kFlags));
  ASSERT_TRUE(api.MusicPlay());
  std::this_thread::sleep_for(1s);
  // Real-time pace: one second is 176,400 bytes, plus a lead of at most a quarter second.
  ASSERT_TRUE(fs::file_size(sink) > 100'000 && fs::file_size(sink) < 400'000);
  api.MusicFree();
  const std::string played = ReadFile(sink);
  ASSERT_TRUE(played.find_first_not_of('\0') != std::string::npos);
  std::this_thread::sleep_for(200ms);
  ASSERT_TRUE(ReadFile(sink) == played);
  ASSERT_FALSE(api.MusicPlay());
  api.Free();
  ASSERT_TRUE(api.GetVolume() == -1);
  EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
  fs::remove_all(home);
}

}  // namespace
