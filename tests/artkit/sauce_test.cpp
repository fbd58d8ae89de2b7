#include <gtest/gtest.h>

#include <stdexcept>

#include "artkit/sauce.h"

namespace artkit {
namespace {

TEST(Sauce, RecordLayout) {
  std::string f = WithSauce("BODY", {"mandel", "pomb", "rodi", "20261206"}, 80, 300);
  ASSERT_EQ(f.size(), 4u + 1 + 128);
  EXPECT_EQ(f.substr(0, 5), "BODY\x1a");
  std::string r = f.substr(5);
  EXPECT_EQ(r.substr(0, 7), "SAUCE00");
  EXPECT_EQ(r.substr(7, 35), "mandel" + std::string(29, ' '));
  EXPECT_EQ(r.substr(42, 20), "pomb" + std::string(16, ' '));
  EXPECT_EQ(r.substr(62, 20), "rodi" + std::string(16, ' '));
  EXPECT_EQ(r.substr(82, 8), "20261206");
  EXPECT_EQ(r.substr(90, 4), std::string("\x04\0\0\0", 4));  // body size, little-endian
  EXPECT_EQ(r[94], 1);                                        // character
  EXPECT_EQ(r[95], 1);                                        // ANSi
  EXPECT_EQ(r.substr(96, 4), std::string("\x50\0\x2c\x01", 4));  // 80, 300
  EXPECT_EQ(r.substr(100, 28), std::string(28, '\0'));           // TInfo3/4, comments, flags, TInfoS

  auto back = ReadSauce(f);
  ASSERT_TRUE(back);
  EXPECT_EQ(back->sauce.title, "mandel");
  EXPECT_EQ(back->file_size, 4u);
  EXPECT_EQ(back->tinfo[1], 300);
  EXPECT_TRUE(back->tinfos_zero);
}

TEST(Sauce, RejectsBadFieldsAndFindsNoRecordInPlainBytes) {
  EXPECT_THROW(WithSauce("", {std::string(36, 't'), "a", "g", "20261206"}, 80, 1), std::invalid_argument);
  EXPECT_THROW(WithSauce("", {"t", std::string(21, 'a'), "g", "20261206"}, 80, 1), std::invalid_argument);
  EXPECT_THROW(WithSauce("", {"t", "a", "g", "2026-12-06"}, 80, 1), std::invalid_argument);
  EXPECT_FALSE(ReadSauce(std::string(200, 'x')));
}

}  // namespace
}  // namespace artkit
