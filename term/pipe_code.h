// Whether a bar starts a pipe colour code, given the (up to) two characters
// after it, and which code. Each answers nothing where the bar is plain text.
// The rules differ by writer, and the difference shows: "|24" and "|$F" are
// codes for WriteXYPipe but text for WritePipe and the ANSI interpreter.
#pragma once
#include <cstdint>
#include <optional>
#include <string_view>

// WritePipe's rule: exactly "00", or a number 1-23 not written as "$" (hex) or "&" (octal).
std::optional<uint8_t> StrictPipeCode(std::string_view two);
// WriteXYPipe's rule, and so what the text viewer hides: "00", or any number
// that is not 0 once cut to a byte.
std::optional<uint8_t> LoosePipeCode(std::string_view two);
// The ANSI interpreter's rule: two decimal digits, "00" to "23".
std::optional<uint8_t> TwoDigitPipeCode(std::string_view two);
