// The pictures drawn by the magazine itself: through its ANSI interpreter into
// the screen image, and from the engine's output onto a real terminal.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "gallery/picture.h"
#include "term/conio.h"
#include "tests/ansi/drawing.h"
#include "tests/support/console_fixture.h"
#include "vterm_view.h"

namespace gallery {
namespace {

class ThroughTheMagazine : public ::testing::TestWithParam<size_t> {
 protected:
  void SetUp() override {
    const Picture& p = Pictures()[GetParam()];
    canvas_ = p.draw(Sources{RODI_SOURCE_DIR "/content/src/gallery"});
    std::ifstream in(RODI_SOURCE_DIR "/content/res/" + p.name + ".ans", std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    file_ = s.str();
  }
  artkit::Canvas canvas_{0, 0};
  std::string file_;
};

TEST_P(ThroughTheMagazine, ImageTerminalAndAttributeComeOutRight) {
  ConsoleOnPipes console{Charset::Utf8};
  Draw(file_);
  // The image does not scroll: rows 1-24 keep the picture's first rows and row
  // 25 holds whatever of the later rows was drawn there last.
  for (int y = 1; y <= 25; ++y) {
    std::string row = console.Row(y);
    EXPECT_EQ(row.find("SAUCE"), std::string::npos) << "the record after SUB was drawn";
    for (int x = 1; x <= 80; ++x) {
      artkit::Cell shown{static_cast<uint8_t>(row[static_cast<size_t>(x - 1)]), console.Attr(x, y)};
      bool found = false;
      for (int r = y - 1; r < (y < 25 ? y : canvas_.height()) && !found; ++r) {
        found = artkit::SameLook(canvas_.at(x - 1, r), shown) || (shown.ch == ' ' && artkit::Bg(shown.attr) == 0);
      }
      ASSERT_TRUE(found) << "image cell " << x << "," << y << ": " << int(shown.ch) << "/" << int(shown.attr);
    }
  }
  EXPECT_EQ(GetTextAttr(), 7) << "the picture must leave attribute 7 behind";
  artkit::Canvas terminal = artkit_test::TerminalViewUtf8(console.TakeOutput());
  int first = canvas_.height() - 25;
  for (int y = 0; y < 25; ++y)
    for (int x = 0; x < 80; ++x)
      ASSERT_TRUE(artkit::SameLook(canvas_.at(x, first + y), terminal.at(x, y)))
          << "terminal row " << first + y << " col " << x;
}

INSTANTIATE_TEST_SUITE_P(Gallery, ThroughTheMagazine, ::testing::Range<size_t>(0, 10),
                         [](const auto& info) { return Pictures()[info.param].name; });

}  // namespace
}  // namespace gallery
