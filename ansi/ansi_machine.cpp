#include "ansi_machine.h"

#include <algorithm>
#include <cstdint>

#include "term/conio.h"
#include "term/strutil.h"

namespace {

constexpr uint8_t kCr = 13, kLf = 10, kEsc = 27;

// ANSI colour order (black, red, green, yellow, blue, magenta, cyan, white) to
// the attribute's PC order; 40-47 already in the background bits.
constexpr uint8_t kColorTable[18] = {0x00, 0x04, 0x02, 0x06, 0x01, 0x05, 0x03, 0x07, 0x00,
                                     0x00, 0x00, 0x40, 0x20, 0x60, 0x10, 0x50, 0x30, 0x70};

constexpr std::string_view kForeground[8] = {"30", "34", "32", "36", "31", "35", "33", "37"};
constexpr std::string_view kBackground[8] = {"40", "44", "42", "46", "41", "45", "43", "47"};

// Cursor arithmetic on 32-bit parameters, held to the 80x25 screen.
int Clamp(int64_t v, int hi) { return static_cast<int>(std::clamp<int64_t>(v, 1, hi)); }

uint8_t Rendition(uint8_t attr, int32_t p) {
  if (p == 0) return 7;
  if (p == 1) return attr | 0x08;
  if (p == 5) return attr | 0x80;
  if (p == 7) {
    const uint8_t a = attr & 0xF7;
    return static_cast<uint8_t>(((a & 0x70) >> 4) + ((a & 0x07) << 4) + (a & 0x80));
  }
  if (p >= 30 && p <= 37) return static_cast<uint8_t>((attr & 0xF8) + kColorTable[p - 30]);
  if (p >= 40 && p <= 47) return static_cast<uint8_t>((attr & 0x0F) + kColorTable[p - 30]);
  return attr;
}

}  // namespace

std::string AnsiColor(int pipe, uint8_t attr) {
  if (pipe < 8) {
    return "\x1b[0;" + std::string(kForeground[pipe]) + "m" +
           AnsiColor(16 + ((attr >> 4) & 7), attr);
  }
  if (pipe < 16) return "\x1b[1;" + std::string(kForeground[pipe - 8]) + "m";
  return "\x1b[" + std::string(kBackground[pipe - 16]) + "m";
}

void AnsiMachine::Process(uint8_t ch) {
  Step(ch, true);
  lastCh_ = ch;
}

void AnsiMachine::PipeColor(int pipe) {
  for (char ch : AnsiColor(pipe, GetTextAttr())) Step(static_cast<uint8_t>(ch), false);
}

void AnsiMachine::Step(uint8_t ch, bool crBeforeLf) {
  switch (state_) {
    case 0:
      Text(ch, crBeforeLf);
      break;
    case 1:
      state_ = 0;
      if (ch == '[') {
        state_ = 2;
        options_.clear();
      }
      break;
    default:
      CheckCode(ch);
  }
}

void AnsiMachine::Text(uint8_t ch, bool crBeforeLf) {
  switch (ch) {
    case 0:
      break;
    case 9:
      GotoXY(WhereX() + 8, WhereY());
      break;
    case kLf:
      if (crBeforeLf && lastCh_ != kCr) Write("\r");
      Write("\n");
      break;
    case 12:
      ClrScr();
      break;
    case 14:
    case 15:
      Write("X");
      break;
    case kEsc:
      state_ = 1;
      break;
    default: {
      const char c = static_cast<char>(ch);
      Write(std::string_view(&c, 1));
    }
  }
}

void AnsiMachine::CheckCode(uint8_t ch) {
  if (ch < '0') return ResetState();
  if ((ch >= '0' && ch <= '9') || ch == ';' || ch == '?') {
    options_ += static_cast<char>(ch);
    return;
  }
  const int x = WhereX(), y = WhereY();
  switch (ch) {
    case 'A': GotoXY(x, Clamp(int64_t{y} - Count(), kScreenRows)); break;
    case 'B': GotoXY(x, Clamp(int64_t{y} + Count(), kScreenRows)); break;
    case 'C': GotoXY(Clamp(int64_t{x} + Count(), kScreenCols), y); break;
    case 'D': GotoXY(Clamp(int64_t{x} - Count(), kScreenCols), y); break;
    case 'E': GotoXY(1, Clamp(int64_t{y} + Count(), kScreenRows)); break;
    case 'G': GotoXY(1, y); break;
    case 'H':
    case 'f': CursorMove(); break;
    case 'J': ClrScr(); break;
    case 'K': ClearEol(); break;
    case 'm': SelectRendition(); break;
    case 'n': Write("\x1b[" + Int2Str(y) + ";" + Int2Str(x) + "R"); break;
    case 's':
      savedX_ = x;
      savedY_ = y;
      break;
    case 'u': GotoXY(savedX_, savedY_); break;
    default: break;  // "h" and everything else from 0x30 up
  }
  ResetState();
}

// A value beyond 32 bits reads as 0, as a number that does not fit always does here.
int32_t AnsiMachine::ParseNumber() {
  size_t end = 0;
  int64_t value = 0;
  for (; end < options_.size() && options_[end] >= '0' && options_[end] <= '9'; ++end) {
    if (value <= INT32_MAX) value = value * 10 + (options_[end] - '0');
  }
  options_.erase(0, end + 1);
  return value <= INT32_MAX ? static_cast<int32_t>(value) : 0;
}

int32_t AnsiMachine::Count() {
  const int32_t n = ParseNumber();
  return n == 0 ? 1 : n;
}

void AnsiMachine::CursorMove() {
  const int32_t row = Count();
  const int32_t col = Count();
  GotoXY(Clamp(col, kScreenCols), Clamp(row, kScreenRows));
}

// Column 80 is left alone, so the cursor never wraps to the next row.
void AnsiMachine::ClearEol() {
  const int x = WhereX();
  if (x < kScreenCols) Write(std::string(kScreenCols - x, ' '));
}

void AnsiMachine::SelectRendition() {
  if (options_.empty()) return SetTextAttr(7);
  while (!options_.empty()) Screen->SetTextAttr(Rendition(GetTextAttr(), ParseNumber()));
}

void AnsiMachine::ResetState() {
  state_ = 0;
  options_.clear();
}
