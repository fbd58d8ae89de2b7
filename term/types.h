// Records of the engine's screen image.
#pragma once
#include <array>
#include <cstdint>

// The frame every screen is drawn for, and the image behind it: the rows below
// the frame are the engine's too, so that a full clear reaches them.
inline constexpr int kScreenCols = 80;
inline constexpr int kScreenRows = 25;
inline constexpr int kImageRows = 50;

struct TCharInfo {
  uint8_t Attributes = 0;
  uint8_t UnicodeChar = 0;  // one CP437 byte, despite the name
};

using TConsoleLineRec = std::array<TCharInfo, kScreenCols>;  // columns 1-80 at [0]-[79]
using TConsoleScreenRec = std::array<TConsoleLineRec, kImageRows>;  // rows 1-50 at [0]-[49]

// A saved rectangle: rows packed from Data row 1, column 1. All zero = nothing saved.
struct TConsoleImageRec {
  TConsoleScreenRec Data{};
  uint8_t CursorX = 0, CursorY = 0, CursorA = 0;
  uint8_t X1 = 0, X2 = 0, Y1 = 0, Y2 = 0;
};
