// Every screen of the issue drawn through AnsiDisplay must match a UTF-8
// terminal (so it kept within 25 rows: the terminal scrolls, the image does
// not), end in colour 7 and leave the program's regions blank; the article
// headers give the entry screen's five fields. Gallery pictures scroll by design.
#include <unistd.h>

#include <string>
#include <tuple>
#include <vector>

#include <gtest/gtest.h>

#include "ansi/ansi_display.h"
#include "ansi/templates.h"
#include "content/resources.h"
#include "harness/vt_screen.h"
#include "term/conio.h"
#include "term/cp437.h"
#include "tests/support/console_fixture.h"

namespace {

using rodi::e2e::VtScreen;

struct Region { int x1, y1, x2, y2; };  // 1-based, inclusive
struct Screen {
  std::string name;
  std::vector<Region> blank;  // where the program writes after the drawing
};

std::vector<Screen> AllScreens() {
  const std::vector<Screen> looks = {
      {"MENU", {{53, 10, 69, 16}, {12, 22, 70, 22}}}, {"ARTICLES", {{18, 14, 61, 20}}},
      {"TUTORS", {{18, 14, 61, 20}}}, {"ANSI", {{53, 8, 70, 18}}}, {"ABOUT", {{1, 5, 80, 22}}},
      {"EDIT", {{1, 5, 80, 22}}}, {"LOGO", {}}, {"EXIT", {}},
      {"ARTICLE_HDR", {{1, 8, 79, 21}}},  // the viewer's area, between the markers
  };
  std::vector<Screen> all;
  for (const Screen& s : looks) {
    all.push_back(s);
    all.push_back({s.name + "_ASC", s.blank});
  }
  for (const char* single : {"HELP", "TRACKS", "ARTICLE"}) all.push_back({single, {}});
  return all;
}

// Draws a resource as the magazine does: written to a file, then AnsiDisplay
// at pace 0 on a cleared screen in colour 7.
void DrawResource(const std::string& name) {
  const std::string path = testing::TempDir() + "rodi_app_screen_" + name + ".ans";
  ASSERT_EQ(WriteResource(name, path), std::nullopt) << "no resource " << name;
  TextColor(7);
  ClrScr();
  AnsiDisplay(path, 0);
  unlink(path.c_str());
}

class Drawn : public testing::TestWithParam<Screen> {
 protected:
  void SetUp() override {
    DrawResource(GetParam().name);
    vt.Feed(console.TakeOutput());
  }

  char32_t ImageChar(int x, int y) const { return Cp437ToUnicode(static_cast<uint8_t>(console.Row(y)[x - 1])); }

  ConsoleOnPipes console{Charset::Utf8};
  VtScreen vt{80, 25, true};
};

TEST_P(Drawn, MatchesTheTerminalEndsInColourSevenAndLeavesTheProgramsRegionsBlank) {
  int mismatches = 0;
  for (int y = 1; y <= 25; ++y)
    for (int x = 1; x <= 80; ++x) {
      const auto cell = vt.Cell(x, y);
      if ((cell.ch != ImageChar(x, y) || cell.Attr() != console.Attr(x, y)) && mismatches++ < 5)
        ADD_FAILURE() << GetParam().name << " cell " << x << "," << y << ": image U+" << std::hex
                      << uint32_t(ImageChar(x, y)) << " attr " << int(console.Attr(x, y)) << ", terminal U+"
                      << uint32_t(cell.ch) << " attr " << cell.Attr();
    }
  EXPECT_EQ(GetTextAttr(), 7) << "colour left by " << GetParam().name;
  EXPECT_EQ(vt.Screen().find("\xEF\xBF\xBD"), std::string::npos) << "U+FFFD on the terminal";
  for (const Region& r : GetParam().blank)
    for (int y = r.y1; y <= r.y2; ++y)
      for (int x = r.x1; x <= r.x2; ++x) {
        ASSERT_EQ(ImageChar(x, y), U' ') << "cell " << x << "," << y;
        ASSERT_EQ(console.Attr(x, y) & 0x70, 0) << "cell " << x << "," << y << " not on black";
      }
}

INSTANTIATE_TEST_SUITE_P(Issue, Drawn, testing::ValuesIn(AllScreens()),
                         [](const testing::TestParamInfo<Screen>& info) { return info.param.name; });

class Header : public testing::TestWithParam<std::tuple<const char*, int>> {};

TEST_P(Header, GivesExactlyTheFiveFieldsOfTheEntryScreen) {
  ConsoleOnPipes console{Charset::Utf8};
  const auto [name, column] = GetParam();
  DrawResource(name);
  GetTemplateSimple('!', ' ');
  std::vector<std::pair<int, int>> found;
  for (const TCoord& c : TemplatePos) found.emplace_back(c.X, c.Y);
  const std::vector<std::pair<int, int>> want = {{column, 2}, {column, 3}, {column, 4}, {1, 7}, {79, 22}};
  EXPECT_EQ(found, want);
  FreeTemplate();
}

INSTANTIATE_TEST_SUITE_P(Issue, Header,
                         testing::Values(std::tuple{"ARTICLE_HDR", 30}, std::tuple{"ARTICLE_HDR_ASC", 34}));

}  // namespace
