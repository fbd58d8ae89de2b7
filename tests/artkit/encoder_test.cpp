#include <gtest/gtest.h>

#include <stdexcept>

#include "tools/artkit/ansi_encoder.h"
#include "tools/artkit/sgr.h"

namespace artkit {
namespace {

const std::string kHome = "\x1b[0m\x1b[H";
const std::string kEnd = "\x1b[0m";

Canvas Row(std::initializer_list<Cell> cells) {
  Canvas c(static_cast<int>(cells.size()), 1);
  int x = 0;
  for (const Cell& cell : cells) c.at(x++, 0) = cell;
  return c;
}

TEST(Sgr, ShortestSequenceBetweenAttributes) {
  struct Case { uint8_t from, to; const char* want; } cases[] = {
      {0x07, 0x0F, "\x1b[1m"},
      {0x0F, 0x07, "\x1b[0m"},              // no bold-off: reset
      {0x0C, 0x04, "\x1b[0;31m"},           // bright red to red
      {0x1F, 0x1E, "\x1b[33m"},             // bright stays bright
      {0x14, 0x07, "\x1b[0m"},              // reset is shorter than 37;40
      {0x07, 0x6E, "\x1b[1;33;43m"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(SgrSequence(c.from, c.to), c.want) << int(c.from) << " -> " << int(c.to);
  }
}

TEST(EncodeAnsi, HomeOrClearColoursAndReset) {
  const struct {
    Canvas canvas;
    Home home;
    std::string want;  // between the start and the final reset
  } cases[] = {
      {Row({{'A', 0x07}}), Home::CursorHome, kHome + "A"},
      // A space only shows its background, a full block only its foreground.
      {Row({{'A', 0x0E}, {' ', 0x00}, {'B', 0x0E}}), Home::CursorHome, kHome + "\x1b[1;33mA B"},
      {Row({{0xDF, 0x1E}, {0xDB, 0x0E}, {0xDC, 0x1E}}), Home::CursorHome, kHome + "\x1b[1;33;44m\xdf\xdb\xdc"},
      // Look-ahead: one sequence before the space sets what the letter after it needs too.
      {Row({{' ', 0x40}, {'A', 0x4E}}), Home::CursorHome, kHome + "\x1b[1;33;41m A"},
      {Row({{'|', 7}, {'1', 7}, {'5', 7}, {'|', 7}, {'2', 7}, {'4', 7}}), Home::CursorHome, kHome + "|1\x1b[37m5|24"},
  };
  for (const auto& c : cases) EXPECT_EQ(EncodeAnsi(c.canvas, c.home), c.want + kEnd);
}

TEST(EncodeAnsi, NeverWritesAPipeCodeAcrossTheWrapOfAFullRow) {
  Canvas wrap(80, 2);
  wrap.Put(79, 0, "|", 0x0F);
  wrap.Put(0, 1, "07", 0x0F);
  EXPECT_EQ(FindPipeCode(EncodeAnsi(wrap, Home::Clear)), std::string::npos);
}

TEST(EncodePlain, OneLfPerRowButTheLastAndNothingInColumn80) {
  Canvas two(80, 3);
  two.Put(0, 0, "ab", 7);
  two.Put(78, 2, "z", 7);
  EXPECT_EQ(EncodePlain(two), "\fab\n\n" + std::string(78, ' ') + "z");
  two.Put(79, 1, "x", 7);  // the wrap there plus the LF would skip row 3
  EXPECT_THROW(EncodePlain(two), std::invalid_argument);
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
