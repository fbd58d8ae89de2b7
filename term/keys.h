// The key codes ReadKey hands out, shared by every screen. An ordinary key is
// its own byte; an extended key is 0 followed by its PC scan code.
#pragma once
#include <cstdint>

namespace keys {

// Ordinary keys.
inline constexpr char CtrlA = 1, CtrlF = 6, CtrlG = 7, Backspace = 8, Tab = 9, LineFeed = 10,
                      Enter = 13, CtrlR = 18, CtrlS = 19, CtrlY = 25, Esc = 27;

// Scan codes of the extended keys.
inline constexpr uint8_t Up = 72, Down = 80, Left = 75, Right = 77, Home = 71, End = 79,
                         PgUp = 73, PgDn = 81, Insert = 82, Delete = 83, CtrlLeft = 115,
                         CtrlRight = 116;
inline constexpr uint8_t F1 = 59, F5 = 63, F6 = 64, F9 = 67, F10 = 68, F11 = 133, F12 = 134;
// Shift+F3 to Shift+F10, which the Linux console sends as Esc [ 2 5 ~ and on.
inline constexpr uint8_t ShiftF3 = 86, ShiftF5 = 88, ShiftF7 = 90;

}  // namespace keys
