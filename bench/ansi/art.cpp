#include "art.h"

#include <cstdint>

#include "term/cp437.h"

namespace {

// A small fixed generator, so that every run draws the same picture.
class Lcg {
 public:
  uint32_t Next(uint32_t bound) {
    state_ = state_ * 1664525u + 1013904223u;
    return (state_ >> 8) % bound;
  }

 private:
  uint32_t state_ = 20261206u;
};

}  // namespace

std::string MakeArt(size_t minBytes) {
  static constexpr char kGlyphs[] = "\xb0\xb1\xb2\xdb\xdc\xdf\xdd\xde\xc4\xcd\xba";
  Lcg rng;
  std::string art;
  while (art.size() < minBytes) {
    art += "\x1b[0m\x1b[2J\x1b[1;1H";
    for (int row = 1; row <= 24; ++row) {
      int col = 1;
      while (col < 79) {
        if (rng.Next(10) == 0) {
          const int skip = 1 + static_cast<int>(rng.Next(4));
          art += "\x1b[" + std::to_string(skip) + "C";
          col += skip;
          continue;
        }
        art += "\x1b[0;" + std::string(rng.Next(2) ? "1;" : "") + "3" +
               std::to_string(rng.Next(8)) + ";4" + std::to_string(rng.Next(8)) + "m";
        const int run = 2 + static_cast<int>(rng.Next(7));
        for (int i = 0; i < run && col < 79; ++i, ++col) {
          art += rng.Next(5) == 0 ? static_cast<char>('a' + rng.Next(26))
                                  : kGlyphs[rng.Next(sizeof kGlyphs - 1)];
        }
      }
      art += "\x1b[0m\r\n";
    }
  }
  return art + kEndMark;
}

std::string ToUtf8(const std::string& art) { return HighBytesToUtf8(art); }
