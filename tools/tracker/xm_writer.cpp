#include "xm_writer.h"

#include <stdexcept>
#include <string>

#include "tools/tracker/bytes.h"

namespace tracker {
namespace {

constexpr std::uint32_t kInstrumentHeaderSize = 263;  // what FT2 writes when samples follow
constexpr std::uint32_t kSampleHeaderSize = 40;

void Fail(const std::string& what) { throw std::invalid_argument("xm: " + what); }

void WriteEnvelopePoints(Bytes& b, const Envelope& e) {
  for (std::size_t i = 0; i < 12; ++i) {
    if (i < e.points.size()) {
      b.Le16(e.points[i].first);
      b.Le16(e.points[i].second);
    } else {
      b.Le16(0);
      b.Le16(0);
    }
  }
}

unsigned EnvelopeType(const Envelope& e) {
  if (e.points.empty()) return 0;
  return 1u | (e.sustain >= 0 ? 2u : 0u) | (e.loopStart >= 0 ? 4u : 0u);
}

void WriteInstrument(Bytes& b, const Instrument& ins) {
  if (ins.samples.size() > 16) Fail("more than 16 samples in instrument " + ins.name);
  for (const Envelope* e : {&ins.volumeEnvelope, &ins.panningEnvelope})
    if (e->points.size() > 12) Fail("envelope with more than 12 points in " + ins.name);
  if (ins.samples.empty()) {
    b.Le32(29);
    b.Text(ins.name, 22);
    b.U8(0);
    b.Le16(0);
    return;
  }
  const std::size_t start = b.size();
  b.Le32(kInstrumentHeaderSize);
  b.Text(ins.name, 22);
  b.U8(0);
  b.Le16(static_cast<unsigned>(ins.samples.size()));
  b.Le32(kSampleHeaderSize);
  b.Zeros(96);  // every note plays sample 0
  WriteEnvelopePoints(b, ins.volumeEnvelope);
  WriteEnvelopePoints(b, ins.panningEnvelope);
  b.U8(static_cast<unsigned>(ins.volumeEnvelope.points.size()));
  b.U8(static_cast<unsigned>(ins.panningEnvelope.points.size()));
  for (const Envelope* e : {&ins.volumeEnvelope, &ins.panningEnvelope}) {
    b.U8(e->sustain < 0 ? 0 : static_cast<unsigned>(e->sustain));
    b.U8(e->loopStart < 0 ? 0 : static_cast<unsigned>(e->loopStart));
    b.U8(e->loopEnd < 0 ? 0 : static_cast<unsigned>(e->loopEnd));
  }
  b.U8(EnvelopeType(ins.volumeEnvelope));
  b.U8(EnvelopeType(ins.panningEnvelope));
  b.U8(ins.vibrato.type);
  b.U8(ins.vibrato.sweep);
  b.U8(ins.vibrato.depth);
  b.U8(ins.vibrato.rate);
  b.Le16(ins.fadeout);
  b.Zeros(kInstrumentHeaderSize - (b.size() - start));

  for (const Sample& s : ins.samples) {
    if (s.bits != 8 && s.bits != 16) Fail("sample width must be 8 or 16 bits");
    const std::uint32_t width = s.bits / 8u;
    const std::uint32_t loopLength = s.loop == Loop::None ? 0 : s.loopLength;
    if (loopLength && s.loopStart + loopLength > s.data.size()) Fail("loop past the end of " + s.name);
    b.Le32(static_cast<std::uint32_t>(s.data.size()) * width);
    b.Le32(loopLength ? s.loopStart * width : 0);
    b.Le32(loopLength * width);
    b.U8(s.volume > 64 ? 64 : s.volume);
    b.U8(static_cast<std::uint8_t>(s.finetune));
    unsigned type = loopLength == 0 ? 0 : (s.loop == Loop::Forward ? 1 : 2);
    if (s.bits == 16) type |= 0x10;
    b.U8(type);
    b.U8(s.panning);
    b.U8(static_cast<std::uint8_t>(s.relativeNote));
    b.U8(0);
    b.Text(s.name, 22);
  }
  for (const Sample& s : ins.samples) b.Append(XmDeltaEncode(s));
}

}  // namespace

std::vector<std::uint8_t> XmDeltaEncode(const Sample& s) {
  Bytes b;
  if (s.bits == 16) {
    std::int16_t old = 0;
    for (std::int16_t v : s.data) {
      b.Le16(static_cast<std::uint16_t>(v - old));
      old = v;
    }
  } else {
    std::int8_t old = 0;
    for (std::int16_t v : s.data) {
      if (v < -128 || v > 127) Fail("8-bit sample value out of range in " + s.name);
      b.U8(static_cast<std::uint8_t>(static_cast<std::int8_t>(v) - old));
      old = static_cast<std::int8_t>(v);
    }
  }
  return b.data();
}

std::vector<std::uint8_t> XmPackPattern(const Pattern& p) {
  Bytes b;
  bool any = false;
  for (const Cell& c : p.cells) {
    if (c.note > kKeyOff) Fail("note value out of range");
    if (c.effect > 35) Fail("effect out of range");
    unsigned mask = (c.note ? 1u : 0u) | (c.instrument ? 2u : 0u) | (c.volume ? 4u : 0u) |
                    (c.effect ? 8u : 0u) | (c.param ? 16u : 0u);
    any = any || mask;
    if (mask != 0x1F) b.U8(0x80 | mask);  // a bare note byte (bit 7 clear) means all five follow
    if (mask & 1) b.U8(c.note);
    if (mask & 2) b.U8(c.instrument);
    if (mask & 4) b.U8(c.volume);
    if (mask & 8) b.U8(c.effect);
    if (mask & 16) b.U8(c.param);
  }
  if (!any) return {};  // packed size 0 marks an empty pattern
  return b.data();
}

std::vector<std::uint8_t> WriteXm(const Module& m) {
  if (m.channels < 2 || m.channels > 32 || m.channels % 2) Fail("channel count must be even, 2..32");
  if (m.orders.empty() || m.orders.size() > 256) Fail("order list must hold 1..256 entries");
  if (m.patterns.empty() || m.patterns.size() > 256) Fail("1..256 patterns");
  if (m.instruments.size() > 128) Fail("at most 128 instruments");
  if (m.restart < 0 || m.restart >= static_cast<int>(m.orders.size())) Fail("restart position outside the order list");
  if (m.speed < 1 || m.speed > 31 || m.bpm < 32 || m.bpm > 255) Fail("speed 1..31 and BPM 32..255");
  for (auto o : m.orders)
    if (o >= m.patterns.size()) Fail("order names a missing pattern");

  Bytes b;
  b.Text("Extended Module: ", 17);
  b.Text(m.title, 20);
  b.U8(0x1A);
  b.Text("rodi-tunes", 20, ' ');
  b.Le16(0x0104);
  b.Le32(276);
  b.Le16(static_cast<unsigned>(m.orders.size()));
  b.Le16(static_cast<unsigned>(m.restart));
  b.Le16(static_cast<unsigned>(m.channels));
  b.Le16(static_cast<unsigned>(m.patterns.size()));
  b.Le16(static_cast<unsigned>(m.instruments.size()));
  b.Le16(1);  // linear frequency table
  b.Le16(static_cast<unsigned>(m.speed));
  b.Le16(static_cast<unsigned>(m.bpm));
  for (std::size_t i = 0; i < 256; ++i) b.U8(i < m.orders.size() ? m.orders[i] : 0);

  for (const Pattern& p : m.patterns) {
    if (p.channels != m.channels) Fail("pattern channel count differs from the song's");
    if (p.rows < 1 || p.rows > 256) Fail("pattern rows must be 1..256");
    auto packed = XmPackPattern(p);
    if (packed.size() > 0xFFFF) Fail("packed pattern too large");
    b.Le32(9);
    b.U8(0);
    b.Le16(static_cast<unsigned>(p.rows));
    b.Le16(static_cast<unsigned>(packed.size()));
    b.Append(packed);
  }
  for (const Instrument& ins : m.instruments) WriteInstrument(b, ins);
  return b.data();
}

}  // namespace tracker
