#include "keys.h"

namespace rodi::e2e::keys {

namespace {

size_t Utf8Length(unsigned char lead) {
  if (lead >= 0xF0 && lead < 0xF8) return 4;
  if (lead >= 0xE0) return lead < 0xF0 ? 3 : 1;
  if (lead >= 0xC0) return 2;
  return 1;
}

// Length of the escape sequence at the start of s, or 1 for a lone ESC.
size_t EscapeLength(std::string_view s) {
  if (s.size() >= 3 && s[1] == 'O') return 3;
  if (s.size() >= 3 && s[1] == '[') {
    for (size_t i = 2; i < s.size(); ++i) {
      unsigned char c = static_cast<unsigned char>(s[i]);
      if (c >= 0x40 && c <= 0x7E) return i + 1;
      if (c < 0x20 || c > 0x3F) break;  // not a parameter or intermediate byte
    }
  }
  return 1;
}

}  // namespace

std::vector<std::string> SplitKeys(std::string_view bytes) {
  std::vector<std::string> out;
  while (!bytes.empty()) {
    size_t n = bytes[0] == '\x1b' ? EscapeLength(bytes)
                                  : Utf8Length(static_cast<unsigned char>(bytes[0]));
    if (n > bytes.size()) n = bytes.size();
    out.emplace_back(bytes.substr(0, n));
    bytes.remove_prefix(n);
  }
  return out;
}

}  // namespace rodi::e2e::keys
