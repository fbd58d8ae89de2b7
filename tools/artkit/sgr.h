// The shortest SGR sequence between two attributes, using only the parameters
// the magazine's interpreter and ordinary terminals agree on: 0, 1, 30-37, 40-47.
#pragma once
#include <cstdint>
#include <string>

namespace artkit {

// ANSI colour digit of a PC colour 0-7 (PC order blue=1, ANSI order red=1).
char AnsiDigit(int pcColour);

// "\x1b[...m" turning attribute `from` into `to`; empty when they are equal.
// Bright to normal foreground needs a reset, as there is no "bold off".
std::string SgrSequence(uint8_t from, uint8_t to);

}  // namespace artkit
