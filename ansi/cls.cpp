#include "cls.h"

#include <random>
#include <string>

#include "term/conio.h"

namespace {

// The quarters meet at the middle column and the middle row.
constexpr int kMidCol = kScreenCols / 2 + 1, kMidRow = kScreenRows / 2 + 1;
const std::string kHalfRow(kScreenCols / 2, ' ');

void HorizontalLines() {
  for (int row = 1; row <= kScreenRows; ++row) {
    if (row % 2 == 1) WriteXY(1, row, 0, std::string(kScreenCols, ' '));
    Delay(30);
  }
  ClrScr();
}

// Even columns first, then the odd ones, each top to bottom, left to right.
void VerticalLines() {
  for (int first : {2, 1}) {
    for (int col = first; col <= kScreenCols; col += 2) {
      for (int row = 1; row <= kScreenRows; ++row) {
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
  Quarter(1, 1, kMidRow - 1);
  Delay(200);
  Quarter(kMidCol, kMidRow, kScreenRows);
  Delay(200);
  Quarter(kMidCol, 1, kMidRow - 1);
  Delay(200);
  Quarter(1, kMidRow, kScreenRows);
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
