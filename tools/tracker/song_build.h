// Turns a parsed tune into a module: renders the instruments, lays the tracks
// into patterns, resolves the order list.
#pragma once

#include "tools/tracker/module.h"
#include "tools/tracker/song_source.h"

namespace tracker {

// Throws std::runtime_error naming the source line on anything inconsistent.
Module BuildModule(const SongSource& s);

}  // namespace tracker
