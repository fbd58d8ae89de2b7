// The console facade: the one output engine and key decoder, and the
// procedural console vocabulary every screen uses.
#pragma once
#include <cstdint>
#include <string_view>

#include "input.h"
#include "output.h"

extern TOutput* Screen;
extern TInput* Keyboard;
extern uint8_t ScreenWidth;
extern uint8_t ScreenHeight;
// The terminal's real size (ScreenWidth and ScreenHeight are cut to a byte).
extern int TerminalCols;
extern int TerminalRows;

struct ConsoleSetup {
  int inFd = 0;
  int outFd = 1;
  Charset charset = Charset::Cp437;
};

// Creates the engine (raw mode on, first bytes sent, screen cleared) and the
// decoder; end of input or a lost terminal then leaves through the departure.
void ConsoleInit(const ConsoleSetup& setup);
// Frees both and gives the terminal back; runs at most once.
void ConsoleDone();

// The terminal's size as it reports it (80x25 when it cannot say).
void ReadTerminalSize();
// At least 80x25, by the real size.
bool TerminalBigEnough();

void Write(std::string_view s);
void WriteLn(std::string_view s);
void WriteLn();
void ClrScr();
void GotoXY(int x, int y);
uint8_t WhereX();
uint8_t WhereY();
void TextColor(uint8_t c);
void SetTextAttr(uint8_t a);
uint8_t GetTextAttr();
void WriteXY(int x, int y, uint8_t a, std::string_view s);
void WriteXYPipe(int x, int y, uint8_t a, std::string_view s);
void WritePipe(std::string_view s);
void BufFlush();
char GetCharAt(int x, int y);
uint8_t GetAttrAt(int x, int y);
void SaveScreen(TConsoleImageRec& image);
void RestoreScreen(const TConsoleImageRec& image);
bool KeyPressed();
char ReadKey();
void Delay(uint16_t ms);
void Enable_ANSI_Unix();
