// Colour mixing with the shading characters: a cell shows its foreground over
// its background at 0, 1/4, 1/2, 3/4 or full cover (space, ░, ▒, ▓, █), which
// gives far more than 16 colours at one colour per cell.
#pragma once
#include <cstdint>

#include "tools/artkit/canvas.h"
#include "tools/artkit/palette.h"

namespace gallery {

// The cell whose mixed colour is nearest to c, using only the colours whose
// bits are set in `allowed` (bit n: colour n).
artkit::Cell ShadeCell(const artkit::Rgb& c, uint16_t allowed = 0xFFFF);

}  // namespace gallery
