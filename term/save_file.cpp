#include "save_file.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "fileutil.h"

namespace {

constexpr int kTempAttempts = 100;

std::string Reason(int err) { return std::strerror(err); }

bool WriteAllAt(int fd, std::string_view data) {
  size_t done = 0;
  while (done < data.size()) {
    const ssize_t n = pwrite(fd, data.data() + done, data.size() - done, static_cast<off_t>(done));
    if (n < 0 && errno == EINTR) continue;
    if (n == 0) errno = ENOSPC;
    if (n <= 0) return false;
    done += static_cast<size_t>(n);
  }
  return true;
}

bool ReadAll(int fd, std::string& out) {
  char buf[65536];
  for (;;) {
    const ssize_t n = pread(fd, buf, sizeof buf, static_cast<off_t>(out.size()));
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) return false;
    if (n == 0) return true;
    out.append(buf, static_cast<size_t>(n));
  }
}

// A name that leads to nothing yet: the bytes go whole into a new file beside
// it, created exclusively so that nothing is overwritten, which then takes the name.
std::string SaveNew(const std::string& path, std::string_view bytes) {
  std::string temp;
  int fd = -1;
  for (int n = 0; n < kTempAttempts && fd < 0; ++n) {
    temp = path + ".tmp" + std::to_string(getpid()) + "." + std::to_string(n);
    fd = open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0 && errno != EEXIST) return Reason(errno);
  }
  if (fd < 0) return Reason(EEXIST);
  int error = 0;
  if (!WriteAllAt(fd, bytes) || fsync(fd) != 0) error = errno;
  if (close(fd) != 0 && error == 0) error = errno;
  if (error == 0 && rename(temp.c_str(), path.c_str()) != 0) error = errno;
  if (error == 0) return "";
  unlink(temp.c_str());
  return Reason(error);
}

// An existing file is written into, not replaced: its permissions, owner and
// hard links belong to its inode, which a new file renamed over the name would
// not have. So that a failed write loses nothing, the room for the new bytes is
// reserved first (the write then cannot run out of space halfway), and the old
// bytes are held to be put back should it fail all the same. Only a write that
// is complete and synced counts as saved.
std::string SaveInPlace(int fd, std::string_view bytes) {
  std::string old;
  if (!ReadAll(fd, old)) return Reason(errno);
  if (!bytes.empty() && fallocate(fd, FALLOC_FL_KEEP_SIZE, 0, static_cast<off_t>(bytes.size())) != 0 &&
      errno != EOPNOTSUPP && errno != ENOSYS) {
    return Reason(errno);
  }
  if (WriteAllAt(fd, bytes) && ftruncate(fd, static_cast<off_t>(bytes.size())) == 0 && fsync(fd) == 0) {
    return "";
  }
  const int error = errno;
  if (WriteAllAt(fd, old) && ftruncate(fd, static_cast<off_t>(old.size())) == 0) fsync(fd);
  return Reason(error);
}

std::string NotAFile(mode_t mode) { return S_ISDIR(mode) ? Reason(EISDIR) : "not a regular file"; }

}  // namespace

std::string SaveFile(const std::string& path, std::string_view bytes) {
  if (IsMagazineFile(path)) return "the magazine's own file";
  struct stat st {};
  if (stat(path.c_str(), &st) != 0) return errno == ENOENT ? SaveNew(path, bytes) : Reason(errno);
  // Refused before opening: opening a device or a FIFO can act on it, or wait.
  if (!S_ISREG(st.st_mode)) return NotAFile(st.st_mode);
  // Non-blocking, should a FIFO take the name between the look and the open.
  const int fd = open(path.c_str(), O_RDWR | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
  if (fd < 0) return Reason(errno);
  struct stat opened {};
  // Another copy of the magazine holds its working files locked (see OwnFile).
  std::string reason = fstat(fd, &opened) != 0 ? Reason(errno)
                       : !S_ISREG(opened.st_mode) ? NotAFile(opened.st_mode)
                       : flock(fd, LOCK_EX | LOCK_NB) != 0 && errno == EWOULDBLOCK
                           ? "in use by the magazine"
                           : SaveInPlace(fd, bytes);
  if (close(fd) != 0 && reason.empty()) reason = Reason(errno);
  return reason;
}
