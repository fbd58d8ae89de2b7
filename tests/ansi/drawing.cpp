#include "drawing.h"

#include <algorithm>
#include <cstring>
#include <fstream>

#include "ansi/ansi_display.h"

void Draw(std::string_view art, int pace) {
  size_t at = 0;
  AnsiSource source([&](uint8_t* buf, int cap) {
    const size_t n = std::min(static_cast<size_t>(cap), art.size() - at);
    std::memcpy(buf, art.data() + at, n);
    at += n;
    return static_cast<int>(n);
  });
  DrawAnsi(source, pace, ConsoleKeys());
}

std::string ArtFile(const std::string& name, std::string_view art) {
  const std::string path = std::string(RODI_BINARY_DIR) + "/ansi_test_" + name + ".ans";
  std::ofstream(path, std::ios::binary) << art;
  return path;
}
