#include "text_lines.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "term/fileutil.h"

namespace {

constexpr int kTempAttempts = 100;

bool WriteAllBytes(int fd, const std::string& data) {
  size_t done = 0;
  while (done < data.size()) {
    const ssize_t n = write(fd, data.data() + done, data.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n == 0) errno = EIO;
    if (n <= 0) return false;
    done += static_cast<size_t>(n);
  }
  return true;
}

// A new file beside Path, created exclusively so that nothing is overwritten.
int CreateTemp(const std::string& path, std::string& tempPath) {
  for (int n = 0; n < kTempAttempts; ++n) {
    tempPath = path + ".tmp" + std::to_string(getpid()) + "." + std::to_string(n);
    const int fd = open(tempPath.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd >= 0 || errno != EEXIST) return fd;
  }
  return -1;
}

}  // namespace

std::vector<std::string> SplitLines(const std::string& text) {
  std::vector<std::string> lines;
  std::string line;
  for (size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (c != '\r' && c != '\n') {
      line += c;
      continue;
    }
    if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
    lines.push_back(std::move(line));
    line.clear();
  }
  if (!line.empty()) lines.push_back(std::move(line));
  return lines;
}

std::optional<std::vector<std::string>> LoadLines(const std::string& path) {
  const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return std::nullopt;
  std::string text;
  char buf[65536];
  for (;;) {
    const ssize_t n = read(fd, buf, sizeof buf);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) {
      close(fd);
      return std::nullopt;
    }
    if (n == 0) break;
    text.append(buf, static_cast<size_t>(n));
  }
  close(fd);
  return SplitLines(text);
}

std::string SaveLines(const std::string& path, const std::vector<std::string>& lines) {
  if (IsMagazineFile(path)) return "the magazine's own file";
  std::string text;
  for (const std::string& line : lines) text += line + '\n';
  std::string tempPath;
  const int fd = CreateTemp(path, tempPath);
  if (fd < 0) return std::strerror(errno);
  int error = 0;
  if (!WriteAllBytes(fd, text) || fsync(fd) != 0) error = errno;
  if (close(fd) != 0 && error == 0) error = errno;
  if (error == 0 && rename(tempPath.c_str(), path.c_str()) != 0) error = errno;
  if (error != 0) {
    unlink(tempPath.c_str());
    return std::strerror(error);
  }
  return "";
}
