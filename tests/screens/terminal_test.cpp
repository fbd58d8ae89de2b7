// What an ordinary terminal shows: every ANSI screen, sent as UTF-8 to libvterm,
// gives exactly its canvas, and the colour afterwards is the plain 7 again.
#include <gtest/gtest.h>

#include "tests/artkit/vterm_view.h"
#include "tests/screens/screen_set.h"
#include "tools/artkit/canvas.h"

namespace screens_test {
namespace {

TEST(ScreensTerminal, LibvtermShowsEachScreenAsDrawn) {
  for (const auto& f : AllScreens()) {
    if (f.screen.plain) continue;
    const auto view = artkit_test::TerminalView(f.committed);
    const auto& canvas = f.screen.canvas;
    int wrong = 0;
    for (int y = 0; y < 25; ++y) {
      for (int x = 0; x < 80; ++x) {
        const artkit::Cell want = y < canvas.height() ? canvas.at(x, y) : artkit::Cell{};
        if (!artkit::SameLook(view.at(x, y), want) && wrong++ < 5) {
          ADD_FAILURE() << f.screen.name << " differs at column " << x + 1 << ", row " << y + 1;
        }
      }
    }
    // Whatever comes next is drawn in the colour the screen left: probe it with one letter.
    EXPECT_EQ(artkit_test::TerminalView(std::string(Body(f.committed)) + "\x1b[HX").at(0, 0), (artkit::Cell{'X', 0x07}))
        << f.screen.name;
  }
}

}  // namespace
}  // namespace screens_test
