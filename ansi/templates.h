// Screen templates: runs of a marker character in a drawn screen that mark
// where the program writes text later.
#pragma once
#include <cstdint>
#include <string_view>
#include <vector>

struct TCoord {
  uint8_t X;  // column of the run's first cell, 1-80
  uint8_t Y;  // row, 1-25
  uint8_t A;  // attribute of the run's first cell when scanned
  uint8_t W;  // number of marker cells
};

// The fields the last scan found, in scan order (top row first, left to right).
extern std::vector<TCoord> TemplatePos;

// Scans the screen image for runs of tc, records them and paints rep over them
// in each run's first attribute. A run reaching column 80 goes on in column 1
// of the next row.
void GetTemplateSimple(char tc, char rep);

// Writes s into field p: whole from a one-cell field, else cut or padded with
// zero bytes to the field's width.
void WriteTemplate(uint8_t p, std::string_view s);

void FreeTemplate();
