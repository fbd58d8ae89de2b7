// A child process on the slave side of a fresh pseudo-terminal pair.
#pragma once

#include <sys/types.h>
#include <termios.h>

#include <optional>
#include <string>
#include <vector>

namespace rodi::e2e {

struct SpawnSpec {
  std::string path;                // absolute path of the executable
  std::vector<std::string> argv;   // argv[0] included
  std::vector<std::string> envp;   // "NAME=value", the whole environment
  std::string workDir;
  int cols = 80, rows = 25;
  termios settings{};              // put on the terminal before the child starts
  bool stdinDevNull = false;
  bool unprivileged = false;       // uid and gid 65534, no supplementary groups
};

class PtyProcess {
 public:
  explicit PtyProcess(const SpawnSpec& launch);  // throws std::runtime_error
  ~PtyProcess();                               // SIGKILLs the child's group if still running
  PtyProcess(const PtyProcess&) = delete;
  PtyProcess& operator=(const PtyProcess&) = delete;

  pid_t Pid() const { return pid_; }
  int Master() const { return master_; }  // -1 after HangUp

  // Reads what the child wrote, waiting at most timeoutMs for the first byte.
  // Empty when nothing came (or the master is closed).
  std::string Read(int timeoutMs);
  void Write(std::string_view bytes);

  // Exit status: WEXITSTATUS, or 128 + signal number; nullopt while running.
  std::optional<int> PollExit();
  void Signal(int sig);
  void HangUp();  // closes the master side, as a terminal window that goes away
  void Resize(int cols, int rows);
  // The slave's settings as the child found them, and now (nullopt once the
  // terminal is hung up).
  const termios& SettingsAtStart() const { return atStart_; }
  std::optional<termios> SettingsNow() const;

 private:
  pid_t pid_ = -1;
  int master_ = -1;
  int slave_ = -1;  // kept open so settings can be read after the child ends
  std::optional<int> status_;
  termios atStart_{};
};

}  // namespace rodi::e2e
