#include "content/resources.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "term/departure.h"
#include "term/fileutil.h"
#include "term/strutil.h"

namespace {

struct ResourceEntry {
  const char* name;
  const uint8_t* data;
  uint64_t size;
};

}  // namespace

extern "C" const ResourceEntry rodi_resource_table[];

std::optional<std::span<const uint8_t>> FindResource(std::string_view name) {
  const std::string wanted = Upper(name);
  for (const ResourceEntry* e = rodi_resource_table; e->name != nullptr; ++e) {
    if (wanted == e->name) return std::span<const uint8_t>(e->data, e->size);
  }
  return std::nullopt;
}

std::vector<std::string> ResourceNames() {
  std::vector<std::string> names;
  for (const ResourceEntry* e = rodi_resource_table; e->name != nullptr; ++e) names.emplace_back(e->name);
  return names;
}

namespace {

std::string CreateFailure(const std::string& path, int err) {
  return "Unable to create file \"" + path + "\": " + std::strerror(err);
}

// Writes the resource into a file made from the mkstemp template, which is
// replaced by the file's name; fd is left open on it. An error text on
// failure, when nothing is left.
std::optional<std::string> WriteToNewFile(std::string_view name, std::string& templ,
                                          const std::string& shownPath, int& fd) {
  const auto bytes = FindResource(name);
  if (!bytes) return "Resource \"" + std::string(name) + "\" not found";
  fd = mkostemp(templ.data(), O_CLOEXEC);
  if (fd < 0) return CreateFailure(shownPath, errno);
  const uint8_t* at = bytes->data();
  size_t left = bytes->size();
  while (left > 0) {
    const ssize_t n = write(fd, at, left);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) {
      const int err = n < 0 ? errno : ENOSPC;
      close(fd);
      unlink(templ.c_str());
      return CreateFailure(shownPath, err);
    }
    at += n;
    left -= static_cast<size_t>(n);
  }
  // Readable like a file the reader's own tools would make.
  const mode_t mask = umask(0);
  umask(mask);
  fchmod(fd, 0666 & ~mask);
  return std::nullopt;
}

std::string DirectoryOf(const std::string& path) {
  const size_t slash = path.rfind('/');
  return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

}  // namespace

std::optional<std::string> WriteResource(std::string_view name, const std::string& path, int* kept) {
  std::string temp = DirectoryOf(path) + ".rodi-XXXXXX";
  int fd = -1;
  if (auto error = WriteToNewFile(name, temp, path, fd)) return error;
  if (rename(temp.c_str(), path.c_str()) != 0) {
    const int err = errno;
    close(fd);
    unlink(temp.c_str());
    return CreateFailure(path, err);
  }
  if (kept != nullptr) {
    *kept = fd;
  } else {
    close(fd);
  }
  return std::nullopt;
}

std::string ExtractResTempFile(std::string_view resName, const std::string& dir) {
  std::string path = dir + ".rodi-show-XXXXXX";
  int fd = -1;
  if (auto error = WriteToNewFile(resName, path, path, fd)) DepartWithError(*error);
  OwnFile(path, fd);
  return path;
}

void ExtractResFile(std::string_view resName, const std::string& fileName) {
  int fd = -1;
  if (auto error = WriteResource(resName, fileName, &fd)) DepartWithError(*error);
  OwnFile(fileName, fd);
}
