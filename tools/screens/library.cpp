#include "library.h"

#include <algorithm>
#include <fstream>
#include <stdexcept>

#include "tools/screens/tokens.h"
#include "tools/screens/utf8.h"

namespace screens {
namespace fs = std::filesystem;

namespace {

[[noreturn]] void Fail(const fs::path& file, size_t line, const std::string& why) {
  throw std::runtime_error(file.string() + ":" + std::to_string(line + 1) + ": " + why);
}

std::map<char, uint8_t> LoadPalette(const fs::path& file) {
  std::map<char, uint8_t> palette;
  const auto lines = ReadLines(file);
  for (size_t n = 0; n < lines.size(); ++n) {
    try {
      const auto w = Tokenize(lines[n]);
      if (w.empty()) continue;
      if (w.size() < 3 || w[0].size() != 1) throw std::runtime_error("want: KEY FG BG");
      const int fg = ParseInt(w[1], "foreground 0-15");
      const int bg = ParseInt(w[2], "background 0-7");
      // Backgrounds 8-15 would need blink or iCE colour; neither is allowed.
      if (fg < 0 || fg > 15 || bg < 0 || bg > 7) throw std::runtime_error("colour out of range");
      if (!palette.emplace(w[0][0], static_cast<uint8_t>(fg + 16 * bg)).second) {
        throw std::runtime_error("key defined twice");
      }
    } catch (const std::runtime_error& e) {
      Fail(file, n, e.what());
    }
  }
  return palette;
}

std::map<std::string, std::u32string> LoadFrames(const fs::path& file) {
  std::map<std::string, std::u32string> frames;
  const auto lines = ReadLines(file);
  for (size_t n = 0; n < lines.size(); ++n) {
    try {
      const auto w = Tokenize(lines[n]);
      if (w.empty()) continue;
      if (w.size() != 2) throw std::runtime_error("want: NAME \"8 glyphs\"");
      auto glyphs = DecodeUtf8(w[1]);
      if (glyphs.size() != 8) throw std::runtime_error("a frame style has 8 glyphs");
      frames[w[0]] = glyphs;
    } catch (const std::runtime_error& e) {
      Fail(file, n, e.what());
    }
  }
  return frames;
}

Font LoadFont(const fs::path& file) {
  Font font;
  const auto lines = ReadLines(file);
  std::vector<std::u32string>* glyph = nullptr;
  for (size_t n = 0; n < lines.size(); ++n) {
    try {
      if (IsGridRow(lines[n])) {
        if (!glyph) throw std::runtime_error("grid row outside a glyph");
        glyph->push_back(GridRow(lines[n]));
        continue;
      }
      const auto w = Tokenize(lines[n]);
      if (w.empty()) continue;
      if (w.size() != 2) throw std::runtime_error("want: KEYWORD VALUE");
      if (w[0] == "height") {
        font.height = ParseInt(w[1], "height");
      } else if (w[0] == "spacing") {
        font.spacing = ParseInt(w[1], "spacing");
      } else if (w[0] == "pixels") {
        font.pixels = w[1] == "yes";
      } else if (w[0] == "space") {
        font.space = ParseInt(w[1], "space width");
      } else if (w[0] == "glyph") {
        const auto name = DecodeUtf8(w[1]);
        if (name.size() != 1) throw std::runtime_error("a glyph is named by one character");
        glyph = &font.glyphs[name[0]];
      } else {
        throw std::runtime_error("unknown keyword " + w[0]);
      }
    } catch (const std::runtime_error& e) {
      Fail(file, n, e.what());
    }
  }
  for (auto& [name, rows] : font.glyphs) {
    if (static_cast<int>(rows.size()) != font.height) {
      Fail(file, lines.size() - 1, std::string("glyph ") + static_cast<char>(name) + " has " +
                                       std::to_string(rows.size()) + " rows, font height " + std::to_string(font.height));
    }
    size_t width = 0;
    for (const auto& row : rows) width = std::max(width, row.size());
    for (auto& row : rows) row.resize(width, U' ');
  }
  if (font.pixels && font.height % 2) Fail(file, 0, "a pixel font has an even height");
  return font;
}

}  // namespace

std::vector<std::string> ReadLines(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  if (!in) throw std::runtime_error(file.string() + ": cannot open");
  std::vector<std::string> lines;
  std::string line;
  while (std::getline(in, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(line);
  }
  return lines;
}

std::vector<std::u32string> PackPixelRows(const std::vector<std::u32string>& px, std::u32string_view ink) {
  std::vector<std::u32string> cells;
  size_t width = 0;
  for (const auto& row : px) width = std::max(width, row.size());
  for (size_t r = 0; r < px.size(); r += 2) {
    std::u32string out(width, U' ');
    for (size_t c = 0; c < width; ++c) {
      const bool top = c < px[r].size() && px[r][c] == U'#';
      const bool bottom = r + 1 < px.size() && c < px[r + 1].size() && px[r + 1][c] == U'#';
      out[c] = top && bottom ? ink[0] : top ? ink[1] : bottom ? ink[2] : U' ';
    }
    cells.push_back(out);
  }
  return cells;
}

bool IsGridRow(const std::string& line) { return !line.empty() && line[0] == '|'; }

std::u32string GridRow(const std::string& line) {
  auto row = DecodeUtf8(std::string_view(line).substr(1));
  // Editors strip trailing blanks anyway; they are transparent, so drop them here too.
  while (!row.empty() && row.back() == U' ') row.pop_back();
  return row;
}

Library LoadLibrary(const fs::path& root) {
  Library lib;
  lib.root = root;
  lib.palette = LoadPalette(root / "palette.txt");
  lib.frames = LoadFrames(root / "frames.txt");
  std::vector<fs::path> fonts;
  for (const auto& entry : fs::directory_iterator(root / "fonts")) {
    if (entry.path().extension() == ".font") fonts.push_back(entry.path());
  }
  std::sort(fonts.begin(), fonts.end());
  for (const auto& f : fonts) lib.fonts[f.stem().string()] = LoadFont(f);
  return lib;
}

}  // namespace screens
