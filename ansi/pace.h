// The pauses of the drawing pace and of the clear transitions. They go through
// one seam so that a test can count them instead of sleeping.
#pragma once
#include <functional>

using PauseFn = std::function<void(int ms)>;

void Pause(int ms);

// Replaces the pause (an empty function brings back the real sleep) and
// returns the one it replaced.
PauseFn SetPause(PauseFn pause);
