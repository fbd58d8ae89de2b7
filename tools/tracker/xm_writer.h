// Serialises a Module as an Extended Module (XM 0x0104).
#pragma once

#include <cstdint>
#include <vector>

#include "tools/tracker/module.h"

namespace tracker {

// Throws std::invalid_argument when the module does not fit the format.
std::vector<std::uint8_t> WriteXm(const Module& m);

// The pieces, exposed for tests of the encodings.
std::vector<std::uint8_t> XmPackPattern(const Pattern& p);
std::vector<std::uint8_t> XmDeltaEncode(const Sample& s);

}  // namespace tracker
