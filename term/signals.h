// Signals only mark what arrived and wake the waits (see wait.h); the work
// they ask for is done in the program's own flow.
#pragma once

// SIGHUP, SIGTERM, SIGINT and SIGQUIT mark a departure; SIGPIPE is ignored so a
// closed terminal shows up as a failed write instead of killing us uncleaned.
void InstallDepartureSignals();

// SIGTSTP, SIGCONT and SIGWINCH: the reader suspends, resumes or resizes.
void InstallTerminalSignals();

// 0, or the first departure signal that arrived.
int PendingSignal();

enum TerminalSignal : unsigned { kStopAsked = 1, kContinued = 2, kResized = 4 };
// The terminal signals that arrived since the last call, as a set of flags.
unsigned TakeTerminalSignals();

// Readable once a signal has arrived; -1 before the signals are installed.
int SignalWakeFd();
// Empties the wake pipe; what arrived stays marked until it is taken.
void ClearSignalWake();
