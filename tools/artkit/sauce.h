// The SAUCE record that ends every ANSI file of the issue.
#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace artkit {

struct Sauce {
  std::string title, author, group, date;  // date "CCYYMMDD"
};

// body + SUB (0x1A) + the 128-byte SAUCE00 record: title 35, author 20, group 20
// (space padded), date 8, body size LE32, DataType 1 (character), FileType 1
// (ANSi), TInfo1 = width, TInfo2 = lines, TInfo3/4 0, no comments, TFlags 0
// (iCE off), TInfoS zero. Throws std::invalid_argument for a field too long or
// a date that is not 8 digits.
std::string WithSauce(std::string body, const Sauce& sauce, int width, int lines);

// What a file's SAUCE record says; nullopt when the last 128 bytes are not one
// or the byte before them is not SUB.
struct SauceRecord {
  Sauce sauce;  // text fields with the padding removed
  uint32_t fileSize = 0;
  int dataType = 0, fileType = 0;
  int tinfo[4] = {0, 0, 0, 0};
  int comments = 0, flags = 0;
  bool tinfosZero = false;
};
std::optional<SauceRecord> ReadSauce(std::string_view file);

}  // namespace artkit
