#include <gtest/gtest.h>

#include "tests/support/console_fixture.h"
#include "tests/support/fake_time.h"

namespace {

using namespace std::chrono_literals;

const std::string E = "\x1b";

TEST(Facade, DelayNeverEndsBeforeItsTime) {
  ConsoleOnPipes console;
  for (int ms : {1, 2, 6, 60, 1000}) {
    FakeTime time(10us);  // the clock also moves while it is read, as a real one
    time.onWait = [](int timeoutMs) { EXPECT_GE(timeoutMs, 0) << "a wait without end"; };
    Delay(static_cast<uint16_t>(ms));
    EXPECT_GE(time.Elapsed(), std::chrono::milliseconds(ms)) << "Delay(" << ms << ")";
    EXPECT_LE(time.Elapsed(), std::chrono::milliseconds(ms + 1)) << "Delay(" << ms << ")";
  }
}

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
