// One end-to-end run: a program in an 80x25 (or other) pseudo-terminal with
// its own directory, keys typed with a person's timing, and the screen read
// back through a real terminal emulator, whose answers reach the program.
#pragma once

#include <sys/types.h>
#include <termios.h>

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "vt_screen.h"

namespace rodi::e2e {

namespace keys {
inline constexpr std::string_view kEsc = "\x1b", kEnter = "\r", kUp = "\x1b[A", kDown = "\x1b[B";
}  // namespace keys

struct RunOptions {
  std::vector<std::string> args;
  int cols = 80, rows = 25;
  // Standard input from /dev/null; standard input, or output, closed at the start.
  bool stdinDevNull = false, stdinClosed = false, stdoutClosed = false;
  // Runs as uid/gid 65534 in a root-owned 0755 run directory (under /tmp), which
  // it can enter but not write.
  bool unprivileged = false;
  // A name without "/" is a program of the build (RODI_BINARY_DIR), hard-linked
  // into the run directory and started from there; a path is started as it is.
  std::string program = "rodi";
  std::vector<std::pair<std::string, std::string>> env;  // added to, or replacing, the defaults
  std::function<void(const std::string& dir)> prepare;  // runs on the directory before the start
};

class PtyRun {
 public:
  explicit PtyRun(RunOptions options);  // starts the program; throws on set-up failure
  ~PtyRun();                            // SIGKILLs the program's group, removes the run directory
  PtyRun(const PtyRun&) = delete;
  PtyRun& operator=(const PtyRun&) = delete;

  // Types keys ~15 ms apart, an escape sequence or a UTF-8 character as one
  // key; a lone Esc is followed by 50 ms so that it cannot merge with the next.
  void Type(std::string_view bytes);
  void Pump(int ms);  // reads output into the emulator for ms milliseconds
  // Pumps until the screen (rows joined by '\n') or the raw output shows the
  // text, the program ends, or timeoutMs passes.
  bool WaitForText(std::string_view utf8, int timeoutMs);
  bool WaitForOutput(std::string_view bytes, int timeoutMs);
  // Exit status (128 + signal when killed), nullopt if still running after timeoutMs.
  std::optional<int> WaitExit(int timeoutMs);
  void Signal(int sig);
  bool WaitStopped(int timeoutMs);  // until the program is stopped by a signal
  void Resize(int cols, int rows);  // the pty (the program gets SIGWINCH) and the emulator
  void HangUp();                    // closes the master side, as a terminal window that goes away

  std::string Row(int row) const { return vt_->Row(row); }  // 1-based, trailing blanks trimmed
  std::string Screen() const { return vt_->Screen(); }
  CellInfo Cell(int col, int row) const { return vt_->Cell(col, row); }
  VtScreen& Terminal() { return *vt_; }  // output is fed to it only while pumping

  // Empty when the terminal settings equal those at the start; else the fields that differ.
  std::string SettingsChanges() const;
  // Names in the run directory, sorted, without the program; directories end in "/".
  std::vector<std::string> FilesInDir() const;
  const std::string& RawOutput() const { return raw_; }
  const std::string& Dir() const { return dir_; }
  pid_t Pid() const { return pid_; }

 private:
  bool Wait(const std::function<bool()>& done, int timeoutMs);
  void Read(int timeoutMs);
  void Write(std::string_view bytes);
  std::optional<int> PollExit();

  RunOptions opts_;
  std::string dir_, programPath_;
  std::unique_ptr<VtScreen> vt_;
  pid_t pid_ = -1;
  int master_ = -1, slave_ = -1;  // the slave stays open so settings can be read after the end
  termios atStart_{};
  std::optional<int> status_;
  std::string raw_;
};

// The magazine as the build made it.
std::string MagazinePath();

}  // namespace rodi::e2e
