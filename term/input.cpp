#include "input.h"

#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "clock.h"
#include "cp437.h"
#include "wait.h"

namespace {

constexpr char kAltKeyStr[] = "qwertyuiopasdfghjklzxcvbnm1234567890-=";
constexpr uint8_t kAltCodeStr[] = {16,  17,  18,  19,  20,  21,  22,  23,  24,  25,
                                   30,  31,  32,  33,  34,  35,  36,  37,  38,  44,
                                   45,  46,  47,  48,  49,  50,  120, 121, 122, 123,
                                   124, 125, 126, 127, 128, 129, 130, 131};
static_assert(sizeof(kAltCodeStr) == sizeof(kAltKeyStr) - 1);

// Bytes that continue an escape sequence arrive within this many milliseconds.
constexpr uint16_t kEscapeWaitMs = 10;

}  // namespace

void WaitMS(uint16_t ms) { SleepMs(ms); }

TInputLinux::TInputLinux(TInputSetup setup) : setup_(setup) {}

uint8_t TInputLinux::FAltKey(char ch) {
  if (ch == 0) return 0;
  const char* at = std::strchr(kAltKeyStr, ch);
  return at ? kAltCodeStr[at - kAltKeyStr] : 0;
}

void TInputLinux::PushKey(char ch) {
  int32_t slot = KeyPut;
  KeyPut = (KeyPut + 1) % KeyBufferSize;
  if (KeyPut == KeySend) {  // full: one slot always stays free
    KeyPut = slot;
    return;
  }
  KeyBuffer[slot] = ch;
}

char TInputLinux::PopKey() {
  if (KeyPut == KeySend) return 0;
  char ch = KeyBuffer[KeySend];
  KeySend = (KeySend + 1) % KeyBufferSize;
  return ch;
}

void TInputLinux::PushExt(uint8_t code) {
  PushKey(0);
  PushKey(static_cast<char>(code));
}

bool TInputLinux::SysKeyPressed() { return InCnt > 0 || WaitReadable(setup_.fd, 0); }

bool TInputLinux::KeyPressed() { return KeyPut != KeySend || SysKeyPressed(); }

bool TInputLinux::KeyPressedCheap() {
  if (KeyPut != KeySend || InCnt > 0) return true;
  // Reading the clock costs more than drawing a byte: every 64th call reads
  // it, and half a millisecond between two questions leaves room for those
  // calls within the millisecond a key may wait.
  if (cheapCalls_++ % 64 != 0) return false;
  const auto now = Now();
  if (now - lastAsked_ < std::chrono::microseconds(500)) return false;
  lastAsked_ = now;
  return WaitReadable(setup_.fd, 0);
}

void TInputLinux::FillRing() {
  ssize_t n;
  do {
    WaitReadable(setup_.fd, -1);
    n = read(setup_.fd, InBuf + InHead, TTYInBufSize - InHead);
  } while (n < 0 && (errno == EINTR || errno == EAGAIN));
  if (n <= 0) {
    if (OnHangUp) OnHangUp();
    return;
  }
  InCnt += static_cast<int32_t>(n);
  InHead = (InHead + static_cast<int32_t>(n)) % TTYInBufSize;
}

void TInputLinux::DelayWatchingInput(uint16_t ms) {
  const auto deadline = Now() + std::chrono::milliseconds(ms);
  for (int left; (left = MsUntil(deadline)) > 0;) {
    // Typed keys wait in the ring; only an empty ring may be refilled.
    if (InCnt > 0) return SleepMs(left);
    if (!WaitReadable(setup_.fd, left)) return;
    FillRing();
    if (InCnt == 0) return SleepMs(MsUntil(deadline));  // nobody to hand the end to
  }
}

char TInputLinux::TTYRecvChar() {
  if (InCnt == 0) FillRing();
  if (InCnt == 0) return 0;
  char ch = static_cast<char>(InBuf[InTail]);
  --InCnt;
  InTail = (InTail + 1) % TTYInBufSize;
  return ch;
}

char TInputLinux::ReadKey() {
  if (KeyPut != KeySend) return PopKey();
  if (!SysKeyPressed()) WaitReadable(setup_.fd, -1);
  const uint8_t ch = static_cast<uint8_t>(TTYRecvChar());
  if (ch == 127) {
    PushKey(8);
  } else if (ch == 27) {
    DecodeEscape();
  } else if (ch >= 0x80 && setup_.utf8) {
    DecodeUtf8(ch);
  } else {
    PushKey(static_cast<char>(ch));
  }
  return PopKey();
}

