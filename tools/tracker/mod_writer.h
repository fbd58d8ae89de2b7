// Serialises a Module as a four-channel ProTracker module ("M.K.").
#pragma once

#include <cstdint>
#include <vector>

#include "tools/tracker/module.h"

namespace tracker {

// Notes C-3..B-5 (XM numbering, 37..72) map onto the three Amiga octaves
// (periods 856..113). MOD has no relative note, volume column or key-off, so:
// a sample's relative note is added to each note it plays, a volume becomes
// effect C, a key-off becomes C00, and the song's speed and BPM are set with
// F effects on the first row played. Throws std::invalid_argument on what the
// format cannot hold.
std::vector<std::uint8_t> WriteMod(const Module& m);

// Amiga period of an XM note number at finetune 0; 0 when out of range.
unsigned ModPeriod(int note);

}  // namespace tracker
