// The committed resources are exactly what the sources make.
#include <gtest/gtest.h>

#include "tests/screens/screen_set.h"

namespace screens_test {
namespace {

TEST(ScreensRegeneration, EveryCommittedResourceComesFromItsSource) {
  for (const auto& f : AllScreens()) {
    EXPECT_FALSE(f.committed.empty()) << screens::OutputName(f.screen) << " is missing from content/res";
    EXPECT_TRUE(screens::Render(f.screen) == f.committed)
        << screens::OutputName(f.screen) << " differs from its source: run the screens target";
  }
}

}  // namespace
}  // namespace screens_test
