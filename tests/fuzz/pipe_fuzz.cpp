// The pipe-code writers and the string helpers they use. WritePipe keeps the
// cursor on the screen; WriteXYPipe changes only its own row and puts the
// cursor and colour back; StrMciLen never exceeds the raw length; Str2Int
// reads back what Int2Str writes.
#include <algorithm>
#include <cstdlib>

#include "fuzz_console.h"
#include "term/conio.h"
#include "term/strutil.h"

void FuzzPipeWriters(const uint8_t* data, size_t size) {
  FuzzBytes in(data, size);
  const int x = in.Byte() % 80 + 1, y = in.Byte() % 25 + 1;
  const uint8_t attr = in.Byte();
  const std::string text = in.Rest();
  FuzzConsole("");

  if (StrMciLen(text) > std::min(text.size(), kMaxStr)) std::abort();
  for (size_t at = 0; at < text.size(); at += 3) {
    const int32_t n = Str2Int(std::string_view(text).substr(at, 12));
    if (Str2Int(Int2Str(n)) != n) std::abort();
  }

  GotoXY(x, y);
  SetTextAttr(attr);
  WritePipe(text);
  CheckConsole();

  const TConsoleScreenRec before = Screen->Buffer;
  const uint8_t cx = WhereX(), cy = WhereY(), ca = GetTextAttr();
  WriteXYPipe(x, y, attr, text);
  CheckOnlyInside(before, 1, y, 80, y);
  if (WhereX() != cx || WhereY() != cy || GetTextAttr() != ca) std::abort();
  CheckConsole();
}
