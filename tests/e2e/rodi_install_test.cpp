// The magazine as it is installed: from a prefix its reader cannot write, and
// as a Debian package whose dependencies come from its binaries.
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>

#include "harness/installed.h"
#include "rodi_checks.h"

namespace rodi::e2e {
namespace {

namespace fs = std::filesystem;
constexpr uid_t kNobody = 65534;

TEST(InstalledCopy, RunsForAReaderWhoCannotWriteItAndLeavesNothing) {
  if (geteuid() != 0) GTEST_SKIP() << "needs root, to run the installed copy as nobody";
  InstalledCopy copy;
  const std::string before = copy.Listing();
  ASSERT_NE(before.find("/bin/rodi "), std::string::npos);
  ASSERT_NE(before.find("/share/man/man1/rodi.1 "), std::string::npos);
  const ShellOutput man = Shell("groff -man -ww -z '" + copy.Prefix() + "/share/man/man1/rodi.1'");
  EXPECT_TRUE(man.ok && man.text.empty()) << "the manual page: " << man.text;

  RunOptions o;
  o.program = copy.Magazine();
  o.unprivileged = true;
  o.args = {"--version"};
  {
    PtyRun version(o);
    EXPECT_EQ(version.WaitExit(kShowMs), 0);
    EXPECT_EQ(version.Row(1), std::string("rodi ") + RODI_VERSION);
  }

  // $XDG_RUNTIME_DIR is the first choice for the private directory.
  const RemovedAtEnd runtimeDir{ScratchDir("rodi-e2e-runtime", 0700, kNobody)};
  const RemovedAtEnd tmpDir{ScratchDir("rodi-e2e-tmp", 01777, 0)};
  const std::string &runtime = runtimeDir.path, &tmp = tmpDir.path;
  o.args = {};
  o.env = {{"XDG_RUNTIME_DIR", runtime}, {"TMPDIR", tmp}};
  PtyRun run(o);
  ASSERT_TRUE(run.WaitForText("a r t i c l e s", kShowMs)) << run.Screen();
  const auto own = Entries(runtime);
  ASSERT_EQ(own.size(), 1u) << "one private directory of this run under $XDG_RUNTIME_DIR";
  struct stat st {};
  ASSERT_EQ(stat((runtime + "/" + own[0]).c_str(), &st), 0);
  EXPECT_TRUE(S_ISDIR(st.st_mode) && (st.st_mode & 0777) == 0700 && st.st_uid == kNobody)
      << own[0] << " mode " << std::oct << (st.st_mode & 0777) << " uid " << std::dec << st.st_uid;
  run.Pump(500);
  run.Type("x");
  EXPECT_EQ(run.WaitExit(kShowMs), 0) << run.Screen();
  ExpectHandedBack(run);
  EXPECT_EQ(Entries(runtime), std::vector<std::string>{});
  EXPECT_EQ(Entries(tmp), std::vector<std::string>{});
  EXPECT_EQ(copy.Listing(), before) << "the install changed";
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
