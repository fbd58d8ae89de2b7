// The interpreter's state machine: text bytes, ESC [ control sequences and the
// colour texts of pipe codes, drawn through the console facade at the cursor.
// The sequences it knows are listed in ANSI-SUBSET.md.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>

// The ANSI text a pipe colour number 0-23 stands for, on the attribute attr
// (0-7 also restore the background that attr has).
std::string AnsiColor(int pipe, uint8_t attr);

class AnsiMachine {
 public:
  // One byte of the file.
  void Process(uint8_t ch);
  // The colour change of a pipe code "|00"-"|23".
  void PipeColor(int pipe);

 private:
  // crBeforeLf: a line feed not preceded by CR writes one first (file bytes only).
  void Step(uint8_t ch, bool crBeforeLf);
  void Text(uint8_t ch, bool crBeforeLf);
  void CheckCode(uint8_t ch);
  int32_t ParseNumber();
  int32_t Count();  // the first parameter, 0 or absent meaning 1
  void CursorMove();
  void ClearEol();
  void SelectRendition();
  void ResetState();

  int state_ = 0;  // 0 text, 1 ESC seen, 2 inside ESC [
  std::string options_;
  uint8_t lastCh_ = 0;
  int savedX_ = 1, savedY_ = 1;
};
