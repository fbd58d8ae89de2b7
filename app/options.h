// The command line: options compared after lower-casing, others ignored.
#pragma once
#include <string>
#include <vector>

// --ascii and --silent set the state; any help form prints the help and ends.
void ScanOptions(const std::vector<std::string>& args);

[[noreturn]] void ShowHelp();

// --version prints the name and version as a plain line, before the terminal
// is touched, so that scripts can read it; true when it did.
bool PrintVersionIfAsked(const std::vector<std::string>& args);
