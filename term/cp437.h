// Code page 437, the character set of the magazine's art, and its Unicode glyphs.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>

// The glyph of a CP437 byte: 0x00 is a space, 0x01-0x1F and 0x7F the PC glyphs.
char32_t Cp437ToUnicode(uint8_t b);

// The CP437 byte showing the glyph c, or -1 when CP437 has none. ASCII maps to
// itself (a space is 0x20, not 0x00).
int UnicodeToCp437(char32_t c);

// The UTF-8 encoding of Cp437ToUnicode(b); the view stays valid for the process.
std::string_view Cp437ToUtf8(uint8_t b);

void AppendUtf8(std::string& out, char32_t c);

// CP437 text for a UTF-8 terminal: the bytes above 0x7F as their glyphs'
// UTF-8, the others (ASCII and the control bytes) as they are.
std::string HighBytesToUtf8(std::string_view bytes);

// The length of the UTF-8 sequence a byte starts: 1 for ASCII, 2 to 4 for a
// lead byte, 0 for a byte that starts none (a continuation, 0xF8-0xFF).
int Utf8Length(uint8_t lead);

// The bits of the code point that a lead byte of a sequence that long holds.
inline char32_t Utf8LeadBits(uint8_t lead, int length) { return length == 1 ? lead : lead & (0x7F >> length); }
