// Shared by the widget tests: a console on pipes, on time that passes without
// sleeping, and the terminal's key bytes.
#pragma once
#include <gtest/gtest.h>

#include <string>

#include "tests/support/console_fixture.h"
#include "tests/support/fake_time.h"
#include "widgets/line_editor_settings.h"

namespace keyseq {
inline constexpr const char* Up = "\x1b[A";
inline constexpr const char* Down = "\x1b[B";
inline constexpr const char* Right = "\x1b[C";
inline constexpr const char* Left = "\x1b[D";
inline constexpr const char* Home = "\x1b[H";
inline constexpr const char* End = "\x1b[K";
inline constexpr const char* PgUp = "\x1b[5~";
inline constexpr const char* PgDn = "\x1b[6~";
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
