// What an ordinary terminal (libvterm) shows after receiving an ANSI file.
#pragma once
#include <string_view>

#include "tools/artkit/canvas.h"

namespace artkit_test {

// Feeds the bytes up to the first SUB into an 80x25 libvterm, CP437 glyphs
// turned into UTF-8 and control sequences passed through, and reads the screen
// back as CP437 cells (SGR 1 counted as the bright foreground).
artkit::Canvas TerminalView(std::string_view ansi, int cols = 80, int rows = 25);

// The same for bytes already in UTF-8 (what the magazine's engine sends in
// UTF-8 mode), fed as they are.
artkit::Canvas TerminalViewUtf8(std::string_view utf8, int cols = 80, int rows = 25);

}  // namespace artkit_test
