// The console output engine: a screen image of characters and attributes, the
// shortest SGR changes, and one write per flush point from a 1024-byte buffer.
#pragma once
#include <termios.h>

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "terminal_column.h"
#include "types.h"

// How screen cells reach the terminal: raw CP437 bytes (the Linux console with
// its PC font) or their UTF-8 glyphs (nearly every terminal today).
enum class Charset { Cp437, Utf8 };

struct TOutputSetup {
  int fd = 1;
  Charset charset = Charset::Cp437;
  // The terminal's size: a larger one is held to its top-left 80x25 area.
  int termCols = kScreenCols;
  int termRows = kScreenRows;
};

class TOutputLinux {
 public:
  static constexpr int ConBufSize = 1024;

  explicit TOutputLinux(bool active, TOutputSetup setup = {});
  ~TOutputLinux();
  TOutputLinux(const TOutputLinux&) = delete;
  TOutputLinux& operator=(const TOutputLinux&) = delete;

  void SetRawMode(bool on);
  void BufAddStr(std::string_view s);
  void BufFlush();
  // While held, flush points only mark the bytes before them as due; the due
  // bytes go out with the next full buffer, SendDue or the release. The same
  // bytes leave in the same order, in fewer writes (a drawing loop would
  // otherwise write once per character).
  void HoldFlushes(bool hold);
  // Writes the due bytes now: called before anything that sleeps or waits.
  void SendDue();
  void RawWriteStr(std::string_view s);
  std::string AttrToAnsi(uint8_t attr) const;
  void SetTextAttr(uint8_t attr);
  void CursorXY(int x, int y);
  void ClearScreen();
  void WriteChar(uint8_t ch);
  void WriteStr(std::string_view s);
  void WriteLine(std::string_view s);
  void WriteXY(int x, int y, uint8_t attr, std::string_view text);
  void WriteXYPipe(int32_t x, int32_t y, int32_t attr, int32_t pad, std::string_view text);
  void WritePipe(std::string_view s);
  uint8_t ReadAttrXY(int x, int y) const;
  void GetScreenImage(int x1, int y1, int x2, int y2, TConsoleImageRec& image) const;
  void PutScreenImage(const TConsoleImageRec& image);

  // Restores what a shell expects (rendition, character set, scrolling region)
  // and the terminal settings. Safe to call more than once.
  void GiveBack();
  // The same hand-back while the program is stopped; TakeBack takes raw mode
  // and the engine's terminal set-up again (also after a resize).
  void Suspend();
  void TakeBack();
  // The terminal's size now; the next TakeBack sets the scrolling region for it.
  void SetTerminalSize(int cols, int rows);
  // Draws the whole 80x25 image again on a cleared screen, cursor and attribute included.
  void Repaint();

  Charset charset() const { return setup_.charset; }

  // Called when a write finds the terminal gone.
  std::function<void()> OnHangUp;

  // State other modules read directly.
  uint8_t FTextAttr = 7;
  uint8_t FWinTop = 1;
  uint8_t FWinBot = kScreenRows;
  uint8_t FCursorX = 1;
  uint8_t FCursorY = 1;
  TConsoleScreenRec Buffer{};
  bool Active = true;

 private:
  std::string Greeting();
  std::string Farewell() const;
  void BufAddByte(char b);
  void SendBytes(uint16_t count);
  void AddCell(uint8_t ch);
  void AddPipeCode(uint8_t code);
  bool IsWideTerminal() const { return setup_.termCols > kScreenCols; }

  TOutputSetup setup_;
  termios TermInfo{};
  bool rawModeOn_ = false;
  bool sentPcCharset_ = false;
  bool setScrollRegion_ = false;
  bool givenBack_ = false;
  char OutBuffer[ConBufSize]{};
  uint16_t OutBufPos = 0;
  bool holdFlushes_ = false;
  uint16_t duePos_ = 0;  // bytes before this position are past a held flush point
  // Where the terminal's own cursor column is, to wrap at column 80 on a wider one.
  TerminalColumn column_;
};

class TOutput : public TOutputLinux {
 public:
  using TOutputLinux::TOutputLinux;
};
