// Runs a program in a fresh 80x25 raw pseudo-terminal whose output is drained
// as fast as it comes, and times it until a mark appears in that output.
#pragma once
#include <string>
#include <vector>

struct PtyTiming {
  double seconds = 0;  // start to the mark
  size_t bytes = 0;    // bytes read up to and including the mark
  double cpuSeconds = 0;  // the program's user and system time, for the whole run
};

// When keyAfterMark is not empty it is typed once the mark is seen (a program
// that waits for a key); the program must then end by itself.
// With capture, the bytes read up to the mark are kept there.
PtyTiming TimeInPty(const std::vector<std::string>& argv, const std::string& mark,
                    const std::string& keyAfterMark, std::string* capture = nullptr);
