// rodi-tunes: renders every tune source (*.tune) of a folder into a module
// named after it: music1.tune -> MUSIC1.xm or MUSIC1.mod.
#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>
#include <vector>

#include "tools/tracker/mod_writer.h"
#include "tools/tracker/song_build.h"
#include "tools/tracker/song_source.h"
#include "tools/tracker/xm_writer.h"

namespace fs = std::filesystem;
using namespace tracker;

int main(int argc, char** argv) {
  if (argc != 3) {
    std::cerr << "usage: rodi-tunes SOURCE_DIR OUTPUT_DIR\n";
    return 2;
  }
  std::vector<fs::path> sources;
  for (const auto& e : fs::directory_iterator(argv[1]))
    if (e.path().extension() == ".tune") sources.push_back(e.path());
  std::sort(sources.begin(), sources.end());
  if (sources.empty()) {
    std::cerr << "rodi-tunes: no .tune files in " << argv[1] << "\n";
    return 1;
  }
  fs::create_directories(argv[2]);
  try {
    for (const auto& src : sources) {
      std::ifstream in(src, std::ios::binary);
      std::stringstream text;
      text << in.rdbuf();
      SongSource song = ParseSong(text.str(), src.filename().string());
      Module m = BuildModule(song);
      auto bytes = m.format == Format::Xm ? WriteXm(m) : WriteMod(m);
      std::string name = src.stem().string();
      for (char& c : name) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
      fs::path out = fs::path(argv[2]) / (name + (m.format == Format::Xm ? ".xm" : ".mod"));
      std::ofstream(out, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
      std::cout << out.string() << ": " << bytes.size() << " bytes\n";
    }
  } catch (const std::exception& e) {
    std::cerr << "rodi-tunes: " << e.what() << "\n";
    return 1;
  }
  return 0;
}
