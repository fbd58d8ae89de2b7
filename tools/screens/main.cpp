// rodi-screens: builds the screen resources from their art sources.
//   rodi-screens SRC_DIR OUT_DIR           write every NAME.ans / NAME_ASC.txt
//   rodi-screens --check SRC_DIR OUT_DIR   exit 1 when a written file differs
#include <cstdio>
#include <fstream>
#include <iterator>
#include <sstream>
#include <stdexcept>
#include <string>

#include "tools/screens/library.h"
#include "tools/screens/screen.h"

namespace fs = std::filesystem;

namespace {

std::string Slurp(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

}  // namespace

int main(int argc, char** argv) {
  const bool check = argc == 4 && std::string(argv[1]) == "--check";
  if (argc != 3 && !check) {
    std::fprintf(stderr, "usage: rodi-screens [--check] SRC_DIR OUT_DIR\n");
    return 2;
  }
  const fs::path src = argv[check ? 2 : 1], out = argv[check ? 3 : 2];
  try {
    const auto lib = screens::LoadLibrary(src);
    int differ = 0;
    for (const auto& file : screens::ScreenSources(src)) {
      const auto screen = screens::LoadScreen(file, lib);
      std::string bytes;
      try {
        bytes = screens::Render(screen);
      } catch (const std::exception& e) {
        throw std::runtime_error(file.string() + ": " + e.what());
      }
      const fs::path target = out / screens::OutputName(screen);
      if (check) {
        if (Slurp(target) != bytes) {
          std::fprintf(stderr, "%s differs from its source\n", target.c_str());
          ++differ;
        }
        continue;
      }
      std::ofstream o(target, std::ios::binary);
      o.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
      if (!o) throw std::runtime_error(target.string() + ": cannot write");
      std::printf("%-22s %6zu bytes\n", screens::OutputName(screen).c_str(), bytes.size());
    }
    return differ ? 1 : 0;
  } catch (const std::exception& e) {
    std::fprintf(stderr, "rodi-screens: %s\n", e.what());
    return 1;
  }
}
