// Resources are found by name without regard to case and used in place. Writing
// one replaces whatever is at the path (a file another copy has mapped, a
// planted link) and reports a place it cannot write, leaving nothing behind.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "content/resources.h"
#include "term/strutil.h"

namespace {

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), {}};
}

const std::string kTutor1 = RODI_SOURCE_DIR "/content/res/TUTOR1.txt";

TEST(Resources, FoundByNameWithoutRegardToCase) {
  const auto lower = FindResource("tutor1");
  ASSERT_TRUE(lower.has_value() && FindResource("TuToR1").has_value());
  EXPECT_EQ(lower->data(), FindResource("TuToR1")->data());  // used in place, not copied
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(lower->data()), lower->size()), ReadFile(kTutor1));
  // A plain twin is its own resource; screens without one have no "_asc" name.
  ASSERT_TRUE(FindResource("menu_asc").has_value());
  EXPECT_NE(FindResource("menu_asc")->data(), FindResource("menu")->data());
  EXPECT_EQ(FindResource("menu_asc")->front(), '\f');
  for (const char* absent : {"help_asc", "tutor", "no-such-thing"}) EXPECT_FALSE(FindResource(absent)) << absent;
  EXPECT_TRUE(FindResource("bassmodl").has_value());
  for (const std::string& name : ResourceNames()) EXPECT_EQ(name, Upper(name));
}

TEST(Resources, WritingReplacesWhatIsThereAndReportsWhatCannotBeWritten) {
  char made[] = "/tmp/rodi-res-XXXXXX";
  ASSERT_NE(mkdtemp(made), nullptr);
  const std::string dir = made;
  // Another running copy has a longer old file mapped: its pages keep their bytes.
  const std::string old(100000, 'o');
  std::ofstream(dir + "/bassmod.so") << old;
  const int fd = open((dir + "/bassmod.so").c_str(), O_RDONLY);
  void* mapped = mmap(nullptr, old.size(), PROT_READ, MAP_SHARED, fd, 0);
  ASSERT_NE(mapped, MAP_FAILED);
  std::ofstream(dir + "/victim") << "precious";
  ASSERT_EQ(symlink((dir + "/victim").c_str(), (dir + "/menu1.ans").c_str()), 0);
  for (const char* name : {"/bassmod.so", "/menu1.ans"}) {
    EXPECT_EQ(WriteResource("tutor1", dir + name), std::nullopt) << name;
    EXPECT_EQ(ReadFile(dir + name), ReadFile(kTutor1)) << name;
  }
  EXPECT_EQ(std::string(static_cast<const char*>(mapped), old.size()), old);
  munmap(mapped, old.size());
  close(fd);
  EXPECT_EQ(ReadFile(dir + "/victim"), "precious") << "the link was followed";
  struct stat st {};
  EXPECT_TRUE(lstat((dir + "/menu1.ans").c_str(), &st) == 0 && S_ISREG(st.st_mode));

  ASSERT_EQ(mkdir((dir + "/adir").c_str(), 0755), 0);
  const std::pair<std::string, const char*> unwritable[] = {
      {dir + "/missing/x.ans", "No such file or directory"},
      {dir + "/victim/x.ans", "Not a directory"},
      {dir + "/adir", "Is a directory"},
  };
  for (const auto& [path, reason] : unwritable)
    EXPECT_EQ(WriteResource("tutor1", path), "Unable to create file \"" + path + "\": " + reason);
  EXPECT_EQ(WriteResource("nothing", dir + "/x"), "Resource \"nothing\" not found");
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir), {}), 4) << "a temporary left";
  std::filesystem::remove_all(dir);
}

}  // namespace
