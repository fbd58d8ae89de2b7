#include <stdexcept>

#include "tools/artkit/ansi_encoder.h"

namespace artkit {

std::string EncodePlain(const Canvas& c) {
  if (c.width() > 80) throw std::invalid_argument("artkit: canvas wider than 80 columns");
  std::string out = "\x0c";
  bool prevFull = false;
  for (int y = 0; y < c.height(); ++y) {
    if (y > 0 && !prevFull) out += '\n';
    int len = c.width();
    while (len > 0 && c.at(len - 1, y).ch == ' ') --len;
    if (prevFull && len == 0) len = 1;  // the glyph that performs the pending wrap
    for (int x = 0; x < len; ++x) {
      uint8_t ch = c.at(x, y).ch;
      if (IsForbiddenGlyph(ch)) {
        throw std::invalid_argument("artkit: cell (" + std::to_string(x) + "," + std::to_string(y) +
                                    ") holds forbidden byte " + std::to_string(ch));
      }
      out += static_cast<char>(ch);
    }
    prevFull = len == 80;
  }
  if (size_t at = FindPipeCode(out); at != std::string::npos) {
    throw std::invalid_argument("artkit: plain text holds a pipe colour code at byte " + std::to_string(at));
  }
  return out;
}

}  // namespace artkit
