#include <gtest/gtest.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>

#include "term/file_names.h"
#include "term/fileutil.h"
#include "term/strutil.h"
#include "tests/support/console_fixture.h"

namespace {

TEST(StrUtil, Str2IntReadsRadixPrefixesAndRejectsJunk) {
  struct Case { std::string text; int32_t value; };
  const Case cases[] = {
      {" 7", 7},  {"\t-12", -12}, {"+3", 3},   {"$F", 15},  {"xff", 255}, {"X10", 16}, {"0X1a", 26},
      {"&17", 15}, {"%101", 5},  {"007", 7},  {"1a", 0},   {"", 0},      {"-", 0},    {"$", 0},
      {"0x", 0},   {"12 ", 0},   {"%2", 0},   {"&8", 0},   {"2147483647", 2147483647},
      {"2147483648", 0}, {"-2147483648", -2147483647 - 1},
  };
  for (const Case& c : cases) EXPECT_EQ(Str2Int(c.text), c.value) << '"' << c.text << '"';
}

TEST(StrUtil, VisibleLengthCountsEveryBarWithTwoCharactersAsACode) {
  EXPECT_EQ(StrMciLen("|14hello|07"), 5);
  EXPECT_EQ(StrMciLen(""), 0);
  EXPECT_EQ(StrMciLen("ab|1"), 4);
  EXPECT_EQ(StrMciLen("a|zzb"), 2);
  EXPECT_EQ(StrMciLen("||||"), 1);
  EXPECT_EQ(StrFMciLen("|14ab", 10), 13);
  EXPECT_EQ(StrMciLen(std::string(300, 'x')), 255);
}

TEST(StrUtil, PaddingCaseAndSlashes) {
  EXPECT_EQ(StrPadR("abc", 2, ' '), "ab");
  EXPECT_EQ(StrPadR("ab", 4, '.'), "ab..");
  EXPECT_EQ(StrPadL("7", 3, '0'), "007");
  EXPECT_EQ(StrPadL("1234", 3, '0'), "123");
  EXPECT_EQ(StrPadC("ab", 5, '*'), "*ab**");
  EXPECT_EQ(StrPadC("abcdef", 3, '*'), "abc");
  EXPECT_EQ(StrRep('=', 0), "");
  EXPECT_EQ(StrRep('=', 3), "===");
  EXPECT_EQ(Lower("MiXeD-9\xC0"), "mixed-9\xC0");
  EXPECT_EQ(Upper("menu_asc"), "MENU_ASC");
  EXPECT_EQ(AddSlash(""), "/");
  EXPECT_EQ(AddSlash("/a"), "/a/");
  EXPECT_EQ(AddSlash("/a/"), "/a/");
  EXPECT_EQ(Int2Str(-5), "-5");
}

// Only what this run wrote, and still finds in place, is deleted: a file put
// under an owned name since, or one never owned, stays, and so does a directory
// with someone else's file in it.
TEST(StrUtil, FitNameKeepsTheEndOfANameTooLongAndFillsTheWidth) {
  EXPECT_EQ(FitName("saved ", "a.txt", "", 12), "saved a.txt ");
  EXPECT_EQ(FitName("[", "/home/reader/art.ans", "]", 12), "[...art.ans]");
  EXPECT_EQ(FitName("cannot save ", "name", ": a long reason", 12), "cannot save ");
}

TEST(FileNames, TypedCp437ReachesTheFileSystemAsUtf8AndComesBackForTheScreen) {
  struct Case { std::string typed, onDisk; };
  const Case both[] = {{"caf\x82.txt", "caf\xc3\xa9.txt"}, {"\xdb\xb0", "\xe2\x96\x88\xe2\x96\x91"}, {"plain", "plain"}};
  {
    ConsoleOnPipes utf8(Charset::Utf8);
    for (const Case& c : both) {
      EXPECT_EQ(FileNameOf(c.typed), c.onDisk) << c.typed;
      EXPECT_EQ(ShownFileName(c.onDisk), c.typed) << c.onDisk;
    }
    // No glyph, no UTF-8, a sequence cut short: one '?' each, the rest kept.
    EXPECT_EQ(ShownFileName("a\xf0\x9f\x98\x80" "b\xff" "c\xe2\x96"), "a?b?c??");
  }
  ConsoleOnPipes cp437(Charset::Cp437);
  EXPECT_EQ(FileNameOf("caf\x82.txt"), "caf\x82.txt");
  EXPECT_EQ(ShownFileName("caf\x82.txt"), "caf\x82.txt");
}

TEST(FileUtil, DeletesOnlyTheFilesThisRunWroteWhileTheyAreStillThere) {
  char dir[] = "/tmp/rodi-fileutil-XXXXXX";
  ASSERT_NE(mkdtemp(dir), nullptr);
  const std::string d = dir;
  auto make = [](const std::string& path) { return open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644); };
  auto exists = [](const std::string& path) { return access(path.c_str(), F_OK) == 0; };
  EXPECT_FALSE(FileExist(d));
  OwnFile(d + "/mine", make(d + "/mine"));
  OwnFile(d + "/replaced", make(d + "/replaced"));
  close(make(d + "/other"));
  ASSERT_EQ(rename((d + "/other").c_str(), (d + "/replaced").c_str()), 0);  // another copy's file now
  close(make(d + "/never"));
  const std::string sub = d + "/sub", kept = d + "/kept";
  ASSERT_EQ(mkdir(sub.c_str(), 0700), 0);
  ASSERT_EQ(mkdir(kept.c_str(), 0700), 0);
  OwnDirectory(sub);
  OwnDirectory(kept);
  close(make(kept + "/foreign"));
  OwnFile(sub + "/tune", make(sub + "/tune"));
  const std::string link = d + "/link";
  ASSERT_EQ(symlink((d + "/mine").c_str(), link.c_str()), 0);
  EXPECT_TRUE(FileExist(d + "/mine"));
  EXPECT_TRUE(IsMagazineFile(d + "/mine"));
  EXPECT_TRUE(IsMagazineFile(link)) << "a save writes through the link";
  EXPECT_FALSE(IsMagazineFile(d + "/replaced"));
  char* self = realpath("/proc/self/exe", nullptr);
  EXPECT_TRUE(IsMagazineFile(self));  // the program itself
  free(self);

  DeleteOwnedFile(d + "/never");
  DeleteOwnedFiles();
  EXPECT_FALSE(exists(d + "/mine"));
  EXPECT_FALSE(exists(sub)) << "an owned directory goes after its files";
  EXPECT_TRUE(exists(d + "/replaced") && exists(d + "/never") && exists(kept + "/foreign"));
  std::filesystem::remove_all(d);
}

}  // namespace
