#include "magazine.h"

#include "app/exit_app.h"
#include "app/main_screen.h"
#include "app/options.h"
#include "app/startup.h"
#include "app/state.h"
#include "app/work_place.h"
#include "content/music.h"
#include "term/conio.h"
#include "widgets/line_editor_settings.h"

void RunMagazine(const std::vector<std::string>& args) {
  ClrScr();
  Enable_ANSI_Unix();
  Dir = FindProgramDir();
  LoChars = "\r";
  HiChars = "";
  Changed = false;
  ScanOptions(args);
  EnsureTerminalSize();
  ChooseWorkPlace();
  BindSoundLibrary(WorkDir);
  OpenLogoScreen();
  Delay(1000);
  OpenMainScreen();
  ExitApp();
}
