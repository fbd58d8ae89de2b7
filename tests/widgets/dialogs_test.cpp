#include <string>
#include <tuple>

#include "widget_test.h"
#include "widgets/frames.h"
#include "widgets/input_box.h"

namespace {

using namespace keyseq;

class DialogTest : public WidgetTest {};

TEST_F(DialogTest, InputBoxEditsThenChooses) {
  // The choice starts on YES; Esc is ignored in both phases (Esc then Enter
  // reaches the program as Enter, Esc).
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

TEST_F(DialogTest, BorderedWindowHasEveryEdge) {
  WinBoxBorder(10, 5, 40, 15, 1);  // its frame: columns 11-39, rows 7-14
  for (const auto& [x, y] : {std::pair{11, 7}, {25, 7}, {39, 7}, {11, 10}, {39, 10}, {11, 14}, {25, 14}})
    EXPECT_NE(Cells(x, y, 1), " ") << x << "," << y;
}

}  // namespace
