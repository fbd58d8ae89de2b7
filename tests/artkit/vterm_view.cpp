#include "vterm_view.h"

#include <vterm.h>

#include <memory>
#include <string>

#include "term/cp437.h"

namespace artkit_test {

namespace {

std::string ToUtf8(std::string_view ansi) {
  std::string out;
  size_t i = 0;
  while (i < ansi.size() && ansi[i] != '\x1a') {
    uint8_t b = static_cast<uint8_t>(ansi[i]);
    if (b == 0x1b && i + 1 < ansi.size() && ansi[i + 1] == '[') {
      size_t end = i + 2;
      while (end < ansi.size() && (ansi[end] < 0x40 || ansi[end] > 0x7e)) ++end;
      out.append(ansi.substr(i, end + 1 - i));
      i = end + 1;
      continue;
    }
    if (b == '\r' || b == '\n') {
      out += static_cast<char>(b);
    } else {
      out.append(Cp437ToUtf8(b));
    }
    ++i;
  }
  return out;
}

int PcColour(const VTermColor& c, bool background) {
  if (background ? VTERM_COLOR_IS_DEFAULT_BG(&c) : VTERM_COLOR_IS_DEFAULT_FG(&c)) return background ? 0 : 7;
  static constexpr int kAnsiToPc[8] = {0, 4, 2, 6, 1, 5, 3, 7};
  return kAnsiToPc[c.indexed.idx & 7];
}

}  // namespace

artkit::Canvas TerminalView(std::string_view ansi, int cols, int rows) {
  return TerminalViewUtf8(ToUtf8(ansi), cols, rows);
}

artkit::Canvas TerminalViewUtf8(std::string_view bytes, int cols, int rows) {
  std::unique_ptr<VTerm, void (*)(VTerm*)> vt(vterm_new(rows, cols), vterm_free);
  vterm_set_utf8(vt.get(), 1);
  VTermScreen* screen = vterm_obtain_screen(vt.get());
  vterm_screen_reset(screen, 1);
  vterm_input_write(vt.get(), bytes.data(), bytes.size());
  artkit::Canvas out(cols, rows);
  for (int y = 0; y < rows; ++y) {
    for (int x = 0; x < cols; ++x) {
      VTermScreenCell cell;
      vterm_screen_get_cell(screen, VTermPos{y, x}, &cell);
      int ch = cell.chars[0] == 0 ? ' ' : UnicodeToCp437(cell.chars[0]);
      int fg = PcColour(cell.fg, false) + (cell.attrs.bold ? 8 : 0);
      int bg = PcColour(cell.bg, true);
      if (cell.attrs.reverse) std::swap(fg, bg);
      out.at(x, y) = artkit::Cell{static_cast<uint8_t>(ch < 0 ? '?' : ch), artkit::Attr(fg, bg)};
    }
  }
  return out;
}

}  // namespace artkit_test
