#include "vt_screen.h"

#include <vterm.h>

#include <stdexcept>

#include "term/cp437.h"

namespace rodi::e2e {

namespace {

// An ANSI palette index (0-15) as a PC colour number: red and blue swap places. The programs tested send no
// colour outside that palette.
int AnsiToPc(const VTermColor& c) {
  const int i = VTERM_COLOR_IS_INDEXED(&c) ? c.indexed.idx : -1;
  return i < 0 || i > 15 ? -1 : (i & 8) + ((i & 1) << 2 | (i & 2) | (i & 4) >> 2);
}

}  // namespace

int CellInfo::Attr() const {
  return fg < 0 || fg > 15 || bg < 0 || bg > 7 ? -1 : fg + 16 * bg + (blink ? 128 : 0);
}

std::string Utf8(char32_t c) {
  std::string s;
  AppendUtf8(s, c);
  return s;
}

VtScreen::VtScreen(int cols, int rows, bool utf8) : cols_(cols), rows_(rows), utf8_(utf8) {
  vt_ = vterm_new(rows, cols);
  if (!vt_) throw std::runtime_error("vterm_new failed");
  vterm_set_utf8(vt_, utf8 ? 1 : 0);
  vterm_output_set_callback(vt_, &VtScreen::OutputThunk, this);
  screen_ = vterm_obtain_screen(vt_);
  vterm_screen_enable_altscreen(screen_, 1);
  vterm_screen_reset(screen_, 1);
}

VtScreen::~VtScreen() { vterm_free(vt_); }

void VtScreen::OutputThunk(const char* s, size_t len, void* user) {
  auto* self = static_cast<VtScreen*>(user);
  if (self->reply_) self->reply_(std::string_view(s, len));
}

void VtScreen::Feed(std::string_view bytes) {
  std::string joined;
  if (utf8_) {
    joined = held_ + std::string(bytes);
    size_t tail = 0;  // an unfinished UTF-8 character at the end is held back
    for (size_t back = 1; back <= 3 && back <= joined.size(); ++back) {
      auto c = static_cast<unsigned char>(joined[joined.size() - back]);
      if ((c & 0xC0) == 0x80) continue;
      tail = (c >= 0xF0 ? 4u : c >= 0xE0 ? 3u : c >= 0xC0 ? 2u : 1u) > back ? back : 0;
      break;
    }
    held_ = joined.substr(joined.size() - tail);
    joined.resize(joined.size() - tail);
    bytes = joined;
  }
  if (!bytes.empty()) vterm_input_write(vt_, bytes.data(), bytes.size());
  vterm_screen_flush_damage(screen_);
}

void VtScreen::Resize(int cols, int rows) {
  cols_ = cols;
  rows_ = rows;
  vterm_set_size(vt_, rows, cols);
}

CellInfo VtScreen::Cell(int col, int row) const {
  CellInfo info;
  if (col < 1 || col > cols_ || row < 1 || row > rows_) return info;
  VTermScreenCell c{};
  VTermPos pos{row - 1, col - 1};
  if (!vterm_screen_get_cell(screen_, pos, &c)) return info;
  info.ch = (c.chars[0] == 0 || c.chars[0] == static_cast<uint32_t>(-1)) ? U' ' : c.chars[0];
  info.bold = c.attrs.bold;
  info.reverse = c.attrs.reverse;
  info.blink = c.attrs.blink;
  info.fg = VTERM_COLOR_IS_DEFAULT_FG(&c.fg) ? 7 : AnsiToPc(c.fg);
  info.bg = VTERM_COLOR_IS_DEFAULT_BG(&c.bg) ? 0 : AnsiToPc(c.bg);
  if (info.bold && info.fg >= 0 && info.fg < 8) info.fg += 8;
  return info;
}

std::string VtScreen::Row(int row) const {
  std::string s;
  for (int col = 1; col <= cols_; ++col) s += Utf8(Cell(col, row).ch);
  s.erase(s.find_last_not_of(' ') + 1);
  return s;
}

std::string VtScreen::Screen() const {
  std::string s;
  for (int row = 1; row <= rows_; ++row) {
    if (row > 1) s += '\n';
    s += Row(row);
  }
  return s;
}

std::pair<int, int> VtScreen::Cursor() const {
  VTermPos pos;
  vterm_state_get_cursorpos(vterm_obtain_state(vt_), &pos);
  return {pos.col + 1, pos.row + 1};
}

}  // namespace rodi::e2e
