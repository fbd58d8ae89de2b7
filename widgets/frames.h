// Dialog frames: the fixed 55x5 art frame of the input box and the grey window
// with a blue title bar.
#pragma once
#include <cstdint>

// Five lines of stored art from (X, Y). They are sent with the plain Write, so
// the terminal obeys their colour and cursor sequences while the screen image
// records every byte as a cell.
void WideBox(uint8_t x, uint8_t y);

// A grey window from (X1, Y1) to (X2, Y2) whose edges shade into the colour BG
// (0-7) around it, with a blue title bar on row Y1 + 1.
void WinBox(uint8_t x1, uint8_t y1, uint8_t x2, uint8_t y2, uint8_t bg);

// WinBox with a sunken single-line frame inside, below the title bar.
void WinBoxBorder(uint8_t x1, uint8_t y1, uint8_t x2, uint8_t y2, uint8_t bg);
