// One end-to-end run: a program in an 80x25 (or other) pseudo-terminal with
// its own directory, keys typed with a person's timing, and the screen read
// back through a real terminal emulator.
#pragma once

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

class PtyProcess;
class RunDir;

struct RunOptions {
  std::vector<std::string> args;
  std::string locale = "C.UTF-8";  // LANG and LC_ALL
  int cols = 80, rows = 25;
  bool stdinDevNull = false;
  // Runs as uid/gid 65534 in a root-owned 0755 run directory (under /tmp), which
  // it can enter but not write.
  bool unprivileged = false;
  // When the program sends CSI 8;rows;cols t, resize the pty and the emulator.
  bool answerResize = false;
  // A name without "/" is a program of the build (RODI_BINARY_DIR), hard-linked
  // into the run directory and started from there; a path is started as it is.
  std::string program = "rodi";
  std::vector<std::pair<std::string, std::string>> env;  // added to, or replacing, the defaults
  std::string initialScreen;  // shown on the emulator before the program starts
  std::function<void(const std::string& dir)> prepare;  // runs on the directory before the start
  bool utf8Terminal = true;   // the emulator decodes UTF-8
};

class PtyRun {
 public:
  explicit PtyRun(RunOptions options);   // starts the program; throws on set-up failure
  ~PtyRun();                             // SIGKILLs a running program, removes the run directory
  PtyRun(const PtyRun&) = delete;
  PtyRun& operator=(const PtyRun&) = delete;

  // Types keys (split by keys::SplitKeys) ~15 ms apart; a lone Esc is followed
  // by 50 ms so that it cannot merge with the next key into a sequence.
  void Type(std::string_view bytes);
  // Reads output into the emulator for ms milliseconds.
  void Pump(int ms);
  // Pumps until the screen shows utf8 (within a row, or across rows joined by
  // '\n'), the program ends, or timeoutMs passes.
  bool WaitForText(std::string_view utf8, int timeoutMs);
  // Same for bytes in the raw output.
  bool WaitForOutput(std::string_view bytes, int timeoutMs);
  // Exit status (128 + signal when killed), nullopt if still running after timeoutMs.
  std::optional<int> WaitExit(int timeoutMs);
  void Signal(int sig);
  void HangUp();

  std::string Row(int row) const { return vt_->Row(row); }  // 1-based, trailing blanks trimmed
  std::string Screen() const { return vt_->Screen(); }
  CellInfo Cell(int col, int row) const { return vt_->Cell(col, row); }
  VtScreen& Terminal() { return *vt_; }  // for probing the emulator after the run

  const termios& SettingsBefore() const;
  std::optional<termios> SettingsNow() const;
  // Empty when the settings now equal those before; else a readable diff.
  std::string SettingsChanges() const;

  std::vector<std::string> FilesInDir() const;  // without the program itself
  const std::string& RawOutput() const { return raw_; }
  std::string Dir() const;
  int Pid() const;

 private:
  void Consume(std::string_view chunk);
  void ApplyResizeRequests();

  RunOptions opts_;
  std::unique_ptr<RunDir> dir_;
  std::unique_ptr<VtScreen> vt_;
  std::unique_ptr<PtyProcess> proc_;  // the destructor ends it before removing the directory
  std::string raw_;
  std::string pending_;  // output held back while it may be the start of a resize request
};

// The magazine as the build made it, and whether it is there.
std::string MagazinePath();
bool MagazineBuilt();

}  // namespace rodi::e2e
