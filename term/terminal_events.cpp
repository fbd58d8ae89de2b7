#include "terminal_events.h"

#include <csignal>

#include "conio.h"
#include "signals.h"
#include "strutil.h"
#include "wait.h"

void OnTerminalSignals(unsigned taken) {
  for (;;) {
    while ((taken & kStopAsked) != 0) {
      Screen->Suspend();
      // SIGSTOP, not a default SIGTSTP: the kernel drops that one in an
      // orphaned process group (no job-control shell above us, as in a
      // session of our own), and we would go on with the terminal given back.
      raise(SIGSTOP);
      taken = TakeTerminalSignals();  // the SIGCONT that woke us, and whatever came with it
    }
    ReadTerminalSize();  // it may have changed while stopped, too
    Screen->SetTerminalSize(TerminalCols, TerminalRows);
    Screen->TakeBack();
    if (TerminalBigEnough()) return Screen->Repaint();
    // Outside the image, which stays as the program drew it for the repaint.
    Screen->RawWriteStr("\x1b[0m\x1b[2J\x1b[H" + TooSmallMessage());
    taken = WaitForTerminalSignals();
  }
}

std::string TooSmallMessage() {
  return "rodi needs an 80x25 terminal, found " + Int2Str(TerminalCols) + "x" + Int2Str(TerminalRows) +
         ":\r\nenlarge the window, then press a key";
}
