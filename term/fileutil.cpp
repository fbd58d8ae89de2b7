#include "fileutil.h"

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <vector>

namespace {

std::vector<std::string>& Owned() {
  static std::vector<std::string> owned;
  return owned;
}

}  // namespace

bool FileExist(const std::string& name) {
  struct stat st {};
  return stat(name.c_str(), &st) == 0 && !S_ISDIR(st.st_mode);
}

bool IsMagazineFile(const std::string& path) {
  struct stat target {};
  if (lstat(path.c_str(), &target) != 0) return false;
  auto same = [&target](const std::string& other) {
    struct stat st {};
    return stat(other.c_str(), &st) == 0 && st.st_dev == target.st_dev && st.st_ino == target.st_ino;
  };
  return same("/proc/self/exe") || std::any_of(Owned().begin(), Owned().end(), same);
}

void OwnFile(const std::string& path) {
  auto& owned = Owned();
  if (std::find(owned.begin(), owned.end(), path) == owned.end()) owned.push_back(path);
}

void DeleteOwnedFile(const std::string& path) {
  if (FileExist(path)) unlink(path.c_str());
  auto& owned = Owned();
  owned.erase(std::remove(owned.begin(), owned.end(), path), owned.end());
}

void DeleteOwnedFiles() {
  auto& owned = Owned();
  for (const auto& path : owned) {
    if (FileExist(path)) unlink(path.c_str());
  }
  owned.clear();
}
