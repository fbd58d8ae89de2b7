// A fresh directory per run, holding a hard link (or copy) of the program.
#pragma once

#include <string>
#include <vector>

namespace rodi::e2e {

class RunDir {
 public:
  // Creates a unique, root-owned, mode 0755 directory under base. When
  // program is not empty it is hard-linked (copied if linking fails) into the
  // directory under its own file name; a symbolic link would not do, since
  // /proc/self/exe resolves links and the program must find itself here.
  RunDir(const std::string& base, const std::string& program);  // throws
  ~RunDir();  // removes the directory and everything in it
  RunDir(const RunDir&) = delete;
  RunDir& operator=(const RunDir&) = delete;

  const std::string& Path() const { return path_; }
  const std::string& ProgramPath() const { return programPath_; }  // empty without program
  // Names in the directory, sorted, without the program; directories end in "/".
  std::vector<std::string> Files() const;

 private:
  std::string path_;
  std::string programPath_;
};

}  // namespace rodi::e2e
