// rodi: a disk magazine for the text terminal.
#include <string>
#include <vector>

#include "app/magazine.h"
#include "app/options.h"
#include "term/charset_choice.h"
#include "term/conio.h"
#include "term/departure.h"
#include "term/fileutil.h"
#include "term/program_args.h"
#include "term/signals.h"
#include "term/standard_fds.h"

int main(int argc, char** argv) {
  OpenClosedStandardDescriptors();
  const std::vector<std::string> args(argv + 1, argv + argc);
  if (PrintVersionIfAsked(args)) return 0;
  SetProgramArgs(argc, argv);
  InstallDepartureSignals();
  ConsoleInit(ConsoleSetup{0, 1, ChooseCharset(args)});
  AddDepartureStep(DeleteOwnedFiles);
  RunMagazine(args);
  Depart(0);
}
