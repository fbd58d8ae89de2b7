// The tune text format and the instrument synthesis behind it.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <stdexcept>
#include <string>

#include "song_build.h"
#include "song_source.h"
#include "synth.h"

using namespace rodi::tracker;

TEST(TuneText, RowTokens) {
  struct Case {
    const char* token;
    bool ok;
    Cell cell;
  };
  const Case cases[] = {
      {"C-4", true, {49, 0, 0, 0, 0}},  {"C#4", true, {50, 0, 0, 0, 0}}, {"B-7", true, {96, 0, 0, 0, 0}},
      {"C-0", true, {1, 0, 0, 0, 0}},   {"^", true, {kKeyOff, 0, 0, 0, 0}}, {".", true, {}},
      {"A-4:i12:v40:A0F", true, {58, 12, 0x10 + 40, 10, 0x0F}},         {".:047", true, {0, 0, 0, 0, 0x47}},
      {"G-5:E93", true, {68, 0, 0, 14, 0x93}},
      {"E#4", false, {}}, {"H-4", false, {}}, {"C-8", false, {}}, {"C-4:v65", false, {}}, {"C-4:i0", false, {}},
      {"C-4:x12", false, {}}, {"C-4:A0", false, {}},
  };
  for (const auto& c : cases) {
    Cell got;
    EXPECT_EQ(parse_cell(c.token, got), c.ok) << c.token;
    EXPECT_TRUE(!c.ok || got == c.cell) << c.token;
  }
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
  SongSource s = parse_song(text, "t.tune");
  ASSERT_EQ(s.tracks.at("riff").rows.size(), 8u);
  Module m = build_module(s);
  ASSERT_EQ(m.patterns.size(), 1u);
  const Pattern& p = m.patterns[0];
  EXPECT_EQ(p.at(0, 0), (Cell{49, 1, 0, 0, 0}));
  EXPECT_EQ(p.at(2, 0).note, kKeyOff);
  EXPECT_EQ(p.at(4, 0), (Cell{}));
  EXPECT_EQ(p.at(8, 0), p.at(0, 0)) << "tiled";
  EXPECT_EQ(p.at(0, 1), (Cell{61, 1, 0, 0, 0})) << "transposed up an octave";
  EXPECT_EQ(p.at(8, 1), (Cell{48, 2, 0, 0, 0})) << "second track: down a semitone, instrument 2";
  EXPECT_EQ(p.at(10, 1).note, kKeyOff) << "key-off is never transposed";
  EXPECT_EQ(p.at(3, 2), (Cell{50, 2, 0, 0, 0})) << "column delayed by three rows";
  EXPECT_EQ(p.at(5, 2).note, 50) << "and tiled";
  EXPECT_EQ(p.at(0, 2), (Cell{}));
  EXPECT_EQ(m.orders, (std::vector<std::uint8_t>{0, 0}));
}

TEST(TuneText, ErrorsNameTheLine) {
  struct Case {
    const char* text;
    const char* where;
  };
  const Case cases[] = {
      {"format xm\nbpm 20\n", "t.tune:2:"}, {"format xm\ntrack a  C-4 Q-4\n", "t.tune:2:"},
      {"inst 1 a square\ninst 1 b square\n", "t.tune:2:"}, {"wobble 3\n", "t.tune:1:"},
      {"  C-4\n", "t.tune:1:"}, {"pattern p\n  1 a\n  1 a\n", "t.tune:3:"},
  };
  for (const auto& c : cases) {
    try {
      parse_song(c.text, "t.tune");
      ADD_FAILURE() << "accepted: " << c.text;
    } catch (const std::runtime_error& e) {
      EXPECT_EQ(std::string(e.what()).rfind(c.where, 0), 0u) << e.what();
    }
  }
}

TEST(TuneText, BuildRejectsInconsistentSongs) {
  const char* head = "title t\nformat xm\nchannels 2\ninst 1 a square\ntrack a @1 C-4 . .\n";
  const std::string bad[] = {
      std::string(head) + "pattern p 8\n  1 a\norder p\n",                  // 3 rows do not tile 8
      std::string(head) + "pattern p 6\n  1 b\norder p\n",                  // no such track
      std::string(head) + "pattern p 6\n  3 a\norder p\n",                  // beyond the channels
      std::string(head) + "pattern p 6\n  1 a\norder q\n",                  // no such pattern
      std::string(head) + "inst 2 b square dutyy=20\npattern p 6\n  1 a\norder p\n",  // typo in a parameter
      std::string(head) + "inst 2 b wobble\npattern p 6\n  1 a\norder p\n",
      "title t\nformat mod\nchannels 4\ninst 1 a square env=0:64\ntrack a @1 C-4\npattern p\n  1 a\norder p\n",
  };
  for (const auto& text : bad) EXPECT_THROW(build_module(parse_song(text, "t.tune")), std::runtime_error) << text;
}

