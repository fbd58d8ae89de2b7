// Checks the texts against what the text viewer does with their bytes:
// it cuts 78 raw characters per line, turns bars into colour codes by the
// WriteXYPipe rule and draws control bytes as PC glyphs.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "term/strutil.h"
#include "widgets/text_lines.h"

namespace {

// Each text, and whether colour codes belong in it.
constexpr std::pair<const char*, bool> kTexts[] = {
    {"NEWS", false},     {"ARTICLE1", true},  {"ARTICLE2", true}, {"ARTICLE3", true}, {"ARTICLE4", false},
    {"ARTICLE5", true},  {"ARTICLE6", true},  {"ARTICLE7", true}, {"ARTICLE8", true}, {"TUTOR1", false},
    {"TUTOR2", false},   {"TUTOR3", false},   {"EDITORIAL", true}, {"ABOUTTXT", true},
};

constexpr size_t kMaxLine = 78;  // the viewer is 79 cells wide, one is the scroll bar

// WriteXYPipe's acceptance: exactly "00", or a value that is positive as a byte.
bool IsCode(const std::string& two) { return two == "00" || static_cast<uint8_t>(Str2Int(two)) >= 1; }

// Present, line ends, bytes of the text's character set only, lines within the
// viewer, and every bar an intended code (00-23, in texts that carry codes) or
// plain text that the writer cannot take as a code, also when horizontal
// scrolling cuts the line right after the bar's first following character.
TEST(Texts, LineEndsBytesWidthAndOnlyIntendedPipeCodes) {
  for (const auto& [name, pipes] : kTexts) {
    // TUTOR3 alone has CR LF line ends and frames its code in CP437 box drawing (0x80-0xFF).
    const bool framed = std::string(name) == "TUTOR3";
    std::ifstream in(std::string(RODI_SOURCE_DIR) + "/content/res/" + name + ".txt", std::ios::binary);
    const std::string b{std::istreambuf_iterator<char>(in), {}};
    ASSERT_GE(b.size(), 1000u) << name << " is missing or a stub";
    EXPECT_EQ(b.back(), '\n') << name << " ends without a line end";
    // Every line ends alike: a CR for each LF (TUTOR3, so made from its source), or no CR at all.
    EXPECT_EQ(std::count(b.begin(), b.end(), '\r'), framed ? std::count(b.begin(), b.end(), '\n') : 0) << name;

    const std::vector<std::string> lines = SplitLines(b);
    bool anyBox = false;
    size_t codes = 0;
    for (size_t n = 0; n < lines.size(); ++n) {
      const std::string& l = lines[n];
      const std::string where = std::string(name) + ".txt line " + std::to_string(n + 1) + ": " + l;
      EXPECT_LE(l.size(), kMaxLine) << where;
      int fg = 7, bg = 16;
      for (size_t i = 0; i < l.size(); ++i) {
        const auto c = static_cast<uint8_t>(l[i]);
        EXPECT_FALSE(c < 0x20 || c == 0x7F) << where << " (control byte " << int(c) << ")";
        // Above 0x7F only CP437 line and block drawing, never accented letters.
        if (c >= 0x80) {
          EXPECT_TRUE(framed && c >= 0xB0 && c <= 0xDF) << where << " (byte " << int(c) << ")";
          anyBox = true;
        }
        if (c != '|') continue;
        const std::string two = l.substr(i + 1, 2);
        const bool digits = two.size() == 2 && two.find_first_not_of("0123456789") == std::string::npos;
        if (pipes && digits && std::stoi(two) <= 23) {
          ++codes;
          (std::stoi(two) < 16 ? fg : bg) = std::stoi(two);
          i += 2;
          continue;
        }
        EXPECT_FALSE(IsCode(two)) << where << " (bar at column " << i + 1 << ")";
        EXPECT_FALSE(IsCode(two.substr(0, 1))) << where << " (bar at column " << i + 1 << " when cut)";
      }
      // Colour must not spill into the rest of a line or a text saved with Ctrl+S.
      EXPECT_TRUE(fg == 7 && bg == 16) << where << " (ends in colour)";
    }
    EXPECT_EQ(anyBox, framed) << name << " should frame its code";
    EXPECT_TRUE(!pipes || codes > 5) << name << " has no colour";
  }
}

}  // namespace
