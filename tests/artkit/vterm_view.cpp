#include "vterm_view.h"

#include <string>

#include "term/cp437.h"
#include "tests/e2e/harness/vt_screen.h"

namespace artkit_test {

artkit::Canvas TerminalView(std::string_view bytes, bool file) {
  std::string fed(file ? "" : bytes);
  for (size_t i = 0; file && i < bytes.size() && bytes[i] != '\x1a'; ++i) {
    const auto b = static_cast<uint8_t>(bytes[i]);
    if (b == 0x1b && i + 1 < bytes.size() && bytes[i + 1] == '[') {  // a control sequence, as it is
      size_t end = i + 2;
      while (end < bytes.size() && (bytes[end] < 0x40 || bytes[end] > 0x7e)) ++end;
      fed.append(bytes.substr(i, end + 1 - i));
      i = end;
    } else {
      fed += b == '\r' || b == '\n' ? std::string_view(&bytes[i], 1) : Cp437ToUtf8(b);
    }
  }
  rodi::e2e::VtScreen vt(80, 25, true);
  vt.Feed(fed);
  artkit::Canvas out(80, 25);
  for (int y = 0; y < 25; ++y)
    for (int x = 0; x < 80; ++x) {
      const rodi::e2e::CellInfo c = vt.Cell(x + 1, y + 1);
      const int ch = UnicodeToCp437(c.ch);
      out.at(x, y) = artkit::Cell{static_cast<uint8_t>(ch < 0 ? '?' : ch),
                                  c.reverse ? artkit::Attr(c.bg, c.fg) : artkit::Attr(c.fg, c.bg)};
    }
  return out;
}

}  // namespace artkit_test
