// Every fuzz seed and kept crash input, replayed in the normal build.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "fuzz/fuzz_input.h"

namespace {

TEST(FuzzInputs, ReplayWithoutFault) {
  int replayed = 0;
  for (const char* dir : {"seeds", "regressions"}) {
    const std::filesystem::path path = std::filesystem::path(RODI_SOURCE_DIR) / "tests/ansi/fuzz" / dir;
    for (const auto& entry : std::filesystem::directory_iterator(path)) {
      if (!entry.is_regular_file() || entry.path().filename() == ".keep") continue;
      std::ifstream in(entry.path(), std::ios::binary);
      const std::string bytes{std::istreambuf_iterator<char>(in), {}};
      SCOPED_TRACE(entry.path().string());
      FuzzAnsi(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
      ++replayed;
    }
  }
  EXPECT_GT(replayed, 0);
}

}  // namespace
