#include "strutil.h"

#include <algorithm>
#include <limits>

namespace {

std::string_view Cut(std::string_view s) { return s.substr(0, kMaxStr); }

int DigitValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return 99;
}

}  // namespace

char LoCase(char ch) { return (ch >= 'A' && ch <= 'Z') ? static_cast<char>(ch + 32) : ch; }

std::string Lower(std::string_view s) {
  std::string r(Cut(s));
  for (char& c : r) c = LoCase(c);
  return r;
}

std::string Upper(std::string_view s) {
  std::string r(Cut(s));
  for (char& c : r) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 32);
  }
  return r;
}

std::string AddSlash(std::string_view s) {
  std::string r(Cut(s));
  if (r.empty() || r.back() != '/') r += '/';
  return std::string(Cut(r));
}

std::string StrRep(char ch, uint8_t n) { return std::string(n, ch); }

std::string StrPadR(std::string_view s, uint8_t len, char ch) {
  s = Cut(s);
  if (s.size() > len) return std::string(s.substr(0, len));
  return std::string(s) + std::string(len - s.size(), ch);
}

std::string StrPadL(std::string_view s, uint8_t len, char ch) {
  s = Cut(s);
  if (s.size() >= len) return std::string(s.substr(0, len));
  return std::string(len - s.size(), ch) + std::string(s);
}

std::string StrPadC(std::string_view s, uint8_t len, char ch) {
  s = Cut(s);
  if (s.size() > len) return std::string(s.substr(0, len));
  size_t left = (len - s.size()) / 2;
  size_t right = len - s.size() - left;
  return std::string(left, ch) + std::string(s) + std::string(right, ch);
}

uint8_t StrMciLen(std::string_view s) {
  s = Cut(s);
  size_t visible = 0;
  size_t i = 0;
  // Each bar with two characters after it is removed with them; the rest counts.
  while (i < s.size()) {
    size_t bar = s.find('|', i);
    if (bar == std::string_view::npos || s.size() - bar - 1 < 2) {
      visible += s.size() - i;
      break;
    }
    visible += bar - i;
    i = bar + 3;
  }
  return static_cast<uint8_t>(visible);
}

uint8_t StrFMciLen(std::string_view s, uint8_t len) {
  return static_cast<uint8_t>((len + Cut(s).size() - StrMciLen(s)) % 256);
}

int32_t Str2Int(std::string_view s) {
  s = Cut(s);
  size_t i = 0;
  while (i < s.size() && (s[i] == ' ' || s[i] == '\t')) ++i;
  bool negative = false;
  if (i < s.size() && (s[i] == '+' || s[i] == '-')) negative = s[i++] == '-';
  int radix = 10;
  if (i + 1 < s.size() && s[i] == '0' && (s[i + 1] == 'x' || s[i + 1] == 'X')) {
    radix = 16;
    i += 2;
  } else if (i < s.size()) {
    switch (s[i]) {
      case '$': case 'x': case 'X': radix = 16; ++i; break;
      case '&': radix = 8; ++i; break;
      case '%': radix = 2; ++i; break;
      default: break;
    }
  }
  const size_t digitsStart = i;
  while (i < s.size() && s[i] == '0') ++i;
  bool anyDigit = i > digitsStart;
  int64_t value = 0;
  const int64_t limit = negative ? -static_cast<int64_t>(std::numeric_limits<int32_t>::min())
                                 : std::numeric_limits<int32_t>::max();
  for (; i < s.size(); ++i) {
    int d = DigitValue(s[i]);
    if (d >= radix) return 0;
    value = value * radix + d;
    if (value > limit) return 0;
    anyDigit = true;
  }
  if (!anyDigit) return 0;
  return static_cast<int32_t>(negative ? -value : value);
}

std::string Int2Str(int32_t n) { return std::to_string(n); }

std::string FitName(const std::string& head, const std::string& name, const std::string& tail,
                    size_t width) {
  const size_t room = width - std::min(width, head.size() + tail.size());
  std::string shown = name;
  if (shown.size() > room) {
    const size_t keep = room > 3 ? room - 3 : 0;
    shown = "..." + shown.substr(shown.size() - keep);
  }
  std::string line = head + shown + tail;
  line.resize(width, ' ');
  return line;
}
