// Blocking waits of the terminal layer. A departure signal cuts any of them
// short and leaves through the clean departure with status 128 + signal; the
// terminal signals are handed to the console's handler between two writes.
#pragma once
#include <functional>

// True when fd is readable (or at end of input), false after timeoutMs; a
// negative timeout waits without limit.
bool WaitReadable(int fd, int timeoutMs);

// The one sleep: WaitMS, Delay and every pause of the drawing and the wipes
// come down to it or to WaitReadable, and so to the clock and wait of clock.h.
void SleepMs(int ms);

// Leaves at once if a departure signal has arrived.
void CheckDepartureSignal();

// Who acts on the terminal signals (TerminalSignal flags); called from the
// waits, never while a write is under way nor while it is itself running.
void SetTerminalSignalHandler(std::function<void(unsigned)> handler);

// For that handler: waits for the next terminal signals and answers them
// (a departure signal still leaves).
unsigned WaitForTerminalSignals();

// Writes all bytes, riding out interruptions and short writes; false when the
// terminal is gone (EPIPE, EIO, ...).
bool WriteAll(int fd, const char* data, unsigned long size);
