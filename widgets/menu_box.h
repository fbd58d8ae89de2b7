// A framed, filled box with a raised or sunken look, an optional header on its
// top edge and an optional drop shadow. It draws and returns; it reads no keys.
#pragma once
#include <cstdint>
#include <string>

#include "term/types.h"

class TMenuBox {
 public:
  TMenuBox() = default;
  virtual ~TMenuBox() = default;

  // Corners (X1, Y1) and (X2, Y2), inclusive; X1 < X2 and Y1 < Y2.
  void Open(uint8_t x1, uint8_t y1, uint8_t x2, uint8_t y2);

  TConsoleImageRec Image{};      // the screen before the first Open
  TConsoleImageRec HideImage{};  // a second image; no operation uses it
  uint8_t FrameType = 6;         // 1-8, a row of BoxFrameType
  uint8_t BoxAttr = 127;         // light side
  bool Box3D = true;             // false: every part in BoxAttr
  uint8_t BoxAttr2 = 120;        // dark side
  uint8_t BoxAttr3 = 127;        // bottom-left corner (raised) or bottom edge (sunken)
  uint8_t BoxAttr4 = 120;        // top-right corner (raised) or top edge (sunken)
  bool Shadow = true;
  uint8_t ShadowAttr = 0;
  uint8_t HeadAttr = 31;
  uint8_t HeadType = 0;  // 0 centred, 1 left, 2 right, 3 none, 4-6 padded across the top
  std::string Header;
  bool WasOpened = false;
  bool Emboss = false;  // sunken instead of raised

 private:
  void DrawFrame(int x1, int y1, int x2, int y2);
  void DrawHeader(int x1, int y1, int x2);
  void DrawShadow(int x1, int y1, int x2, int y2);
};
