// The seven exported entry points and the library's one state. Nothing but these
// symbols is visible outside the library, and no exception leaves them.
#include <chrono>
#include <memory>
#include <mutex>
#include <type_traits>

#include "alsa_output.h"
#include "bassmod_api.h"
#include "module.h"
#include "player.h"

using bassmod::BOOL;
using bassmod::DWORD;
using rodi::player::AlsaOutput;
using rodi::player::Module;
using rodi::player::Player;

namespace {

constexpr BOOL kTrue = 1, kFalse = 0;
// MusicFree and Free wait no longer than this for the player thread, whatever ALSA does.
constexpr auto kStopBound = std::chrono::milliseconds(80);
constexpr DWORD kMinRate = 8000, kMaxRate = 192000;

struct Library {
  std::mutex mutex;
  bool initialised = false;
  int volume = 100;
  std::unique_ptr<Player> player;  // none on the no-sound devices
  std::unique_ptr<Module> loaded;  // loaded and not yet handed to the player
  bool hasMusic = false;           // a tune is loaded (and maybe playing)

  void FreeMusic() {
    loaded.reset();
    hasMusic = false;
    if (player) player->Stop(kStopBound);
  }
};

// Never destroyed: if the magazine ends without Free, no exit handler tears down a player
// thread and ALSA while the process ends.
Library& Lib() {
  static Library* library = new Library;
  return *library;
}

template <typename Result, typename Body>
Result Guarded(Result onError, Body body) noexcept {
  try {
    return body();
  } catch (...) {
    return onError;
  }
}

}  // namespace

#define RODI_EXPORT extern "C" __attribute__((visibility("default")))

RODI_EXPORT BOOL BASSMOD_Init(int device, DWORD freq,
                              DWORD /*flags: no output options are offered*/) {
  return Guarded(kFalse, [&] {
    Library& lib = Lib();
    std::lock_guard lock(lib.mutex);
    if (lib.initialised || freq < kMinRate || freq > kMaxRate) return kFalse;
    std::unique_ptr<Player> player;
    if (device == bassmod::kDeviceDefault || device == bassmod::kDeviceFirst) {
      std::unique_ptr<AlsaOutput> output = AlsaOutput::Open(freq);
      if (!output) return kFalse;
      player = std::make_unique<Player>(std::move(output), freq, 100);
    } else if (device != bassmod::kDeviceNoSound && device != bassmod::kDeviceDecode) {
      return kFalse;
    }
    // The no-sound devices hold and "play" tunes without rendering them: nothing would hear them.
    lib.player = std::move(player);
    lib.volume = 100;
    lib.initialised = true;
    return kTrue;
  });
}

RODI_EXPORT BOOL BASSMOD_MusicLoad(BOOL mem, const void* file, DWORD offset, DWORD length,
                                   DWORD flags) {
  return Guarded(kFalse, [&] {
    Library& lib = Lib();
    std::lock_guard lock(lib.mutex);
    if (!lib.initialised) return kFalse;
    lib.FreeMusic();  // a load replaces the tune, even when the new one turns out bad
    lib.loaded = mem ? Module::FromMemory(file, length, flags)
                     : Module::FromFile(static_cast<const char*>(file), offset, length, flags);
    lib.hasMusic = lib.loaded != nullptr;
    return lib.hasMusic ? kTrue : kFalse;
  });
}

RODI_EXPORT BOOL BASSMOD_MusicPlay() {
  return Guarded(kFalse, [&] {
    Library& lib = Lib();
    std::lock_guard lock(lib.mutex);
    if (!lib.initialised || !lib.hasMusic) return kFalse;
    if (lib.player && lib.loaded) lib.player->Play(std::move(lib.loaded));
    return kTrue;  // also when it plays already
  });
}

RODI_EXPORT void BASSMOD_MusicFree() {
  Guarded(0, [&] {
    Library& lib = Lib();
    std::lock_guard lock(lib.mutex);
    lib.FreeMusic();
    return 0;
  });
}

RODI_EXPORT void BASSMOD_Free() {
  Guarded(0, [&] {
    Library& lib = Lib();
    std::lock_guard lock(lib.mutex);
    lib.loaded.reset();
    lib.hasMusic = false;
    if (lib.player) lib.player->Shutdown(kStopBound);  // also stops the tune
    lib.player.reset();
    lib.initialised = false;
    return 0;
  });
}

RODI_EXPORT BOOL BASSMOD_SetVolume(DWORD volume) {
  return Guarded(kFalse, [&] {
    Library& lib = Lib();
    std::lock_guard lock(lib.mutex);
    if (!lib.initialised || volume > bassmod::kMaxVolume) return kFalse;
    lib.volume = static_cast<int>(volume);
    if (lib.player) lib.player->SetVolume(lib.volume);
    return kTrue;
  });
}

RODI_EXPORT int BASSMOD_GetVolume() {
  return Guarded(-1, [&] {
    Library& lib = Lib();
    std::lock_guard lock(lib.mutex);
    return lib.initialised ? lib.volume : -1;
  });
}

// The magazine calls through these pointer types: the exports must match them exactly.
static_assert(std::is_same_v<decltype(&BASSMOD_Init), bassmod::InitFn>);
static_assert(std::is_same_v<decltype(&BASSMOD_MusicLoad), bassmod::MusicLoadFn>);
static_assert(std::is_same_v<decltype(&BASSMOD_MusicPlay), bassmod::MusicPlayFn>);
static_assert(std::is_same_v<decltype(&BASSMOD_MusicFree), bassmod::MusicFreeFn>);
static_assert(std::is_same_v<decltype(&BASSMOD_Free), bassmod::FreeFn>);
static_assert(std::is_same_v<decltype(&BASSMOD_SetVolume), bassmod::SetVolumeFn>);
static_assert(std::is_same_v<decltype(&BASSMOD_GetVolume), bassmod::GetVolumeFn>);
