#include "output.h"

#include <unistd.h>

#include <algorithm>
#include <cstring>

#include "cp437.h"
#include "departure.h"
#include "pipe_code.h"
#include "wait.h"

namespace {

constexpr char kAnsiTable[] = "04261537";  // PC colour order to ANSI colour digits

constexpr size_t kMaxSgr = 16;  // "\e[0;1;5;3x;4xm" is the longest

// The SGR sequence that changes the terminal from attribute `from` to `to`
// (they differ), written into out; answers its length.
size_t SgrChange(uint8_t from, uint8_t to, char* out) {
  const int fg = to & 15, bg = to >> 4;
  int oldFg = from & 15, oldBg = from >> 4;
  char* p = out;
  *p++ = '\x1b';
  *p++ = '[';
  const char* const list = p;
  auto add = [&](char a, char b = 0) {
    if (p != list) *p++ = ';';
    *p++ = a;
    if (b != 0) *p++ = b;
  };
  if (oldFg != 7 || fg == 7 || (oldFg > 7 && fg < 8) || (oldBg > 7 && bg < 8)) {
    add('0');
    oldFg = 7;
    oldBg = 0;
  }
  if (fg > 7 && oldFg < 8) {
    add('1');
    oldFg |= 8;
  }
  if ((bg & 8) != (oldBg & 8)) {
    add('5');
    oldBg |= 8;
  }
  if (fg != oldFg) add('3', kAnsiTable[fg & 7]);
  if (bg != oldBg) add('4', kAnsiTable[bg & 7]);
  *p++ = 'm';
  return static_cast<size_t>(p - out);
}

}  // namespace

TOutputLinux::TOutputLinux(bool active, TOutputSetup setup) : setup_(setup) {
  SetRawMode(true);
  Active = active;
  OutBufPos = 0;
  FTextAttr = 7;
  FWinTop = 1;
  FWinBot = kScreenRows;
  RawWriteStr(Greeting());
  ClearScreen();
}

TOutputLinux::~TOutputLinux() { GiveBack(); }

std::string TOutputLinux::Greeting() {
  std::string hello;
  if (setup_.charset == Charset::Cp437) {
    hello += "\x1b(U";  // the Linux console's direct-to-font mapping: CP437 glyphs
    sentPcCharset_ = true;
  }
  hello += "\x1b[0m";
  if (setup_.termRows > kScreenRows) {
    hello += "\x1b[1;25r";  // a line feed on row 25 scrolls rows 1-25 only
    setScrollRegion_ = true;
  } else if (setScrollRegion_) {
    hello += "\x1b[r";  // grown smaller again
  }
  return hello;
}

std::string TOutputLinux::Farewell() const {
  std::string bye = "\x1b[0m";
  if (sentPcCharset_) bye += "\x1b(B";
  if (setScrollRegion_) bye += "\x1b" "7\x1b[r\x1b" "8";  // resetting the region homes the cursor
  return bye;
}

void TOutputLinux::GiveBack() {
  if (givenBack_) return;
  givenBack_ = true;
  holdFlushes_ = false;
  BufFlush();
  RawWriteStr(Farewell());
  SetRawMode(false);
}

void TOutputLinux::Suspend() {
  if (givenBack_) return;
  SendBytes(OutBufPos);  // held bytes too: nothing of ours may follow the hand-back
  // The shell goes on below the art, on the terminal's last row.
  RawWriteStr(Farewell() + "\x1b[" + std::to_string(std::max(setup_.termRows, 1)) + ";1H");
  SetRawMode(false);
}

void TOutputLinux::TakeBack() {
  if (givenBack_) return;
  SendBytes(OutBufPos);  // drawn for the terminal set-up before this one
  SetRawMode(true);
  RawWriteStr(Greeting());
}

void TOutputLinux::SetTerminalSize(int cols, int rows) {
  setup_.termCols = cols;
  setup_.termRows = rows;
}

