#include "term_settings.h"

#include <cstdio>
#include <iterator>

namespace rodi::e2e {

termios KnownCookedSettings(bool utf8) {
  termios t{};
  t.c_iflag = ICRNL | IXON | (utf8 ? IUTF8 : 0);
  t.c_oflag = OPOST | ONLCR;
  t.c_cflag = CS8 | CREAD | HUPCL;
  t.c_lflag = ISIG | ICANON | ECHO | ECHOE | ECHOK | IEXTEN | ECHOCTL | ECHOKE;
  t.c_cc[VINTR] = 3;
  t.c_cc[VQUIT] = 034;
  t.c_cc[VERASE] = 0177;
  t.c_cc[VKILL] = 025;
  t.c_cc[VEOF] = 4;
  t.c_cc[VSTART] = 021;
  t.c_cc[VSTOP] = 023;
  t.c_cc[VSUSP] = 032;
  t.c_cc[VREPRINT] = 022;
  t.c_cc[VWERASE] = 027;
  t.c_cc[VLNEXT] = 026;
  t.c_cc[VDISCARD] = 017;
  t.c_cc[VMIN] = 1;
  t.c_cc[VTIME] = 0;
  cfsetispeed(&t, B38400);
  cfsetospeed(&t, B38400);
  return t;
}

namespace {

struct Flag {
  tcflag_t mask;
  const char* name;
};

const Flag kIflags[] = {{IGNBRK, "IGNBRK"}, {BRKINT, "BRKINT"}, {IGNPAR, "IGNPAR"},
                        {PARMRK, "PARMRK"}, {INPCK, "INPCK"},   {ISTRIP, "ISTRIP"},
                        {INLCR, "INLCR"},   {IGNCR, "IGNCR"},   {ICRNL, "ICRNL"},
                        {IUCLC, "IUCLC"},   {IXON, "IXON"},     {IXANY, "IXANY"},
                        {IXOFF, "IXOFF"},   {IMAXBEL, "IMAXBEL"}, {IUTF8, "IUTF8"}};
const Flag kOflags[] = {{OPOST, "OPOST"}, {OLCUC, "OLCUC"}, {ONLCR, "ONLCR"},
                        {OCRNL, "OCRNL"}, {ONOCR, "ONOCR"}, {ONLRET, "ONLRET"},
                        {OFILL, "OFILL"}, {OFDEL, "OFDEL"}};
const Flag kCflags[] = {{CSTOPB, "CSTOPB"}, {CREAD, "CREAD"},   {PARENB, "PARENB"},
                        {PARODD, "PARODD"}, {HUPCL, "HUPCL"},   {CLOCAL, "CLOCAL"}};
const Flag kLflags[] = {{ISIG, "ISIG"},     {ICANON, "ICANON"}, {ECHO, "ECHO"},
                        {ECHOE, "ECHOE"},   {ECHOK, "ECHOK"},   {ECHONL, "ECHONL"},
                        {NOFLSH, "NOFLSH"}, {TOSTOP, "TOSTOP"}, {ECHOCTL, "ECHOCTL"},
                        {ECHOPRT, "ECHOPRT"}, {ECHOKE, "ECHOKE"}, {FLUSHO, "FLUSHO"},
                        {PENDIN, "PENDIN"}, {IEXTEN, "IEXTEN"}};

std::string Hex(unsigned long v) {
  char buf[32];
  std::snprintf(buf, sizeof buf, "0x%lx", v);
  return buf;
}

// Names each single-bit flag that changed; bits outside the table (such as
// CSIZE or the speed) are reported as a masked hex pair.
template <std::size_t N>
void DiffFlags(const char* field, tcflag_t before, tcflag_t now, const Flag (&table)[N],
               std::string& out) {
  tcflag_t rest = before ^ now;
  for (const Flag& f : table) {
    if ((before ^ now) & f.mask) {
      out += std::string(field) + ": " + f.name + ((now & f.mask) ? " was off, now on\n"
                                                                   : " was on, now off\n");
      rest &= ~f.mask;
    }
  }
  if (rest)
    out += std::string(field) + ": other bits " + Hex(before & rest) + " -> " +
           Hex(now & rest) + "\n";
}

const char* CcName(int i) {
  switch (i) {
    case VINTR: return "VINTR";
    case VQUIT: return "VQUIT";
    case VERASE: return "VERASE";
    case VKILL: return "VKILL";
    case VEOF: return "VEOF";
    case VTIME: return "VTIME";
    case VMIN: return "VMIN";
    case VSTART: return "VSTART";
    case VSTOP: return "VSTOP";
    case VSUSP: return "VSUSP";
    case VEOL: return "VEOL";
    case VEOL2: return "VEOL2";
    case VREPRINT: return "VREPRINT";
    case VWERASE: return "VWERASE";
    case VLNEXT: return "VLNEXT";
    case VDISCARD: return "VDISCARD";
    default: return nullptr;
  }
}

}  // namespace

std::string SettingsDiff(const termios& before, const termios& now) {
  std::string out;
  DiffFlags("c_iflag", before.c_iflag, now.c_iflag, kIflags, out);
  DiffFlags("c_oflag", before.c_oflag, now.c_oflag, kOflags, out);
  DiffFlags("c_cflag", before.c_cflag, now.c_cflag, kCflags, out);
  DiffFlags("c_lflag", before.c_lflag, now.c_lflag, kLflags, out);
  for (int i = 0; i < NCCS; ++i) {
    if (before.c_cc[i] == now.c_cc[i]) continue;
    const char* name = CcName(i);
    out += std::string("c_cc[") + (name ? name : std::to_string(i)) + "]: " +
           std::to_string(before.c_cc[i]) + " -> " + std::to_string(now.c_cc[i]) + "\n";
  }
  return out;
}

}  // namespace rodi::e2e
