#pragma once
#include <string>
#include <vector>

// The magazine from start-up to the exit sequence; the console is already set up.
void RunMagazine(const std::vector<std::string>& args);
