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

TEST(Facade, WriteXYPipeShowsColouredTextAndRestores) {
  ConsoleOnPipes console;
  GotoXY(20, 12);
  WriteXYPipe(1, 1, 7, "|12Hi");
  EXPECT_EQ(console.Row(1).substr(0, 3), "Hi ");
  EXPECT_EQ(console.Attr(1, 1), 12);
  EXPECT_EQ(console.Attr(2, 1), 12);
  EXPECT_EQ(GetTextAttr(), 7);
  EXPECT_EQ(WhereX(), 20);
  EXPECT_EQ(WhereY(), 12);
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
  {
    ConsoleOnPipes console(Charset::Cp437);
    console.TakeOutput();
    Enable_ANSI_Unix();
    EXPECT_EQ(console.TakeOutput(), E + "(U" + E + "[0m");
    EXPECT_EQ(WhereX(), 8);  // the bytes also land in the image, as text
  }
  {
    ConsoleOnPipes console(Charset::Utf8);
    console.TakeOutput();
    Enable_ANSI_Unix();
    EXPECT_EQ(console.TakeOutput(), E + "[0m");
  }
}

TEST(Facade, KeysTravelThroughTheDecoder) {
  ConsoleOnPipes console;
  console.Type("\x1b[Bq");
  EXPECT_EQ(ReadKey(), 0);
  EXPECT_EQ(ReadKey(), 80);
  EXPECT_TRUE(KeyPressed());
  EXPECT_EQ(ReadKey(), 'q');
}

}  // namespace
