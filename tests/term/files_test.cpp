// A save that fails halfway puts the old bytes back (the end-to-end tests
// check a saved file's mode and links); only what this run wrote is deleted.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <csignal>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "term/fileutil.h"
#include "term/save_file.h"

namespace {

namespace fs = std::filesystem;

TEST(SaveFile, AWriteCutShortLeavesTheOldBytes) {
  char dir[] = "/tmp/rodi-save-XXXXXX";
  ASSERT_NE(mkdtemp(dir), nullptr);
  const std::string file = std::string(dir) + "/mine.txt";
  ASSERT_EQ(SaveFile(file, "new text\n"), "");
  EXPECT_EQ(std::distance(fs::directory_iterator(dir), fs::directory_iterator()), 1) << "a new file, no scratch left";

  // A file size limit cuts the write short after the first block.
  signal(SIGXFSZ, SIG_IGN);
  rlimit was{};
  getrlimit(RLIMIT_FSIZE, &was);
  const rlimit small{4096, was.rlim_max};
  setrlimit(RLIMIT_FSIZE, &small);
  const std::string reason = SaveFile(file, std::string(10000, 'x'));
  setrlimit(RLIMIT_FSIZE, &was);
  signal(SIGXFSZ, SIG_DFL);
  EXPECT_NE(reason, "");
  std::ifstream in(file, std::ios::binary);
  EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), "new text\n") << "a failed save changed the file";
  fs::remove_all(dir);
}

TEST(FileUtil, DeletesOnlyTheFilesThisRunWroteWhileTheyAreStillThere) {
  char dir[] = "/tmp/rodi-fileutil-XXXXXX";
  ASSERT_NE(mkdtemp(dir), nullptr);
  const std::string d = dir;
  auto make = [](const std::string& path) { return open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644); };
  auto exists = [](const std::string& path) { return access(path.c_str(), F_OK) == 0; };
  OwnFile(d + "/mine", make(d + "/mine"));
  OwnFile(d + "/replaced", make(d + "/replaced"));
  close(make(d + "/other"));
  ASSERT_EQ(rename((d + "/other").c_str(), (d + "/replaced").c_str()), 0);  // another copy's file now
  close(make(d + "/never"));
  const std::string sub = d + "/sub";
  ASSERT_EQ(mkdir(sub.c_str(), 0700), 0);
  OwnDirectory(sub);
  OwnFile(sub + "/tune", make(sub + "/tune"));
  const std::string link = d + "/link";
  ASSERT_EQ(symlink((d + "/mine").c_str(), link.c_str()), 0);
  EXPECT_TRUE(IsMagazineFile(d + "/mine"));
  EXPECT_TRUE(IsMagazineFile(link)) << "a save writes through the link";
  EXPECT_FALSE(IsMagazineFile(d + "/replaced"));
  EXPECT_TRUE(IsMagazineFile("/proc/self/exe"));  // the program itself

  OwnFile(d + "/again", make(d + "/again"));
  unlink((d + "/again").c_str());
  OwnFile(d + "/again", make(d + "/again"));  // written anew: only the new one is recorded
  DeleteOwnedFile(d + "/again");
  EXPECT_FALSE(exists(d + "/again"));
  DeleteOwnedFile(d + "/never");
  DeleteOwnedFiles();
  EXPECT_FALSE(exists(d + "/mine"));
  EXPECT_FALSE(exists(sub)) << "an owned directory goes after its files";
  EXPECT_TRUE(exists(d + "/replaced") && exists(d + "/never"));
  fs::remove_all(d);
}

}  // namespace
