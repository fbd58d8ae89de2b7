#include <stdexcept>

#include "tools/artkit/ansi_encoder.h"

namespace artkit {

std::string EncodePlain(const Canvas& c) {
  if (c.width() > 80) throw std::invalid_argument("artkit: canvas wider than 80 columns");
  std::string out = "\x0c";
  for (int y = 0; y < c.height(); ++y) {
    if (y > 0) out += '\n';
    // The interpreter wraps on writing column 80, and a line feed after that
    // would skip a row: a twin's rows stop at column 79.
    if (c.width() == 80 && c.at(79, y).ch != ' ') {
      throw std::invalid_argument("artkit: plain row " + std::to_string(y + 1) + " reaches column 80");
    }
    int len = c.width();
    while (len > 0 && c.at(len - 1, y).ch == ' ') --len;
    for (int x = 0; x < len; ++x) {
      uint8_t ch = c.at(x, y).ch;
      if (IsForbiddenGlyph(ch)) {
        throw std::invalid_argument("artkit: cell (" + std::to_string(x) + "," + std::to_string(y) +
                                    ") holds forbidden byte " + std::to_string(ch));
      }
      out += static_cast<char>(ch);
    }
  }
  if (size_t at = FindPipeCode(out); at != std::string::npos) {
    throw std::invalid_argument("artkit: plain text holds a pipe colour code at byte " + std::to_string(at));
  }
  return out;
}

}  // namespace artkit
