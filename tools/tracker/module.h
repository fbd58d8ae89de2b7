// In-memory tracker module: what the XM and MOD writers serialise.
// Cells follow XM conventions; the MOD writer maps them onto its smaller format.
#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace tracker {

enum class Format { Xm, Mod };

inline constexpr std::uint8_t kKeyOff = 97;  // XM note value of a key-off

struct Cell {
  std::uint8_t note = 0;        // 0 none, 1..96 (C-0 .. B-7, C-4 = 49), 97 key off
  std::uint8_t instrument = 0;  // 0 none, else 1-based
  std::uint8_t volume = 0;      // XM volume column byte: 0 none, 0x10..0x50 set volume 0..64
  std::uint8_t effect = 0;      // 0..35 (0-9, then A=10 ... Z=35)
  std::uint8_t param = 0;

  bool Empty() const { return note == 0 && instrument == 0 && volume == 0 && effect == 0 && param == 0; }
  bool operator==(const Cell&) const = default;
};

struct Pattern {
  int rows = 64;
  int channels = 4;
  std::vector<Cell> cells;  // row-major: rows x channels

  Pattern() = default;
  Pattern(int r, int c) : rows(r), channels(c), cells(static_cast<std::size_t>(r * c)) {}
  Cell& at(int row, int ch) { return cells[static_cast<std::size_t>(row * channels + ch)]; }
  const Cell& at(int row, int ch) const { return cells[static_cast<std::size_t>(row * channels + ch)]; }
};

struct Envelope {
  std::vector<std::pair<std::uint16_t, std::uint16_t>> points;  // (tick, value 0..64)
  int sustain = -1;  // point index, -1 none
  int loopStart = -1;
  int loopEnd = -1;
};

enum class Loop { None, Forward, PingPong };

struct Sample {
  std::string name;
  int bits = 16;                    // 8: values -128..127; 16: full int16 range
  std::vector<std::int16_t> data;   // in the sample's own width
  std::uint32_t loopStart = 0;      // in sample frames
  std::uint32_t loopLength = 0;
  Loop loop = Loop::None;
  std::uint8_t volume = 64;
  std::int8_t finetune = 0;
  std::uint8_t panning = 128;
  std::int8_t relativeNote = 0;     // semitones added to every note played with it
};

struct Vibrato {
  std::uint8_t type = 0, sweep = 0, depth = 0, rate = 0;
};

struct Instrument {
  std::string name;
  std::vector<Sample> samples;  // sample 0 plays on every note
  Envelope volumeEnvelope;
  Envelope panningEnvelope;
  Vibrato vibrato;
  std::uint16_t fadeout = 0;
};

struct Module {
  std::string title;
  Format format = Format::Xm;
  int channels = 4;
  int speed = 6;
  int bpm = 125;
  int restart = 0;                 // order index the song loops back to
  std::vector<std::uint8_t> orders;
  std::vector<Pattern> patterns;
  std::vector<Instrument> instruments;  // instrument n is instruments[n - 1]
};

}  // namespace tracker
