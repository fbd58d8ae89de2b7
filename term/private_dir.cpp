#include "term/private_dir.h"

#include <stdlib.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>

#include "term/departure.h"
#include "term/fileutil.h"

namespace {

std::string Variable(const char* name) {
  const char* value = std::getenv(name);
  return value != nullptr && value[0] == '/' ? value : "";
}

std::string MakePrivateDir() {
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

std::string PrivateWorkDir() {
  static const std::string dir = MakePrivateDir();
  return dir;
}
