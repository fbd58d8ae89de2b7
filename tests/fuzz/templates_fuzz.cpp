// The template scanner over any screen image: its fields lie on the screen in
// reading order, each starting on a marker, and no marker is left behind;
// writing into the fields keeps the cursor on the screen.
#include <cstdlib>

#include "ansi/templates.h"
#include "fuzz_console.h"
#include "term/conio.h"

void FuzzTemplates(const uint8_t* data, size_t size) {
  FuzzBytes in(data, size);
  // Rep is painted with WriteXY, so it is a glyph (a control byte would move the cursor).
  const char tc = static_cast<char>(in.Byte()), rep = static_cast<char>(in.Byte() % 95 + 32);
  const std::string cells = in.Take(80 * 25);
  FuzzConsole("");
  // A quarter of the cells are markers, so runs of every length turn up.
  for (size_t i = 0; i < cells.size(); ++i) {
    const auto b = static_cast<uint8_t>(cells[i]);
    Screen->Buffer[i / 80][i % 80] = TCharInfo{static_cast<uint8_t>(b >> 2), b % 4 == 0 ? uint8_t(tc) : b};
  }
  const TConsoleScreenRec before = Screen->Buffer;
  GetTemplateSimple(tc, rep);
  int last = 0;
  for (const TCoord& f : TemplatePos) {
    const int at = (f.Y - 1) * 80 + f.X;
    // W is a byte, as the record is laid out: a run of 256 cells reads 0.
    if (f.X < 1 || f.X > 80 || f.Y < 1 || f.Y > 25 || at <= last) std::abort();
    if (before[f.Y - 1][f.X - 1].UnicodeChar != uint8_t(tc)) std::abort();
    last = at;
  }
  if (tc != rep)
    for (int y = 1; y <= 25; ++y)
      for (int x = 1; x <= 80; ++x)
        if (GetCharAt(x, y) == tc) std::abort();
  for (size_t p = 0; p < TemplatePos.size() && p < 8; ++p) WriteTemplate(static_cast<uint8_t>(p), in.Take(in.Byte()));
  CheckConsole();
  FreeTemplate();
}
