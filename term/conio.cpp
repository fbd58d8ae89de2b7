#include "conio.h"

#include <sys/ioctl.h>

#include "departure.h"
#include "signals.h"
#include "strutil.h"
#include "terminal_events.h"
#include "wait.h"

TOutput* Screen = nullptr;
TInput* Keyboard = nullptr;
uint8_t ScreenWidth = kScreenCols;
uint8_t ScreenHeight = kScreenRows;
int TerminalCols = kScreenCols;
int TerminalRows = kScreenRows;

namespace {

int outputFd = 1;

// The terminal's real size, 80x25 when it cannot say.
winsize QuerySize() {
  winsize ws{};
  if (ioctl(outputFd, TIOCGWINSZ, &ws) != 0 || ws.ws_col == 0 || ws.ws_row == 0) {
    ws.ws_col = kScreenCols;
    ws.ws_row = kScreenRows;
  }
  return ws;
}

// Kept whole for the size check and cut to a byte, as the viewer reads it.
void Store(const winsize& ws) {
  TerminalCols = ws.ws_col;
  TerminalRows = ws.ws_row;
  ScreenWidth = static_cast<uint8_t>(ws.ws_col);
  ScreenHeight = static_cast<uint8_t>(ws.ws_row);
}

}  // namespace

void ReadTerminalSize() { Store(QuerySize()); }

bool TerminalBigEnough() { return TerminalCols >= kScreenCols && TerminalRows >= kScreenRows; }

void ConsoleInit(const ConsoleSetup& setup) {
  outputFd = setup.outFd;
  const winsize ws = QuerySize();  // the engine holds a larger terminal to 80x25
  Store(ws);
  TOutputSetup out{setup.outFd, setup.charset, ws.ws_col, ws.ws_row};
  AddDepartureStep(ConsoleDone);  // registered first, so it runs last
  Screen = new TOutput(true, out);
  Keyboard = new TInput(TInputSetup{setup.inFd, setup.charset == Charset::Utf8});
  Screen->OnHangUp = [] { Depart(0); };
  Keyboard->OnHangUp = [] { Depart(0); };
  InstallTerminalSignals();
  SetTerminalSignalHandler(OnTerminalSignals);
}

void ConsoleDone() {
  SetTerminalSignalHandler(nullptr);
  // Left by a signal: a shell prompt must not land in the middle of the art.
  // A terminal that has gone just fails the write.
  if (Screen && PendingSignal() != 0) {
    Screen->HoldFlushes(false);
    Screen->BufFlush();
    Screen->RawWriteStr("\x1b[0m\x1b[2J\x1b[H");
  }
  delete Screen;
  Screen = nullptr;
  delete Keyboard;
  Keyboard = nullptr;
}

void Write(std::string_view s) { Screen->WriteStr(s); }
void WriteLn(std::string_view s) { Screen->WriteLine(s); }
void WriteLn() { Screen->WriteLine(""); }
void ClrScr() { Screen->ClearScreen(); }
void GotoXY(int x, int y) { Screen->CursorXY(x, y); }
uint8_t WhereX() { return Screen->FCursorX; }
uint8_t WhereY() { return Screen->FCursorY; }

void TextColor(uint8_t c) {
  const uint8_t noForeground = Screen->FTextAttr & 0xF0;
  Screen->SetTextAttr(noForeground);
  Screen->SetTextAttr(static_cast<uint8_t>(noForeground + (c & 15)));
}

void SetTextAttr(uint8_t a) { Screen->SetTextAttr(a); }
uint8_t GetTextAttr() { return Screen->FTextAttr; }
void WriteXY(int x, int y, uint8_t a, std::string_view s) { Screen->WriteXY(x, y, a, s); }

void WriteXYPipe(int x, int y, uint8_t a, std::string_view s) {
  Screen->WriteXYPipe(x, y, a, StrMciLen(s), s);
}

void WritePipe(std::string_view s) { Screen->WritePipe(s); }
void BufFlush() { Screen->BufFlush(); }

char GetCharAt(int x, int y) {
  if (x < 1 || x > kScreenCols || y < 1 || y > kScreenRows) return ' ';
  return static_cast<char>(Screen->Buffer[y - 1][x - 1].UnicodeChar);
}

uint8_t GetAttrAt(int x, int y) { return Screen->ReadAttrXY(x, y); }

void SaveScreen(TConsoleImageRec& image) {
  image = TConsoleImageRec{};
  Screen->GetScreenImage(1, 1, kScreenCols, kScreenRows, image);
}

void RestoreScreen(const TConsoleImageRec& image) { Screen->PutScreenImage(image); }
bool KeyPressed() { return Keyboard->KeyPressed(); }

// Output held back for fewer writes goes out before any wait.
char ReadKey() {
  Screen->SendDue();
  return Keyboard->ReadKey();
}

void Delay(uint16_t ms) {
  Screen->SendDue();
  Keyboard->DelayWatchingInput(ms);
}

void Enable_ANSI_Unix() {
  // A UTF-8 terminal must not switch to the PC font mapping.
  Write(Screen->charset() == Charset::Cp437 ? "\x1b(U\x1b[0m" : "\x1b[0m");
}
