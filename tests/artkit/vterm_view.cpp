#include "vterm_view.h"

#include <string>
#include <utility>

#include "term/cp437.h"
#include "tests/e2e/harness/vt_screen.h"

namespace artkit_test {

artkit::Canvas TerminalView(std::string_view ansi, int cols, int rows) {
  std::string utf8;
  for (size_t i = 0; i < ansi.size() && ansi[i] != '\x1a'; ++i) {
    const auto b = static_cast<uint8_t>(ansi[i]);
    if (b == 0x1b && i + 1 < ansi.size() && ansi[i + 1] == '[') {  // a control sequence, as it is
      size_t end = i + 2;
      while (end < ansi.size() && (ansi[end] < 0x40 || ansi[end] > 0x7e)) ++end;
      utf8.append(ansi.substr(i, end + 1 - i));
      i = end;
    } else {
      utf8 += b == '\r' || b == '\n' ? std::string_view(&ansi[i], 1) : Cp437ToUtf8(b);
    }
  }
  return TerminalViewUtf8(utf8, cols, rows);
}

artkit::Canvas TerminalViewUtf8(std::string_view bytes, int cols, int rows) {
  rodi::e2e::VtScreen vt(cols, rows, true);
  vt.Feed(bytes);
  artkit::Canvas out(cols, rows);
  for (int y = 0; y < rows; ++y) {
    for (int x = 0; x < cols; ++x) {
      const rodi::e2e::CellInfo c = vt.Cell(x + 1, y + 1);
      const int ch = UnicodeToCp437(c.ch);
      out.at(x, y) = artkit::Cell{static_cast<uint8_t>(ch < 0 ? '?' : ch),
                                  c.reverse ? artkit::Attr(c.bg, c.fg) : artkit::Attr(c.fg, c.bg)};
    }
  }
  return out;
}

}  // namespace artkit_test
