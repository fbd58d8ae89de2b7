#include "app/global_keys.h"

#include "ansi/ansi_display.h"
#include "app/display_res.h"
#include "app/exit_app.h"
#include "app/state.h"
#include "app/track_box.h"
#include "content/music.h"
#include "term/conio.h"
#include "term/departure.h"
#include "term/strutil.h"

void GlobalKeys(char c, int32_t /*index*/) {
  switch (Upper(std::string(1, c))[0]) {
    case 'X':
      ExitApp();
      Depart(0);
    case 'T':
    case 'M':
      if (!TrackBox) TrackSelection();
      break;
    case 'P':
      PlayPauseMusic();
      break;
    case 'H':
      if (!TrackBox) ShowHelpScreen();
      break;
    case 'A':
      Ascii = Ascii.empty() ? "_asc" : "";
      break;
    case '-':
      Wait = Wait - 20 < 0 ? 0 : Wait - 20;
      break;
    case '+':
      Wait += 20;
      break;
    default:
      break;
  }
}

void ShowHelpScreen() {
  DisplayRes("help");
  ReadKey();
  TextColor(7);
  ClrScr();
  AnsiDisplay(CurrentScreen, Wait);
}
