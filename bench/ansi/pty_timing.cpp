#include "pty_timing.h"

#include <poll.h>
#include <pty.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>
#include <utmp.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <stdexcept>

PtyTiming TimeInPty(const std::vector<std::string>& argv, const std::string& mark,
                    const std::string& keyAfterMark, std::string* capture) {
  termios raw{};
  cfmakeraw(&raw);
  winsize size{25, 80, 0, 0};
  const auto start = std::chrono::steady_clock::now();
  int master = -1, slave = -1;
  if (openpty(&master, &slave, nullptr, &raw, &size) != 0) throw std::runtime_error("openpty failed");
  const pid_t pid = fork();
  if (pid < 0) throw std::runtime_error("fork failed");
  if (pid == 0) {
    close(master);
    login_tty(slave);
    std::vector<char*> args;
    for (const std::string& a : argv) args.push_back(const_cast<char*>(a.c_str()));
    args.push_back(nullptr);
    execv(args[0], args.data());
    std::perror(args[0]);
    _exit(127);
  }
  // Held open until the mark is read: a program that ends at once must not
  // take its last bytes with it when its side of the terminal closes.
  PtyTiming t;
  std::string tail;  // the last bytes read, where the mark may straddle two reads
  char buf[65536];
  bool seen = false;
  while (!seen) {
    const ssize_t n = read(master, buf, sizeof buf);
    if (n <= 0) break;
    t.bytes += static_cast<size_t>(n);
    if (capture != nullptr) capture->append(buf, static_cast<size_t>(n));
    tail.append(buf, static_cast<size_t>(n));
    if (const size_t at = tail.find(mark); at != std::string::npos) {
      seen = true;
      t.bytes -= tail.size() - (at + mark.size());
    } else if (tail.size() > mark.size()) {
      tail.erase(0, tail.size() - mark.size());
    }
  }
  t.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  close(slave);
  if (!seen) throw std::runtime_error("the mark never came from " + argv[0]);
  if (capture != nullptr) capture->resize(t.bytes);
  // Drain until the program has gone, so that it never blocks on a full
  // terminal. The key goes again every round: a drawing that has sent its
  // last bytes still reads one key with its end-of-file byte.
  rusage usage{};
  int status;
  for (;;) {
    if (wait4(pid, &status, WNOHANG, &usage) == pid) break;
    if (!keyAfterMark.empty()) {
      ssize_t ignored = write(master, keyAfterMark.data(), keyAfterMark.size());
      (void)ignored;
    }
    pollfd p{master, POLLIN, 0};
    if (poll(&p, 1, 100) > 0 && read(master, buf, sizeof buf) <= 0) {
      wait4(pid, &status, 0, &usage);
      break;
    }
  }
  close(master);
  auto seconds = [](const timeval& tv) { return double(tv.tv_sec) + tv.tv_usec / 1e6; };
  t.cpuSeconds = seconds(usage.ru_utime) + seconds(usage.ru_stime);
  return t;
}
