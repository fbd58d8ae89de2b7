// Appends fixed-width fields in either byte order; both module formats are flat records.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

namespace tracker {

class Bytes {
 public:
  std::vector<std::uint8_t>& data() { return out_; }
  std::size_t size() const { return out_.size(); }

  void U8(unsigned v) { out_.push_back(static_cast<std::uint8_t>(v)); }
  void Le16(unsigned v) { U8(v & 0xFF); U8((v >> 8) & 0xFF); }
  void Le32(std::uint32_t v) { Le16(v & 0xFFFF); Le16(v >> 16); }
  void Be16(unsigned v) { U8((v >> 8) & 0xFF); U8(v & 0xFF); }
  // Text padded with `fill` (or cut) to exactly n bytes.
  void Text(std::string_view s, std::size_t n, char fill = '\0') {
    for (std::size_t i = 0; i < n; ++i) U8(i < s.size() ? static_cast<unsigned char>(s[i]) : static_cast<unsigned char>(fill));
  }
  void Zeros(std::size_t n) { out_.insert(out_.end(), n, 0); }
  void Append(const std::vector<std::uint8_t>& v) { out_.insert(out_.end(), v.begin(), v.end()); }
  void PatchLe16(std::size_t at, unsigned v) {
    out_[at] = static_cast<std::uint8_t>(v & 0xFF);
    out_[at + 1] = static_cast<std::uint8_t>((v >> 8) & 0xFF);
  }

 private:
  std::vector<std::uint8_t> out_;
};

}  // namespace tracker
