// One of the ten gallery pictures: rendered from its source and read from content/res.
#pragma once

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>

#include "tools/gallery/picture.h"

namespace gallery {

class ShippedPicture : public ::testing::TestWithParam<size_t> {
 public:
  static std::string Name(const ::testing::TestParamInfo<size_t>& info) { return Pictures()[info.param].name; }

 protected:
  void SetUp() override {
    picture_ = &Pictures()[GetParam()];
    canvas_ = Render(*picture_, Sources{RODI_SOURCE_DIR "/content/src/gallery"});
    std::ifstream in(RODI_SOURCE_DIR "/content/res/" + picture_->name + ".ans", std::ios::binary);
    file_.assign(std::istreambuf_iterator<char>(in), {});
    ASSERT_FALSE(file_.empty()) << picture_->name << ".ans missing";
    body_ = file_.substr(0, file_.find('\x1a'));
  }
  const Picture* picture_ = nullptr;
  artkit::Canvas canvas_{0, 0};
  std::string file_, body_;
};

}  // namespace gallery
