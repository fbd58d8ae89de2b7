#include "utf8.h"

#include <stdexcept>

namespace screens {

std::u32string DecodeUtf8(std::string_view text) {
  std::u32string out;
  size_t i = 0;
  while (i < text.size()) {
    const auto b = static_cast<unsigned char>(text[i]);
    int extra = 0;
    char32_t c = 0;
    if (b < 0x80) {
      c = b;
    } else if ((b & 0xE0) == 0xC0) {
      extra = 1, c = b & 0x1F;
    } else if ((b & 0xF0) == 0xE0) {
      extra = 2, c = b & 0x0F;
    } else if ((b & 0xF8) == 0xF0) {
      extra = 3, c = b & 0x07;
    } else {
      throw std::runtime_error("bad UTF-8 lead byte");
    }
    for (int k = 1; k <= extra; ++k) {
      if (i + k >= text.size()) throw std::runtime_error("truncated UTF-8 sequence");
      const auto cb = static_cast<unsigned char>(text[i + k]);
      if ((cb & 0xC0) != 0x80) throw std::runtime_error("bad UTF-8 continuation byte");
      c = (c << 6) | (cb & 0x3F);
    }
    out.push_back(c);
    i += 1 + extra;
  }
  return out;
}

}  // namespace screens
