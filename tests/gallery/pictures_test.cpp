// The ten gallery pictures as shipped: exactly what their sources render, with a
// SAUCE record that names them, and no byte a terminal would take for a command.
#include <gtest/gtest.h>

#include <algorithm>

#include "tests/gallery/shipped_picture.h"
#include "tools/artkit/ansi_encoder.h"
#include "tools/artkit/sauce.h"

namespace gallery {
namespace {

class Pictures : public ShippedPicture {};

TEST_P(Pictures, RegenerateByteForByteWithTheirSauceRecord) {
  EXPECT_TRUE(EncodePicture(*picture_, canvas_) == file_)
      << picture_->name << ".ans differs from what rodi-gallery renders: run the gallery-art target";
  EXPECT_EQ(canvas_.width(), 80);
  ASSERT_EQ(file_.size(), body_.size() + 1 + 128) << "exactly one SUB, right before the record";
  auto sauce = artkit::ReadSauce(file_);
  ASSERT_TRUE(sauce);
  EXPECT_EQ(sauce->sauce.title, picture_->title);
  EXPECT_EQ(sauce->sauce.author, picture_->author);
  EXPECT_EQ(sauce->fileSize, body_.size());
  EXPECT_EQ(sauce->tinfo[1], canvas_.height());
  EXPECT_GT(sauce->tinfo[1], 25) << "the picture must scroll";
  EXPECT_EQ(sauce->flags, 0) << "iCE colour must be off";

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

INSTANTIATE_TEST_SUITE_P(Gallery, Pictures, ::testing::Range<size_t>(0, 10), ShippedPicture::Name);

}  // namespace
}  // namespace gallery
