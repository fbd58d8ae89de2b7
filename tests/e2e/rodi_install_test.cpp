// The magazine as it is installed: with its manual page, and as a Debian
// package whose dependencies come from its binaries.
#include <unistd.h>

#include <filesystem>

#include "harness/installed.h"
#include "rodi_checks.h"

namespace rodi::e2e {
namespace {

namespace fs = std::filesystem;
// As nobody, from the copy its reader cannot write: see the music and SSH door tests.
TEST(InstalledCopy, CarriesItsManualPageAndTellsItsVersion) {
  if (geteuid() != 0) GTEST_SKIP() << "needs root, to install under /tmp as root's";
  InstalledCopy copy;
  const ShellOutput man = Shell("groff -man -ww -z '" + copy.Prefix() + "/share/man/man1/rodi.1'");
  EXPECT_TRUE(man.ok && man.text.empty()) << "the manual page: " << man.text;
  const ShellOutput version = Shell("'" + copy.Magazine() + "' --version");
  EXPECT_TRUE(version.ok && version.text == std::string("rodi ") + RODI_VERSION + "\n") << version.text;
}

TEST(Package, DebianPackageCarriesTheMagazineItsManualAndItsLibraries) {
  if (!Shell("command -v dpkg-shlibdeps").ok) GTEST_SKIP() << "dpkg-dev is not installed";
  const RemovedAtEnd outDir{ScratchDir("rodi-e2e-deb", 0755, geteuid())};
  const std::string& out = outDir.path;
  const ShellOutput made = Shell(std::string("cd '") + RODI_BINARY_DIR + "' && '" + RODI_CPACK + "' -G DEB -B '" +
                              out + "'");
  ASSERT_TRUE(made.ok) << made.text;
  std::string arch = Shell("dpkg --print-architecture").text;
  arch.erase(arch.find_last_not_of('\n') + 1);
  const std::string file = out + "/rodi_" + RODI_VERSION + "_" + arch + ".deb";
  ASSERT_TRUE(fs::exists(file)) << made.text;

  const ShellOutput depends = Shell("dpkg-deb -f '" + file + "' Depends");
  for (const char* library : {"libopenmpt0 (", "libasound2 (", "libstdc++6 (", "libc6 ("})
    EXPECT_NE(depends.text.find(library), std::string::npos) << library << " missing in " << depends.text;
  const ShellOutput contents = Shell("dpkg-deb -c '" + file + "'");
  for (const char* path : {" ./usr/bin/rodi\n", " ./usr/share/man/man1/rodi.1\n"})
    EXPECT_NE(contents.text.find(path), std::string::npos) << path << " missing in\n" << contents.text;
}

}  // namespace
}  // namespace rodi::e2e
