#include "widget_test.h"
#include "widgets/menu_box.h"

namespace {

using MenuBoxTest = WidgetTest;

TEST_F(MenuBoxTest, RaisedWithShadowAndTheScreenSavedOnce) {
  WriteXY(1, 10, 0x1E, std::string(80, 'Z'));
  TMenuBox box;
  box.Open(10, 5, 20, 9);
  WriteXY(1, 10, 7, "after");
  box.Open(10, 5, 20, 9);
  EXPECT_EQ(box.Image.Data[9][0].UnicodeChar, 'Z');
  // Light top and left, dark right and bottom; the shadow keeps the characters.
  ExpectCells({{10, 5, '\xDB', 127}, {11, 5, '\xDF', 127}, {20, 5, '\xDC', 120},
               {11, 6, ' ', 127},     {20, 6, '\xDB', 120}, {10, 9, '\xDF', 127},
               {11, 9, '\xDC', 120}, {21, 6, ' ', 0},       {22, 10, 'Z', 0},
               {12, 10, 'Z', 0},     {11, 10, 'Z', 0x1E},   {21, 5, ' ', 7}});
  box.Open(70, 20, 79, 24);  // the shadow stops at the screen's edge
  ExpectCells({{80, 21, ' ', 0}, {80, 25, ' ', 0}});
}

TEST_F(MenuBoxTest, HeaderPlacements) {
  const struct {
    int type, firstCol;  // the header's first column, 0 for none
    std::string top;     // columns 10-29 of the top row
  } cases[] = {
      {0, 18, "\xDA" + std::string(7, '\xC4') + "Menu" + std::string(7, '\xC4') + "\xBF"},
      {1, 11, "\xDAMenu" + std::string(14, '\xC4') + "\xBF"},
      {2, 25, "\xDA" + std::string(14, '\xC4') + "Menu\xBF"},
      {3, 0, "\xDA" + std::string(18, '\xC4') + "\xBF"},
      {4, 18, std::string(8, ' ') + "Menu" + std::string(8, ' ')},
      {5, 10, "Menu" + std::string(16, ' ')},
      {6, 26, std::string(16, ' ') + "Menu"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.type);
    TMenuBox box;
    box.FrameType = 1;
    box.Header = "Menu";
    box.HeadType = static_cast<uint8_t>(c.type);
    box.Open(10, 5, 29, 8);
    EXPECT_EQ(Cells(10, 5, 20), c.top);
    if (c.firstCol != 0) {
      EXPECT_EQ(console.Attr(c.firstCol, 5), 31);
    }
  }
}

}  // namespace
