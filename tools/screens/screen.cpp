#include "screen.h"

#include <algorithm>
#include <stdexcept>

#include "tools/artkit/ansi_encoder.h"
#include "tools/screens/painter.h"

namespace screens {
namespace fs = std::filesystem;

Screen LoadScreen(const fs::path& file, const Library& lib) {
  Screen screen;
  screen.name = file.stem().string();
  screen.plain = screen.name.size() > 4 && screen.name.ends_with("_ASC");
  artkit::Canvas full(80, 25);
  Header header;
  Painter(lib, full, screen.plain).Run(file, 0, 0, header);
  if (!screen.plain && !header.hasSauce) throw std::runtime_error(file.string() + ": an ANSI screen needs a sauce line");
  for (int y = header.rows; y < 25; ++y) {
    for (int x = 0; x < 80; ++x) {
      if (full.at(x, y).ch != ' ' || (full.at(x, y).attr & 0x70) != 0) {
        throw std::runtime_error(file.string() + ": art on row " + std::to_string(y + 1) + ", below the last row " +
                                 std::to_string(header.rows));
      }
    }
  }
  screen.canvas = artkit::Canvas(80, header.rows);
  for (int y = 0; y < header.rows; ++y)
    for (int x = 0; x < 80; ++x) screen.canvas.at(x, y) = full.at(x, y);
  screen.sauce = header.sauce;
  return screen;
}

std::string Render(const Screen& screen) {
  if (screen.plain) return artkit::EncodePlain(screen.canvas);
  // A cursor-home start lands the art in place in the interpreter and in any terminal alike.
  return artkit::WithSauce(artkit::EncodeAnsi(screen.canvas, artkit::Home::CursorHome), screen.sauce, 80,
                           screen.canvas.height());
}

std::string OutputName(const Screen& screen) { return screen.name + (screen.plain ? ".txt" : ".ans"); }

std::vector<fs::path> ScreenSources(const fs::path& root) {
  std::vector<fs::path> files;
  for (const auto& entry : fs::directory_iterator(root)) {
    if (entry.is_regular_file() && entry.path().extension() == ".scr") files.push_back(entry.path());
  }
  std::sort(files.begin(), files.end());
  return files;
}

}  // namespace screens
