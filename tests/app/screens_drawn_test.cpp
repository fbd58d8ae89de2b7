// Every screen of the issue drawn through AnsiDisplay must match a UTF-8
// terminal (so it kept within 25 rows: the terminal scrolls, the image does
// not), end in colour 7 and leave the program's regions blank; the article
// headers give the entry screen's five fields. Gallery pictures scroll by design.
#include <unistd.h>

#include <string>
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

struct Region { int x1, y1, x2, y2; };  // 1-based, inclusive
struct Screen {
  std::string name;
  std::vector<Region> blank;  // where the program writes after the drawing
  int fieldColumn = 0;        // a header: the column of its first three marker fields
};

std::vector<Screen> AllScreens() {
  const Region viewer{1, 8, 79, 21};  // between the header's markers
  std::vector<Screen> all = {
      {"HELP", {}}, {"TRACKS", {}}, {"ARTICLE", {}}, {"ARTICLE_HDR", {viewer}, 30}, {"ARTICLE_HDR_ASC", {viewer}, 34}};
  const Screen twinned[] = {
      {"MENU", {{53, 10, 69, 16}, {12, 22, 70, 22}}}, {"ARTICLES", {{18, 14, 61, 20}}},
      {"TUTORS", {{18, 14, 61, 20}}}, {"ANSI", {{53, 8, 70, 18}}}, {"ABOUT", {{1, 5, 80, 22}}},
      {"EDIT", {{1, 5, 80, 22}}}, {"LOGO", {}}, {"EXIT", {}},
  };
  for (const Screen& s : twinned) {
    all.push_back(s);
    all.push_back({s.name + "_ASC", s.blank});
  }
  return all;
}

class Drawn : public testing::TestWithParam<Screen> {};

TEST_P(Drawn, MatchesTheTerminalEndsInColourSevenAndLeavesTheProgramsRegionsBlank) {
  const Screen& s = GetParam();
  ConsoleOnPipes console{Charset::Utf8};
  // As the magazine draws a resource: written to a file, then at pace 0 on a cleared screen in colour 7.
  const std::string path = testing::TempDir() + "rodi_app_screen_" + s.name + ".ans";
  ASSERT_EQ(WriteResource(s.name, path), std::nullopt) << "no resource " << s.name;
  TextColor(7);
  ClrScr();
  AnsiDisplay(path, 0);
  unlink(path.c_str());
  rodi::e2e::VtScreen vt{80, 25, true};
  vt.Feed(console.TakeOutput());

  const auto image = [&](int x, int y) { return Cp437ToUnicode(static_cast<uint8_t>(console.Row(y)[x - 1])); };
  for (int y = 1, wrong = 0; y <= 25; ++y)
    for (int x = 1; x <= 80; ++x) {
      const auto cell = vt.Cell(x, y);
      if ((cell.ch != image(x, y) || cell.Attr() != console.Attr(x, y)) && wrong++ < 5)
        ADD_FAILURE() << "cell " << x << "," << y << ": image U+" << std::hex << uint32_t(image(x, y)) << " attr "
                      << int(console.Attr(x, y)) << ", terminal U+" << uint32_t(cell.ch) << " attr " << cell.Attr();
    }
  EXPECT_EQ(GetTextAttr(), 7) << "colour left";
  for (const Region& r : s.blank)
    for (int y = r.y1; y <= r.y2; ++y)
      for (int x = r.x1; x <= r.x2; ++x)
        ASSERT_TRUE(image(x, y) == U' ' && (console.Attr(x, y) & 0x70) == 0) << "cell " << x << "," << y;
  if (s.fieldColumn == 0) return;

  GetTemplateSimple('!', ' ');
  std::vector<std::pair<int, int>> found;
  for (const TCoord& c : TemplatePos) found.emplace_back(c.X, c.Y);
  const int col = s.fieldColumn;
  EXPECT_EQ(found, (std::vector<std::pair<int, int>>{{col, 2}, {col, 3}, {col, 4}, {1, 7}, {79, 22}}));
  FreeTemplate();
}

INSTANTIATE_TEST_SUITE_P(Issue, Drawn, testing::ValuesIn(AllScreens()),
                         [](const testing::TestParamInfo<Screen>& info) { return info.param.name; });

}  // namespace
