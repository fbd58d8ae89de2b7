// Byte-level checks of the MOD encoding: where the fields sit, and what MOD cannot
// store folded into what it can. The XM encoding is checked by loading the committed
// tunes and regenerating them byte for byte (tunes_test.cpp).
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "tools/tracker/mod_writer.h"

using namespace tracker;
using Bytes = std::vector<std::uint8_t>;

TEST(ModLayout, HeaderSamplesAndCells) {
  Module m;
  m.format = Format::Mod;
  m.patterns.emplace_back(64, 4);
  m.orders = {0};
  Sample s;
  s.bits = 8;
  s.data = {0, 100, -100, 100, 50, -50};
  s.loop = Loop::Forward;
  s.loopStart = 2;
  s.loopLength = 4;
  m.instruments.resize(17, Instrument{"square", {s}, {}, {}, {}, 0});
  m.instruments[0].samples[0].relativeNote = 12;     // folded into the note: C-5
  m.patterns[0].at(0, 0) = {49, 17, 0, 0x0A, 0x12};  // C-4, sample 17, A12
  m.patterns[0].at(1, 2) = {kKeyOff, 0, 0, 0, 0};
  m.patterns[0].at(2, 3) = {49, 1, 0x30, 0, 0};      // volume 32
  const Bytes b = WriteMod(m);

  // Title, names, song length and tag reach the loaders (tunes_test.cpp).
  // Sample 1: 6 frames plus the leading zero word = 4 words; the loop moves with that word.
  const auto be16 = [&](std::size_t at) { return b[at] << 8 | b[at + 1]; };
  EXPECT_EQ(be16(42), 4);
  EXPECT_EQ(b[45], 64);
  EXPECT_EQ(be16(46), 2);
  EXPECT_EQ(be16(48), 2);
  const auto cell = [&](int row, int ch) {
    const auto at = b.begin() + 1084 + (row * 4 + ch) * 4;
    return Bytes(at, at + 4);
  };
  EXPECT_EQ(cell(0, 0), (Bytes{0x11, 0xAC, 0x1A, 0x12}));  // 428 = 0x1AC, sample 0x11
  EXPECT_EQ(cell(1, 2), (Bytes{0x00, 0x00, 0x0C, 0x00})) << "key-off becomes C00";
  EXPECT_EQ(cell(2, 3), (Bytes{0x00, 0xD6, 0x1C, 0x20})) << "relative note and volume folded in";
  // Sample data: the zero word, then the frames as signed bytes.
  const std::size_t data = 1084 + 64 * 16;
  EXPECT_EQ(Bytes(b.begin() + data, b.begin() + data + 8), (Bytes{0, 0, 0, 100, 0x9C, 100, 50, 0xCE}));
  EXPECT_EQ(b.size(), data + 17 * 8);  // every sample: 8 bytes
}
