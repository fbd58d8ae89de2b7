#include "hand_back.h"

#include <charconv>
#include <map>

namespace rodi::e2e {

namespace {

struct Csi {
  std::string params;  // parameter bytes, private marker included
  char final = 0;
};

std::string Show(std::string_view s) {
  std::string out;
  for (char c : s) out += c == '\x1b' ? std::string("\\e") : std::string(1, c);
  return out;
}

}  // namespace

std::string HandBackProblems(std::string_view raw, int rows) {
  std::string lastSgr, lastCharset, lastRegion;
  std::map<int, char> modes;  // DEC private mode -> last 'h' or 'l'
  bool anySgr = false, anyRegion = false;
  for (size_t i = 0; i + 1 < raw.size(); ++i) {
    if (raw[i] != '\x1b') continue;
    if (raw[i + 1] == '(' && i + 2 < raw.size()) {
      lastCharset = std::string(raw.substr(i, 3));
      continue;
    }
    if (raw[i + 1] != '[') continue;
    size_t j = i + 2;
    Csi csi;
    while (j < raw.size() && raw[j] >= 0x20 && raw[j] <= 0x3F) csi.params += raw[j++];
    if (j >= raw.size() || raw[j] < 0x40 || raw[j] > 0x7E) continue;
    csi.final = raw[j];
    if (csi.final == 'm') {
      anySgr = true;
      lastSgr = csi.params;
    } else if (csi.final == 'r') {
      anyRegion = true;
      lastRegion = csi.params;
    } else if ((csi.final == 'h' || csi.final == 'l') && !csi.params.empty() &&
               csi.params[0] == '?') {
      std::string list = csi.params.substr(1);
      size_t start = 0;
      while (start <= list.size()) {
        size_t end = list.find(';', start);
        if (end == std::string::npos) end = list.size();
        int mode = 0;
        auto [ptr, ec] = std::from_chars(list.data() + start, list.data() + end, mode);
        if (ec == std::errc() && ptr == list.data() + end) modes[mode] = csi.final;
        start = end + 1;
      }
    }
    i = j;
  }
  std::string problems;
  if (anySgr && lastSgr != "0" && !lastSgr.empty())
    problems += "the last SGR is \\e[" + lastSgr + "m, not a reset \\e[0m\n";
  if (!lastCharset.empty() && lastCharset != "\x1b(B")
    problems += "G0 is left at " + Show(lastCharset) + ", not \\e(B\n";
  if (anyRegion && !lastRegion.empty() && lastRegion != "1;" + std::to_string(rows))
    problems += "the scrolling region is left at \\e[" + lastRegion + "r, not \\e[r\n";
  for (auto [mode, state] : modes) {
    char wanted = (mode == 7 || mode == 25) ? 'h' : 'l';  // autowrap and cursor are on by default
    if (state != wanted)
      problems += "private mode ?" + std::to_string(mode) + " is left " + state + "\n";
  }
  return problems;
}

}  // namespace rodi::e2e
