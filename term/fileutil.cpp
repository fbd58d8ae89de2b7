#include "fileutil.h"

#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <vector>

namespace {

// A name alone says nothing about who wrote the file: another copy of the
// magazine, or the reader, may have put a file of their own under it since.
struct Owned {
  std::string path;
  dev_t dev;
  ino_t ino;
  bool directory;
  int fd;  // a file's, holding its lock; -1 for a directory
};

std::vector<Owned>& Registry() {
  static std::vector<Owned> owned;
  return owned;
}

bool StillThere(const Owned& o) {
  struct stat now {};
  return lstat(o.path.c_str(), &now) == 0 && now.st_dev == o.dev && now.st_ino == o.ino;
}

void Forget(const Owned& o) {
  if (o.fd >= 0) close(o.fd);  // and with it the lock
}

void Record(const std::string& path, const struct stat& st, bool directory, int fd) {
  auto& owned = Registry();
  const auto it = std::find_if(owned.begin(), owned.end(), [&](const Owned& o) { return o.path == path; });
  if (it != owned.end()) {
    Forget(*it);
    owned.erase(it);
  }
  owned.push_back({path, st.st_dev, st.st_ino, directory, fd});
}

void Delete(const Owned& o) {
  if (StillThere(o)) {
    if (o.directory) {
      rmdir(o.path.c_str());  // not empty: something of someone else's is in it
    } else {
      unlink(o.path.c_str());
    }
  }
  Forget(o);
}

}  // namespace

bool FileExist(const std::string& name) {
  struct stat st {};
  return stat(name.c_str(), &st) == 0 && !S_ISDIR(st.st_mode);
}

bool IsMagazineFile(const std::string& path) {
  struct stat target {};
  if (stat(path.c_str(), &target) != 0) return false;
  struct stat self {};
  if (stat("/proc/self/exe", &self) == 0 && self.st_dev == target.st_dev && self.st_ino == target.st_ino) {
    return true;
  }
  const auto& owned = Registry();
  return std::any_of(owned.begin(), owned.end(), [&](const Owned& o) {
    return !o.directory && o.dev == target.st_dev && o.ino == target.st_ino;
  });
}

std::string FullPath(const std::string& path) {
  if (!path.empty() && path[0] == '/') return path;
  char cwd[4096];
  if (getcwd(cwd, sizeof cwd) == nullptr) return path;
  const std::string dir = cwd;
  return dir + (dir.back() == '/' ? "" : "/") + path;
}

void OwnFile(const std::string& path, int fd) {
  struct stat st {};
  if (fstat(fd, &st) != 0) {
    close(fd);
    return;
  }
  flock(fd, LOCK_SH | LOCK_NB);
  Record(path, st, false, fd);
}

void OwnDirectory(const std::string& path) {
  struct stat st {};
  if (lstat(path.c_str(), &st) == 0) Record(path, st, true, -1);
}

void DeleteOwnedFile(const std::string& path) {
  auto& owned = Registry();
  const auto it = std::find_if(owned.begin(), owned.end(), [&](const Owned& o) { return o.path == path; });
  if (it == owned.end()) return;
  Delete(*it);
  owned.erase(it);
}

void DeleteOwnedFiles() {
  auto& owned = Registry();
  while (!owned.empty()) {
    Delete(owned.back());
    owned.pop_back();
  }
}
