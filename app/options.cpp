#include "options.h"

#include <cstdio>

#include "app/state.h"
#include "app/version.h"
#include "content/music.h"
#include "term/conio.h"
#include "term/departure.h"
#include "term/strutil.h"

void ScanOptions(const std::vector<std::string>& args) {
  for (const std::string& arg : args) {
    const std::string option = Lower(arg);  // Lower cuts at 255 characters
    if (option == "--ascii") Ascii = "_asc";
    if (option == "--silent") Silent = true;
    if (option == "--help" || option == "/h" || option == "-h" || option == "help") ShowHelp();
  }
}

void ShowHelp() {
  WriteLn("[]  r o d i   m a g a z i n e");
  WriteLn();
  WriteLn("  use the following switches if you are having problem with music");
  WriteLn("  or ansi graphics display.");
  WriteLn();
  WriteLn("  --help, /h, -h  : this screen... obviously.");
  WriteLn("  --silent        : no music for you :p");
  WriteLn("  --ascii         : no special chars for you, only ascii chars");
  WriteLn("  --utf8          : send characters as utf-8 (the default in a utf-8 locale)");
  WriteLn("  --cp437         : send raw code page 437 bytes (for the linux console)");
  WriteLn("  --version       : the name and version of this magazine");
  WriteLn();
  WriteLn("  files: rodi works next to itself, where gallery saves go too; if it cannot");
  WriteLn("  write there, it works in a private dir under $XDG_RUNTIME_DIR or $TMPDIR");
  WriteLn("  (else /tmp), removed when it leaves, and saves go to the current dir.");
  WriteLn();
  WriteLn("  the rodi lair - lair.rodi.example:2323");
  WriteLn();
  Depart(0);
}

bool PrintVersionIfAsked(const std::vector<std::string>& args) {
  for (const std::string& arg : args)
    if (Lower(arg) == "--version") {
      std::printf("rodi %s\n", kRodiVersion);
      return true;
    }
  return false;
}
