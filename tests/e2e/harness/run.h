// One end-to-end run: a program in an 80x25 (or other) pseudo-terminal with
// its own directory, keys typed with a person's timing, and the screen read
// back through a real terminal emulator.
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

#include "keys.h"
#include "vt_screen.h"

namespace rodi::e2e {

struct RunOptions {
  std::vector<std::string> args;
  int cols = 80, rows = 25;
  bool stdinDevNull = false;
  // Standard input, or output, closed when the program starts; or output into
  // this file of the run directory.
  bool stdinClosed = false, stdoutClosed = false;
  std::string stdoutFile;
  // Runs as uid/gid 65534 in a root-owned 0755 run directory (under /tmp), which
  // it can enter but not write.
  bool unprivileged = false;
  // When the program sends CSI 8;rows;cols t, resize the pty and the emulator.
  bool answerResize = false;
  // The emulator's answers (cursor position reports and the like) reach the program.
  bool answerReports = true;
  // A name without "/" is a program of the build (RODI_BINARY_DIR), hard-linked
  // into the run directory and started from there; a path is started as it is.
  std::string program = "rodi";
  std::vector<std::pair<std::string, std::string>> env;  // added to, or replacing, the defaults
  std::string initialScreen;  // shown on the emulator before the program starts
  std::function<void(const std::string& dir)> prepare;  // runs on the directory before the start
};

class PtyRun {
 public:
  explicit PtyRun(RunOptions options);   // starts the program; throws on set-up failure
  ~PtyRun();                             // SIGKILLs the program's group, removes the run directory
  PtyRun(const PtyRun&) = delete;
  PtyRun& operator=(const PtyRun&) = delete;

  // Types keys (split by keys::SplitKeys) ~15 ms apart; a lone Esc is followed
  // by 50 ms so that it cannot merge with the next key into a sequence.
  void Type(std::string_view bytes);
  void Pump(int ms);  // reads output into the emulator for ms milliseconds
  // Pumps until the screen (rows joined by '\n') or the raw output shows the
  // text, the program ends, or timeoutMs passes.
  bool WaitForText(std::string_view utf8, int timeoutMs);
  bool WaitForOutput(std::string_view bytes, int timeoutMs);
  // Exit status (128 + signal when killed), nullopt if still running after timeoutMs.
  std::optional<int> WaitExit(int timeoutMs);
  void Signal(int sig);
  // Pumps until the program is stopped (by a signal); false after timeoutMs.
  bool WaitStopped(int timeoutMs);
  // Resizes the pty (the program gets SIGWINCH) and the emulator.
  void Resize(int cols, int rows);
  void HangUp();  // closes the master side, as a terminal window that goes away

  std::string Row(int row) const { return vt_->Row(row); }  // 1-based, trailing blanks trimmed
  std::string Screen() const { return vt_->Screen(); }
  CellInfo Cell(int col, int row) const { return vt_->Cell(col, row); }
  VtScreen& Terminal() { return *vt_; }  // for probing the emulator after the run

  // Empty when the terminal settings equal those at the start; else a readable diff.
  std::string SettingsChanges() const;
  // Names in the run directory, sorted, without the program; directories end in "/".
  std::vector<std::string> FilesInDir() const;
  const std::string& RawOutput() const { return raw_; }
  const std::string& Dir() const { return dir_; }
  pid_t Pid() const { return pid_; }

 private:
  bool Wait(const std::function<bool()>& done, int timeoutMs);
  std::string Read(int timeoutMs);
  void Write(std::string_view bytes);
  void Consume(std::string_view chunk);
  void Drain();
  std::optional<int> PollExit();

  RunOptions opts_;
  std::string dir_, programPath_;
  std::unique_ptr<VtScreen> vt_;
  pid_t pid_ = -1;
  int master_ = -1, slave_ = -1;  // the slave stays open so settings can be read after the end
  termios atStart_{};
  std::optional<int> status_;
  std::string raw_;
  std::string pending_;  // output held back while it may be the start of a resize request
};

// The magazine as the build made it, and whether it is there.
std::string MagazinePath();
bool MagazineBuilt();

}  // namespace rodi::e2e
