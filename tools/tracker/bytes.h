// Appends fixed-width fields in either byte order; both module formats are flat records.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

namespace rodi::tracker {

class Bytes {
 public:
  std::vector<std::uint8_t>& data() { return out_; }
  std::size_t size() const { return out_.size(); }

  void u8(unsigned v) { out_.push_back(static_cast<std::uint8_t>(v)); }
  void le16(unsigned v) { u8(v & 0xFF); u8((v >> 8) & 0xFF); }
  void le32(std::uint32_t v) { le16(v & 0xFFFF); le16(v >> 16); }
  void be16(unsigned v) { u8((v >> 8) & 0xFF); u8(v & 0xFF); }
  // Text padded with `fill` (or cut) to exactly n bytes.
  void text(std::string_view s, std::size_t n, char fill = '\0') {
    for (std::size_t i = 0; i < n; ++i) u8(i < s.size() ? static_cast<unsigned char>(s[i]) : static_cast<unsigned char>(fill));
  }
  void zeros(std::size_t n) { out_.insert(out_.end(), n, 0); }
  void append(const std::vector<std::uint8_t>& v) { out_.insert(out_.end(), v.begin(), v.end()); }
  void patch_le16(std::size_t at, unsigned v) {
    out_[at] = static_cast<std::uint8_t>(v & 0xFF);
    out_[at + 1] = static_cast<std::uint8_t>((v >> 8) & 0xFF);
  }

 private:
  std::vector<std::uint8_t> out_;
};

}  // namespace rodi::tracker
