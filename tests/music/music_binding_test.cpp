// The magazine's side of the player library: what it prints, which entry points
// it calls and in what order, against stand-in libraries that record each call.
#include <dlfcn.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "content/music.h"
#include "content/resources.h"
#include "tests/support/console_fixture.h"

namespace {

namespace fs = std::filesystem;

class MusicBinding : public testing::Test {
 protected:
  void SetUp() override {
    fs::remove_all(dir_);
    fs::create_directories(dir_);
    Silent = NoMusic = PlayingMusic = false;  // as in a fresh magazine
    SoundFile.clear();
  }
  void TearDown() override {
    ReleaseMusic();
    if (fake_) dlclose(fake_);
    fs::remove_all(dir_);
  }

  // Binds the stand-in lacking `missing` (none when empty), opened before the
  // magazine opens it, so that its record outlives the magazine's dlclose. The
  // magazine loads `file` instead when one is given.
  void Bind(const std::string& missing, bool initWorks = true, bool loadWorks = true, std::string file = "") {
    library_ = RODI_FAKE_DIR "/libfake_bassmod" + (missing.empty() ? "" : "_no_" + missing) + ".so";
    fake_ = dlopen(library_.c_str(), RTLD_NOW);
    ASSERT_NE(fake_, nullptr) << dlerror();
    calls_ = reinterpret_cast<const char* (*)()>(dlsym(fake_, "FakeCalls"));
    reinterpret_cast<void (*)(int, int)>(dlsym(fake_, "FakeReset"))(initWorks, loadWorks);
    LoadSoundLibrary(file.empty() ? library_ : file, Dir());
  }
  std::string Dir() const { return dir_.string() + "/"; }
  std::string Calls() const { return calls_(); }
  std::string Line(int row) const { return console_.Row(row).erase(console_.Row(row).find_last_not_of(' ') + 1); }
  std::string LoadCall() const { return "MusicLoad(0," + Dir() + "music.mod,0,0,774)"; }
  // The tune file the magazine wrote is the named resource.
  void ExpectTune(const char* name) const {
    std::ifstream in(dir_ / "music.mod", std::ios::binary);
    const auto want = *FindResource(name);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}),
              std::string(reinterpret_cast<const char*>(want.data()), want.size()));
  }

  ConsoleOnPipes console_;
  fs::path dir_ = fs::path(RODI_BINARY_DIR) / "music-test" / std::to_string(getpid());
  std::string library_;
  void* fake_ = nullptr;
  const char* (*calls_)() = nullptr;
};

// A library the magazine cannot use: a stand-in lacking one entry point, or ("") a file that is no library.
class Unusable : public MusicBinding, public testing::WithParamInterface<const char*> {};

TEST_P(Unusable, SaysWhyCountsAsNotLoadableAndNothingIsEverCalled) {
  const std::string missing = GetParam(), junk = Dir() + "bassmod.so";
  if (missing.empty()) std::ofstream(junk) << "not a shared library";
  Bind(missing, true, true, missing.empty() ? junk : "");
  EXPECT_EQ(Line(1), "Error loading DLL");
  const std::string why = missing.empty() ? junk : "entry point " + missing + " not found in " + library_;
  EXPECT_NE((Line(2) + Line(3)).find(why), std::string::npos) << Line(2);
  EXPECT_TRUE(NoMusic);
  PlayPauseMusic();
  PlayMusicFile("music2");
  PlayPauseMusic();
  EXPECT_FALSE(PlayingMusic);
  EXPECT_FALSE(ReleaseMusic()) << "the exit must say something went wrong";
  EXPECT_EQ(Calls(), "");
  EXPECT_FALSE(fs::exists(dir_ / "music.mod"));
}

INSTANTIATE_TEST_SUITE_P(EachOfSevenOrNone, Unusable,
                         testing::Values("", "BASSMOD_Init", "BASSMOD_Free", "BASSMOD_MusicLoad", "BASSMOD_MusicPlay",
                                         "BASSMOD_MusicFree", "BASSMOD_SetVolume", "BASSMOD_GetVolume"),
                         [](const testing::TestParamInfo<const char*>& info) {
                           return std::string(*info.param ? info.param : "NoLibraryAtAll");
                         });

TEST_F(MusicBinding, InitFailureFallsBackToNoSoundThenShutsDown) {
  Bind("", /*initWorks=*/false);
  EXPECT_EQ(Line(1), "Init failed");
  EXPECT_EQ(Line(2), "");
  EXPECT_TRUE(NoMusic);
  PlayPauseMusic();
  PlayMusicFile("music3");
  EXPECT_FALSE(ReleaseMusic());
  EXPECT_EQ(Calls(), "Init(-1,44100,0) Init(-2,44100,0) MusicFree Free") << "nothing is called after the shut-down";
}

TEST_F(MusicBinding, StartsTheFirstTuneTogglesAndReleasesOnce) {
  Bind("");
  EXPECT_EQ(Line(1), "") << "nothing printed when the library works";
  EXPECT_FALSE(NoMusic);
  EXPECT_TRUE(PlayingMusic);
  const std::string play = " MusicFree " + LoadCall() + " MusicPlay";
  EXPECT_EQ(Calls(), "Init(-1,44100,0)" + play);
  ExpectTune("music1");
  PlayPauseMusic();
  EXPECT_FALSE(PlayingMusic);
  PlayPauseMusic();
  EXPECT_TRUE(PlayingMusic);
  PlayMusicFile("music4");
  ExpectTune("music4");
  EXPECT_EQ(Calls(), "Init(-1,44100,0)" + play + " MusicFree " + LoadCall() + " MusicPlay" + play);
  EXPECT_TRUE(ReleaseMusic());
  EXPECT_TRUE(ReleaseMusic()) << "a second release is no failure";
  EXPECT_TRUE(Calls().ends_with(play + play + " MusicFree Free")) << "released twice: " << Calls();
}

TEST_F(MusicBinding, ATuneThatFailsToLoadLeavesTheMusicStoppedUntilTheToggleRetries) {
  Bind("", /*initWorks=*/true, /*loadWorks=*/false);
  EXPECT_FALSE(NoMusic);
  EXPECT_FALSE(PlayingMusic);
  PlayPauseMusic();
  EXPECT_EQ(Calls(), "Init(-1,44100,0) MusicFree " + LoadCall() + " " + LoadCall())
      << "the toggle loads the tune again, with nothing to stop";
  EXPECT_FALSE(PlayingMusic);
}

}  // namespace