TEST(Synthesis, LoopsHoldWholeCyclesAndJoinSmoothly) {
  struct Case {
    const char* wave;
    std::vector<std::pair<const char*, double>> params;
    std::size_t turn;  // root cycles the loop must be a multiple of
  };
  const Case cases[] = {
      {"saw", {{"cycle", 128}, {"cutoff", 4}, {"fenv", 8}, {"decay", 100}}, 1},
      {"pulse", {{"cycle", 64}, {"loop", 16}, {"pwm", 40}}, 16},
      {"saw", {{"cycle", 64}, {"third", 3}, {"loop", 3}}, 10},
      {"saw", {{"cycle", 64}, {"third", 4}}, 4},
      {"saw", {{"cycle", 128}, {"fifth", 1}, {"drive", 90}}, 2},
      {"tri", {{"cycle", 32}, {"loop", 8}, {"detune", 1}}, 8},
  };
  for (const auto& c : cases) {
    Params p;
    for (const auto& [k, v] : c.params) p.set(k, v);
    Rendered r = synthesize(c.wave, p);
    const std::size_t cycle = static_cast<std::size_t>(p.get("cycle", 64));
    ASSERT_GT(r.loopLength, 0u) << c.wave;
    EXPECT_EQ(r.loopStart + r.loopLength, r.signal.size());
    EXPECT_EQ(r.loopLength % (cycle * c.turn), 0u) << c.wave << " loop " << r.loopLength;
    // The loop is one period of a steady sound: its last frame continues into
    // its first just as the frame before the loop does.
    EXPECT_NEAR(r.signal.back(), r.signal[r.loopStart - 1], 0.02) << c.wave << " " << r.loopLength;
    EXPECT_TRUE(p.unused().empty());
  }
}

TEST(Synthesis, EveryWaveStaysFiniteAndAudible) {
  // Long renders at extreme settings: a filter that diverges ends as silence or NaN.
  for (const std::string wave : {"square", "pulse", "saw", "tri", "sine", "fm", "kick", "snare", "hat", "clap", "tom", "crash"}) {
    const bool drum = wave == "kick" || wave == "snare" || wave == "hat" || wave == "clap" || wave == "tom" || wave == "crash";
    for (double res : {0.0, 100.0}) {
      Params p;
      p.set("len", 3000);
      p.set(drum ? "bright" : "cutoff", drum ? 8000 : 200);
      p.set(drum ? "seed" : "res", drum ? 7 : res);
      Rendered r = synthesize(wave, p);
      double peak = 0;
      for (double v : r.signal) {
        ASSERT_TRUE(std::isfinite(v)) << wave;
        peak = std::max(peak, std::abs(v));
      }
      EXPECT_DOUBLE_EQ(peak, 1.0) << wave << " res " << res;
    }
  }
}

TEST(Synthesis, PitchAndOneShots) {
  Params p;
  p.set("cycle", 128);
  EXPECT_EQ(synthesize("square", p).octave, 2) << "128 frames a cycle: two octaves above a 32-frame cycle";
  p.set("cycle", 48);
  EXPECT_THROW(synthesize("square", p), std::invalid_argument);

  Params shot;
  shot.set("len", 200);
  Rendered kick = synthesize("kick", shot);
  EXPECT_EQ(kick.loopLength, 0u);
  EXPECT_NEAR(static_cast<double>(kick.signal.size()), 0.2 * kick.rate, 1.0);
  EXPECT_EQ(kick.signal.back(), 0.0) << "one-shots fade to silence";
  double peak = 0;
  for (double v : kick.signal) peak = std::max(peak, std::abs(v));
  EXPECT_DOUBLE_EQ(peak, 1.0);
  // Noise comes from a fixed seed: the same parameters give the same frames.
  EXPECT_EQ(synthesize("snare", shot).signal, synthesize("snare", shot).signal);
}
