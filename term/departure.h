// Every way out that does not come back through the screens (end of input, a
// hang-up, a signal, a file that cannot be written) ends here, so that each one
// releases the music, deletes the magazine's files and gives the terminal back.
#pragma once
#include <functional>
#include <string>

// Steps run once, the newest first: register the terminal hand-back before the
// things that must happen while the terminal is still ours.
void AddDepartureStep(std::function<void()> step);

[[noreturn]] void Depart(int exitCode);
// Cleans up, then reports on standard error and exits with code 1.
[[noreturn]] void DepartWithError(const std::string& report);

// True once a departure has begun: output failures then stay quiet.
bool Departing();
