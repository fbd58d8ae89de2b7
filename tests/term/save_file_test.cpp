// Saving over a reader's file: the same inode is written, and a save that
// fails halfway puts the old bytes back.
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <csignal>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "term/save_file.h"

namespace {

namespace fs = std::filesystem;

std::string Slurp(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), {}};
}

TEST(SaveFile, WritesTheSameInodeAndAFailedWriteLeavesTheOldBytes) {
  char dir[] = "/tmp/rodi-save-XXXXXX";
  ASSERT_NE(mkdtemp(dir), nullptr);
  const std::string file = std::string(dir) + "/mine.txt", twin = std::string(dir) + "/twin.txt";
  std::ofstream(file) << "old";
  ASSERT_EQ(chmod(file.c_str(), 0600), 0);
  ASSERT_EQ(link(file.c_str(), twin.c_str()), 0);

  EXPECT_EQ(SaveFile(file, "new text\n"), "");
  EXPECT_EQ(Slurp(twin), "new text\n") << "the hard link was broken";
  struct stat st {};
  ASSERT_EQ(stat(file.c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 07777, 0600u);

  // A file size limit cuts the write short after the first block.
  signal(SIGXFSZ, SIG_IGN);
  rlimit was{};
  getrlimit(RLIMIT_FSIZE, &was);
  rlimit small = was;
  small.rlim_cur = 4096;
  setrlimit(RLIMIT_FSIZE, &small);
  const std::string reason = SaveFile(file, std::string(10000, 'x'));
  setrlimit(RLIMIT_FSIZE, &was);
  signal(SIGXFSZ, SIG_DFL);
  EXPECT_NE(reason, "");
  EXPECT_EQ(Slurp(file), "new text\n") << "a failed save changed the file";
  fs::remove_all(dir);
}

}  // namespace
