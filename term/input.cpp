#include "input.h"

#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "clock.h"
#include "cp437.h"
#include "keys.h"
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

// What most terminals send for the Backspace key.
constexpr uint8_t kDel = 127;

// The escape decoder's states, named by the bytes seen so far.
enum class EscState {
  Done,
  Esc,         // Esc
  Csi,         // Esc [
  CsiBracket,  // Esc [ [: the Linux console's F1-F5
  Csi1,        // Esc [ 1
  Csi2,        // Esc [ 2
  Csi3,        // Esc [ 3
  Ss3,         // Esc O
  Csi15,       // Esc [ 1 5
  EndTilde,    // the "~" that ends a sequence is still to come
};

// The scan code a final letter stands for after both Esc [ and Esc O: the
// cursor keys, Home and End; 0 for any other letter.
uint8_t CursorKey(char ch) {
  switch (ch) {
    case 'A': return keys::Up;
    case 'B': return keys::Down;
    case 'C': return keys::Right;
    case 'D': return keys::Left;
    case 'F': return keys::End;  // xterm's End: read as Esc it would leave the menu
    case 'H': return keys::Home;
    default: return 0;
  }
}

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
  if (ch == kDel) {
    PushKey(keys::Backspace);
  } else if (ch == keys::Esc) {
    DecodeEscape();
  } else if (ch >= 0x80 && setup_.utf8) {
    DecodeUtf8(ch);
  } else {
    PushKey(static_cast<char>(ch));
  }
  return PopKey();
}

void TInputLinux::DecodeEscape() {
  EscState state = EscState::Esc;
  WaitMS(kEscapeWaitMs);
  while (state != EscState::Done && SysKeyPressed()) {
    const char ch = TTYRecvChar();
    const EscState seen = state;
    state = EscState::Done;
    switch (seen) {
      case EscState::Esc:
        if (ch == keys::LineFeed) {
          PushKey(keys::LineFeed);
        } else if (uint8_t alt = FAltKey(ch); alt != 0) {
          PushExt(alt);
        } else if (ch == '[') {
          state = EscState::Csi;
        } else if (ch == 'O') {
          state = EscState::Ss3;
        } else {
          PushKey(ch);
          PushKey(keys::Esc);
        }
        break;
      case EscState::Csi:
        if (const uint8_t key = CursorKey(ch)) {
          PushExt(key);
          break;
        }
        switch (ch) {
          case 'K': PushExt(keys::End); break;
          case 'G': PushKey('5'); break;
          case 'U': PushExt(keys::PgDn); break;
          case 'V': PushExt(keys::PgUp); break;
          case '1': state = EscState::Csi1; break;
          case '2': state = EscState::Csi2; break;
          case '3': state = EscState::Csi3; break;
          case '4': PushExt(keys::End); state = EscState::EndTilde; break;
          case '5': PushExt(keys::PgUp); state = EscState::EndTilde; break;
          case '6': PushExt(keys::PgDn); state = EscState::EndTilde; break;
          case '[': state = EscState::CsiBracket; break;
          default:
            PushKey(ch);
            PushKey('[');
            PushKey(keys::Esc);
        }
        break;
      case EscState::CsiBracket:
        if (ch >= 'A' && ch <= 'E') PushExt(static_cast<uint8_t>(keys::F1 + (ch - 'A')));
        break;
      case EscState::Csi1:
        if (ch == '5') {
          state = EscState::Csi15;
        } else if (ch >= '7' && ch <= '9') {
          PushExt(static_cast<uint8_t>(keys::F6 + (ch - '7')));
          state = EscState::EndTilde;
        } else if (ch == '~') {
          PushExt(keys::Home);
        } else {
          state = EscState::EndTilde;
        }
        break;
      case EscState::Csi2:
        if (ch == '0' || ch == '1') PushExt(static_cast<uint8_t>(keys::F9 + (ch - '0')));
        if (ch == '3' || ch == '4') PushExt(static_cast<uint8_t>(keys::F11 + (ch - '3')));
        if (ch == '5' || ch == '6') PushExt(static_cast<uint8_t>(keys::ShiftF3 + (ch - '5')));
        if (ch == '8' || ch == '9') PushExt(static_cast<uint8_t>(keys::ShiftF5 + (ch - '8')));
        if (ch == '~') PushExt(keys::Insert);
        if (ch != '~') state = EscState::EndTilde;
        break;
      case EscState::Csi3:
        if (ch >= '1' && ch <= '4') PushExt(static_cast<uint8_t>(keys::ShiftF7 + (ch - '1')));
        if (ch == '~') PushExt(keys::Delete);
        if (ch != '~') state = EscState::EndTilde;
        break;
      case EscState::Ss3:
        if (const uint8_t key = CursorKey(ch)) {
          PushExt(key);
        } else if (ch >= 'P' && ch <= 'S') {
          PushExt(static_cast<uint8_t>(keys::F1 + (ch - 'P')));
        }
        break;
      case EscState::Csi15:
        if (ch == '~') PushExt(keys::F5);
        break;
      case EscState::EndTilde:
      case EscState::Done:
        break;
    }
    if (state != EscState::Done) WaitMS(kEscapeWaitMs);
  }
  if (state == EscState::Esc) PushKey(keys::Esc);  // nothing followed: a lone Esc
}

bool TInputLinux::NextByteSoon() {
  return SysKeyPressed() || (WaitMS(kEscapeWaitMs), SysKeyPressed());
}

// A typed character reaches the program as its CP437 byte when it has one above
// 0x7F; anything else is dropped, so a typed arrow glyph never acts as Esc.
void TInputLinux::DecodeUtf8(uint8_t lead) {
  const int length = Utf8Length(lead);
  if (length < 2) return;
  char32_t code = Utf8LeadBits(lead, length);
  for (int more = length - 1; more > 0; --more) {
    if (!NextByteSoon()) return;
    if (InCnt == 0) FillRing();
    if (InCnt == 0 || (InBuf[InTail] & 0xC0) != 0x80) return;  // leave it for the next key
    code = (code << 6) | (static_cast<uint8_t>(TTYRecvChar()) & 0x3F);
  }
  const int b = UnicodeToCp437(code);
  if (b >= 0x80) PushKey(static_cast<char>(b));
}
