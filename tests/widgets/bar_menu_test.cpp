#include "widget_test.h"
#include "widgets/bar_menu.h"

namespace {

using namespace keyseq;

class BarTest : public WidgetTest {};

TEST_F(BarTest, PlacesPagesAndSearchesWithoutWrapping) {
  const std::string down4 = std::string(Down) + Down + Down + Down;
  const struct {
    int items, start;
    std::string keys;
    int32_t wantBar, wantTop;
    std::string wantMore;  // the marks for items above and below the page
    int wantThumb;         // the scroll bar's row
  } cases[] = {
      {10, 20, "", 0, 0, " \xF5", 0},  // past the end: the first item
      {10, 8, "", 8, 6, "\xF4 ", 3},   // on the last page: the page ends with the list
      {10, 0, down4, 4, 1, "\xF4\xF5", 1},
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

}  // namespace
