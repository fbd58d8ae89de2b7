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

std::optional<std::string> WriteResource(std::string_view name, const std::string& path) {
  const auto bytes = FindResource(name);
  if (!bytes) return "Resource \"" + std::string(name) + "\" not found";
  const size_t slash = path.rfind('/');
  std::string temp = (slash == std::string::npos ? std::string() : path.substr(0, slash + 1)) +
                     ".rodi-XXXXXX";
  const int fd = mkostemp(temp.data(), O_CLOEXEC);
  auto failure = [&path](int err) {
    return "Unable to create file \"" + path + "\": " + std::strerror(err);
  };
  if (fd < 0) return failure(errno);
  const uint8_t* at = bytes->data();
  size_t left = bytes->size();
  while (left > 0) {
    const ssize_t n = write(fd, at, left);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) {
      const int err = n < 0 ? errno : ENOSPC;
      close(fd);
      unlink(temp.c_str());
      return failure(err);
    }
    at += n;
    left -= static_cast<size_t>(n);
  }
  // Readable like a file the reader's own tools would make.
  const mode_t mask = umask(0);
  umask(mask);
  fchmod(fd, 0666 & ~mask);
  if (close(fd) != 0 || rename(temp.c_str(), path.c_str()) != 0) {
    const int err = errno;
    unlink(temp.c_str());
    return failure(err);
  }
  return std::nullopt;
}

void ExtractResFile(std::string_view resName, const std::string& fileName) {
  if (auto error = WriteResource(resName, fileName)) DepartWithError(*error);
  OwnFile(fileName);
}
