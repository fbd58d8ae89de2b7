// The tune text format and the instrument synthesis behind it.
#include <gtest/gtest.h>

#include <string>

#include "tools/tracker/song_build.h"
#include "tools/tracker/song_source.h"
#include "tools/tracker/synth.h"

using namespace tracker;

TEST(TuneText, RowTokens) {
  const std::pair<const char*, Cell> good[] = {
      {"C-4", {49, 0, 0, 0, 0}}, {"C#4", {50, 0, 0, 0, 0}}, {"B-7", {96, 0, 0, 0, 0}},
      {"A-4:i12:v40:A0F", {58, 12, 0x10 + 40, 10, 0x0F}}, {".:047", {0, 0, 0, 0, 0x47}},
  };
  Cell got;
  for (const auto& [token, cell] : good) EXPECT_TRUE(ParseCell(token, got) && got == cell) << token;
  for (const char* bad : {"E#4", "C-8", "C-4:v65", "C-4:i0"}) EXPECT_FALSE(ParseCell(bad, got)) << bad;
}

TEST(TuneText, TracksTileTransposeEchoAndTakeInstruments) {
  const char* text =
      "title t\nformat xm\nchannels 4\n"
      "inst 1 a square\ninst 2 b saw\n"
      "track riff @1  C-4 . ^ .5   # a comment; C#4 inside a word is a note\n"
      "track two  C#4:i02 .\n"
      "pattern p 16\n"
      "  1 riff\n"
      "  2 riff+12 riff-1@2\n"
      "  3 >3 two\n"
      "order p p\n";
  SongSource s = ParseSong(text, "t.tune");
  ASSERT_EQ(s.tracks.at("riff").rows.size(), 8u);
  Module m = BuildModule(s);
  ASSERT_EQ(m.patterns.size(), 1u);
  const Pattern& p = m.patterns[0];
  EXPECT_EQ(p.at(0, 0), (Cell{49, 1, 0, 0, 0}));
  EXPECT_EQ(p.at(2, 0).note, kKeyOff);
  EXPECT_EQ(p.at(8, 0), p.at(0, 0)) << "tiled";
  EXPECT_EQ(p.at(0, 1), (Cell{61, 1, 0, 0, 0})) << "transposed up an octave";
  EXPECT_EQ(p.at(8, 1), (Cell{48, 2, 0, 0, 0})) << "second track: down a semitone, instrument 2";
  EXPECT_EQ(p.at(10, 1).note, kKeyOff) << "key-off is never transposed";
  EXPECT_EQ(p.at(3, 2), (Cell{50, 2, 0, 0, 0})) << "column delayed by three rows";
  EXPECT_EQ(m.orders, (std::vector<std::uint8_t>{0, 0}));
}

TEST(Synthesis, LoopsHoldWholeCyclesJoinSmoothlyAndCentreOnZero) {
  struct Case {
    const char* wave;
    std::vector<std::pair<const char*, double>> params;
    std::size_t turn;  // root cycles the loop must be a multiple of
  };
  const Case cases[] = {
      {"saw", {{"cycle", 128}, {"cutoff", 4}, {"fenv", 8}, {"decay", 100}}, 1},
      {"pulse", {{"cycle", 64}, {"loop", 16}, {"duty", 25}, {"pwm", 40}}, 16},
      {"saw", {{"cycle", 64}, {"third", 3}, {"loop", 3}}, 10},
      {"tri", {{"cycle", 32}, {"loop", 8}, {"detune", 1}}, 8},
  };
  for (const auto& c : cases) {
    Params p;
    for (const auto& [k, v] : c.params) p.Set(k, v);
    Rendered r = Synthesize(c.wave, p);
    const std::size_t cycle = static_cast<std::size_t>(p.Get("cycle", 64));
    ASSERT_GT(r.loopLength, 0u) << c.wave;
    EXPECT_EQ(r.loopStart + r.loopLength, r.signal.size());
    EXPECT_EQ(r.loopLength % (cycle * c.turn), 0u) << c.wave << " loop " << r.loopLength;
    // The loop is one period of a steady sound: its last frame continues into
    // its first just as the frame before the loop does.
    EXPECT_NEAR(r.signal.back(), r.signal[r.loopStart - 1], 0.02) << c.wave << " " << r.loopLength;
    double sum = 0;
    for (std::size_t n = r.loopStart; n < r.signal.size(); ++n) sum += r.signal[n];
    EXPECT_NEAR(sum / static_cast<double>(r.loopLength), 0, 1e-9) << c.wave << ": a held note sits off zero";
    EXPECT_TRUE(p.Unused().empty());
  }
}
