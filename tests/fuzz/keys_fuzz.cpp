// The key decoder: terminal bytes, typed UTF-8 among them, in either mode.
// Plain bytes without an Esc come out as themselves (127 as Backspace); no
// input gives more keys than bytes, and none gives Esc without an ESC byte.
#include <algorithm>
#include <cstdlib>

#include "fuzz_console.h"
#include "term/conio.h"

void FuzzKeys(const uint8_t* data, size_t size) {
  FuzzBytes in(data, size);
  const bool utf8 = in.Byte() & 1;
  const std::string typed = in.Rest();
  const bool anyEsc = typed.find('\x1b') != std::string::npos;
  FuzzConsole(typed, utf8);
  std::string keys;
  UntilKeysRunOut([&] {
    for (;;) keys += ReadKey();
  });
  if (keys.size() > typed.size() || (!anyEsc && keys.find('\x1b') != std::string::npos)) std::abort();
  if (!utf8 && !anyEsc) {
    std::string want = typed;
    std::replace(want.begin(), want.end(), '\x7f', '\b');
    if (keys != want) std::abort();
  }
  CheckConsole();
}
