// What the console does when the reader suspends, resumes or resizes: hand
// the terminal back while stopped, take it again after, and never leave a
// screen that stays garbled.
#pragma once
#include <string>

// Acts on a set of TerminalSignal flags (signals.h), in the program's own flow.
void OnTerminalSignals(unsigned taken);

// Two lines naming the size found and what to do about it.
std::string TooSmallMessage();