void TOutputLinux::Repaint() {
  TConsoleImageRec image;
  GetScreenImage(1, 1, kScreenCols, kScreenRows, image);
  // From a known rendition on a screen without anything of the shell's left.
  BufAddStr("\x1b[0m\x1b[2J");
  FTextAttr = 7;
  PutScreenImage(image);
  SendBytes(OutBufPos);  // now, also while flushes are held
}

void TOutputLinux::SetRawMode(bool on) {
  if (on) {
    // Read only while the settings are the reader's: raw ones must never be given back.
    if (!rawModeOn_ && tcgetattr(setup_.fd, &TermInfo) != 0) return;  // not a terminal: output still flows
    termios raw = TermInfo;
    raw.c_iflag &= ~(IGNBRK | BRKINT | PARMRK | ISTRIP | INLCR | IGNCR | ICRNL | IXON);
    raw.c_oflag &= ~OPOST;
    raw.c_lflag &= ~(ECHO | ECHONL | ICANON | ISIG | IEXTEN);
    raw.c_cflag &= ~(CSIZE | PARENB);
    raw.c_cflag |= CS8;
    raw.c_cc[VMIN] = 1;
    raw.c_cc[VTIME] = 0;
    tcsetattr(setup_.fd, TCSANOW, &raw);
    rawModeOn_ = true;
  } else if (rawModeOn_) {
    tcsetattr(setup_.fd, TCSANOW, &TermInfo);
    rawModeOn_ = false;
  }
}

void TOutputLinux::BufAddByte(char b) {
  OutBuffer[OutBufPos++] = b;
  if (OutBufPos >= ConBufSize) SendBytes(OutBufPos);
}

void TOutputLinux::BufAddStr(std::string_view s) {
  while (!s.empty()) {
    const size_t n = std::min(s.size(), static_cast<size_t>(ConBufSize - OutBufPos));
    std::memcpy(OutBuffer + OutBufPos, s.data(), n);
    OutBufPos = static_cast<uint16_t>(OutBufPos + n);
    s.remove_prefix(n);
    if (OutBufPos >= ConBufSize) SendBytes(OutBufPos);
  }
}

void TOutputLinux::BufFlush() {
  if (holdFlushes_) {
    duePos_ = OutBufPos;
    return;
  }
  SendBytes(OutBufPos);
}

// Writes the first count bytes of the buffer and keeps the rest.
void TOutputLinux::SendBytes(uint16_t count) {
  if (count == 0) return;
  // Taken out of the buffer before the write: a departure that starts inside
  // it flushes the buffer, and must not send these bytes twice.
  char kept[ConBufSize];
  const char* sent = OutBuffer;
  if (count < OutBufPos) {
    std::memcpy(kept, OutBuffer, count);
    std::memmove(OutBuffer, OutBuffer + count, OutBufPos - count);
    sent = kept;
  }
  OutBufPos = static_cast<uint16_t>(OutBufPos - count);
  duePos_ = 0;
  // An inactive engine drops its bytes, so the buffer never overflows.
  if (Active && !WriteAll(setup_.fd, sent, count) && !Departing() && OnHangUp) OnHangUp();
}

void TOutputLinux::HoldFlushes(bool hold) {
  holdFlushes_ = hold;
  if (!hold) SendDue();
}

void TOutputLinux::SendDue() { SendBytes(duePos_); }

void TOutputLinux::RawWriteStr(std::string_view s) {
  SendDue();  // bytes past a flush point were sent before these, unheld
  if (!WriteAll(setup_.fd, s.data(), s.size()) && !Departing() && OnHangUp) OnHangUp();
}

std::string TOutputLinux::AttrToAnsi(uint8_t attr) const {
  if (attr == FTextAttr) return "";
  char sgr[kMaxSgr];
  return std::string(sgr, SgrChange(FTextAttr, attr, sgr));
}