void TInputLinux::DecodeEscape() {
  int state = 1;
  WaitMS(kEscapeWaitMs);
  while (state != 0 && SysKeyPressed()) {
    const char ch = TTYRecvChar();
    const int seen = state;
    state = 0;
    switch (seen) {
      case 1:
        if (ch == 10) {
          PushKey(10);
        } else if (uint8_t alt = FAltKey(ch); alt != 0) {
          PushExt(alt);
        } else if (ch == '[') {
          state = 2;
        } else if (ch == 'O') {
          state = 7;
        } else {
          PushKey(ch);
          PushKey(27);
        }
        break;
      case 2:
        switch (ch) {
          case 'A': PushExt(keys::Up); break;
          case 'B': PushExt(keys::Down); break;
          case 'C': PushExt(keys::Right); break;
          case 'D': PushExt(keys::Left); break;
          case 'H': PushExt(keys::Home); break;
          case 'K': PushExt(keys::End); break;
          case 'F': PushExt(keys::End); break;  // xterm's End: read as Esc it would leave the menu
          case 'G': PushKey('5'); break;
          case 'U': PushExt(keys::PgDn); break;
          case 'V': PushExt(keys::PgUp); break;
          case '1': state = 4; break;
          case '2': state = 5; break;
          case '3': state = 6; break;
          case '4': PushExt(keys::End); state = 255; break;
          case '5': PushExt(keys::PgUp); state = 255; break;
          case '6': PushExt(keys::PgDn); state = 255; break;
          case '[': state = 3; break;
          default:
            PushKey(ch);
            PushKey('[');
            PushKey(27);
        }
        break;
      case 3:
        if (ch >= 'A' && ch <= 'E') PushExt(static_cast<uint8_t>(keys::F1 + (ch - 'A')));
        break;
      case 4:
        if (ch == '5') {
          state = 8;
        } else if (ch >= '7' && ch <= '9') {
          PushExt(static_cast<uint8_t>(keys::F6 + (ch - '7')));
          state = 255;
        } else if (ch == '~') {
          PushExt(keys::Home);
        } else {
          state = 255;
        }
        break;
      case 5:
        if (ch == '0' || ch == '1') PushExt(static_cast<uint8_t>(keys::F9 + (ch - '0')));
        if (ch == '3' || ch == '4') PushExt(static_cast<uint8_t>(keys::F11 + (ch - '3')));
        if (ch == '5' || ch == '6') PushExt(static_cast<uint8_t>(86 + (ch - '5')));
        if (ch == '8' || ch == '9') PushExt(static_cast<uint8_t>(88 + (ch - '8')));
        if (ch == '~') PushExt(keys::Insert);
        if (ch != '~') state = 255;
        break;
      case 6:
        if (ch >= '1' && ch <= '4') PushExt(static_cast<uint8_t>(90 + (ch - '1')));
        if (ch == '~') PushExt(keys::Delete);
        if (ch != '~') state = 255;
        break;
      case 7:
        switch (ch) {
          case 'A': PushExt(keys::Up); break;
          case 'B': PushExt(keys::Down); break;
          case 'C': PushExt(keys::Right); break;
          case 'D': PushExt(keys::Left); break;
          case 'F': PushExt(keys::End); break;
          case 'H': PushExt(keys::Home); break;
          case 'P': case 'Q': case 'R': case 'S':
            PushExt(static_cast<uint8_t>(keys::F1 + (ch - 'P')));
            break;
          default: break;
        }
        break;
      case 8:
        if (ch == '~') PushExt(keys::F5);
        break;
      default:  // 255: the "~" that ends a sequence
        break;
    }
    if (state != 0) WaitMS(kEscapeWaitMs);
  }
  if (state == 1) PushKey(27);  // nothing followed: a lone Esc
}

bool TInputLinux::NextByteSoon() {
  return SysKeyPressed() || (WaitMS(kEscapeWaitMs), SysKeyPressed());
}

// A typed character reaches the program as its CP437 byte when it has one above
// 0x7F; anything else is dropped, so a typed arrow glyph never acts as Esc.
void TInputLinux::DecodeUtf8(uint8_t lead) {
  int more;
  char32_t code;
  if ((lead & 0xE0) == 0xC0) {
    more = 1, code = lead & 0x1F;
  } else if ((lead & 0xF0) == 0xE0) {
    more = 2, code = lead & 0x0F;
  } else if ((lead & 0xF8) == 0xF0) {
    more = 3, code = lead & 0x07;
  } else {
    return;
  }
  for (; more > 0; --more) {
    if (!NextByteSoon()) return;
    if (InCnt == 0) FillRing();
    if (InCnt == 0 || (InBuf[InTail] & 0xC0) != 0x80) return;  // leave it for the next key
    code = (code << 6) | (static_cast<uint8_t>(TTYRecvChar()) & 0x3F);
  }
  const int b = UnicodeToCp437(code);
  if (b >= 0x80) PushKey(static_cast<char>(b));
}
