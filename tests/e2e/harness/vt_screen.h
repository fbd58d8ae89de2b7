// The terminal emulator the program's output is shown on (libvterm, UTF-8 mode).
#pragma once

#include <functional>
#include <string>
#include <string_view>

struct VTerm;
struct VTermScreen;

namespace rodi::e2e {

// One screen cell, with colours as PC palette indices (0 black, 1 blue, 2 green,
// 3 cyan, 4 red, 5 magenta, 6 brown, 7 light grey, 8-15 bright), so that cells
// compare with the program's attribute bytes. The default foreground counts as
// 7, the default background as 0; bold raises a foreground of 0-7 to 8-15; -1
// for a colour outside the 16-colour palette.
struct CellInfo {
  char32_t ch = U' ';  // a blank cell reads as a space
  int fg = 7, bg = 0;
  bool bold = false, reverse = false, blink = false;
  // PC attribute byte: fg + 16 * bg + 128 * blink (bg 0-7); -1 if not expressible.
  int Attr() const;
};

class VtScreen {
 public:
  VtScreen(int cols, int rows, bool utf8);
  ~VtScreen();
  VtScreen(const VtScreen&) = delete;
  VtScreen& operator=(const VtScreen&) = delete;

  void Feed(std::string_view bytes);
  void Resize(int cols, int rows);
  // Where the emulator's own answers (cursor reports and the like) go.
  void OnReply(std::function<void(std::string_view)> f) { reply_ = std::move(f); }

  CellInfo Cell(int col, int row) const;     // 1-based; outside the screen: blank
  std::string Row(int row) const;            // UTF-8, trailing blanks trimmed
  std::string Screen() const;                // all rows joined by '\n'
  std::pair<int, int> Cursor() const;        // 1-based column, row

 private:
  static void OutputThunk(const char* s, size_t len, void* user);

  VTerm* vt_;
  VTermScreen* screen_;
  int cols_, rows_;
  bool utf8_;
  // libvterm shows U+FFFD for a character split across two writes, so the
  // unfinished end of one write waits for the next.
  std::string held_;
  std::function<void(std::string_view)> reply_;
};

std::string Utf8(char32_t c);

}  // namespace rodi::e2e
