#include "app/work_place.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>

#include "app/state.h"
#include "term/departure.h"
#include "term/fileutil.h"

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

std::string Variable(const char* name) {
  const char* value = std::getenv(name);
  return value != nullptr && value[0] == '/' ? value : "";
}

// A new directory, 0700, under $XDG_RUNTIME_DIR, else the system's temporary
// directory; it goes on every way out with the files in it.
std::string PrivateDirectory() {
  std::string temp = Variable("TMPDIR");
  if (temp.empty()) temp = "/tmp";
  int error = 0;
  for (const std::string& base : {Variable("XDG_RUNTIME_DIR"), temp}) {
    if (base.empty()) continue;
    std::string path = base + (base.back() == '/' ? "" : "/") + "rodi-XXXXXX";
    if (mkdtemp(path.data()) != nullptr) {
      OwnDirectory(path);
      return path + "/";
    }
    error = errno;
  }
  DepartWithError("Unable to create a working directory in \"" + temp + "\": " + std::strerror(error));
}

}  // namespace

void ChooseWorkPlace() {
  if (Writable(Dir)) {
    SaveDir = Dir;
    WorkDir = TakeDirLock(Dir) ? Dir : PrivateDirectory();
    return;
  }
  WorkDir = PrivateDirectory();
  char cwd[4096];
  const std::string here = getcwd(cwd, sizeof cwd) != nullptr ? cwd : "";
  SaveDir = here.empty() || here.back() == '/' ? here : here + "/";
}
