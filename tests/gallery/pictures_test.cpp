// The ten gallery pictures as shipped: reproducible from their sources, well
// formed, and shown exactly as their sources describe by a real terminal, both
// from the file itself and drawn by the magazine's interpreter and engine.
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <sstream>

#include "term/conio.h"
#include "tests/ansi/drawing.h"
#include "tests/artkit/vterm_view.h"
#include "tests/support/console_fixture.h"
#include "tools/artkit/ansi_encoder.h"
#include "tools/artkit/sauce.h"
#include "tools/gallery/picture.h"

namespace gallery {
namespace {

class Pictures : public ::testing::TestWithParam<size_t> {
 protected:
  void SetUp() override {
    picture_ = &gallery::Pictures()[GetParam()];
    canvas_ = Render(*picture_, Sources{RODI_SOURCE_DIR "/content/src/gallery"});
    std::ifstream in(RODI_SOURCE_DIR "/content/res/" + picture_->name + ".ans", std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    file_ = s.str();
    ASSERT_FALSE(file_.empty()) << picture_->name << ".ans missing";
    body_ = file_.substr(0, file_.find('\x1a'));
  }
  // A terminal scrolled to the end shows the picture's last 25 rows.
  void ExpectLastScreenful(const artkit::Canvas& shown) const {
    const int first = canvas_.height() - 25;
    for (int y = 0; y < 25; ++y) {
      for (int x = 0; x < 80; ++x) {
        const artkit::Cell& want = canvas_.at(x, first + y);
        ASSERT_TRUE(artkit::SameLook(want, shown.at(x, y))) << picture_->name << " row " << first + y << " col " << x;
      }
    }
  }
  const Picture* picture_ = nullptr;
  artkit::Canvas canvas_{0, 0};
  std::string file_, body_;
};

TEST_P(Pictures, RegenerateByteForByte) {
  EXPECT_TRUE(EncodePicture(*picture_, canvas_) == file_)
      << picture_->name << ".ans differs from what rodi-gallery renders: run the gallery-art target";
}

TEST_P(Pictures, SizeAndSauceRecord) {
  EXPECT_EQ(canvas_.width(), 80);
  EXPECT_GT(canvas_.height(), 25);
  ASSERT_EQ(file_.size(), body_.size() + 1 + 128) << "exactly one SUB, right before the record";
  auto sauce = artkit::ReadSauce(file_);
  ASSERT_TRUE(sauce);
  EXPECT_EQ(sauce->sauce.title, picture_->title);
  EXPECT_EQ(sauce->sauce.author, picture_->author);
  EXPECT_EQ(sauce->fileSize, body_.size());
  EXPECT_EQ(sauce->tinfo[1], canvas_.height());
  EXPECT_EQ(sauce->flags, 0) << "iCE colour must be off";
}

TEST_P(Pictures, NoPipeCodeOrForbiddenGlyph) {
  EXPECT_EQ(body_.rfind("\x1b[0m\x1b[2J", 0), 0u);
  EXPECT_EQ(artkit::FindPipeCode(body_), std::string::npos);
  for (size_t i = 0; i < body_.size(); ++i) {
    const auto b = static_cast<uint8_t>(body_[i]);
    if (b == 0x1b) {
      i = std::min(body_.find_first_not_of("0123456789;", i + 2), body_.size());  // its final byte
    } else if (b != '\r' && b != '\n') {
      EXPECT_FALSE(artkit::IsForbiddenGlyph(b)) << "offset " << i << " byte " << int(b);
    }
  }
}

// The picture scrolls past and the gallery writes its prompt over the bottom
// row: the reader is left with the 24 rows above it, which must name the
// picture and its artist as the SAUCE record does.
TEST_P(Pictures, LastScreenNamesTitleAndArtist) {
  auto sauce = artkit::ReadSauce(file_);
  ASSERT_TRUE(sauce);
  EXPECT_GT(sauce->tinfo[1], 25) << "the picture must scroll";
  const artkit::Canvas shown = artkit_test::TerminalView(file_);
  std::string rows;
  for (int y = 0; y < 24; ++y) {
    for (int x = 0; x < 80; ++x) rows += static_cast<char>(shown.at(x, y).ch);
    rows += '\n';
  }
  EXPECT_NE(rows.find(sauce->sauce.title), std::string::npos) << picture_->name << ": title not on the last screen";
  EXPECT_NE(rows.find(sauce->sauce.author), std::string::npos) << picture_->name << ": artist not on the last screen";
}

TEST_P(Pictures, TerminalShowsTheLastScreenful) { ExpectLastScreenful(artkit_test::TerminalView(file_)); }

TEST_P(Pictures, MagazineDrawsImageTerminalAndAttributeRight) {
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
  ExpectLastScreenful(artkit_test::TerminalViewUtf8(console.TakeOutput()));
}

INSTANTIATE_TEST_SUITE_P(Gallery, Pictures, ::testing::Range<size_t>(0, 10),
                         [](const auto& info) { return gallery::Pictures()[info.param].name; });

}  // namespace
}  // namespace gallery
