// Shared by the widget tests: a console on pipes, on time that passes without
// sleeping, and the terminal's key bytes.
#pragma once
#include <gtest/gtest.h>

#include <string>

#include "tests/support/console_fixture.h"
#include "widgets/line_editor_settings.h"

namespace keyseq {
inline constexpr const char *Up = "\x1b[A", *Down = "\x1b[B", *Right = "\x1b[C", *Left = "\x1b[D";
inline constexpr const char *Home = "\x1b[H", *End = "\x1b[K", *PgUp = "\x1b[5~", *PgDn = "\x1b[6~";
inline constexpr const char* Esc = "\x1b";  // only last: a following byte would join it
}  // namespace keyseq

class WidgetTest : public ::testing::Test {
 protected:
  WidgetTest() {
    LoChars = "\r";
    HiChars.clear();
  }
  // N cells of image row y from column x.
  std::string Cells(int x, int y, int n) const { return console.Row(y).substr(x - 1, n); }

  ConsoleOnPipes console;
  FakeTime time;
};
