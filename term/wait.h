// Blocking waits of the terminal layer. A departure signal cuts any of them
// short and leaves through the clean departure with status 128 + signal.
#pragma once

// True when fd is readable (or at end of input), false after timeoutMs; a
// negative timeout waits without limit.
bool WaitReadable(int fd, int timeoutMs);

void SleepMs(int ms);

// Leaves at once if a departure signal has arrived.
void CheckDepartureSignal();

// Writes all bytes, riding out interruptions and short writes; false when the
// terminal is gone (EPIPE, EIO, ...).
bool WriteAll(int fd, const char* data, unsigned long size);
