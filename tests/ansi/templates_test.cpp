// Template fields found in the screen image, and text written into them.
#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "ansi/templates.h"
#include "tests/support/console_fixture.h"

namespace {

class Templates : public testing::Test {
 protected:
  void TearDown() override { FreeTemplate(); }
  ConsoleOnPipes console;
};

TEST_F(Templates, ARunIsOneFieldPaintedInItsFirstAttribute) {
  GotoXY(1, 2);
  Write("ab");
  SetTextAttr(0x1E);
  Write("!");
  SetTextAttr(0x4F);
  Write("!!");
  SetTextAttr(7);
  Write("c");
  GetTemplateSimple('!', ' ');
  ASSERT_EQ(TemplatePos.size(), 1u);
  const TCoord f = TemplatePos[0];
  EXPECT_EQ(std::make_tuple(f.X, f.Y, f.A, f.W), std::make_tuple(3, 2, 0x1E, 3));
  EXPECT_EQ(console.Row(2).substr(0, 6), "ab   c");
  EXPECT_EQ(console.Attr(5, 2), 0x1E);
  EXPECT_EQ(std::make_tuple(WhereX(), GetTextAttr()), std::make_tuple(7, 7));
}

TEST_F(Templates, RunsAreScannedInOrderAndWrapFromColumn80) {
  WriteXY(10, 9, 7, "!x!");
  WriteXY(80, 5, 0x20, "!");
  WriteXY(1, 6, 7, "!");
  WriteXY(3, 1, 7, "!");
  GetTemplateSimple('!', '.');
  std::vector<std::tuple<int, int, int, int>> found;
  for (const TCoord& f : TemplatePos) found.emplace_back(f.X, f.Y, f.A, f.W);
  EXPECT_EQ(found, (decltype(found){{3, 1, 7, 1}, {80, 5, 0x20, 2}, {10, 9, 7, 1}, {12, 9, 7, 1}}));
  EXPECT_EQ(console.Row(6)[0], '.');
  EXPECT_EQ(console.Attr(1, 6), 0x20) << "the wrapped cell takes the run's first attribute";
  GetTemplateSimple('!', '.');
  EXPECT_TRUE(TemplatePos.empty()) << "the first scan painted the markers over";
}

TEST_F(Templates, WritingCutsOrPadsWithZeroBytesExceptOneCellFields) {
  WriteXY(5, 3, 0x1F, "!!!!!");
  WriteXY(70, 4, 0x2E, "!");
  GetTemplateSimple('!', ' ');
  ASSERT_EQ(TemplatePos.size(), 2u);
  WriteTemplate(0, "abcdefg");
  EXPECT_EQ(console.Row(3).substr(4, 6), "abcde ");
  WriteTemplate(0, "xy");
  EXPECT_EQ(console.Row(3).substr(4, 5), std::string("xy\0\0\0", 5));
  EXPECT_EQ(console.Attr(9, 3), 0x1F);
  WriteTemplate(1, "a long title");
  EXPECT_EQ(console.Row(4).substr(69, 11), "a long titl");
  EXPECT_EQ(console.Row(5).substr(0, 1), "e") << "a one-cell field is only a starting point";
  EXPECT_EQ(console.Attr(1, 5), 0x2E);
}

}  // namespace
