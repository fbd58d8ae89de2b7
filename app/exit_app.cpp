#include "exit_app.h"

#include "app/state.h"
#include "term/conio.h"
#include "term/fileutil.h"

void ExitApp() {
  TextColor(7);
  ClrScr();
  Delay(500);
  TextColor(7);
  ClrScr();
  for (const char* name : {"bassmod.so", "music.mod", "articles.ans", "tutors.ans", "menu1.ans",
                           "menu3.ans"}) {
    DeleteOwnedFile(Dir + name);
  }
}
