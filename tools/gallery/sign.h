// The magazine's mark, carried by every picture: the title and a "rodi" tag.
// Pictures put it on their second-last row: after drawing, the gallery writes
// its prompt over the bottom row of the screen.
#pragma once
#include <string_view>

#include "artkit/canvas.h"

namespace gallery {

// Cells the mark takes: " title ▐rodi▌".
int SignWidth(std::string_view title);

// Draws the mark with its left end at (x, y); `accent` is the tag's background (0-7).
void Sign(artkit::Canvas& c, int x, int y, std::string_view title, int accent = 5);

// The same, ending `margin` columns before the right edge.
void SignRight(artkit::Canvas& c, int y, std::string_view title, int accent = 5, int margin = 1);

}  // namespace gallery
