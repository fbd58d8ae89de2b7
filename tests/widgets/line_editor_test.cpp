// The line editor, alone and as the input box's field, and the frames drawn
// around dialogs.
#include <string>
#include <tuple>
#include <vector>

#include "term/input.h"
#include "widget_test.h"
#include "widgets/frames.h"
#include "widgets/input_box.h"
#include "widgets/line_editor.h"

namespace {

using namespace keyseq;

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

class LineEditorTest : public WidgetTest {};

TEST_F(LineEditorTest, ScrollsJumpsWordsAndFiltersModes) {
  const std::string rights6 = std::string(Right) + Right + Right + Right + Right + Right;
  const std::vector<Edit> cases = {
      // A long text shows its end with the cursor right of the field; Home its start.
      {10, 20, 1, "abcdefghijklmno", {}, "", "abcdefghijklmno", "fghijklmno", 11},
      // Typing in the middle shifts the rest; at the right edge the text scrolls.
      {10, 20, 1, "abcdefghij", {}, std::string(Home) + Right + Right + Right + "X",
       "abcXdefghij", "abcXdefghi", 5},
      {5, 20, 1, "abcdefgh", {}, std::string(Home) + rights6 + "X", "abcdefXgh", "defXg", 5},
      // Backspace at the left edge of a scrolled field keeps the cursor there.
      {5, 20, 1, "abcdefghij", {}, std::string(Left) + Left + Left + Left + Left + "\b",
       "abcdfghij", "fghij", 1},
      {10, 20, 1, "one two", {kCtrlLeft}, "X", "one Xtwo", "one Xtwo..", 6},
      {10, 20, 1, "one two", {keys::Home, kCtrlRight}, "X", "one Xtwo", "one Xtwo..", 6},
      {10, 20, 1, "one  two", {kCtrlLeft, kCtrlLeft}, "X", "Xone  two", "Xone  two.", 2},
      {8, 8, 3, "", {}, "123199", "12/31/99", "12/31/99", 9},
      {5, 10, 1, "", {}, "abcdef", "abcdef", "cdef.", 5},
      {10, 20, 1, "abc", {}, std::string(Home) + End + "X", "abcX", "abcX......", 5},
      {10, 20, 1, "  ab", {kCtrlLeft, kCtrlLeft}, "X", "X  ab", "X  ab.....", 2},
      {10, 20, 1, "abc", {}, std::string(Home) + "\x1b[3~X", "Xbc", "Xbc.......", 2},  // Delete
      {10, 20, 1, "abc", {}, std::string(Left) + "\x1b[3~", "ab", "ab........", 3},
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
