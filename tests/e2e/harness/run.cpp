#include "run.h"

#include <fcntl.h>
#include <grp.h>
#include <poll.h>
#include <pty.h>
#include <signal.h>
#include <sys/ioctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <filesystem>
#include <map>
#include <stdexcept>

#include "installed.h"

namespace fs = std::filesystem;

namespace rodi::e2e {
namespace {

using Clock = std::chrono::steady_clock;

int MsLeft(Clock::time_point deadline) {
  auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
  return left > 0 ? static_cast<int>(left) : 0;
}

std::runtime_error SysError(const std::string& what) {
  return std::runtime_error(what + ": " + std::strerror(errno));
}

[[noreturn]] void Die(const char* what) {
  const char* msg = strerror(errno);
  for (const char* s : {what, ": ", msg, "\r\n"}) (void)!write(2, s, strlen(s));
  _exit(127);
}

// A wait status as a shell reports it: the exit code, or 128 + the signal that ended the program.
int ExitStatus(int st) { return WIFEXITED(st) ? WEXITSTATUS(st) : 128 + WTERMSIG(st); }

void SetSize(int fd, int cols, int rows) {
  winsize ws{};
  ws.ws_col = static_cast<unsigned short>(cols);
  ws.ws_row = static_cast<unsigned short>(rows);
  ioctl(fd, TIOCSWINSZ, &ws);
}

}  // namespace

std::string MagazinePath() { return std::string(RODI_BINARY_DIR) + "/rodi"; }

PtyRun::PtyRun(RunOptions options) : opts_(std::move(options)) {
  // Under /tmp, which an unprivileged child can always reach (the build tree may sit below a directory only root
  // can enter); the runner's and 0755: such a child can enter it, not write it.
  dir_ = ScratchDir("rodi-e2e-run", 0755, geteuid());
  std::string path = opts_.program;
  if (path.find('/') == std::string::npos) {
    // A hard link, not a symbolic one: /proc/self/exe must resolve to this directory.
    std::string built = std::string(RODI_BINARY_DIR) + "/" + opts_.program;
    path = programPath_ = dir_ + "/" + opts_.program;
    std::error_code ec;
    fs::create_hard_link(built, path, ec);
    if (ec) fs::copy_file(built, path, ec);
    if (ec) throw std::runtime_error("cannot place " + built + " in " + dir_ + ": " + ec.message());
  }
  if (opts_.prepare) opts_.prepare(dir_);

  vt_ = std::make_unique<VtScreen>(opts_.cols, opts_.rows, true);
  vt_->OnReply([this](std::string_view bytes) { Write(bytes); });

  std::map<std::string, std::string> env = {
      {"PATH", "/usr/local/bin:/usr/bin:/bin"}, {"HOME", dir_}, {"TERM", "xterm"},
      {"LANG", "C.UTF-8"}, {"LC_ALL", "C.UTF-8"}};
  for (const auto& [name, value] : opts_.env) env[name] = value;
  std::vector<std::string> argv = {path}, envp;
  argv.insert(argv.end(), opts_.args.begin(), opts_.args.end());
  for (const auto& [name, value] : env) envp.push_back(name + "=" + value);
  std::vector<char*> cargv, cenvp;
  for (auto& s : argv) cargv.push_back(s.data());
  for (auto& s : envp) cenvp.push_back(s.data());
  cargv.push_back(nullptr);
  cenvp.push_back(nullptr);

  if (openpty(&master_, &slave_, nullptr, nullptr, nullptr) < 0) throw SysError("openpty");  // cooked, as a shell's
  SetSize(master_, opts_.cols, opts_.rows);
  tcgetattr(slave_, &atStart_);  // as the kernel stored them, not as asked
  fcntl(master_, F_SETFD, FD_CLOEXEC);
  fcntl(slave_, F_SETFD, FD_CLOEXEC);
  fcntl(master_, F_SETFL, fcntl(master_, F_GETFL) | O_NONBLOCK);
  pid_ = fork();
  if (pid_ < 0) throw SysError("fork");
  if (pid_ > 0) return;
  // The child: only async-signal-safe calls until exec.
  sigset_t none;
  sigemptyset(&none);
  sigprocmask(SIG_SETMASK, &none, nullptr);
  for (int sig = 1; sig < NSIG; ++sig) signal(sig, SIG_DFL);
  if (setsid() < 0) Die("setsid");
  if (ioctl(slave_, TIOCSCTTY, 0) < 0) Die("TIOCSCTTY");
  int in = slave_;
  if (opts_.stdinDevNull && (in = open("/dev/null", O_RDONLY)) < 0) Die("/dev/null");
  if (dup2(in, 0) < 0 || dup2(slave_, 1) < 0 || dup2(slave_, 2) < 0) Die("dup2");
  close_range(3, ~0U, 0);
  if (chdir(dir_.c_str()) < 0) Die("chdir");
  if (opts_.stdinClosed) close(0);
  if (opts_.stdoutClosed) close(1);
  if (opts_.unprivileged && (setgroups(0, nullptr) < 0 || setresgid(65534, 65534, 65534) < 0 ||
                             setresuid(65534, 65534, 65534) < 0))
    Die("dropping privileges");
  execve(path.c_str(), cargv.data(), cenvp.data());
  Die(path.c_str());
}

PtyRun::~PtyRun() {
  if (pid_ > 0) {
    bool running = !PollExit();
    kill(-pid_, SIGKILL);  // grandchildren left in the child's group too
    if (running) waitpid(pid_, nullptr, 0);
  }
  if (master_ >= 0) close(master_);
  if (slave_ >= 0) close(slave_);
  std::error_code ec;
  fs::remove_all(dir_, ec);
}

// Feeds what the program wrote, waiting up to timeoutMs for the first of it.
void PtyRun::Read(int timeoutMs) {
  pollfd p{master_, POLLIN, 0};
  if (master_ < 0 || poll(&p, 1, timeoutMs) <= 0) {
    if (master_ < 0 && timeoutMs > 0) poll(nullptr, 0, timeoutMs);
    return;
  }
  char buf[4096];
  ssize_t n;
  // Bounded, so that a chatty child cannot starve the caller.
  for (size_t got = 0; got < 65536 && (n = read(master_, buf, sizeof buf)) > 0; got += static_cast<size_t>(n)) {
    raw_.append(buf, static_cast<size_t>(n));
    vt_->Feed(std::string_view(buf, static_cast<size_t>(n)));
  }
}

// Keys and the emulator's answers are a few bytes at a time: the pty takes them whole.
void PtyRun::Write(std::string_view bytes) {
  if (master_ >= 0) (void)!write(master_, bytes.data(), bytes.size());
}

std::optional<int> PtyRun::PollExit() {
  int st = 0;
  if (!status_ && waitpid(pid_, &st, WNOHANG) == pid_) status_ = ExitStatus(st);
  return status_;
}

void PtyRun::Pump(int ms) {
  auto deadline = Clock::now() + std::chrono::milliseconds(ms);
  do Read(MsLeft(deadline));
  while (MsLeft(deadline) > 0);
}

void PtyRun::Type(std::string_view bytes) {
  while (!bytes.empty()) {
    const auto lead = static_cast<unsigned char>(bytes[0]);
    size_t n = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 1;
    if (lead == 0x1b && bytes.size() >= 3 && bytes[1] == 'O') n = 3;
    if (lead == 0x1b && bytes.size() >= 3 && bytes[1] == '[')
      n = std::find_if(bytes.begin() + 2, bytes.end(), [](char c) { return c >= 0x40 && c <= 0x7E; }) -
          bytes.begin() + 1;
    n = std::min(n, bytes.size());
    Write(bytes.substr(0, n));
    Pump(bytes.substr(0, n) == keys::kEsc ? 50 : 15);
    bytes.remove_prefix(n);
  }
}

bool PtyRun::Wait(const std::function<bool()>& done, int timeoutMs) {
  auto deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
  while (!done()) {
    if (PollExit() || MsLeft(deadline) == 0) {
      Read(0);  // whatever the program wrote before it ended is still in the pty
      return done();
    }
    Read(std::min(10, MsLeft(deadline)));
  }
  return true;
}

bool PtyRun::WaitForText(std::string_view utf8, int timeoutMs) {
  return Wait([&] { return vt_->Screen().find(utf8) != std::string::npos; }, timeoutMs);
}

bool PtyRun::WaitForOutput(std::string_view bytes, int timeoutMs) {
  return Wait([&] { return raw_.find(bytes) != std::string::npos; }, timeoutMs);
}

std::optional<int> PtyRun::WaitExit(int timeoutMs) {
  if (Wait([&] { return PollExit().has_value(); }, timeoutMs)) Read(0);
  return status_;
}

void PtyRun::Signal(int sig) {
  if (!PollExit()) kill(pid_, sig);
}

bool PtyRun::WaitStopped(int timeoutMs) {
  const bool stopped = Wait([&] {
    int st = 0;
    if (status_ || waitpid(pid_, &st, WNOHANG | WUNTRACED) != pid_) return false;
    if (WIFSTOPPED(st)) return true;
    status_ = ExitStatus(st);  // reaped here: keep its status
    return false;
  }, timeoutMs);
  if (stopped) Read(0);  // what it wrote before it stopped is still in the pty
  return stopped;
}

void PtyRun::Resize(int cols, int rows) {
  Read(0);  // what came before was drawn at the old size
  vt_->Resize(cols, rows);
  if (master_ >= 0) SetSize(master_, cols, rows);
}

void PtyRun::HangUp() {
  Read(0);
  if (master_ >= 0) close(master_);
  master_ = -1;
}

std::string PtyRun::SettingsChanges() const {
  termios now{};
  if (tcgetattr(slave_, &now) < 0) return "the terminal settings cannot be read (hung up)\n";
  std::string out;
  auto compare = [&](const std::string& field, unsigned was, unsigned is) {
    if (was != is) out += field + ": " + std::to_string(was) + " -> " + std::to_string(is) + "\n";
  };
  compare("c_iflag", atStart_.c_iflag, now.c_iflag);
  compare("c_oflag", atStart_.c_oflag, now.c_oflag);
  compare("c_cflag", atStart_.c_cflag, now.c_cflag);
  compare("c_lflag", atStart_.c_lflag, now.c_lflag);
  for (int i = 0; i < NCCS; ++i) compare("c_cc[" + std::to_string(i) + "]", atStart_.c_cc[i], now.c_cc[i]);
  return out;
}

std::vector<std::string> PtyRun::FilesInDir() const {
  std::vector<std::string> names = Entries(dir_);
  std::erase(names, fs::path(programPath_).filename().string());
  return names;
}

}  // namespace rodi::e2e
