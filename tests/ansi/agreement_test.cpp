// The screen image against a real terminal: libvterm, fed the bytes the engine
// sent in UTF-8 mode, must show the same characters and colours, and the
// cursor in the same place. Where the image and a terminal part by design (a
// cursor report written as text, a line feed or a wrap on row 25, a wrap on
// column 80 followed by CR LF), the test asserts the difference instead.
#include <gtest/gtest.h>

#include <string>

#include "drawing.h"
#include "harness/vt_screen.h"
#include "term/cp437.h"
#include "tests/support/console_fixture.h"

namespace {

using rodi::e2e::VtScreen;

std::string Describe(int x, int y) {
  return "cell " + std::to_string(x) + "," + std::to_string(y);
}

// Draws art on a fresh UTF-8 console and shows the sent bytes on a terminal.
class Terminal : public testing::Test {
 protected:
  void DrawBoth(std::string_view art) {
    Draw(art);
    vt.Feed(console.TakeOutput());
  }

  std::string ImageRow(int y) const {
    std::string row;
    for (int x = 1; x <= 80; ++x) row += rodi::e2e::Utf8(Cp437ToUnicode(console.Row(y)[x - 1]));
    row.erase(row.find_last_not_of(' ') + 1);
    return row;
  }

  // Every cell and the cursor agree.
  void ExpectAgreement() {
    int mismatches = 0;
    for (int y = 1; y <= 25 && mismatches < 10; ++y) {
      for (int x = 1; x <= 80 && mismatches < 10; ++x) {
        const auto cell = vt.Cell(x, y);
        const char32_t image = Cp437ToUnicode(static_cast<uint8_t>(console.Row(y)[x - 1]));
        const int attr = console.Attr(x, y);
        if (cell.ch != image || cell.Attr() != attr) {
          ++mismatches;
          ADD_FAILURE() << Describe(x, y) << ": image U+" << std::hex << uint32_t(image)
                        << " attr " << attr << ", terminal U+" << uint32_t(cell.ch) << " attr "
                        << cell.Attr();
        }
      }
    }
    EXPECT_EQ(vt.Cursor(), std::make_pair(int(WhereX()), int(WhereY()))) << "cursor";
  }

