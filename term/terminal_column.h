// Follows the column of the terminal's own cursor through the cell bytes the
// engine sends, escape sequences written as text included, so that a terminal
// wider than 80 columns can be wrapped where an 80-column one wraps by itself.
#pragma once
#include <cstdint>
#include <string>

class TerminalColumn {
 public:
  // Takes the next cell byte; true when it belongs to an escape sequence and
  // so takes no cell (cursor moves in the sequence update the column).
  bool InSequence(uint8_t ch);

  int col = 1;

 private:
  enum class State { Text, Escape, Intermediate, Csi };
  void ApplyCsi(char final);
  State state_ = State::Text;
  std::string params_;
};
