// Saving over a reader's file writes into it (the end-to-end tests check its
// mode and links); a save that fails halfway must put the old bytes back.
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <unistd.h>

#include <csignal>
#include <filesystem>
#include <fstream>
#include <iterator>

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
  rlimit small = was;
  small.rlim_cur = 4096;
  setrlimit(RLIMIT_FSIZE, &small);
  const std::string reason = SaveFile(file, std::string(10000, 'x'));
  setrlimit(RLIMIT_FSIZE, &was);
  signal(SIGXFSZ, SIG_DFL);
  EXPECT_NE(reason, "");
  std::ifstream in(file, std::ios::binary);
  EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), "new text\n") << "a failed save changed the file";
  fs::remove_all(dir);
}

}  // namespace
