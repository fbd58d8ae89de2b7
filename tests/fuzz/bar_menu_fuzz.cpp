// The lightbar menu in the four places the magazine opens one, with any items
// that fit and any keys: it draws only inside its rectangle, ends with an item
// or a result code, and keeps the bar on an item.
#include <cstdlib>

#include "fuzz_console.h"
#include "term/conio.h"
#include "widgets/bar_menu.h"

void FuzzBarMenu(const uint8_t* data, size_t size) {
  struct Place { uint8_t x, y, w, h; };
  static constexpr Place kPlaces[] = {{53, 10, 17, 7}, {53, 8, 18, 11}, {18, 14, 44, 7}, {6, 2, 35, 6}};
  FuzzBytes in(data, size);
  const Place at = kPlaces[in.Byte() % 4];
  const uint8_t flags = in.Byte();
  const int32_t start = static_cast<int8_t>(in.Byte());
  TBar menu;
  menu.Sleep = [](uint16_t) {};
  menu.FKey = flags & 1;
  menu.FDoBar = flags & 2;
  for (int n = in.Byte() % 24; n > 0; --n) menu.Add(in.Take(in.Byte() % at.w));
  FuzzConsole(in.Rest(), flags & 4);
  const TConsoleScreenRec before = Screen->Buffer;
  UntilKeysRunOut([&] {
    const int32_t r = menu.DrawMenu(at.x, at.y, at.w, at.h, start);
    if (r >= menu.FTotal || (r < 0 && (r < rNoItems || r > rDiv))) std::abort();
  });
  if (menu.FTotal > 0 && (menu.BarPos < 0 || menu.BarPos >= menu.FTotal)) std::abort();
  CheckOnlyInside(before, at.x, at.y, at.x + at.w - 1, at.y + at.h - 1);
  CheckConsole();
}
