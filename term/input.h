// The keyboard input decoder: terminal bytes in, one-byte PC key codes out.
// Extended keys arrive as 0 followed by their scan code on the next call.
#pragma once
#include <cstdint>
#include <functional>

#include "clock.h"
#include "keys.h"  // the codes ReadKey answers

struct TInputSetup {
  int fd = 0;
  // A UTF-8 terminal sends typed non-ASCII characters as several bytes.
  bool utf8 = false;
};

class TInputLinux {
 public:
  static constexpr int TTYInBufSize = 256;
  static constexpr int KeyBufferSize = 20;

  explicit TInputLinux(TInputSetup setup = {});

  char ReadKey();
  bool KeyPressed();
  // KeyPressed for a loop that asks once per byte: a key already received
  // answers at once; the terminal itself is asked often enough that a key
  // takes effect within a millisecond, but not on every call.
  bool KeyPressedCheap();
  bool SysKeyPressed();
  char TTYRecvChar();
  void PushKey(char ch);
  char PopKey();
  void PushExt(uint8_t code);
  static uint8_t FAltKey(char ch);

  // Sleeps ms milliseconds, but notices meanwhile when input has ended, so a
  // reader who hung up is not kept waiting for.
  void DelayWatchingInput(uint16_t ms);

  // Called at end of input or when reading fails: the reader has gone.
  std::function<void()> OnHangUp;

 private:
  void FillRing();
  void DecodeEscape();
  void DecodeUtf8(uint8_t lead);
  bool NextByteSoon();

  TInputSetup setup_;
  uint8_t InBuf[TTYInBufSize]{};
  int32_t InCnt = 0, InHead = 0, InTail = 0;
  char KeyBuffer[KeyBufferSize]{};
  int32_t KeyPut = 0, KeySend = 0;
  TermClock::time_point lastAsked_{};
  uint32_t cheapCalls_ = 0;
};

class TInput : public TInputLinux {
 public:
  using TInputLinux::TInputLinux;
};

// Sleeps MS milliseconds (cut short only by a departure signal).
void WaitMS(uint16_t ms);
