// text2cp437 [--crlf] [--check] SOURCE TARGET
// Converts a UTF-8 text into code page 437 bytes (LF, or CR LF with --crlf), so
// texts with box drawing can be edited in any modern editor. With --check the
// result is compared with TARGET instead of written: exit 1 when they differ.
#include <cstdio>
#include <fstream>
#include <iterator>
#include <optional>
#include <sstream>
#include <string>

#include "term/cp437.h"

namespace {

std::optional<std::string> ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return std::nullopt;
  return std::string(std::istreambuf_iterator<char>(in), {});
}

// Decodes one UTF-8 sequence at s[i], advancing i; -1 on malformed input.
long DecodeUtf8(const std::string& s, size_t& i) {
  const auto b0 = static_cast<unsigned char>(s[i++]);
  if (b0 < 0x80) return b0;
  int extra = b0 >= 0xF0 ? 3 : b0 >= 0xE0 ? 2 : b0 >= 0xC0 ? 1 : -1;
  if (extra < 0) return -1;
  long c = b0 & (0x3F >> extra);
  for (int k = 0; k < extra; ++k) {
    if (i >= s.size()) return -1;
    const auto b = static_cast<unsigned char>(s[i++]);
    if ((b & 0xC0) != 0x80) return -1;
    c = (c << 6) | (b & 0x3F);
  }
  return c;
}

}  // namespace

int main(int argc, char** argv) {
  bool crlf = false, check = false;
  int arg = 1;
  for (; arg < argc && argv[arg][0] == '-' && argv[arg][1] == '-'; ++arg) {
    const std::string opt = argv[arg];
    if (opt == "--crlf") crlf = true;
    else if (opt == "--check") check = true;
    else { std::fprintf(stderr, "text2cp437: unknown option %s\n", argv[arg]); return 2; }
  }
  if (argc - arg != 2) {
    std::fprintf(stderr, "usage: text2cp437 [--crlf] [--check] SOURCE TARGET\n");
    return 2;
  }
  const std::string src = argv[arg], dst = argv[arg + 1];
  const auto text = ReadFile(src);
  if (!text) { std::fprintf(stderr, "text2cp437: cannot read %s\n", src.c_str()); return 2; }

  std::string out;
  size_t line = 1;
  for (size_t i = 0; i < text->size();) {
    const long c = DecodeUtf8(*text, i);
    if (c == '\n') {
      out += crlf ? "\r\n" : "\n";
      ++line;
      continue;
    }
    // Control bytes would be drawn as PC glyphs: a source holding one is a typo.
    const int b = (c < 0x20 || c == 0x7F) ? -1 : UnicodeToCp437(static_cast<char32_t>(c));
    if (b < 0) {
      std::fprintf(stderr, "%s:%zu: character U+%04lX has no place in the text\n", src.c_str(),
                   line, c < 0 ? 0xFFFDL : c);
      return 1;
    }
    out += static_cast<char>(b);
  }

  if (check) {
    const auto old = ReadFile(dst);
    if (old == out) return 0;
    std::fprintf(stderr, "text2cp437: %s is not the conversion of %s; regenerate it\n",
                 dst.c_str(), src.c_str());
    return 1;
  }
  std::ofstream of(dst, std::ios::binary);
  of << out;
  return of ? 0 : 2;
}
