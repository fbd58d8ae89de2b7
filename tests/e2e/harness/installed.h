// The magazine installed as a reader gets it: `cmake --install` of the build
// into a prefix of its own, root's and 0755, that an unprivileged user can
// run from but not write. Also the helpers to prove that nothing was left.
#pragma once

#include <sys/types.h>

#include <string>
#include <vector>

namespace rodi::e2e {

class InstalledCopy {
 public:
  InstalledCopy();   // installs under /tmp; throws when the install fails
  ~InstalledCopy();  // removes the prefix
  InstalledCopy(const InstalledCopy&) = delete;
  InstalledCopy& operator=(const InstalledCopy&) = delete;

  const std::string& Prefix() const { return prefix_; }
  std::string Magazine() const { return prefix_ + "/bin/rodi"; }
  // Every path under the prefix with its type, mode, size and modification
  // time, one a line: equal listings mean an untouched install.
  std::string Listing() const;

 private:
  std::string prefix_;
};

// What a shell command wrote (standard output and error), and whether it succeeded.
struct ShellOutput {
  bool ok;
  std::string text;
};
ShellOutput Shell(const std::string& command);

// A fresh directory under /tmp owned by uid/gid with the given mode.
std::string ScratchDir(const std::string& name, unsigned mode, uid_t owner);
// Names in a directory, sorted; directories end in "/".
std::vector<std::string> Entries(const std::string& dir);
// Processes (not zombies) whose executable is path.
std::vector<pid_t> ProcessesOf(const std::string& path);

}  // namespace rodi::e2e
