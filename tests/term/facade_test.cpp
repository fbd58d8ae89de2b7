#include <gtest/gtest.h>

#include "tests/support/console_fixture.h"

namespace {

const std::string E = "\x1b";

TEST(Facade, TextColorChangesTheForegroundInTwoSteps) {
  ConsoleOnPipes console;
  SetTextAttr(0x1E);
  console.TakeOutput();
  TextColor(0x8C);
  EXPECT_EQ(GetTextAttr(), 0x1C);
  EXPECT_EQ(console.TakeOutput(), E + "[0;30;44m" + E + "[0;1;31;44m");
}

TEST(Facade, CharactersOutsideTheScreenReadAsSpaces) {
  ConsoleOnPipes console;
  Write("x");
  EXPECT_EQ(GetCharAt(1, 1), 'x');
  EXPECT_EQ(GetCharAt(0, 1), ' ');
  EXPECT_EQ(GetCharAt(81, 1), ' ');
  EXPECT_EQ(GetCharAt(1, 26), ' ');
}

TEST(Facade, AnsiSetUpStringDependsOnTheCharset) {
  for (const auto& [charset, sent] : {std::pair{Charset::Cp437, E + "(U" + E + "[0m"}, {Charset::Utf8, E + "[0m"}}) {
    ConsoleOnPipes console(charset);
    console.TakeOutput();
    Enable_ANSI_Unix();
    EXPECT_EQ(console.TakeOutput(), sent);
    EXPECT_EQ(WhereX(), 1 + sent.size());  // the bytes also land in the image, as text
  }
}

}  // namespace
