// rodi-gallery [source-root [out-dir [ARTn ...]]]: renders the gallery pictures
// from their sources into out-dir (default: the tree's content/res).
#include <cstdio>
#include <exception>
#include <fstream>
#include <set>
#include <string>

#include "gallery/picture.h"

int main(int argc, char** argv) {
  std::string root = argc > 1 ? argv[1] : RODI_SOURCE_DIR;
  std::string out = argc > 2 ? argv[2] : root + "/content/res";
  std::set<std::string> only(argv + (argc > 3 ? 3 : argc), argv + argc);
  gallery::Sources src{root + "/content/src/gallery"};
  try {
    for (const gallery::Picture& p : gallery::Pictures()) {
      if (!only.empty() && !only.count(p.name)) continue;
      artkit::Canvas c = p.draw(src);
      std::string bytes = gallery::EncodePicture(p, c);
      std::string path = out + "/" + p.name + ".ans";
      std::ofstream f(path, std::ios::binary);
      f.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
      if (!f) throw std::runtime_error("cannot write " + path);
      std::printf("%-6s %-26s %3d rows %6zu bytes  %s\n", p.name.c_str(), p.title.c_str(), c.height(),
                  bytes.size(), p.technique.c_str());
    }
  } catch (const std::exception& e) {
    std::fprintf(stderr, "rodi-gallery: %s\n", e.what());
    return 1;
  }
  return 0;
}