  ConsoleOnPipes console{Charset::Utf8};
  VtScreen vt{80, 25, true};
};

std::string Colours() {
  std::string s;
  for (int bg = 40; bg <= 47; ++bg) {
    for (int fg = 30; fg <= 37; ++fg) {
      s += "\x1b[0;" + std::to_string(fg) + ";" + std::to_string(bg) + "mA\x1b[1mB\x1b[5mC";
      s += "\x1b[7mD\x1b[m ";
    }
    s += "\r\n";
  }
  for (int pipe = 0; pipe <= 23; ++pipe) s += "|" + std::string(pipe < 10 ? "0" : "") + std::to_string(pipe) + "#";
  s += "\r\n\x1b[1;44m|03x|12y|21z\x1b[7mr\x1b[0m\x1b[5;32;41mb|07n|16k\x1b[38;39;2;22mq";
  s += "\r\n\x1b[;mplain\x1b[?mmore\x1b[33;1;45;7mrev|1xbar|24|||14hi";
  return s;
}

std::string Cursor() {
  return "\x1b[5;10Hstart\x1b[2Aup\x1b[3Bdown\x1b[4Cright\x1b[6Dleft\x1b[2Enext"
         "\x1b[20Gcol\x1b[0;0Hhome\x1b[10;300fclamped\x1b[99A\x1b[99Dcorner"
         "\x1b[12;40H\x1b[sx\x1b[20;1Hy\x1b[uz\x1b[15;5Htab\tbed\tx\x1b[15;76H\t!"
         "\x1b[16;3Hback\b\bBA\x1b[17;1H\x0e\x0f" + std::string("a\0b", 3) +
         "\x1b[18;1H0123456789\x1b[18;4H\x1b[K\x1b[19;1H" + std::string(79, '=') +
         "\x1b[19;20H\x1b[Kk\x1b[21;1Hline\nfeed\rcr\r\n|07\nnext\x1b[22;78H\x1b[300C\x1b[0B";
}

std::string Glyphs() {
  std::string s = "\x1b[3;1H";
  int n = 0;
  for (int b = 1; b <= 255; ++b) {
    if (b == 8 || b == 9 || b == 10 || b == 12 || b == 13 || b == 14 || b == 15 || b == 26 ||
        b == 27 || b == '|')
      continue;
    s += static_cast<char>(b);
    if (++n % 64 == 0) s += "\r\n";
  }
  return s + "\r\n|";
}

std::string Abandoned() {
  return "\x1b[2;2H\x1b[?7hA\x1b[=5hB\x1bxC\x1b[1 D\x1b[1\x1b[2CE\x1b[\xdb" "F\x1b[1;5~G"
         "\x1b[?25lH\x1b[1|15I\x1b(UJ\x1b[3;3r\x1b[4;4H\x1b[LK\x1b[2@\x1b[1P\x1b[3X";
}

TEST_F(Terminal, AgreesOnColours) {
  DrawBoth(Colours());
  ExpectAgreement();
}

TEST_F(Terminal, AgreesOnCursorCommandsAndControlBytes) {
  DrawBoth(Cursor());
  ExpectAgreement();
}

TEST_F(Terminal, AgreesOnCp437Glyphs) {
  DrawBoth(Glyphs());
  ExpectAgreement();
}

TEST_F(Terminal, AgreesOnAbandonedAndIgnoredSequences) {
  DrawBoth(Abandoned());
  ExpectAgreement();
}

TEST_F(Terminal, AgreesAfterClearsInColour) {
  DrawBoth("\x1b[44mblue\x1b[2J\x1b[5;5Hx\x1b[41m\x0c\x1b[3;3Hy");
  ExpectAgreement();
}

TEST_F(Terminal, CursorReportIsTextInTheImageOnly) {
  DrawBoth("\x1b[3;5Hab\x1b[6ncd");
  EXPECT_EQ(ImageRow(3), "    ab" + rodi::e2e::Utf8(Cp437ToUnicode(27)) + "[3;7Rcd");
  EXPECT_EQ(vt.Row(3), "    abcd") << "the terminal takes the report as a sequence";
  EXPECT_EQ(WhereX(), 15);
  EXPECT_EQ(vt.Cursor().first, 9);
}

TEST_F(Terminal, LineFeedOnRow25ScrollsTheTerminalOnly) {
  std::string art;
  for (int i = 1; i <= 25; ++i) art += "L" + std::to_string(i) + "\r\n";
  DrawBoth(art + "X");
  EXPECT_EQ(ImageRow(1), "L1");
  EXPECT_EQ(ImageRow(25), "X25");
  EXPECT_EQ(vt.Row(1), "L2");
  EXPECT_EQ(vt.Row(24), "L25");
  EXPECT_EQ(vt.Row(25), "X");
}

TEST_F(Terminal, WrapOnRow25ScrollsTheTerminalOnly) {
  DrawBoth("\x1b[24;1Habove\x1b[25;1H" + std::string(80, '=') + "Y");
  EXPECT_EQ(ImageRow(24), "above");
  EXPECT_EQ(ImageRow(25), "Y" + std::string(79, '='));
  EXPECT_EQ(vt.Row(23), "above");
  EXPECT_EQ(vt.Row(24), std::string(80, '='));
  EXPECT_EQ(vt.Row(25), "Y");
}

TEST_F(Terminal, WrapOnColumn80ThenCrLfSkipsARowInTheImageOnly) {
  DrawBoth(std::string(80, '=') + "\r\nnext");
  EXPECT_EQ(ImageRow(2), "");
  EXPECT_EQ(ImageRow(3), "next");
  EXPECT_EQ(vt.Row(2), "next");
}

}  // namespace
