// Background music: the carried player library bound at start-up, a tune
// started by resource name, the play/stop toggle and the release at exit. Every
// operation returns at once when the magazine is silent or has no music.
#pragma once
#include <string>

extern bool Silent;        // --silent: the library is never written, loaded or released
extern bool NoMusic;       // the library failed to load or start
extern bool PlayingMusic;  // a tune is loaded and playing
extern std::string BassMod;    // dir + "bassmod.so" once written
extern std::string SoundFile;  // dir + "music.mod" once a tune was started

// Writes the library into dir, loads it, binds its entry points, opens the
// default output and starts "music1". Failures print their line on the screen
// and leave the magazine silent.
void BindSoundLibrary(const std::string& dir);

// The same binding for a library already on disk, with tunes written into dir:
// the seam through which tests hand in a library of their own.
void LoadSoundLibrary(const std::string& path, const std::string& dir);

void PlayMusicFile(const std::string& name);

// Stops the tune, or starts the current one again from its beginning.
void PlayPauseMusic();

// Stops the tune and shuts the library down; false when no library was usable.
// Safe to call again.
bool ReleaseMusic();
