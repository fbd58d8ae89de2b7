#include "cls.h"

#include <random>
#include <string>

#include "term/conio.h"

namespace {

const std::string kHalfRow(40, ' ');

void HorizontalLines() {
  for (int row = 1; row <= 25; ++row) {
    if (row % 2 == 1) WriteXY(1, row, 0, std::string(80, ' '));
    Delay(30);
  }
  ClrScr();
}

// Even columns first, then the odd ones, each top to bottom, left to right.
void VerticalLines() {
  for (int first : {2, 1}) {
    for (int col = first; col <= 80; col += 2) {
      for (int row = 1; row <= 25; ++row) {
        WriteXY(col, row, 0, " ");
        Delay(1);
      }
    }
  }
}

void Quarter(int col, int fromRow, int toRow) {
  for (int row = fromRow; row <= toRow; ++row) WriteXY(col, row, 0, kHalfRow);
}

void Quarters() {
  Quarter(1, 1, 12);
  Delay(200);
  Quarter(41, 13, 25);
  Delay(200);
  Quarter(41, 1, 12);
  Delay(200);
  Quarter(1, 13, 25);
}

}  // namespace

void RunWipe(Wipe wipe) {
  switch (wipe) {
    case Wipe::VerticalLines: return VerticalLines();
    case Wipe::HorizontalLines: return HorizontalLines();
    case Wipe::Quarters: return Quarters();
  }
}

void Cls() {
  std::mt19937 random(std::random_device{}());
  RunWipe(static_cast<Wipe>(std::uniform_int_distribution<int>(1, 3)(random)));
}