void TOutputLinux::SetTextAttr(uint8_t attr) {
  if (attr == FTextAttr) return;
  char sgr[kMaxSgr];  // built in place: art changes colour every few cells
  BufAddStr(std::string_view(sgr, SgrChange(FTextAttr, attr, sgr)));
  FTextAttr = attr;
}

void TOutputLinux::CursorXY(int x, int y) {
  x = std::clamp(x, 1, kScreenCols);
  y = std::clamp(y, 1, kScreenRows);
  BufAddStr("\x1b[" + std::to_string(y) + ";" + std::to_string(x) + "H");
  BufFlush();
  FCursorX = static_cast<uint8_t>(x);
  FCursorY = static_cast<uint8_t>(y);
  column_.col = x;
}

void TOutputLinux::ClearScreen() {
  BufFlush();
  BufAddStr("\x1b[2J");
  for (auto& line : Buffer) line.fill(TCharInfo{FTextAttr, ' '});
  CursorXY(1, FWinTop);
}

// A byte the image records as a cell. A wider terminal gets the wrap at column
// 80 that an 80-column one would make by itself.
void TOutputLinux::AddCell(uint8_t ch) {
  const bool inSequence = column_.InSequence(ch);
  if (IsWideTerminal() && !inSequence && column_.col > kScreenCols) {
    BufAddStr("\r\n");
    column_.col = 1;
  }
  if (setup_.charset == Charset::Utf8 && ch != 27) {
    BufAddStr(Cp437ToUtf8(ch));
  } else {
    BufAddByte(static_cast<char>(ch));
  }
  if (!inSequence) ++column_.col;
}

void TOutputLinux::WriteChar(uint8_t ch) {
  switch (ch) {
    case 8:
      if (IsWideTerminal() && column_.col > kScreenCols) {  // an 80-column one backs up from its pending wrap
        BufAddByte('\b');
        column_.col = kScreenCols;
      }
      BufAddByte('\b');
      if (column_.col > 1) --column_.col;
      if (FCursorX > 1) --FCursorX;
      break;
    case 10:
      if (IsWideTerminal() && column_.col > kScreenCols) {
        BufAddStr("\x1b[80G");  // a line feed ends a pending wrap on column 80
        column_.col = kScreenCols;
      }
      BufAddByte('\n');
      if (FCursorY < FWinBot) ++FCursorY;
      BufFlush();
      break;
    case 13:
      BufAddByte('\r');
      column_.col = 1;
      FCursorX = 1;
      break;
    default:
      AddCell(ch);
      Buffer[FCursorY - 1][FCursorX - 1] = TCharInfo{FTextAttr, ch};
      if (FCursorX < kScreenCols) {
        ++FCursorX;
      } else {
        FCursorX = 1;
        if (FCursorY < FWinBot) ++FCursorY;
        BufFlush();
      }
  }
}

void TOutputLinux::WriteStr(std::string_view s) {
  for (char c : s) WriteChar(static_cast<uint8_t>(c));
  BufFlush();
}

void TOutputLinux::WriteLine(std::string_view s) {
  for (char c : s) WriteChar(static_cast<uint8_t>(c));
  WriteChar('\r');
  WriteChar('\n');
}

void TOutputLinux::WriteXY(int x, int y, uint8_t attr, std::string_view text) {
  const uint8_t oldAttr = FTextAttr, oldX = FCursorX, oldY = FCursorY;
  CursorXY(x, y);
  SetTextAttr(attr);
  WriteStr(text);
  SetTextAttr(oldAttr);
  CursorXY(oldX, oldY);
}

void TOutputLinux::AddPipeCode(uint8_t code) {
  if (code < 16) {
    SetTextAttr(static_cast<uint8_t>(code + 16 * ((FTextAttr >> 4) & 7)));
  } else {
    SetTextAttr(static_cast<uint8_t>(((FTextAttr & 15) + 16 * (code - 16)) % 256));
  }
}

