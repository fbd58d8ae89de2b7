// The line editor with any field of two cells or more that fits its row, in
// every mode: it draws only inside its field, its text stays within 80
// characters, and it ends on one of its ending keys.
#include <algorithm>
#include <cstdlib>

#include "fuzz_console.h"
#include "term/conio.h"
#include "widgets/line_editor.h"

void FuzzLineEditor(const uint8_t* data, size_t size) {
  FuzzBytes in(data, size);
  // At least two cells: a one-cell field that scrolls writes beside itself, as
  // its scrolling rule says (the view never passes the text's last character).
  const uint8_t x = in.Byte() % 79 + 1, y = in.Byte() % 25 + 1;
  const uint8_t field = in.Byte() % (80 - x) + 2, len = in.Byte() % 81, mode = in.Byte() % 4;
  const uint8_t attr = in.Byte(), fillAttr = in.Byte();
  const char fillChar = static_cast<char>(in.Byte() % 95 + 32);
  const bool utf8 = in.Byte() & 1;
  // A proposed text is printable, as every caller's is.
  std::string text = in.Take(in.Byte() % 96);
  for (char& c : text) c = static_cast<char>(static_cast<uint8_t>(c) % 95 + 32);
  LoChars = "\r\x1b";
  HiChars = {72, 80};  // Up and Down, as a form would use them
  FuzzConsole(in.Rest(), utf8);
  const TConsoleScreenRec before = Screen->Buffer;
  UntilKeysRunOut([&] {
    const MyString got = GetStr(x, y, field, len, mode, attr, fillAttr, fillChar, text);
    if (got.size() > kMyStringMax) std::abort();
    if (LoChars.find(ExitCode) == std::string::npos && HiChars.find(ExitCode) == std::string::npos) std::abort();
  });
  CheckOnlyInside(before, x, y, x + field - 1, y);
  CheckConsole();
}
