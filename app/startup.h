// The steps of start-up that concern the machine rather than the magazine.
#pragma once
#include <string>

// The directory of the running executable, ending in "/"; "/" when unknown.
std::string FindProgramDir();

// Asks a terminal smaller than 80x25 to grow; if it will not, says so and
// waits for a key, so the reader knows why the screens look broken.
void EnsureTerminalSize();
