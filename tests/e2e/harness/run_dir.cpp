#include "run_dir.h"

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <stdexcept>

namespace fs = std::filesystem;

namespace rodi::e2e {

RunDir::RunDir(const std::string& base, const std::string& program) {
  fs::create_directories(base);
  chmod(base.c_str(), 0755);  // whatever the umask, others may pass through
  std::string pattern = base + "/run-XXXXXX";
  if (!mkdtemp(pattern.data()))
    throw std::runtime_error("mkdtemp " + pattern + ": " + std::strerror(errno));
  path_ = pattern;
  // 0755 so that an unprivileged child can enter it but not write into it.
  chmod(path_.c_str(), 0755);
  if (program.empty()) return;
  programPath_ = path_ + "/" + fs::path(program).filename().string();
  std::error_code ec;
  fs::create_hard_link(program, programPath_, ec);
  if (ec) fs::copy_file(program, programPath_, ec);
  if (ec) throw std::runtime_error("cannot place " + program + " in " + path_ + ": " + ec.message());
}

RunDir::~RunDir() {
  std::error_code ec;
  fs::remove_all(path_, ec);
}

std::vector<std::string> RunDir::Files() const {
  std::vector<std::string> names;
  std::error_code ec;
  for (const auto& e : fs::directory_iterator(path_, ec)) {
    if (!programPath_.empty() && e.path() == fs::path(programPath_)) continue;
    std::string name = e.path().filename().string();
    if (e.is_directory(ec) && !e.is_symlink(ec)) name += "/";
    names.push_back(name);
  }
  std::sort(names.begin(), names.end());
  return names;
}

}  // namespace rodi::e2e
