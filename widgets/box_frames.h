// The frame character sets of boxes, CP437: top-left, top, top-right, left,
// right, bottom-left, bottom, bottom-right.
#pragma once
#include <array>
#include <string_view>

// Sets 1-8 are at [0]-[7].
inline constexpr std::array<std::string_view, 8> BoxFrameType = {
    "\xDA\xC4\xBF\xB3\xB3\xC0\xC4\xD9",  // 1 single line
    "\xC9\xCD\xBB\xBA\xBA\xC8\xCD\xBC",  // 2 double line
    "\xD6\xC4\xB7\xBA\xBA\xD3\xC4\xBD",  // 3 double sides, single top and bottom
    "\xD5\xCD\xB8\xB3\xB3\xD4\xCD\xBE",  // 4 single sides, double top and bottom
    "\xDB\xDF\xDB\xDB\xDB\xDB\xDC\xDB",  // 5 solid blocks, half blocks top and bottom
    "\xDB\xDF\xDC\xDB\xDB\xDF\xDC\xDB",  // 6 solid blocks, half-block corners
    "        ",                          // 7 blank
    ".-.||`-'",                          // 8 plain ASCII
};

enum FramePart { kTopLeft, kTop, kTopRight, kLeft, kRight, kBottomLeft, kBottom, kBottomRight };
