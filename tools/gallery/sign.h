// The magazine's mark, carried by every picture: its title, its artist and a
// "rodi" tag, as small lettering on black at the foot of the last screen.
#pragma once
#include <string_view>

#include "tools/artkit/canvas.h"

namespace gallery {

// Cells the mark takes: " title · author ▐rodi▌".
int SignWidth(std::string_view title, std::string_view author);

// Draws the mark with its right end `margin` columns before the right edge of
// row y; `accent` is the tag's background (0-7).
void SignRight(artkit::Canvas& c, int y, std::string_view title, std::string_view author, int accent,
               int margin = 1);

}  // namespace gallery
