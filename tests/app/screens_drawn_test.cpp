// Every screen of the issue: its resource exactly what its source draws, and
// drawn through AnsiDisplay as the canvas says, the same on a UTF-8 terminal
// (so it kept within 25 rows: the terminal scrolls, the image does not), in
// colour 7 afterwards and with the program's regions blank; the article headers
// give the entry screen's five fields.
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
#include "tools/screens/screen.h"

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

const std::filesystem::path kSources = RODI_SOURCE_DIR "/content/src/screens";

TEST(Screens, EverySourceIsInTheTable) { EXPECT_EQ(screens::ScreenSources(kSources).size(), AllScreens().size()); }

class Drawn : public testing::TestWithParam<Screen> {};

TEST_P(Drawn, AsItsSourceSaysOnTheTerminalTooEndingInColourSevenWithTheProgramsRegionsBlank) {
  const Screen& s = GetParam();
  static const screens::Library lib = screens::LoadLibrary(kSources);
  const screens::Screen source = screens::LoadScreen(kSources / (s.name + ".scr"), lib);
  const auto shipped = FindResource(s.name);
  ASSERT_TRUE(shipped) << "no resource " << s.name;
  const std::string bytes(reinterpret_cast<const char*>(shipped->data()), shipped->size());
  ASSERT_TRUE(screens::Render(source) == bytes) << "differs from its source: run the screens target";

  ConsoleOnPipes console{Charset::Utf8};
  // As the magazine draws a resource: written to a file, then at pace 0 on a cleared screen in colour 7.
  const std::string path = testing::TempDir() + "rodi_app_screen_" + s.name + ".ans";
  ASSERT_EQ(WriteResource(s.name, path), std::nullopt);
  TextColor(7);
  ClrScr();
  AnsiDisplay(path, 0);
  unlink(path.c_str());
  rodi::e2e::VtScreen vt{80, 25, true};
  vt.Feed(console.TakeOutput());
  for (int y = 1, wrong = 0; y <= 25; ++y)
    for (int x = 1; x <= 80; ++x) {
      const artkit::Cell image{static_cast<uint8_t>(console.Row(y)[x - 1]), console.Attr(x, y)};
      const artkit::Cell want = y <= source.canvas.height() ? source.canvas.at(x - 1, y - 1) : artkit::Cell{};
      const auto cell = vt.Cell(x, y);
      if ((!artkit::SameLook(image, want) || cell.ch != Cp437ToUnicode(image.ch) || cell.Attr() != image.attr) &&
          wrong++ < 5)
        ADD_FAILURE() << "cell " << x << "," << y << ": source " << int(want.ch) << "/" << int(want.attr)
                      << ", image " << int(image.ch) << "/" << int(image.attr) << ", terminal U+" << std::hex
                      << uint32_t(cell.ch) << "/" << cell.Attr();
    }
  EXPECT_EQ(GetTextAttr(), 7) << "colour left";
  for (const Region& r : s.blank)
    for (int y = r.y1; y <= r.y2; ++y)
      for (int x = r.x1; x <= r.x2; ++x)
        ASSERT_TRUE(console.Row(y)[x - 1] == ' ' && (console.Attr(x, y) & 0x70) == 0) << "cell " << x << "," << y;
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
