#include "utf8.h"

#include <stdexcept>

#include "term/cp437.h"

namespace screens {

std::u32string DecodeUtf8(std::string_view text) {
  std::u32string out;
  size_t i = 0;
  while (i < text.size()) {
    const auto b = static_cast<unsigned char>(text[i]);
    const int length = Utf8Length(b);
    if (length == 0) throw std::runtime_error("bad UTF-8 lead byte");
    char32_t c = Utf8LeadBits(b, length);
    const int extra = length - 1;
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
