#include "mod_writer.h"

#include <algorithm>
#include <array>
#include <stdexcept>
#include <string>

#include "tools/tracker/bytes.h"

namespace tracker {
namespace {

constexpr int kFirstNote = 37;  // C-3, period 856
constexpr std::array<unsigned, 36> kPeriods = {
    856, 808, 762, 720, 678, 640, 604, 570, 538, 508, 480, 453,
    428, 404, 381, 360, 339, 320, 302, 285, 269, 254, 240, 226,
    214, 202, 190, 180, 170, 160, 151, 143, 135, 127, 120, 113};
constexpr int kSlots = 31;
constexpr int kRows = 64;

void Fail(const std::string& what) { throw std::invalid_argument("mod: " + what); }

// Puts effect `e`/`p` on a cell whose effect slot must be free.
void SetEffect(Cell& c, unsigned e, unsigned p, const char* why) {
  if (c.effect || c.param) Fail(std::string("no free effect slot for ") + why);
  c.effect = static_cast<std::uint8_t>(e);
  c.param = static_cast<std::uint8_t>(p);
}

// Rewrites the cells of one pattern into what MOD can say.
Pattern ToModCells(const Module& m, std::size_t index, std::array<int, 4>& lastInstrument) {
  const Pattern& src = m.patterns[index];
  Pattern out = src;
  for (int r = 0; r < src.rows; ++r) {
    for (int ch = 0; ch < 4; ++ch) {
      Cell& c = out.at(r, ch);
      const std::string where = " in pattern " + std::to_string(index) + " row " + std::to_string(r) + " channel " + std::to_string(ch + 1);
      if (c.instrument) lastInstrument[ch] = c.instrument;
      if (c.note == kKeyOff) {
        c.note = 0;
        SetEffect(c, 0xC, 0, "a key-off");
      } else if (c.note) {
        int ins = c.instrument ? c.instrument : lastInstrument[ch];
        int rel = 0;
        if (ins > 0 && ins <= static_cast<int>(m.instruments.size()) && !m.instruments[ins - 1].samples.empty())
          rel = m.instruments[ins - 1].samples[0].relativeNote;
        c.note = static_cast<std::uint8_t>(std::clamp(c.note + rel, 0, 255));
        if (!ModPeriod(c.note)) Fail("note outside C-3..B-5" + where);
      }
      if (c.volume) {
        SetEffect(c, 0xC, c.volume - 0x10u, "a volume");
        c.volume = 0;
      }
      if (c.effect > 0xF) Fail("effect beyond F" + where);
    }
  }
  return out;
}

}  // namespace

unsigned ModPeriod(int note) {
  int i = note - kFirstNote;
  return i >= 0 && i < static_cast<int>(kPeriods.size()) ? kPeriods[static_cast<std::size_t>(i)] : 0;
}

std::vector<std::uint8_t> WriteMod(const Module& m) {
  if (m.channels != 4) Fail("four channels only");
  if (m.orders.empty() || m.orders.size() > 128) Fail("order list must hold 1..128 entries");
  if (m.instruments.size() > kSlots) Fail("at most 31 samples");
  if (m.speed < 1 || m.speed > 31 || m.bpm < 32 || m.bpm > 255) Fail("speed 1..31 and BPM 32..255");
  if (m.restart != 0) Fail("the song can only loop back to its start");
  const int patternCount = *std::max_element(m.orders.begin(), m.orders.end()) + 1;
  if (patternCount != static_cast<int>(m.patterns.size()))
    Fail("every pattern must be played (the count is read from the order list)");

  // Sample data as stored: 8 bits, even length, a leading zero word.
  std::vector<std::vector<std::uint8_t>> data(m.instruments.size());
  Bytes b;
  b.Text(m.title, 20);
  for (int slot = 0; slot < kSlots; ++slot) {
    if (slot >= static_cast<int>(m.instruments.size()) || m.instruments[slot].samples.empty()) {
      b.Text(slot < static_cast<int>(m.instruments.size()) ? m.instruments[slot].name : "", 22);
      b.Be16(0);
      b.U8(0);
      b.U8(0);
      b.Be16(0);
      b.Be16(1);
      continue;
    }
    const Instrument& ins = m.instruments[slot];
    const Sample& s = ins.samples[0];
    if (s.bits != 8) Fail("samples must be 8-bit");
    // The zero word keeps the Amiga quiet when a one-shot sample ends.
    auto& d = data[slot];
    d = {0, 0};
    for (std::int16_t v : s.data) {
      if (v < -128 || v > 127) Fail("8-bit sample value out of range in " + s.name);
      d.push_back(static_cast<std::uint8_t>(static_cast<std::int8_t>(v)));
    }
    std::uint32_t loopStart = s.loopStart + 2, loopLength = s.loop == Loop::None ? 0 : s.loopLength;
    if (loopLength && (loopStart % 2 || loopLength % 2)) Fail("loops must start and end on even frames in " + s.name);
    if (loopLength && s.loopStart + loopLength > s.data.size()) Fail("loop past the end of " + s.name);
    if (d.size() % 2) d.push_back(0);
    if (d.size() / 2 > 0xFFFF) Fail("sample too long: " + s.name);
    b.Text(ins.name, 22);
    b.Be16(static_cast<unsigned>(d.size() / 2));
    b.U8(static_cast<unsigned>(s.finetune) & 0x0F);
    b.U8(std::min<unsigned>(s.volume, 64));
    b.Be16(loopLength ? loopStart / 2 : 0);
    b.Be16(loopLength ? loopLength / 2 : 1);
  }
  b.U8(static_cast<unsigned>(m.orders.size()));
  b.U8(127);
  for (std::size_t i = 0; i < 128; ++i) b.U8(i < m.orders.size() ? m.orders[i] : 0);
  b.Text("M.K.", 4);

  std::vector<Pattern> patterns;
  std::array<int, 4> lastInstrument{};
  for (std::size_t i = 0; i < m.patterns.size(); ++i) {
    if (m.patterns[i].channels != 4 || m.patterns[i].rows != kRows) Fail("patterns must be 64 rows of 4 channels");
    patterns.push_back(ToModCells(m, i, lastInstrument));
  }
  // Tempo lives in the patterns: set it where the song starts and where it loops to.
  Pattern& first = patterns[m.orders[0]];
  int ch = 0;
  auto freeSlot = [&]() -> Cell& {
    while (ch < 4 && (first.at(0, ch).effect || first.at(0, ch).param)) ++ch;
    if (ch == 4) Fail("no free effect slot on the first row for the tempo");
    return first.at(0, ch);
  };
  if (m.speed != 6) SetEffect(freeSlot(), 0xF, static_cast<unsigned>(m.speed), "the speed");
  if (m.bpm != 125) SetEffect(freeSlot(), 0xF, static_cast<unsigned>(m.bpm), "the BPM");

  for (const Pattern& p : patterns) {
    for (const Cell& c : p.cells) {
      unsigned period = c.note ? ModPeriod(c.note) : 0;
      b.U8((c.instrument & 0xF0u) | ((period >> 8) & 0x0F));
      b.U8(period & 0xFF);
      b.U8(((c.instrument & 0x0Fu) << 4) | (c.effect & 0x0F));
      b.U8(c.param);
    }
  }
  for (const auto& d : data) b.Append(d);
  return b.data();
}

}  // namespace tracker
