// The gallery pictures on a screen: the magazine's interpreter and engine draw
// each as its source describes, a real terminal shows the same last screenful,
// and the rows above the gallery's prompt name the picture and its artist.
#include <gtest/gtest.h>

#include "term/conio.h"
#include "tests/ansi/drawing.h"
#include "tests/artkit/vterm_view.h"
#include "tests/gallery/shipped_picture.h"
#include "tests/support/console_fixture.h"

namespace gallery {
namespace {

class PicturesShown : public ShippedPicture {};

TEST_P(PicturesShown, MagazineDrawsImageTerminalAndAttributeRight) {
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

  // A terminal scrolled to the end shows the picture's last 25 rows.
  const artkit::Canvas shown = artkit_test::TerminalViewUtf8(console.TakeOutput());
  const int first = canvas_.height() - 25;
  std::string rows;
  for (int y = 0; y < 25; ++y) {
    for (int x = 0; x < 80; ++x) {
      ASSERT_TRUE(artkit::SameLook(canvas_.at(x, first + y), shown.at(x, y))) << "row " << first + y << " col " << x;
      if (y < 24) rows += static_cast<char>(shown.at(x, y).ch);
    }
  }
  EXPECT_NE(rows.find(picture_->title), std::string::npos) << "title not on the last screen";
  EXPECT_NE(rows.find(picture_->author), std::string::npos) << "artist not on the last screen";
}

INSTANTIATE_TEST_SUITE_P(Gallery, PicturesShown, ::testing::Range<size_t>(0, 10), ShippedPicture::Name);

}  // namespace
}  // namespace gallery
