// rodi-view FILE [PACE]: shows an art file as the magazine draws it, on a
// cleared screen at the given pace (0, no pauses, by default), then waits for
// a key. --utf8 or --cp437 choose the output as they do for the magazine.
#include <unistd.h>

#include <string>
#include <vector>

#include "ansi/ansi_display.h"
#include "term/charset_choice.h"
#include "term/conio.h"
#include "term/departure.h"
#include "term/program_args.h"
#include "term/signals.h"
#include "term/standard_fds.h"
#include "term/strutil.h"

int main(int argc, char** argv) {
  OpenClosedStandardDescriptors();
  const std::vector<std::string> args(argv + 1, argv + argc);
  if (args.empty()) {
    static constexpr char kUsage[] = "usage: rodi-view FILE [PACE] [--utf8|--cp437]\n";
    ssize_t ignored = write(STDERR_FILENO, kUsage, sizeof kUsage - 1);
    (void)ignored;
    return 2;
  }
  SetProgramArgs(argc, argv);
  InstallDepartureSignals();
  ConsoleInit(ConsoleSetup{0, 1, ChooseCharset(args)});
  TextColor(7);
  ClrScr();
  AnsiDisplay(args[0], Str2Int(ParamStr(2)));
  ReadKey();
  Depart(0);
}
