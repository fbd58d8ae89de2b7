#include "content/music.h"

#include <dlfcn.h>

#include "bassmod_api.h"
#include "content/resources.h"
#include "term/conio.h"
#include "term/departure.h"

bool Silent = false;
bool NoMusic = false;
bool PlayingMusic = false;
std::string BassMod;
std::string SoundFile;

namespace {

void* hBass = nullptr;
std::string tuneDir;

struct EntryPoints {
  bassmod::InitFn Init = nullptr;
  bassmod::FreeFn Free = nullptr;
  bassmod::MusicLoadFn MusicLoad = nullptr;
  bassmod::MusicPlayFn MusicPlay = nullptr;
  bassmod::MusicFreeFn MusicFree = nullptr;
  bassmod::SetVolumeFn SetVolume = nullptr;
  bassmod::GetVolumeFn GetVolume = nullptr;
};
EntryPoints bass;
bool bound = false;  // loaded, every entry point found, and initialised

// Looks up one entry point; the name of the first missing one is kept.
template <typename Fn>
void Bind(Fn& slot, const char* name, std::string& missing) {
  slot = reinterpret_cast<Fn>(dlsym(hBass, name));
  if (slot == nullptr && missing.empty()) missing = name;
}

void Unload() {
  dlclose(hBass);
  hBass = nullptr;
  bass = EntryPoints{};
}

bool LoadAndPlay() {
  if (!bass.MusicLoad(0, SoundFile.c_str(), 0, 0, bassmod::kMagazineMusicFlags)) return false;
  bass.MusicPlay();
  PlayingMusic = true;
  return true;
}

}  // namespace

void BindSoundLibrary(const std::string& dir) {
  if (Silent) return;
  BassMod = ExtractResFile("bassmodl", dir + "bassmod.so");
  LoadSoundLibrary(BassMod, dir);
}

void LoadSoundLibrary(const std::string& path, const std::string& dir) {
  tuneDir = dir;
  hBass = dlopen(path.c_str(), RTLD_LAZY);
  if (hBass == nullptr) {
    const char* why = dlerror();
    WriteLn("Error loading DLL");
    WriteLn(why ? why : "");
    NoMusic = true;
    return;
  }
  std::string missing;
  Bind(bass.Init, bassmod::kInitName, missing);
  Bind(bass.Free, bassmod::kFreeName, missing);
  Bind(bass.MusicLoad, bassmod::kMusicLoadName, missing);
  Bind(bass.MusicPlay, bassmod::kMusicPlayName, missing);
  Bind(bass.MusicFree, bassmod::kMusicFreeName, missing);
  Bind(bass.SetVolume, bassmod::kSetVolumeName, missing);
  Bind(bass.GetVolume, bassmod::kGetVolumeName, missing);
  if (!missing.empty()) {
    // Never call through a missing entry point: treat the library as not loadable.
    WriteLn("Error loading DLL");
    WriteLn("entry point " + missing + " not found in " + path);
    NoMusic = true;
    Unload();
    return;
  }
  if (!bass.Init(bassmod::kDeviceDefault, 44100, 0)) {
    bass.Init(bassmod::kDeviceNoSound, 44100, 0);
    WriteLn("Init failed");
    NoMusic = true;
    PlayingMusic = false;
    bass.MusicFree();
    bass.Free();
    Unload();
    return;
  }
  bound = true;
  AddDepartureStep([] { ReleaseMusic(); });
  PlayMusicFile("music1");
}

void PlayMusicFile(const std::string& name) {
  if (Silent || NoMusic) return;
  SoundFile = ExtractResFile(name, tuneDir + "music.mod");
  PlayingMusic = false;
  bass.MusicFree();
  LoadAndPlay();
}

void PlayPauseMusic() {
  if (Silent || NoMusic) return;
  if (PlayingMusic) {
    PlayingMusic = false;
    bass.MusicFree();
  } else if (!SoundFile.empty()) {
    LoadAndPlay();
  }
}

bool ReleaseMusic() {
  if (!bound) return !NoMusic;
  bound = false;
  PlayingMusic = false;
  bass.MusicFree();
  bass.Free();
  return true;
}
