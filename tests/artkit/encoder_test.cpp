#include <gtest/gtest.h>

#include <stdexcept>

#include "tools/artkit/ansi_encoder.h"

namespace artkit {
namespace {

Canvas Row(std::initializer_list<Cell> cells) {
  Canvas c(static_cast<int>(cells.size()), 1);
  int x = 0;
  for (const Cell& cell : cells) c.at(x++, 0) = cell;
  return c;
}

TEST(EncodeAnsi, NeverWritesAPipeCodeAcrossTheWrapOfAFullRow) {
  Canvas wrap(80, 2);
  wrap.Put(79, 0, "|", 0x0F);
  wrap.Put(0, 1, "07", 0x0F);
  EXPECT_EQ(FindPipeCode(EncodeAnsi(wrap, Home::Clear)), std::string::npos);
}

TEST(EncodeAnsi, RejectsWhatCannotBeDrawn) {
  for (uint8_t bad : {0x00, 0x07, 0x08, 0x0A, 0x0C, 0x0D, 0x0E, 0x1A, 0x1B, 0x7F}) {
    EXPECT_THROW(EncodeAnsi(Row({{'a', 7}, {bad, 7}}), Home::Clear), std::invalid_argument) << int(bad);
    EXPECT_THROW(EncodePlain(Row({{bad, 7}})), std::invalid_argument) << int(bad);
  }
  for (uint8_t ok : {0x01, 0x10, 0x1C, 0x7C, 0xFF}) EXPECT_NO_THROW(EncodeAnsi(Row({{ok, 7}}), Home::Clear));
  EXPECT_THROW(EncodeAnsi(Row({{'a', 0x87}}), Home::Clear), std::invalid_argument);  // blink
}

}  // namespace
}  // namespace artkit
