// How characters reach the terminal when no option says: the locale decides,
// and where the locale says nothing (often so over SSH), the terminal itself.
#pragma once
#include <string>
#include <vector>

#include "output.h"

// UTF-8 when the locale's character set is UTF-8 or the locale that applies
// (LC_ALL, else LC_CTYPE, else LANG) names UTF-8. When none of the three names
// anything but C or POSIX, a terminal on inFd and outFd is asked: UTF-8 when
// a two-byte UTF-8 character moves its cursor one column. Code page 437 else,
// and when the terminal does not answer in time.
Charset TerminalCharset(int inFd, int outFd);

// --utf8 or --cp437 when given (the last wins), else as the locale or the
// terminal on standard input and output says (TerminalCharset). Decided
// before the engine sends its first bytes; shared by every program that draws.
Charset ChooseCharset(const std::vector<std::string>& args);
