#include "hand_back.h"

#include <charconv>
#include <map>

namespace rodi::e2e {

std::string HandBackProblems(std::string_view raw, int rows) {
  std::string lastSgr, lastCharset, lastRegion;
  std::map<int, char> modes;  // DEC private mode -> last 'h' or 'l'
  for (size_t i = 0; i + 1 < raw.size(); ++i) {
    if (raw[i] != '\x1b') continue;
    if (raw[i + 1] == '(' && i + 2 < raw.size()) lastCharset = raw[i + 2];
    if (raw[i + 1] != '[') continue;
    size_t j = i + 2;
    while (j < raw.size() && raw[j] >= 0x20 && raw[j] <= 0x3F) ++j;
    if (j >= raw.size() || raw[j] < 0x40 || raw[j] > 0x7E) continue;
    std::string params(raw.substr(i + 2, j - i - 2));
    char final = raw[j];
    if (final == 'm') lastSgr = params.empty() ? "0" : params;
    if (final == 'r') lastRegion = params.empty() ? "1;" + std::to_string(rows) : params;
    if ((final == 'h' || final == 'l') && params.starts_with('?'))
      for (size_t start = 1; start <= params.size();) {
        size_t end = std::min(params.find(';', start), params.size());
        int mode = 0;
        auto [p, ec] = std::from_chars(params.data() + start, params.data() + end, mode);
        if (ec == std::errc() && p == params.data() + end) modes[mode] = final;
        start = end + 1;
      }
    i = j;
  }
  std::string problems;
  if (!lastSgr.empty() && lastSgr != "0")
    problems += "the last SGR is \\e[" + lastSgr + "m, not a reset \\e[0m\n";
  if (!lastCharset.empty() && lastCharset != "B") problems += "G0 is left at \\e(" + lastCharset + ", not \\e(B\n";
  if (!lastRegion.empty() && lastRegion != "1;" + std::to_string(rows))
    problems += "the scrolling region is left at \\e[" + lastRegion + "r, not \\e[r\n";
  for (auto [mode, state] : modes)
    if (state != (mode == 7 || mode == 25 ? 'h' : 'l'))  // autowrap and cursor are on by default
      problems += "private mode ?" + std::to_string(mode) + " is left " + state + "\n";
  return problems;
}

}  // namespace rodi::e2e
