#include "screen_set.h"

#include <fstream>
#include <iterator>
#include <stdexcept>

#include "tools/screens/library.h"

namespace screens_test {
namespace fs = std::filesystem;

const std::vector<ScreenFile>& AllScreens() {
  static const std::vector<ScreenFile> all = [] {
    const fs::path src = fs::path(RODI_SOURCE_DIR) / "content/src/screens";
    const fs::path res = fs::path(RODI_SOURCE_DIR) / "content/res";
    const auto lib = screens::LoadLibrary(src);
    std::vector<ScreenFile> out;
    for (const auto& file : screens::ScreenSources(src)) {
      ScreenFile f{screens::LoadScreen(file, lib), {}};
      std::ifstream in(res / screens::OutputName(f.screen), std::ios::binary);
      f.committed.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
      out.push_back(std::move(f));
    }
    return out;
  }();
  return all;
}

const ScreenFile& Find(std::string_view name) {
  for (const auto& f : AllScreens()) {
    if (f.screen.name == name) return f;
  }
  throw std::runtime_error("no screen " + std::string(name));
}

std::string_view Body(std::string_view file) { return file.substr(0, file.find('\x1a')); }

}  // namespace screens_test
