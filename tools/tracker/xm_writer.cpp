#include "xm_writer.h"

#include <stdexcept>
#include <string>

#include "tools/tracker/bytes.h"

namespace rodi::tracker {
namespace {

constexpr std::uint32_t kInstrumentHeaderSize = 263;  // what FT2 writes when samples follow
constexpr std::uint32_t kSampleHeaderSize = 40;

void fail(const std::string& what) { throw std::invalid_argument("xm: " + what); }

void write_envelope_points(Bytes& b, const Envelope& e) {
  for (std::size_t i = 0; i < 12; ++i) {
    if (i < e.points.size()) {
      b.le16(e.points[i].first);
      b.le16(e.points[i].second);
    } else {
      b.le16(0);
      b.le16(0);
    }
  }
}

unsigned envelope_type(const Envelope& e) {
  if (e.points.empty()) return 0;
  return 1u | (e.sustain >= 0 ? 2u : 0u) | (e.loopStart >= 0 ? 4u : 0u);
}

void write_instrument(Bytes& b, const Instrument& ins) {
  if (ins.samples.size() > 16) fail("more than 16 samples in instrument " + ins.name);
  for (const Envelope* e : {&ins.volumeEnvelope, &ins.panningEnvelope})
    if (e->points.size() > 12) fail("envelope with more than 12 points in " + ins.name);
  if (ins.samples.empty()) {
    b.le32(29);
    b.text(ins.name, 22);
    b.u8(0);
    b.le16(0);
    return;
  }
  const std::size_t start = b.size();
  b.le32(kInstrumentHeaderSize);
  b.text(ins.name, 22);
  b.u8(0);
  b.le16(static_cast<unsigned>(ins.samples.size()));
  b.le32(kSampleHeaderSize);
  b.zeros(96);  // every note plays sample 0
  write_envelope_points(b, ins.volumeEnvelope);
  write_envelope_points(b, ins.panningEnvelope);
  b.u8(static_cast<unsigned>(ins.volumeEnvelope.points.size()));
  b.u8(static_cast<unsigned>(ins.panningEnvelope.points.size()));
  for (const Envelope* e : {&ins.volumeEnvelope, &ins.panningEnvelope}) {
    b.u8(e->sustain < 0 ? 0 : static_cast<unsigned>(e->sustain));
    b.u8(e->loopStart < 0 ? 0 : static_cast<unsigned>(e->loopStart));
    b.u8(e->loopEnd < 0 ? 0 : static_cast<unsigned>(e->loopEnd));
  }
  b.u8(envelope_type(ins.volumeEnvelope));
  b.u8(envelope_type(ins.panningEnvelope));
  b.u8(ins.vibrato.type);
  b.u8(ins.vibrato.sweep);
  b.u8(ins.vibrato.depth);
  b.u8(ins.vibrato.rate);
  b.le16(ins.fadeout);
  b.zeros(kInstrumentHeaderSize - (b.size() - start));

  for (const Sample& s : ins.samples) {
    if (s.bits != 8 && s.bits != 16) fail("sample width must be 8 or 16 bits");
    const std::uint32_t width = s.bits / 8u;
    const std::uint32_t loopLength = s.loop == Loop::None ? 0 : s.loopLength;
    if (loopLength && s.loopStart + loopLength > s.data.size()) fail("loop past the end of " + s.name);
    b.le32(static_cast<std::uint32_t>(s.data.size()) * width);
    b.le32(loopLength ? s.loopStart * width : 0);
    b.le32(loopLength * width);
    b.u8(s.volume > 64 ? 64 : s.volume);
    b.u8(static_cast<std::uint8_t>(s.finetune));
    unsigned type = loopLength == 0 ? 0 : (s.loop == Loop::Forward ? 1 : 2);
    if (s.bits == 16) type |= 0x10;
    b.u8(type);
    b.u8(s.panning);
    b.u8(static_cast<std::uint8_t>(s.relativeNote));
    b.u8(0);
    b.text(s.name, 22);
  }
  for (const Sample& s : ins.samples) b.append(xm_delta_encode(s));
}

}  // namespace

std::vector<std::uint8_t> xm_delta_encode(const Sample& s) {
  Bytes b;
  if (s.bits == 16) {
    std::int16_t old = 0;
    for (std::int16_t v : s.data) {
      b.le16(static_cast<std::uint16_t>(v - old));
      old = v;
    }
  } else {
    std::int8_t old = 0;
    for (std::int16_t v : s.data) {
      if (v < -128 || v > 127) fail("8-bit sample value out of range in " + s.name);
      b.u8(static_cast<std::uint8_t>(static_cast<std::int8_t>(v) - old));
      old = static_cast<std::int8_t>(v);
    }
  }
  return b.data();
}

std::vector<std::uint8_t> xm_pack_pattern(const Pattern& p) {
  Bytes b;
  bool any = false;
  for (const Cell& c : p.cells) {
    if (c.note > kKeyOff) fail("note value out of range");
    if (c.effect > 35) fail("effect out of range");
    unsigned mask = (c.note ? 1u : 0u) | (c.instrument ? 2u : 0u) | (c.volume ? 4u : 0u) |
                    (c.effect ? 8u : 0u) | (c.param ? 16u : 0u);
    any = any || mask;
    if (mask != 0x1F) b.u8(0x80 | mask);  // a bare note byte (bit 7 clear) means all five follow
    if (mask & 1) b.u8(c.note);
    if (mask & 2) b.u8(c.instrument);
    if (mask & 4) b.u8(c.volume);
    if (mask & 8) b.u8(c.effect);
    if (mask & 16) b.u8(c.param);
  }
  if (!any) return {};  // packed size 0 marks an empty pattern
  return b.data();
}

std::vector<std::uint8_t> write_xm(const Module& m) {
  if (m.channels < 2 || m.channels > 32 || m.channels % 2) fail("channel count must be even, 2..32");
  if (m.orders.empty() || m.orders.size() > 256) fail("order list must hold 1..256 entries");
  if (m.patterns.empty() || m.patterns.size() > 256) fail("1..256 patterns");
  if (m.instruments.size() > 128) fail("at most 128 instruments");
  if (m.restart < 0 || m.restart >= static_cast<int>(m.orders.size())) fail("restart position outside the order list");
  if (m.speed < 1 || m.speed > 31 || m.bpm < 32 || m.bpm > 255) fail("speed 1..31 and BPM 32..255");
  for (auto o : m.orders)
    if (o >= m.patterns.size()) fail("order names a missing pattern");

  Bytes b;
  b.text("Extended Module: ", 17);
  b.text(m.title, 20);
  b.u8(0x1A);
  b.text("rodi-tunes", 20, ' ');
  b.le16(0x0104);
  b.le32(276);
  b.le16(static_cast<unsigned>(m.orders.size()));
  b.le16(static_cast<unsigned>(m.restart));
  b.le16(static_cast<unsigned>(m.channels));
  b.le16(static_cast<unsigned>(m.patterns.size()));
  b.le16(static_cast<unsigned>(m.instruments.size()));
  b.le16(1);  // linear frequency table
  b.le16(static_cast<unsigned>(m.speed));
  b.le16(static_cast<unsigned>(m.bpm));
  for (std::size_t i = 0; i < 256; ++i) b.u8(i < m.orders.size() ? m.orders[i] : 0);

  for (const Pattern& p : m.patterns) {
    if (p.channels != m.channels) fail("pattern channel count differs from the song's");
    if (p.rows < 1 || p.rows > 256) fail("pattern rows must be 1..256");
    auto packed = xm_pack_pattern(p);
    if (packed.size() > 0xFFFF) fail("packed pattern too large");
    b.le32(9);
    b.u8(0);
    b.le16(static_cast<unsigned>(p.rows));
    b.le16(static_cast<unsigned>(packed.size()));
    b.append(packed);
  }
  for (const Instrument& ins : m.instruments) write_instrument(b, ins);
  return b.data();
}

}  // namespace rodi::tracker
