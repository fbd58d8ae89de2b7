// The text form of a tune: instruments by synthesis parameters, tracks of
// tracker rows, patterns stacked from tracks, and an order list.
#pragma once

#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "tools/tracker/module.h"
#include "tools/tracker/synth.h"

namespace tracker {

struct InstrumentSource {
  int number = 0;
  std::string name, wave;
  Params params;                          // numeric key=value pairs
  std::map<std::string, std::string> lists;  // env=, penv=: tick:value pairs
  int line = 0;
};

struct TrackSource {
  std::string name;
  int instrument = 0;       // given to every note without its own
  std::vector<Cell> rows;
  int line = 0;
};

struct TrackRef {
  std::string name;
  int transpose = 0;   // semitones
  int instrument = 0;  // when set, replaces the instrument of every note
};

// A channel of a pattern: tracks played one after another, tiled to fill the
// pattern, then shifted down by `delay` rows (the tail is cut).
struct Column {
  std::vector<TrackRef> refs;
  int delay = 0;
};

struct PatternSource {
  std::string name;
  int rows = 64;
  std::map<int, Column> channels;  // by 0-based channel
  int line = 0;
};

struct SongSource {
  std::string file;
  std::string title;
  Format format = Format::Xm;
  int channels = 4, speed = 6, bpm = 125, restart = 0;
  int level = 100;  // percent applied to every instrument's gain: the whole mix, balance kept
  std::vector<InstrumentSource> instruments;
  std::map<std::string, TrackSource> tracks;
  std::vector<PatternSource> patterns;
  std::vector<std::string> order;
  int orderLine = 0;  // where the order list starts, for messages
};

// Throws std::runtime_error("file:line: message") on malformed text.
SongSource ParseSong(std::string_view text, const std::string& file);

// One row token: "C-4", "C#4:i03:v40:A04", "." (empty), "^" (key off).
// Returns false when the token is malformed.
bool ParseCell(std::string_view token, Cell& out);

// The cells of one channel of a pattern. Throws std::runtime_error when the
// tracks' lengths do not tile the pattern.
std::vector<Cell> ExpandColumn(const SongSource& s, const PatternSource& p, const Column& column);

}  // namespace tracker
