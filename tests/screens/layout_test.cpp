// The layout contract: size, the regions the program draws into, the header markers.
#include <gtest/gtest.h>

#include <tuple>

#include "screen_set.h"

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
  bool in_run = false;
  for (int y = 0; y < canvas.height(); ++y) {
    for (int x = 0; x < 80; ++x) {
      const bool mark = canvas.at(x, y).ch == '!';
      if (mark && in_run) ++std::get<2>(runs.back());
      if (mark && !in_run) runs.emplace_back(x + 1, y + 1, 1);
      in_run = mark;
    }
  }
  return runs;
}

TEST(ScreensLayout, TheArticleHeadersCarryTheirFiveMarkersAndAFreeViewerArea) {
  for (const auto& [name, column] : {std::pair{"ARTICLE_HDR", 30}, std::pair{"ARTICLE_HDR_ASC", 34}}) {
    const auto& canvas = Find(name).screen.canvas;
    const std::vector<std::tuple<int, int, int>> want = {
        {column, 2, 1}, {column, 3, 1}, {column, 4, 1}, {1, 7, 1}, {79, 22, 1}};
    EXPECT_EQ(MarkerRuns(canvas), want) << name;
    for (int y = 2; y <= 4; ++y) {
      for (int x = column + 1; x <= column + 32; ++x) {
        EXPECT_TRUE(IsBlank(canvas.at(x - 1, y - 1))) << name << ": field cell " << x << "," << y;
      }
    }
    for (int y = 7; y <= 22; ++y) {
      for (int x = 1; x <= 79; ++x) {
        if ((x == 1 && y == 7) || (x == 79 && y == 22)) continue;
        EXPECT_TRUE(IsBlank(canvas.at(x - 1, y - 1))) << name << ": viewer cell " << x << "," << y;
      }
    }
  }
}

TEST(ScreensLayout, TheTitleFieldsShowInTheirOwnColours) {
  // The program writes title, author and category in the colour of their marker.
  const auto& canvas = Find("ARTICLE_HDR").screen.canvas;
  const int title = canvas.at(29, 1).attr, author = canvas.at(29, 2).attr, category = canvas.at(29, 3).attr;
  for (int attr : {title, author, category}) EXPECT_EQ(attr & 0x70, 0) << "on black";
  EXPECT_NE(title, author);
  EXPECT_NE(author, category);
}

TEST(ScreensLayout, HelpNamesEveryKeyOfTheReader) {
  std::string text;
  const auto& canvas = Find("HELP").screen.canvas;
  for (int y = 1; y <= canvas.height(); ++y) text += RowText(canvas, y) + "\n";
  for (const char* what : {"leave rodi", "track box", "music on or off", "this help", "ansi or ascii",
                           "drawing speed", "stop drawing", "faster", "slower", "a modem's pace", "the pace you"}) {
    EXPECT_NE(text.find(what), std::string::npos) << "HELP lacks \"" << what << "\"";
  }
}

}  // namespace
}  // namespace screens_test
