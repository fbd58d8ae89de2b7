#include <gtest/gtest.h>

#include "tests/support/console_fixture.h"
#include "tests/support/fake_time.h"

namespace {

using namespace std::chrono_literals;

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

}  // namespace
