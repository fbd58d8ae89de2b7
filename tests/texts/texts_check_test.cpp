// Checks the texts against what the text viewer does with their bytes:
// it cuts 78 raw characters per line, turns bars into colour codes by the
// WriteXYPipe rule and draws control bytes as PC glyphs.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "term/strutil.h"
#include "widgets/text_lines.h"

namespace {

struct TextKind {
  const char* name;
  bool pipes;  // colour codes belong in this text
  bool crlf;   // CR LF line ends instead of LF
  bool cp437;  // box-drawing bytes 0x80-0xFF belong in this text
};

constexpr TextKind kTexts[] = {
    {"NEWS", false, false, false},      {"ARTICLE1", true, false, false}, {"ARTICLE2", true, false, false},
    {"ARTICLE3", true, false, false},   {"ARTICLE4", false, false, false}, {"ARTICLE5", true, false, false},
    {"ARTICLE6", true, false, false},   {"ARTICLE7", true, false, false}, {"ARTICLE8", true, false, false},
    {"TUTOR1", false, false, false},    {"TUTOR2", false, false, false},  {"TUTOR3", false, true, true},
    {"EDITORIAL", true, false, false},  {"ABOUTTXT", true, false, false},
};

constexpr size_t kMaxLine = 78;  // the viewer is 79 cells wide, one is the scroll bar

// WriteXYPipe's acceptance: exactly "00", or a value that is positive as a byte.
bool IsCode(const std::string& two) {
  return two == "00" || static_cast<uint8_t>(Str2Int(two)) >= 1;
}

struct Text {
  const TextKind* kind;
  std::string bytes;
  std::vector<std::string> lines;  // split as the viewer splits them
};

const std::vector<Text>& Texts() {
  static const std::vector<Text> texts = [] {
    std::vector<Text> v;
    for (const auto& kind : kTexts) {
      std::ifstream in(std::string(RODI_SOURCE_DIR) + "/content/res/" + kind.name + ".txt", std::ios::binary);
      Text t{&kind, std::string(std::istreambuf_iterator<char>(in), {}), {}};
      t.lines = SplitLines(t.bytes);
      v.push_back(std::move(t));
    }
    return v;
  }();
  return texts;
}

std::string Where(const Text& t, size_t line) {
  return std::string(t.kind->name) + ".txt line " + std::to_string(line + 1) + ": " + t.lines[line];
}

// Present, line ends, bytes of the text's character set only, lines within the viewer.
TEST(Texts, LineEndsBytesAndWidth) {
  for (const auto& t : Texts()) {
    const std::string& b = t.bytes;
    ASSERT_GE(b.size(), 1000u) << t.kind->name << " is missing or a stub";
    EXPECT_EQ(b.back(), '\n') << t.kind->name << " ends without a line end";
    // Every line ends alike: CR LF pairs, or LF with no CR anywhere.
    size_t pairs = 0;
    for (size_t i = b.find("\r\n"); i != std::string::npos; i = b.find("\r\n", i + 2)) ++pairs;
    const auto crs = static_cast<size_t>(std::count(b.begin(), b.end(), '\r'));
    EXPECT_EQ(crs, pairs) << t.kind->name << " has a stray CR";
    EXPECT_EQ(pairs, t.kind->crlf ? static_cast<size_t>(std::count(b.begin(), b.end(), '\n')) : 0) << t.kind->name;
    bool anyBox = false;
    for (size_t n = 0; n < t.lines.size(); ++n) {
      EXPECT_LE(t.lines[n].size(), kMaxLine) << Where(t, n);
      for (const char ch : t.lines[n]) {
        const auto c = static_cast<uint8_t>(ch);
        EXPECT_FALSE(c < 0x20 || c == 0x7F) << Where(t, n) << " (control byte " << int(c) << ")";
        // Above 0x7F only CP437 line and block drawing, never accented letters.
        if (c >= 0x80) {
          EXPECT_TRUE(t.kind->cp437 && c >= 0xB0 && c <= 0xDF) << Where(t, n) << " (byte " << int(c) << ")";
          anyBox = true;
        }
      }
    }
    EXPECT_EQ(anyBox, t.kind->cp437) << t.kind->name << " should frame its code";
  }
}

// Every bar must be an intended code (00-23, in texts that carry codes) or plain text
// that the writer cannot take as a code, also when horizontal scrolling cuts the
// line right after the bar's first following character.
TEST(Texts, CarryOnlyIntendedPipeCodes) {
  for (const auto& t : Texts()) {
    size_t codes = 0;
    for (size_t n = 0; n < t.lines.size(); ++n) {
      const std::string& l = t.lines[n];
      int fg = 7, bg = 16;
      for (size_t i = 0; i < l.size(); ++i) {
        if (l[i] != '|') continue;
        const std::string two = l.substr(i + 1, 2);
        const bool digits = two.size() == 2 && isdigit(static_cast<unsigned char>(two[0])) &&
                            isdigit(static_cast<unsigned char>(two[1]));
        const int value = digits ? std::stoi(two) : -1;
        if (t.kind->pipes && digits && value <= 23) {
          ++codes;
          (value < 16 ? fg : bg) = value;
          i += 2;
          continue;
        }
        EXPECT_FALSE(IsCode(two)) << Where(t, n) << " (bar at column " << i + 1 << ")";
        EXPECT_FALSE(IsCode(two.substr(0, 1))) << Where(t, n) << " (bar at column " << i + 1 << " when cut)";
      }
      // Colour must not spill into the rest of a line or a text saved with Ctrl+S.
      EXPECT_TRUE(fg == 7 && bg == 16) << Where(t, n) << " (ends in colour)";
    }
    if (t.kind->pipes) {
      EXPECT_GT(codes, 5u) << t.kind->name << " has no colour";
    }
  }
}

}  // namespace
