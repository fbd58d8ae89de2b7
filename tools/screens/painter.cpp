#include "painter.h"

#include <cstdio>
#include <stdexcept>

#include "term/cp437.h"
#include "tools/screens/tokens.h"
#include "tools/screens/utf8.h"

namespace screens {
namespace fs = std::filesystem;

namespace {

char32_t OneGlyph(const std::string& word) {
  const auto g = DecodeUtf8(word);
  if (g.size() != 1) throw std::runtime_error("want one glyph, got \"" + word + "\"");
  return g[0];
}

char OneKey(const std::string& word) {
  if (word.size() != 1) throw std::runtime_error("want one colour key, got \"" + word + "\"");
  return word[0];
}

// "c" centres an item of the given width on the 80 columns.
int Column(const std::string& word, int width) {
  return word == "c" ? 1 + (80 - width) / 2 : ParseInt(word, "column");
}

std::vector<std::u32string> TallRows(const std::vector<std::u32string>& px, char32_t lit) {
  std::vector<std::u32string> rows;
  for (auto row : px) {
    for (auto& c : row) c = c == U'#' ? lit : U' ';
    rows.push_back(row);
  }
  return rows;
}

}  // namespace

Painter::Painter(const Library& lib, artkit::Canvas& canvas, bool plain)
    : lib_(lib), canvas_(canvas), plain_(plain) {}

uint8_t Painter::Attr(char key) const {
  const auto it = lib_.palette.find(key);
  if (it == lib_.palette.end()) throw std::runtime_error(std::string("no palette key '") + key + "'");
  return it->second;
}

void Painter::Put(int x, int y, char32_t glyph, char key) { PutAttr(x, y, glyph, plain_ ? 0x07 : Attr(key)); }

void Painter::PutAttr(int x, int y, char32_t glyph, uint8_t attr) {
  if (x < 1 || x > canvas_.width() || y < 1 || y > canvas_.height()) {
    throw std::runtime_error("cell " + std::to_string(x) + "," + std::to_string(y) + " is off the screen");
  }
  const int byte = UnicodeToCp437(glyph);
  // Bytes below 0x20 and 0x7F act as controls in the interpreter or a terminal, never as glyphs.
  if (byte < 0x20 || byte == 0x7F) {
    char code[16];
    std::snprintf(code, sizeof code, "U+%04X", static_cast<unsigned>(glyph));
    throw std::runtime_error(std::string("glyph ") + code + " has no drawable CP437 byte");
  }
  if (plain_ && byte > 0x7E) throw std::runtime_error("a plain twin draws ASCII only");
  auto& cell = canvas_.at(x - 1, y - 1);
  cell.ch = static_cast<uint8_t>(byte);
  cell.attr = plain_ ? 0x07 : attr;
}

namespace {

// The options of a "letters" line, which may stand anywhere after its name.
struct LetterStyle {
  std::vector<std::string> args;  // X Y FONT RAMP "word"
  std::u32string ink = U"█▀▄";    // pixel fonts: both, top, bottom lit
  std::string pxramp;             // pixel fonts: one colour key per pixel row
  char shadow = 0;                // colour key of a drop shadow, 0 for none
  char32_t shadowInk = U'░';
  bool tall = false;              // pixel fonts: one pixel row per cell row (the plain twins' large letters)
};

LetterStyle ParseLetterStyle(const std::vector<std::string>& words) {
  LetterStyle st;
  for (size_t i = 1; i < words.size(); ++i) {
    const std::string& word = words[i];
    if (word.rfind("ink=", 0) == 0) {
      st.ink = DecodeUtf8(word.substr(4));
      if (st.ink.size() != 3) throw std::runtime_error("ink= names three glyphs: both, top, bottom lit");
    } else if (word.rfind("pxramp=", 0) == 0) {
      st.pxramp = word.substr(7);
    } else if (word.rfind("shadowink=", 0) == 0) {
      st.shadowInk = OneGlyph(word.substr(10));
    } else if (word.rfind("shadow=", 0) == 0) {
      st.shadow = OneKey(word.substr(7));
    } else if (word == "tall") {
      st.tall = true;
    } else {
      st.args.push_back(word);
    }
  }
  if (st.args.size() != 5) throw std::runtime_error("want: letters X Y FONT RAMP \"word\" [options]");
  if (st.args[3].empty()) throw std::runtime_error("empty colour ramp");
  return st;
}

}  // namespace

void Painter::Letters(const std::vector<std::string>& words, int dx, int dy) {
  const LetterStyle st = ParseLetterStyle(words);
  const auto fontIt = lib_.fonts.find(st.args[2]);
  if (fontIt == lib_.fonts.end()) throw std::runtime_error("no font " + st.args[2]);
  const Font& font = fontIt->second;
  const std::string& ramp = st.args[3];
  const bool perPixel = font.pixels && !st.pxramp.empty() && !st.tall;
  // Lay the word out first: its width decides a centred position.
  struct Placed { int x; std::vector<std::u32string> rows; const std::vector<std::u32string>* px; };
  std::vector<Placed> placed;
  int width = 0;
  for (const char32_t c : DecodeUtf8(st.args[4])) {
    if (c == U' ') {
      width += font.space;
      continue;
    }
    const auto g = font.glyphs.find(c);
    if (g == font.glyphs.end()) throw std::runtime_error("font " + st.args[2] + " lacks a glyph of \"" + st.args[4] + "\"");
    if (!placed.empty()) width += font.spacing;
    auto rows = !font.pixels ? g->second : st.tall ? TallRows(g->second, st.ink[0]) : PackPixelRows(g->second, st.ink);
    placed.push_back({width, std::move(rows), &g->second});
    width += static_cast<int>(placed.back().rows[0].size());
  }
  const int x0 = Column(st.args[0], width) + dx;
  const int y0 = ParseInt(st.args[1], "row") + dy;
  // The shadow goes first, one cell right and down, so the letters cover it. It is drawn as a
  // shade, not as the glyph: half blocks would show a glyph shadow through their empty half.
  for (int pass = st.shadow ? 0 : 1; pass < 2; ++pass) {
    for (const auto& p : placed) {
      for (size_t r = 0; r < p.rows.size(); ++r) {
        for (size_t c = 0; c < p.rows[r].size(); ++c) {
          if (p.rows[r][c] == U' ') continue;
          const int x = x0 + p.x + static_cast<int>(c), y = y0 + static_cast<int>(r);
          if (pass == 0) {
            Put(x + 1, y + 1, st.shadowInk, st.shadow);
          } else if (perPixel) {
            PixelCell(x, y, *p.px, 2 * r, c, st.pxramp);
          } else {
            Put(x, y, p.rows[r][c], ramp[std::min(r, ramp.size() - 1)]);
          }
        }
      }
    }
  }
}

// One cell of a pixel font coloured per pixel row: the lower pixel can take a dark colour as
// background, so a gradient changes colour every pixel row where the ramp allows it.
void Painter::PixelCell(int x, int y, const std::vector<std::u32string>& px, size_t r, size_t c,
                        const std::string& ramp) {
  auto lit = [&](size_t row) { return row < px.size() && c < px[row].size() && px[row][c] == U'#'; };
  auto colour = [&](size_t row) { return Attr(ramp[std::min(row, ramp.size() - 1)]) & 0x0F; };
  const bool top = lit(r), bottom = lit(r + 1);
  const int t = colour(r), u = colour(r + 1);
  if (top && bottom && t != u) {
    if (u < 8) return PutAttr(x, y, U'▀', static_cast<uint8_t>(t | u << 4));
    if (t < 8) return PutAttr(x, y, U'▄', static_cast<uint8_t>(u | t << 4));
    return PutAttr(x, y, U'█', static_cast<uint8_t>(t));  // two bright colours: keep the upper
  }
  if (top && bottom) return PutAttr(x, y, U'█', static_cast<uint8_t>(t));
  if (top) return PutAttr(x, y, U'▀', static_cast<uint8_t>(t));
  return PutAttr(x, y, U'▄', static_cast<uint8_t>(u));
}

size_t Painter::Grid(const std::vector<std::string>& lines, size_t at, int x, int y, char key) {
  // Glyph rows, then optionally "paint" and colour rows, then "end".
  std::vector<std::u32string> glyphs, colours;
  bool painting = false;
  size_t n = at;
  for (; n < lines.size(); ++n) {
    const auto w = Tokenize(lines[n]);
    if (IsGridRow(lines[n])) {
      (painting ? colours : glyphs).push_back(GridRow(lines[n]));
    } else if (!w.empty() && w[0] == "paint" && !painting) {
      painting = true;
    } else if (!w.empty() && w[0] == "end") {
      break;
    } else if (!w.empty()) {
      throw std::runtime_error("inside a grid: want \"|row\", paint or end");
    }
  }
  if (n == lines.size()) throw std::runtime_error("grid without end");
  for (size_t r = 0; r < glyphs.size() || r < colours.size(); ++r) {
    const std::u32string g = r < glyphs.size() ? glyphs[r] : U"";
    if (!painting) {
      for (size_t c = 0; c < g.size(); ++c) {
        if (g[c] != U' ') Put(x + static_cast<int>(c), y + static_cast<int>(r), g[c], key);
      }
      continue;
    }
    const std::u32string k = r < colours.size() ? colours[r] : U"";
    if (g.size() > k.size()) {
      throw std::runtime_error("grid row " + std::to_string(r + 1) + " has glyphs without colour");
    }
    for (size_t c = 0; c < k.size(); ++c) {
      if (k[c] == U' ') continue;  // transparent
      if (k[c] > 0x7E) throw std::runtime_error("colour keys are ASCII");
      Put(x + static_cast<int>(c), y + static_cast<int>(r), c < g.size() ? g[c] : U' ', static_cast<char>(k[c]));
    }
  }
  return n;
}

void Painter::Run(const fs::path& file, int dx, int dy, Header& header, int depth) {
  if (depth > 8) throw std::runtime_error(file.string() + ": includes nest too deep");
  const auto lines = ReadLines(file);
  for (size_t n = 0; n < lines.size(); ++n) {
    try {
      const auto w = Tokenize(lines[n]);
      if (w.empty()) continue;
      const std::string& op = w[0];
      auto need = [&](size_t count, const char* usage) {
        if (w.size() != count) throw std::runtime_error(std::string("want: ") + usage);
      };
      if (op == "rows") {
        need(2, "rows N");
        header.rows = ParseInt(w[1], "row count");
        if (header.rows < 1 || header.rows > 25) throw std::runtime_error("a screen has 1-25 rows");
      } else if (op == "sauce") {
        need(5, "sauce \"title\" \"author\" \"group\" CCYYMMDD");
        header.hasSauce = true;
        header.sauce = {w[1], w[2], w[3], w[4]};
      } else if (op == "fill") {
        need(7, "fill X1 Y1 X2 Y2 GLYPH KEY");
        const int x1 = ParseInt(w[1], "x1") + dx, y1 = ParseInt(w[2], "y1") + dy;
        const int x2 = ParseInt(w[3], "x2") + dx, y2 = ParseInt(w[4], "y2") + dy;
        for (int y = y1; y <= y2; ++y)
          for (int x = x1; x <= x2; ++x) Put(x, y, OneGlyph(w[5]), OneKey(w[6]));
      } else if (op == "frame") {
        need(7, "frame X1 Y1 X2 Y2 STYLE KEY");
        const auto it = lib_.frames.find(w[5]);
        if (it == lib_.frames.end()) throw std::runtime_error("no frame style " + w[5]);
        const auto& s = it->second;
        const char key = OneKey(w[6]);
        const int x1 = ParseInt(w[1], "x1") + dx, y1 = ParseInt(w[2], "y1") + dy;
        const int x2 = ParseInt(w[3], "x2") + dx, y2 = ParseInt(w[4], "y2") + dy;
        for (int x = x1 + 1; x < x2; ++x) Put(x, y1, s[1], key), Put(x, y2, s[6], key);
        for (int y = y1 + 1; y < y2; ++y) Put(x1, y, s[3], key), Put(x2, y, s[4], key);
        Put(x1, y1, s[0], key), Put(x2, y1, s[2], key), Put(x1, y2, s[5], key), Put(x2, y2, s[7], key);
      } else if (op == "text") {
        need(5, "text X|c Y KEY \"text\"");
        const auto text = DecodeUtf8(w[4]);
        const int x = Column(w[1], static_cast<int>(text.size())) + dx;
        const int y = ParseInt(w[2], "row") + dy;
        for (size_t i = 0; i < text.size(); ++i) Put(x + static_cast<int>(i), y, text[i], OneKey(w[3]));
      } else if (op == "letters") {
        Letters(w, dx, dy);
      } else if (op == "grid") {
        if (w.size() != 3 && w.size() != 4) throw std::runtime_error("want: grid X Y [KEY]");
        n = Grid(lines, n + 1, ParseInt(w[1], "column") + dx, ParseInt(w[2], "row") + dy,
                 w.size() == 4 ? OneKey(w[3]) : '.');
      } else if (op == "include") {
        if (w.size() != 2 && w.size() != 4) throw std::runtime_error("want: include FILE [DX DY]");
        const int ix = w.size() == 4 ? ParseInt(w[2], "dx") : 0;
        const int iy = w.size() == 4 ? ParseInt(w[3], "dy") : 0;
        Header ignored;
        Run(lib_.root / w[1], dx + ix, dy + iy, ignored, depth + 1);
      } else {
        throw std::runtime_error("unknown directive " + op);
      }
    } catch (const std::runtime_error& e) {
      const std::string what = e.what();
      // An error from an included file already names its place.
      if (what.find(".scr:") != std::string::npos) throw;
      throw std::runtime_error(file.string() + ":" + std::to_string(n + 1) + ": " + what);
    }
  }
}

}  // namespace screens
