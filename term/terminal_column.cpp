#include "terminal_column.h"

#include <algorithm>

#include "strutil.h"

bool TerminalColumn::InSequence(uint8_t ch) {
  switch (state_) {
    case State::Text:
      if (ch != 27) return false;
      state_ = State::Escape;
      return true;
    case State::Escape:
      if (ch == '[') {
        state_ = State::Csi;
        params_.clear();
      } else {
        state_ = ch >= 0x20 && ch <= 0x2F ? State::Intermediate : State::Text;
      }
      return true;
    case State::Intermediate:
      if (ch < 0x20 || ch > 0x2F) state_ = State::Text;
      return true;
    case State::Csi:
      if (ch >= 0x20 && ch <= 0x3F) {
        params_ += static_cast<char>(ch);
      } else {
        ApplyCsi(static_cast<char>(ch));
        state_ = State::Text;
      }
      return true;
  }
  return false;
}

void TerminalColumn::ApplyCsi(char final) {
  const size_t semicolon = params_.find(';');
  const int first = Str2Int(params_.substr(0, semicolon));
  const int n = std::max(first, 1);
  switch (final) {
    case 'C': col += n; break;
    case 'D': col -= n; break;
    case 'G': col = n; break;
    case 'H':
    case 'f':
      col = semicolon == std::string::npos ? 1 : std::max(Str2Int(params_.substr(semicolon + 1)), 1);
      break;
    default: break;
  }
  col = std::max(col, 1);
}
