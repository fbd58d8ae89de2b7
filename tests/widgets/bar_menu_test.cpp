#include <gmock/gmock.h>

#include <vector>

#include "widget_test.h"
#include "widgets/bar_menu.h"

namespace {

using namespace keyseq;

class BarTest : public WidgetTest {
 protected:
  BarTest() { Expect(bar); }
  // Keys are typed ahead, so a ripple step means a key was missing.
  static void Expect(TBar& menu) {
    menu.Sleep = [](uint16_t) { ADD_FAILURE() << "ripple ran"; };
  }
  static void AddItems(TBar& menu, int n) {
    for (int i = 0; i < n; ++i) menu.Add("item" + std::to_string(i));
  }
  int32_t Run(const std::string& keys, int h, int32_t start, TBar* menu = nullptr) {
    console.Type(keys);
    return (menu ? *menu : bar).DrawMenu(kX, kY, 10, static_cast<uint8_t>(h), start);
  }
  // The item text shown on list row r (from 0), or blanks.
  std::string Shown(int r) const { return Cells(kX, kY + r, 5); }

  static constexpr uint8_t kX = 5, kY = 3;
  TBar bar;
};

struct Paging {
  int items, h, start;
  std::string keys;
  int32_t wantBar, wantTop;
};

TEST_F(BarTest, PlacesAndPagesWithoutWrapping) {
  const std::vector<Paging> cases = {
      {10, 4, 20, "", 0, 0},  // past the end: the first item
      {10, 4, 8, "", 8, 6},   // on the last page: the page ends with the list
      {10, 4, 0, std::string(Down) + Down + Down + Down, 4, 1},
      {10, 4, 5, Up, 4, 4},
      {10, 4, 4, PgDn, 8, 8},  // two blank rows under item 9
      {10, 4, 5, PgDn, 9, 6},  // one item short of a full next page: the last page
      {10, 4, 6, PgUp, 2, 2},
      {10, 4, 0, End, 9, 6},
      {3, 4, 1, End, 2, 0},
  };
  for (const Paging& c : cases) {
    SCOPED_TRACE(::testing::PrintToString(c.keys) + " from " + std::to_string(c.start));
    TBar menu;
    Expect(menu);
    AddItems(menu, c.items);
    EXPECT_EQ(Run(c.keys + Esc, c.h, c.start, &menu), rEsc);
    EXPECT_EQ(menu.BarPos, c.wantBar);
    for (int r = 0; r < c.h; ++r) {
      const int i = c.wantTop + r;
      EXPECT_EQ(Shown(r), i < c.items ? "item" + std::to_string(i) : "     ") << "row " << r;
    }
    EXPECT_EQ(console.Attr(kX, kY + c.wantBar - c.wantTop), 0x70);  // "|23|00": black on grey
  }
}

TEST_F(BarTest, IncrementalSearchAndCtrlAWrapAround) {
  for (const char* text : {"apple", "banana", "apricot", "cherry"}) bar.Add(text);
  std::vector<int32_t> seen;
  bar.OnSelect = [&](int32_t i) { seen.push_back(i); };
  EXPECT_EQ(Run(std::string("ap") + "\x01\x01\x01" + Esc, 4, 1), rEsc);
  // ap finds apple, Ctrl+A apricot, then nothing (cherry), then wraps to apple.
  EXPECT_EQ(bar.BarPos, 0);
  EXPECT_EQ(bar.Search_Idx, 0);
  EXPECT_EQ(bar.FSearch, "AP");
  EXPECT_THAT(seen, ::testing::Contains(2));
}

TEST_F(BarTest, MoreIndicatorAndScrollBar) {
  AddItems(bar, 10);
  bar.FMore = true;
  bar.FMoreX = 30;
  bar.FMoreY = 1;
  bar.FDoBar = true;
  Run(Esc, 4, 0);
  EXPECT_EQ(Cells(30, 1, 7), " \xF5 more");
  EXPECT_EQ(console.Attr(31, 1), 0x08);
  const int barCol = kX + 9;
  EXPECT_EQ(Cells(barCol, kY, 1) + Cells(barCol, kY + 1, 1), "\xB2\xB0");

  Run(std::string(End) + Esc, 4, 0);
  EXPECT_EQ(Cells(30, 1, 7), "\xF4  more");
  EXPECT_EQ(Cells(barCol, kY + 3, 1), "\xB2");  // the last item: the last row
}

}  // namespace
