#include "menu_box.h"

#include <algorithm>

#include "term/conio.h"
#include "term/strutil.h"
#include "widgets/box_frames.h"

void TMenuBox::Open(uint8_t x1, uint8_t y1, uint8_t x2, uint8_t y2) {
  if (!WasOpened) {
    SaveScreen(Image);
    WasOpened = true;
  }
  if (!Box3D) BoxAttr2 = BoxAttr3 = BoxAttr4 = BoxAttr;
  DrawFrame(x1, y1, x2, y2);
  if (!Header.empty()) DrawHeader(x1, y1, x2);
  if (Shadow) DrawShadow(x1, y1, x2, y2);
}

void TMenuBox::DrawFrame(int x1, int y1, int x2, int y2) {
  // An out-of-range style falls back to the nearest real one.
  const std::string_view f = BoxFrameType[std::clamp<int>(FrameType, 1, 8) - 1];
  const uint8_t inner = static_cast<uint8_t>(std::max(0, x2 - x1 - 1));
  auto part = [&f](FramePart p) { return std::string(1, f[p]); };
  const std::string top = part(kTopLeft) + StrRep(f[kTop], inner);
  const std::string middle = part(kLeft) + StrRep(' ', inner);
  const std::string bottom = StrRep(f[kBottom], inner) + part(kBottomRight);
  // The raised look is light on top and left; the sunken one swaps the sides.
  const uint8_t topAttr = Emboss ? BoxAttr4 : BoxAttr;
  const uint8_t topRightAttr = Emboss ? BoxAttr : BoxAttr4;
  const uint8_t leftAttr = Emboss ? BoxAttr2 : BoxAttr;
  const uint8_t rightAttr = Emboss ? BoxAttr : BoxAttr2;
  const uint8_t bottomLeftAttr = Emboss ? BoxAttr2 : BoxAttr3;
  const uint8_t bottomAttr = Emboss ? BoxAttr3 : BoxAttr2;
  WriteXY(x1, y1, topAttr, top);
  WriteXY(x2, y1, topRightAttr, part(kTopRight));
  for (int y = y1 + 1; y < y2; ++y) {
    WriteXY(x1, y, leftAttr, middle);
    WriteXY(x2, y, rightAttr, part(kRight));
  }
  WriteXY(x1, y2, bottomLeftAttr, part(kBottomLeft));
  WriteXY(x1 + 1, y2, bottomAttr, bottom);
}

void TMenuBox::DrawHeader(int x1, int y1, int x2) {
  const int inner = x2 - x1 - 1;
  const int len = static_cast<int>(Header.size());
  const uint8_t across = static_cast<uint8_t>(x2 - x1 + 1);
  switch (HeadType) {
    case 0: WriteXY(x1 + 1 + (inner - len) / 2, y1, HeadAttr, Header); break;
    case 1: WriteXY(x1 + 1, y1, HeadAttr, Header); break;
    case 2: WriteXY(x2 - len, y1, HeadAttr, Header); break;
    case 4: WriteXY(x1, y1, HeadAttr, StrPadC(Header, across, ' ')); break;
    case 5: WriteXY(x1, y1, HeadAttr, StrPadR(Header, across, ' ')); break;
    case 6: WriteXY(x1, y1, HeadAttr, StrPadL(Header, across, ' ')); break;
    default: break;  // 3 and unknown types draw no header
  }
}

void TMenuBox::DrawShadow(int x1, int y1, int x2, int y2) {
  // The shadow darkens what is already there instead of covering it.
  auto shade = [this](int x, int y) {
    if (x < 1 || x > kScreenCols || y < 1 || y > kScreenRows) return;
    WriteXY(x, y, ShadowAttr, std::string(1, GetCharAt(x, y)));
  };
  for (int y = y1 + 1; y <= y2 + 1; ++y) {
    shade(x2 + 1, y);
    shade(x2 + 2, y);
  }
  for (int x = x1 + 2; x <= x2 + 2; ++x) shade(x, y2 + 1);
}
