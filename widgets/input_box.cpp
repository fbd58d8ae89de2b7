#include "input_box.h"

#include "term/conio.h"
#include "term/keys.h"
#include "widgets/frames.h"
#include "widgets/line_editor.h"

namespace {

constexpr uint8_t kPromptAttr = 0x7F, kButtonAttr = 0x78, kYesAttr = 0x3F, kNoAttr = 0x4F;
constexpr uint8_t kFieldAttr = 0x70, kFillAttr = 0x78;
constexpr char kFillChar = '\xB0';

// Reads keys until one answers; YES is selected at first.
bool Choose(int yesX, int noX, int row) {
  bool yes = true;
  for (;;) {
    WriteXY(yesX, row, kButtonAttr, " YES ");
    WriteXY(noX, row, kButtonAttr, " NO ");
    if (yes) {
      WriteXY(yesX, row, kYesAttr, " YES ");
    } else {
      WriteXY(noX, row, kNoAttr, " NO ");
    }
    const char key = ReadKey();
    if (key == 0) {
      // The scan code is read here so that it cannot pass for a letter.
      const uint8_t code = static_cast<uint8_t>(ReadKey());
      if (code == keys::Left) yes = true;
      if (code == keys::Right) yes = false;
      continue;
    }
    switch (key) {
      case ' ': yes = !yes; break;
      case keys::Enter: return yes;
      case 'Y': case 'y': return true;
      case 'N': case 'n': return false;
      default: break;
    }
  }
}

}  // namespace

bool InputBox(uint8_t x1, uint8_t y1, uint8_t x2, uint8_t y2, std::string_view /*title*/,
              std::string_view prompt, std::string& input) {
  const uint8_t savedX = WhereX(), savedY = WhereY(), savedA = GetTextAttr();
  const int middle = x1 + (x2 - x1) / 2;
  const int buttonRow = y2 - 2;
  WideBox(x1, y1);
  WriteXY(x1 + 3, y1 + 1, kPromptAttr, prompt);
  WriteXY(middle - 5, buttonRow, kButtonAttr, " YES ");
  WriteXY(middle + 5, buttonRow, kButtonAttr, " NO ");
  const uint8_t width = static_cast<uint8_t>(x2 - x1 - 3);
  input = GetStr(static_cast<uint8_t>(x1 + 3), static_cast<uint8_t>(y1 + 2), width, width,
                 kModeText, kFieldAttr, kFillAttr, kFillChar, input);
  const bool answer = Choose(middle - 5, middle + 5, buttonRow);
  GotoXY(savedX, savedY);
  SetTextAttr(savedA);
  return answer;
}
