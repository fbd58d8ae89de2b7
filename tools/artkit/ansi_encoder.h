// Turns a canvas into the bytes of an ANSI screen (or its plain-ASCII twin) that
// the magazine's interpreter and an ordinary terminal (xterm, libvterm) both
// draw exactly as the canvas says, also when a tall picture scrolls.
#pragma once
#include <cstdint>
#include <string>

#include "tools/artkit/canvas.h"

namespace artkit {

enum class Home { Clear, CursorHome };

// Bytes that must never appear as glyphs: terminals or the interpreter treat
// them as controls (0x00 0x07-0x0F 0x1A 0x1B 0x7F).
bool IsForbiddenGlyph(uint8_t ch);

// ESC[0m, then ESC[2J ESC[H (Clear; the ESC[H because a real terminal's ESC[2J
// leaves the cursor where it is) or ESC[H (CursorHome); then the rows with the
// fewest SGR bytes, CR LF between rows except after a row whose 80th cell is
// drawn (the terminal wraps by itself); no line break after the last row;
// trailing spaces on black trimmed; ESC[0m at the end.
// Spaces may be drawn with any foreground and full blocks with any background
// (see SameLook). A "|" followed by two digits 00-23 is broken up with a
// colour sequence that changes nothing. Below row 25 the colour in effect when
// the terminal scrolls has a black background, so scrolled-in blank cells are
// black as on the canvas.
// Throws std::invalid_argument for a forbidden glyph, a blink attribute or a
// canvas wider than 80 columns.
std::string EncodeAnsi(const Canvas& canvas, Home home);

// Plain-ASCII twin body: form feed, then every row ended by LF but the last,
// trailing spaces trimmed. Attributes ignored. Throws std::invalid_argument
// for a glyph in column 80 (a line feed after it would skip a row), a
// forbidden glyph, a canvas wider than 80 columns or a "|" followed by two
// digits 00-23.
std::string EncodePlain(const Canvas& canvas);

// Offset of the first "|" followed by two digits that read 00-23, or npos.
size_t FindPipeCode(const std::string& bytes);

}  // namespace artkit
