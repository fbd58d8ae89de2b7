// rodi-gallery [--last-screen PROMPT] [source-root [out-dir [ARTn ...]]]:
// renders the gallery pictures from their sources into out-dir (default: the
// tree's content/res). With --last-screen it writes instead ARTn.last.ans, what
// stays on screen after the picture: its last rows and the gallery's prompt.
#include <cstdio>
#include <cstring>
#include <exception>
#include <fstream>
#include <set>
#include <string>

#include "tools/artkit/ansi_encoder.h"
#include "tools/gallery/picture.h"

namespace {

void Write(const std::string& path, const std::string& bytes) {
  std::ofstream f(path, std::ios::binary);
  f.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  if (!f) throw std::runtime_error("cannot write " + path);
}

}  // namespace

int main(int argc, char** argv) {
  const char* prompt = nullptr;
  if (argc > 2 && std::strcmp(argv[1], "--last-screen") == 0) {
    prompt = argv[2];
    argc -= 2;
    argv += 2;
  }
  std::string root = argc > 1 ? argv[1] : RODI_SOURCE_DIR;
  std::string out = argc > 2 ? argv[2] : root + "/content/res";
  std::set<std::string> only(argv + (argc > 3 ? 3 : argc), argv + argc);
  gallery::Sources src{root + "/content/src/gallery"};
  try {
    for (const gallery::Picture& p : gallery::Pictures()) {
      if (!only.empty() && !only.count(p.name)) continue;
      artkit::Canvas c = gallery::Render(p, src);
      if (prompt) {
        Write(out + "/" + p.name + ".last.ans",
              artkit::EncodeAnsi(gallery::LastScreen(c, prompt), artkit::Home::Clear));
        continue;
      }
      std::string bytes = gallery::EncodePicture(p, c);
      Write(out + "/" + p.name + ".ans", bytes);
      std::printf("%-6s %-26s %3d rows %6zu bytes  %s\n", p.name.c_str(), p.title.c_str(), c.height(),
                  bytes.size(), p.technique.c_str());
    }
  } catch (const std::exception& e) {
    std::fprintf(stderr, "rodi-gallery: %s\n", e.what());
    return 1;
  }
  return 0;
}
