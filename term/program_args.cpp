#include "program_args.h"

namespace {
std::vector<std::string> args;
}

void SetProgramArgs(int argc, char** argv) { args.assign(argv, argv + argc); }

std::string ParamStr(int n) {
  return n >= 0 && static_cast<size_t>(n) < args.size() ? args[n] : std::string();
}
