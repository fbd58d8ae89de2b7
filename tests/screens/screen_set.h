// The 21 screen resources: each drawn from its source and read from content/res.
#pragma once
#include <string>
#include <string_view>
#include <vector>

#include "tools/screens/screen.h"

namespace screens_test {

struct ScreenFile {
  screens::Screen screen;  // drawn from content/src/screens
  std::string committed;   // the bytes in content/res
};

// Loaded once per process, sorted by name.
const std::vector<ScreenFile>& AllScreens();
const ScreenFile& Find(std::string_view name);

// The drawn part of a file: everything before the first SUB.
std::string_view Body(std::string_view file);

}  // namespace screens_test
