// What an ordinary terminal (libvterm, 80x25) shows after receiving bytes.
#pragma once
#include <string_view>

#include "tools/artkit/canvas.h"

namespace artkit_test {

// Feeds the bytes into libvterm and reads the screen back as CP437 cells (SGR 1
// counted as the bright foreground). An ANSI file (`file`) goes up to its first
// SUB, CP437 glyphs turned into UTF-8 and control sequences passed through; what
// the magazine's engine sent in UTF-8 mode goes as it is.
artkit::Canvas TerminalView(std::string_view bytes, bool file = true);

}  // namespace artkit_test
