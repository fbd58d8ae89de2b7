#include "lettering.h"

#include <cctype>
#include <sstream>
#include <stdexcept>

#include "term/cp437.h"

namespace gallery {

namespace {

char32_t NextCodePoint(const std::string& s, size_t& i) {
  unsigned char b = static_cast<unsigned char>(s[i++]);
  if (b < 0x80) return b;
  int extra = b >= 0xF0 ? 3 : b >= 0xE0 ? 2 : 1;
  char32_t c = b & (0x3F >> extra);
  for (int k = 0; k < extra && i < s.size(); ++k) c = (c << 6) | (static_cast<unsigned char>(s[i++]) & 0x3F);
  return c;
}

std::string ToCp437(const std::string& row) {
  std::string out;
  for (size_t i = 0; i < row.size();) {
    char32_t c = NextCodePoint(row, i);
    if (c == '.') {
      out += ' ';
      continue;
    }
    int b = UnicodeToCp437(c);
    if (b < 0) throw std::runtime_error("gallery: font glyph not in CP437");
    out += static_cast<char>(b);
  }
  return out;
}

}  // namespace

BlockFont BlockFont::Parse(const std::string& utf8) {
  BlockFont f;
  std::istringstream in(utf8);
  std::string line;
  std::vector<std::string>* glyph = nullptr;
  while (std::getline(in, line)) {
    if (line.empty() || line[0] == '#') continue;
    if (line.rfind("= ", 0) == 0) {
      char key = line.substr(2) == "space" ? ' ' : line[2];
      glyph = &f.glyphs_[static_cast<char>(std::toupper(static_cast<unsigned char>(key)))];
      continue;
    }
    if (glyph) glyph->push_back(ToCp437(line));
  }
  for (const auto& [key, rows] : f.glyphs_) {
    if (f.height_ == 0) f.height_ = static_cast<int>(rows.size());
    if (static_cast<int>(rows.size()) != f.height_) {
      throw std::runtime_error(std::string("gallery: font glyph '") + key + "' has a wrong height");
    }
  }
  return f;
}

const std::vector<std::string>& BlockFont::Glyph(char c) const {
  auto it = glyphs_.find(static_cast<char>(std::toupper(static_cast<unsigned char>(c))));
  if (it == glyphs_.end()) throw std::runtime_error(std::string("gallery: font has no glyph '") + c + "'");
  return it->second;
}

int BlockFont::Width(std::string_view text) const {
  int w = 0;
  for (char c : text) w += static_cast<int>(Glyph(c)[0].size()) + 1;
  return w > 0 ? w - 1 : 0;
}

artkit::Canvas BlockFont::Render(std::string_view text) const {
  artkit::Canvas out(Width(text), height_);
  int x = 0;
  for (char c : text) {
    const auto& rows = Glyph(c);
    for (int y = 0; y < height_; ++y) out.Put(x, y, rows[static_cast<size_t>(y)], 0x07);
    x += static_cast<int>(rows[0].size()) + 1;
  }
  return out;
}

std::vector<std::vector<bool>> InkMask(const artkit::Canvas& text, int sx, int sy) {
  std::vector<std::vector<bool>> mask(static_cast<size_t>(text.height() * 2 * sy),
                                      std::vector<bool>(static_cast<size_t>(text.width() * sx)));
  for (int y = 0; y < text.height() * 2; ++y) {
    for (int x = 0; x < text.width(); ++x) {
      uint8_t ch = text.at(x, y / 2).ch;
      bool ink = ch == 0xDB || (ch == 0xDF && y % 2 == 0) || (ch == 0xDC && y % 2 == 1);
      for (int j = 0; j < sy; ++j)
        for (int i = 0; i < sx; ++i) mask[static_cast<size_t>(y * sy + j)][static_cast<size_t>(x * sx + i)] = ink;
    }
  }
  return mask;
}

std::vector<std::vector<bool>> ReadMask(const std::string& text) {
  std::vector<std::vector<bool>> mask;
  std::istringstream in(text);
  std::string line;
  while (std::getline(in, line)) {
    if (line.empty() || line.rfind("# ", 0) == 0) continue;
    std::vector<bool> row;
    for (char ch : line) row.push_back(ch == '#');
    if (!mask.empty() && row.size() != mask[0].size()) throw std::runtime_error("gallery: ragged pixel grid");
    mask.push_back(row);
  }
  return mask;
}

std::vector<std::vector<bool>> ScaleMask(const std::vector<std::vector<bool>>& mask, int sx, int sy) {
  std::vector<std::vector<bool>> out;
  for (const auto& row : mask) {
    std::vector<bool> wide;
    for (bool ink : row) wide.insert(wide.end(), static_cast<size_t>(sx), ink);
    for (int j = 0; j < sy; ++j) out.push_back(wide);
  }
  return out;
}

}  // namespace gallery
