#include <gtest/gtest.h>

#include <stdexcept>

#include "artkit/ansi_encoder.h"
#include "artkit/sgr.h"

namespace artkit {
namespace {

const std::string kHome = "\x1b[0m\x1b[H";
const std::string kEnd = "\x1b[0m";

Canvas Row(std::initializer_list<Cell> cells, int width = 0) {
  Canvas c(width ? width : static_cast<int>(cells.size()), 1);
  int x = 0;
  for (const Cell& cell : cells) c.at(x++, 0) = cell;
  return c;
}

TEST(Sgr, ShortestSequenceBetweenAttributes) {
  struct Case { uint8_t from, to; const char* want; } cases[] = {
      {0x07, 0x07, ""},
      {0x07, 0x0F, "\x1b[1m"},
      {0x0F, 0x07, "\x1b[0m"},              // no bold-off: reset
      {0x0C, 0x04, "\x1b[0;31m"},           // bright red to red
      {0x1F, 0x1E, "\x1b[33m"},             // bright stays bright
      {0x07, 0x17, "\x1b[44m"},
      {0x14, 0x07, "\x1b[0m"},              // reset is shorter than 37;40
      {0x07, 0x6E, "\x1b[1;33;43m"},
      {0x4E, 0x01, "\x1b[0;34m"},
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
      {Row({{'A', 0x07}}), Home::Clear, "\x1b[0m\x1b[2J\x1b[HA"},
      // A space only shows its background, a full block only its foreground.
      {Row({{'A', 0x0E}, {' ', 0x00}, {'B', 0x0E}}), Home::CursorHome, kHome + "\x1b[1;33mA B"},
      {Row({{'A', 0x0C}, {' ', 0x10}, {'B', 0x1C}}), Home::CursorHome, kHome + "\x1b[1;31mA\x1b[44m B"},
      {Row({{0xDF, 0x1E}, {0xDB, 0x0E}, {0xDC, 0x1E}}), Home::CursorHome, kHome + "\x1b[1;33;44m\xdf\xdb\xdc"},
      // Look-ahead: one sequence before the space sets what the letter after it needs too.
      {Row({{' ', 0x40}, {'A', 0x4E}}), Home::CursorHome, kHome + "\x1b[1;33;41m A"},
      {Row({{'|', 7}, {'1', 7}, {'5', 7}, {'|', 7}, {'2', 7}, {'4', 7}}), Home::CursorHome, kHome + "|1\x1b[37m5|24"},
  };
  for (const auto& c : cases) EXPECT_EQ(EncodeAnsi(c.canvas, c.home), c.want + kEnd);
}

TEST(EncodeAnsi, LineBreaksFollowTheRowsThatNeedThem) {
  Canvas c(80, 4);
  c.fill(0, 0, 80, 1, Cell{'x', 0x07});  // full row: the terminal wraps by itself
  // row 1 stays empty: after a full row it still needs one glyph to wrap
  c.put(0, 2, "ab  ", 0x07);             // trailing blanks trimmed
  c.put(0, 3, "c", 0x07);                // last row: no line break after it
  EXPECT_EQ(EncodeAnsi(c, Home::CursorHome), kHome + std::string(80, 'x') + " \r\nab\r\nc" + kEnd);
}

TEST(EncodeAnsi, NeverWritesAPipeCodeAcrossTheWrapOfAFullRow) {
  Canvas wrap(80, 2);
  wrap.put(79, 0, "|", 0x0F);
  wrap.put(0, 1, "07", 0x0F);
  EXPECT_EQ(FindPipeCode(EncodeAnsi(wrap, Home::Clear)), std::string::npos);
}

TEST(EncodeAnsi, RejectsWhatCannotBeDrawn) {
  for (uint8_t bad : {0x00, 0x07, 0x08, 0x09, 0x0A, 0x0B, 0x0C, 0x0D, 0x0E, 0x0F, 0x1A, 0x1B, 0x7F}) {
    EXPECT_THROW(EncodeAnsi(Row({{'a', 7}, {bad, 7}}), Home::Clear), std::invalid_argument) << int(bad);
    EXPECT_THROW(EncodePlain(Row({{bad, 7}})), std::invalid_argument) << int(bad);
  }
  for (uint8_t ok : {0x01, 0x06, 0x10, 0x1C, 0x7C, 0x80, 0xFF}) {
    EXPECT_NO_THROW(EncodeAnsi(Row({{ok, 7}}), Home::Clear)) << int(ok);
  }
  EXPECT_THROW(EncodeAnsi(Row({{'a', 0x87}}), Home::Clear), std::invalid_argument);  // blink
  EXPECT_THROW(EncodeAnsi(Canvas(81, 1), Home::Clear), std::invalid_argument);
}

TEST(EncodePlain, FormFeedRowsAndTheLineBreakRule) {
  Canvas c(80, 4);
  c.put(0, 0, "ab  ", 0x1F);
  c.fill(0, 1, 80, 1, Cell{'=', 7});
  c.put(0, 3, "z", 7);
  EXPECT_EQ(EncodePlain(c), "\x0c" "ab\n" + std::string(80, '=') + " \nz");
  EXPECT_THROW(EncodePlain(Row({{'|', 7}, {'0', 7}, {'0', 7}})), std::invalid_argument);
  EXPECT_NO_THROW(EncodePlain(Row({{'|', 7}, {'2', 7}, {'4', 7}})));
}

}  // namespace
}  // namespace artkit
