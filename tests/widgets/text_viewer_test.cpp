#include <gmock/gmock.h>

#include <filesystem>
#include <fstream>
#include <vector>

#include "widget_test.h"
#include "widgets/text_lines.h"
#include "widgets/text_viewer.h"

namespace {

using namespace keyseq;

class ViewerTest : public WidgetTest {
 protected:
  ViewerTest() {
    viewer.FFg = 7;
    viewer.FBg = 16;
    viewer.FH = 4;
  }
  void View(const std::string& keys) {
    console.Type(keys);
    viewer.Open();
  }
  // The cells marked as the search hit (grey on red), as "row:column" each.
  std::string Highlighted() const {
    std::string found;
    for (int y = 1; y <= 25; ++y) {
      for (int x = 1; x <= 80; ++x) {
        if (console.Attr(x, y) == 0x47) found += std::to_string(y) + ":" + std::to_string(x) + " ";
      }
    }
    return found;
  }

  TTextViewer viewer;
};

TEST_F(ViewerTest, LoadsEveryLineEndAndLeavesNoFileOpen) {
  const std::string dir = RODI_BINARY_DIR, file = dir + "/viewer_ends.txt";
  std::ofstream(file, std::ios::binary) << "a\r\n\r\nb\rc\n";
  const auto openFiles = [] { return std::distance(std::filesystem::directory_iterator("/proc/self/fd"), {}); };
  const auto before = openFiles();
  EXPECT_EQ(LoadLines(file), (std::vector<std::string>{"a", "", "b", "c"}));
  EXPECT_EQ(LoadLines(dir), std::nullopt) << "a directory opens but cannot be read";
  EXPECT_EQ(openFiles(), before);
  viewer.OpenFile(dir + "/none.txt");
  EXPECT_THAT(viewer.SL, ::testing::ElementsAre(" "));
}

TEST_F(ViewerTest, EndScrollsToTheLongestLine) {
  viewer.SL = {"short", std::string(100, 'x'), "|12" + std::string(40, 'y')};
  View(std::string(End) + "\r");
  EXPECT_EQ(viewer.IX, 19);  // the longest line's end, codes not counted
  viewer.SL = {"short"};
  View(std::string(End) + Right + Right + Right + Right + Right + Right + Esc);
  EXPECT_EQ(viewer.IX, 6);
  EXPECT_EQ(Cells(1, 1, 79), std::string(79, ' '));  // scrolled out to blank
}

TEST_F(ViewerTest, SearchRepeatAndHighlight) {
  std::vector<std::string> text(20, "line");
  text[1] = "beta word";
  text[3] = "|12red |07WORD here";  // codes take no cells: the hit is at columns 5-8
  text[18] = "last word";
  const std::string find = "\x06word\r";
  const struct {
    int startIY;
    std::string keys;
    int wantIY;
    std::string wantMarks;
  } cases[] = {
      {0, find + "\r", 1, "1:6 1:7 1:8 1:9 "},
      {3, find + "y", 3, "1:5 1:6 1:7 1:8 "},  // the top line is searched too
      {0, find + "\r\x07\x07", 15, "4:6 4:7 4:8 4:9 "},  // the last page: shown on its own row
      {0, "\x06" "beta\r\r\x07", 1, ""},  // no further hit: none shown
      {0, find + "\r\x06\rn", 1, ""},  // a search given up drops the old hit
      {0, find + "n", 0, ""},
      {0, find + "\r\x19\x07", 1, ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(::testing::PrintToString(c.keys));
    viewer.SL = text;
    viewer.IY = c.startIY;
    View(c.keys + Esc);
    EXPECT_EQ(viewer.IY, c.wantIY);
    EXPECT_EQ(Highlighted(), c.wantMarks);
  }
  viewer.SL = {"top", std::string(99, '.') + "Word"};  // a hit past the right edge is scrolled to
  viewer.IY = 0;
  viewer.FH = 0;
  View(find + "\r" + Esc);
  EXPECT_EQ(viewer.IX, 99);
  EXPECT_EQ(Highlighted(), "1:1 1:2 1:3 1:4 ");
}

TEST_F(ViewerTest, HideWithAnEmptyImageChangesNothing) {
  WriteXY(3, 3, 0x1E, "shown");
  GotoXY(7, 9);
  console.TakeOutput();
  viewer.Hide();
  EXPECT_EQ(console.TakeOutput(), "");
  WriteXY(3, 3, 7, "other");
  viewer.Show();
  EXPECT_EQ(Cells(3, 3, 5), "shown");
  EXPECT_EQ(console.Attr(3, 3), 0x1E);
  EXPECT_EQ(WhereX() * 100 + WhereY(), 709);
  EXPECT_EQ(viewer.HideImage, nullptr);
}

}  // namespace
