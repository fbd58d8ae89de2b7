#include "installed.h"

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <stdexcept>

namespace fs = std::filesystem;

namespace rodi::e2e {

InstalledCopy::InstalledCopy() : prefix_(ScratchDir("rodi-e2e-install", 0755, 0)) {
  const ShellOutput done = Shell(std::string("'") + RODI_CMAKE + "' --install '" + RODI_BINARY_DIR + "' --prefix '" +
                                 prefix_ + "' >/dev/null");
  if (!done.ok) {
    fs::remove_all(prefix_);
    throw std::runtime_error("cannot install the build: " + done.text);
  }
}

InstalledCopy::~InstalledCopy() {
  std::error_code ec;
  fs::remove_all(prefix_, ec);
}

std::string InstalledCopy::Listing() const {
  return Shell("find '" + prefix_ + "' -printf '%p %M %s %T@\\n' | sort").text;
}

ShellOutput Shell(const std::string& command) {
  FILE* pipe = popen((command + " 2>&1").c_str(), "r");
  if (pipe == nullptr) return {false, "popen failed"};
  std::string text;
  char buf[4096];
  for (size_t n; (n = fread(buf, 1, sizeof buf, pipe)) > 0;) text.append(buf, n);
  return {pclose(pipe) == 0, text};
}

std::string ScratchDir(const std::string& name, unsigned mode, uid_t owner) {
  std::string path = "/tmp/" + name + "-XXXXXX";
  if (mkdtemp(path.data()) == nullptr) throw std::runtime_error("mkdtemp " + path);
  if (chown(path.c_str(), owner, owner) != 0 || chmod(path.c_str(), mode) != 0)
    throw std::runtime_error("cannot hand " + path + " over");
  return path;
}

std::vector<std::string> Entries(const std::string& dir) {
  std::vector<std::string> names;
  std::error_code ec;
  for (const auto& e : fs::directory_iterator(dir, ec))
    names.push_back(e.path().filename().string() + (e.is_directory(ec) && !e.is_symlink(ec) ? "/" : ""));
  std::sort(names.begin(), names.end());
  return names;
}

std::vector<pid_t> ProcessesOf(const std::string& path) {
  std::vector<pid_t> pids;
  for (const auto& e : fs::directory_iterator("/proc")) {
    std::error_code ec;  // a zombie's exe no longer reads
    if (fs::read_symlink(e.path() / "exe", ec) == fs::path(path)) pids.push_back(std::stoi(e.path().filename()));
  }
  return pids;
}

}  // namespace rodi::e2e
