#include <gtest/gtest.h>
#include <unistd.h>

#include "term/fileutil.h"
#include "term/strutil.h"

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

TEST(FileUtil, ExistsOnlyForFilesAndOwnedFilesAreKnownAndDeleted) {
  char dir[] = "/tmp/rodi-fileutil-XXXXXX";
  ASSERT_NE(mkdtemp(dir), nullptr);
  const std::string file = std::string(dir) + "/owned";
  EXPECT_FALSE(FileExist(dir));
  EXPECT_FALSE(FileExist(file));
  FILE* f = fopen(file.c_str(), "w");
  ASSERT_NE(f, nullptr);
  fclose(f);
  EXPECT_TRUE(FileExist(file));
  const std::string link = std::string(dir) + "/link";
  ASSERT_EQ(symlink(file.c_str(), link.c_str()), 0);
  EXPECT_FALSE(IsMagazineFile(file));
  OwnFile(file);
  EXPECT_TRUE(IsMagazineFile(file));
  EXPECT_FALSE(IsMagazineFile(link));  // replaced, not followed, by a save
  char* self = realpath("/proc/self/exe", nullptr);
  EXPECT_TRUE(IsMagazineFile(self));  // the program itself
  free(self);
  DeleteOwnedFiles();
  EXPECT_FALSE(FileExist(file));
  unlink(link.c_str());
  rmdir(dir);
}

}  // namespace
