// The magazine's shared state, alive for the whole run.
#pragma once
#include <cstdint>
#include <string>

extern std::string Dir;            // the executable's directory, ending in "/"
extern std::string WorkDir;        // where this run's working files go, ending in "/"
extern std::string SaveDir;        // where the gallery's saves go, ending in "/" (Dir when writable)
extern std::string Ascii;          // "" or "_asc": suffix of the screens with a plain twin
extern int32_t Wait;               // drawing pace handed to the ANSI interpreter
extern bool TrackBox;              // the track box is open
extern std::string CurrentScreen;  // the ANSI file of the screen showing, for repaints
