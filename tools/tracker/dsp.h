// Deterministic building blocks for synthesis: only +, -, *, / and sqrt on
// doubles (all exactly rounded by IEEE 754), so every build renders the same
// samples; no libm transcendentals, whose last bits vary between versions.
#pragma once

#include <cmath>
#include <cstdint>

namespace tracker::dsp {

inline constexpr double kPi = 3.14159265358979323846;

// Fractional part, in [0, 1).
inline double Frac(double x) {
  double f = x - static_cast<double>(static_cast<std::int64_t>(x));
  return f < 0 ? f + 1.0 : f;
}

// sin(2*pi*phase), by a Taylor series on a quarter wave (error below 1e-9).
inline double Sin2Pi(double phase) {
  double p = Frac(phase);
  double x;  // angle folded into [-pi/2, pi/2]
  if (p < 0.25) x = p * 2 * kPi;
  else if (p < 0.75) x = (0.5 - p) * 2 * kPi;
  else x = (p - 1.0) * 2 * kPi;
  double x2 = x * x, term = x, sum = x;
  for (int k = 1; k <= 7; ++k) {
    term *= -x2 / ((2 * k) * (2 * k + 1));
    sum += term;
  }
  return sum;
}

// Fixed-seed linear congruential noise in [-1, 1).
class Noise {
 public:
  explicit Noise(std::uint32_t seed) : state_(seed) {}
  double Next() {
    state_ = state_ * 1664525u + 1013904223u;
    return static_cast<double>(static_cast<std::int32_t>(state_)) / 2147483648.0;
  }

 private:
  std::uint32_t state_;
};

// Per-sample factor that shrinks a value to 1/e after `samples` samples.
inline double DecayFactor(double samples) {
  if (samples <= 1) return 0;
  // exp(-1/n) to third order; plenty for envelopes of more than a few samples.
  double a = 1.0 / samples;
  return 1 - a + a * a / 2 - a * a * a / 6;
}

// Chamberlin state-variable filter; `f` is 2*sin(pi*fc/rate), `q` the damping (0..2).
struct Svf {
  double low = 0, band = 0;
  double Lowpass(double in, double f, double q) {
    low += f * band;
    double high = in - low - q * band;
    band += f * high;
    return low;
  }
  double Highpass(double in, double f, double q) {
    low += f * band;
    double high = in - low - q * band;
    band += f * high;
    return high;
  }
};

// Coefficient for Svf at cutoff `hz`, sample rate `rate` and damping `q`. The
// filter diverges once f*f + 2*f*q reaches 4, so f stays well below that.
inline double SvfCoefficient(double hz, double rate, double q) {
  double r = hz / rate;
  if (r > 0.25) r = 0.25;
  double f = 2 * Sin2Pi(r / 2);
  double limit = 0.9 * (std::sqrt(q * q + 4) - q);  // sqrt is exactly rounded: still deterministic
  return f < limit ? f : limit;
}

}  // namespace tracker::dsp
