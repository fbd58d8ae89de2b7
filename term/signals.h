// Hang-up and termination signals: they only mark the departure and wake the
// waits (see wait.h), which then leave through the clean departure.
#pragma once

// SIGHUP, SIGTERM, SIGINT and SIGQUIT mark a departure; SIGPIPE is ignored so a
// closed terminal shows up as a failed write instead of killing us uncleaned.
void InstallDepartureSignals();

// 0, or the first departure signal that arrived.
int PendingSignal();

// Readable once a departure signal has arrived; -1 before InstallDepartureSignals.
int SignalWakeFd();
