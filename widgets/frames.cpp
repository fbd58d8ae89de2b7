#include "frames.h"

#include <string>

#include "term/conio.h"
#include "widgets/menu_box.h"

namespace {

std::string Rep(int n, char ch) { return std::string(static_cast<size_t>(n > 0 ? n : 0), ch); }

// Colour and cursor sequences of the art.
constexpr const char* kBright = "\x1b[1;37m";
constexpr const char* kGrey = "\x1b[0;37;40m";
constexpr const char* kBold = "\x1b[1m";
constexpr const char* kDark = "\x1b[1;30m";
constexpr const char* kReset = "\x1b[0m";
constexpr const char* kSkip = "\x1b[1C";
constexpr const char* kOnGrey = "\x1b[30;47m";
constexpr const char* kBlackOnGrey = "\x1b[0;30;47m";
constexpr const char* kGreyOnBlack = "\x1b[37;40m";

const std::string& WideBoxLine(int i) {
  static const std::string lines[5] = {
      std::string(kBright) + "\xDC\xDB" + Rep(2, '\xDF') + kGrey + "\xDF" + kBold + "\xDF" + kGrey +
          "\xDF\xB2" + Rep(4, '\xDF') + kDark + "\xDF" + kGrey + "\xDF" + kDark + Rep(23, '\xDF') +
          kGrey + "\xDF" + kDark + Rep(4, '\xDF') + " " + Rep(3, '\xDF') + Rep(2, '\xB1') +
          Rep(5, '\xDF') + "\xDB\xDC" + kReset,
      std::string("\xB2") + kSkip + "\xDC" + Rep(13, '\xDB') + kOnGrey + Rep(16, ' ') +
          kGreyOnBlack + Rep(20, '\xDB') + "\xDC" + kSkip + kDark + "\xDB" + kReset,
      std::string(kDark) + "\xDB" + kSkip + kBlackOnGrey + Rep(50, ' ') + kGreyOnBlack + "\xDB" +
          kSkip + "\x1b[1;47m" + "\xDF" + kReset,
      std::string(kDark) + "\xDB" + kSkip + kGrey + "\xDF" + Rep(49, '\xDB') + "\xDF" + kSkip +
          kBold + "\xDB" + kReset,
      std::string(kDark) + "\xDF\xDB" + Rep(4, '\xDC') + " \xDC" + Rep(2, '\xB2') +
          Rep(28, '\xDC') + kGrey + "\xDC" + kDark + Rep(2, '\xDC') + kGrey + "\xDC" + kDark +
          "\xDC" + kGrey + "\xDC" + kOnGrey + Rep(2, '\xB0') + kGreyOnBlack + Rep(2, '\xDC') +
          kBold + Rep(2, '\xDC') + kGrey + "\xDC" + kBold + Rep(2, '\xDC') + kBlackOnGrey +
          "\xB0" + "\x1b[1;37;40m" + "\xDF" + kReset,
  };
  return lines[i];
}

}  // namespace

void WideBox(uint8_t x, uint8_t y) {
  for (int i = 0; i < 5; ++i) {
    GotoXY(x, y + i);
    Write(WideBoxLine(i));
  }
}

void WinBox(uint8_t x1, uint8_t y1, uint8_t x2, uint8_t y2, uint8_t bg) {
  const int width = x2 - x1 + 1;
  auto put = [](int x, int y, int attr, const std::string& s) {
    GotoXY(x, y);
    SetTextAttr(static_cast<uint8_t>(attr));
    Write(s);
  };
  put(x1, y1, bg * 16 + 15, Rep(width, '\xDC'));
  for (int y = y1 + 1; y < y2; ++y) put(x1, y, 0x7F, "\xDD");
  put(x1, y2, bg * 16 + 8, Rep(width, '\xDF'));
  for (int y = y1 + 1; y < y2; ++y) put(x2, y, 0x78, "\xDE");
  for (int y = y1 + 1; y < y2; ++y) put(x1 + 1, y, 0x70, Rep(width - 2, ' '));
  put(x1, y1 + 1, 0x1F, "\xDD");
  put(x1 + 1, y1 + 1, 0x18, Rep(width - 2, ' '));
  put(x2, y1 + 1, 0x18, "\xDE");
  SetTextAttr(7);
}

void WinBoxBorder(uint8_t x1, uint8_t y1, uint8_t x2, uint8_t y2, uint8_t bg) {
  WinBox(x1, y1, x2, y2, bg);
  TMenuBox box;
  box.Shadow = false;
  box.FrameType = 1;
  box.Emboss = true;
  box.Open(static_cast<uint8_t>(x1 + 1), static_cast<uint8_t>(y1 + 2),
           static_cast<uint8_t>(x2 - 1), static_cast<uint8_t>(y2 - 1));
}
