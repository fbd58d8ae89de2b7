#include "drawing.h"

#include <algorithm>
#include <cstring>

void Draw(std::string_view art, int pace, const DisplayKeys& keys) {
  size_t at = 0;
  AnsiSource source([&](uint8_t* buf, int cap) {
    const size_t n = std::min(static_cast<size_t>(cap), art.size() - at);
    std::memcpy(buf, art.data() + at, n);
    at += n;
    return static_cast<int>(n);
  });
  DrawAnsi(source, pace, keys);
}
