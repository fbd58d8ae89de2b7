// Instrument synthesis: waveforms and drums from a handful of named parameters.
#pragma once

#include <cstddef>
#include <map>
#include <set>
#include <string>
#include <vector>

namespace tracker {

// Named numeric parameters; remembers which were read so typos can be reported.
class Params {
 public:
  void Set(const std::string& key, double value) { values_[key] = value; }
  bool Has(const std::string& key) const { return values_.count(key) != 0; }
  double Get(const std::string& key, double fallback) const;
  std::vector<std::string> Unused() const;

 private:
  std::map<std::string, double> values_;
  mutable std::set<std::string> used_;
};

struct Rendered {
  std::vector<double> signal;   // peak-normalised to 1
  std::size_t loopStart = 0;
  std::size_t loopLength = 0;   // 0: one-shot
  int octave = 0;               // the sample's C-4 sounds this many octaves above middle C's rate
  double rate = 8363;           // frames per second when played at its natural note
};

// Waves: square pulse saw tri sine fm (tonal, one cycle is `cycle` frames) and
// kick snare hat clap tom crash (drums). Throws std::invalid_argument on an unknown wave.
Rendered Synthesize(const std::string& wave, const Params& p);

}  // namespace tracker
