#include "startup.h"

#include <unistd.h>

#include "term/conio.h"
#include "term/terminal_events.h"

std::string FindProgramDir() {
  char path[4096];
  const ssize_t n = readlink("/proc/self/exe", path, sizeof path);
  std::string exe = n > 0 ? std::string(path, static_cast<size_t>(n)) : std::string();
  // Not cut at 255 characters: a cut path would name some other directory.
  if (exe.empty() || exe[0] != '/') return "/";
  return exe.substr(0, exe.rfind('/') + 1);
}

void EnsureTerminalSize() {
  if (TerminalBigEnough()) return;
  Screen->RawWriteStr("\x1b[8;25;80t");
  for (int tries = 0; tries < 10 && !TerminalBigEnough(); ++tries) {
    Delay(50);
    ReadTerminalSize();
  }
  if (TerminalBigEnough()) return;
  WriteLn(TooSmallMessage());
  ReadKey();
}
