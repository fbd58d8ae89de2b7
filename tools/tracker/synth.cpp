#include "synth.h"

#include <stdexcept>

#include "tools/tracker/dsp.h"

namespace tracker {

double Params::Get(const std::string& key, double fallback) const {
  used_.insert(key);
  auto it = values_.find(key);
  return it == values_.end() ? fallback : it->second;
}

std::vector<std::string> Params::Unused() const {
  std::vector<std::string> out;
  for (const auto& [k, v] : values_)
    if (!used_.count(k)) out.push_back(k);
  return out;
}

namespace {

using dsp::Frac;
using dsp::Sin2Pi;

constexpr double kBaseRate = 8363;  // frames per second of a sample at C-4 with no relative note

// Pulse, square and saw are sums of their harmonics up to `harmonics`, never
// past the sample's own Nyquist frequency. Drawn as hard edges, their upper
// partials fold back into the sample, and where the width sweeps the edges
// jump from frame to frame: a hiss up to the top of the band under every held
// note. Each harmonic comes from rotating the one before (only * and +).
double Osc(const std::string& wave, double phase, double duty, int harmonics) {
  double p = Frac(phase);
  if (wave == "tri") return p < 0.5 ? 4.0 * p - 1.0 : 3.0 - 4.0 * p;  // partials fall 12 dB an octave
  if (wave == "sine") return Sin2Pi(p);
  const bool saw = wave == "saw";
  // saw: sum of sin(2 pi n p) / n; pulse: 2 sin(pi n duty) cos(2 pi n (p - duty/2)) / n,
  // which averages zero (levels 2(1-duty) and -2duty): a held note puts no offset on the mix.
  const double b = saw ? p : p - duty / 2;
  const double cb = Sin2Pi(b + 0.25), sb = Sin2Pi(b);
  const double ca = Sin2Pi(duty / 2 + 0.25), sa = Sin2Pi(duty / 2);
  double cn = cb, sn = sb, cw = ca, sw = sa, v = 0;
  for (int n = 1; n <= harmonics; ++n) {
    v += (saw ? sn : 2 * sw * cn) / n;
    const double c = cn * cb - sn * sb;
    sn = sn * cb + cn * sb;
    cn = c;
    const double w = cw * ca - sw * sa;
    sw = sw * ca + cw * sa;
    cw = w;
  }
  return v * 2 / dsp::kPi;
}

double Saturate(double x, double drive) {
  if (drive <= 0) return x;
  double k = 1 + drive / 25;  // drive 100 pushes the signal five times harder
  x *= k;
  return x / (1 + (x < 0 ? -x : x)) * (1 + 1 / k);
}

void Normalise(std::vector<double>& s) {
  double peak = 0;
  for (double v : s) peak = v > peak ? v : (-v > peak ? -v : peak);
  if (peak > 0)
    for (double& v : s) v /= peak;
}

std::size_t Ms(double milliseconds, double rate) {
  return static_cast<std::size_t>(milliseconds * rate / 1000 + 0.5);
}

// Takes the loop's mean off a held tone: what is left after whole cycles (a
// sampled saw's step, a saturated chord) would sit on the mix for as long as
// the note holds. The attack ramps the correction in, so the sample still
// starts at zero.
void RemoveLoopOffset(Rendered& r, double attack) {
  if (!r.loopLength) return;
  double sum = 0;
  for (std::size_t n = r.loopStart; n < r.loopStart + r.loopLength; ++n) sum += r.signal[n];
  const double mean = sum / static_cast<double>(r.loopLength);
  for (std::size_t n = 0; n < r.signal.size(); ++n) {
    const double t = static_cast<double>(n);
    r.signal[n] -= t < attack ? mean * t / attack : mean;
  }
}

// Short linear fade at the tail so one-shots end on silence.
void FadeTail(std::vector<double>& s, std::size_t n) {
  if (n > s.size()) n = s.size();
  for (std::size_t i = 0; i < n; ++i) s[s.size() - 1 - i] *= static_cast<double>(i) / static_cast<double>(n);
}

Rendered Tonal(const std::string& wave, const Params& p) {
  Rendered r;
  const int cycle = static_cast<int>(p.Get("cycle", 64));
  int octave = -1, c = 16;  // a 32-frame cycle at 8363 Hz sounds middle C
  while (c < cycle && c < 1024) c *= 2, ++octave;
  if (c != cycle) throw std::invalid_argument("cycle must be a power of two, 16..1024");
  r.octave = octave;
  r.rate = kBaseRate * cycle / 32;
  const double f0 = r.rate / cycle;
  int loops = static_cast<int>(p.Get("loop", 1));
  const double detune = p.Get("detune", 0);
  const double mix2 = p.Get("mix2", detune != 0 ? 100 : 0) / 100;
  const double sub = p.Get("sub", 0) / 100;
  const double duty = p.Get("duty", 50) / 100, pwm = p.Get("pwm", 0) / 100;
  const double ratio = p.Get("ratio", 1), index = p.Get("index", 0), ienv = p.Get("ienv", 0);
  const double cutoff = p.Get("cutoff", 0), fenv = p.Get("fenv", 0), res = p.Get("res", 0) / 100;
  const double drive = p.Get("drive", 0);
  const double attack = static_cast<double>(Ms(p.Get("attack", 2), r.rate));
  const double decay = static_cast<double>(Ms(p.Get("decay", 0), r.rate));
  const double sustain = p.Get("sustain", 100) / 100;
  const double length = p.Get("len", 0);
  // Harmonics of an oscillator `ratio` times the root's frequency that stay within the sample.
  const double ceiling = p.Get("harmonics", cycle / 2);
  auto partials = [&](double ratio) { return static_cast<int>(ceiling / ratio); };
  // Chords in one sample: a just third (6/5 or 5/4) and fifth (3/2) over the root.
  const int third = static_cast<int>(p.Get("third", 0));
  const bool fifth = p.Get("fifth", third != 0 ? 1 : 0) != 0;
  if (third != 0 && third != 3 && third != 4) throw std::invalid_argument("third is 3 or 4 semitones");
  // A loop turn must hold whole cycles of every partial: the sub-octave and the
  // fifth repeat after 2 root cycles, a major third after 4, a minor third after 5.
  int turn = third == 3 ? (fifth ? 10 : 5) : third == 4 ? 4 : (fifth || sub > 0) ? 2 : 1;
  if (sub > 0 && turn % 2) turn *= 2;
  loops = (loops + turn - 1) / turn * turn;
  const std::size_t span = static_cast<std::size_t>(loops) * static_cast<std::size_t>(cycle);

  std::size_t total;
  if (length > 0) {
    total = Ms(length, r.rate);
  } else {
    std::size_t head = static_cast<std::size_t>(attack + decay) + (cutoff > 0 ? span : 0);
    r.loopStart = (head + span - 1) / span * span;
    r.loopLength = span;
    total = r.loopStart + span;
  }
  const double decayEnd = length > 0 ? 0 : static_cast<double>(r.loopStart);
  const double oneShotDecay = dsp::DecayFactor(decay > 0 ? decay / 3 : 1e9);

  dsp::Svf filter;
  const double q = 2 - 1.9 * res;
  double shot = 1;  // one-shot amplitude
  r.signal.resize(total);
  for (std::size_t n = 0; n < total; ++n) {
    const double t = static_cast<double>(n);
    // e: 1 at the attack's end, falling to exactly 0 where the loop starts.
    double e;
    if (length > 0) {
      e = shot;
    } else if (t <= attack || decayEnd <= attack) {
      e = t <= attack ? 1 : 0;
    } else {
      double u = (t - attack) / (decayEnd - attack);
      e = u >= 1 ? 0 : (1 - u) * (1 - u) * (1 - u);
    }
    const double ph = t / cycle;
    const double d = duty + pwm * Sin2Pi(t / static_cast<double>(span)) * 0.5;
    double v;
    if (wave == "fm") {
      double i = index + ienv * e;
      v = Sin2Pi(ph + i / (2 * dsp::kPi) * Sin2Pi(ph * ratio));
    } else {
      v = Osc(wave, ph, d, partials(1));
      if (mix2 > 0) v += mix2 * Osc(wave, t * (loops + detune) / static_cast<double>(span), d, partials((loops + detune) / loops));
    }
    if (sub > 0) v += sub * Osc("square", ph / 2, 0.5, partials(0.5));
    if (third > 0) v += Osc(wave, ph * (third == 3 ? 1.2 : 1.25), d, partials(third == 3 ? 1.2 : 1.25));
    if (fifth) v += Osc(wave, ph * 1.5, d, partials(1.5));
    if (cutoff > 0) {
      double hz = (cutoff + fenv * e) * f0;
      v = filter.Lowpass(v, dsp::SvfCoefficient(hz, r.rate, q), q);
    }
    v = Saturate(v, drive);
    double amp;
    if (t < attack) amp = t / attack;
    else if (length > 0) amp = (shot *= oneShotDecay, shot);
    else amp = sustain + (1 - sustain) * e;
    r.signal[n] = v * amp;
  }
  if (length > 0) FadeTail(r.signal, Ms(4, r.rate));
  RemoveLoopOffset(r, attack);
  Normalise(r.signal);
  return r;
}

Rendered Drum(const std::string& wave, const Params& p) {
  Rendered r;
  r.octave = 1;
  r.rate = kBaseRate * 2;
  const double rate = r.rate;
  dsp::Noise noise(static_cast<std::uint32_t>(p.Get("seed", 1)));
  const double drive = p.Get("drive", 0);
  double lenMs = 300, tone = 60, punch = 180, sweep = 30, noiseMix = 0, bodyMs = 0, bright = 0;
  if (wave == "kick") { lenMs = 350; tone = 48; punch = 170; sweep = 25; noiseMix = 0.25; bright = 3000; }
  if (wave == "tom") { lenMs = 320; tone = 110; punch = 190; sweep = 60; noiseMix = 0.1; bright = 2500; }
  if (wave == "snare") { lenMs = 220; tone = 185; punch = 260; sweep = 15; noiseMix = 1.1; bodyMs = 50; bright = 1800; }
  if (wave == "clap") { lenMs = 240; tone = 0; noiseMix = 1; bright = 1100; }
  if (wave == "hat") { lenMs = 60; tone = 0; noiseMix = 1; bright = 7000; }
  if (wave == "crash") { lenMs = 1400; tone = 0; noiseMix = 1; bright = 4500; }
  lenMs = p.Get("len", lenMs);
  tone = p.Get("tone", tone);
  punch = p.Get("punch", punch);
  sweep = p.Get("sweep", sweep);
  noiseMix = p.Get("noise", noiseMix * 100) / 100;
  bright = p.Get("bright", bright);
  bodyMs = p.Get("body", bodyMs > 0 ? bodyMs : lenMs);

  const std::size_t total = Ms(lenMs, rate);
  const double ampDecay = dsp::DecayFactor(static_cast<double>(total) / 4);
  const double bodyDecay = dsp::DecayFactor(static_cast<double>(Ms(bodyMs, rate)) / 3);
  const double sweepDecay = dsp::DecayFactor(static_cast<double>(Ms(sweep, rate)));
  const double clickLen = static_cast<double>(Ms(3, rate));
  const bool metallic = wave == "hat" || wave == "crash";
  dsp::Svf filter;
  const bool lowpass = wave == "clap" || wave == "kick" || wave == "tom";
  const double q = lowpass ? 0.7 : 0.9;
  const double fc = bright > 0 ? dsp::SvfCoefficient(bright, rate, q) : 0;
  double phase = 0, pitchEnv = 1, amp = 1, body = 1;
  // Inharmonic square partials give hats and cymbals their metal.
  const double partials[6] = {205.3, 304.4, 369.6, 522.7, 540.0, 800.0};
  r.signal.resize(total);
  for (std::size_t n = 0; n < total; ++n) {
    const double t = static_cast<double>(n);
    double v = 0;
    if (tone > 0) {
      double f = tone + (punch - tone) * pitchEnv;
      pitchEnv *= sweepDecay;
      phase += f / rate;
      v += Sin2Pi(phase) * body;
      body *= bodyDecay;
    }
    double nz = noise.Next();
    if (metallic) {
      double m = 0;
      for (double hz : partials) m += Frac(t * hz * 2.2 / rate) < 0.5 ? 1 : -1;
      nz = 0.6 * nz + 0.4 * m / 6;
    }
    if (wave == "clap") {  // three quick hand hits before the tail
      double ms10 = static_cast<double>(Ms(11, rate));
      if (t < 3 * ms10) nz *= 1 - Frac(t / ms10) * 0.8;
    }
    double shaped = nz;
    if (fc > 0) {
      shaped = lowpass ? filter.Lowpass(nz, fc, q) : filter.Highpass(nz, fc, q);
    }
    double nmix = noiseMix;
    if (wave == "kick" || wave == "tom") nmix = t < clickLen ? noiseMix * (1 - t / clickLen) : 0;
    v += nmix * shaped;
    v = Saturate(v, drive);
    r.signal[n] = v * amp;
    amp *= ampDecay;
  }
  FadeTail(r.signal, Ms(5, rate));
  Normalise(r.signal);
  return r;
}

}  // namespace

Rendered Synthesize(const std::string& wave, const Params& p) {
  if (wave == "square" || wave == "pulse" || wave == "saw" || wave == "tri" || wave == "sine" || wave == "fm")
    return Tonal(wave, p);
  if (wave == "kick" || wave == "snare" || wave == "hat" || wave == "clap" || wave == "tom" || wave == "crash")
    return Drum(wave, p);
  throw std::invalid_argument("unknown wave '" + wave + "'");
}

}  // namespace tracker
