#include "app/work_place.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include "app/state.h"
#include "term/private_dir.h"

namespace {

bool Writable(const std::string& dir) {
  return faccessat(AT_FDCWD, dir.c_str(), W_OK | X_OK, AT_EACCESS) == 0;
}

// The lock is the kernel's: it goes with the process however that ends, so a
// copy killed outright never keeps the names from the next one. Its
// descriptor stays open for the whole run.
bool TakeDirLock(const std::string& dir) {
  const int fd = open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return false;
  if (flock(fd, LOCK_EX | LOCK_NB) == 0) return true;
  close(fd);
  return false;
}

}  // namespace

void ChooseWorkPlace() {
  if (Writable(Dir)) {
    SaveDir = Dir;
    WorkDir = TakeDirLock(Dir) ? Dir : PrivateWorkDir();
    return;
  }
  WorkDir = PrivateWorkDir();
  char cwd[4096];
  const std::string here = getcwd(cwd, sizeof cwd) != nullptr ? cwd : "";
  SaveDir = here.empty() || here.back() == '/' ? here : here + "/";
}
