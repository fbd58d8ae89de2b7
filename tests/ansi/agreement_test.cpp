// The screen image against a real terminal: libvterm, fed the bytes the engine
// sent in UTF-8 mode, must show the same characters and colours, and the
// cursor in the same place.
#include <gtest/gtest.h>

#include <string>

#include "drawing.h"
#include "harness/vt_screen.h"
#include "term/cp437.h"
#include "tests/support/console_fixture.h"

namespace {

using rodi::e2e::VtScreen;

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

std::string Abandoned() {
  return "\x1b[2;2H\x1b[?7hA\x1b[=5hB\x1bxC\x1b[1 D\x1b[1\x1b[2CE\x1b[\xdb" "F\x1b[1;5~G"
         "\x1b[?25lH\x1b[1|15I\x1b(UJ\x1b[3;3r\x1b[4;4H\x1b[LK\x1b[2@\x1b[1P\x1b[3X";
}

TEST(Terminal, AgreesOnColoursCursorCommandsAbandonedSequencesAndClears) {
  const std::pair<const char*, std::string> arts[] = {
      {"colours", Colours()}, {"cursor", Cursor()}, {"abandoned", Abandoned()},
      {"clears", "\x1b[44mblue\x1b[2J\x1b[5;5Hx\x1b[41m\x0c\x1b[3;3Hy"}};
  for (const auto& [name, art] : arts) {
    ConsoleOnPipes console{Charset::Utf8};
    VtScreen vt{80, 25, true};
    Draw(art);
    vt.Feed(console.TakeOutput());
    int mismatches = 0;
    for (int y = 1; y <= 25; ++y)
      for (int x = 1; x <= 80; ++x) {
        const auto cell = vt.Cell(x, y);
        const char32_t image = Cp437ToUnicode(static_cast<uint8_t>(console.Row(y)[x - 1]));
        if ((cell.ch != image || cell.Attr() != console.Attr(x, y)) && mismatches++ < 10)
          ADD_FAILURE() << name << " cell " << x << "," << y << ": image U+" << std::hex << uint32_t(image)
                        << " attr " << int(console.Attr(x, y)) << ", terminal U+" << uint32_t(cell.ch)
                        << " attr " << cell.Attr();
      }
    EXPECT_EQ(vt.Cursor(), std::make_pair(int(WhereX()), int(WhereY()))) << name << " cursor";
  }
}

}  // namespace
