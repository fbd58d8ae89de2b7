#include "sgr.h"

#include "tools/artkit/canvas.h"

namespace artkit {

char AnsiDigit(int pcColour) { return "04261537"[pcColour & 7]; }

namespace {

void Add(std::string& list, std::string_view p) {
  if (!list.empty()) list += ';';
  list += p;
}

// Parameters after a possible reset, from the state (fg, bg).
std::string Delta(int fg, int bg, uint8_t to) {
  std::string list;
  if (Fg(to) > 7 && fg < 8) Add(list, "1");
  if ((Fg(to) & 7) != (fg & 7)) Add(list, std::string{'3', AnsiDigit(Fg(to))});
  if (Bg(to) != bg) Add(list, std::string{'4', AnsiDigit(Bg(to))});
  return list;
}

}  // namespace

std::string SgrSequence(uint8_t from, uint8_t to) {
  if (from == to) return {};
  std::string withReset = "0";
  std::string rest = Delta(7, 0, to);
  if (!rest.empty()) withReset += ";" + rest;
  std::string list = withReset;
  if (!(Fg(from) > 7 && Fg(to) < 8)) {
    std::string plain = Delta(Fg(from), Bg(from), to);
    if (plain.size() <= withReset.size()) list = plain;
  }
  return "\x1b[" + list + "m";
}

}  // namespace artkit
