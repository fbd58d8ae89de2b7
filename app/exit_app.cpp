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
  // Whatever this run wrote and still finds in place, menu3.ans after an X from
  // the gallery too; a file of the same name that it did not write stays.
  DeleteOwnedFiles();
}
