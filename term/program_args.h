// The command line as the program was started, for the few places that read
// an argument by position (the drawing pace key "/").
#pragma once
#include <string>
#include <vector>

void SetProgramArgs(int argc, char** argv);
// Argument n (1 is the first after the program name); empty when missing.
std::string ParamStr(int n);
