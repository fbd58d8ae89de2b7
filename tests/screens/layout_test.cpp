// The layout contract: size, the regions the program draws into, the header markers.
#include <gtest/gtest.h>

#include <tuple>

#include "tests/screens/screen_set.h"

namespace screens_test {
namespace {

struct Region {
  int x1, y1, x2, y2;  // 1-based, inclusive
};

// Where the program draws: these cells must be spaces on black.
const std::vector<std::pair<std::string, std::vector<Region>>> kBlank = {
    {"MENU", {{53, 10, 69, 16}, {12, 22, 70, 22}}},
    {"ARTICLES", {{18, 14, 61, 20}}},
    {"TUTORS", {{18, 14, 61, 20}}},
    {"ANSI", {{53, 8, 70, 18}}},
    {"ABOUT", {{1, 5, 80, 22}}},
    {"EDIT", {{1, 5, 80, 22}}},
    {"ARTICLE_HDR", {{1, 8, 79, 21}}},  // the viewer's area, between the markers
};

bool IsBlank(const artkit::Cell& c) { return c.ch == ' ' && (c.attr & 0x70) == 0; }

TEST(ScreensLayout, EightyByAtMostTwentyFiveAndTheProgramsRegionsBlankInBothLooks) {
  for (const auto& f : AllScreens()) {
    EXPECT_LE(f.screen.canvas.height(), 25) << f.screen.name;
    EXPECT_EQ(f.screen.canvas.width(), 80) << f.screen.name;
  }
  for (const auto& [name, regions] : kBlank) {
    for (const std::string& n : {name, name + "_ASC"}) {
      const auto& canvas = Find(n).screen.canvas;
      for (const auto& r : regions) {
        for (int y = r.y1; y <= r.y2; ++y) {
          for (int x = r.x1; x <= r.x2; ++x) {
            ASSERT_LT(y, canvas.height() + 1) << n << " ends above row " << y;
            EXPECT_TRUE(IsBlank(canvas.at(x - 1, y - 1))) << n << " has art at column " << x << ", row " << y;
          }
        }
      }
    }
  }
}

// The template scan: runs of "!" in reading order, a run going on across a row end.
std::vector<std::tuple<int, int, int>> MarkerRuns(const artkit::Canvas& canvas) {
  std::vector<std::tuple<int, int, int>> runs;  // column, row, width
  bool inRun = false;
  for (int y = 0; y < canvas.height(); ++y) {
    for (int x = 0; x < 80; ++x) {
      const bool mark = canvas.at(x, y).ch == '!';
      if (mark && inRun) ++std::get<2>(runs.back());
      if (mark && !inRun) runs.emplace_back(x + 1, y + 1, 1);
      inRun = mark;
    }
  }
  return runs;
}

TEST(ScreensLayout, TheArticleHeadersCarryTheirFiveMarkers) {
  for (const auto& [name, column] : {std::pair{"ARTICLE_HDR", 30}, std::pair{"ARTICLE_HDR_ASC", 34}}) {
    const auto& canvas = Find(name).screen.canvas;
    const std::vector<std::tuple<int, int, int>> want = {
        {column, 2, 1}, {column, 3, 1}, {column, 4, 1}, {1, 7, 1}, {79, 22, 1}};
    EXPECT_EQ(MarkerRuns(canvas), want) << name;
  }
}

}  // namespace
}  // namespace screens_test
