// The player library's seven entry points as the magazine binds them with dlsym,
// and the values their arguments take. Shared by the library and its users.
#pragma once

#include <cstdint>

namespace bassmod {

using BOOL = std::int32_t;  // TRUE = 1, FALSE = 0
using DWORD = std::uint32_t;

using InitFn = BOOL (*)(int device, DWORD freq, DWORD flags);
using MusicLoadFn = BOOL (*)(BOOL mem, const void* file, DWORD offset, DWORD length, DWORD flags);
using MusicPlayFn = BOOL (*)();
using MusicFreeFn = void (*)();
using FreeFn = void (*)();
using SetVolumeFn = BOOL (*)(DWORD volume);
using GetVolumeFn = int (*)();

inline constexpr const char* kInitName = "BASSMOD_Init";
inline constexpr const char* kFreeName = "BASSMOD_Free";
inline constexpr const char* kMusicLoadName = "BASSMOD_MusicLoad";
inline constexpr const char* kMusicPlayName = "BASSMOD_MusicPlay";
inline constexpr const char* kMusicFreeName = "BASSMOD_MusicFree";
inline constexpr const char* kSetVolumeName = "BASSMOD_SetVolume";
inline constexpr const char* kGetVolumeName = "BASSMOD_GetVolume";

// Devices for Init.
inline constexpr int kDeviceDefault = -1;  // ALSA "default"
inline constexpr int kDeviceFirst = 0;     // the same device: it is the only one offered
inline constexpr int kDeviceNoSound = -2;  // never touches the audio system
inline constexpr int kDeviceDecode = -3;   // treated like kDeviceNoSound

// Music flags for MusicLoad.
inline constexpr DWORD kMusicRamp = 1;             // normal volume ramping
inline constexpr DWORD kMusicRampSensitive = 2;    // sensitive volume ramping
inline constexpr DWORD kMusicLoop = 4;             // loop the tune for ever
inline constexpr DWORD kMusicFt2Mod = 16;          // play MOD like FastTracker 2
inline constexpr DWORD kMusicPt1Mod = 32;          // play MOD like ProTracker 1
inline constexpr DWORD kMusicPositionReset = 256;  // stop all notes when the position moves
inline constexpr DWORD kMusicSurround = 512;
inline constexpr DWORD kMusicSurround2 = 1024;
inline constexpr DWORD kMusicStopBack = 2048;  // stop on a backwards jump
inline constexpr DWORD kMusicCalcLength = 8192;
inline constexpr DWORD kMusicNoInterpolation = 16384;

// What the magazine passes: sensitive ramping, loop, position reset, surround.
inline constexpr DWORD kMagazineMusicFlags = 0x306;

inline constexpr DWORD kMaxVolume = 100;

}  // namespace bassmod
