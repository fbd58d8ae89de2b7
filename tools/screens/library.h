// The shared pieces every screen draws with: palette, frame styles, block fonts.
#pragma once
#include <cstdint>
#include <filesystem>
#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace screens {

// Block lettering: each glyph a grid of code points; blanks are transparent.
struct Font {
  int height = 0;
  int spacing = 1;     // blank columns between letters
  int space = 3;       // width of a blank between words
  bool pixels = false; // glyph rows are pixel rows ("#" lit), packed two to a cell row when drawn
  std::map<char32_t, std::vector<std::u32string>> glyphs;  // rows padded to one width
};

struct Library {
  std::filesystem::path root;             // folder of the sources; includes are relative to it
  std::map<char, uint8_t> palette;        // colour key -> attribute (fg + 16 * bg)
  std::map<std::string, std::u32string> frames;  // style -> 8 glyphs: tl t tr l r bl b br
  std::map<std::string, Font> fonts;      // file stem under fonts/ -> font
};

// Reads palette.txt, frames.txt and fonts/*.font under root.
// Throws std::runtime_error("file:line: why") on a malformed source.
Library LoadLibrary(const std::filesystem::path& root);

// The lines of a text file, without line ends.
std::vector<std::string> ReadLines(const std::filesystem::path& file);

// Two pixel rows ("#" lit) make one cell row: ink[0] both lit, ink[1] top only, ink[2] bottom only.
std::vector<std::u32string> PackPixelRows(const std::vector<std::u32string>& px, std::u32string_view ink);

// A grid row is written after a "|" margin so leading blanks stay visible.
bool IsGridRow(const std::string& line);
std::u32string GridRow(const std::string& line);

}  // namespace screens
