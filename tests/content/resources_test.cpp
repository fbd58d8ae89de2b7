#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <fstream>
#include <sstream>

#include "content/resources.h"
#include "term/strutil.h"

namespace {

std::string ReadFile(const std::string& path) {
  std::stringstream all;
  all << std::ifstream(path, std::ios::binary).rdbuf();
  return all.str();
}

std::string AsString(std::span<const uint8_t> bytes) {
  return std::string(reinterpret_cast<const char*>(bytes.data()), bytes.size());
}

class ResourceFiles : public ::testing::Test {
 protected:
  void SetUp() override {
    char templ[] = "/tmp/rodi-res-XXXXXX";
    ASSERT_NE(mkdtemp(templ), nullptr);
    dir = templ;
  }
  void TearDown() override { (void)!system(("rm -rf " + dir).c_str()); }
  std::string dir;
};

TEST(Resources, FoundByNameWithoutRegardToCase) {
  const auto lower = FindResource("tutor1");
  ASSERT_TRUE(lower.has_value() && FindResource("TuToR1").has_value());
  EXPECT_EQ(lower->data(), FindResource("TuToR1")->data());  // used in place, not copied
  EXPECT_EQ(AsString(*lower), ReadFile(RODI_SOURCE_DIR "/content/res/TUTOR1.txt"));
  // A plain twin is its own resource; screens without one have no "_asc" name.
  ASSERT_TRUE(FindResource("menu_asc").has_value());
  EXPECT_NE(FindResource("menu_asc")->data(), FindResource("menu")->data());
  EXPECT_EQ(FindResource("menu_asc")->front(), '\f');
  for (const char* absent : {"help_asc", "tutor", "no-such-thing"}) EXPECT_FALSE(FindResource(absent)) << absent;
  EXPECT_TRUE(FindResource("bassmodl").has_value());
  for (const std::string& name : ResourceNames()) EXPECT_EQ(name, Upper(name));
}

TEST_F(ResourceFiles, ExtractionReplacesALongerMappedFileWithExactlyTheResource) {
  // Another running copy has the old file mapped: its pages keep their bytes.
  const std::string path = dir + "/bassmod.so";
  const std::string old(100000, 'o');
  ASSERT_LT(FindResource("tutor1")->size(), old.size());
  std::ofstream(path) << old;
  const int fd = open(path.c_str(), O_RDONLY);
  void* mapped = mmap(nullptr, old.size(), PROT_READ, MAP_SHARED, fd, 0);
  ASSERT_NE(mapped, MAP_FAILED);
  ASSERT_FALSE(WriteResource("tutor1", path).has_value());
  EXPECT_EQ(std::string(static_cast<const char*>(mapped), old.size()), old);
  munmap(mapped, old.size());
  close(fd);
  EXPECT_EQ(ReadFile(path), AsString(*FindResource("tutor1")));
}

TEST_F(ResourceFiles, APlantedLinkIsReplacedNotFollowed) {
  const std::string victim = dir + "/victim";
  std::ofstream(victim) << "precious";
  const std::string path = dir + "/menu1.ans";
  ASSERT_EQ(symlink(victim.c_str(), path.c_str()), 0);
  ASSERT_FALSE(WriteResource("tutor1", path).has_value());
  EXPECT_EQ(ReadFile(victim), "precious");
  struct stat st {};
  ASSERT_EQ(lstat(path.c_str(), &st), 0);
  EXPECT_TRUE(S_ISREG(st.st_mode));
}

TEST_F(ResourceFiles, UnwritablePlacesAreReportedAndLeaveNothing) {
  std::ofstream(dir + "/plain") << "file";
  ASSERT_EQ(mkdir((dir + "/adir").c_str(), 0755), 0);
  struct Case { std::string path, reason; };
  const Case cases[] = {
      {dir + "/missing/x.ans", "No such file or directory"},
      {dir + "/plain/x.ans", "Not a directory"},
      {dir + "/adir", "Is a directory"},
  };
  for (const Case& c : cases) {
    const auto error = WriteResource("tutor1", c.path);
    ASSERT_TRUE(error.has_value()) << c.path;
    EXPECT_EQ(*error, "Unable to create file \"" + c.path + "\": " + c.reason);
  }
  EXPECT_EQ(*WriteResource("nothing", dir + "/x"), "Resource \"nothing\" not found");
  EXPECT_EQ(system(("test $(ls -A " + dir + " | wc -l) -eq 2").c_str()), 0);  // no temporary left
}

}  // namespace
