#include "song_build.h"

#include <charconv>
#include <stdexcept>

namespace tracker {
namespace {

[[noreturn]] void Fail(const SongSource& s, int line, const std::string& what) {
  throw std::runtime_error(s.file + ":" + std::to_string(line) + ": " + what);
}

// "0:64,4:40,30:0" -> points.
Envelope ParseEnvelope(const SongSource& s, const InstrumentSource& ins, const std::string& text) {
  Envelope e;
  std::size_t pos = 0;
  while (pos < text.size()) {
    std::size_t comma = text.find(',', pos);
    if (comma == std::string::npos) comma = text.size();
    std::string pt = text.substr(pos, comma - pos);
    std::size_t colon = pt.find(':');
    unsigned x = 0, y = 0;
    bool ok = colon != std::string::npos &&
              std::from_chars(pt.data(), pt.data() + colon, x).ptr == pt.data() + colon &&
              std::from_chars(pt.data() + colon + 1, pt.data() + pt.size(), y).ptr == pt.data() + pt.size();
    if (!ok || y > 64 || x > 0xFFFF || (!e.points.empty() && x <= e.points.back().first))
      Fail(s, ins.line, "bad envelope point '" + pt + "'");
    e.points.emplace_back(static_cast<std::uint16_t>(x), static_cast<std::uint16_t>(y));
    pos = comma + 1;
  }
  if (e.points.empty() || e.points.size() > 12 || e.points[0].first != 0)
    Fail(s, ins.line, "an envelope has 1..12 points and starts at tick 0");
  return e;
}

int Checked(const SongSource& s, const InstrumentSource& ins, const char* key, double fallback, int lo, int hi) {
  double v = ins.params.Get(key, fallback);
  if (v < lo || v > hi || v != static_cast<double>(static_cast<int>(v)))
    Fail(s, ins.line, std::string(key) + " must be a whole number " + std::to_string(lo) + ".." + std::to_string(hi));
  return static_cast<int>(v);
}

Instrument BuildInstrument(const SongSource& s, const InstrumentSource& src) {
  Instrument ins;
  ins.name = src.name;
  Rendered r;
  try {
    r = Synthesize(src.wave, src.params);
  } catch (const std::invalid_argument& e) {
    Fail(s, src.line, e.what());
  }
  Sample smp;
  smp.name = src.name;
  const bool xm = s.format == Format::Xm;
  smp.bits = xm ? Checked(s, src, "bits", 16, 8, 16) : 8;
  if (smp.bits != 8 && smp.bits != 16) Fail(s, src.line, "bits is 8 or 16");
  const double full = smp.bits == 16 ? 32767 : 127;
  const double gain = src.params.Get("gain", 95) / 100 * s.level / 100 * full;
  for (double v : r.signal) {
    double x = v * gain;
    x = x < 0 ? x - 0.5 : x + 0.5;  // round half away from zero
    if (x > full) x = full;
    if (x < -full - 1) x = -full - 1;
    smp.data.push_back(static_cast<std::int16_t>(x));
  }
  if (r.loopLength) {
    smp.loop = Loop::Forward;
    smp.loopStart = static_cast<std::uint32_t>(r.loopStart);
    smp.loopLength = static_cast<std::uint32_t>(r.loopLength);
  }
  smp.volume = static_cast<std::uint8_t>(Checked(s, src, "vol", 64, 0, 64));
  smp.relativeNote = static_cast<std::int8_t>(12 * r.octave + Checked(s, src, "transpose", 0, -48, 48));
  smp.finetune = static_cast<std::int8_t>(Checked(s, src, "finetune", 0, xm ? -128 : -8, xm ? 127 : 7));
  if (xm) {
    smp.panning = static_cast<std::uint8_t>(Checked(s, src, "pan", 128, 0, 255));
    if (src.lists.count("env")) {
      ins.volumeEnvelope = ParseEnvelope(s, src, src.lists.at("env"));
      if (src.params.Has("sus")) ins.volumeEnvelope.sustain = Checked(s, src, "sus", 0, 0, 11);
      if (ins.volumeEnvelope.sustain >= static_cast<int>(ins.volumeEnvelope.points.size()))
        Fail(s, src.line, "sustain point past the envelope");
    }
    if (src.lists.count("penv")) ins.panningEnvelope = ParseEnvelope(s, src, src.lists.at("penv"));
    ins.fadeout = static_cast<std::uint16_t>(Checked(s, src, "fade", 0, 0, 0xFFF));
    ins.vibrato.type = static_cast<std::uint8_t>(Checked(s, src, "vibtype", 0, 0, 3));
    ins.vibrato.sweep = static_cast<std::uint8_t>(Checked(s, src, "vibsweep", 0, 0, 255));
    ins.vibrato.depth = static_cast<std::uint8_t>(Checked(s, src, "vibdepth", 0, 0, 15));
    ins.vibrato.rate = static_cast<std::uint8_t>(Checked(s, src, "vibrate", 0, 0, 63));
  } else if (!src.lists.empty()) {
    Fail(s, src.line, "MOD has no envelopes");
  }
  for (const auto& key : src.params.Unused()) Fail(s, src.line, "unknown or unusable parameter '" + key + "'");
  ins.samples.push_back(std::move(smp));
  return ins;
}

}  // namespace

Module BuildModule(const SongSource& s) {
  Module m;
  m.title = s.title;
  m.format = s.format;
  m.channels = s.channels;
  m.speed = s.speed;
  m.bpm = s.bpm;
  m.restart = s.restart;
  if (s.format == Format::Mod && s.channels != 4) Fail(s, 1, "MOD tunes have four channels");

  int count = 0;
  for (const auto& i : s.instruments) count = i.number > count ? i.number : count;
  m.instruments.resize(static_cast<std::size_t>(count));
  for (const auto& i : s.instruments) m.instruments[static_cast<std::size_t>(i.number - 1)] = BuildInstrument(s, i);

  for (const PatternSource& p : s.patterns) {
    if (s.format == Format::Mod && p.rows != 64) Fail(s, p.line, "MOD patterns have 64 rows");
    Pattern pat(p.rows, s.channels);
    for (const auto& [ch, columnSource] : p.channels) {
      if (ch >= s.channels) Fail(s, p.line, "channel " + std::to_string(ch + 1) + " beyond the song's channels");
      auto column = ExpandColumn(s, p, columnSource);
      for (int r = 0; r < p.rows; ++r) {
        const Cell& c = column[static_cast<std::size_t>(r)];
        if (c.instrument > count) Fail(s, p.line, "instrument " + std::to_string(c.instrument) + " is not defined");
        pat.at(r, ch) = c;
      }
    }
    m.patterns.push_back(std::move(pat));
  }
  if (s.order.empty()) Fail(s, s.orderLine, "no order list");
  for (const auto& name : s.order) {
    std::size_t i = 0;
    while (i < s.patterns.size() && s.patterns[i].name != name) ++i;
    if (i == s.patterns.size()) Fail(s, s.orderLine, "order names unknown pattern " + name);
    m.orders.push_back(static_cast<std::uint8_t>(i));
  }
  if (s.restart >= static_cast<int>(m.orders.size())) Fail(s, s.orderLine, "restart beyond the order list");
  return m;
}

}  // namespace tracker
