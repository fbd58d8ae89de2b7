#include <string>
#include <tuple>

#include "harness/vt_screen.h"
#include "term/cp437.h"
#include "widget_test.h"
#include "widgets/frames.h"
#include "widgets/input_box.h"

namespace {

using namespace keyseq;

class DialogTest : public WidgetTest {
 protected:
  // The callers' dialog: frame 15-69 x 12-16, field 18-66 on row 14, buttons on row 15.
  bool Ask(const std::string& keys, std::string& input) {
    console.Type(keys);
    return InputBox(15, 12, 67, 17, " Title ", "Enter Filename:", input);
  }
};

TEST_F(DialogTest, InputBoxEditsThenChooses) {
  struct Case {
    std::string keys;
    bool want;
  };
  // The choice starts on YES; Esc is ignored in both phases (Esc then Enter
  // reaches the program as Enter, Esc).
  const Case cases[] = {
      {"\r\r", true},        {std::string("\r") + Right + "\r", false},
      {"\r \r", false},      {std::string("\r") + Right + "y", true},
      {"\rN", false},        {std::string("\r") + Right + Left + "\r", true},
      {"\r\x1b \r", false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::PrintToString(c.keys));
    std::string input = "name";
    GotoXY(3, 4);
    SetTextAttr(0x1E);
    EXPECT_EQ(Ask(c.keys, input), c.want);
    EXPECT_EQ(input, "name");
    EXPECT_EQ(std::tuple(WhereX(), WhereY(), GetTextAttr()), std::tuple(3, 4, 0x1E));
    if (c.keys.back() == '\r') {  // Enter answers the button shown selected
      EXPECT_EQ(console.Attr(c.want ? 36 : 46, 15), c.want ? 0x3F : 0x4F);
    }
  }
  Keyboard->PushKey(27);  // a lone Esc while editing
  std::string input;
  EXPECT_TRUE(Ask("ab\r\r", input));
  EXPECT_EQ(input, "ab");
  EXPECT_EQ(Cells(18, 13, 15), "Enter Filename:");
  EXPECT_EQ(console.Attr(18, 13), 0x7F);
  EXPECT_EQ(Cells(18, 14, 3), "ab\xB0");
  EXPECT_EQ(console.Attr(20, 14), 0x78);
  EXPECT_EQ(Cells(36, 15, 5), " YES ");
  EXPECT_EQ(Cells(46, 15, 4), " NO ");
  EXPECT_TRUE(Ask(std::string(60, 'a') + "\r\r", input));
  EXPECT_EQ(input.size(), 49u);  // the field's width: columns 18-66
}

TEST(WideBoxView, TerminalShowsTheFrame) {
  ConsoleOnPipes console(Charset::Utf8);
  WriteXY(16, 13, 7, "x");  // the frame skips its second column
  WideBox(15, 12);
  rodi::e2e::VtScreen vt(80, 25, true);
  vt.Feed(console.TakeOutput());
  for (int y = 12; y <= 16; ++y) {
    EXPECT_EQ(vt.Cell(14, y).ch, U' ') << y;
    EXPECT_NE(vt.Cell(15, y).ch, U' ') << y;
    EXPECT_NE(vt.Cell(69, y).ch, U' ') << y;
    EXPECT_EQ(vt.Cell(70, y).ch, U' ') << y;
  }
  EXPECT_EQ(vt.Cell(16, 13).ch, U'x');
  EXPECT_EQ(vt.Cell(15, 12).ch, Cp437ToUnicode(0xDC));
  EXPECT_EQ(vt.Cell(15, 12).Attr(), 15);
  for (int x : {17, 40, 66}) EXPECT_EQ(vt.Cell(x, 14).Attr(), 0x70) << x;  // the field's panel
  EXPECT_EQ(vt.Cell(31, 13).Attr(), 0x70);
  EXPECT_EQ(vt.Cell(30, 13).ch, Cp437ToUnicode(0xDB));
}

TEST_F(DialogTest, WinBoxAndItsSunkenBorder) {
  WinBox(40, 5, 50, 6, 0);  // no body: the title bar covers the bottom edge
  ExpectCells({{40, 5, '\xDC', 0x0F}, {40, 6, '\xDD', 0x1F}, {41, 6, ' ', 0x18}, {40, 7, ' ', 7}});
  WinBoxBorder(10, 5, 30, 15, 1);
  // The window shades from light (top, left) to dark; the frame at 11-29 x 7-14 the reverse.
  ExpectCells({{10, 5, '\xDC', 0x1F}, {11, 6, ' ', 0x18},     {30, 6, '\xDE', 0x18},
               {10, 8, '\xDD', 0x7F}, {30, 8, '\xDE', 0x78},  {10, 15, '\xDF', 0x18},
               {11, 7, '\xDA', 0x78}, {12, 7, '\xC4', 0x78},  {29, 7, '\xBF', 0x7F},
               {11, 8, '\xB3', 0x78}, {12, 8, ' ', 0x78},      {29, 8, '\xB3', 0x7F},
               {11, 14, '\xC0', 0x78}, {12, 14, '\xC4', 0x7F}, {29, 14, '\xD9', 0x7F}});
  EXPECT_EQ(GetTextAttr(), 7);
}

}  // namespace
