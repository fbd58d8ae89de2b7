#include "pty_process.h"

#include <fcntl.h>
#include <grp.h>
#include <poll.h>
#include <pty.h>
#include <signal.h>
#include <sys/ioctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <stdexcept>

namespace rodi::e2e {

namespace {

std::runtime_error SysError(const std::string& what) {
  return std::runtime_error(what + ": " + std::strerror(errno));
}

std::vector<char*> CStrings(std::vector<std::string>& v) {
  std::vector<char*> out;
  for (auto& s : v) out.push_back(s.data());
  out.push_back(nullptr);
  return out;
}

[[noreturn]] void die(const char* what) {
  const char* msg = strerror(errno);
  (void)!write(2, what, strlen(what));
  (void)!write(2, ": ", 2);
  (void)!write(2, msg, strlen(msg));
  (void)!write(2, "\r\n", 2);
  _exit(127);
}

// Runs in the forked child: only async-signal-safe calls until exec.
[[noreturn]] void ExecChild(const SpawnSpec& launch, int master, int slave, char* const* argv,
                            char* const* envp) {
  sigset_t none;
  sigemptyset(&none);
  sigprocmask(SIG_SETMASK, &none, nullptr);
  for (int sig = 1; sig < NSIG; ++sig) signal(sig, SIG_DFL);
  close(master);
  if (setsid() < 0) die("setsid");
  if (ioctl(slave, TIOCSCTTY, 0) < 0) die("TIOCSCTTY");
  int in = slave;
  if (launch.stdinDevNull && (in = open("/dev/null", O_RDONLY)) < 0) die("/dev/null");
  if (dup2(in, 0) < 0 || dup2(slave, 1) < 0 || dup2(slave, 2) < 0) die("dup2");
  close_range(3, ~0U, 0);
  if (chdir(launch.workDir.c_str()) < 0) die("chdir");
  if (launch.unprivileged) {
    if (setgroups(0, nullptr) < 0 || setresgid(65534, 65534, 65534) < 0 ||
        setresuid(65534, 65534, 65534) < 0)
      die("dropping privileges");
  }
  execve(launch.path.c_str(), argv, envp);
  die(launch.path.c_str());
}

}  // namespace

PtyProcess::PtyProcess(const SpawnSpec& launch) {
  winsize ws{};
  ws.ws_col = static_cast<unsigned short>(launch.cols);
  ws.ws_row = static_cast<unsigned short>(launch.rows);
  termios settings = launch.settings;
  if (openpty(&master_, &slave_, nullptr, &settings, &ws) < 0) throw SysError("openpty");
  tcgetattr(slave_, &atStart_);  // as the kernel stored them, not as asked
  fcntl(master_, F_SETFD, FD_CLOEXEC);
  fcntl(slave_, F_SETFD, FD_CLOEXEC);
  fcntl(master_, F_SETFL, fcntl(master_, F_GETFL) | O_NONBLOCK);

  std::vector<std::string> argv = launch.argv, envp = launch.envp;
  std::vector<char*> cargv = CStrings(argv), cenvp = CStrings(envp);
  pid_ = fork();
  if (pid_ < 0) {
    int e = errno;
    close(master_);
    close(slave_);
    errno = e;
    throw SysError("fork");
  }
  if (pid_ == 0) ExecChild(launch, master_, slave_, cargv.data(), cenvp.data());
}

PtyProcess::~PtyProcess() {
  if (!PollExit()) {
    kill(-pid_, SIGKILL);
    int st;
    waitpid(pid_, &st, 0);
  } else {
    kill(-pid_, SIGKILL);  // grandchildren left in the child's group, if any
  }
  if (master_ >= 0) close(master_);
  close(slave_);
}

std::string PtyProcess::Read(int timeoutMs) {
  if (master_ < 0) {
    if (timeoutMs > 0) poll(nullptr, 0, timeoutMs);
    return {};
  }
  pollfd p{master_, POLLIN, 0};
  if (poll(&p, 1, timeoutMs) <= 0) return {};
  std::string out;
  char buf[4096];
  while (out.size() < 65536) {  // bounded, so a chatty child cannot starve the caller
    ssize_t n = read(master_, buf, sizeof buf);
    if (n <= 0) break;
    out.append(buf, static_cast<size_t>(n));
  }
  return out;
}

void PtyProcess::Write(std::string_view bytes) {
  while (master_ >= 0 && !bytes.empty()) {
    ssize_t n = write(master_, bytes.data(), bytes.size());
    if (n > 0) {
      bytes.remove_prefix(static_cast<size_t>(n));
    } else if (n < 0 && errno == EAGAIN) {
      // The child is not reading; give up rather than block the test.
      pollfd p{master_, POLLOUT, 0};
      if (poll(&p, 1, 1000) <= 0) return;
    } else if (!(n < 0 && errno == EINTR)) {
      return;
    }
  }
}

std::optional<int> PtyProcess::PollExit() {
  if (status_) return status_;
  int st = 0;
  if (waitpid(pid_, &st, WNOHANG) == pid_) {
    if (WIFEXITED(st)) status_ = WEXITSTATUS(st);
    else if (WIFSIGNALED(st)) status_ = 128 + WTERMSIG(st);
  }
  return status_;
}

void PtyProcess::Signal(int sig) {
  if (!PollExit()) kill(pid_, sig);
}

void PtyProcess::HangUp() {
  if (master_ >= 0) close(master_);
  master_ = -1;
}

void PtyProcess::Resize(int cols, int rows) {
  winsize ws{};
  ws.ws_col = static_cast<unsigned short>(cols);
  ws.ws_row = static_cast<unsigned short>(rows);
  if (master_ >= 0) ioctl(master_, TIOCSWINSZ, &ws);
}

std::optional<termios> PtyProcess::SettingsNow() const {
  termios t{};
  if (tcgetattr(slave_, &t) < 0) return std::nullopt;
  return t;
}

}  // namespace rodi::e2e
