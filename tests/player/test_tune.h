// A tiny four-channel "M.K." module made in memory, so the player tests and the
// benchmark need no tune files from the magazine's resources.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace rodi_test {

inline std::vector<std::uint8_t> MakeTestMod() {
  constexpr std::size_t kPatternAt = 1084, kPatternSize = 64 * 4 * 4, kSampleWords = 32;
  std::vector<std::uint8_t> mod(kPatternAt + kPatternSize + kSampleWords * 2, 0);
  // Sample 1: one looped period of a square wave, full volume; the others without a loop.
  mod[20 + 23] = mod[20 + 29] = kSampleWords;
  mod[20 + 25] = 64;
  for (int i = 1; i < 31; ++i) mod[20 + 30 * i + 29] = 1;
  mod[950] = 1;    // song length
  mod[951] = 127;  // restart byte
  for (std::size_t i = 0; i < 4; ++i) mod[1080 + i] = static_cast<std::uint8_t>("M.K."[i]);

  // Sixteen notes of sample 1 on every fourth row, on channels 1 and 2 in turn.
  const unsigned periods[] = {428, 381, 339, 320, 285, 254, 226, 214};
  for (int n = 0; n < 16; ++n) {
    std::uint8_t* cell = &mod[kPatternAt + (n * 16 + n % 2) * 4];
    cell[0] = static_cast<std::uint8_t>(periods[n % 8] >> 8);
    cell[1] = static_cast<std::uint8_t>(periods[n % 8] & 0xFF);
    cell[2] = 0x10;
  }
  std::uint8_t* data = &mod[kPatternAt + kPatternSize];
  for (std::size_t i = 2; i < kSampleWords * 2; ++i)  // first word stays zero
    data[i] = static_cast<std::uint8_t>(i < kSampleWords ? 100 : -100);
  return mod;
}

}  // namespace rodi_test
