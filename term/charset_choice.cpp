#include "charset_choice.h"

#include <langinfo.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <clocale>
#include <cstdlib>
#include <cstring>
#include <initializer_list>
#include <string>
#include <string_view>

#include "clock.h"
#include "strutil.h"

namespace {

constexpr int kAnswerMs = 200;

std::string Variable(const char* name) {
  const char* value = std::getenv(name);
  return value ? value : "";
}

void Send(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t n = write(fd, bytes.data(), bytes.size());
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return;
    bytes.remove_prefix(static_cast<size_t>(n));
  }
}

bool NamesUtf8(const std::string& locale) {
  const std::string lower = Lower(locale);
  return lower.find("utf-8") != std::string::npos || lower.find("utf8") != std::string::npos;
}

bool SaysNothing(const std::string& locale) { return locale.empty() || locale == "C" || locale == "POSIX"; }

// The column of the first cursor position report (ESC [ row ; col R) in
// answer, 0 if none; keys typed meanwhile may stand around it.
int ReportedColumn(const std::string& answer) {
  for (size_t at = answer.find("\x1b["); at != std::string::npos; at = answer.find("\x1b[", at + 1)) {
    size_t i = at + 2;
    const auto digits = [&] {
      const size_t from = i;
      while (i < answer.size() && answer[i] >= '0' && answer[i] <= '9') ++i;
      return i > from;
    };
    if (!digits() || i >= answer.size() || answer[i++] != ';') continue;
    const size_t col = i;
    if (digits() && i < answer.size() && answer[i] == 'R') return Str2Int(answer.substr(col, i - col));
  }
  return 0;
}

// Writes é at column 1 and asks where the cursor went; erases it again.
// Answers the column reported, 0 without an answer in time.
int ColumnAfterTwoByteCharacter(int inFd, int outFd) {
  termios saved{};
  if (tcgetattr(inFd, &saved) != 0) return 0;
  termios quiet = saved;  // the answer must neither echo nor wait for a line end
  quiet.c_lflag &= ~(ICANON | ECHO);
  quiet.c_cc[VMIN] = 0;
  quiet.c_cc[VTIME] = 0;
  tcsetattr(inFd, TCSANOW, &quiet);
  Send(outFd, "\r\xC3\xA9\x1b[6n");
  std::string answer;
  const auto deadline = Now() + std::chrono::milliseconds(kAnswerMs);
  // Nothing of wait.h: a signal is acted on once the settings are back.
  while (ReportedColumn(answer) == 0) {
    pollfd in{inFd, POLLIN, 0};
    const int left = MsUntil(deadline);
    const int n = WaitFor(&in, 1, left);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) break;
    char buf[32];
    const ssize_t got = read(inFd, buf, sizeof buf);
    if (got <= 0) break;
    answer.append(buf, static_cast<size_t>(got));
  }
  Send(outFd, "\r\x1b[K");
  tcsetattr(inFd, TCSANOW, &saved);
  return ReportedColumn(answer);
}

}  // namespace

Charset TerminalCharset(int inFd, int outFd) {
  setlocale(LC_CTYPE, "");
  if (std::strcmp(nl_langinfo(CODESET), "UTF-8") == 0) return Charset::Utf8;
  std::string applies;
  bool saysNothing = true;
  for (const char* name : {"LC_ALL", "LC_CTYPE", "LANG"}) {
    const std::string value = Variable(name);
    if (applies.empty()) applies = value;
    saysNothing = saysNothing && SaysNothing(value);
  }
  if (NamesUtf8(applies)) return Charset::Utf8;  // a locale this machine lacks still says so
  if (!saysNothing || !isatty(inFd) || !isatty(outFd)) return Charset::Cp437;
  return ColumnAfterTwoByteCharacter(inFd, outFd) == 2 ? Charset::Utf8 : Charset::Cp437;
}

Charset ChooseCharset(const std::vector<std::string>& args) {
  for (auto it = args.rbegin(); it != args.rend(); ++it) {
    const std::string option = Lower(*it);
    if (option == "--utf8") return Charset::Utf8;
    if (option == "--cp437") return Charset::Cp437;
  }
  return TerminalCharset(0, 1);
}
