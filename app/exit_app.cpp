#include "app/exit_app.h"

#include "ansi/templates.h"
#include "app/display_res.h"
#include "app/state.h"
#include "content/music.h"
#include "term/conio.h"
#include "term/fileutil.h"

void ExitApp() {
  TextColor(7);
  ClrScr();
  DisplayRes("exit" + Ascii);
  Delay(500);
  TextColor(7);
  ClrScr();
  if (!Silent && !ReleaseMusic()) WriteLn("hmm... something went wrong. but who cares. c ya");
  FreeTemplate();
  // menu3.ans too: an X from the gallery leaves it behind otherwise.
  for (const char* name : {"bassmod.so", "music.mod", "articles.ans", "tutors.ans", "menu1.ans",
                           "menu3.ans"}) {
    DeleteOwnedFile(Dir + name);
  }
}
