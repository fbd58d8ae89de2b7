// One fuzz input through the interpreter: a start position, attribute and
// pace, keys pressed while drawing, and the art. Aborts when the drawing
// leaves the cursor off the screen or touches the image's rows 26-50.
#pragma once
#include <cstddef>
#include <cstdint>

// The engine writes here (/dev/null); the fuzz binaries' write seam checks it.
inline constexpr int kFuzzOutFd = 90;

void FuzzAnsi(const uint8_t* data, size_t size);
