#include <gtest/gtest.h>

#include "tools/artkit/sauce.h"

namespace artkit {
namespace {

TEST(Sauce, RecordBytes) {
  const std::string f = WithSauce("BODY", {"mandel", "pomb", "rodi", "20261206"}, 80, 300);
  // SUB, then the 128-byte record: padded texts, size little-endian, character/ANSi,
  // width and height, and zeros for TInfo3/4, comments, flags and TInfoS.
  EXPECT_EQ(f, std::string("BODY\x1aSAUCE00") + "mandel" + std::string(29, ' ') + "pomb" + std::string(16, ' ') +
                   "rodi" + std::string(16, ' ') + "20261206" + std::string("\x04\0\0\0\x01\x01\x50\0\x2c\x01", 10) +
                   std::string(28, '\0'));
}

}  // namespace
}  // namespace artkit
