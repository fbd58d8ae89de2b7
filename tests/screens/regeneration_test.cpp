// The committed resources are exactly what the sources make, and the set is complete.
#include <gtest/gtest.h>

#include <set>

#include "screen_set.h"

namespace screens_test {
namespace {

TEST(ScreensRegeneration, EveryCommittedResourceComesFromItsSource) {
  for (const auto& f : AllScreens()) {
    EXPECT_FALSE(f.committed.empty()) << screens::OutputName(f.screen) << " is missing from content/res";
    EXPECT_TRUE(screens::Render(f.screen) == f.committed)
        << screens::OutputName(f.screen) << " differs from its source: run the screens target";
  }
}

TEST(ScreensRegeneration, TheIssueHasItsTwentyOneScreens) {
  const std::set<std::string> want = {
      "MENU", "LOGO", "EXIT", "ABOUT", "EDIT", "ANSI", "ARTICLES", "TUTORS", "ARTICLE_HDR",
      "MENU_ASC", "LOGO_ASC", "EXIT_ASC", "ABOUT_ASC", "EDIT_ASC", "ANSI_ASC", "ARTICLES_ASC",
      "TUTORS_ASC", "ARTICLE_HDR_ASC", "HELP", "ARTICLE", "TRACKS"};
  std::set<std::string> have;
  for (const auto& f : AllScreens()) have.insert(f.screen.name);
  EXPECT_EQ(have, want);
}

}  // namespace
}  // namespace screens_test
