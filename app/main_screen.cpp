#include "app/main_screen.h"

#include "ansi/ansi_display.h"
#include "ansi/cls.h"
#include "app/display_res.h"
#include "app/global_keys.h"
#include "app/pages.h"
#include "app/sections.h"
#include "app/gallery.h"
#include "app/state.h"
#include "content/resources.h"
#include "term/conio.h"
#include "term/fileutil.h"
#include "widgets/bar_menu.h"

void OpenLogoScreen() { DisplayRes("logo" + Ascii); }

void OpenMainScreen() {
  int32_t mPos = 0;
  bool done = false;
  TBar menu;
  for (const char* item : {"e d i t o r i a l", "a r t i c l e s", "a n s i   a r t",
                           "t u t o r s     ", "a b o u t", "e x i t"}) {
    menu.Add(item);
  }
  // Chosen once: the menu keeps the look it opened with.
  menu.FBarBgCl = 0;
  if (Ascii.empty()) {
    menu.FBarFgCl = 8;
    menu.FBarOnC = "|15|16";
    menu.FBarOffC = "|08|16";
  } else {
    menu.FBarFgCl = 7;
    menu.FBarOnC = "|15|16";
    menu.FBarOffC = "|07|16";
    menu.FBarOnAt = 15;
    menu.FBarOffAt = 15;
  }
  menu.OnOtherKey = GlobalKeys;
  const std::string background = WorkDir + "menu1.ans";
  ExtractResFile("menu" + Ascii, background);
  while (!done) {
    CurrentScreen = background;
    Cls();
    AnsiDisplay(background, 1000);
    const int32_t r = menu.DrawMenu(53, 10, 17, 7, mPos);
    mPos = menu.BarPos;
    switch (r) {
      case rEsc: done = true; break;
      case 0: OpenEditorScreen(); break;
      case 1: OpenArticlesScreen(); break;
      case 2:
        if (Ascii.empty()) {
          OpenAnsiScreen();
        } else {
          WriteXY(12, 22, 7, "even if you access the menu, you can't see the ansi art :p");
          ReadKey();
        }
        break;
      case 3: OpenTutorsScreen(); break;
      case 4: OpenAboutScreen(); break;
      case 5: done = true; break;
      default: break;
    }
  }
  DeleteOwnedFile(background);
}
