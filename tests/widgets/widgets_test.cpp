// The bar menu, line editor, input box, frames and text viewer on a console
// on pipes, on time that passes without sleeping.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <tuple>
#include <vector>

#include "term/input.h"
#include "tests/support/console_fixture.h"
#include "widgets/bar_menu.h"
#include "widgets/frames.h"
#include "widgets/input_box.h"
#include "widgets/line_editor.h"
#include "widgets/line_editor_settings.h"
#include "widgets/text_lines.h"
#include "widgets/text_viewer.h"

namespace {

// The terminal's key bytes.
constexpr const char *Up = "\x1b[A", *Down = "\x1b[B", *Right = "\x1b[C", *Left = "\x1b[D";
constexpr const char *Home = "\x1b[H", *End = "\x1b[K", *PgUp = "\x1b[5~", *PgDn = "\x1b[6~";
constexpr const char* Esc = "\x1b";  // only last: a following byte would join it

class WidgetTest : public ::testing::Test {
 protected:
  WidgetTest() {
    LoChars = "\r";
    HiChars.clear();
  }
  // N cells of image row y from column x.
  std::string Cells(int x, int y, int n) const { return console.Row(y).substr(x - 1, n); }

  ConsoleOnPipes console;
  FakeTime time;
};
TEST_F(WidgetTest, BarPlacesPagesAndSearchesWithoutWrapping) {
  const struct {
    int items, start;
    std::string keys;
    int32_t wantBar, wantTop;
    std::string wantMore;  // the marks for items above and below the page
    int wantThumb;         // the scroll bar's row
  } cases[] = {
      {10, 20, "", 0, 0, " \xF5", 0},  // past the end: the first item
      {10, 8, "", 8, 6, "\xF4 ", 3},   // on the last page: the page ends with the list
      {10, 0, std::string(Down) + Down + Down + Down, 4, 1, "\xF4\xF5", 1},
      {10, 5, Up, 4, 4, "\xF4\xF5", 1},
      {10, 4, PgDn, 8, 8, "\xF4 ", 3},  // two blank rows under item 9
      {10, 5, PgDn, 9, 6, "\xF4 ", 3},  // one item short of a full next page: the last page
      {10, 6, PgUp, 2, 2, "\xF4\xF5", 0},
      {10, 0, End, 9, 6, "\xF4 ", 3},
      {3, 1, End, 2, 0, "  ", 3},
      // Case does not count; Ctrl+A finds the next hit, after the last the first again.
      {12, 0, "m1\x01\x01\x01", 1, 1, "\xF4\xF5", 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(::testing::PrintToString(c.keys) + " from " + std::to_string(c.start));
    TBar bar;
    bar.Sleep = [](uint16_t) { ADD_FAILURE() << "ripple ran: the keys typed ahead ran out"; };
    bar.FMore = bar.FDoBar = true;
    bar.FMoreX = 30;
    for (int i = 0; i < c.items; ++i) bar.Add("item" + std::to_string(i));
    ClrScr();
    console.Type(c.keys + Esc);
    EXPECT_EQ(bar.DrawMenu(5, 3, 10, 4, c.start), rEsc);
    EXPECT_EQ(bar.BarPos, c.wantBar);
    for (int r = 0; r < 4; ++r) {
      std::string item = c.wantTop + r < c.items ? "item" + std::to_string(c.wantTop + r) : "";
      item.resize(6, ' ');
      EXPECT_EQ(Cells(5, 3 + r, 6), item) << "row " << r;
      EXPECT_EQ(Cells(14, 3 + r, 1), r == c.wantThumb ? "\xB2" : "\xB0") << "scroll bar row " << r;
    }
    EXPECT_EQ(console.Attr(5, 3 + c.wantBar - c.wantTop), 0x70);  // "|23|00": black on grey
    EXPECT_EQ(Cells(30, 1, 2), c.wantMore);
  }
}

// The terminal has no key for these two; they enter the decoder's queue as the
// extended codes a PC keyboard gives, ahead of the typed bytes.
constexpr uint8_t kCtrlLeft = 115, kCtrlRight = 116;
constexpr uint8_t kX = 10, kY = 5;

struct Edit {
  int field, len, mode;
  std::string initial;
  std::vector<uint8_t> queued;  // extended codes read before the typed keys
  std::string keys;             // typed; Enter is added
  std::string wantText;
  std::string wantShown;  // the field's cells, "." for the fill character
  int wantCursor;         // cursor column inside the field, from 1
};

TEST_F(WidgetTest, LineEditorScrollsJumpsWordsAndFiltersModes) {
  const std::vector<Edit> cases = {
      // A long text shows its end with the cursor right of the field; Home its start.
      {10, 20, 1, "abcdefghijklmno", {}, "", "abcdefghijklmno", "fghijklmno", 11},
      // Typing in the middle shifts the rest; at the right edge the text scrolls.
      {10, 20, 1, "abcdefghij", {}, std::string(Home) + Right + Right + Right + "X",
       "abcXdefghij", "abcXdefghi", 5},
      {5, 20, 1, "abcdefgh", {}, std::string(Home) + Right + Right + Right + Right + Right + Right + "X",
       "abcdefXgh", "defXg", 5},
      // Backspace at the left edge of a scrolled field keeps the cursor there.
      {5, 20, 1, "abcdefghij", {}, std::string(Left) + Left + Left + Left + Left + "\b",
       "abcdfghij", "fghij", 1},
      {10, 20, 1, "one two", {kCtrlLeft}, "X", "one Xtwo", "one Xtwo..", 6},
      {10, 20, 1, "one two", {keys::Home, kCtrlRight}, "X", "one Xtwo", "one Xtwo..", 6},
      {10, 20, 1, "one  two", {kCtrlLeft, kCtrlLeft}, "X", "Xone  two", "Xone  two.", 2},
      {8, 8, 3, "", {}, "123199", "12/31/99", "12/31/99", 9},
      {10, 20, 1, "abc", {}, std::string(Home) + End + "X", "abcX", "abcX......", 5},
      {10, 20, 1, "  ab", {kCtrlLeft, kCtrlLeft}, "X", "X  ab", "X  ab.....", 2},
      {10, 20, 1, "abc", {}, std::string(Left) + "\x1b[3~", "ab", "ab........", 3},  // Delete
  };
  for (const Edit& c : cases) {
    SCOPED_TRACE(::testing::PrintToString(c.initial) + " + " + ::testing::PrintToString(c.keys));
    for (uint8_t code : c.queued) Keyboard->PushExt(code);
    console.Type(c.keys + "\r");
    const MyString text = GetStr(kX, kY, static_cast<uint8_t>(c.field), static_cast<uint8_t>(c.len),
                                 static_cast<uint8_t>(c.mode), 0x70, 0x78, '.', c.initial);
    EXPECT_EQ(text, c.wantText);
    EXPECT_EQ(Cells(kX, kY, c.field), c.wantShown);
    EXPECT_EQ(GetTextAttr(), 0x70) << "the fill's colour left behind";
    EXPECT_EQ(WhereX(), kX + c.wantCursor - 1);
    EXPECT_EQ(Changed, c.wantText != c.initial);
    EXPECT_EQ(ExitCode, '\r');
  }
  EXPECT_EQ(console.Attr(kX, kY), 0x70);
  EXPECT_EQ(console.Attr(kX + 4, kY), 0x78);  // fill cells keep their own colour
}

TEST_F(WidgetTest, InputBoxEditsThenChooses) {
  // The choice starts on YES; Esc is ignored in both phases (Esc then Enter reaches the program as Enter, Esc).
  const struct {
    std::string keys;
    bool want;
    std::string wantInput;
  } cases[] = {
      {"\r\r", true, "name"},           {std::string("\r") + Right + "\r", false, "name"},
      {"\rN", false, "name"},           {std::string("\r") + Right + Left + "\r", true, "name"},
      {"\r\x1b \r", false, "name"},     {"ab\r\r", true, "nameab"},
      {std::string(60, 'a') + "\r\r", true, "name" + std::string(45, 'a')},  // the field is 49 wide
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(::testing::PrintToString(c.keys));
    std::string input = "name";
    GotoXY(3, 4);
    SetTextAttr(0x1E);
    Keyboard->PushKey(27);  // a lone Esc while editing
    console.Type(c.keys);
    // The callers' dialog: frame 15-69 x 12-16, field 18-66 on row 14, buttons on row 15.
    EXPECT_EQ(InputBox(15, 12, 67, 17, " Title ", "Enter Filename:", input), c.want);
    EXPECT_EQ(input, c.wantInput);
    EXPECT_EQ(Cells(18, 14, 7), (c.wantInput + "\xB0\xB0\xB0").substr(0, 7)) << "the field and its fill";
    for (int y = 12; y <= 16; ++y) EXPECT_NE(Cells(15, y, 1), " ") << "frame row " << y;
    EXPECT_EQ(std::tuple(WhereX(), WhereY(), GetTextAttr()), std::tuple(3, 4, 0x1E));
    if (c.keys.back() == '\r') {  // Enter answers the button shown selected
      EXPECT_EQ(console.Attr(c.want ? 36 : 46, 15), c.want ? 0x3F : 0x4F);
    }
  }
}

TEST_F(WidgetTest, BorderedWindowHasEveryEdge) {
  WinBoxBorder(10, 5, 40, 15, 1);  // its frame: columns 11-39, rows 7-14
  for (const auto& [x, y] : {std::pair{11, 7}, {25, 7}, {39, 7}, {11, 10}, {39, 10}, {11, 14}, {25, 14}})
    EXPECT_NE(Cells(x, y, 1), " ") << x << "," << y;
}

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
    for (int y = 1; y <= 25; ++y)
      for (int x = 1; x <= 80; ++x)
        if (console.Attr(x, y) == 0x47) found += std::to_string(y) + ":" + std::to_string(x) + " ";
    return found;
  }

  TTextViewer viewer;
};

TEST(LoadLines, ReadsEveryLineEndAndLeavesNoFileOpen) {
  const std::string dir = RODI_BINARY_DIR, file = dir + "/viewer_ends.txt";
  std::ofstream(file, std::ios::binary) << "a\r\n\r\nb\rc\n";
  const auto openFiles = [] { return std::distance(std::filesystem::directory_iterator("/proc/self/fd"), {}); };
  const auto before = openFiles();
  EXPECT_EQ(LoadLines(file), (std::vector<std::string>{"a", "", "b", "c"}));
  EXPECT_EQ(LoadLines(dir), std::nullopt) << "a directory opens but cannot be read";
  EXPECT_EQ(openFiles(), before);
}

TEST_F(ViewerTest, EndScrollsToTheLongestLine) {
  viewer.SL = {"short", std::string(100, 'x'), "|12" + std::string(40, 'y')};
  View(std::string(End) + "\r");
  EXPECT_EQ(viewer.IX, 19);  // the longest line's end, codes not counted
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
}

}  // namespace
