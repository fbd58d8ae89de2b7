// Decoding the UTF-8 of art sources into code points, one per screen cell.
#pragma once
#include <string>
#include <string_view>

namespace screens {

// Throws std::runtime_error on a malformed sequence.
std::u32string DecodeUtf8(std::string_view text);

}  // namespace screens