void TOutputLinux::WritePipe(std::string_view s) {
  for (size_t i = 0; i < s.size(); ++i) {
    const auto code = s[i] == '|' ? StrictPipeCode(s.substr(i + 1, 2)) : std::nullopt;
    if (code) {
      AddPipeCode(*code);
      i += 2;
    } else {
      WriteChar(static_cast<uint8_t>(s[i]));
    }
  }
  BufFlush();
}

void TOutputLinux::WriteXYPipe(int32_t x, int32_t y, int32_t attr, int32_t pad,
                               std::string_view text) {
  const uint8_t oldAttr = FTextAttr, oldX = FCursorX, oldY = FCursorY;
  CursorXY(x, y);
  SetTextAttr(static_cast<uint8_t>(attr));
  int col = FCursorX;
  const int row = FCursorY;
  auto put = [&](uint8_t ch) {
    AddCell(ch);
    if (col <= kScreenCols) Buffer[row - 1][col - 1] = TCharInfo{FTextAttr, ch};
    ++col;
    --pad;
  };
  for (size_t i = 0; i < text.size(); ++i) {
    const auto code = text[i] == '|' ? LoosePipeCode(text.substr(i + 1, 2)) : std::nullopt;
    if (code) {
      AddPipeCode(*code);
      i += 2;
    } else {
      put(static_cast<uint8_t>(text[i]));
    }
    if (pad == 0) break;
  }
  if (pad > 1) {
    for (int32_t n = pad; n > 0; --n) put(' ');
  }
  SetTextAttr(oldAttr);
  CursorXY(oldX, oldY);
}

uint8_t TOutputLinux::ReadAttrXY(int x, int y) const {
  if (x < 1 || x > kScreenCols || y < 1 || y > kImageRows) return 0;
  return Buffer[y - 1][x - 1].Attributes;
}

void TOutputLinux::GetScreenImage(int x1, int y1, int x2, int y2, TConsoleImageRec& image) const {
  image = TConsoleImageRec{};
  x1 = std::clamp(x1, 1, kScreenCols);
  x2 = std::clamp(x2, x1, kScreenCols);
  y1 = std::clamp(y1, 1, kImageRows);
  y2 = std::clamp(y2, y1, kImageRows);
  for (int y = y1; y <= y2; ++y) {
    std::copy(Buffer[y - 1].begin() + (x1 - 1), Buffer[y - 1].begin() + x2,
              image.Data[y - y1].begin());
  }
  image.CursorX = FCursorX;
  image.CursorY = FCursorY;
  image.CursorA = FTextAttr;
  image.X1 = static_cast<uint8_t>(x1);
  image.X2 = static_cast<uint8_t>(x2);
  image.Y1 = static_cast<uint8_t>(y1);
  image.Y2 = static_cast<uint8_t>(y2);
}

void TOutputLinux::PutScreenImage(const TConsoleImageRec& saved) {
  // A record that was never filled puts back nothing.
  if (saved.X1 < 1 || saved.Y1 < 1 || saved.X2 < saved.X1 || saved.Y2 < saved.Y1 ||
      saved.X2 > kScreenCols || saved.Y2 > kImageRows) {
    return;
  }
  const TConsoleImageRec image = saved;  // the caller's record may be our own buffer's twin
  const int width = image.X2 - image.X1 + 1;
  for (int r = 1; r <= image.Y2 - image.Y1 + 1; ++r) {
    const int y = image.Y1 + r - 1;
    CursorXY(image.X1, y);
    for (int c = 0; c < width; ++c) {
      const TCharInfo cell = image.Data[r - 1][c];
      Buffer[y - 1][image.X1 - 1 + c] = cell;
      SetTextAttr(cell.Attributes);
      AddCell(cell.UnicodeChar);
    }
  }
  SetTextAttr(image.CursorA);
  CursorXY(image.CursorX, image.CursorY);
}
