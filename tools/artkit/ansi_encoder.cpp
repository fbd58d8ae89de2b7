#include "ansi_encoder.h"

#include <array>
#include <limits>
#include <stdexcept>
#include <vector>

#include "tools/artkit/sgr.h"

namespace artkit {

bool IsForbiddenGlyph(uint8_t ch) {
  return ch == 0x00 || (ch >= 0x07 && ch <= 0x0F) || ch == 0x1A || ch == 0x1B || ch == 0x7F;
}

size_t FindPipeCode(const std::string& b) {
  auto digit = [](char c) { return c >= '0' && c <= '9'; };
  for (size_t i = 0; i + 2 < b.size(); ++i) {
    if (b[i] == '|' && digit(b[i + 1]) && digit(b[i + 2]) && (b[i + 1] - '0') * 10 + (b[i + 2] - '0') <= 23) {
      return i;
    }
  }
  return std::string::npos;
}

namespace {

constexpr int kStates = 128;  // fg 0-15 + 16 * bg 0-7
constexpr int kScreenRows = 25;

std::string Where(int x, int y) { return "(" + std::to_string(x) + "," + std::to_string(y) + ")"; }

void Validate(const Canvas& c) {
  if (c.width() > 80) throw std::invalid_argument("artkit: canvas wider than 80 columns");
  for (int y = 0; y < c.height(); ++y) {
    for (int x = 0; x < c.width(); ++x) {
      const Cell& cell = c.at(x, y);
      if (IsForbiddenGlyph(cell.ch)) {
        throw std::invalid_argument("artkit: cell " + Where(x, y) + " holds forbidden byte " +
                                    std::to_string(cell.ch));
      }
      if (cell.attr & 0x80) throw std::invalid_argument("artkit: cell " + Where(x, y) + " blinks");
    }
  }
}

bool Blank(const Cell& c) { return c.ch == ' ' && Bg(c.attr) == 0; }

// Attributes that draw the cell as the canvas says.
std::vector<uint8_t> Choices(const Cell& c, bool needBlackBg) {
  std::vector<uint8_t> out;
  if (c.ch == ' ') {
    if (!needBlackBg || Bg(c.attr) == 0)
      for (int fg = 0; fg < 16; ++fg) out.push_back(Attr(fg, Bg(c.attr)));
  } else if (c.ch == 0xDB) {
    for (int bg = 0; bg < (needBlackBg ? 1 : 8); ++bg) out.push_back(Attr(Fg(c.attr), bg));
  } else if (!needBlackBg || Bg(c.attr) == 0) {
    out.push_back(c.attr);
  }
  return out;
}

// One step of the output: a cell's glyph or a line break (ch 0), with the
// attributes allowed while it is written (empty: any).
struct Token {
  uint8_t ch;
  std::vector<uint8_t> allowed;
};

std::vector<Token> Tokens(const Canvas& c) {
  std::vector<Token> tokens;
  bool prevFull = false;
  for (int y = 0; y < c.height(); ++y) {
    int len = c.width();
    while (len > 0 && Blank(c.at(len - 1, y))) --len;
    // Below the first screen the terminal scrolls, filling the new row with
    // the background in effect; trimmed cells rely on that being black.
    bool scrolls = y >= kScreenRows;
    if (prevFull) {
      // Only the next glyph performs the pending wrap: never leave the row empty.
      if (len == 0) len = 1;
      if (scrolls && len < c.width() && Choices(c.at(0, y), true).empty()) len = c.width();
    } else if (y > 0) {
      Token br{0, {}};
      if (scrolls && len < c.width())
        for (int fg = 0; fg < 16; ++fg) br.allowed.push_back(Attr(fg, 0));
      tokens.push_back(br);
    }
    for (int x = 0; x < len; ++x) {
      bool wrapScroll = prevFull && x == 0 && scrolls && len < c.width();
      tokens.push_back(Token{c.at(x, y).ch, Choices(c.at(x, y), wrapScroll)});
    }
    prevFull = c.width() == 80 && len == 80;
  }
  return tokens;
}

// Picks an attribute per constrained token so that the SGR bytes are fewest.
std::vector<uint8_t> Plan(const std::vector<Token>& tokens) {
  static const auto kCost = [] {
    std::array<std::array<int, kStates>, kStates> t{};
    for (int a = 0; a < kStates; ++a)
      for (int b = 0; b < kStates; ++b)
        t[a][b] = static_cast<int>(SgrSequence(static_cast<uint8_t>(a), static_cast<uint8_t>(b)).size());
    return t;
  }();
  std::vector<const Token*> steps;
  for (const Token& t : tokens)
    if (!t.allowed.empty()) steps.push_back(&t);
  std::vector<std::vector<int>> from(steps.size());
  std::vector<int> prevCost{0};
  std::vector<uint8_t> prevStates{0x07};
  for (size_t i = 0; i < steps.size(); ++i) {
    const auto& states = steps[i]->allowed;
    std::vector<int> cost(states.size(), std::numeric_limits<int>::max());
    from[i].assign(states.size(), 0);
    for (size_t s = 0; s < states.size(); ++s) {
      for (size_t p = 0; p < prevStates.size(); ++p) {
        int c = prevCost[p] + kCost[prevStates[p]][states[s]];
        if (c < cost[s]) {
          cost[s] = c;
          from[i][s] = static_cast<int>(p);
        }
      }
    }
    prevCost = std::move(cost);
    prevStates = states;
  }
  std::vector<uint8_t> plan(steps.size());
  size_t best = 0;
  for (size_t s = 1; s < prevCost.size(); ++s)
    if (prevCost[s] < prevCost[best]) best = s;
  for (size_t i = steps.size(); i-- > 0;) {
    plan[i] = steps[i]->allowed[best];
    best = static_cast<size_t>(from[i][best]);
  }
  return plan;
}

}  // namespace

std::string EncodeAnsi(const Canvas& canvas, Home home) {
  Validate(canvas);
  std::vector<Token> tokens = Tokens(canvas);
  std::vector<uint8_t> plan = Plan(tokens);
  std::string out = home == Home::Clear ? "\x1b[0m\x1b[2J\x1b[H" : "\x1b[0m\x1b[H";
  uint8_t attr = 0x07;
  size_t step = 0;
  for (const Token& t : tokens) {
    if (!t.allowed.empty()) {
      out += SgrSequence(attr, plan[step]);
      attr = plan[step++];
    }
    if (t.ch == 0) {
      out += "\r\n";
      continue;
    }
    bool digit = t.ch >= '0' && t.ch <= '9';
    size_t n = out.size();
    if (digit && n >= 2 && out[n - 2] == '|' && out[n - 1] >= '0' && out[n - 1] <= '9' &&
        (out[n - 1] - '0') * 10 + (t.ch - '0') <= 23) {
      out += std::string("\x1b[3") + AnsiDigit(Fg(attr)) + "m";  // changes nothing
    }
    out += static_cast<char>(t.ch);
  }
  out += "\x1b[0m";
  return out;
}

}  // namespace artkit
